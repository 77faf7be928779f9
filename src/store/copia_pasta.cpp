#include "store/copia_pasta.h"

#include <memory>
#include <vector>

#include "platform/drive.h"
#include "platform/paths.h"
#include "platform/temp_file.h"
#include "rt/db/file.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/arquivos_pasta.h"
#include "store/catalogo.h"
#include "store/pastas_dados.h"
#include "store/recusa.h"
#include "store/restaura_pasta.h"
#include "store/transfere.h"
#include "store/verificacao.h"

namespace store {

using namespace rt::text::literals;
using namespace std::chrono_literals;

namespace {

std::string nomeTabela(Area t) {
  const int n = numero(t);
  return std::string("IMP") + (n < 10 ? "0" : "") + std::to_string(n) + "10.DBF";
}

// The destination's index files of table t, erased so that the copied table is indexed anew;
// false when one stays, which would be opened over the copied table as it is.
bool apagaIndices(Contexto& ctx, const std::string& pasta, const TabelaDef& t) {
  UsaPasta naPasta(ctx, pasta);
  for (const IndiceDef& i : indicesDe(ctx, t))
    if (!rt::db::removeFile(caminho(ctx, comExtensao(i.arquivo, ".CDX")))) return false;
  return true;
}

// The closing message of a copy: how many tables and taxpayers, from where to where.
std::vector<std::string> resumo(std::string_view feito, std::size_t arquivos, std::uint64_t contribuintes,
                                std::string de, std::string para) {
  return {std::string(feito) + " " + std::to_string(arquivos) + " arquivos, com " + std::to_string(contribuintes) +
              " contribuinte" + (contribuintes == 1 ? "" : "s") + ",",
          std::move(de), std::move(para)};
}

// The alert that ends a copy midway, and its told failure.
rt::Status encerrada(Contexto& ctx, const rt::Status& s) {
  ctx.relato().fimEspera();
  ctx.relato().alerta("Copia encerrada sem terminar.");
  return s.markTold();
}

}  // namespace

rt::Status fazCopia(Contexto& ctx, const std::string& origem, const std::string& destino) {
  const std::string origemLx = pastaLinux(ctx, origem);
  auto destinoLx = platform::createFolders(ctx.unidades.toLinux(platform::withoutSeparator(destino)));
  if (!destinoLx) return destinoLx.status();
  // This terminal's own tables would otherwise be "in use in some terminal" for ever; the
  // register stays open, and is held under its file lock below.
  FECHA_TODO(ctx);
  std::vector<std::pair<Area, std::unique_ptr<rt::db::Table>>> seguras;
  std::uint64_t total = 0;
  for (Area n : kComCopia) {
    const std::string dbf = platform::join(origemLx, nomeTabela(n));
    auto achado = platform::resolveExisting(dbf);
    if (!achado) continue;
    // The register stays open shared on every running terminal: it is copied under its file
    // lock, which keeps record writers out while the file is copied.
    auto t = n == Area::IMP0910 ? seguraParaCopia(ctx, *achado)
                                        : seguraAguardando(ctx, *achado, nomeTabela(n));
    if (!t) {
      // Let the other terminals go before the alert waits for its key.
      seguras.clear();
      return encerrada(ctx, t.status());
    }
    total += tamanhoEsperado(**t);
    seguras.emplace_back(n, std::move(*t));
  }
  for (;;) {
    auto livre = platform::freeSpace(*destinoLx);
    if (livre && *livre >= total) break;
    if (ctx.relato().letra("Espaço insuficente no Disco. (T)roque ou (A)bandona"_cp, "TA", 'A') != 'T')
      return falhaDita(rt::Error::kNoSpace, destino);  // the question said it
  }
  for (const auto& [n, t] : seguras) {
    ctx.relato().espera("Copiando para " + destino + " o arquivo " + nomeTabela(n));
    auto alvo = platform::pathForFile(*destinoLx, nomeTabela(n));
    rt::Status s = alvo ? copiaArquivo(t->path(), *alvo) : alvo.status();
    if (s && !apagaIndices(ctx, destino, *tabela(n))) s = {rt::Error::kIo, "index of " + nomeTabela(n)};
    if (!s) {
      // Let the other terminals go before the alert waits for its key.
      seguras.clear();
      return encerrada(ctx, s);
    }
  }
  ctx.relato().fimEspera();
  ctx.relato().alerta(
      resumo("Copiados", seguras.size(), contaContribuintes(*destinoLx), "de " + origem, "para " + destino));
  return rt::Status::ok();
}

rt::Status FAZ_COPIA(Contexto& ctx) {
  PastasTransf p;
  if (!perguntaPastas(ctx, 2, p)) return falhaDita(rt::Error::kFailed, "Esc");  // the clerk left
  return fazCopia(ctx, p.origem, p.destino);
}

rt::Status trazCopia(Contexto& ctx, const std::string& origem, const std::string& destino) {
  const std::string origemLx = pastaLinux(ctx, origem);
  const std::string destinoLx = pastaLinux(ctx, destino);
  auto nomes = platform::listFiles(origemLx, "IMP??10.DBF");
  std::vector<const TabelaDef*> tabelas;
  if (nomes)
    for (const std::string& n : *nomes)
      if (const TabelaDef* t = tabelaPorNome(n); t != nullptr && t->numero >= Area::IMP0110 && t->numero <= Area::IMP2010)
        tabelas.push_back(t);
  if (tabelas.empty()) {
    ctx.relato().alerta("O " + origem + std::string(" não contém dados do TAVREN"_cp));
    return falhaDita(rt::Error::kNotFound, origem);
  }
  // Whatever the folder holds now is replaced: the user sees what is at stake first.
  const std::uint64_t agora = contaContribuintes(destinoLx);
  const std::uint64_t traz = contaContribuintes(origemLx);
  if (!ctx.relato().pergunta(
          {"Recupera os dados em ", destino,
           "A pasta tem hoje " + std::to_string(agora) + " contribuinte" + (agora == 1 ? "" : "s") + ";",
           std::string("a cópia traz "_cp) + std::to_string(traz) + "."},
          false))
    return falhaDita(rt::Error::kFailed, "No");  // the clerk said no
  std::optional<TravaRestauracao> trava = travaParaRestaurar(ctx, destinoLx);
  if (!trava) return falhaDita(rt::Error::kInUse, destino);  // said by travaParaRestaurar
  // Every table is copied into a scratch folder beside the data first; then they all go into
  // place together.
  auto preparo = platform::createTempFolder(destinoLx, kPrefixoRestauracao);
  if (!preparo) {
    ctx.relato().alerta("Copia encerrada sem terminar.");
    return preparo.status().markTold();
  }
  std::vector<Preparada> preparadas;
  for (const TabelaDef* t : tabelas) {
    const std::string nome = nomeTabela(t->numero);
    ctx.relato().espera("Copiando de " + origem + " o arquivo " + nome);
    auto de = platform::resolveExisting(platform::join(origemLx, nome));
    const std::string para = platform::join(preparo->path(), nome);
    rt::Status s = de ? copiaArquivo(*de, para) : de.status();
    if (!s) {
      ctx.relato().fimEspera();
      ctx.relato().alerta({"Copia encerrada sem terminar.", "Nenhum dado foi recuperado."});
      return s.markTold();
    }
    preparadas.push_back({t, para});
  }
  ctx.relato().fimEspera();
  // From here the journal's lock owns the scratch folder: once the moves are journaled, the
  // next start needs what is left in it.
  preparo->keep();
  RT_TRY(substituiTabelas(ctx, *trava, destinoLx, preparadas));
  {
    UsaPasta naPasta(ctx, destino);
    passaVerificacao(ctx).ignoreTold();
  }
  ctx.relato().alerta(resumo("Recuperados", preparadas.size(), contaContribuintes(destinoLx), "de " + origem,
                             "em " + destino));
  return rt::Status::ok();
}

rt::Status TRAZ_COPIA(Contexto& ctx) {
  PastasTransf p;
  if (!perguntaPastas(ctx, 3, p)) return falhaDita(rt::Error::kFailed, "Esc");  // the clerk left
  return trazCopia(ctx, p.origem, p.destino);
}

}  // namespace store
