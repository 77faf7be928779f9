// The access password of a terminal. Only a number computed from the password is kept: in the
// installation's settings file (the value "fator3", shared by the office's terminals) and, as
// a copy, in the terminal's CONFIG record (ULT_SENIR). The number is the stored format, not a
// protection: texts whose characters give the same sum are the same password.
//
// A terminal that never had a password has nothing stored; that reads as the number of the
// empty password (1), so Enter passes, and turning the requirement on first asks for a new
// password.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rt/base/status.h"
#include "shell/ajustes.h"
#include "store/contexto.h"

namespace shell {

// ANALISEN: 1 + the sum, over the characters of the text upper-cased (ASCII letters only) and
// without leading and trailing blanks, of code x (code / 10, whole part); codes are CP860
// bytes. "" gives 1, "abc" 1189, "SENHA" 2519; six characters give at most 38251.
int ANALISEN(std::string_view texto);

// LESENHA1: the stored number: the settings file's, else the copy in ULT_SENIR, else (nothing
// was ever stored) 1.
int LESENHA1(store::Contexto& ctx, const Ajustes& aj);
// Whether a number was ever stored (settings file or ULT_SENIR).
[[nodiscard]] bool temSenhaGravada(store::Contexto& ctx, const Ajustes& aj);
// MUDASE1: writes the number into the settings file; failed, and not told, when it could not
// be written.
rt::Status MUDASE1(store::Contexto& ctx, int numero);


// VESENHA: reads the hidden text at (row, column + 1), clears the status line and tells
// whether its number equals `gravada` (true: the right password). The number typed is left
// in `numero` when given.
bool VESENHA(store::Contexto& ctx, int gravada, int linha, int coluna, int* numero = nullptr);

// SENHA: one attempt. Mode 0 (start-up) reads at row 21, column 65; mode 1 at row 21, column
// 29; mode 2 at row 22, column 43, under the notice "Digite a senha". Right: ULT_SENIR takes
// the number. Wrong: a tone and "Senha inválida!" on the status line. True when right.
[[nodiscard]] bool SENHA(store::Contexto& ctx, Ajustes& aj, int gravada, int modo);

// What start-up does after the password step.
enum class Entrada { Liberada, Encerrar };

// The start-up step: when QUERSEN is on, up to three attempts; after the third wrong one the
// caller ends the program. When it goes on, ULT_SENIR is written into the terminal's CONFIG
// record (5-second record lock).
[[nodiscard]] Entrada PEDE_SENHA(store::Contexto& ctx, Ajustes& aj);

// CONSENH: changes the password with its prompts at (row, column - 20) and the typing at
// (row, column + 1): the current one (2 attempts), the new one (2 attempts; one with the
// current number is refused) and the new one again (2 attempts). True when changed: the
// number goes to the settings file, ULT_SENIR and the terminal's CONFIG record.
bool CONSENH(store::Contexto& ctx, Ajustes& aj, int linha, int coluna);

// LIBSEN: one attempt at the current password; right turns QUERSEN off and gives true.
bool LIBSEN(store::Contexto& ctx, Ajustes& aj);

// The menu's "Senha" item: puts the requirement on (asking for a first password when none
// was ever stored), removes it, or changes the password.
void OPCAO_SENHA(store::Contexto& ctx, Ajustes& aj);

}  // namespace shell
