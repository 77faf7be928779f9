// The matrix grid driven as the user drives it: cells typed, copied and pasted, the modes of
// the carnê-leão months, the month's entries opened from a cell, the rural months with their
// marks; what the matrices hold afterwards and what their totals say.
#include <gtest/gtest.h>

#include "fixture.h"
#include "grid/matriz.h"
#include "grid/matriz_telas.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/espelho.h"
#include "taxcalc/carne_leao.h"
#include "taxcalc/contexto.h"
#include "taxcalc/tax_year.h"

namespace {

using namespace rt::text::literals;
using grid::teste::GridFixture;
using rt::text::Decimal;
namespace key = rt::term::key;

// Records the nested grids and the other subsystems' calls.
class ServicosMatrizGravados : public grid::ServicosMatriz {
 public:
  struct Aberta {
    int opc;
    std::string I1_1, TIPOCR;
    int POSHORMAT;
    int MESATI;
  };
  std::vector<Aberta> grades;
  std::vector<int> ganhos;
  std::vector<std::pair<int, Decimal>> renvar;
  grid::Matrizes* m = nullptr;
  std::optional<Decimal> chamador;
  void grade(store::Contexto&, grid::Grade& g, int opc, int) override {
    grades.push_back({opc, g.I1_1, g.TIPOCR, g.POSHORMAT, m != nullptr ? m->MESATI : 0});
    g.OPC = opc;
  }
  void FX_GANHO(taxcalc::Contexto&, grid::Matrizes&, int linha) override { ganhos.push_back(linha); }
  void SOMA_RENVAR(taxcalc::Contexto&, grid::Matrizes&, int coluna, Decimal v) override { renvar.emplace_back(coluna, v); }
  std::optional<Decimal> campoChamador() override { return chamador; }
};

// Counts the computation's runs of the carnê-leão (two per CALC(1, 1): both sides).
class VizinhosGravados : public taxcalc::Vizinhos {
 public:
  int leao = 0;
  void FDE_LEAO(taxcalc::Contexto&, int) override { ++leao; }
};

class Matriz : public GridFixture {
 protected:
  Matriz() {
    srv.m = &m;
    tabela(store::Area::TMP_02);
    tabela(store::Area::TMP_12);
  }
  void roda(int opc) {
    grid::AmbienteMatriz a{ctx, g, calc, m, srv};
    grid::MBROWSE(a, opc);
  }
  // The amount of a cell of a matrix that mixes text columns (a text cell fails the test).
  static Decimal valor(const grid::Celula& c) {
    const Decimal* v = std::get_if<Decimal>(&c);
    EXPECT_NE(v, nullptr);
    return v != nullptr ? *v : Decimal();
  }
  void modoLeao(int modo) { d.tabela01.num("CAL_AUTO", modo); }

