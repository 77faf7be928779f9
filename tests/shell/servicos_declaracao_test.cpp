// The open declaration's services on the console: what the computation says, the computation
// kept per declaration, and the grids' totals, checks and screen keys.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "rt/db/table.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "grid/catalogo_nomes.h"
#include "grid/edita.h"
#include "grid/validacao.h"
#include "servicos_fixture.h"
#include "shell/calculos_declaracao.h"
#include "shell/saida_console.h"
#include "shell/servicos_declaracao.h"
#include "store/tabelas_declaracao.h"
#include "support/scratch_dir.h"
#include "taxcalc/carne_leao.h"

namespace {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;
namespace key = rt::term::key;

Decimal dec(std::string_view s) { return Decimal::parse(s).value(); }

class SaidaConsoleTest : public ::testing::Test, protected shell::teste::ServicosFixture {
 protected:
  shell::SaidaConsole saida{p};
};

TEST_F(SaidaConsoleTest, NoticeShowsEveryLineAndWaitsForAKey) {
  const std::string linhas[] = {"Na declaracao Final o calculo do Imposto", "depende da data Partilha ou Lavratura"};
  term.press(key::Enter);
  saida.aviso(linhas);
  EXPECT_TRUE(gravador.viu("Na declaracao Final o calculo do Imposto"));
  EXPECT_TRUE(gravador.viu("depende da data Partilha ou Lavratura"));
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_FALSE(term.exhausted());
}

TEST_F(SaidaConsoleTest, AlertLinesAreSplitAtTheSemicolon) {
  term.press(key::Enter);
  saida.alerta("O contribuinte tem menos de 65 anos;e não pode usar desse beneficio!"_cp);
  EXPECT_TRUE(gravador.viu("O contribuinte tem menos de 65 anos"));
  EXPECT_TRUE(gravador.viu("e não pode usar desse beneficio!"_cp));
  EXPECT_FALSE(gravador.viu(";"));
}

TEST_F(SaidaConsoleTest, QuestionIsYesOnlyWhenTheUserSaysSo) {
  const std::string linhas[] = {"Muda mesmo assim para o simples?"};
  term.type("S");
  EXPECT_TRUE(saida.pergunta(linhas, false));
  term.type("N");
  EXPECT_FALSE(saida.pergunta(linhas, true));
  term.press(key::Esc);  // Esc is "Nao", as in every question of the program
  EXPECT_FALSE(saida.pergunta(linhas, true));
  EXPECT_TRUE(gravador.viu("Muda mesmo assim para o simples?"));
  EXPECT_FALSE(term.exhausted());
}

TEST_F(SaidaConsoleTest, HintGoesOnRow24FromColumn28InTheAttentionColour) {
  p.cores.COR_FERID = 28;
  saida.rodape("ATENCAO! E'mais vantajoso usar o formulário simples"_cp);
  const std::string row = linha(24);
  EXPECT_EQ(row.substr(28, 51), std::string("ATENCAO! E'mais vantajoso usar o formulário simples"_cp));
  EXPECT_EQ(con.screen().at(24, 28).attr, 28);
  EXPECT_EQ(row.substr(0, 28), std::string(28, ' '));
}

TEST_F(SaidaConsoleTest, CashLineOnlyWhereASummaryShowsItAndRedrawsGoToTheScreen) {
  saida.caixa("ATENÇAO!! PROB. CAIXA"_cp, true);  // no summary on show: nothing written
  for (int r = 0; r < 25; ++r) EXPECT_EQ(linha(r), std::string(80, ' '));
  saida.linhaCaixa = 20;
  saida.colunaCaixa = 40;
  p.cores.COR_FERID = 28;
  p.cores.COR_TEL1 = 30;
  saida.caixa("ATENÇAO!! PROB. CAIXA"_cp, true);
  EXPECT_EQ(linha(20).substr(40, 21), std::string("ATENÇAO!! PROB. CAIXA"_cp));
  EXPECT_EQ(con.screen().at(20, 40).attr, 28);
  saida.caixa(std::string(21, '-'), false);
  EXPECT_EQ(con.screen().at(20, 40).attr, 30);

  int redesenhos = 0;
  saida.mostra(taxcalc::Quadro::Bens);  // no screen: nothing happens
  saida.aoMostrar = [&](taxcalc::Quadro q) { redesenhos += q == taxcalc::Quadro::Bens; };
  saida.mostra(taxcalc::Quadro::Bens);
  EXPECT_EQ(redesenhos, 1);
}

TEST_F(SaidaConsoleTest, ProgressLineIsRewrittenWholeOnTheStatusRow) {
  saida.progresso("Conferindo !!                       Erro     Perigo     Atenção"_cp, 0, 7);
  saida.progresso("Conferido.  Resultado =======>  ", 7, 7);
  EXPECT_EQ(linha(24), rt::text::padr("Conferido.  Resultado =======>  ", 80));
  EXPECT_TRUE(gravador.viu("Conferindo !!"));  // each step is shown as it comes
  EXPECT_EQ(con.screen().at(24, 0).attr, p.cores.COR_MENS);
}

class ServicosDeclaracaoTest : public ::testing::Test, protected shell::teste::ServicosFixture {
 protected:
  ServicosDeclaracaoTest() {
    std::filesystem::create_directories(pasta + "/trab");
    p.definePastaTrabalho(pasta + "/trab");
    p.NUSU = "05";
    p.glob.NVALDOLAR = dec("1.7412");
    declaracao.calculos = &calculos;
  }
  ~ServicosDeclaracaoTest() override {
    (void)p.areas.closeAll();
    support::removeScratchDir(pasta);
  }
  void bem(Decimal anterior, Decimal atual) {
    rt::db::Table& t = *p.areas.table(store::Area::TMP_04);
    ASSERT_TRUE(t.appendBlank().isOk());
    ASSERT_TRUE(t.put("CPF", std::string("11144477735")).isOk());
    ASSERT_TRUE(t.put("I7_3", anterior).isOk());
    ASSERT_TRUE(t.put("I7_4", atual).isOk());
  }

