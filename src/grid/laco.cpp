#include "grid/laco.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "console/calculadora.h"
#include "console/mensagens.h"
#include "console/recusas.h"
#include "grid/congela.h"
#include "grid/detalhes.h"
#include "grid/edita.h"
#include "grid/relogio_ocioso.h"
#include "grid/teclas_tela.h"
#include "rt/db/structure.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/read.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;
using rt::ui::Value;
namespace key = rt::term::key;

namespace {

// Whether a value has the type a field holds.
bool mesmoTipo(const rt::db::FieldDef& f, const Value& v) {
  switch (f.type) {
    case 'N':
    case 'F':
      return std::holds_alternative<rt::text::Decimal>(v);
    case 'D':
      return std::holds_alternative<rt::text::Date>(v);
    case 'L':
      return std::holds_alternative<bool>(v);
    default:
      return std::holds_alternative<std::string>(v);
  }
}

const Coluna& colunaAtual(const Sessao& s) {
  const int i = std::clamp(s.g.PONTEIRO, 1, static_cast<int>(s.tela.colunas.size()));
  return s.tela.colunas[static_cast<std::size_t>(i - 1)];
}

// The screen row of the browse's current row: the heading line and its separator come first.
int linhaAtual(const Sessao& s, const rt::term::Rect& dentro) { return dentro.top + 2 + s.b.rowPos() - 1; }

int exitKey(Sessao& s, const rt::term::Key& ultima, bool anexa) {
  Grade& g = s.g;
  rt::term::Console& con = s.ctx.console;
  switch (ultima.code) {
    case key::PgDn:
      return anexa ? 0 : key::Down;
    case key::PgUp:
      return anexa ? 0 : key::Up;
    case key::Up:
    case key::Down:
      return ultima.code;
    case key::Esc:
      s.ctx.janelas.FECHAJAN(console::Jan::kMensagem);
      s.ctx.TAM_OLD = 0;
      return 0;
    default:
      break;
  }
  if (ultima.code == key::Enter || ultima.isChar()) {
    if (g.PONTEIRO == g.ULT_POS) {
      con.push(key::CtrlHome);
      con.push(key::Down);
      g.PONTEIRO = 1;
    } else {
      con.push(key::Right);
    }
  }
  return 0;
}

// The keys a grid that is only looked through still takes: moves, copying a cell, who the
// declaration is, and leaving.
bool teclaDeLeitura(int code) {
  switch (code) {
    case key::Up:
    case key::Down:
    case key::PgUp:
    case key::PgDn:
    case key::CtrlPgUp:
    case key::CtrlPgDn:
    case key::Left:
    case key::Right:
    case key::Home:
    case key::End:
    case key::CtrlLeft:
    case key::CtrlRight:
    case key::CtrlHome:
    case key::CtrlEnd:
    case key::AltM:
    case key::AltQ:
    case key::Esc:
    case key::Tab:
    case key::ShiftTab:
      return true;
    default:
      return false;
  }
}

// A long description started with Enter is shown whole while it is edited; true when it is.
bool abreDetalhe(Sessao& s, const Coluna& c, Table& t, int linha, int coluna) {
  const bool detalhe = c.valida == "MOS_DETBEM" || c.valida == "MOS_DETDIV";
  if (!detalhe || s.g.LASTECLA != key::Enter || t.eof()) return false;
  const std::string texto(rt::text::trim(t.getText(c.cpoin)));
  if (c.valida == "MOS_DETBEM") {
    MOS_DETBEM(s.ctx, texto, linha, coluna);
  } else {
    MOS_DETDIV(s.ctx, texto, linha, coluna);
  }
  return true;
}

// Where the edited row stood in the table's order before the edit.
struct LinhaAntes {
  std::string chave;
  std::uint32_t registro = 0;
};

// The value an edit accepted written into the row (added first on the append row), with the
// column's recomputation; the key to go on with, or nothing when the row could not be added
// or moved in the order, which ends the edit there.
std::optional<int> gravaEditado(Sessao& s, const Coluna& c, Table& t, const Value& valor, bool anexa,
                                const LinhaAntes& antes, const rt::term::Key& ultima) {
  Grade& g = s.g;
  store::Contexto& ctx = s.ctx;
  const bool novo = g.LAPPEND && s.fonte.fantasma();
  if (novo && !ADIC_REG(ctx, g, s.tela.tracos)) return std::nullopt;
  g.LASTECLA = 0;
  s.seleciona();
  if (F_TROCA(ctx, g, valor) && !c.recalc.empty()) g.srv().recalcula(ctx, g, c.recalc);
  s.seleciona();
  if (t.order() > 0 && !anexa && !novo && t.currentKey(t.order()) != antes.chave) {
    // FRESHORDER: the row moved in the order; show the rows again around it.
    t.goTo(antes.registro);
    s.redesenha();
    return std::nullopt;
  }
  if (novo) {
    s.redesenha();
  } else {
    s.b.refreshCurrent();
  }
  return exitKey(s, ultima, anexa);
}

}  // namespace

