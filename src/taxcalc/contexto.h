// What one computation works on: the terminal's work areas (the working copies 21-39 of the open
// declaration), the record mirror, the computation's own variables, the clock, where it shows
// things and the neighbouring parts it calls. Every function of the computation takes it first.
//
// The summary lines and the other results that are fields are read and written in the mirror.
// Table 01 is their home; the register repeats some of them (I13_16, I13_20, I13_21, I13_22,
// I13_27, I13_29, I13_37, I13_38), and since the old program held one variable for both, a
// write through `poe` keeps the register's field equal to table 01's.
#pragma once

#include <string>
#include <string_view>

#include "workareas/areas_trabalho.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "store/espelho.h"
#include "taxcalc/saida.h"
#include "taxcalc/variaveis.h"
#include "taxcalc/vizinhos.h"

namespace taxcalc {

struct Contexto {
  workareas::AreasTrabalho& areas;
  store::EspelhoDeclaracao& d;
  Variaveis& v;
  const rt::text::Clock& relogio;
  Saida& saida;
  Vizinhos& vizinhos;

  // A numeric field of table 01 (summary lines, exempt and exclusive lines, totals).
  Decimal num(std::string_view campo) const { return d.tabela01.num(campo); }
  // Writes a numeric field of table 01, and the register's field of the same name if it has one.
  void poe(std::string_view campo, Decimal valor);

  // USAPADRAO "S": the simplified model is in force.
  bool simplificado() const;
  // USAPADRAO "N": the complete model is in force (empty means not chosen).
  bool completo() const;
  // DECFINAL "S": the estate's final declaration.
  bool declaracaoFinal() const;
  // DECSAIDA "S": the exit declaration.
  bool declaracaoSaida() const;
  // CAL_AUTO, how the monthly self-assessed tax is kept.
  int calAuto() const;
  rt::text::Date hoje() const { return rt::text::today(relogio); }
};

}  // namespace taxcalc
