// One file of the tax authority converted into the current data folder (FAZCONV): a whole
// declaration (mode 1), a capital-gains file (mode 2) or only a declaration's receipt
// numbers (mode 3). The file is read and mapped in memory first; only a file read whole and
// found sound is written, its register row with its tables, through the save journal.
#pragma once

#include <functional>
#include <string>

#include "converter/receita/declaracao.h"
#include "store/contexto.h"

namespace converter {

// What FAZCONV shows between reading the identification and converting (the taxpayer's
// header box of the converter's screen); nothing when not given.
using MostraContribuinte = std::function<void(const std::string& cpf, const std::string& nome)>;

// What became of a file: converted; not converted because the taxpayer is there already
// (last year's declaration) or the user declined; refused, said to the user through the
// store's Relato: "Erro de leitura" (and "Erro do Dos " + code, but for a missing folder),
// no regular file, an empty one, a file of another layout or of an impossible taxpayer
// ("Leiaute diferente do esperado.Não é possível converter" with the line and record, or the
// CPF alert), the declaration open in another terminal, a write that failed.
struct Desfecho {
  enum Tipo { Convertido, Existente, Recusado } tipo;
  explicit operator bool() const { return tipo == Convertido; }
};

// FAZCONV: the whole file is read and checked (receita/confere.h) before anything is asked
// or written.
[[nodiscard]] Desfecho FAZCONV(store::Contexto& ctx, Modo modo, const std::string& caminho,
                               const MostraContribuinte& mostra = {});

// The message of a file that could not be opened or read: "Erro de leitura", then "Erro do
// Dos " + the code in two digits unless the folder is missing (code 3), from the system error
// the failure keeps. The code.
int erroDeLeitura(store::Contexto& ctx, const rt::Status& erro, const std::string& caminho);

}  // namespace converter