  std::string pasta = support::makeScratchDir("serv");
  store::Declaracao declaracao;
  shell::CalculosDeclaracao calculos{p};
  shell::ServicosDeclaracao servicos{p, declaracao, calculos};
  grid::Grade g;
};

TEST_F(ServicosDeclaracaoTest, TheComputationStartsWithTheMonthsLastWorkingDayAndTheRateInForce) {
  EXPECT_EQ(calculos.vizinhos.leao.DF_PAGTO, taxcalc::pagamentoPadrao(p.HOJE));
  EXPECT_EQ(calculos.vizinhos.leao.DF_PAGTO, Date::fromYmd(2010, 4, 30));
  ASSERT_TRUE(store::criaCopia(p, store::Area::TMP_04).isOk());
  calculos.CALC(p, declaracao, 1, 0);
  EXPECT_EQ(calculos.vizinhos.rural.NVALDOLAR, dec("1.7412"));
}

TEST_F(ServicosDeclaracaoTest, AssetTotalsAreRecomputedByTheNameTheGridGives) {
  ASSERT_TRUE(store::criaCopia(p, store::Area::TMP_04).isOk());
  bem(dec("1000.50"), dec("2000.25"));
  bem(dec("10"), Decimal());
  p.areas.table(store::Area::TMP_04)->goTo(1);
  ASSERT_TRUE(p.areas.table(store::Area::TMP_04)->status());
  servicos.recalcula(p, g, "FI7_T(0)");
  EXPECT_EQ(declaracao.espelho.tabela01.num("I13_32"), dec("1010.50"));
  EXPECT_EQ(declaracao.espelho.tabela01.num("I13_33"), dec("2000.25"));
  EXPECT_EQ(p.areas.table(store::Area::TMP_04)->recNo(), 1u);  // the grid's row is left where it was

  // The gains' totals are known and belong to the gains screens: nothing here changes.
  servicos.recalcula(p, g, "FCALGAN(10)");
  EXPECT_EQ(declaracao.espelho.tabela01.num("I13_32"), dec("1010.50"));
  EXPECT_FALSE(gravador.viu("desconhecido"));
}

TEST_F(ServicosDeclaracaoTest, EveryNameOfTheGridCatalogueResolvesAndAnUnknownOneIsAnError) {
  // The whole catalogue, every screen in every state that changes its columns.
  const std::vector<grid::NomeDesconhecido> nomes = grid::nomesDesconhecidos(p, shell::recalculoConhecido);
  std::string lista;
  for (const grid::NomeDesconhecido& n : nomes) lista += n.texto() + "\n";
  EXPECT_TRUE(nomes.empty()) << lista;
  EXPECT_TRUE(shell::confereCatalogo(p));

  // Unknown names are told apart from known ones, inside chains and with arguments.
  std::string qual;
  EXPECT_TRUE(grid::validacaoConhecida("POEPONTO(1);VAL_NIT|CPFCGC"));
  EXPECT_TRUE(grid::validacaoConhecida("VAL_CPF;VE_RELDEP(I1_8)"));
  EXPECT_FALSE(grid::validacaoConhecida("POEPONTO(1);VAL_NTI|CPFCGC", &qual));
  EXPECT_EQ(qual, "VAL_NTI");
  EXPECT_TRUE(shell::recalculoConhecido("FI8_T(23)"));
  EXPECT_TRUE(shell::recalculoConhecido(""));
  EXPECT_FALSE(shell::recalculoConhecido("FI9_T(1)"));

  // Met while a user works, an unknown name is said, and a check refuses the value.
  term.press(key::Enter);
  servicos.recalcula(p, g, "FI9_T(1)");
  EXPECT_TRUE(gravador.viu("Recálculo desconhecido: FI9_T(1)"_cp));
  rt::ui::Value v = std::string("X");
  term.press(key::Enter);
  EXPECT_FALSE(servicos.valida(p, g, "TES_CDO(3)", v));
  EXPECT_TRUE(gravador.viu("Verificação desconhecida: TES_CDO(3)"_cp));
}

TEST_F(ServicosDeclaracaoTest, TheCalculatorsPaymentRecomputationChecksTheAmountPaid) {
  // Education (code 1) above its limit: the excess goes to the row's non-deductible part.
  ASSERT_TRUE(store::criaCopia(p, store::Area::TMP_06).isOk());
  rt::db::Table& t = *p.areas.table(store::Area::TMP_06);
  ASSERT_TRUE(t.appendBlank().isOk());
  ASSERT_TRUE(t.put("I6_3", Decimal(1)).isOk());
  ASSERT_TRUE(t.put("I6_4", dec("5000.00")).isOk());
  servicos.recalcula(p, g, grid::recalculoCalculadora(4));
  EXPECT_GT(t.getNumber("I6_5"), Decimal());
}

TEST_F(ServicosDeclaracaoTest, AChangedPaymentMarksThePaymentTotalsStale) {
  declaracao.espelho.JA_CALC = true;
  servicos.recalcula(p, g, "JA_CALC");
  EXPECT_FALSE(declaracao.espelho.JA_CALC);
}

TEST_F(ServicosDeclaracaoTest, ScreenKeysGoToTheDriverOnlyWhenItPluggedThemIn) {
  EXPECT_FALSE(servicos.QUETEL(p, g, 4));
  EXPECT_TRUE(servicos.MUDATEL1(p, g));
  EXPECT_FALSE(servicos.MUDATEL12(p, g));
  int pedida = 0, salvas = 0;
  servicos.quetel = [&](int n) {
    pedida = n;
    return true;
  };
  servicos.mudatel1 = [] { return false; };
  servicos.escHoriz = [] { return true; };
  servicos.salDec = [&] { ++salvas; };
  EXPECT_TRUE(servicos.QUETEL(p, g, 4));
  EXPECT_EQ(pedida, 4);
  EXPECT_FALSE(servicos.MUDATEL1(p, g));
  EXPECT_TRUE(servicos.ESC_HORIZ(p, g));
  servicos.SAL_DEC(p, g);
  EXPECT_EQ(salvas, 1);
}

TEST_F(ServicosDeclaracaoTest, ChecksSeeTheOpenDeclarationAndTheRateInForce) {
  grid::AmbienteValidacao& amb = servicos.ambienteValidacao();
  EXPECT_EQ(amb.espelho, &declaracao.espelho);
  p.glob.NVALDOLAR = dec("2.0001");
  EXPECT_EQ(servicos.ambienteValidacao().NVALDOLAR, dec("2.0001"));
  rt::ui::Value v = Decimal(5);
  EXPECT_TRUE(servicos.valida(p, g, "MENSAL", v));
  EXPECT_EQ(std::get<Decimal>(v), Decimal(5));
}

TEST_F(ServicosDeclaracaoTest, SelfPaidSocialSecurityGoesToItsOwnVariableOnly) {
  servicos.CARNE_PREVIDENCIA(p, g, "CARNEINSS", dec("123.45"));
  servicos.CARNE_PREVIDENCIA(p, g, "CARNEDEPEN", dec("6.78"));
  servicos.CARNE_PREVIDENCIA(p, g, "I13_01", dec("999"));  // not a name the grid may set
  EXPECT_EQ(declaracao.espelho.tabela01.num("CARNEINSS"), dec("123.45"));
  EXPECT_EQ(declaracao.espelho.tabela01.num("CARNEDEPEN"), dec("6.78"));
  EXPECT_EQ(declaracao.espelho.tabela01.num("I13_01"), Decimal());
}

TEST_F(ServicosDeclaracaoTest, TheClockIsTheDriversAndRunsWhenItPluggedNone) {
  EXPECT_FALSE(servicos.SEMHORA(p, g));
  servicos.DESLIG_RELG(p, g);
  bool parado = false;
  servicos.desligRelg = [&] { parado = !parado; };
  servicos.semHora = [&] { return parado; };
  servicos.DESLIG_RELG(p, g);
  EXPECT_TRUE(servicos.SEMHORA(p, g));
}

TEST_F(ServicosDeclaracaoTest, SavingsListsComeFromTheDeclaration) {
  declaracao.espelho.tabela01.txt("I3_12D", "POUPANCA CAIXA");
  declaracao.espelho.tabela01.num("I3_12", dec("12.34"));
  const std::optional<grid::ListasPoupanca> l = servicos.LISTAS_POUPANCA(p, g);
  ASSERT_TRUE(l.has_value());
  EXPECT_EQ(rt::text::trim(l->I3_12D), "POUPANCA CAIXA");
  EXPECT_EQ(l->I3_12, dec("12.34"));
}

}  // namespace

