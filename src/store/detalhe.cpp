#include "store/detalhe.h"

namespace store {

bool MOS_DETAL(Contexto&) { return false; }

}  // namespace store
