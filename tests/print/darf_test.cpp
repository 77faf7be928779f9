// The DARF slip layouts, compared with their expected pages: two drawn slips fill a page (the
// second a later quota not yet due, without interest), and the form's values with a total
// below 10.00 marked not to be paid.
#include "print/darf.h"

#include <gtest/gtest.h>

#include "declaracao_impressa.h"

namespace print_test {

using rt::text::Date;
using namespace rt::text::literals;

class DarfTest : public FolhasFixture {
 protected:
  DarfTest() { imp.dispositivo.route(rt::dev::stringTarget(saida)); }
  static print::SlipDarf quota(int n, rt::text::Decimal juro) {
    print::SlipDarf s;
    s.QUEDARF = 1;
    s.PDARF3 = n;
    s.DF_CODIG = "0211";
    s.DF_PERIODO = Date::fromYmd(2009, 12, 31);
    s.DF_VCTO = n == 1 ? Date::fromYmd(2010, 4, 30) : Date::fromYmd(2010, 5, 31);
    s.DF_PGTO = Date::fromYmd(2010, 5, 14);
    s.CPF = "12345678909";
    s.NOME = "MARIA DA SILVA";
    s.TELEFO = "32145678";
    s.DF_OUTR[2] = "Imposto devido..... R$    1.234,57";
    s.DF_OUTR[4] = "Pagto. da quota " + std::to_string(n) + " de 3 do IRPF/2010";
    s.CDARFUTU = "N";
    const gains::Atraso a = gains::atraso(s.DF_VCTO, Date::fromYmd(2010, 5, 3), s.DF_PGTO);
    s.valores = gains::CALCJU(1234.57_d, n == 1 ? gains::DF_MULTA(a) : 0_d, juro);
    return s;
  }
  std::string saida;
};

TEST_F(DarfTest, TwoDrawnSlipsFillAPage) {
  print::IMPRDARF(ctx, imp, 1, quota(1, 1_d));
  EXPECT_EQ(imp.QLIN, 28);
  print::IMPRDARF(ctx, imp, 1, quota(2, 1.75_d));
  EXPECT_EQ(imp.QLIN, 0);  // the page was broken after the second slip
  ASSERT_TRUE(imp.dispositivo.close().ok());
  confere(paginas(saida), "darf_folha");
}

TEST_F(DarfTest, FormValuesAndATotalBelowTen) {
  print::SlipDarf s = quota(1, 0_d);
  s.valores = gains::CALCJU(9.99_d, 0_d, 0_d);
  print::IMPRDARF(ctx, imp, 2, s);
  EXPECT_EQ(imp.QLIN, 24);
  s.valores = gains::CALCJU(10_d, 0_d, 0_d);
  print::IMPRDARF(ctx, imp, 2, s);
  s.valores = gains::CALCJU(0_d, 0_d, 0_d);  // nothing to pay: no slip
  print::IMPRDARF(ctx, imp, 2, s);
  EXPECT_EQ(imp.QLIN, 48);
  ASSERT_TRUE(imp.dispositivo.close().ok());
  confere(paginas(saida), "darf_formulario");
}

}  // namespace print_test
