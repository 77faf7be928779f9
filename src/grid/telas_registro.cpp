// The register of taxpayers (41, 42, 46, 47): in window 6, the CPF first, the CPF and name
// frozen; the keys mark rows and choose the order, and a taxpayer is deleted through the menu.
#include "grid/telas_catalogo.h"
#include "rt/text/cp860.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;
using store::Area;

namespace {

const char* const kMarque = "Marque [S] nos nomes - Esc termina |Alt(+)Marca todos | ALT(-)Desmarca";

// The status column: the status number's name as VE_STAT gives it at `pos`.
Coluna estatus(const Montagem& m, std::string_view desc, std::string_view masc, int pos, std::string campo) {
  Coluna st = col("ESTATUS", desc, std::string(masc));
  st.campo = std::move(campo);
  st.exibe = [&ctx = m.ctx, &g = m.g, pos](const Table& t) -> rt::ui::Value {
    return g.srv().VE_STAT(ctx, static_cast<int>(t.getNumber("ESTATUS").wholePart()), pos);
  };
  return st;
}

Coluna colunaCpf() { return col("CPF", " CPF ", kCpf); }

// Screen 41: the register by the status order POSEST (the status list of the working copy
// for 4).
TelaGrade porEstatus(const Montagem& m) {
  return {
      .area = m.g.POSEST == 4 ? Area::TMP_09 : Area::IMP0910,
      .colunas = {colunaCpf(), col("NOMECONTR", " Nome do Contribuinte ", "", 30),
                  estatus(m, "Status", "@s12", m.g.POSEST, "ve_stat(ESTATUS,posest)"), col("IMPRE", m.g.CTITULO, "@!")},
      .ultPos = 4,
      .congela = 3,
      .ret = {10, 4, 22, 70},
      .moldura = 6,
      .dica = 10,
  };
}

// Screen 42: the register with its fees, time and receipts.
TelaGrade cobranca(const Montagem& m) {
  return {
      .area = Area::IMP0910,
      .colunas = {colunaCpf(), col("NOMECONTR", " Nome do Contribuinte ", "", 23),
                  estatus(m, "Descrição"_cp, "@s13", 3, "ve_stat(ESTATUS,3)"), col("ESTATUS", "St.", "@ 99"),
                  col("VALOREC", "Cobrar", "@EZ 999,999.99"), col("TEM_USO", "Tempo(s)", "@Ez 999,999"),
                  col("RECIBOATU", "Recibo 2010", "@r 999999999999"), col("RECIBOANT", "Recibo 2009", "@r 999999999999")},
      .ultPos = 8,
      .congela = 3,
      .ret = {10, 1, 22, 78},
      .moldura = 6,
  };
}

// Screen 46: the register, a mark for each taxpayer chosen.
TelaGrade marcados(const Montagem& m) {
  return {
      .area = Area::IMP0910,
      .colunas = {colunaCpf(), col("NOMECONTR", " Nome do Contribuinte ", "", 30), estatus(m, "Status", "@s13", 3, "ve_stat(ESTATUS,3)"),
                  col("IMPRE", "Selec", "@!")},
      .ultPos = 4,
      .congela = 3,
      .ret = {10, 4, 22, 70},
      .moldura = 6,
      .mensagem = kMarque,
  };
}

// Screen 47: the register with the bank slips due, a mark for each taxpayer chosen.
TelaGrade devedores(const Montagem&) {
  return {
      .area = Area::IMP0910,
      .colunas = {colunaCpf(), col("NOMECONTR", " Nome do Contribuinte ", "@S20", 30), col("IMPRE", "Sel", "@!"),
                  col("NRQUOTA", "Qt", "@Z9"), col("DFQUOTA", "Quota IR", kPagto), col("NRCLEAO", "Qt", "@Z99"),
                  col("DFCLEAO", "Carnê Leao"_cp, kPagto), col("NRGCAPIT", "Qt", "@Z99"), col("DFGCAPIT", "Gan.Capital", kPagto),
                  col("NRRVARIV", "Qt", "@Z99"), col("DFRVARIV", "R.Variável"_cp, kPagto)},
      .ultPos = 3,
      .congela = 2,
      .ret = {10, 2, 22, 75},
      .moldura = 6,
      .mensagem = kMarque,
  };
}

}  // namespace

// F1-F3 choose the order; the lists that mark taxpayers (46, 47) keep only the name and CPF
// orders.
std::span<const RegistroTela> telasRegistro() {
  static const RegistroTela telas[] = {
      {.opc = 41, .tracos = {.marcaTodos = true, .registro = true, .ordemEstatus = true}, .monta = porEstatus},
      {.opc = 42, .tracos = {.registro = true, .ordemEstatus = true}, .monta = cobranca},
      {.opc = 46, .tracos = {.marcaTodos = true, .registro = true}, .monta = marcados},
      {.opc = 47, .tracos = {.marcaTodos = true, .registro = true, .marcaDevedores = true}, .monta = devedores},
  };
  return telas;
}

}  // namespace grid
