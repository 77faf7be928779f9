#include "console/listas.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "console/listas_catalogo.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "tabelas_fixture.h"

namespace {

using namespace rt::text::literals;
using console::teste::C;
using console::teste::EntradaFalsa;
using console::teste::Linha;
using console::teste::N;
using rt::text::Decimal;
namespace key = rt::term::key;

class ServicosGravados final : public console::ServicosLista {
 public:
  std::function<void()> aoDetalhar;
  std::string VE_STAT(int codigo) override { return rt::text::padr(codigo == 1 ? "EM ANDAMENTO" : "", 13); }
  void MOSTR_PAG(int modo) override { chamadas.push_back("MOSTR_PAG " + std::to_string(modo)); }
  void MOS_DETAL() override {
    chamadas.push_back("MOS_DETAL");
    if (aoDetalhar) aoDetalhar();
  }
  void MOS_PEND() override { chamadas.push_back("MOS_PEND"); }
  void MOSTR_BEM(int tipo, int modo) override {
    chamadas.push_back("MOSTR_BEM " + std::to_string(tipo) + " " + std::to_string(modo));
    if (aoMostrarBem) aoMostrarBem();
  }
  void DEL_GP() override {
    chamadas.push_back("DEL_GP");
    if (aoApagar) aoApagar();
  }
  std::vector<std::string> chamadas;
  std::function<void()> aoMostrarBem, aoApagar;
};

class ListasTest : public ::testing::Test, protected console::teste::TabelasFixture {
 protected:
  console::VariaveisMapa vars;
  ServicosGravados serv;
  console::Listas listas{ctx, console::AcessoTabelas{areas, [this](workareas::Area n) { return abre(n); }}, vars, serv};

