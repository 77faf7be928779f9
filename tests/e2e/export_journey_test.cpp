// The export to the tax authority's program as an office meets it, on the real program in
// tmux: a taxpayer registered and saved, then sent from the menu "Env Receita" (item 63); the
// declaration file appears in the program's folder under the CPF, and xmllint reads it; the
// batch of every taxpayer of the folder (item 65) sends it again; the program's index names the
// CPF, and item 67 rebuilds it when it is lost.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

namespace fs = std::filesystem;
using e2e::shellQuote;
using e2e::teclas;
using e2e::TmuxSession;
using namespace std::chrono_literals;

const std::string kCpf = "12345678909";

class JornadaExportacao : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    raiz_ = pasta_.caminho();
  }
  void TearDown() override {
    sessao_.reset();
  }
  // Terminal 00 with drive C: in the test's own folder, where the program's default folder
  // for the tax authority's program lies.
  TmuxSession& inicia(const std::string& home) {
    const std::string cmd = e2e::comandoTavren(home, "00", "TAVREN_DRIVE_C=" + shellQuote(raiz_ + "/c"));
    sessao_ = std::make_unique<TmuxSession>(cmd, 80, 25);
    EXPECT_TRUE(sessao_->started());
    EXPECT_TRUE(sessao_->waitForText("Terminal 00", e2e::kPartida)) << sessao_->capture();
    return *sessao_;
  }
  e2e::RaizDeTeste pasta_;
  std::string raiz_;
  std::unique_ptr<TmuxSession> sessao_;
};

TEST_F(JornadaExportacao, SendsOneDeclarationFromTheMenu) {
  const std::string programa = raiz_ + "/c/ARQUIVOS DE PROGRAMAS RFB/IRPF2010/APLICACAO/DADOS";
  fs::create_directories(programa);
  TmuxSession& s = inicia(raiz_ + "/tavren");

  // Register the taxpayer and save the declaration.
  teclas(s, {"M-l", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text(kCpf);
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("10=Balan")) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("Termina  a  Declaração ?")) << s.capture();
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Salvando") == std::string::npos; })) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Pasta atual") == std::string::npos; }))
      << s.capture();

  // Env Receita, "Somente um contribuinte": the warning, then the CPF (it ends its field).
  teclas(s, {"M-e", "S"});
  ASSERT_TRUE(s.waitForText("Evite o envio da declaracao com o IRPF da Receita aberto.")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text(kCpf);
  ASSERT_TRUE(s.waitForText("A declaração foi transferida para o programa da receita Java")) << s.capture();
  teclas(s, {"Enter"});

  const std::string arquivo = programa + "/" + kCpf + "/" + kCpf + ".XML";
  ASSERT_TRUE(fs::exists(arquivo));
  std::ifstream f(arquivo, std::ios::binary);
  std::stringstream texto;
  texto << f.rdbuf();
  EXPECT_TRUE(texto.str().starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<classe classeJava="));
  EXPECT_TRUE(texto.str().ends_with("</classe>"));
  EXPECT_EQ(std::system(("xmllint --noout " + shellQuote(arquivo)).c_str()), 0);
  // Nothing else is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(programa + "/" + kCpf), fs::directory_iterator{}), 1);

  // "Todos os CPFs da pasta": the batch sends it again.
  fs::remove(arquivo);
  teclas(s, {"M-e", "T"});
  ASSERT_TRUE(s.waitForText("Evite enviar declaracoes com o IRPF da Receita aberto")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitFor([&](const std::string&) { return fs::exists(arquivo); })) << s.capture();
  EXPECT_EQ(std::system(("xmllint --noout " + shellQuote(arquivo)).c_str()), 0);

  // The program's index names the CPF once.
  const std::string indice = programa + "/iddeclaracoes.xml";
  auto le = [](const std::string& caminho) {
    std::ifstream i(caminho, std::ios::binary);
    std::stringstream t;
    t << i.rdbuf();
    return t.str();
  };
  ASSERT_TRUE(s.waitFor([&](const std::string&) { return le(indice).ends_with("</classe>"); }));
  EXPECT_EQ(std::system(("xmllint --noout " + shellQuote(indice)).c_str()), 0);
  EXPECT_NE(le(indice).find("<item cpf=\"123.456.789-09\""), std::string::npos);

  // "Recupera Indice do IRPF": the lost index is rebuilt from the CPF folders; an empty CPF
  // folder goes, other folders stay.
  fs::remove(indice);
  fs::create_directories(programa + "/11144477735");
  fs::create_directories(programa + "/backup");
  teclas(s, {"M-e", "R"});
  ASSERT_TRUE(s.waitForText("recuperar a lista dos CPFs")) << s.capture();
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitFor([&](const std::string&) { return le(indice).ends_with("</classe>"); })) << s.capture();
  EXPECT_NE(le(indice).find("<item cpf=\"123.456.789-09\""), std::string::npos);
  EXPECT_FALSE(fs::exists(programa + "/11144477735"));
  EXPECT_TRUE(fs::exists(programa + "/backup"));
}

}  // namespace
