// The printer model's control sequences: the text typed in the model list ("<018>",
// "<027>A", "<014>//<020>") made into the bytes sent to the printer.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace print {

// MONTASTRG: tokens of exactly five characters, "<" three characters ">", give one byte:
// three decimal digits (up to 255) the byte of that code, "ESC" in any case 27; "<###>" is
// kept as the text "###" and `*TEM_LASER` is set to its position (1-based) in the result.
// The text is read once from left to right, so a "<" that a token yields ("<060>") is never
// taken again, and a "<" that starts no token stays as it is. Blanks that pad the field are
// dropped; bytes a token yields (NUL included) are kept.
std::string MONTASTRG(std::string_view texto, int* TEM_LASER = nullptr);

// STRING0..STRING4 of the terminal's printer: STRING0-2 from SEQ0-2, STRING3/STRING4 from
// the two halves of SEQ3 split at "//" (STRING4 empty without it).
struct Sequencias {
  std::array<std::string, 5> STRING{};
  int TEM_LASER = 0;
};
Sequencias montaSequencias(std::string_view SEQ0, std::string_view SEQ1, std::string_view SEQ2,
                           std::string_view SEQ3);

}  // namespace print
