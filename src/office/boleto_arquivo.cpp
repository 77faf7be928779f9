// The remittance file of the slips waiting in table 67, and the slip menu. The table is held
// under its file lock from the read of the slips until those that went into the file are
// taken out, so two terminals never bill one slip and a slip typed meanwhile waits for its
// append; the file is written under a scratch name and renamed to its day's name through a
// journal, so a kill never bills a slip twice, nor loses one, nor leaves a file cut short
// under a day's name (office/remessa_diario.h).
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
#include "office/remessa_diario.h"
#include "rt/db/file.h"
#include "rt/fs/shared_files.h"
#include "rt/text/cp860.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/diario_gravacao.h"
#include "store/montagem.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace office {

namespace {

using namespace rt::text::literals;
using rt::text::Date;
using store::Area;

// How long a terminal waits for another one to finish its file (or an entry to finish its
// slip) before it is refused, as the opener waits for a table.
constexpr int kEsperaBoletos = 10;

struct Esperando {
  std::vector<Boleto> boletos;
  std::vector<RegistroRemessa> registros;  // the same slips as the table holds them
};

// The slips waiting, in bank reference order, each with its payer's address when the payer is
// registered in some folder. Nothing after saying why the table could not be read.
std::optional<Esperando> boletosEsperando(store::Contexto& ctx, rt::db::Table& t) {
  Esperando e;
  t.setOrder(1);  // an order of the table's own index: nothing is written
  for (t.goTop(); t.status() && !t.eof(); t.skip(1)) {
    if (t.isDeleted()) continue;  // sent already, whatever the deleted switch says
    e.boletos.push_back({t.getNumber("NRODOCUM"), t.getNumber("NOSSONRO"), t.getDate("DATADOC"),
                         t.getNumber("VALORDOC"), t.getText("NOMESAC"), t.getText("CPFSAC"), {}});
    e.registros.push_back({t.recNo(), std::string(t.record().substr(1))});
  }
  if (!store::gravou(ctx, t.status(), "BOLETO")) return std::nullopt;
  for (Boleto& b : e.boletos)
    if (std::optional<Localizado> l = procuraCpf(ctx, b.CPFSAC)) b.endereco = l->endereco;
  return e;
}

// Table 67 held under its file lock while the object lives; refused after the wait (said).
class BoletosTravados {
 public:
  explicit BoletosTravados(store::Contexto& ctx) : ctx_(ctx), selecao_(ctx.areas) {
    if (!store::ABERTURA(ctx, Area::BOLETO)) return;  // the opener said why
    aberta_ = true;
    if (store::FIL_LOCK(ctx, kEsperaBoletos)) {
      tabela_ = store::tabela(ctx.areas, Area::BOLETO);
      return;
    }
    console::AVISOSN(ctx, {"Os boletos estão em uso em outro terminal."_cp, "Nenhum arquivo foi gerado."}, 0);
  }
  ~BoletosTravados() {
    // Every change was committed (or is said, and kept in the journal): the release only
    // lets the other terminals in.
    if (tabela_ != nullptr) (void)tabela_->unlock();
    if (aberta_) store::solta(ctx_.areas, Area::BOLETO);
  }
  BoletosTravados(const BoletosTravados&) = delete;
  BoletosTravados& operator=(const BoletosTravados&) = delete;

  rt::db::Table* tabela() const { return tabela_; }

