// The screens after the summary as a clerk meets them: the status and contact data going on
// to the notes grid; the rural screens in their order with the herd refusing a count that
// would leave a negative stock.
#include <gtest/gtest.h>

#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "store/abertura.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;
using rt::text::Decimal;


using OutrasTelas = DeclaracaoFixture;

TEST_F(OutrasTelas, StatusAndPhonesThenTheNotes) {
  // The office has named status 3 only.
  aoEntrar = [this](shell::Declara&, int n) {
    if (n != 11) return;
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::STATUS));
    rt::db::Table& t = *p->areas.table(store::Area::STATUS);
    ASSERT_TRUE(t.appendBlank().isOk());
    (void)t.put("COD", rt::ui::Value(Decimal::fromInt(3)));
    (void)t.put("DESCRICAO", rt::ui::Value(std::string("EM ANDAMENTO")));
    (void)store::seleciona(p->areas, store::Area::TMP_11);
  };
  novo(kNovo);
  term.press(key::F11);
  term.type("07");  // a status nobody named: the list of the named ones
  term.press(key::Enter).pause();  // its first, 3, chosen; on to the fax's area code
  term.type("11");
  term.press(key::Enter);
  term.type("98765432");  // mobile
  term.press(key::Tab);   // on to the notes
  term.press(key::Esc);     // Esc on screen 11 goes back to the balance
  termina('S');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 11, 10}));
  EXPECT_TRUE(gravador.viu("Situação da Declaração"_cp));
  EXPECT_TRUE(gravador.viu(" Anotações "_cp));
  EXPECT_TRUE(gravador.viu("EM ANDAMENTO"));
  auto r = dados("IMP0910", kNovo);
  ASSERT_TRUE(r && !r->eof());
  EXPECT_EQ(r->getNumber("ESTATUS"), Decimal::fromInt(3));
  EXPECT_EQ(r->getText("TELCELU"), "98765432");
}

// Shift-Tab leaves the status form for the screen before it, the balance, as on every screen.
TEST_F(OutrasTelas, ShiftTabOnTheStatusGoesBackToTheBalance) {
  novo(kNovo);
  term.press(key::F11);
  term.press(key::ShiftTab);
  term.type("7");  // the balance's other receipts
  term.press(key::Enter);
  termina('S');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 11, 10}));
  EXPECT_EQ(dados("IMP0110", kNovo)->getNumber("OUTREC"), Decimal::fromInt(7));
}

// Tab and Shift-Tab on the mode leave screen 9 as on every screen: no matrix of no mode.
TEST_F(OutrasTelas, ShiftTabOnTheModeLeavesVariableIncomeForTheSummary) {
  novo(kNovo);
  term.press(key::F9);
  term.press(key::ShiftTab);
  termina('I');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 9, 7}));
  EXPECT_FALSE(gravador.viu("Tipo de Mercado"));
}

// Screen 8 asks the kind of asset and lists its gains; screen 9 asks the mode and shows the
// month matrix of the common operations.
TEST_F(OutrasTelas, GainsThenVariableIncomeRunTheirOwnScreens) {
  novo(kNovo);
  term.press(key::F8);
  term.pause();
  term.type("1");
  term.pause();
  term.press(key::Esc);
  term.pause();
  term.press(key::F9);
  term.pause();
  term.type("1");
  term.press(key::Enter);
  term.pause();
  term.press(key::Esc);
  termina('I');
  roda();
  EXPECT_TRUE(gravador.viuJuntos("Nr Item Descrição do Bem"_cp,
                                 "[ESC] Volta p/ Declaração [INS] Inclui um Ganho [DEL] Elimina o Ganho"_cp));
}

// The mode is typed at its place on the screen (a mode other than 1-3 refused with the
// screen's message), its matrix is edited and stored, and Esc there leaves for the summary.
TEST_F(OutrasTelas, VariableIncomeRunsTheMatrixOfTheModeTyped) {
  novo(kNovo);
  term.press(key::F9);
  term.pause();
  term.type("4");
  term.pause();
  term.press(key::Enter);  // the refusal read
  term.pause();
  term.type("2");  // day trade
  term.pause();
  term.type("1000");
  term.press(key::Enter);
  term.press(key::Esc);
  term.pause();
  termina('S');
  roda();
  EXPECT_TRUE(gravador.viu("Informe o numero correto"));
  EXPECT_TRUE(gravador.viu("01.Mercado à Vista - Açoes"_cp));
  EXPECT_EQ(telas, (std::vector<int>{6, 9, 7}));
  bool achou = false;
  for (auto t = dados("IMP0710", kNovo); t && !t->eof(); (void)t->skip())
    achou = achou || (t->getText("DAY_TRADE") == "2" && t->getNumber("RVAR_NRO") == Decimal::fromInt(1) &&
                      t->getNumber("REC_MES01") == Decimal::fromInt(1000));
  EXPECT_TRUE(achou);
}

TEST_F(OutrasTelas, TheHerdRefusesACountThatLeavesANegativeStock) {
  aoEntrar = [](shell::Declara& d, int n) {
    if (n == 6) d.dec.espelho.registro.txt("TEMRURAL", "S");
  };
  novo(kNovo);
  term.press(key::F12);  // properties
  term.press(key::Tab);  // monthly receipts and expenses
  term.press(key::Tab);  // result
  term.press(key::Tab);  // herd
  term.type("10");       // cattle at the start
  term.press(key::Enter);
  term.press(key::Enter);
  term.press(key::Enter);
  term.type("20");  // consumed and lost: more than there were
  term.press(key::Enter);
  term.press(key::Enter);  // the refusal
  term.press(rt::term::ctrlKey('u'));
  term.type("4");
  term.press(key::Enter);
  termina('S');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 12, 13, 14, 15}));
  EXPECT_TRUE(gravador.viu(" (7) MOVIMENTAÇÃO DO REBANHO"_cp));
  EXPECT_TRUE(gravador.viu("(4) APURAÇÃO DO RESULTADO TRIBUTAVEL"_cp));
  auto r = dados("IMP1510", kNovo);
  ASSERT_TRUE(r && !r->eof());
  EXPECT_EQ(r->getNumber("I7_1B"), Decimal::fromInt(10));
  EXPECT_EQ(r->getNumber("I7_4B"), Decimal::fromInt(4));
  EXPECT_TRUE(gravador.viuEm(8, 66, "        6"));  // the final stock
}

TEST_F(OutrasTelas, TheRuralAssetsAndDebtsAndTheEnlargedAssetList) {
  aoEntrar = [](shell::Declara& d, int n) {
    if (n == 6) d.dec.espelho.registro.txt("TEMRURAL", "S");
  };
  novo(kNovo);
  term.press(key::F12);
  for (int i = 0; i < 5; ++i) term.press(key::Tab);  // 13, 14, 15, 16, 17
  term.press(key::F5);
  term.press(key::AltZ);  // the assets enlarged
  term.press(key::Esc);   // back to screen 5
  termina('I');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 12, 13, 14, 15, 16, 17, 5, 22, 5}));
  EXPECT_TRUE(gravador.viu("(8) BENS DA ATIVIDADE RURAL NO BRASIL"));
  EXPECT_TRUE(gravador.viu("(9) DIVIDAS VINCULADAS A ATIVIDADE RURAL"));
}

}  // namespace
}  // namespace screens::teste
