// A file of the tax authority checked whole against its layout before anything of it is
// written (FAZCONV): the header of a year this program takes, the identification of a valid
// CPF, then records of known types in their fixed order (campos.h), none shorter
// than the last column its layout reads, their numbers numbers that the tables can hold.
// Empty lines may only end the file. A file that fails is refused whole, with the line, the
// record type and what is wrong, so a damaged file never replaces a declaration with a part
// of one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "converter/receita/declaracao.h"

namespace converter {

// The lines of the alert that refuses a file; none when it is sound.
using Recusa = std::vector<std::string>;

class ConfereArquivo {
 public:
  explicit ConfereArquivo(Modo modo) : modo_(modo) {}

  // The next line of the file, from the header on.
  Recusa linha(std::string_view texto);
  // After the last line: a file that ended before its identification is refused.
  Recusa fim() const;
  // Whether the line last checked is one the conversion reads (empty lines at the end, and
  // in receipt mode the records after the identification, are not).
  bool guarda() const { return guarda_; }
  const Cabecalho& cabecalho() const { return cab_; }

 private:
  Recusa registro(std::string_view texto);
  Recusa recusa(std::string_view tipo, std::string_view motivo) const;
  Recusa recusa(std::size_t numero, std::string_view tipo, std::string_view motivo) const;
  unsigned ano() const;

  Modo modo_;
  Cabecalho cab_;
  std::size_t numero_ = 0;   // of the line being checked, from 1
  std::size_t secao_ = 0;    // the current section of the fixed order
  bool tomou_ = false;       // whether it took a record already
  std::size_t vazia_ = 0;    // the first empty line met, 0 none
  bool guarda_ = false;
};

// A text of the file as it can be shown: control bytes (colour codes on the screen) as "?".
std::string visivel(std::string_view texto);
// The record type of a line as it can be shown: its first two characters.
std::string tipoVisivel(std::string_view linha);

}  // namespace converter
