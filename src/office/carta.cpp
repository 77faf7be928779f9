#include "office/carta.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "rt/fs/shared_files.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"

namespace office {

namespace {

constexpr std::string_view kAbreCabecalho = "\xB2\xB3", kFechaCabecalho = "\xB3\xB2";

// A field of the header read by its numeric value, as VAL reads it (blanks and junk give 0).
int numero(std::string_view campo) {
  return static_cast<int>(rt::text::Decimal::val(rt::text::alltrim(campo)).wholePart());
}

bool nomeSimples(std::string_view nome) {
  if (nome.empty() || nome.front() == '.' || std::count(nome.begin(), nome.end(), '.') > 1) return false;
  return std::all_of(nome.begin(), nome.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
  });
}

}  // namespace

bool FormatoCarta::utilizavel() const {
  return largura >= 1 && margemEsquerda >= 0 && margemDireita >= 0 && margemSuperior >= 0 &&
         margemInferior >= 0 && linhas >= margemSuperior + margemInferior + 1;
}

Carta leCarta(std::string_view bytes) {
  if (!bytes.empty() && bytes.back() == '\x1A') bytes.remove_suffix(1);
  Carta c;
  if (!bytes.starts_with(kAbreCabecalho)) {
    c.texto = std::string(bytes);
    return c;
  }
  const std::string cab(bytes.substr(0, kTamanhoCabecalho));
  const auto campo = [&cab](std::size_t de, std::size_t n) {
    return de < cab.size() ? std::string_view(cab).substr(de, n) : std::string_view();
  };
  FormatoCarta f;
  f.margemEsquerda = numero(campo(2, 3));
  f.margemDireita = numero(campo(5, 3));
  f.largura = numero(campo(8, 3));
  f.linhas = numero(campo(11, 2));
  f.margemSuperior = numero(campo(13, 2));
  f.margemInferior = numero(campo(15, 2));
  // A width of 0 or a page without room for a line would make the layout loop: defaults.
  if (f.utilizavel()) c.formato = f;
  c.texto = bytes.size() > kTamanhoCabecalho ? std::string(bytes.substr(kTamanhoCabecalho)) : std::string();
  return c;
}

std::string FORMATA(const Carta& c) {
  if (c.formato.padrao()) return c.texto;
  const FormatoCarta& f = c.formato;
  const auto n = [](int v, int largura) { return rt::text::padl(std::to_string(v), largura); };
  return std::string(kAbreCabecalho) + n(f.margemEsquerda, 3) + n(f.margemDireita, 3) + n(f.largura, 3) +
         n(f.linhas, 2) + n(f.margemSuperior, 2) + n(f.margemInferior, 2) + std::string(kFechaCabecalho) +
         c.texto;
}

std::string bytesDaCarta(const Carta& c) {
  return FORMATA(c) + '\x1A';
}

std::optional<std::string> leArquivo(const std::string& caminho) {
  std::ifstream in(caminho, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return s.str();
}

rt::Status gravaCarta(const std::string& caminho, const Carta& c) {
  const std::string bytes = bytesDaCarta(c);
  // Emptied only once known to be a plain file of its own (not a link, pipe or second name).
  const int fd = rt::fs::openForWriting(caminho, O_WRONLY | O_CREAT | O_TRUNC);
  if (fd < 0) return rt::Status::fromErrno(errno, "open " + caminho);
  std::size_t feito = 0;
  while (feito < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + feito, bytes.size() - feito);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int e = n < 0 ? errno : ENOSPC;
      ::close(fd);
      return rt::Status::fromErrno(e, "write " + caminho);
    }
    feito += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) return rt::Status::fromErrno(errno, "close " + caminho);
  return rt::Status::ok();
}

std::optional<std::string> arquivoNaPasta(const std::string& pasta, std::string_view nome) {
  std::string base(rt::text::alltrim(nome));
  if (!nomeSimples(base)) return std::nullopt;
  if (base.find('.') == std::string::npos) base += ".txt";
  const std::filesystem::path dir = pasta.empty() ? std::filesystem::path(".") : std::filesystem::path(pasta);
  const std::string procurado = rt::text::upper(base);
  std::string achado;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
    const std::string n = e.path().filename().string();
    // Of two names that differ only in case, the first in byte order, as the print job takes it.
    if (rt::text::upper(n) == procurado && (achado.empty() || n < achado)) achado = n;
  }
  return (dir / (achado.empty() ? procurado : achado)).string();
}

}  // namespace office
