// E-mail from the office against a real SMTP server on the loopback (python3-aiosmtpd): the
// account and message forms, what the server received, and each refusal said before any
// connection is made.
#include "office/email.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
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
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::IMP0910));
    rt::db::Table& r = *p->areas.table(store::Area::IMP0910);
    ASSERT_TRUE(store::ADD_REC(*p, 5));
    ASSERT_TRUE(r.put("CPF", kCliente));
    ASSERT_TRUE(r.put("NOMECONTR", std::string("JOÃO CLIENTE"_cp)));
    ASSERT_TRUE(r.put("EMAIL", std::string("joao@cliente.com.br")));
    ASSERT_TRUE(r.commit());
    ASSERT_TRUE(r.unlock());
    notas({{"Falta o informe do banco", 0}, {"Erro do verificador", 7}});
  }
  void notas(const std::vector<std::pair<std::string, int>>& linhas) {
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::IMP1110));
    rt::db::Table& t = *p->areas.table(store::Area::IMP1110);
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
      // The register's EMAIL (a tax-authority import fills it, line ends included) and DEFINE's
      // sender are shared tables: a text that would be SMTP commands or headers never leaves.
      {"destino com comandos",
       [](office::Correio& c) {
         c.msg.CEMAIL_ENV = "cliente@example.com>\r\nRCPT TO:<evil@example.com>\r\nDATA\r\nSubject: x\r\n\r\nescrito\r\n.";
       },
       "O endereco em Para: nao e valido (vem do EMAIL do contribuinte).", false},
      {"destino com fim de linha", [](office::Correio& c) { c.msg.CEMAIL_ENV = "joao@cliente.com.br\r\n"; },
       "O endereco em Para: nao e valido (vem do EMAIL do contribuinte).", false},
      {"dois destinos", [](office::Correio& c) { c.msg.CEMAIL_ENV = "joao@cliente.com.br,evil@example.com"; },
       "O endereco em Para: nao e valido (vem do EMAIL do contribuinte).", false},
      {"remetente com cabecalho", [](office::Correio& c) { c.conta.EMA_USUA = kUsuario + "\r\nBcc: evil@example.com"; },
       "O Email do usuario, na configuracao da conta, nao e valido.", false},
      {"assunto com cabecalho", [](office::Correio& c) { c.msg.CASSUNTO = "Oi\r\nBcc: evil@example.com"; },
       "O Assunto tem caracteres de controle.", false},
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
  EXPECT_EQ(smtp.bruta(1), "");  // the refused ones delivered nothing, to nobody
  EXPECT_EQ(smtp.bruta(0).find("evil"), std::string::npos);
  // Only checker errors for this client now.
  {
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::IMP1110));
    rt::db::Table& t = *p->areas.table(store::Area::IMP1110);
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

// The rows of the alert box that holds `texto` on the last screen showing it, trimmed, from the
// row of `texto` down to the buttons.
std::vector<std::string> linhasDoAlerta(const support::TerminalGravado& g, const std::string& texto) {
  const std::vector<std::string> tela = g.ultima(texto);
  std::vector<std::string> linhas;
  for (std::size_t i = 0; i < tela.size(); ++i) {
    const std::size_t c = tela[i].find(texto);
    if (c == std::string::npos) continue;
    const std::size_t esq = tela[i].rfind('\xB3', c), dir = tela[i].find('\xB3', c);
    if (esq == std::string::npos || dir == std::string::npos) return {};
    for (std::size_t k = i; k < tela.size() && tela[k].size() > dir && tela[k][esq] == '\xB3'; ++k) {
      const std::string l(rt::text::alltrim(tela[k].substr(esq + 1, dir - esq - 1)));
      if (l.empty() || l == "Ok") break;
      linhas.push_back(l);
    }
    break;
  }
  return linhas;
}

