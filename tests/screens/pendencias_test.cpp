// F11 in the taxpayer chooser: the notes of the taxpayer under the register's cursor, and only
// theirs, in the terminal's copy of table 11 shown by grid screen 11.
#include "screens/pendencias.h"

#include <gtest/gtest.h>

#include <string>

#include "rt/db/table.h"
#include "rt/term/console.h"
#include "rt/term/keys.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/cp860.h"
#include "rt/text/date.h"
#include "store/abertura.h"
#include "store/contexto.h"
#include "store/espera.h"
#include "store/tabelas_declaracao.h"
#include "support/scratch_dir.h"

namespace screens {
namespace {

using rt::text::Decimal;

class PendenciasTest : public ::testing::Test {
 protected:
  PendenciasTest() {
    ctx.definePastaPrograma(pasta + "/prog");
    ctx.definePastaDados(pasta + "/dados");
    ctx.definePastaTrabalho(pasta + "/trab");
    for (const char* p : {"/prog", "/dados", "/trab"}) std::filesystem::create_directories(pasta + p);
    ctx.NUSU = "03";
  }
  ~PendenciasTest() override {
    (void)ctx.areas.closeAll();
    support::removeScratchDir(pasta);
  }

  void nota(const std::string& cpf, const std::string& texto, int codigo) {
    rt::db::Table& t = *ctx.areas.table(store::Area::IMP1110);
    ASSERT_TRUE(t.appendBlank().isOk());
    ASSERT_TRUE(t.put("CPF", cpf).isOk());
    ASSERT_TRUE(t.put("OBSERV", texto).isOk());
    ASSERT_TRUE(t.put("CODERR", Decimal(codigo)).isOk());
  }
  void contribuinte(const std::string& cpf) {
    rt::db::Table& t = *ctx.areas.table(store::Area::IMP0910);
    ASSERT_TRUE(t.appendBlank().isOk());
    ASSERT_TRUE(t.put("CPF", cpf).isOk());
  }
  // Maria, with one note, and José, with none, in the register; both tables open.
  void mariaEJose() {
    ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP0910));
    ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP1110));
    nota("11144477735", "NOTA DA MARIA", 2);
    contribuinte("11144477735");
    contribuinte("52998224725");
  }
  bool viu(std::string_view texto) { return term.contains(texto); }
  int linhaDe(std::string_view texto) {
    for (int r = 0; r < 25; ++r)
      if (term.row(r).find(texto) != std::string::npos) return r;
    return -1;
  }

  std::string pasta = support::makeScratchDir("pend");
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  store::EsperaVirtual espera{&relogio};
  store::Contexto ctx{con, relogio, espera};
  grid::Grade g;
};

TEST_F(PendenciasTest, ShowsOnlyTheNotesOfTheTaxpayerUnderTheCursorInCodeOrder) {
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP0910));
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP1110));
  nota("11144477735", "SEGUNDA NOTA DA MARIA", 7);
  nota("52998224725", "NOTA DO JOSE", 1);
  nota("11144477735", "PRIMEIRA NOTA DA MARIA", 2);
  contribuinte("52998224725");
  contribuinte("11144477735");
  ctx.areas.table(store::Area::IMP0910)->goTo(2);
  ASSERT_TRUE(ctx.areas.table(store::Area::IMP0910)->status());
  (void)ctx.areas.close(store::Area::IMP1110);  // the chooser has table 11 closed

  term.press(rt::term::key::Esc);
  MOS_PEND(ctx, g);
  EXPECT_TRUE(viu("PRIMEIRA NOTA DA MARIA"));
  EXPECT_TRUE(viu("SEGUNDA NOTA DA MARIA"));
  EXPECT_FALSE(viu("NOTA DO JOSE"));
  EXPECT_LT(linhaDe("PRIMEIRA NOTA DA MARIA"), linhaDe("SEGUNDA NOTA DA MARIA"));  // by codERR
  EXPECT_EQ(ctx.areas.current(), store::Area::IMP0910);
  EXPECT_FALSE(ctx.areas.isOpen(store::Area::IMP1110));
  EXPECT_FALSE(ctx.areas.isOpen(store::Area::TMP_11));

  // The copy on disk holds exactly Maria's rows, and the shared table is untouched.
  rt::db::OpenOptions o;
  auto copia = rt::db::Table::open(store::caminhoCopia(ctx, store::Area::TMP_11) + ".DBF", o);
  ASSERT_TRUE(copia.isOk()) << copia.status().message();
  EXPECT_EQ((*copia)->recordCount(), 2u);
  for (std::uint32_t r = 1; r <= 2; ++r) {
    (*copia)->goTo(r);
    ASSERT_TRUE((*copia)->status().isOk());
    EXPECT_EQ((*copia)->getText("CPF"), "11144477735");
  }
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP1110));
  EXPECT_EQ(ctx.areas.table(store::Area::IMP1110)->recordCount(), 3u);
}

