// The table grid's keys: the key table and what each key does.
#include "console/mensagens.h"
#include "grid/edita.h"
#include "grid/laco.h"
#include "grid/memoria.h"
#include "grid/mensal.h"
#include "rt/text/cp860.h"
#include "rt/ui/browse.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;
namespace key = rt::term::key;

Laco::Acao Laco::acao(int code) {
  static constexpr AcaoTecla kAcoes[] = {
      {key::Enter, &Laco::enter},
      {key::CtrlEnter, &Laco::ctrlEnter},  // also Ctrl+J, the same code
      {key::AltU, &Laco::divideMensal},
      {key::AltF4, &Laco::aninha},
      {key::AltF5, &Laco::aninha},
      {key::AltF6, &Laco::aninha},
      {key::AltB, &Laco::buscaDespesas},
      {key::AltJ, &Laco::juntaDescricao},
      {key::AltT, &Laco::relogio},
      // The widened lists of the assets and debts page: the table grid's own page keys.
      {key::AltZ, &Laco::pagina},
      {key::AltX, &Laco::pagina},
      {key::AltC, &Laco::colaAqui},
      {key::AltV, &Laco::colaNova},
      {key::AltM, &Laco::copia},
      {key::AltQ, &Laco::quem},
      {key::AltO, &Laco::ordena},
      {key::AltR, &Laco::renumera},
      {key::AltS, &Laco::calculadora},
      {key::AltW, &Laco::salva},
      {key::AltL, &Laco::insereVarias},
      {key::AltEquals, &Laco::marca},
      {key::AltKeypadPlus, &Laco::marca},
      {key::AltMinus, &Laco::desmarca},
      {key::AltKeypadMinus, &Laco::desmarca},
      {key::Alt1 + 1, &Laco::subtotal},
      {key::Alt1 + 2, &Laco::subtotal},
      {key::Down, &Laco::desce},
      {key::PgDn, &Laco::desce},
      {key::Up, &Laco::sobe},
      {key::PgUp, &Laco::sobe},
      {key::CtrlPgUp, &Laco::sobe},
      {key::CtrlPgDn, &Laco::sobe},
      {key::Del, &Laco::apaga},
      {key::Ins, &Laco::insere},
      {key::Esc, &Laco::esc},
      {key::Tab, &Laco::sai},
      {key::ShiftTab, &Laco::sai},
  };
  for (const AcaoTecla& a : kAcoes)
    if (a.tecla == code) return a.faz;
  return nullptr;
}

void Laco::divideMensal(const rt::term::Key&) {
  DIVIDE_MENSAL(s_);
}

void Laco::enter(const rt::term::Key&) {
  Grade& g = s_.g;
  // Enter itself, not a character that starts the cell's edit, hands the row to the screen.
  if (s_.tela.aoEnter && !inicial_ && !s_.fonte.fantasma())
    if (const Table* t = s_.t()) s_.tela.aoEnter(*t);
  // On the carnê-leão's detail grids a value is typed month by month.
  if (tracos().mensalNoEnter != 0 && (tracos().mensalNoEnter == -1 || tracos().mensalNoEnter == g.PONTEIRO)) {
    DIVIDE_MENSAL(s_, inicial_);
    g.LASTECLA = 0;
    return;
  }
  if (g.LASTECLA == 0) g.LASTECLA = 13;
  if (g.LAPPEND || !s_.fonte.fantasma()) {
    if (const int prox = DOGET(g.LAPPEND, inicial_); prox != 0) s_.ctx.console.push(prox);
  } else {
    // On the phantom row outside append mode: handled as Down.
    s_.b.down();
    desceu_ = true;
    if (inicial_ && !retomada_) retoma_ = inicial_;
  }
}

void Laco::ctrlEnter(const rt::term::Key&) {
  if (tracos().escolhe) {
    escolhe();
  } else if (tracos().lembra && !s_.fonte.fantasma()) {
    LEMBRA(s_);
  }
}

void Laco::aninha(const rt::term::Key& k) {
  const int tela = k.code == key::AltF4 ? tracos().aninhaF4 : k.code == key::AltF5 ? tracos().aninhaF5 : tracos().aninhaF6;
  if (tela != 0) ANINHA(s_, tela);
}

