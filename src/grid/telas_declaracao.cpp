// The declaration's dependants (3), payments (4), notes and pending items (11) and savings (13),
// and the traits of its matrix screens (7, 12, 14, 16), whose columns are the matrix grid's.
#include "grid/telas_catalogo.h"
#include "rt/text/cp860.h"

namespace grid {

using namespace rt::text::literals;
using store::Area;

namespace {

// Screen 3: the dependants, named by their number.
TelaGrade dependentes(const Montagem&) {
  return {
      .area = Area::TMP_03,
      .colunas = {col("NRODEPEN", "Nro", "@ez 99"), col("NOMEDEPEN", "Nome Completo", "@S43", 0, {}, "NRODP"),
                  col("CODIDEPEN", "Cód"_cp, "@EZ 99", 0, "TES_COD(3)"), col("DATADEPEN", "Nascim.", "@d", 0, "TES_MES"),
                  col("CPFDEPEN", "CPF", kCpf, 0, "VAL_CPF")},
      .ultPos = 5,
      .congela = 1,
      .ret = {1, 0, 9, 79},
      .dica = 6,
  };
}

// Screen 4: the payments.
TelaGrade pagamentos(const Montagem&) {
  Coluna dependente = col("I6_6", "Nro", "@99", 0, "CONF_DEP(2)");
  // Whether the row may take a dependant's number at all is asked before the cell opens.
  dependente.antes = "CONF_DEP(1)";
  return {
      .area = Area::TMP_06,
      .colunas = {col("I6_1", "Nome do beneficiário"_cp, "@S50", 26), col("I6_3", "Cod", "@ 99", 0, "TES_COD(4)"), dependente,
                  col("I6_2", " CPF/CNPJ/NIT", "@S18", 0, "POEPONTO(1);VAL_NIT|CPFCGC"), col("I6_4", "Total Pago", kPagto, 0, "FDOAPAG"),
                  col("I6_5", "Não Dedutí."_cp, kPagto, 0, "FCONFNDEDU"), col("I6_7", "CPF Empregado", kCpf, 0, "VAL_CPF")},
      // Enter on the real last column wraps to the next row.
      .ultPos = 7,
      // Under the payments' heading of screen 4's form, inside its frame down to the bottom
      // line that shows the non-deductible total: a box of its own would draw a second
      // bottom line and hide the heading.
      .ret = {10, 0, 23, 79},
      .rodape = true,
      .dica = 1,
  };
}

// Screen 11: the notes and pending items; in a declaration mode 0 shows them on the page,
// mode 1 in a window; outside one (from the taxpayer chooser) in a window to the right.
TelaGrade notas(const Montagem& m) {
  const bool pagina = m.g.declaracaoAberta() && m.modo == 0;
  return {
      .area = Area::TMP_11,
      .colunas = {col("OBSERV", "           Notas e observaçoes"_cp, "@s60")},
      .ultPos = 1,
      .ret = !m.g.declaracaoAberta() ? rt::term::Rect{1, 17, 16, 78} : pagina ? rt::term::Rect{9, 9, 22, 70} : rt::term::Rect{2, 9, 16, 70},
      .moldura = pagina ? 0 : 6,
  };
}

// Screen 13: the savings and other exempt or exclusive incomes by source.
TelaGrade poupanca(const Montagem&) {
  return {
      .area = Area::TMP_14,
      .colunas = {col("DESCRICAO", "Fonte do Rendimento", "@S26"), col("POUPANCA", "Poupança"_cp, kDinheiro),
                  col("APLICACAO", "Aplicações"_cp, kDinheiro), col("CPMF", "Prejuizo", kDinheiro),
                  col("LUCROEPP", "Outros Isento", kDinheiro), col("LUCROREAL", "Outros Tribu.", kDinheiro)},
      .ultPos = 6,
      .ret = {1, 3, 10, 75},
      .moldura = 6,
      .rodape = true,
  };
}

}  // namespace

std::span<const RegistroTela> telasDeclaracao() {
  static const RegistroTela telas[] = {
      {.opc = 3, .tracos = daDeclaracao({.dependentes = true}), .monta = dependentes},
      {.opc = 4,
       .tracos = daDeclaracao({.lembra = true, .pagamentos = true, .mesAMes = {"I6_4"}, .aninhaF4 = Tela::Beneficiarios, .recalculoCalculadora = "FDOAPAG"}),
       .monta = pagamentos},
      {.opc = 11, .tracos = daDeclaracao({.escolhe = true, .insereVarias = true, .notas = true, .insereAntes = true}), .monta = notas},
      {.opc = 13, .tracos = daDeclaracao({.poupanca = true, .gravaTipoOperacao = true}), .monta = poupanca},
      // The monthly values, the capital gains' receipts, the monthly tax of the variable income
      // and the carnê-leão (one value a month in dollars: 12 and 16).
      {.opc = 7, .tracos = daDeclaracao({})},
      {.opc = 12, .tracos = daDeclaracao({.dolarDoMes = true})},
      {.opc = 14, .tracos = daDeclaracao({})},
      {.opc = 16, .tracos = daDeclaracao({.dolarDoMes = true, .gravaLeao = true})},
  };
  return telas;
}

}  // namespace grid
