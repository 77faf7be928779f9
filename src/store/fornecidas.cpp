#include "store/fornecidas.h"

#include <filesystem>

#include "store/arquivos.h"
#include "store/sementes_embutidas.h"

namespace store {

rt::Status gravaValores(rt::db::Table& tabela, std::span<const CampoDef> campos,
                        std::span<const ValorSemente> valores) {
  RT_TRY(tabela.appendBlank());
  for (const ValorSemente& v : valores) {
    const CampoDef* c = campo(campos, v.campo);
    if (c == nullptr || v.valor.empty()) continue;
    RT_TRY(tabela.put(c->nome, valorDeTexto(c->tipo, v.valor)));
  }
  return tabela.flush();
}

rt::Status preencheSemente(const Contexto& ctx, const TabelaDef& t, rt::db::Table& tabela) {
  if (!temSemente(t)) return {};
  Semente semente;
  if (!ctx.PASTA_SEMENTE.empty()) {
    const std::filesystem::path arquivo = arquivoSemente(ctx.PASTA_SEMENTE, t);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(arquivo, ec)) return {};
    semente = leArquivoSemente(t, arquivo);
  } else {
    const std::string nome = arquivoSemente("", t).filename().string();
    for (const ArquivoEmbutido& a : sementesEmbutidas())
      if (a.nome == nome) semente = leSemente(t, a.texto, a.nome);
  }
  for (const LinhaSemente& linha : semente.linhas) RT_TRY(gravaValores(tabela, t.campos, linha.valores));
  return {};
}

std::filesystem::path pastaSementePadrao(const platform::EnvLookup& env) {
  std::error_code ec;
  if (const char* v = env("TAVREN_SEED_DIR"); v != nullptr && *v != '\0') {
    if (std::filesystem::is_directory(v, ec)) return v;
  }
  return {};
}

}  // namespace store
