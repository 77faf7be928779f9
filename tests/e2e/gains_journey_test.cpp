// A capital gain on the real program in tmux: a new taxpayer's sale of a house entered on
// screen 8 with its result, saved; the declaration opened again shows the gain in its summary
// at once (the totals come from the stored gain rows, even when table 01 lacks them, as in a
// file made elsewhere); the gain found on screen 8 and deleted with its cost row.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "rt/text/decimal.h"
#include "tmux_session.h"

namespace {

using e2e::TmuxSession;
using rt::text::Decimal;
using namespace std::chrono_literals;

constexpr const char* kCpf = "12345678909";

class JornadaGanhos : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  std::string dados() const { return pasta_.caminho() + "/tavren/DADOS2010/"; }
  std::unique_ptr<rt::db::Table> abre(const std::string& arquivo) {
    auto t = rt::db::Table::open(dados() + arquivo + ".DBF");
    return t ? std::move(*t) : nullptr;
  }
  // The live rows of the taxpayer in `arquivo` that `aceita` takes.
  template <class F>
  int linhas(const std::string& arquivo, F aceita) {
    auto t = abre(arquivo);
    if (!t) return -1;
    int n = 0;
    for ((void)t->goTop(); !t->eof(); (void)t->skip())
      if (!t->isDeleted() && t->getText("CPF").substr(0, 11) == kCpf && aceita(*t)) ++n;
    return n;
  }
  // Field `campo` of the taxpayer's row of table 01.
  Decimal resumo(const std::string& campo) {
    auto t = abre("IMP0110");
    if (!t) return Decimal(-1);
    for ((void)t->goTop(); !t->eof(); (void)t->skip())
      if (t->getText("CPF").substr(0, 11) == kCpf) return t->getNumber(campo);
    return Decimal(-1);
  }
  // From screen 8's list: out of the screen and the declaration, saved; the taxpayer prompt
  // shows the taxpayer again.
  static bool saiESalva(TmuxSession& s) {
    e2e::teclas(s, {"Escape", "Escape"});
    if (!s.waitForText("Termina  a  Declaração")) return false;
    e2e::teclas(s, {"S"});
    return s.waitForText("C P F") && s.waitForText("FULANO DE TAL");
  }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaGanhos, GainEnteredShownReopenedInTheSummaryAndDeletedWithItsRows) {
  TmuxSession s(e2e::comandoTavren(pasta_.caminho() + "/tavren", "00", {}, 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Sair", e2e::kPartida)) << s.capture();
  e2e::teclas(s, {"Enter", "Enter"});  // Declaração, Declaração
  ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
  s.text(kCpf);
  ASSERT_TRUE(s.waitForText("Esse Contribuinte")) << s.capture();
  e2e::teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE")) << s.capture();
  e2e::teclas(s, {"N"});
  s.text("fulano de tal");
  e2e::teclas(s, {"Enter"});
  s.text("15031970");
  ASSERT_TRUE(s.waitForText(" 39 anos")) << s.capture();

  // Screen 8, real estate, a new gain: a house bought in 2004 and sold for cash in May 2009.
  e2e::teclas(s, {"F8"});
  ASSERT_TRUE(s.waitForText("DIGITE (1) p/ Imovel")) << s.capture();
  e2e::teclas(s, {"1"});
  ASSERT_TRUE(s.waitForText("Nr Item Descrição do Bem")) << s.capture();
  e2e::teclas(s, {"IC"});  // Ins: a new gain
  ASSERT_TRUE(s.waitForText("Ganho de Capital nº 1 - Imóvel")) << s.capture();
  e2e::teclas(s, {"1"});  // a sale
  s.text("CASA DA PRAIA");
  e2e::teclas(s, {"Enter"});
  s.text("01022004");
  s.text("04052009");
  s.text("150000");
  e2e::teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("É esse o caso?")) << s.capture();  // the single-residence exemption
  e2e::teclas(s, {"N"});
  s.text("150000");
  e2e::teclas(s, {"Enter"});
  s.text("100000");
  e2e::teclas(s, {"Enter", "N", "Enter", "Enter"});  // not in instalments, nothing reinvested or paid
  ASSERT_TRUE(s.waitForText("Ganho calculado.")) << s.capture();
  EXPECT_TRUE(s.waitForText("Custo considerado                 100.000,00")) << s.capture();
  EXPECT_TRUE(s.waitForText("Ganho tributável                   37.855,91")) << s.capture();
  EXPECT_TRUE(s.waitForText("Imposto devido                      5.678,38")) << s.capture();
  EXPECT_TRUE(s.waitForText("Parcela isenta/não tributável      12.144,09")) << s.capture();
  e2e::teclas(s, {"Enter"});  // back in the list: the gain and the kind's totals
  ASSERT_TRUE(s.waitForText(" 1│    │CASA DA PRAIA            │    37.855,91│    12.144,09│     5.678,38"))
      << s.capture();
  EXPECT_TRUE(s.waitForText("... Totais........                37.855,91     12.144,09      5.678,38"))
      << s.capture();

  // Saved.
  ASSERT_TRUE(saiESalva(s)) << s.capture();
  const auto doGanho = [](rt::db::Table& t) { return t.getNumber("BEM_NRO") == Decimal(1); };
  EXPECT_EQ(linhas("IMP0710", [](rt::db::Table& t) {
              return t.getNumber("VAL_TRIBU") == Decimal::parse("37855.91").value() &&
                     t.getNumber("VAL_IMPOS") == Decimal::parse("5678.38").value() &&
                     t.getNumber("IMP_DEV05") == Decimal::parse("5678.38").value() &&
                     t.getNumber("REC_MES05") == Decimal(150000);
            }),
            1);
  EXPECT_EQ(linhas("IMP0810", doGanho), 1);
  EXPECT_EQ(resumo("I4_02"), Decimal::parse("37855.91").value());

  // Table 01 without the gain's totals, as a file made before them or by another program: the
  // opening takes them from the gain rows again.
  {
    auto t = abre("IMP0110");
    ASSERT_TRUE(t);
    for ((void)t->goTop(); !t->eof(); (void)t->skip())
      if (t->getText("CPF").substr(0, 11) == kCpf) {
        ASSERT_TRUE(t->lockRecord());
        ASSERT_TRUE(t->put("I4_02", Decimal()));
        ASSERT_TRUE(t->put("I13_38", Decimal()));
        ASSERT_TRUE(t->flush());
      }
  }
  s.text(kCpf);
  ASSERT_TRUE(s.waitForText("(1)RENDIMENTOS TRIBUTAVEIS")) << s.capture();
  e2e::teclas(s, {"F7"});
  ASSERT_TRUE(s.waitForText("Declaração Simplificada")) << s.capture();
  EXPECT_TRUE(s.waitForText("Rend. Tributação Exclusiva/Definitiva       37.855,91")) << s.capture();

  // Found on screen 8 and deleted with its cost row.
  e2e::teclas(s, {"F8"});
  ASSERT_TRUE(s.waitForText("DIGITE (1) p/ Imovel")) << s.capture();
  e2e::teclas(s, {"1"});
  ASSERT_TRUE(s.waitForText("│CASA DA PRAIA")) << s.capture();
  // Already on the first row: Ctrl+PgUp changes nothing there.
  e2e::teclasComPausa(s, {"C-PPage"});
  e2e::teclas(s, {"DC"});
  ASSERT_TRUE(s.waitForText("Deseja mesmo eliminar esse Ganho de Capital?")) << s.capture();
  e2e::teclas(s, {"S"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("CASA DA PRAIA") == std::string::npos; }))
      << s.capture();
  ASSERT_TRUE(saiESalva(s)) << s.capture();
  EXPECT_EQ(linhas("IMP0710", [](rt::db::Table&) { return true; }), 0);
  EXPECT_EQ(linhas("IMP0810", doGanho), 0);
  EXPECT_EQ(resumo("I4_02"), Decimal());
}