void Laco::buscaDespesas(const rt::term::Key&) {
  Grade& g = s_.g;
  if (!g.pagina().buscaDespesas) return;
  g.srv().BUSCA_DESP(s_.ctx, g);
  s_.seleciona();
  s_.redesenha();
}

void Laco::relogio(const rt::term::Key&) {
  if (tracos().relogio && s_.g.declaracaoAberta()) s_.g.srv().DESLIG_RELG(s_.ctx, s_.g);
}

void Laco::pagina(const rt::term::Key& k) {
  teclaTela(k.code);
}

void Laco::colaNova(const rt::term::Key&) {
  if (tracos().colaNova) cola(true);
}

void Laco::copia(const rt::term::Key&) {
  Grade& g = s_.g;
  const Table* t = s_.t();
  if (t != nullptr && !t->eof() && t->field(g.EDI_CAMPO) != nullptr) g.CLIPTEX = t->get(g.EDI_CAMPO);
}

void Laco::quem(const rt::term::Key&) { DIGA_QUEM(s_.ctx, s_.g, s_.g.NOMECONTR); }

void Laco::ordena(const rt::term::Key&) {
  if (tracos().ordena) ORDENA(s_, false);
}

void Laco::renumera(const rt::term::Key&) {
  if (!s_.tela.campoItem.empty() && !s_.fonte.fantasma()) RENUMERA(s_);
}

void Laco::salva(const rt::term::Key&) {
  Grade& g = s_.g;
  if (g.declaracaoAberta() && g.TEMP_SAL < 98) g.srv().SAL_DEC(s_.ctx, g);
}

void Laco::insereVarias(const rt::term::Key&) {
  if (!tracos().insereVarias || s_.fonte.fantasma()) return;
  rt::text::Decimal n;
  console::MENS(s_.ctx, console::mens::Campo, "Insere    linhas após esse Item."_cp, n, {.picture = "@Z 9"});
  if (n.raw() > 0) INSERE_APOS(s_, static_cast<int>(n.wholePart()));
}

void Laco::marca(const rt::term::Key&) {
  if (tracos().marcaTodos) MARCA_TODOS(s_, true);
  if (tracos().subtotais) ORDENA(s_, true);
}

void Laco::desmarca(const rt::term::Key&) {
  if (tracos().marcaTodos) MARCA_TODOS(s_, false);
}

void Laco::subtotal(const rt::term::Key& k) {
  if (tracos().subtotais) SUBTOTAL(s_, k.code == key::Alt1 + 2);
}

void Laco::desce(const rt::term::Key& k) {
  if (s_.g.LAPPEND) return;
  if (k.code == key::Down) {
    s_.b.down();
  } else {
    s_.b.pageDown();
  }
}

void Laco::sobe(const rt::term::Key& k) {
  if (s_.g.LAPPEND) {
    s_.g.LAPPEND = false;
    if (s_.fonte.fantasma()) s_.b.up();
    s_.redesenha();
  } else {
    rt::ui::applyStandardKey(s_.b, k);
  }
}

void Laco::apaga(const rt::term::Key&) {
  if (tracos().apaga && !s_.fonte.fantasma()) EXCLUI_LINHA(s_);
}

void Laco::insere(const rt::term::Key&) {
  if (tracos().boletoUnico) {
    s_.g.srv().UNICO_BOL(s_.ctx, s_.g);
    s_.ctx.janelas.FECHAJAN(console::Jan::kTela);
    s_.seleciona();
    s_.redesenha();
  } else if (!s_.fonte.fantasma()) {
    if (!s_.tela.campoLinha.empty()) {
      if (console::MENS(s_.ctx, console::mens::Escolha, "Insere uma linha após esse Item?"_cp, {.teclas = "SN"}) == "S") INSERE_APOS(s_, 1);
    } else if (tracos().insereAntes) {
      INSERE_ANTES(s_);
    }
  }
}

void Laco::esc(const rt::term::Key& k) {
  s_.ctx.console.setBell(false);
  s_.ctx.console.setConfirm(false);
  saiCom(k.code);
}

}  // namespace grid
