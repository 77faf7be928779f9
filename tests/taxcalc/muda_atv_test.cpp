// Switching the rural side of an open declaration: the side left is saved, the other loaded in
// its place, every row in the shared tables once and on its own side, other taxpayers
// untouched, and the switch waits while another terminal holds a rural table.
#include "store/muda_atv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "rt/db/table.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/copia_trabalho.h"
#include "store/declaracao.h"
#include "store/declaracao_fixture.h"
#include "store/store_fixture.h"

namespace store::teste {
namespace {

using namespace std::chrono_literals;

const std::string kA = "11111111111", kB = "22222222222";

std::string aparado(std::string s) { return std::string(rt::text::trim(s)); }

class MudaAtv : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA, kB}, 2);
    // The abroad side of both taxpayers: one summary, two rows in each other table.
    for (Area tab : workareas::sequencia<Area::IMP1510, Area::IMP1910>()) {
      const int n = numero(tab);
      ASSERT_TRUE(ABERTURA(ctx, tab, true));  // with its index, which must know the rows
      rt::db::Table* t = area(tab);
      for (const std::string& cpf : {kA, kB})
        for (int i = 0; i < (n == 15 ? 1 : 2); ++i) {
          ASSERT_TRUE(t->appendBlank());
          ASSERT_TRUE(t->put("CPF", cpf));
          ASSERT_TRUE(t->put("ATV_BRASIL", std::string("N")));
          ASSERT_TRUE(t->put(campoMarca(n), "EXT" + std::to_string(n) + "C" + cpf.substr(8) + "L" + std::to_string(i)));
        }
      ASSERT_TRUE(ctx.areas.close(workareas::declaracao(n)));
    }
    dec.espelho.CPF = kB;
    ASSERT_TRUE(INIC_VAR(ctx, dec, 0, 1));
    ASSERT_EQ(dec.espelho.registro.txt("ATV_BRASIL"), "S");
  }

  // The rows of `cpf` in shared table n as "side:mark", in record order.
  std::vector<std::string> naTabela(int n, const std::string& cpf) {
    auto t = abre(dados / ("IMP" + std::to_string(n) + "10.DBF"));
    std::vector<std::string> v;
    if (!t) return v;
    for (std::uint32_t r = 1; r <= t->recordCount(); ++r) {
      t->goTo(r);
      EXPECT_TRUE(t->status());
      if (t->isDeleted() || t->getText("CPF") != cpf) continue;
      v.push_back(t->getText("ATV_BRASIL") + ":" + aparado(t->getText(campoMarca(n))));
    }
    return v;
  }
  std::vector<std::string> lado(const char* s, int n, const std::string& cpf, std::vector<std::string> extra = {}) {
    std::vector<std::string> v;
    const int k = n == 15 ? 1 : 2;
    for (int i = 0; i < k; ++i)
      v.push_back(std::string(s) + ":" +
                  (std::string(s) == "S" ? marca(n, cpf, i)
                                         : "EXT" + std::to_string(n) + "C" + cpf.substr(8) + "L" + std::to_string(i)));
    for (const std::string& e : extra) v.push_back(std::string(s) + ":" + e);
    return v;
  }
  std::vector<std::string> naCopia(int n) { return marcasNaCopia(*area(copia(static_cast<Area>(n)))); }
  std::vector<std::string> marcas(const std::vector<std::string>& ladoMarca) {
    std::vector<std::string> v;
    for (const std::string& s : ladoMarca) v.push_back(s.substr(2));
    return v;
  }

  Declaracao dec;
};

