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

// Layout, little-endian:
//   "TVJNL002"  cpf (11)  atv (1)  u32 tables
//   per table: u8 number, side (1), u16 fields, per field: name (11, NUL-padded), type (1),
//              u16 width, u8 decimals; u32 record length; u32 rows; the rows
//   "FIM!"  u64 length of everything before "FIM!"  u64 FNV-1a of the same bytes
// Journals "TVJNL001" (written before both sides went into one journal) have no side per
// table: every table is on the header's side.
namespace {

constexpr std::string_view kMagico = "TVJNL002";
constexpr std::string_view kMagicoUmLado = "TVJNL001";
constexpr std::string_view kFim = "FIM!";
constexpr std::size_t kRodape = 4 + 8 + 8;

void poe(std::string& s, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

class Leitor {
 public:
  explicit Leitor(std::string_view b) : b_(b) {}
  bool ok() const { return ok_; }
  std::uint64_t num(int bytes) {
    if (!tem(static_cast<std::size_t>(bytes))) return 0;
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint64_t>(static_cast<unsigned char>(b_[p_ + static_cast<std::size_t>(i)])) << (8 * i);
    p_ += static_cast<std::size_t>(bytes);
    return v;
  }
  std::string_view bytes(std::size_t n) {
    if (!tem(n)) return {};
    std::string_view r = b_.substr(p_, n);
    p_ += n;
    return r;
  }
  bool fim() const { return p_ == b_.size(); }
  std::size_t resta() const { return b_.size() - p_; }

 private:
  bool tem(std::size_t n) {
    if (b_.size() - p_ < n) ok_ = false;
    return ok_;
  }
  std::string_view b_;
  std::size_t p_ = 0;
  bool ok_ = true;
};

std::string nomeSeguro(std::string_view cpf) {
  std::string n(rt::text::alltrim(cpf));
  for (char& c : n)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) c = '_';
  return n;
}

// The side of a journal table's rows (1 character).
std::string ladoDe(const TabelaDiario& tab, const Diario& d) {
  return rt::text::padr(tab.lado.empty() ? d.atvBrasil : tab.lado, 1);
}

// Whether the current record of `t` belongs to the CPF (and side) of the journal's table.
bool doCpf(const rt::db::Table& t, int n, int campoCpf, int campoAtv, const std::string& chave,
           const std::string& lado) {
  if (t.eof() || campoCpf < 0) return false;
  if (t.raw(campoCpf) != chave) return false;
  return !(n >= 15 && n <= 20 && campoAtv >= 0 && t.raw(campoAtv) != lado);
}

// The records the CPF (and side) has now from the current one on, found before any is
// changed (rewriting moves their keys), in record order. A deleted record is no row of the
// CPF: rewritten, it would stay deleted and the row be lost.
//
// Record order, not the index's: the new rows go into these records one after the other, so
// the rows end in the journal's order whatever order the old ones had. Taken in key order,
// rows sharing a CPF but not a key (table 06 is keyed by CPF and code) would be shuffled by
// every rewrite, and a save redone after a crash would leave another order than one that ran
// through, while grids and printed pages show rows of one key in record order.
std::vector<std::uint32_t> registrosDoCpf(rt::db::Table& t, const TabelaDiario& tab, const Diario& d) {
  const int campoCpf = t.fieldIndex("CPF");
  const int campoAtv = t.fieldIndex("ATV_BRASIL");
  const std::string chave = Cpf(d.cpf).chave();
  const std::string lado = ladoDe(tab, d);
  std::vector<std::uint32_t> v;
  while (doCpf(t, tab.numero, campoCpf, campoAtv, chave, lado)) {
    if (!t.isDeleted()) v.push_back(t.recNo());
    t.skip(1);
    if (!t.status()) break;
  }
  std::sort(v.begin(), v.end());
  return v;
}

// For each journal field, the table's field of the same name, type and width (-1: none).
std::vector<int> camposDestino(const rt::db::Table& t, const TabelaDiario& tab) {
  std::vector<int> destino;
  for (const rt::db::FieldDef& f : tab.campos) {
    const rt::db::FieldDef* g = t.field(f.name);
    destino.push_back(g != nullptr && g->type == f.type && g->width == f.width ? t.fieldIndex(f.name) : -1);
  }
  return destino;
}

// One row into the current record. A row shorter than its fields (a caller's, not yet through
// the journal's encoding, which pads it) reads blanks past its end.
Status poeLinha(rt::db::Table& t, const TabelaDiario& tab, const std::vector<int>& destino, const std::string& reg) {
  for (std::size_t i = 0; i < tab.campos.size(); ++i) {
    if (destino[i] < 0) continue;
    const rt::db::FieldDef& f = tab.campos[i];
    const std::string bytes =
        rt::text::padr(std::string_view(reg).substr(std::min(reg.size(), static_cast<std::size_t>(f.offset))), f.width);
    RT_TRY(t.put(destino[i], rt::db::readField(f, std::string_view(bytes).substr(0, static_cast<std::size_t>(f.width)))));
  }
  return Status::ok();
}

Status substitui(rt::db::Table& t, const TabelaDiario& tab, const Diario& d, const std::function<void(int)>& meio) {
  RT_TRY(t.seek(chaveCpf(tab.numero, d.cpf, ladoDe(tab, d))));
  const std::vector<std::uint32_t> antigos = registrosDoCpf(t, tab, d);
  const std::vector<int> destino = camposDestino(t, tab);
  // Old records are reused in record order, so the table grows only by what the CPF gained,
  // and the rows stand in the journal's order.
  for (std::size_t r = 0; r < tab.registros.size(); ++r) {
    if (r < antigos.size()) {
      t.goTo(antigos[r]);
      RT_TRY(t.status());
    } else {
      RT_TRY(t.appendBlank());
    }
    RT_TRY(poeLinha(t, tab, destino, tab.registros[r]));
    if (meio && r + 1 == (tab.registros.size() + 1) / 2) {
      RT_TRY(t.flush());
      meio(tab.numero);
    }
  }
  for (std::size_t r = tab.registros.size(); r < antigos.size(); ++r) {
    t.goTo(antigos[r]);
    RT_TRY(t.status());
    RT_TRY(t.markDeleted());
  }
  return t.flush();
}

// Tries `tenta` until no other terminal holds what it needs, showing the waiting alert for a
// second between tries, as the exclusive opens of the journal's tables do.
Status aguardaTrava(Contexto& ctx, const std::function<Status()>& tenta) {
  for (;;) {
    Status s = tenta();
    if (s.code() != Error::kLocked && s.code() != Error::kInUse) return s;
    if (alertaUmSegundo(ctx, aguardandoSalvar(), tenta, s)) return s;
  }
}

// The register row of the CPF replaced in the register as every terminal keeps it open:
// shared, the rows rewritten under their record locks, a new row appended under the table's
// lock (sought again under it, so that two terminals registering one CPF make one row). The
// engine keeps the register's three indexes as it writes.
Status substituiRegistro(Contexto& ctx, rt::db::Table& t, const TabelaDiario& tab, const Diario& d,
                         const std::function<void(int)>& meio) {
  int ordemCpf = 0;
  for (int o = 1; o <= t.orderCount() && ordemCpf == 0; ++o)
    if (rt::text::upper(rt::text::alltrim(t.orderExpression(o))) == "CPF") ordemCpf = o;
  if (ordemCpf == 0) return {Error::kBadField, t.alias() + ": no CPF order"};
  t.setOrder(ordemCpf);
  const std::string chave = Cpf(d.cpf).chave();
  std::vector<std::uint32_t> antigos;
  auto procura = [&]() -> Status {
    RT_TRY(t.seek(chave));
    antigos = registrosDoCpf(t, tab, d);
    return Status::ok();
  };
  RT_TRY(procura());
  const bool acrescenta = tab.registros.size() > antigos.size();
  if (acrescenta) {
    RT_TRY(aguardaTrava(ctx, [&] { return t.lockFile(); }));
    if (Status s = procura(); !s) {
      (void)t.unlock();  // the failed search is what is reported
      return s;
    }
  } else {
    for (std::uint32_t r : antigos) RT_TRY(aguardaTrava(ctx, [&] { return t.lockRecord(r, true); }));
  }
  const std::vector<int> destino = camposDestino(t, tab);
  Status s;
  for (std::size_t r = 0; r < tab.registros.size() && s; ++r) {
    if (r < antigos.size()) {
      t.goTo(antigos[r]);
      s = t.status();
    } else {
      s = t.appendBlank();
    }
    if (s) s = poeLinha(t, tab, destino, tab.registros[r]);
    if (s) s = t.flush();
    if (s && meio && r + 1 == (tab.registros.size() + 1) / 2) meio(tab.numero);
  }
  for (std::size_t r = tab.registros.size(); r < antigos.size() && s; ++r) {
    t.goTo(antigos[r]);
    s = t.status();
    if (s) s = t.markDeleted();
    if (s) s = t.flush();
  }
  // The release writes what is left of the row first.
  const Status solta = t.unlock();
  return s ? solta : s;
}

// Table n as the journal writes it: the register shared (the one already open in its area
// when it is this folder's), the others exclusively, waiting for other terminals. `aberta`:
// the entry before was this table's and left it open; `fica`: the next one is this table's
// too (its other side), so it stays open for it.
Status aplicaTabela(Contexto& ctx, const TabelaDiario& tab, const Diario& d, const std::function<void(int)>& meio,
                    bool aberta, bool fica) {
  const int n = tab.numero;
  const TabelaDef& def = *tabela(n);
  if (n != numero(Area::IMP0910)) {
    LoteGravacao* lote = ctx.loteGravacao;
    const std::string arquivo = caminho(ctx, comExtensao(arquivoTabela(ctx, def), ".DBF"));
    if (!aberta && (lote == nullptr || !lote->mantem(n, arquivo))) {
      if (lote != nullptr) lote->esquece(n);
      if (!abreExclusivaAguardando(ctx, n, n == 1 ? aguardandoSalvar() : aguardandoCarregar()))
        return {Error::kInUse, "table " + std::to_string(n) + " could not be opened"};
    }
    rt::db::Table& t = *ctx.areas.table(n);
    Status s = substitui(t, tab, d, meio);
    if (s && fica) return s;
    if (s && lote != nullptr) {
      // Kept for the batch's next taxpayer. Its records and count are in the file already
      // (the folder's flush below makes them durable before the journal goes); its index
      // pages wait for the close, the index marked unfinished meanwhile, so a process killed
      // before it leaves an index the next open rebuilds.
      lote->guarda(n, arquivo);
      return s;
    }
    if (lote != nullptr) lote->esquece(n);
    Status f = ctx.areas.close(n);
    return s ? f : s;
  }
  const std::string dbf = rt::db::resolveCaseInsensitive(caminho(ctx, comExtensao(arquivoTabela(ctx, def), ".DBF")));
  rt::db::Table* t = ctx.areas.table(n);
  if (t != nullptr && !t->isReadOnly() && t->path() == dbf) {
    // Whoever keeps the register open finds it on the order and row it left.
    const int ordem = t->order();
    const std::uint32_t linha = t->eof() ? 0 : t->recNo();
    Status s = substituiRegistro(ctx, *t, tab, d, meio);
    t->setOrder(ordem);
    if (linha != 0) t->goTo(linha);
    return s;
  }
  if (t == nullptr) {
    if (!ABERTURA(ctx, n)) return {Error::kInUse, "table " + std::to_string(n) + " could not be opened"};
    Status s = substituiRegistro(ctx, *ctx.areas.table(n), tab, d, meio);
    Status f = ctx.areas.close(n);
    return s ? f : s;
  }
  // The area holds another folder's register, which its user keeps: this folder's is opened
  // beside it, shared, with its indexes, for this write only.
  const int area = numero(Area::Rascunho);
  Uso uso;
  uso.caminho = dbf;
  uso.alias = "DIARIO_REG";
  if (!usa(ctx, area, uso, 10)) return {Error::kInUse, "table " + std::to_string(n) + " could not be opened"};
  rt::db::Table& r = *ctx.areas.table(area);
  Status s;
  for (const IndiceDef& i : indicesDe(ctx, def))
    if (s) s = r.openIndex(caminho(ctx, comExtensao(i.arquivo, ".CDX")), i.chave);
  if (s) s = substituiRegistro(ctx, r, tab, d, meio);
  Status f = ctx.areas.close(area);
  return s ? f : s;
}

// One flush of the data folder's file system for every table the journal touched: a sync
// per table would cost a disk flush each, and until the journal is emptied a power failure
// only means that the journal is redone.
Status sincronizaPasta(const std::string& pasta) {
  const int fd = ::open(pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return {Error::kIo, pasta + ": " + std::strerror(errno)};
  const int r = rt::fs::syncfs(fd);
  const int erro = errno;
  ::close(fd);
  if (r != 0) return {Error::kIo, pasta + ": " + std::strerror(erro)};
  return Status::ok();
}

}  // namespace

std::uint64_t hashDiario(std::string_view b) {
  std::uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : b) {
    h ^= c;
    h *= 1099511628211ULL;
  }
  return h;
}

