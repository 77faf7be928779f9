// The dependants' checks: the age warnings of the dependants' grid and the dependant number of
// a payment.
#include "console/alerta.h"
#include "grid/validacao.h"
#include "rt/text/cp860.h"
#include "store/areas.h"
#include "taxcalc/idade.h"
#include "taxcalc/tax_year.h"

namespace grid {

using namespace rt::text::literals;
using rt::text::Decimal;

namespace {

bool universitario(int codigo) { return codigo == 22 || codigo == 25; }

}  // namespace

void VEJA_ANO(store::Contexto& ctx, int codigo, rt::text::Date nascimento, int anoLimite) {
  const int ANONAS = nascimento.year();
  if (taxcalc::kAnoBase - ANONAS < 21 && universitario(codigo)) {
    console::AVISOSN(ctx, {"ATENÇAO! O código para essa idade mesmo sendo"_cp, "universitario ou escola tecnica deve ser  21"}, 0);
    return;
  }
  if (ANONAS >= anoLimite) return;
  if (codigo == 21 || codigo == 24) {
    console::AVISOSN(ctx,
                     {"ATENÇAO! Ou o código está errado ou essa pessoa "_cp, "não pode mais ser dependente. Se for estudante  "_cp,
                      "universitario ou escola tecnica mude para codigo", "22 ou 25. Se for incapaz troque codigo para 23 "},
                     0);
  } else if (universitario(codigo)) {
    console::AVISOSN(ctx, "ATENÇAO! Utrapassou a idade de ser dependente."_cp, 0);
  }
}

bool TES_MES(store::Contexto& ctx, int codigo, rt::text::Date nascimento) {
  if (nascimento.isEmpty()) return true;
  if (const int limite = taxcalc::anoLimiteDependente(codigo); limite != 0) VEJA_ANO(ctx, codigo, nascimento, limite);
  return true;
}

bool CONF_DEP(store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, Decimal numero, int modo) {
  const rt::db::Table* pagamentos = store::tabela(ctx.areas, store::Area::TMP_06);
  const int codigo = pagamentos != nullptr && !pagamentos->eof() ? static_cast<int>(pagamentos->getNumber("I6_3").wholePart()) : 0;
  const Decimal alimentandos = amb.espelho != nullptr ? amb.espelho->tabela01.num("DESPALIM") : Decimal();
  if ((g.N_DEPEN == 0 && alimentandos.isZero()) || codigo > 35) return false;
  if (modo == 1) return true;
  if (numero.isZero()) {
    if (codigo >= 30 && codigo <= 34) {
      console::AVISOSN(ctx, "Obrigatorio informar o Nro do Alimentando conforme a relação acima."_cp, 0);
    } else {
      console::AVISOSN(ctx, {"Informe o Nro do Dependente/Alientando conforme a relação acima."_cp, "ou deixe com 0 se a despesa foi do titular"}, 0);
    }
    return true;
  }
  // Any row of the dependants' copy (dependants and alimony beneficiaries alike).
  if (rt::db::Table* dependentes = store::tabela(ctx.areas, store::Area::TMP_03)) {
    const std::uint32_t onde = dependentes->recNo();
    bool achou = false;
    for (dependentes->goTop(); dependentes->status() && !dependentes->eof() && !achou; dependentes->skip(1))
      achou = dependentes->getNumber("NRODEPEN") == numero;
    dependentes->goTo(onde);
    if (achou) return true;
  }
  console::AVISOSN(ctx, "Não existe dependente ou alimentando com esse Nro."_cp, 0);
  return false;
}

}  // namespace grid
