// The SMTP sender against a real server on the loopback (python3-aiosmtpd): what the server
// received, byte for byte where it matters; what never reaches it (a text that would be a
// command or a header line of its own, a password without TLS); and the server setting's URL.
#include "platform/smtp.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <ctime>
#include <fstream>

#include "platform/mensagem_smtp.h"
#include "scratch.h"
#include "support/servidor_smtp.h"

namespace {

const std::string kUsuario = "escritorio@exemplo.com.br", kSenha = "s3nh@:x";

platform::Email email(const support::ServidorSmtp& s, const std::string& esquema = "") {
  platform::Email e;
  e.servidor = esquema + "127.0.0.1:" + std::to_string(s.porta());
  e.usuario = kUsuario;
  e.senha = kSenha;
  e.de = kUsuario;
  e.para = "joao@cliente.com.br";
  e.assunto = "Assunto";
  e.corpo = "Corpo\r\n";
  e.certificados = s.certificado();
  return e;
}

TEST(UrlSmtp, TheSchemeAndPortOfAServerSettingChooseTheTransport) {
  const std::pair<const char*, const char*> casos[] = {
      {"mail.exemplo.com.br", "smtp://mail.exemplo.com.br:587"},
      {"  mail.exemplo.com.br  ", "smtp://mail.exemplo.com.br:587"},
      {"mail.exemplo.com.br:25", "smtp://mail.exemplo.com.br:25"},
      {"smtp://mail.exemplo.com.br", "smtp://mail.exemplo.com.br:587"},
      {"smtps://mail.exemplo.com.br", "smtps://mail.exemplo.com.br:465"},
      {"SMTPS://mail.exemplo.com.br:2465", "smtps://mail.exemplo.com.br:2465"},
      // Port 465 is TLS from the first byte, whatever the scheme typed.
      {"mail.exemplo.com.br:465", "smtps://mail.exemplo.com.br:465"},
      {"smtp://mail.exemplo.com.br:465", "smtps://mail.exemplo.com.br:465"},
      {"[::1]", "smtp://[::1]:587"},
      {"[::1]:25", "smtp://[::1]:25"},
  };
  for (const auto& [servidor, url] : casos) EXPECT_EQ(platform::urlSmtp(servidor), url) << servidor;
}

TEST(EnderecoSmtp, OnlyOnePlainAddressPasses) {
  for (const char* bom : {"joao@cliente.com.br", "a.b+c_d@x-y.z", "o'neil@exemplo", "A1@B2.COM"})
    EXPECT_TRUE(platform::enderecoValido(bom)) << bom;
  for (const std::string ruim :
       {"", "joao", "@cliente.com.br", "joao@", "a@b@c.com", "<joao@cliente.com.br>",
        "joao@cliente.com.br>\r\nRCPT TO:<evil@example.com>", "joao@cliente.com.br\r\n",
        "jo ao@cliente.com.br", "a@b.com,c@d.com", ".a@b.com", "a.@b.com", "a..b@c.com", "a@-b.com",
        "a@b..com", "a@b.com.", "jo\x87o@cliente.com.br", "\"a b\"@c.com"})
    EXPECT_FALSE(platform::enderecoValido(ruim)) << ruim;
  EXPECT_TRUE(platform::valorDeCabecalhoValido("Declaração 2010"));
  for (const char* ruim : {"a\r\nBcc: evil@example.com", "a\nb", "a\tb", "a\x7f"})
    EXPECT_FALSE(platform::valorDeCabecalhoValido(ruim)) << ruim;
}

class Smtp : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!support::temAiosmtpd()) GTEST_SKIP() << "python3-aiosmtpd is not installed";
  }
  platform_test::Scratch pasta;
};

// A text that would end the address or the header line never reaches the server: nothing is
// connected, nothing delivered, to anyone.
TEST_F(Smtp, AnAddressOrSubjectCarryingCommandsReachesNoServer) {
  support::ServidorSmtp s(kUsuario, kSenha, support::Tls::starttls);
  ASSERT_GT(s.porta(), 0);
  const std::string injecao =
      "cliente@example.com>\r\nRCPT TO:<evil@example.com>\r\nDATA\r\nSubject: x\r\n\r\nescrito\r\n.\r\n";
  for (const auto& muda : std::initializer_list<std::function<void(platform::Email&)>>{
           [&](platform::Email& e) { e.para = injecao; },
           [&](platform::Email& e) { e.de = kUsuario + "\r\nBcc: evil@example.com"; },
           [&](platform::Email& e) { e.para = "joao@cliente.com.br, evil@example.com"; },
           [&](platform::Email& e) { e.assunto = "Oi\r\nBcc: evil@example.com"; }}) {
    platform::Email e = email(s);
    muda(e);
    const rt::Status f = platform::enviaEmail(e);
    ASSERT_FALSE(f);
    EXPECT_EQ(f.code(), rt::Error::kBadArgument);
  }
  EXPECT_EQ(s.conexoes(), 0);
  EXPECT_EQ(s.bruta(0), "");
}

