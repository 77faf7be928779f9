// What is said when a file of the program's own is refused because its name, in a folder every
// terminal can write in, is a link (or a folder, a pipe, a second name of another file).
#pragma once

#include <string>
#include <string_view>

namespace console {

// `arquivo` is the name as the office knows it. Nothing was written through it.
std::string textoLink(std::string_view arquivo);

}  // namespace console
