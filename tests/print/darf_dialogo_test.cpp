// The DARF dialog driven by keys through a one-taxpayer print job onto the DARF form in
// RELATOR.TXT: quota 9 refused in both quota fields, a late payment date and a typed first
// business day on quota 1, which prints with the fine of the typed day while quota 2 of the run
// is computed, then "Outro tipo de DARF?" leads to the due dates, whose eighth is stored in
// DEFINE and kept for the run; the captured output handed over once; a dependant's carne-leao.
#include "print/darf_dialogo.h"

#include <gtest/gtest.h>

#include "declaracao_fixture.h"
#include "paginas.h"
#include "print/darf.h"
#include "print_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/cria.h"

namespace print_test {

using rt::text::Date;
using namespace rt::text::literals;
namespace key = rt::term::key;

namespace {

// The values of the slips printed on the DARF form: 24 rows apart from row 0.
struct SlipLido {
  std::string cpf, codigo, vencimento, principal, multa, juros, total, texto5;
};
std::vector<SlipLido> formularios(const std::string& saida) {
  std::vector<std::string> ls;
  for (const Pagina& p : paginas(saida)) ls.insert(ls.end(), p.begin(), p.end());
  const auto campo = [&ls](std::size_t linha, std::size_t col, std::size_t n) {
    if (linha >= ls.size() || col >= ls[linha].size()) return std::string();
    return std::string(rt::text::alltrim(ls[linha].substr(col, n)));
  };
  std::vector<SlipLido> v;
  for (std::size_t r = 0; r + 16 < ls.size() && !campo(r + 4, 66, 4).empty(); r += 24)
    v.push_back({campo(r + 2, 61, 14), campo(r + 4, 66, 4), campo(r + 8, 65, 10), campo(r + 10, 63, 17),
                 campo(r + 12, 63, 17), campo(r + 14, 63, 17), campo(r + 16, 63, 17), campo(r + 12, 1, 35)});
  return v;
}

}  // namespace

class DarfDialogoTest : public PrintFixture {
 protected:
  DarfDialogoTest() {
    store::teste::preencheDeclaracoes(ctx, {kA}, 1);
    imp.conf.NROLPT = 0;
    EXPECT_TRUE(store::CRIA(ctx, store::Area::DEFINE, ctx.ARQDEF + "DEFINE"));
    EXPECT_TRUE(store::CRIA(ctx, store::Area::UFIRM, ctx.ARQDEF + "UFIRM"));
    EXPECT_TRUE(store::ABERTURA(ctx, store::Area::IMP0110));
    rt::db::Table& t = *ctx.areas.table(store::Area::IMP0110);
    t.goTop();
    EXPECT_TRUE(t.status());
    EXPECT_TRUE(t.lockRecord());
    EXPECT_TRUE(t.put("I13_29", rt::text::Value(rt::text::Decimal(2))));
    EXPECT_TRUE(t.put("I13_30", rt::text::Value(500.25_d)));
    EXPECT_TRUE(t.flush());
    (void)t.unlock();
    (void)ctx.areas.closeAll();
    for (int q = 0; q < 8; ++q) datas[static_cast<std::size_t>(q)] = gains::ULTIMO_DIA(q + 3, 2010);
  }
  void imprime() {
    print::Escolhas esc;
    esc.QUEIMP = 5;
    esc.QUEMOD = 2;
    esc.QUECON = 1;
    print::ServicosImpressao srv;
    srv.PEDE_CPF = [this](store::Contexto&, const std::function<bool(const std::string&)>& imprime) { imprime(kA); };
    srv.DARF = print::servicoDarf([esc] { return esc; }, print::dialogoDarf(datas));
    print::SELECIONA(ctx, imp, esc, srv, semAmbiente);
  }
  const std::string kA = "11111111111";
  std::array<Date, 8> datas;
};

TEST_F(DarfDialogoTest, ConfirmedSlipPrintsAsTypedRunIsComputedAndDueDatesAreStored) {
  term.pause();                             // the print copies are made
  term.press(key::Enter);                   // code 0211
  term.press(key::Down).press(key::Enter);  // "Várias"
  term.type("9").pause().press(key::Enter);  // quota 9 refused: "Essa quota não existe !!"
  term.type("1");
  term.type("9").pause().press(key::Enter);  // the last quota 9 refused too
  term.type("2");
  term.press('S');            // Selic and total on slips not yet due
  term.press(key::Enter);     // due date 30/04/2010 kept
  term.type("14052010");      // paid late, on a Friday
  term.type("05052010");      // the first business day typed (03/05 would give 11 days)
  term.press('S');            // "Confirma a alteração ?"
  term.pause().pause();       // the watch for Esc after each of the two slips
  term.press('S');            // "Outro tipo de DARF?"
  term.press(key::End).press(key::Enter);  // "Alterar datas"
  for (int i = 0; i < 7; ++i) term.press(key::Enter);
  term.type("30122010");
  term.press(key::Enter);  // "Impressão abandonada."
  imprime();

  const std::vector<SlipLido> s = formularios(le(trabalhoLinux() + "RELATOR.TXT"));
  ASSERT_EQ(s.size(), 2u);
  // Quota 1 as confirmed: 9 days from the typed 05/05 give 2.97%, 14.85 (recomputed from
  // 03/05 it would be 3.63%, 18.15); interest 1%.
  EXPECT_EQ(s[0].cpf, "111.111.111-11");
  EXPECT_EQ(s[0].codigo, "0211");
  EXPECT_EQ(s[0].vencimento, "30/04/2010");
  EXPECT_EQ(s[0].principal, "500,25");
  EXPECT_EQ(s[0].multa, "14,85");
  EXPECT_EQ(s[0].juros, "5,00");
  EXPECT_EQ(s[0].total, "520,10");
  EXPECT_EQ(s[0].texto5, "Pagto. da quota 1 de 2 do IRPF/2010");
  // Quota 2 computed for the same payment date: not due yet, no fine, the quota interest.
  EXPECT_EQ(s[1].vencimento, "31/05/2010");
  EXPECT_EQ(s[1].multa, "");
  EXPECT_EQ(s[1].juros, "5,00");
  EXPECT_EQ(s[1].total, "505,25");
  EXPECT_EQ(s[1].texto5, "Pagto. da quota 2 de 2 do IRPF/2010");

  // The eighth due date: in the run and in DEFINE.
  EXPECT_EQ(datas[7], Date::fromYmd(2010, 12, 30));
  EXPECT_EQ(datas[0], Date::fromYmd(2010, 4, 30));
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::DEFINE));
  rt::db::Table& def = *ctx.areas.table(store::Area::DEFINE);
  def.goTop();
  ASSERT_TRUE(def.status());
  EXPECT_EQ(def.getDate("VCTO8"), Date::fromYmd(2010, 12, 30));
  EXPECT_EQ(def.getDate("VCTO1"), Date::fromYmd(2010, 4, 30));
  EXPECT_EQ(term.pending(), 0u);
}

}  // namespace print_test

