// The tax authority's declarations of a folder imported by the converter (item 4) started
// from tavren: both files listed and marked with Alt-=, both taxpayers converted; back in
// tavren one of them opens with the imported name and asset.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;

// A line with texts at their columns (counted from 1).
std::string linha(std::initializer_list<std::pair<int, std::string>> campos) {
  std::string s;
  for (const auto& [coluna, texto] : campos) {
    const std::size_t i = static_cast<std::size_t>(coluna - 1);
    if (s.size() < i + texto.size()) s.resize(i + texto.size(), ' ');
    s.replace(i, texto.size(), texto);
  }
  return s;
}

void declaracao(const std::string& caminho, const std::string& cpf, const std::string& nome, const std::string& bem) {
  std::ofstream f(caminho, std::ios::binary);
  f << linha({{1, "DECLIRPF"}, {9, "2010"}, {165, "1234567890"}, {204, "0987654321"}, {240, " "}}) << "\r\n";
  f << linha({{1, "16"}, {3, cpf}, {14, nome}, {188, "SAO PAULO"}, {228, "SP"}, {360, "15031970"}}) << "\r\n";
  f << linha({{1, "27"}, {14, "11"}, {16, "0"}, {20, bem}, {532, "0000000100000"}, {545, "0000000200000"}}) << "\r\n";
}

class JornadaReceita : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  std::string home() const { return pasta_.caminho() + "/tavren"; }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaReceita, TwoDeclarationsOfAFolderConvertedAndOpenedInTavren) {
  TmuxSession s(e2e::comandoTavren(home(), "05", {}, 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 05", e2e::kPartida)) << s.capture();
  const std::string origem = home() + "/REC";
  std::filesystem::create_directories(origem);
  declaracao(origem + "/A.DEC", "11144477735", "MARIA DA SILVA", "APARTAMENTO NO CENTRO");
  declaracao(origem + "/b.dec", "52998224725", "JOAO PEREIRA", "CASA NA PRAIA");

  teclas(s, {"M-l", "I"});
  ASSERT_TRUE(s.waitForText("Converte Ver.1.07D", e2e::kPartida)) << s.capture();
  teclas(s, {"M-c", "R"});
  ASSERT_TRUE(s.waitForText("Drive e pasta de origem")) << s.capture();
  s.keys({"C-y"});
  s.text(origem);
  teclas(s, {"Enter", "Enter"});
  ASSERT_TRUE(s.waitForText("MARIA DA SILVA")) << s.capture();
  ASSERT_TRUE(s.waitForText("JOAO PEREIRA")) << s.capture();
  teclas(s, {"M-="});
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    std::size_t n = 0;
    for (std::size_t i = t.find("DECL 10     │S"); i != std::string::npos; i = t.find("DECL 10     │S", i + 1)) ++n;
    return n == 2;
  })) << s.capture();
  teclas(s, {"Escape"});
  // Both converted, the dialog is back for another folder.
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("Nome do Contribuinte") == std::string::npos && t.find("Drive e pasta de origem") != std::string::npos;
  })) << s.capture();
  teclas(s, {"Escape"});
  // The item ends with a pause while its windows close: the converter's banner alone again.
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Drive e pasta de origem") == std::string::npos; }))
      << s.capture();
  // A key typed during that pause only cuts it short: "Terminar" again until the program ends.
  bool saiu = false;
  for (int vez = 0; vez < 3 && !saiu; ++vez) {
    s.keys({"M-t"});
    saiu = s.waitForText("Terminal 05", std::chrono::seconds(10));
  }
  ASSERT_TRUE(saiu) << s.capture();
  ASSERT_TRUE(e2e::noMenu(s)) << s.capture();

  // In tavren: the taxpayer's identification and assets.
  teclas(s, {"M-l", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text("52998224725");
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("10=Balan")) << s.capture();
  teclas(s, {"F6"});
  EXPECT_TRUE(s.waitForText("Nome JOAO PEREIRA")) << s.capture();
  teclas(s, {"F5"});
  EXPECT_TRUE(s.waitForText("CASA NA PRAIA")) << s.capture();
  EXPECT_TRUE(s.waitForText("2.000,00")) << s.capture();
}

}  // namespace