  // The register: CPF order 111, 333, 522; name order ANTONIO, MARIA, ZULMIRA; status order
  // ZULMIRA (0), MARIA (1), ANTONIO (2).
  void registro(std::vector<Linha> linhas = {}, bool padrao = true) {
    if (linhas.empty() && padrao)
      linhas = {
          {"11111111111", "MARIA SILVA", Decimal(1), "S", "S"},
          {"52222222222", "ANTONIO SOUZA", Decimal(2), "N", "N"},
          {"33333333333", "ZULMIRA COSTA", Decimal(0), "N", "S"},
      };
    for (auto& l : linhas) {
      l.resize(17, std::string());
      for (int i : {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16}) l[static_cast<std::size_t>(i)] = Decimal(0);
      l[15] = "x@y.br";
    }
    if (!linhas.empty()) linhas[0][16] = Decimal(150);
    cria(workareas::Area::IMP0910, "IMP0910",
         {C("CPF", 11), C("NOMECONTR", 53), N("ESTATUS", 2), C("TEMRURAL", 1), C("USAPADRAO", 1),
          N("IMPPGRE", 12, 2), N("INDGAS", 6, 2), N("NRQUOTA", 1), N("DFQUOTA", 12, 2), N("NRCLEAO", 2),
          N("DFCLEAO", 12, 2), N("NRGCAPIT", 2), N("DFGCAPIT", 12, 2), N("NRRVARIV", 2), N("DFRVARIV", 12, 2),
          C("EMAIL", 40), N("VALOREC", 12, 2)},
         linhas, {{"IMP0910", "CPF"}, {"IMP0910B", "UPPER(NOMECONTR)"}, {"IMP0910C", "ESTATUS"}});
  }
  // A code table of number `area` with a numeric code and a description.
  void codigos(workareas::Area area, const std::string& nome, const std::string& cod, const std::string& desc) {
    cria(area, nome, {N(cod, 2), C(desc, 60)},
         {{Decimal(11), "PRIMEIRO"}, {Decimal(12), "SEGUNDO"}, {Decimal(21), "TERCEIRO"}}, {{nome, cod}});
  }
  // A working copy with one row, in area `area`.
  void copia(workareas::Area area, std::vector<rt::db::FieldDef> campos, Linha linha) {
    cria(area, "TMP_" + std::to_string(workareas::numero(workareas::origem(area))) + "00", std::move(campos), {std::move(linha)});
  }
  std::string linhaUtf8(int r) { return term.rowUtf8(r); }
};

// --- the register list

TEST_F(ListasTest, RegisterOrdersOfTheChooserKeys) {
  registro();
  EntradaFalsa cpf("M->CPF");
  rt::term::ActiveInputScope escopo(con, cpf);

  term.press(key::Down).press(key::Enter);  // CPF order: 111, then 333
  listas.GERAL1();
  EXPECT_EQ(vars.texto("CPF"), "33333333333");
  EXPECT_EQ(cpf.redesenhos, 1);           // the form shows the CPF chosen
  EXPECT_EQ(areas.table(workareas::Area::IMP0910)->order(), 2);  // left in name order
  EXPECT_EQ(serv.chamadas, std::vector<std::string>{"MOSTR_PAG 1"});
  EXPECT_EQ(ctx.QUALHLP, "M->CPF");

  (void)areas.table(workareas::Area::IMP0910)->setOrder(2);
  (void)areas.table(workareas::Area::IMP0910)->goTop();
  term.press(key::Enter);  // name order: ANTONIO first
  listas.GERAL5();
  EXPECT_EQ(vars.texto("CPF"), "52222222222");
  EXPECT_EQ(areas.table(workareas::Area::IMP0910)->order(), 1);

  (void)areas.table(workareas::Area::IMP0910)->setOrder(3);
  (void)areas.table(workareas::Area::IMP0910)->goTop();
  term.press(key::Enter);  // status order: ZULMIRA (0) first
  listas.GERAL4();
  EXPECT_EQ(vars.texto("CPF"), "33333333333");
  EXPECT_EQ(areas.table(workareas::Area::IMP0910)->order(), 1);
  EXPECT_EQ(listas.PROG, 0);
  EXPECT_FALSE(listas.TEMHLP);
  EXPECT_EQ(areas.current(), workareas::Area::IMP0910);
}

TEST_F(ListasTest, ChooserKeyDuringAFormPutsTheCpfIntoTheField) {
  registro();
  vars.atribui("CPF", std::string(11, ' '));
  rt::ui::Read read(con);
  read.get(2, 10,
           rt::ui::var(
               "CPF", [this] { return *vars.valor("CPF"); },
               [this](const rt::ui::Value& v) { vars.atribui("CPF", v); }),
           "@R 999.999.999-99");
  // The list empties the keyboard when it ends: the Enter that ends the form comes after.
  con.setKey(key::F1, [this] {
    listas.GERAL5();
    con.push(key::Enter);
  });
  (void)areas.table(workareas::Area::IMP0910)->setOrder(2);
  (void)areas.table(workareas::Area::IMP0910)->goTop();
  term.press(key::F1).press(key::Down).press(key::Enter).press('9');
  rt::ui::ReadResult r = read.run();
  EXPECT_FALSE(r.escaped);
  EXPECT_EQ(vars.texto("CPF"), "11111111111");
  EXPECT_EQ(trecho(2, 10, 14), "111.111.111-11");
  EXPECT_EQ(ctx.QUALHLP, "M->CPF");
  EXPECT_EQ(areas.table(workareas::Area::IMP0910)->order(), 1);
  EXPECT_EQ(term.pending(), 0u);  // the key typed after the choice was dropped
  con.clearKey(key::F1);
}

TEST_F(ListasTest, RegisterTypedSearchDigitsByCpfLettersByName) {
  registro();
  EntradaFalsa cpf("M->CPF1");
  rt::term::ActiveInputScope escopo(con, cpf);
  (void)areas.select(workareas::Area::IMP0910);

  term.press('5').press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CPF1"), "52222222222");
  EXPECT_TRUE(listas.SOFTSEEK);

  term.press('m').press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CPF1"), "11111111111");
  EXPECT_EQ(areas.table(workareas::Area::IMP0910)->order(), 2);

  // Beyond the last name: the last row.
  term.press('~').press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CPF1"), "33333333333");
  // Beyond the last CPF.
  term.press('9').press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CPF1"), "52222222222");
  EXPECT_TRUE(serv.chamadas.empty());
}

TEST_F(ListasTest, RegisterWindowHeadingsAndFooters) {
  registro();
  EntradaFalsa cpf("M->CPF2");
  rt::term::ActiveInputScope escopo(con, cpf);
  (void)areas.select(workareas::Area::IMP0910);
  term.press(key::Esc);
  listas.GERAL();

  // Window 8 framed on its corners (3, 1, 16, 78); the browse inside it.
  EXPECT_EQ(linhaUtf8(3).substr(0, 4), " ┌");
  EXPECT_NE(linhaUtf8(4).find("Nome do Contribuinte"), std::string::npos) << term.dump();
  EXPECT_NE(linhaUtf8(4).find("CPF"), std::string::npos) << term.dump();
  EXPECT_NE(linhaUtf8(6).find("│111.111.111-11"), std::string::npos) << term.dump();
  EXPECT_NE(linhaUtf8(5).find("══"), std::string::npos);
  EXPECT_NE(linhaUtf8(6).find("MARIA SILVA"), std::string::npos);
  EXPECT_NE(linhaUtf8(6).find("111.111.111-11"), std::string::npos);
  EXPECT_NE(linhaUtf8(6).find("EM ANDAMENTO"), std::string::npos);
  EXPECT_NE(linhaUtf8(14).find("┴─"), std::string::npos) << term.dump();
  EXPECT_NE(linhaUtf8(15).find("   3 Declarações"), std::string::npos) << term.dump();
  EXPECT_NE(linhaUtf8(15).find(" 66.67% Simples"), std::string::npos);
  EXPECT_NE(linhaUtf8(15).find(" 33.33% Compl"), std::string::npos);
  EXPECT_NE(linhaUtf8(15).find("simp.   1 comp."), std::string::npos);
  // Esc writes nothing back, and the register stays open and selected.
  EXPECT_FALSE(vars.tem("CPF2"));
  EXPECT_EQ(cpf.redesenhos, 0);
  EXPECT_TRUE(areas.isOpen(workareas::Area::IMP0910));
  EXPECT_EQ(areas.current(), workareas::Area::IMP0910);
  // The screen under the window came back.
  EXPECT_EQ(linha(3).substr(0, 4), "    ");
}

TEST_F(ListasTest, PercentagesFitOneHundredAndStayBlankOnAnEmptyRegister) {
  registro({{"11111111111", "A", Decimal(0), "N", "S"}, {"22222222222", "B", Decimal(0), "N", "S"}});
  EntradaFalsa cpf("M->CPF");
  rt::term::ActiveInputScope escopo(con, cpf);
  (void)areas.select(workareas::Area::IMP0910);
  term.press(key::Esc);
  listas.GERAL();
  EXPECT_TRUE(term.contains("100.00% Simples")) << term.dump();
  EXPECT_TRUE(term.contains("      % Compl"));  // zero shows blank

  registro({}, false);
  term.press(key::Esc);
  listas.GERAL();
  EXPECT_TRUE(term.contains("   0 Declarações"_cp)) << term.dump();
  EXPECT_TRUE(term.contains("      % Simples")) << term.dump();
  EXPECT_TRUE(term.contains("      % Compl"));
}

TEST_F(ListasTest, RegisterKeysCallDetailsPendingNotesAndOtherTaxpayerFields) {
  registro();
  EntradaFalsa email("M->CPFEMAIL");
  rt::term::ActiveInputScope escopo(con, email);
  (void)areas.select(workareas::Area::IMP0910);
  // A field check inside the details form asks for a list: refused, the open list unchanged.
  rt::ui::Value codDoDetalhe = std::string("?");
  serv.aoDetalhar = [&] {
    ctx.QUALHLP = "M->BANCO";
    codDoDetalhe = listas.GERAL2();
    listas.GERAL3();
    ctx.QUALHLP = "M->CPFEMAIL";
  };
  term.press(key::F6).press(key::F11).press(key::Esc);
  listas.GERAL();
  EXPECT_EQ(serv.chamadas, (std::vector<std::string>{"MOS_DETAL", "MOS_PEND"}));
  EXPECT_EQ(std::get<Decimal>(codDoDetalhe), Decimal(0));
  EXPECT_TRUE(areas.isOpen(workareas::Area::IMP0910));
  EXPECT_EQ(areas.current(), workareas::Area::IMP0910);

  serv.aoDetalhar = nullptr;
  term.press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CPFEMAIL"), "11111111111");
  EXPECT_EQ(rt::text::trim(vars.texto("CEMAIL_ENV")), "x@y.br");

  EntradaFalsa conju("M->DIRCONJU");
  rt::term::ActiveInputScope escopo2(con, conju);
  term.press(key::Down).press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CPFCONJU"), "33333333333");
  EXPECT_FALSE(vars.tem("DIRCONJU"));
}

TEST_F(ListasTest, CollectionListStartsFromTheTopOfTheRegister) {
  registro();
  (void)areas.table(workareas::Area::IMP0910)->goBottom();
  cria(workareas::Area::IMP0110, "OUTRA", {C("X", 1)}, {{"a"}});
  EntradaFalsa sac("M->CPFSAC");
  rt::term::ActiveInputScope escopo(con, sac);
  term.press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CPFSAC"), "11111111111");
  EXPECT_EQ(vars.texto("NOMESAC"), rt::text::padr("MARIA SILVA", 30));
  EXPECT_EQ(vars.numero("VALORDOC"), Decimal(150));
  EXPECT_EQ(aliasAtual(), "OUTRA");  // the area current before the list
}

// --- code tables opened by a field check

TEST_F(ListasTest, DependantRelationChosenByArrowsClosesTheTableAndSelectsTheDependants) {
  copia(workareas::Area::TMP_03, {C("NOMEDEPEN", 41), C("CPFDEPEN", 11)}, {"FILHO", "12345678901"});
  codigos(workareas::Area::CODEPEN, "CODEPEN", "CODDEP", "DESCRICAO");
  ctx.QUALHLP = "CODIDEPEN";
  term.press(key::Down).press(key::Down).press(key::Down).press(key::Up).press(key::Enter);
  rt::ui::Value cod = listas.GERAL2();
  EXPECT_EQ(std::get<Decimal>(cod), Decimal(12));
  EXPECT_FALSE(areas.isOpen(workareas::Area::CODEPEN));
  EXPECT_EQ(areas.current(), workareas::Area::TMP_03);
  EXPECT_FALSE(listas.TEMHLP);
  EXPECT_EQ(listas.PROG, 0);
  EXPECT_FALSE(vars.tem("M_CPFDEPEN"));
  EXPECT_TRUE(term.contains("Relação de dependência"_cp)) << term.dump();
}

TEST_F(ListasTest, EscInACodeListClosesTheCodeTableButNeverAWorkingCopy) {
  cria(workareas::Area::IMP0110, "OUTRA", {C("X", 1)}, {{"a"}});
  codigos(workareas::Area::CODBENS, "CODBENS", "CODBEM", "DESCBENS");
  ctx.QUALHLP = "I7_5";
  term.press(key::Esc);
  rt::ui::Value cod = listas.GERAL2();
  EXPECT_EQ(std::get<Decimal>(cod), Decimal(0));
  EXPECT_FALSE(areas.isOpen(workareas::Area::CODBENS));

  copia(workareas::Area::TMP_04, {N("I7_5", 3), C("I7_8", 3), N("CODIGO", 2)}, {Decimal(0), "", Decimal(0)});
  areas.table(workareas::Area::TMP_04)->setAlias("TMP_0400");
  ctx.QUALHLP = "I7_5";
  term.press(key::Esc);
  (void)listas.GERAL2();
  EXPECT_TRUE(areas.isOpen(workareas::Area::TMP_04));
}

// A chosen code the grid row's field cannot hold is said, and the row keeps what it had.
TEST_F(ListasTest, ACodeTheGridRowCannotHoldIsSaidAndTheRowKeepsItsValue) {
  copia(workareas::Area::TMP_04, {N("I7_5", 1)}, {Decimal(3)});
  codigos(workareas::Area::CODBENS, "CODBENS", "CODBEM", "DESCBENS");
  ctx.QUALHLP = "I7_5";
  term.press(key::Down).press(key::Enter).press(key::Enter);
  (void)listas.GERAL2();
  EXPECT_TRUE(term.contains("O valor não cabe no campo I7_5"_cp)) << term.dump();
  EXPECT_EQ(numero(workareas::Area::TMP_04, "I7_5"), Decimal(3));
}

TEST_F(ListasTest, GridCodeListsWriteTheChosenCodeIntoTheGridRow) {
  copia(workareas::Area::TMP_04, {N("I7_5", 3), C("I7_8", 3), N("CODIGO", 2)}, {Decimal(0), "", Decimal(0)});
  copia(workareas::Area::TMP_05, {N("I8_5", 3)}, {Decimal(0)});
  copia(workareas::Area::TMP_06, {N("I6_3", 2)}, {Decimal(0)});

  codigos(workareas::Area::CODBENS, "CODBENS", "CODBEM", "DESCBENS");
  ctx.QUALHLP = "I7_5";
  term.press(key::Down).press(key::Enter);
  EXPECT_EQ(std::get<Decimal>(listas.GERAL2()), Decimal(12));
  EXPECT_EQ(numero(workareas::Area::TMP_04, "I7_5"), Decimal(12));
  EXPECT_EQ(areas.current(), workareas::Area::TMP_04);
  EXPECT_FALSE(areas.isOpen(workareas::Area::CODBENS));

  codigos(workareas::Area::CODDIVI, "CODDIVI", "CODDIV", "DESCDIV");
  ctx.QUALHLP = "I8_5";
  term.press(key::CtrlPgDn).press(key::Enter);
  EXPECT_EQ(std::get<Decimal>(listas.GERAL2()), Decimal(21));
  EXPECT_EQ(numero(workareas::Area::TMP_05, "I8_5"), Decimal(21));
  EXPECT_EQ(areas.current(), workareas::Area::TMP_05);

  codigos(workareas::Area::DESPESA, "DESPESA", "CODDES", "DESCDOA");
  ctx.QUALHLP = "I6_3";
  term.press(key::Enter);
  EXPECT_EQ(std::get<Decimal>(listas.GERAL2()), Decimal(11));
  EXPECT_EQ(numero(workareas::Area::TMP_06, "I6_3"), Decimal(11));
  EXPECT_EQ(areas.current(), workareas::Area::TMP_06);

  // "CODIGO" writes into area 24, except in grid 30.
  ASSERT_TRUE(abre(workareas::Area::DESPESA));
  ctx.QUALHLP = "CODIGO";
  term.press(key::Down).press(key::Enter);
  EXPECT_EQ(std::get<Decimal>(listas.GERAL2()), Decimal(12));
  EXPECT_EQ(numero(workareas::Area::TMP_04, "CODIGO"), Decimal(12));
  vars.atribui("OPC", Decimal(30));
  ASSERT_TRUE(abre(workareas::Area::DESPESA));
  ctx.QUALHLP = "CODIGO";
  term.press(key::Enter);
  EXPECT_EQ(std::get<Decimal>(listas.GERAL2()), Decimal(11));
  EXPECT_EQ(numero(workareas::Area::TMP_04, "CODIGO"), Decimal(12));
  EXPECT_EQ(areas.current(), workareas::Area::TMP_04);
}

TEST_F(ListasTest, CountryListsForTheGridAndForVariables) {
  copia(workareas::Area::TMP_02, {C("I1_1", 1)}, {"J"});
  copia(workareas::Area::TMP_04, {N("I7_5", 3), C("I7_8", 3)}, {Decimal(0), ""});
  auto paises = [&] {
    cria(workareas::Area::TABPAIS, "TABPAIS", {C("CODPAIS", 3), C("NOMPAIS", 40)}, {{"105", "BRASIL"}, {"249", "ESTADOS UNIDOS"}},
         {{"TABPAIS", "CODPAIS"}});
  };
  paises();
  ctx.QUALHLP = "I7_8";
  term.press(key::Down).press(key::Enter);
  EXPECT_EQ(std::get<std::string>(listas.GERAL2()), "249");
  EXPECT_EQ(texto(workareas::Area::TMP_04, "I7_8"), "249");

  // Esc in the country list of the grid: empty text, and the payers' copy selected.
  paises();
  ctx.QUALHLP = "I7_8";
  term.press(key::Esc);
  EXPECT_EQ(std::get<std::string>(listas.GERAL2()), "");
  EXPECT_EQ(areas.current(), workareas::Area::TMP_02);

  paises();
  ctx.QUALHLP = "I8R_3";
  term.press(key::Enter);
  EXPECT_EQ(std::get<std::string>(listas.GERAL2()), "105");
  EXPECT_EQ(vars.texto("I8R_3"), "105");
  EXPECT_FALSE(areas.isOpen(workareas::Area::TABPAIS));
}

TEST_F(ListasTest, RuralAssetCodesGoIntoTheRuralCopy) {
  copia(workareas::Area::TMP_17, {N("CODIGO", 2)}, {Decimal(0)});
  cria(workareas::Area::CODABENS, "CODABENS", {N("CODBEM", 2), C("DESCBENS", 60)},
       {{Decimal(1), "TERRA NUA"}, {Decimal(2), "BENFEITORIAS"}}, {{"CODABENS", "CODBEM"}});
  ctx.QUALHLP = "CODIGOA";
  term.press(key::Down).press(key::Enter);
  EXPECT_EQ(std::get<Decimal>(listas.GERAL2()), Decimal(2));
  EXPECT_EQ(numero(workareas::Area::TMP_17, "CODIGO"), Decimal(2));
  EXPECT_EQ(areas.current(), workareas::Area::TMP_17);
  EXPECT_TRUE(term.contains("  Tipo  ")) << term.dump();
}

TEST_F(ListasTest, EnterOnAnEmptyListChoosesNothing) {
  copia(workareas::Area::TMP_04, {N("I7_5", 3)}, {Decimal(7)});
  cria(workareas::Area::CODBENS, "CODBENS", {N("CODBEM", 2), C("DESCBENS", 60)}, {}, {{"CODBENS", "CODBEM"}});
  ctx.QUALHLP = "I7_5";
  term.press(key::Enter);
  EXPECT_EQ(std::get<Decimal>(listas.GERAL2()), Decimal(0));
  EXPECT_EQ(numero(workareas::Area::TMP_04, "I7_5"), Decimal(7));
  EXPECT_EQ(listas.PROG, 0);
}

// --- code tables of the screens' fields

TEST_F(ListasTest, BankListIgnoresTypingButChangesOrderWithFunctionKeys) {
  auto bancos = [&] {
    cria(workareas::Area::BANCOS, "BANCOS", {C("NUMBAN", 3), C("NOMEBAN", 48)},
         {{"237", "BRADESCO"}, {"001", "BANCO DO BRASIL"}, {"104", "CAIXA ECONOMICA"}},
         {{"BANCOS", "NUMBAN"}, {"BANCOSB", "NOMEBAN"}});
  };
  bancos();
  EntradaFalsa banco("M->BANCO");
  rt::term::ActiveInputScope escopo(con, banco);
  // The list opens in name order: BANCO DO BRASIL, BRADESCO, CAIXA.
  term.press('2').press(key::Down).press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("BANCO"), "237");
  EXPECT_FALSE(areas.isOpen(workareas::Area::BANCOS));

