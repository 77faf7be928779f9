#include "grid/memoria.h"

#include <algorithm>

#include "grid/edita.h"
#include "grid/gravacoes_grade.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/travas.h"

namespace grid {

using rt::db::Table;
using rt::text::Decimal;

namespace {

// The table of a remembered list, opened in its area when the grid found it closed.
// Leaves its area selected (the append goes to the current area).
Table* lista(store::Contexto& ctx, store::Area area) {
  if (ctx.areas.table(area) == nullptr && !store::ABERTURA(ctx, area)) return nullptr;
  ctx.areas.select(area);
  return ctx.areas.table(area);
}

// The row of the list whose key field holds `texto` (blanks at the end aside): sought through
// the list's index first, then looked for row by row, since an index of long texts may keep only
// their beginning.
bool acha(Table& t, std::string_view campo, std::string_view texto) {
  const std::string_view procura = rt::text::trim(texto);
  if (t.order() > 0 && t.seek(procura).isOk() && t.found()) {
    for (; t.status() && !t.eof(); t.skip(1)) {
      const std::string aqui(rt::text::trim(t.getText(campo)));
      if (aqui == procura) return true;
      if (!aqui.starts_with(procura)) break;
    }
  }
  for (t.goTop(); t.status() && !t.eof(); t.skip(1))
    if (rt::text::trim(t.getText(campo)) == procura) return true;
  return false;
}

// Appends one entry to a remembered list (ADD_REC(0): the list is shared by the terminals and
// an append there waits for its turn).
void guarda(store::Contexto& ctx, Table& t, const std::vector<std::pair<const char*, rt::ui::Value>>& campos) {
  if (!store::ADD_REC(ctx, store::kSemLimite)) return;
  GravacoesGrade grava(ctx);
  for (const auto& [nome, v] : campos) {
    const rt::db::FieldDef* f = t.field(nome);
    if (f == nullptr) continue;
    if (const auto* s = std::get_if<std::string>(&v)) {
      grava.put(t, nome, rt::text::padr(*s, f->width));
    } else {
      grava.put(t, nome, v);
    }
  }
  grava.destrava();
}

rt::ui::Value escolhido(const Grade& g, std::string_view campo) {
  for (const auto& [nome, v] : g.escolha)
    if (nome == campo) return v;
  return {};
}

// Text cut to the width of the field it goes into.
rt::ui::Value cabe(const Table& t, std::string_view campo, const rt::ui::Value& v) {
  const rt::db::FieldDef* f = t.field(campo);
  if (f == nullptr) return v;
  if (const auto* s = std::get_if<std::string>(&v)) return rt::text::padr(*s, f->width);
  return v;
}

// The row picked on screen 30 or 31 appended to the calling grid's table.
void acrescentaEscolhido(Sessao& s, int aninhada) {
  Grade& g = s.g;
  store::Contexto& ctx = s.ctx;
  s.seleciona();
  if (!ADIC_REG(ctx, g, s.tela.tracos)) return;
  s.seleciona();
  Table& t = *s.t();
  if (!store::REC_LOCK(ctx, store::kEsperaTrava)) return;
  GravacoesGrade grava(ctx);
  if (aninhada == 30) {
    grava.put(t, "I6_1", cabe(t, "I6_1", escolhido(g, "NOME")));
    grava.put(t, "I6_2", cabe(t, "I6_2", escolhido(g, "CGCCPF")));
    grava.put(t, "I6_3", escolhido(g, "CODIGO"));
  } else if (const Tracos& tr = s.tela.tracos; !tr.textoLembrado.empty()) {
    grava.put(t, tr.textoLembrado, cabe(t, tr.textoLembrado, escolhido(g, "DESCRICAO")));
    grava.put(t, tr.codigoLembrado, escolhido(g, "CODIGO"));
    if (Decimal* linha = linhaCorrente(g, s.tela.campoLinha)) {
      *linha = *linha - Decimal(1);
      grava.put(t, s.tela.campoLinha, *linha);
    }
  }
  grava.destrava();
}

}  // namespace

Decimal* linhaCorrente(Grade& g, std::string_view campoLinha) {
  if (campoLinha == "I7_0") return &g.I7_0;
  if (campoLinha == "I8_0") return &g.I8_0;
  if (campoLinha == "I8R_0") return &g.I8R_0;
  if (campoLinha == "I9R_0") return &g.I9R_0;
  return nullptr;
}

void LEMBRA(Sessao& s) {
  store::Contexto& ctx = s.ctx;
  s.seleciona();
  Table* t = s.t();
  if (t == nullptr || t->eof()) return;
  if (s.tela.tracos.pagamentos) {
    const std::string nome = t->getText("I6_1");
    // A payee without a name is nothing to remember.
    if (rt::text::trim(nome).empty()) return;
    const std::string doc = t->getText("I6_2");
    const Decimal codigo = t->getNumber("I6_3");
    if (Table* aux = lista(ctx, store::Area::AUXPAG); aux != nullptr && !acha(*aux, "NOME", nome))
      guarda(ctx, *aux, {{"NOME", nome}, {"CGCCPF", doc}, {"CODIGO", codigo}});
  } else if (const Tracos& tr = s.tela.tracos; !tr.textoLembrado.empty()) {
    const std::string texto = t->getText(tr.textoLembrado);
    if (rt::text::trim(texto).empty()) return;
    const Decimal codigo = t->getNumber(tr.codigoLembrado);
    if (Table* aux = lista(ctx, store::Area::AUXBENS); aux != nullptr && !acha(*aux, "DESCRICAO", texto))
      guarda(ctx, *aux, {{"DESCRICAO", texto}, {"CODIGO", codigo}});
  }
  s.seleciona();
}

void ANINHA(Sessao& s, int aninhada) {
  Grade& g = s.g;
  store::Contexto& ctx = s.ctx;
  const std::uint32_t volta = s.t() != nullptr ? s.t()->recNo() : 0;
  g.escolha.clear();
  g.ULTTECLA = 0;

  // EDITA gives this grid back its number, columns and cursor when the nested one ends.
  EDITA(ctx, g, aninhada);
  const bool escolheu = g.ULTTECLA == rt::term::key::CtrlEnter && !g.escolha.empty();

  // Leaving the nested grid is no request to leave this one.
  g.TECLAMUDA = false;
  g.ULTTECLA = 0;
  ABRE_MOLDURA(ctx, s.tela);
  s.seleciona();
  if (aninhada == 13 && !g.poupancaMantida) {
    // False when the user kept the values typed elsewhere: nothing then changes.
    g.srv().FCALPOUPA(ctx, g, 0);
    s.seleciona();
  }
  if (escolheu) {
    acrescentaEscolhido(s, aninhada);
  } else if (Table* t = s.t(); t != nullptr && volta != 0 && volta <= t->recordCount()) {
    t->goTo(volta);
  }
  g.escolha.clear();
  s.redesenha();
}

}  // namespace grid