std::string codificaDiario(const Diario& d) {
  std::string s(kMagico);
  s += Cpf(d.cpf).chave();
  s += rt::text::padr(d.atvBrasil, 1);
  poe(s, d.tabelas.size(), 4);
  for (const TabelaDiario& t : d.tabelas) {
    poe(s, static_cast<std::uint64_t>(t.numero), 1);
    s += ladoDe(t, d);
    poe(s, t.campos.size(), 2);
    std::size_t tamanho = 0;
    for (const rt::db::FieldDef& f : t.campos) {
      std::string nome = f.name;
      nome.resize(11, '\0');
      s += nome;
      s.push_back(f.type);
      poe(s, static_cast<std::uint64_t>(f.width), 2);
      poe(s, static_cast<std::uint64_t>(f.decimals), 1);
      tamanho += static_cast<std::size_t>(f.width);
    }
    poe(s, tamanho, 4);
    poe(s, t.registros.size(), 4);
    for (const std::string& r : t.registros) s += rt::text::padr(r, static_cast<int>(tamanho));
  }
  const std::uint64_t n = s.size();
  const std::uint64_t h = hashDiario(s);
  s += kFim;
  poe(s, n, 8);
  poe(s, h, 8);
  return s;
}

bool diarioInteiro(std::string_view bytes) {
  if (bytes.size() < kMagico.size() + 12 + kRodape) return false;
  const std::string_view corpo = bytes.substr(0, bytes.size() - kRodape);
  Leitor rodape(bytes.substr(corpo.size()));
  return rodape.bytes(4) == kFim && rodape.num(8) == corpo.size() && rodape.num(8) == hashDiario(corpo);
}

