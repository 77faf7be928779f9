// Saving the working copy back: full and partial saves row by row, the register counters and
// the limits of the register's fields.
#include "store/salva.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "console/arquivo_recusado.h"
#include "declaracao_fixture.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/copia_trabalho.h"
#include "store/diario_gravacao.h"
#include "store/em_uso.h"
#include "store/relato.h"
#include "store_fixture.h"
#include "support/disk_faults.h"
#include "support/links_plantados.h"

namespace store::teste {
namespace {

using rt::text::Decimal;
using namespace rt::text::literals;

// What the store said, in order, as "kind:text" ("aviso"/"decl" name the panel).
class Gravador final : public Relato {
 public:
  std::vector<std::string> ditos;
  void linha(std::string_view t, bool) override { ditos.push_back("linha:" + std::string(t)); }
  void erro(std::string_view t) override { ditos.push_back("erro:" + std::string(t)); }
  void alerta(std::span<const std::string> l) override {
    for (const std::string& t : l) ditos.push_back("alerta:" + t);
  }
  void espera(std::string_view t) override { ditos.push_back("espera:" + std::string(t)); }
  void fimEspera() override { ditos.push_back("fim"); }
  void titulo(Painel p, std::string_view t) override {
    ditos.push_back(nome(p) + "titulo:" + std::string(t));
  }
  void etapa(Painel p, std::string_view t) override { ditos.push_back(nome(p) + "etapa:" + std::string(t)); }
  void barra(Painel p, std::string_view) override { ditos.push_back(nome(p) + "barra"); }

 private:
  static std::string nome(Painel p) { return p == Painel::Aviso ? "aviso " : "decl "; }
};

const std::string kA = "11111111111", kB = "22222222222", kC = "33333333333";

Decimal dec_(const char* s) { return Decimal::parse(s).value(); }

class SalvaTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA, kB, kC}, 3);
    dec.espelho.CPF = kB;
    ASSERT_TRUE(INIC_VAR(ctx, dec, 0, 1));
  }
  // Another terminal deletes the register row of `cpf`.
  void apagaRegistroDe(const std::string& cpf) {
    auto r = abre(caminho(ctx, ctx.LOCARQ + "IMP0910.DBF"));
    for (std::uint32_t k = 1; k <= r->recordCount(); ++k) {
      r->goTo(k);
      ASSERT_TRUE(r->status());
      if (r->getText("CPF") == cpf) {
        ASSERT_TRUE(r->lockRecord());
        ASSERT_TRUE(r->markDeleted());
        ASSERT_TRUE(r->commit());
      }
    }
  }
  // Changes every copy: one row more (a new mark), the first row's mark changed, the second
  // row deleted. Returns the marks each table should hold for kB afterwards.
  std::map<int, std::vector<std::string>> mudaTudo() {
    std::map<int, std::vector<std::string>> esperado;
    for (int n : tabelasDeclaracao()) {
      if (n == 1 || n == 15) continue;
      rt::db::Table& c = *area(copia(static_cast<Area>(n)));
      const std::string campo = campoMarca(n);
      c.goTo(1);
      EXPECT_TRUE(c.status());
      EXPECT_TRUE(c.put(campo, "NOVO" + std::to_string(n)));
      c.goTo(2);
      EXPECT_TRUE(c.status());
      EXPECT_TRUE(c.markDeleted());
      EXPECT_TRUE(c.appendBlank());
      EXPECT_TRUE(c.put("CPF", kB));
      if (n >= 15) {
        EXPECT_TRUE(c.put("ATV_BRASIL", std::string("S")));
      }
      if (n == 4) {
        EXPECT_TRUE(c.put("I7_0", Decimal::fromInt(50)));
      }
      if (n == 5) {
        EXPECT_TRUE(c.put("I8_0", Decimal::fromInt(50)));
      }
      EXPECT_TRUE(c.put(campo, "MAIS" + std::to_string(n)));
      EXPECT_TRUE(c.flush());
      esperado[n] = {"NOVO" + std::to_string(n), marca(n, kB, 2), "MAIS" + std::to_string(n)};
    }
    return esperado;
  }
  void confereOutros() {
    for (int n : tabelasDeclaracao()) {
      const int k = (n == 1 || n == 15) ? 1 : 3;
      for (const std::string& cpf : {kA, kC}) {
        std::vector<std::string> v;
        for (int i = 0; i < k; ++i) v.push_back(marca(n, cpf, i));
        EXPECT_EQ(marcasNaTabela(ctx, n, cpf), v) << "table " << n << " of " << cpf;
      }
    }
  }
  rt::db::Table& registroDe(const std::string& cpf) {
    EXPECT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
    rt::db::Table& r = *area(store::Area::IMP0910);
    EXPECT_TRUE(r.seek(cpf));
    EXPECT_TRUE(r.found());
    return r;
  }
  Declaracao dec;
};

