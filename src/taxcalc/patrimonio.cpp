#include "taxcalc/patrimonio.h"

#include <algorithm>

#include "taxcalc/linhas.h"
#include "store/areas.h"

namespace taxcalc {

namespace {

struct Totais {
  Decimal antes, agora, declaradoAntes;
};

// The three sums of an asset or debt copy.
Totais soma(Contexto& c, store::Area area, const char* antes, const char* agora, const char* declarado) {
  Totais s;
  if (rt::db::Table* t = store::tabela(c.areas, area)) {
    const int a = t->fieldIndex(antes), b = t->fieldIndex(agora), d = t->fieldIndex(declarado);
    Varredura(*t).cada([&](rt::db::Table& r, std::uint32_t) {
      s.antes += numero(r, a);
      s.agora += numero(r, b);
      s.declaradoAntes += numero(r, d);
    });
  }
  return s;
}

Decimal positivo(Decimal x) {
  return std::max(x, Decimal());
}

}  // namespace

void FI7_T(Contexto& c, int modo) {
  const Totais s = soma(c, store::Area::TMP_04, "I7_3", "I7_4", "I7_9");
  c.poe("I13_32", s.antes);
  c.poe("I13_33", s.agora);
  c.v.NTOTBANT1 = s.declaradoAntes;
  if (modo != 0) c.saida.mostra(Quadro::Bens);
}

void FI8_T(Contexto& c, int modo) {
  const Totais s = soma(c, store::Area::TMP_05, "I8_3", "I8_4", "I8_6");
  c.poe("I13_34", s.antes);
  c.poe("I13_35", s.agora);
  c.v.NTOTDANT1 = s.declaradoAntes;
  if (modo != 0) c.saida.mostra(Quadro::Dividas);
}

Decimal FI10_1(Contexto& c) {
  Variaveis& v = c.v;
  const Decimal bensAntes = c.num("I13_32"), bensAgora = c.num("I13_33");
  const Decimal dividasAntes = c.num("I13_34"), dividasAgora = c.num("I13_35");
  v.VARBEN = bensAgora - bensAntes;
  v.VARDIV = dividasAgora - dividasAntes;
  v.VARPATR = (bensAgora + dividasAntes) - (bensAntes + dividasAgora);

  const Decimal zero;
  Decimal emprestimos, liberado;
  if (v.VARBEN >= zero && v.VARDIV >= zero) {
    // Debts that grew more than the assets paid for something else.
    emprestimos = v.VARDIV > v.VARBEN ? v.VARDIV - v.VARBEN : zero;
  } else if (v.VARBEN < zero && v.VARDIV >= zero) {
    emprestimos = v.VARDIV;
    liberado = positivo(-v.VARBEN);
  } else if (v.VARBEN < zero && v.VARDIV <= zero) {
    liberado = positivo(-v.VARBEN + v.VARDIV);
  }
  c.poe("EMPREST", emprestimos);
  v.I10_2 = liberado;
  v.I10_1 = positivo(v.VARPATR);
  return v.I10_1;
}

Decimal TOTALDESP(Contexto& c) {
  Decimal total;
  if (rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_10)) {
    const int i = t->fieldIndex("VALODESP");
    Varredura(*t).cada([&](rt::db::Table& r, std::uint32_t) { total += numero(r, i) * 12; });
  }
  c.poe("DESPNAO", total);
  return total;
}

}  // namespace taxcalc
