#include "support/contexto_fixture.h"

namespace support {

void TerminalGravado::present(const rt::term::Screen& s) {
  std::string texto;
  for (int r = 0; r < rt::term::Screen::kRows; ++r) texto += s.rowText(r) + "\n";
  telas.push_back(std::move(texto));
  quadros_.push_back(s);
  script.present(s);
}

bool TerminalGravado::viu(std::string_view texto) const {
  for (const std::string& t : telas)
    if (t.find(texto) != std::string::npos) return true;
  return false;
}

bool TerminalGravado::viuJuntos(std::string_view um, std::string_view outro) const {
  for (const std::string& t : telas)
    if (t.find(um) != std::string::npos && t.find(outro) != std::string::npos) return true;
  return false;
}

bool TerminalGravado::viuEm(int r, int c, std::string_view texto) const {
  const std::size_t inicio = static_cast<std::size_t>(r * (rt::term::Screen::kCols + 1) + c);
  for (const std::string& t : telas)
    if (t.compare(inicio, texto.size(), texto) == 0) return true;
  return false;
}

bool TerminalGravado::viuComCor(int r, int c, std::string_view texto, rt::term::Attr cor) const {
  const std::size_t inicio = static_cast<std::size_t>(r * (rt::term::Screen::kCols + 1) + c);
  for (std::size_t i = 0; i < telas.size(); ++i) {
    if (telas[i].compare(inicio, texto.size(), texto) != 0) continue;
    bool ok = true;
    for (int k = 0; k < static_cast<int>(texto.size()) && ok; ++k) ok = quadro(i).at(r, c + k).attr == cor;
    if (ok) return true;
  }
  return false;
}

std::vector<std::string> TerminalGravado::ultima(std::string_view texto, std::string_view outro) const {
  for (std::size_t i = telas.size(); i-- > 0;) {
    if (telas[i].find(texto) == std::string::npos || telas[i].find(outro) == std::string::npos) continue;
    std::vector<std::string> linhas;
    for (int r = 0; r < rt::term::Screen::kRows; ++r) linhas.push_back(quadro(i).rowText(r));
    return linhas;
  }
  return {};
}

bool TerminalGravado::cursorEm(int r, int c) const {
  for (std::size_t i = 0; i < telas.size(); ++i)
    if (quadro(i).cursorRow() == r && quadro(i).cursorCol() == c) return true;
  return false;
}

void TerminalGravado::esquece() {
  telas.clear();
  quadros_.clear();
}

std::string TerminalGravado::todas() const {
  std::string s;
  for (const std::string& t : telas) s += t + "----\n";
  return s;
}

ContextoFixture::ContextoFixture(std::string_view prefixo) : programa(prefixo), dados(prefixo), trabalho(prefixo) {
  ctx.definePastaPrograma(programa.caminho());
  ctx.definePastaDados(dados.caminho());
  ctx.definePastaTrabalho(trabalho.caminho());
}

}  // namespace support