  bancos();
  (void)areas.select(workareas::Area::BANCOS);
  term.press(key::F2).press(key::CtrlPgUp).press(key::Down).press(key::Enter);  // code order
  listas.GERAL();
  EXPECT_EQ(vars.texto("BANCO"), "104");

  // F3 asks an order the table does not have: record order.
  bancos();
  (void)areas.select(workareas::Area::BANCOS);
  term.press(key::F3).press(key::CtrlPgUp).press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("BANCO"), "237");
  bancos();
  (void)areas.select(workareas::Area::BANCOS);
  term.press(key::F3).press(key::CtrlPgUp).press(key::Down).press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("BANCO"), "001");
  EXPECT_EQ(listas.PROG, 0);
}

TEST_F(ListasTest, OccupationAndNatureSeekShowOnTheFormAndCloseTheTable) {
  ctx.ALJ[ctx.NT] = 2;
  cria(workareas::Area::OCUPACAO, "OCUPACAO", {C("CDPRO", 3), C("OCUPACAO", 69)},
       {{"110", "ADVOGADO"}, {"211", "MEDICO"}, {"310", "ENGENHEIRO"}},
       {{"OCUPACAO", "CDPRO"}, {"OCUPACAB", "upper(OCUPACAO)"}});
  EntradaFalsa ocup("M->OCUPACAO");
  rt::term::ActiveInputScope escopo(con, ocup);
  cria(workareas::Area::IMP0110, "OUTRA", {C("X", 1)}, {{"a"}});
  (void)areas.select(workareas::Area::OCUPACAO);
  term.press('m').press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CDPRO"), "211");
  EXPECT_EQ(rt::text::trim(vars.texto("OCUPACAO")), "MEDICO");
  EXPECT_EQ(trecho(20, 5, 3), "211");
  EXPECT_EQ(trecho(20, 9, 6), "MEDICO");
  EXPECT_FALSE(areas.isOpen(workareas::Area::OCUPACAO));

  cria(workareas::Area::CODNATUR, "CODNATUR", {C("CODAT", 2), C("DESCRAT", 58)}, {{"11", "EMPREGADO"}, {"12", "SERVIDOR"}},
       {{"CODNATUR", "CODAT"}});
  EntradaFalsa nat("M->CODAT");
  rt::term::ActiveInputScope escopo2(con, nat);
  term.press('1').press(key::Down).press(key::Enter);  // typing does nothing here
  listas.GERAL();
  EXPECT_EQ(vars.texto("CODAT"), "12");
  EXPECT_EQ(trecho(19, 6, 2), "12");
  EXPECT_FALSE(areas.isOpen(workareas::Area::CODNATUR));
}

