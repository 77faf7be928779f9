// What is said when a file of the program's own is refused because its name, in a folder every
// terminal can write in, is a link (or a folder, a pipe, a second name of another file).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace console {

// `arquivo` is the name as the office knows it. Nothing was written through it.
std::string textoLink(std::string_view arquivo);
// The same in two lines (the name, then why), for alerts: a folder's path leaves no room for
// both on one row.
std::vector<std::string> linhasLink(std::string_view arquivo);

}  // namespace console
