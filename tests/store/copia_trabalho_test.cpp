// Loading a declaration into the working copies and the record mirror.
#include "store/copia_trabalho.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "console/molduras.h"
#include "declaracao_fixture.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/recuperacao.h"
#include "store/salva.h"
#include "store/tabelas_declaracao.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;

const std::string kA = "11111111111", kB = "22222222222", kC = "33333333333";

class CopiaTrabalhoTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "07";
    preencheDeclaracoes(ctx, {kA, kB, kC}, 3);
  }
  bool carrega(const std::string& cpf, int tipo = 1) {
    dec.espelho.CPF = cpf;
    return INIC_VAR(ctx, dec, 0, tipo).isOk();
  }
  Declaracao dec;
};

TEST_F(CopiaTrabalhoTest, ThePageShowsTheRegisterRowItStandsOnAndNothingOlder) {
  console::MTELA3(ctx, 3);
  auto pagina = [this] {
    std::string t;
    for (int r = 0; r < 25; ++r) t += linha(r) + "\n";
    return t;
  };
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  ASSERT_TRUE(area(store::Area::IMP0910)->seek(kB));
  // The mirror still holds an earlier taxpayer: the register's row is what is shown.
  dec.espelho.registro.txt("CPF", kA);
  dec.espelho.registro.txt("NOMECONTR", "NOME DE OUTRO");
  MOSTR_PAG(ctx, dec, 1);
  std::string t = pagina();
  EXPECT_NE(t.find("222.222.222-22"), std::string::npos) << t;
  EXPECT_NE(t.find(marca(9, kB, 0)), std::string::npos) << t;
  EXPECT_NE(t.find(ctx.LOCARQ), std::string::npos) << t;
  EXPECT_EQ(t.find("NOME DE OUTRO"), std::string::npos) << t;
  // Another terminal deletes the row; the folder becomes a shorter one.
  {
    auto r = abre(dados / "IMP0910.DBF");
    for (std::uint32_t k = 1; k <= r->recordCount(); ++k) {
      r->goTo(k);
      ASSERT_TRUE(r->status());
      if (r->getText("CPF") != kB) continue;
      ASSERT_TRUE(r->lockRecord());
      ASSERT_TRUE(r->markDeleted());
      ASSERT_TRUE(r->commit());
    }
  }
  const std::string longa = ctx.LOCARQ;
  ctx.LOCARQ = "/x/";
  MOSTR_PAG(ctx, dec, 1);
  t = pagina();
  EXPECT_EQ(t.find(marca(9, kB, 0)), std::string::npos) << t;
  EXPECT_EQ(t.find("222.222.222-22"), std::string::npos) << t;
  EXPECT_EQ(t.find("NOME DE OUTRO"), std::string::npos) << t;
  EXPECT_EQ(t.find(longa.substr(3)), std::string::npos) << t;
  EXPECT_NE(t.find("/x/ "), std::string::npos) << t;
}

TEST_F(CopiaTrabalhoTest, CopiesHoldTheRowsOfTheCpfOnly) {
  ASSERT_TRUE(carrega(kB));
  for (Area tab : kComCopia) {
    if (tab == Area::IMP1310) continue;
    const int n = numero(tab);
    rt::db::Table* c = area(copia(tab));
    ASSERT_NE(c, nullptr) << n;
    EXPECT_TRUE(c->isExclusive());
    std::vector<std::string> esperado;
    const int k = (n == 1 || n == 9 || n == 15) ? 1 : 3;
    for (int i = 0; i < k; ++i) esperado.push_back(marca(n, kB, i));
    EXPECT_EQ(marcasNaCopia(*c), esperado) << "copy of table " << n;
    EXPECT_EQ(c->recordCount(), esperado.size()) << "copy of table " << n;
  }
  // The shared tables are closed again; the copies have their own keys.
  for (Area n : kComCopia) EXPECT_FALSE(ctx.areas.isOpen(n)) << numero(n);
  EXPECT_EQ(area(store::Area::TMP_04)->orderExpression(1), "I7_0");
  EXPECT_EQ(area(store::Area::TMP_17)->orderExpression(1), "I8R_0");
  EXPECT_EQ(area(store::Area::TMP_15)->orderExpression(1), "cpf+ATV_BRASIL");
  // The mirror holds the register, table 01 and the rural summary.
  EXPECT_EQ(dec.espelho.registro.txt("NOMECONTR").substr(0, 10), rt::text::padr(marca(9, kB, 0), 10));
  EXPECT_EQ(dec.espelho.tabela01.num("I3_14"), Decimal::fromInt(777));
  EXPECT_EQ(dec.espelho.rural.txt("I7_V1").substr(0, 9), marca(15, kB, 0));
  EXPECT_EQ(dec.espelho.carneLeao.txt("CPFdepen"), rt::text::padr(marca(12, kB, 0), 11));
  EXPECT_TRUE(dec.espelho.JA_CALC);
}

