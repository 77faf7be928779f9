// The converter's top-bar menu and its dispatcher. Each item runs the function plugged into
// the item table (Conversor::itens) under its id; the exits are the dispatcher's own.
#pragma once

#include <memory>
#include <string>

#include "converter/conversor.h"
#include "rt/ui/menu.h"
#include "store/contexto.h"

namespace converter {

// CREATEMAINMENU: the bar "Conversao" / "Sair" in the converter's colours.
std::unique_ptr<rt::ui::MenuBar> CREATEMAINMENU(store::Contexto& ctx);

// MENUSELECT: OPCAO_1 := id, then the item's action; after any action but the exits (and the
// rural item's Ignore) windows 2 and 4 are closed with a pause of up to 2 seconds between them
// and every table is closed. The exits set c.encerra. Returns "".
std::string MENUSELECT(store::Contexto& ctx, Conversor& c, int id);

// The menu run until an item ends the program.
void rodaMenu(store::Contexto& ctx, Conversor& c);

}  // namespace converter
