// The printer set-up: the model chosen in the model list, an empty list, and the port form.
#include <gtest/gtest.h>

#include "print/confimp.h"
#include "print/configura.h"
#include "print/rota.h"
#include "print_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"

namespace {

using namespace rt::text::literals;

class ConfiguraTest : public print_test::PrintFixture {
 protected:
  ConfiguraTest() { EXPECT_TRUE(print::CRIA_SEQ(ctx, imp, semAmbiente)); }
  std::unique_ptr<rt::db::Table> registroDoTerminal() {
    auto t = store::teste::abre(programa / "CONFIMP.DBF");
    t->goTop();
    EXPECT_TRUE(t->status());
    return t;
  }
  // A grid that leaves the marks "S" on the rows given (1-based).
  print::GradeModelos marca(std::vector<std::uint32_t> linhas) {
    return [linhas](store::Contexto& c) {
      rt::db::Table& m = *c.areas.table(store::Area::PRINTS);
      for (std::uint32_t r = 1; r <= m.recordCount(); ++r) {
        m.goTo(r);
        ASSERT_TRUE(m.status());
        ASSERT_TRUE(m.lockRecord());
        const bool sim = std::find(linhas.begin(), linhas.end(), r) != linhas.end();
        ASSERT_TRUE(m.put("CONFIM", std::string(sim ? "S" : " ")));
        ASSERT_TRUE(m.flush());
      }
      (void)m.unlock();
    };
  }
};

TEST_F(ConfiguraTest, TheFirstMarkedModelGoesIntoTheRecordAndAnEmptyListChangesNothing) {
  ASSERT_TRUE(print::ESC_IMP(ctx, imp, marca({2}), semAmbiente));
  EXPECT_EQ(rt::text::alltrim(registroDoTerminal()->getText("NOMEIMP")), "NAO DOS");
  EXPECT_EQ(imp.seq.STRING[2], "") << "the NAO DOS model has no sequences";
  EXPECT_TRUE(print::naoDos(imp.conf));

  // Both marked: the first is the model and the other mark goes.
  ASSERT_TRUE(print::ESC_IMP(ctx, imp, marca({1, 2}), semAmbiente));
  EXPECT_EQ(rt::text::alltrim(imp.conf.NOMEIMP), "Impressora padr");
  EXPECT_EQ(imp.seq.STRING[2], "\x1b" "A");
  auto modelos = store::teste::abre(programa / "PRINTS.DBF");
  modelos->goTo(2);
  ASSERT_TRUE(modelos->status());
  EXPECT_EQ(modelos->getText("CONFIM"), " ");
  modelos.reset();

  // None marked: the first row is.
  ASSERT_TRUE(print::ESC_IMP(ctx, imp, marca({}), semAmbiente));
  modelos = store::teste::abre(programa / "PRINTS.DBF");
  modelos->goTo(1);
  ASSERT_TRUE(modelos->status());
  EXPECT_EQ(modelos->getText("CONFIM"), "S");
  modelos.reset();

  // An empty list keeps the printer and says so.
  (void)ctx.areas.close(store::Area::PRINTS);
  auto exclusiva = store::teste::abre(programa / "PRINTS.DBF", true);
  ASSERT_NE(exclusiva, nullptr);
  ASSERT_TRUE(exclusiva->zap());
  exclusiva.reset();
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(print::ESC_IMP(ctx, imp, {}, semAmbiente));
  EXPECT_TRUE(term.contains("A lista de impressoras está vazia"_cp));
  EXPECT_EQ(rt::text::alltrim(registroDoTerminal()->getText("NOMEIMP")), "Impressora padr");
  EXPECT_EQ(imp.seq.STRING[2], "\x1b" "A");
}

TEST_F(ConfiguraTest, ThePortFormRefusesWhatCannotBeAndKeepsOnePort) {
  // "X" is refused; a serial port 5 is refused; serial 2 clears the parallel port.
  // One-character fields go on by themselves once typed.
  term.type("X").pause().press(rt::term::key::Enter).type("R");
  term.press(rt::term::key::Enter);  // LPT stays 1 for now
  term.type("5").pause().press(rt::term::key::Enter).type("2");
  term.press(27);
  print::MUDA_PORTA(ctx, imp);
  auto t = registroDoTerminal();
  EXPECT_EQ(t->getText("LOCIMPR"), "R") << term.dump();
  EXPECT_EQ(t->getNumber("NROLPT").wholePart(), 0);
  EXPECT_EQ(t->getNumber("NROCOM").wholePart(), 2);
}

// An output file name typed with accents is kept as typed and names the file in the file
// system's UTF-8; a name with a separator is still refused.
TEST_F(ConfiguraTest, AnAccentedOutputNameIsTypedKeptAndWrittenInUtf8) {
  term.press(rt::term::key::Enter).type("0").press(rt::term::key::Enter);  // local, no ports
  term.type("REL/").press(rt::term::key::Enter).pause().press(rt::term::key::Enter);  // a folder: refused
  term.press(25).type("REL\x80\x8EO").press(rt::term::key::Enter);                          // RELAÇÃO
  term.press(27);
  bool recusou = false;
  con.setIdle([&] { recusou = recusou || term.contains("Nome do arquivo de sa\xA1" "da inv\xA0lido"); });
  print::MUDA_PORTA(ctx, imp);
  EXPECT_TRUE(recusou);
  EXPECT_EQ(registroDoTerminal()->getText("SAIDAPR"), "REL\x80\x8EO  ");
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  EXPECT_EQ(imp.ARQ_IMP, trabalhoLinux() + "REL\xC3\x87\xC3\x83O.TXT");
  imp.dispositivo.say(0, 0, "lista");
  ASSERT_TRUE(print::fechaSaida(ctx, imp));
  EXPECT_EQ(print_test::le(trabalhoLinux() + "REL\xC3\x87\xC3\x83O.TXT"), "lista");
}

// A terminal's first record that the table refuses (here a port number wider than its field)
// is said, and the load answers false instead of reading the half-written row as made.
TEST_F(ConfiguraTest, AFirstRecordTheTableRefusesIsSaid) {
  ctx.NUSU = "08";
  imp.conf.NROLPT = 12;
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(print::CRIA_SEQ(ctx, imp, semAmbiente));
  EXPECT_TRUE(term.contains("O valor não cabe no campo"_cp)) << term.dump();
}

}  // namespace