TEST_F(ListasTest, StateListFillsTheStateAndTownListFillsTownAndCode) {
  auto municipios = [&] {
    cria(workareas::Area::TABMUNI, "TABMUNI", {C("NOMEMUNI", 30), C("NROMUNI", 4)}, {{"SP - SAO PAULO", ""}, {"CAMPINAS", "6291"}},
         {{"TABMUNIT", "NOMEMUNI"}});
  };
  municipios();
  ctx.QUALHLP = "M->MUNICIPIO";
  listas.TEMHLP = true;
  EntradaFalsa uf("M->UF");
  {
    rt::term::ActiveInputScope escopo(con, uf);
    term.press('s').press(key::Enter);
    listas.GERAL();
  }
  EXPECT_TRUE(term.contains("Nome dos Estados")) << term.dump();
  EXPECT_EQ(vars.texto("UF"), "SP");
  EXPECT_FALSE(vars.tem("MUNICIPIO"));
  EXPECT_FALSE(areas.isOpen(workareas::Area::TABMUNI));

  // The state field on a row without "-": the town.
  municipios();
  ctx.QUALHLP = "M->MUNICIPIO";
  listas.TEMHLP = true;
  {
    rt::term::ActiveInputScope escopo(con, uf);
    term.press('c').press(key::Enter);
    listas.GERAL();
  }
  EXPECT_EQ(rt::text::trim(vars.texto("MUNICIPIO")), "CAMPINAS");
  EXPECT_EQ(vars.texto("CODMUNI"), "6291");

  municipios();
  EntradaFalsa muni("M->MUNICIPIO");
  rt::term::ActiveInputScope escopo(con, muni);
  term.press(key::Enter);
  listas.GERAL();
  EXPECT_TRUE(term.contains("Nome dos municípios"_cp));
  EXPECT_EQ(rt::text::trim(vars.texto("MUNICIPIO")), "CAMPINAS");
}

