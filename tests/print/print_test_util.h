// Scratch folders and file helpers of the printing tests: the data store's own.
#pragma once

#include <string>

#include "store_fixture.h"

namespace print_test {

using Pasta = store::teste::Pasta;

inline void escreve(const std::string& caminho, const std::string& bytes) {
  store::teste::escreveArquivo(caminho, bytes);
}

inline std::string le(const std::string& caminho) { return store::teste::leArquivo(caminho); }

}  // namespace print_test
