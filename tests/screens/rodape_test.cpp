// The key hints on the message line: texts, centring, the cases that depend on the screen's
// state, and a number without a hint clearing the line; the spouse's result for the balance.
#include "screens/rodape.h"

#include <gtest/gtest.h>

#include "console/contexto.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/espelho.h"

namespace screens {
namespace {

using namespace rt::text::literals;

class Rodape : public ::testing::Test {
 protected:
  std::string linha() { return ctx.screen().rowText(24); }
  std::string centrado(std::string_view texto) {
    const int col = (80 - static_cast<int>(texto.size())) / 2;
    return std::string(static_cast<std::size_t>(col), ' ') + std::string(texto);
  }

  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  rt::text::FixedClock relogio;
  console::Contexto ctx{con, relogio};
};

TEST_F(Rodape, HintsAreWrittenCentredWhereMarked) {
  MRODAPE(ctx, 1);
  EXPECT_EQ(rt::text::trim(linha()),
            centrado("Esc=Fim Alt F4=Tela Aux. Crtl Enter= Envia p/ Tela Aux. Alt U Valores mensais"));
  MRODAPE(ctx, 4);
  EXPECT_EQ(rt::text::trim(linha()), " [Tab]=Muda para Dependentes");
  MRODAPE(ctx, 20);
  EXPECT_EQ(rt::text::trim(linha()),
            centrado("Marque de 1 a 99 a situação dessa declaração - Tab ou ESC - muda"_cp));
}

TEST_F(Rodape, PrefixedHints) {
  MRODAPE(ctx, 5);
  EXPECT_EQ(rt::text::trim(linha()),
            centrado("Alt H=Help Alt I=Indice INS=Inclui DEL=Elimina TAB=Fim pag Alt Z ou X=Zoom"));
  MRODAPE(ctx, 2);
  EXPECT_EQ(rt::text::trim(linha()),
            centrado("Alt H=Help Alt I=Indice TAB=Proxima página Seta -> Mais campos"_cp));
  MRODAPE(ctx, 11);
  EXPECT_EQ(rt::text::trim(linha()), centrado("Alt H=Help Alt I=Indice TAB=Cálculo do Imposto"_cp));
  MRODAPE(ctx, 12, {.CAL_AUTO = 2});
  EXPECT_EQ(rt::text::trim(linha()), centrado("Alt U=valor mensal ESC=Fim decl. TAB=Proxima página"_cp));
}

TEST_F(Rodape, HintsThatDependOnTheScreen) {
  MRODAPE(ctx, 7, {.simplificado = true});
  EXPECT_EQ(rt::text::trim(linha()), " Ctrl S=Muda para completo");
  MRODAPE(ctx, 7);
  EXPECT_EQ(rt::text::trim(linha()),
            " Ctrl S=Muda p/simplificado [Ctrl Enter]=Preenche valores mensais [ESC]=Fim");
  MRODAPE(ctx, 12);
  EXPECT_EQ(rt::text::trim(linha()), " Alt A=Muda o modo [Enter]=Preenche mensal [Alt N]=Muda pgto. Leão"_cp);
}

TEST_F(Rodape, OtherNumbersClearTheLine) {
  MRODAPE(ctx, 3);
  EXPECT_FALSE(rt::text::trim(linha()).empty());
  EXPECT_EQ(MRODAPE(ctx, 21), "");
  EXPECT_TRUE(rt::text::trim(linha()).empty());
  MRODAPE(ctx, 8);
  MRODAPE(ctx, 0);
  EXPECT_TRUE(rt::text::trim(linha()).empty());
}

TEST(FinfoConj, TheSpousesResultIsTheRegistersI9_2) {
  store::EspelhoDeclaracao d;
  rt::text::Decimal INFO_CONJ = rt::text::Decimal::fromInt(99);
  EXPECT_EQ(FINFO_CONJ(d, INFO_CONJ), rt::text::Decimal());
  EXPECT_EQ(INFO_CONJ, rt::text::Decimal());
  d.registro.num("I9_2", *rt::text::Decimal::parse("12345.67"));
  d.registro.num("I9_3", *rt::text::Decimal::parse("1.00"));
  EXPECT_EQ(FINFO_CONJ(d, INFO_CONJ), *rt::text::Decimal::parse("12345.67"));
  EXPECT_EQ(INFO_CONJ, *rt::text::Decimal::parse("12345.67"));
  // Deductions above the spouse's income leave a negative result, taken as it is.
  d.registro.num("I9_2", *rt::text::Decimal::parse("-250.10"));
  EXPECT_EQ(FINFO_CONJ(d, INFO_CONJ), *rt::text::Decimal::parse("-250.10"));
  EXPECT_EQ(INFO_CONJ, *rt::text::Decimal::parse("-250.10"));
}

}  // namespace
}  // namespace screens
