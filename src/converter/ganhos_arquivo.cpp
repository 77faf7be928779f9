#include "converter/ganhos_arquivo.h"

namespace converter {

rt::Status CONV_GANHO(ConversaoDeclaracao& c, Leitura& l, int leiaute) {
  (void)c;
  (void)l;
  (void)leiaute;
  return rt::Status::ok();
}

}  // namespace converter
