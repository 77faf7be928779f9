#include "store/restaura_pasta.h"

#include <filesystem>
#include <memory>

#include "console/arquivo_recusado.h"
#include "platform/drive.h"
#include "platform/paths.h"
#include "rt/db/table.h"
#include "rt/fs/shared_files.h"
#include "rt/text/cp860.h"
#include "store/abertura.h"
#include "store/arquivos_pasta.h"

namespace store {

using namespace rt::text::literals;

namespace {

// The name a file has on disk in `pastaLx` (found in any case), or `nome` when there is none.
std::string nomeNaPasta(const std::string& pastaLx, const std::string& nome) {
  auto r = platform::resolveExisting(platform::join(pastaLx, nome));
  return r ? std::string(platform::lastComponent(*r)) : nome;
}

}  // namespace

std::optional<TravaRestauracao> travaParaRestaurar(Contexto& ctx, const std::string& destinoLx) {
  auto t = TravaRestauracao::tenta(destinoLx);
  if (t && t->has_value()) return std::move(**t);
  ctx.relato().fimEspera();
  const std::string diario = platform::join(destinoLx, kDiarioRestauracao);
  std::vector<std::string> linhas;
  if (t)
    linhas = {std::string("Outro terminal está recuperando dados nesta pasta."_cp)};
  else if (rt::fs::isRefusal(rt::fs::checkReplaceable(diario)))
    linhas = console::linhasLink(diario);
  else
    linhas = {"Problemas na copia do Arquivo compactado."};
  linhas.push_back("Nenhum dado foi recuperado.");
  ctx.relato().alerta(linhas);
  return std::nullopt;
}

rt::Status substituiTabelas(Contexto& ctx, TravaRestauracao& trava, const std::string& destinoLx,
                            const std::vector<Preparada>& tabelas) {
  ctx.areas.releaseAll();
  std::vector<std::unique_ptr<rt::db::Table>> seguras;
  std::vector<Troca> trocas;
  for (const Preparada& p : tabelas) {
    Troca t;
    t.alvo = nomeNaPasta(destinoLx, nomeArquivo(*p.tabela, ctx.NUSU) + ".DBF");
    const std::string alvoLx = platform::join(destinoLx, t.alvo);
    if (platform::fileExists(alvoLx)) {
      auto s = seguraAguardando(ctx, alvoLx, t.alvo);
      if (!s && s.code() == rt::Error::kInUse) {
        // Let the other terminals go before the alert waits for its key.
        seguras.clear();
        ctx.relato().fimEspera();
        ctx.relato().alerta({"Copia encerrada sem terminar.", "Nenhum dado foi recuperado."});
        return s.status().markTold();
      }
      // A table too damaged to open is what a restore is for: it is replaced without a hold.
      if (s) seguras.push_back(std::move(*s));
      std::error_code ec;
      std::filesystem::permissions(p.arquivo, std::filesystem::status(alvoLx, ec).permissions(), ec);
    }
    for (const IndiceDef& i : indicesDe(ctx, *p.tabela))
      t.indices.push_back(nomeNaPasta(destinoLx, std::string(platform::lastComponent(i.arquivo)) + ".CDX"));
    const std::filesystem::path prep(p.arquivo);
    t.preparado = prep.parent_path().filename().string() + "/" + prep.filename().string();
    trocas.push_back(std::move(t));
  }
  descartaDiariosMortos(destinoLx);
  if (rt::Status s = trava.troca(trocas); !s) {
    // Let the other terminals go before the alert waits for its key.
    seguras.clear();
    ctx.relato().fimEspera();
    ctx.relato().alerta(
        {"Copia encerrada sem terminar.", "A recuperação termina no próximo início do programa."_cp});
    return s.markTold();
  }
  return rt::Status::ok();
}

std::uint64_t contaContribuintes(const std::string& pastaLx) {
  auto dbf = platform::resolveExisting(platform::join(pastaLx, "IMP0910.DBF"));
  if (!dbf || !platform::fileExists(*dbf)) return 0;
  rt::db::OpenOptions op;
  op.readOnly = true;
  auto t = rt::db::Table::open(*dbf, op);
  if (!t) return 0;
  std::uint64_t n = 0;
  for (std::uint32_t r = 1; r <= (*t)->recordCount(); ++r) {
    (*t)->goTo(r);
    if ((*t)->status() && !(*t)->isDeleted()) ++n;
  }
  return n;
}

std::vector<std::string> linhasDeNomes(std::string_view titulo, const std::vector<std::string>& nomes) {
  std::vector<std::string> linhas{std::string(titulo)};
  std::string linha;
  for (const std::string& nome : nomes) {
    if (!linha.empty() && linha.size() + nome.size() + 1 > 60) {
      linhas.push_back(linha);
      linha.clear();
    }
    linha += (linha.empty() ? "" : " ") + nome;
  }
  if (!linha.empty()) linhas.push_back(linha);
  return linhas;
}

}  // namespace store
