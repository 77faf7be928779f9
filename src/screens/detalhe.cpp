#include "screens/detalhe.h"

#include <string>
#include <string_view>

#include "console/molduras.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"
#include "taxcalc/tax_year.h"

namespace screens {

namespace {

using namespace rt::text::literals;
using taxcalc::kAnoBase;

std::string texto(const rt::db::Table& t, std::string_view campo, std::string_view picture = {}) {
  const std::string v = t.getText(campo);
  return picture.empty() ? v : rt::text::transform(v, picture);
}

}  // namespace

bool MOS_DETAL(store::Contexto& ctx) {
  rt::db::Table* t = store::tabela(ctx.areas, store::Area::IMP0910);
  if (t == nullptr || t->eof()) return false;

  console::MTELAVER(ctx, console::mtelaver::Cadastro);
  const auto moldura = console::JanelaAberta::adota(ctx.janelas, console::Jan::kDialogo);
  const int top = ctx.ALJ[4], left = ctx.ACJ[4];
  const auto attr = static_cast<rt::term::Attr>(ctx.cores.COR_TEL3);
  auto poe = [&](std::string_view rotulo, const std::string& valor) {
    for (const console::CampoMoldura& c : console::camposMoldura(ctx, console::Familia::MTELAVER, console::mtelaver::Cadastro))
      if (c.rotulo == rotulo) {
        ctx.screen().put(top + c.linha, left + c.coluna, valor, attr);
        return;
      }
  };

  poe("CPF", texto(*t, "CPF", "@r 999.999.999-99"));
  poe("Senha", rt::text::left(t->getText("SENACESSO"), 8));
  // The access code is blank until the tax authority gave one.
  if (const rt::text::Decimal cod = t->getNumber("CODACESSO"); !cod.isZero())
    poe("Codigo", std::string(rt::text::alltrim(rt::text::str(cod, 12))));
  poe("Tem Rural", texto(*t, "TEMRURAL"));
  poe("Nome", texto(*t, "NOMECONTR"));
  // Age at the end of the base year; an empty birth date or one after it shows nothing.
  const rt::text::Date nasc = t->getDate("NASCIMENTO");
  if (!nasc.isEmpty() && nasc.year() <= kAnoBase) {
    poe("Idade", rt::text::str(kAnoBase - nasc.year(), 2));
    poe("meses", rt::text::str(12 - nasc.month(), 2));
  }
  poe("Nascimento", rt::text::transform(nasc, "@D"));
  poe("Tit.Eleitor", texto(*t, "TITULO", "@r 99999999999-99"));
  poe("CPF do conjuge", texto(*t, "CPFCONJU", "@r 999.999.999-99"));
  poe("Declaração Conjunta?"_cp, texto(*t, "CONJUNTA"));
  poe("Retificadora?", texto(*t, "RETIFICA"));
  poe("Número do Recibo Anterior"_cp, texto(*t, "NRORECIBO", "@r 999999999999"));
  poe("Ultimo recibo de 2010", texto(*t, "RECIBOATU", "@r 999999999999"));
  poe("Ultimo recibo em 2009", texto(*t, "RECIBOANT", "@r 999999999999"));
  poe("Banco", texto(*t, "BANCO", "@r ###"));
  poe("Agencia", texto(*t, "AGENCIA", "@r !!!!!-!"));
  poe("Conta", texto(*t, "CONTACO", "@r !!!!!!!!!!!!!-!!"));
  poe("Logradouro", texto(*t, "ENDERECO"));
  poe("Novo End.", texto(*t, "NOVOEND"));
  poe("Número"_cp, texto(*t, "NUMERO"));
  poe("Complemento", texto(*t, "COMPLEM"));
  poe("Bairro", texto(*t, "BAIRRO"));
  poe("CEP", texto(*t, "CEP", "@r 99999-999"));
  poe("UF", texto(*t, "UF"));
  poe("Município"_cp, texto(*t, "MUNICIPIO"));
  poe("Código"_cp, texto(*t, "CODPAIS"));
  poe("Embaixada", texto(*t, "CODEMB"));
  poe("DDD", texto(*t, "DDDTEL", "@R #999"));
  poe("Telefone", texto(*t, "TELEFO", "@R ##99-9999"));
  poe("FAX", texto(*t, "NROFAX", "@R ##99-9999"));
  poe("Correio Eletrônico (Email)"_cp, texto(*t, "EMAIL"));

  ctx.console.waitKey();
  return true;
}

}  // namespace screens