TEST_F(MudaAtv, EachSideGoesAndComesBackWithoutLosingOrDoublingARow) {
  // Work on the Brazil side: a new property and the summary's text.
  rt::db::Table& imoveis = *area(store::Area::TMP_16);
  ASSERT_TRUE(imoveis.appendBlank());
  ASSERT_TRUE(imoveis.put("CPF", kB));
  ASSERT_TRUE(imoveis.put("ATV_BRASIL", std::string("S")));
  ASSERT_TRUE(imoveis.put("I2R_01", std::string("FAZENDA NOVA")));
  ASSERT_TRUE(imoveis.flush());
  dec.espelho.rural.txt("I7_V1", "RESUMO BR");

  ASSERT_TRUE(MUDA_ATV(ctx, dec, "S", "N"));
  EXPECT_EQ(dec.espelho.registro.txt("ATV_BRASIL"), "N");
  EXPECT_EQ(aparado(dec.espelho.rural.txt("I7_V1")), "EXT15C222L0");
  EXPECT_EQ(dec.espelho.rural.txt("ATV_BRASIL"), "N");
  for (int n = 15; n <= 19; ++n) {
    EXPECT_EQ(naCopia(n), marcas(lado("N", n, kB))) << n;
    rt::db::Table& c = *area(copia(static_cast<Area>(n)));
    ASSERT_EQ(c.orderCount(), 1) << n;
    EXPECT_EQ(rt::text::upper(c.orderExpression(1)), "CPF+ATV_BRASIL") << n;
    EXPECT_TRUE(c.isExclusive());
  }
  // The Brazil side was saved with its new row and summary; the abroad side is as it was.
  std::vector<std::string> brasil16 = lado("S", 16, kB, {"FAZENDA NOVA"});
  std::vector<std::string> exterior16 = lado("N", 16, kB);
  std::vector<std::string> tudo16 = brasil16;
  tudo16.insert(tudo16.end(), exterior16.begin(), exterior16.end());
  std::vector<std::string> t16 = naTabela(16, kB);
  std::sort(t16.begin(), t16.end());
  std::sort(tudo16.begin(), tudo16.end());
  EXPECT_EQ(t16, tudo16);
  EXPECT_EQ(naTabela(15, kB), (std::vector<std::string>{"S:RESUMO BR", "N:EXT15C222L0"}));

  // Work on the abroad side, then back.
  area(store::Area::TMP_19)->goTo(1);
  ASSERT_TRUE(area(store::Area::TMP_19)->status());
  ASSERT_TRUE(area(store::Area::TMP_19)->put("DESCR", std::string("VENDA NO EXTERIOR")));
  ASSERT_TRUE(area(store::Area::TMP_19)->flush());
  ASSERT_TRUE(MUDA_ATV(ctx, dec, "N", "S"));
  EXPECT_EQ(dec.espelho.registro.txt("ATV_BRASIL"), "S");
  EXPECT_EQ(aparado(dec.espelho.rural.txt("I7_V1")), "RESUMO BR");
  EXPECT_EQ(naCopia(16), marcas(brasil16));
  for (int n : {17, 18, 19}) EXPECT_EQ(naCopia(n), marcas(lado("S", n, kB))) << n;
  std::vector<std::string> t19 = naTabela(19, kB);
  EXPECT_EQ(std::count(t19.begin(), t19.end(), "N:VENDA NO EXTERIOR"), 1);
  EXPECT_EQ(t19.size(), 4u);
  for (int n = 15; n <= 19; ++n) {
    EXPECT_EQ(naTabela(n, kB).size(), n == 15 ? 2u : (n == 16 ? 5u : 4u)) << n;
    // The other taxpayer is untouched.
    std::vector<std::string> a = lado("S", n, kA), an = lado("N", n, kA);
    a.insert(a.end(), an.begin(), an.end());
    EXPECT_EQ(naTabela(n, kA), a) << n;
  }
}

TEST_F(MudaAtv, SameSideOrNoSideChangesNothing) {
  const std::vector<std::string> antes = naTabela(16, kB);
  EXPECT_TRUE(MUDA_ATV(ctx, dec, "S", "S"));
  EXPECT_FALSE(MUDA_ATV(ctx, dec, "S", " "));
  EXPECT_FALSE(MUDA_ATV(ctx, dec, "S", "X"));
  EXPECT_EQ(dec.espelho.registro.txt("ATV_BRASIL"), "S");
  EXPECT_EQ(naCopia(16), marcas(lado("S", 16, kB)));
  EXPECT_EQ(naTabela(16, kB), antes);
}

