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

// The tax authority's records are fixed-length lines: blanks up to the end of each.
std::string registro(std::initializer_list<std::pair<int, std::string>> campos, std::size_t colunas) {
  std::string s = linha(campos);
  if (s.size() < colunas) s.resize(colunas, ' ');
  return s;
}

std::string cabecalho(const char* tipo) {
  return linha({{1, tipo}, {5, "IRPF"}, {9, "2010"}, {165, "1234567890"}, {204, "0987654321"}, {240, " "}}) + "\r\n";
}

std::string identificacao(const std::string& cpf, const std::string& nome) {
  return registro({{1, "16"}, {3, cpf}, {14, nome}, {188, "SAO PAULO"}, {228, "SP"}, {360, "15031970"}}, 460) + "\r\n";
}

void declaracao(const std::string& caminho, const std::string& cpf, const std::string& nome, const std::string& bem) {
  std::ofstream f(caminho, std::ios::binary);
  f << cabecalho("DECL") << identificacao(cpf, nome);
  f << registro({{1, "27"}, {14, "11"}, {16, "0"}, {20, bem}, {532, "0000000100000"}, {545, "0000000200000"}}, 560)
    << "\r\n";
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
  // Both converted: the counters and what was done stay until a key.
  ASSERT_TRUE(s.waitForText("2 declarações importadas")) << s.capture();
  teclas(s, {"Enter"});
  // The dialog is back for another folder.
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("Nome do Contribuinte") == std::string::npos && t.find("Drive e pasta de origem") != std::string::npos;
  })) << s.capture();
  teclas(s, {"Escape"});
  // The item ends with a pause while its windows close: the converter's banner alone again.
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Drive e pasta de origem") == std::string::npos; }))
      << s.capture();
  // A key typed during that pause only cuts it short: "Terminar" again until the program ends.
  ASSERT_TRUE(e2e::teclaAteVer(s, "M-t", "Terminal 05")) << s.capture();
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

// A damaged file among sound ones: it is refused with its line and record, the others go
// in, and the counters box stays with what was done until a key; then a capital-gains file
// for the taxpayer just imported asks its question inside its alert, whole.
TEST_F(JornadaReceita, DamagedFileRefusedCountersWaitAndTheGainsQuestionFits) {
  TmuxSession s(e2e::comandoTavren(home(), "05", {}, 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 05", e2e::kPartida)) << s.capture();
  const std::string origem = home() + "/REC";
  std::filesystem::create_directories(origem);
  declaracao(origem + "/A.DEC", "11144477735", "MARIA DA SILVA", "APARTAMENTO NO CENTRO");
  {
    std::ofstream f(origem + "/B.DEC", std::ios::binary);
    f << cabecalho("DECL") << identificacao("52998224725", "JOAO CORTADO") << std::string(194, ' ').replace(0, 2, "27");
    std::ofstream g(origem + "/G.GB9", std::ios::binary);
    g << cabecalho("GCAP") << identificacao("11144477735", "MARIA DA SILVA")
      << registro({{1, "61"}, {14, "02"}, {90, "CARRO"}, {288, "N"}}, 640) << "\r\n";
  }

  teclas(s, {"M-l", "I"});
  ASSERT_TRUE(s.waitForText("Converte Ver.1.07D", e2e::kPartida)) << s.capture();
  teclas(s, {"M-c", "R"});
  ASSERT_TRUE(s.waitForText("Drive e pasta de origem")) << s.capture();
  s.keys({"C-y"});
  s.text(origem);
  teclas(s, {"Enter", "Enter"});
  ASSERT_TRUE(s.waitForText("JOAO CORTADO")) << s.capture();
  teclas(s, {"M-="});
  ASSERT_TRUE(s.waitForText("DECL 10     │S")) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("Linha 3, registro 27: cortado com 194 de 557 colunas")) << s.capture();
  EXPECT_NE(s.capture().find("Leiaute diferente do esperado.Não é possível converter"), std::string::npos);
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("1 arquivo recusado")) << s.capture();
  const std::string fim = s.capture();
  for (const char* visto : {"1 declaração importada", "Convertidos      1", "Não converter    1", "Já existente     0"})
    EXPECT_NE(fim.find(visto), std::string::npos) << visto << "\n" << fim;
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("CPF's") == std::string::npos && t.find("Drive e pasta de origem") != std::string::npos;
  })) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Drive e pasta de origem") == std::string::npos; }))
      << s.capture();

  // A key typed during the pause that ends an item only cuts it short: Alt-C until the pad
  // opens.
  ASSERT_TRUE(e2e::teclaAteVer(s, "M-c", "Nro. Recibo")) << s.capture();
  teclas(s, {"G"});
  ASSERT_TRUE(s.waitForText("Ganhos de Capital da Receita")) << s.capture();
  s.keys({"C-y"});
  s.text(origem);
  teclas(s, {"Enter", "Enter"});
  ASSERT_TRUE(s.waitForText("MARIA DA SILVA")) << s.capture();
  teclas(s, {"M-="});
  ASSERT_TRUE(s.waitForText("│S")) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("Continua a conversao?")) << s.capture();
  const std::string pergunta = s.capture();
  EXPECT_NE(pergunta.find("Atencao! Todos os ganhos de capital feitos anteriormente serao excluidos! │"), std::string::npos)
      << pergunta;
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("1 arquivo de ganhos de capital importado")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("CPF's") == std::string::npos && t.find("Drive e pasta de origem") != std::string::npos;
  })) << s.capture();
}

}  // namespace
