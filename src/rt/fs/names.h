// File and folder names between the clerk and the disk. What a clerk types, and what the
// tables keep, is console text (CP860); the file system's names are UTF-8. A typed name is
// turned into its disk form before it is used, and a name read from a folder into its console
// form before it is shown, so "RELATÓRIO" typed is the file "RELATÓRIO" that a file manager
// shows, not a name of stray bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rt::fs {

// The disk (UTF-8) form of a typed name (CP860).
std::string diskName(std::string_view typedName);

// The console (CP860) form of a name read from disk; a character CP860 lacks, or bytes that
// are not UTF-8, show as "?".
std::string shownName(std::string_view diskName);

// Whether a name read from disk can be shown and typed back: its console form gives the very
// same name again (no "?" stands for something else).
bool roundTrips(std::string_view diskName);

// Whether a typed character may be part of a plain file name: an ASCII letter or digit, "_",
// "-", or an accented letter of the console code page (Ç, é, ã, ...).
bool isPlainNameChar(char typed);

// The entry of `folder` ("" the current one) whose console form equals `typedName` without
// regard to case (of accented letters too); of several, the first in byte order. Its disk
// name, or nothing when the folder has none.
std::optional<std::string> findTyped(const std::string& folder, std::string_view typedName);

}  // namespace rt::fs
