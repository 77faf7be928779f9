// Start-up: from the terminal number to the main menu. The console is set up, the program
// folder and the terminal number are found (the number held for the run), the terminal's
// colours and settings are read (made with the defaults on its first start), DEFINE is
// upgraded and read, the backup reminder is offered, the data and work folders are settled,
// the access password is asked, the data store's check pass runs, the data folder is entered
// in the terminal's folder register and the menu is built.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rt/base/status.h"
#include "shell/programa.h"

namespace shell {

// INICIOSIS: windows 1-10, the program folder (DTAVREN when it names an existing folder, else
// the current folder), the terminal number (TERMINAL when it is a number, else `argumento`,
// else QUAL_USUR) taken for the run, the terminal's colours. Returns NUSU; nothing when the
// program is to end (a program folder name longer than the 40-character folder fields, told
// in an alert; or the number was taken and none other given). `argumento` must already be a
// number 0-99 (see numeroTerminal).
std::optional<std::string> INICIOSIS(Program& p, std::optional<std::string_view> argumento);

// CONFIGURA: opens CONFIG (area 42) and positions it on the terminal's record, making it with
// the defaults when missing (5-second lock); a new terminal's data folder is pastaDadosNova. Failed, told by
// the alert "Arquivo de configuraçao sendo usado no momento", when the table could not be opened. The values
// are in p.cfg either way: a record that could not be made leaves the defaults.
rt::Status CONFIGURA(Program& p);

// The days since the last backup and the reminder at start-up (January to April 2010, more
// than 3 days): "S" when the user will make the backup now, else "N" ("Nao" puts it off by 4
// days in CONFIG, table 42 positioned on the terminal's record).
std::string lembreteBackup(Program& p);

// Enters the data folder in the terminal's folder register (area 40, open): its row becomes
// the only chosen one, appended when missing.
void registraPasta(Program& p);

// MAIN up to the menu: ok when the main loop is to run; failed, and told, when the program
// ends (p.saida then holds the exit code; 0 when the clerk chose to leave).
rt::Status INICIA(Program& p, std::optional<std::string_view> argumento);

}  // namespace shell
