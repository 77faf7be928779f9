// The records of a file of the tax authority mapped into one taxpayer's rows: the header, the
// identification into the register row, then the sections of records 17 to 56 (CONV_DECL), the
// gains' (ganhos.h) and 80 to 81 (CONV_EXIG) in their fixed order. Everything is done on rows
// held in memory (Tabelas and the register row), from the lines alone: nothing here knows the
// data folder, the terminal or the clerk; what must be asked (whether a dependant too old
// stays) is asked through the function the caller gives.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "converter/receita/campos.h"
#include "converter/receita/tabelas.h"
#include "rt/text/date.h"

namespace converter {

// What is imported from a file: a whole declaration, a capital-gains file, or only a
// declaration's receipt numbers.
enum class Modo { Declaracao = 1, Ganhos = 2, Recibos = 3 };

// Line 1 of a file.
struct Cabecalho {
  std::string cdecl;     // "ESPL" an estate's, "SAID" a departure, else ordinary
  std::string programa;  // columns 1-8
  std::string ano;       // "2009" or "2010" for a file this program takes
  unsigned anos = 0;     // k2009, k2010, or 0 for another year
  std::string reciboAtu, reciboAnt;  // 10 digits and two check digits; blank stays blank
};
Cabecalho leCabecalho(std::string_view linha);
// A receipt of 10 digits with its two check digits, each over everything before it; a blank
// receipt stays blank (12 blanks).
std::string reciboComDigitos(std::string_view dez);

// The records being read: the file's lines and the current one.
struct Leitura {
  const std::vector<std::string>& linhas;
  std::size_t atual = 2;  // lines 1 and 2 are the header and the identification
  // The type of the current record ("" past the end).
  std::string tipo() const;
  std::string_view linha() const { return linhas[atual]; }
};

// The identification record into the register row (and table 1's estate and departure
// fields). Refused (kCorrupt) for an amount that is no number.
rt::Status leIdentificacao(std::string_view linha, const Cabecalho& cab, Linha& registro, Linha& tabela1);

// Whether a dependant of `codigo` born on `nascimento` stays (the age rules; the converter
// asks the clerk, VE_IDADE). Not given: every dependant stays.
using FicaDependente = std::function<bool(std::string_view nome, int codigo, rt::text::Date nascimento)>;

// One file being mapped: its header, the taxpayer's rows and his register row, and the figure
// of the tax year it needs (the reader lies below the computation, so it is handed in).
struct ConversaoDeclaracao {
  const Cabecalho& cab;
  Tabelas& tabelas;
  Linha& registro;
  rt::text::Decimal valorDependente;  // the monthly deduction per dependant (taxcalc::NVALDEPEN)
  FicaDependente ficaDependente = {};
};

// CONV_DECL: the register row's declaration fields, table 1, and records 17 to 56; stops at
// the first record whose type no later section (of these, of the gains or of 80-81) takes.
rt::Status CONV_DECL(ConversaoDeclaracao& c, Leitura& l);
// CONV_EXIG: records 80 and 81 (2010 files).
rt::Status CONV_EXIG(ConversaoDeclaracao& c, Leitura& l);

// Every record after the identification of a file checked whole (confere.h) mapped in
// `modo` (Declaracao or Ganhos): table 1 made with the identification's fields (`tabela1`,
// leIdentificacao) and the estate's or departure's marks, then the sections. Refused
// (kCorrupt, with the line and the record) for a record the sections could not take or one
// left over; an error of the rows already there (Tabelas::Carrega) as it came.
rt::Status leRegistros(Modo modo, ConversaoDeclaracao& c, const std::vector<std::string>& linhas,
                       const Linha& tabela1);

}  // namespace converter
