// The seed files of the shipped reference tables (data/seed/*.csv, UTF-8), built into the
// program so that a fresh program folder can be filled without an install path.
#pragma once

#include <span>
#include <string_view>

namespace store {

struct ArquivoEmbutido {
  std::string_view nome;   // "BANCOS.csv"
  std::string_view texto;  // the file's bytes
};

std::span<const ArquivoEmbutido> sementesEmbutidas();

}  // namespace store