TEST_F(ListasTest, StreetTypesEmbassiesStatusesAndDependantCpf) {
  cria(workareas::Area::TABLOGR, "TABLOGR", {C("NOMELOGRA", 11)}, {{"AVENIDA"}, {"RUA"}, {"TRAVESSA"}},
       {{"TABLOGR", "upper(nomelogra)"}});
  EntradaFalsa tipo("M->TIPOEND");
  {
    rt::term::ActiveInputScope escopo(con, tipo);
    term.press('r').press(key::Enter);
    listas.GERAL();
  }
  EXPECT_EQ(rt::text::trim(vars.texto("TIPOEND")), "RUA");
  EXPECT_FALSE(areas.isOpen(workareas::Area::TABLOGR));

  cria(workareas::Area::TABEMBA, "TABEMBA", {C("CD_EX", 3), C("NM_CIDADE", 20), C("NM_PAIS", 22), C("NM_REP", 30)},
       {{"001", "LISBOA", "PORTUGAL", "EMBAIXADA"}}, {{"TABEMBA", "CD_EX"}});
  ctx.QUALHLP = "M->CODEMB";
  listas.TEMHLP = true;
  term.press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CODEMB"), "001");
  EXPECT_FALSE(areas.isOpen(workareas::Area::TABEMBA));

  copia(workareas::Area::TMP_11, {C("OBSERV", 10)}, {"x"});
  cria(workareas::Area::STATUS, "STATUS", {N("COD", 2), C("DESCRICAO", 13)}, {{Decimal(1), "PRONTA"}, {Decimal(2), "ENTREGUE"}},
       {{"STATUS", "cod"}});
  // Opened by the status check, which set the context: the notes' copy is left selected.
  ctx.QUALHLP = "M->ESTATUS";
  listas.TEMHLP = true;
  term.press(key::Down).press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.numero("ESTATUS"), Decimal(2));
  EXPECT_EQ(areas.current(), workareas::Area::TMP_11);
  EXPECT_TRUE(areas.isOpen(workareas::Area::STATUS));

  copia(workareas::Area::TMP_03, {C("NOMEDEPEN", 41), C("CPFDEPEN", 11)}, {"FILHA", "98765432100"});
  copia(workareas::Area::TMP_12, {C("X", 1)}, {"x"});
  EntradaFalsa dep("M->CPFDEPEN");
  {
    rt::term::ActiveInputScope escopo(con, dep);
    term.press(key::Enter);
    listas.GERAL();
  }
  EXPECT_EQ(vars.texto("CPFDEPEN"), "98765432100");
  EXPECT_EQ(areas.current(), workareas::Area::TMP_12);
}

