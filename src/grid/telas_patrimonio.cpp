// The assets (5, 8, 22) and debts (6, 9, 23), the capital gain's costs of an asset (10) and the
// assets' maintenance expenses (15).
#include "grid/telas_catalogo.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;
using store::Area;

namespace {

// The assets and the debts each come as the page's list, the whole page with the description
// first (the detail screens 8 and 9) and the list enlarged (22, 23); they differ in the totals
// their cells recompute and take before, and where they stand.
struct ListaPatrimonio {
  int opc;
  const char* total;     // recomputed after a value cell
  const char* antes;     // taken before the grid is shown ("" none)
  bool detalhe = false;  // the whole page, the description first
  rt::term::Rect ret;
};

TelaGrade bens(const Grade& g, const ListaPatrimonio& l) {
  const std::string r = l.total;
  Coluna item = col("I7_1", "Item", l.detalhe ? "@z 999" : "@Ez 999");
  Coluna descr = col("I7_2", l.detalhe ? "Discriminação, data da aquis. e venda "_cp : "Discriminação, data aquisição ou venda "_cp,
                     "@S73", l.detalhe ? 0 : 39, "MOS_DETBEM");
  Coluna cod = col("I7_5", "Cod", l.detalhe ? "@ez 99" : "@EZ 99", 0, "TES_COD(" + std::to_string(l.opc) + ")");
  Coluna ant = col("I7_3", g.CANOAN, kBens, 0, {}, r);
  Coluna atu = col("I7_4", g.CANOBA, kBens, 0, {}, r);
  Coluna ext = col("I7_7", "Ext.", "@!", 0, "TES_PAIS(1)");
  Coluna pais = col("I7_8", "País"_cp, l.detalhe ? "@S3" : "@s3", 0, "TES_PAIS(2)");
  Coluna linha = col("I7_0", "Linha", "@Z 9999");
  Coluna orig = col("I7_9", "2008 Original", kBens);
  return {
      .area = Area::TMP_04,
      .colunas = l.detalhe ? std::vector<Coluna>{descr, item, cod, ant, atu, ext, pais, linha, orig}
                           : std::vector<Coluna>{item, descr, ant, atu, cod, ext, pais, linha, orig},
      .ultPos = l.detalhe ? 1 : 5,
      .ret = l.ret,
      .rodape = true,
      .dica = l.detalhe ? 9 : 3,
      .antes = l.antes,
      .campoLinha = "I7_0",
      .campoItem = "I7_1",
  };
}

// `original`: the heading of the last column (the page's list writes it in lower case).
TelaGrade dividas(const Grade& g, const ListaPatrimonio& l, const char* original = "2008 Original") {
  const std::string r = l.total;
  Coluna item = col("I8_1", "Item", "@Ez 999");
  Coluna cod = col("I8_5", "Cod.", "@Z 99", 0, "TES_COD(" + std::to_string(l.opc) + ")");
  Coluna atu = col("I8_4", g.CDIVBA, kBens, 0, {}, r);
  Coluna linha = col("I8_0", "Linha", "@Z 9999");
  return {
      .area = Area::TMP_05,
      .colunas = l.detalhe ? std::vector<Coluna>{col("I8_2", "Discriminação"_cp, "@S73", 0, "MOS_DETDIV"), item, cod,
                                                 col("I8_3", "Ano Ant.(2008)", kBens, 0, {}, r), atu, linha,
                                                 col("I8_6", original, kBens)}
                           : std::vector<Coluna>{item, col("I8_2", " Discriminação                         "_cp, "@S73", 39, "MOS_DETDIV"),
                                                 col("I8_3", "   Ano de 2008  ", kBens, 0, {}, r), atu, cod, linha,
                                                 col("I8_6", original, kBens)},
      .ultPos = l.detalhe ? 1 : 5,
      .ret = l.ret,
      .rodape = true,
      .dica = l.detalhe ? 9 : 5,
      .antes = l.antes,
      .campoLinha = "I8_0",
      .campoItem = "I8_1",
  };
}

// The enlarged lists end above their form's totals row and bottom line.
TelaGrade bensPagina(const Montagem& m) { return bens(m.g, {5, "FI7_T(5)", "FI7_T(5)", false, {1, 0, 9, 79}}); }
TelaGrade bensDetalhe(const Montagem& m) { return bens(m.g, {8, "FI7_T(8)", "", true, {1, 0, 22, 79}}); }
TelaGrade bensAmpliada(const Montagem& m) { return bens(m.g, {22, "FI7_T(22)", "FI7_T(6)", false, {1, 0, 21, 79}}); }
TelaGrade dividasPagina(const Montagem& m) {
  return dividas(m.g, {6, "FI8_T(6)", "FI8_T(6)", false, {10, 0, 16, 79}}, "2008 original");
}
TelaGrade dividasDetalhe(const Montagem& m) { return dividas(m.g, {9, "FI8_T(9)", "", true, {1, 0, 22, 79}}); }
TelaGrade dividasAmpliada(const Montagem& m) {
  TelaGrade t = dividas(m.g, {23, "FI8_T(23)", "FI8_T(7)", false, {1, 0, 21, 79}});
  t.redesenhaCelula = true;
  return t;
}

// Screen 10: the costs of the asset BEM_NRO, by the gain's kind (TIPO_BEM): 1 a property with
// its reductions, 2 the instalments, 3 shares.
TelaGrade ganho(const Montagem& m) {
  const Grade& g = m.g;
  const std::string r = g.TIPO_BEM == 3 ? "VER_GAN" : "FCALGAN(10)";
  auto c = [&r](std::string f, std::string_view d, std::string masc = kDinheiro) { return col(std::move(f), d, std::move(masc), 0, {}, r); };
  TelaGrade t{
      .area = Area::TMP_08,
      .filtro = [bem = g.BEM_NRO](const Table& tab) { return tab.getNumber("BEM_NRO") == bem; },
      .moldura = 6,
      .redesenhaCelula = true,
  };
  if (g.TIPO_BEM == 1) {
    Coluna perc = c("PER_CUST", "%Custo", "");
    perc.campo = "substr(str(PER_CUST,8,4),1,6)";
    perc.exibe = [](const Table& tab) -> rt::ui::Value { return rt::text::substr(rt::text::str(tab.getNumber("PER_CUST"), 8, 4), 1, 6); };
    Coluna fr1 = c("PER_RED1", "FR 1", "@Z 99.99");
    fr1.campo = "PER_RED1*100";
    fr1.exibe = [](const Table& tab) -> rt::ui::Value { return tab.getNumber("PER_RED1") * rt::text::Decimal::fromInt(100); };
    Coluna fr2 = c("PER_RED2", "FR 2", "@Z 99.99");
    fr2.campo = "PER_RED2*100";
    fr2.exibe = [](const Table& tab) -> rt::ui::Value { return tab.getNumber("PER_RED2") * rt::text::Decimal::fromInt(100); };
    t.colunas = {perc, c("PER_RED", "%Red", "@z 999"), fr1, fr2, c("CUST_UNI", "Passível red"_cp),
                 c("VALOR_REDU", "Valor Redução"_cp), c("DATA_CUST", "Data ", "@D"), c("VALOR_CUST", "Custo ")};
    t.ultPos = 8;
    t.ret = {2, 0, 11, 79};
    t.congela = 6;
    t.mensagem = std::string("Após qualquer mudança - volte e recalcule todas linhas"_cp);
  } else if (g.TIPO_BEM == 2) {
    t.colunas = {c("VALOR_CUST", "Valor da Parcela")};
    t.ultPos = 1;
    t.ret = {2, 60, 11, 79};
  } else {
    t.colunas = {c("CM_PONDER", "C.M.Pond.", "@ez 9999.9999"), c("LOTE", "Espécie"_cp, "@s17"), c("TIPO_ACAO", "Tipo", ""),
                 c("TIPO_OPER", "Mov.", ""), c("DATA_CUST", "Data", "@D"), c("MOV_ACAO", "Qtd.Ação"_cp, "@Ez 99,999,999"),
                 c("VALOR_CUST", "Custo Total")};
    t.ultPos = 7;
    t.ret = {2, 2, 11, 79};
    t.congela = 2;
  }
  return t;
}

// Screen 15: the assets' monthly maintenance expenses.
TelaGrade manutencao(const Montagem&) {
  return {
      .area = Area::TMP_10,
      .colunas = {col("DESCRITEM", "Descricao bem", "@s25"), col("DESCDESP", "Tipo", "@S25"),
                  col("VALODESP", "V.Mensal ", "@EZ 999,999.99")},
      .ultPos = 3,
      .ret = {8, 10, 19, 73},
      .buscaDespesas = true,
  };
}

// The assets and debts remember their texts (Ctrl+Enter, list 31 on Alt+F5), insert lines after
// an item and split a value cell into months; the assets also open the savings (Alt+F6).
Tracos tracosBens(Tracos t) {
  t.lembra = t.insereVarias = true;
  t.campoNumerado = "I7_0";
  t.textoLembrado = "I7_2";
  t.codigoLembrado = "I7_5";
  t.umMes = {"I7_3", "I7_4"};
  t.aninhaF5 = Tela::TextosLembrados;
  t.aninhaF6 = Tela::Poupanca;
  return t;
}

Tracos tracosDividas(Tracos t) {
  t.lembra = t.insereVarias = true;
  t.campoNumerado = "I8_0";
  t.textoLembrado = "I8_2";
  t.codigoLembrado = "I8_5";
  t.umMes = {"I8_3", "I8_4"};
  t.aninhaF5 = Tela::TextosLembrados;
  return t;
}

}  // namespace

