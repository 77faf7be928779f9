#include "console/ver_nome.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fixture.h"
#include "rt/term/keys.h"

namespace {

namespace key = rt::term::key;

// A register in name order held in a map; the row it stands on is `atual`.
class VerNomeTest : public ::testing::Test, protected console::teste::ConsoleFixture {
 protected:
  VerNomeTest() {
    nomes = {{"ANA PAULA", "11111111111"}, {"JOSE CARLOS", "22222222222"}, {"MARIA DA SILVA", "33333333333"}};
    reg.buscaNome = [this](const std::string& nome) {
      procurado = nome;
      auto it = nomes.lower_bound(nome);  // soft seek
      if (it == nomes.end()) return false;
      atual = it->first;
      return it->first.starts_with(nome);
    };
    reg.escolhe = [this] {
      ++listas;
      if (escolha.empty()) return false;
      atual = escolha;
      return true;
    };
    reg.cpf = [this] { return nomes[atual]; };
    reg.nome = [this] { return atual; };
    reg.restaura = [this] { ++restauros; };
  }

  std::map<std::string, std::string> nomes;
  std::string atual, procurado, escolha;
  int listas = 0, restauros = 0;
  console::RegistroNomes reg;
  std::string CPF = std::string(11, ' '), NOMECONTR;
  console::AlvoNome alvo{18, 6, &CPF, &NOMECONTR};
};

TEST_F(VerNomeTest, ANameFoundIsTakenWithoutTheList) {
  term.type("jose").press(key::Enter);
  EXPECT_TRUE(console::VER_NOME(ctx, reg, alvo));
  EXPECT_EQ(procurado, "JOSE");  // asked in upper case
  EXPECT_EQ(CPF, "22222222222");
  EXPECT_EQ(NOMECONTR, "JOSE CARLOS");
  EXPECT_EQ(listas, 0);
  EXPECT_EQ(restauros, 1);
}

TEST_F(VerNomeTest, ANameNotFoundOpensTheListAtTheNearestName) {
  escolha = "MARIA DA SILVA";
  term.type("LUIZ").press(key::Enter);
  EXPECT_TRUE(console::VER_NOME(ctx, reg, alvo));
  EXPECT_EQ(listas, 1);
  EXPECT_EQ(CPF, "33333333333");
  EXPECT_EQ(restauros, 1);
}

TEST_F(VerNomeTest, NothingChosenOrEscLeavesTheCpfAndStillRestoresTheRegister) {
  term.type("ZEZINHO").press(key::Enter);
  EXPECT_FALSE(console::VER_NOME(ctx, reg, alvo));
  EXPECT_EQ(CPF, std::string(11, ' '));
  term.type("ANA").press(key::Esc);
  EXPECT_FALSE(console::VER_NOME(ctx, reg, alvo));
  EXPECT_EQ(CPF, std::string(11, ' '));
  EXPECT_EQ(restauros, 2);
}

TEST_F(VerNomeTest, AnEmptyNameGoesStraightToTheList) {
  escolha = "ANA PAULA";
  term.press(key::Enter);
  EXPECT_TRUE(console::VER_NOME(ctx, reg, alvo));
  EXPECT_TRUE(procurado.empty());
  EXPECT_EQ(CPF, "11111111111");
}

TEST_F(VerNomeTest, PlugsIntoTheCpfCheckAsItsNameSearch) {
  term.type("MARIA").press(key::Enter);
  EXPECT_TRUE(console::VAL_CPF(ctx, "", true, console::buscaPorNome(ctx, reg, alvo)));
  EXPECT_EQ(CPF, "33333333333");
  EXPECT_EQ(NOMECONTR, "MARIA DA SILVA");
}

}  // namespace
