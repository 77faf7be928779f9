// Finding a client by CPF for the slips and the e-mail: the register of the current folder
// first, then those of the other registered folders. The folder the clerk is in never
// changes: a find elsewhere is read there and the current folder's register put back.
#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/validadores.h"
#include "office/boleto.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/busca_outro.h"
#include "store/cpf.h"
#include "store/pastas_dados.h"

namespace office {

namespace {

using namespace rt::text::literals;
using store::Area;

Localizado le(const rt::db::Table& r) {
  Localizado l;
  l.cpf = r.getText("CPF");
  l.nome = r.getText("NOMECONTR");
  l.email = r.getText("EMAIL");
  l.endereco = {r.getText("TIPOEND"), r.getText("ENDERECO"), r.getText("NUMERO"), r.getText("BAIRRO"),
                r.getText("CEP"),     r.getText("MUNICIPIO"), r.getText("UF")};
  return l;
}

}  // namespace

std::optional<Localizado> procuraCpf(store::Contexto& ctx, std::string_view cpf) {
  const store::Cpf chave(cpf);
  if (!store::aberta(ctx.areas, Area::IMP0910) && !store::ABERTURA(ctx, Area::IMP0910)) return std::nullopt;
  rt::db::Table& r = *store::tabela(ctx.areas, Area::IMP0910);
  const int ordem = r.order();
  if (r.useOrder(1) && r.seek(chave.chave()) && r.found()) {
    Localizado l = le(r);
    r.setOrder(ordem);  // an order already in use: only the index number changes
    return l;
  }
  const store::SelecaoGuardada selecao(ctx.areas);
  const std::string inicio = ctx.LOCARQ;
  std::optional<Localizado> achado;
  if (store::BUSCA_OUTRO(ctx, chave.chave(), 1, 0, true)) {
    achado = le(*store::tabela(ctx.areas, Area::IMP0910));
    // Back to the clerk's folder, its register on the order it had.
    store::passaParaPasta(ctx, inicio);
  }
  if (rt::db::Table* t = store::tabela(ctx.areas, Area::IMP0910)) t->setOrder(ordem);
  return achado;
}

void avisaNaoLocalizado(store::Contexto& ctx) {
  console::AVISOSN(ctx,
                   {"O contribuinte não foi localizado em nenhum dos diretórios "_cp,
                    "indicado. Confira o código ou os diretórios digitados      "_cp},
                   0);
}

std::optional<Localizado> BUSCACPF(store::Contexto& ctx, std::string_view cpf) {
  std::optional<Localizado> l = procuraCpf(ctx, cpf);
  if (!l) avisaNaoLocalizado(ctx);
  return l;
}

std::optional<Localizado> LOCALI_CPF(store::Contexto& ctx, std::string_view cpf) {
  if (!console::VAL_CPF(ctx, cpf, true)) return std::nullopt;
  return BUSCACPF(ctx, cpf);
}

}  // namespace office
