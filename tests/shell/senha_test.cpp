#include "shell/senha.h"

#include <gtest/gtest.h>

#include "ajustes_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace shell::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;

TEST(Senha, NumberOfAPassword) {
  EXPECT_EQ(ANALISEN("abc"), 1189);
  EXPECT_EQ(ANALISEN("SENHA"), 2519);
  EXPECT_EQ(ANALISEN(""), 1);
  EXPECT_EQ(ANALISEN("      "), 1);
  // Letter case and surrounding blanks do not count.
  EXPECT_EQ(ANALISEN(" senha "), ANALISEN("SENHA"));
  EXPECT_EQ(ANALISEN("SeNhA"), 2519);
  // Only ASCII letters change case; other bytes count as the CP860 code they are.
  EXPECT_EQ(ANALISEN("ç"_cp), 1 + 135 * 13);
  EXPECT_EQ(ANALISEN("Ç"_cp), 1 + 128 * 12);
  // The largest number six characters can give still fits the stored N5 field.
  EXPECT_EQ(ANALISEN(std::string(6, '\xFF')), 38251);
  // Texts whose characters give the same sum are the same password.
  EXPECT_EQ(ANALISEN("AB"), ANALISEN("BA"));
}

class SenhaTela : public AjustesFixture {};

TEST_F(SenhaTela, WithoutTheRequirementStartUpGoesOnAndKeepsTheCopy) {
  criaConfig(false, 0);
  aj.ULT_SENIR = 2519;
  EXPECT_EQ(PEDE_SENHA(ctx, aj), Entrada::Liberada);
  EXPECT_FALSE(gravador.viu("Digite a senha"));
  auto config = abre("CONFIG", true);
  EXPECT_EQ(config->getNumber("ULT_SENIR"), rt::text::Decimal(2519));
}

TEST_F(SenhaTela, RightPasswordAtStartUpIsTypedHidden) {
  criaConfig(true, 0);
  gravaChave("fator3=" + std::to_string(ANALISEN("qwe")) + "\n");
  term.pause().type("wrong").press(key::Enter).pause().type("qwe").press(key::Enter);
  EXPECT_EQ(PEDE_SENHA(ctx, aj), Entrada::Liberada);
  EXPECT_TRUE(gravador.viu("Digite a senha"));
  EXPECT_TRUE(gravador.viu("Senha inválida!"_cp));
  EXPECT_FALSE(gravador.viu("senha\n"));
  EXPECT_FALSE(gravador.viu("wrong"));
  EXPECT_FALSE(gravador.viu("qwe"));
  EXPECT_EQ(term.beeps(), 1);
  EXPECT_EQ(aj.ULT_SENIR, ANALISEN("qwe"));
  EXPECT_EQ(abre("CONFIG", true)->getNumber("ULT_SENIR"), rt::text::Decimal(ANALISEN("qwe")));
  EXPECT_FALSE(term.exhausted());
}

TEST_F(SenhaTela, ThreeWrongAnswersEndTheProgram) {
  criaConfig(true, 0);
  gravaChave("fator3=2519\n");
  term.pause()
      .type("a")
      .press(key::Enter)
      .pause()
      .type("b")
      .press(key::Enter)
      .pause()
      .type("c")
      .press(key::Enter)
      .type("senha")
      .press(key::Enter);
  EXPECT_EQ(PEDE_SENHA(ctx, aj), Entrada::Encerrar);
  EXPECT_EQ(term.beeps(), 3);
  // The fourth answer is never read.
  EXPECT_EQ(term.pending(), 6u);
  // Nothing reaches CONFIG when the program ends here.
  EXPECT_EQ(abre("CONFIG", true)->getNumber("ULT_SENIR"), rt::text::Decimal(0));
}

TEST_F(SenhaTela, BackspaceTakesBackACharacterAndOnlySixAreKept) {
  criaConfig(true, 0);
  gravaChave("fator3=" + std::to_string(ANALISEN("ABCDEF")) + "\n");
  term.pause().type("abx").press(key::Backspace).pause().type("cdefgh").press(key::Enter);
  EXPECT_EQ(PEDE_SENHA(ctx, aj), Entrada::Liberada);
}

