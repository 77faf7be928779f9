// A pick list set up from its record: the table selected (or opened) with the order and the
// filter it needs, the columns over it, the footers; and the ways Enter writes a row back.
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "console/alerta.h"
#include "console/fonte_tabela.h"
#include "console/listas_definicao.h"
#include "console/recusa.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "workareas/areas.h"
#include "workareas/selecao.h"

namespace console {

using namespace rt::text::literals;
using rt::text::Decimal;
using rt::ui::Column;
using rt::ui::Value;

namespace {

Decimal numeroDe(const Value& v) {
  if (auto* d = std::get_if<Decimal>(&v)) return *d;
  if (auto* s = std::get_if<std::string>(&v)) return Decimal::val(*s);
  return Decimal();
}

}  // namespace

// Selects or opens the list's table, sets the order and the filter it needs, the TEMHLP,
// CL_AREA and TEMPE settings, and the columns.
void Listas::monta(Definicao& d) {
  const Lista& l = d.lista;
  workareas::AreasTrabalho& areas = tab_.areas;

  d.area = areas.current();
  switch (l.origem) {
    case OrigemLista::atual:
      break;
    case OrigemLista::seleciona:
      workareas::seleciona(areas, l.area);
      d.area = l.area;
      break;
    case OrigemLista::abre:
      CL_AREA =
          areas.currentTable() != nullptr ? areas.currentTable()->alias() : std::to_string(workareas::numero(areas.current()));
      d.area = l.area;
      // The journal (item 12) works with the table open already.
      // The opener says a failure; the list below reads only an area that is open.
      if (numeroVar("OPCAO_1") != Decimal(12) && tab_.abre) tab_.abre(d.area).ignoreTold();
      workareas::seleciona(areas, l.area);
      break;
  }
  if (rt::db::Table* t = areas.table(d.area)) {
    if (l.topo) t->goTop();
    if (!l.filtro.empty()) {
      if (t->setFilter(l.filtro).isOk()) filtrosPostos_.push_back(d.area);
      t->goTop();
    }
    if (l.ordem != 0) t->setOrder(l.ordem <= t->orderCount() ? l.ordem : 0);
  }
  switch (l.modo) {
    case ModoLista::comoChamada:
      break;
    case ModoLista::lista:
      TEMHLP = false;
      break;
    case ModoLista::codigo:
      TEMHLP = true;
      CL_AREA.clear();
      break;
  }
  if (l.rodapes != RodapesLista::nenhum) TEMPE = true;

  bool variante = false;
  switch (l.variante) {
    case VarianteLista::nenhuma:
      break;
    case VarianteLista::sociedade:
      variante = numeroVar("TIPO_BEM") == Decimal(3);
      break;
    case VarianteLista::estados:
      variante = campoEditado_ == "M->UF";
      break;
  }
  for (const ColunaLista& c : l.colunas) d.colunas.push_back(coluna(d, c, variante));
}

// A column of the list over its area, read afresh from the area on every row.
Column Listas::coluna(const Definicao& d, const ColunaLista& c, bool variante) {
  workareas::AreasTrabalho* a = &tab_.areas;
  const workareas::Area area = d.area;
  const std::string campo(c.campo);
  std::string titulo(variante && !c.outroTitulo.empty() ? c.outroTitulo : c.titulo);
  Column col;
  if (c.nomeDoEstatus) {
    ServicosLista* s = &serv_;
    col = rt::ui::makeColumn(
        std::move(titulo),
        [a, area, s]() -> Value {
          auto* t = a->table(area);
          if (t == nullptr) return std::string();
          // The status lookup may select another area; the list's selection stays.
          const workareas::SelecaoGuardada selecao(*a);
          return s->VE_STAT(static_cast<int>(t->getNumber("ESTATUS").wholePart()));
        },
        std::string(c.picture));
  } else if (c.esquerda > 0) {
    const int n = c.esquerda;
    col = rt::ui::makeColumn(
        std::move(titulo),
        [a, area, campo, n]() -> Value {
          auto* t = a->table(area);
          return t == nullptr ? std::string() : rt::text::left(t->getText(campo), n);
        },
        std::string(c.picture));
  } else {
    std::string pic(c.picture);
    col = rt::ui::makeColumn(
        std::move(titulo), [a, area, campo, pic] { return valorColuna(a->table(area), campo, pic); },
        std::string(c.picture));
  }
  col.footing = std::string(c.rodape);
  return col;
}

// The footers: the register's counts, or the capital-gain sums.
void Listas::rodapes(Definicao& d) {
  rt::db::Table* t = tab_.areas.table(d.area);
  if (t == nullptr || !TEMPE) return;
  const std::uint32_t onde = t->recNo();
  const bool estavaNoFim = t->eof();
  if (d.lista.rodapes == RodapesLista::registro) {
    int total = 0, simples = 0, completa = 0, rural = 0;
    for (t->goTop(); t->status() && !t->eof(); t->skip(1)) {
      ++total;
      const std::string padrao = t->getText("USAPADRAO");
      if (padrao == "S") ++simples;
      if (padrao == "N") ++completa;
      if (t->getText("TEMRURAL") == "S") ++rural;
    }
    // Percentages of an empty register stay blank: nothing is divided by a zero total.
    auto pct = [total](int n) {
      if (total == 0) return std::string(6, ' ');
      return rt::text::transform(Decimal(n) * Decimal(100) / Decimal(total), "@Z 999.99");
    };
    std::array<std::string, 6> r{
        rt::text::transform(Decimal(total), "@e 9999") + std::string(" Declarações"_cp),
        pct(simples) + "% Simples",
        pct(completa) + "% Compl",
        rt::text::transform(Decimal(rural), "@e 999"),
        rt::text::transform(Decimal(simples), "@e 999"),
        "simp. " + rt::text::transform(Decimal(completa), "@e 999") + " comp.",
    };
    for (std::size_t i = 0; i < r.size() && i < d.colunas.size(); ++i) d.colunas[i].footing = r[i];
  } else {
    // Each summed column adds its field over the operations the list counts.
    const std::vector<ColunaLista>& colunas = d.lista.colunas;
    std::vector<Decimal> soma(colunas.size());
    const Decimal tipo = numeroVar("TIPO_BEM");
    const bool todos = d.lista.rodapes == RodapesLista::somaDosBens;
    for (t->goTop(); t->status() && !t->eof(); t->skip(1)) {
      const Decimal tipoLinha = t->getNumber("TIPO_BEM");
      if (todos ? tipoLinha < Decimal(4) : tipoLinha == tipo)
        for (std::size_t i = 0; i < colunas.size(); ++i)
          if (colunas[i].soma) soma[i] += t->getNumber(colunas[i].campo);
    }
    for (std::size_t i = 0; i < colunas.size() && i < d.colunas.size(); ++i)
      if (colunas[i].soma) d.colunas[i].footing = rt::text::transform(soma[i], "@Ez 99,999,999.99");
  }
  if (estavaNoFim || onde == 0)
    t->goTop();
  else
    t->goTo(onde);
}

// Writes the row under the cursor back, as the field name that opened the list wants.
void Listas::ENTER(Definicao& d) {
  rt::db::Table* t = tab_.areas.table(d.area);
  if (t == nullptr) return;
  Devolucao linha(*this, *t);
  d.escolha.enter(linha);
}

void Listas::Devolucao::poe(std::string_view variavel, const Value& v) {
  // A list writes back only into the variables it names, each of the type of its column.
  (void)l_.vars_.atribui(variavel, v);
}

Value Listas::Devolucao::codigo(std::string_view campo) {
  l_.COD = t_.get(campo);
  return l_.COD;
}

void Listas::Devolucao::fechaTabela() {
  l_.tab_.areas.releaseCurrent();
}

void Listas::Devolucao::fechaJanela() {
  l_.ctx_.janelas.FECHAJAN(Jan::kLista);
}

void Listas::Devolucao::mostra(int linha, int coluna, const std::string& texto, std::string_view picture) {
  Contexto& ctx = l_.ctx_;
  ctx.screen().put(ctx.ALJ[ctx.NT] + linha, coluna, rt::text::transform(texto, picture),
                   static_cast<rt::term::Attr>(ctx.cores.COR_TEL1));
}

void Listas::Devolucao::seleciona(workareas::Area area) {
  workareas::seleciona(l_.tab_.areas, area);
}

void Listas::Devolucao::grava(workareas::Area area, std::string_view campo, const Value& v) {
  l_.gravaCampo(area, campo, v);
}

Decimal Listas::Devolucao::numero(std::string_view variavel) const {
  return l_.numeroVar(variavel);
}

// Selects `area` and writes a field of its current record, under a record lock when the table
// is shared.
void Listas::gravaCampo(workareas::Area area, std::string_view campo, const Value& v) {
  workareas::seleciona(tab_.areas, area);
  rt::db::Table* t = workareas::tabela(tab_.areas, area);
  if (t == nullptr || t->eof()) return;
  rt::Status s = t->put(campo, v);
  if (s.code() == rt::Error::kNotLocked && t->lockRecord(0, true).isOk()) {
    s = t->put(campo, v);
    if (s) s = t->flush();
    // Flushed above, or the failure is said below: the release decides nothing.
    (void)t->unlockRecord(t->recNo());
  } else if (s) {
    s = t->flush();
  }
  // The field keeps what it had; the user is told why the choice did not go in.
  if (!s) AVISOSN(ctx_, textoRecusa(s, campo), 0);
}

Decimal Listas::numeroVar(std::string_view nome) const {
  auto v = vars_.valor(nome);
  return v ? numeroDe(*v) : Decimal();
}

}  // namespace console
