// The yes/no questions of the program: the runtime's alert box in the message colour
// COR_SAY, with the lines and a row of buttons.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "console/contexto.h"

namespace console {

// The number of the button chosen (1-based), 0 for Esc.
int alerta(Contexto& ctx, const std::vector<std::string>& linhas, const std::vector<std::string>& botoes);

// AVISOSN: kind 0 "Ok" (always "N"); 3 "Sim", "Nao", "Ignore" ("S", "N", "I"); 4 "Sim",
// "Nao", "Fim" ("S", "N", "F"); 2 and any other kind "Sim", "Nao" ("S", "N"). Esc is "N".
std::string AVISOSN(Contexto& ctx, const std::vector<std::string>& linhas, int tipo = 2);
std::string AVISOSN(Contexto& ctx, std::string_view linha, int tipo = 2);
// Lines written in place: AVISOSN(ctx, {"first", "second"}, 0).
std::string AVISOSN(Contexto& ctx, std::initializer_list<std::string_view> linhas, int tipo = 2);
// AVISOSN of kind 7: buttons "1" to "7"; the number chosen, 0 for Esc.
int AVISOSN7(Contexto& ctx, const std::vector<std::string>& linhas);

}  // namespace console
