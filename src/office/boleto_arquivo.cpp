// The remittance file of the slips waiting in table 67, and the slip menu. The file is taken
// under a name no other terminal can take at the same moment, written whole and made durable
// before the slips are removed, so a slip is never billed twice nor lost.
#include <unistd.h>

#include <filesystem>
#include <set>

#include "console/alerta.h"
#include "console/menus.h"
#include "console/mensagens.h"
#include "console/molduras.h"
#include "console/pastas.h"
#include "export/arquivo.h"
#include "export/prepara.h"
#include "office/boleto.h"
#include "rt/db/file.h"
#include "rt/text/cp860.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace office {

namespace {

using namespace rt::text::literals;
using rt::text::Date;
using store::Area;

// The slips waiting, in bank reference order, each with its payer's address when the payer is
// registered in some folder.
std::vector<Boleto> boletosEsperando(store::Contexto& ctx, rt::db::Table& t) {
  std::vector<Boleto> v;
  t.setOrder(1);  // an order of the table's own index: nothing is written
  for (t.goTop(); t.status() && !t.eof(); t.skip(1)) {
    Boleto b{t.getNumber("NRODOCUM"), t.getNumber("NOSSONRO"), t.getDate("DATADOC"), t.getNumber("VALORDOC"),
             t.getText("NOMESAC"),    t.getText("CPFSAC"),     {}};
    v.push_back(std::move(b));
  }
  for (Boleto& b : v)
    if (std::optional<Localizado> l = procuraCpf(ctx, b.CPFSAC)) b.endereco = l->endereco;
  return v;
}

// The file written under the first free name of the day; its name as shown, or nothing after
// saying why (no file is then left behind).
std::optional<std::string> escreve(store::Contexto& ctx, const std::string& texto, Date hoje) {
  std::set<std::string> tomados;  // names another terminal took between the look and the create
  for (;;) {
    const std::optional<std::string> nome = nomeRemessa(ctx.ARQDEF, hoje, [&ctx, &tomados](const std::string& n) {
      if (tomados.count(n)) return true;
      std::error_code ec;
      return std::filesystem::exists(
          std::filesystem::symlink_status(rt::db::resolveCaseInsensitive(console::caminhoLinux(ctx, n)), ec));
    });
    if (!nome) {
      console::AVISOSN(ctx, {"Já foram gerados os arquivos de A a Z de hoje."_cp, "Nenhum arquivo foi gerado."}, 0);
      return std::nullopt;
    }
    const std::string caminho = console::caminhoLinux(ctx, *nome);
    exporta::ArquivoSaida arq;
    const int criou = arq.criaNovo(caminho);
    if (criou == EEXIST) {
      tomados.insert(*nome);
      continue;
    }
    int erro = criou;
    if (erro == 0) erro = arq.anexa(texto);
    if (erro == 0) erro = arq.fecha();
    if (erro == 0) return nome;
    if (criou == 0) ::unlink(caminho.c_str());  // our own file, cut short
    exporta::VEJAERRO(ctx, exporta::codigoDos(erro, caminho), *nome);
    return std::nullopt;
  }
}

}  // namespace

bool GERA_BOLETO(store::Contexto& ctx, Date hoje) {
  std::vector<Boleto> boletos;
  {
    const store::SelecaoGuardada selecao(ctx.areas);
    if (!store::ABERTURA(ctx, Area::BOLETO)) return false;  // the opener said why
    boletos = boletosEsperando(ctx, *store::tabela(ctx.areas, Area::BOLETO));
    store::solta(ctx.areas, Area::BOLETO);  // only read
  }
  if (boletos.empty()) {
    console::AVISOSN(ctx, "Nao existe boleto cadastrado para ser gerado o arquivo.", 0);
    return false;
  }
  const std::optional<ContaBoleto> conta = leContaBoleto(ctx);
  if (!conta) return false;
  const std::optional<std::string> nome = escreve(ctx, remessa(*conta, boletos, hoje), hoje);
  if (!nome) return false;
  console::AVISOSN(ctx, "Arquivo " + *nome + " gerado com sucesso.", 0);
  // The slips sent leave the table; the exclusive open waits for the other terminals.
  bool vazia;
  {
    const store::SelecaoGuardada selecao(ctx.areas);
    vazia = store::ABERTURA(ctx, Area::BOLETO, true);
    if (vazia) {
      vazia = store::tabela(ctx.areas, Area::BOLETO)->zap().isOk();
      vazia = store::fecha(ctx.areas, Area::BOLETO).isOk() && vazia;
    }
  }
  if (!vazia)
    console::AVISOSN(ctx,
                     {"Atenção! Os boletos enviados não puderam ser apagados da tabela."_cp,
                      "Apague-os antes de gerar outro arquivo, ou serão cobrados de novo."_cp},
                     0);
  return true;
}

bool BOLETO(store::Contexto& ctx, Date hoje) {
  const std::optional<console::ItensMoldura> itens = console::itensMoldura(ctx, console::Familia::MTELA1, 5);
  if (!itens) return false;
  ctx.POSVER = 1;
  for (;;) {
    int escolha;
    {
      // The forms of the menu take its window: the menu is drawn again after each one.
      console::MTELA1(ctx, 5);
      const auto menu = console::JanelaAberta::adota(ctx.janelas, itens->janela);
      ctx.OPCOES = "CPG";
      ctx.MENSMENU = {"Configura conta/agencia e a carteira do Boleto", "Prepara os boletos para a cobranca",
                      "Gera o arquivo para os boletos"};
      escolha = console::ESC_OPCAO(ctx, itens->janela, itens->quantos, itens->coluna, itens->largura,
                                   itens->deslocamento, 0, 1);
    }
    if (escolha == 0) break;
    if (escolha == 1) CONF_BOLETO(ctx);
    if (escolha == 2) FAZ_BOLETO(ctx, hoje);
    if (escolha == 3) GERA_BOLETO(ctx, hoje);
  }
  return true;
}

}  // namespace office
