// The folder dialog of a conversion (frame 2): the source drive and folder, the target drive
// and folder, and the folder where the previous edition was installed, each under a caption
// naming the source and the target of the item being run (OPCAO_1). The source is shown on
// the dialog's row +1, the target on row +3 and the installation folder on row +5, from the
// corner kept in ALJA/ACJA 2.
#pragma once

#include <string>

#include "converter/conversor.h"
#include "converter/molduras.h"

namespace converter {

Quadro quadroPastas(const Conversor& c);
void desenhaPastas(store::Contexto& ctx, const Conversor& c, const Quadro& q);

// The captions of the three boxes for the item `opcao`.
struct LegendasPastas {
  std::string origem, destino, instalacao;
};
LegendasPastas legendasPastas(int opcao);

// Where a folder is typed in the dialog whose corner is c.linhaDialogo/c.colunaDialogo: on
// row `deslocamento` (1 source, 3 target, 5 installation), from `coluna`, `largura`
// characters shown. The tax authority's items show a longer source in their wider box.
struct CampoPasta {
  int linha = 0, coluna = 0, largura = 0;
};
CampoPasta campoPasta(const Conversor& c, int deslocamento);

// Writes a folder where its field stands (as campoPasta), padded to the field's width.
void mostraPasta(store::Contexto& ctx, const Conversor& c, int deslocamento, std::string_view pasta);

}  // namespace converter
