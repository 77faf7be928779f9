// The help texts of the program folder as the program reaches them: the help table HELPTXT
// (area 45), made from the texts built into the program when the folder has none, and the
// main menu's F1.
#pragma once

#include "console/ajuda.h"
#include "shell/programa.h"
#include "store/recusa.h"

namespace shell {

// A program folder without the help table gets it from the shipped texts. Only a folder
// with neither file: a table whose memo file went missing stays so, and its help shows
// nothing. Failed when the table could not be made (the user has been told).
rt::Status criaAjuda(Program& p);

// The help viewer's access to the help tables: only HELPTXT, and only when both its .DBF and
// its .DBT are in the program folder.
console::AcessoTabelas tabelasAjuda(Program& p);
// Opens help table `arquivo` ("HELPTXT", the only one this program ships) in area 45: the help
// viewer's opener (see console::AcessoAjuda::abreAjuda).
rt::Status abreAjuda(Program& p, std::string_view arquivo);

// The main menu's F1: the general help.
void ajudaDoMenu(Program& p);

}  // namespace shell
