// Text typed without being shown (passwords).
#pragma once

#include <string>

#include "console/contexto.h"

namespace console {

// Reads up to `tamanho` characters at (row, column) without showing them: Enter ends,
// Backspace takes back the last one, Esc gives the empty text.
std::string leOculto(Contexto& ctx, int linha, int coluna, int tamanho = 6);

}  // namespace console
