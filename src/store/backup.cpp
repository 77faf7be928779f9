#include "store/backup.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "console/pastas.h"
#include "platform/archive.h"
#include "platform/drive.h"
#include "platform/paths.h"
#include "rt/db/file.h"
#include "rt/fs/names.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/arquivos_pasta.h"
#include "store/catalogo.h"
#include "store/dialogos.h"
#include "store/pastas_dados.h"
#include "store/recusa.h"
#include "store/reorg.h"
#include "store/restaura_pasta.h"
#include "store/verificacao.h"

namespace store {

using namespace rt::text::literals;

namespace {

std::string limpa(std::string_view s) {
  return std::string(rt::text::alltrim(s));
}

void aviso(Contexto& ctx, std::initializer_list<std::string_view> linhas) {
  ctx.relato().fimEspera();
  ctx.relato().alerta(linhas);
}

// The alert of a backup or restore that stops, and its told failure.
rt::Status falhou(Contexto& ctx, rt::Error e, std::initializer_list<std::string_view> linhas) {
  aviso(ctx, linhas);
  return falhaDita(e, *linhas.begin());
}

// The archive file in a folder, found in any case; "" when absent.
std::string arquivoNaPasta(const std::string& pastaLx, std::string_view nome) {
  auto r = platform::resolveExisting(platform::join(pastaLx, nome));
  return r && platform::fileExists(*r) ? *r : std::string();
}

// A backup's folders are typed (and kept in CONFIG) in the console's code page; on disk they
// are named in UTF-8. The messages name them as typed.
std::string noDisco(const Contexto& ctx, std::string_view pasta) {
  return pastaLinux(ctx, rt::fs::diskName(pasta));
}

rt::Result<std::string> criaNoDisco(const Contexto& ctx, std::string_view pasta) {
  return platform::createFolders(ctx.unidades.toLinux(console::BAR_FORA(rt::fs::diskName(pasta))));
}

bool mesmasNoDisco(const Contexto& ctx, std::string_view a, std::string_view b) {
  return mesmaPasta(ctx, rt::fs::diskName(a), rt::fs::diskName(b));
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

rt::Status fazBackup(Contexto& ctx, int modo, const std::string& origem, const std::string& destino) {
  if (mesmasNoDisco(ctx, origem, destino)) {
    if (modo == 2) return falhou(ctx, rt::Error::kBadArgument, {"ATENCAO! O drive nao pode ser o mesmo", "de onde esta a base de Dados. Troque"});
    return falhou(ctx, rt::Error::kBadArgument, {"ATENCAO! As pastas origem e destino não podem ser iguais"_cp});
  }
  const std::string origemLx = noDisco(ctx, origem);
  if (arquivoNaPasta(origemLx, "IMP0910.DBF").empty()) {
    aviso(ctx, {"A pasta " + origem, "nao tem dados do TAVREN!"});
    return rt::Status::ok();
  }
  auto destinoLx = criaNoDisco(ctx, destino);
  if (!destinoLx) {
    return falhou(ctx, rt::Error::kIo, {"Problemas na criacao da pasta " + destino});
  }
  // An archive left by an earlier run must never pass for this one.
  const std::string local = platform::join(pastaLocal(ctx), kArquivoBackup);
  if (std::string velho = arquivoNaPasta(pastaLocal(ctx), kArquivoBackup);
      !velho.empty() && !rt::db::removeFile(velho)) {
    return falhou(ctx, rt::Error::kIo, {"Problemas na criação do arquivo compactado."_cp});
  }
  ctx.relato().espera("COMPACTANDO DADOS DO TAVREN EM " + destino);
  auto nomes = platform::listFiles(origemLx, "IMP*.DBF");
  if (!nomes) {
    return falhou(ctx, rt::Error::kIo, {"Problemas na criação do arquivo compactado."_cp});
  }
  rt::Result<platform::ArchiveListing> feito = platform::ArchiveListing{};
  {
    // Every table held under its file lock while the archive is written, so no save is
    // caught halfway; other terminals and this one's own work areas keep them open.
    std::vector<std::unique_ptr<rt::db::Table>> seguras;
    for (const std::string& nome : *nomes) {
      auto t = seguraParaCopia(ctx, platform::join(origemLx, nome));
      if (!t) {
        // Let the other terminals go before the alert waits for its key.
        seguras.clear();
        return falhou(ctx, rt::Error::kInUse, {"Copia encerrada sem terminar."});
      }
      seguras.push_back(std::move(*t));
    }
    feito = platform::writeZip(local, origemLx, *nomes);
  }
  if (!feito) {
    return falhou(ctx, rt::Error::kIo, {"Problemas na criação do arquivo compactado."_cp});
  }
  const std::uint64_t tamanho = feito->archiveBytes;
  auto livre = platform::freeSpace(*destinoLx);
  if (!livre || *livre < tamanho) {
    // The backup has failed and says so; an archive that stays is removed by the next run.
    rt::db::removeScratch(local);
    return falhou(ctx, rt::Error::kNoSpace, {"Espaço no Disco Insuficiente"_cp});
  }
  auto alvo = platform::pathForFile(*destinoLx, kArquivoBackup);
  rt::Status copiado =
      alvo ? copiaArquivo(local, *alvo,
                          [tamanho](const std::string& c) {
                            return platform::verifyArchive(c, static_cast<std::int64_t>(tamanho)).status();
                          })
           : alvo.status();
  // The local archive has served; one that stays is removed at the start of the next run.
  rt::db::removeScratch(local);
  if (!copiado) {
    return falhou(ctx, rt::Error::kIo, {"Problemas na copia do Arquivo compactado."});
  }
  ctx.relato().fimEspera();
  // The backup is made; gravaConfig says a date it could not keep.
  gravaConfig(ctx, "ULTBACK", ctx.clock.now().date).ignoreTold();
  return rt::Status::ok();
}

// The clerk left the folder questions: nothing more to say.
rt::Status deixou() { return falhaDita(rt::Error::kFailed, "Esc"); }

}  // namespace

rt::Status BKMANUAL(Contexto& ctx, int modo, std::string destino, std::string origem, const Redesenho& redesenho) {
  if (modo == 1 && !BUSCANOME(ctx, 1, origem, destino)) return deixou();
  RT_TRY(fazBackup(ctx, modo, limpa(origem), limpa(destino)));
  if (modo == 1) redesenhaFundo(ctx, redesenho);
  return rt::Status::ok();
}

// ---------------------------------------------------------------- restore

namespace {

// How many rows a declaration table of a backup may hold: far above any office folder (ten
// thousand taxpayers with a hundred rows each), low enough to stop an archive that expands
// without end long before the disk fills.
constexpr std::uint64_t kMaxRegistros = 1'000'000;
// What the disk keeps free after a restore has extracted its tables.
constexpr std::uint64_t kReservaDisco = 32ULL << 20;

// The largest file a declaration table of this name can be: the largest header the format
// allows, and twice the catalogue's record for each row (older structures are smaller). 0 for
// any other name.
std::uint64_t tamanhoMaximo(std::string_view nome) {
  const TabelaDef* t = tabelaPorNome(nome);
  if (t == nullptr || t->numero < Area::IMP0110 || t->numero > Area::IMP2010) return 0;
  return 65535 + 2ULL * static_cast<std::uint64_t>(tamanhoRegistro(estrutura(t->numero))) * kMaxRegistros + 1;
}

rt::Status avisoNaoRecuperado(Contexto& ctx, rt::Error e, std::string_view motivo) {
  return falhou(ctx, e, {motivo, "Nenhum dado foi recuperado."});
}

rt::Status recupera(Contexto& ctx, TravaRestauracao& trava, const std::string& arquivo, const std::string& destinoLx) {
  platform::ExtractLimits limites;
  limites.maxEntryBytes = tamanhoMaximo;
  auto livre = platform::freeSpace(destinoLx);
  limites.maxTotalBytes = livre && *livre > kReservaDisco ? *livre - kReservaDisco : 0;
  auto ex = platform::extractMatching(arquivo, "IMP??10.DBF", destinoLx, limites);
  if (!ex && ex.code() == rt::Error::kNoSpace) {
    const std::string d = ex.status().detail();
    return avisoNaoRecuperado(ctx, rt::Error::kNoSpace, std::string("Espaço no Disco Insuficiente para "_cp) + d.substr(0, d.find(':')));
  }
  if (!ex) {
    return avisoNaoRecuperado(ctx, rt::Error::kCorrupt, "Arquivo compactado danificado.");
  }
  std::vector<std::string> recusadas;
  for (const platform::RefusedEntry& r : ex->refused) recusadas.push_back(r.name);
  std::vector<Preparada> tabelas;
  for (const platform::ArchiveEntry& e : ex->files) {
    const TabelaDef* t = tabelaPorNome(e.name);
    // Only the declaration tables; a name that merely looks like one is left behind.
    if (t == nullptr || t->numero < Area::IMP0110 || t->numero > Area::IMP2010) {
      recusadas.push_back(e.name);
      continue;
    }
    rt::db::OpenOptions so;
    so.readOnly = true;
    auto aberta = rt::db::Table::open(ex->pathOf(e), so);
    if (!aberta || (*aberta)->isDamaged()) {
      return avisoNaoRecuperado(ctx, rt::Error::kCorrupt, "Arquivo compactado danificado.");
    }
    tabelas.push_back({t, ex->pathOf(e)});
  }
  if (tabelas.empty()) {
    ctx.relato().fimEspera();
    std::vector<std::string> linhas =
        linhasDeNomes(std::string("O arquivo compactado não tem tabelas do TAVREN."_cp), recusadas);
    linhas.insert(linhas.begin() + 1, std::string(recusadas.empty() ? "Está vazio."_cp : "Recusados:"));
    linhas.push_back("Nenhum dado foi recuperado.");
    ctx.relato().alerta(linhas);
    return falhaDita(rt::Error::kNotFound, "IMP??10.DBF");
  }
  // From here the journal's lock owns the scratch folder: once the moves are journaled, the
  // next start needs what is left in it.
  ex->folder.keep();
  RT_TRY(substituiTabelas(ctx, trava, destinoLx, tabelas));
  if (!recusadas.empty()) {
    ctx.relato().fimEspera();
    ctx.relato().alerta(
        linhasDeNomes("Recuperados " + std::to_string(tabelas.size()) + " arquivos. Recusados:", recusadas));
  }
  return rt::Status::ok();
}

rt::Status fazRestauracao(Contexto& ctx, const std::string& origem, const std::string& destino) {
  const std::string origemLx = noDisco(ctx, origem);
  const std::string arquivo = arquivoNaPasta(origemLx, kArquivoBackup);
  if (arquivo.empty()) {
    return falhou(ctx, rt::Error::kNotFound, {"Nao existe o arquivo compactado em " + origem});
  }
  const std::string destinoLx = noDisco(ctx, destino);
  if (!platform::folderExists(destinoLx)) {
    return falhou(ctx, rt::Error::kNotFound, {std::string("Nao foi possível mudar para a pasta "_cp) + destino});
  }
  // Held before anything is put in the folder: the scratch files are then known to be ours.
  std::optional<TravaRestauracao> trava = travaParaRestaurar(ctx, destinoLx);
  if (!trava) return falhaDita(rt::Error::kInUse, destino);  // said by travaParaRestaurar
  // The archive is brought beside the data first and read whole there.
  auto copia = platform::createTempFile(destinoLx, "IMPZIP", ".ICE");
  rt::Status s = copia ? copiaArquivo(arquivo, copia->path()) : copia.status();
  if (!s) {
    return falhou(ctx, rt::Error::kIo, {"Problemas na copia do Arquivo compactado."});
  }
  if (!platform::verifyArchive(copia->path())) {
    return avisoNaoRecuperado(ctx, rt::Error::kCorrupt, "Arquivo compactado danificado.");
  }
  if (!ctx.relato().pergunta({"Recupera os dados em ", destino}, false)) return rt::Status::ok();
  RT_TRY(recupera(ctx, *trava, copia->path(), destinoLx));
  // REORG says a table it could not rebuild; its old indexes stand until the next one.
  (void)REORG(ctx, destino, 3);
  {
    UsaPasta naPasta(ctx, destino);
    passaVerificacao(ctx).ignoreTold();
  }
  return rt::Status::ok();
}

}  // namespace

rt::Status VOMANUAL(Contexto& ctx, int modo, std::string destino, std::string origem, const Redesenho& redesenho) {
  if (modo == 1 && !BUSCANOME(ctx, 2, origem, destino)) return deixou();
  RT_TRY(fazRestauracao(ctx, limpa(origem), limpa(destino)));
  if (modo == 1) redesenhaFundo(ctx, redesenho);
  return rt::Status::ok();
}

// ---------------------------------------------------------------- every folder

rt::Status BKAUTOMA(Contexto& ctx, const Redesenho& redesenho) {
  ctx.relato().fechaBarra();
  const std::string drive = limpa(leConfig(ctx, "XDRIVE"));
  rt::Status s;
  for (const std::string& pasta : pastasDoRegistro(ctx)) {
    if (!platform::folderExists(noDisco(ctx, pasta))) continue;
    const std::string destino = pastaNoDrive(drive, pasta);
    if (!criaNoDisco(ctx, destino)) return falhou(ctx, rt::Error::kIo, {"Problemas na criacao da pasta " + destino});
    s = BKMANUAL(ctx, 2, destino, pasta);
    if (!s) break;
    if (PAREBAK(ctx)) break;
  }
  redesenhaFundo(ctx, redesenho);
  return s;
}

rt::Status VOAUTOMA(Contexto& ctx, const Redesenho& redesenho) {
  const std::string drive = limpa(leConfig(ctx, "XDRIVE"));
  rt::Status primeira;
  for (const std::string& pasta : pastasDoRegistro(ctx)) {
    if (!platform::folderExists(noDisco(ctx, pasta))) continue;
    const std::string copia = pastaNoDrive(drive, pasta);
    if (!platform::folderExists(noDisco(ctx, copia))) {
      ctx.relato().linha("Pasta " + copia + std::string(" não encontrada. Copia dela cancelada"_cp));
      continue;
    }
    if (rt::Status s = VOMANUAL(ctx, 2, pasta, copia); !s && primeira) primeira = s;
    if (PAREBAK(ctx)) break;
  }
  redesenhaFundo(ctx, redesenho);
  return primeira;
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
    if (mesmasNoDisco(ctx, origem, destino)) {
      aviso(ctx, {"ATENCAO! As pastas origem e destino não podem ser iguais"_cp});
      continue;
    }
    if (!platform::folderExists(noDisco(ctx, origem))) {
      aviso(ctx, {"Pasta origem " + origem + " inexistente !!"});
      continue;
    }
    if (modo == 1 && !VEJA_ARQ(ctx, 12, origem, "IMP", "10")) continue;
    const std::string criar = modo == 1 ? destino : origem;
    // A new backup folder is asked for here and made by the backup, in the file system's
    // encoding, with every missing level.
    if (modo == 1 && criar.size() > 3 && !platform::folderExists(noDisco(ctx, criar)) &&
        !ctx.relato().pergunta("Diretório novo para a copia? Cria-o ?"_cp, false))
      continue;
    const std::string backup = modo == 1 ? destino : origem;
    // Remembered for the next time; gravaConfig says its own failure.
    gravaConfig(ctx, "ROTABACK", backup).ignoreTold();
    // A Linux folder names no drive: the drive of the every-folder backup stays as it was.
    if (backup.size() >= 2 && backup[1] == ':')
      gravaConfig(ctx, "XDRIVE", backup.substr(0, 1)).ignoreTold();  // says its own failure
    SAI_FORA(ctx);
    return true;
  }
}

bool PAREBAK(Contexto& ctx) {
  while (ctx.console.keyWaiting()) {
    const rt::term::Key k = ctx.console.inkey(std::chrono::milliseconds(0));
    if (k.code == rt::term::key::Esc) return ctx.relato().pergunta("Abandona a Cópia  ???"_cp, false);
  }
  return false;
}

}  // namespace store
