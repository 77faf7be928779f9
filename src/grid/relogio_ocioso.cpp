#include "grid/relogio_ocioso.h"

#include <chrono>

#include "rt/term/console.h"

namespace grid {

rt::term::Key esperaTeclaOciosa(store::Contexto& ctx, Grade& g) {
  rt::term::Console& con = ctx.console;
  using namespace std::chrono;
  const auto inicio = con.terminal().now();
  long long conta = 1;
  bool parou = false;
  for (;;) {
    const rt::term::Key k = con.inkey(seconds(1));
    if (!k.isNone()) {
      if (parou) g.srv().INI_DECLA(ctx, g);
      return k;
    }
    const long long minutos = duration_cast<seconds>(con.terminal().now() - inicio).count() / 60;
    if (minutos > conta) {
      conta = minutos;
      g.srv().VETEMPO(ctx, g);
    }
    if (!parou && minutos > g.TEMP_DES && g.declaracaoAberta() && !g.srv().SEMHORA(ctx, g)) {
      g.srv().PARA_REL(ctx, g);
      parou = true;
    }
  }
}

}  // namespace grid
