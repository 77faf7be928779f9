// Screen 8 over the scripted terminal: a gain entered, its result shown, deleted with its rows.
#include "gains/tela_ganho.h"

#include <gtest/gtest.h>

#include "../grid/fixture.h"
#include "../taxcalc/declaracao_fixture.h"
#include "gains/ganho.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace gains::teste {

using rt::text::Decimal;
namespace key = rt::term::key;
using namespace rt::text::literals;

class TelaGanhoTeste : public grid::teste::GridFixture {
 protected:
  TelaGanhoTeste() {
    tabela(store::Area::TMP_07);
    tabela(store::Area::TMP_08);
    d.CPF = "12345678909";
  }
  // Rows of `area` not deleted.
  int vivas(store::Area area) {
    rt::db::Table& t = *ctx.areas.table(area);
    int n = 0;
    for (std::uint32_t r = 1; r <= t.recordCount(); ++r) {
      t.goTo(r);
      EXPECT_TRUE(t.status());
      if (!t.isDeleted()) ++n;
    }
    return n;
  }
  // The last screen presented that showed `texto`.
  std::string ultimaCom(std::string_view texto) const {
    for (auto it = term.telas.rbegin(); it != term.telas.rend(); ++it)
      if (it->find(texto) != std::string::npos) return *it;
    return {};
  }
  store::EspelhoDeclaracao d;
  taxcalc::Variaveis v;
  taxcalc::teste::SaidaGravada saida;
  taxcalc::Vizinhos vizinhos;
  taxcalc::Contexto calc{ctx.areas, d, v, relogio, saida, vizinhos};
};

TEST_F(TelaGanhoTeste, TheFormCoversTheListAndTheKindFrameItOpensOver) {
  // No corner or side of the kind's frame or of the list is left beside the form's own.
  teclas().pause().type("1");
  teclas().pause().press(key::Ins);
  teclas().pause().press(key::Esc);
  teclas().pause().press(key::Esc);
  saida.respostas = {true};
  GANHO3(ctx, g, calc);
  const std::string forma = ultimaCom("Ganho de Capital n");
  ASSERT_FALSE(forma.empty());
  std::vector<std::string> linhas;
  for (std::size_t i = 0, f; (f = forma.find('\n', i)) != std::string::npos; i = f + 1) linhas.push_back(forma.substr(i, f - i));
  ASSERT_GE(linhas.size(), 23u);
  EXPECT_EQ(linhas[2].substr(0, 2), std::string("┌─"_cp)) << linhas[2];
  for (int r = 3; r <= 21; ++r) EXPECT_EQ(linhas[static_cast<std::size_t>(r)].substr(0, 2), std::string("│"_cp) + " ") << r;
  EXPECT_EQ(linhas[22].substr(0, 2), std::string("└─"_cp)) << linhas[22];
}

TEST_F(TelaGanhoTeste, GainEnteredShownAndDeletedWithItsRows) {
  // Windows and lists drop keys typed ahead: each answer waits for them.
  teclas().pause().type("2");        // other assets
  teclas().pause().press(key::Ins);  // a new gain from the empty list
  // A full field moves on by itself (the nature, the dates, the S/N answer).
  teclas().type("1").type("CARRO ANTIGO").press(key::Enter);
  teclas().type("01022004").type("04052009");
  teclas().type("50000").press(key::Enter).type("50000").press(key::Enter).type("20000").press(key::Enter);
  teclas().type("N").press(key::Enter);               // tax paid: none, the form ends
  teclas().pause().press(key::Enter);                 // the result read: back in the list
  teclas().pause().press(key::CtrlPgUp).press(key::Ins);  // Ins on the gain: a new one, left at once
  teclas().pause().press(key::Esc);
  teclas().pause().press(key::CtrlPgUp).press(key::Del);  // the gain deleted from the list
  teclas().pause().press(key::Esc);
  saida.respostas = {true, true};
  GANHO3(ctx, g, calc);

  EXPECT_TRUE(term.viu("Ganho de Capital n"));
  EXPECT_TRUE(term.viu("Ganho tributável                   30.000,00"_cp));
  EXPECT_TRUE(term.viu("Imposto devido                      4.500,00"));
  EXPECT_TRUE(term.viu("CARRO ANTIGO"));
  // The gain in the list, with the kind's totals under it; gone from both once deleted.
  EXPECT_TRUE(term.viu("Nr Item Descrição do Bem              Tributado    Nao Tribu.       Imposto"_cp));
  EXPECT_TRUE(term.viu(" 1│    │CARRO ANTIGO             │    30.000,00│             │     4.500,00"_cp));
  EXPECT_TRUE(term.viu("... Totais........                30.000,00                    4.500,00"));
  EXPECT_EQ(ultimaCom("Totais").find("CARRO"), std::string::npos);
  EXPECT_EQ(ultimaCom("Totais").find("30.000,00"), std::string::npos);
  EXPECT_EQ(saida.com("pergunta:"), (std::vector<std::string>{"pergunta:Termina esse ganho incompleto?",
                                                               "pergunta:Deseja mesmo eliminar esse Ganho de Capital?"}));
  // The operation and the cost row the computation made are gone, and so are the totals.
  EXPECT_EQ(vivas(store::Area::TMP_07), 0);
  EXPECT_EQ(vivas(store::Area::TMP_08), 0);
  EXPECT_EQ(d.tabela01.num("ENTRADGP"), Decimal());
}

