#include "export/arquivo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>

#include "rt/fs/faults.h"

namespace exporta {

namespace {

// The status of a call that gave `erro` (0: it went through).
rt::Status deu(int erro, std::string_view oque, const std::string& caminho) {
  if (erro == 0) return {};
  return rt::Status::fromErrno(erro, std::string(oque) + " " + caminho);
}

}  // namespace

int codigoDos(const rt::Status& s, const std::string& caminho) {
  if (s) return 0;
  return codigoDos(s.sysError() != 0 ? s.sysError() : EIO, caminho);
}

rt::Status ArquivoSaida::cria(const std::string& caminho) {
  provisorio_ = {};
  rt::Result<rt::UniqueFd> aberto = rt::fs::openForWriting(caminho, O_WRONLY | O_CREAT | O_TRUNC);
  fd_ = aberto ? std::move(*aberto) : rt::UniqueFd();
  caminho_ = caminho;
  return deu(aberto.status().sysError(), "open", caminho);
}

rt::Status ArquivoSaida::criaNovo(const std::string& caminho) {
  provisorio_ = {};
  fd_.reset(::open(caminho.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  caminho_ = caminho;
  return deu(fd_.valid() ? 0 : errno, "open", caminho);
}

rt::Status ArquivoSaida::criaAoLado(const std::string& alvo) {
  fd_.reset();
  caminho_ = alvo;
  if (const rt::Status recusa = rt::fs::checkReplaceable(alvo); !recusa)
    return deu(recusa.sysError(), "replace", alvo);
  rt::Result<rt::fs::ScratchFile> provisorio = rt::fs::ScratchFile::beside(alvo);
  provisorio_ = provisorio ? std::move(*provisorio) : rt::fs::ScratchFile();
  return deu(provisorio.status().sysError(), "create beside", alvo);
}

rt::Status ArquivoSaida::poeNoLugar(const std::string& alvo) {
  if (!provisorio_.ok()) return deu(EBADF, "rename over", alvo);
  int e = provisorio_.sync().sysError();
  if (e == 0) e = provisorio_.renameOver(alvo).sysError();
  const int fechou = provisorio_.close().sysError();
  provisorio_ = {};  // removes the scratch file when the rename did not happen
  return deu(e != 0 ? e : fechou, "rename over", alvo);
}

rt::Status ArquivoSaida::anexa(std::string_view texto) {
  if (descritor() < 0) return deu(EBADF, "write", caminho_);
  while (!texto.empty()) {
    const ssize_t n = rt::fs::write(descritor(), texto.data(), texto.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return deu(errno, "write", caminho_);
    }
    if (n == 0) return deu(ENOSPC, "write", caminho_);
    texto.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

rt::Status ArquivoSaida::fecha() {
  if (!fd_.valid()) return deu(EBADF, "close", caminho_);
  const int sincroniza = rt::fs::fsync(fd_.get()) == 0 ? 0 : errno;
  const int fechou = fd_.close() == 0 ? 0 : errno;
  return sincroniza != 0 ? deu(sincroniza, "fsync", caminho_) : deu(fechou, "close", caminho_);
}

ResultadoCopia copiaArquivo(const std::string& origem, const std::string& destino) {
  ArquivoSaida para;
  if (const rt::Status s = para.cria(destino); !s) return {codigoDos(s, destino), false};
  ResultadoCopia r = copiaArquivo(origem, para);
  if (r.codigo == 0 && !para.fecha()) r.codigo = kGravacaoCurta;
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
    if (!para.anexa(std::string_view(bloco.data(), static_cast<std::size_t>(lidos))))
      return {kGravacaoCurta, false};
  }
  return {};
}

}  // namespace exporta
