// The folder dialog of a conversion (frame 2): the source drive and folder, the target drive
// and folder, and the folder where the previous edition was installed, each under a caption
// naming the source and the target of the item being run (OPCAO_1). The source is shown on
// the dialog's row +1, the target on row +3 and the installation folder on row +5, from the
// corner kept in ALJA/ACJA 2.
#pragma once

#include <string>

#include "converter/conversor.h"
#include "converter/molduras.h"

namespace conversor {

Quadro quadroPastas(const Conversor& c);
void desenhaPastas(store::Contexto& ctx, const Conversor& c, const Quadro& q);

// The captions of the three boxes for the item `opcao`.
struct LegendasPastas {
  std::string origem, destino, instalacao;
};
LegendasPastas legendasPastas(int opcao);

// Writes a folder on row `deslocamento` of the dialog (1 source, 3 target, 5 installation),
// padded to the box's width.
void mostraPasta(store::Contexto& ctx, const Conversor& c, int deslocamento, std::string_view pasta);

}  // namespace conversor
