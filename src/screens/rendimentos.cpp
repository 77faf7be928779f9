// Screens 1 and 2, the taxable incomes: from legal entities (RENDPJ), the taxpayer's grid and
// the dependants' under it; and from natural persons and abroad (RENDPF), one person's twelve
// months in the monthly grid, kept in that person's row of table 12.
#include <string>

#include "console/alerta.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/formulario.h"
#include "screens/grades.h"
#include "screens/telas.h"
#include "store/areas.h"
#include "store/travas.h"
#include "taxcalc/gravacoes.h"
#include "taxcalc/pagamentos.h"
#include "taxcalc/rendimentos.h"

namespace screens {

using namespace rt::text::literals;
namespace key = rt::term::key;
using rt::text::Decimal;

namespace {

constexpr std::string_view kTotal = "@Ez 9999,999.99";
constexpr std::string_view kCarne = "@EZ 999,999.99";

int dependentes(AmbienteTela& a) { return static_cast<int>(taxcalc::NRODP(a.calc).wholePart()); }

// The totals panel of screen 1, the taxpayer's beside the dependants'.
void totaisPJ(AmbienteTela& a, Formulario& form) {
  const taxcalc::Variaveis& v = a.calc.v;
  auto mostra = [&](std::string_view lugar, Decimal valor) { form.mostra(lugar, valor, kTotal); };
  for (std::string_view n : {"I13_01", "I13_02", "I13_21", "I13_22", "I13_03", "I13_04"}) mostra(n, a.calc.num(n));
  mostra("N13ROTIT", v.N13ROTIT);
  mostra("N13RODEP", v.N13RODEP);
  mostra("NPREVTIT", v.NPREVTIT);
  mostra("NPREVDEP", v.NPREVDEP);
  mostra("I13_23A", v.I13_23A);
  mostra("I13_23B", v.I13_23B);
}

}  // namespace

void RENDPJ(AmbienteTela& a, const Fundo& f) {
  grid::Grade& g = a.grade;
  Formulario form(a, f);
  const Redesenho r(a, [&](taxcalc::Quadro q) {
    if (q == taxcalc::Quadro::TotaisRendimentos) totaisPJ(a, form);
  });
  const bool comDependentes = dependentes(a) > 0;
  g.N_DEPEN = comDependentes ? 1 : 0;
  taxcalc::FI1_T(a.calc, 1);
  if (comDependentes) mostraGrade(a, 2);
  while (true) {
    editaGrade(a, 1);
    if (a.saiuDa(1) || g.ULTTECLA == key::Esc) break;
    g.TECLAMUDA = false;
    if (g.ULTTECLA == key::ShiftTab) break;
    if (comDependentes) editaGrade(a, 2);
    if (g.TECLAMUDA || g.ULTTECLA == key::Tab) break;
  }
  if (!a.espelho().JA_CALC) calculando(a, 1, 1);
  taxcalc::FI1_T(a.calc, 6);
  a.CALC(7, 0);
}

namespace {

// VETITUT(value, 1): the person of screen 2 is the taxpayer ("S") or a dependant ("N").
bool VETITUT(AmbienteTela& a, const std::string& v) {
  if (v == "S" || v == "N") return true;
  console::AVISOSN(a.ctx, "Informe com 'S'(Sim) se titular ou 'N'(Nao) se dependentes.", 0);
  return false;
}

// The row of table 12 of the person chosen: the dependant's by its CPF, the taxpayer's with
// none. Every row is searched, however few the table holds, so a dependant never gets a
// second row of his own.
bool achaPessoa(rt::db::Table& t, const std::string& cpfDependente) {
  const std::string procurado(rt::text::alltrim(cpfDependente));
  t.goTop();
  if (!t.status()) return false;
  while (t.status() && !t.eof()) {
    if (std::string(rt::text::alltrim(t.getText("CPFDEPEN"))) == procurado) return true;
    t.skip();
    if (!t.status()) return false;
  }
  return false;
}

std::string nomeMes(int x, int mes) {
  return "I2_" + std::to_string(x) + (mes < 10 ? "0" : "") + std::to_string(mes);
}

// The person of screen 2 chosen: the taxpayer, or a dependant by the CPF. False when the
// choice left the screen.
bool escolhePessoa(AmbienteTela& a, const Fundo& f, rt::db::Table& t, bool comDependentes) {
  grid::Grade& g = a.grade;
  Formulario pessoa(a, f);
  if (comDependentes) {
    // The first dependant's row from the current one on is proposed.
    for (; t.status() && !t.eof(); t.skip()) {
      const std::string cpf = t.getText("CPFDEPEN");
      if (!rt::text::alltrim(cpf).empty()) {
        g.CPFDEPEN = cpf;
        break;
      }
    }
    pessoa.edita("I1_11", rt::ui::var("I1_11", g.I1_11), "@!").valid([&a, &g] { return VETITUT(a, g.I1_11); });
    pessoa.edita("CPFDEPEN", rt::ui::var("CPFDEPEN", g.CPFDEPEN), "@R 999.999.999-99")
        .when([&g] { return g.I1_11 == "N"; })
        .valid([&a, &g] {
          rt::ui::Value v = g.CPFDEPEN;
          if (!g.srv().valida(a.ctx, g, "VAL_CPF;VE_RELDEP(M->CPFDEPEN)", v)) return false;
          if (const auto* s = std::get_if<std::string>(&v)) g.CPFDEPEN = *s;
          return true;
        });
    pessoa.roda();
    if (g.TECLAMUDA || g.ULTTECLA != 0) return false;
  } else {
    g.I1_11 = "S";
    pessoa.mostra("I1_11", g.I1_11, "@!");
  }
  return true;
}

// The months as the grid left them go back into the person's row.
void guardaMeses(AmbienteTela& a, rt::db::Table& t, std::uint32_t linha, taxcalc::Gravacoes& grava) {
  store::EspelhoDeclaracao& e = a.espelho();
  a.ctx.areas.select(store::Area::TMP_12);
  t.goTo(linha);
  if (t.status().isOk() && store::REC_LOCK(a.ctx, store::kEsperaTrava)) {
    for (int m = 1; m <= 13; ++m)
      for (int x = 1; x <= 7; ++x) grava.put(t, nomeMes(x, m), e.REC_MENSAL[m][x + 1]);
    // The release writes the row first: its refusal is the row's.
    grava.confere(t.unlock(), "a linha do carnê-leão"_cp);
  } else {
    grava.confere(rt::Status(rt::Error::kLocked, "IMP1210"), "a linha do carnê-leão"_cp);
  }
}

// The person's contribution, after the months: the key that left the months then decides
// where the screen goes unless the field was left by a key of its own (Esc, another screen).
void editaCarne(AmbienteTela& a, const Fundo& f, bool titular) {
  grid::Grade& g = a.grade;
  store::EspelhoDeclaracao& e = a.espelho();
  Formulario carne(a, f);
  carne.edita("CARNE", campoEspelho(e.tabela01, titular ? "CARNEINSS" : "CARNEDEPEN"), kCarne).valid([&a] {
    a.CALC(6, 1);
    return true;
  });
  const int tecla = g.ULTTECLA;
  const bool muda = g.TECLAMUDA;
  g.ULTTECLA = 0;
  g.TECLAMUDA = false;
  carne.roda();
  if (g.ULTTECLA == 0 && !g.TECLAMUDA) {
    g.ULTTECLA = tecla;
    g.TECLAMUDA = muda;
  }
}

}  // namespace

void RENDPF(AmbienteTela& a, const Fundo& f) {
  grid::Grade& g = a.grade;
  store::EspelhoDeclaracao& e = a.espelho();
  rt::db::Table* t = a.ctx.areas.table(store::Area::TMP_12);
  if (t == nullptr) return;
  const bool comDependentes = dependentes(a) > 0;
  if (!escolhePessoa(a, f, *t, comDependentes)) return;
  const bool titular = g.I1_11 != "N";
  if (!titular && rt::text::alltrim(g.CPFDEPEN).empty()) {
    g.TECLAMUDA = true;
    return;
  }
  const std::string cpfPessoa = titular ? std::string(11, ' ') : rt::text::padr(g.CPFDEPEN, 11);
  if (titular) g.CPFDEPEN = cpfPessoa;
  a.ctx.areas.select(store::Area::TMP_12);
  taxcalc::Gravacoes grava(a.calc.saida);
  if (!achaPessoa(*t, cpfPessoa)) {
    if (!store::ADD_REC(a.ctx, store::kEsperaTrava)) return;
    grava.put(*t, "CPF", e.CPF);
    grava.put(*t, "CPFDEPEN", cpfPessoa);
    grava.confere(t->flush(), "a linha do carnê-leão"_cp);
  }
  const std::uint32_t linha = t->recNo();
  const int modo = modoCalculo(e);
  Formulario form(a, f);
  auto mostraValores = [&] {
    const Decimal carne = a.calc.num(titular ? "CARNEINSS" : "CARNEDEPEN");
    form.mostra("CARNE", carne, kCarne);
    form.mostra("TOT_INSS", carne, kCarne);
    if (a.leao != nullptr) {
      form.mostra("DF_PAGTO", a.leao->DF_PAGTO, "@d");
      if (titular && (modo == 1 || modo == 3)) {
        form.mostra("PENSAOM", a.leao->PENSAOM, kCarne);
        form.mostra("NTOTDEP", a.leao->NTOTDEP, kCarne);
      }
    }
  };
  for (int m = 1; m <= 13; ++m)
    for (int x = 1; x <= 7; ++x) e.REC_MENSAL[m][x + 1] = t->getNumber(nomeMes(x, m));
  mostraValores();
  a.CALC(1, 1);
  editaGrade(a, 16, modo);

  guardaMeses(a, *t, linha, grava);
  mostraValores();
  // In the modes whose months are typed, the contribution follows them: the months left with
  // Esc or Tab go on to it.
  if ((modo == 2 || modo == 4) && (g.ULTTECLA == key::Esc || g.ULTTECLA == key::Tab))
    editaCarne(a, f, titular);
  a.CALC(1, 1);
  taxcalc::FI1_T(a.calc, 6);
  a.CALC(7, 0);
}

}  // namespace screens
