#include "console/listas.h"

#include <utility>

#include "console/fonte_tabela.h"
#include "console/listas_definicao.h"
#include "rt/term/colour.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/browse.h"
#include "workareas/areas.h"
#include "workareas/selecao.h"

namespace console {

using namespace rt::text::literals;
using rt::text::Decimal;
using rt::ui::Value;
namespace key = rt::term::key;

// --- variables and services

std::optional<Value> VariaveisMapa::valor(std::string_view nome) const {
  auto it = v_.find(rt::text::upper(nome));
  if (it == v_.end()) return std::nullopt;
  return it->second;
}

bool VariaveisMapa::atribui(std::string_view nome, const Value& v) {
  v_[rt::text::upper(nome)] = v;
  return true;
}

std::string VariaveisMapa::texto(std::string_view nome) const {
  auto v = valor(nome);
  if (!v) return {};
  auto* s = std::get_if<std::string>(&*v);
  return s ? *s : std::string();
}

Decimal VariaveisMapa::numero(std::string_view nome) const {
  auto v = valor(nome);
  if (!v) return {};
  auto* d = std::get_if<Decimal>(&*v);
  return d ? *d : Decimal();
}

std::string ServicosLista::VE_STAT(int) {
  return std::string(13, ' ');
}
void ServicosLista::MOSTR_PAG(int) {}
void ServicosLista::MOS_DETAL() {}
void ServicosLista::MOS_PEND() {}
void ServicosLista::MOSTR_BEM(int, int) {}
void ServicosLista::DEL_GP() {}
ServicosLista::Tecla ServicosLista::teclaLivre(const rt::term::Key&) {
  return Tecla::ignorada;
}

// --- the list

Listas::Listas(Contexto& ctx, AcessoTabelas tabelas, Variaveis& variaveis, ServicosLista& servicos)
    : ctx_(ctx), tab_(std::move(tabelas)), vars_(variaveis), serv_(servicos) {}

namespace {

// Whatever way a list ends, it gives back the re-entry guard and TEMHLP and removes the
// filters it set on its own.
class FimDaLista {
 public:
  FimDaLista(int& prog, bool& temhlp, std::vector<workareas::Area>& filtros, workareas::AreasTrabalho& areas)
      : prog_(prog), temhlp_(temhlp), filtros_(filtros), areas_(areas) {
    prog_ = 1;
    filtros_.clear();
  }
  ~FimDaLista() {
    for (workareas::Area area : filtros_)
      if (auto* t = areas_.table(area)) t->clearFilter();
    filtros_.clear();
    temhlp_ = false;
    prog_ = 0;
  }
  FimDaLista(const FimDaLista&) = delete;
  FimDaLista& operator=(const FimDaLista&) = delete;

