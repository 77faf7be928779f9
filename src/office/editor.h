// EDITEXT: the office's letter editor (main menu item 53). A full-screen text editor over one
// letter file of the letters' folder, with a menu bar (F10, or Alt-A, Alt-E, Alt-I, Alt-H for
// its four menus): open, new, save, save as, leave; search, search again, merge-field insertion,
// page format; print the letter plain or merged with the register's first taxpayer; key and
// menu help.
#pragma once

#include <string>

#include "platform/paths.h"
#include "print/imp_txt.h"
#include "print/impressao.h"
#include "store/contexto.h"

namespace office {

struct ServicosEditor {
  std::string pastaCartas;  // the letters' folder ("" the current one)
  // The hand-over of a captured "NAO DOS" print to the print program: the terminal's choices.
  print::PedidoImpTxt pedido;
  platform::EnvLookup env;
};

// The editor from entry to exit over the letter `nome` ("" a new "SemNome.txt"), printing on
// the terminal's printing state `imp`. The screen is given back as it was.
void EDITEXT(store::Contexto& ctx, print::Impressao& imp, const ServicosEditor& servicos,
             const std::string& nome = {});

}  // namespace office
