#include "converter/receita/linhas.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>

namespace converter {

namespace {

constexpr std::size_t kBloco = 64 * 1024;

bool terminador(char c) { return c == '\n' || c == '\0'; }

void tiraCr(std::string& linha, char terminou) {
  if (terminou == '\n' && !linha.empty() && linha.back() == '\r') linha.pop_back();
}

}  // namespace

bool arquivoComum(const std::string& caminho) {
  struct stat st {};
  if (::lstat(caminho.c_str(), &st) != 0) return false;
  if (S_ISREG(st.st_mode)) return true;
  if (!S_ISLNK(st.st_mode)) return false;
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path alvo = fs::canonical(caminho, ec);
  if (ec) return false;
  const fs::path pasta = fs::canonical(fs::absolute(caminho, ec).parent_path(), ec);
  if (ec || alvo.parent_path() != pasta) return false;
  return ::stat(alvo.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

LeitorLinhas::LeitorLinhas(const std::string& caminho, Limites limites) : limites_(limites) {
  struct stat st {};
  if (::lstat(caminho.c_str(), &st) != 0) {
    erro_ = rt::Status::fromErrno(errno, "open " + caminho);
    return;
  }
  if (!arquivoComum(caminho)) {
    naoComum_ = true;
    return;
  }
  // Not blocking: what was a file when looked at may be a pipe by now.
  fd_.reset(::open(caminho.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!fd_.valid()) {
    erro_ = rt::Status::fromErrno(errno, "open " + caminho);
    return;
  }
  if (::fstat(fd_.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    fd_.reset();
    naoComum_ = true;
    return;
  }
  if (static_cast<std::uint64_t>(st.st_size) > limites_.arquivo) {
    excesso_ = Excesso::Arquivo;
    fim_ = true;
  }
}

bool LeitorLinhas::enche() {
  if (fim_ || !fd_.valid()) return false;
  buffer_.erase(0, pos_);
  pos_ = 0;
  const std::size_t antes = buffer_.size();
  buffer_.resize(antes + kBloco);
  ssize_t n;
  do {
    n = ::read(fd_.get(), buffer_.data() + antes, kBloco);
  } while (n < 0 && errno == EINTR);
  if (n <= 0) {
    buffer_.resize(antes);
    if (n < 0) erro_ = rt::Status::fromErrno(errno, "read");
    fim_ = true;
    return false;
  }
  buffer_.resize(antes + static_cast<std::size_t>(n));
  lidos_ += static_cast<std::size_t>(n);
  leuAlgo_ = true;
  if (lidos_ > limites_.arquivo) {
    // The file grew past its limit since it was opened.
    excesso_ = Excesso::Arquivo;
    fim_ = true;
    return false;
  }
  return true;
}

bool LeitorLinhas::vazio() {
  if (pos_ < buffer_.size()) return false;
  if (!leuAlgo_) enche();
  return !leuAlgo_;
}

std::optional<std::string> LeitorLinhas::LELINHA() {
  if (!erro_ || excesso_ != Excesso::Nenhum) return std::nullopt;
  std::size_t procura = pos_;
  for (;;) {
    for (; procura < buffer_.size(); ++procura) {
      if (!terminador(buffer_[procura])) continue;
      std::string linha = buffer_.substr(pos_, procura - pos_);
      tiraCr(linha, buffer_[procura]);
      if (linha.size() > limites_.linha) {
        excesso_ = Excesso::Linha;
        return std::nullopt;
      }
      pos_ = procura + 1;
      return linha;
    }
    const std::size_t jaVisto = procura - pos_;
    // (A carriage return may still come off the line.)
    if (jaVisto > limites_.linha && jaVisto - limites_.linha > 1) {
      excesso_ = Excesso::Linha;
      return std::nullopt;
    }
    if (!enche()) break;
    procura = pos_ + jaVisto;
  }
  if (!erro_ || excesso_ != Excesso::Nenhum || pos_ >= buffer_.size()) return std::nullopt;
  if (buffer_.size() - pos_ > limites_.linha) {
    excesso_ = Excesso::Linha;
    return std::nullopt;
  }
  // The last line, without a terminator, is still whole.
  std::string linha = buffer_.substr(pos_);
  pos_ = buffer_.size();
  return linha;
}

std::vector<std::string> linhasDe(std::string_view bytes) {
  std::vector<std::string> v;
  std::size_t inicio = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (!terminador(bytes[i])) continue;
    std::string linha(bytes.substr(inicio, i - inicio));
    tiraCr(linha, bytes[i]);
    v.push_back(std::move(linha));
    inicio = i + 1;
  }
  if (inicio < bytes.size()) v.emplace_back(bytes.substr(inicio));
  return v;
}

}  // namespace converter
