// The one message routine of the program: notices on the status line, message windows that
// wait for a key, one-key questions, wait notices left open and one-field prompts. The code
// packs the message window's frame type and the mode: code = frame type x 10 + mode.
//   mode 0  the text on the status line
//   mode 1  message window, error beep, any key closes it
//   mode 2  message window, waits for one of the given letters and returns it
//   mode 3  message window left open (wait notices)
//   mode 4  message window with one input field (see MENS with a variable)
//   mode 5  as 1 without the beep
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "console/contexto.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"

namespace console {

// The codes callers give, by name; the value is the frame type x 10 + the mode, as MENS reads it.
namespace mens {
enum Codigo : int {
  Linha = 0,              // the status line
  AvisoSemMoldura = 1,    // a window without a frame, error beep, any key closes it
  EsperaSemMoldura = 3,   // ... left open (wait notices)
  CampoSemMoldura = 4,    // ... with one input field
  Aviso = 11,             // a framed window, error beep, any key closes it
  Escolha = 12,           // ... waits for one of the given letters
  Espera = 13,            // ... left open (wait notices)
  Campo = 14,             // ... with one input field
  Nota = 15,              // ... any key closes it, without the beep
};
}  // namespace mens

// The column of a message window: a number, or "E" (left edge, column 2), "C" (centred);
// nothing or any other text right-aligns the window to column 75.
using ColunaMens = std::variant<std::monostate, int, std::string>;

struct OpcoesMens {
  int linha = 20;        // row of the window
  ColunaMens coluna{};   // see ColunaMens
  int linhas = 1;        // lines of text
  std::string teclas{};  // mode 2: the letters that answer
  int largura = 0;       // mode 4 on a number: the field's width (0: the number's own length)
  std::string picture = "@KS";
  std::function<bool()> valid{};  // mode 4; none is NDA()
  Jan janela = Jan::kMensagem;
};

// Modes 0, 1, 2, 3 and 5 (a mode-4 code here shows the prompt without a field). Returns the
// letter in mode 2, else "". Without a text the status line is cleared.
std::string MENS(Contexto& ctx, int codigo = 0, std::string_view texto = {}, const OpcoesMens& op = {});

// Mode 4: the text, then one input field for the variable; Esc empties it (text "",
// number 0, date today, logical false). Returns the variable's new value.
std::string MENS(Contexto& ctx, int codigo, std::string_view texto, std::string& var,
                 const OpcoesMens& op = {});
rt::text::Decimal MENS(Contexto& ctx, int codigo, std::string_view texto, rt::text::Decimal& var,
                       const OpcoesMens& op = {});
rt::text::Date MENS(Contexto& ctx, int codigo, std::string_view texto, rt::text::Date& var,
                    const OpcoesMens& op = {});
bool MENS(Contexto& ctx, int codigo, std::string_view texto, bool& var, const OpcoesMens& op = {});

// The default valid rule of prompts.
inline bool NDA() {
  return true;
}

// Writes a text at (row, column) in the help colour; the status line by default.
void AVISO(Contexto& ctx, std::string_view texto, int linha = 24, int coluna = 0);

// The error sound: one terminal beep per call (a terminal cannot play the old two tones).
void BEEP_ERRO(Contexto& ctx, int vezes = 1);

// Column that centres a text in a width: (width - length) / 2, 0 when the text is longer.
int CENTER(std::string_view texto, int largura = 80);

// Window layout of a message, exposed for the prompt and for tests.
struct LayoutMens {
  int tipo = 0, modo = 0;
  int linha = 20, coluna = 0, linhas = 1;
  int largura = 0;    // window width (right = column + width)
  std::string texto;  // as written into the window
};
LayoutMens layoutMens(int codigo, std::string_view texto, const OpcoesMens& op, int larguraCampo = 0);

namespace detail {
// Defines, opens and fills the message window of a layout (shared by the prompt).
void abreMens(Contexto& ctx, const LayoutMens& l, Jan janela);
}  // namespace detail

}  // namespace console