TEST_F(SalvaTest, FinalSaveReplacesTheRowsOfEveryTable) {
  auto esperado = mudaTudo();
  dec.espelho.tabela01.num("I3_14", Decimal::fromInt(123));
  dec.espelho.tabela01.txt("I3_12D", "MUDADO");
  dec.espelho.registro.txt("NOMECONTR", "NOME NOVO");
  ASSERT_TRUE(SALVATUDO(ctx, dec, 1));
  for (auto& [n, marcas] : esperado) EXPECT_EQ(marcasNaTabela(ctx, n, kB), marcas) << "table " << n;
  EXPECT_EQ(marcasNaTabela(ctx, 1, kB), std::vector<std::string>{"MUDADO"});
  confereOutros();
  rt::db::Table& r = registroDe(kB);
  EXPECT_EQ(r.getText("NOMECONTR").substr(0, 9), "NOME NOVO");
  // A final save without export closes the copies.
  for (Area a : kCopias) EXPECT_FALSE(ctx.areas.isOpen(a)) << numero(a);
  // Nothing is left of the journal.
  EXPECT_FALSE(rt::db::fileExists(caminhoDiario(ctx, kB)));
}

TEST_F(SalvaTest, AutosaveLeavesTheCopiesOpenWhereTheyWere) {
  auto esperado = mudaTudo();
  area(store::Area::TMP_06)->goTo(3);
  ASSERT_TRUE(area(store::Area::TMP_06)->status());
  area(store::Area::TMP_17)->goTo(1);
  ASSERT_TRUE(area(store::Area::TMP_17)->status());
  (void)ctx.areas.select(store::Area::TMP_06);
  dec.opcoes.TEMP_SAL = 15;
  SAL_DEC(ctx, dec);
  EXPECT_EQ(ctx.areas.current(), store::Area::TMP_06);
  for (auto& [n, marcas] : esperado) EXPECT_EQ(marcasNaTabela(ctx, n, kB), marcas) << "table " << n;
  confereOutros();
  for (int n : tabelasDeclaracao()) EXPECT_TRUE(ctx.areas.isOpen(copia(workareas::declaracao(n)))) << n;
  EXPECT_EQ(area(store::Area::TMP_06)->recNo(), 3u);
  EXPECT_EQ(area(store::Area::TMP_17)->recNo(), 1u);
  // The rural assets and debts keep their own keys.
  EXPECT_EQ(area(store::Area::TMP_17)->orderExpression(1), "I8R_0");
  EXPECT_EQ(area(store::Area::TMP_18)->orderExpression(1), "I9R_0");
  EXPECT_EQ(area(store::Area::TMP_05)->orderExpression(1), "I8_0");
  // A second autosave finds the same rows.
  SAL_DEC(ctx, dec);
  for (auto& [n, marcas] : esperado) EXPECT_EQ(marcasNaTabela(ctx, n, kB), marcas) << "table " << n;
}

