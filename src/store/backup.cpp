#include "store/backup.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "platform/archive.h"
#include "platform/drive.h"
#include "platform/paths.h"
#include "rt/db/file.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/arquivos_pasta.h"
#include "store/catalogo.h"
#include "store/dialogos.h"
#include "store/pastas_dados.h"
#include "store/reorg.h"
#include "store/verificacao.h"

namespace store {

using namespace rt::text::literals;

namespace {

std::string limpa(std::string_view s) {
  return std::string(rt::text::alltrim(s));
}

void aviso(Contexto& ctx, std::initializer_list<std::string_view> linhas) {
  ctx.janelas.FECHAJAN(10);
  console::AVISOSN(ctx, linhas, 0);
}

// The archive file in a folder, found in any case; "" when absent.
std::string arquivoNaPasta(const std::string& pastaLx, std::string_view nome) {
  auto r = platform::resolveExisting(platform::join(pastaLx, nome));
  return r && platform::fileExists(*r) ? *r : std::string();
}

// Where the archive is made: the terminal's work folder, else the program folder.
std::string pastaLocal(const Contexto& ctx) {
  const std::string& base = rt::text::isEmptyText(ctx.LOCTRAB) ? ctx.ARQDEF : ctx.LOCTRAB;
  return pastaLinux(ctx, base);
}

}  // namespace

std::string pastaNoDrive(std::string_view drive, std::string_view pasta) {
  std::string p = limpa(pasta);
  if (p.size() >= 2 && p[1] == ':') p = p.substr(2);
  if (p.empty() || !platform::isSeparator(p[0])) p = "\\" + p;
  return limpa(drive).substr(0, 1) + ":" + p;
}

// ---------------------------------------------------------------- backup

namespace {

bool fazBackup(Contexto& ctx, int modo, const std::string& origem, const std::string& destino) {
  if (mesmaPasta(ctx, origem, destino)) {
    if (modo == 2) {
      aviso(ctx, {"ATENCAO! O drive nao pode ser o mesmo", "de onde esta a base de Dados. Troque"});
    } else {
      aviso(ctx, {"ATENCAO! As pastas origem e destino não podem ser iguais"_cp});
    }
    return false;
  }
  const std::string origemLx = pastaLinux(ctx, origem);
  if (arquivoNaPasta(origemLx, "IMP0910.DBF").empty()) {
    aviso(ctx, {"A pasta " + origem, "nao tem dados do TAVREN!"});
    return true;
  }
  auto destinoLx = platform::createFolders(ctx.unidades.toLinux(console::BAR_FORA(destino)));
  if (!destinoLx) {
    aviso(ctx, {"Problemas na criacao da pasta " + destino});
    return false;
  }
  // An archive left by an earlier run must never pass for this one.
  const std::string local = platform::join(pastaLocal(ctx), kArquivoBackup);
  if (std::string velho = arquivoNaPasta(pastaLocal(ctx), kArquivoBackup); !velho.empty())
    (void)rt::db::removeFile(velho);
  console::MENS(ctx, 13, "COMPACTANDO DADOS DO TAVREN EM " + destino);
  auto nomes = platform::listFiles(origemLx, "IMP*.DBF");
  if (!nomes) {
    aviso(ctx, {"Problemas na criação do arquivo compactado."_cp});
    return false;
  }
  platform::Result<platform::ArchiveListing> feito = platform::ArchiveListing{};
  {
    // Every table held while the archive is written, so no save is caught halfway.
    std::vector<std::unique_ptr<rt::db::Table>> seguras;
    for (const std::string& nome : *nomes) {
      auto t = seguraAguardando(ctx, platform::join(origemLx, nome), rt::text::upper(nome));
      if (!t) {
        aviso(ctx, {"Copia encerrada sem terminar."});
        return false;
      }
      seguras.push_back(std::move(*t));
    }
    feito = platform::writeZip(local, origemLx, *nomes);
  }
  if (!feito) {
    aviso(ctx, {"Problemas na criação do arquivo compactado."_cp});
    return false;
  }
  const std::uint64_t tamanho = feito->archiveBytes;
  auto livre = platform::freeSpace(*destinoLx);
  if (!livre || *livre < tamanho) {
    (void)rt::db::removeFile(local);
    aviso(ctx, {"Espaço no Disco Insuficiente"_cp});
    return false;
  }
  auto alvo = platform::pathForFile(*destinoLx, kArquivoBackup);
  platform::Status copiado =
      alvo ? copiaArquivo(local, *alvo,
                          [tamanho](const std::string& c) {
                            return platform::verifyArchive(c, static_cast<std::int64_t>(tamanho)).status();
                          })
           : alvo.status();
  (void)rt::db::removeFile(local);
  if (!copiado) {
    aviso(ctx, {"Problemas na copia do Arquivo compactado."});
    return false;
  }
  ctx.janelas.FECHAJAN(10);
  (void)gravaConfig(ctx, "ULTBACK", ctx.clock.now().date);
  return true;
}

}  // namespace

bool BKMANUAL(Contexto& ctx, int modo, std::string destino, std::string origem, const Redesenho& redesenho) {
  if (modo == 1 && !BUSCANOME(ctx, 1, origem, destino)) return false;
  if (!fazBackup(ctx, modo, limpa(origem), limpa(destino))) return false;
  if (modo == 1) redesenhaFundo(ctx, redesenho);
  return true;
}

// ---------------------------------------------------------------- restore

namespace {

struct Restaurada {
  const TabelaDef* tabela = nullptr;
  std::string extraido;  // in the scratch folder
  std::string alvo;      // the table file it replaces
};

bool recupera(Contexto& ctx, const std::string& arquivo, const std::string& destino,
              const std::string& destinoLx) {
  auto ex = platform::extractMatching(arquivo, "IMP??10.DBF", destinoLx);
  if (!ex) {
    aviso(ctx, {"Arquivo compactado danificado.", "Nenhum dado foi recuperado."});
    return false;
  }
  std::vector<Restaurada> tabelas;
  for (const platform::ArchiveEntry& e : ex->files) {
    const TabelaDef* t = tabelaPorNome(e.name);
    // Only the declaration tables; a name that merely looks like one is left behind.
    if (t == nullptr || t->numero < 1 || t->numero > 20) continue;
    Restaurada r{t, ex->pathOf(e), {}};
    rt::db::OpenOptions so;
    so.readOnly = true;
    auto aberta = rt::db::Table::open(r.extraido, so);
    if (!aberta || (*aberta)->isDamaged()) {
      aviso(ctx, {"Arquivo compactado danificado.", "Nenhum dado foi recuperado."});
      return false;
    }
    auto alvo = platform::pathForFile(destinoLx, nomeArquivo(*t, ctx.NUSU) + ".DBF");
    if (!alvo) {
      aviso(ctx, {std::string("Nao foi possível mudar para a pasta "_cp) + destino});
      return false;
    }
    r.alvo = *alvo;
    tabelas.push_back(std::move(r));
  }
  std::vector<std::unique_ptr<rt::db::Table>> seguras;
  for (const Restaurada& r : tabelas) {
    if (!platform::fileExists(r.alvo)) continue;
    auto t = seguraAguardando(ctx, r.alvo, platform::lastComponent(r.alvo));
    // A table too damaged to open is what a restore is for: it is replaced without a hold.
    if (!t && t.code() != rt::db::Error::kInUse) continue;
    if (!t) {
      aviso(ctx, {"Copia encerrada sem terminar."});
      return false;
    }
    seguras.push_back(std::move(*t));
  }
  descartaDiariosMortos(destinoLx);
  {
    UsaPasta naPasta(ctx, destino);
    for (const Restaurada& r : tabelas) {
      for (const IndiceDef& i : indicesDe(ctx, *r.tabela)) {
        const std::string cdx = caminho(ctx, comExtensao(i.arquivo, ".CDX"));
        if (rt::db::fileExists(cdx)) (void)rt::db::removeFile(cdx);
      }
      std::error_code ec;
      if (platform::fileExists(r.alvo))
        std::filesystem::permissions(r.extraido, std::filesystem::status(r.alvo, ec).permissions(), ec);
      std::filesystem::rename(r.extraido, r.alvo, ec);
    }
  }
  (void)platform::syncFolder(destinoLx);
  return true;
}

bool fazRestauracao(Contexto& ctx, const std::string& origem, const std::string& destino) {
  const std::string origemLx = pastaLinux(ctx, origem);
  const std::string arquivo = arquivoNaPasta(origemLx, kArquivoBackup);
  if (arquivo.empty()) {
    aviso(ctx, {"Nao existe o arquivo compactado em " + origem});
    return false;
  }
  const std::string destinoLx = pastaLinux(ctx, destino);
  if (!platform::folderExists(destinoLx)) {
    aviso(ctx, {std::string("Nao foi possível mudar para a pasta "_cp) + destino});
    return false;
  }
  // The archive is brought beside the data first and read whole there.
  auto copia = platform::createTempFile(destinoLx, "IMPZIP", ".ICE");
  platform::Status s = copia ? copiaArquivo(arquivo, copia->path()) : copia.status();
  if (!s) {
    aviso(ctx, {"Problemas na copia do Arquivo compactado."});
    return false;
  }
  if (!platform::verifyArchive(copia->path())) {
    aviso(ctx, {"Arquivo compactado danificado.", "Nenhum dado foi recuperado."});
    return false;
  }
  if (console::AVISOSN(ctx, {"Recupera os dados em ", destino}, 2) != "S") return true;
  (void)ctx.areas.closeAll();
  if (!recupera(ctx, copia->path(), destino, destinoLx)) return false;
  (void)REORG(ctx, destino, 3);
  {
    UsaPasta naPasta(ctx, destino);
    (void)passaVerificacao(ctx);
  }
  return true;
}

}  // namespace

bool VOMANUAL(Contexto& ctx, int modo, std::string destino, std::string origem, const Redesenho& redesenho) {
  if (modo == 1 && !BUSCANOME(ctx, 2, origem, destino)) return false;
  if (!fazRestauracao(ctx, limpa(origem), limpa(destino))) return false;
  if (modo == 1) redesenhaFundo(ctx, redesenho);
  return true;
}

// ---------------------------------------------------------------- every folder

bool BKAUTOMA(Contexto& ctx, const Redesenho& redesenho) {
  ctx.janelas.FECHAJAN(1);
  const std::string drive = limpa(leConfig(ctx, "XDRIVE"));
  bool ok = true;
  for (const std::string& pasta : pastasDoRegistro(ctx)) {
    if (!platform::folderExists(pastaLinux(ctx, pasta))) continue;
    const std::string destino = pastaNoDrive(drive, pasta);
    if (!platform::createFolders(ctx.unidades.toLinux(console::BAR_FORA(destino)))) {
      aviso(ctx, {"Problemas na criacao da pasta " + destino});
      return false;
    }
    if (!BKMANUAL(ctx, 2, destino, pasta)) {
      ok = false;
      break;
    }
    if (PAREBAK(ctx)) break;
  }
  redesenhaFundo(ctx, redesenho);
  return ok;
}

bool VOAUTOMA(Contexto& ctx, const Redesenho& redesenho) {
  const std::string drive = limpa(leConfig(ctx, "XDRIVE"));
  bool ok = true;
  for (const std::string& pasta : pastasDoRegistro(ctx)) {
    if (!platform::folderExists(pastaLinux(ctx, pasta))) continue;
    const std::string copia = pastaNoDrive(drive, pasta);
    if (!platform::folderExists(pastaLinux(ctx, copia))) {
      console::MENS(ctx, 0, "Pasta " + copia + std::string(" não encontrada. Copia dela cancelada"_cp));
      continue;
    }
    if (!VOMANUAL(ctx, 2, pasta, copia)) ok = false;
    if (PAREBAK(ctx)) break;
  }
  redesenhaFundo(ctx, redesenho);
  return ok;
}

// ---------------------------------------------------------------- dialogs

bool BUSCANOME(Contexto& ctx, int modo, std::string& origem, std::string& destino) {
  const std::string rotaBack = limpa(leConfig(ctx, "ROTABACK"));
  origem = modo == 1 ? ctx.ROTADOANO : rotaBack;
  destino = modo == 1 ? rotaBack : ctx.ROTADOANO;
  for (;;) {
    if (!pedePastas(ctx, 3, origem, destino)) return false;
    if (origem.empty() || destino.empty()) {
      SAI_FORA(ctx);
      return false;
    }
    origem = limpa(origem);
    destino = limpa(destino);
    // The entries take more than the 40 characters that ROTABACK keeps.
    if (!pastaCabe(ctx, origem) || !pastaCabe(ctx, destino)) continue;
    if (mesmaPasta(ctx, origem, destino)) {
      aviso(ctx, {"ATENCAO! As pastas origem e destino não podem ser iguais"_cp});
      continue;
    }
    if (!platform::folderExists(pastaLinux(ctx, origem))) {
      aviso(ctx, {"Pasta origem " + origem + " inexistente !!"});
      continue;
    }
    if (modo == 1 && VEJA_ARQ(ctx, 12, origem, "IMP", "10")) continue;
    const std::string criar = modo == 1 ? destino : origem;
    if (modo == 1 && criar.size() > 3 && !platform::folderExists(pastaLinux(ctx, criar)) &&
        !console::CRI_NDIR(ctx, criar, "a copia"))
      continue;
    const std::string backup = modo == 1 ? destino : origem;
    (void)gravaConfig(ctx, "ROTABACK", backup);
    // A Linux folder names no drive: the drive of the every-folder backup stays as it was.
    if (backup.size() >= 2 && backup[1] == ':') (void)gravaConfig(ctx, "XDRIVE", backup.substr(0, 1));
    SAI_FORA(ctx);
    return true;
  }
}

bool PAREBAK(Contexto& ctx) {
  while (ctx.console.keyWaiting()) {
    const rt::term::Key k = ctx.console.inkey(std::chrono::milliseconds(0));
    if (k.code == rt::term::key::Esc) return console::AVISOSN(ctx, "Abandona a Cópia  ???"_cp, 2) == "S";
  }
  return false;
}

}  // namespace store
