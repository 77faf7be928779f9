// The detail lists of Alt-F4 to Alt-F8 on one declaration: the variable income's months from
// the gains copy, the spouse's income and balance, the capital gains with their costs by year,
// the patrimony variation and the taxes paid,
// each row with its text, amount and the share of the balance total it belongs to.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/db/table.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "screens/balanco.h"
#include "shell/calculos_declaracao.h"
#include "store/areas.h"
#include "taxcalc/balanco.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

struct Esperada {
  std::string DESCRICAO;
  Decimal VALORDOC, PERCRECE, PERCDESP;
};

class BalancoListas : public DeclaracaoFixture {
 protected:
  void SetUp() override {
    DeclaracaoFixture::SetUp();
    aoEntrar = [this](shell::Declara& d, int n) {
      if (n != 10) return;
      store::EspelhoDeclaracao& e = d.dec.espelho;
      // Receipts 100,000 and expenses 40,000 once the balance is computed.
      for (const auto& [campo, v] : std::vector<std::pair<std::string, int>>{{"I13_07", 80000},
                                                                             {"I13_01", 80000},
                                                                             {"LUCRRVA", 2000},
                                                                             {"PREJRVA", 500},
                                                                             {"I13_21", 6000},
                                                                             {"I13_22", 1000},
                                                                             {"I13_23", 3000},
                                                                             {"I13_27", 10000},
                                                                             {"I13_32", 50000},
                                                                             {"I13_33", 70000},
                                                                             {"I13_34", 10000},
                                                                             {"I13_35", 5000},
                                                                             {"DESPNAO", 29500},
                                                                             {"ENTRADGP", 50000},
                                                                             {"ISENTNAO", 50000},
                                                                             {"I3_04GCPVC", 20000},
                                                                             {"I4_02", 10000}})
        e.tabela01.num(campo, Decimal::fromInt(v));
      for (const auto& [campo, v] : std::vector<std::pair<std::string, int>>{
               {"I13_1C", 20000}, {"I13_2C", 1000}, {"I13_4C", 2000}, {"I13_5C", 500}, {"I9_3", 18000}})
        e.registro.num(campo, Decimal::fromInt(v));
      e.registro.txt("CONJPAD", "S");
      // Variable income: common operations gain 2,000 in March and lose 500 in May; the day
      // trade loses 200 in March, which counts as March's loss, apart from its gain.
      rt::db::Table& rv = *p->areas.table(store::Area::TMP_07);
      const auto linha = [&rv](std::string_view modo, int nro,
                               const std::vector<std::pair<int, int>>& meses) {
        ASSERT_TRUE(rv.appendBlank().isOk());
        (void)rv.put("CPF", rt::ui::Value(std::string(kNovo)));
        (void)rv.put("TIPO_BEM", rt::ui::Value(Decimal::fromInt(4)));
        (void)rv.put("RVAR_NRO", rt::ui::Value(Decimal::fromInt(nro)));
        (void)rv.put("DAY_TRADE", rt::ui::Value(std::string(modo)));
        for (const auto& [mes, v] : meses)
          (void)rv.put((mes < 10 ? "REC_MES0" : "REC_MES") + std::to_string(mes),
                       rt::ui::Value(Decimal::fromInt(v)));
      };
      linha("1", 14, {{3, 2000}, {5, -500}});
      linha("2", 14, {{3, -200}});
      linha("1", 13, {{4, 900}});  // not the month's result: left out
      // Capital gains: one property sold this year, its costs of 2005 and 2009; a second one
      // sold in an earlier year, whose old cost no longer counts.
      rt::db::Table& ops = *p->areas.table(store::Area::TMP_07);
      rt::db::Table& custos = *p->areas.table(store::Area::TMP_08);
      for (const auto& [bem, antes] : std::vector<std::pair<int, std::string>>{{1, "N"}, {2, "S"}}) {
        ASSERT_TRUE(ops.appendBlank().isOk());
        (void)ops.put("CPF", rt::ui::Value(std::string(kNovo)));
        (void)ops.put("TIPO_BEM", rt::ui::Value(Decimal::fromInt(1)));
        (void)ops.put("BEM_NRO", rt::ui::Value(Decimal::fromInt(bem)));
        (void)ops.put("VENDAANT", rt::ui::Value(antes));
      }
      for (const auto& [bem, ano, v] : std::vector<std::tuple<int, int, int>>{
               {1, 2005, 30000}, {1, 2009, 4000}, {2, 2005, 7000}, {2, 2009, 1000}}) {
        ASSERT_TRUE(custos.appendBlank().isOk());
        (void)custos.put("CPF", rt::ui::Value(std::string(kNovo)));
        (void)custos.put("BEM_NRO", rt::ui::Value(Decimal::fromInt(bem)));
        (void)custos.put("DATA_CUST", rt::ui::Value(rt::text::Date::fromYmd(ano, 6, 1)));
        (void)custos.put("VALOR_CUST", rt::ui::Value(Decimal::fromInt(v)));
      }
      taxcalc::Contexto c = d.calculos()->contexto(d.dec);
      c.v.I13_23A = Decimal::fromInt(2500);
      c.v.I13_23B = Decimal::fromInt(500);
      (void)taxcalc::VE_SALDO(c);
      RECEITA = c.v.RECEITA;
      DESPESA = c.v.DESPESA;
      for (int k = 4; k <= 8; ++k) listas[k] = linhasDetalhe(c, k);
    };
  }
  Decimal RECEITA, DESPESA;
  std::vector<LinhaDetalhe> listas[9];
};

