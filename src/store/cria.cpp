#include "store/cria.h"

#include <unistd.h>

#include <string>

#include "platform/paths.h"
#include "rt/db/file.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/fornecidas.h"
#include "store/montagem.h"
#include "store/semente.h"

namespace store {
namespace {

using namespace rt::text::literals;

// The table whose rows a new file receives: the one named like the file (HELPATXT shares
// HELPTXT's number), else the one of the number.
const TabelaDef* tabelaDoArquivo(Area area, std::string_view arquivo) {
  const TabelaDef* t = tabela(area);
  if (t == nullptr) return nullptr;
  const TabelaDef* porNome = tabelaPorNome(arquivo);
  return porNome != nullptr && porNome->numero == area ? porNome : t;
}

}  // namespace

rt::Status CRIA(Contexto& ctx, Area area, std::string_view arquivo) {
  const std::string nome(rt::text::alltrim(arquivo));
  const TabelaDef* t = tabelaDoArquivo(area, nome);
  if (t != nullptr && !t->mensagemCriacao.empty()) ctx.relato().espera(t->mensagemCriacao);
  const std::span<const CampoDef> campos = estrutura(area);
  rt::Status feita;
  if (campos.empty()) feita = {rt::Error::kBadArgument, "no structure for table " + std::to_string(numero(area))};
  if (feita) {
    const std::string destino = caminho(ctx, comExtensao(nome, ".DBF"));
    const std::string pasta(destino.substr(0, destino.size() - platform::lastComponent(destino).size()));
    // Sessions off the network all have terminal "00": the process keeps the names apart.
    const std::string provisorio = pasta + "CRIA" + ctx.NUSU + "_" + std::to_string(::getpid()) + ".DBF";
    Preenche preenche;
    if (area == Area::DEFINE) {
      // The one global record is written before anyone can see the file.
      preenche = [campos](rt::db::Table& tb) {
        const auto semente = sementeDEFINE();
        return gravaValores(tb, campos, semente);
      };
    } else if (t != nullptr && area == t->numero && temSemente(*t)) {
      preenche = [&ctx, t](rt::db::Table& tb) { return preencheSemente(ctx, *t, tb); };
    }
    feita = montaTabela(destino, provisorio, camposDbf(campos), preenche, nullptr);
  }
  if (!feita) {
    ctx.relato().alerta("Arquivo " + nome + std::string(" não localizado!"_cp));
    feita = feita.markTold();
  }
  ctx.relato().fimEspera();
  return feita;
}

}  // namespace store