// `primeira`: the character that started the edit; it goes to the input as its first key. A
// cell that keeps itself closed (its check before the edit refuses, or it is calculated) passes
// it on to the cell the cursor moves to; anything else that cannot edit drops it.
int Laco::DOGET(bool anexa, std::optional<rt::term::Key> primeira) {
  Grade& g = s_.g;
  store::Contexto& ctx = s_.ctx;
  rt::term::Console& con = ctx.console;
  g.PONTEIRO = s_.b.colPos();
  // A frozen column names the row (the register's CPF and name): it is never typed into.
  if (CONGELADA(s_.b, g.PONTEIRO) || s_.tela.soLeitura) return 0;
  const Coluna& c = colunaAtual(s_);
  if (!c.editavel) {
    console::MENS(ctx, console::mens::AvisoSemMoldura, "Os valores aqui são calculados. Não se pode editar."_cp);
    const int prox = exitKey(s_, con.lastKey(), false);
    passaAdiante(primeira);
    return prox;
  }
  s_.seleciona();
  Table* t = s_.t();
  const rt::db::FieldDef* f = t != nullptr ? t->field(c.cpoin) : nullptr;
  if (f == nullptr) return 0;
  const int ordem = t->order();
  const std::string chave = ordem > 0 && !t->eof() ? t->currentKey(ordem) : std::string();
  const std::uint32_t registro = t->recNo();

  Value MGETVAR = t->eof() ? rt::db::blankValue(*f) : t->get(c.cpoin);
  if (!c.antes.empty()) {
    Value agora = MGETVAR;
    if (!g.srv().valida(ctx, g, c.antes, agora)) {
      g.LASTECLA = 0;
      const int prox = exitKey(s_, con.lastKey(), anexa);
      passaAdiante(primeira);
      return prox;
    }
    s_.seleciona();
  }
  rt::ui::Binding bind = rt::ui::var(
      "MGETVAR", [&MGETVAR] { return MGETVAR; }, [&MGETVAR](const Value& v) { MGETVAR = v; },
      rt::ui::FieldShape{f->width, f->decimals});
  const int coluna = std::max(s_.b.screenColOf(g.PONTEIRO), 0);
  const int linha = linhaAtual(s_, dentro_);
  rt::ui::Get get(linha, coluna, std::move(bind), c.masc);
  const bool detalhe = c.valida == "MOS_DETBEM" || c.valida == "MOS_DETDIV";
  const bool mostraDetalhe = abreDetalhe(s_, c, *t, linha, coluna);
  if (!c.valida.empty() && !detalhe)
    get.valid([this, &c, &MGETVAR] { return s_.g.srv().valida(s_.ctx, s_.g, c.valida, MGETVAR); });
  const bool saida = con.readExit();
  con.setReadExit(true);
  if (primeira) con.push(*primeira);
  // In a declaration what the input refuses before the cell's check is said, as on its forms.
  const rt::ui::ReadResult r = rt::ui::readOne(con, std::move(get), {},
                                               g.declaracaoAberta() ? console::avisoDeRecusa(ctx) : rt::ui::RefusalNotice{});
  con.setReadExit(saida);
  g.LASTECLA = 0;
  // Typed out: the cell ended on its last character, not on a key that moves.
  const bool cheio = !r.escaped && r.lastKey.isChar();
  const int movesCheio = g.PONTEIRO == g.ULT_POS ? 2 : 1;
  if (mostraDetalhe) {
    ctx.janelas.FECHAJAN(console::Jan::kMensagem);
    ctx.TAM_OLD = 0;
  }

  int proxima = 0;
  if (r.updated && !r.escaped) {
    const std::optional<int> p = gravaEditado(s_, c, *t, MGETVAR, anexa, {chave, registro}, r.lastKey);
    if (!p) return 0;
    proxima = *p;
  } else {
    proxima = exitKey(s_, r.lastKey, anexa);
  }
  if (cheio) movesDoCheio_ = movesCheio;
  if (s_.tela.redesenhaCelula) s_.redesenha();
  return proxima;
}

