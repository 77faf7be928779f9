// Looking a taxpayer up in the other data folders of the terminal's register, by CPF or by
// name, and making the folder where he is found the current one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/contexto.h"

namespace store {

struct Achado {
  std::string pasta;  // the folder as registered
  std::string cpf;
  std::string nome;  // NOMECONTR as stored
};

// BUSCA_OUTRO: `chave` is a CPF (ordem 1) or the start of a name (ordem 2, compared in upper
// case); every registered folder other than the current one that holds IMP0910.DBF is
// searched. Found: LOCARQ is that folder with its register open (area 9) on the taxpayer, and,
// unless `conjuge` (the spouse's CPF is being looked up), the folder becomes current through
// TROCASIM with `preenche` as its mode. Not found: back on the folder it started from, in
// CPF order, and nullopt.
std::optional<Achado> BUSCA_OUTRO(Contexto& ctx, std::string_view chave, int ordem, int preenche,
                                  bool conjuge = false);

}  // namespace store