TEST_F(CopiaTrabalhoTest, NewTaxpayerStartsEmptyWithDefaults) {
  ASSERT_TRUE(carrega(kA));
  EXPECT_EQ(dec.espelho.tabela01.num("I3_14"), Decimal::fromInt(777));
  dec.espelho.registro.txt("MUNICIPIO", "SANTOS");
  // The next taxpayer is new: nothing of the previous one stays in table 01's variables.
  dec.espelho.CPF = "44444444444";
  dec.espelho.registro.limpa();
  ASSERT_TRUE(INIC_VAR(ctx, dec, 1, 0));
  const RegistroEspelho& t = dec.espelho.tabela01;
  EXPECT_TRUE(t.num("I3_14").isZero());
  EXPECT_TRUE(t.num("CARNEINSS").isZero());
  EXPECT_FALSE(t.logico("NOVREG"));
  EXPECT_EQ(t.txt("EndInvent"), std::string(70, ' '));
  EXPECT_EQ(t.txt("I3_12D"), std::string(50, ' '));
  EXPECT_EQ(t.num("CAL_AUTO"), Decimal::fromInt(1));
  EXPECT_EQ(t.num("INDALERTA"), Decimal::fromInt(10));
  const RegistroEspelho& r = dec.espelho.registro;
  EXPECT_EQ(r.txt("MUNICIPIO"), std::string(30, ' '));
  EXPECT_EQ(r.txt("EMAIL"), std::string(40, ' '));
  EXPECT_EQ(r.num("ESTATUS"), Decimal::fromInt(2));
  EXPECT_EQ(r.txt("USAPADRAO"), "S");
  EXPECT_EQ(r.txt("I9_4"), "N");
  EXPECT_EQ(dec.espelho.REC_MENSAL[13][8], Decimal());
  // The copies of the larger declaration before are emptied, not left with deleted rows.
  EXPECT_EQ(marcasNaCopia(*area(store::Area::TMP_02)), std::vector<std::string>{});
  EXPECT_EQ(area(store::Area::TMP_02)->recordCount(), 0u);
}

TEST_F(CopiaTrabalhoTest, RecoveryTakesTheCopiesUpAgain) {
  ASSERT_TRUE(carrega(kC));
  dec.espelho.registro.limpa();
  dec.espelho.tabela01.limpa();
  FECHA_PROV(ctx);
  dec.espelho.LRECUPERA = true;
  ASSERT_TRUE(carrega(kC));
  EXPECT_EQ(dec.espelho.tabela01.num("I3_14"), Decimal::fromInt(777));
  EXPECT_EQ(dec.espelho.registro.txt("NOMECONTR").substr(0, 8), marca(9, kC, 0));
  EXPECT_EQ(marcasNaCopia(*area(store::Area::TMP_06)).size(), 3u);
}

TEST_F(CopiaTrabalhoTest, RecoveryRefusesCopiesWithAnotherTaxpayersRows) {
  ASSERT_TRUE(carrega(kC));
  // The pending-notes view (or a print job) filled copy 31 with another taxpayer's notes.
  rt::db::Table& notas = *area(store::Area::TMP_11);
  ASSERT_TRUE(notas.appendBlank());
  ASSERT_TRUE(notas.put("CPF", kA));
  FECHA_PROV(ctx);
  dec.espelho.LRECUPERA = true;
  term.press(13);
  EXPECT_FALSE(carrega(kC));
  EXPECT_EQ(term.pending(), 0u) << "the refusal is an alert answered with a key";
  // Another CPF than the one the copies were made for is refused as well.
  dec.espelho.LRECUPERA = true;
  term.press(13);
  EXPECT_FALSE(carrega(kB));
}

