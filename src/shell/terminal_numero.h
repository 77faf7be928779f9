// The terminal number: every terminal of an office has its own two-digit number, which names
// its settings records, its folder register (DIRETnn) and its working copies (TMP_nn). Two
// programs running with one number on one program folder would share those files, so the
// number is held by a lock on TERMnn.LCK in the program folder for the whole run; tavren and
// converte both take it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rt/base/unique_fd.h"
#include "shell/programa.h"

namespace shell {

// The number as two digits when the text is a whole number 0-99 (blanks around it allowed; an
// empty text is 0), else nothing: "7" gives "07", "123" and "-5" nothing.
std::optional<std::string> numeroTerminal(std::string_view texto);

// Whether the environment variable TERMINAL names a terminal number (one or two digits) rather
// than, as on many Linux desktops, the terminal emulator.
[[nodiscard]] bool terminalNumerico(std::string_view valor);

// Whether the terminal number is asked for: the program folder is on a network file system,
// or the installation's settings file has "pede_terminal=S".
[[nodiscard]] bool TA_NA_REDE(const Program& p);

// QUAL_USUR: on a network folder the prompt proposing EQUIP to the user named in USUAR; else
// "00". With `sempre` the prompt is shown anywhere. Esc in the prompt gives nothing.
std::optional<std::string> QUAL_USUR(Program& p, bool sempre = false);

// Takes the lock of terminal `nusu` in the program folder. An invalid descriptor with `ocupado`
// set: another program holds that number. A folder where the lock file cannot be made gives
// an invalid descriptor with `ocupado` false, and the program runs without the guard. The
// converter that tavren starts runs on tavren's own number while tavren waits for it: it is
// told so by the environment (kTerminalCedido = the number) and takes no lock.
inline constexpr const char* kTerminalCedido = "TAVREN_TERMINAL_CEDIDO";
// Beside the number tavren hands the converter its current data folder (as stored, "C:\..."):
// the terminal's CONFIG may name another one, which tavren replaces at its exit.
inline constexpr const char* kPastaCedida = "TAVREN_PASTA_CEDIDA";
// A lock file whose name is a link is not used: `recusa` (when given) then names it.
rt::UniqueFd travaTerminal(const Program& p, std::string_view nusu, bool& ocupado,
                           std::string* recusa = nullptr);

}  // namespace shell
