#include "console/arquivo_recusado.h"

#include "rt/text/cp860.h"

namespace console {

using namespace rt::text::literals;

std::string textoLink(std::string_view arquivo) {
  return "Recusado: " + std::string(arquivo) + std::string(" é um link ou não é um arquivo comum; nada foi gravado nele."_cp);
}

}  // namespace console
