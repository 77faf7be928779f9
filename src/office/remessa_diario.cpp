#include "office/remessa_diario.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <set>

#include "console/pastas.h"
#include "export/arquivo.h"
#include "rt/db/file.h"
#include "rt/fs/faults.h"
#include "rt/fs/shared_files.h"
#include "store/diario_gravacao.h"
#include "store/uso_tabela.h"

namespace office {

namespace {

constexpr std::string_view kMagico = "TVREM001";

// A name the journal may hold: one plain name of the program folder, nothing that leads out
// of it.
bool nomeSimples(std::string_view n) {
  if (n.empty() || n == "." || n == "..") return false;
  for (char c : n)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
  return true;
}

std::string hex(std::uint64_t v) {
  char b[17];
  std::snprintf(b, sizeof b, "%016llx", static_cast<unsigned long long>(v));
  return b;
}

std::string hexBytes(std::string_view s) {
  static constexpr char kDig[] = "0123456789abcdef";
  std::string out;
  out.reserve(s.size() * 2);
  for (unsigned char c : s) {
    out += kDig[c >> 4];
    out += kDig[c & 15];
  }
  return out;
}

template <typename T>
bool numero(std::string_view s, T& v, int base = 10) {
  if (s.empty()) return false;
  const auto [fim, erro] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  return erro == std::errc() && fim == s.data() + s.size();
}

std::optional<std::string> deHex(std::string_view s) {
  if (s.size() % 2 != 0) return std::nullopt;
  std::string out;
  out.reserve(s.size() / 2);
  for (std::size_t i = 0; i < s.size(); i += 2) {
    unsigned v = 0;
    if (!numero(s.substr(i, 2), v, 16)) return std::nullopt;
    out += static_cast<char>(v);
  }
  return out;
}

// The rest of `linha` after "`rotulo` ", or nothing when the line does not start so.
std::optional<std::string_view> depois(std::string_view linha, std::string_view rotulo) {
  if (linha.size() <= rotulo.size() || linha.substr(0, rotulo.size()) != rotulo || linha[rotulo.size()] != ' ')
    return std::nullopt;
  return linha.substr(rotulo.size() + 1);
}

// A file's bytes, never through a link; nothing when it is not there or cannot be read.
std::optional<std::string> leArquivo(const std::string& caminho) {
  const int fd = ::open(caminho.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::string out;
  char bloco[65536];
  for (;;) {
    const ssize_t n = ::read(fd, bloco, sizeof bloco);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    out.append(bloco, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return out;
}

}  // namespace

std::string codificaDiarioRemessa(const DiarioRemessa& d) {
  std::string s(kMagico);
  s += "\nARQUIVO " + d.arquivo + "\nPROVISORIO " + d.provisorio + "\nCONTEUDO " + std::to_string(d.tamanho) +
       " " + hex(d.hash) + "\nREGISTROS " + std::to_string(d.registros.size()) + "\n";
  for (const RegistroRemessa& r : d.registros) s += std::to_string(r.numero) + " " + hexBytes(r.bytes) + "\n";
  return s + "FIM " + hex(store::hashDiario(s)) + "\n";
}

std::optional<DiarioRemessa> decodificaDiarioRemessa(std::string_view b) {
  // The last line holds the hash of everything before it.
  if (b.size() < 2 || b.back() != '\n') return std::nullopt;
  const std::size_t ultima = b.rfind('\n', b.size() - 2);
  if (ultima == std::string_view::npos) return std::nullopt;
  const std::string_view corpo = b.substr(0, ultima + 1);
  const std::optional<std::string_view> fim = depois(b.substr(ultima + 1, b.size() - ultima - 2), "FIM");
  if (!fim || *fim != hex(store::hashDiario(corpo))) return std::nullopt;

  std::vector<std::string_view> linhas;
  for (std::size_t i = 0; i < corpo.size();) {
    const std::size_t nl = corpo.find('\n', i);
    linhas.push_back(corpo.substr(i, nl - i));
    i = nl + 1;
  }
  if (linhas.size() < 5 || linhas[0] != kMagico) return std::nullopt;
  DiarioRemessa d;
  const auto arquivo = depois(linhas[1], "ARQUIVO");
  const auto provisorio = depois(linhas[2], "PROVISORIO");
  const auto conteudo = depois(linhas[3], "CONTEUDO");
  const auto registros = depois(linhas[4], "REGISTROS");
  if (!arquivo || !provisorio || !conteudo || !registros || !nomeSimples(*arquivo) || !nomeSimples(*provisorio))
    return std::nullopt;
  d.arquivo = *arquivo;
  d.provisorio = *provisorio;
  const std::size_t espaco = conteudo->find(' ');
  std::size_t quantos = 0;
  if (espaco == std::string_view::npos || !numero(conteudo->substr(0, espaco), d.tamanho) ||
      !numero(conteudo->substr(espaco + 1), d.hash, 16) || !numero(*registros, quantos) ||
      quantos != linhas.size() - 5)
    return std::nullopt;
  for (std::size_t i = 5; i < linhas.size(); ++i) {
    const std::size_t sp = linhas[i].find(' ');
    RegistroRemessa r;
    if (sp == std::string_view::npos || !numero(linhas[i].substr(0, sp), r.numero)) return std::nullopt;
    std::optional<std::string> bytes = deHex(linhas[i].substr(sp + 1));
    if (!bytes) return std::nullopt;
    r.bytes = std::move(*bytes);
    d.registros.push_back(std::move(r));
  }
  return d;
}

std::string pastaRemessa(const store::Contexto& ctx) {
  std::string p = console::caminhoLinux(ctx, ctx.ARQDEF);
  if (p.empty() || p.back() != '/') p += '/';
  return p;
}

std::string caminhoDiarioRemessa(const store::Contexto& ctx) {
  return pastaRemessa(ctx) + "REMESSA.JNL";
}

rt::Status escreveDiarioRemessa(const std::string& caminho, const DiarioRemessa& d) {
  exporta::ArquivoSaida f;
  rt::Status s = f.cria(caminho);
  if (s) s = f.anexa(codificaDiarioRemessa(d));
  if (s) s = f.fecha();  // synced before it is closed
  RT_TRY(s);
  // The folder too: a journal whose name a power cut lost would leave the file renamed and
  // its slips waiting. Said as an input/output error, whatever the folder's own.
  const rt::Status pasta = rt::db::syncDirectoryOf(caminho);
  return pasta ? pasta : rt::Status::fromErrno(EIO, pasta.detail());
}

rt::Status retiraBoletos(rt::db::Table& t, const std::vector<RegistroRemessa>& registros,
                         const std::function<void()>& meio) {
  std::set<std::uint32_t> tirados;
  auto igual = [&t](std::uint32_t n, const std::string& bytes) {
    t.goTo(n);
    return t.status() && !t.eof() && t.record().substr(1) == bytes;
  };
  for (std::size_t i = 0; i < registros.size(); ++i) {
    if (meio && i == registros.size() / 2) meio();
    const RegistroRemessa& r = registros[i];
    if (!tirados.count(r.numero) && igual(r.numero, r.bytes)) {
      if (!t.isDeleted()) RT_TRY(t.markDeleted());
      tirados.insert(r.numero);
      continue;
    }
    RT_TRY(t.status());
    // Not where it was: a pack moved the records since the file was written.
    const std::uint32_t total = t.recordCount();
    for (std::uint32_t n = 1; n <= total; ++n) {
      if (tirados.count(n) || !igual(n, r.bytes) || t.isDeleted()) {
        RT_TRY(t.status());
        continue;
      }
      RT_TRY(t.markDeleted());
      tirados.insert(n);
      break;
    }
  }
  return t.commit();
}

rt::Result<Desfecho> completaRemessa(store::Contexto& ctx, rt::db::Table& boletos) {
  const std::string diario = caminhoDiarioRemessa(ctx);
  const std::optional<std::string> bytes = leArquivo(diario);
  if (!bytes) return Desfecho::nenhum;
  const std::optional<DiarioRemessa> d = decodificaDiarioRemessa(*bytes);
  bool noLugar = false;
  if (d) {
    const std::string pasta = pastaRemessa(ctx);
    const std::optional<std::string> arquivo = leArquivo(pasta + d->arquivo);
    noLugar = arquivo && arquivo->size() == d->tamanho && store::hashDiario(*arquivo) == d->hash;
    if (noLugar) RT_TRY(retiraBoletos(boletos, d->registros));
    // Renamed already, or a second name the rename's fallback (a hard link) left.
    rt::db::removeScratch(pasta + d->provisorio);
  }
  // Not whole: the generator died writing it, before its file was renamed; its scratch file
  // goes with the start-up's sweep.
  RT_TRY(rt::db::removeFile(diario));
  return noLugar ? Desfecho::concluida : Desfecho::desfeita;
}

Desfecho recuperaRemessa(store::Contexto& ctx) {
  if (!rt::db::fileExists(caminhoDiarioRemessa(ctx))) return Desfecho::nenhum;
  const store::UsoTabela t(ctx, store::Area::BOLETO);
  if (!t.ok() || !t->lockFile()) return Desfecho::nenhum;
  const rt::Result<Desfecho> r = completaRemessa(ctx, *t);
  (void)t->unlock();  // what the table refused is tried again by the next generation
  return r ? *r : Desfecho::nenhum;
}

}  // namespace office