TEST_F(ListasTest, DependantCpfGoesIntoThePayersCopy) {
  copia(workareas::Area::TMP_02, {C("I1_1", 1), C("I1_8", 11)}, {"F", ""});
  copia(workareas::Area::TMP_03, {C("NOMEDEPEN", 41), C("CPFDEPEN", 11)}, {"FILHA", "98765432100"});
  ctx.QUALHLP = "I1_8";
  (void)areas.select(workareas::Area::TMP_03);
  term.press(key::Enter);
  EXPECT_EQ(std::get<std::string>(listas.GERAL2()), "98765432100");
  EXPECT_EQ(texto(workareas::Area::TMP_02, "I1_8"), "98765432100");
  EXPECT_EQ(areas.current(), workareas::Area::TMP_02);
}

// --- filters set by the list

TEST_F(ListasTest, PayerListFiltersLegalPersonsAndLeavesTheCopyUnfiltered) {
  copia(workareas::Area::TMP_02, {C("I1_1", 1), C("I1_2", 60), C("I1_3", 18), N("I1_4", 12, 2)},
        {"F", "PESSOA", "111", Decimal(1)});
  (void)areas.table(workareas::Area::TMP_02)->appendBlank();
  (void)areas.table(workareas::Area::TMP_02)->put("I1_1", std::string("J"));
  (void)areas.table(workareas::Area::TMP_02)->put("I1_3", std::string("12.345.678/0001-90"));
  (void)areas.table(workareas::Area::TMP_02)->appendBlank();
  (void)areas.table(workareas::Area::TMP_02)->put("I1_1", std::string("D"));
  cria(workareas::Area::IMP0910, "IMP0910", {C("CPF", 11)}, {{"1"}});
  EntradaFalsa pag("M->CGCPAGADOR");
  rt::term::ActiveInputScope escopo(con, pag);
  term.press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CGCPAGADOR"), "12.345.678/0001-90");
  EXPECT_EQ(aliasAtual(), "IMP0910");
  EXPECT_FALSE(areas.table(workareas::Area::TMP_02)->hasFilter());

  // Ctrl+Enter and Esc leave no filter either, and write nothing.
  vars.atribui("CGCPAGADOR", std::string());
  term.press(key::CtrlEnter);
  listas.GERAL();
  term.press(key::Esc);
  listas.GERAL();
  EXPECT_FALSE(areas.table(workareas::Area::TMP_02)->hasFilter());
  EXPECT_EQ(vars.texto("CGCPAGADOR"), "");
  int linhas = 0;
  for (areas.table(workareas::Area::TMP_02)->goTop(); areas.table(workareas::Area::TMP_02)->status() && !areas.table(workareas::Area::TMP_02)->eof(); areas.table(workareas::Area::TMP_02)->skip(1))
    ++linhas;
  EXPECT_EQ(linhas, 3);
}

class GanhosTest : public ListasTest {
 protected:
  void SetUp() override {
    cria(workareas::Area::TMP_07, "TMP_0700",
         {N("BEM_NRO", 2), N("NRO_ITEM", 3), N("TIPO_BEM", 1), C("ESPC_BEM1", 53), N("VAL_TRIBU", 12, 2),
          N("VAL_NAOTRI", 12, 2), N("VAL_IMPOS", 12, 2)},
         {{Decimal(1), Decimal(1), Decimal(1), "CASA", Decimal(1000), Decimal(10), Decimal(150)},
          {Decimal(2), Decimal(1), Decimal(2), "CARRO", Decimal(200), Decimal(20), Decimal(30)},
          {Decimal(3), Decimal(1), Decimal(3), "ACOES", Decimal(50), Decimal(5), Decimal(7)},
          {Decimal(4), Decimal(1), Decimal(5), "OURO", Decimal(9), Decimal(9), Decimal(9)}});
  }
};

