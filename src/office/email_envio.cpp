// MANDA_EMAIL: the checks, the body, the password and the sending.
#include <filesystem>

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/mensagens.h"
#include "console/oculto.h"
#include "console/pastas.h"
#include "console/recusa.h"
#include "office/boleto.h"
#include "office/email.h"
#include "platform/mensagem_smtp.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/memoedit.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/cpf.h"
#include "store/uso_tabela.h"

namespace office {

namespace {

using namespace rt::text::literals;
using rt::text::alltrim;
using store::Area;

// A yes/no question whose offered answer is "N"; true for "S".
bool pergunta(store::Contexto& ctx, std::string_view texto) {
  std::string r = "N";
  console::MENS(ctx, console::mens::Campo, texto, r, {.picture = "@ !"});
  return alltrim(r) == "S";
}

void avisa(store::Contexto& ctx, std::string_view texto) {
  console::MENS(ctx, console::mens::Aviso, texto);
}

// The client's notes (rows of table 11 with CODERR 0; the checker's errors are not sent), each
// ended by CR LF. Nothing, after saying so, when the client has no row in this folder.
std::optional<std::string> pendencias(store::Contexto& ctx, const std::string& cpf) {
  // Only read: the guard closes it when it opened it, and gives the selection back.
  const store::UsoTabela notas(ctx, Area::IMP1110);
  if (!notas.ok()) return std::nullopt;  // the opener said why
  rt::db::Table& t = *notas;
  const store::Cpf chave(cpf);
  std::optional<std::string> corpo;
  if (t.useOrder(1) && t.seek(chave.chave()) && t.found()) {
    corpo.emplace();
    for (; t.status() && !t.eof() && store::Cpf(t.getText("CPF")) == chave; t.skip(1))
      if (t.getNumber("CODERR").isZero()) *corpo += t.getText("OBSERV") + "\r\n";
  } else {
    const std::string pontuado = rt::text::transform(std::string(alltrim(cpf)), "@R 999.999.999-99");
    console::AVISOSN(ctx, {"CPF " + pontuado + " nao encontrado!", "Para enviar as pendencias ele deve estar na pasta atual"}, 0);
  }
  return corpo;
}

// An address or the subject that would go into the envelope or a header as it stands: one plain
// address each (the recipient comes from the register's EMAIL, which imports fill, line ends
// included; the sender from DEFINE), a subject without control bytes. Said with the field,
// never with the text itself, which may hold bytes that move the cursor.
bool recusaCampos(store::Contexto& ctx, const std::string& de, const std::string& para, const std::string& assunto) {
  static constexpr std::string_view kComo = "Use um so endereco nome@dominio, sem espacos nem caracteres de controle.";
  if (!platform::enderecoValido(para)) {
    console::AVISOSN(ctx, {"O endereco em Para: nao e valido (vem do EMAIL do contribuinte).", kComo}, 0);
    return true;
  }
  if (!platform::enderecoValido(de)) {
    console::AVISOSN(ctx, {"O Email do usuario, na configuracao da conta, nao e valido.", kComo}, 0);
    return true;
  }
  if (!platform::valorDeCabecalhoValido(assunto)) {
    console::AVISOSN(ctx, {"O Assunto tem caracteres de controle.", "Digite o assunto de novo antes de enviar."}, 0);
    return true;
  }
  return false;
}

// The server's refusal as the clerk reads it: "Error: " and the mail library's reason whole,
// in lines that fit the alert; with a password and no TLS offered, what that means.
void avisaFalha(store::Contexto& ctx, const rt::Status& f) {
  std::vector<std::string> linhas;
  for (const std::string& l : rt::ui::memoLines("Error: " + rt::text::utf8ToCp860(f.detail()), 70))
    linhas.emplace_back(rt::text::trim(l));
  if (platform::semTls(f)) {
    linhas.emplace_back("O servidor nao oferece conexao segura (TLS): a senha nao foi enviada.");
    linhas.emplace_back("Use um servidor com STARTTLS, ou TLS direto na porta 465 (smtps://).");
  }
  console::AVISOSN(ctx, linhas, 0);
}

// The message not sent at step `passo`, which has said why (or where the clerk stopped it).
rt::Status naoEnviado(std::string_view passo) {
  return console::falhaDita(rt::Error::kFailed, std::string("e-mail not sent: ") + std::string(passo));
}

// The account's and the message's settings checked before anything is built; a missing or
// unusable one is said.
rt::Status confereEnvio(store::Contexto& ctx, const ContaEmail& conta, const MensagemEmail& m) {
  if (alltrim(conta.NOM_USUA).empty()) {
    avisa(ctx, "Falta configurar o nome do usuario do email");
    return naoEnviado("user name");
  }
  if (alltrim(conta.SER_SMTP).empty()) {
    avisa(ctx, "Falta configurar o servidor SMTP do email");
    return naoEnviado("SMTP server");
  }
  if (alltrim(m.CEMAIL_ENV).empty()) {
    avisa(ctx, "Preencha antes o endereco para enviar");
    return naoEnviado("recipient");
  }
  if (alltrim(m.CASSUNTO).empty() && !pergunta(ctx, "Vai enviar um texto sem o assunto?"))
    return naoEnviado("subject");
  const std::string de(alltrim(conta.EMA_USUA)), para(alltrim(m.CEMAIL_ENV)), assunto(alltrim(m.CASSUNTO));
  if (recusaCampos(ctx, de, para, assunto)) return naoEnviado("header");
  return {};
}

// The message's body into CCORPO: the client's notes, the letter merged with the client's row,
// and the attachment's path on disk (empty: none) into `caminhoAnexo`; what keeps it from
// being built is said.
rt::Status montaCorpo(store::Contexto& ctx, Correio& c, std::string& caminhoAnexo) {
  MensagemEmail& m = c.msg;
  m.CCORPO.clear();
  if (m.CENVPEND == "S") {
    std::optional<std::string> notas = pendencias(ctx, m.CPFEMAIL);
    if (!notas) return naoEnviado("notes");
    m.CCORPO = *notas;
  }
  if (m.CEDITEXT == "S") {
    // The letter is merged with the register's current row: the client's, in this folder.
    rt::db::Table* r = store::tabela(ctx.areas, Area::IMP0910);
    if (r == nullptr || !r->useOrder(1) || !r->seek(store::Cpf(m.CPFEMAIL).chave()) || !r->found()) {
      avisaNaoLocalizado(ctx);
      return naoEnviado("client");
    }
    std::optional<std::string> carta = c.carta ? c.carta(ctx) : std::nullopt;
    if (!carta) {
      // No letter chosen (Esc at its name), or the letter's own refusal was said: either way
      // the clerk is told that nothing went.
      avisa(ctx, "Email não enviado."_cp);
      return naoEnviado("letter");
    }
    m.CCORPO += *carta;
  }
  const std::string anexo(alltrim(m.CANEXO));
  if (!anexo.empty()) {
    // Typed in the console's code page; the file system's names are UTF-8.
    caminhoAnexo = console::caminhoLinux(ctx, rt::text::cp860ToUtf8(anexo));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(caminhoAnexo, ec)) {
      avisa(ctx, "Arquivo " + anexo + " nao encontrado");
      return naoEnviado("attachment");
    }
    if (m.CCORPO.empty()) m.CCORPO = "Veja arquivo anexado";
  }
  if (m.CCORPO.empty() && !pergunta(ctx, "Email sem texto?")) return naoEnviado("body");
  return {};
}

}  // namespace