std::optional<Diario> decodificaDiario(std::string_view bytes) {
  if (!diarioInteiro(bytes)) return std::nullopt;
  Leitor l(bytes.substr(0, bytes.size() - kRodape));
  const std::string_view magico = l.bytes(kMagico.size());
  const bool umLado = magico == kMagicoUmLado;
  if (magico != kMagico && !umLado) return std::nullopt;
  Diario d;
  d.cpf = std::string(l.bytes(11));
  d.atvBrasil = std::string(l.bytes(1));
  // Every count is checked against the bytes left before anything is made of it: a journal
  // whose hash matches may still have been written by someone else than a save.
  const std::uint64_t tabelas = l.num(4);
  for (std::uint64_t k = 0; k < tabelas && l.ok(); ++k) {
    TabelaDiario t;
    t.numero = static_cast<int>(l.num(1));
    if (t.numero < 1 || t.numero > 19 || t.numero == numero(Area::IMP1310)) return std::nullopt;
    t.lado = umLado ? d.atvBrasil : std::string(l.bytes(1));
    const std::uint64_t campos = l.num(2);
    int offset = 0;
    for (std::uint64_t c = 0; c < campos && l.ok(); ++c) {
      rt::db::FieldDef f;
      std::string_view nome = l.bytes(11);
      f.name = std::string(nome.substr(0, std::min(nome.find('\0'), nome.size())));
      std::string_view tipo = l.bytes(1);
      f.type = tipo.empty() ? 'C' : tipo[0];
      f.width = static_cast<int>(l.num(2));
      f.decimals = static_cast<int>(l.num(1));
      if (f.width < 1) return std::nullopt;
      f.offset = offset;
      offset += f.width;
      t.campos.push_back(std::move(f));
    }
    const std::uint64_t tamanho = l.num(4);
    if (tamanho != static_cast<std::uint64_t>(offset)) return std::nullopt;
    const std::uint64_t linhas = l.num(4);
    if (!l.ok() || (linhas > 0 && (tamanho == 0 || linhas > l.resta() / tamanho))) return std::nullopt;
    t.registros.reserve(static_cast<std::size_t>(linhas));
    for (std::uint64_t r = 0; r < linhas && l.ok(); ++r) t.registros.emplace_back(l.bytes(tamanho));
    d.tabelas.push_back(std::move(t));
  }
  if (!l.ok() || !l.fim()) return std::nullopt;
  return d;
}

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

