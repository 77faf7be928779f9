// The e-mail menu and its two forms: the account and the message.
#include "console/ajuda.h"
#include "console/alerta.h"
#include "console/janelas.h"
#include "console/listas.h"
#include "console/menus.h"
#include "console/mensagens.h"
#include "console/molduras.h"
#include "console/oculto.h"
#include "console/recusa.h"
#include "console/recusas.h"
#include "office/boleto.h"
#include "store/acesso_tabelas.h"
#include "store/definicoes.h"
#include "office/email.h"
#include "office/formulario.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace office {

namespace {

using rt::text::alltrim;
using rt::text::padr;

// The hint of field n on the status line while the field is typed.
std::function<bool()> dica(store::Contexto& ctx, int n) {
  return [&ctx, n] {
    console::MENS(ctx, console::mens::Linha, AJUDA_EMAIL(n));
    return true;
  };
}

bool simNao(store::Contexto& ctx, const std::string& v) {
  if (v == "S" || v == "N") return true;
  console::MENS(ctx, console::mens::Linha, "Digite S de sim ou N de nao");
  return false;
}

// The message's variables by the names the taxpayer list writes back into.
class VariaveisEmail final : public console::Variaveis {
 public:
  explicit VariaveisEmail(MensagemEmail& m) : m_(m) {}
  std::optional<rt::ui::Value> valor(std::string_view nome) const override {
    const std::string n = rt::text::upper(nome);
    if (n == "CPFEMAIL") return rt::ui::Value(m_.CPFEMAIL);
    if (n == "CEMAIL_ENV") return rt::ui::Value(m_.CEMAIL_ENV);
    return std::nullopt;
  }
  bool atribui(std::string_view nome, const rt::ui::Value& v) override {
    const auto* s = std::get_if<std::string>(&v);
    const std::string n = rt::text::upper(nome);
    if (s == nullptr) return false;
    if (n == "CPFEMAIL") m_.CPFEMAIL = padr(*s, 11);
    else if (n == "CEMAIL_ENV") m_.CEMAIL_ENV = padr(*s, 40);
    else return false;
    return true;
  }

 private:
  MensagemEmail& m_;
};

}  // namespace

std::string AJUDA_EMAIL(int n) {
  switch (n) {
    case 1: return "Informe o endereco SMTP. ex: smtp.exemplo.com.br";
    case 2: return "Normalmente o nome antes do @ no email";
    case 3: return "Informe a sua senha para enviar email";
    case 4: return "Informe o email de quem vai enviar. Nao precisa ser a mesma do usuario";
    case 5: return "Ao memorizar a senha ela nao sera pedida em cada email enviado";
    case 6: return "CPF do contribuinte que sera mandado o email. F1 mostra todos.";
    case 7: return "Email do contribuinte. Pode ser alterado. ";
    case 8: return "Informe o assunto ou titulo do Email";
    case 9: return "Caminho e nome do Arquivo a ser enviado.";
    case 10: return "Se for enviar as pendencias marque com a letra S";
    case 11: return "Marque com S para enviar um texto editado em cartas";
    default: return {};
  }
}

void CONF_EMAIL(store::Contexto& ctx, Correio& correio) {
  ContaEmail c = correio.conta;
  c.SER_SMTP = padr(c.SER_SMTP, 47);
  c.NOM_USUA = padr(c.NOM_USUA, 40);
  c.EMA_USUA = padr(c.EMA_USUA, 40);
  c.MEMORIZ = padr(c.MEMORIZ, 1);
  console::MTELA3(ctx, console::mtela3::ServidorEmail);
  const auto moldura = console::JanelaAberta::adota(ctx.janelas, console::Jan::kDialogo);
  const LugaresMoldura l(ctx, console::Familia::MTELA3, console::mtela3::ServidorEmail);
  for (;;) {
    {
      rt::ui::Read read(ctx.console, coresFormulario(ctx));
      read.onRefusal(console::avisoDeRecusa(ctx));
      l.get(read, "Servidor de saida (SMTP):", rt::ui::var("SER_SMTP", c.SER_SMTP), "@S40").when(dica(ctx, 1));
      l.get(read, "Nome  do usuario:", rt::ui::var("NOM_USUA", c.NOM_USUA), "@S30").when(dica(ctx, 2));
      l.get(read, "Email do usuario:", rt::ui::var("EMA_USUA", c.EMA_USUA), "@S35").when(dica(ctx, 4));
      l.get(read, "Memorizar senha", rt::ui::var("MEMORIZ", c.MEMORIZ), "!").when(dica(ctx, 5)).valid([&ctx, &c] {
        return simNao(ctx, c.MEMORIZ);
      });
      if (read.run().escaped) break;
    }
    // The password, typed without being shown; Enter alone keeps the one already given.
    console::MENS(ctx, console::mens::Linha, AJUDA_EMAIL(3));
    const Lugar s = l["Senha:"];
    const std::string senha = console::leOculto(ctx, s.linha, s.coluna, 19);
    if (!senha.empty()) c.SEN_USUA = senha;
    console::MENS(ctx);
    if (console::OKEI(ctx) != "S") continue;
    const ContaEmail nova = c;
    if (store::gravaDefine(ctx, [&nova](rt::db::Table& t) {
          rt::Status st = t.put("SER_SMTP", nova.SER_SMTP);
          if (st) st = t.put("NOM_USUA", nova.NOM_USUA);
          if (st) st = t.put("EMA_USUA", nova.EMA_USUA);
          if (st) st = t.put("MEMORIZ", nova.MEMORIZ);
          // Kept only when the office asked for it; otherwise blanks, and it serves for this run.
          if (st) st = t.put("SEN_USUA", nova.MEMORIZ == "S" ? padr(nova.SEN_USUA, 19) : std::string(19, ' '));
          return st;
        })) {
      correio.conta = {std::string(alltrim(c.SER_SMTP)), std::string(alltrim(c.NOM_USUA)),
                       std::string(alltrim(c.EMA_USUA)), c.SEN_USUA, c.MEMORIZ};
      break;
    }
  }
  console::MENS(ctx);
}

