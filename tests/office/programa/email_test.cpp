// E-mail from the office against a real SMTP server on the loopback (python3-aiosmtpd): the
// account and message forms, what the server received, and each refusal said before any
// connection is made.
#include "office/email.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "programa_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/despacho.h"
#include "shell/funcoes.h"
#include "store/abertura.h"
#include "store/travas.h"
#include "support/servidor_smtp.h"

namespace shell::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;
namespace fs = std::filesystem;

const std::string kUsuario = "escritorio@exemplo.com.br", kSenha = "p:a@ss/1";
const std::string kCliente = "11144477735";


class Email : public ProgramaFixture {
 protected:
  void SetUp() override {
    if (std::system("/usr/bin/python3 -c 'import aiosmtpd' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no aiosmtpd";
    ASSERT_GT(smtp.porta(), 0);
    ASSERT_TRUE(inicia());
    registraFuncoes(*p);
    p->correio.envia = confia(smtp);
    ASSERT_TRUE(store::ABERTURA(*p, 9));
    rt::db::Table& r = *p->areas.table(9);
    ASSERT_TRUE(store::ADD_REC(*p, 5));
    ASSERT_TRUE(r.put("CPF", kCliente));
    ASSERT_TRUE(r.put("NOMECONTR", std::string("JOÃO CLIENTE"_cp)));
    ASSERT_TRUE(r.put("EMAIL", std::string("joao@cliente.com.br")));
    ASSERT_TRUE(r.commit());
    ASSERT_TRUE(r.unlock());
    notas({{"Falta o informe do banco", 0}, {"Erro do verificador", 7}});
  }
  void notas(const std::vector<std::pair<std::string, int>>& linhas) {
    ASSERT_TRUE(store::ABERTURA(*p, 11));
    rt::db::Table& t = *p->areas.table(11);
    for (const auto& [texto, codigo] : linhas) {
      ASSERT_TRUE(store::ADD_REC(*p, 5));
      ASSERT_TRUE(t.put("CPF", kCliente));
      ASSERT_TRUE(t.put("OBSERV", texto));
      ASSERT_TRUE(t.put("CODERR", rt::text::Decimal(codigo)));
      ASSERT_TRUE(t.commit());
      ASSERT_TRUE(t.unlock());
    }
    ASSERT_TRUE(store::fecha(p->areas, store::Area::IMP1110));
    store::seleciona(p->areas, store::Area::IMP0910);
  }
  // The sender trusting the test server's own certificate (the program trusts the system's).
  static decltype(office::Correio::envia) confia(const support::ServidorSmtp& s) {
    return [ca = s.certificado()](const platform::Email& e) {
      platform::Email confiando = e;
      confiando.certificados = ca;
      return platform::enviaEmail(confiando);
    };
  }
  office::Correio correio() {
    office::Correio c;
    c.envia = confia(smtp);
    c.conta = {"127.0.0.1:" + std::to_string(smtp.porta()), kUsuario, kUsuario, kSenha, "N"};
    c.msg.CPFEMAIL = kCliente;
    c.msg.CEMAIL_ENV = "joao@cliente.com.br";
    c.msg.CASSUNTO = "Assunto";
    c.msg.CCORPO.clear();
    return c;
  }
  support::ServidorSmtp smtp{kUsuario, kSenha, support::Tls::starttls};
};

TEST_F(Email, TheFormsStoreTheAccountAndSendNotesWithAnAttachment) {
  const std::string anexo = p->LOCTRAB + kCliente + ".TXT";
  std::ofstream(anexo, std::ios::binary) << "DECLARACAO\r\n\x80\x87";
  // The account: server with its port, a full address as the user, not remembered.
  term.press('C');
  term.press(rt::term::ctrlKey('y')).type("127.0.0.1:" + std::to_string(smtp.porta())).press(key::Enter);
  term.press(rt::term::ctrlKey('y')).type(kUsuario).press(key::Enter);
  term.press(rt::term::ctrlKey('y')).type(kUsuario).press(key::Enter);
  term.type("N");
  term.type(kSenha).press(key::Enter);
  term.press('S');  // "Confirma os dados ?"
  // The message: the client by CPF (the address comes from the register), an accented subject,
  // the attachment and the notes.
  term.press('P');
  term.type(kCliente);
  term.press(key::Enter);
  term.type(std::string("Declaração 2010"_cp)).press(key::Enter);
  term.type(anexo).press(key::Enter);
  term.type("S").type("N");
  term.press('S');  // "Confirma os dados ?"
  term.press('S');  // "Envia agora o Email?"
  term.pause().press(key::Enter);  // "Email enviado"
  term.press('N');  // "Envia Email para outro contribuinte?"
  term.press(key::Esc);
  MENUSELECT(*p, 34);
  EXPECT_TRUE(gravador.viu("Normalmente o nome antes do @ no email"));
  EXPECT_TRUE(gravador.viu("CPF do contribuinte que sera mandado o email. F1 mostra todos."));
  EXPECT_TRUE(gravador.viu("Email enviado"));
  EXPECT_EQ(smtp.mensagem(0), kUsuario + "|joao@cliente.com.br|Declaração 2010|Falta o informe do banco" +
                                  std::string(60 - 24, ' ') + "\r\n|" + kCliente + ".TXT|4445434c41524143414f0d0a8087");
  // Not remembered: DEFINE keeps blanks, the run keeps what was typed.
  auto d = abre("DEFINE");
  EXPECT_EQ(d->getText("SEN_USUA"), std::string(19, ' '));
  EXPECT_EQ(d->getText("MEMORIZ"), "N");
  EXPECT_EQ(rt::text::alltrim(d->getText("SER_SMTP")), "127.0.0.1:" + std::to_string(smtp.porta()));
}

TEST_F(Email, EachRefusalIsSaidAndOnlyTheServersOwnFailuresReachIt) {
  struct Caso {
    const char* nome;
    std::function<void(office::Correio&)> muda;
    std::string diz;
    bool conecta;
  } casos[] = {
      {"sem usuario", [](office::Correio& c) { c.conta.NOM_USUA.clear(); }, "Falta configurar o nome do usuario do email", false},
      {"sem servidor", [](office::Correio& c) { c.conta.SER_SMTP = "  "; }, "Falta configurar o servidor SMTP do email", false},
      {"sem destino", [](office::Correio& c) { c.msg.CEMAIL_ENV.clear(); }, "Preencha antes o endereco para enviar", false},
      {"anexo ausente", [](office::Correio& c) { c.msg.CANEXO = "/nao/existe.txt"; }, "Arquivo /nao/existe.txt nao encontrado", false},
      {"cpf sem notas aqui",
       [](office::Correio& c) { c.msg.CENVPEND = "S"; c.msg.CPFEMAIL = "52998224725"; }, "CPF 529.982.247-25 nao encontrado!", false},
      {"senha errada", [](office::Correio& c) { c.conta.SEN_USUA = "errada"; }, "Error: ", true},
      {"destino recusado", [](office::Correio& c) { c.msg.CEMAIL_ENV = "recusa@cliente.com.br"; }, "Error: ", true},
      {"dados rejeitados", [](office::Correio& c) { c.msg.CASSUNTO = "REJEITA"; }, "Error: ", true},
  };
  // An attachment gives every message a body.
  const std::string anexo = p->LOCTRAB + "X.TXT";
  std::ofstream(anexo) << "x";
  for (const Caso& k : casos) {
    office::Correio c = correio();
    c.msg.CANEXO = anexo;
    k.muda(c);
    const int antes = smtp.conexoes();
    gravador.esquece();
    term.pause().press(key::Enter);
    EXPECT_FALSE(office::MANDA_EMAIL(*p, c)) << k.nome;
    EXPECT_TRUE(gravador.viu(k.diz)) << k.nome;
    EXPECT_FALSE(gravador.viu("Email enviado")) << k.nome;
    EXPECT_EQ(smtp.conexoes() > antes, k.conecta) << k.nome;
  }
  // A body of the attachment alone; a client whose only rows are the checker's errors gets no
  // body and the question, whose "N" sends nothing.
  office::Correio c = correio();
  c.msg.CANEXO = anexo;
  term.pause().press(key::Enter);
  EXPECT_TRUE(office::MANDA_EMAIL(*p, c));
  EXPECT_NE(smtp.mensagem(0).find("|Veja arquivo anexado"), std::string::npos) << smtp.mensagem(0);
  // Only checker errors for this client now.
  {
    ASSERT_TRUE(store::ABERTURA(*p, 11));
    rt::db::Table& t = *p->areas.table(11);
    t.goTop();
    ASSERT_TRUE(t.status());
    ASSERT_TRUE(store::REC_LOCK(*p, 5));
    ASSERT_TRUE(t.put("CODERR", rt::text::Decimal(3)));
    ASSERT_TRUE(t.commit());
    ASSERT_TRUE(t.unlock());
    ASSERT_TRUE(store::fecha(p->areas, store::Area::IMP1110));
  }
  office::Correio s = correio();
  s.msg.CENVPEND = "S";
  gravador.esquece();
  term.pause().press(key::Enter);  // "Email sem texto?" keeps its offered "N"
  const int antes = smtp.conexoes();
  EXPECT_FALSE(office::MANDA_EMAIL(*p, s));
  EXPECT_TRUE(gravador.viu("Email sem texto?"));
  EXPECT_EQ(smtp.conexoes(), antes);
}

// F1 on the client's CPF lists the register's taxpayers (the menu leaves its settings tables
// current), and the one picked fills the CPF and the address.
TEST_F(Email, F1OnTheClientsCpfListsTheTaxpayers) {
  term.press('P');
  term.press(key::F1);
  term.press(key::Enter);  // the only taxpayer
  term.press(key::Esc);    // the form left
  term.press(key::Esc);
  MENUSELECT(*p, 34);
  EXPECT_TRUE(gravador.viuJuntos("Nome do Contribuinte", "JOÃO CLIENTE"_cp));
  EXPECT_TRUE(gravador.viuJuntos("CPF: 111.444.777-35", "joao@cliente.com.br"));
}

// A "NAO DOS" job of one taxpayer with the copy under the CPF asked for: the print program
// takes the captured file, and the offer that follows sends the copy to the taxpayer's address
// (item 51); item 52 prints that file again for the register's taxpayer and offers the same.
TEST_F(Email, ThePrintedCopyIsOfferedAndSentAfterItems51And52) {
  // A print program that takes every job.
  const std::string bin = p->LOCTRAB + "bin";
  fs::create_directory(bin);
  std::ofstream(bin + "/lp") << "#!/bin/sh\nexit 0\n";
  fs::permissions(bin + "/lp", fs::perms::owner_all);
  const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "/usr/bin:/bin";
  ::setenv("PATH", (bin + ":" + path).c_str(), 1);
  ASSERT_TRUE(p->CRIA_SEQ(*p));  // the terminal's printer record
  {
    auto conf = abre("CONFIMP", p->NUSU);
    ASSERT_TRUE(conf && !conf->eof());
    ASSERT_TRUE(conf->lockRecord());
    ASSERT_TRUE(conf->put("NOMEIMP", std::string("NAO DOS")));
    ASSERT_TRUE(conf->flush());
    (void)conf->unlock();
  }
  ASSERT_TRUE(p->CRIA_SEQ(*p));
  p->correio = correio();
  p->cfg.QUECON = 1;
  p->cfg.MOSCPF = "S";
  p->cfg.MOSTEL = p->cfg.MOSIMP = "N";
  const std::string copia = p->LOCTRAB + kCliente + ".TXT";

  term.pause().type(kCliente).press(key::Enter);
  // No key waits while the job prints (a key there would offer to abandon it).
  term.pause(std::chrono::minutes(1)).press('S');  // "Envia o arquivo gerado para o email do contribuinte?"
  term.pause().press(key::Enter);  // "Email enviado"
  MENUSELECT(*p, 51);
  EXPECT_EQ(term.pending(), 0u);
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_TRUE(gravador.viu("Envia o arquivo gerado para o email do contribuinte?"));
  EXPECT_TRUE(gravador.viu("Email enviado"));
  ASSERT_TRUE(fs::exists(copia));
  std::ostringstream hex;
  {
    std::ifstream f(copia, std::ios::binary);
    for (char c; f.get(c);) hex << std::hex << std::setw(2) << std::setfill('0') << (static_cast<unsigned>(c) & 0xff);
  }
  ASSERT_FALSE(hex.str().empty());
  EXPECT_EQ(smtp.mensagem(0), kUsuario + "|joao@cliente.com.br|Veja o arquivo anexado|Veja arquivo anexado|" +
                                  kCliente + ".TXT|" + hex.str());

  // Item 52: the same file printed again, the copy remade and sent again.
  fs::remove(copia);
  ::setenv("PATH", (bin + ":" + path).c_str(), 1);
  gravador.esquece();
  term.pause(std::chrono::minutes(1)).press('S');
  term.pause().press(key::Enter);
  MENUSELECT(*p, 52);
  EXPECT_EQ(term.pending(), 0u);
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_TRUE(gravador.viu("Envia o arquivo gerado para o email do contribuinte?"));
  EXPECT_TRUE(gravador.viu("Email enviado"));
  EXPECT_TRUE(fs::exists(copia));
  EXPECT_EQ(smtp.mensagem(1), smtp.mensagem(0));

  // A job of several taxpayers is printed again with no copy and no offer to any one of them.
  fs::remove(copia);
  p->cfg.QUECON = 3;
  gravador.esquece();
  ::setenv("PATH", (bin + ":" + path).c_str(), 1);
  MENUSELECT(*p, 52);
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_FALSE(gravador.viu("Envia o arquivo gerado para o email do contribuinte?"));
  EXPECT_FALSE(fs::exists(copia));
  EXPECT_EQ(smtp.conexoes(), 2);
}

}  // namespace
}  // namespace shell::teste
