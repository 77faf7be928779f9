// Reading comma-separated text as the seed files are written: fields separated by ",",
// a field in double quotes may hold commas, line breaks and doubled quotes (""), lines end in
// LF or CR LF, blank lines are skipped and a leading UTF-8 byte-order mark is ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace store {

struct RegistroCsv {
  int linha = 0;  // line where the record starts, from 1
  std::vector<std::string> campos;
};

struct LeituraCsv {
  std::vector<RegistroCsv> registros;
  int linhaErro = 0;  // 0 when the text was read whole
  std::string erro;
};

LeituraCsv leCsv(std::string_view texto);

}  // namespace store