// A failure keeps "Error: " and the mail library's reason, whole, wrapped inside the alert; a
// server without TLS gets neither the login nor the message, and the clerk is told why.
TEST_F(Email, AServersFailureIsSaidWholeInTheAlert) {
  // A port bound and never listened on refuses every connection.
  const int fechado = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t n = sizeof a;
  ASSERT_EQ(::bind(fechado, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  ASSERT_EQ(::getsockname(fechado, reinterpret_cast<sockaddr*>(&a), &n), 0);
  support::ServidorSmtp claro(kUsuario, kSenha, support::Tls::nenhum);
  ASSERT_GT(claro.porta(), 0);
  for (const int porta : {static_cast<int>(ntohs(a.sin_port)), claro.porta()}) {
    office::Correio c = correio();
    c.conta.SER_SMTP = "127.0.0.1:" + std::to_string(porta);
    c.msg.CCORPO = "x";
    c.msg.CENVPEND = "N";
    std::string razao;
    c.envia = [&razao, envia = c.envia](const platform::Email& e) {
      rt::Status f = envia(e);
      if (!f) razao = f.detail();
      return f;
    };
    c.msg.CANEXO = p->LOCTRAB + "X.TXT";
    std::ofstream(c.msg.CANEXO) << "x";
    gravador.esquece();
    term.pause().press(key::Enter);
    EXPECT_FALSE(office::MANDA_EMAIL(*p, c));
    ASSERT_FALSE(razao.empty());
    std::vector<std::string> linhas = linhasDoAlerta(gravador, "Error: ");
    ASSERT_FALSE(linhas.empty()) << gravador.todas();
    if (porta == claro.porta()) {
      ASSERT_GE(linhas.size(), 3u);
      EXPECT_EQ(linhas[linhas.size() - 2], "O servidor nao oferece conexao segura (TLS): a senha nao foi enviada.");
      EXPECT_EQ(linhas.back(), "Use um servidor com STARTTLS, ou TLS direto na porta 465 (smtps://).");
      linhas.resize(linhas.size() - 2);
    } else {
      EXPECT_GE(linhas.size(), 2u) << razao;  // longer than the alert is wide
    }
    std::string junto;
    for (const std::string& l : linhas) junto += (junto.empty() ? "" : " ") + l;
    EXPECT_EQ(junto, "Error: " + razao);
  }
  ::close(fechado);
  EXPECT_EQ(claro.conexoes(), 1);
  EXPECT_EQ(claro.comandos(), "");  // no AUTH
  EXPECT_EQ(claro.bruta(0), "");
}

// "Texto Editado" S and Esc at the letter's name: nothing goes, and the clerk is told so before
// the question about another client.
TEST_F(Email, EscAtTheLettersNameSaysTheEmailWasNotSent) {
  p->correio.conta = correio().conta;
  term.press('P');
  term.type(kCliente).press(key::Enter);
  term.type("Aviso").press(key::Enter);
  term.press(key::Enter);  // no attachment
  term.type("N").type("S");
  term.press('S');  // "Confirma os dados ?"
  term.press('S');  // "Envia agora o Email?"
  term.press(key::Esc);  // "Nome da Carta:"
  term.press(key::Enter);  // "Email não enviado."
  term.press('N');  // "Envia Email para outro contribuinte?"
  term.press(key::Esc);
  MENUSELECT(*p, 34);
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_TRUE(gravador.viu("Nome da Carta:"));
  const std::vector<std::string> aviso = gravador.ultima("Email não enviado."_cp);
  ASSERT_FALSE(aviso.empty());
  EXPECT_TRUE(gravador.viu("Envia Email para outro contribuinte?"));
  EXPECT_EQ(smtp.conexoes(), 0);
}

// An attachment typed with an accent (the console's code page) is the file of that name on disk
// (UTF-8), and goes under its own name; one that is missing is said as typed.
TEST_F(Email, AnAttachmentWithAnAccentedNameIsFoundAndSent) {
  const std::string utf8 = programa / "relatório.txt";
  std::ofstream(utf8, std::ios::binary) << "conteúdo";
  const std::string digitado = rt::text::utf8ToCp860(utf8);
  ASSERT_NE(digitado, utf8);
  p->correio.conta = correio().conta;
  term.press('P');
  term.type(kCliente).press(key::Enter);
  term.type("Relatorio").press(key::Enter);
  term.type(digitado).press(key::Enter);
  term.type("N").type("N");
  term.press('S');  // "Confirma os dados ?"
  term.press('S');  // "Envia agora o Email?"
  term.pause().press(key::Enter);  // "Email enviado"
  term.press('N');
  term.press(key::Esc);
  MENUSELECT(*p, 34);
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_TRUE(gravador.viu("Email enviado"));
  EXPECT_EQ(smtp.mensagem(0), kUsuario + "|joao@cliente.com.br|Relatorio|Veja arquivo anexado|relatório.txt|" +
                                  "636f6e7465c3ba646f");

  office::Correio c = correio();
  c.msg.CANEXO = rt::text::utf8ToCp860(programa / "relatórios.txt");
  gravador.esquece();
  term.pause().press(key::Enter);
  EXPECT_FALSE(office::MANDA_EMAIL(*p, c));
  EXPECT_TRUE(gravador.viu("Arquivo " + c.msg.CANEXO + " nao encontrado"));
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