TEST_F(CopiaTrabalhoTest, ProgressBarStopsAt45) {
  for (int i = 0; i < 50; ++i) MOSTRADOR(ctx, dec, 1, 0);
  EXPECT_EQ(dec.espelho.TAM_CALC, std::string(45, "░"_cp[0]));
}

TEST_F(CopiaTrabalhoTest, RuralSummaryOfTheOtherSideIsEmpty) {
  ASSERT_TRUE(carrega(kA));
  PRENCHEMOL(ctx, dec, "N");
  EXPECT_EQ(dec.espelho.rural.txt("ATV_BRASIL"), "N");
  EXPECT_EQ(dec.espelho.rural.txt("CPF"), kA);
  EXPECT_EQ(dec.espelho.rural.txt("I7_V1"), std::string(22, ' '));
  EXPECT_EQ(dec.espelho.REND_RURAL[12][2], Decimal());
}

// Stands for the clock while another terminal holds a table: notes what the screen shows at
// each wait and lets the other terminal go after a few.
class EsperaQueLibera final : public Espera {
 public:
  EsperaQueLibera(rt::term::Screen& tela, OutroTerminal& outro) : tela_(tela), outro_(outro) {}
  void dorme(std::chrono::milliseconds) override {
    for (int r = 0; r < 25; ++r)
      if (tela_.rowText(r).find(aguardando) != std::string::npos) viu = true;
    if (++vezes == 3) outro_.libera();
  }
  std::string aguardando = std::string("Aguardando outro Terminal carregar dados..."_cp);
  int vezes = 0;
  bool viu = false;

 private:
  rt::term::Screen& tela_;
  OutroTerminal& outro_;
};

TEST_F(CopiaTrabalhoTest, LoadWaitsWhileAnotherTerminalHoldsATable) {
  const std::string dbf = dados / "IMP0510.DBF";
  OutroTerminal outro([dbf] {
    std::vector<std::unique_ptr<rt::db::Table>> v;
    v.push_back(abre(dbf, true));
    return v;
  });
  ASSERT_TRUE(outro.pronto());
  EsperaQueLibera espera2(con.screen(), outro);
  Contexto ctx2(con, relogio, espera2);
  ctx2.NUSU = ctx.NUSU;
  ctx2.definePastaPrograma(programa.caminho());
  ctx2.definePastaDados(dados.caminho());
  ctx2.definePastaTrabalho(trabalho.caminho());
  dec.espelho.CPF = kB;
  ASSERT_TRUE(INIC_VAR(ctx2, dec, 0, 1));
  EXPECT_TRUE(espera2.viu) << "the one-second alert is shown between tries";
  EXPECT_GE(espera2.vezes, 3);
  EXPECT_EQ(marcasNaCopia(*ctx2.areas.table(store::Area::TMP_05)).size(), 3u);
  EXPECT_FALSE(ctx2.janelas.isOpen(console::Jan::kMensagem));
}

TEST_F(CopiaTrabalhoTest, ShowsTheTaxpayerBeingLoaded) {
  ctx.janelas.REDEFJAN(console::Jan::kTela, 30, 31, 63, 5, 5, 12, 75, 1);
  ctx.janelas.ABREJAN(console::Jan::kTela);
  dec.espelho.CPF = kB;
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  ASSERT_TRUE(area(store::Area::IMP0910)->seek(kB));
  ASSERT_TRUE(INIC_VAR(ctx, dec, 1, 1));
  EXPECT_EQ(linha(6).substr(7, 14), "222.222.222-22");
  EXPECT_EQ(linha(6).substr(23, 8), marca(9, kB, 0));
  EXPECT_NE(linha(8).find(ctx.LOCARQ), std::string::npos);
  // The bar starts on the text's last column, as the window was laid out.
  EXPECT_EQ(linha(9).substr(6, 24), "Reprocessando os dados..");
  EXPECT_EQ(linha(9).substr(30, 18), std::string(18, "░"_cp[0]));
}

}  // namespace
}  // namespace store::teste