// A new taxpayer has no side yet: what the copies and the summary hold so far becomes the side
// chosen, and nothing is saved under a blank side, where no side would load it again.
TEST_F(MudaAtv, ANewTaxpayersRowsTakeTheFirstSideChosen) {
  const std::string kNovo = "33333333333";
  dec.espelho.CPF = kNovo;
  ASSERT_TRUE(INIC_VAR(ctx, dec, 0, 0));
  ASSERT_EQ(dec.espelho.registro.txt("ATV_BRASIL"), " ");
  rt::db::Table& imoveis = *area(store::Area::TMP_16);
  ASSERT_TRUE(imoveis.appendBlank());
  ASSERT_TRUE(imoveis.put("CPF", kNovo));
  ASSERT_TRUE(imoveis.put("I2R_01", std::string("FAZENDA FORA")));
  ASSERT_TRUE(imoveis.flush());
  dec.espelho.rural.txt("I7_V1", "RESUMO FORA");

  ASSERT_TRUE(MUDA_ATV(ctx, dec, " ", "N"));
  EXPECT_EQ(dec.espelho.registro.txt("ATV_BRASIL"), "N");
  EXPECT_EQ(dec.espelho.rural.txt("ATV_BRASIL"), "N");
  EXPECT_EQ(aparado(dec.espelho.rural.txt("I7_V1")), "RESUMO FORA");
  EXPECT_EQ(naCopia(16), (std::vector<std::string>{"FAZENDA FORA"}));
  EXPECT_EQ(area(store::Area::TMP_16)->getText("ATV_BRASIL"), "N");
  for (int n = 15; n <= 19; ++n) {
    EXPECT_TRUE(naTabela(n, kNovo).empty()) << n;
    EXPECT_EQ(rt::text::upper(area(copia(static_cast<Area>(n)))->orderExpression(1)), "CPF+ATV_BRASIL") << n;
  }
  // Switched again, the rows and the summary are saved under the side they took.
  ASSERT_TRUE(MUDA_ATV(ctx, dec, "N", "S"));
  EXPECT_EQ(naTabela(16, kNovo), (std::vector<std::string>{"N:FAZENDA FORA"}));
  EXPECT_EQ(naTabela(15, kNovo), (std::vector<std::string>{"N:RESUMO FORA"}));
  EXPECT_TRUE(naCopia(16).empty());
}

TEST_F(MudaAtv, ATableThatCannotBeHadSwitchesNothing) {
  // The debts table damaged: neither saved nor read, so every copy keeps the Brazil side.
  {
    std::FILE* f = std::fopen((dados / "IMP1810.DBF").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("quebrado", f);
    std::fclose(f);
  }
  EXPECT_FALSE(MUDA_ATV(ctx, dec, "S", "N"));
  EXPECT_EQ(dec.espelho.registro.txt("ATV_BRASIL"), "S");
  EXPECT_EQ(dec.espelho.rural.txt("ATV_BRASIL"), "S");
  for (int n = 15; n <= 19; ++n) EXPECT_EQ(naCopia(n), marcas(lado("S", n, kB))) << n;
}

TEST_F(MudaAtv, WaitsWhileAnotherTerminalHoldsARuralTable) {
  OutroTerminal outro(
      [caminho = dados / "IMP1810.DBF"] {
        std::vector<std::unique_ptr<rt::db::Table>> v;
        v.push_back(abre(caminho, true));
        return v;
      },
      300ms);
  ASSERT_TRUE(outro.pronto());
  espera.zera();
  ASSERT_TRUE(MUDA_ATV(ctx, dec, "S", "N"));
  // Each try waited a second, and the switch went on once the table was free.
  EXPECT_GT(espera.vezes(), 0);
  EXPECT_EQ(espera.total(), std::chrono::milliseconds(1000) * espera.vezes());
  EXPECT_EQ(naCopia(18), marcas(lado("N", 18, kB)));
  std::vector<std::string> ambos = lado("S", 18, kB), exterior = lado("N", 18, kB);
  ambos.insert(ambos.end(), exterior.begin(), exterior.end());
  EXPECT_EQ(naTabela(18, kB), ambos);
}

}  // namespace
}  // namespace store::teste
