#include "store/diario_gravacao.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "console/arquivo_recusado.h"
#include "rt/base/unique_fd.h"
#include "rt/fs/faults.h"
#include "rt/fs/shared_files.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/db/file.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/cpf.h"
#include "store/diario_restauracao.h"
#include "store/tabelas_declaracao.h"
#include "store/travas.h"

namespace store {

using namespace std::chrono_literals;
using namespace rt::text::literals;
using rt::Error;
using rt::Result;
using rt::Status;
using rt::db::File;

namespace {

std::string nomeSeguro(std::string_view cpf) {
  std::string n(rt::text::alltrim(cpf));
  for (char& c : n)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) c = '_';
  return n;
}

}  // namespace

std::string caminhoDiario(const Contexto& ctx, std::string_view cpf) {
  return caminho(ctx, ctx.LOCARQ + "SALVA" + nomeSeguro(cpf) + ".JNL");
}

Result<std::optional<File>> travaArquivoDiario(const std::string& caminho) {
  for (;;) {
    // Never through a link: a journal planted as a link to another file would be emptied. The
    // name is checked and made on a descriptor of its own, and the engine's file must be that
    // very file (a link put at the name in between is refused the same way).
    Result<rt::UniqueFd> conferido = rt::fs::openForWriting(caminho, O_RDWR | O_CREAT);
    if (!conferido) return Status(Error::kIo, caminho + ": " + std::strerror(conferido.status().sysError()));
    Result<File> f = File::open(caminho, File::Mode::kReadWrite);
    if (!f) return f.status();
    struct stat a {
    }, b{};
    if (::fstat(conferido->get(), &a) != 0 || ::fstat(f->fd(), &b) != 0 || a.st_dev != b.st_dev ||
        a.st_ino != b.st_ino)
      return Status(Error::kIo, caminho + ": " + std::strerror(ELOOP));
    Status s = f->tryLock(0, 1, File::LockKind::kExclusive);
    if (s.code() == Error::kLocked) return std::optional<File>();
    if (!s) return s;
    // The holder we waited for may have removed the file meanwhile: then try the name again.
    if (!f->sameFileAs(caminho)) continue;
    return std::optional<File>(std::move(*f));
  }
}

Result<std::optional<TravaDiario>> TravaDiario::tenta(const std::string& caminho) {
  Result<std::optional<File>> f = travaArquivoDiario(caminho);
  if (!f) return f.status();
  if (!f->has_value()) return std::optional<TravaDiario>();
  return std::optional<TravaDiario>(TravaDiario(std::move(**f), caminho));
}

TravaDiario::~TravaDiario() = default;

Result<std::optional<Diario>> TravaDiario::le() const {
  Result<std::uint64_t> tamanho = arquivo_.size();
  if (!tamanho) return tamanho.status();
  if (*tamanho == 0) return std::optional<Diario>();
  std::string b(static_cast<std::size_t>(*tamanho), '\0');
  RT_TRY(arquivo_.readExact(0, b));
  // Cut short: its save never reached the shared tables. Whole but unreadable: someone else
  // wrote it, and it is not for dropping in silence.
  if (!diarioInteiro(b)) return std::optional<Diario>();
  std::optional<Diario> d = decodificaDiario(b);
  if (!d) return Status(Error::kCorrupt, caminho_ + ": a whole journal that cannot be read");
  return d;
}

Status TravaDiario::escreve(const Diario& d, const std::function<void()>& meio) {
  const std::string b = codificaDiario(d);
  RT_TRY(arquivo_.truncate(0));
  const std::size_t metade = b.size() / 2;
  RT_TRY(arquivo_.writeAt(0, std::string_view(b).substr(0, metade)));
  if (meio) meio();
  RT_TRY(arquivo_.writeAt(metade, std::string_view(b).substr(metade)));
  RT_TRY(arquivo_.sync());
  return rt::db::syncDirectoryOf(caminho_);
}

Status TravaDiario::conclui() {
  // Emptied and synced first: an empty journal that outlives its name is harmless, so the
  // removal needs no sync of its own.
  RT_TRY(arquivo_.truncate(0));
  RT_TRY(arquivo_.sync());
  if (arquivo_.sameFileAs(caminho_)) ::unlink(caminho_.c_str());
  arquivo_.close();
  return Status::ok();
}