 private:
  int& prog_;
  bool& temhlp_;
  std::vector<workareas::Area>& filtros_;
  workareas::AreasTrabalho& areas_;
};

std::string aliasAtual(const workareas::AreasTrabalho& areas) {
  if (auto* t = areas.currentTable()) return t->alias();
  return {};
}

rt::term::Attr cor(std::string_view texto, rt::term::Attr padrao) {
  return rt::term::parseColour(texto).value_or(padrao);
}

}  // namespace

void Listas::GERAL() {
  if (PROG == 1) return;
  FimDaLista fim(PROG, TEMHLP, filtrosPostos_, tab_.areas);
  TEMPE = false;
  tab_.areas.setDeletedHidden(true);
  CL_AREA.clear();
  rt::term::ActiveInput* entrada = ctx_.console.activeInput();
  campoEditado_ = entrada != nullptr ? rt::text::upper(entrada->name()) : std::string();
  if (!TEMHLP) {
    ctx_.QUALHLP = campoEditado_;
    CL_AREA = aliasAtual(tab_.areas);
  }

  const ListaEscolhida escolhida = listaDe(ctx_.QUALHLP);
  if (escolhida.lista == nullptr) return;
  Definicao d{*escolhida.lista, *escolhida.escolha};
  monta(d);
  if (d.lista.precisaGanhos) {
    const Decimal ganhos = numeroVar("I3_04GCPVC") + numeroVar("I3_04UNICC") + numeroVar("I3_04REDUC");
    if (ganhos.isZero()) return;
  }
  rodapes(d);

  const JanelaLista& j = d.lista.janela;
  ctx_.janelas.REDEFJAN(Jan::kLista, ctx_.cores.COR_HELP, ctx_.cores.COR_TEL2, ctx_.cores.COR_HELP, j.li, j.ci, j.lif,
                        j.cf, 2);
  {
    // An Enter that writes back may close it first, to show what it wrote on the screen under.
    const JanelaAberta janela(ctx_.janelas, Jan::kLista);
    escolheu_ = false;
    HBROWSE(d);
    ctx_.console.clearTypeahead();
  }

  // An alias no area has any more leaves the selection where the list left it.
  if (!TEMHLP && !CL_AREA.empty()) (void)tab_.areas.select(CL_AREA);
  TEMHLP = false;
  PROG = 0;
  if (auto* t = tab_.areas.currentTable(); t != nullptr && t->hasFilter()) t->clearFilter();
  // A form under the list shows the values written back into its variables.
  if (rt::term::ActiveInput* e = ctx_.console.activeInput(); escolheu_ && e != nullptr) e->requestRedisplay();
}

void Listas::HBROWSE(Definicao& d) {
  rt::term::Console& con = ctx_.console;
  FonteTabela fonte(tab_.areas, d.area);
  const JanelaLista& j = d.lista.janela;
  rt::ui::Browse b(ctx_.screen(), {j.li + 1, j.ci + 1, j.lif - 1, j.cf - 1}, fonte);
  configuraNavegador(d, b);
  if (fonte.eof()) fonte.goTop();

  for (;;) {
    // The list's own keys: hot keys of the form underneath do not run while it is open.
    while (!b.stabilize())
      if (con.keyWaiting()) break;
    const rt::term::Key k = con.waitKey();
    if (k.isChar()) {
      if (d.lista.busca) {
        buscaDigitada(d, k.ch());
        b.refreshAll();
      }
      continue;
    }
    if (trataTecla(d, b, fonte, k)) return;
  }
}

// The list's colours, separators and columns.
void Listas::configuraNavegador(Definicao& d, rt::ui::Browse& b) {
  const Cores& c = ctx_.cores;
  if (d.lista.operacoes) {
    // The operations list's four colours, in the order of a colour list: cells, cursor,
    // border and background.
    b.setColours(
        rt::term::parseColourList(c.COR_1_CLI + "," + c.COR_GET + "," + c.COR_2_CLI + "," + c.COR_SAY));
  } else {
    const std::string destaque = c.COR_ESC_CL == c.COR_CLI_HE ? c.COR_2_CLI : c.COR_ESC_CL;
    rt::term::ColourSet cores;
    cores.entries[0] = cor(c.COR_CLI_HE, rt::term::makeAttr(0, 7));
    cores.entries[1] = cor(destaque, rt::term::makeAttr(7, 4));
    b.setColours(cores);
  }
  b.setHeadSep(std::string("═"_cp));
  b.setColSep(std::string("│"_cp));
  if (TEMPE) b.setFootSep(std::string("┴─"_cp));
  for (rt::ui::Column& col : d.colunas) {
    if (!TEMPE) col.footing.clear();
    b.addColumn(col);
  }
}

// After a routine drew over the list: the footers again and every row.
void Listas::redesenha(Definicao& d, rt::ui::Browse& b) {
  tab_.areas.select(d.area);
  if (d.lista.operacoes) rodapes(d);  // operations added or deleted change the sums
  for (int i = 1; i <= b.columnCount(); ++i)
    b.column(i).footing = d.colunas[static_cast<std::size_t>(i - 1)].footing;
  b.configure();
  b.refreshAll();
  b.invalidate();
}

// A key other than a character typed into the list; true when it closes the list.
bool Listas::trataTecla(Definicao& d, rt::ui::Browse& b, FonteTabela& fonte, const rt::term::Key& k) {
  switch (k.code) {
    case key::Enter:
      if (!fonte.eof()) {
        ENTER(d);
        escolheu_ = true;
      }
      return true;
    case key::Esc:
      limpezaEsc(d);
      return true;
    case key::CtrlEnter:
      return true;
    case key::F1:
    case key::F2:
    case key::F3: {
      // An order the table does not have lists it in record order.
      const int ordem = k.code == key::F1 ? 2 : k.code == key::F2 ? 1 : 3;
      if (auto* t = fonte.tabela()) t->setOrder(ordem <= t->orderCount() ? ordem : 0);
      b.refreshAll();
      break;
    }
    case key::F6:
    case key::F11: {
      {
        const workareas::SelecaoGuardada selecao(tab_.areas);
        if (k.code == key::F6)
          serv_.MOS_DETAL();
        else
          serv_.MOS_PEND();
      }
      redesenha(d, b);
      break;
    }
    case key::Del:
    case key::Ins:
      if (d.lista.operacoes) {
        if (k.code == key::Del)
          serv_.DEL_GP();
        else
          serv_.MOSTR_BEM(static_cast<int>(numeroVar("TIPO_BEM").wholePart()), 0);
        redesenha(d, b);
      }
      break;
    default:
      if (rt::ui::applyStandardKey(b, k)) break;
      switch (serv_.teclaLivre(k)) {
        case ServicosLista::Tecla::sai:
          return true;
        case ServicosLista::Tecla::tratada:
          redesenha(d, b);  // it may have drawn over the list
          break;
        case ServicosLista::Tecla::ignorada:
          break;
      }
      break;
  }
  return false;
}

// A typed character seeks the first row whose key starts with it: digits in the first order,
// other characters in the second (the first when the table has only one).
void Listas::buscaDigitada(Definicao& d, char c) {
  rt::db::Table* t = tab_.areas.table(d.area);
  if (t == nullptr) return;
  SOFTSEEK = true;
  const bool digito = c >= '0' && c <= '9';
  const int ordem = digito || t->orderCount() < 2 ? 1 : 2;
  if (ordem > t->orderCount()) return;
  if (!t->useOrder(ordem).isOk()) return;
  if (!t->seek(std::string(1, rt::text::upperChar(c)), SOFTSEEK).isOk()) return;
  if (t->eof()) t->skip(-1);
}

void Listas::limpezaEsc(const Definicao& d) {
  switch (d.escolha.esc) {
    case EscLista::mantem:
      return;
    case EscLista::paisDoBem:
      COD = std::string();
      workareas::seleciona(tab_.areas, workareas::Area::TMP_02);
      return;
    case EscLista::padrao:
      break;
  }
  if (!TEMHLP) return;
  if (rt::db::Table* t = tab_.areas.currentTable()) {
    // The working copies (TMP_nn) belong to the open declaration and stay open.
    if (rt::text::upper(t->alias()).rfind("TMP", 0) != 0) tab_.areas.releaseCurrent();
  }
  // An alias no area has any more leaves the selection where the list left it.
  if (!CL_AREA.empty()) (void)tab_.areas.select(CL_AREA);
}

// --- the entry points

namespace {
// The register list in one order, left in another afterwards.
void listaRegistro(Listas& l, workareas::AreasTrabalho& areas, int durante, int depois) {
  if (l.PROG == 1) return;  // a list is open: nothing moves under it
  workareas::seleciona(areas, workareas::Area::IMP0910);
  if (auto* t = workareas::tabela(areas, workareas::Area::IMP0910))
    t->setOrder(durante <= t->orderCount() ? durante : 0);
  l.GERAL();
  if (auto* t = workareas::tabela(areas, workareas::Area::IMP0910))
    t->setOrder(depois <= t->orderCount() ? depois : 0);
}
}  // namespace

// CPF order during the list, name order afterwards.
void Listas::GERAL1() {
  listaRegistro(*this, tab_.areas, 1, 2);
}
// Status order during the list, CPF order afterwards.
void Listas::GERAL4() {
  listaRegistro(*this, tab_.areas, 3, 1);
}
// Name order during the list, CPF order afterwards.
void Listas::GERAL5() {
  listaRegistro(*this, tab_.areas, 2, 1);
}

// Asked for while a list is open (a check run from a form the list opened), a list is refused
// without touching the open list's state.
Value Listas::GERAL2() {
  if (PROG == 1) return Decimal(0);
  TEMHLP = true;
  COD = Decimal(0);
  GERAL();
  return COD;
}

void Listas::GERAL3() {
  if (PROG == 1) return;
  CL_AREA = aliasAtual(tab_.areas);
  TEMHLP = true;
  COD = Decimal(0);
  ctx_.QUALHLP = "M->ORIGEM";
  viaGERAL3_ = true;
  GERAL();
  viaGERAL3_ = false;
}

}  // namespace console