TEST_F(GanhosTest, SummaryListNeedsGainsAndLeavesNoFilter) {
  ctx.QUALHLP = "M->I3_04";
  listas.TEMHLP = true;
  listas.GERAL();  // no gains: no list
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_FALSE(areas.table(workareas::Area::TMP_07)->hasFilter());
  EXPECT_EQ(listas.PROG, 0);
  EXPECT_FALSE(listas.TEMHLP);

  vars.atribui("I3_04GCPVC", Decimal(5));
  ctx.QUALHLP = "M->I3_04";
  listas.TEMHLP = true;
  term.press(key::Esc);
  listas.GERAL();
  EXPECT_TRUE(term.contains("Totais........")) << term.dump();
  EXPECT_TRUE(term.contains("1.250,00")) << term.dump();  // kinds 1-3
  EXPECT_TRUE(term.contains("187,00"));
  EXPECT_FALSE(term.contains("OURO"));
  EXPECT_FALSE(areas.table(workareas::Area::TMP_07)->hasFilter());
  EXPECT_TRUE(areas.isOpen(workareas::Area::TMP_07));
}

TEST_F(GanhosTest, OperationsListAddsTheCurrentKindAndOpensTheForms) {
  vars.atribui("TIPO_BEM", Decimal(2));
  ctx.QUALHLP = "M->TIPO_BEM";
  listas.TEMHLP = true;
  // A list asked for from inside the form is refused while this one is open.
  int aberturasDuranteForm = -1;
  serv.aoMostrarBem = [&] {
    ctx.QUALHLP = "M->TIPO_BEM";
    listas.GERAL();
    aberturasDuranteForm = listas.PROG;
  };
  serv.aoApagar = [&] {
    (void)areas.table(workareas::Area::TMP_07)->goTo(2);
    (void)areas.table(workareas::Area::TMP_07)->lockRecord();
    (void)areas.table(workareas::Area::TMP_07)->put("VAL_TRIBU", Decimal(300));
    (void)areas.table(workareas::Area::TMP_07)->unlock();
  };
  term.press(key::Ins).press(key::Del).press(key::Down).press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(serv.chamadas, (std::vector<std::string>{"MOSTR_BEM 2 0", "DEL_GP", "MOSTR_BEM 2 1"}));
  EXPECT_EQ(aberturasDuranteForm, 1);
  EXPECT_TRUE(term.contains("Descrição do Bem"_cp));
  // The footer after Del: kind 2 only.
  EXPECT_NE(term.rowUtf8(17).find("Totais........"), std::string::npos) << term.dump();
  EXPECT_NE(term.rowUtf8(17).find("300,00"), std::string::npos);
  EXPECT_EQ(term.rowUtf8(17).find("1.000,00"), std::string::npos);
  EXPECT_EQ(listas.PROG, 0);

  vars.atribui("TIPO_BEM", Decimal(3));
  ctx.QUALHLP = "M->TIPO_BEM";
  listas.TEMHLP = true;
  term.press(key::Esc);
  listas.GERAL();
  EXPECT_TRUE(term.contains("Nome da Sociedade"));
  EXPECT_EQ(serv.chamadas.size(), 3u);
}

// --- folders and the chart of accounts

TEST_F(ListasTest, FolderListSetsTheSpouseFolderOnlyForTheSpouseSearch) {
  cria(workareas::Area::IMP0110, "OUTRA", {C("X", 1)}, {{"a"}});
  cria(workareas::Area::DIRET, "DIRET00", {C("SELEC", 1), C("DIRETOR", 40)}, {{"*", "/dados/2010/"}, {" ", "/dados/outro/"}},
       {{"DIRET00", "upper(DIRETOR)"}});
  (void)areas.select(workareas::Area::IMP0110);
  term.press(key::Down).press(key::Enter);
  listas.GERAL3();
  EXPECT_EQ(rt::text::trim(vars.texto("ORIGEM")), "/dados/outro/");
  EXPECT_EQ(rt::text::trim(vars.texto("DIRCONJU")), "/dados/outro/");
  EXPECT_EQ(areas.current(), workareas::Area::DIRET);

  // The folder transfer's fields: DIRCONJU stays as it was.
  vars.atribui("DIRCONJU", std::string("C:\\CONJUGE"));
  (void)areas.select(workareas::Area::IMP0110);
  EntradaFalsa destino("M->DESTINO");
  rt::term::ActiveInputScope escopo(con, destino);
  term.press(key::CtrlPgUp).press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(rt::text::trim(vars.texto("DESTINO")), "/dados/2010/");
  EXPECT_EQ(vars.texto("DIRCONJU"), "C:\\CONJUGE");
  EXPECT_EQ(areas.current(), workareas::Area::IMP0110);
  EXPECT_TRUE(areas.isOpen(workareas::Area::DIRET));
}

