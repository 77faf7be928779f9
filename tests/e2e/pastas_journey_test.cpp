// The converter's folder dialog on the real programs: F1 says when the previous installation
// has no folder list; once it has one, F1 shows it and Enter puts the chosen folder into the
// source field, whose declarations are then listed; left with Esc, the dialog keeps the
// source in the terminal's settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;
namespace fs = std::filesystem;

// A 2010 declaration file: header and identification record, at their columns.
void declaracao(const std::string& caminho, const std::string& cpf, const std::string& nome) {
  std::string cabecalho(213, ' '), id(235, ' ');
  cabecalho.replace(0, 12, "DECLIRPF2010");
  cabecalho.replace(164, 10, "1234567890");
  id.replace(0, 2, "16");
  id.replace(2, 11, cpf);
  id.replace(13, nome.size(), nome);
  std::ofstream(caminho, std::ios::binary) << cabecalho << "\r\n" << id << "\r\n";
}

// The file of `pasta` named `nome` in any case ("" none).
std::string achaArquivo(const std::string& pasta, const std::string& nome) {
  for (const auto& e : fs::directory_iterator(pasta)) {
    std::string n = e.path().filename().string();
    for (char& ch : n) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (n == nome) return e.path().string();
  }
  return {};
}

class JornadaPastas : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  std::string raiz() const { return pasta_.caminho(); }
  std::string home() const { return raiz() + "/tavren"; }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaPastas, F1ListsThePreviousInstallationsFoldersAndFillsTheSource) {
  // Drive C: is a folder of the test, so the installation folder (C:\BRANTEL) is one too.
  fs::create_directories(raiz() + "/c");
  TmuxSession s(e2e::comandoTavren(home(), "05", "TAVREN_DRIVE_C=" + e2e::shellQuote(raiz() + "/c"), 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 05", e2e::kPartida)) << s.capture();
  const std::string origem = raiz() + "/Recebidas";
  fs::create_directories(origem);
  declaracao(origem + "/A.DEC", "11144477735", "MARIA DA SILVA");

  teclas(s, {"M-l", "I"});
  ASSERT_TRUE(s.waitForText("Converte Ver.1.07D", e2e::kPartida)) << s.capture();
  teclas(s, {"M-c", "R"});
  ASSERT_TRUE(s.waitForText("Drive e pasta de origem")) << s.capture();
  teclas(s, {"F1"});
  ASSERT_TRUE(s.waitForText("Nao encontrado o arquivo com as pastas do ano anterior")) << s.capture();
  teclas(s, {"Enter"});

  // The previous installation's list: the terminal's own, naming the folder of declarations.
  const std::string instalacao = raiz() + "/c/BRANTEL";
  fs::create_directories(instalacao);
  const std::string propria = achaArquivo(home(), "DIRET05.DBF");
  ASSERT_FALSE(propria.empty());
  fs::copy_file(propria, instalacao + "/DIRET05.DBF");
  {
    auto t = rt::db::Table::open(instalacao + "/DIRET05.DBF", {.exclusive = true, .readOnly = false, .alias = {}});
    ASSERT_TRUE(t);
    (*t)->goTo(1);
    ASSERT_TRUE((*t)->put("DIRETOR", origem).isOk());
    ASSERT_TRUE((*t)->close().isOk());
  }
  teclas(s, {"F1"});
  ASSERT_TRUE(s.waitForText("Drive e diret")) << s.capture();
  // The folder goes into the source and the row's cell opens; Esc closes the cell. Neither
  // changes the text on the screen, only its colours.
  e2e::teclasComPausa(s, {"Enter", "Escape"});
  ASSERT_TRUE(e2e::escAte(s, "Drive e diret", 2)) << s.capture();
  // The field shows the folder as the list keeps it (the list shows it in capitals).
  ASSERT_TRUE(s.waitForText(origem)) << s.capture();
  teclas(s, {"Enter", "Enter"});
  ASSERT_TRUE(s.waitForText("MARIA DA SILVA")) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("Nome do Contribuinte") == std::string::npos && t.find("Drive e pasta de origem") != std::string::npos;
  })) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Drive e pasta de origem") == std::string::npos; }))
      << s.capture();
  // The terminal's settings keep the source for the next import.
  {
    auto c = rt::db::Table::open(achaArquivo(home(), "CONFIG.DBF"), {.exclusive = false, .readOnly = true, .alias = {}});
    ASSERT_TRUE(c);
    std::string rotareant;
    for ((*c)->goTop(); !(*c)->eof(); (*c)->skip(1))
      if ((*c)->getText("NRO_TERM") == "05") rotareant = (*c)->getText("ROTAREANT");
    EXPECT_EQ(rotareant.substr(0, origem.size()), origem);
  }
  ASSERT_TRUE(e2e::teclaAteVer(s, "M-t", "Terminal 05")) << s.capture();
}

}  // namespace
