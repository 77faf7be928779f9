// GERAR: the open declaration as the XML file the tax authority's program reads. The text is
// built in memory section by section and appended to the file at fixed points (after the
// payments, after each asset and debt item, after the variable income, the rural block, the
// gains block and at the end), so a long asset list never builds one large text.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "export/dados.h"
#include "export/secoes.h"
#include "export/texto_xml.h"

namespace exporta {

// The root element's namespace: the tax authority's declaration format.
inline constexpr std::string_view kNamespaceDeclaracao = "http://www.serpro.gov.br/ppgd/irpf/2010";

// The sections that follow `doacoes`: variable income, rural activity, capital gains and
// foreign currency, then the identifier copy of the program's index. Each writes its whole
// section into the text; one left empty writes nothing.
struct Complementos {
  std::function<void(TextoXml&, const DadosDeclaracao&)> rendaVariavel, atividadeRural, ganhosDeCapital,
      moedaEstrangeira, copiaIdentificador;
};

// The whole file, from the declaration line to "</classe>", through `anexa`. Stops at the first
// failed append and gives its status, untold: GERAR words it as a DOS code.
rt::Status escreveDeclaracao(const DadosDeclaracao& dados, const Confirma& confirma, const Complementos& complementos,
                             const Anexa& anexa);

// GERAR: writes the file `caminho` (a Linux path). 0, or the code of codigoDos for the
// failure; the file is then incomplete and must not be sent.
int GERAR(const std::string& caminho, const DadosDeclaracao& dados, const Confirma& confirma,
          const Complementos& complementos = {});

}  // namespace exporta
