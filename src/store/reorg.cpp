#include "store/reorg.h"

#include "platform/drive.h"
#include "rt/db/file.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/pastas_dados.h"
#include "store/recusa.h"
#include "store/restaura_pasta.h"
#include "store/travas.h"

namespace store {

using namespace rt::text::literals;
using rt::Status;

const std::vector<std::string>& tabelasEmpacotadas() {
  // OCUPACAB names an index of OCUPACAO, not a table: it is looked for and never found.
  static const std::vector<std::string> nomes = {
      "PRINTS",  "CONFIG",  "DEFINE",  "HELPTXT",  "HELPATXT", "CODBENS",  "CODABENS",
      "CODEPEN", "CODDIVI", "DESPESA", "UFIRM",    "AUXBENS",  "AUXPAG",   "LISERRO",
      "BANCOS",  "CORES",   "CONFIMP", "OCUPACAO", "OCUPACAB", "CODNATUR", "TABPAIS",
      "STATUS",  "TABEMBA", "TABMUNI", "TABLOGR",  "CONTAS",   "FOLHAPG",  "BOLETO"};
  return nomes;
}

namespace {

// Holds table `t` (a file `arquivo` without extension) exclusively in `area`, erases its index
// files, packs it and builds its indexes anew. kInUse when another terminal has it.
Status refazTabela(Contexto& ctx, Area area, const TabelaDef& t, const std::string& arquivo,
                   const std::vector<IndiceDef>& indices, int segundos) {
  Uso uso;
  uso.caminho = caminho(ctx, comExtensao(arquivo, ".DBF"));
  uso.alias = rt::text::upper(t.arquivo);
  uso.exclusivo = true;
  RT_TRY(usa(ctx, area, uso, segundos));
  rt::db::Table& tab = *ctx.areas.table(area);
  tab.closeIndexes();
  Status s;
  for (const IndiceDef& i : indices) {
    const std::string cdx = caminho(ctx, comExtensao(i.arquivo, ".CDX"));
    if (rt::db::fileExists(cdx)) {
      Status r = rt::db::removeFile(cdx);
      if (!r && s) s = r;
    }
  }
  if (s) s = tab.pack();
  for (const IndiceDef& i : indices) {
    if (s) s = tab.openIndex(caminho(ctx, comExtensao(i.arquivo, ".CDX")), i.chave);
  }
  Status f = ctx.areas.close(area);
  return s ? f : s;
}

// The program folder's tables: each that exists is packed and reindexed; one in use is skipped.
void empacotaPrograma(Contexto& ctx) {
  for (const std::string& nome : tabelasEmpacotadas()) {
    const TabelaDef* t = tabelaPorNome(nome);
    if (t == nullptr || t->pasta != Pasta::Programa || t->porTerminal) continue;
    const std::string arquivo = ctx.ARQDEF + nome;
    if (!existe(ctx, comExtensao(arquivo, ".DBF"))) continue;
    std::vector<IndiceDef> indices;
    for (const IndiceDef& i : t->indices)
      indices.push_back({ctx.ARQDEF + nomeIndice(*t, i, ctx.NUSU), i.chave});
    // A scratch area, the one number between the program's tables that has none: the table's
    // own area may hold it open shared.
    const Area area = Area::Rascunho;
    ctx.areas.release(t->numero);
    Status s = refazTabela(ctx, area, *t, arquivo, indices, 5);
    if (!s) ctx.relato().linha(nome + std::string(".DBF em uso. Não foi compactado."_cp));
  }
}

}  // namespace

Status reindexaTabela(Contexto& ctx, Area n, int segundos) {
  const TabelaDef* t = tabela(n);
  if (t == nullptr) return {rt::Error::kBadField, "table " + std::to_string(numero(n))};
  ctx.areas.release(n);
  const std::string arquivo = arquivoTabela(ctx, *t);
  // A missing table is made new, with its indexes, by the opener.
  if (!existe(ctx, comExtensao(arquivo, ".DBF"))) {
    const Status aberta = ABERTURA(ctx, n, true);
    ctx.areas.release(n);
    return aberta;
  }
  if (ctx.MOS_MENS) ctx.relato().espera("Criando o indice " + arquivo + ".cdx");
  Status s = refazTabela(ctx, n, *t, arquivo, indicesDe(ctx, *t), 1);
  if (s.code() == rt::Error::kInUse && segundos > 1) {
    // The rest of the wait says what it waits for: the screen would otherwise stand still
    // with nothing on it while another terminal keeps the table.
    ctx.relato().aguarda(nomeArquivo(*t, ctx.NUSU) + ".DBF em uso. Aguardando...");
    s = refazTabela(ctx, n, *t, arquivo, indicesDe(ctx, *t), segundos - 1);
    ctx.relato().fimEspera();
  }
  if (!s && s.code() != rt::Error::kInUse) avisaIndisponivel(ctx, arquivo);
  return s;
}

void avisaOcupadas(Contexto& ctx, const std::vector<std::string>& ocupadas) {
  if (ocupadas.empty()) return;
  ctx.relato().fimEspera();
  ctx.relato().alerta(linhasDeNomes("Em uso em outro terminal, não reorganizadas:"_cp, ocupadas));
}

namespace {

// How long a table another terminal holds is waited for before it is left as it was: the
// other terminal may be at its menu for hours, and the rest of the folder is worth rebuilding.
constexpr int kEsperaOcupada = 3;

// The first table left because another terminal held it (untold: `ocupadas` names them all),
// or the told failure that stopped the rebuild.
Status reindexaPasta(Contexto& ctx, std::string_view pasta, std::vector<std::string>& ocupadas) {
  UsaPasta naPasta(ctx, pasta);
  Status primeira;
  for (Area n : kComCopia) {
    Status s = reindexaTabela(ctx, n, kEsperaOcupada);
    if (s) continue;
    if (s.code() != rt::Error::kInUse) return s;
    if (primeira) primeira = s;
    ocupadas.push_back(nomeArquivo(*tabela(n), ctx.NUSU) + ".DBF");
  }
  return primeira;
}

}  // namespace

Status REORG(Contexto& ctx, std::string_view pasta, int modo, std::vector<std::string>* ocupadas) {
  std::vector<std::string> puladas;
  const Status ok = reindexaPasta(ctx, pasta, puladas);
  if (ocupadas != nullptr) ocupadas->insert(ocupadas->end(), puladas.begin(), puladas.end());
  if (modo == 1 || modo == 4) empacotaPrograma(ctx);
  if (modo == 4) return ok;
  ctx.areas.releaseAll();
  if (modo == 3) return ok;
  // The check pass says what it could not open and goes on as far as it can.
  (void)ABERTURA(ctx, Area::Nenhuma);
  passaParaPasta(ctx, ctx.LOCARQ);
  ctx.MOS_MENS = false;
  return ok;
}

Status REINDEXA(Contexto& ctx) {
  const bool refaz = ctx.relato().pergunta(
      {"Esta opção refará todos arquivos índices (CDX)."_cp,
       "Operaçao recomendada a ser feita após uma queda"_cp,
       "da energia ou quando arquivos forem copiados de", "um equipamento para outro. Em rede todos outros",
       "equipamentos nao podem estar usando o programa."},
      false);
  if (!refaz) return falhaDita(rt::Error::kFailed, "No");  // the clerk said no
  ctx.MOS_MENS = true;
  ctx.areas.releaseAll();
  // The working copies live in the work folder; the next opening of a declaration makes them.
  for (Area trabalho : kCopias) {
    const int n = numero(origem(trabalho));
    const std::string nn = (n < 10 ? "0" : "") + std::to_string(n);
    for (const char* ext : {".DBF", ".CDX"}) {
      const std::string c = caminho(ctx, ctx.LOCTRAB + "TMP_" + nn + ctx.NUSU + ext);
      // A copy that stays is made anew (replaced) at the next opening: nothing hangs on this.
      if (rt::db::fileExists(c)) rt::db::removeScratch(c);
    }
  }
  std::vector<std::string> ocupadas;
  const std::string pasta = ctx.LOCARQ;
  Status ok = REORG(ctx, pasta, 4, &ocupadas);
  ctx.MOS_MENS = false;
  // The check pass says what it could not open and goes on as far as it can.
  (void)ABERTURA(ctx, Area::Nenhuma);
  passaParaPasta(ctx, ctx.LOCARQ);
  ctx.relato().fimEspera();
  avisaOcupadas(ctx, ocupadas);
  // A table that could not be rebuilt has been named already; a whole rebuild is said too, or
  // the clerk cannot tell it from one that stopped.
  if (ok) {
    const std::string linhas[] = {std::string("Índices (CDX) refeitos na pasta "_cp) + pasta};
    ctx.relato().alerta(linhas);
  }
  // Said: by the opener, or in the alert naming the tables others kept.
  return ok.markTold();
}

}  // namespace store
