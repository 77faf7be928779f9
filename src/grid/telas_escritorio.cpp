// The office's tables and lists: the monthly expenses (25), the corrected taxes (26), the
// accounts (28), the statuses (29), the remembered payees and texts (30, 31), the details of a
// document (32), the printers (33), the data folders (40) and the bank slips (45).
#include "grid/telas_catalogo.h"
#include "rt/text/cp860.h"

namespace grid {

using namespace rt::text::literals;
using store::Area;

namespace {

// Screen 25: the expenses by account.
TelaGrade despesas(const Montagem&) {
  return {
      .area = Area::TMP_13,
      .colunas = {col("CDCONTA", "Cod.", "@R 9.999"), col("DESCONTA", "Descrição"_cp, "@S40"), col("VALODESP", "Valor ", kDinheiro),
                  col("MESINI", "Mês I"_cp, "@Z 99"), col("MESFIM", "Mês F"_cp, "@Z 99"), col("NROCGCCPF", "CPF ou CPNJ", "@s18"),
                  col("CPFDEPEN", "CPF depend", kCpf), col("LANCADO", "Lan.", "@!")},
      .ultPos = 8,
      .ret = {2, 3, 20, 75},
      .moldura = 6,
  };
}

// Screen 26: the taxpayers with their returns' tax and its correction.
TelaGrade corrigidos(const Montagem&) {
  return {
      .area = Area::IMPCORRIG,
      .colunas = {col("CPF", " CPF ", kCpf), col("NOMECONTR", " Nome do Contribuinte ", "", 23), col("I13_29", "Quota", "@ez 9"),
                  col("IMPOSTO", "Imposto", "@EZ 999,999.99"), col("RESTITU", "Restitucao", "@EZ 999,999.99"),
                  col("CORRIGI", "Corrigido", "@EZ 999,999.99")},
      .ultPos = 6,
      .ret = {2, 1, 20, 79},
      .moldura = 6,
  };
}

// Screen 28: the chart of accounts.
TelaGrade contas(const Montagem&) {
  return {
      .area = Area::CONTAS,
      .colunas = {col("CDCONTA", "Cod.", "@R 9.999"), col("NMDESCRICA", "Descrição"_cp, "", 62), col("CDSTATUS", "Posi", "@!"),
                  col("PAGINA", "Pág."_cp, "@Z99"), col("LINHA", "Lin.", "@Z99"), col("TEMCPF", "Cpf?", "@!"),
                  col("TEMCGC", "Cnpj?", "@!"), col("LIVROCX", "L.CX.", "@!"), col("TEMDESCR", "Desc.", "@!")},
      .ultPos = 8,
      .ret = {7, 3, 20, 75},
      .moldura = 6,
  };
}

// Screen 29: the statuses of a return.
TelaGrade estatus(const Montagem&) {
  return {
      .area = Area::STATUS,
      .colunas = {col("COD", "Cod", "@z 99"), col("DESCRICAO", "Descrição"_cp, "@s13")},
      .ultPos = 2,
      .ret = {10, 58, 22, 78},
      .moldura = 6,
  };
}

// Screen 30: the remembered payees.
TelaGrade beneficiarios(const Montagem&) {
  return {
      .area = Area::AUXPAG,
      .colunas = {col("NOME", "Descrição"_cp, "@S50"), col("CGCCPF", "CPF/CNPJ", "@S18", 0, "POEPONTO(2);CPFCGC"),
                  col("CODIGO", "Cod.", "@Z 99", 0, "TES_COD(30)")},
      .ultPos = 3,
      .ret = {3, 2, 14, 77},
      .moldura = 6,
      .dica = 19,
  };
}

// Screen 31: the remembered texts of the assets and debts.
TelaGrade textos(const Montagem&) {
  return {
      .area = Area::AUXBENS,
      .colunas = {col("DESCRICAO", "Descrição"_cp, "@S55"), col("CODIGO", "Cod.", "@Z 999")},
      .ultPos = 2,
      .ret = {3, 4, 14, 66},
      .moldura = 6,
      .dica = 19,
  };
}

// Screen 32: a document's details, with their share of the receipts; mode 0 also their share
// of the expenses.
TelaGrade detalhes(const Montagem& m) {
  const bool despesa = m.modo == 0;
  std::vector<Coluna> colunas = {col("DESCRICAO", "Discriminação"_cp, "@S40"), col("VALORDOC", "VALOR", "@Ez 999,999,999.99")};
  if (despesa) colunas.push_back(col("PERCDESP", "% DESP", "@Ez 999.99"));
  colunas.push_back(col("PERCRECE", "% REC.", "@Ez 999.99"));
  return {
      .area = Area::DETALH,
      .colunas = std::move(colunas),
      .ultPos = despesa ? 4 : 3,
      .ret = {3, 3, 22, despesa ? 76 : 70},
      .moldura = 6,
  };
}

// Screen 33: the printers with their control sequences.
TelaGrade impressoras(const Montagem&) {
  return {
      .area = Area::PRINTS,
      .colunas = {col("CONFIM", "Ativa", "@!"), col("NOMEIMP", "Nome Impressora", "@S15"), col("SEQ1", "  Reduzido  ", "@S12", 12),
                  col("SEQ0", "   Normal   ", "@S12", 12), col("SEQ2", "Avanço Prop."_cp, "@S12", 12),
                  col("SEQ3", "Expandido", "@S12", 12)},
      .ultPos = 6,
      .ret = {12, 2, 22, 76},
      .moldura = 1,
      .rodape = true,
      .mensagem = "Selecione a impressora com [S] - Verique a sequencia no manual de sua impressora",
  };
}

// Screen 40: the data folders, the one in use marked.
TelaGrade pastas(const Montagem&) {
  return {
      .area = Area::DIRET,
      .colunas = {col("SELEC", "SEL.", "@!", 0, "TROCA_NAO"), col("DIRETOR", "Drive e diretório"_cp, "@S40", 0, "TROCA_NAO")},
      .ultPos = 2,
      .ret = {5, 18, 16, 65},
      .redesenhaCelula = true,
  };
}

// Screen 45: the bank slips issued.
TelaGrade boletos(const Montagem&) {
  return {
      .area = Area::BOLETO,
      .colunas = {col("NOSSONRO", "Nro Doc.", "@s10"), col("NOMESAC", "Nome do Sacado", "@S30"), col("DATADOC", "Data Venc.", "@D"),
                  col("VALORDOC", "Valor", "@EZ 999,999.99")},
      .ultPos = 4,
      .ret = {10, 4, 22, 70},
      .moldura = 6,
  };
}

}  // namespace

std::span<const RegistroTela> telasEscritorio() {
  static const RegistroTela telas[] = {
      {.opc = 25, .tracos = daCopia({}), .monta = despesas},
      // The office's list of taxpayers and their returns takes no pasted row.
      {.opc = 26, .tracos = {.cresce = true, .navega = true, .horizontal = true, .apaga = true, .gravaCpf = true}, .monta = corrigidos},
      {.opc = 28, .tracos = doEscritorio({}), .monta = contas},
      {.opc = 29, .tracos = doEscritorio({}), .monta = estatus},
      {.opc = 30, .tracos = doEscritorio({.escolhe = true, .ampliaAltZ = Ampliacao::bens}), .monta = beneficiarios},
      {.opc = 31, .tracos = doEscritorio({.escolhe = true, .ampliaAltZ = Ampliacao::dividas}), .monta = textos},
      {.opc = 32, .tracos = doEscritorio({}), .monta = detalhes},
      {.opc = 33, .tracos = doEscritorio({}), .monta = impressoras},
      // The folders and the bank slips do not navigate the declaration's pages.
      {.opc = 40, .tracos = {.cresce = true, .colaNova = true, .apaga = true, .marcaPasta = true}, .monta = pastas},
      {.opc = 45, .tracos = {.apaga = true, .boletoUnico = true}, .monta = boletos},
  };
  return telas;
}

}  // namespace grid
