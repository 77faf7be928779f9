// The reader of the tax authority's declaration and capital-gains files (converter/receita)
// under arbitrary bytes: the line reader, the header, every record of the fixed-column table
// in every layout, the check of a whole file in each import mode, and the mapping of a file
// the check lets through into rows in memory, as the converter maps it. Nothing may crash,
// read out of its line or overflow; a file the check lets through reads whole in its own
// mode, and its sections take every record of it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <string>
#include <vector>

#include "converter/receita/campos.h"
#include "converter/receita/confere.h"
#include "converter/receita/declaracao.h"
#include "converter/receita/linhas.h"
#include "converter/receita/tabelas.h"

namespace {

using namespace rt::text::literals;

// A checked file mapped as the converter maps it, over tables that hold nothing yet and with
// every other dependant taken off. A refusal is a sound end (an amount beyond a field); a
// record the sections leave over is not: the check and the sections disagree on the order.
void mapeia(converter::Modo modo, const std::vector<std::string>& linhas) {
  if (modo == converter::Modo::Recibos || linhas.size() < 2) return;
  const converter::Cabecalho cab = converter::leCabecalho(linhas[0]);
  converter::Linha registro, tabela1;
  if (modo == converter::Modo::Declaracao && !converter::leIdentificacao(linhas[1], cab, registro, tabela1)) return;
  converter::Tabelas tabelas("11144477735", [](int) { return rt::Result<std::vector<converter::Linha>>(std::vector<converter::Linha>{}); });
  bool fica = false;
  converter::ConversaoDeclaracao c{cab, tabelas, registro, 144.20_d, [&](std::string_view, int, rt::text::Date) {
                                     fica = !fica;
                                     return fica;
                                   }};
  const rt::Status s = converter::leRegistros(modo, c, linhas, tabela1);
  if (!s && s.detail().find("fora da ordem") != std::string::npos) std::abort();
}

}  // namespace

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
    std::vector<std::string> guardadas;
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
      if (confere.guarda()) guardadas.push_back(l);
    }
    if (!recusado && confere.fim().empty()) mapeia(modo, guardadas);
  }
  return 0;
}
