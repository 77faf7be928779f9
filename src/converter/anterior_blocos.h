// Assets and debts carried from last year (TRANS_BLO and the walk over one taxpayer's rows).
//
// Last year's tables hold an asset or a debt as a block of rows: description rows with both
// values 0, then a row with the values. Field 1 is the item number (0 on continuation rows),
// 3 and 4 the values at the ends of the two previous years, 5 the code. Each block is carried
// whole: the rows get new ordinal numbers (field 0: 1, 11, 21, ...), last year's closing value
// becomes this year's opening value, and a sold item (a value at the end of the year before
// last and none at the end of last year) is left out when the user said so, the following
// item numbers closing the gap.
#pragma once

#include <vector>

#include "converter/receita_tabelas.h"

namespace converter {

struct Blocos {
  char tipo = '7';    // '7' assets (table 4, I7_*), '8' debts (table 5, I8_*)
  bool anterior = true;  // this program's previous edition (item 1); false: the cash book
  int MOST_VEND = 2;  // 1 leave sold items out, 2 carry everything
};

// The target rows of one taxpayer's source rows (in key order), without CPF.
std::vector<converter::Linha> copiaBlocos(const std::vector<converter::Linha>& fonte, const Blocos& b);

// A row of assets whose two values are empty followed by a row of item number 0 (its
// continuation) absorbs it: the descriptions joined, the values and I7_9 of the second. One
// continuation per row. Only the rows given (one taxpayer's).
void juntaContinuacoes(std::vector<converter::Linha>& bens);

}  // namespace converter