rt::Status MANDA_EMAIL(store::Contexto& ctx, Correio& c) {
  const ContaEmail& conta = c.conta;
  MensagemEmail& m = c.msg;
  RT_TRY(confereEnvio(ctx, conta, m));
  const std::string de(alltrim(conta.EMA_USUA)), para(alltrim(m.CEMAIL_ENV)), assunto(alltrim(m.CASSUNTO));
  std::string caminhoAnexo;
  RT_TRY(montaCorpo(ctx, c, caminhoAnexo));
  std::string senha(alltrim(c.conta.SEN_USUA));
  if (senha.empty()) {
    // A small window with the prompt; what is typed is not shown.
    {
      console::MENS(ctx, console::mens::Espera, "Informe a senha: " + std::string(20, ' '), {.linha = 12, .coluna = 20});
      const auto prompt = console::JanelaAberta::adota(ctx.janelas, console::Jan::kMensagem);
      senha = console::leOculto(ctx, 13, 39, 19);
    }
    if (senha.empty()) return naoEnviado("password");
    c.conta.SEN_USUA = senha;  // serves until the program ends
  }
  platform::Email e;
  e.servidor = alltrim(conta.SER_SMTP);
  e.usuario = alltrim(conta.NOM_USUA);
  e.senha = senha;
  e.de = de;
  e.para = para;
  e.assunto = rt::text::cp860ToUtf8(assunto);
  e.corpo = rt::text::cp860ToUtf8(m.CCORPO);
  e.anexo = caminhoAnexo;
  console::MENS(ctx, console::mens::Linha, "Enviando o email...");
  const rt::Status enviado = c.envia(e);
  console::MENS(ctx);
  if (!enviado) {
    avisaFalha(ctx, enviado);
    return enviado.markTold();
  }
  avisa(ctx, "Email enviado");
  return {};
}

}  // namespace office