TEST_F(SenhaTela, NothingStoredIsTheEmptyPassword) {
  criaConfig(true, 0);
  term.press(key::Enter);
  EXPECT_EQ(PEDE_SENHA(ctx, aj), Entrada::Liberada);
  EXPECT_EQ(aj.ULT_SENIR, 1);
}

TEST_F(SenhaTela, TheSettingsFileWinsOverTheTerminalsCopy) {
  criaConfig(true, ANALISEN("abc"));
  gravaChave("fator3=2519\n");
  EXPECT_EQ(LESENHA1(ctx, aj), 2519);
  term.pause().type("abc").press(key::Enter).pause().type("senha").press(key::Enter);
  EXPECT_EQ(PEDE_SENHA(ctx, aj), Entrada::Liberada);
  EXPECT_EQ(term.beeps(), 1);
}

TEST_F(SenhaTela, WithoutTheSettingsFileTheCopyIsUsed) {
  criaConfig(true, ANALISEN("abc"));
  EXPECT_EQ(LESENHA1(ctx, aj), 1189);
  gravaChave("fator3=not a number\n");
  EXPECT_EQ(LESENHA1(ctx, aj), 1189);
  term.pause().type("ABC").press(key::Enter);
  EXPECT_EQ(PEDE_SENHA(ctx, aj), Entrada::Liberada);
}

TEST_F(SenhaTela, TurningTheRequirementOnWithNothingStoredAsksForAFirstPassword) {
  criaConfig(false, 0);
  term.type("S");                              // "colocar": yes
  term.pause().type("abc").press(key::Enter);  // new
  term.pause().type("ABC").press(key::Enter);  // again
  term.press(key::Enter);                      // "Na proxima entrada sera pedida a senha"
  OPCAO_SENHA(ctx, aj);
  EXPECT_TRUE(gravador.viu("Se for colocar a senha reponda com SIM"));
  EXPECT_TRUE(gravador.viu("Digite a Nova Senha"));
  EXPECT_TRUE(gravador.viu("Repita a Nova Senha"));
  EXPECT_TRUE(gravador.viu("Na proxima entrada sera pedida a senha"));
  EXPECT_TRUE(aj.QUERSEN);
  EXPECT_EQ(aj.ULT_SENIR, 1189);
  EXPECT_EQ(leChave(), "fator3=1189\n");
  EXPECT_EQ(abre("CONFIG", true)->getNumber("ULT_SENIR"), rt::text::Decimal(1189));
  EXPECT_FALSE(term.exhausted());

  // The next start asks for it.
  term.pause().type("abc").press(key::Enter);
  EXPECT_EQ(PEDE_SENHA(ctx, aj), Entrada::Liberada);
  EXPECT_EQ(term.beeps(), 0);
}

TEST_F(SenhaTela, AFirstPasswordNotRepeatedLeavesTheRequirementOff) {
  criaConfig(false, 0);
  term.type("S");
  term.pause().type("abc").press(key::Enter);
  term.pause().type("abd").press(key::Enter).pause().type("abe").press(key::Enter);
  term.press(key::Enter);  // the notice that the old password stays
  OPCAO_SENHA(ctx, aj);
  EXPECT_TRUE(gravador.viu("A senha não consistente. Digite-a novamente"_cp));
  EXPECT_TRUE(gravador.viu("ATENÇAO! A senha anterior foi mantida"_cp));
  EXPECT_FALSE(aj.QUERSEN);
  EXPECT_EQ(leChave(), "");
  EXPECT_EQ(aj.ULT_SENIR, 0);
}

TEST_F(SenhaTela, TurningItOnWithAStoredPasswordOnlyTells) {
  criaConfig(false, 0);
  gravaChave("fator3=2519\n");
  term.pause().type("S").press(key::Enter);
  OPCAO_SENHA(ctx, aj);
  EXPECT_FALSE(gravador.viu("Digite a Nova Senha"));
  EXPECT_TRUE(aj.QUERSEN);
  EXPECT_EQ(leChave(), "fator3=2519\n");
}