TEST_F(BalancoListas, EachListShowsItsRowsWithTheirShares) {
  novo(kNovo);
  term.press(key::F10);
  term.press(key::AltF1 - 7);  // Alt-F8, the taxes paid
  term.press(key::Esc);        // ends the list only: the form goes on
  term.type("7");
  term.press(key::Enter);
  termina('S');
  roda();
  ASSERT_EQ(RECEITA, Decimal::fromInt(100000));
  ASSERT_EQ(DESPESA, Decimal::fromInt(40000));
  const std::vector<std::pair<int, std::vector<Esperada>>> casos = {
      {4,
       {{"Lucro no mes 03", 2000.00_d, 2.00_d, {}},
        {"Prejuizo no mes 03", 200.00_d, {}, 0.50_d},
        {"Prejuizo no mes 05", 500.00_d, {}, 1.25_d},
        {"Total Ganho na Renda Variavel", 2000.00_d, 2.00_d, {}},
        {"Total Prejuizo na Renda Variavel", 700.00_d, {}, 1.75_d}}},
      {5,
       {{"Rendimentos tributaveis do conjuge", 20000.00_d, 20.00_d, {}},
        {"Rendimentos isentos do conjuge", 1000.00_d, 1.00_d, {}},
        {"Imposto retido do conjuge", -2000.00_d, -2.00_d, {}},
        {"Imposto pago pelo conjuge", -500.00_d, -0.50_d, {}},
        {"Total rendimento oficial do conjuge", 18500.00_d, 18.50_d, {}},
        {"Outras rendas do conjuge", {}, {}, {}},
        {"Saldo no balanco do conjuge", 18000.00_d, 18.00_d, {}},
        {"Diferenca entre Rendimento e Saldo", 500.00_d, 0.50_d, {}}}},
      {6,
       {{"Total das entradas no Ganho de Capital", 50000.00_d, 50.00_d, {}},
        {"Custo dos bens alienados Em 2005", 30000.00_d, {}, 75.00_d},
        {"Custo dos bens alienados Em 2009", 5000.00_d, {}, 12.50_d},
        {"Bens de pequeno valor", 20000.00_d, 20.00_d, {}},
        {"Valor tributado na alienacao de Bens", 10000.00_d, 10.00_d, {}},
        {"Total Abatimento de Isentos e Tributado", 30000.00_d, 30.00_d, {}}}},
      {7,
       {{"Bens e direitos em 31/12/2008", 50000.00_d, {}, {}},
        {"Bens e direitos em 31/12/2009", 70000.00_d, {}, {}},
        {"Dividas e onus reais em 31/12/2008", 10000.00_d, {}, {}},
        {"Dividas e onus reais em 31/12/2009", 5000.00_d, {}, {}},
        {" Variacao nos Bens ", 20000.00_d, {}, 50.00_d},
        {" Variacao nas Dividas", -5000.00_d, {}, -12.50_d},
        {" Variacao Patrimonial total", 25000.00_d, {}, 62.50_d}}},
      {8,
       {{"Imposto retido do Titular", 6000.00_d, {}, 15.00_d},
        {"Imposto retido do Dependente", 1000.00_d, {}, 2.50_d},
        {"Carne Leao do Titular ", 2500.00_d, {}, 6.25_d},
        {"Carne Leao do Dependente", 500.00_d, {}, 1.25_d},
        {"Total dos Impostos pagos no Ano", 10000.00_d, {}, 25.00_d}}},
  };
  for (const auto& [k, esperadas] : casos) {
    SCOPED_TRACE("list " + std::to_string(k));
    ASSERT_EQ(listas[k].size(), esperadas.size());
    for (std::size_t i = 0; i < esperadas.size(); ++i) {
      SCOPED_TRACE(esperadas[i].DESCRICAO);
      EXPECT_EQ(listas[k][i].DESCRICAO, esperadas[i].DESCRICAO);
      EXPECT_EQ(listas[k][i].VALORDOC, esperadas[i].VALORDOC);
      EXPECT_EQ(listas[k][i].PERCRECE, esperadas[i].PERCRECE);
      EXPECT_EQ(listas[k][i].PERCDESP, esperadas[i].PERCDESP);
    }
  }
  EXPECT_TRUE(gravador.viu("Total dos Impostos pagos no Ano"));
  // The fee block: with no time spent yet (the test's clock stands still) the screen proposes
  // the minimum, where the fee list would charge nothing.
  EXPECT_TRUE(gravador.viuEm(21, 14, "00D00h00m"));
  EXPECT_TRUE(gravador.viuEm(21, 64, "        60,00"));
  EXPECT_EQ(dados("IMP0110", kNovo)->getNumber("OUTREC"), Decimal::fromInt(7));
}

