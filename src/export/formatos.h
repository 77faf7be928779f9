// The value formats of the declaration file the tax authority's program reads, and the
// character map that keeps its texts in plain ASCII.
//
// Amounts are cut with DESPREZA before they are written, as every amount the office sends out
// is ("1.234,56"; zero is "0,00", never empty). Texts leave the tables as CP860 bytes; what
// reaches the file is always well-formed UTF-8 XML: control bytes become blanks, the three
// characters that would end or break an attribute value are escaped, and any byte the map left
// at 0x80 or above is transcoded from CP860.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"

namespace exporta {

using rt::text::Date;
using rt::text::Decimal;

// CONVNRO's forms: money "1.234,56", integer "1.235", digits "1235", one decimal "1.234,5".
std::string dinheiro(Decimal valor);
std::string inteiro(Decimal valor);
std::string inteiroSemPontos(Decimal valor);
// The "one decimal" form, cut like money: "1.234,5".
std::string umDecimal(Decimal valor);

// A month or line number in two digits, as field names carry it ("I3_07OR", "REC_MES07").
using rt::text::doisDigitos;
// The months' names as the format's month elements spell them, January first.
inline constexpr std::array<std::string_view, 12> kMesesMinusculos = {
    "janeiro", "fevereiro", "marco", "abril", "maio", "junho", "julho", "agosto", "setembro", "outubro", "novembro",
    "dezembro"};

// CONVCAR: the character map (MATCAR), byte by byte, to plain ASCII.
std::string CONVCAR(std::string_view texto);
// SEMPONTO: the six punctuation characters of MATEXTR (". , / \ ) (") blanked.
std::string SEMPONTO(std::string_view texto);

// An attribute value as it is written between its quotes: control bytes blanked, "&", "<"
// and '"' escaped, bytes from 0x80 transcoded from CP860 to UTF-8. Not trimmed.
std::string valorXml(std::string_view cp860);

// The "text" format (trimmed) and "text, mapped" (trimmed, then the map), ready for the file.
std::string texto(std::string_view cp860);
std::string mapeado(std::string_view cp860);

// A CPF or CNPJ through its picture ("999.999.999-99", "99.999.999/9999-99"); an empty
// number gives an empty text rather than the picture's punctuation.
std::string comCpf(std::string_view numero);
std::string comCnpj(std::string_view numero);
// The digits of a text, in order (the rest dropped).
std::string soDigitos(std::string_view texto);
// A date as dd/mm/yyyy; an empty date is "  /  /    " as the runtime shows it.
std::string dataTexto(Date d);

}  // namespace exporta