TEST_F(TelaGanhoTeste, ListShowsItsKindOpensARowAndTheDeclarationsScreenKeysLeaveIt) {
  using grid::teste::C;
  using grid::teste::N;
  const auto ganho = [&](long bem, long tipo, const char* nome, long tributado, long isento, long imposto) {
    linha(store::Area::TMP_07, {{"CPF", C("12345678909")},
                                {"BEM_NRO", N(bem)},
                                {"TIPO_BEM", N(tipo)},
                                {"ESPC_BEM1", C(nome)},
                                {"VAL_TRIBU", N(tributado)},
                                {"VAL_NAOTRI", N(isento)},
                                {"VAL_IMPOS", N(imposto)}});
  };
  ganho(1, Imovel, "CASA", 1000, 0, 150);
  ganho(2, Participacao, "ACOES LTDA", 2000, 0, 300);
  ganho(3, Participacao, "QUOTAS SA", 0, 500, 0);
  // The driver's keys: one that stays on the screen (the calculator), one that asks for another.
  int calculadora = 0;
  ctx.console.setKey(key::AltS, [&] { ++calculadora; });
  ctx.console.setKey(key::F7, [&] { g.TECLAMUDA = true; });
  teclas().pause().type("3");
  teclas().pause().press(key::Down).press(key::Enter);  // the second gain's form, left unfinished
  teclas().pause().press(key::Esc);
  teclas().pause().press(key::AltS).press(key::F7);
  saida.respostas = {true};
  GANHO3(ctx, g, calc);

  EXPECT_TRUE(term.viu("Ganho de Capital nº 3 - Participação Societária"_cp));
  EXPECT_TRUE(term.viu("Nro. Item Nome da Sociedade"));
  EXPECT_TRUE(term.viu("... Totais........                 2.000,00        500,00        300,00"));
  EXPECT_FALSE(term.viu("CASA"));
  EXPECT_EQ(calculadora, 1);
  // F7 left the list: Esc was never needed, and the copy is left unfiltered.
  EXPECT_FALSE(teclas().exhausted());
  EXPECT_FALSE(ctx.areas.table(store::Area::TMP_07)->hasFilter());
  EXPECT_EQ(vivas(store::Area::TMP_07), 3);
}

