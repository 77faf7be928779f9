#include "converter/receita_declaracao.h"

#include <string>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "taxcalc/idade.h"

namespace converter {

using rt::text::Date;
using namespace rt::text::literals;

bool VE_IDADE(store::Contexto& ctx, std::string_view nomeDado, int codigo, Date nascimento) {
  // Within the age limit, or without a birth date to hold against him, a dependant stays.
  if (!taxcalc::passouDaIdade(codigo, nascimento)) return true;
  const std::string nome(nomeDado);
  if (codigo == 21 || codigo == 24)
    return !ctx.relato().pergunta({"Dependente:  " + rt::text::substr(nome, 1, 41),
                                   "O dependente completou 22 anos. A menos que ele seja  ",
                                   "incapacitado física ou mentalmente não pode permanecer"_cp,
                                   "mais como dependente. Retira-o da relação?        "_cp},
                                  false);
  if (codigo == 41) {
    ctx.relato().alerta({"Dependente:" + rt::text::substr(nome, 1, 37), "O menor pobre completou 22 anos e não pode ficar"_cp,
                         "como dependente. Ele será retirado da relação. "_cp});
    return false;
  }
  // A student (22, 25).
  ctx.relato().alerta({"Dependente:" + rt::text::substr(nome, 1, 36), "O dependente completou 25 anos e não pode ficar"_cp,
                       "como dependente. Ele será retirado da relação."_cp});
  return false;
}

}  // namespace converter
