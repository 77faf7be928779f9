// E-mail on the real program in tmux, where it does not go: Esc at the letter's name says so
// before the question about another client, and a server offering no TLS gets neither the
// login nor the message, while the clerk reads why in the alert, whole.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "support/servidor_smtp.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;
using namespace std::chrono_literals;

const std::string kConta = "escritorio@exemplo.com.br", kSenha = "s3nh@:x";

class JornadaEmail : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    if (!support::temAiosmtpd()) GTEST_SKIP() << "python3-aiosmtpd is not installed";
  }
  std::string home() const { return pasta_.caminho() + "/tavren"; }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaEmail, EscAtTheLettersNameAndAServerWithoutTlsSendNothingAndSaySo) {
  support::ServidorSmtp claro(kConta, kSenha, support::Tls::nenhum);
  ASSERT_GT(claro.porta(), 0);
  TmuxSession s(e2e::comandoTavren(home(), "00", {}, 300), 80, 25);
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
    ASSERT_TRUE((*r)->put("EMAIL", std::string("ana@cliente.com.br")));
    ASSERT_TRUE((*r)->commit());
  }

  // Item 34: the account on a server that offers no TLS.
  ASSERT_TRUE(e2e::configuraEmail(s, "127.0.0.1:" + std::to_string(claro.porta()), kConta, kSenha)) << s.capture();
  // A letter as the body, and Esc at its name.
  ASSERT_TRUE(e2e::preparaEmailComCarta(s, "12345678909", "ana@cliente.com.br")) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("Email não enviado.")) << s.capture();
  EXPECT_EQ(s.capture().find("Envia Email para outro contribuinte?"), std::string::npos) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Envia Email para outro contribuinte?")) << s.capture();

  // Again, with no letter and no text: the password would go in clear, so nothing goes.
  teclas(s, {"s"});
  ASSERT_TRUE(s.waitForText("Texto Editado")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(e2e::cursorNaLinhaDe(s, "Para:")) << s.capture();
  teclas(s, {"Enter", "Enter", "Enter"});
  s.text("N");
  s.text("N");
  ASSERT_TRUE(s.waitForText("Confirma os dados ?")) << s.capture();
  teclas(s, {"s"});
  ASSERT_TRUE(s.waitForText("Envia agora o Email?")) << s.capture();
  teclas(s, {"s"});
  ASSERT_TRUE(s.waitForText("Email sem texto?")) << s.capture();
  s.text("S");
  ASSERT_TRUE(s.waitForText("a senha nao foi enviada.", 60s)) << s.capture();
  tela = s.capture();
  EXPECT_NE(tela.find("Error: STARTTLS not supported."), std::string::npos) << tela;
  EXPECT_NE(tela.find("Use um servidor com STARTTLS, ou TLS direto na porta 465 (smtps://)."),
            std::string::npos)
      << tela;
  EXPECT_EQ(tela.find("Email enviado"), std::string::npos) << tela;
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Envia Email para outro contribuinte?")) << s.capture();
  teclas(s, {"n", "Escape"});
  ASSERT_TRUE(e2e::noMenu(s)) << s.capture();

  EXPECT_EQ(claro.conexoes(), 1);
  EXPECT_EQ(claro.comandos(), "");  // no AUTH
  EXPECT_EQ(claro.bruta(0), "");
}

}  // namespace
