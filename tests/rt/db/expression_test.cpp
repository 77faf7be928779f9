#include <gtest/gtest.h>

#include "rt/db/expression.h"
#include "rt/text/strings.h"

using namespace rt::db;
using rt::Error;
using rt::text::Date;
using rt::text::Decimal;
using namespace rt::text::literals;

namespace {

class Expressions : public ::testing::Test {
 protected:
  void SetUp() override {
    fields_ = {{"CPF", 'C', 11}, {"I7_0", 'N', 4}, {"DT_LC", 'D', 8}, {"NOME", 'C', 10},
               {"TIPO_BEM", 'N', 1}, {"I1_1", 'C', 1}, {"SO_REC", 'L', 1}, {"VALOR", 'N', 12, 2}};
    ASSERT_TRUE(normaliseFields(fields_).isOk());
    record_ = std::string(1 + 11 + 4 + 8 + 10 + 1 + 1 + 1 + 12, ' ');
    set("CPF", "12345678901");
    set("I7_0", "  30");
    set("DT_LC", "20090315");
    set("NOME", "jose Silva");
    set("TIPO_BEM", "3");
    set("I1_1", "J");
    set("SO_REC", "T");
    set("VALOR", "    -1234.50");
  }
  void set(const std::string& name, const std::string& raw) {
    for (auto& f : fields_)
      if (f.name == name) record_.replace(static_cast<std::size_t>(f.offset), raw.size(), raw);
  }
  Value eval(const std::string& text) {
    auto e = Expression::compile(text, fields_);
    EXPECT_TRUE(e.isOk()) << text << ": " << e.status().message();
    return e ? e->evaluate(record_) : Value();
  }
  std::string text(const std::string& e) { return std::get<std::string>(eval(e)); }
  bool test(const std::string& e) { return std::get<bool>(eval(e)); }

  std::vector<FieldDef> fields_;
  std::string record_;
};

TEST_F(Expressions, BuildsTheCatalogueKeys) {
  EXPECT_EQ(text("CPF+str(I7_0,4)"), "12345678901  30");
  EXPECT_EQ(text("CPF+STRZERO(I7_0,4)"), "123456789010030");
  EXPECT_EQ(text("CPF+DTOS(DT_LC)"), "1234567890120090315");
  EXPECT_EQ(text("upper(NOME)"), "JOSE SILVA");
  EXPECT_EQ(text("SUBSTR(NOME,6,3)"), "Sil");
  EXPECT_EQ(text("LEFT(CPF,3)+ALLTRIM('  x  ')"), "123x");
  EXPECT_EQ(text("STR(VALOR,12,2)"), "    -1234.50");
  EXPECT_EQ(text("STR(I7_0)"), "  30");       // a field's own width
  EXPECT_EQ(text("str(VALOR)"), "    -1234.50");
  EXPECT_EQ(text("STR(I7_0+1)"), "        31");  // an expression: 10
  EXPECT_EQ(text("DTOS(DT_LC)+upper(NOME)"), "20090315JOSE SILVA");
  EXPECT_EQ(text("DTOC(DT_LC)"), "15/03/2009");
  EXPECT_EQ(std::get<Decimal>(eval("VALOR*2+1")), -2468.00_d);
  EXPECT_EQ(std::get<Date>(eval("DT_LC+17")), Date::fromYmd(2009, 4, 1));
  auto e = Expression::compile("CPF", fields_);
  ASSERT_TRUE(e.isOk());
  EXPECT_EQ(e->singleField(), 0);
  EXPECT_EQ(e->type(), 'C');
}

TEST_F(Expressions, EvaluatesTheFilterConditions) {
  EXPECT_TRUE(test("I1_1=\"J\""));
  EXPECT_FALSE(test("I1_1=\"F\""));
  EXPECT_TRUE(test("TIPO_BEM<4"));
  EXPECT_FALSE(test("TIPO_BEM>=4"));
  EXPECT_TRUE(test("NOME = 'jose'"));    // text "=" compares the length of the right side
  EXPECT_FALSE(test("NOME == 'jose'"));  // "==" is exact
  EXPECT_TRUE(test("SO_REC .AND. !(I1_1 # 'J')"));
  EXPECT_TRUE(test(".NOT. SO_REC .OR. VALOR < 0"));
  EXPECT_TRUE(test("'Sil' $ NOME"));
  EXPECT_TRUE(test("EMPTY(STR(0)) = .F."));
  EXPECT_TRUE(test("alias->TIPO_BEM = 3"));
}

TEST_F(Expressions, RefusesWhatItDoesNotUnderstand) {
  for (const char* bad : {"", "CPF+", "NOPE", "STR(CPF)", "CPF+I7_0", "UPPER(CPF", "'abc", "CPF = 1", "FOO(1)",
                          "1 2", ".X.", "TIPO_BEM .AND. .T."}) {
    auto e = Expression::compile(bad, fields_);
    EXPECT_FALSE(e.isOk()) << bad;
    if (!e.isOk()) {
      EXPECT_EQ(e.code(), Error::kBadExpression) << bad;
    }
  }
}

}  // namespace