std::span<const RegistroTela> telasPatrimonio() {
  static const RegistroTela telas[] = {
      {.opc = 5,
       .tracos = daDeclaracao(tracosBens({.ampliaAltZ = Ampliacao::bens, .ampliaAltX = Ampliacao::bens, .recalculoCalculadora = "FI7_T(1)"})),
       .monta = bensPagina},
      {.opc = 6,
       .tracos = daDeclaracao(tracosDividas({.ampliaAltZ = Ampliacao::dividas, .ampliaAltX = Ampliacao::dividas, .recalculoCalculadora = "FI8_T(1)"})),
       .monta = dividasPagina},
      {.opc = 8, .tracos = daDeclaracao(tracosBens({.longas = true, .recalculoCalculadora = "FI7_T(1)"})), .monta = bensDetalhe},
      {.opc = 9, .tracos = daDeclaracao(tracosDividas({.longas = true, .recalculoCalculadora = "FI8_T(1)"})), .monta = dividasDetalhe},
      {.opc = 10, .tracos = daDeclaracao({.gravaBem = true}), .monta = ganho},
      {.opc = 15, .tracos = daDeclaracao({.mesDaColuna = true, .umMes = {"VALODESP"}}), .monta = manutencao},
      {.opc = 22, .tracos = daCopia(tracosBens({.longas = true, .recalculoCalculadora = "FI7_T(6)"})), .monta = bensAmpliada},
      {.opc = 23, .tracos = daCopia(tracosDividas({.longas = true, .recalculoCalculadora = "FI8_T(7)"})), .monta = dividasAmpliada},
  };
  return telas;
}

}  // namespace grid
