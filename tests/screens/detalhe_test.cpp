#include "screens/detalhe.h"

#include <gtest/gtest.h>

#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "store/abertura.h"
#include "store_fixture.h"

namespace screens {
namespace {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;

class DetalheTest : public ::testing::Test, protected store::teste::StoreFixture {
 protected:
  rt::db::Table& registro() {
    EXPECT_TRUE(store::ABERTURA(ctx, store::Area::IMP0910));
    return *area(store::Area::IMP0910);
  }
};

TEST_F(DetalheTest, ShowsTheRegisterRowWithItsPicturesUntilAKey) {
  rt::db::Table& t = registro();
  ASSERT_TRUE(t.appendBlank().isOk());
  (void)t.put("CPF", std::string("11144477735"));
  (void)t.put("NOMECONTR", std::string("MARIA DA SILVA"));
  (void)t.put("NASCIMENTO", Date::fromYmd(1960, 3, 15));
  (void)t.put("TITULO", std::string("1234567890123"));
  (void)t.put("CPFCONJU", std::string("52998224725"));
  (void)t.put("NRORECIBO", std::string("123456789012"));
  (void)t.put("BANCO", std::string("341"));
  (void)t.put("AGENCIA", std::string("12345X"));
  (void)t.put("CEP", std::string("01310100"));
  (void)t.put("DDDTEL", std::string("0011"));
  (void)t.put("TELEFO", std::string("32345678"));
  (void)t.put("TEMRURAL", std::string("S"));
  (void)t.put("EMAIL", std::string("maria@exemplo.com.br"));
  (void)t.put("CODACESSO", Decimal(98765432));
  const std::string antes = linha(10);

  term.press(rt::term::key::Enter);
  ASSERT_TRUE(MOS_DETAL(ctx));
  EXPECT_TRUE(term.contains("111.444.777-35"));
  EXPECT_TRUE(term.contains("MARIA DA SILVA"));
  EXPECT_TRUE(term.contains("15/03/1960"));
  EXPECT_TRUE(term.contains("12345678901-23"));
  EXPECT_TRUE(term.contains("529.982.247-25"));
  EXPECT_TRUE(term.contains("123456789012"));
  EXPECT_TRUE(term.contains("12345-X"));
  EXPECT_TRUE(term.contains("01310-100"));
  EXPECT_TRUE(term.contains("3234-5678"));
  EXPECT_TRUE(term.contains("maria@exemplo.com.br"));
  EXPECT_TRUE(term.contains("Codigo 98765432"));
  // 49 years and 9 months at the end of 2009.
  EXPECT_TRUE(term.contains("Idade 49anos 9 meses"));
  EXPECT_TRUE(term.contains("Correio Eletrônico (Email)"_cp));
  // The key was taken and window 4 closed: the screen under it is back.
  EXPECT_FALSE(term.exhausted());
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_EQ(linha(10), antes);
}

TEST_F(DetalheTest, NoAgeForABirthAfterTheBaseYearAndNothingWithoutARow) {
  rt::db::Table& t = registro();
  EXPECT_FALSE(MOS_DETAL(ctx));  // empty register: nothing is shown, no key is waited for
  ASSERT_TRUE(t.appendBlank().isOk());
  (void)t.put("NASCIMENTO", Date::fromYmd(2010, 1, 5));
  term.press(rt::term::key::Esc);
  ASSERT_TRUE(MOS_DETAL(ctx));
  EXPECT_TRUE(term.contains("Idade   anos   meses"));
  EXPECT_TRUE(term.contains("05/01/2010"));
  EXPECT_FALSE(term.contains("Codigo        0"));
}

}  // namespace
}  // namespace screens
