#include "taxcalc/contexto.h"

#include "rt/text/strings.h"

namespace taxcalc {

namespace {
// A one-letter flag as the screens store it: "S", "N" or blank.
bool marcado(const std::string& valor, char letra) {
  std::string_view v = rt::text::alltrim(valor);
  return v.size() == 1 && rt::text::upperChar(v[0]) == letra;
}
}  // namespace

void Contexto::poe(std::string_view campo, Decimal valor) {
  d.tabela01.num(campo, valor);
  if (int i = d.registro.indice(campo); i >= 0) d.registro.num(i, valor);
}

bool Contexto::simplificado() const {
  return marcado(d.registro.txt("USAPADRAO"), 'S');
}
bool Contexto::completo() const {
  return marcado(d.registro.txt("USAPADRAO"), 'N');
}
bool Contexto::declaracaoFinal() const {
  return marcado(d.tabela01.txt("DECFINAL"), 'S');
}
bool Contexto::declaracaoSaida() const {
  return marcado(d.tabela01.txt("DECSAIDA"), 'S');
}
int Contexto::calAuto() const {
  return static_cast<int>(d.tabela01.num("CAL_AUTO").wholePart());
}

}  // namespace taxcalc
