// The record mirror of the open declaration: its single-record tables held as typed named
// variables, one per field, named exactly as the fields.
//
// While a declaration is open, the screens, the computation, printing and export read and write
// these variables instead of the tables. Four records are mirrored, each in its own object,
// because several names exist in more than one of them (I13_16/20/21/22/27/29/37/38 in the
// register and in table 01, CPMF in table 01 and elsewhere ...): every read names its source.
//
//   EspelhoDeclaracao& d = ...;
//   Decimal a = d.tabela01.num("I13_20");      // table 01's field
//   Decimal b = d.registro.num("I13_20");      // the register's field of the same name
//   d.registro.txt("TEMRURAL", "S");           // setters: same name, value as second argument
//   int i = d.tabela01.campo("I3_14");         // resolve once, then read by index in loops
//   d.tabela01.num(i, d.tabela01.num(i) + x);
//
// Names are compared without regard to case ("CpfInvent" = "CPFINVENT"). A name the record
// does not have, or a value of the wrong type (num on a C field), is a programming error and
// throws std::logic_error naming the record and the field; ordinary data never causes it.
// Values are those a field can hold (rt::db::Value): text for C, Decimal for N, Date for D,
// bool for L. Widths are the catalogue's; a text longer than its field is cut when saved, a
// number too wide for it is refused by the table engine when saved.
//
// The declaration-wide variables (REC_MENSAL, REND_RURAL, INI_DECLA ...) live beside the four
// records in EspelhoDeclaracao.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rt/base/status.h"
#include "rt/db/structure.h"
#include "rt/db/table.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "store/catalogo.h"
#include "store/cpf.h"

namespace store {

class RegistroEspelho {
 public:
  // The fields of catalogue table `tabela` (01, 09, 12, 15 ...), every one at its empty value.
  RegistroEspelho(Area tabela, std::string nome);

  Area tabela() const { return tabela_; }
  const std::string& nome() const { return nome_; }
  std::span<const CampoDef> campos() const { return campos_; }
  int tamanho() const { return static_cast<int>(valores_.size()); }

  // Index of a field; -1 when the record has no such field (see campo()).
  int indice(std::string_view nomeCampo) const;
  bool tem(std::string_view nomeCampo) const { return indice(nomeCampo) >= 0; }
  // Index of a field that must exist: throws std::logic_error otherwise.
  int campo(std::string_view nomeCampo) const;

  // Readers by name or by index; the field's type must match.
  rt::text::Decimal num(std::string_view n) const { return num(campo(n)); }
  const std::string& txt(std::string_view n) const { return txt(campo(n)); }
  rt::text::Date data(std::string_view n) const { return data(campo(n)); }
  bool logico(std::string_view n) const { return logico(campo(n)); }
  const rt::db::Value& valor(std::string_view n) const { return valor(campo(n)); }
  rt::text::Decimal num(int i) const;
  const std::string& txt(int i) const;
  rt::text::Date data(int i) const;
  bool logico(int i) const;
  const rt::db::Value& valor(int i) const;

  // Writers by name or by index; the field's type must match.
  void num(std::string_view n, rt::text::Decimal v) { num(campo(n), v); }
  void num(std::string_view n, std::int64_t v) { num(campo(n), rt::text::Decimal::fromInt(v)); }
  void txt(std::string_view n, std::string v) { txt(campo(n), std::move(v)); }
  void data(std::string_view n, rt::text::Date v) { data(campo(n), v); }
  void logico(std::string_view n, bool v) { logico(campo(n), v); }
  void valor(std::string_view n, rt::db::Value v) { valor(campo(n), std::move(v)); }
  void num(int i, rt::text::Decimal v);
  void txt(int i, std::string v);
  void data(int i, rt::text::Date v);
  void logico(int i, bool v);
  void valor(int i, rt::db::Value v);

  // Every field to its empty value: blanks of the field's width, 0, the empty date, false.
  void limpa();
  // Every field from the current record of `t`, matched by name (fields the table lacks are
  // emptied). At end of file the fields are the empty values.
  void carrega(const rt::db::Table& t);
  // Every field into the current record of `t` (which must be held), matched by name, except
  // those in `exceto`. Stops at the first value the table refuses.
  rt::Status grava(rt::db::Table& t, std::span<const std::string_view> exceto = {}) const;

 private:
  [[noreturn]] void erroTipo(int i, char pedido) const;
  void confere(int i, char tipo) const;

  Area tabela_;
  std::string nome_;
  std::vector<CampoDef> campos_;
  std::vector<rt::db::Value> valores_;
  std::unordered_map<std::string, int> indices_;  // upper-case name -> index
};

// A monthly matrix of amounts: rows 1..12 the months and 13 the year, columns 1..Colunas; index
// 0 of both unused. Amounts are held exactly; a column's picture is applied only where the
// matrix is drawn, so a year's total wider than its column is still the right number.
template <std::size_t Colunas>
using MatrizMeses = std::array<std::array<rt::text::Decimal, Colunas + 1>, 14>;

// The whole working state of the open declaration held in variables.
struct EspelhoDeclaracao {
  EspelhoDeclaracao();

  RegistroEspelho registro;   // register row (table 09)
  RegistroEspelho tabela01;   // exempt, exclusive and summary row (table 01)
  RegistroEspelho carneLeao;  // first row of the carnê-leão grid (table 12, copy 32)
  RegistroEspelho rural;      // rural summary of the CPF and ATV_BRASIL (table 15, copy 35)

  // The open CPF; saving writes it into every record whatever the records hold.
  Cpf CPF;
  Cpf SALCPF;              // the CPF being opened
  bool LRECUPERA = false;  // take the terminal's existing copies up again
  // Seconds since midnight when the declaration was opened or last saved, and of the last
  // save (the autosave compares it with the clock).
  rt::text::Decimal INI_DECLA;
  rt::text::Decimal SEM_SALV;
  std::string TAM_CALC;  // the progress bar's text
  // Carnê-leão months 1..12 and the year 13, columns 2..8 the seven values (column 1, the
  // month's caption, is drawn by the grid and holds nothing); REC_MENSAL[m][c], 1-based.
  MatrizMeses<8> REC_MENSAL{};
  // Monthly rural receipts (column 1) and expenses (column 2), months 1..12.
  std::array<std::array<rt::text::Decimal, 3>, 13> REND_RURAL{};
  rt::text::Decimal MVALOR1, MVALOR2;
  bool JA_CALC = false;
  bool LEAO_CAL = false;
  int PONTEIRO = 1;
  std::string DAY_TRADE = " ";
};

}  // namespace store
