#include "shell/funcoes.h"

#include "store/backup.h"
#include "store/reorg.h"
#include "store/rotas.h"
#include "store/transfere.h"

namespace shell {

void registraFuncoes(Program& p) {
  p.funcoes[21] = [](Program& q) {
    (void)store::SELAREA(q, 1);
    return true;
  };
  p.funcoes[22] = [](Program& q) { return store::TRANOME(q, 1); };
  // The folder is kept in the settings the exit writes back.
  p.funcoes[66] = [](Program& q) {
    q.cfg.ROTAJAVA = store::SELAREA(q, 2);
    return true;
  };
  p.funcoes[29] = [](Program& q) { return store::REINDEXA(q); };
  p.funcoes[73] = [](Program& q) { return store::BKAUTOMA(q); };
  p.funcoes[74] = [](Program& q) { return store::VOAUTOMA(q); };
  p.funcoes[75] = [](Program& q) { return store::BKMANUAL(q, 1); };
  p.funcoes[76] = [](Program& q) { return store::VOMANUAL(q, 1); };
  // The reorganisation holds each table exclusively before touching it and tells itself
  // which tables other terminals kept it from.
  p.reorganiza = [](Program& q, const std::string& pasta, int modo) {
    (void)store::REORG(q, pasta, modo);
    return Reorganizacao{};
  };
}

}  // namespace shell
