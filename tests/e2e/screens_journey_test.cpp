// A declaration entered on the real program in tmux, as a clerk enters it: a new taxpayer's
// identification, a payer on the income screen, a dependant and a medical payment for him on
// screen 4, and the summary that follows from it, whose complete model shows their deductions;
// after the save the tables of the data folder hold what was typed and computed.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "rt/text/decimal.h"
#include "tmux_session.h"

namespace {

using e2e::TmuxSession;

class Jornada : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    home_ = raiz_.caminho() + "/tavren";
  }
  std::string comando() const { return e2e::comandoTavren(home_, {}); }
  // A table of the data folder on the CPF's row.
  std::unique_ptr<rt::db::Table> linha(const std::string& arquivo, const std::string& cpf) {
    auto t = rt::db::Table::open(home_ + "/DADOS2010/" + arquivo + ".DBF");
    if (!t) return nullptr;
    auto tabela = std::move(*t);
    for ((void)tabela->goTop(); !tabela->eof(); (void)tabela->skip())
      if (tabela->getText("CPF") == cpf) break;
    return tabela;
  }
  e2e::RaizDeTeste raiz_;
  std::string home_;
};

TEST_F(Jornada, IdentificationIncomeDependantAndSummaryOfANewTaxpayer) {
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Sair", e2e::kPartida)) << s.capture();
  e2e::teclas(s, {"Enter", "Enter"});  // Declaração, Declaração
  ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
  s.text("12345678909");
  ASSERT_TRUE(s.waitForText("Esse Contribuinte")) << s.capture();
  s.keys({"S"});

  // Identification: the rural flag, the name, the birth date and its age.
  ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE")) << s.capture();
  EXPECT_TRUE(s.waitForText("CPF 123.456.789-09")) << s.capture();
  s.keys({"N"});
  s.text("fulano de tal");
  s.keys({"Enter"});
  s.text("15031970");
  ASSERT_TRUE(s.waitForText(" 39 anos  9 meses")) << s.capture();
  EXPECT_TRUE(s.waitForText("Nome FULANO DE TAL")) << s.capture();

  // Screen 1: a payer, and the totals panel under the grid.
  s.keys({"F1"});
  ASSERT_TRUE(s.waitForText("(1)RENDIMENTOS TRIBUTAVEIS E ISENTOS RECEBIDOS DE PESSOAS JURIDICAS")) << s.capture();
  s.text("EMPRESA X");
  s.keys({"Enter"});
  s.text("80000");
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("Pessoa Jurídica   80.000,00")) << s.capture();

  // Screen 4: a dependant, then a payment to a clinic for him. Each code's name shows in an
  // alert, which is read before it is closed (keys typed ahead of a window are dropped).
  s.keys({"F4"});
  ASSERT_TRUE(s.waitForText("(6)DEPENDENTES e ALIMENTANDOS")) << s.capture();
  s.text("FILHO UM");
  s.keys({"Enter"});
  s.text("21");
  ASSERT_TRUE(s.waitForText("Filho(a) ou enteado(a)")) << s.capture();
  s.keys({"Enter"});
  s.text("01012005");
  s.text("52998224725");  // a full CPF ends the cell
  ASSERT_TRUE(s.waitForText("FILHO UM                                 │ 21│01/01/2005│529.982.247-25")) << s.capture();
  s.keys({"Tab"});
  ASSERT_TRUE(s.waitForText("   1│FILHO UM")) << s.capture();  // numbered as the payments open
  ASSERT_TRUE(s.waitForText("Esc=Fim Alt F4=Tela Aux.")) << s.capture();
  s.text("CLINICA SAUDE");
  s.keys({"Enter"});
  s.text("20");
  ASSERT_TRUE(s.waitForText("Hospitais, clínicas e laboratórios no Brasil")) << s.capture();
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("laboratórios") == std::string::npos; })) << s.capture();
  s.text("1");  // the dependant's number
  s.keys({"Enter"});
  s.text("11222333000181");
  s.keys({"Enter"});
  s.text("1500");
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("CLINICA SAUDE             │ 20│ 1 │11.222.333/0001-81│   1.500,00")) << s.capture();

  // The summary follows from it: the simplified model is not changed by deductions, the
  // complete one (Ctrl+S) shows them.
  s.keys({"F7"});
  ASSERT_TRUE(s.waitForText(" Declaração Simplificada ")) << s.capture();
  EXPECT_TRUE(s.waitForText("Total dos Rendimentos tributáveis           80.000,00")) << s.capture();
  EXPECT_TRUE(s.waitForText("Base de Cálculo do Imposto                  67.256,37")) << s.capture();
  EXPECT_TRUE(s.waitForText("Imposto devido                              10.540,14")) << s.capture();
  s.keys({"C-s"});
  ASSERT_TRUE(s.waitForText(" Declaração Completa ")) << s.capture();
  EXPECT_TRUE(s.waitForText("Dependentes                  1.730,40")) << s.capture();
  EXPECT_TRUE(s.waitForText("Despesas Médicas             1.500,00")) << s.capture();
  EXPECT_TRUE(s.waitForText("BASE DE CALCULO             76.769,60")) << s.capture();
  s.keys({"C-s"});  // back to the simplified model, the cheaper one
  ASSERT_TRUE(s.waitForText(" Declaração Simplificada ")) << s.capture();

  s.keys({"Escape"});
  ASSERT_TRUE(s.waitForText("Termina  a  Declaração")) << s.capture();
  s.keys({"S"});
  ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
  // Saved: the prompt asks for the next taxpayer.
  s.keys({"Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("C P F") == std::string::npos; })) << s.capture();

  auto registro = linha("IMP0910", "12345678909");
  ASSERT_TRUE(registro && !registro->eof());
  EXPECT_EQ(registro->getText("NOMECONTR").substr(0, 13), "FULANO DE TAL");
  EXPECT_EQ(registro->getText("TEMRURAL"), "N");
  EXPECT_EQ(registro->getText("USAPADRAO"), "S");
  auto t01 = linha("IMP0110", "12345678909");
  ASSERT_TRUE(t01 && !t01->eof());
  EXPECT_EQ(t01->getNumber("I13_01"), rt::text::Decimal::fromInt(80000));
  EXPECT_EQ(t01->getNumber("I13_17"), rt::text::Decimal::parse("10540.14").value());
  EXPECT_EQ(t01->getNumber("I13_10"), rt::text::Decimal::parse("1730.40").value());
  EXPECT_EQ(t01->getNumber("I13_12"), rt::text::Decimal::fromInt(1500));
  auto dependente = linha("IMP0310", "12345678909");
  ASSERT_TRUE(dependente && !dependente->eof());
  EXPECT_EQ(dependente->getText("NOMEDEPEN").substr(0, 8), "FILHO UM");
  EXPECT_EQ(dependente->getNumber("NRODEPEN"), rt::text::Decimal::fromInt(1));
  auto pagamento = linha("IMP0610", "12345678909");
  ASSERT_TRUE(pagamento && !pagamento->eof());
  EXPECT_EQ(pagamento->getNumber("I6_3"), rt::text::Decimal::fromInt(20));
  EXPECT_EQ(pagamento->getNumber("I6_6"), rt::text::Decimal::fromInt(1));
  EXPECT_EQ(pagamento->getNumber("I6_4"), rt::text::Decimal::fromInt(1500));
}

}  // namespace
