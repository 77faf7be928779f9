#include "grid/catalogo_nomes.h"

#include <set>
#include <tuple>

#include "grid/edita.h"
#include "grid/telas.h"
#include "grid/validacao.h"
#include "rt/text/cp860.h"
#include "store/catalogo.h"

namespace grid {

using namespace rt::text::literals;

namespace {

// The states of the grid that change a screen's columns or the names they use: the gain kind
// (TIPO_BEM), the rural side, the cash-book kind and the register's status column (with both
// modes of each screen, walked by the caller).
std::vector<Grade> estados() {
  std::vector<Grade> v;
  for (int tipoBem : {1, 2, 3})
    for (const char* atv : {"S", "N"})
      for (const char* cr : {"C", "D"})
        for (int posest : {3, 4}) {
          Grade g;
          g.TIPO_BEM = tipoBem;
          g.ATV_BRASIL = atv;
          g.TIPOCR = cr;
          g.POSEST = posest;
          v.push_back(std::move(g));
        }
  return v;
}

bool campoEmAlgumaTabela(std::string_view nome) {
  for (const store::TabelaDef& t : store::catalogo())
    if (store::campo(t.campos, nome) != nullptr) return true;
  return false;
}

}  // namespace

std::string NomeDesconhecido::texto() const {
  return "Tela " + std::to_string(opc) + ": " + oque + " desconhecido(a) " + nome;
}

std::vector<NomeDesconhecido> nomesDesconhecidos(store::Contexto& ctx,
                                                 const std::function<bool(std::string_view)>& recalculoConhecido) {
  std::set<std::tuple<int, std::string, std::string>> achados;
  auto confereRecalculo = [&](int opc, const std::string& nome) {
    if (!nome.empty() && !recalculoConhecido(nome)) achados.emplace(opc, std::string("recálculo"_cp), nome);
  };
  auto confereValidacao = [&](int opc, const std::string& nome) {
    std::string qual;
    if (!validacaoConhecida(nome, &qual)) achados.emplace(opc, std::string("verificação"_cp), qual);
  };
  for (Grade& g : estados()) {
    for (int opc : telasTabela()) {
      for (int modo : {0, 1}) {
        const std::optional<TelaGrade> t = telaGrade(ctx, g, opc, modo);
        if (!t) continue;
        confereRecalculo(opc, t->antes);
        confereRecalculo(opc, t->depois);
        confereRecalculo(opc, recalculoCalculadora(opc));
        const std::span<const store::CampoDef> campos = store::estrutura(t->area);
        for (const Coluna& c : t->colunas) {
          confereValidacao(opc, c.valida);
          confereValidacao(opc, c.antes);
          confereRecalculo(opc, c.recalc);
          if (c.cpoin.empty()) continue;
          const bool existe = t->area != store::Area::Nenhuma ? store::campo(campos, c.cpoin) != nullptr : campoEmAlgumaTabela(c.cpoin);
          if (!existe) achados.emplace(opc, "campo", c.cpoin);
        }
      }
    }
  }
  std::vector<NomeDesconhecido> r;
  for (const auto& [opc, oque, nome] : achados) r.push_back({opc, oque, nome});
  return r;
}

}  // namespace grid