Result<bool> TravaDiario::completa(Contexto& ctx) {
  Result<std::optional<Diario>> d = le();
  Status s = d.status();
  if (s && d->has_value()) s = aplicaDiario(ctx, **d);
  if (s) return true;
  if (s.code() != Error::kCorrupt && s.code() != Error::kInUse && s.code() != Error::kBadField) return s;
  // It cannot be redone: kept under another name for whoever mends the declaration by hand,
  // so that neither this start nor any later one stops on it.
  const std::string aparte = caminho_ + ".RECUSADO";
  if (!arquivo_.sameFileAs(caminho_) || rt::fs::rename(caminho_.c_str(), aparte.c_str()) != 0)
    return Status(Error::kIo, caminho_ + ": " + s.message());
  // A rename a crash undoes leaves the journal under its name, refused the same way at the next
  // start: the sync's result changes nothing.
  (void)rt::db::syncDirectoryOf(caminho_);
  arquivo_.close();
  ctx.relato().fimEspera();
  const std::string nome(std::filesystem::path(caminho_).filename().string());
  ctx.relato().alerta(
      {std::string("O diário de gravação "_cp) + nome + std::string(" não pôde ser refeito."_cp),
       "Foi guardado como " + nome + ".RECUSADO.",
       std::string("Confira a declaração do CPF "_cp) + nome.substr(5, nome.size() - 9) + "."});
  return false;
}

Result<TravaDiario> TravaDiario::obtem(Contexto& ctx, std::string_view cpf) {
  const std::string c = caminhoDiario(ctx, cpf);
  for (;;) {
    Result<std::optional<TravaDiario>> t = tenta(c);
    if (!t) return t.status();
    if (t->has_value()) {
      TravaDiario trava = std::move(**t);
      Result<bool> feito = trava.completa(ctx);
      if (!feito) return feito.status();
      if (!*feito) continue;  // moved aside: a new journal is made in its place
      RT_TRY(trava.arquivo_.truncate(0));
      return trava;
    }
    // Another terminal is saving this taxpayer: say so while waiting for it.
    alertaUmSegundo(ctx, aguardandoSalvar());
  }
}

LoteGravacao::LoteGravacao(Contexto& ctx) : ctx_(ctx), ativo_(ctx.loteGravacao == nullptr) {
  if (ativo_) ctx_.loteGravacao = this;
}

LoteGravacao::~LoteGravacao() {
  // A close that fails here goes unsaid: whoever must say it calls termina() first.
  (void)termina();
  if (ativo_) ctx_.loteGravacao = nullptr;
}

bool LoteGravacao::mantem(Area n, const std::string& arquivo) const {
  auto i = mantidas_.find(n);
  const rt::db::Table* t = ctx_.areas.table(n);
  return i != mantidas_.end() && i->second == arquivo && t != nullptr && t->isExclusive();
}

void LoteGravacao::guarda(Area n, const std::string& arquivo) {
  if (ativo_) mantidas_[n] = arquivo;
}

Status LoteGravacao::termina() {
  Status primeiro;
  for (const auto& [n, arquivo] : mantidas_) {
    if (!mantem(n, arquivo)) continue;  // another open took the area meanwhile
    Status s = ctx_.areas.close(n);
    if (primeiro && !s) primeiro = s;
  }
  mantidas_.clear();
  return primeiro;
}

namespace {

// Whether a journal's name was refused for being a link or no plain file.
bool linkRecusado(const std::string& caminho) {
  return rt::fs::isRefusal(rt::fs::checkReplaceable(caminho));
}

}  // namespace

int recuperaDiarios(Contexto& ctx) {
  const std::filesystem::path pasta = std::filesystem::path(caminhoDiario(ctx, "X")).parent_path();
  // A restore that died is finished first: the save journals it found were older than the
  // tables it brought, and it dropped them before it moved anything.
  // A restore journal that is a link is refused (and nothing is done through it).
  if (const std::string r = (pasta / kDiarioRestauracao).string(); linkRecusado(r)) {
    ctx.relato().fimEspera();
    ctx.relato().alerta(console::linhasLink(r));
  } else if (recuperaRestauracao(pasta.string())) {
    ctx.relato().fimEspera();
    ctx.relato().alerta("A recuperação de dados interrompida nesta pasta foi concluída."_cp);
  }
  std::vector<std::string> achados;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(pasta, ec)) {
    const std::string nome = rt::text::upper(e.path().filename().string());
    if (nome.size() > 9 && nome.starts_with("SALVA") && nome.ends_with(".JNL")) achados.push_back(e.path().string());
  }
  int feitos = 0;
  for (const std::string& c : achados) {
    Result<std::optional<TravaDiario>> t = TravaDiario::tenta(c);
    if (!t && linkRecusado(c)) {
      ctx.relato().fimEspera();
      ctx.relato().alerta(console::linhasLink(c));
    }
    if (!t || !t->has_value()) continue;  // a running save, or not ours to touch
    TravaDiario trava = std::move(**t);
    Result<bool> feito = trava.completa(ctx);
    if (feito && (!*feito || trava.conclui())) ++feitos;
  }
  return feitos;
}

Status recuperaDiario(Contexto& ctx, std::string_view cpf) {
  if (!rt::db::fileExists(caminhoDiario(ctx, cpf))) return Status::ok();
  Result<TravaDiario> t = TravaDiario::obtem(ctx, cpf);
  if (!t) return t.status();
  return t->conclui();
}

}  // namespace store
