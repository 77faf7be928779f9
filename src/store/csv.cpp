#include "store/csv.h"

namespace store {

LeituraCsv leCsv(std::string_view texto) {
  LeituraCsv out;
  if (texto.starts_with("\xEF\xBB\xBF")) texto.remove_prefix(3);

  int linha = 1;
  std::size_t i = 0;
  while (i < texto.size()) {
    // Blank lines between records carry nothing.
    if (texto[i] == '\n' || (texto[i] == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n')) {
      i += texto[i] == '\r' ? 2 : 1;
      ++linha;
      continue;
    }
    RegistroCsv reg;
    reg.linha = linha;
    bool fimRegistro = false;
    while (!fimRegistro) {
      std::string campo;
      if (i < texto.size() && texto[i] == '"') {
        int abertura = linha;
        ++i;
        bool fechado = false;
        while (i < texto.size()) {
          char c = texto[i++];
          if (c == '"') {
            if (i < texto.size() && texto[i] == '"') {
              campo += '"';
              ++i;
            } else {
              fechado = true;
              break;
            }
          } else {
            if (c == '\n') ++linha;
            campo += c;
          }
        }
        if (!fechado) {
          out.linhaErro = abertura;
          out.erro = "quoted value never closed";
          return out;
        }
        if (i < texto.size() && texto[i] != ',' && texto[i] != '\n' && texto[i] != '\r') {
          out.linhaErro = linha;
          out.erro = "text after a closing quote";
          return out;
        }
      } else {
        while (i < texto.size() && texto[i] != ',' && texto[i] != '\n' &&
               !(texto[i] == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n'))
          campo += texto[i++];
      }
      reg.campos.push_back(std::move(campo));
      if (i < texto.size() && texto[i] == ',') {
        ++i;
        continue;
      }
      if (i < texto.size()) {
        i += texto[i] == '\r' ? 2 : 1;
        ++linha;
      }
      fimRegistro = true;
    }
    out.registros.push_back(std::move(reg));
  }
  return out;
}

}  // namespace store
