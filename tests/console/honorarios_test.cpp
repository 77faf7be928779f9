// The office's fee: one rule with the two readings of a declaration with no time spent, the fee
// list's and letters' (not done: nothing) and the balance screen's (the minimum).
#include "console/honorarios.h"

#include <gtest/gtest.h>

namespace {

using console::SemTempo;
using rt::text::Decimal;

Decimal d(const char* s) { return *Decimal::parse(s); }

TEST(Honorarios, EachPartCutTheMinimumAndTheDeclarationWithNoTime) {
  const console::PrecosEscritorio precos{d("1.6"), d("1.0"), d("60")};
  struct Caso {
    int segundos, bytes;
    const char *tempo, *tamanho, *lista, *tela;  // `lista`: SemTempo::Nada, `tela`: SemTempo::Minimo
  };
  const Caso casos[] = {
      {1200, 50000, "32.00", "50.00", "82.00", "82.00"},
      {600, 10000, "16.00", "10.00", "60.00", "60.00"},    // 26.00 raised to the minimum
      {3601, 20999, "96.02", "20.99", "117.01", "117.01"},  // each part cut, not rounded
      {0, 50000, "0", "50.00", "0", "60.00"},               // data but no time
      {0, 0, "0", "0", "0", "60.00"},                        // nothing at all
      {0, 90000, "0", "90.00", "0", "90.00"},
  };
  for (const Caso& c : casos) {
    for (const SemTempo regra : {SemTempo::Nada, SemTempo::Minimo}) {
      const console::Honorarios h =
          console::calculaHonorarios(Decimal(c.segundos), Decimal(c.bytes), precos, regra);
      EXPECT_EQ(h.tempo, d(c.tempo)) << c.segundos << " " << c.bytes;
      EXPECT_EQ(h.tamanho, d(c.tamanho)) << c.segundos << " " << c.bytes;
      EXPECT_EQ(h.declaracao, d(regra == SemTempo::Nada ? c.lista : c.tela))
          << c.segundos << " s, " << c.bytes << " bytes, " << (regra == SemTempo::Nada ? "list" : "screen");
    }
  }
}

}  // namespace