TEST_F(TelaGanhoTeste, QuotasSoldWithTheirMovementsGrid) {
  // The movements of gain 1 as its grid keeps them.
  using grid::teste::C;
  using grid::teste::N;
  linha(store::Area::TMP_08, {{"CPF", C("12345678909")},
                              {"BEM_NRO", N(1)},
                              {"RVAR_NRO", N(1)},
                              {"TIPO_OPER", N(1)},
                              {"MOV_ACAO", N(1000)},
                              {"VALOR_CUST", N(10000)}});
  linha(store::Area::TMP_08, {{"CPF", C("12345678909")},
                              {"BEM_NRO", N(1)},
                              {"RVAR_NRO", N(2)},
                              {"TIPO_OPER", N(2)},
                              {"MOV_ACAO", N(500)},
                              {"VALOR_CUST", N(7000)}});
  linha(store::Area::TMP_08, {{"CPF", C("12345678909")},
                              {"BEM_NRO", N(1)},
                              {"RVAR_NRO", N(3)},
                              {"TIPO_OPER", N(3)},
                              {"MOV_ACAO", N(600)}});
  teclas().pause().type("3").pause().press(key::Ins);
  teclas().type("1").type("QUOTAS LTDA").press(key::Enter).type("2");
  teclas().type("10012001").type("09092009").type("9000").press(key::Enter);
  teclas().type("9000").press(key::Enter).type("N").press(key::Enter);
  teclas().pause().press(key::Esc);    // the movements' grid
  teclas().pause().press(key::Enter);  // the result read
  teclas().pause().press(key::Esc);
  saida.respostas = {false};  // not declared exempt
  GANHO3(ctx, g, calc);
  EXPECT_TRUE(term.viu("Participação 1/2/3 .....: 2"_cp));
  EXPECT_TRUE(term.viu("C.M.Pond."));
  EXPECT_TRUE(term.viu("Custo considerado                   6.799,98"));
  EXPECT_TRUE(term.viu("Imposto devido                        330,00"));
  EXPECT_EQ(vivas(store::Area::TMP_07), 1);
}

TEST_F(TelaGanhoTeste, DisposalAfter2009IsRefusedAndAnUnfinishedGainLeft) {
  teclas().pause().type("1").pause().press(key::Ins);
  teclas().type("1").type("CASA").press(key::Enter);
  teclas().type("01022004").type("04052010").pause();
  teclas().press(key::Esc);  // left unfinished: asked, and left
  teclas().pause().press(key::Esc);
  saida.respostas = {true};
  GANHO3(ctx, g, calc);
  EXPECT_EQ(
      saida.com("aviso:").front(),
      "aviso:" +
          std::string(
              "Atenção! O cálculo para o ganho de capital|    só é válido para o ano de 2009.      "_cp));
  EXPECT_EQ(saida.com("pergunta:"), std::vector<std::string>{"pergunta:Termina esse ganho incompleto?"});
  EXPECT_EQ(vivas(store::Area::TMP_07), 0);
}

TEST_F(TelaGanhoTeste, SaleInInstalmentsKeepsItsMonthsInTheStoredFields) {
  // A motorcycle sold for 100,000.00 in instalments, 40,000.00 received in the year, cost
  // 60,000.00: 40% of each instalment is taxable gain, taxed at 15%.
  teclas().pause().type("2").pause().press(key::Ins);
  teclas().type("1").type("MOTO").press(key::Enter).type("01022004").type("04052009");
  teclas().type("100000").press(key::Enter).type("40000").press(key::Enter).type("60000").press(key::Enter);
  teclas().type("S").press(key::Enter);  // in instalments; no tax paid: the form ends
  // The matrix opens on January's amount received: May's instalment.
  teclas().pause().press(key::Down).press(key::Down).press(key::Down).press(key::Down);
  teclas().type("30000").pause().press(key::Enter).press(key::Esc);
  teclas().pause().press(key::Enter);  // the result read
  // Opened again: the form accepted as it stands, the matrix holds May from the stored fields,
  // and June is added.
  teclas().pause().press(key::CtrlPgUp).press(key::Enter).pause().press(key::CtrlEnd);
  teclas().pause().press(key::Down).press(key::Down).press(key::Down).press(key::Down).press(key::Down);
  teclas().type("10000").pause().press(key::Enter).press(key::Esc);
  teclas().pause().press(key::Enter).pause().press(key::Esc);
  GANHO3(ctx, g, calc);

  EXPECT_TRUE(term.viu("Val. Recebido"));
  EXPECT_TRUE(term.viu("Imposto devido                      1.800,00"));
  EXPECT_TRUE(term.viu("Ganho tributável                   16.000,00"_cp));
  EXPECT_TRUE(term.viu("Imposto devido                      2.400,00"));
  rt::db::Table& t = *ctx.areas.table(store::Area::TMP_07);
  t.goTo(1);
  ASSERT_TRUE(t.status());
  const auto n = [&](const char* campo) { return t.getNumber(campo); };
  EXPECT_EQ(t.getText("VEN_PRAZO"), "S");
  EXPECT_EQ(n("PER_TRI"), Decimal::parse("0.4").value());
  EXPECT_EQ(n("REC_MES05"), Decimal(30000));
  EXPECT_EQ(n("VAL_TRI05"), Decimal(12000));
  EXPECT_EQ(n("IMP_DEV05"), Decimal(1800));
  EXPECT_EQ(n("REC_MES06"), Decimal(10000));
  EXPECT_EQ(n("VAL_TRI06"), Decimal(4000));
  EXPECT_EQ(n("IMP_DEV06"), Decimal(600));
  EXPECT_EQ(n("REC_MES04"), Decimal());
  EXPECT_EQ(n("VAL_TRIBU"), Decimal(16000));
  EXPECT_EQ(n("VAL_IMPOS"), Decimal(2400));
  EXPECT_EQ(d.tabela01.num("ENTRADGP"), Decimal(40000));
}

}  // namespace gains::teste

