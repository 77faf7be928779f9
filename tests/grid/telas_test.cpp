// Every numbered grid screen opens over its table with its columns and headings.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "fixture.h"
#include "grid/telas.h"
#include "rt/text/cp860.h"
#include "rt/term/keys.h"
#include "rt/text/strings.h"

namespace {

using namespace rt::text::literals;
using grid::teste::GridFixture;
namespace key = rt::term::key;

class Telas : public GridFixture {};

TEST_F(Telas, EveryScreenOpensWithItsColumnsAndHeadings) {
  std::set<store::Area> feitas;
  for (int opc : grid::telasTabela()) {
    grid::Grade base;
    auto tela = grid::telaGrade(ctx, base, opc, 0);
    ASSERT_TRUE(tela) << opc;
    ASSERT_FALSE(tela->colunas.empty()) << opc;
    const store::Area area = tela->area != store::Area::Nenhuma ? tela->area
                             : opc == 29                        ? store::Area::STATUS
                             : opc == 33                        ? store::Area::PRINTS
                                                                : store::Area::BOLETO;
    if (!feitas.count(area)) {
      tabela(area);
      feitas.insert(area);
    }
    (void)ctx.areas.select(area);
    term.telas.clear();
    grid::EDITA(ctx, g, opc);
    EXPECT_EQ(g.N_CAM, static_cast<int>(tela->colunas.size())) << opc;
    ASSERT_EQ(g.TABDESC.size(), tela->colunas.size()) << opc;
    EXPECT_EQ(g.ULT_POS, tela->ultPos) << opc;
    // The first column's heading is on screen, with the heading separator under it.
    const std::string titulo(rt::text::alltrim(g.TABDESC[0]));
    EXPECT_TRUE(term.viu(titulo)) << opc << " " << titulo << "\n" << term.script.dump();
    EXPECT_TRUE(term.viu("┬─"_cp)) << opc;
    EXPECT_EQ(g.ULTTECLA, 27) << opc;
    EXPECT_TRUE(g.TECLAMUDA) << opc;
    // Leaving an empty grid with Esc leaves no row behind.
    EXPECT_EQ(ctx.areas.table(area)->recordCount(), 0u) << opc;
  }
}

TEST_F(Telas, HeadingsFollowTheEstateFlag) {
  grid::Grade e;
  e.DECFINAL = "S";
  grid::cabecalhosAnos(e);
  auto t = grid::telaGrade(ctx, e, 5, 0);
  EXPECT_EQ(t->colunas[2].desc, " Data Partilha");
  EXPECT_EQ(t->colunas[3].desc, " Val. Transf. ");
  e.DECFINAL = "N";
  grid::cabecalhosAnos(e);
  t = grid::telaGrade(ctx, e, 6, 0);
  EXPECT_EQ(t->colunas[2].desc, "   Ano de 2008  ");
  EXPECT_EQ(t->colunas[3].desc, " Ano de 2009  ");
}

TEST_F(Telas, IncomeScreenShrinksWhenTheDeclarationHasDependants) {
  grid::Grade e;
  EXPECT_EQ(grid::telaGrade(ctx, e, 1, 0)->ret.bottom, 17);
  e.N_DEPEN = 2;
  EXPECT_EQ(grid::telaGrade(ctx, e, 1, 0)->ret.bottom, 10);
}

TEST_F(Telas, ScreenShowsItsRowsThroughThePictures) {
  tabela(store::Area::TMP_04);
  linha(store::Area::TMP_04, {{"CPF", grid::teste::C("12345678909")},
                              {"I7_1", grid::teste::N(1)},
                              {"I7_2", grid::teste::C("APARTAMENTO")},
                              {"I7_4", grid::teste::N(150000)}});
  grid::EDITA(ctx, g, 5);
  EXPECT_TRUE(term.viu("APARTAMENTO"));
  EXPECT_TRUE(term.viu("150.000,00"));
  EXPECT_TRUE(term.viu("│"_cp));
  EXPECT_TRUE(term.viu("┴─"_cp));
}

TEST_F(Telas, TotalsAreTakenBeforeAndAfterTheScreensThatAskForThem) {
  tabela(store::Area::TMP_02);
  tabela(store::Area::TMP_04);
  tabela(store::Area::TMP_19);
  (void)ctx.areas.select(store::Area::TMP_02);
  grid::EDITA(ctx, g, 1);
  EXPECT_EQ(servicos.conta("FI1_T(1)"), 2);
  (void)ctx.areas.select(store::Area::TMP_04);
  grid::EDITA(ctx, g, 22);
  EXPECT_TRUE(servicos.chamou("FI7_T(6)"));
  servicos.chamadas.clear();
  grid::EDITA(ctx, g, 8);
  EXPECT_EQ(servicos.chamadas, std::vector<std::string>{"MRODAPE(9)"});
  servicos.chamadas.clear();
  // The carnê-leão detail takes its totals when left.
  g.I1_1 = "F";
  grid::EDITA(ctx, g, 17);
  EXPECT_EQ(servicos.chamadas, std::vector<std::string>{"FDE_LEAO(1)"});
  // The rural cash book opened from the asset situation goes back to the rural assets.
  servicos.chamadas.clear();
  grid::EDITA(ctx, g, 38, 1);
  EXPECT_EQ(servicos.chamadas, (std::vector<std::string>{"SOMA_RUR(2)", "MRODAPER(14)", "SOMA_RUR(2)"}));
  EXPECT_EQ(ctx.areas.current(), store::Area::TMP_17);
}

TEST_F(Telas, FooterHintsOfTheDeclarationAndRuralScreens) {
  tabela(store::Area::TMP_06);
  tabela(store::Area::TMP_19);
  (void)ctx.areas.select(store::Area::TMP_06);
  grid::EDITA(ctx, g, 4);
  EXPECT_TRUE(servicos.chamou("MRODAPE(1)"));
  // The rural cash book opened from the matrix sets the rural hint back when it ends.
  grid::EDITA(ctx, g, 38, 0);
  EXPECT_TRUE(servicos.chamou("MRODAPER(14)"));
  EXPECT_EQ(servicos.chamadas.back(), "MRODAPER(2)");
}

TEST_F(Telas, TheRuralCashBookOfAMonthShowsThatMonthsEntriesOnly) {
  tabela(store::Area::TMP_19);
  using rt::text::Date;
  linha(store::Area::TMP_19, {{"CPF", std::string("12345678909")},
                              {"TIPOCR", std::string("C")},
                              {"DT_LC", Date::fromYmd(2009, 3, 5)},
                              {"DESCR", std::string("VENDA MARCO")}});
  linha(store::Area::TMP_19, {{"CPF", std::string("12345678909")},
                              {"TIPOCR", std::string("C")},
                              {"DT_LC", Date::fromYmd(2009, 4, 5)},
                              {"DESCR", std::string("VENDA ABRIL")}});
  linha(store::Area::TMP_19, {{"CPF", std::string("12345678909")},
                              {"TIPOCR", std::string("D")},
                              {"DT_LC", Date::fromYmd(2009, 3, 9)},
                              {"DESCR", std::string("ADUBO MARCO")}});
  g.TIPOCR = "C";
  g.MESATI = 3;
  (void)ctx.areas.select(store::Area::TMP_19);
  teclas().press(key::Esc);
  grid::EDITA(ctx, g, 38, 0);
  EXPECT_TRUE(term.viu("VENDA MARCO"));
  EXPECT_FALSE(term.viu("VENDA ABRIL"));
  EXPECT_FALSE(term.viu("ADUBO MARCO"));
  // Opened from elsewhere it shows every month of its kind.
  g.MESATI = 0;
  teclas().press(key::Esc);
  grid::EDITA(ctx, g, 38, 0);
  EXPECT_TRUE(term.viu("VENDA ABRIL"));
}

TEST_F(Telas, AltQShowsWhoseDeclarationItIs) {
  tabela(store::Area::TMP_03);
  g.NOMECONTR = "JOAO DA SILVA";
  teclas().press(key::AltQ).press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_TRUE(term.viu("123.456.789-09  JOAO DA SILVA"));
}

TEST_F(Telas, IncomeBookFromAbroadIsRefused) {
  tabela(store::Area::TMP_02);
  g.POSHORMAT = 3;
  teclas().press(key::Esc);
  grid::EDITA(ctx, g, 18);
  // Two lines in a framed message window.
  EXPECT_TRUE(term.viu("│Rendimentos do exterior deve ser preenchido│"_cp));
  EXPECT_TRUE(term.viu("│no modo individual. Mude com ALT A."_cp));
  EXPECT_FALSE(term.viu("Valor em R$==>"));
}

// What the grid's keys did on a few screens when the loop still decided by the number.
struct TracosEsperados {
  int opc;
  bool cresce, colaNova, navega, relogio, escolhe, lembra, insereVarias, apaga, marcaTodos, registro, longas;
  int f4, f5, f6;
};

TEST_F(Telas, EveryScreenCarriesTheTraitsTheGridKeysAskFor) {
  const TracosEsperados casos[] = {
      // opc cresce cola  navega relog  escol  lembra insere apaga  marca  regis  longas F4  F5  F6
      {1, true, true, true, true, false, false, false, true, false, false, false, 0, 0, 0},
      {4, true, true, true, true, false, true, false, true, false, false, false, 30, 0, 0},
      {5, true, true, true, true, false, true, true, true, false, false, false, 0, 31, 13},
      {9, true, true, true, true, false, true, true, true, false, false, true, 0, 31, 0},
      {11, true, true, true, true, true, false, true, true, false, false, false, 0, 0, 0},
      {22, true, true, true, false, false, true, true, true, false, false, true, 0, 31, 13},
      {26, true, false, true, false, false, false, false, true, false, false, false, 0, 0, 0},
      {30, true, true, true, false, true, false, false, true, false, false, false, 0, 0, 0},
      {36, true, true, true, false, false, true, true, true, false, false, false, 0, 31, 0},
      {40, true, true, false, false, false, false, false, true, false, false, false, 0, 0, 0},
      {41, false, false, false, false, false, false, false, false, true, true, false, 0, 0, 0},
      {45, false, false, false, false, false, false, false, true, false, false, false, 0, 0, 0},
      {47, false, false, false, false, false, false, false, false, true, true, false, 0, 0, 0},
  };
  for (const TracosEsperados& c : casos) {
    grid::Grade base;
    const auto tela = grid::telaGrade(ctx, base, c.opc, 0);
    ASSERT_TRUE(tela) << c.opc;
    const grid::Tracos& t = tela->tracos;
    EXPECT_EQ(t.cresce, c.cresce) << c.opc;
    EXPECT_EQ(t.colaNova, c.colaNova) << c.opc;
    EXPECT_EQ(t.navega, c.navega) << c.opc;
    EXPECT_EQ(t.relogio, c.relogio) << c.opc;
    EXPECT_EQ(t.escolhe, c.escolhe) << c.opc;
    EXPECT_EQ(t.lembra, c.lembra) << c.opc;
    EXPECT_EQ(t.insereVarias, c.insereVarias) << c.opc;
    EXPECT_EQ(t.apaga, c.apaga) << c.opc;
    EXPECT_EQ(t.marcaTodos, c.marcaTodos) << c.opc;
    EXPECT_EQ(t.registro, c.registro) << c.opc;
    EXPECT_EQ(t.longas, c.longas) << c.opc;
    EXPECT_EQ(t.aninhaF4, c.f4) << c.opc;
    EXPECT_EQ(t.aninhaF5, c.f5) << c.opc;
    EXPECT_EQ(t.aninhaF6, c.f6) << c.opc;
  }
  // The rural book sorts and subtotals; the carnê-leão's grids type month by month on Enter.
  grid::Grade base;
  const grid::Tracos livro = grid::telaGrade(ctx, base, 38, 0)->tracos;
  EXPECT_TRUE(livro.ordena && livro.subtotais && !livro.insereAntes && livro.horizontal && livro.navega);
  const grid::Tracos leao = grid::telaGrade(ctx, base, 18, 0)->tracos;
  EXPECT_TRUE(leao.ordena && !leao.subtotais && leao.horizontal);
  EXPECT_EQ(leao.mensalNoEnter, 0);
  EXPECT_EQ(grid::telaGrade(ctx, base, 17, 0)->tracos.mensalNoEnter, 2);
  EXPECT_EQ(grid::telaGrade(ctx, base, 24, 0)->tracos.mensalNoEnter, -1);
  EXPECT_TRUE(grid::telaGrade(ctx, base, 2, 0)->tracos.insereAntes);
  EXPECT_TRUE(grid::telaGrade(ctx, base, 40, 0)->tracos.marcaPasta);
  EXPECT_TRUE(grid::telaGrade(ctx, base, 45, 0)->tracos.boletoUnico);
  EXPECT_EQ(grid::telaGrade(ctx, base, 30, 0)->tracos.ampliaAltZ, grid::Ampliacao::bens);
  EXPECT_EQ(grid::telaGrade(ctx, base, 31, 0)->tracos.ampliaAltX, grid::Ampliacao::nenhuma);
  EXPECT_EQ(grid::telaGrade(ctx, base, 6, 0)->tracos.ampliaAltX, grid::Ampliacao::dividas);
  // A new row carries the taxpayer's CPF on the declaration's and the rural tables only.
  for (const auto& [opc, cpf, atividade] : {std::tuple{1, true, false}, {16, true, false}, {26, true, false},
                                            {28, false, false}, {34, true, true}, {38, true, true}, {40, false, false}}) {
    EXPECT_EQ(grid::tracosDaTela(opc).gravaCpf, cpf) << opc;
    EXPECT_EQ(grid::tracosDaTela(opc).gravaAtividade, atividade) << opc;
  }
  // The split cells of the income, payment, expense, asset and debt screens.
  EXPECT_EQ(grid::tracosDaTela(2).mesAMes, (std::vector<std::string>{"I1_4", "I1_6", "I1_5"}));
  EXPECT_EQ(grid::tracosDaTela(24).mesAMes, std::vector<std::string>{"I1_4"});
  EXPECT_EQ(grid::tracosDaTela(15).umMes, std::vector<std::string>{"VALODESP"});
  EXPECT_EQ(grid::tracosDaTela(23).umMes, (std::vector<std::string>{"I8_3", "I8_4"}));
  EXPECT_TRUE(grid::tracosDaTela(18).mesAMes.empty() && grid::tracosDaTela(18).umMes.empty());
  EXPECT_EQ(grid::tracosDaTela(36).textoLembrado, "I9R_1");
  EXPECT_EQ(grid::tracosDaTela(8).codigoLembrado, "I7_5");
  EXPECT_TRUE(grid::tracosDaTela(4).textoLembrado.empty());
  // What else a new row is stamped with, and the page traits the keys read.
  EXPECT_EQ(grid::tracosDaTela(1).tipoRendimento + grid::tracosDaTela(2).tipoRendimento, "JD");
  EXPECT_TRUE(grid::tracosDaTela(18).gravaLeao && grid::tracosDaTela(18).gravaTipoCr && !grid::tracosDaTela(2).gravaLeao);
  EXPECT_TRUE(grid::tracosDaTela(38).gravaTipoCr && !grid::tracosDaTela(38).gravaLeao);
  EXPECT_TRUE(grid::tracosDaTela(10).gravaBem && grid::tracosDaTela(13).gravaTipoOperacao);
  EXPECT_EQ(grid::tracosDaTela(22).campoNumerado, "I7_0");
  EXPECT_EQ(grid::tracosDaTela(9).campoNumerado, "I8_0");
  EXPECT_EQ(grid::tracosDaTela(36).campoNumerado, "I9R_0");
  EXPECT_TRUE(grid::tracosDaTela(11).campoNumerado.empty());
  EXPECT_EQ(grid::tracosDaPagina(1).tipoOperacao + grid::tracosDaPagina(5).tipoOperacao, "EB");
  EXPECT_TRUE(grid::tracosDaPagina(2).modoLeao && !grid::tracosDaPagina(12).modoLeao);
  EXPECT_TRUE(grid::tracosDaPagina(23).juntaDescricao && !grid::tracosDaPagina(6).juntaDescricao);
  EXPECT_TRUE(grid::tracosDaPagina(10).buscaDespesas && !grid::tracosDaPagina(0).buscaDespesas);
  // Alt+Z and Alt+X widen the page's list and come back from it; the pages' own copies.
  EXPECT_EQ(grid::tracosDaPagina(5).altZ * 100 + grid::tracosDaPagina(5).altX, 2223);
  EXPECT_TRUE(grid::tracosDaPagina(22).ampliada && grid::tracosDaPagina(22).altZ == 5 && grid::tracosDaPagina(22).altX == 0);
  EXPECT_TRUE(grid::tracosDaPagina(23).altX == 5 && grid::tracosDaPagina(23).altZ == 0 && !grid::tracosDaPagina(5).ampliada);
  EXPECT_TRUE(grid::tracosDaPagina(4).copiaIdentificacao && grid::tracosDaPagina(7).copiaRegistro && grid::tracosDaPagina(7).resumo);
  EXPECT_TRUE(!grid::tracosDaPagina(10).retorno && grid::tracosDaPagina(11).retorno);
  EXPECT_TRUE(grid::tracosDaPagina(5).valoresConjuge && !grid::tracosDaPagina(6).valoresConjuge);
  EXPECT_TRUE(grid::tracosDaTela(16).dolarDoMes && !grid::tracosDaTela(7).dolarDoMes);
  // The screens' own behaviours, each on its screen only.
  const auto so = [](bool grid::Tracos::*traco, int tela) {
    for (int opc : grid::telasTabela()) EXPECT_EQ(grid::tracosDaTela(opc).*traco, opc == tela) << opc;
  };
  so(&grid::Tracos::notas, 11);
  so(&grid::Tracos::dependentes, 3);
  so(&grid::Tracos::poupanca, 13);
  so(&grid::Tracos::pagamentos, 4);
  so(&grid::Tracos::mesDaColuna, 15);
  so(&grid::Tracos::marcaDevedores, 47);
  EXPECT_TRUE(grid::tracosDaTela(41).ordemEstatus && !grid::tracosDaTela(46).ordemEstatus);
  EXPECT_EQ(grid::tracosDaTela(38).indiceOrdem + grid::tracosDaTela(18).indiceOrdem, "TMP_19TMP_02");
  base.POSHORMAT = 3;
  EXPECT_FALSE(grid::telaGrade(ctx, base, 18, 0)->recusa.empty());
  base.POSHORMAT = 2;
  EXPECT_TRUE(grid::telaGrade(ctx, base, 18, 0)->recusa.empty());
  EXPECT_EQ(grid::telaGrade(ctx, base, 17, 0)->primeiraColuna, 2);
  EXPECT_EQ(grid::telaGrade(ctx, base, 38, 0)->dicaDepois, 2);
  EXPECT_EQ(grid::telaGrade(ctx, base, 38, 1)->areaDepois, store::Area::TMP_17);
  // Every nesting target is itself a grid screen of the catalogue; every split cell, remembered
  // field and line number is a column.
  for (int opc : grid::telasTabela()) {
    const auto tela = grid::telaGrade(ctx, base, opc, 0);
    const grid::Tracos& t = tela->tracos;
    std::vector<std::string> divididas = t.mesAMes;
    divididas.insert(divididas.end(), t.umMes.begin(), t.umMes.end());
    if (!t.textoLembrado.empty()) divididas.insert(divididas.end(), {t.textoLembrado, t.codigoLembrado});
    if (!t.campoNumerado.empty()) divididas.push_back(t.campoNumerado);
    for (const std::string& campo : divididas) {
      const bool coluna = std::any_of(tela->colunas.begin(), tela->colunas.end(),
                                      [&campo](const grid::Coluna& c) { return c.cpoin == campo; });
      EXPECT_TRUE(coluna) << opc << " " << campo;
    }
    for (int alvo : {t.aninhaF4, t.aninhaF5, t.aninhaF6}) {
      if (alvo != 0) {
        EXPECT_TRUE(grid::telaGrade(ctx, base, alvo, 0)) << opc << " -> " << alvo;
      }
    }
  }
}

}  // namespace
