#include "ajustes_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "rt/text/decimal.h"
#include "store/abertura.h"
#include "store/travas.h"
#include "support/scratch_dir.h"

namespace shell::teste {

Pasta::Pasta() {
  caminho_ = support::makeScratchDir("shell");
}

Pasta::~Pasta() { support::removeScratchDir(caminho_); }

void Gravador::present(const rt::term::Screen& s) {
  std::string tela;
  for (int r = 0; r < rt::term::Screen::kRows; ++r) tela += s.rowText(r) + "\n";
  telas_.push_back({std::move(tela), s.cursorRow(), s.cursorCol(), s});
  t_.present(s);
}

bool Gravador::viu(std::string_view texto) const {
  for (const Tela& t : telas_)
    if (t.texto.find(texto) != std::string::npos) return true;
  return false;
}

bool Gravador::viuJuntos(std::string_view um, std::string_view outro) const {
  for (const Tela& t : telas_)
    if (t.texto.find(um) != std::string::npos && t.texto.find(outro) != std::string::npos) return true;
  return false;
}

bool Gravador::viuEm(int r, int c, std::string_view texto) const {
  const std::size_t inicio = static_cast<std::size_t>(r * (rt::term::Screen::kCols + 1) + c);
  for (const Tela& t : telas_)
    if (t.texto.compare(inicio, texto.size(), texto) == 0) return true;
  return false;
}

bool Gravador::viuComCor(int r, int c, std::string_view texto, rt::term::Attr cor) const {
  const std::size_t inicio = static_cast<std::size_t>(r * (rt::term::Screen::kCols + 1) + c);
  for (const Tela& t : telas_) {
    if (t.texto.compare(inicio, texto.size(), texto) != 0) continue;
    bool ok = true;
    for (int i = 0; i < static_cast<int>(texto.size()) && ok; ++i) ok = t.tela.at(r, c + i).attr == cor;
    if (ok) return true;
  }
  return false;
}

std::vector<std::string> Gravador::ultima(std::string_view texto, std::string_view outro) const {
  for (auto t = telas_.rbegin(); t != telas_.rend(); ++t) {
    if (t->texto.find(texto) == std::string::npos || t->texto.find(outro) == std::string::npos) continue;
    std::vector<std::string> linhas;
    for (int r = 0; r < rt::term::Screen::kRows; ++r) linhas.push_back(t->tela.rowText(r));
    return linhas;
  }
  return {};
}

bool Gravador::cursorEm(int r, int c) const {
  for (const Tela& t : telas_)
    if (t.linha == r && t.coluna == c) return true;
  return false;
}

AjustesFixture::AjustesFixture() {
  // The settings file is the program folder's, whatever the environment says.
  unsetenv("TAVREN_FATOR3_FILE");
  ctx.definePastaPrograma(programa.caminho());
  ctx.definePastaDados(dados.caminho());
  ctx.definePastaTrabalho(trabalho.caminho());
  ctx.NUSU = "00";
}

AjustesFixture::~AjustesFixture() {
  (void)ctx.areas.closeAll();
}

void AjustesFixture::criaConfig(bool quersen, int ultSenir) {
  ASSERT_TRUE(store::ABERTURA(ctx, 42));
  ASSERT_TRUE(store::ADD_REC(ctx, 5));
  rt::db::Table& t = *ctx.areas.table(42);
  ASSERT_TRUE(t.put("NRO_TERM", ctx.NUSU));
  ASSERT_TRUE(t.put("QUERSEN", quersen));
  ASSERT_TRUE(t.put("ULT_SENIR", rt::text::Decimal(ultSenir)));
  ASSERT_TRUE(t.flush());
  store::DESTRAVA(ctx);
  ASSERT_TRUE(ctx.areas.close(42));
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
