#include "console/pastas.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "platform/drive.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace console {
namespace {

using namespace rt::text::literals;

std::string semBrancos(std::string_view s) {
  return std::string(rt::text::alltrim(s));
}

}  // namespace

std::string BAR_DIR(std::string_view caminho) {
  return platform::withSeparator(caminho);
}

std::string BAR_FORA(std::string_view caminho) {
  return platform::withoutSeparator(caminho);
}

std::string TIRA_DIR(std::string_view caminho) {
  return std::string(platform::lastComponent(caminho));
}

std::string caminhoLinux(const Contexto& ctx, std::string_view caminho) {
  std::string lx = ctx.unidades.toLinux(caminho);
  if (auto achado = platform::resolveExisting(lx)) return *achado;
  return lx;
}

std::string GETDIR() {
  auto atual = platform::currentFolder();
  return atual ? *atual : std::string();
}

bool VERDIR(const Contexto& ctx, std::string_view caminho) {
  const std::string c = semBrancos(caminho);
  if (c.empty()) return false;
  return platform::folderExists(caminhoLinux(ctx, BAR_FORA(c)));
}

bool CONFER_DIR(Contexto& ctx, std::string_view caminho) {
  if (VERDIR(ctx, caminho)) return true;
  MENS(ctx, mens::Linha, "<Dir> " + std::string(caminho) + std::string("não encontrado. Assumiremos o default"_cp));
  return false;
}

bool CONF_DIR(Contexto& ctx, std::string_view caminho) {
  if (VERDIR(ctx, caminho)) return true;
  AVISOSN(ctx, "<Dir> " + std::string(caminho) + std::string("não encontrado."_cp), 0);
  return false;
}

bool ESPCIF(Contexto& ctx, std::string_view drive) {
  const std::string d = semBrancos(drive);
  if ((d.size() >= 2 && d[1] == ':') || (!d.empty() && d[0] == '/')) return true;
  AVISOSN(ctx, "Especifique o drive com ':' após a letra"_cp, 0);
  return false;
}

bool CRI_NDIR(Contexto& ctx, std::string_view caminho, std::string_view finalidade) {
  const std::string pasta = BAR_FORA(semBrancos(caminho));
  if (VERDIR(ctx, pasta)) return true;
  if (AVISOSN(ctx, std::string("Diretório novo para "_cp) + std::string(finalidade) + "? Cria-o ?", 2) != "S")
    return false;
  // The missing levels are made one by one; levels that exist (in any case) are reused.
  if (platform::createFolders(ctx.unidades.toLinux(pasta))) return true;
  AVISOSN(ctx, "Problemas ao criar a pasta " + pasta, 0);
  return false;
}

bool LF_ISFILE(const Contexto& ctx, std::string_view nome, bool pasta) {
  const std::string c = caminhoLinux(ctx, semBrancos(nome));
  return pasta ? platform::folderExists(c) : platform::fileExists(c);
}

rt::Status ALTDIR(const Contexto& ctx, std::string_view caminho) {
  const std::string c = caminhoLinux(ctx, semBrancos(caminho));
  return ::chdir(c.c_str()) == 0 ? rt::Status() : rt::Status::fromErrno(errno, "chdir " + c);
}

rt::Status CRIADIR(const Contexto& ctx, std::string_view caminho) {
  return platform::createFolder(ctx.unidades.toLinux(semBrancos(caminho)));
}

rt::UniqueFd LF_FOPEN(const Contexto& ctx, std::string_view nome, int modo) {
  const int flags = (modo & 3) == kFoEscrita ? O_WRONLY : (modo & 3) == kFoLeituraEscrita ? O_RDWR : O_RDONLY;
  const std::string c = caminhoLinux(ctx, semBrancos(nome));
  return rt::UniqueFd(::open(c.c_str(), flags | O_CLOEXEC));
}

}  // namespace console