namespace print_test {

// For the print program: one slip, "Outro tipo de DARF?" left with Esc. The captured slips
// are handed over once, at the end of the job.
TEST_F(DarfDialogoTest, CapturedSlipsHandedOverOnceWhenOtherKindIsLeftWithEsc) {
  imp.conf.NOMEIMP = "NAO DOS";
  imp.lp = print_test::gravador(registro, "lp", 0);
  term.pause();
  term.press(key::Enter).press(key::Enter);  // code 0211, "Só uma"
  term.type("1");                             // quota 1
  term.press(key::Enter).press(key::Enter);  // due and payment dates kept
  term.press('S');                            // "Confirma a alteração ?"
  term.pause();                               // the watch for Esc after the slip
  term.press(key::Esc);                       // "Outro tipo de DARF?"
  imprime();
  int chamadas = 0;
  for (const std::string& a : registro.arquivos()) chamadas += a.ends_with(".args");
  EXPECT_EQ(chamadas, 1);
  EXPECT_NE(chamada(0, "arq").find("Pagto. da quota 1 de 2 do IRPF/2010"), std::string::npos);
  EXPECT_EQ(term.pending(), 0u);
}

}  // namespace print_test

namespace print_test {

// The carne-leao of a dependant: the titular and a dependant have rows, so the dialog asks;
// a CPF without a row is said and leads back to the code menu; the dependant's March prints
// under the dependant's CPF and name.
TEST_F(DarfDialogoTest, DependantsCarneLeaoAskedByCpf) {
  const std::string kDep = "52998224725";
  {
    ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP1210, true));
    rt::db::Table& t = *ctx.areas.table(store::Area::IMP1210);
    t.goTop();
    ASSERT_TRUE(t.status());
    ASSERT_TRUE(t.put("CPFdepen", std::string(11, ' ')));
    ASSERT_TRUE(t.put("I2_603", rt::text::Value(100_d)));
    ASSERT_TRUE(t.appendBlank());
    ASSERT_TRUE(t.put("CPF", kA));
    ASSERT_TRUE(t.put("CPFdepen", kDep));
    ASSERT_TRUE(t.put("I2_103", rt::text::Value(2000_d)));
    ASSERT_TRUE(t.put("I2_603", rt::text::Value(300_d)));
    ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP0310, true));
    rt::db::Table& d = *ctx.areas.table(store::Area::IMP0310);
    d.goTop();
    ASSERT_TRUE(d.status());
    ASSERT_TRUE(d.put("CPFDEPEN", kDep));
    ASSERT_TRUE(d.put("NOMEDEPEN", std::string("FILHO DA SILVA")));
    (void)ctx.areas.closeAll();
  }
  term.pause();
  term.press(key::Down).press(key::Enter).press(key::Enter);  // 0190, "Só uma"
  term.press('N');                                             // a dependant's
  term.type("11144477735");                                    // no carne-leao row
  term.press(key::Enter);                                      // "Esse dependente não tem rendimentos!"
  term.press(key::Enter).press(key::Enter).press('N');         // 0190 again, "Só uma", a dependant's
  term.type(kDep);
  term.type("3").press(key::Enter);                           // March
  term.press(key::Enter).press(key::Enter).press(key::Enter);  // the dates kept
  term.press('S');                                             // "Confirma a alteração ?"
  term.pause().press(key::Esc);                                // "Outro tipo de DARF?"
  imprime();
  const std::vector<SlipLido> s = formularios(le(trabalhoLinux() + "RELATOR.TXT"));
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].cpf, "529.982.247-25");
  EXPECT_EQ(s[0].codigo, "0190");
  EXPECT_EQ(s[0].principal, "300,00");
  EXPECT_EQ(s[0].texto5, "Carne Leao do mes de Marco    /2009");
  EXPECT_EQ(term.pending(), 0u);
}

}  // namespace print_test
