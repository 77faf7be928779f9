#include "shell/programa.h"

namespace shell {

Program::Program(rt::term::Console& con, const rt::text::Clock& relogio, store::Espera& esp,
                 platform::EnvLookup ambiente)
    : store::Contexto(con, relogio, esp), env(std::move(ambiente)) {
  unidades = platform::DriveMap::fromEnvironment(env);
  HOJE = clock.now().date;
}

// The tables close before the terminal number is given back.
Program::~Program() {
  menu.reset();
  areas.releaseAll();
}

}  // namespace shell
