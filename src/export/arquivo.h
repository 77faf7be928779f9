// Files of the export, written through checked system calls: every failure comes back as the
// system's error number, so a full disk or a vanished folder is an error, never a file cut short
// that is then reported as sent.
#pragma once

#include <string>
#include <string_view>

#include "platform/unique_fd.h"

namespace exporta {

class ArquivoSaida {
 public:
  // Creates (or empties) the file; 0 or the error number.
  int cria(const std::string& caminho);
  // Creates the file only when no file (nor link) of that name is there; 0 or the error number
  // (EEXIST when one is). Two terminals never take one name.
  int criaNovo(const std::string& caminho);
  // Appends the whole text; 0 or the error number.
  int anexa(std::string_view texto);
  // Makes the contents durable and closes; 0 or the error number.
  int fecha();

 private:
  platform::UniqueFd fd_;
};

// The DOS-style code the messages name for a system error when opening `caminho`: 2 file not
// found (3 when its folder is missing), 4 too many open files, 5 access denied; any other error
// is given as its negated number, which the messages show as it is.
int codigoDos(int erro, const std::string& caminho);

// Copies `origem` to `destino` in blocks of 1024 bytes; 0, or the code of codigoDos for a file
// that cannot be opened or read; kGravacaoCurta when a block could not be written whole.
inline constexpr int kGravacaoCurta = 1000;
struct ResultadoCopia {
  int codigo = 0;
  bool naOrigem = false;  // the error was on the file copied from
};
ResultadoCopia copiaArquivo(const std::string& origem, const std::string& destino);

}  // namespace exporta
