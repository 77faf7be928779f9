// Reads a captured print stream as pages of text, the way it comes out of the printer: a form
// feed starts a new page, CR returns to column 0 (blanks then only move the head), LF goes one
// row down; printer control sequences (ESC and its byte, PCL "ESC & l ... letter") and the
// other control bytes take no place. Lines lose their trailing blanks; each page holds its
// rows from row 0 to the last row written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace print_test {

using Pagina = std::vector<std::string>;

inline std::vector<Pagina> paginas(std::string_view fluxo) {
  std::vector<Pagina> saida(1);
  std::size_t linha = 0, coluna = 0;
  auto escreve = [&](char c) {
    Pagina& p = saida.back();
    if (p.size() <= linha) p.resize(linha + 1);
    std::string& l = p[linha];
    if (l.size() <= coluna) l.resize(coluna + 1, ' ');
    if (c != ' ') l[coluna] = c;
    ++coluna;
  };
  for (std::size_t i = 0; i < fluxo.size(); ++i) {
    const auto c = static_cast<unsigned char>(fluxo[i]);
    if (c == '\f') {
      saida.emplace_back();
      linha = coluna = 0;
    } else if (c == '\r') {
      coluna = 0;
    } else if (c == '\n') {
      ++linha;
    } else if (c == 0x1B) {
      if (i + 1 < fluxo.size() && fluxo[i + 1] == '&') {
        // PCL: parameters up to an upper-case letter.
        i += 2;
        while (i < fluxo.size() && !(fluxo[i] >= 'A' && fluxo[i] <= 'Z')) ++i;
      } else {
        ++i;
      }
    } else if (c >= 0x20) {
      escreve(static_cast<char>(c));
    }
  }
  for (Pagina& p : saida) {
    for (std::string& l : p) l.erase(l.find_last_not_of(' ') + 1);
    while (!p.empty() && p.back().empty()) p.pop_back();
  }
  // A stream that ends with an eject has no page after it.
  if (saida.size() > 1 && saida.back().empty()) saida.pop_back();
  return saida;
}

// The pages as one text: rows joined by LF, pages separated by a line "<FF>".
inline std::string texto(const std::vector<Pagina>& ps) {
  std::string t;
  for (std::size_t k = 0; k < ps.size(); ++k) {
    if (k > 0) t += "<FF>\n";
    for (const std::string& l : ps[k]) t += l + "\n";
  }
  return t;
}

}  // namespace print_test
