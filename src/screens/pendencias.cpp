#include "screens/pendencias.h"

namespace screens {

void MOS_PEND(store::Contexto&, grid::Grade&) {}

}  // namespace screens
