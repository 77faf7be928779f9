#include "console/ver_nome.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fixture.h"
#include "rt/term/keys.h"
#include "rt/text/strings.h"
#include "tabelas_fixture.h"

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

// --- the register of the data folder behind the search

namespace {

using console::teste::C;
using console::teste::Linha;

class ServicosNada final : public console::ServicosLista {
 public:
  std::string VE_STAT(int) override { return std::string(13, ' '); }
  void MOSTR_PAG(int) override {}
  void MOS_DETAL() override {}
  void MOS_PEND() override {}
  void MOSTR_BEM(int, int) override {}
  void DEL_GP() override {}
};

class RegistroNomesTest : public ::testing::Test, protected console::teste::TabelasFixture {
 protected:
  RegistroNomesTest() {
    cria(workareas::Area::IMP0910, "IMP0910", {C("CPF", 11), C("NOMECONTR", 53)},
         {Linha{"11111111111", "Maria Silva"}, Linha{"52222222222", "ANTONIO SOUZA"}, Linha{"33333333333", "ZULMIRA COSTA"}},
         {{"IMP0910", "CPF"}, {"IMP0910B", "UPPER(NOMECONTR)"}});
  }
  console::VariaveisMapa vars;
  ServicosNada serv;
  console::Listas listas{ctx, console::AcessoTabelas{areas, [this](workareas::Area n) { return abre(n); }}, vars, serv};
  int paginas = 0;
  console::RegistroNomes reg =
      console::registroNomes(console::AcessoTabelas{areas, [this](workareas::Area n) { return abre(n); }}, listas, [this] { ++paginas; });
  std::string CPF = std::string(11, ' '), NOMECONTR;
  console::AlvoNome alvo{18, 6, &CPF, &NOMECONTR};
};

TEST_F(RegistroNomesTest, FindsByTheUpperCaseNameAndLeavesTheRegisterInCpfOrder) {
  term.type("mar").press(key::Enter);
  EXPECT_TRUE(console::VER_NOME(ctx, reg, alvo));
  EXPECT_EQ(CPF, "11111111111");
  EXPECT_EQ(rt::text::trim(NOMECONTR), "Maria Silva");
  EXPECT_EQ(areas.table(workareas::Area::IMP0910)->order(), 1);
  EXPECT_EQ(paginas, 1);
}

TEST_F(RegistroNomesTest, ANameNotFoundOpensTheListAndEscTakesNothing) {
  // The search runs from the CPF prompt's check, so the list is the CPF's.
  console::teste::EntradaFalsa prompt("M->CPF");
  rt::term::ActiveInputScope escopo(con, prompt);
  term.type("BEATRIZ").press(key::Enter).press(key::Enter);  // the list at MARIA: taken
  EXPECT_TRUE(console::VER_NOME(ctx, reg, alvo));
  EXPECT_EQ(CPF, "11111111111");

  CPF = std::string(11, ' ');
  term.type("BEATRIZ").press(key::Enter).press(key::Esc);
  EXPECT_FALSE(console::VER_NOME(ctx, reg, alvo));
  EXPECT_EQ(CPF, std::string(11, ' '));
  EXPECT_EQ(areas.table(workareas::Area::IMP0910)->order(), 1);
}

TEST_F(RegistroNomesTest, TheRegisterIsOpenedWhenItIsNot) {
  (void)areas.close(workareas::Area::IMP0910);
  term.type("ZUL").press(key::Enter);
  EXPECT_TRUE(console::VER_NOME(ctx, reg, alvo));
  EXPECT_EQ(CPF, "33333333333");
}

}  // namespace
