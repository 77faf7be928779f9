// The computation plugged into the data store: loading's BALANCO and the save's CALC(7, 0)
// reach it through the declaration's Calculos.
#include "taxcalc/motor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "declaracao_fixture.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "store/espera.h"
#include "taxcalc/rendimentos.h"

namespace taxcalc::teste {
namespace {

class MotorTeste : public ::testing::Test {
 protected:
  MotorTeste() { criaCopias(ctx.areas, pasta); }
  ~MotorTeste() override {
    (void)ctx.areas.closeAll();
    std::error_code ec;
    std::filesystem::remove_all(pasta, ec);
  }

  std::string pasta = pastaTemporaria();
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  rt::text::FixedClock relogio{rt::text::LocalTime{Date::fromYmd(2010, 3, 15), 36000, 0}};
  store::EsperaVirtual espera{&relogio};
  store::Contexto ctx{con, relogio, espera};
  SaidaGravada saida;
  VizinhosDeTeste vizinhos;
  Motor motor{saida, vizinhos};
  store::Declaracao dec;
};

TEST_F(MotorTeste, LoadingStartsAfreshAndSavingRecomputes) {
  dec.calculos = &motor;
  dec.espelho.registro.txt("USAPADRAO", "N");
  dec.espelho.tabela01.num("CAL_AUTO", Decimal(1));
  rt::db::Table& rendas = *ctx.areas.table(workareas::Area::TMP_02);
  ASSERT_TRUE(rendas.appendBlank());
  ASSERT_TRUE(rendas.put("I1_1", std::string("J")));
  ASSERT_TRUE(rendas.put("I1_4", 18000.00_d));
  // Something left by a declaration opened before.
  motor.variaveis.I13_23A = 500.00_d;

  dec.calc().BALANCO(ctx, dec);
  EXPECT_EQ(motor.variaveis.I13_23A, 0.00_d);
  // 18,000.00 x 0.075 - 1,291.13 = 58.87.
  EXPECT_EQ(dec.espelho.tabela01.num("I13_19"), 58.87_d);
  EXPECT_EQ(dec.espelho.tabela01.num("I13_28"), 58.87_d);

  ASSERT_TRUE(rendas.put("I1_4", 25800.10_d));
  Contexto c = motor.contexto(ctx, dec);
  EXPECT_EQ(&c.v, &motor.variaveis);
  FI1_T(c, 0);
  dec.calc().CALC(ctx, dec, 7, 0);
  EXPECT_EQ(dec.espelho.tabela01.num("I13_19"), 643.89_d);
}

}  // namespace
}  // namespace taxcalc::teste