TEST_F(SenhaTela, ChangingThePassword) {
  criaConfig(true, 2519);
  gravaChave("# office\nfator3=2519\n");
  term.type("N");                                // alter
  term.pause().type("senha").press(key::Enter);  // current
  term.pause().type("senha").press(key::Enter);  // same number: refused
  term.pause().type("abc").press(key::Enter);    // new
  term.pause().type("abc").press(key::Enter);    // again
  OPCAO_SENHA(ctx, aj);
  EXPECT_TRUE(gravador.viu("Se for retirar a senha reponda com SIM"));
  EXPECT_TRUE(gravador.viu("Digite a Senha Atual"));
  EXPECT_TRUE(gravador.viu("A senha anterior não serve mais - Digite outra"_cp));
  EXPECT_EQ(leChave(), "# office\nfator3=1189\n");
  EXPECT_EQ(aj.ULT_SENIR, 1189);
  EXPECT_TRUE(aj.QUERSEN);
  EXPECT_EQ(abre("CONFIG", true)->getNumber("ULT_SENIR"), rt::text::Decimal(1189));
}

TEST_F(SenhaTela, TwoWrongCurrentPasswordsChangeNothing) {
  criaConfig(true, 2519);
  gravaChave("fator3=2519\n");
  term.pause().type("a").press(key::Enter).pause().type("b").press(key::Enter);
  EXPECT_FALSE(CONSENH(ctx, aj, 5, 58));
  EXPECT_TRUE(gravador.viu("Senha invalida!"));
  EXPECT_EQ(term.beeps(), 2);
  EXPECT_EQ(leChave(), "fator3=2519\n");
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kMensagem));
  EXPECT_EQ(linha(24), std::string(80, ' '));
}

TEST_F(SenhaTela, PromptsSitWhereTheirCallersSay) {
  criaConfig(true, 0);
  gravaChave("fator3=2519\n");
  term.pause()
      .type("senha")
      .press(key::Enter)
      .pause()
      .type("abc")
      .press(key::Enter)
      .pause()
      .type("abc")
      .press(key::Enter);
  EXPECT_TRUE(CONSENH(ctx, aj, 5, 58));
  EXPECT_TRUE(gravador.viuEm(5, 38, "Digite a Senha Atual        "));
  EXPECT_TRUE(gravador.viuEm(5, 38, "Digite a Nova Senha        "));
  EXPECT_TRUE(gravador.viuEm(5, 38, "Repita a Nova Senha        "));
  EXPECT_TRUE(gravador.cursorEm(5, 59));
  EXPECT_TRUE(gravador.cursorEm(5, 62));  // after three hidden characters
  gravador.esquece();
  term.pause().type("x").press(key::Enter);
  EXPECT_FALSE(LIBSEN(ctx, aj));
  EXPECT_TRUE(gravador.viuEm(6, 38, "Informe a Senha Atual         "));
  EXPECT_TRUE(gravador.cursorEm(6, 61));
  gravador.esquece();
  term.press(key::Enter);
  EXPECT_FALSE(SENHA(ctx, aj, 1189, 0));
  EXPECT_TRUE(gravador.viuEm(19, 61, "Digite a senha"));
  EXPECT_TRUE(gravador.cursorEm(21, 65));
}

TEST_F(SenhaTela, RemovingThePassword) {
  criaConfig(true, 2519);
  gravaChave("fator3=2519\n");
  term.pause().type("S").pause().type("x").press(key::Enter);
  OPCAO_SENHA(ctx, aj);
  EXPECT_TRUE(gravador.viu("Informe a Senha Atual"));
  EXPECT_NE(linha(24).find("Senha invalida!"), std::string::npos);
  EXPECT_TRUE(aj.QUERSEN);
  term.pause().type("S").pause().type("SENHA").press(key::Enter);
  OPCAO_SENHA(ctx, aj);
  EXPECT_FALSE(aj.QUERSEN);
  // The number stays: putting the requirement back asks the same password.
  EXPECT_EQ(leChave(), "fator3=2519\n");
}

}  // namespace
}  // namespace shell::teste