// Every detail list shows its rows' shares: the receipts' lists (Alt-F2 here) the share of the
// receipts, the others (Alt-F8) the share of the expenses and of the receipts. A scholarship of
// 12,345.00 is all the receipts; tax withheld of 1,234.50 is all the expenses.
TEST_F(DeclaracaoFixture, DetailListsShowTheShareColumns) {
  aoEntrar = [](shell::Declara& d, int n) {
    if (n == 10) d.dec.espelho.tabela01.num("I13_21", 1234.50_d);
  };
  novo(kNovo);
  term.press(key::F1);
  term.press(key::F3);
  term.type("12345");
  term.press(key::Enter);
  term.press(key::F10);
  term.press(key::AltF1 - 1);  // Alt-F2, the exempt incomes
  term.pause();
  term.press(key::Esc);
  term.press(key::AltF1 - 7);  // Alt-F8, the taxes paid
  term.pause();
  term.press(key::Esc);
  termina('I');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 1, 3, 10}));
  EXPECT_TRUE(gravador.viuJuntos("VALOR % REC.", "Bolsa de Estudo      "));
  EXPECT_FALSE(gravador.viuJuntos("% DESP", "Bolsa de Estudo      "));
  EXPECT_TRUE(gravador.viu("12.345,00│100,00"_cp));
  EXPECT_TRUE(gravador.viuJuntos("VALOR % DESP % REC.", "Imposto retido do Titular"));
  EXPECT_TRUE(gravador.viu("1.234,50│100,00│"_cp));
}

