// FOLHA.TXT, the payroll program's file of annual income statements: one statement a line
// (LF or CR LF), the 21 values of FOLHAPG in its field order separated by commas, texts in
// double quotes (a doubled quote stands for one), amounts with "." as the decimal separator;
// missing trailing values are blank. Payroll programs made under Windows write CP1252;
// current ones write UTF-8, which is told by the text being valid UTF-8.
//
// The whole file is read before anything is stored: a line with more than 21 values, an amount
// that is not a number (or too large for its field), a quote left open, a CPF or a payer's
// document (CNPJ or CPF) that is not one by its check digits refuses the file, naming the line.
// A CPF is kept as its digits, punctuated or not; the payer's document is punctuated; texts
// longer than their field are cut when stored.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rt/text/value.h"
#include "store/catalogo.h"

namespace converter {

// One statement: a value for each field of `campos`, in order.
using Comprovante = std::vector<rt::text::Value>;

struct LeituraFolha {
  std::vector<Comprovante> comprovantes;
  // The refusal, naming the line ("" when the file was read whole).
  std::string recusa;
};

// Reads the file's bytes (UTF-8 or CP1252) against the table's fields.
LeituraFolha leFolha(std::string_view bytes, std::span<const store::CampoDef> campos);

}  // namespace converter
