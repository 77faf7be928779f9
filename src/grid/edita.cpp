#include "grid/edita.h"

#include <algorithm>
#include <optional>

#include "console/alerta.h"
#include "console/fonte_tabela.h"
#include "console/mensagens.h"
#include "console/recusas.h"
#include "grid/congela.h"
#include "grid/detalhes.h"
#include "grid/gravacoes_grade.h"
#include "grid/memoria.h"
#include "grid/mensal.h"
#include "grid/relogio_ocioso.h"
#include "grid/sessao.h"
#include "grid/teclas_tela.h"
#include "rt/db/structure.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/read.h"
#include "store/travas.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;
using rt::ui::Value;
namespace key = rt::term::key;

namespace {

bool naLista(int opc, std::initializer_list<int> lista) { return std::find(lista.begin(), lista.end(), opc) != lista.end(); }

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

void poe(taxcalc::Gravacoes& grava, Table& t, std::string_view campo, const Value& v) {
  if (t.field(campo) != nullptr) grava.put(t, campo, v);
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

}  // namespace

std::string recalculoCalculadora(int opc) {
  switch (opc) {
    case 1:
    case 2:
      return "FI1_T(1)";
    case 5:
    case 8:
      return "FI7_T(1)";
    case 6:
    case 9:
      return "FI8_T(1)";
    case 22:
      return "FI7_T(6)";
    case 23:
      return "FI8_T(7)";
    case 4:
      return "FDOAPAG";
    default:
      return {};
  }
}

namespace {

class Laco {
 public:
  Laco(Sessao& s, rt::term::Rect dentro) : s_(s), dentro_(dentro) {}
  void roda();

 private:
  int DOGET(bool anexa, std::optional<rt::term::Key> primeira);
  void cola(bool novaLinha);
  void calculadora();
  void escolhe();
  void juntaDescricao();
  rt::term::Key esperaTecla();
  bool teclaTela(int code);
  void saiCom(int code) {
    s_.g.ULTTECLA = code;
    s_.g.TECLAMUDA = true;
    s_.sair = true;
  }
  // The character goes after the move the refused cell pushed, to start the next cell's edit,
  // as typing on does. Passed on at most once per column: a row whose every cell refuses drops
  // it instead of passing it round for ever without a key being read.
  void passaAdiante(const std::optional<rt::term::Key>& c) {
    if (!c || passagens_ >= std::max(s_.g.N_CAM, 1)) return;
    ++passagens_;
    s_.ctx.console.push(*c);
    passado_ = true;
  }

  Sessao& s_;
  rt::term::Rect dentro_;
  bool passado_ = false;  // the next character read is one a refused cell passed on
  int passagens_ = 0;     // cells the character has been passed on through
};

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
    console::MENS(ctx, 1, "Os valores aqui são calculados. Não se pode editar."_cp);
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
  // A long description started with Enter is shown whole while it is edited.
  const bool detalhe = c.valida == "MOS_DETBEM" || c.valida == "MOS_DETDIV";
  const bool mostraDetalhe = detalhe && g.LASTECLA == key::Enter && !t->eof();
  if (mostraDetalhe) {
    const std::string texto(rt::text::trim(t->getText(c.cpoin)));
    if (c.valida == "MOS_DETBEM") {
      MOS_DETBEM(ctx, texto, linha, coluna);
    } else {
      MOS_DETDIV(ctx, texto, linha, coluna);
    }
  }
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
  if (mostraDetalhe) {
    ctx.janelas.FECHAJAN(console::Jan::kMensagem);
    ctx.TAM_OLD = 0;
  }

  int proxima = 0;
  if (r.updated && !r.escaped) {
    const bool novo = g.LAPPEND && s_.fonte.fantasma();
    if (novo && !ADIC_REG(ctx, g)) return 0;
    g.LASTECLA = 0;
    s_.seleciona();
    if (F_TROCA(ctx, g, MGETVAR) && !c.recalc.empty()) g.srv().recalcula(ctx, g, c.recalc);
    s_.seleciona();
    if (t->order() > 0 && !anexa && !novo && t->currentKey(t->order()) != chave) {
      // FRESHORDER: the row moved in the order; show the rows again around it.
      (void)t->goTo(registro);
      s_.redesenha();
      return 0;
    }
    if (novo) {
      s_.redesenha();
    } else {
      s_.b.refreshCurrent();
    }
    proxima = exitKey(s_, r.lastKey, anexa);
  } else {
    proxima = exitKey(s_, r.lastKey, anexa);
  }
  if (naLista(s_.opc(), {10, 23, 40})) s_.redesenha();
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
    if (!ADIC_REG(s_.ctx, g)) return;
  }
  const Coluna& c = colunaAtual(s_);
  if (F_TROCA(s_.ctx, g, *g.CLIPTEX) && !c.recalc.empty()) g.srv().recalcula(s_.ctx, g, c.recalc);
  s_.redesenha();
}

