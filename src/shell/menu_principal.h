// The main menu: a bar of seven pads on row 0, each item with its two-digit number (the tens
// digit is the pad, the numbers 2x and 3x share the second pad), its hot letter and its help
// line. The third pad's captions show the current print choices.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "shell/programa.h"

namespace shell {

// The print-choice lists, 1-based as the choices index them (entry 0 is unused and empty).
std::span<const std::string_view> ALISTIMP();  // report kinds 1-14
std::span<const std::string_view> NOMEPAGR();  // pages of a declaration 1-12
std::span<const std::string_view> NOMEPRUR();  // pages of the rural activity 1-3
std::span<const std::string_view> NOMECON();   // whom 1-4
std::span<const std::string_view> MODO1OP();
std::span<const std::string_view> MODOETI();
std::span<const std::string_view> MODETID();
std::span<const std::string_view> NOMCONT();
std::span<const std::string_view> MODOUNI();
// The highest model and page choice of each report kind (index 1-14).
int AQUEIT2(int queimp);
int AQUEIT3(int queimp);

// MONTA_ITENS: brings the model and page choices into what the report kind allows and builds
// ITEM1..ITEM7; when the menu exists, its seven pad-3 captions follow.
void MONTA_ITENS(Program& p);

// CREATEMAINMENU: the bar in the colours CORMENU, with every pad and item; p.menu holds it.
void CREATEMAINMENU(Program& p);

// The pad captions in order, and the hot letters that open them with Alt.
std::span<const std::string_view> captionsDosPads();

}  // namespace shell

namespace shell {

// One run of the main menu from pad `pad` (0-based), opened when `abre`: the chosen item's
// number, 0 for none. F1 shows the general help meanwhile.
int rodaMenu(Program& p, int pad, bool abre);

}  // namespace shell
