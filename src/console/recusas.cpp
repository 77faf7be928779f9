#include "console/recusas.h"

#include <string>

#include "console/alerta.h"
#include "rt/text/cp860.h"

namespace console {

using namespace rt::text::literals;

namespace {

std::string texto(const rt::ui::Get& campo, rt::ui::Refusal recusa) {
  using rt::ui::Get;
  using rt::ui::Refusal;
  if (recusa == Refusal::TooLong)
    return std::string("Texto maior que o campo: no máximo "_cp) + std::to_string(campo.places()) + " caracteres.";
  switch (campo.kind()) {
    case Get::Kind::Date:
      return std::string("Data inválida: informe dia, mês e ano de uma data que exista (dd/mm/aaaa)."_cp);
    case Get::Kind::Number:
      return std::string("Valor inválido: digite só algarismos, com vírgula para os centavos."_cp);
    default:
      return std::string("Caractere não aceito neste campo: digite só o que ele pede."_cp);
  }
}

}  // namespace

void DIZ_RECUSA(Contexto& ctx, const rt::ui::Get& campo, rt::ui::Refusal recusa) {
  AVISOSN(ctx, texto(campo, recusa), 0);
}

rt::ui::RefusalNotice avisoDeRecusa(Contexto& ctx) {
  return [&ctx](const rt::ui::Get& campo, rt::ui::Refusal recusa) { DIZ_RECUSA(ctx, campo, recusa); };
}

}  // namespace console
