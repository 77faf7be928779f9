// The fixed-column fields of the tax authority's declaration and capital-gains files: one
// table of (record type, years, body position, width, target field, conversion) that every
// reader of those files goes through, so no column is written anywhere else. It is kept by
// subject, one file each (campos_assuntos.h), and joined once.
//
// Body positions count from the first character after the two-character record type (body
// position 1 is line column 3); the header (type "HD") and the identification record (types
// "16", "16O" ordinary and departure, "16E" estate, "16S" departure) are given the same way
// (line column = position + 2; the header's columns 1 and 2 are positions -1 and 0).
// A target in upper case is the field of the table row the record fills; one in lower case
// is a value the conversion holds for later (a month, a count, a mark).
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "rt/base/result.h"
#include "rt/text/value.h"

namespace converter {

// Which files a field is read from: declarations of 2009 or 2010, and capital-gains files
// (their own layout; gains records inside a 2010 declaration are read as 2010).
enum Anos : unsigned { k2009 = 1, k2010 = 2, kGanhos = 4, kAmbos = k2009 | k2010 };

enum class Conversao {
  Texto,       // as it stands, trailing blanks off
  Convertido,  // through AJUS_CAR from the Windows letters
  Pontuado,    // a CNPJ or CPF punctuated by CONTAPONTO
  Valor,       // digits with two implied decimals
  Numero,      // an integer
  Decimos,     // digits with one implied decimal (/10)
  Milesimos,   // three implied decimals (/1000)
  DezMilesimos,  // four implied decimals (/10000)
  Data,        // ddmmyyyy
  NumeroTexto  // an integer shown right-aligned in the field's width (STR(VAL(x), n)), blank stays blank
};

struct CampoFixo {
  std::string_view registro;
  unsigned anos;
  int posicao;
  int largura;
  std::string_view alvo;
  Conversao conversao;
};

// Every field; those of one record in the order of their table (a check reports the first
// one refused).
std::span<const CampoFixo> camposFixos();

// The fixed order of the records after the identification. Each section takes the records of
// its type while they come (`um`: one record only); a record of a type that no later section
// takes is out of order. A declaration holds its own sections (17 to 56), the gains' (60 to
// 68, read only in a file of 2010) and the suspended incomes (80, 81, read only in 2010); a
// capital-gains file holds the gains' sections alone.
struct Secao {
  std::string_view registro;
  bool um;
};
std::span<const Secao> secoesDeclaracao();
std::span<const Secao> secoesGanhos();

// The last line column that the fields of `registro` read in a file of `ano` (a record with
// no field read, 2: its type). A shorter line was cut.
int ultimaColuna(std::string_view registro, unsigned ano);

// The largest and the smallest number a table field takes from these layouts: amounts go
// into fields of 12 digits with two decimals (999999999.99, and a sign takes a digit) and a
// lot's share quantity into one of 9 digits, so nothing beyond them can be held (and sums of
// a declaration's amounts stay far inside what the program computes with).
inline constexpr rt::text::Decimal kMaiorValor = rt::text::Decimal::fromRaw(99'999'999'999 * 1'000'000);
inline constexpr rt::text::Decimal kMenorValor = rt::text::Decimal::fromRaw(-9'999'999'999 * 1'000'000);
inline constexpr std::int64_t kMaiorQuantidade = 999'999'999;

// A field's text: the columns of the line, blanks where the line is shorter.
std::string colunas(std::string_view linha, int posicao, int largura);

// Reads one field of a line. An amount or number whose columns hold anything but digits (and
// blanks before them, or a leading minus) is refused with kCorrupt: the file's layout is not
// the one expected.
rt::Result<rt::text::Value> leCampo(std::string_view linha, const CampoFixo& c);

// The fields of one record, by target: every field of `registro` read for a file of `ano`
// (k2009, k2010 or kGanhos). Refused as leCampo refuses.
using Campos = std::map<std::string, rt::text::Value, std::less<>>;
rt::Result<Campos> leRegistro(std::string_view linha, std::string_view registro, unsigned ano);

// Helpers over read fields: the text, amount or date of a target (blank, 0 or empty when the
// record has no such field).
std::string texto(const Campos& c, std::string_view alvo);
rt::text::Decimal valor(const Campos& c, std::string_view alvo);
rt::text::Date data(const Campos& c, std::string_view alvo);

}  // namespace converter
