#include "ajustes_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "rt/text/decimal.h"
#include "store/abertura.h"
#include "store/travas.h"

namespace shell::teste {

AjustesFixture::AjustesFixture() : ContextoFixture("shell") {
  // The settings file is the program folder's, whatever the environment says.
  unsetenv("TAVREN_FATOR3_FILE");
  ctx.NUSU = "00";
}

AjustesFixture::~AjustesFixture() {
  (void)ctx.areas.closeAll();
}

void AjustesFixture::criaConfig(bool quersen, int ultSenir) {
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::CONFIG));
  ASSERT_TRUE(store::ADD_REC(ctx, 5));
  rt::db::Table& t = *ctx.areas.table(store::Area::CONFIG);
  ASSERT_TRUE(t.put("NRO_TERM", ctx.NUSU));
  ASSERT_TRUE(t.put("QUERSEN", quersen));
  ASSERT_TRUE(t.put("ULT_SENIR", rt::text::Decimal(ultSenir)));
  ASSERT_TRUE(t.flush());
  ASSERT_TRUE(store::DESTRAVA(ctx));
  ASSERT_TRUE(ctx.areas.close(store::Area::CONFIG));
  aj.QUERSEN = quersen;
  aj.ULT_SENIR = ultSenir;
}

std::unique_ptr<rt::db::Table> AjustesFixture::abre(std::string_view arquivo, bool doTerminal) {
  auto t = rt::db::Table::open(programa / (std::string(arquivo) + ".DBF"));
  EXPECT_TRUE(t.isOk()) << arquivo;
  if (!t) return nullptr;
  std::unique_ptr<rt::db::Table> tabela = std::move(*t);
  (void)tabela->goTop();
  while (doTerminal && !tabela->eof() && tabela->getText("NRO_TERM") != ctx.NUSU) (void)tabela->skip(1);
  return tabela;
}

void AjustesFixture::gravaChave(const std::string& conteudo) {
  std::ofstream f(arquivoChave(), std::ios::binary | std::ios::trunc);
  f << conteudo;
}

std::string AjustesFixture::leChave() const {
  std::ifstream f(arquivoChave(), std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

}  // namespace shell::teste