namespace {

TEST_F(ServicosDeclaracaoTest, MonthlyDollarGridStartsFromTheMonthOfTheValueAndGivesTheTotal) {
  grid::MesesValor meses;
  term.press(key::Esc);
  const std::optional<Decimal> total = servicos.MUDATEL13(p, g, meses, 3, Decimal(100));
  ASSERT_TRUE(total.has_value());
  EXPECT_EQ(*total, Decimal(100));
  EXPECT_EQ(meses.reais[2], Decimal(100));
  EXPECT_TRUE(gravador.viu("DOLAR"));
  EXPECT_TRUE(gravador.viu("43,19"));  // March at 2.3152
  EXPECT_FALSE(term.exhausted());
  EXPECT_EQ(servicos.MUDATEL13(p, g, meses, 13, Decimal(100)), std::nullopt);
}

TEST_F(ServicosDeclaracaoTest, TheConverterOfAFormRunsTheSameGrid) {
  shell::GradeDolar grade = servicos.gradeDolar(g);
  term.press(key::Esc);
  EXPECT_EQ(grade(p), Decimal());
  EXPECT_TRUE(gravador.viu("DOLAR"));
}

}  // namespace

// The pick lists the grid's checks open write into the declaration's own variables.
TEST_F(ServicosDeclaracaoTest, ChecksOpenTheirListsOverTheDeclarationsVariables) {
  ASSERT_NE(servicos.ambienteValidacao().listas, nullptr);
  shell::VariaveisDeclaracao vars(declaracao);
  EXPECT_TRUE(vars.atribui("M->NOMECONTR", rt::ui::Value(std::string("FULANO"))));
  EXPECT_EQ(declaracao.espelho.registro.txt("NOMECONTR").substr(0, 6), "FULANO");
  // A value of another type than the field's is refused, the field keeps its value.
  EXPECT_FALSE(vars.atribui("NOMECONTR", rt::ui::Value(Decimal(3))));
  EXPECT_EQ(declaracao.espelho.registro.txt("NOMECONTR").substr(0, 6), "FULANO");
  // Names no record has are kept aside.
  EXPECT_TRUE(vars.atribui("M->CPFDEPEN", rt::ui::Value(std::string("11144477735"))));
  ASSERT_TRUE(vars.valor("CPFDEPEN").has_value());
  EXPECT_EQ(std::get<std::string>(*vars.valor("CPFDEPEN")), "11144477735");
}

