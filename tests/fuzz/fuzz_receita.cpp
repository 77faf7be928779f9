// The readers of the tax authority's declaration and capital-gains files under arbitrary
// bytes: the line reader, the header and every record of the fixed-column table in every
// layout. Nothing may crash or read out of its line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "converter/receita_campos.h"
#include "converter/receita_declaracao.h"
#include "converter/receita_linhas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto linhas = converter::linhasDe(bytes);
  if (linhas.empty()) return 0;
  (void)converter::leCabecalho(linhas[0]);
  for (const std::string& l : linhas) {
    const std::string tipo = converter::colunas(l, -1, 2);
    for (unsigned ano : {unsigned{converter::k2009}, unsigned{converter::k2010}, unsigned{converter::kGanhos}}) {
      (void)converter::leRegistro(l, tipo, ano);
      for (const char* id : {"16", "16O", "16E", "16S"}) (void)converter::leRegistro(l, id, ano);
    }
  }
  return 0;
}