TEST_F(SalvaTest, NoAutosaveFrom98Minutes) {
  mudaTudo();
  dec.opcoes.TEMP_SAL = 98;
  SAL_DEC(ctx, dec);
  EXPECT_EQ(marcasNaTabela(ctx, 2, kB), (std::vector<std::string>{marca(2, kB, 0), marca(2, kB, 1), marca(2, kB, 2)}));
}

TEST_F(SalvaTest, WithoutRuralActivityTheRuralTablesStayAsTheyWere) {
  auto esperado = mudaTudo();
  dec.espelho.registro.txt("TEMRURAL", "N");
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  for (auto& [n, marcas] : esperado) {
    if (n < 15)
      EXPECT_EQ(marcasNaTabela(ctx, n, kB), marcas) << "table " << n;
    else
      EXPECT_EQ(marcasNaTabela(ctx, n, kB),
                (std::vector<std::string>{marca(n, kB, 0), marca(n, kB, 1), marca(n, kB, 2)}))
          << "table " << n;
  }
}

TEST_F(SalvaTest, RowsOfAnotherTaxpayerInACopyAreNotSavedUnderThisOne) {
  rt::db::Table& c = *area(store::Area::TMP_02);
  ASSERT_TRUE(c.appendBlank());
  ASSERT_TRUE(c.put("CPF", kA));
  ASSERT_TRUE(c.put("I1_2", std::string("ALHEIA")));
  ASSERT_TRUE(c.appendBlank());  // a row the screens left without CPF is the declaration's
  ASSERT_TRUE(c.put("I1_2", std::string("SEMCPF")));
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  EXPECT_EQ(marcasNaTabela(ctx, 2, kB),
            (std::vector<std::string>{marca(2, kB, 0), marca(2, kB, 1), marca(2, kB, 2), "SEMCPF"}));
  EXPECT_EQ(marcasNaTabela(ctx, 2, kA), (std::vector<std::string>{marca(2, kA, 0), marca(2, kA, 1), marca(2, kA, 2)}));
}

TEST_F(SalvaTest, PartialSaveWritesOneTable) {
  auto esperado = mudaTudo();
  ASSERT_TRUE(SALVA_PARC(ctx, dec, Area::IMP1010, 0));
  EXPECT_EQ(marcasNaTabela(ctx, 10, kB), esperado[10]);
  EXPECT_EQ(marcasNaTabela(ctx, 11, kB), (std::vector<std::string>{marca(11, kB, 0), marca(11, kB, 1), marca(11, kB, 2)}));
  EXPECT_TRUE(ctx.areas.isOpen(store::Area::TMP_10));
  EXPECT_FALSE(SALVA_PARC(ctx, dec, Area::IMP1310, 0));
  EXPECT_FALSE(SALVA_PARC(ctx, dec, Area::IMP0910, 0));
}

TEST_F(SalvaTest, RuralSummaryIsWrittenFromTheVariables) {
  dec.espelho.REND_RURAL[3][1] = dec_("1234.56");
  dec.espelho.REND_RURAL[3][2] = Decimal();
  dec.espelho.rural.num("I4R_01", Decimal::fromInt(9));
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  auto t = abre(caminho(ctx, ctx.LOCARQ + "IMP1510.DBF"));
  t->goTop();
  ASSERT_TRUE(t->status());
  while (!t->eof() && t->getText("CPF") != kB) {
    t->skip(1);
    ASSERT_TRUE(t->status());
  }
  ASSERT_FALSE(t->eof());
  EXPECT_EQ(t->getNumber("I3_03OR"), dec_("1234.56"));
  EXPECT_TRUE(t->getNumber("I3_03OD").isZero());
  EXPECT_EQ(t->getNumber("I4R_01"), Decimal::fromInt(9));
  EXPECT_EQ(marcasNaTabela(ctx, 15, kB).size(), 1u);
}

