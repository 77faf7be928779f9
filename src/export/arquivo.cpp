#include "export/arquivo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>

#include "rt/fs/faults.h"

namespace exporta {

int ArquivoSaida::cria(const std::string& caminho) {
  provisorio_ = {};
  fd_.reset(rt::fs::openForWriting(caminho, O_WRONLY | O_CREAT | O_TRUNC));
  return fd_.valid() ? 0 : errno;
}

int ArquivoSaida::criaNovo(const std::string& caminho) {
  provisorio_ = {};
  fd_.reset(::open(caminho.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  return fd_.valid() ? 0 : errno;
}

int ArquivoSaida::criaAoLado(const std::string& alvo) {
  fd_.reset();
  if (const int recusa = rt::fs::checkReplaceable(alvo); recusa != 0) return recusa;
  provisorio_ = rt::fs::ScratchFile::beside(alvo);
  return provisorio_.ok() ? 0 : provisorio_.error();
}

int ArquivoSaida::poeNoLugar(const std::string& alvo) {
  if (!provisorio_.ok()) return EBADF;
  int e = provisorio_.sync();
  if (e == 0) e = provisorio_.renameOver(alvo);
  const int fechou = provisorio_.close();
  provisorio_ = {};  // removes the scratch file when the rename did not happen
  return e != 0 ? e : fechou;
}

int ArquivoSaida::anexa(std::string_view texto) {
  if (descritor() < 0) return EBADF;
  while (!texto.empty()) {
    const ssize_t n = rt::fs::write(descritor(), texto.data(), texto.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return ENOSPC;
    texto.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int ArquivoSaida::fecha() {
  if (!fd_.valid()) return EBADF;
  const int sincroniza = rt::fs::fsync(fd_.get()) == 0 ? 0 : errno;
  const int fechou = fd_.close() == 0 ? 0 : errno;
  return sincroniza != 0 ? sincroniza : fechou;
}

ResultadoCopia copiaArquivo(const std::string& origem, const std::string& destino) {
  ArquivoSaida para;
  if (int e = para.cria(destino); e != 0) return {codigoDos(e, destino), false};
  ResultadoCopia r = copiaArquivo(origem, para);
  if (r.codigo == 0 && para.fecha() != 0) r.codigo = kGravacaoCurta;
  return r;
}

ResultadoCopia copiaArquivo(const std::string& origem, ArquivoSaida& para) {
  rt::UniqueFd de(::open(origem.c_str(), O_RDONLY | O_CLOEXEC));
  if (!de.valid()) return {codigoDos(errno, origem), true};
  std::array<char, 1024> bloco{};
  while (true) {
    const ssize_t lidos = ::read(de.get(), bloco.data(), bloco.size());
    if (lidos < 0) {
      if (errno == EINTR) continue;
      // A failed read is not the end of the file: the copy would be cut short.
      return {codigoDos(errno, origem), true};
    }
    if (lidos == 0) break;
    if (para.anexa(std::string_view(bloco.data(), static_cast<std::size_t>(lidos))) != 0)
      return {kGravacaoCurta, false};
  }
  return {};
}

}  // namespace exporta
