// Lines of the tax authority's files made by the tests from the column tables of its layouts
// (converter/receita/campos.h): records filled at body positions, the header, the
// identification.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace converter::teste {

// One line of a file: the record type, then fields put at body positions (line column =
// position + 2). The header is made with the type "" and line columns.
class Reg {
 public:
  explicit Reg(std::string tipo) : s_(std::move(tipo)) {}
  // Text at body position `pos`.
  Reg& t(int pos, std::string_view texto);
  // An amount in cents in `largura` digits.
  Reg& v(int pos, std::int64_t centavos, int largura = 13);
  // The line, filled with blanks up to the last column any layout reads from a record of its
  // type, as the tax authority writes its fixed-length records.
  operator std::string() const;  // NOLINT: a line where a line is expected
  // The line as given, for a record cut short.
  const std::string& bruta() const { return s_; }

 private:
  std::string s_;
};

// Line 1: kind (4 characters, "DECL" an ordinary one), year, this and last year's receipts.
std::string cabecalho(std::string_view tipo, std::string_view ano, std::string_view recibo = "1234567890",
                      std::string_view anterior = "0987654321");
// Line 2: the identification of `cpf` named `nome`, with address, phones, birth date, bank.
Reg identificacao(std::string_view cpf, std::string_view nome);

}  // namespace converter::teste
