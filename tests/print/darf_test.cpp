// The DARF slip layouts, compared with their expected pages: two drawn slips fill a page (the
// second a later quota not yet due, without interest), and the form's values with a total
// below 10.00 marked not to be paid.
#include "print/darf.h"

#include <gtest/gtest.h>

#include "declaracao_fixture.h"
#include "declaracao_impressa.h"
#include "print/trabalho.h"
#include "rt/text/strings.h"
#include "store/abertura.h"

namespace print_test {

using rt::text::Date;
using namespace rt::text::literals;

class DarfTest : public FolhasFixture {
 protected:
  DarfTest() { imp.dispositivo.route(rt::dev::stringTarget(saida)); }
  static gains::SlipDarf quota(int n, rt::text::Decimal juro) {
    gains::SlipDarf s;
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
  gains::SlipDarf s = quota(1, 0_d);
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

namespace print_test {

// Slips for the marked taxpayers through the print job, to the work folder's RELATOR.TXT: the
// output is routed once, so the first taxpayer's slips are still there after the second's; the
// slip confirmed in the dialog prints with its typed interest, the rest are computed.
class DarfJobTest : public PrintFixture {
 protected:
  DarfJobTest() {
    store::teste::preencheDeclaracoes(ctx, {kA, kB, kC}, 1);
    imp.conf.NROLPT = 0;
    EXPECT_TRUE(store::ABERTURA(ctx, store::Area::IMP0110));
    rt::db::Table& t = *ctx.areas.table(store::Area::IMP0110);
    for (t.goTop(); t.status() && !t.eof(); t.skip(1)) {
      EXPECT_TRUE(t.lockRecord());
      EXPECT_TRUE(t.put("I13_29", rt::text::Value(rt::text::Decimal(t.getText("CPF") == kC ? 1 : 2))));
      EXPECT_TRUE(t.put("I13_30", rt::text::Value(500.25_d)));
      EXPECT_TRUE(t.flush());
    }
    (void)t.unlock();
    (void)ctx.areas.closeAll();
  }
  const std::string kA = "11111111111", kB = "22222222222", kC = "33333333333";
};

// Quotas run 1 to 8: a ninth asked for (the quota field takes one digit) gives no slip, even
// for a taxpayer whose summary says more quotas.
TEST_F(DarfJobTest, ANinthQuotaGivesNoSlip) {
  EXPECT_TRUE(store::ABERTURA(ctx, store::Area::IMP0110));
  rt::db::Table& t = *ctx.areas.table(store::Area::IMP0110);
  for (t.goTop(); t.status() && !t.eof(); t.skip(1)) {
    EXPECT_TRUE(t.lockRecord());
    EXPECT_TRUE(t.put("I13_29", rt::text::Value(rt::text::Decimal(9))));
    EXPECT_TRUE(t.flush());
  }
  (void)t.unlock();
  (void)ctx.areas.closeAll();
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP0910));
  ASSERT_TRUE(print::INIVAR(ctx, kA, 1, 1));
  rt::db::Table& reg = *ctx.areas.table(store::Area::IMP0910);
  reg.goTop();
  ASSERT_TRUE(reg.status());
  gains::OpcoesDarf o;
  o.QUE_QUOTA = 8;
  o.ULT_QUOTA = 9;
  o.DF_PGTO = Date::fromYmd(2010, 4, 30);
  for (int q = 0; q < 8; ++q) o.DAT_VENC[static_cast<std::size_t>(q)] = gains::ULTIMO_DIA(q + 3, 2010);
  EXPECT_EQ(o.QTD_DARF(), 2);
  const auto oitava = gains::BUS_IMPO(ctx, o, 8);
  ASSERT_TRUE(oitava.has_value());
  EXPECT_EQ(oitava->DF_VCTO, gains::ULTIMO_DIA(10, 2010));
  EXPECT_FALSE(gains::BUS_IMPO(ctx, o, 9).has_value());
}

TEST_F(DarfJobTest, MarkedTaxpayersGetTheirSlipsInOneFile) {
  print::Escolhas esc;
  esc.QUEIMP = 5;
  esc.QUEMOD = 2;
  esc.QUECON = 2;
  print::ServicosImpressao srv;
  int dialogos = 0, tela = 0;
  srv.MARCA = [&](store::Contexto& c, int t) {
    tela = t;
    rt::db::Table& reg = *c.areas.table(store::Area::IMP0910);
    for (reg.goTop(); reg.status() && !reg.eof(); reg.skip(1)) {
      ASSERT_TRUE(reg.lockRecord());
      ASSERT_TRUE(reg.put("IMPRE", std::string(reg.getText("CPF") == kB ? " " : "S")));
      ASSERT_TRUE(reg.flush());
    }
    (void)reg.unlock();
  };
  srv.DARF = print::servicoDarf([esc] { return esc; }, [&](store::Contexto&, const print::Escolhas&, bool) {
    ++dialogos;
    gains::OpcoesDarf o;
    o.QUEDARF = 1;
    o.QUE_QUOTA = 1;
    o.ULT_QUOTA = 2;
    o.DF_PGTO = Date::fromYmd(2010, 4, 30);
    for (int q = 0; q < 8; ++q) o.DAT_VENC[static_cast<std::size_t>(q)] = gains::ULTIMO_DIA(q + 3, 2010);
    gains::SlipDarf s;
    s.DF_CODIG = "0211";
    s.CPF = kA;
    s.NOME = "CONFIRMADO";
    s.DF_VCTO = o.DAT_VENC[0];
    s.DF_PGTO = o.DF_PGTO;
    s.valores = gains::CALCJU(500.25_d, 0_d, 2.5_d);  // a typed interest rate
    o.confirmada = s;
    return o;
  });
  print::SELECIONA(ctx, imp, esc, srv, semAmbiente);
  EXPECT_EQ(tela, 47);
  EXPECT_EQ(dialogos, 1);
  // The summaries read for the quotas leave table 01 closed: another terminal's load opens
  // it exclusively while this one is back at the menu.
  EXPECT_FALSE(ctx.areas.isOpen(store::Area::IMP0110));
  rt::db::OpenOptions exclusiva;
  exclusiva.exclusive = true;
  EXPECT_TRUE(rt::db::Table::open(dados / "IMP0110.DBF", exclusiva).isOk());
  const std::string saida = le(trabalhoLinux() + "RELATOR.TXT");
  std::string valores;
  for (const Pagina& p : paginas(saida))
    for (const std::string& l : p)
      if (l.find("0211") != std::string::npos || l.find("-") != std::string::npos ||
          l.find(",") != std::string::npos || l.find("CONFIRMADO") != std::string::npos)
        valores += std::string(rt::text::alltrim(l)) + "\n";
  // A: the confirmed slip (12.50 of the typed 2.5% on 500.25), then quota 2 with the quota
  // interest of 1% though not yet due; C has one quota only.
  const std::string tel = "-" + std::string(59, ' ');
  EXPECT_EQ(valores, "111.111.111-11\n0211\nCONFIRMADO\n" + tel + "30/04/2010\n500,25\n12,50\n512,75\n"
                     "111.111.111-11\n0211\n" + tel + "31/05/2010\n500,25\n5,00\n505,25\n"
                     "333.333.333-33\n0211\n" + tel + "30/04/2010\n500,25\n500,25\n");
}

}  // namespace print_test
