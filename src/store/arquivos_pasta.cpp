#include "store/arquivos_pasta.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "platform/paths.h"
#include "platform/temp_file.h"
#include "rt/base/unique_fd.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "store/diario_gravacao.h"

namespace store {

using namespace std::chrono_literals;
using namespace rt::text::literals;

std::string perguntaEmUso(std::string_view arquivo) {
  return "O arquivo " + std::string(arquivo) + " esta sendo usado em algum terminal. Aguarde?";
}

rt::Result<std::unique_ptr<rt::db::Table>> seguraAguardando(Contexto& ctx, const std::string& caminhoDbf,
                                                            std::string_view arquivo) {
  rt::db::OpenOptions op;
  op.exclusive = true;
  op.alias = "SEGURA";
  for (;;) {
    for (int tentativa = 0; tentativa < 5; ++tentativa) {
      auto t = rt::db::Table::open(caminhoDbf, op);
      if (t || t.code() != rt::Error::kInUse) {
        if (tentativa > 0) ctx.relato().linha({});
        return t;
      }
      // The few seconds before the question are a wait too, and are said.
      if (tentativa == 0) {
        ctx.relato().linha("Aguardando arquivo ficar disponível"_cp);
        ctx.console.refresh();
      }
      ctx.espera.dorme(1000ms);
    }
    ctx.relato().linha({});
    if (!ctx.relato().pergunta(perguntaEmUso(arquivo), false))
      return rt::Status(rt::Error::kInUse, caminhoDbf);
  }
}

rt::Result<std::unique_ptr<rt::db::Table>> seguraParaCopia(Contexto& ctx, const std::string& caminhoDbf) {
  rt::db::OpenOptions op;
  op.alias = "SEGURA";
  bool avisado = false;
  for (;;) {
    auto t = rt::db::Table::open(caminhoDbf, op);
    rt::Status s = t ? (*t)->lockFile() : t.status();
    if (s) {
      if (avisado) ctx.relato().linha({});
      return t;
    }
    if (s.code() != rt::Error::kInUse && s.code() != rt::Error::kLocked) return s;
    if (!avisado) ctx.relato().linha("Aguardando arquivo ficar disponível"_cp);
    avisado = true;
    // Reading the key also sends the message out to the screen.
    if (ctx.console.inkey(0ms).code == rt::term::key::Esc) {
      ctx.relato().linha({});
      return rt::Status(rt::Error::kInUse, caminhoDbf);
    }
    ctx.espera.dorme(500ms);
  }
}

namespace {

rt::Status copiaConteudo(const std::string& de, int fdPara) {
  rt::UniqueFd in(::open(de.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in.valid()) return rt::Status::fromErrno(errno, "open " + de);
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(in.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return rt::Status::fromErrno(errno, "read " + de);
    }
    if (n == 0) break;
    ssize_t feito = 0;
    while (feito < n) {
      const ssize_t w = ::write(fdPara, buf + feito, static_cast<std::size_t>(n - feito));
      if (w < 0) {
        if (errno == EINTR) continue;
        return rt::Status::fromErrno(errno, "write");
      }
      feito += w;
    }
  }
  if (::fsync(fdPara) != 0) return rt::Status::fromErrno(errno, "fsync");
  return rt::Status::ok();
}

}  // namespace

rt::Status copiaArquivo(const std::string& de, const std::string& para,
                        const std::function<rt::Status(const std::string&)>& confere) {
  const std::filesystem::path p(para);
  const std::string pasta = p.parent_path().string();
  auto tmp = platform::createScratchBeside(para);
  if (!tmp) return tmp.status();
  rt::Status s = copiaConteudo(de, tmp->fd());
  if (!s) return s;
  if (confere) {
    s = confere(tmp->path());
    if (!s) return s;
  }
  if (s = tmp->putInPlace(para); !s) return s;
  return platform::syncFolder(pasta.empty() ? "." : pasta);
}

void descartaDiariosMortos(const std::string& pastaLx) {
  auto nomes = platform::listFiles(pastaLx, "SALVA*.JNL");
  if (!nomes) return;
  for (const std::string& n : *nomes) {
    auto t = TravaDiario::tenta(platform::join(pastaLx, n));
    // A journal that cannot go now stays, and the next start finds it again.
    if (t && t->has_value()) (void)(*t)->conclui();
  }
}

std::uint64_t tamanhoEsperado(rt::db::Table& t) {
  return static_cast<std::uint64_t>(t.recordSize()) * t.recordCount() + t.headerSize() + 1;
}

}  // namespace store
