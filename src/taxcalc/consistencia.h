// The consistency check: before a declaration is printed or sent, a fixed list of numbered
// rules walks the open declaration (the record mirror and the working copies) and every rule
// that fires is recorded in the taxpayer's error list (table 11, or its copy in area 31) with
// the text, degree and screen of the shipped message list LisErro (area 54). The preparer's own
// notes (code 0) are never removed.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "rt/db/table.h"
#include "rt/text/decimal.h"
#include "taxcalc/contexto.h"

namespace taxcalc {

// The rule numbers that fire for the open declaration, in the order they are tested; a rule
// that fires for several rows appears once per row. Reads the copies 22-27 and 36, the rural
// and carnê-leão copies, and `VAL_CPMF` (the CPMF rate of DEFINE).
std::vector<int> regrasConferencia(Contexto& c, Decimal VAL_CPMF);

// One row of LisErro.
struct MensagemErro {
  std::string DESCRI;
  int GRAU = 0;  // 1 error, 2 danger, 3 attention
  int PAGINA = 0;
};
// The rows of LisErro (area 54) by code; empty when it is not open.
std::map<int, MensagemErro> listaDeErros(const Contexto& c);

struct ResultadoConferencia {
  int NQTDERR = 0;   // findings of degree 1
  int NQTDPERI = 0;  // degree 2
  int NQTDATEN = 0;  // degree 3
  bool LTEMERR = false;
  std::vector<int> codigos;  // every finding, in order
};

// CONFERE(mode) on the error list `lista` (table 11 held exclusive for mode 1, the copy of area
// 31 for modes 2 and 3): the open taxpayer's findings of an earlier run go (only theirs, and
// never the notes of code 0), every rule is tested, each code is listed once with the separator
// row before the first when the list still holds rows, and every finding is counted by its
// degree. Modes 1 and 2 give the verdict through the output; mode 3 only refreshes the list.
ResultadoConferencia CONFERE(Contexto& c, rt::db::Table& lista, int modo, Decimal VAL_CPMF = {});

}  // namespace taxcalc
