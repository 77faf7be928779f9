#include "store/contexto.h"

#include "console/pastas.h"
#include "rt/text/strings.h"

namespace store {

Contexto::Contexto(rt::term::Console& con, const rt::text::Clock& relogio, Espera& esp)
    : console::Contexto(con, relogio), espera(esp) {
  // The program runs with deleted rows hidden from its first step.
  areas.setDeletedHidden(true);
}

void Contexto::definePastaPrograma(std::string_view pasta) {
  ROTADEF = console::BAR_FORA(rt::text::alltrim(pasta));
  ARQDEF = console::BAR_DIR(ROTADEF);
}

void Contexto::definePastaDados(std::string_view pasta) {
  ROTADOANO = std::string(rt::text::alltrim(pasta));
  LOCARQ = console::BAR_DIR(ROTADOANO);
}

void Contexto::definePastaTrabalho(std::string_view pasta) {
  DIRTRAB = std::string(rt::text::alltrim(pasta));
  LOCTRAB = console::BAR_DIR(DIRTRAB);
}

}  // namespace store
