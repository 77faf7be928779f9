// The incomes from legal persons (1, 2) and the carnê-leão's details of a month (17, 18, 24).
#include <algorithm>

#include "grid/telas_catalogo.h"
#include "rt/text/cp860.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;
using store::Area;

namespace {

const std::string kRendimentos = "FI1_T(1)";

// The income rows of the titular ("J") or of the dependants ("D").
std::function<bool(const Table&)> doTipo(std::string tipo) {
  return [tipo = std::move(tipo)](const Table& t) { return campoIgual(t, "I1_1", tipo); };
}

// Screen 1: the titular's incomes; it stands above the dependants' when the declaration has any.
TelaGrade rendimentosTitular(const Montagem& m) {
  const std::string& r = kRendimentos;
  return {
      .area = Area::TMP_02,
      .filtro = doTipo("J"),
      .colunas = {col("I1_2", "Fonte pagadora", "@S40", 21), col("I1_4", "Rendimentos", kDinheiro, 0, {}, r),
                  col("I1_6", "Previdência"_cp, kDinheiro, 0, {}, r), col("I1_5", "Imposto Fonte", kDinheiro, 0, {}, r),
                  col("I1_7", "13o salário=>"_cp, kDinheiro, 0, {}, r), col("I1_15", "Lucro Distr.", kDinheiro, 0, {}, r),
                  col("I1_3", "CNPJ da Fonte", "@S18", 0, "POEPONTO(0);CPFCGC"), col("I1_16", "Socio ME/EPP", kDinheiro, 0, {}, r),
                  col("I1_17", "Isento 65", "@EZ 99,999.99", 0, "LIMIT3", r), col("I1_18", "Apos. Molestia", kDinheiro, 0, "LIMIT2"),
                  col("I1_19", "Exig. Suspensa", kDinheiro, 0, {}, r), col("I1_20", "Depo. Judicial", kDinheiro, 0, {}, r)},
      .ultPos = 12,
      .ret = {1, 1, m.g.N_DEPEN > 0 ? 10 : 17, 79},
      .rodape = true,
      .dica = 2,
      .antes = r,
      .depois = r,
  };
}

// Screen 2: the dependants' incomes, each with the dependant's CPF.
TelaGrade rendimentosDependentes(const Montagem&) {
  const std::string& r = kRendimentos;
  return {
      .area = Area::TMP_02,
      .filtro = doTipo("D"),
      .colunas = {col("I1_2", "Nome Fonte Pagadora", "@S40", 33), col("I1_8", "CPF Dependente", kCpf, 0, "VAL_CPF;VE_RELDEP(I1_8)"),
                  col("I1_4", "Rend.P.Jur.", kDinheiro, 0, {}, r), col("I1_6", "Previdência"_cp, kDinheiro, 0, {}, r),
                  col("I1_5", "Imposto Fonte", kDinheiro, 0, {}, r), col("I1_7", "13o Salário"_cp, kDinheiro, 0, {}, r),
                  col("I1_9", "Isentos", kDinheiro, 0, {}, r), col("I1_10", "Trib.Fonte", kDinheiro, 0, {}, r),
                  col("I1_15", "Lucro Distr.", kDinheiro, 0, {}, r), col("I1_3", "CNPJ Fonte", "@S18", 0, "POEPONTO(0);CPFCGC"),
                  col("I1_13", "Mensalao", kDinheiro, 0, {}, r), col("I1_19", "Exig. Suspensa", kDinheiro, 0, {}, r),
                  col("I1_20", "Depos. Judicial", kDinheiro, 0, {}, r)},
      .ultPos = 13,
      .ret = {10, 1, 17, 79},
      .rodape = true,
      .dica = 2,
      .antes = r,
  };
}

// The carnê-leão's entries of a month's column, opened from the monthly matrix: of the kind,
// owner and dependant the matrix is open for.
std::function<bool(const Table&)> doLeao(const Grade& g) {
  return [kind = g.I1_1, tit = g.I1_11, dep = g.CPFDEPEN](const Table& t) {
    if (!campoIgual(t, "I1_1", kind) || !campoIgual(t, "I1_11", tit)) return false;
    return tit != "N" || campoIgual(t, "I1_8", dep);
  };
}

const std::string kLeao = "FDE_LEAO(1)";

// Screen 17: each payer or payee by name with its total.
TelaGrade leaoNomes(const Montagem& m) {
  static const char* const kNomes[] = {"Nome da fonte pagadora", "Nome fonte exterior", "Descrição da despesa",
                                       "Nome da Previdência", "Nome do Recebedor"};
  const std::string nome = kNomes[std::clamp(m.g.POSHORMAT, 2, 6) - 2];
  return {
      .area = Area::TMP_02,
      .filtro = doLeao(m.g),
      .colunas = {col("I1_2", rt::text::utf8ToCp860(nome), "@s40"), col("I1_4", "Total R$ ", kPagto, 0, {}, kLeao)},
      // Enter on the real last column wraps (the screen's old last column lay past it).
      .ultPos = 2,
      .primeiraColuna = 2,
      .ret = {8, 2, 21, 55},
      .moldura = 1,
      .rodape = true,
      .dica = m.g.POSHORMAT == 5 ? 15 : 0,
      .depois = kLeao,
  };
}

// Screen 18: the cash book's receipts or expenses (TIPOCR) of the kind.
TelaGrade leaoLivro(const Montagem& m) {
  const bool receita = m.g.POSHORMAT == 2;
  return {
      .area = Area::TMP_02,
      .filtro = [kind = m.g.I1_1, cr = m.g.TIPOCR](const Table& t) { return campoIgual(t, "I1_1", kind) && campoIgual(t, "TIPOCR", cr); },
      .colunas = {col("DT_LC", "Data", "@D"), col("I1_2", receita ? "Descrição das receitas"_cp : "Descrição das despesas"_cp, "@S44"),
                  col("I1_4", "Valor em R$==>", kPagto, 0, {}, kLeao),
                  receita ? col("I1_3", "CPF", "@S14", 0, "CPFCGC") : col("I1_3", "CPF ou CNPJ", "@S18", 0, "CPFCGC")},
      .ultPos = 3,
      .ret = {5, 5, 18, 76},
      .moldura = 1,
      .rodape = true,
      .depois = kLeao,
      // Incomes from abroad are kept month by month only.
      .recusa = m.g.POSHORMAT == 3
                    ? std::string("Rendimentos do exterior deve ser preenchido") + "no modo individual. Mude com ALT A.       "
                    : std::string(),
  };
}

// Screen 24: the month's total only; the months of the complementary tax, opened from the
// summary (kind "M"), stand under its field.
TelaGrade leaoTotal(const Montagem& m) {
  const bool complementar = m.g.I1_1 == "M";
  const char* titulo = complementar ? "Total REAL" : m.g.POSHORMAT == 5 ? "Total INSS" : "Total Leao";
  return {
      .area = Area::TMP_02,
      .filtro = doLeao(m.g),
      .colunas = {col("I1_4", titulo, kPagto, 0, {}, kLeao)},
      .ultPos = 1,
      .ret = complementar ? rt::term::Rect{4, 43, 10, 58} : rt::term::Rect{8, 40, 14, 55},
      .moldura = 1,
      .rodape = true,
      .dica = m.g.POSHORMAT == 5 ? 15 : 0,
      .depois = kLeao,
  };
}

}  // namespace

std::span<const RegistroTela> telasRendimentos() {
  static const RegistroTela telas[] = {
      {.opc = 1,
       .tracos = daDeclaracao({.insereAntes = true,
                               .tipoRendimento = "J",
                               .mesAMes = {"I1_4", "I1_6", "I1_5"},
                               .recalculoCalculadora = kRendimentos}),
       .monta = rendimentosTitular},
      {.opc = 2,
       .tracos = daDeclaracao({.insereAntes = true,
                               .tipoRendimento = "D",
                               .mesAMes = {"I1_4", "I1_6", "I1_5"},
                               .recalculoCalculadora = kRendimentos}),
       .monta = rendimentosDependentes},
      {.opc = 17, .tracos = daDeclaracao({.gravaLeao = true, .mesAMes = {"I1_4"}, .mensalNoEnter = 2}), .monta = leaoNomes},
      {.opc = 18, .tracos = daDeclaracao({.ordena = true, .gravaLeao = true, .gravaTipoCr = true}), .monta = leaoLivro},
      {.opc = 24, .tracos = daCopia({.gravaLeao = true, .mesAMes = {"I1_4"}, .mensalNoEnter = -1}), .monta = leaoTotal},
  };
  return telas;
}

}  // namespace grid
