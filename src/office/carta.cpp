#include "office/carta.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/temp_file.h"
#include "rt/fs/names.h"
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

// A typed name (CP860) that stays in the letters' folder: letters (accented too), digits, "_",
// "-" and at most one ".", not first.
bool nomeSimples(std::string_view nome) {
  if (nome.empty() || nome.front() == '.' || std::count(nome.begin(), nome.end(), '.') > 1) return false;
  return std::all_of(nome.begin(), nome.end(), [](char c) { return c == '.' || rt::fs::isPlainNameChar(c); });
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
  // The new letter is written whole beside the old one and renamed over it only once synced:
  // a kill, a full disk or a failed write leaves the old letter as it was.
  if (const rt::Status recusa = rt::fs::checkReplaceable(caminho); !recusa) return recusa;
  rt::Result<rt::fs::ScratchFile> criada = rt::fs::ScratchFile::beside(caminho);
  if (!criada) return criada.status();
  rt::fs::ScratchFile& nova = *criada;
  if (const int e = nova.write(bytesDaCarta(c)).sysError(); e != 0)
    return rt::Status::fromErrno(e, "write " + caminho);
  if (const int e = nova.sync().sysError(); e != 0) return rt::Status::fromErrno(e, "fsync " + caminho);
  if (const rt::Status e = nova.renameOver(caminho); !e) return e;
  if (const int e = nova.close().sysError(); e != 0) return rt::Status::fromErrno(e, "close " + caminho);
  // The rename itself lasts a power cut only once the folder is synced.
  return platform::syncFolder(std::filesystem::path(caminho).parent_path().string());
}

std::optional<std::string> arquivoNaPasta(const std::string& pasta, std::string_view nome) {
  std::string base(rt::text::alltrim(nome));
  if (!nomeSimples(base)) return std::nullopt;
  if (base.find('.') == std::string::npos) base += ".txt";
  const std::filesystem::path dir = pasta.empty() ? std::filesystem::path(".") : std::filesystem::path(pasta);
  // The name is typed in the console's code page; the folder's names are UTF-8.
  if (const auto achado = rt::fs::findTyped(dir.string(), base)) return (dir / *achado).string();
  return (dir / rt::fs::diskName(rt::text::upper(base))).string();
}

}  // namespace office