TEST_F(SalvaTest, AssetsAreRenumberedByTens) {
  rt::db::Table& bens = *area(store::Area::TMP_04);
  // 10, 20, 30 as loaded; the middle one goes, so 10, 30 remain, then 40 is added.
  bens.goTo(2);
  ASSERT_TRUE(bens.status());
  ASSERT_TRUE(bens.markDeleted());
  ASSERT_TRUE(bens.appendBlank());
  ASSERT_TRUE(bens.put("CPF", kB));
  ASSERT_TRUE(bens.put("I7_0", Decimal::fromInt(40)));
  ASSERT_TRUE(bens.put("I7_2", std::string("QUARTO")));
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  auto t = abre(caminho(ctx, ctx.LOCARQ + "IMP0410.DBF"));
  std::vector<std::pair<std::string, Decimal>> v;
  for (std::uint32_t r = 1; r <= t->recordCount(); ++r) {
    t->goTo(r);
    ASSERT_TRUE(t->status());
    if (!t->isDeleted() && t->getText("CPF") == kB) v.emplace_back(rt::text::trim(t->getText("I7_2")), t->getNumber("I7_0"));
  }
  EXPECT_EQ(v, (std::vector<std::pair<std::string, Decimal>>{{marca(4, kB, 0), Decimal::fromInt(10)},
                                                             {marca(4, kB, 2), Decimal::fromInt(20)},
                                                             {"QUARTO", Decimal::fromInt(30)}}));
}

TEST_F(SalvaTest, ManyDebtsAreNumberedWithoutTheFactor) {
  rt::db::Table& d = *area(store::Area::TMP_05);
  while (d.recordCount() < 1000) {
    ASSERT_TRUE(d.appendBlank());
    ASSERT_TRUE(d.put("CPF", kB));
    ASSERT_TRUE(d.put("I8_0", Decimal::fromInt(static_cast<std::int64_t>(d.recordCount()))));
  }
  ASSERT_TRUE(renumera(ctx, store::Area::TMP_05));
  std::vector<std::int64_t> numeros;
  for (std::uint32_t r = 1; r <= d.recordCount(); ++r) {
    d.goTo(r);
    ASSERT_TRUE(d.status());
    numeros.push_back(d.getNumber("I8_0").wholePart());
  }
  std::sort(numeros.begin(), numeros.end());
  EXPECT_EQ(numeros.front(), 1);
  EXPECT_EQ(numeros.back(), 1000);
  EXPECT_EQ(std::adjacent_find(numeros.begin(), numeros.end()), numeros.end()) << "numbers collide";
}

