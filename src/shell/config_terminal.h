// The terminal's settings record CONFIG (table 42, key NRO_TERM) and the program's variables:
// the defaults a new terminal's record is made with, the values read at start-up (every choice
// that indexes a list brought into that list) and the groups of fields the program writes back.
#pragma once

#include "rt/db/status.h"
#include "rt/db/table.h"
#include "shell/programa.h"

namespace shell {

// The defaults that depend on the program folder and on today: the data, activity and work
// folders are the program folder, DIRPROV is DTAVREN as given, the last backup today.
void padroesConfig(Program& p);

// The whole record of a new terminal from the program's variables (its defaults).
rt::db::Status gravaConfigNova(const Program& p, rt::db::Table& t);

// The record's values into the variables, each choice brought into its list.
void leConfig(Program& p, const rt::db::Table& t);

// What the exit writes: folders, last CPF, password, work folder, transfer mode and status,
// last backup and the tax program's kind.
rt::db::Status gravaConfigSaida(const Program& p, rt::db::Table& t);

// What the print choices write: kind, model, pages, whom, and how to print.
rt::db::Status gravaConfigImpressao(const Program& p, rt::db::Table& t);

// What the backups write: the reminder date, the drive and the backup folder.
rt::db::Status gravaConfigBackup(const Program& p, rt::db::Table& t);

// Brings the print choices into their lists (the report kind 1-14, model, pages, whom).
void limitaEscolhas(Program& p);

}  // namespace shell
