#include "console/arquivo_recusado.h"

#include "rt/text/cp860.h"

namespace console {

using namespace rt::text::literals;

std::vector<std::string> linhasLink(std::string_view arquivo) {
  return {"Recusado: " + std::string(arquivo),
          std::string("é um link ou não é um arquivo comum; nada foi gravado nele."_cp)};
}

std::string textoLink(std::string_view arquivo) {
  const std::vector<std::string> l = linhasLink(arquivo);
  return l[0] + " " + l[1];
}

}  // namespace console