TEST_F(SalvaTest, RegisterCounters) {
  // Copy 32: two rows with carnê-leão in three months.
  rt::db::Table& leao = *area(store::Area::TMP_12);
  leao.goTo(1);
  ASSERT_TRUE(leao.status());
  ASSERT_TRUE(leao.put("I2_701", dec_("100.10")));
  ASSERT_TRUE(leao.put("I2_712", dec_("50")));
  leao.goTo(2);
  ASSERT_TRUE(leao.status());
  ASSERT_TRUE(leao.put("I2_701", dec_("0.90")));
  ASSERT_TRUE(leao.put("I2_713", dec_("999")));  // the totals month is not counted
  // Copy 27: a gain with nothing due, and variable income as the matrix saves it: the common
  // operations' tax to pay (line 25) of 3,000 in January, 750 in March and 100 in May, and
  // their tax paid (line 26) of 100 in May; the day trade's line 25 of April is not what the
  // payment slip reads.
  rt::db::Table& g = *area(store::Area::TMP_07);
  g.goTo(1);
  ASSERT_TRUE(g.status());
  ASSERT_TRUE(g.put("TIPO_BEM", Decimal::fromInt(1)));
  ASSERT_TRUE(g.put("VAL_ALI", dec_("100")));
  ASSERT_TRUE(g.put("CUS_ATUAL", dec_("200")));
  const auto linha = [&g](std::uint32_t r, int nro, const char* modo, std::vector<std::pair<const char*, const char*>> meses) {
    if (r > g.recordCount()) {
      ASSERT_TRUE(g.appendBlank());
      ASSERT_TRUE(g.put("CPF", kB));
    }
    g.goTo(r);
    ASSERT_TRUE(g.status());
    ASSERT_TRUE(g.put("TIPO_BEM", Decimal::fromInt(4)));
    ASSERT_TRUE(g.put("RVAR_NRO", Decimal::fromInt(nro)));
    ASSERT_TRUE(g.put("DAY_TRADE", std::string(modo)));
    for (const auto& [campo, valor] : meses) ASSERT_TRUE(g.put(campo, dec_(valor)));
  };
  linha(2, 25, "1", {{"REC_MES01", "3000"}, {"REC_MES03", "750"}, {"REC_MES05", "100"}});
  linha(3, 26, "1", {{"REC_MES05", "100"}});
  linha(4, 25, "2", {{"REC_MES04", "400"}});
  ASSERT_TRUE(g.flush());
  dec.espelho.tabela01.num("I13_29", 3);
  dec.espelho.tabela01.num("I13_30", dec_("45.67"));
  dec.espelho.registro.num("I13_21", dec_("10"));
  dec.espelho.registro.num("I13_22", dec_("2.5"));
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  rt::db::Table& r = registroDe(kB);
  EXPECT_EQ(r.getNumber("NRCLEAO"), Decimal::fromInt(3));
  EXPECT_EQ(r.getNumber("DFCLEAO"), dec_("151"));
  EXPECT_EQ(r.getNumber("NRGCAPIT"), Decimal::fromInt(-1));
  EXPECT_TRUE(r.getNumber("DFGCAPIT").isZero());
  EXPECT_EQ(r.getNumber("NRRVARIV"), Decimal::fromInt(2));
  EXPECT_EQ(r.getNumber("DFRVARIV"), dec_("3750"));
  EXPECT_EQ(r.getNumber("NRQUOTA"), Decimal::fromInt(3));
  EXPECT_EQ(r.getNumber("DFQUOTA"), dec_("45.67"));
  // I13_22 is added to I13_21 in the record only.
  EXPECT_EQ(r.getNumber("I13_21"), dec_("12.5"));
  EXPECT_EQ(dec.espelho.registro.num("I13_21"), dec_("10"));
}

TEST_F(SalvaTest, NothingInGainsLeavesTheCounterAtZero) {
  rt::db::Table& g = *area(store::Area::TMP_07);
  for (std::uint32_t r = 1; r <= g.recordCount(); ++r) {
    g.goTo(r);
    ASSERT_TRUE(g.status());
    ASSERT_TRUE(g.markDeleted());
  }
  contadores(ctx, dec);
  EXPECT_TRUE(dec.espelho.registro.num("NRGCAPIT").isZero());
  EXPECT_TRUE(dec.espelho.registro.num("NRRVARIV").isZero());
}

TEST_F(SalvaTest, LimitsOfTheRegisterFields) {
  dec.espelho.registro.num("INDGAS", dec_("1234.5"));
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  EXPECT_EQ(registroDe(kB).getNumber("INDGAS"), dec_("999"));
  dec.espelho.registro.num("INDGAS", dec_("-150"));
  dec.espelho.registro.num("SALDO", dec_("-123456789.5"));
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  EXPECT_EQ(registroDe(kB).getNumber("INDGAS"), dec_("-99.99"));
  EXPECT_EQ(registroDe(kB).getNumber("SALDO"), dec_("-99999999.99"));
  dec.espelho.registro.num("INDGAS", dec_("999.99"));
  VE_LIM_NEG(dec);
  EXPECT_EQ(dec.espelho.registro.num("INDGAS"), dec_("999.99"));
}

