#include "store/recuperacao.h"

#include <fstream>
#include <sstream>

#include "rt/db/file.h"
#include "rt/db/table.h"
#include "rt/fs/shared_files.h"
#include "rt/text/strings.h"
#include "store/arquivos.h"
#include "store/tabelas_declaracao.h"

namespace store {

namespace {
constexpr std::string_view kRotulo = "CPF=";
}

std::string caminhoManifesto(const Contexto& ctx) { return caminho(ctx, ctx.LOCTRAB + "TMP_MAN" + ctx.NUSU + ".TXT"); }

rt::Status gravaManifesto(const Contexto& ctx, const Cpf& cpf) {
  const std::string c = caminhoManifesto(ctx);
  // Written beside it under an unguessable name and renamed over it: the work folder may be
  // shared, and a fixed scratch name could be a planted link.
  rt::Result<rt::fs::ScratchFile> f = rt::fs::ScratchFile::beside(c);
  if (!f) return f.status();
  RT_TRY(f->write(std::string(kRotulo) + std::string(cpf.chave()) + "\r\n"));
  return f->renameOver(c);
}

bool podeRecuperar(Contexto& ctx, const Cpf& cpf) {
  std::ifstream f(caminhoManifesto(ctx), std::ios::binary);
  std::string linha;
  if (!std::getline(f, linha) || linha.substr(0, kRotulo.size()) != kRotulo) return false;
  if (Cpf(linha.substr(kRotulo.size(), 11)) != cpf) return false;
  for (Area n : kComCopia) {
    if (n == Area::IMP1310) continue;
    auto t = rt::db::Table::open(caminhoCopia(ctx, copia(n)) + ".DBF", {.exclusive = true, .readOnly = false, .alias = {}});
    if (!t) return false;
    rt::db::Table& tab = **t;
    const int campoCpf = tab.fieldIndex("CPF");
    if (campoCpf < 0) return false;
    tab.goTop();
    if (!tab.status()) return false;
    for (; tab.status() && !tab.eof(); tab.skip(1)) {
      if (tab.isDeleted()) continue;
      if (tab.raw(campoCpf) != cpf.chave()) return false;
    }
  }
  return true;
}

}  // namespace store
