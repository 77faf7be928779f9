// The taxpayer sought by name when the CPF prompt is left empty: the name typed in upper
// case, a soft seek in the register's name order, the pick list when no name starts so.
#pragma once

#include <functional>
#include <string>

#include "console/contexto.h"
#include "console/listas.h"
#include "console/validadores.h"

namespace console {

// What VER_NOME needs of the register; the data store fills it in.
struct RegistroNomes {
  // Soft seek of an upper-case name in the register's name order; true when the row found
  // starts with the name (the register then stands on it).
  std::function<bool(const std::string& nome)> buscaNome;
  // The pick list of the register in name order, starting at the current row; true when a
  // taxpayer was chosen (the register then stands on it).
  std::function<bool()> escolhe;
  // CPF and NOMECONTR of the row the register stands on.
  std::function<std::string()> cpf, nome;
  // The register page shown again and the register put back in order 1 (CPF).
  std::function<void()> restaura;
};

// Where the name is asked and where the result goes.
struct AlvoNome {
  int linha = 0, coluna = 0;  // the form's position of the prompt
  std::string* CPF = nullptr;
  std::string* NOMECONTR = nullptr;
};

// Asks the name and takes CPF and NOMECONTR of the chosen row. True when a taxpayer was taken.
bool VER_NOME(Contexto& ctx, const RegistroNomes& reg, const AlvoNome& alvo);

// The register of the data folder (area 9, opened when it is not) as VER_NOME reaches it: the
// name order (UPPER(NOMECONTR)) for the search, the register pick list in name order (GERAL5),
// and the CPF order afterwards; `mostraPagina` shows the register page again.
RegistroNomes registroNomes(AcessoTabelas tabelas, Listas& listas, std::function<void()> mostraPagina = {});

// VER_NOME as VAL_CPF's name search.
BuscaNome buscaPorNome(Contexto& ctx, RegistroNomes reg, AlvoNome alvo);

}  // namespace console