// Through STARTTLS: the Date and Message-ID headers, a Message-ID of each message's own, and an
// attachment whose name holds a quote and a line end, and an accent, kept inside its one header.
TEST_F(Smtp, TheServerGetsDateMessageIdAndTheAttachmentsNameInsideItsHeader) {
  support::ServidorSmtp s(kUsuario, kSenha, support::Tls::starttls);
  ASSERT_GT(s.porta(), 0);
  const std::string nome = "relatório \"final\"\r\nX-Injetado: sim.txt";
  std::ofstream(pasta / nome, std::ios::binary) << "conteudo";
  const std::time_t antes = std::time(nullptr);
  platform::Email e = email(s);
  e.anexo = pasta / nome;
  ASSERT_TRUE(platform::enviaEmail(e));
  ASSERT_TRUE(platform::enviaEmail(email(s)));
  const std::time_t depois = std::time(nullptr);
  EXPECT_EQ(s.comandos(), "STARTTLS\nAUTH\nSTARTTLS\nAUTH\n");

  EXPECT_EQ(s.campo(0, "[a.get_filename() for a in m.iter_attachments()]"),
            "['relatório \"final\"\\r\\nX-Injetado: sim.txt']");
  EXPECT_EQ(s.campo(0, "m.get('X-Injetado')"), "None");
  const std::string bruta = s.bruta(0);
  EXPECT_EQ(bruta.find("\nX-Injetado"), std::string::npos) << bruta;
  EXPECT_NE(bruta.find("filename*=UTF-8''relat%C3%B3rio%20%22final%22%0D%0AX-Injetado%3A%20sim.txt"),
            std::string::npos)
      << bruta;
  for (int n : {0, 1}) {
    const long quando =
        std::stol(s.campo(n, "int(email.utils.parsedate_to_datetime(m['date']).timestamp())"));
    EXPECT_GE(quando, antes);
    EXPECT_LE(quando, depois);
    EXPECT_TRUE(s.campo(n, "m['date'].datetime.tzinfo is not None") == "True");
    const std::string id = s.campo(n, "m['message-id']");
    EXPECT_EQ(id.front(), '<') << id;
    EXPECT_TRUE(id.ends_with("@exemplo.com.br>")) << id;
  }
  EXPECT_NE(s.campo(0, "m['message-id']"), s.campo(1, "m['message-id']"));
}

// A password never goes out in clear: a server that offers no TLS gets no AUTH and no message,
// and the failure says so; a TLS server (STARTTLS, or TLS from the start for "smtps://") gets
// both; a certificate nobody vouches for ends the session before the login.
TEST_F(Smtp, APasswordGoesOnlyOverTls) {
  support::ServidorSmtp claro(kUsuario, kSenha, support::Tls::nenhum);
  support::ServidorSmtp implicito(kUsuario, kSenha, support::Tls::implicito);
  support::ServidorSmtp starttls(kUsuario, kSenha, support::Tls::starttls);
  ASSERT_GT(claro.porta(), 0);
  ASSERT_GT(implicito.porta(), 0);
  ASSERT_GT(starttls.porta(), 0);

  const rt::Status f = platform::enviaEmail(email(claro));
  ASSERT_FALSE(f);
  EXPECT_TRUE(platform::semTls(f));
  EXPECT_EQ(claro.conexoes(), 1);
  EXPECT_EQ(claro.comandos(), "");
  EXPECT_EQ(claro.bruta(0), "");

  EXPECT_TRUE(platform::enviaEmail(email(implicito, "smtps://")));
  EXPECT_EQ(implicito.comandos(), "AUTH\n");
  EXPECT_EQ(implicito.mensagem(0), kUsuario + "|joao@cliente.com.br|Assunto|Corpo\r\n||");

  platform::Email semConfianca = email(starttls);
  semConfianca.certificados.clear();  // the system's authorities do not know the test's own
  const rt::Status g = platform::enviaEmail(semConfianca);
  ASSERT_FALSE(g);
  EXPECT_FALSE(platform::semTls(g));
  EXPECT_EQ(starttls.comandos(), "STARTTLS\n");
  EXPECT_EQ(starttls.bruta(0), "");
}

}  // namespace