namespace gains::teste {

// Instalments received in 2009 of a flat sold in 2008: the date makes it a sale in instalments
// of an earlier year. Its value and cost were declared that year: the form asks instead the
// taxable fraction of each instalment, refuses a fraction of 0 with a word, and the gain is
// complete with it (the disposal value is never asked). The flag is shown and not asked again,
// the months are asked, and the received amount is taxed by the fraction, with no reduction.
TEST_F(TelaGanhoTeste, EarlierYearSaleAsksItsTaxableFractionAndNotTheDisposalValue) {
  teclas().pause().type("1").pause().press(key::Ins);
  teclas().type("1").type("APTO").press(key::Enter).type("01012000").type("10102008");
  teclas().pause().type("0").press(key::Enter);   // no fraction: refused
  teclas().pause().press(key::Enter);             // the notice read
  teclas().type("0,4").press(key::Enter);          // 40% of each instalment is gain
  teclas().type("60000").press(key::Enter);        // received in 2009
  teclas().press(key::Enter).press(key::Enter);    // nothing reinvested or paid: the form ends
  teclas().pause().press(key::Esc);                // the months' matrix
  teclas().pause().press(key::Enter);              // the result read
  teclas().pause().press(key::Esc);
  saida.respostas = {true};  // instalments of an earlier sale
  GANHO3(ctx, g, calc);

  EXPECT_TRUE(term.viu("Informe a fração tributável de cada parcela: a do"_cp));
  EXPECT_TRUE(term.viu("Fração tributável ......: 0,40000"_cp));
  EXPECT_TRUE(term.viu("Venda a prazo (S/N) ....: S"));
  EXPECT_TRUE(term.viu("Val. Recebido"));
  EXPECT_TRUE(term.viu("Ganho tributável                   24.000,00"_cp));
  EXPECT_TRUE(term.viu("Imposto devido                      3.600,00"));
  EXPECT_TRUE(saida.com("pergunta:Termina").empty());
  rt::db::Table& t = *ctx.areas.table(store::Area::TMP_07);
  t.goTo(1);
  ASSERT_TRUE(t.status());
  EXPECT_EQ(t.getText("VENDAANT"), "S");
  EXPECT_EQ(t.getText("VEN_PRAZO"), "S");
  EXPECT_EQ(t.getNumber("PER_TRI"), Decimal::parse("0.4").value());
  EXPECT_EQ(t.getNumber("VAL_TRIBU"), Decimal(24000));
  EXPECT_EQ(t.getNumber("CUS_ATUAL"), Decimal(36000));
  // Its reductions were taken in the year of the sale: none are stored (nor printed) again.
  for (const char* campo : {"FR1", "FR2", "GAN_TRI1", "GAN_TRI2"}) EXPECT_EQ(t.getNumber(campo), Decimal()) << campo;
}

}  // namespace gains::teste
