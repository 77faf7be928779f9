#include <gtest/gtest.h>

#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/browse.h"

namespace rt::ui {
namespace {

using rt::term::Console;
using rt::term::Key;
using rt::term::ScriptedTerminal;
namespace key = rt::term::key;
using namespace rt::text::literals;

// A source that counts the rows it is moved over, to show the browse stays on screen.
struct CountingSource : DataSource {
  MatrixSource inner;
  long touched = 0;
  explicit CountingSource(std::vector<MatrixSource::Row> rows) : inner(std::move(rows)) {}
  void goTop() override { inner.goTop(); }
  void goBottom() override { inner.goBottom(); }
  long skip(long n) override {
    long m = inner.skip(n);
    touched += m < 0 ? -m : m;
    return m;
  }
  long position() const override { return inner.position(); }
  bool eof() const override { return inner.eof(); }
  bool bof() const override { return inner.bof(); }
};

struct BrowseTest : ::testing::Test {
  ScriptedTerminal term;
  Console console{term};
  CountingSource source{rows(1000)};
  Browse b{console.screen(), {2, 0, 22, 79}, source};

  static std::vector<MatrixSource::Row> rows(int n) {
    std::vector<MatrixSource::Row> out;
    for (int i = 1; i <= n; ++i)
      out.push_back({Decimal(i), "Nome " + std::to_string(i), Decimal(i) * 100 + Decimal::fromRaw(50'000'000),
                     "Primeira descricao " + std::to_string(i), "Segunda descricao " + std::to_string(i)});
    return out;
  }
  Column col(std::string heading, std::size_t c, std::string picture, int width = 0) {
    Column k;
    k.heading = std::move(heading);
    k.block = [this, c] { return source.inner.cell(c); };
    k.picture = std::move(picture);
    k.width = width;
    return k;
  }
  void SetUp() override {
    b.setColSep(std::string("│"_cp));
    b.setHeadSep(std::string("═"_cp));
    b.setFootSep(std::string("┴─"_cp));
    b.setColours(rt::term::parseColourList("W/B,N/W,GR+/B,W+/R"));
    b.addColumn(col("Nr", 0, "9999"));
    b.addColumn(col("Nome", 1, "@S30", 30));
    auto valor = col("Valor", 2, "@E 999,999.99");
    valor.footing = "Total";
    b.addColumn(valor);
    b.addColumn(col("Descricao", 3, "", 30));
    b.addColumn(col("Outra", 4, "", 30));
    b.setFreeze(1);
  }
  std::string row(int r) {
    console.refresh();
    return term.row(r);
  }
  // The caller's loop: keys until Esc.
  void drive() {
    for (;;) {
      Key k = browseWait(console, b);
      if (k.code == key::Esc) break;
      applyStandardKey(b, k);
    }
    b.forceStable();
  }
};

TEST_F(BrowseTest, FirstPageWithHeadingsSeparatorsAndFooting) {
  b.forceStable();
  EXPECT_EQ(b.rowCount(), 17);
  // Nr, Nome, Valor and Descricao fit (77 columns), centred.
  EXPECT_EQ(row(2).substr(0, 12), "   Nr Nome  ");
  EXPECT_EQ(row(3), " " + std::string(77, '\xCD') + "  ");  // ═ across the columns
  EXPECT_EQ(row(4).rfind("    1│Nome 1                        │    100,50│Prim"_cp, 0), 0u) << row(4);
  EXPECT_EQ(row(21).substr(0, 7), std::string(" ────┴─"_cp));
  EXPECT_NE(row(22).find("Total"), std::string::npos);
  EXPECT_EQ(term.attrAt(4, 1), rt::term::makeAttr(0, 7));  // the cursor's cell
  EXPECT_EQ(term.attrAt(5, 1), rt::term::makeAttr(7, 1));
}

TEST_F(BrowseTest, PageDownEndAndHomeOverAThousandRows) {
  term.press(key::PgDn).press(key::PgDn).press(key::Esc);
  drive();
  EXPECT_EQ(source.inner.position(), 35);
  EXPECT_EQ(row(4).substr(0, 6), std::string("   35│"_cp));
  EXPECT_EQ(row(20).substr(0, 6), std::string("   51│"_cp));

  term.press(key::CtrlPgDn).press(key::Esc);
  drive();
  EXPECT_EQ(source.inner.position(), 1000);
  EXPECT_EQ(b.rowPos(), 17);
  EXPECT_EQ(row(20).substr(0, 6), std::string(" 1000│"_cp));
  EXPECT_EQ(row(4).substr(0, 6), std::string("  984│"_cp));
  term.press(key::Down).press(key::Esc);
  drive();
  EXPECT_TRUE(b.hitBottom());

  // Columns: End goes to the last one on screen, Right pans; the frozen number stays.
  term.press(key::End).press(key::Right).press(key::Esc);
  drive();
  EXPECT_EQ(b.colPos(), 5);
  EXPECT_EQ(row(20).substr(0, 6), std::string(" 1000│"_cp));
  EXPECT_NE(row(20).find(std::string(" 1000│100.000,50│Primeira descricao 1000"_cp)), std::string::npos) << row(20);
  EXPECT_NE(row(20).find("Segunda descricao 1000"), std::string::npos);
  EXPECT_EQ(row(20).find("Nome 1000"), std::string::npos);

  term.press(key::Home).press(key::CtrlPgUp).press(key::Esc);
  drive();
  EXPECT_EQ(b.colPos(), 1);
  EXPECT_EQ(source.inner.position(), 1);
  EXPECT_EQ(row(4).substr(0, 6), std::string("    1│"_cp));
  EXPECT_FALSE(b.hitTop());
  // Only the rows on screen were ever touched: a few pages' worth, not the thousand rows.
  EXPECT_LT(source.touched, 600);
}

// Ctrl+Home after panning right (a grid's last column left with Enter pushes it) shows the
// first columns again on every row and in the headings, not only on the cursor's row.
TEST_F(BrowseTest, CtrlHomeAfterPanningRedrawsEveryRowAndTheHeadings) {
  term.press(key::End).press(key::Right).press(key::CtrlHome).press(key::Esc);
  drive();
  EXPECT_EQ(b.colPos(), 1);
  EXPECT_EQ(row(2).substr(0, 12), "   Nr Nome  ");
  for (int r = 4; r <= 20; ++r) {
    EXPECT_NE(row(r).find("Nome " + std::to_string(r - 3) + " "), std::string::npos) << row(r);
    EXPECT_EQ(row(r).find("Segunda"), std::string::npos) << row(r);
  }
}

TEST_F(BrowseTest, DownAtTheBottomRowScrollsOneRow) {
  b.forceStable();
  for (int i = 0; i < 20; ++i) b.down();
  b.forceStable();
  EXPECT_EQ(b.rowPos(), 17);
  EXPECT_EQ(source.inner.position(), 21);
  EXPECT_EQ(row(4).substr(0, 6), std::string("    5│"_cp));
  EXPECT_EQ(row(20).substr(0, 6), std::string("   21│"_cp));
  EXPECT_EQ(term.attrAt(20, 1), rt::term::makeAttr(0, 7));
  EXPECT_EQ(term.attrAt(19, 1), rt::term::makeAttr(7, 1));
  b.up();
  b.forceStable();
  EXPECT_EQ(b.rowPos(), 16);
  b.pageUp();
  b.forceStable();
  EXPECT_EQ(source.inner.position(), 3);
  b.pageUp();
  b.forceStable();
  EXPECT_EQ(source.inner.position(), 1);
  EXPECT_EQ(b.rowPos(), 1);
  b.pageUp();
  EXPECT_TRUE(b.hitTop());
  console.screen().fill({0, 0, 24, 79}, '#', 7);  // a window drew over the browse and left
  b.invalidate();
  b.forceStable();
  EXPECT_EQ(row(4).substr(0, 6), std::string("    1│"_cp));
  EXPECT_EQ(row(2).substr(0, 5), "   Nr");
}

TEST_F(BrowseTest, ShortAndEmptySources) {
  MatrixSource small(rows(3));
  Browse s(console.screen(), {0, 0, 9, 39}, small);
  Column c;
  c.heading = "Nr";
  c.block = [&] { return small.cell(0); };
  c.picture = "99";
  s.addColumn(c);
  s.forceStable();
  s.pageDown();
  s.forceStable();
  EXPECT_EQ(small.position(), 3);
  EXPECT_EQ(s.rowPos(), 3);
  MatrixSource none;
  Browse e(console.screen(), {12, 0, 20, 39}, none);
  Column d;
  d.heading = "Nada";
  d.block = [&] { return none.cell(0); };
  e.addColumn(d);
  e.forceStable();
  e.down();
  EXPECT_TRUE(e.hitBottom());
  e.pageUp();
  EXPECT_TRUE(e.hitTop());
  // The first row added to the empty source gives the column its width: a CPF is not cut to
  // the heading's four places.
  none.rows().push_back({Value(std::string("529.982.247-25"))});
  e.refreshAll();
  e.forceStable();
  console.refresh();
  EXPECT_NE(term.row(13).find("529.982.247-25"), std::string::npos) << term.row(12) << "\n" << term.row(13);
}

TEST_F(BrowseTest, ColourBlockAndPaintedRow) {
  b.column(3).colourBlock = [](const Value& v) {
    return std::get<Decimal>(v) > 200 ? ColourPair{4, 2} : ColourPair{1, 2};
  };
  b.forceStable();
  EXPECT_EQ(b.screenColOf(3), 37);
  console.refresh();
  EXPECT_EQ(term.attrAt(4, 37), rt::term::makeAttr(7, 1));   // 100,50
  EXPECT_EQ(term.attrAt(5, 37), rt::term::makeAttr(15, 4));  // 200,50
  b.paintCurrentRow({3, 4});
  console.refresh();
  EXPECT_EQ(term.attrAt(4, 10), rt::term::makeAttr(14, 1));
  EXPECT_EQ(term.attrAt(4, 1), rt::term::makeAttr(15, 4));
}

}  // namespace
}  // namespace rt::ui
