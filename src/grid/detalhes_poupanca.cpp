// The entry of the savings grid (screen 13): what the declaration's screen typed as lists of
// exempt and exclusive incomes becomes rows of the grid, and the column totals are its footings.
#include <array>

#include "console/mensagens.h"
#include "grid/gravacoes_grade.h"
#include "grid/edita.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/travas.h"

namespace grid {

using rt::db::Table;
using rt::text::Decimal;

namespace {

constexpr std::array<const char*, 5> kValores = {"POUPANCA", "APLICACAO", "CPMF", "LUCROEPP", "LUCROREAL"};

// Whether some row's description lies inside the typed list (the list names the sources).
bool listaTemLinha(Table& t, std::string_view lista) {
  for (t.goTop(); t.status() && !t.eof(); t.skip(1)) {
    const std::string d(rt::text::trim(t.getText("DESCRICAO")));
    if (!d.empty() && lista.find(d) != std::string_view::npos) return true;
  }
  return false;
}

void acrescentaLista(store::Contexto& ctx, Grade& g, Table& t, std::string_view lista, const char* campo, Decimal valor) {
  const std::string_view texto = rt::text::trim(lista);
  if (texto.empty() || listaTemLinha(t, texto)) return;
  if (!ADIC_REG(ctx, g) || !store::REC_LOCK(ctx, store::kEsperaTrava)) return;
  const rt::db::FieldDef* f = t.field("DESCRICAO");
  GravacoesGrade grava(ctx);
  grava.put(t, "DESCRICAO", rt::text::padr(texto, f != nullptr ? f->width : static_cast<int>(texto.size())));
  grava.put(t, campo, valor);
  grava.destrava();
}

}  // namespace

void TOTAIS_POUPANCA(store::Contexto& ctx, Grade& g) {
  Table* t = ctx.areas.currentTable();
  if (t == nullptr) return;
  if (const std::optional<ListasPoupanca> l = g.srv().LISTAS_POUPANCA(ctx, g)) {
    const int opc = g.OPC;
    g.OPC = Tela::Poupanca;
    acrescentaLista(ctx, g, *t, l->I3_12D, "LUCROEPP", l->I3_12);
    acrescentaLista(ctx, g, *t, l->I4_05D, "LUCROREAL", l->I4_05);
    g.OPC = opc;
  }
  std::array<Decimal, kValores.size()> total{};
  bool ambos = false;
  for (t->goTop(); t->status() && !t->eof(); t->skip(1)) {
    for (std::size_t i = 0; i < kValores.size(); ++i) total[i] += t->getNumber(kValores[i]);
    if (t->getNumber("LUCROEPP") > Decimal() && t->getNumber("LUCROREAL") > Decimal()) ambos = true;
  }
  t->goTop();
  g.MATAUX.assign(1, std::string());
  for (const Decimal& v : total) g.MATAUX.push_back(rt::text::transform(v, "@Ez 99,999,999.99"));
  if (ambos) console::MENS(ctx, console::mens::AvisoSemMoldura, "Use uma linha para o Tributado e outra para o Isento");
}

}  // namespace grid
