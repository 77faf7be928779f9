// The dialogs of the folder and taxpayer tools: the two folder boxes of a transfer or a
// backup, the two CPF fields of a change of CPF or of a copy between taxpayers, with their pick
// lists, the option menu of the parts of a declaration, and SAI_FORA, which leaves any of them.
//
// Each dialog draws its frame (window 3) and leaves it open when it returns true, so that a
// check of the answers can send the user back to the same frame; SAI_FORA closes it.
#pragma once

#include <functional>
#include <string>

#include "store/contexto.h"

namespace store {

// SAI_FORA: closes windows 10 and 3, releases F1 and F2 and clears the message line.
void SAI_FORA(Contexto& ctx);

// The folders of frame 4 (variante 2: "Origem" and "Destino"; 3: "Atual" and "Novo"), each
// shown and kept as typed (case kept) in 80 characters, 40 at a time. F1 opens the list of the
// terminal's registered folders into the field being edited. The clerk's answer: true with
// both fields confirmed, false on Esc, with the frame closed.
[[nodiscard]] bool pedePastas(Contexto& ctx, int variante, std::string& origem, std::string& destino);

// The CPFs of frame 2 (copy between taxpayers) or 3 (change of CPF), with "[F1] Contribuintes
// por Nome [F2] Contribuintes por CPF" on the message line; F1 and F2 open the register of the
// current folder by name or by CPF into the field being edited. The second CPF, and the first
// too when `confereOrigem`, must pass the check digits. The answers come back as 11 digits.
// The clerk's answer: true with both CPFs given, false on Esc or when a CPF was left empty,
// with the frame closed.
[[nodiscard]] bool pedeCpfs(Contexto& ctx, int moldura, std::string& cpf1, std::string& cpf2, bool confereOrigem);

// The option menu of frame 2 (what to copy between taxpayers): items 1-9 with their hot keys
// and help lines; the rural items 6-9 only when `rural`. The item chosen, 0 on Esc.
int escolheParte(Contexto& ctx, bool rural);

// How the screen is drawn again after a backup or restore run from the menu: the background
// filled and the about frame drawn. The program gives its own (with its version).
using Redesenho = std::function<void(Contexto&)>;
void redesenhaFundo(Contexto& ctx, const Redesenho& r);

}  // namespace store
