// The terminal's settings record CONFIG (table 42, key NRO_TERM) and the program's variables:
// the defaults a new terminal's record is made with, the values read at start-up (every choice
// that indexes a list brought into that list) and the groups of fields the program writes back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "rt/base/status.h"
#include "rt/db/table.h"
#include "shell/programa.h"

namespace shell {

// The folder fields of CONFIG (ROTADOANO, DIRTRAB, DIRPROV ...) and of the folder register
// (DIRETOR) hold 40 characters, and other programs read those tables: a longer folder name is
// refused where it comes in, never stored cut.
inline constexpr std::size_t kLarguraPasta = 40;

// The data folder a new terminal gets inside the program folder, shared by every terminal.
inline constexpr std::string_view kPastaDadosNova = "DADOS2010";

// The defaults that depend on the program folder and on today: the data, activity and work
// folders are the program folder, DIRPROV is DTAVREN as given (blank when it would not fit),
// the last backup today.
void padroesConfig(Program& p);

// The data folder of a terminal without its CONFIG record: kPastaDadosNova inside the program
// folder, made when missing. The program folder itself when it already holds a taxpayer
// register (an office that keeps its declarations there goes on finding them), when the name
// would not fit its field, or when the folder cannot be made.
std::string pastaDadosNova(Program& p);

// The whole record of a new terminal from the program's variables (its defaults).
rt::Status gravaConfigNova(const Program& p, rt::db::Table& t);

// The record's values into the variables, each choice brought into its list.
void leConfig(Program& p, const rt::db::Table& t);

// What the exit writes: folders, last CPF, password, work folder, transfer mode and status,
// last backup and the tax program's kind.
rt::Status gravaConfigSaida(const Program& p, rt::db::Table& t);

// What the print choices write: kind, model, pages, whom, and how to print.
rt::Status gravaConfigImpressao(const Program& p, rt::db::Table& t);

// What the backups write: the reminder date, the drive and the backup folder.
rt::Status gravaConfigBackup(const Program& p, rt::db::Table& t);

// Brings the print choices into their lists (the report kind 1-14, model, pages, whom).
void limitaEscolhas(Program& p);

}  // namespace shell
