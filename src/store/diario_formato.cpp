// The save journal's bytes: written whole with a trailer that proves it, read back only when
// it is.
#include "store/diario_gravacao.h"

#include "rt/text/strings.h"
#include "store/areas.h"
#include "store/cpf.h"

namespace store {

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

}  // namespace

std::string ladoDaTabela(const TabelaDiario& tab, const Diario& d) {
  return rt::text::padr(tab.lado.empty() ? d.atvBrasil : tab.lado, 1);
}

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
    poe(s, static_cast<std::uint64_t>(numero(t.numero)), 1);
    s += ladoDaTabela(t, d);
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
    const std::uint64_t lido = l.num(1);
    if (lido < static_cast<std::uint64_t>(numero(Area::IMP0110)) || lido > static_cast<std::uint64_t>(numero(Area::IMP1910)) ||
        lido == static_cast<std::uint64_t>(numero(Area::IMP1310)))
      return std::nullopt;
    t.numero = static_cast<Area>(lido);
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

}  // namespace store
