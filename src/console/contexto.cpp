#include "console/contexto.h"

namespace console {

Contexto::Contexto(rt::term::Console& con, const rt::text::Clock& clk)
    : console(con), clock(clk), janelas(con.screen()), unidades(platform::DriveMap::fromEnvironment()) {}

}  // namespace console
