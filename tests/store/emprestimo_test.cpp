// The ranges of areas lent to a task: one lease at a time per area, the task's tables let go
// when it ends, and the ranges the tasks hold together apart.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "rt/db/table.h"
#include "support/scratch_dir.h"
#include "workareas/areas_trabalho.h"

namespace {

using workareas::Area;
using workareas::AreasTrabalho;
using workareas::Emprestimo;
using workareas::Faixa;

TEST(Emprestimo, OneLeasePerAreaItsTablesLetGoAtItsEnd) {
  support::Pasta pasta("emprestimo");
  const std::string dbf = pasta.caminho() + "/T.DBF";
  ASSERT_TRUE(rt::db::Table::create(dbf, {{"CPF", 'C', 11, 0}}, rt::db::CreateMode::kReplace));
  AreasTrabalho areas;
  ASSERT_TRUE(areas.open(Area::LISNOME, dbf, {.exclusive = false, .readOnly = true, .alias = "CATALOGADA"}));
  {
    Emprestimo fontes(areas, Faixa{71, 89});
    EXPECT_EQ(fontes.area(1), static_cast<Area>(71));
    EXPECT_EQ(fontes.area(19), static_cast<Area>(89));
    EXPECT_THROW((void)fontes.area(0), std::logic_error);
    EXPECT_THROW((void)fontes.area(20), std::logic_error);
    ASSERT_TRUE(areas.open(fontes.area(3), dbf, {.exclusive = false, .readOnly = true, .alias = "FONTE3"}));
    // A range meeting one lent, by one area or wholly, is refused; one beside it is not.
    EXPECT_THROW(Emprestimo(areas, Faixa{89, 89}), std::logic_error);
    EXPECT_THROW(Emprestimo(areas, Faixa{71, 90}), std::logic_error);
    {
      const Emprestimo rurais(areas, Faixa{90, 95});
      EXPECT_TRUE(areas.emprestada(Faixa{95, 99}));
    }
    EXPECT_FALSE(areas.emprestada(Faixa{90, 99}));
    EXPECT_TRUE(areas.isOpen(fontes.area(3)));
  }
  // The lease's tables went with it, the catalogue's stayed, and the range is free again.
  EXPECT_FALSE(areas.isOpen(static_cast<Area>(73)));
  EXPECT_TRUE(areas.isOpen(Area::LISNOME));
  EXPECT_FALSE(areas.emprestada(Faixa{71, 89}));
  const Emprestimo outra(areas, Faixa{71, 90});
}

TEST(Emprestimo, RangesOfTheTasksStayOutOfTheCatalogueAndApart) {
  for (const Faixa& f : {workareas::kOrigensTransferencia, workareas::kFontesAnterior, workareas::kFontesRurais,
                         workareas::kCaixaRural, workareas::kRegistroRuralListado}) {
    EXPECT_GT(f.primeira, workareas::numero(Area::LISNOME));
    EXPECT_LE(f.ultima, rt::db::WorkAreas::kAreas);
  }
  // Last year's conversion holds its tables beside the rural ones and the cash book's; the
  // listing of the sibling's taxpayers holds its register beside the rural tables.
  AreasTrabalho areas;
  {
    const Emprestimo a(areas, workareas::kFontesAnterior), b(areas, workareas::kFontesRurais);
  }
  {
    const Emprestimo a(areas, workareas::kFontesAnterior), b(areas, workareas::kCaixaRural);
  }
  const Emprestimo a(areas, workareas::kRegistroRuralListado), b(areas, workareas::kFontesRurais);
}

}  // namespace
