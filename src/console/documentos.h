// Document numbers, money and text helpers that every part of both programs uses.
// The check-digit routines here are pure; the typed-field validators that show the alerts
// (VAL_CPF, VAL_CGC, VAL_NIT, CPFCGC) are built on them with the message routines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rt/text/decimal.h"

namespace console {

using rt::text::Decimal;

// Check digit by weights from length + 1 down to 2; 11 - (sum mod 11), 0 when above 9.
// One character; "" for an empty text.
std::string MODULO_11(std::string_view digits);
// The two check digits of the first 9 digits of a CPF.
std::string cpfDigitos(std::string_view nove);
// The two check digits of the first 12 digits of a CNPJ (weights 5..2,9..2 and 6..2,9..2).
std::string cnpjDigitos(std::string_view doze);
// The check digit of the first 10 digits of a NIT (weights 3,2,9,8,7,6,5,4,3,2).
char nitDigito(std::string_view dez);
// The lines of VAL_CPF's alert for a CPF that is not one (incomplete, or wrong check digits);
// none for a valid one. A blank CPF is incomplete here.
std::vector<std::string> avisoCpf(std::string_view cpf);

// Only the digits of a text.
std::string TIRA_PONTO(std::string_view documento);
// A text already punctuated (position 3 is ".", or position 4 is "." or blank) as it is;
// 14 digits in the CNPJ layout; 11 digits in the CPF layout plus 4 blanks; else unchanged.
std::string CONTAPONTO(std::string_view documento);
// Mode 1 formats by the payment code of the current payment (CNPJ, CPF or NIT layout);
// other codes and other modes as CONTAPONTO.
std::string POEPONTO(std::string_view documento, int modo, int codigoPagamento);

// Cuts a value to `decimals` places after rounding at two places more (12.3456 -> 12.34,
// 12.349999 -> 12.35). Exact and without width limit; the width is kept for callers.
Decimal DESPREZA(Decimal valor, int largura = 15, int decimais = 2);
// A typed number in the Brazilian form: every "." removed, the first "," as the decimal
// point ("1.234,56" -> 1234.56); empty gives 0.
Decimal CAR_TO_VAL(std::string_view texto);
// The month's name padded to 9 characters ("Marco    " unaccented); "" for another number.
std::string TRAZ_MES(int mes);
// Maps letters of Windows code page 1252 onto the console code page by the program's own
// 25-letter table (upper-case accented letters other than É become plain letters). Mode 1
// maps to the console; another mode maps back only console bytes of 0x80 and above. The
// whole text is mapped and returned without trailing blanks.
std::string AJUS_CAR(std::string_view texto, int modo = 1);

}  // namespace console
