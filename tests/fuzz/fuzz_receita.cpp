// The readers of the tax authority's declaration and capital-gains files under arbitrary
// bytes: the line reader, the header, every record of the fixed-column table in every
// layout, and the check of a whole file in each import mode. Nothing may crash, read out of
// its line or overflow; a file the check lets through reads whole in its own mode.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "converter/receita/campos.h"
#include "converter/receita/confere.h"
#include "converter/receita_declaracao.h"
#include "converter/receita/linhas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto linhas = converter::linhasDe(bytes);
  if (linhas.empty()) return 0;
  (void)converter::leCabecalho(linhas[0]);
  for (const std::string& l : linhas) {
    const std::string tipo = converter::colunas(l, -1, 2);
    for (unsigned ano : {unsigned{converter::k2009}, unsigned{converter::k2010}, unsigned{converter::kGanhos}}) {
      (void)converter::leRegistro(l, tipo, ano);
      for (const char* id : {"16", "16O", "16E", "16S", "30E"}) (void)converter::leRegistro(l, id, ano);
    }
  }
  for (auto modo : {converter::Modo::Declaracao, converter::Modo::Ganhos, converter::Modo::Recibos}) {
    converter::ConfereArquivo confere(modo);
    bool recusado = false;
    for (const std::string& l : linhas) {
      if (!confere.linha(l).empty()) {
        recusado = true;
        break;
      }
      // Every record let through reads in its own layout.
      if (modo != converter::Modo::Recibos && confere.guarda() && &l != &linhas[0]) {
        const unsigned ano = modo == converter::Modo::Ganhos ? unsigned{converter::kGanhos} : confere.cabecalho().anos;
        if (!converter::leRegistro(l, converter::colunas(l, -1, 2), ano)) std::abort();
      }
    }
    if (!recusado) (void)confere.fim();
  }
  return 0;
}
