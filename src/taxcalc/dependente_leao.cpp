#include "taxcalc/dependente_leao.h"

#include "console/validadores.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/areas.h"
#include "taxcalc/linhas.h"

namespace taxcalc {

using namespace rt::text::literals;

namespace {

// The dependant of copy 23 whose CPF is `cpf` (digits; blanks around ignored).
bool eDependente(Contexto& c, std::string_view cpf) {
  const std::string_view procurado = rt::text::alltrim(cpf);
  if (procurado.empty()) return false;
  rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_03);
  if (t == nullptr) return false;
  bool achou = false;
  Varredura(*t).cada([&](rt::db::Table& d, std::uint32_t) {
    if (!d.isDeleted() && rt::text::alltrim(d.getText("CPFDEPEN")) == procurado) achou = true;
  });
  return achou;
}

}  // namespace

CpfDependente VE_RELDEP(Contexto& c, std::string_view cpf, std::string_view campo, std::string_view I1_1,
                        const ListaDependentes& lista) {
  CpfDependente r;
  std::string tomado;
  if (eDependente(c, cpf)) {
    tomado = std::string(rt::text::alltrim(cpf));
  } else {
    if (!rt::text::isEmptyText(cpf)) c.saida.alerta("CPF digitado nao consta na relação dos dependentes"_cp);
    // Whatever the list hands back must be a dependant too.
    if (lista) {
      const std::string escolhido = lista(campo);
      if (eDependente(c, escolhido)) tomado = std::string(rt::text::alltrim(escolhido));
    }
  }
  if (rt::db::Table* rendas = store::tabela(c.areas, store::Area::TMP_02)) {
    const std::string tipo = rt::text::padr(I1_1, 1);
    rendas->setFilter([tipo](const rt::db::Table& t) { return t.getText("I1_1") == tipo; });
  }
  if (!tomado.empty()) {
    r.aceito = true;
    r.M_CPFDEPEN = rt::text::padr(tomado, 11);
  }
  return r;
}

CpfDependente VERCPFDEPE(Contexto& c, console::Contexto& tela, std::string_view cpf, std::string_view I1_1,
                         const ListaDependentes& lista) {
  if (!console::VAL_CPF(tela, cpf)) return {};
  return VE_RELDEP(c, cpf, "M->CPFDEPEN", I1_1, lista);
}

}  // namespace taxcalc
