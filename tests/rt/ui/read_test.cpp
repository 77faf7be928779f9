// Input fields driven through the scripted terminal, as a user types them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/cp860.h"
#include "rt/ui/read.h"
#include "support/termina_em_tempo.h"

namespace rt::ui {
namespace {

using rt::term::Console;
using rt::term::ScriptedTerminal;
using rt::term::ctrlKey;
namespace key = rt::term::key;
using namespace rt::text::literals;

struct ReadTest : ::testing::Test {
  ScriptedTerminal term;
  Console console{term};
  rt::term::ColourSet colours = rt::term::parseColourList("W+/B,N/W,,,W/B");
};

TEST_F(ReadTest, MoneyAndCpfFieldsStoreWhatWasTyped) {
  Decimal valor = 0;
  std::string cpf(11, ' ');
  Read form(console, colours);
  console.screen().put(5, 2, "Valor:", colours.standard());
  form.get(5, 10, var("VALOR", valor), "@E 999,999.99");
  form.get(6, 10, var("CPF", cpf), "@R 999.999.999-99");
  term.type("1234,5").press(key::Enter).type("12345678909");  // the CPF's last digit leaves it
  ReadResult r = form.run();
  console.refresh();
  EXPECT_EQ(valor, 1234.5_d);
  EXPECT_EQ(cpf, "12345678909");
  EXPECT_TRUE(r.updated);
  EXPECT_FALSE(r.escaped);
  EXPECT_EQ(term.row(5).substr(10, 10), "  1.234,50");
  EXPECT_EQ(term.row(6).substr(10, 14), "123.456.789-09");
  EXPECT_EQ(term.attrAt(5, 10), colours.unselected());
}

TEST_F(ReadTest, NumberTypedWholeAndEditedInPlace) {
  Decimal n = 77.25_d;
  Read form(console, colours);
  form.get(1, 1, var("N", n), "999.99");
  term.type("5").press(key::Enter);
  form.run();
  EXPECT_EQ(n, 5);  // the first digit cleared the old value
  n = 77.25_d;
  term.press(key::Right).press(key::Right).type("8").press(key::Enter);
  form.run();
  EXPECT_EQ(n, 78.25_d);  // moving first keeps the value and types over it
}

TEST_F(ReadTest, FailingValidKeepsTheCursorInTheField) {
  Decimal a = 0, b = 0;
  int checks = 0;
  Read form(console, colours);
  form.get(2, 5, var("A", a), "999").valid([&] {
    ++checks;
    return a > 10;
  });
  form.get(3, 5, var("B", b), "999");
  term.type("5").press(key::Enter);  // refused: back at the start of A
  term.type("50").press(key::Enter).type("7").press(key::Enter);
  ReadResult r = form.run();
  console.refresh();
  EXPECT_EQ(checks, 2);
  EXPECT_EQ(a, 50);
  EXPECT_EQ(b, 7);
  EXPECT_EQ(r.lastGet, 1);
  EXPECT_EQ(r.lastKey.code, key::Enter);
}

TEST_F(ReadTest, ValidRefusalIsVisibleBeforeTheNextKey) {
  Decimal a = 0;
  Read form(console, colours);
  form.get(2, 5, var("A", a), "999").valid([&] { return a > 10; });
  // After the refused Enter the hot key looks where the cursor is.
  int seenRow = -1, seenCol = -1;
  std::string seenName;
  console.setKey(key::F2, [&] {
    seenRow = console.screen().cursorRow();
    seenCol = console.screen().cursorCol();
    seenName = console.activeInput()->name();
  });
  term.type("5").press(key::Enter).press(key::F2).press(key::Esc);
  ReadResult r = form.run();
  console.refresh();
  EXPECT_EQ(seenName, "M->A");
  EXPECT_EQ(seenRow, 2);
  EXPECT_EQ(seenCol, 5);
  EXPECT_TRUE(r.escaped);
  EXPECT_EQ(a, 5);  // written before the VALID ran, as the old runtime did
}

TEST_F(ReadTest, HotKeyChangesTheActiveField) {
  std::string nome(10, ' ');
  Decimal v = 0;
  Read form(console, colours);
  form.get(4, 1, var("NOME", nome));
  form.get(5, 1, var("VALOR", v), "@E 9,999.99");
  std::string seen;
  console.setKey(key::F1, [&] {
    auto* in = console.activeInput();
    ASSERT_NE(in, nullptr);
    seen = in->name() + "=" + in->text();
    EXPECT_TRUE(in->setText("42,50"));
    in->requestRedisplay();
  });
  term.type("ANA").press(key::Enter).press(key::F1).press(key::Enter);
  ReadResult r = form.run();
  console.refresh();
  EXPECT_EQ(seen, "M->VALOR=    0,00");
  EXPECT_EQ(v, 42.5_d);
  EXPECT_EQ(nome, "ANA       ");
  EXPECT_TRUE(r.updated);
  EXPECT_EQ(term.row(5).substr(1, 8), "   42,50");
  EXPECT_EQ(console.activeInput(), nullptr);
}

TEST_F(ReadTest, HotKeySeesWhatWasTypedAndTableFieldsKeepTheirBareName) {
  struct Table : FieldAccessor {
    std::string cod = "   ";
    Value fieldGet(std::string_view) const override { return cod; }
    void fieldPut(std::string_view, const Value& v) override { cod = std::get<std::string>(v); }
  } table;
  std::string seen;
  console.setKey(key::F1, [&] { seen = console.activeInput()->name() + ":" + table.cod; });
  Read form(console, colours);
  form.get(1, 1, field(table, "i7_5"), "@!");
  term.type("ab").press(key::F1).press(key::Enter);
  form.run();
  EXPECT_EQ(seen, "I7_5:AB ");
  EXPECT_EQ(table.cod, "AB ");
}

TEST_F(ReadTest, EscapeDoesNotWriteTheFieldBeingEdited) {
  std::string a = "xx", b = "yy";
  Read form(console, colours);
  form.get(1, 1, var("A", a));
  form.get(2, 1, var("B", b));
  term.type("AA").type("B").press(key::Esc);
  ReadResult r = form.run();
  console.refresh();
  EXPECT_EQ(a, "AA");  // typing past the end left the first field
  EXPECT_EQ(b, "yy");
  EXPECT_TRUE(r.escaped);
  EXPECT_EQ(r.lastKey.code, key::Esc);
}

TEST_F(ReadTest, ArrowsEndTheReadOnlyWithReadExit) {
  std::string a = "a", b = "b";
  Read form(console, colours);
  form.get(1, 1, var("A", a));
  form.get(2, 1, var("B", b));
  term.press(key::Up).press(key::Down).press(key::Down).press(key::PgDn);
  ReadResult r = form.run();
  console.refresh();
  EXPECT_EQ(r.lastKey.code, key::PgDn);
  EXPECT_EQ(r.lastGet, 1);
  console.setReadExit(true);
  term.press(key::Up);
  r = form.run();
  EXPECT_EQ(r.lastKey.code, key::Up);
  EXPECT_EQ(r.lastGet, 0);
}

TEST_F(ReadTest, WhenSkipsAFieldAndConfirmKeepsAFullOne) {
  std::string a = "a", b = "b", c = "c";
  Read form(console, colours);
  form.get(1, 1, var("A", a));
  form.get(2, 1, var("B", b)).when([] { return false; });
  form.get(3, 1, var("C", c));
  console.setConfirm(true);
  console.setBell(true);
  term.type("X").type("Y").press(key::Enter).type("Z").press(key::Enter);
  form.run();
  EXPECT_EQ(a, "Y");  // with CONFIRM the full field stayed and took the second letter
  EXPECT_EQ(b, "b");
  EXPECT_EQ(c, "Z");
  EXPECT_GE(term.beeps(), 1);
}

TEST_F(ReadTest, InsertModeShiftsAndTogglesTheCursor) {
  std::string s = "ACD  ";
  Read form(console, colours);
  form.get(1, 1, var("S", s));
  term.press(key::Right).press(key::Ins).type("B");
  rt::term::CursorShape shape{};
  console.setKey(key::F9, [&] { shape = console.screen().cursorShape(); });
  term.press(key::F9).press(key::Enter);
  form.run();
  EXPECT_EQ(s, "ABCD ");
  EXPECT_EQ(shape, rt::term::CursorShape::Insert);
  EXPECT_TRUE(console.insertMode());
}

TEST_F(ReadTest, DatesAndLogicals) {
  Date d;
  bool ok = false;
  Read form(console, colours);
  form.get(1, 1, var("D", d));
  form.get(2, 1, var("OK", ok), "Y");
  term.type("31022009");  // no such day: the field keeps the cursor at its start
  term.type("28022009").type("y");
  ReadResult r = form.run();
  console.refresh();
  EXPECT_EQ(d, Date::fromYmd(2009, 2, 28));
  EXPECT_TRUE(ok);
  EXPECT_EQ(r.lastGet, 1);
  EXPECT_EQ(term.row(1).substr(1, 10), "28/02/2009");
  EXPECT_EQ(term.row(2).substr(1, 1), "Y");
}

TEST_F(ReadTest, RefusalsAreToldWhereTheReadSaysThemAndTheFieldIsKept) {
  Decimal valor = 0;
  Date d;
  std::string nome = "abc", depois = "z";
  std::vector<std::pair<std::string, Refusal>> ditas;
  Read form(console, colours);
  form.onRefusal([&](const Get& g, Refusal r) { ditas.emplace_back(g.name(), r); });
  form.get(1, 1, var("VALOR", valor), "@E 999,999.99");
  form.get(2, 1, var("D", d));
  form.get(3, 1, var("NOME", nome));
  form.get(4, 1, var("DEPOIS", depois));
  term.type("1x2").press(key::Enter);             // the letter is refused, the digits stay
  term.type("31022009").type("01032009");         // no such day, then a real one
  term.type("XYZW").press(key::Enter);            // full at Z: the W is refused, not moved on
  term.type("q").press(key::Enter);
  form.run();
  EXPECT_EQ(valor, 12);
  EXPECT_EQ(d, Date::fromYmd(2009, 3, 1));
  EXPECT_EQ(nome, "XYZ");
  EXPECT_EQ(depois, "q");
  EXPECT_EQ(ditas, (std::vector<std::pair<std::string, Refusal>>{
                       {"M->VALOR", Refusal::NotAccepted}, {"M->D", Refusal::BadDate}, {"M->NOME", Refusal::TooLong}}));
}

}  // namespace
}  // namespace rt::ui

