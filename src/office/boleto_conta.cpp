// The issuer's account of the slips (DEFINE's BOL_ fields) and its form.
#include "console/ajuda.h"
#include "console/janelas.h"
#include "console/molduras.h"
#include "console/recusas.h"
#include "console/validadores.h"
#include "office/boleto.h"
#include "store/definicoes.h"
#include "office/formulario.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"

namespace office {

std::optional<ContaBoleto> leContaBoleto(store::Contexto& ctx) {
  ContaBoleto c;
  const rt::Status lida = store::leDefine(ctx, [&c](const rt::db::Table& t) {
    c.BOL_BANCO = t.getText("BOL_BANCO");
    if (rt::text::alltrim(c.BOL_BANCO).empty()) c.BOL_BANCO = "341 ";
    c.BOL_AGENCI = t.getText("BOL_AGENCI");
    c.BOL_CONTA = t.getText("BOL_CONTA");
    c.BOL_NOME = t.getText("BOL_NOME");
    c.BOL_CNPJ = t.getText("BOL_CNPJ");
    c.BOL_CPF = t.getText("BOL_CPF");
    c.BOL_CARTEI = t.getText("BOL_CARTEI");
    c.BOL_NOSNRO = t.getNumber("BOL_NOSNRO");
  });
  if (!lida) return std::nullopt;
  return c;
}

void CONF_BOLETO(store::Contexto& ctx) {
  std::optional<ContaBoleto> lida = leContaBoleto(ctx);
  if (!lida) return;
  ContaBoleto c = *lida;
  console::MTELA3(ctx, console::mtela3::Cedente);
  const auto moldura = console::JanelaAberta::adota(ctx.janelas, console::Jan::kTela);
  const LugaresMoldura l(ctx, console::Familia::MTELA3, console::mtela3::Cedente);
  for (;;) {
    {
      rt::ui::Read read(ctx.console, coresFormulario(ctx));
      read.onRefusal(console::avisoDeRecusa(ctx));
      std::string banco = rt::text::left(c.BOL_BANCO, 3);
      l.get(read, "Banco", rt::ui::var("BOL_BANCO", banco), "@K 999");
      l.get(read, "Agencia", rt::ui::var("BOL_AGENCI", c.BOL_AGENCI), "@K 9999");
      l.get(read, "Conta Corrente", rt::ui::var("BOL_CONTA", c.BOL_CONTA), "@KR 99999-9");
      l.get(read, "Nome Cedente", rt::ui::var("BOL_NOME", c.BOL_NOME), "@K!S30");
      l.get(read, "CNPJ", rt::ui::var("BOL_CNPJ", c.BOL_CNPJ), "@KR 99.999.999/9999-99")
          .valid([&ctx, &c] { return console::VAL_CGC(ctx, c.BOL_CNPJ); });
      // The issuer is a company or a person: the CPF only while no CNPJ is given.
      l.get(read, "ou CPF", rt::ui::var("BOL_CPF", c.BOL_CPF), "@KR 999.999.999-99")
          .when([&c] { return rt::text::alltrim(c.BOL_CNPJ).empty(); })
          .valid([&ctx, &c] { return console::VAL_CPF(ctx, c.BOL_CPF); });
      l.get(read, "Carteira", rt::ui::var("BOL_CARTEI", c.BOL_CARTEI), "@K 999");
      const bool saiu = read.run().escaped;
      c.BOL_BANCO = rt::text::padr(banco, 4);
      if (saiu) break;
    }
    if (console::OKEI(ctx) != "S") continue;
    if (!rt::text::alltrim(c.BOL_CNPJ).empty()) c.BOL_CPF = std::string(11, ' ');
    // A failed write is said there; the form stays for another try.
    if (store::gravaDefine(ctx, [&c](rt::db::Table& t) {
          rt::Status s = t.put("BOL_BANCO", c.BOL_BANCO);
          if (s) s = t.put("BOL_AGENCI", c.BOL_AGENCI);
          if (s) s = t.put("BOL_CONTA", c.BOL_CONTA);
          if (s) s = t.put("BOL_NOME", c.BOL_NOME);
          if (s) s = t.put("BOL_CNPJ", c.BOL_CNPJ);
          if (s) s = t.put("BOL_CPF", c.BOL_CPF);
          if (s) s = t.put("BOL_CARTEI", c.BOL_CARTEI);
          return s;
        }))
      break;
  }
}

}  // namespace office
