// The rural activity: its properties (34), assets (35) and debts (36), the cash book (38) and
// the traits of its monthly matrix (37). Every rural screen's hint is one of the rural ones.
#include "grid/telas_catalogo.h"
#include "rt/text/cp860.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;
using store::Area;

namespace {

// Screen 34: the rural properties, with the land tax in Brazil or the foreign results abroad.
TelaGrade imoveis(const Montagem& m) {
  std::vector<Coluna> colunas = {col("I2R_07", "Cod", "@z 99", 0, "VAL_COD(1)"), col("I2R_04", "% Part", "@Z 999.99", 0, "VAL_PART"),
                                 col("I2R_05", "Cond", "@z 9", 0, "VAL_COD(3)"), col("I2R_01", "Nome do Imóvel"_cp, "@s54", 18),
                                 col("I2R_06", "Local do Imóvel"_cp, "@S35", 18), col("I2R_02", "Area (ha)", "@ez 999,999.9")};
  const bool brasil = m.g.ATV_BRASIL == "S";
  if (brasil) {
    colunas.push_back(col("I2R_03", "Nro.R.Fed", "@r 9999999.9"));
    colunas.push_back(col("VALITR", "Valor ITR", kDinheiro));
  } else {
    colunas.push_back(col("CODPAIS", "País"_cp, "@s3", 0, "TES_PAIS(3)"));
    colunas.push_back(col("RECEXT", "Rec.moeda País"_cp, kDinheiro, 0, "CALUCRO"));
    colunas.push_back(col("DESEXT", "Des.moeda País"_cp, kDinheiro, 0, "CALUCRO"));
    colunas.push_back(col("VALUSE", "Valor US$", "@EZ 99,999.99", 0, "CALUCRO"));
    // Computed from the columns before them: shown, never typed into.
    for (const auto& [campo, titulo] : {std::pair{"RESUS", "Resultado US$"}, {"OPC20US", "Opc.20% em US$"}, {"OPC20RS", "Opc.20% em R$ "}}) {
      Coluna c = col(campo, titulo, kDinheiro);
      c.editavel = false;
      colunas.push_back(std::move(c));
    }
  }
  return {
      .area = Area::TMP_16,
      .colunas = std::move(colunas),
      .ultPos = brasil ? 8 : 13,
      .ret = {3, 0, brasil ? 22 : 19, 78},
      .rodape = true,
      .dica = 1,
      .dicaRural = true,
  };
}

// Screen 35: the rural assets, in Brazil with their situation, abroad with their country.
TelaGrade bensRurais(const Montagem& m) {
  const bool brasil = m.g.ATV_BRASIL == "S";
  return {
      .area = Area::TMP_17,
      .colunas = {col("ITEM", "It.", "@EZ 999"), col("I8R_1", "Discriminação, Data de Aquisição e Venda   "_cp, "@S71", 53, "MOS_DETBEM"),
                  col("CODIGO", "Cd", "@EZ 99", 0, "TES_COD(35)"), col("I8R_2", "Valor R$  ", kDinheiro),
                  brasil ? col("I8R_4", "St", "@Z 9", 0, "TES_SIT") : col("I8R_3", "Pais", "@S3", 0, "TES_PAIS(4)"),
                  col("I8R_0", "Linha", "@EZ 9999")},
      .ultPos = 5,
      .ret = {2, 1, 21, 79},
      .dica = 5,
      .dicaRural = true,
      .campoLinha = "I8R_0",
      .campoItem = "ITEM",
  };
}

// Screen 36: the rural debts.
TelaGrade dividasRurais(const Montagem&) {
  return {
      .area = Area::TMP_18,
      .colunas = {col("ITEM", "It.", "@EZ 99"), col("I9R_1", "DISCRIMINACAO              ", "", 30, "MOS_DETDIV"),
                  col("I9R_2", " 31/12/2008 ", kDinheiro, 0, {}, "SOMA_DIV"), col("I9R_3", " 31/12/2009", kDinheiro, 0, {}, "SOMA_DIV"),
                  col("I9R_4", " Pago em 2009 ", kDinheiro, 0, {}, "SOMA_DIV"), col("I9R_0", "Lin", "@Z 9999", 0, {}, "SOMA_DIV")},
      .ultPos = 5,
      .ret = {3, 0, 18, 78},
      .dica = 6,
      .dicaRural = true,
      .campoLinha = "I9R_0",
      .campoItem = "ITEM",
  };
}

// Screen 38: the rural cash book's receipts or expenses (TIPOCR). Opened from a month of the
// rural matrix, only that month's entries show; a row whose date is not typed yet stays in
// sight. Opened from the rural asset situation (mode 1) the totals are taken again afterwards,
// in the rural matrix's area; from the matrix (mode 0) its hint comes back.
TelaGrade livroRural(const Montagem& m) {
  const bool receita = m.g.TIPOCR == "C";
  std::vector<Coluna> colunas = {col("DT_LC", "Data", "@D"),
                                 col("DESCR", receita ? "Descrição do Rendimento"_cp : "Descrição da Despesa ou Custeio"_cp, "@S44"),
                                 col("VALOR", "Valor ", kDinheiro, 0, {}, "SOMA_RUR(2)"),
                                 col("NROIMO", receita ? "Nro.Imov" : "N.Imo", "@Z 99")};
  if (!receita) colunas.push_back(col("TEMITR", "ITR", "@!"));
  const int mes = m.g.MESATI >= 1 && m.g.MESATI <= 12 ? m.g.MESATI : 0;
  return {
      .area = Area::TMP_19,
      .filtro =
          [cr = m.g.TIPOCR, mes](const Table& t) {
            if (!campoIgual(t, "TIPOCR", cr)) return false;
            if (mes == 0) return true;
            const int mesDaLinha = t.getDate("DT_LC").month();
            return mesDaLinha == 0 || mesDaLinha == mes;
          },
      .colunas = std::move(colunas),
      .ultPos = receita ? 4 : 5,
      .ret = {5, 1, 18, 79},
      .moldura = 1,
      .rodape = true,
      .dica = 14,
      .dicaRural = true,
      .antes = "SOMA_RUR(2)",
      .depois = m.modo == 1 ? "SOMA_RUR(2)" : "",
      .dicaDepois = m.modo == 0 ? 2 : 0,
      .areaDepois = m.modo == 1 ? Area::TMP_17 : Area::Nenhuma,
  };
}

// The rural assets and debts remember their texts and insert lines after an item.
Tracos lembraTextos(const char* linha, const char* texto, const char* codigo) {
  return {.lembra = true, .insereVarias = true, .campoNumerado = linha, .textoLembrado = texto, .codigoLembrado = codigo, .aninhaF5 = Tela::TextosLembrados};
}

}  // namespace

std::span<const RegistroTela> telasRurais() {
  static const RegistroTela telas[] = {
      {.opc = 34, .tracos = doRural({}), .monta = imoveis},
      {.opc = 35, .tracos = doRural(lembraTextos("I8R_0", "I8R_1", "CODIGO")), .monta = bensRurais},
      {.opc = 36, .tracos = doRural(lembraTextos("I9R_0", "I9R_1", "ITEM")), .monta = dividasRurais},
      {.opc = 37, .tracos = doRural({})},
      {.opc = 38, .tracos = doRural({.indiceOrdem = "TMP_19", .ordena = true, .subtotais = true, .gravaTipoCr = true}), .monta = livroRural},
  };
  return telas;
}

}  // namespace grid
