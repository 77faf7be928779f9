// Screen 7, the summary of the tax: the simplified model or the complete one, each over its own
// background, with the fields the user may still change (the quotas, the monthly complementary
// tax, tax paid abroad, the simulation). Ctrl+S switches the model and draws the other one;
// Ctrl+Enter on the complementary tax opens its months. Every change recomputes the summary.
#include <optional>
#include <string>
#include <vector>

#include "console/alerta.h"
#include "grid/edita.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/campos.h"
#include "screens/formulario.h"
#include "screens/rodape.h"
#include "screens/teclas.h"
#include "screens/telas.h"
#include "store/areas.h"
#include "taxcalc/balanco.h"
#include "taxcalc/calc.h"
#include "taxcalc/resumo.h"
#include "taxcalc/rendimentos.h"

namespace screens {

using namespace rt::text::literals;
namespace key = rt::term::key;
using rt::text::Decimal;

namespace {

constexpr std::string_view kValor = "@Ez 999,999,999.99";
constexpr int kCtrlS = 19;

// The monthly complementary tax typed month by month: rows of kind "M" of the income copy.
Decimal somaMensalao(AmbienteTela& a) {
  rt::db::Table* t = a.ctx.areas.table(store::Area::TMP_02);
  if (t == nullptr) return {};
  const std::uint32_t onde = t->recNo();
  t->clearFilter();
  Decimal soma;
  for (t->goTop(); t->status().isOk() && !t->eof(); t->skip())
    if (t->getText("I1_1") == "M") soma += t->getNumber("I1_4");
  t->goTo(onde);
  return soma;
}

class Resumo {
 public:
  Resumo(AmbienteTela& a, const Fundo& f) : a_(a), f_(f) {}
  // One pass of the form over the model in force; true when Ctrl+S switched it.
  bool roda();

 private:
  bool simplificado() const { return a_.espelho().registro.txt("USAPADRAO") == "S"; }
  bool final() const { return a_.espelho().tabela01.txt("DECFINAL") == "S"; }
  void mostraValores(Formulario& form);
  void avisoRural();
  bool GET_PREV();
  bool CONFIR_GET();
  void MUDA();
  bool VE_QUOT();
  bool TEM_EXTER();
  void camposSimplificado(Formulario& form);
  void camposCompleto(Formulario& form);
  // A field's check that recomputes and then shows the summary again.
  template <class F>
  auto recalcula(Formulario& form, F f) {
    return [this, &form, f] {
      const bool ok = f();
      mostraValores(form);
      return ok;
    };
  }

