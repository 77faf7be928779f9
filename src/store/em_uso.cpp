#include "store/em_uso.h"

#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "console/arquivo_recusado.h"
#include "console/documentos.h"
#include "console/pastas.h"
#include "rt/fs/shared_files.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/arquivos.h"

namespace store {

using rt::text::doisDigitos;
using namespace rt::text::literals;

namespace {

// Far above every lock the table engine could take in a file, so the two never meet even if
// the file were ever opened as a table.
constexpr off_t kBase = off_t{1} << 50;
constexpr int kTerminais = 100;

// The CPF as a number; -1 when it is not 11 digits.
long long numeroCpf(std::string_view cpf) {
  const std::string d = console::TIRA_PONTO(rt::text::alltrim(cpf));
  if (d.size() != 11 || d.find_first_not_of("0123456789") != std::string::npos) return -1;
  return std::stoll(d);
}

int numeroTerminal(std::string_view nusu) {
  const std::string t(rt::text::alltrim(nusu));
  if (t.empty() || t.size() > 2 || t.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::stoi(t);
}

int trava(int fd, int comando, short tipo, off_t inicio, off_t tamanho, struct flock* f) {
  std::memset(f, 0, sizeof *f);
  f->l_type = tipo;
  f->l_whence = SEEK_SET;
  f->l_start = inicio;
  f->l_len = tamanho;
  return ::fcntl(fd, comando, f);
}

// The entry journal's bytes lie in a range of their own, above every declaration's.
constexpr off_t kBaseLancamentos = off_t{1} << 51;

// Takes the CPF's byte for this terminal in the range that starts at `base`.
PosseDeclaracao tomaCpf(Contexto& ctx, std::string_view pasta, std::string_view cpf, off_t base) {
  PosseDeclaracao p;
  const long long c = numeroCpf(cpf);
  if (c < 0) {
    p.livre = true;
    return p;
  }
  const std::string arquivo = caminho(ctx, console::BAR_DIR(rt::text::alltrim(pasta)) + "DECLARA.LCK");
  // Never through a link: a dangling one would make a file wherever it points.
  rt::Result<rt::UniqueFd> aberto = rt::fs::openForWriting(arquivo, O_RDWR | O_CREAT);
  if (!aberto) {
    p.erro = rt::fs::isRefusal(aberto.status()) ? console::textoLink(arquivo)
                                                 : arquivo + ": " + std::strerror(aberto.status().sysError());
    return p;
  }
  rt::UniqueFd fd = std::move(*aberto);
  const off_t faixa = base + static_cast<off_t>(c) * kTerminais;
  const int eu = numeroTerminal(ctx.NUSU);
  for (int tentativa = 0;; ++tentativa) {
    struct flock f {};
    // Another terminal on this CPF: the first lock met in the CPF's range is its byte.
    if (trava(fd.get(), F_OFD_GETLK, F_WRLCK, faixa, kTerminais, &f) != 0) {
      p.erro = arquivo + ": " + std::strerror(errno);
      return p;
    }
    // A lock over the whole range is a terminal taking the CPF this very moment: asked again
    // shortly, it is that terminal's own byte (or nothing, when it went on to another CPF).
    const bool tomando = f.l_type != F_UNLCK && f.l_len != 1;
    if (tomando && tentativa < 20) {
      ctx.espera.dorme(std::chrono::milliseconds(5));
      continue;
    }
    if (f.l_type != F_UNLCK) {
      const off_t t = f.l_start - faixa;
      p.terminal = !tomando && t >= 0 && t < kTerminais ? doisDigitos(t) : "??";
      return p;
    }
    // Taken on the whole range for a moment, so two terminals asking at once cannot both see
    // it free; then only this terminal's byte is kept.
    if (trava(fd.get(), F_OFD_SETLK, F_WRLCK, faixa, kTerminais, &f) == 0) break;
    if (errno != EAGAIN && errno != EACCES) {
      p.erro = arquivo + ": " + std::strerror(errno);
      return p;
    }
    if (tentativa > 100) {
      p.terminal = "??";
      return p;
    }
  }
  struct flock f {};
  // The other terminals' slots were only tested: a lock not let go goes with the descriptor.
  if (eu > 0) (void)trava(fd.get(), F_OFD_SETLK, F_UNLCK, faixa, eu, &f);
  if (eu + 1 < kTerminais)
    // As above: a lock not let go goes with the descriptor.
    (void)trava(fd.get(), F_OFD_SETLK, F_UNLCK, faixa + eu + 1, kTerminais - eu - 1, &f);
  p.livre = true;
  p.uso = UsoDeclaracao(std::move(fd));
  return p;
}

}  // namespace

PosseDeclaracao tomaDeclaracao(Contexto& ctx, std::string_view pasta, std::string_view cpf) {
  return tomaCpf(ctx, pasta, cpf, kBase);
}

PosseDeclaracao tomaLancamentos(Contexto& ctx, std::string_view pasta, std::string_view cpf) {
  return tomaCpf(ctx, pasta, cpf, kBaseLancamentos);
}

std::string textoLancamentosEmUso(const PosseDeclaracao& p) {
  if (!p.terminal.empty()) return std::string("Lançamentos em uso no terminal "_cp) + p.terminal;
  return std::string("Lançamentos não podem ser reservados: "_cp) + p.erro;
}

std::string textoEmUso(std::string_view terminal) {
  return std::string("Declaração em uso no terminal "_cp) + std::string(terminal);
}

std::string textoRecusa(const PosseDeclaracao& p) {
  if (!p.terminal.empty()) return textoEmUso(p.terminal);
  return "Declaracao nao pode ser reservada: " + p.erro;
}

rt::Status reservaDeclaracao(Contexto& ctx, std::string_view pasta, std::string_view cpf, UsoDeclaracao& uso,
                             std::string* motivo) {
  PosseDeclaracao p = tomaDeclaracao(ctx, pasta, cpf);
  if (!p.livre) {
    rt::Status recusa(rt::Error::kInUse, textoRecusa(p));
    if (motivo != nullptr) *motivo = recusa.detail();
    return recusa;
  }
  uso = std::move(p.uso);
  return rt::Status::ok();
}

}  // namespace store