namespace rt::ui {
namespace {

struct GetPictureTest : ReadTest {};

TEST_F(GetPictureTest, ScrollingFieldShowsTheTailWhileTyping) {
  std::string s(30, ' ');
  Read form(console, colours);
  form.get(3, 10, var("S", s), "@KS10");
  std::string seen;
  console.setKey(key::F2, [&] { seen = term.row(3).substr(10, 12); });
  term.type("abcdefghijkl").press(key::F2).press(key::Enter);
  form.run();
  console.refresh();
  EXPECT_EQ(seen, "defghijkl   ");  // scrolled: the cursor, after "l", is in the last column
  EXPECT_EQ(s, "abcdefghijkl" + std::string(18, ' '));
  EXPECT_EQ(term.row(3).substr(10, 12), "abcdefghij  ");  // left: the head of the value again
}

TEST_F(GetPictureTest, ClearOnFirstKeyUpperCaseAndUndo) {
  std::string name = "Maria     ";
  Read form(console, colours);
  form.get(1, 1, var("N", name), "@K!");
  term.type("jo").press(key::Enter);
  form.run();
  EXPECT_EQ(name, "JO        ");  // @K cleared the old text, @! raised the letters
  term.press(key::End).type("SE").press(21).press(key::Right).type("x").press(25).press(key::Enter);
  form.run();
  EXPECT_EQ(name, "JX        ");  // Ctrl+U undid "SE"; Ctrl+Y blanked from the cursor on
}

TEST_F(GetPictureTest, NegativeAmountsAndUntouchedOverflowsKeepTheirValue) {
  Decimal a = 0, big = Decimal::fromInt(1234567);
  Decimal exact = Decimal::fromRaw(100'500'000);  // 1.005: shown rounded, kept exact if not edited
  Read form(console, colours);
  form.get(1, 1, var("A", a), "@E 999,999.99");
  form.get(2, 1, var("B", big), "@E 999,999.99");
  form.get(3, 1, var("C", exact), "999.99");
  term.type("-5").press(key::Enter).press(key::Enter).press(key::Enter);
  ReadResult r = form.run();
  console.refresh();
  EXPECT_EQ(a, -5);
  EXPECT_EQ(big, Decimal::fromInt(1234567));
  EXPECT_EQ(exact, Decimal::fromRaw(100'500'000));
  EXPECT_EQ(term.row(1).substr(1, 10), "     -5,00");
  EXPECT_EQ(term.row(2).substr(1, 10), "***.***,**");
  EXPECT_TRUE(r.updated);
  // A new amount typed over a negative one: the old sign, shown where the picture has a
  // separator, goes with the old digits.
  a = Decimal::fromInt(-150);
  Read over(console, colours);
  over.get(1, 1, var("A", a), "@Ez 9999,999.99");
  term.type("5000").press(key::Enter);
  over.run();
  EXPECT_EQ(a, 5000);
}

// A number typed from the start of its field grows right-aligned with its separators and sign,
// as the clerk reads amounts; Backspace takes back the last digit, "," goes on to the cents, a
// field with no decimals is typed out when its places are full. Every prefilled number, a
// month's "1" as much as an amount, is replaced by what is typed, never appended to.
TEST_F(GetPictureTest, AnAmountGrowsRightAlignedAsItIsTypedAndReplacesTheOldOne) {
  Decimal valor = 0, negativo = 0, mes = 1, seguinte = 0;
  Read form(console, colours);
  form.get(1, 1, var("VALOR", valor), "@Ez 999,999.99");
  form.get(2, 1, var("NEGATIVO", negativo), "@E 9,999.99");
  form.get(3, 1, var("MES", mes), "@z 99");
  form.get(4, 1, var("SEGUINTE", seguinte), "@z 99");
  std::vector<std::string> vistos;
  console.setKey(key::F2, [&] {
    console.refresh();
    vistos.push_back(term.row(1).substr(1, 10) + "|" + term.row(2).substr(1, 8) + "|" + term.row(3).substr(1, 2));
  });
  term.type("2").press(key::F2).type("500").press(key::F2).press(key::Backspace).press(key::F2);
  term.type("0,5").press(key::F2).press(key::Enter);
  term.type("-500").press(key::F2).press(key::Enter);
  term.type("6").press(key::F2).press(key::Enter);
  term.type("12");  // both places full: the field, the last, is left by itself
  const ReadResult r = form.run();
  EXPECT_EQ(vistos, (std::vector<std::string>{"      2,00|    0,00| 1", "  2.500,00|    0,00| 1", "    250,00|    0,00| 1",
                                              "  2.500,50|    0,00| 1", "  2.500,50| -500,00| 1",
                                              "  2.500,50| -500,00| 6"}));
  EXPECT_EQ(valor, Decimal::fromRaw(250'050'000'000));
  EXPECT_EQ(negativo, -500);
  EXPECT_EQ(mes, 6);
  EXPECT_EQ(seguinte, 12);
  EXPECT_FALSE(r.escaped);
}

TEST_F(GetPictureTest, CtrlHomeGoesToTheFirstFieldAndWriteKeepsEverything) {
  std::string a = "a", b = "b", c = "c";
  Read form(console, colours);
  form.get(1, 1, var("A", a));
  form.get(2, 1, var("B", b));
  form.get(3, 1, var("C", c));
  std::vector<std::string> names;
  console.setKey(key::F3, [&] { names.push_back(console.activeInput()->name()); });
  term.press(key::Down).press(key::Down).press(key::F3).press(key::CtrlHome).press(key::F3);
  term.type("Z").press(key::F3).press(ctrlKey('w'));
  ReadResult r = form.run(1);
  EXPECT_EQ(names, (std::vector<std::string>{"M->C", "M->A", "M->B"}));
  EXPECT_EQ(a, "Z");
  EXPECT_EQ(r.lastKey.code, key::CtrlEnd);
  EXPECT_FALSE(r.escaped);
}

// Ctrl+T deletes the word right of the cursor and the blanks after it. A picture's literals
// are not words: a CPF, CNPJ or date field, blank or with the rest of its places emptied,
// must not keep the field deleting for ever, and the keys after Ctrl+T are read.
TEST_F(GetPictureTest, CtrlTDeletesAWordAndStopsAtThePicturesLiterals) {
  const int ctrlT = 20;
  struct Caso {
    const char* picture;
    std::string antes;
    int direitas;          // Right presses before Ctrl+T
    const char* digitado;  // typed after it
    std::string depois;
  };
  const Caso casos[] = {
      {"@R 999.999.999-99", std::string(11, ' '), 0, "11144477735", "11144477735"},
      {"@R 999.999.999-99", "12345678909", 0, "111", "111        "},
      {"@R 999.999.999-99", "12345678909", 3, "", "123        "},
      {"@R 99.999.999/9999-99", std::string(14, ' '), 0, "11222333000181", "11222333000181"},
      {"@R 99.999.999/9999-99", "11222333000181", 5, "", "11222         "},
      {"@!", "JOAO  SILVA   ", 0, "", "SILVA         "},
      {"@!", "AB  CD", 2, "", "ABCD  "},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.picture) + " [" + c.antes + "]");
    const auto edita = [&] {
      std::string v = c.antes;
      Read form(console, colours);
      form.get(1, 1, var("V", v), c.picture);
      for (int i = 0; i < c.direitas; ++i) term.press(key::Right);
      term.press(ctrlT).type(c.digitado).press(key::Enter);
      form.run();
      EXPECT_EQ(v, c.depois);
      EXPECT_FALSE(term.exhausted());
    };
    EXPECT_TRUE(support::terminaEmTempo(edita, 5));
  }
  // Dates: the slashes stay; a date emptied by Ctrl+T is an empty date.
  const auto datas = [&] {
    Date d = Date::fromYmd(2009, 12, 25), vazia;
    Read form(console, colours);
    form.get(1, 1, var("D", d));
    form.get(2, 1, var("E", vazia));
    term.press(ctrlT).press(key::Enter);
    term.press(ctrlT).type("01012010");
    form.run();
    EXPECT_TRUE(d.isEmpty());
    EXPECT_EQ(vazia, Date::fromYmd(2010, 1, 1));
    EXPECT_FALSE(term.exhausted());
  };
  EXPECT_TRUE(support::terminaEmTempo(datas, 5));
}

}  // namespace
}  // namespace rt::ui
