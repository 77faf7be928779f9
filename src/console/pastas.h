// Folder and file helpers. Folder names travel through the program in the form the office
// typed and stored them ("C:\DADOS\", with or without the trailing "\"); they are turned into
// Linux paths only here, through the context's drive map, and existing names are found
// without regard to case.
#pragma once

#include <string>
#include <string_view>

#include "console/contexto.h"
#include "rt/base/status.h"
#include "rt/base/unique_fd.h"

namespace console {

// The path with a separator at its end ("\" for the old form, "/" for a Linux path); an
// empty path stays empty.
std::string BAR_DIR(std::string_view caminho);
// The path without one trailing separator; a root ("C:\", "/") stays as it is.
std::string BAR_FORA(std::string_view caminho);
// The part after the last separator (the whole text when there is none).
std::string TIRA_DIR(std::string_view caminho);

// The Linux path of a stored folder or file name: drive letters and "\" mapped, and each
// existing level found without regard to case.
std::string caminhoLinux(const Contexto& ctx, std::string_view caminho);

// The current folder.
std::string GETDIR();
// Whether the folder exists.
bool VERDIR(const Contexto& ctx, std::string_view caminho);
// VERDIR; a missing folder is told on the status line and gives false.
bool CONFER_DIR(Contexto& ctx, std::string_view caminho);
// VERDIR; a missing folder is told in an alert and gives false.
bool CONF_DIR(Contexto& ctx, std::string_view caminho);
// Whether a drive was typed as "X:" (or as a Linux folder); else an alert and false.
bool ESPCIF(Contexto& ctx, std::string_view drive);
// Makes sure a folder exists, asking the user before creating it ("N" gives false);
// creates the missing levels one by one. A failure is told in an alert.
bool CRI_NDIR(Contexto& ctx, std::string_view caminho, std::string_view finalidade);
// With `pasta` true: whether the folder exists; otherwise whether the file exists.
bool LF_ISFILE(const Contexto& ctx, std::string_view nome, bool pasta = false);
// Changes the current folder (the system's error kept in a failure).
rt::Status ALTDIR(const Contexto& ctx, std::string_view caminho);
// Creates one folder level; failed, and not told, when it could not be made.
rt::Status CRIADIR(const Contexto& ctx, std::string_view caminho);

// Opening modes of LF_FOPEN (the low two bits, as the runtime's FOPEN had them).
inline constexpr int kFoLeitura = 0, kFoEscrita = 1, kFoLeituraEscrita = 2;
// Opens an existing file; the handle is invalid when the file cannot be opened.
rt::UniqueFd LF_FOPEN(const Contexto& ctx, std::string_view nome, int modo = kFoLeitura);

}  // namespace console