void Laco::calculadora() {
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
    const std::string r = recalculoCalculadora(s_.opc());
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
void Laco::juntaDescricao() {
  Grade& g = s_.g;
  if (!g.pagina().juntaDescricao || g.EDI_CAMPO != "I7_2" || !g.CLIPTEX) return;
  const auto* copiado = std::get_if<std::string>(&*g.CLIPTEX);
  s_.seleciona();
  Table* t = s_.t();
  if (copiado == nullptr || t == nullptr || t->eof()) return;
  const std::string pergunta =
      duasLinhas("Essa opção acrescenta os dado copiados com ALT M"_cp, " para o fim dessa descrição.Confirma?"_cp);
  if (console::MENS(s_.ctx, 12, pergunta, {.linhas = 2, .teclas = "SN"}) != "S") return;
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
      const int ordem = code == key::F1 ? 2 : code == key::F2 ? 1 : 3;
      if (Table* t = s_.t(); t != nullptr && ordem <= t->orderCount()) {
        (void)t->setOrder(ordem);
        (void)t->goTop();
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
  store::Contexto& ctx = s_.ctx;
  rt::term::Console& con = ctx.console;
  rt::ui::Browse& b = s_.b;
  if (g.SO_MOS != 0) {
    // Only drawn, with the current row marked, behind a form that shows it.
    while (!b.stabilize()) {
    }
    b.paintCurrentRow({3, 4});
    con.refresh();
    return;
  }
  const Tracos& tracos = s_.tela.tracos;
  const bool anexa = tracos.cresce && !s_.tela.soLeitura;
  if (anexa && s_.fonte.eof() && s_.fonte.bof()) con.push(key::Down);
  // The browse keeps its bottom hit until the next move: only the move down that hit it opens
  // the append row, not every key after it (a cell typed on a new row would go to another).
  bool desceu = false;
  // A character typed on the phantom row outside append mode: Enter there is a move down,
  // which reopens the append row on a grid that grows, and the character is then tried once
  // more to start the new row. Tried once only: no key is ever taken twice.
  std::optional<rt::term::Key> retoma;
  while (!s_.sair) {
    while (!b.stabilize())
      if (con.keyWaiting()) break;
    if (desceu && b.hitBottom() && anexa && !(g.LAPPEND && s_.fonte.fantasma())) {
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
    const bool retomada = retoma.has_value();
    rt::term::Key k = retomada ? *retoma : esperaTecla();
    retoma.reset();
    desceu = k.code == key::Down || k.code == key::PgDn;
    g.PONTEIRO = b.colPos();
    g.PONTVERT = b.rowPos();
    g.EDI_CAMPO = g.TABCPOIN.empty() ? std::string() : g.TABCPOIN[static_cast<std::size_t>(g.PONTEIRO - 1)];
    con.setBell(tracos.longas);
    con.setConfirm(tracos.longas);
    s_.seleciona();
    Table* t = s_.t();
    if (s_.tela.soLeitura && !teclaDeLeitura(k.code)) continue;

    std::optional<rt::term::Key> inicial;
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
      const bool marca = k.code == 'S' || k.code == 's' || k.code == 'N' || k.code == 'n';
      if (tracos.marcaPasta && g.PONTEIRO > 1 && !s_.fonte.fantasma() && marca) {
        b.setColPos(1);
        g.PONTEIRO = 1;
      }
      // A character starts the cell's edit as Enter does, and is its first key (the old
      // grid pushed Enter and the character; a character the edit never took would then
      // start it again and again without a key being read).
      g.LASTECLA = k.code;
      inicial = k;
      k = rt::term::Key{key::Enter};
    }
    switch (k.code) {
      case key::AltU:
        (void)DIVIDE_MENSAL(s_);
        break;
      case key::Enter:
        // On the carnê-leão's detail grids a value is typed month by month.
        if (tracos.mensalNoEnter != 0 && (tracos.mensalNoEnter == -1 || tracos.mensalNoEnter == g.PONTEIRO)) {
          (void)DIVIDE_MENSAL(s_, inicial);
          g.LASTECLA = 0;
          break;
        }
        if (g.LASTECLA == 0) g.LASTECLA = 13;
        if (g.LAPPEND || !s_.fonte.fantasma()) {
          if (const int prox = DOGET(g.LAPPEND, inicial); prox != 0) con.push(prox);
        } else {
          // On the phantom row outside append mode: handled as Down.
          b.down();
          desceu = true;
          if (inicial && !retomada) retoma = inicial;
        }
        break;
      case key::CtrlEnter:  // also Ctrl+J, the same code
        if (tracos.escolhe) {
          escolhe();
        } else if (tracos.lembra && !s_.fonte.fantasma()) {
          LEMBRA(s_);
        }
        break;
      case key::AltF4:
        if (tracos.aninhaF4 != 0) ANINHA(s_, tracos.aninhaF4);
        break;
      case key::AltF5:
        if (tracos.aninhaF5 != 0) ANINHA(s_, tracos.aninhaF5);
        break;
      case key::AltF6:
        if (tracos.aninhaF6 != 0) ANINHA(s_, tracos.aninhaF6);
        break;
      case key::AltB:
        if (g.pagina().buscaDespesas) {
          g.srv().BUSCA_DESP(ctx, g);
          s_.seleciona();
          s_.redesenha();
        }
        break;
      case key::AltJ:
        juntaDescricao();
        break;
      case key::AltT:
        if (tracos.relogio && g.declaracaoAberta()) g.srv().DESLIG_RELG(ctx, g);
        break;
      case key::F1:
      case key::F2:
      case key::F3:
      case key::F4:
      case key::F5:
      case key::F6:
      case key::F7:
      case key::F8:
      case key::F9:
      case key::F10:
      case key::F11:
      case key::F12:
      case key::AltF1:
      case key::AltF2:
      case key::AltI:
      case key::AltH:
      case key::AltZ:
      case key::AltX:
        teclaTela(k.code);
        break;
      case key::AltC:
        cola(false);
        break;
      case key::AltV:
        if (tracos.colaNova) cola(true);
        break;
      case key::AltM:
        if (t != nullptr && !t->eof() && t->field(g.EDI_CAMPO) != nullptr) g.CLIPTEX = t->get(g.EDI_CAMPO);
        break;
      case key::AltQ:
        DIGA_QUEM(ctx, g, g.NOMECONTR);
        break;
      case key::AltO:
        if (tracos.ordena) ORDENA(s_, false);
        break;
      case key::AltR:
        if (!s_.tela.campoItem.empty() && !s_.fonte.fantasma()) RENUMERA(s_);
        break;
      case key::AltS:
        if (tracos.navega) calculadora();
        break;
      case key::AltW:
        if (g.declaracaoAberta() && g.TEMP_SAL < 98) g.srv().SAL_DEC(ctx, g);
        break;
      case key::AltL:
        if (tracos.insereVarias && !s_.fonte.fantasma()) {
          rt::text::Decimal n;
          console::MENS(ctx, 14, "Insere    linhas após esse Item."_cp, n, {.picture = "@Z 9"});
          if (n.raw() > 0) INSERE_APOS(s_, static_cast<int>(n.wholePart()));
        }
        break;
      case key::AltEquals:
      case key::AltKeypadPlus:
        if (tracos.marcaTodos) MARCA_TODOS(s_, true);
        if (tracos.subtotais) ORDENA(s_, true);
        break;
      case key::AltMinus:
      case key::AltKeypadMinus:
        if (tracos.marcaTodos) MARCA_TODOS(s_, false);
        break;
      case key::Alt1 + 1:
      case key::Alt1 + 2:
        if (tracos.subtotais) SUBTOTAL(s_, k.code == key::Alt1 + 2);
        break;
      case key::Down:
      case key::PgDn:
        if (!g.LAPPEND) k.code == key::Down ? b.down() : b.pageDown();
        break;
      case key::Up:
      case key::PgUp:
      case key::CtrlPgUp:
      case key::CtrlPgDn:
        if (g.LAPPEND) {
          g.LAPPEND = false;
          if (s_.fonte.fantasma()) b.up();
          s_.redesenha();
        } else {
          rt::ui::applyStandardKey(b, k);
        }
        break;
      case key::Del:
        if (tracos.apaga && !s_.fonte.fantasma()) EXCLUI_LINHA(s_);
        break;
      case key::Ins:
        if (tracos.boletoUnico) {
          g.srv().UNICO_BOL(ctx, g);
          ctx.janelas.FECHAJAN(console::Jan::kTela);
          s_.seleciona();
          s_.redesenha();
        } else if (!s_.fonte.fantasma()) {
          if (!s_.tela.campoLinha.empty()) {
            if (console::MENS(ctx, 12, "Insere uma linha após esse Item?"_cp, {.teclas = "SN"}) == "S") INSERE_APOS(s_, 1);
          } else if (tracos.insereAntes) {
            INSERE_ANTES(s_);
          }
        }
        break;
      case key::Esc:
        con.setBell(false);
        con.setConfirm(false);
        saiCom(k.code);
        break;
      case key::Tab:
      case key::ShiftTab:
        saiCom(k.code);
        break;
      default:
        (void)rt::ui::applyStandardKey(b, k);
        break;
    }
  }
  b.paintCurrentRow({1, 1});
}

}  // namespace

bool F_TROCA(store::Contexto& ctx, Grade& g, const Value& valor) {
  Table* t = ctx.areas.currentTable();
  if (t == nullptr || t->eof() || g.PONTEIRO < 1 || g.PONTEIRO > static_cast<int>(g.TABCPOIN.size())) return false;
  const std::string& campo = g.TABCPOIN[static_cast<std::size_t>(g.PONTEIRO - 1)];
  if (t->field(campo) == nullptr) return false;
  if (!store::REC_LOCK(ctx, 5)) return false;
  rt::db::Status s = t->put(campo, valor);
  // The row goes to the file before the lock is let go, so a refusal there is said too.
  if (s.isOk()) s = t->flush();
  store::DESTRAVA(ctx);
  // The field keeps what it had; the user is told why the value did not go in.
  if (!s.isOk()) console::AVISOSN(ctx, taxcalc::textoRecusa(s, campo), 0);
  return s.isOk();
}

bool ADIC_REG(store::Contexto& ctx, Grade& g) {
  if (!store::ADD_REC(ctx, 5)) return false;
  Table& t = *ctx.areas.currentTable();
  GravacoesGrade grava(ctx);
  const Tracos tracos = tracosDaTela(g.OPC);
  if (tracos.gravaCpf) poe(grava, t, "CPF", g.CPF);
  if (tracos.gravaAtividade) poe(grava, t, "ATV_BRASIL", g.ATV_BRASIL);
  if (!tracos.tipoRendimento.empty()) poe(grava, t, "I1_1", tracos.tipoRendimento);
  if (tracos.gravaLeao) {
    poe(grava, t, "I1_1", g.I1_1);
    poe(grava, t, "I1_11", g.I1_11);
    if (g.I1_11 == "N") poe(grava, t, "I1_8", g.CPFDEPEN);
  }
  if (tracos.gravaTipoCr) poe(grava, t, "TIPOCR", g.TIPOCR);
  const std::string& linha = tracos.campoNumerado;
  if (!linha.empty() && t.field(linha) != nullptr && t.getNumber(linha).isZero())
    grava.put(t, linha, rt::text::Decimal::fromInt(static_cast<std::int64_t>(t.recNo()) * 10));
  if (tracos.gravaBem) poe(grava, t, "BEM_NRO", g.BEM_NRO);
  if (tracos.gravaTipoOperacao) poe(grava, t, "TIPO", g.pagina().tipoOperacao);
  grava.destrava();
  g.LAPPEND = false;
  return true;
}

bool DIGA_QUEM(store::Contexto& ctx, Grade& g, std::string_view nome) {
  const console::Cores& c = ctx.cores;
  ctx.janelas.REDEFJAN(console::Jan::kCabecalho, c.COR_TEL2, c.COR_TEL1, c.COR_TEL3, 0, 0, 0, 80, 0);
  ctx.janelas.ABREJAN(console::Jan::kCabecalho);
  ctx.janelas.ESCRJAN(console::Jan::kCabecalho, rt::text::transform(g.CPF, "@R 999.999.999-99") + "  " + std::string(nome) + std::string(10, ' '));
  return true;
}

std::optional<console::Jan> ABRE_MOLDURA(store::Contexto& ctx, const TelaGrade& tela) {
  using console::Jan;
  const std::optional<Jan> janela = tela.moldura == 6 ? Jan::kSobreposta : (tela.moldura == 1 || tela.moldura == 2) ? std::optional(Jan::kGrade) : std::nullopt;
  if (janela) {
    const console::Cores& c = ctx.cores;
    const rt::term::Rect& r = tela.ret;
    ctx.janelas.REDEFJAN(*janela, c.COR_TEL1, c.COR_TEL2, c.COR_TEL1, r.top, r.left, r.bottom, r.right, 2);
    ctx.janelas.ABREJAN(*janela);
  }
  return janela;
}

std::string MOSTRA(store::Contexto& ctx, Grade& g, const TelaGrade& tela) {
  const console::Cores& c = ctx.cores;
  const rt::term::Rect& r = tela.ret;
  const std::optional<console::Jan> janela = ABRE_MOLDURA(ctx, tela);
  if (!tela.mensagem.empty()) console::MENS(ctx, 0, tela.mensagem);

  const int area = ctx.areas.current();
  Table* t = ctx.areas.table(area);
  g.LAPPEND = !tela.soLeitura && (t == nullptr || (t->eof() && t->bof()) || t->recordCount() == 0);
  FonteGrade fonte(ctx.areas, area, g.LAPPEND);
  const rt::term::Rect dentro{r.top + 1, r.left + 1, r.bottom - 1, r.right - 1};
  rt::ui::Browse b(ctx.screen(), dentro, fonte);
  b.setColours(rt::term::parseColourList(c.COR_1_CLI + "," + c.COR_GET + "," + c.COR_2_CLI + "," + c.COR_SAY));
  b.setHeadSep(std::string("┬─"_cp));
  b.setColSep(std::string("│"_cp));
  const bool rodape = naLista(tela.opc, {1, 2, 4, 5, 6, 8, 9, 13, 17, 18, 22, 23, 24, 33, 34, 38});
  if (rodape) b.setFootSep(std::string("┴─"_cp));
  for (int i = 0; i < g.N_CAM; ++i) {
    const Coluna& col = tela.colunas[static_cast<std::size_t>(i)];
    auto bloco = [&ctx, area, &col]() -> Value {
      const Table* tab = ctx.areas.table(area);
      if (tab == nullptr) return std::string();
      Value v;
      if (tab->eof()) {
        const rt::db::FieldDef* f = tab->field(col.cpoin);
        v = f != nullptr ? rt::db::blankValue(*f) : Value(std::string());
      } else {
        v = col.exibe ? col.exibe(*tab) : console::valorColuna(tab, col.cpoin, col.masc);
      }
      if (col.mostra > 0)
        if (auto* s = std::get_if<std::string>(&v)) *s = rt::text::substr(*s, 1, col.mostra);
      return v;
    };
    rt::ui::Column coluna = rt::ui::makeColumn(g.TABDESC[static_cast<std::size_t>(i)], bloco, g.TABMASC[static_cast<std::size_t>(i)]);
    if (tela.tracos.poupanca && static_cast<std::size_t>(i) < g.MATAUX.size()) coluna.footing = g.MATAUX[static_cast<std::size_t>(i)];
    b.addColumn(std::move(coluna));
  }
  if (tela.congela > 0) {
    b.setFreeze(tela.congela);
    SAI_CONGELADA(b);
  }
  if (tela.primeiraColuna > 0 && b.columnCount() >= tela.primeiraColuna) b.setColPos(tela.primeiraColuna);

  Sessao s{ctx, g, tela, fonte, b, area, false, {}, {}};
  Laco laco(s, dentro);
  laco.roda();
  LIMPA_ORDENS(s);

  if (janela) {
    // A grid only drawn stays in view behind the form or grid edited next: its window is
    // closed, but what it shows is put back over what the window covered.
    const std::optional<rt::term::Screen::Saved> desenho =
        g.SO_MOS != 0 ? std::optional(ctx.screen().save(r)) : std::nullopt;
    ctx.janelas.FECHAJAN(*janela);
    if (desenho) ctx.screen().restore(*desenho);
  }
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  ctx.TAM_OLD = 0;
  GravacoesGrade grava(ctx);
  for (int i = 1; i <= rt::db::WorkAreas::kAreas; ++i)
    if (Table* tab = ctx.areas.table(i)) grava.confere(tab->commit(), tab->alias());
  (void)ctx.areas.select(area);
  return "";
}

std::string EDITA(store::Contexto& ctx, Grade& g, int opc, int modo, Uso uso) {
  const GuardaGrade externa(g, false);
  ctx.areas.setDeletedHidden(true);
  cabecalhosAnos(g);
  g.M_CPFDEPEN = std::string(11, ' ');
  g.LASTECLA = 0;
  g.TECLAMUDA = false;
  // Alt+U means the monthly split inside a grid; its global meaning comes back afterwards.
  rt::term::Console& con = ctx.console;
  const rt::term::Console::HotKey* global = con.hotKeyFor(rt::term::Key{key::AltU});
  const rt::term::Console::HotKey antes = global != nullptr ? *global : rt::term::Console::HotKey{};
  con.clearKey(key::AltU);
  g.OPC = opc;

  if (std::find(telasMatriz().begin(), telasMatriz().end(), opc) != telasMatriz().end()) {
    g.srv().matriz(ctx, g, opc, modo);
  } else if (std::optional<TelaGrade> tela = telaGrade(ctx, g, opc, modo); tela && !tela->recusa.empty()) {
    console::MENS(ctx, 11, tela->recusa, {.linhas = 2});
  } else if (tela) {
    tela->soLeitura = uso == Uso::Leitura;
    if (!tela->antes.empty()) g.srv().recalcula(ctx, g, tela->antes);
    if (tela->buscaDespesas) {
      // An empty maintenance list is rebuilt from the assets first.
      if (Table* lista = ctx.areas.table(30); lista != nullptr && lista->recordCount() == 0) g.srv().BUSCA_DESP(ctx, g);
    }
    if (tela->area != 0) (void)ctx.areas.select(tela->area);
    tela->area = ctx.areas.current();
    Table* t = ctx.areas.currentTable();
    if (t != nullptr) {
      if (tela->filtro) t->setFilter(tela->filtro);
      if (t->eof() || !t->isVisible()) (void)t->goTop();
      carregaColunas(g, *tela);
      ctx.QUALHLP = "MGETVAR";
      if (tela->dica > 0) {
        if (tela->dicaRural) {
          g.srv().MRODAPER(ctx, g, tela->dica);
        } else {
          g.srv().MRODAPE(ctx, g, tela->dica);
        }
        (void)ctx.areas.select(tela->area);
      }
      // The savings grid first takes in the "other" amounts typed on the exempt-income screen
      // as rows of their own, then asks before it replaces values typed there that no row
      // holds.
      if (!tela->tracos.poupanca) {
        MOSTRA(ctx, g, *tela);
      } else {
        TOTAIS_POUPANCA(ctx, g);
        (void)ctx.areas.select(tela->area);
        g.poupancaMantida = !g.srv().FCALPOUPA(ctx, g, 0);
        if (!g.poupancaMantida) {
          (void)ctx.areas.select(tela->area);
          MOSTRA(ctx, g, *tela);
        }
      }
      if (tela->filtro) {
        if (Table* tab = ctx.areas.table(tela->area)) tab->clearFilter();
      }
      if (tela->dicaDepois != 0) g.srv().MRODAPER(ctx, g, tela->dicaDepois);
      if (!tela->depois.empty()) {
        g.OPC = opc;
        g.srv().recalcula(ctx, g, tela->depois);
        (void)ctx.areas.select(tela->areaDepois != 0 ? tela->areaDepois : tela->area);
      }
    }
  }
  g.OPC = opc;
  if (antes) con.setKey(key::AltU, antes);
  return "";
}

}  // namespace grid