Status aplicaDiario(Contexto& ctx, const Diario& d, const std::function<void(int)>& antes,
                    const std::function<void(int)>& depois, const std::function<void(int)>& meio) {
  const SelecaoGuardada selecao(ctx.areas);
  const std::vector<TabelaDiario>& v = d.tabelas;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (antes) antes(v[i].numero);
    const bool aberta = i > 0 && v[i - 1].numero == v[i].numero;
    const bool fica = i + 1 < v.size() && v[i + 1].numero == v[i].numero;
    RT_TRY(aplicaTabela(ctx, v[i], d, meio, aberta, fica));
    if (depois) depois(v[i].numero);
  }
  return sincronizaPasta(std::filesystem::path(caminhoDiario(ctx, d.cpf)).parent_path().string());
}

LoteGravacao::LoteGravacao(Contexto& ctx) : ctx_(ctx), ativo_(ctx.loteGravacao == nullptr) {
  if (ativo_) ctx_.loteGravacao = this;
}

LoteGravacao::~LoteGravacao() {
  // A close that fails here goes unsaid: whoever must say it calls termina() first.
  (void)termina();
  if (ativo_) ctx_.loteGravacao = nullptr;
}

bool LoteGravacao::mantem(int n, const std::string& arquivo) const {
  auto i = mantidas_.find(n);
  const rt::db::Table* t = ctx_.areas.table(n);
  return i != mantidas_.end() && i->second == arquivo && t != nullptr && t->isExclusive();
}

void LoteGravacao::guarda(int n, const std::string& arquivo) {
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
