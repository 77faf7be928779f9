#include "converter/receita_linhas.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace converter {

namespace {

constexpr std::size_t kBloco = 64 * 1024;

bool terminador(char c) { return c == '\n' || c == '\0'; }

void tiraCr(std::string& linha, char terminou) {
  if (terminou == '\n' && !linha.empty() && linha.back() == '\r') linha.pop_back();
}

}  // namespace

LeitorLinhas::LeitorLinhas(const std::string& caminho) : fd_(::open(caminho.c_str(), O_RDONLY | O_CLOEXEC)) {
  if (!fd_.valid()) erro_ = rt::Status::fromErrno(errno, "open " + caminho);
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
  leuAlgo_ = true;
  return true;
}

bool LeitorLinhas::vazio() {
  if (pos_ < buffer_.size()) return false;
  if (!leuAlgo_) enche();
  return !leuAlgo_;
}

std::optional<std::string> LeitorLinhas::LELINHA() {
  std::size_t procura = pos_;
  for (;;) {
    for (; procura < buffer_.size(); ++procura) {
      if (!terminador(buffer_[procura])) continue;
      std::string linha = buffer_.substr(pos_, procura - pos_);
      tiraCr(linha, buffer_[procura]);
      pos_ = procura + 1;
      return linha;
    }
    const std::size_t jaVisto = procura - pos_;
    if (!enche()) break;
    procura = pos_ + jaVisto;
  }
  if (!erro_ || pos_ >= buffer_.size()) return std::nullopt;
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