void PREP_EMAIL(store::Contexto& ctx, Correio& correio) {
  MensagemEmail& m = correio.msg;
  VariaveisEmail vars(m);
  console::ServicosLista servicos;
  console::Listas listas(ctx, store::acessoTabelas(ctx), vars,
                         servicos);
  for (bool outro = true; outro;) {
    outro = false;
    m.CPFEMAIL = padr(m.CPFEMAIL, 11);
    m.CEMAIL_ENV = padr(m.CEMAIL_ENV, 40);
    m.CASSUNTO = padr(m.CASSUNTO, 50);
    m.CANEXO = padr(m.CANEXO, 60);
    std::string r;
    {
      console::MTELA3(ctx, console::mtela3::Envio);
      const auto moldura = console::JanelaAberta::adota(ctx.janelas, console::Jan::kDialogo);
      const LugaresMoldura l(ctx, console::Familia::MTELA3, console::mtela3::Envio);
      do {
        {
          rt::ui::Read read(ctx.console, coresFormulario(ctx));
          read.onRefusal(console::avisoDeRecusa(ctx));
          l.get(read, "CPF:", rt::ui::var("CPFEMAIL", m.CPFEMAIL), "@R 999.999.999-99")
              .when(dica(ctx, 6))
              .valid([&] {
                if (alltrim(m.CPFEMAIL).empty()) return true;
                std::optional<Localizado> a = LOCALI_CPF(ctx, m.CPFEMAIL);
                if (!a) return false;
                m.CPFEMAIL = padr(a->cpf, 11);
                m.CEMAIL_ENV = padr(a->email, 40);
                read.requestRedisplay();
                return true;
              });
          l.get(read, "Para:", rt::ui::var("CEMAIL_ENV", m.CEMAIL_ENV), "@S40").when(dica(ctx, 7));
          l.get(read, "Assunto:", rt::ui::var("CASSUNTO", m.CASSUNTO), "@S50").when(dica(ctx, 8));
          l.get(read, "Anexar :", rt::ui::var("CANEXO", m.CANEXO), "@S28").when(dica(ctx, 9));
          l.get(read, "Pendencias", rt::ui::var("CENVPEND", m.CENVPEND), "!").when(dica(ctx, 10)).valid([&] {
            return simNao(ctx, m.CENVPEND);
          });
          l.get(read, "Texto Editado", rt::ui::var("CEDITEXT", m.CEDITEXT), "!")
              .when(dica(ctx, 11))
              .valid([&] { return simNao(ctx, m.CEDITEXT); });
          const std::string ajudaAntes = ctx.QUALHLP;
          ctx.QUALHLP = "M->CPFEMAIL";
          // The taxpayer list shows the current area, and the menu leaves its settings tables
          // current: the register is made current for the list, and the area given back after.
          const TeclaF1 f1(ctx.console, [&ctx, &listas] {
            const store::SelecaoGuardada selecao(ctx.areas);
            const bool registro =
                store::aberta(ctx.areas, store::Area::IMP0910) || store::ABERTURA(ctx, store::Area::IMP0910);
            if (registro) store::seleciona(ctx.areas, store::Area::IMP0910);
            if (registro) listas.GERAL();
          });
          const bool saiu = read.run().escaped;
          ctx.QUALHLP = ajudaAntes;
          console::MENS(ctx);
          if (saiu) break;
        }
        r = console::AVISOSN(ctx, "Confirma os dados ?", 3);
      } while (r == "N");
    }
    if (r != "S") break;
    if (console::AVISOSN(ctx, "Envia agora o Email?", 2) == "S") {
      MANDA_EMAIL(ctx, correio).ignoreTold();  // says its own outcome
      outro = console::AVISOSN(ctx, "Envia Email para outro contribuinte?", 2) == "S";
    }
  }
  console::MENS(ctx);
}

rt::Status GERA_EMAIL(store::Contexto& ctx, Correio& c) {
  console::MTELA1(ctx, console::mtela1::MenuEmail);
  const auto menu = console::JanelaAberta::adota(ctx.janelas, console::Jan::kTela);
  const std::optional<console::ItensMoldura> itens = console::itensMoldura(ctx, console::Familia::MTELA1, console::mtela1::MenuEmail);
  // Without its frame the menu is not shown, and there is nothing for the clerk to be told.
  if (!itens) return console::falhaDita(rt::Error::kNotFound, "GERA_EMAIL menu frame");
  ctx.POSVER = 1;
  for (;;) {
    console::OpcoesMenu opcoes;
    opcoes.teclas = "CPG";
    opcoes.mensagens = {"Conta de e-mail", "Prepara o texto, arquivo e para quem vai enviar", "Envia os emails"};
    const int escolha =
        console::ESC_OPCAO(ctx, itens->janela, itens->quantos, itens->coluna, itens->largura, opcoes, itens->deslocamento);
    if (escolha == 0) break;
    if (escolha == 1) CONF_EMAIL(ctx, c);
    if (escolha == 2) PREP_EMAIL(ctx, c);
    // MANDA_EMAIL says whether it was sent; the menu comes back either way.
    if (escolha == 3) MANDA_EMAIL(ctx, c).ignoreTold();
  }
  return {};
}

}  // namespace office
