// Small routines of the message module: times of day as "hh:mm:ss" and seconds, elapsed
// time across midnight, and the record-skipping rule of the grids.
#pragma once

#include <string>
#include <string_view>

namespace console {

// "hh:mm:ss" -> hours x 3600 + minutes x 60 + seconds.
int HORA_SEG(std::string_view hora);
// Seconds -> "hh:mm:ss", hours modulo 24.
std::string SEG_HORA(long long segundos);
// Seconds -> "ddDhhHmmm": days modulo 99, hours modulo 24, minutes modulo 60, two digits each
// (90180 gives "01D01h03m").
std::string SEG_HOR_2(long long segundos);
// Seconds from the time `inicio` to `fim`, adding a day when `fim` is earlier (midnight passed).
int TEMPO_PAS(std::string_view inicio, std::string_view fim);
// The same as text: "hh:mm:ss" when formato is 1, else the number of seconds.
std::string TEMPO_PAS(std::string_view inicio, std::string_view fim, int formato);

// What SKIPPED needs of a table: the grids pass their current table through it.
class Saltavel {
 public:
  virtual bool vazia() const = 0;  // no records at all
  virtual bool eof() const = 0;    // past the last record
  virtual bool bof() const = 0;    // tried to go before the first
  virtual void salta(int n) = 0;   // SKIP n
 protected:
  ~Saltavel() = default;
};

// Moves the table `pedido` records forward or back and returns how many it moved (0 asks for
// a refresh). Forward stops at the last record, unless `contaFim` lets the step onto the end
// count (appending in a grid); backward stops at the first.
int SKIPPED(Saltavel& tabela, int pedido, bool contaFim = false);

}  // namespace console
