#include "print/sequencias.h"

namespace print {

namespace {

bool digito(char c) { return c >= '0' && c <= '9'; }
char maiuscula(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view semBrancosFinais(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

std::string MONTASTRG(std::string_view texto, int* TEM_LASER) {
  texto = semBrancosFinais(texto);
  std::string saida;
  std::size_t i = 0;
  while (i < texto.size()) {
    if (texto[i] == '<' && i + 4 < texto.size() && texto[i + 4] == '>') {
      const std::string_view t = texto.substr(i + 1, 3);
      if (digito(t[0]) && digito(t[1]) && digito(t[2])) {
        const int codigo = (t[0] - '0') * 100 + (t[1] - '0') * 10 + (t[2] - '0');
        if (codigo <= 255) {
          saida += static_cast<char>(codigo);
          i += 5;
          continue;
        }
      } else if (maiuscula(t[0]) == 'E' && maiuscula(t[1]) == 'S' && maiuscula(t[2]) == 'C') {
        saida += '\x1b';
        i += 5;
        continue;
      } else if (t == "###") {
        if (TEM_LASER != nullptr) *TEM_LASER = static_cast<int>(saida.size()) + 1;
        saida += "###";
        i += 5;
        continue;
      }
    }
    saida += texto[i];
    ++i;
  }
  return saida;
}

Sequencias montaSequencias(std::string_view SEQ0, std::string_view SEQ1, std::string_view SEQ2,
                           std::string_view SEQ3) {
  Sequencias s;
  int laser = 0;
  s.STRING[0] = MONTASTRG(SEQ0, &laser);
  s.STRING[1] = MONTASTRG(SEQ1, &laser);
  s.STRING[2] = MONTASTRG(SEQ2, &laser);
  const std::size_t barras = SEQ3.find("//");
  s.STRING[3] = MONTASTRG(SEQ3.substr(0, barras), &laser);
  if (barras != std::string_view::npos) s.STRING[4] = MONTASTRG(SEQ3.substr(barras + 2), &laser);
  s.TEM_LASER = laser;
  return s;
}

}  // namespace print
