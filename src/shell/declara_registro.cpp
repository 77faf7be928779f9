#include "shell/declara_registro.h"

namespace shell {

void registraDeclaracao(Program& p, const ServicosDeclara& servicos) {
  for (int item : {11, 12, 13, 51, 63, 64, 65})
    p.funcoes[item] = [servicos](Program& q) {
      DECLARA(q, servicos);
      return rt::Status();
    };
}

}  // namespace shell