// Esc on screen 8, at the kind's question or in the list, goes back to the summary (screen 7)
// it is reached from, as from screen 9; the question carries no other screen's key hint.
TEST_F(JornadaGanhos, EscOnTheGainsScreenGoesBackToTheSummary) {
  TmuxSession s(e2e::comandoTavren(pasta_.caminho() + "/tavren", "00", {}, 120), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Sair", 30s)) << s.capture();
  e2e::teclas(s, {"Enter", "Enter"});
  ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
  s.text(kCpf);
  ASSERT_TRUE(s.waitForText("Esse Contribuinte")) << s.capture();
  e2e::teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE")) << s.capture();
  e2e::teclas(s, {"N"});
  s.text("fulano de tal");
  e2e::teclas(s, {"Enter"});

  e2e::teclas(s, {"F7"});
  ASSERT_TRUE(s.waitForText("Declaração Simplificada")) << s.capture();
  e2e::teclas(s, {"F8"});
  ASSERT_TRUE(s.waitForText("DIGITE (1) p/ Imovel")) << s.capture();
  EXPECT_EQ(s.capture().find("Ctrl S=Muda"), std::string::npos) << s.capture();
  e2e::teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("Declaração Simplificada")) << s.capture();
  EXPECT_TRUE(s.waitForText("Ctrl S=Muda")) << s.capture();

  e2e::teclas(s, {"F8"});
  ASSERT_TRUE(s.waitForText("DIGITE (1) p/ Imovel")) << s.capture();
  e2e::teclas(s, {"2"});
  ASSERT_TRUE(s.waitForText("Nr Item Descrição do Bem")) << s.capture();
  e2e::teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("Declaração Simplificada")) << s.capture();
  EXPECT_EQ(s.capture().find("Nr Item Descrição do Bem"), std::string::npos) << s.capture();

  // Esc on the summary asks whether the declaration ends.
  e2e::teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("Termina  a  Declaração")) << s.capture();
  e2e::teclas(s, {"I"});
  ASSERT_TRUE(s.waitForText("C P F", 10s)) << s.capture();
}

}  // namespace
