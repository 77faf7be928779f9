#include "shell/conversores.h"

#include "shell/programa.h"

namespace shell {

bool CHAMA_CALC(Program&) { return false; }
bool CALC_UFIR(Program&, int, int, const GradeDolar&) { return false; }
rt::text::Decimal MUDATEL13(Program&, int, rt::text::Decimal valor, const LugarConversao&, const GradeDolar&) {
  return valor;
}

}  // namespace shell