TEST_F(SalvaTest, TimeOfUseGrowsAndIsCapped) {
  dec.espelho.registro.num("TEM_USO", 100);
  relogio = rt::text::FixedClock(rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000 + 60, 0});
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  EXPECT_EQ(registroDe(kB).getNumber("TEM_USO"), Decimal::fromInt(160));
  EXPECT_GT(registroDe(kB).getNumber("TAM_USO"), Decimal::fromInt(1000));
  EXPECT_TRUE(dec.espelho.registro.num("TAM_USO").isZero());
  dec.espelho.registro.num("TEM_USO", 999990);
  relogio = rt::text::FixedClock(rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000 + 120, 0});
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  EXPECT_EQ(registroDe(kB).getNumber("TEM_USO"), Decimal::fromInt(999999));
}

TEST_F(SalvaTest, NewTaxpayerGetsOneRegisterRowWithItsKey) {
  dec.espelho.CPF = "55555555555";
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  rt::db::Table& r = *area(store::Area::IMP0910);
  r.goBottom();
  ASSERT_TRUE(r.status());
  r.skip(1);
  ASSERT_TRUE(r.status());
  ASSERT_TRUE(INIC_VAR(ctx, dec, 1, 0));
  dec.espelho.registro.txt("NOMECONTR", "NOVO CONTRIBUINTE");
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  auto t = abre(caminho(ctx, ctx.LOCARQ + "IMP0910.DBF"));
  int n = 0;
  for (std::uint32_t k = 1; k <= t->recordCount(); ++k) {
    t->goTo(k);
    ASSERT_TRUE(t->status());
    if (!t->isDeleted() && t->getText("CPF") == "55555555555") ++n;
  }
  EXPECT_EQ(n, 1);
  EXPECT_EQ(marcasNaTabela(ctx, 1, "55555555555").size(), 1u);
}

TEST_F(SalvaTest, ATaxpayerWhoseRegisterRowWentMeanwhileIsNotBroughtBack) {
  const auto antes = marcasNaTabela(ctx, 2, kB);
  mudaTudo();
  // Another terminal deletes the register row while the declaration is open.
  apagaRegistroDe(kB);
  // Each refusal said by the save itself: told.
  for (const rt::Status& s : {SALVATUDO(ctx, dec, 0), SALVATUDO(ctx, dec, 1), SALVA_PARC(ctx, dec, Area::IMP0210, 0)}) {
    EXPECT_FALSE(s);
    EXPECT_TRUE(s.told());
  }
  (void)ctx.areas.closeAll();
  EXPECT_TRUE(marcasNaTabela(ctx, 9, kB).empty());
  EXPECT_EQ(marcasNaTabela(ctx, 2, kB), antes);
  confereOutros();
}

// A save reads as its steps: the heading, then each table's caption with its name on the status
// row and the bar moving on, then the status row cleared and the notice closed. The timed save
// shows them in its own notice, the save on leaving in the declaration's frame; a save that
// cannot go says why and writes nothing.
TEST_F(SalvaTest, ASaveReportsItsStepsThroughTheStoresReport) {
  Gravador g;
  ctx.defineRelato(&g);
  ASSERT_TRUE(SALVATUDO(ctx, dec, 0));
  ASSERT_GE(g.ditos.size(), 3u);
  EXPECT_EQ(g.ditos.front(), "aviso titulo:" + std::string("Salvando as informações"_cp));
  EXPECT_EQ(g.ditos[g.ditos.size() - 2], "linha:");
  EXPECT_EQ(g.ditos.back(), "fim");
  std::vector<std::string> tabelas;
  for (std::size_t i = 0; i + 2 < g.ditos.size(); ++i) {
    if (g.ditos[i].rfind("aviso etapa:", 0) != 0) continue;
    tabelas.push_back(g.ditos[i + 1]);
    EXPECT_EQ(g.ditos[i + 2], "aviso barra");
  }
  // Table 01 and every declaration table but the register and 13 (this taxpayer is rural).
  std::vector<std::string> esperadas;
  for (int n = 1; n <= 19; ++n)
    if (n != 9 && n != 13)
      esperadas.push_back("linha:Salvando IMP" + std::string(n < 10 ? "0" : "") + std::to_string(n));
  EXPECT_EQ(tabelas, esperadas);

  g.ditos.clear();
  ASSERT_TRUE(SALVATUDO(ctx, dec, 1));
  EXPECT_EQ(g.ditos.front(), "decl titulo:" + std::string("Salvando as informações"_cp));
  EXPECT_TRUE(std::none_of(g.ditos.begin(), g.ditos.end(),
                           [](const std::string& d) { return d.rfind("aviso", 0) == 0; }));

  // The register row gone meanwhile: said, nothing written.
  ASSERT_TRUE(INIC_VAR(ctx, dec, 0, 1));
  apagaRegistroDe(kB);
  g.ditos.clear();
  EXPECT_FALSE(SALVATUDO(ctx, dec, 0));
  EXPECT_NE(
      std::find(
          g.ditos.begin(), g.ditos.end(),
          "erro:" + std::string("Contribuinte excluído ou movido em outro terminal. Nada foi gravado."_cp)),
      g.ditos.end());
  EXPECT_TRUE(std::none_of(g.ditos.begin(), g.ditos.end(),
                           [](const std::string& d) { return d.find("etapa") != std::string::npos; }));
  ctx.defineRelato(nullptr);
}

