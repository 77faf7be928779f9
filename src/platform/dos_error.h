// The old DOS error codes the messages of both programs name for a system error met while
// opening a file ("Erro do Dos " + code): offices read them from the screen and know them.
#pragma once

#include <string>

namespace platform {

// The DOS-style code for a system error when opening `caminho`: 2 file not found (3 when its
// folder is missing, or a part of the path is no folder), 4 too many open files, 5 access
// denied, kLink a link (or no plain file) where the file belongs; any other error is given as
// its negated number, which the messages show as it is.
inline constexpr int kLink = 1001;
int codigoDos(int erro, const std::string& caminho);

}  // namespace platform