 private:
  store::Contexto& ctx_;
  store::SelecaoGuardada selecao_;
  bool aberta_ = false;
  rt::db::Table* tabela_ = nullptr;
};

// The day's first free name (its plain name), with `tomados` counted as taken; nothing when
// every letter of the day is.
std::optional<std::string> nomeLivre(store::Contexto& ctx, Date hoje, const std::set<std::string>& tomados) {
  const std::optional<std::string> nome = nomeRemessa(ctx.ARQDEF, hoje, [&ctx, &tomados](const std::string& n) {
    if (tomados.count(n)) return true;
    std::error_code ec;
    return std::filesystem::exists(
        std::filesystem::symlink_status(rt::db::resolveCaseInsensitive(console::caminhoLinux(ctx, n)), ec));
  });
  if (!nome) return std::nullopt;
  return nome->substr(ctx.ARQDEF.size());
}

// The file written whole under a scratch name, its journal, and the file put under the day's
// first free name, never over a file there. The journal, or nothing after saying why (no
// file is then left behind, nor a journal).
std::optional<DiarioRemessa> poeArquivo(store::Contexto& ctx, const std::string& texto, Date hoje,
                                        std::vector<RegistroRemessa> registros, const GanchoRemessa& gancho) {
  const std::string pasta = pastaRemessa(ctx);
  std::set<std::string> tomados;  // names another program took between the look and the rename
  std::optional<std::string> nome = nomeLivre(ctx, hoje, tomados);
  if (!nome) {
    console::AVISOSN(ctx, {"Já foram gerados os arquivos de A a Z de hoje."_cp, "Nenhum arquivo foi gerado."}, 0);
    return std::nullopt;
  }
  auto falhou = [&ctx, &nome](const rt::Status& erro) {
    exporta::VEJAERRO(ctx, exporta::codigoDos(erro, console::caminhoLinux(ctx, ctx.ARQDEF + *nome)),
                      ctx.ARQDEF + *nome)
        .ignoreTold();
    return std::nullopt;
  };
  rt::Result<rt::fs::ScratchFile> criado = rt::fs::ScratchFile::beside(pasta + *nome);
  if (!criado) return falhou(rt::Status::fromErrno(criado.status().sysError(), "create beside"));
  rt::fs::ScratchFile provisorio = std::move(*criado);
  const std::size_t metade = texto.size() / 2;
  int erro = provisorio.write(std::string_view(texto).substr(0, metade)).sysError();
  if (gancho) gancho(kRemessaMeioArquivo);
  if (erro == 0) erro = provisorio.write(std::string_view(texto).substr(metade)).sysError();
  if (erro == 0) erro = provisorio.sync().sysError();
  if (erro != 0)
    return falhou(rt::Status::fromErrno(erro, "write"));  // the scratch file goes with the object
  if (gancho) gancho(kRemessaArquivo);

  DiarioRemessa d;
  d.provisorio = provisorio.path().substr(pasta.size());
  d.tamanho = texto.size();
  d.hash = store::hashDiario(texto);
  d.registros = std::move(registros);
  const std::string diario = caminhoDiarioRemessa(ctx);
  for (;;) {
    d.arquivo = *nome;
    if (const rt::Status e = escreveDiarioRemessa(diario, d); !e) {
      rt::db::removeScratch(diario);
      return falhou(e);
    }
    if (gancho) gancho(kRemessaDiario);
    bool jaHavia = false;
    const rt::Status movido = store::moveSemSubstituir(provisorio.path(), pasta + *nome, &jaHavia);
    if (movido && !jaHavia) break;
    rt::db::removeScratch(diario);
    if (!movido) {
      store::gravou(ctx, movido, ctx.ARQDEF + *nome).ignoreTold();
      return std::nullopt;
    }
    tomados.insert(ctx.ARQDEF + *nome);
    nome = nomeLivre(ctx, hoje, tomados);
    if (!nome) {
      console::AVISOSN(ctx, {"Já foram gerados os arquivos de A a Z de hoje."_cp, "Nenhum arquivo foi gerado."}, 0);
      return std::nullopt;
    }
  }
  provisorio.keep();  // under the day's name now
  if (gancho) gancho(kRemessaNoLugar);
  return d;
}

// What a generation came to: the file's name as shown, no slip to send, or a failure (said).
struct Gerado {
  std::optional<std::string> nome = {};
  bool semBoletos = false;
};

// The remittance under the table's file lock, which goes when this returns.
Gerado gera(store::Contexto& ctx, Date hoje, const GanchoRemessa& gancho) {
  const BoletosTravados travados(ctx);
  rt::db::Table* t = travados.tabela();
  if (t == nullptr) return {};  // said
  // What a terminal killed in its remittance left is finished first, so its slips are read
  // as they are now: sent, or still waiting.
  if (!store::gravou(ctx, completaRemessa(ctx, *t).status(), "BOLETO")) return {};
  std::optional<Esperando> e = boletosEsperando(ctx, *t);
  if (!e) return {};
  if (gancho) gancho(kRemessaLida);
  if (e->boletos.empty()) return {.semBoletos = true};
  const std::optional<ContaBoleto> conta = leContaBoleto(ctx);
  if (!conta) return {};
  const std::optional<DiarioRemessa> d =
      poeArquivo(ctx, remessa(*conta, e->boletos, hoje), hoje, std::move(e->registros), gancho);
  if (!d) return {};
  // The slips sent leave the table. A refusal is said; the journal stays, and the next
  // generation (or start) takes them out before anything else.
  const rt::Status retirados = retiraBoletos(*t, d->registros, [&gancho] {
    if (gancho) gancho(kRemessaMeioRetirada);
  });
  if (store::gravou(ctx, retirados, "BOLETO")) {
    if (gancho) gancho(kRemessaRetirada);
    // Left behind, the journal would only be completed again with nothing left to do.
    if (rt::db::removeFile(caminhoDiarioRemessa(ctx)) && gancho) gancho(kRemessaConcluida);
  }
  return {.nome = ctx.ARQDEF + d->arquivo};
}

}  // namespace

rt::Status GERA_BOLETO(store::Contexto& ctx, Date hoje, const GanchoRemessa& gancho) {
  // Said once the table is let go: the other terminals need not wait for the clerk to read it.
  const Gerado g = gera(ctx, hoje, gancho);
  if (g.semBoletos) console::AVISOSN(ctx, "Nao existe boleto cadastrado para ser gerado o arquivo.", 0);
  if (!g.nome) return console::falhaDita(rt::Error::kFailed, "remittance");
  console::AVISOSN(ctx, "Arquivo " + *g.nome + " gerado com sucesso.", 0);
  return {};
}

rt::Status BOLETO(store::Contexto& ctx, Date hoje) {
  const std::optional<console::ItensMoldura> itens = console::itensMoldura(ctx, console::Familia::MTELA1, console::mtela1::MenuBoletos);
  // Without its frame the menu is not shown, and there is nothing for the clerk to be told.
  if (!itens) return console::falhaDita(rt::Error::kNotFound, "BOLETO menu frame");
  ctx.POSVER = 1;
  for (;;) {
    int escolha;
    {
      // The forms of the menu take its window: the menu is drawn again after each one.
      console::MTELA1(ctx, console::mtela1::MenuBoletos);
      const auto menu = console::JanelaAberta::adota(ctx.janelas, itens->janela);
      console::OpcoesMenu opcoes;
      opcoes.teclas = "CPG";
      opcoes.mensagens = {"Configura conta/agencia e a carteira do Boleto", "Prepara os boletos para a cobranca",
                          "Gera o arquivo para os boletos"};
      escolha = console::ESC_OPCAO(ctx, itens->janela, itens->quantos, itens->coluna, itens->largura, opcoes, itens->deslocamento);
    }
    if (escolha == 0) break;
    if (escolha == 1) CONF_BOLETO(ctx);
    if (escolha == 2) FAZ_BOLETO(ctx, hoje);
    // GERA_BOLETO says what became of the file; the menu comes back either way.
    if (escolha == 3) GERA_BOLETO(ctx, hoje).ignoreTold();
  }
  return {};
}

}  // namespace office