void Laco::cola(bool novaLinha) {
  Grade& g = s_.g;
  if (!g.CLIPTEX) return;
  s_.seleciona();
  Table* t = s_.t();
  const rt::db::FieldDef* f = t->field(colunaAtual(s_).cpoin);
  if (f == nullptr || !mesmoTipo(*f, *g.CLIPTEX)) return;  // another type: ignored
  if (novaLinha || (g.LAPPEND && s_.fonte.fantasma())) {
    if (!ADIC_REG(s_.ctx, g, tracos())) return;
  }
  const Coluna& c = colunaAtual(s_);
  if (F_TROCA(s_.ctx, g, *g.CLIPTEX) && !c.recalc.empty()) g.srv().recalcula(s_.ctx, g, c.recalc);
  s_.redesenha();
}

void Laco::calculadora(const rt::term::Key&) {
  if (!tracos().navega) return;
  Grade& g = s_.g;
  if (!console::CALCULADORA(s_.ctx, g.calculadora, console::Jan::kCalculadora, g.calculadora.LCAL, g.calculadora.CCAL)) return;
  s_.seleciona();
  Table* t = s_.t();
  const rt::db::FieldDef* f = t->field(colunaAtual(s_).cpoin);
  if (f == nullptr || t->eof()) return;
  Value v;
  if (f->type == 'N') {
    v = g.calculadora.RESULT;
  } else if (f->type == 'C') {
    std::string texto = std::string(rt::text::trim(t->getText(f->name))) + " " +
                        std::string(rt::text::alltrim(rt::text::transform(g.calculadora.RESULT, "@EZ 9,999,999,999.99")));
    v = rt::text::padr(texto, f->width);
  } else {
    return;
  }
  if (F_TROCA(s_.ctx, g, v)) {
    const std::string& r = tracos().recalculoCalculadora;
    if (!r.empty()) g.srv().recalcula(s_.ctx, g, r);
  }
  s_.redesenha();
}

// Ctrl+Enter on the remembered lists: the row chosen goes back to the calling grid.
void Laco::escolhe() {
  Grade& g = s_.g;
  Table* t = s_.t();
  if (!s_.tela.tracos.notas) {
    if (t == nullptr || t->eof()) return;
    g.escolha.clear();
    for (const char* campo : {"NOME", "CGCCPF", "CODIGO", "DESCRICAO"})
      if (t->field(campo) != nullptr) g.escolha.emplace_back(campo, t->get(campo));
    g.ULTTECLA = key::CtrlEnter;
    s_.sair = true;
  } else if (g.declaracaoAberta() && t != nullptr && !t->eof()) {
    const int pagina = static_cast<int>(t->getNumber("PAGINA").wholePart());
    if (pagina != 0) {
      if (g.tela != nullptr) g.tela->TELA = pagina - 1;
      g.TECLAMUDA = true;
      g.ULTTECLA = key::Enter;
      s_.sair = true;
    }
  }
}

// Alt+J: the copied text put at the end of an asset's description.
void Laco::juntaDescricao(const rt::term::Key&) {
  Grade& g = s_.g;
  if (!g.pagina().juntaDescricao || g.EDI_CAMPO != "I7_2" || !g.CLIPTEX) return;
  const auto* copiado = std::get_if<std::string>(&*g.CLIPTEX);
  s_.seleciona();
  Table* t = s_.t();
  if (copiado == nullptr || t == nullptr || t->eof()) return;
  const std::string pergunta =
      duasLinhas("Essa opção acrescenta os dado copiados com ALT M"_cp, " para o fim dessa descrição.Confirma?"_cp);
  if (console::MENS(s_.ctx, console::mens::Escolha, pergunta, {.linhas = 2, .teclas = "SN"}) != "S") return;
  s_.seleciona();
  const rt::db::FieldDef* f = t->field("I7_2");
  std::string junto = std::string(rt::text::trim(t->getText("I7_2"))) + std::string(rt::text::trim(*copiado));
  if (f != nullptr) junto = rt::text::padr(junto, f->width);
  if (F_TROCA(s_.ctx, g, junto)) s_.redesenha();
}

// The declaration's own grids (1-20) wait with the idle clock; the others simply wait.
rt::term::Key Laco::esperaTecla() {
  if (!s_.tela.tracos.relogio) return s_.ctx.console.waitKey();
  return esperaTeclaOciosa(s_.ctx, s_.g);
}

