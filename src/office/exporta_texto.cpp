#include "office/exporta_texto.h"

#include <array>
#include <string>

#include "console/alerta.h"
#include "console/menus.h"
#include "console/mensagens.h"
#include "console/molduras.h"
#include "console/pastas.h"
#include "console/recusa.h"
#include "rt/db/transfer.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace office {

namespace {

using namespace rt::text::literals;
using store::Area;

struct ItemExporta {
  Area tabela;
  std::string_view arquivo;
  std::string_view ajuda;
};

// In the menu's order. The menu names "BensRu.txt" and "DividaRu.txt" while the files are
// written as below; other software looks for these names.
const std::array<ItemExporta, 7> kItens{{
    {Area::IMP0410, "Bens.txt", "Exporta a declaração de bens p/arquivo Bens.txt"_cp},
    {Area::IMP0510, "Divida.txt", "Exporta a declaracao de dividas p/arquivo Divida.txt"},
    {Area::IMP0610, "Pagos.txt", "Exporta os pagamentos para o arquivo Pagos.txt"},
    {Area::IMP0910, "Cadastro.txt", "Exporta o cadastro para o arquivo Cadastro.txt"},
    {Area::IMP1710, "Bensru.txt", "Exporta a declaração dos bens Rurais p/arquivo BensRu.txt"_cp},
    {Area::IMP1810, "Dividaru.txt", "Exporta a declaracao de dividas Rurais p/arquivo DividaRu.txt"},
    {Area::IMP1610, "Imoveis.txt", "Exporta os Imoveis Rurais para o arquivo Imoveis.txt"},
}};

// One hot letter per item: the menu's letters are "BDPCSRVI", one more than its items.
constexpr std::string_view kLetras = "BDPCSRV";

}  // namespace

rt::Status ENV_ARQ(store::Contexto& ctx, std::string_view nome) {
  rt::db::Table* t = ctx.areas.currentTable();
  const std::string destino = console::caminhoLinux(ctx, ctx.LOCTRAB + std::string(nome));
  const rt::Status s = t == nullptr ? rt::Status(rt::Error::kNotFound, std::string(nome))
                                    : rt::db::copyToDelimited(*t, destino);
  if (!s) {
    console::MENS(ctx, console::mens::Aviso, console::textoRecusa(s, nome), {.linhas = 2});
    return s.markTold();
  }
  console::AVISOSN(ctx, {"Criado arquivo " + std::string(nome) + " na pasta", ctx.LOCTRAB}, 0);
  return {};
}

rt::Status EXPORTA(store::Contexto& ctx) {
  console::MTELA1(ctx, console::mtela1::MenuExporta);
  const std::optional<console::ItensMoldura> itens = console::itensMoldura(ctx, console::Familia::MTELA1, console::mtela1::MenuExporta);
  if (!itens) return console::falhaDita(rt::Error::kNotFound, "export menu");
  console::OpcoesMenu opcoes;
  opcoes.teclas = std::string(kLetras);
  for (const ItemExporta& i : kItens) opcoes.mensagens.emplace_back(i.ajuda);
  ctx.POSVER = 1;
  const int escolha =
      console::ESC_OPCAO(ctx, itens->janela, itens->quantos, itens->coluna, itens->largura, opcoes, itens->deslocamento, 1);
  if (escolha < 1 || escolha > static_cast<int>(kItens.size()))
    return console::falhaDita(rt::Error::kFailed, "export left");
  const ItemExporta& item = kItens[static_cast<std::size_t>(escolha - 1)];
  const store::SelecaoGuardada selecao(ctx.areas);
  // The register is open for the whole run; the other tables only for the copy.
  const bool propria = item.tabela != Area::IMP0910;
  if (propria || !store::aberta(ctx.areas, item.tabela)) RT_TRY(store::ABERTURA(ctx, item.tabela));
  if (!propria) store::seleciona(ctx.areas, item.tabela);
  const rt::Status ok = ENV_ARQ(ctx, item.arquivo);
  // Nothing was changed in the table: closing it and going back to the caller's area cannot
  // lose anything.
  if (propria) store::solta(ctx.areas, item.tabela);
  return ok;
}

}  // namespace office
