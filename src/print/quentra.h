// Our own print program, in place of the outside one the captured "NAO DOS" output was handed
// to: it shows the pages first when the terminal asks for it (MOSTEL), lets the user pick a
// CUPS printer when asked (MOSIMP), turns the printer stream into plain UTF-8 text and prints
// it with `lp` at a pitch that fits the widest line.
#pragma once

#include <string>
#include <string_view>

#include "platform/paths.h"
#include "print/impressao.h"
#include "store/contexto.h"

namespace print {

// The captured CP860 stream as plain CP860 text: the model's control strings, ESC sequences
// (ESC and one byte; PCL's "ESC & l ... letter" whole) and every other byte below 32 but CR,
// LF and FF dropped; CR LF becomes LF, and a CR that ends the text or follows a form feed goes.
std::string textoLimpo(std::string_view fluxo, const Sequencias& seq);

// The widest line of a text (lines end at LF or FF), in bytes.
int larguraMaxima(std::string_view texto);
// Characters per inch for lines of that width: 10 up to 80 columns, else the smallest of
// 12, 15, 17 and 20 that fits about 7.5 inches (20 for anything wider).
int cpiPara(int largura);

struct OpcoesQuentra {
  int largura = 80;
  bool pre = false;  // show the pages first: Enter prints, Esc cancels
  bool sel = false;  // let the user choose the printer
};

// print_captured: prints the captured file `caminho`. False when the user cancelled or the
// printing failed (said to the user, with lp's own message).
bool print_captured(store::Contexto& ctx, Impressao& imp, const std::string& caminho, const OpcoesQuentra& op,
                    const platform::EnvLookup& env);

// The preview of a text: one page (up to a form feed) at a time; PgDn/PgUp change page,
// arrows scroll and pan. True when Enter was typed, false for Esc. The screen is given back.
bool previa(store::Contexto& ctx, std::string_view texto);

}  // namespace print