  AmbienteTela& a_;
  Fundo f_;
  taxcalc::Simulacao sim_;
  bool trocou_ = false;
};

void Resumo::mostraValores(Formulario& form) {
  const taxcalc::Contexto& c = a_.calc;
  for (const console::CampoMoldura& campo : f_.quadro.campos()) {
    const std::string& n = campo.rotulo;
    if (n == "I13_0345")
      form.mostra(n, c.num("I13_03") + c.num("I13_04") + c.num("I13_05"), kValor);
    else if (n == "I13_2324")
      form.mostra(n, c.num("I13_23") + c.num("I13_24"), kValor);
    else if (n == "NSRECEITA")
      form.mostra(n, sim_.NSRECEITA, kValor);
    else if (n == "I13_29")
      form.mostra(n, c.num(n), "@Z 9");
    else if (n.rfind("I13_", 0) == 0 || n == "DESPADRAO")
      form.mostra(n, c.num(n), kValor);
  }
  form.read().display();
}

void Resumo::avisoRural() {
  const store::RegistroEspelho& r = a_.espelho().rural;
  if (r.num("I4R_04") <= Decimal() && r.num("I4R_07") >= Decimal()) return;
  console::AVISOSN(a_.ctx, "Com prejuizo a compensar na Atividade Rural NAO é vantajoso utilizar o desconto padrão."_cp, 0);
  a_.calc.saida.rodape("ATENCAO! E'mais vantajoso usar o formulário completo"_cp);
}

bool Resumo::GET_PREV() {
  rt::term::ActiveInput* in = a_.ctx.console.activeInput();
  if (in == nullptr || !in->name().ends_with("I13_24")) return true;
  grid::Grade& g = a_.grade;
  // The months of the complementary tax are the income rows of kind "M"; the kind the grids
  // link new rows with is given back afterwards.
  const std::string tipo = g.I1_1;
  g.I1_1 = std::string(1, 'M');
  const int tecla = g.ULTTECLA;
  const bool muda = g.TECLAMUDA;
  grid::EDITA(a_.ctx, g, grid::Tela::LeaoTotal);
  g.I1_1 = tipo;
  g.ULTTECLA = tecla;
  g.TECLAMUDA = muda;
  if (rt::db::Table* t = a_.ctx.areas.table(store::Area::TMP_02)) t->clearFilter();
  taxcalc::FI1_T(a_.calc, 4);
  a_.CALC(7, 1);
  a_.ctx.console.clearTypeahead();
  in->requestRedisplay();
  return true;
}

bool Resumo::CONFIR_GET() {
  const Decimal soma = somaMensalao(a_);
  if (soma != Decimal() && soma != a_.calc.num("I13_24")) {
    console::AVISOSN(a_.ctx,
                     {"ATENÇAO! O valor total foi alterado e está"_cp, "diferente da soma de valores digitados mês"_cp,
                      "a mês,que tem prioridade sobre esse valor."_cp, "Tecle CRTL ENTER e altere esses valores   "_cp,
                      "mensais, caso contrário o que será gravado"_cp, "não será correto.                        "_cp},
                     0);
  }
  a_.CALC(7, 1);
  return true;
}

void Resumo::MUDA() {
  store::RegistroEspelho& r = a_.espelho().registro;
  r.txt("USAPADRAO", r.txt("USAPADRAO") == "N" ? "S" : "N");
  taxcalc::CONF_PADR(a_.calc);
  // The other model's background is drawn once the form has ended, so no field of this one
  // is shown again over it.
  trocou_ = true;
  if (rt::term::ActiveInput* in = a_.ctx.console.activeInput()) in->endRead();
}

bool Resumo::VE_QUOT() {
  if (a_.calc.num("I13_29") == Decimal::fromInt(1)) a_.espelho().registro.txt("DEBITAUT", " ");
  if (final()) return false;
  return a_.calc.num("I13_28") != Decimal();
}

bool Resumo::TEM_EXTER() {
  if (a_.calc.num("I13_05") > Decimal()) return true;
  a_.calc.poe("I13_25", Decimal());
  return false;
}

// The simplified model's fields: the quotas and the simulation.
void Resumo::camposSimplificado(Formulario& form) {
  store::EspelhoDeclaracao& e = a_.espelho();
  avisoRural();
  taxcalc::FI13_07(a_.calc);
  taxcalc::CSIMPLES(a_.calc, 1, 1);
  form.edita(e.tabela01, "I13_29", "@Z 9")
      .when([this] { return VE_QUOT(); })
      .valid(recalcula(form, [this] {
        taxcalc::CSIMPLES(a_.calc, 1, 1);
        return true;
      }));
  form.edita("nSImposto", rt::ui::var("nSImposto", sim_.NSIMPOSTO, {11, 2}), "@Ez 9999,999.99")
      .valid(recalcula(form, [this] { return taxcalc::SIMUL(a_.calc, sim_, 2); }));
}

// The complete model's fields: the model, the complementary and foreign taxes, the quotas
// and the simulation.
void Resumo::camposCompleto(Formulario& form) {
  store::EspelhoDeclaracao& e = a_.espelho();
  a_.CALC(7, 1);
  auto naoFinal = [this] { return !final(); };
  form.edita(e.registro, "USAPADRAO", "@!").when(naoFinal).valid(recalcula(form, [this] {
    // Only "S" and "N" name a model: any other letter would be shown as the complete
    // model while the summary took the simplified discount. The complete model, the one
    // this form stands for, is put back.
    if (!simNao(a_, a_.espelho().registro.txt("USAPADRAO"))) {
      a_.espelho().registro.txt("USAPADRAO", "N");
      return false;
    }
    const taxcalc::EscolhaModelo m = taxcalc::CONF_PADR(a_.calc);
    // The simplified model chosen here is drawn as Ctrl+S draws it.
    if (m.aceita && a_.espelho().registro.txt("USAPADRAO") == "S") {
      trocou_ = true;
      if (rt::term::ActiveInput* in = a_.ctx.console.activeInput()) in->endRead();
    }
    return m.aceita;
  }));
  form.edita(e.tabela01, "I13_24", kValor).valid(recalcula(form, [this] { return CONFIR_GET(); }));
  form.edita(e.tabela01, "I13_25", kValor).when([this] { return TEM_EXTER(); }).valid(recalcula(form, [this] {
    a_.calc.poe("I13_25", taxcalc::FI13_25(a_.calc, a_.calc.num("I13_25")));
    return true;
  }));
  form.edita(e.tabela01, "I13_26", kValor).valid(recalcula(form, [this] {
    a_.CALC(7, 1);
    return true;
  }));
  form.edita(e.tabela01, "I13_29", "@Z 9").when([this] { return VE_QUOT(); }).valid(recalcula(form, [this] {
    a_.CALC(7, 1);
    return true;
  }));
  form.edita("nSDeducao", rt::ui::var("nSDeducao", sim_.NSDEDUCAO, {10, 2}), "@EZ 999,999.99")
      .when(naoFinal)
      .valid(recalcula(form, [this] { return taxcalc::SIMUL(a_.calc, sim_, 1); }));
  form.edita("nSImposto", rt::ui::var("nSImposto", sim_.NSIMPOSTO, {11, 2}), "@Ez 9999,999.99")
      .when(naoFinal)
      .valid(recalcula(form, [this] { return taxcalc::SIMUL(a_.calc, sim_, 3); }));
}

bool Resumo::roda() {
  trocou_ = false;
  store::EspelhoDeclaracao& e = a_.espelho();
  MRODAPE(a_.ctx, 7, {simplificado(), modoCalculo(e)});
  sim_ = {};
  TeclasLigadas teclas(a_.ctx.console);
  teclas.liga(key::CtrlEnter, [this] { GET_PREV(); });
  // Ctrl+S only: the Left arrow gives the same code and must move the cursor.
  teclas.liga(kCtrlS, [this] { MUDA(); }, true);
  while (!trocou_) {
    Formulario form(a_, f_);
    const Redesenho redesenhoPedido(a_, [&](taxcalc::Quadro) { mostraValores(form); });
    if (simplificado()) {
      camposSimplificado(form);
    } else {
      camposCompleto(form);
    }
    mostraValores(form);
    const rt::ui::ReadResult r = form.roda();
    if (trocou_) {
      if (std::optional<Fundo> f = MTELA(a_.ctx, 7, estadoFundo(a_, 7))) f_ = std::move(*f);
      break;
    }
    if (a_.grade.TECLAMUDA || a_.grade.ULTTECLA != 0 || r.lastKey.code == key::Esc) break;
  }
  return trocou_;
}

}  // namespace

void resumo(AmbienteTela& a, const Fundo& f) {
  recalculaResumo(a);
  Resumo r(a, f);
  while (r.roda()) {
  }
}

}  // namespace screens
