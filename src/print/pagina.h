// The page mechanics every printed report shares: the current row QLIN of a 60-line page, lines
// printed at QLIN and advancing it, the page break, keeping a block of lines on one page
// (PULA_PAG), and a table's overflow with its carried subtotals at the foot of the page and
// its heading again after the next page's header.
#pragma once

#include <functional>
#include <string_view>

#include "print/impressao.h"
#include "rt/text/decimal.h"

namespace print {

using rt::text::Decimal;

// Amounts and CPFs as every report prints them.
inline constexpr std::string_view kValor = "@Ez 999,999,999.99";
inline constexpr std::string_view kCpf = "@R 999.999.999-99";

// The divider lines LIN_DIV1 (79), LIN_DIV2 (132) and LIN_DIV3 (105) drawn with `traco`; a
// capture for the outside print program ("NAO DOS") gets underscores of 80, 135 and 105.
void defineDivisores(Impressao& imp, char traco);

// A share in per cent of `base`; a base of 0 gives 0 (printed blank by the "@Z" pictures).
Decimal percentual(Decimal valor, Decimal base);

class Pagina {
 public:
  // `cabecalho` prints the page header at row 0 (it leaves QLIN below it).
  explicit Pagina(Impressao& imp, std::function<void(Pagina&)> cabecalho = {});

  static constexpr int NROLINHAS = 60;

  Impressao& imp() { return imp_; }
  int QLIN() const { return imp_.QLIN; }

  // Text at column `col` of the current row; the row does not advance.
  void diz(int col, std::string_view texto);
  // An amount through `picture` at column `col` of the current row.
  void valor(int col, Decimal v, std::string_view picture = kValor);
  // Ends the current line: the next text goes one row down.
  void avanca() { ++imp_.QLIN; }
  // Text at column `col`, then the next row.
  void linha(int col, std::string_view texto) {
    diz(col, texto);
    avanca();
  }
  // Pitch switches take no row: STRING1 (condensed) and STRING0 (normal).
  void condensado() { controle(1); }
  void normal() { controle(0); }

  // The page break: a blank at the current row, then row 0 of a new sheet of paper.
  void quebra();
  // The page header at row 0 (QLIN is set to 0 first: the caller has broken the page).
  void cabecalho();
  // PULA_PAG(k): a block of k lines that would pass the page's end starts on a new page,
  // under the page header.
  void PULA_PAG(int k);
  // A table's overflow test after a printed row: the row passed NROLINHAS - `reserva`.
  bool passou(int reserva) const { return imp_.QLIN > NROLINHAS - reserva; }
  // A table goes on over the page: its carried lines (`transporte`, at the foot of this page),
  // the break, the page header and the table's heading (`titulo`) again.
  void continua(const std::function<void()>& transporte, const std::function<void()>& titulo);

 private:
  void controle(int n);

  Impressao& imp_;
  std::function<void(Pagina&)> cabecalho_;
};

}  // namespace print