// Ctrl-Enter opens the upkeep grid only from the living expenses' field; DESPNAO becomes twelve
// times the monthly values listed there and is saved with the declaration.
TEST_F(DeclaracaoFixture, CtrlEnterInTheLivingExpensesBringsTheUpkeepGrid) {
  aoEntrar = [this](shell::Declara& d, int n) {
    if (n != 10) return;
    d.dec.espelho.tabela01.num("DESPNAO", Decimal::fromInt(999));
    rt::db::Table& t = *p->areas.table(store::Area::TMP_10);
    for (int v : {100, 50}) {
      ASSERT_TRUE(t.appendBlank().isOk());
      (void)t.put("CPF", rt::ui::Value(std::string(kNovo)));
      (void)t.put("DESCRITEM", rt::ui::Value(std::string("CASA")));
      (void)t.put("VALODESP", rt::ui::Value(Decimal::fromInt(v)));
    }
  };
  novo(kNovo);
  term.press(key::F10);
  term.press(key::CtrlEnter);  // in OUTREC: nothing, the typing goes on in the field
  term.type("5");
  term.press(key::Enter);
  term.press(key::Enter);
  term.press(key::CtrlEnter);  // in DESPNAO: the grid
  term.press(key::Esc);
  termina('S');
  roda();
  // The grid stands in its own frame with the note on what to list, and the balance it
  // covered comes back when it is left.
  EXPECT_TRUE(gravador.viuJuntos("V.Mensal", "Anote o valor MENSAL das despesas que existem normalmente nos"));
  EXPECT_TRUE(gravador.viuJuntos(" Termina  a  Declaração ?"_cp, "Empréstimos rurais"_cp));
  auto t = dados("IMP0110", kNovo);
  EXPECT_EQ(t->getNumber("OUTREC"), Decimal::fromInt(5));
  EXPECT_EQ(t->getNumber("DESPNAO"), Decimal::fromInt(1800));
}

// The check of screen 10: "A" (the start) lists the findings on entry without a word; another
// letter is explained; "S" checks now and says the verdict.
TEST_F(DeclaracaoFixture, ConferirChecksOnEntryAndOnRequest) {
  novo(kNovo);
  term.press(key::F10);
  for (int i = 0; i < 7; ++i) term.press(key::Enter);
  term.type("X");          // a full field is left at once
  term.pause();
  term.press(key::Enter);  // the explanation read
  for (int i = 0; i < 7; ++i) term.press(key::Enter);
  term.type("S");
  term.pause();
  term.press(key::Enter);  // the verdict read
  termina('S');
  roda();
  EXPECT_TRUE(gravador.viu("Informe com 'S'(Sim) ou 'N'(Nao) ou 'A'(Automatico)"));
  // Each field explains itself on the message line as it is entered.
  EXPECT_TRUE(gravador.viuJuntos("Informe o percentual para o alerta.", "Alerta % do saldo"));
  EXPECT_TRUE(gravador.viu("Digite S para conferir N para Nao ou A para conferencia automatica"));
  EXPECT_TRUE(gravador.viu("Informe o valor a ser cobrado por essa declaração."_cp));
  EXPECT_TRUE(gravador.viu("Atenção!"_cp) || gravador.viu("Declaração OK"_cp)) << "no verdict";
  EXPECT_GT(conta("IMP1110", kNovo), 0);
}

// The fee: thousand bytes and minutes at their prices, cut to cents each, never below the
// minimum, also for a declaration with no time spent (where the fee list charges nothing).
TEST(Honorarios, SizeAndTimeAtTheirPricesWithTheMinimum) {
  const AmbienteTela::Honorarios h{{}, {}, 1.60_d, 1.00_d, 60.00_d};
  EXPECT_EQ(VALCALC(1200, 50000, h), 82.00_d);
  EXPECT_EQ(VALCALC(600, 10000, h), 60.00_d);
  EXPECT_EQ(VALCALC(0, 0, h), 60.00_d) << "no time and no data: the screen proposes the minimum";
  EXPECT_EQ(VALCALC(0, 50000, h), 60.00_d);
  EXPECT_EQ(VALCALC(100, 20999, h), 60.00_d);
  EXPECT_EQ(VALCALC(3601, 20999, h), 117.01_d);  // 20.99 + 96.02, each cut
}

}  // namespace
}  // namespace screens::teste
