#include "export/recupera_indice.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "console/pastas.h"
#include "console/recusa.h"
#include "export/formatos.h"
#include "export/prepara.h"
#include "rt/base/unique_fd.h"
#include "rt/db/file.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/pastas_dados.h"

namespace exporta {

namespace {

using namespace rt::text::literals;
namespace fs = std::filesystem;

constexpr int kTentativas = 20;  // ten seconds in half-second waits

bool onzeDigitos(std::string_view nome) {
  return nome.size() == 11 && std::all_of(nome.begin(), nome.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The taxpayer's row in the register IMP0910 of `pasta` (stored form), opened on its own and
// read only.
std::optional<Identificador> noRegistro(store::Contexto& ctx, std::string_view pasta, std::string_view cpf) {
  const std::string arquivo = rt::db::resolveCaseInsensitive(store::pastaLinux(ctx, pasta) + "/IMP0910.DBF");
  if (!rt::db::fileExists(arquivo)) return std::nullopt;
  auto t = rt::db::Table::open(arquivo, {.readOnly = true, .alias = "RECUPERA"});
  if (!t) return std::nullopt;
  rt::db::Table& r = **t;
  for (r.goTop(); r.status() && !r.eof(); r.skip(1)) {
    if (r.isDeleted() || rt::text::alltrim(r.getText("CPF")) != cpf) continue;
    return Identificador{std::string(cpf),      r.getText("RETIFICA"),  r.getText("NOVOEND"),
                         r.getText("NOMECONTR"), r.getText("NRORECIBO"), r.getText("RECIBOANT"),
                         r.getText("USAPADRAO"), "N"};
  }
  return std::nullopt;
}

// What one declaration file gives the index: the item from its identifier copy, or one made
// from the register and written into the file as its copy.
enum class Leitura { Item, SemContribuinte, Ilegivel };

Leitura itemDoArquivo(const std::string& arquivo, std::string_view cpf, const ProcuraContribuinte& procura,
                      std::string& item) {
  rt::UniqueFd fd(::open(arquivo.c_str(), O_RDWR | O_CLOEXEC));
  if (!fd.valid()) return Leitura::Ilegivel;
  std::string texto;
  char bloco[8192];
  for (ssize_t n; (n = ::read(fd.get(), bloco, sizeof bloco)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      return Leitura::Ilegivel;
    }
    texto.append(bloco, static_cast<std::size_t>(n));
  }
  std::size_t offset = 0;
  for (std::string_view p : pedacos(texto)) {
    const std::string_view t = semBrancosIniciais(p);
    const std::size_t aqui = offset + (p.size() - t.size());
    offset += p.size();
    constexpr std::string_view kCopia = "<copiaIdentificador";
    if (t.substr(0, kCopia.size()) == kCopia) {
      item = "<item" + std::string(t.substr(kCopia.size()));
      return Leitura::Item;
    }
    if (t.substr(0, 9) != "</classe>") continue;
    const std::optional<Identificador> id = procura(cpf);
    if (!id) return Leitura::SemContribuinte;
    const std::string atributos = IDENTIF(*id);
    // The copy goes where the closing tag stood, and the closing tag after it.
    const std::string reparo = "<copiaIdentificador" + atributos + "/></classe>";
    for (std::size_t feito = 0; feito < reparo.size();) {
      const ssize_t n = ::pwrite(fd.get(), reparo.data() + feito, reparo.size() - feito,
                                 static_cast<off_t>(aqui + feito));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return Leitura::Ilegivel;
      feito += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) return Leitura::Ilegivel;
    item = "<item" + atributos + "/>";
    return Leitura::Item;
  }
  // Neither the copy nor the closing tag: a file cut short, not a declaration to list.
  return Leitura::Ilegivel;
}

}  // namespace

rt::Status ATUALIZA_INDICE(console::Contexto& ctx, const store::EspelhoDeclaracao& d, std::string_view LOCIRPF,
                     Interacao& fala) {
  const Identificador id = identificadorDe(d);
  const std::string guardado = console::BAR_DIR(LOCIRPF) + std::string(kNomeIndice);
  int tentativas = 0;
  OpcoesIndice opcoes;
  opcoes.espera = [&] {
    return ++tentativas <= kTentativas && fala.aguarda("Aguardando registro do programa receita ficar disponível!"_cp);
  };
  rt::Status erro;
  const ResultadoIndice r =
      gravaIndice(console::caminhoLinux(ctx, guardado), id.CPF, "<item" + IDENTIF(id) + "/>", opcoes, &erro);
  switch (r) {
    case ResultadoIndice::Gravado:
      return {};
    case ResultadoIndice::Ocupado:
      VEJAERRO(fala, 5, guardado).ignoreTold();
      fala.erro("ATENÇAO! Registro não disponível. Dado não será gravado."_cp);
      return console::falhaDita(rt::Error::kLocked, guardado);
    case ResultadoIndice::ErroLeitura:
      if (codigoDos(erro, guardado) == kLink)
        VEJAERRO(fala, kLink, guardado).ignoreTold();
      else
        fala.erro("Erro de leitura");
      return erro.isOk() ? console::falhaDita(rt::Error::kIo, guardado) : erro.markTold();
    case ResultadoIndice::ErroGravacao:
      fala.erro("Problemas na gravação da Declaração."_cp);
      return erro.isOk() ? console::falhaDita(rt::Error::kIo, guardado) : erro.markTold();
  }
  return console::falhaDita(rt::Error::kIo, guardado);
}

ProcuraContribuinte procuraNosRegistros(store::Contexto& ctx) {
  return [&ctx](std::string_view cpf) -> std::optional<Identificador> {
    if (auto id = noRegistro(ctx, ctx.LOCARQ, cpf)) return id;
    for (const std::string& pasta : store::pastasDoRegistro(ctx)) {
      if (store::mesmaPasta(ctx, pasta, ctx.LOCARQ)) continue;
      if (auto id = noRegistro(ctx, pasta, cpf)) return id;
    }
    return std::nullopt;
  };
}

rt::Status recuperaIndice(const std::string& pasta, const ProcuraContribuinte& procura, Interacao& fala,
                    const OpcoesIndice& opcoes) {
  std::error_code ec;
  std::vector<std::string> cpfs;
  bool algum = false;
  for (const fs::directory_entry& e : fs::directory_iterator(pasta, ec)) {
    algum = true;
    const std::string nome = e.path().filename().string();
    std::error_code ed;
    if (onzeDigitos(nome) && e.is_directory(ed)) cpfs.push_back(nome);
  }
  if (ec || !algum) {
    fala.erro("Nao existem arquivos para serem recuperados! A Pasta esta correta?");
    return console::falhaDita(rt::Error::kNotFound, pasta);
  }
  std::sort(cpfs.begin(), cpfs.end());
  std::string itens;
  for (const std::string& cpf : cpfs) {
    const std::string folder = pasta + "/" + cpf;
    const std::string arquivo = rt::db::resolveCaseInsensitive(folder + "/" + cpf + ".xml");
    if (!rt::db::fileExists(arquivo)) {
      // Only an empty folder goes: rmdir refuses one that still holds anything.
      (void)::rmdir(folder.c_str());
      continue;
    }
    fala.status("Recuperando o CPF " + comCpf(cpf));
    std::string item;
    switch (itemDoArquivo(arquivo, cpf, procura, item)) {
      case Leitura::Item:
        itens += item;
        break;
      case Leitura::SemContribuinte:
        fala.erro(
            std::string("O contribuinte não foi localizado em nenhum dos diretórios indicado. Impossivel recuperar o CPF "_cp) +
            comCpf(cpf));
        break;
      case Leitura::Ilegivel:
        fala.erro("Erro de leitura ");
        break;
    }
  }
  const std::string novo = inicioColecao() + itens + "</classe>";
  rt::Status erro;
  if (alteraIndice(pasta + "/" + std::string(kNomeIndice), [&](std::string_view) { return novo; }, opcoes, &erro) !=
      ResultadoIndice::Gravado) {
    if (codigoDos(erro, pasta) == kLink)
      VEJAERRO(fala, kLink, pasta + "/" + std::string(kNomeIndice)).ignoreTold();
    else
      fala.erro("Problemas na gravação da Declaração."_cp);
    return erro.isOk() ? console::falhaDita(rt::Error::kIo, pasta) : erro.markTold();
  }
  return {};
}

rt::Status RECUP_INDICE(store::Contexto& ctx, std::string_view LOCIRPF) {
  InteracaoConsole fala(ctx);
  return RECUP_INDICE(ctx, LOCIRPF, fala);
}

rt::Status RECUP_INDICE(store::Contexto& ctx, std::string_view LOCIRPF, Interacao& fala) {
  if (rt::text::alltrim(LOCIRPF).empty()) {
    fala.erro("Preencha em Opcões/Pasta do IRPF a pasta do programa da receita"_cp);
    return console::falhaDita(rt::Error::kNotFound, "LOCIRPF");
  }
  if (!fala.continua(emLinhas({"Essa opcao deve ser usada para recuperar a lista dos CPFs",
                               "perdidas no programa da Receita. Continua?"}),
                     2))
    return console::falhaDita(rt::Error::kFailed, "index rebuild declined");
  int tentativas = 0;
  OpcoesIndice opcoes;
  opcoes.espera = [&] {
    return ++tentativas <= kTentativas && fala.aguarda("Aguardando registro do programa receita ficar disponível!"_cp);
  };
  return recuperaIndice(console::caminhoLinux(ctx, rt::text::alltrim(LOCIRPF)), procuraNosRegistros(ctx), fala,
                        opcoes);
}

}  // namespace exporta