// A save met by a full or failing disk loses nothing and says so, with the system's reason.
// Its shared tables are left as they were; what the journal held reaches them at the next
// start only when the journal is whole: not after a failed write of the journal (the journal,
// cut short, is dropped), but after a failed sync of it, a failed write of a shared table or
// a failed flush of the tables (one sync of the data folder's file system, after the folder's
// own sync for the journal). A write cut short is completed. (A save renames nothing: its
// journal is written in place and removed.)
TEST_F(SalvaTest, ADiskThatFailsLosesNothingAndIsSaid) {
  Gravador g;
  ctx.defineRelato(&g);
  const std::map<int, std::vector<std::string>> esperado = mudaTudo();
  const std::string diario = caminhoDiario(ctx, kB);
  const std::string nomeDiario = std::filesystem::path(diario).filename().string();
  const std::string pasta = std::filesystem::path(diario).parent_path().filename().string();
  auto marcas = [this, &esperado] {
    std::map<int, std::vector<std::string>> m;
    for (const auto& [n, e] : esperado) m[n] = marcasNaTabela(ctx, n, kB);
    return m;
  };
  struct Onde {
    std::string nome;
    support::Call call;
    int vez;
  };
  const Onde ondes[] = {{nomeDiario, support::Call::kWrite, 1},
                        {nomeDiario, support::Call::kSync, 1},
                        {"IMP0210.DBF", support::Call::kWrite, 1},
                        {pasta, support::Call::kSync, 2}};
  for (const Onde& o : ondes) {
    for (const support::FaultKind k : {support::FaultKind::kNoSpace, support::FaultKind::kIoError}) {
      SCOPED_TRACE(o.nome + ": " + std::string(support::callName(o.call)) + " " + std::string(support::kindName(k)));
      const std::map<int, std::vector<std::string>> antes = marcas();
      g.ditos.clear();
      {
        support::DiskFaults falhas(support::Fault{o.call, k, o.nome, o.vez});
        EXPECT_FALSE(SALVATUDO(ctx, dec, 0));
        EXPECT_EQ(falhas.made(), 1);
      }
      const std::string motivo = ": " + std::string(support::faultText(k));
      EXPECT_TRUE(std::any_of(g.ditos.begin(), g.ditos.end(),
                              [&motivo](const std::string& d) {
                                return d.starts_with("erro:Salvando: ") && d.ends_with(motivo);
                              }))
          << ::testing::PrintToString(g.ditos);
      EXPECT_TRUE(std::filesystem::exists(diario));
      const bool inteiro = o.nome != nomeDiario || o.call == support::Call::kSync;
      if (o.nome == nomeDiario) {
        EXPECT_EQ(marcas(), antes);
      }
      EXPECT_EQ(recuperaDiarios(ctx), 1);
      EXPECT_FALSE(std::filesystem::exists(diario));
      EXPECT_EQ(marcas(), inteiro ? esperado : antes);
      confereOutros();
    }
  }
  g.ditos.clear();
  {
    support::DiskFaults falhas({support::Fault{support::Call::kWrite, support::FaultKind::kShortWrite, nomeDiario},
                                support::Fault{support::Call::kWrite, support::FaultKind::kShortWrite, "IMP0210.DBF"}});
    EXPECT_TRUE(SALVATUDO(ctx, dec, 0));
    EXPECT_EQ(falhas.made(), 2);
  }
  EXPECT_EQ(marcas(), esperado);
  EXPECT_FALSE(std::filesystem::exists(diario));
  confereOutros();
  ctx.defineRelato(nullptr);
}