// The dependant's CPF of an income row: a CPF of one of the dependants is taken and linked.
TEST_F(ServicosDeclaracaoTest, TheIncomeRowsDependantIsTakenWhenHeIsADependant) {
  ASSERT_TRUE(store::criaCopia(p, store::Area::TMP_02).isOk());
  ASSERT_TRUE(store::criaCopia(p, store::Area::TMP_03).isOk());
  rt::db::Table& d = *p.areas.table(store::Area::TMP_03);
  ASSERT_TRUE(d.appendBlank().isOk());
  ASSERT_TRUE(d.put("CPF", std::string("11144477735")).isOk());
  ASSERT_TRUE(d.put("CPFDEPEN", std::string("52998224725")).isOk());
  g.I1_1 = "D";
  rt::ui::Value v = std::string("52998224725");
  EXPECT_TRUE(servicos.valida(p, g, "VAL_CPF;VE_RELDEP(I1_8)", v));
  EXPECT_EQ(g.M_CPFDEPEN, "52998224725");
  // Wrong check digits stop the chain before the dependants are looked at.
  g.M_CPFDEPEN = std::string(11, ' ');
  term.press(rt::term::key::Esc);
  rt::ui::Value errado = std::string("52998224724");
  EXPECT_FALSE(servicos.valida(p, g, "VAL_CPF;VE_RELDEP(I1_8)", errado));
  EXPECT_EQ(g.M_CPFDEPEN, std::string(11, ' '));
}