TEST_F(ListasTest, ChartOfAccountsIsOpenedUnlessTheJournalHoldsIt) {
  cria(workareas::Area::IMP0110, "OUTRA", {C("X", 1)}, {{"a"}});
  cria(workareas::Area::CONTAS, "CONTAS", {C("CDCONTA", 4), C("NMDESCRICA", 80)}, {{"1001", "CAIXA"}, {"2001", "BANCO"}},
       {{"CONTAS", "CDCONTA"}}, false);
  (void)areas.select(workareas::Area::IMP0110);
  EntradaFalsa conta("M->CDCONTA");
  rt::term::ActiveInputScope escopo(con, conta);
  term.press(key::Down).press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(aberturas[workareas::Area::CONTAS], 1);
  EXPECT_EQ(vars.texto("CDCONTA"), "2001");
  EXPECT_EQ(areas.current(), workareas::Area::IMP0110);
  EXPECT_TRUE(term.contains("Descriçao"_cp));

  vars.atribui("OPCAO_1", Decimal(12));
  (void)areas.select(workareas::Area::IMP0110);
  term.press(key::CtrlPgUp).press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(aberturas[workareas::Area::CONTAS], 1);
  EXPECT_EQ(vars.texto("CDCONTA"), "1001");
}

// --- every context's window

TEST_F(ListasTest, EveryContextOpensItsWindow) {
  struct Caso {
    const char* qualhlp;
    workareas::Area area;  // the area the list selects itself; Nenhuma: the current one
    int li, ci, lif, cf;
  };
  using A = workareas::Area;
  const Caso casos[] = {
      {"M->CPF", A::Nenhuma, 3, 1, 16, 78},      {"M->NOMECONTR", A::Nenhuma, 3, 1, 16, 78},
      {"M->CPFSAC", A::IMP0910, 8, 1, 21, 58},   {"M->CGCPAGADOR", A::TMP_02, 8, 6, 18, 70},
      {"M->CDPRO", A::Nenhuma, 8, 1, 18, 76},    {"I1_8", A::TMP_03, 8, 6, 18, 50},
      {"M->CODAT", A::Nenhuma, 8, 1, 18, 66},    {"M->BANCO", A::Nenhuma, 8, 6, 18, 64},
      {"CODIDEPEN", A::Nenhuma, 8, 6, 22, 72},   {"I7_5", A::Nenhuma, 8, 6, 21, 57},
      {"I8_5", A::Nenhuma, 8, 6, 21, 57},        {"CODIGO", A::Nenhuma, 8, 6, 21, 77},
      {"M->DESTINO", A::DIRET, 8, 6, 21, 47}, {"M->TIPO_BEM", A::TMP_07, 5, 1, 18, 79},
      {"M->I3_04", A::TMP_07, 5, 1, 15, 76},   {"CODPAIS", A::Nenhuma, 8, 6, 21, 57},
      {"M->CODEMB", A::Nenhuma, 8, 6, 21, 57},   {"M->ESTATUS", A::Nenhuma, 8, 6, 21, 25},
      {"M->TIPOEND", A::Nenhuma, 8, 16, 21, 29}, {"M->MUNICIPIO", A::Nenhuma, 8, 6, 21, 37},
      {"M->CDCONTA", A::CONTAS, 6, 8, 19, 76}, {"CODIGOA", A::Nenhuma, 5, 20, 19, 71},
  };
  vars.atribui("I3_04UNICC", Decimal(1));
  vars.atribui("OPCAO_1", Decimal(12));
  const std::string canto1(std::string("┌"_cp)), canto2(std::string("┘"_cp));
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.qualhlp);
    const workareas::Area area = c.area == workareas::Area::Nenhuma ? workareas::Area::Rascunho : c.area;
    cria(area, "T" + std::to_string(workareas::numero(area)), {N("TIPO_BEM", 1), C("X", 1)}, {{Decimal(1), "a"}});
    ctx.QUALHLP = c.qualhlp;
    listas.TEMHLP = true;
    term.press(key::Esc);
    listas.GERAL();
    EXPECT_EQ(term.row(c.li).substr(static_cast<std::size_t>(c.ci), 1), canto1) << term.dump();
    EXPECT_EQ(term.row(c.lif).substr(static_cast<std::size_t>(c.cf), 1), canto2) << term.dump();
    EXPECT_EQ(listas.PROG, 0);
    EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kLista));
  }
}

// --- guards

// A field name given to two lists would open only the first: every name opens one list, and
// each has what Enter does.
TEST(CatalogoDeListas, EveryFieldNameOpensOneListWithItsEnter) {
  std::set<std::string_view> nomes;
  int total = 0;
  for (const console::Lista& l : console::catalogoDeListas()) {
    EXPECT_FALSE(l.nomes.empty());
    EXPECT_FALSE(l.colunas.empty());
    for (const console::EscolhaLista& e : l.nomes) {
      SCOPED_TRACE(e.nome);
      ++total;
      EXPECT_TRUE(nomes.insert(e.nome).second);
      EXPECT_NE(e.enter, nullptr);
      EXPECT_EQ(console::listaDe(e.nome).lista, &l);
    }
  }
  EXPECT_EQ(total, 34);
  EXPECT_EQ(console::listaDe("M->NADA").lista, nullptr);
}

TEST_F(ListasTest, UnknownFieldShowsNothingAndChangesNothing) {
  cria(workareas::Area::IMP0110, "OUTRA", {C("X", 1)}, {{"a"}});
  EntradaFalsa nada("M->NADA");
  rt::term::ActiveInputScope escopo(con, nada);
  const std::string antes = linha(8);
  listas.GERAL();
  EXPECT_EQ(ctx.QUALHLP, "M->NADA");
  EXPECT_EQ(listas.PROG, 0);
  EXPECT_EQ(areas.current(), workareas::Area::IMP0110);
  EXPECT_EQ(term.presents(), 0);
  EXPECT_EQ(linha(8), antes);
  // The next list opens normally.
  registro();
  EntradaFalsa cpf("M->CPF");
  rt::term::ActiveInputScope escopo2(con, cpf);
  term.press(key::Enter);
  listas.GERAL();
  EXPECT_EQ(vars.texto("CPF"), "11111111111");
}

}  // namespace
