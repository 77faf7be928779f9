// The office's menu items on the real program in tmux: the text export (item 32) writes the
// register and the assets into the work folder; the bank slips (item 33) take the issuer's
// account, a slip for a registered taxpayer, and write the remittance file, after which the
// slips sent are out of their table; a terminal is refused the file while another holds a slip.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "support/servidor_smtp.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

class JornadaEscritorio : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  std::string home() const { return pasta_.caminho() + "/tavren"; }
  static std::string le(const fs::path& p) { return e2e::leArquivo(p.string()); }
  // The remittance file of the program folder: "C" + YYMMDD + a letter + ".txt".
  fs::path arquivoDeRemessa() const {
    for (const auto& e : fs::directory_iterator(home()))
      if (std::regex_match(e.path().filename().string(), std::regex("C[0-9]{6}[A-Z]\\.txt"))) return e.path();
    return {};
  }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaEscritorio, TextExportAndBankSlipsWithTheirRemittanceFile) {
  TmuxSession s(e2e::comandoTavren(home(), "00", {}, 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", e2e::kPartida)) << s.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;

  // Item 32, the register: "Cadastro.txt" in the work folder, said with the folder.
  teclas(s, {"M-p", "x"});
  ASSERT_TRUE(s.waitForText("declaracao Bens")) << s.capture();
  teclas(s, {"c"});
  ASSERT_TRUE(s.waitForText("Criado arquivo Cadastro.txt na pasta")) << s.capture();
  teclas(s, {"Enter"});
  std::string texto;
  for (const auto& e : fs::recursive_directory_iterator(home()))
    if (e.path().filename() == "Cadastro.txt") texto = le(e.path());
  EXPECT_EQ(texto.rfind("\"12345678909\",", 0), 0u) << texto;
  EXPECT_EQ(texto.substr(texto.size() - 2), "\r\n");

  // Item 33: the account, one slip, the file.
  teclas(s, {"M-p", "b"});
  ASSERT_TRUE(s.waitForText("Config. emitente")) << s.capture();
  teclas(s, {"c"});
  ASSERT_TRUE(s.waitForText("Nome Cedente")) << s.capture();
  teclas(s, {"Enter"});
  s.text("0123");
  s.text("456789");
  s.text("ESCRITORIO MODELO");
  teclas(s, {"Enter"});
  s.text("11222333000181");
  s.text("109");
  ASSERT_TRUE(s.waitForText("Confirma os dados ?")) << s.capture();
  teclas(s, {"s"});
  ASSERT_TRUE(s.waitForText("Prepara Boletos")) << s.capture();
  teclas(s, {"p"});
  ASSERT_TRUE(s.waitForText("Nosso Nro.")) << s.capture();
  s.text("12345678909");
  ASSERT_TRUE(s.waitForText("Vencimento")) << s.capture();
  // The CPF is looked up in the register before the due date is asked.
  ASSERT_TRUE(e2e::cursorNaLinhaDe(s, "Vencimento")) << s.capture();
  s.text("30122099");
  s.text("150,00");
  s.text("1");
  teclas(s, {"Enter"});
  s.text("77");
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Confirma os dados ?")) << s.capture();
  teclas(s, {"s"});
  ASSERT_TRUE(s.waitForText("Outro boleto ?")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Gera o Arquivo")) << s.capture();
  teclas(s, {"g"});
  ASSERT_TRUE(s.waitForText("gerado com sucesso.", 60s)) << s.capture();
  teclas(s, {"Enter", "Escape"});

  const fs::path remessa = arquivoDeRemessa();
  ASSERT_FALSE(remessa.empty());
  const std::string r = le(remessa);
  ASSERT_EQ(r.size(), 3u * 402) << r;
  EXPECT_EQ(r.substr(0, 26), "01REMESSA01COBRANCA       ");
  EXPECT_EQ(r.substr(402 + 1, 16), "0211222333000181");
  EXPECT_EQ(r.substr(402 + 126, 13), "0000000015000");
  EXPECT_EQ(r.substr(402 + 120, 6), "301299");
  EXPECT_EQ(r.substr(402 + 220, 14), "00012345678909");
  EXPECT_EQ(r.substr(402 + 62, 8), "00000077");
  EXPECT_EQ(r.substr(804, 1), "9");
  // The slips sent are gone from their table (marked deleted, packed by the reorganisation).
  auto t = rt::db::Table::open(home() + "/BOLETO.DBF");
  ASSERT_TRUE(t);
  for (std::uint32_t n = 1; n <= (*t)->recordCount(); ++n) {
    (*t)->goTo(n);
    EXPECT_TRUE((*t)->isDeleted()) << n;
  }
}

// Terminal 00 holds a slip (its clerk at the grid's delete question): terminal 01 asking for
// the remittance file waits, and on Esc is told the slips are in use, with no file written;
// once 00 lets the slip go, 01 writes the file.
TEST_F(JornadaEscritorio, TheRemittanceIsRefusedWhileAnotherTerminalHoldsTheSlips) {
  TmuxSession a(e2e::comandoTavren(home(), "00", {}, 300), 80, 25);
  ASSERT_TRUE(a.started());
  ASSERT_TRUE(a.waitForText("Terminal 00", e2e::kPartida)) << a.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(a, "12345678909", tela)) << tela;
  teclas(a, {"M-p", "b"});
  ASSERT_TRUE(a.waitForText("Prepara Boletos")) << a.capture();
  teclas(a, {"p"});
  ASSERT_TRUE(a.waitForText("Nosso Nro.")) << a.capture();
  a.text("12345678909");
  ASSERT_TRUE(a.waitForText("Vencimento")) << a.capture();
  ASSERT_TRUE(e2e::cursorNaLinhaDe(a, "Vencimento")) << a.capture();
  a.text("30122099");
  a.text("150,00");
  a.text("1");
  teclas(a, {"Enter"});
  a.text("77");
  teclas(a, {"Enter"});
  ASSERT_TRUE(a.waitForText("Confirma os dados ?")) << a.capture();
  teclas(a, {"s"});
  ASSERT_TRUE(a.waitForText("Outro boleto ?")) << a.capture();
  teclas(a, {"Enter"});
  ASSERT_TRUE(a.waitForText("Gera o Arquivo")) << a.capture();
  teclas(a, {"p"});
  ASSERT_TRUE(a.waitForText("Use a tecla insert para um novo boleto.")) << a.capture();
  teclas(a, {"DC"});
  ASSERT_TRUE(a.waitForText("Confirma a Exclusão dessa linha?")) << a.capture();

  TmuxSession b(e2e::comandoTavren(home(), "01", {}, 300), 80, 25);
  ASSERT_TRUE(b.started());
  ASSERT_TRUE(b.waitForText("Terminal 01", e2e::kPartida)) << b.capture();
  teclas(b, {"M-p", "b"});
  ASSERT_TRUE(b.waitForText("Gera o Arquivo")) << b.capture();
  teclas(b, {"g"});
  ASSERT_TRUE(b.waitForText("Aguardando arquivo ficar disponível")) << b.capture();
  teclas(b, {"Escape"});
  ASSERT_TRUE(b.waitForText("Os boletos estão em uso em outro terminal.")) << b.capture();
  EXPECT_TRUE(b.waitForText("Nenhum arquivo foi gerado.")) << b.capture();
  EXPECT_TRUE(arquivoDeRemessa().empty());
  teclas(b, {"Enter"});
  ASSERT_TRUE(b.waitForText("Gera o Arquivo")) << b.capture();

  teclas(a, {"n"});  // the slip is kept, and let go
  ASSERT_TRUE(a.waitFor([](const std::string& t) { return t.find("Confirma a Exclus") == std::string::npos; }))
      << a.capture();
  teclas(b, {"g"});
  ASSERT_TRUE(b.waitForText("gerado com sucesso.", 60s)) << b.capture();
  teclas(b, {"Enter"});
  const fs::path remessa = arquivoDeRemessa();
  ASSERT_FALSE(remessa.empty());
  const std::string r = le(remessa);
  ASSERT_EQ(r.size(), 3u * 402) << r;
  EXPECT_EQ(r.substr(402 + 62, 8), "00000077");
}

TEST_F(JornadaEscritorio, ALetterMergedForATaxpayerGoesByEmail) {
  if (!support::temAiosmtpd()) GTEST_SKIP() << "python3-aiosmtpd is not installed";
  // The password goes only over TLS: a STARTTLS server, and the office program trusting its
  // certificate (tests/e2e/demos).
  support::ServidorSmtp smtp("escritorio@exemplo.com.br", "s3nh@:x", support::Tls::starttls);
  ASSERT_GT(smtp.porta(), 0);
  const std::string confia = "TAVREN_TESTE_SMTP_CA=" + e2e::shellQuote(smtp.certificado()) +
                             " TAVREN_BUILD=" + e2e::shellQuote(TAVREN_SMTP_TESTE_BUILD);
  TmuxSession s(e2e::comandoTavren(home(), "00", confia, 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", e2e::kPartida)) << s.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;
  {
    auto r = rt::db::Table::open(home() + "/DADOS2010/IMP0910.DBF");
    ASSERT_TRUE(r);
    (*r)->goTop();
    ASSERT_TRUE((*r)->status());
    ASSERT_TRUE((*r)->lockRecord());
    ASSERT_TRUE((*r)->put("NOMECONTR", std::string("ANA DE SOUZA")));
    ASSERT_TRUE((*r)->put("EMAIL", std::string("ana@cliente.com.br")));
    ASSERT_TRUE((*r)->commit());
  }
  // A letter of the office with the name field (CP860 guillemets), as the editor writes it.
  std::ofstream(home() + "/AVISO.TXT", std::ios::binary) << "Prezado(a) \xAENome\xAF,\r\nsua declaracao esta pronta.\x1A";

  // Item 34: the account, not remembered.
  ASSERT_TRUE(e2e::configuraEmail(s, "127.0.0.1:" + std::to_string(smtp.porta()), "escritorio@exemplo.com.br", "s3nh@:x"))
      << s.capture();
  // The message: the taxpayer by CPF, its address from the register, the edited letter.
  ASSERT_TRUE(e2e::preparaEmailComCarta(s, "12345678909", "ana@cliente.com.br")) << s.capture();
  s.text("aviso");
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Email enviado", 60s)) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Envia Email para outro contribuinte?")) << s.capture();
  teclas(s, {"n", "Escape"});
  EXPECT_EQ(smtp.comandos(), "STARTTLS\nAUTH\n");
  const std::string m = smtp.mensagem(0);
  EXPECT_EQ(m.rfind("escritorio@exemplo.com.br|ana@cliente.com.br|Aviso|Prezado(a) ANA DE SOUZA,", 0), 0u) << m;
  EXPECT_NE(m.find("sua declaracao esta pronta."), std::string::npos) << m;
  // Not remembered: DEFINE keeps no password.
  auto d = rt::db::Table::open(home() + "/DEFINE.DBF");
  ASSERT_TRUE(d);
  (*d)->goTop();
  ASSERT_TRUE((*d)->status());
  EXPECT_EQ((*d)->getText("SEN_USUA"), std::string(19, ' '));
}

}  // namespace
