#include "store/recusa.h"

#include "console/alerta.h"

namespace store {

bool gravou(Contexto& ctx, const rt::db::Status& s, std::string_view oque) {
  if (s.isOk()) return true;
  console::AVISOSN(ctx, textoRecusa(s, oque), 0);
  return false;
}

}  // namespace store