// The journals and the declaration's lock file lie in the data folder, where every terminal
// writes: a link planted at one of their names (to a file, dangling, to a folder) is refused
// and named, the save says it failed, and the link's target is as it was.
TEST_F(SalvaTest, ALinkAtAJournalOrLockFileIsRefusedNamedAndNeverWrittenThrough) {
  Gravador g;
  ctx.defineRelato(&g);
  const std::string pasta = std::filesystem::path(caminhoDiario(ctx, kB)).parent_path().string();
  Pasta fora;
  auto viu = [&g](const std::string& arquivo) {
    return std::find(g.ditos.begin(), g.ditos.end(), "alerta:" + console::linhasLink(arquivo)[0]) !=
               g.ditos.end() ||
           std::find(g.ditos.begin(), g.ditos.end(), "erro:" + console::textoLink(arquivo)) != g.ditos.end();
  };
  for (support::Planta p : support::plantas()) {
    SCOPED_TRACE(support::nomePlanta(p));
    g.ditos.clear();
    // The save's own journal: the save fails and says so.
    const std::string alvo = support::planta(p, caminhoDiario(ctx, kB), fora.caminho());
    EXPECT_FALSE(SALVATUDO(ctx, dec, 0));
    EXPECT_TRUE(viu(caminhoDiario(ctx, kB)));
    EXPECT_TRUE(support::intacto(p, alvo));
    std::filesystem::remove(caminhoDiario(ctx, kB));

    // Another taxpayer's journal and the restore journal, met at start-up.
    const std::string alvoA = support::planta(p, caminhoDiario(ctx, kA), programa.caminho());
    const std::string alvoR = support::planta(p, pasta + "/RESTAURA.JNL", trabalho.caminho());
    EXPECT_EQ(recuperaDiarios(ctx), 0);
    EXPECT_TRUE(viu(caminhoDiario(ctx, kA)));
    EXPECT_TRUE(viu(pasta + "/RESTAURA.JNL"));
    EXPECT_TRUE(support::intacto(p, alvoA));
    EXPECT_TRUE(support::intacto(p, alvoR));
    std::filesystem::remove(caminhoDiario(ctx, kA));
    std::filesystem::remove(pasta + "/RESTAURA.JNL");

    // The lock file of open declarations.
    const std::string lck = pasta + "/DECLARA.LCK";
    const std::string alvoL = support::planta(p, lck, fora.caminho());
    PosseDeclaracao posse = tomaDeclaracao(ctx, ctx.LOCARQ, kC);
    EXPECT_FALSE(posse.livre);
    EXPECT_NE(textoRecusa(posse).find(console::textoLink(lck)), std::string::npos);
    EXPECT_TRUE(support::intacto(p, alvoL));
    std::filesystem::remove(lck);
  }
  // With the links gone the save goes through.
  EXPECT_TRUE(SALVATUDO(ctx, dec, 0));
  ctx.defineRelato(nullptr);
}

}  // namespace
}  // namespace store::teste
