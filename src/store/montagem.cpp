#include "store/montagem.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "rt/db/file.h"
#include "rt/fs/faults.h"
#include "store/arquivos.h"

namespace store {
namespace {

using rt::Error;
using rt::Status;

Status erroSistema(int err, const std::string& o_que) {
  return {Error::kIo, o_que + ": " + std::strerror(err)};
}

}  // namespace

Status moveSemSubstituir(const std::string& de, const std::string& para, bool* jaExistia) {
  if (jaExistia) *jaExistia = false;
  // A name found in another case counts as there: the folder must never hold both.
  if (rt::db::fileExists(rt::db::resolveCaseInsensitive(para))) {
    if (jaExistia) *jaExistia = true;
    return {};
  }
  if (rt::fs::renameNoReplace(de.c_str(), para.c_str()) == 0)
    return rt::db::syncDirectoryOf(para);
  int err = errno;
  if (err == EEXIST) {
    if (jaExistia) *jaExistia = true;
    return {};
  }
  if (err != EINVAL && err != ENOSYS && err != EOPNOTSUPP) return erroSistema(err, "rename " + de);
  // File systems without the no-replace rename: a hard link fails when the name is taken.
  if (::link(de.c_str(), para.c_str()) == 0) {
    ::unlink(de.c_str());
    return rt::db::syncDirectoryOf(para);
  }
  err = errno;
  if (err == EEXIST) {
    if (jaExistia) *jaExistia = true;
    return {};
  }
  // Nor hard links (some network shares): the name was free a moment ago.
  if (rt::fs::rename(de.c_str(), para.c_str()) != 0) return erroSistema(errno, "rename " + de);
  return rt::db::syncDirectoryOf(para);
}

Status montaTabela(const std::string& destino, const std::string& provisorio, std::vector<rt::db::FieldDef> campos,
                   const Preenche& preenche, bool* jaExistia) {
  if (jaExistia) *jaExistia = false;
  const bool temMemo =
      std::any_of(campos.begin(), campos.end(), [](const rt::db::FieldDef& f) { return f.type == 'M'; });
  const std::string provisorioDbt = rt::db::withExtension(provisorio, ".DBT");
  // Scratch files only: one that stays is replaced by the next build and read by nothing.
  auto limpa = [&] {
    rt::db::removeScratch(provisorio);
    if (temMemo) rt::db::removeScratch(provisorioDbt);
  };
  RT_TRY(rt::db::Table::create(provisorio, std::move(campos), rt::db::CreateMode::kReplace));
  auto t = rt::db::Table::open(provisorio, soParaMim());
  if (!t) {
    limpa();
    return t.status();
  }
  Status s;
  if (preenche) s = preenche(**t);
  if (s) s = (*t)->commit();
  // Held exclusively while its name appears: whoever opens it meanwhile waits and retries.
  bool tomado = false;
  if (s) s = moveSemSubstituir((*t)->path(), destino, &tomado);
  if (s && !tomado && temMemo) {
    // The memo file goes after the table; one left behind by a lost table is replaced.
    const std::string dbt = rt::db::withExtension(destino, ".DBT");
    const std::string real = rt::db::resolveCaseInsensitive(dbt);
    if (rt::fs::rename(provisorioDbt.c_str(), (rt::db::fileExists(real) ? real : dbt).c_str()) != 0)
      s = erroSistema(errno, "rename " + provisorioDbt);
  }
  Status fecha = (*t)->close();
  if (s && !fecha) s = fecha;
  if (!s || tomado) limpa();
  if (jaExistia) *jaExistia = tomado;
  return s;
}

}  // namespace store
