#include "store/copia_pasta.h"

#include <memory>
#include <vector>

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/mensagens.h"
#include "platform/drive.h"
#include "platform/paths.h"
#include "rt/db/file.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/arquivos_pasta.h"
#include "store/catalogo.h"
#include "store/pastas_dados.h"
#include "store/transfere.h"
#include "store/verificacao.h"

namespace store {

using namespace rt::text::literals;
using namespace std::chrono_literals;

namespace {

std::string nomeTabela(int n) {
  return std::string("IMP") + (n < 10 ? "0" : "") + std::to_string(n) + "10.DBF";
}

// The destination's index files of table t, erased so that the copied table is indexed anew.
void apagaIndices(Contexto& ctx, const std::string& pasta, const TabelaDef& t) {
  UsaPasta naPasta(ctx, pasta);
  for (const IndiceDef& i : indicesDe(ctx, t)) {
    const std::string cdx = caminho(ctx, comExtensao(i.arquivo, ".CDX"));
    if (rt::db::fileExists(cdx)) (void)rt::db::removeFile(cdx);
  }
}

// The register stays open shared on every running terminal: it is read under its file lock,
// which keeps record writers out while the file is copied.
rt::db::Result<std::unique_ptr<rt::db::Table>> seguraRegistro(Contexto& ctx, const std::string& dbf) {
  auto t = rt::db::Table::open(dbf, {});
  if (!t) return t;
  for (int i = 0; i < 10; ++i) {
    if ((*t)->lockFile()) return t;
    ctx.espera.dorme(500ms);
  }
  return rt::db::Status(rt::db::Error::kLocked, dbf);
}

}  // namespace

bool fazCopia(Contexto& ctx, const std::string& origem, const std::string& destino) {
  const std::string origemLx = pastaLinux(ctx, origem);
  auto destinoLx = platform::createFolders(ctx.unidades.toLinux(platform::withoutSeparator(destino)));
  if (!destinoLx) return false;
  std::vector<std::pair<int, std::unique_ptr<rt::db::Table>>> seguras;
  std::uint64_t total = 0;
  for (int n = 1; n <= 19; ++n) {
    const std::string dbf = platform::join(origemLx, nomeTabela(n));
    auto achado = platform::resolveExisting(dbf);
    if (!achado) continue;
    auto t = n == 9 ? seguraRegistro(ctx, *achado) : seguraAguardando(ctx, *achado, nomeTabela(n));
    if (!t) {
      ctx.janelas.FECHAJAN(10);
      console::AVISOSN(ctx, "Copia encerrada sem terminar.", 0);
      return false;
    }
    total += tamanhoEsperado(**t);
    seguras.emplace_back(n, std::move(*t));
  }
  for (;;) {
    auto livre = platform::freeSpace(*destinoLx);
    if (livre && *livre >= total) break;
    if (console::MENS(ctx, 12, "Espaço insuficente no Disco. (T)roque ou (A)bandona"_cp, {.teclas = "TA"}) !=
        "T")
      return false;
  }
  for (const auto& [n, t] : seguras) {
    console::MENS(ctx, 13, "Copiando para " + destino + " o arquivo " + nomeTabela(n));
    auto alvo = platform::pathForFile(*destinoLx, nomeTabela(n));
    if (!alvo || !copiaArquivo(t->path(), *alvo)) {
      ctx.janelas.FECHAJAN(10);
      console::AVISOSN(ctx, "Copia encerrada sem terminar.", 0);
      return false;
    }
    apagaIndices(ctx, destino, *tabela(n));
  }
  ctx.janelas.FECHAJAN(10);
  return true;
}

bool FAZ_COPIA(Contexto& ctx) {
  PastasTransf p;
  if (!perguntaPastas(ctx, 2, p)) return false;
  return fazCopia(ctx, p.origem, p.destino);
}

bool trazCopia(Contexto& ctx, const std::string& origem, const std::string& destino) {
  const std::string origemLx = pastaLinux(ctx, origem);
  const std::string destinoLx = pastaLinux(ctx, destino);
  auto nomes = platform::listFiles(origemLx, "IMP??10.DBF");
  std::vector<const TabelaDef*> tabelas;
  if (nomes)
    for (const std::string& n : *nomes)
      if (const TabelaDef* t = tabelaPorNome(n); t != nullptr && t->numero >= 1 && t->numero <= 20)
        tabelas.push_back(t);
  if (tabelas.empty()) {
    console::AVISOSN(ctx, "O " + origem + std::string(" não contém dados do TAVREN"_cp), 0);
    return false;
  }
  (void)ctx.areas.closeAll();
  for (const TabelaDef* t : tabelas) {
    const std::string nome = nomeTabela(t->numero);
    auto alvo = platform::pathForFile(destinoLx, nome);
    if (!alvo) return false;
    std::unique_ptr<rt::db::Table> segura;
    if (platform::fileExists(*alvo)) {
      auto s = seguraAguardando(ctx, *alvo, nome);
      if (!s && s.code() == rt::db::Error::kInUse) {
        console::AVISOSN(ctx, "Copia encerrada sem terminar.", 0);
        return false;
      }
      if (s) segura = std::move(*s);
    }
    descartaDiariosMortos(destinoLx);
    apagaIndices(ctx, destino, *t);
    auto de = platform::resolveExisting(platform::join(origemLx, nome));
    if (!de || !copiaArquivo(*de, *alvo)) {
      console::AVISOSN(ctx, "Copia encerrada sem terminar.", 0);
      return false;
    }
  }
  UsaPasta naPasta(ctx, destino);
  (void)passaVerificacao(ctx);
  return true;
}

bool TRAZ_COPIA(Contexto& ctx) {
  PastasTransf p;
  if (!perguntaPastas(ctx, 3, p)) return false;
  return trazCopia(ctx, p.origem, p.destino);
}

}  // namespace store
