#include "store/fornecidas.h"

#include <filesystem>

#include "platform/child_process.h"
#include "store/arquivos.h"

namespace store {

rt::db::Status gravaValores(rt::db::Table& tabela, std::span<const CampoDef> campos,
                            std::span<const ValorSemente> valores) {
  RT_DB_TRY(tabela.appendBlank());
  for (const ValorSemente& v : valores) {
    const CampoDef* c = campo(campos, v.campo);
    if (c == nullptr || v.valor.empty()) continue;
    RT_DB_TRY(tabela.put(c->nome, valorDeTexto(c->tipo, v.valor)));
  }
  return tabela.flush();
}

rt::db::Status preencheSemente(const Contexto& ctx, const TabelaDef& t, rt::db::Table& tabela) {
  if (!temSemente(t) || ctx.PASTA_SEMENTE.empty()) return {};
  const std::filesystem::path arquivo = arquivoSemente(ctx.PASTA_SEMENTE, t);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(arquivo, ec)) return {};
  const Semente semente = leArquivoSemente(t, arquivo);
  for (const LinhaSemente& linha : semente.linhas) RT_DB_TRY(gravaValores(tabela, t.campos, linha.valores));
  return {};
}

std::filesystem::path pastaSementePadrao(const platform::EnvLookup& env) {
  std::error_code ec;
  if (const char* v = env("TAVREN_SEED_DIR"); v != nullptr && *v != '\0') {
    if (std::filesystem::is_directory(v, ec)) return v;
  }
  if (auto bin = platform::runningProgramFolder()) {
    const std::filesystem::path pasta(*bin);
    for (const std::filesystem::path& p : {pasta / "seed", pasta / ".." / "share" / "tavren" / "seed"})
      if (std::filesystem::is_directory(p, ec)) return p.lexically_normal();
  }
  return {};
}

}  // namespace store
