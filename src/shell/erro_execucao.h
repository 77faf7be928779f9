// Runtime errors: an exception that nothing below the main menu caught. As the old runtime
// did, the user gets the error alert with "Quit", "Retry" and "Default": Retry runs the menu
// item again, Default gives it up and goes back to the menu, Quit writes error.log in the
// program folder and ends the program the ordinary way (so the terminal is given back and the
// terminal number's lock released by their owners).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "rt/base/status.h"
#include "shell/programa.h"

namespace shell {

enum class RespostaErro { Quit, Retry, Default };

// The runtime's error alert for `descricao`; Esc counts as Quit, as the old alert's did.
RespostaErro alertaErro(Program& p, std::string_view descricao);

// Appends the error with its date, time, terminal and menu item to error.log in the program
// folder (the current folder before the program folder is known); failed, and not told, when
// it cannot be written (the system's error kept in the status).
rt::Status gravaErrorLog(const Program& p, std::string_view descricao);

// Runs `acao` (menu item `item`), after p.antesDoItem when set; a runtime error inside either
// shows the alert and acts on the answer. Quit leaves p.saida set to 1.
void executaItem(Program& p, int item, const std::function<void()>& acao);

// A runtime error outside any item (start-up, the menu itself): the alert, then error.log, and
// the program ends with 1 whatever the answer, since there is nothing to retry or go back to.
int erroFatal(Program& p, std::string_view descricao);

}  // namespace shell
