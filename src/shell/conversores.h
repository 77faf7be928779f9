// The calculator and the dollar converter the declaration's forms reach with Alt+S and Alt+U.
// Both act on the field the running form is editing (the console's active input): the
// calculator's result goes into it, and the converter turns dollars of a month of 2009 into
// reais at that month's rate.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "console/calculadora.h"
#include "rt/text/decimal.h"

namespace shell {

class Program;

// Where a conversion was asked from: the declaration screen, the grid being edited (OPC, 0 for
// none) and the running field's name as the form names it ("M->VAL_ALI" or "VAL_ALI").
struct LugarConversao {
  int tela = 0;
  int opc = 0;
  std::string campo{};
};

// The monthly dollar grid (grid screen 7): the reais it gives (QCR), nothing when the user
// left without one. Supplied by whoever has the matrix grid; none: a message says so.
using GradeDolar = std::function<std::optional<rt::text::Decimal>(Program&)>;

// Alt+S: the calculator; a numeric field receives the result, a text field its trimmed text,
// a blank and the result with PIC_USU, cut or padded to the field's width. True when the
// field received a value.
// The calculator's place (LCAL, CCAL) is kept in `calc` between openings.
[[nodiscard]] bool CHAMA_CALC(Program& p, console::Calculadora& calc);
[[nodiscard]] bool CHAMA_CALC(Program& p);

// Alt+U: the dollar converter into the running field (numeric, 10 wide at least). Not
// re-entered while it runs. True when the field received a value.
[[nodiscard]] bool CALC_UFIR(Program& p, int tela, int opc = 0, const GradeDolar& grade = {});

// The conversion of one month: month 0 counts as 1, a month above 12 gives the value back.
// Grids 12 and 16 and the field VAL_ALI convert in frame 11 (reais, dollars, month); the
// others run the monthly dollar grid. The result is in reais, cut at the cent.
rt::text::Decimal MUDATEL13(Program& p, int mes, rt::text::Decimal valor, const LugarConversao& onde,
                            const GradeDolar& grade = {});

}  // namespace shell