  store::EspelhoDeclaracao d;
  taxcalc::Variaveis vars;
  taxcalc::Saida saida;
  VizinhosGravados vizinhos;
  taxcalc::Contexto calc{ctx.areas, d, vars, relogio, saida, vizinhos};
  grid::Matrizes m;
  ServicosMatrizGravados srv;
};

TEST_F(Matriz, TypedMonthOfTheCarneLeaoIsTaxedAndTotalled) {
  modoLeao(2);
  d.REC_MENSAL[2][2] = Decimal(500);
  // The month names are frozen: the cursor starts on January's income.
  teclas().type("3000").press(key::Enter).press(key::Esc);
  roda(16);
  EXPECT_EQ(d.REC_MENSAL[1][2], Decimal(3000));
  EXPECT_EQ(d.REC_MENSAL[13][2], Decimal(3500));
  // January's tax due: 3000 in the 15% bracket of 2009.
  EXPECT_GT(d.REC_MENSAL[1][7], Decimal());
  EXPECT_EQ(g.ULTTECLA, key::Esc);
  EXPECT_TRUE(g.TECLAMUDA);
  EXPECT_TRUE(term.viu("Pes.F")) << term.telas.back();
  EXPECT_TRUE(term.viu("01-Jan"));
}

TEST_F(Matriz, TotalsWiderThanTheColumnStayExactFromTheGridToTheSummary) {
  // Two months the column shows whole, a year it can show only in asterisks: the year is
  // still the sum, in the matrix, in the titular's row of copy 32 and in the summary line.
  modoLeao(2);
  linha(store::Area::TMP_12, {{"CPFDEPEN", grid::teste::C("")}});
  rt::db::Table& grade = *ctx.areas.table(store::Area::TMP_12);
  teclas().type("6000000").press(key::Enter).press(key::Down).type("9999999,99").press(key::Enter).press(key::Esc);
  roda(16);
  const Decimal ano = 15999999.99_d;
  EXPECT_EQ(d.REC_MENSAL[1][2], Decimal(6'000'000));
  EXPECT_EQ(d.REC_MENSAL[13][2], ano);
  EXPECT_TRUE(term.viu("****.***,**")) << term.telas.back();
  taxcalc::FDE_LEAO(calc, m.leao, 1);
  grade.goTo(1);
  ASSERT_TRUE(grade.status());
  EXPECT_EQ(grade.getNumber("I2_113"), ano);
  EXPECT_EQ(grade.getNumber("I2_102"), 9999999.99_d);
  EXPECT_EQ(d.tabela01.num("I13_03"), ano);
}

TEST_F(Matriz, AnAmountTheColumnCannotShowIsRefusedWithAMessage) {
  modoLeao(2);
  d.REC_MENSAL[1][2] = Decimal(10);
  // The calculator is left with its result (Ctrl+Enter), then the cell keeps its 10.00.
  teclas().press(key::AltS).type("10000000").press(key::CtrlEnter).pause().press(key::Enter).press(key::Esc);
  roda(16);
  EXPECT_EQ(d.REC_MENSAL[1][2], Decimal(10));
  EXPECT_TRUE(term.viu("O valor não cabe nessa coluna"_cp)) << term.telas.back();
}

TEST_F(Matriz, ADateOnTheClipboardIsNotPastedIntoAnAmount) {
  modoLeao(2);
  d.REC_MENSAL[1][2] = Decimal(10);
  g.CLIPTEX = rt::text::Date::fromYmd(2009, 1, 1);
  teclas().press(key::AltC).press(key::Esc);
  roda(16);
  EXPECT_EQ(d.REC_MENSAL[1][2], Decimal(10));
}

TEST_F(Matriz, CarneLeaoHeadingsFollowTheSummarysChoiceAndTheDependant) {
  d.tabela01.logico("SO_REC", true);
  g.I1_11 = "N";
  teclas().press(key::Esc);
  roda(16);
  EXPECT_TRUE(term.viu("Leão Pago*"_cp));
  EXPECT_TRUE(term.viu("Previdência"_cp));
  EXPECT_FALSE(term.viu("Dep+Pre+Pen"));
}

TEST_F(Matriz, GainsOnSharesHaveSixColumns) {
  m.REC_GANHO_COLUNAS = 6;
  teclas().press(key::Right).press(key::Right).type("12").press(key::Enter).press(key::Esc);
  roda(12);
  EXPECT_TRUE(term.viu("I.Lei 11.033"));
  EXPECT_EQ(valor(m.REC_GANHO[1][6]), Decimal(12));
}

TEST_F(Matriz, FrozenColumnsAreNeverTypedInto) {
  // Screen 12 freezes three columns, 14 the market line, 16 the month: Home, or Left from the
  // first free column, leaves the cursor there, and what is typed goes there.
  modoLeao(2);
  m.MRENVAR.push_back({});
  m.MRENVAR[0][1] = " 1Mercado a vista";
  for (const auto& [opc, congela] : std::vector<std::pair<int, int>>{{12, 3}, {14, 1}, {16, 1}}) {
    grid::MatrizRef ref = grid::MATATU(m, d, opc == 12 ? "REC_GANHO" : opc == 14 ? "MRENVAR" : "REC_MENSAL");
    ASSERT_TRUE(ref) << opc;
    // What a frozen cell holds, whether an amount, a text or the month's caption.
    auto conteudo = [&](int c) {
      const grid::CelulaRef r = ref.cel(1, c);
      return r.valor ? r.valor->toString() : r.texto ? *r.texto : r.rotulo;
    };
    for (int c = 1; c <= congela; ++c) {
      const grid::CelulaRef r = ref.cel(1, c);
      if (r.valor) *r.valor = rt::text::Decimal(c);
      if (r.texto && opc != 14) *r.texto = "  " + std::to_string(c);
    }
    std::vector<std::string> antes;
    for (int c = 1; c <= congela; ++c) antes.push_back(conteudo(c));
    for (int alvo = 0; alvo <= congela; ++alvo) {
      if (alvo == 0) {
        teclas().press(key::Home);
      } else {
        for (int i = alvo; i <= congela; ++i) teclas().press(key::Left);
      }
      // A new value each time: a changed cell keeps the cursor where it was typed.
      teclas().type(std::to_string(5 + alvo)).press(key::Enter).press(key::Esc);
      roda(opc);
      EXPECT_EQ(g.PONTEIRO, congela + 1) << opc << " " << alvo;
      for (int c = 1; c <= congela; ++c) EXPECT_EQ(conteudo(c), antes[static_cast<std::size_t>(c - 1)]) << opc << " " << c;
    }
  }
}

TEST_F(Matriz, TotalsAndComputedColumnsOfTheCarneLeaoCannotBeTyped) {
  modoLeao(2);
  // Row 13 is the year: Ctrl+PgDn goes there, typing changes nothing.
  teclas().press(key::CtrlPgDn).type("99").press(key::Enter).press(key::Esc);
  roda(16);
  EXPECT_EQ(d.REC_MENSAL[13][2], Decimal());
  // Column 7 (tax due) is computed.
  teclas().press(key::Right).press(key::Right).press(key::Right).press(key::Right).press(key::Right).type("77").press(key::Enter).press(key::Esc);
  roda(16);
  EXPECT_EQ(d.REC_MENSAL[1][7], Decimal());
}

TEST_F(Matriz, PasteCountsInTheTotalsAtOnce) {
  modoLeao(2);
  d.REC_MENSAL[1][2] = Decimal(1000);
  taxcalc::FX_RT(calc, 2);
  teclas().press(key::AltM).press(key::Down).press(key::AltC).press(key::Esc);
  roda(16);
  EXPECT_EQ(d.REC_MENSAL[2][2], Decimal(1000));
  EXPECT_EQ(d.REC_MENSAL[13][2], Decimal(2000));
  ASSERT_TRUE(g.CLIPTEX.has_value());
}

TEST_F(Matriz, PasteIntoTheTotalsRowIsRefused) {
  modoLeao(2);
  d.REC_MENSAL[1][2] = Decimal(1000);
  taxcalc::FX_RT(calc, 2);
  teclas().press(key::AltM).press(key::CtrlPgDn).press(key::AltC).press(key::Esc);
  roda(16);
  EXPECT_EQ(d.REC_MENSAL[13][2], Decimal(1000));
}

TEST_F(Matriz, EnterOpensTheMonthsEntriesInTheIndividualAndCashBookModes) {
  modoLeao(1);
  g.I1_1 = "J";
  teclas().press(key::Enter).press(key::Right).press(key::Right).press(key::Right).press(key::Enter).press(key::Esc);
  roda(16);
  ASSERT_EQ(srv.grades.size(), 2u);
  EXPECT_EQ(srv.grades[0].opc, 17);
  EXPECT_EQ(srv.grades[0].I1_1, "F");
  EXPECT_EQ(srv.grades[0].POSHORMAT, 2);
  EXPECT_EQ(srv.grades[1].opc, 24);
  EXPECT_EQ(srv.grades[1].I1_1, "P");
  // The grid's own kind comes back afterwards.
  EXPECT_EQ(g.I1_1, "J");
  EXPECT_EQ(g.OPC, 16);

  srv.grades.clear();
  modoLeao(3);
  teclas().press(key::Enter).press(key::Right).press(key::Enter).pause().press(key::Enter).press(key::Right).press(key::Enter).press(key::Esc);
  roda(16);
  ASSERT_EQ(srv.grades.size(), 2u);
  EXPECT_EQ(srv.grades[0].opc, 18);
  EXPECT_EQ(srv.grades[0].TIPOCR, "C");
  EXPECT_EQ(srv.grades[1].opc, 18);
  EXPECT_EQ(srv.grades[1].I1_1, "L");
  EXPECT_EQ(srv.grades[1].TIPOCR, "D");
  // The income from abroad has no cash book.
  EXPECT_TRUE(term.viu("Rendimentos do exterior deve ser preenchido"));
}

TEST_F(Matriz, EnterInTheTotalsModeEditsTheCell) {
  modoLeao(2);
  teclas().press(key::Enter).type("1234,56").press(key::Enter).press(key::Esc);
  roda(16);
  EXPECT_TRUE(srv.grades.empty());
  EXPECT_EQ(d.REC_MENSAL[1][2], Decimal::fromRaw(123456000000));
}

TEST_F(Matriz, AltACyclesTheModesAndExplainsEach) {
  pagina.TELA = 2;
  modoLeao(3);
  teclas().press(key::AltA).pause().press(key::Enter).press(key::AltA).pause().press(key::Enter).press(key::AltA).pause().press(key::Enter).press(key::Esc);
  roda(16);
  // 3 -> 4 -> 1 -> 2; only entering the reverse mode recomputes.
  EXPECT_EQ(calc.calAuto(), 2);
  EXPECT_EQ(vizinhos.leao, 2);
  EXPECT_EQ(g.POSHORMAT, 1);
  EXPECT_TRUE(term.viu("Essa opção faz a conta ao inverso. Informado o valor do imposto"_cp));
  EXPECT_TRUE(term.viu("Essa é a opção ideal para o preenchimento da"_cp));
  EXPECT_TRUE(term.viu("usando R$  144.20 por dependente, o valor mensal da pensao quando"));
  EXPECT_EQ(grid::explicacaoModo(2).size(), 7u);
}

TEST_F(Matriz, ModeTitleStaysOnTheFormInTheClientColour) {
  // The carnê-leão form (window 3) holds its own text where the title goes.
  pagina.TELA = 2;
  modoLeao(3);
  ctx.janelas.REDEFJAN(console::Jan::kTela, 0x17, 0x1F, 0x71, 0, 0, 24, 79, 0);
  ctx.janelas.ABREJAN(console::Jan::kTela);
  ctx.janelas.ESCRJAN(console::Jan::kTela, std::string(80 * 5, '.'));
  teclas().press(key::AltA).pause().press(key::Enter).press(key::Esc);
  roda(16);
  EXPECT_EQ(ctx.screen().rowText(3).substr(65, 14), "4)CALC.INVERSO");
  EXPECT_EQ(ctx.screen().at(3, 65).attr, rt::term::parseColour(ctx.cores.COR_1_CLI).value());
}

TEST_F(Matriz, AltNSwitchesWhichValueGoesToTheSummary) {
  pagina.TELA = 2;
  teclas().press(key::AltN).pause().press(key::Enter).press(key::Esc);
  roda(16);
  EXPECT_TRUE(d.tabela01.logico("SO_REC"));
  EXPECT_TRUE(term.viu("será apenas o VALOR INFORMADO COMO PAGO."_cp));
  EXPECT_EQ(vizinhos.leao, 2);
  teclas().press(key::AltN).pause().press(key::Enter).press(key::Esc);
  roda(16);
  EXPECT_FALSE(d.tabela01.logico("SO_REC"));
  EXPECT_TRUE(term.viu("SOMA DOS MAIORES VALORES"));
}

TEST_F(Matriz, MonthlyValuesConvertToDollarsAndTotal) {
  teclas().type("1741").press(key::Enter).press(key::Esc);
  roda(7);
  EXPECT_EQ(m.CALC_MENS[1][2], Decimal(1741));
  EXPECT_EQ(m.CALC_MENS[1][3], rt::text::despreza(Decimal(1741) / taxcalc::TAB_DOLAR(1)));
  EXPECT_EQ(m.CALC_MENS[13][2], Decimal(1741));
  EXPECT_TRUE(term.viu("  DOLAR  "));
}

TEST_F(Matriz, MonthlyTotalsRowIsNotEditable) {
  teclas().press(key::CtrlPgDn).type("50").press(key::Enter).press(key::Esc);
  roda(7);
  EXPECT_EQ(m.CALC_MENS[13][2], Decimal());
}

TEST_F(Matriz, EmployersColumnOfTheDomesticEmployeeIsRefused) {
  m.GPS = true;
  teclas().type("100").press(key::Enter).press(key::Right).type("5").press(key::Enter).pause().press(key::Enter).press(key::Esc);
  roda(7);
  EXPECT_EQ(m.CALC_MENS[1][2], Decimal(100));
  EXPECT_EQ(m.CALC_MENS[1][3], Decimal(60));
  EXPECT_TRUE(term.viu("Digite o valor na outra coluna GPS"));
  EXPECT_TRUE(term.viu("   GPS  "));
}

TEST_F(Matriz, AltBFetchesTheCallingFieldIntoTheMonth) {
  srv.chamador = Decimal(348);
  teclas().press(key::AltB).press(key::Right).press(key::Down).press(key::AltB).press(key::Esc);
  roda(7);
  EXPECT_EQ(m.CALC_MENS[1][2], Decimal(348));
  // February's dollar column takes the value in dollars, and the reais follow.
  EXPECT_EQ(m.CALC_MENS[2][3], rt::text::despreza(Decimal(348) / taxcalc::TAB_DOLAR(2)));
}

TEST_F(Matriz, RuralTotalsModeMarksEveryMonthIncludingDecember) {
  d.rural.logico("SO_TOTAL", true);
  // December: receipts 100, expenses 250.
  teclas().press(key::CtrlPgDn).press(key::Up).type("100").press(key::Enter).press(key::Right).type("250").press(key::Enter).press(key::Esc);
  roda(37);
  EXPECT_EQ(d.REND_RURAL[12][1], Decimal(100));
  EXPECT_EQ(d.REND_RURAL[12][2], Decimal(250));
  EXPECT_EQ(m.MES_NEG[11], '*');
  EXPECT_EQ(m.TOT_RURAL[2], Decimal(250));
  EXPECT_EQ(d.rural.num("I4R_02"), Decimal(250));
  EXPECT_TRUE(term.viu("* indica despesa maior que receita"));
}

TEST_F(Matriz, RuralPasteRecomputesTotalsAndMarks) {
  d.rural.logico("SO_TOTAL", true);
  d.REND_RURAL[1][2] = Decimal(80);
  teclas().press(key::Right).press(key::AltM).press(key::Left).press(key::Down).press(key::Down).press(key::Right).press(key::AltC).press(key::Esc);
  roda(37);
  EXPECT_EQ(d.REND_RURAL[3][2], Decimal(80));
  EXPECT_EQ(m.TOT_RURAL[2], Decimal(160));
  EXPECT_EQ(m.MES_NEG[2], '*');
  EXPECT_EQ(d.rural.num("I4R_02"), Decimal(160));
}

TEST_F(Matriz, RuralTotalsRowIsForDisplayOnly) {
  d.rural.logico("SO_TOTAL", true);
  d.REND_RURAL[5][1] = Decimal(70);
  teclas().press(key::CtrlPgDn).type("9").press(key::Enter).press(key::Esc);
  roda(37);
  EXPECT_EQ(m.TOT_RURAL[1], Decimal(70));
  EXPECT_TRUE(term.viu("70,00"));
}

TEST_F(Matriz, RuralCashBookModeOpensTheMonthsBook) {
  d.rural.logico("SO_TOTAL", false);
  teclas().press(key::Down).press(key::Down).press(key::Right).press(key::Enter).press(key::Esc);
  roda(37);
  ASSERT_EQ(srv.grades.size(), 1u);
  EXPECT_EQ(srv.grades[0].opc, 38);
  EXPECT_EQ(srv.grades[0].MESATI, 3);
  EXPECT_EQ(srv.grades[0].TIPOCR, "D");
}

TEST_F(Matriz, RuralCashBookEntriesBecomeTheMonthsAndMarkDecember) {
  d.rural.logico("SO_TOTAL", false);
  tabela(store::Area::TMP_16);
  tabela(store::Area::TMP_19);
  linha(store::Area::TMP_19, {{"TIPOCR", grid::teste::C("C")},
                              {"DT_LC", rt::text::Date::fromYmd(2009, 12, 5)},
                              {"VALOR", grid::teste::N(100)}});
  linha(store::Area::TMP_19, {{"TIPOCR", grid::teste::C("D")},
                              {"DT_LC", rt::text::Date::fromYmd(2009, 12, 10)},
                              {"VALOR", grid::teste::N(300)}});
  linha(store::Area::TMP_19, {{"TIPOCR", grid::teste::C("C")},
                              {"DT_LC", rt::text::Date::fromYmd(2009, 1, 10)},
                              {"VALOR", grid::teste::N(50)}});
  teclas().press(key::Enter).press(key::Esc);
  roda(37);
  ASSERT_EQ(srv.grades.size(), 1u);
  EXPECT_EQ(srv.grades[0].TIPOCR, "C");
  EXPECT_EQ(d.REND_RURAL[12][1], Decimal(100));
  EXPECT_EQ(d.REND_RURAL[12][2], Decimal(300));
  EXPECT_EQ(d.REND_RURAL[1][1], Decimal(50));
  EXPECT_EQ(m.TOT_RURAL[1], Decimal(150));
  EXPECT_EQ(m.MES_NEG[11], '*');
  EXPECT_EQ(m.MES_NEG[0], ' ');
  EXPECT_EQ(d.rural.num("I4R_02"), Decimal(300));
}

TEST_F(Matriz, AltASwitchesTheRuralMode) {
  pagina.TELA = 13;
  d.rural.logico("SO_TOTAL", false);
  teclas().press(key::AltA).press(key::Esc);
  roda(37);
  EXPECT_TRUE(d.rural.logico("SO_TOTAL"));
}

class RendaVariavel : public Matriz {
 protected:
  RendaVariavel() {
    for (int l : {1, 2, 15, 20, 24, 26, 27}) {
      std::array<grid::Celula, 14> linha;
      linha[1] = rt::text::padl(std::to_string(l), 2) + "Linha " + std::to_string(l);
      m.MRENVAR.push_back(linha);
    }
  }
  // The keys that take the cursor to the row of position `pos` (1-based) in January.
  void vai(int pos) {
    for (int i = 1; i < pos; ++i) teclas().press(key::Down);
  }
};

TEST_F(RendaVariavel, FundsAcceptOnlyTheirLines) {
  m.DAY_TRADE = 3;
  vai(2);
  // A refused cell moves on as the table grid does after a typed key: Left comes back.
  teclas().type("5").pause().press(key::Enter).press(key::Left).press(key::Down).type("7").press(key::Enter).press(key::Esc);
  roda(14);
  EXPECT_EQ(valor(m.MRENVAR[1][2]), Decimal());
  EXPECT_EQ(valor(m.MRENVAR[2][2]), Decimal(7));
  EXPECT_TRUE(term.viu("Não é permitido inserir valor nesse campo."_cp));
  ASSERT_EQ(srv.renvar.size(), 1u);
  EXPECT_EQ(srv.renvar[0], (std::pair<int, Decimal>{2, Decimal(7)}));
}

TEST_F(RendaVariavel, TaxPaidNeedsTaxToPay) {
  m.DAY_TRADE = 1;
  m.MRENVAR[3][2] = Decimal(-10);
  vai(5);
  teclas().type("5").pause().press(key::Enter).press(key::Esc);
  roda(14);
  EXPECT_EQ(valor(m.MRENVAR[4][2]), Decimal());
  EXPECT_TRUE(term.viu("Não há imposto a pagar para lançar valor nesse campo."_cp));
  // In another month the line 20 is not negative.
  vai(5);
  teclas().press(key::Right).type("5").press(key::Enter).press(key::Esc);
  roda(14);
  EXPECT_EQ(valor(m.MRENVAR[4][3]), Decimal(5));
}

TEST_F(RendaVariavel, DayTradeTaxPaidGoesToTheCommonOperation) {
  m.DAY_TRADE = 2;
  vai(5);
  teclas().type("5").pause().press(key::Enter).press(key::Left).press(key::Down);
  // A changed cell keeps the cursor: Enter ends the edit and Down moves on.
  teclas().type("6").pause().press(key::Enter).press(key::Enter).press(key::Down).type("8").pause().press(key::Enter).press(key::Esc);
  roda(14);
  EXPECT_EQ(valor(m.MRENVAR[4][2]), Decimal());
  // Line 26 shows the message and still takes the value; line 27 is refused.
  EXPECT_EQ(valor(m.MRENVAR[5][2]), Decimal(6));
  EXPECT_EQ(valor(m.MRENVAR[6][2]), Decimal());
  EXPECT_TRUE(term.viu("Lance o valor do imposto pago na operaçao comum"_cp));
}

TEST_F(Matriz, GainReceiptsRecomputeTheirMonth) {
  teclas().type("250").press(key::Enter).press(key::Esc);
  roda(12);
  // Three columns frozen: the cursor starts on the fourth, the amount received.
  EXPECT_EQ(valor(m.REC_GANHO[1][4]), Decimal(250));
  EXPECT_EQ(srv.ganhos, std::vector<int>{1});
}

// The grid's services with a monthly window that gives a total, and hints remembered.
class ServicosJanela : public grid::ServicosGrade {
 public:
  std::optional<Decimal> total;
  std::vector<int> mes, dicas;
  std::optional<Decimal> MUDATEL13(store::Contexto&, grid::Grade&, grid::MesesValor&, int m, Decimal) override {
    mes.push_back(m);
    return total;
  }
  void MRODAPE(store::Contexto&, grid::Grade&, int k) override { dicas.push_back(k); }
  int relogio = 0, parado = 0, reinicio = 0;
  void VETEMPO(store::Contexto&, grid::Grade&) override { ++relogio; }
  void PARA_REL(store::Contexto&, grid::Grade&) override { ++parado; }
  void INI_DECLA(store::Contexto&, grid::Grade&) override { ++reinicio; }
};

TEST_F(Matriz, IdleClockRunsOnTheMatrixScreens) {
  ServicosJanela janela;
  g.servicos = &janela;
  g.TEMP_DES = 3;
  // Five idle minutes: the clock is shown from the second minute and stopped after the third.
  teclas().pause(std::chrono::minutes(5)).press(key::Esc);
  roda(37);
  EXPECT_GE(janela.relogio, 3);
  EXPECT_EQ(janela.parado, 1);
  EXPECT_EQ(janela.reinicio, 1);
}

TEST_F(Matriz, MonthlyWindowWritesItsTotal) {
  modoLeao(2);
  ServicosJanela janela;
  janela.total = Decimal(900);
  g.servicos = &janela;
  teclas().press(key::AltU).press(key::Esc);
  roda(16);
  EXPECT_EQ(janela.mes, std::vector<int>{1});
  EXPECT_EQ(janela.dicas, std::vector<int>{12});
  EXPECT_EQ(d.REC_MENSAL[1][2], Decimal(900));
  EXPECT_EQ(d.REC_MENSAL[13][2], Decimal(900));
}

TEST(MatrizFuncoes, SkipStaysInsideTheMatrix) {
  EXPECT_EQ(grid::SKIP_MATRIZ(13, 1, -5), 0);
  EXPECT_EQ(grid::SKIP_MATRIZ(13, 10, 5), 3);
  EXPECT_EQ(grid::SKIP_MATRIZ(13, 4, -2), -2);
  EXPECT_EQ(grid::SKIP_MATRIZ(0, 1, 1), 0);
}

TEST(MatrizFuncoes, MonthsOfAValueGoInAndOutOfTheWindow) {
  grid::Matrizes m;
  grid::MesesValor v;
  v.reais[0] = Decimal(10);
  v.reais[11] = Decimal::fromRaw(123'456'000'000);
  v.segunda[11] = Decimal(3);
  v.GPS = true;
  grid::poeMeses(m, v);
  EXPECT_EQ(m.CALC_MENS[12][2], Decimal::fromRaw(123'456'000'000));
  EXPECT_EQ(m.CALC_MENS[13][2], Decimal::fromRaw(124'456'000'000));
  EXPECT_EQ(m.CALC_MENS[2][2], Decimal());
  EXPECT_TRUE(m.GPS);
  grid::MesesValor volta;
  grid::tiraMeses(m, volta);
  EXPECT_EQ(volta.reais, v.reais);
  EXPECT_EQ(volta.segunda, v.segunda);
}

TEST(MatrizFuncoes, ZeradorEmptiesTheValueColumns) {
  grid::Matrizes m;
  m.CALC_MENS[3][2] = Decimal(10);
  m.CALC_MENS[13][3] = Decimal(5);
  grid::ZERADOR(m);
  EXPECT_EQ(m.CALC_MENS[3][2], Decimal());
  EXPECT_EQ(m.CALC_MENS[13][3], Decimal());
}

TEST(MatrizFuncoes, MatricesByName) {
  grid::Matrizes m;
  store::EspelhoDeclaracao d;
  EXPECT_EQ(grid::MATATU(m, d, "rec_mensal").cel(2, 3).valor, &d.REC_MENSAL[2][3]);
  EXPECT_EQ(grid::MATATU(m, d, "rec_mensal").cel(3, 1).rotulo, "03-Mar");
  EXPECT_EQ(grid::MATATU(m, d, "calc_MENS").cel(13, 1).rotulo, "Total    ");
  EXPECT_EQ(grid::MATATU(m, d, "REC_GANHO").cel(13, 3).texto, std::get_if<std::string>(&m.REC_GANHO[13][3]));
  EXPECT_EQ(grid::MATATU(m, d, "REC_GANHO").cel(2, 3).texto[0], "02-Fevereiro");
  EXPECT_EQ(grid::MATATU(m, d, "Rend_Rural").cel(12, 2).valor, &d.REND_RURAL[12][2]);
  EXPECT_EQ(grid::MATATU(m, d, "Rend_Rural").cel(13, 1).valor, &m.TOT_RURAL[1]);
  EXPECT_FALSE(grid::MATATU(m, d, "calc_MENS").cel(14, 1).dentro());
  EXPECT_FALSE(grid::MATATU(m, d, "OUTRA"));
}

// What the matrix's keys did on each screen when the loop still decided by the number.
TEST_F(Matriz, EachMatrixScreenCarriesTheTraitsItsKeysAskFor) {
  grid::AmbienteMatriz a{ctx, g, calc, m, srv};
  struct Caso {
    int opc;
    bool calcula, divideMensal, buscaCampo, colunaDoMes;
    int dica;
    bool dicaRural;
  };
  const Caso casos[] = {{7, true, false, true, true, 0, false},   {12, true, true, false, false, 0, false},
                        {14, true, false, false, false, 0, false}, {16, true, true, false, true, 12, false},
                        {37, false, false, false, false, 2, true}};
  for (const Caso& c : casos) {
    const grid::TelaMatriz t = grid::telaMatriz(a, c.opc);
    EXPECT_FALSE(t.colunas.empty()) << c.opc;
    EXPECT_EQ(t.calcula, c.calcula) << c.opc;
    EXPECT_EQ(t.divideMensal, c.divideMensal) << c.opc;
    EXPECT_EQ(t.buscaCampo, c.buscaCampo) << c.opc;
    EXPECT_EQ(t.colunaDoMes, c.colunaDoMes) << c.opc;
    EXPECT_EQ(t.dica, c.dica) << c.opc;
    EXPECT_EQ(t.dicaRural, c.dicaRural) << c.opc;
    // Each record carries its own cells' rule and recomputation; only the carnê-leão opens a
    // month's entries.
    EXPECT_NE(t.editavel, nullptr) << c.opc;
    EXPECT_NE(t.recalcula, nullptr) << c.opc;
    EXPECT_EQ(t.lancamentos != nullptr, c.opc == grid::Tela::CarneLeao) << c.opc;
  }
  EXPECT_TRUE(grid::telaMatriz(a, grid::Tela::Notas).colunas.empty());
}

}  // namespace
