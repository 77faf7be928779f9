// Folders with accents in the converter's folder dialog: typed in the console's code page,
// found and kept as the file system names them (UTF-8), shown again with their accents.
#include <filesystem>

#include "converter/pegaosdir.h"
#include "fixture.h"
#include "rt/db/file.h"
#include "rt/db/table.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/pastas_dados.h"
#include "store/travas.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;
using store::Area;
namespace key = rt::term::key;

constexpr int kCtrlY = 25;  // clears the field from the cursor on

class PastasAcentuadas : public ConversorFixture {
 protected:
  void SetUp() override {
    ConversorFixture::SetUp();
    if (IsSkipped()) return;
    linha(Area::CONFIG, {{"NRO_TERM", std::string("05")}});
    (void)store::fecha(ctx.areas, Area::CONFIG);
  }
  void campo(const std::string& utf8) { term.press(kCtrlY).type(rt::text::utf8ToCp860(utf8)).press(key::Enter); }
};

TEST_F(PastasAcentuadas, TheTaxAuthorityDialogFindsAndKeepsFoldersTypedWithAccents) {
  std::filesystem::create_directories(dados / "Declarações 2010");
  std::filesystem::create_directories(outra / "Março");
  // On drives, as the office types folders: the target's field holds 40 characters.
  ctx.unidades.setDrive('S', dados.caminho());
  ctx.unidades.setDrive('T', outra.caminho());
  const std::string origem = "S:\\Declarações 2010";
  c.OPCAO_1 = kReceita;
  campo(origem);
  campo("T:\\Março");
  ASSERT_TRUE(PEGAOSDIR(ctx, c, ModoPastas::Receita));
  EXPECT_EQ(c.ORIGEM, origem);
  EXPECT_TRUE(store::mesmaPasta(ctx, c.ARQDEST, outra / "Março")) << c.ARQDEST;
  EXPECT_TRUE(store::mesmaPasta(ctx, ctx.LOCARQ, outra / "Março")) << ctx.LOCARQ;

  // Asked again, the source kept is shown as typed; Esc keeps it in the terminal's settings.
  gravador.esquece();
  term.press(key::Esc);
  EXPECT_FALSE(PEGAOSDIR(ctx, c, ModoPastas::Receita));
  EXPECT_TRUE(gravador.viu(rt::text::utf8ToCp860(origem)));
  auto config = rt::db::Table::open(rt::db::resolveCaseInsensitive(programa / "CONFIG.DBF"),
                                    {.exclusive = false, .readOnly = true, .alias = {}});
  ASSERT_TRUE(config);
  (*config)->goTop();
  EXPECT_EQ(rt::text::alltrim((*config)->getText("ROTAREANT")), origem);
}

}  // namespace
}  // namespace converter::teste
