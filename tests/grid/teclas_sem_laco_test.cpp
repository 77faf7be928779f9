// A character typed where a cell edit cannot start — the empty last row of a grid after Up, a
// grid that does not grow — is handled once and the grid goes on reading keys: it starts the
// new row where the grid grows, and is dropped where it cannot. Each grid runs in a child with
// an alarm, so a grid that spins fails instead of hanging.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixture.h"
#include "rt/term/keys.h"
#include "support/termina_em_tempo.h"

namespace {

using grid::teste::GridFixture;
using Lista = std::vector<std::string>;
namespace key = rt::term::key;

class TeclasSemLaco : public GridFixture {};

using store::Area;

TEST_F(TeclasSemLaco, ACharacterOnTheEmptyLastRowStartsTheRowOrIsDropped) {
  struct Caso {
    int opc;
    store::Area area;
    const char* campo;  // the first column typed into
    const char* digitado;
    Lista linhas;  // what the table holds afterwards
  };
  const Caso casos[] = {
      {1, Area::TMP_02, "I1_2", "HOSPITAL", {"HOSPITAL"}},  // incomes
      {3, Area::TMP_03, "NOMEDEPEN", "MARIA", {"MARIA"}},   // dependants
      {4, Area::TMP_06, "I6_1", "CLINICA", {"CLINICA"}},    // payments
      {5, Area::TMP_04, "I7_1", "7", {"7"}},                // assets
      {41, Area::IMP0910, "CPF", "S", {}},                  // the register's list does not grow
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.opc);
    const auto grade = [&] {
      tabela(static_cast<store::Area>(c.area));
      (void)ctx.areas.select(c.area);
      // Up leaves the append row of the empty table; the first character then finds the cursor
      // on the phantom row outside append mode.
      teclas().press(key::Up).type(c.digitado).press(key::Enter);
      teclas().press(key::Esc);
      grid::EDITA(ctx, g, c.opc);
      EXPECT_EQ(coluna(c.area, c.campo), c.linhas);
      EXPECT_EQ(g.ULTTECLA, key::Esc);
      EXPECT_FALSE(teclas().exhausted());
    };
    EXPECT_TRUE(support::terminaEmTempo(grade, 10));
  }
}

// On the carnê-leão's detail grid a character opens the monthly window, which reads it as its
// first key.
TEST_F(TeclasSemLaco, ACharacterOnTheCarneLeaoDetailIsTheMonthlyWindowsFirstKey) {
  tabela(store::Area::TMP_02);
  g.I1_1 = "F";
  g.I1_11 = "S";
  std::vector<int> lidas;
  servicos.mensal = [&](grid::MesesValor&, int, rt::text::Decimal) -> std::optional<rt::text::Decimal> {
    lidas.push_back(con.waitKey().code);
    return std::nullopt;
  };
  teclas().type("5").press(key::Esc);
  EXPECT_TRUE(support::terminaEmTempo(
      [&] {
        grid::EDITA(ctx, g, 24);
        EXPECT_EQ(lidas, std::vector<int>{'5'});
        EXPECT_EQ(servicos.conta("MUDATEL13"), 1);
        EXPECT_EQ(g.ULTTECLA, key::Esc);
      },
      10));
}

}  // namespace
