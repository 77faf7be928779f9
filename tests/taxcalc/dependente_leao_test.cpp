// The dependant's CPF of the monthly self-assessed tax: taken when it is a dependant's, the
// pick list otherwise, refused when its check digits are wrong or nothing was taken; the
// incomes copy filtered again on the screen's income kind in every case.
#include "taxcalc/dependente_leao.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/cp860.h"

namespace taxcalc::teste {
namespace {

const std::string kNaoConsta = "alerta:" + std::string("CPF digitado nao consta na relação dos dependentes"_cp);

class CpfDoDependente : public DeclaracaoTeste {
 protected:
  CpfDoDependente() {
    linha(store::Area::TMP_03,
          {{"NOMEDEPEN", std::string("FILHO")}, {"CPFDEPEN", std::string("11144477735")}});
    linha(store::Area::TMP_03,
          {{"NOMEDEPEN", std::string("FILHA")}, {"CPFDEPEN", std::string("52998224725")}});
    renda("F", 100.00_d);
    renda("J", 200.00_d);
    renda("E", 300.00_d);
  }
  // The list: records the field it was opened for and hands back `escolha`.
  ListaDependentes lista() {
    return [this](std::string_view campo) {
      abertas.emplace_back(campo);
      return escolha;
    };
  }
  CpfDependente verifica(std::string_view cpf, std::string_view tipo = "F") {
    return VERCPFDEPE(c, tela, cpf, tipo, lista());
  }
  // The kinds of the incomes copy's visible rows.
  std::vector<std::string> tiposVisiveis() {
    std::vector<std::string> tipos;
    rt::db::Table& t = tabela(store::Area::TMP_02);
    for (std::uint32_t r = 1; r <= t.recordCount(); ++r) {
      t.goTo(r);
      EXPECT_TRUE(t.status());
      if (t.isVisible()) tipos.push_back(t.getText("I1_1"));
    }
    return tipos;
  }

  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  console::Contexto tela{con, relogio};
  std::vector<std::string> abertas;
  std::string escolha;
};

TEST_F(CpfDoDependente, ADependantsCpfIsTakenWithoutTheList) {
  const CpfDependente r = verifica("52998224725");
  EXPECT_TRUE(r.aceito);
  EXPECT_EQ(r.M_CPFDEPEN, "52998224725");
  EXPECT_TRUE(abertas.empty());
  EXPECT_TRUE(saida.eventos.empty());
  EXPECT_EQ(tiposVisiveis(), std::vector<std::string>{"F"});
}

TEST_F(CpfDoDependente, AValidCpfOfNoDependantWarnsAndOpensTheList) {
  escolha = "11144477735";
  const CpfDependente r = verifica("12345678909", "E");
  EXPECT_EQ(saida.eventos, std::vector<std::string>{kNaoConsta});
  EXPECT_EQ(abertas, std::vector<std::string>{"M->CPFDEPEN"});
  EXPECT_TRUE(r.aceito);
  EXPECT_EQ(r.M_CPFDEPEN, "11144477735");  // the one chosen, not the one typed
  EXPECT_EQ(tiposVisiveis(), std::vector<std::string>{"E"});
}

TEST_F(CpfDoDependente, NothingChosenAfterAWrongCpfKeepsTheCursorThere) {
  const CpfDependente r = verifica("12345678909");
  EXPECT_EQ(abertas.size(), 1u);
  EXPECT_FALSE(r.aceito);
  EXPECT_EQ(r.M_CPFDEPEN, std::string(11, ' '));
  // A list that hands back someone who is no dependant does not make him one.
  escolha = "12345678909";
  EXPECT_FALSE(verifica("12345678909").aceito);
  EXPECT_EQ(tiposVisiveis(), std::vector<std::string>{"F"});
}

TEST_F(CpfDoDependente, AnEmptyCpfOpensTheListWithoutAWarning) {
  escolha = "52998224725";
  const CpfDependente r = verifica("           ");
  EXPECT_TRUE(saida.eventos.empty());
  EXPECT_EQ(abertas, std::vector<std::string>{"M->CPFDEPEN"});
  EXPECT_TRUE(r.aceito);
  EXPECT_EQ(r.M_CPFDEPEN, "52998224725");
  escolha.clear();  // Esc in the list
  EXPECT_FALSE(verifica("").aceito);
}

TEST_F(CpfDoDependente, WrongCheckDigitsAreRefusedBeforeAnyList) {
  const CpfDependente r = verifica("52998224700");
  EXPECT_FALSE(r.aceito);
  EXPECT_TRUE(abertas.empty());
  EXPECT_TRUE(term.contains("ATENCAO!! CPF está incorreto. "_cp)) << term.dump();
  // The incomes copy is left as it was.
  EXPECT_EQ(tiposVisiveis(), (std::vector<std::string>{"F", "J", "E"}));
}

TEST_F(CpfDoDependente, TheIncomesGridsFieldNamesItsOwnList) {
  escolha = "11144477735";
  const CpfDependente r = VE_RELDEP(c, "", "I1_8", "D", lista());
  EXPECT_EQ(abertas, std::vector<std::string>{"I1_8"});
  EXPECT_TRUE(r.aceito);
  EXPECT_TRUE(tiposVisiveis().empty());  // no income of kind "D" in this declaration
}

}  // namespace
}  // namespace taxcalc::teste