TEST_F(PendenciasTest, TheListIsOnlyLookedThroughNothingTypedIsTaken) {
  // What is typed here would stay in the terminal's copy and never reach table 11: the list
  // takes no typing, no new row, no deletion.
  mariaEJose();
  for (int linha : {1, 2}) {
    ctx.areas.table(store::Area::IMP0910)->goTo(static_cast<std::uint32_t>(linha));
    ASSERT_TRUE(ctx.areas.table(store::Area::IMP0910)->status().isOk());
    term.type("NOVA NOTA").press(rt::term::key::Enter).press(rt::term::key::Down).type("OUTRA");
    term.press(rt::term::key::Enter).press(rt::term::key::Up).press(rt::term::key::Del).type("S");
    term.press(rt::term::key::Esc);
    MOS_PEND(ctx, g);
    EXPECT_FALSE(term.exhausted());
    EXPECT_FALSE(viu("NOVA NOTA"));
    EXPECT_FALSE(viu("OUTRA"));
    auto copia = rt::db::Table::open(store::caminhoCopia(ctx, store::Area::TMP_11) + ".DBF", rt::db::OpenOptions{});
    ASSERT_TRUE(copia.isOk());
    ASSERT_EQ((*copia)->recordCount(), linha == 1 ? 1u : 0u);
    if (linha == 1) {
      (*copia)->goTo(1);
      ASSERT_TRUE((*copia)->status().isOk());
      EXPECT_FALSE((*copia)->isDeleted());
      EXPECT_EQ((*copia)->getText("OBSERV").substr(0, 13), "NOTA DA MARIA");
    }
  }
}

TEST_F(PendenciasTest, OnTheTaxpayerPromptTheListComesInItsOwnFrame) {
  using namespace rt::text::literals;
  // F11 on the prompt of the declaration item: nothing under the list draws a frame for it.
  mariaEJose();
  ctx.areas.table(store::Area::IMP0910)->goTo(1);
  ASSERT_TRUE(ctx.areas.table(store::Area::IMP0910)->status().isOk());
  g.OPCAO_1 = 11;
  term.press(rt::term::key::Esc);
  MOS_PEND(ctx, g);
  EXPECT_TRUE(viu("NOTA DA MARIA"));
  const int titulo = linhaDe("Notas e observa");
  ASSERT_GT(titulo, 0);
  EXPECT_NE(term.row(titulo - 1).find("┌"_cp), std::string::npos) << term.dump();
  EXPECT_NE(term.row(titulo).find("│"_cp), std::string::npos) << term.dump();
}

TEST_F(PendenciasTest, ATaxpayerWithoutNotesGetsAnEmptyCopyNotTheLastOnesNotes) {
  mariaEJose();
  ctx.areas.table(store::Area::IMP0910)->goTo(1);
  ASSERT_TRUE(ctx.areas.table(store::Area::IMP0910)->status());
  term.press(rt::term::key::Esc);
  MOS_PEND(ctx, g);
  EXPECT_TRUE(viu("NOTA DA MARIA"));

  ctx.areas.table(store::Area::IMP0910)->goTo(2);
  ASSERT_TRUE(ctx.areas.table(store::Area::IMP0910)->status());
  term.press(rt::term::key::Esc);
  MOS_PEND(ctx, g);
  EXPECT_FALSE(viu("NOTA DA MARIA"));
  EXPECT_TRUE(ctx.areas.isOpen(store::Area::IMP1110));  // open before, so left open
  auto copia = rt::db::Table::open(store::caminhoCopia(ctx, store::Area::TMP_11) + ".DBF", rt::db::OpenOptions{});
  ASSERT_TRUE(copia.isOk());
  EXPECT_EQ((*copia)->recordCount(), 0u);
}

}  // namespace
}  // namespace screens