// The driver's screen keys: only inside an open declaration.
bool Laco::teclaTela(int code) {
  Grade& g = s_.g;
  const bool registro = s_.tela.tracos.registro;
  if (code == key::F1 || code == key::F2 || code == key::F3) {
    if (registro) {
      if (code == key::F3 && !s_.tela.tracos.ordemEstatus) return true;
      const bool direta = s_.tela.tracos.ordemDireta;
      const int ordem = code == key::F1 ? (direta ? 1 : 2) : code == key::F2 ? (direta ? 2 : 1) : 3;
      if (Table* t = s_.t(); t != nullptr && ordem <= t->orderCount()) {
        t->setOrder(ordem);
        t->goTop();
        s_.redesenha();
      }
      return true;
    }
    // Screens that do not navigate (the folder list, the bank slips) take them as nothing.
    if (!s_.tela.tracos.navega) return true;
  }
  if (mudaDePagina(s_.ctx, g, code, s_.tela.tracos)) saiCom(code);
  return true;
}

void Laco::roda() {
  Grade& g = s_.g;
  rt::term::Console& con = s_.ctx.console;
  rt::ui::Browse& b = s_.b;
  if (g.SO_MOS != 0) {
    // Only drawn, with the current row marked, behind a form that shows it.
    while (!b.stabilize()) {
    }
    b.paintCurrentRow({3, 4});
    con.refresh();
    return;
  }
  const bool anexa = tracos().cresce && !s_.tela.soLeitura;
  if (anexa && s_.fonte.eof() && s_.fonte.bof()) con.push(key::Down);
  while (!s_.sair) {
    while (!b.stabilize())
      if (con.keyWaiting()) break;
    if (desceu_ && b.hitBottom() && anexa && !(g.LAPPEND && s_.fonte.fantasma())) {
      if (g.LAPPEND) {
        b.refreshCurrent();
        b.goBottom();
      } else {
        g.LAPPEND = true;
      }
      b.down();
      b.forceStable();
    }
    SAI_CONGELADA(b);
    b.paintCurrentRow({3, 4});
    retomada_ = retoma_.has_value();
    rt::term::Key k = retomada_ ? *retoma_ : esperaTecla();
    retoma_.reset();
    if (movesDoCheio_ > 0) {
      enterDoCheio_ = --movesDoCheio_ == 0;
    } else if (std::exchange(enterDoCheio_, false) && k.code == key::Enter) {
      desceu_ = false;
      continue;
    }
    desceu_ = k.code == key::Down || k.code == key::PgDn;
    g.PONTEIRO = b.colPos();
    g.PONTVERT = b.rowPos();
    g.EDI_CAMPO = g.TABCPOIN.empty() ? std::string() : g.TABCPOIN[static_cast<std::size_t>(g.PONTEIRO - 1)];
    con.setBell(tracos().longas);
    con.setConfirm(tracos().longas);
    s_.seleciona();
    if (s_.tela.soLeitura && !teclaDeLeitura(k.code)) continue;

    inicial_.reset();
    // Only the moves a refused cell pushed come between it and the character it passed on.
    if (k.isChar()) {
      if (!passado_) passagens_ = 0;
      passado_ = false;
    } else if (k.code != key::Right && k.code != key::CtrlHome && k.code != key::Down) {
      passado_ = false;
    }
    if (k.isChar()) {
      // On the folder list the mark key marks the row wherever the cursor stands: typed into a
      // folder's name it would only overwrite the name's first letter (Linux names keep their
      // case, so "S" is the one mark; "N" unmarks).
      const bool marcaLinha = k.code == 'S' || k.code == 's' || k.code == 'N' || k.code == 'n';
      if (tracos().marcaPasta && g.PONTEIRO > 1 && !s_.fonte.fantasma() && marcaLinha) {
        b.setColPos(1);
        g.PONTEIRO = 1;
      }
      // A character starts the cell's edit as Enter does, and is its first key (the old
      // grid pushed Enter and the character; a character the edit never took would then
      // start it again and again without a key being read).
      g.LASTECLA = k.code;
      inicial_ = k;
      k = rt::term::Key{key::Enter};
    }
    despacha(k);
  }
  b.paintCurrentRow({1, 1});
}

void Laco::despacha(const rt::term::Key& k) {
  if (teclaDePagina(k.code)) {
    pagina(k);
  } else if (const Acao a = acao(k.code)) {
    (this->*a)(k);
  } else {
    rt::ui::applyStandardKey(s_.b, k);
  }
}

}  // namespace grid
