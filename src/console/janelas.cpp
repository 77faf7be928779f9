#include "console/janelas.h"

#include <algorithm>

#include "rt/text/cp860.h"

namespace console {
namespace {

using namespace rt::text::literals;
using rt::term::Rect;
using rt::term::Screen;

constexpr std::string_view kSombra = "░"_cp;

Attr toAttr(int a) { return static_cast<Attr>(a & 0xFF); }

// The status line's own colours: they are fixed and never taken from the terminal's choices.
const Attr kStatusCor1 = *rt::term::parseColour("GR+/B");
const Attr kStatusCor2 = *rt::term::parseColour("W+/B");
const Attr kStatusCor3 = *rt::term::parseColour("W+/B");

bool isCode(char c) { return c == kCor1 || c == kCor2 || c == kCor3; }

}  // namespace

std::string_view molduraSimples() {
  static constexpr std::string_view frame = "┌─┐│┘─└│"_cp;
  return frame;
}

Janelas::Janelas(Screen& screen) : screen_(screen) {
  // Windows 1 to 10 (kCabecalho to kMensagem) exist from start-up.
  for (int id = 1; id <= 10; ++id) REDEFJAN(Jan{id}, 48, 112, 7, 1, 1, 25, 80, 0);
}

const Janela* Janelas::find(Jan id) const {
  auto it = std::find_if(janelas_.begin(), janelas_.end(), [id](const Janela& j) { return j.id == id; });
  return it == janelas_.end() ? nullptr : &*it;
}

Janela* Janelas::findMutable(Jan id) {
  auto it = std::find_if(janelas_.begin(), janelas_.end(), [id](const Janela& j) { return j.id == id; });
  return it == janelas_.end() ? nullptr : &*it;
}

bool Janelas::isOpen(Jan id) const {
  return std::any_of(salvas_.begin(), salvas_.end(), [id](const Salva& s) { return s.id == id; });
}

void Janelas::REDEFJAN(Jan id, int a1, int a2, int a3, int top, int left, int bottom, int right, int tipo) {
  Janela* j = findMutable(id);
  if (tipo == 7) bottom += j ? 2 : 4;
  if (!j) {
    j = &janelas_.emplace_back();
    j->id = id;
  }
  j->cor1 = toAttr(a1);
  j->cor2 = toAttr(a2);
  j->cor3 = toAttr(a3);
  j->top = top;
  j->left = left;
  j->bottom = bottom;
  j->right = right;
  j->tipo = tipo;
  j->ultimoTexto.clear();
}

void Janelas::REDFATR(Jan id, int which, int attr) {
  Janela* j = findMutable(id == Jan::kStatus ? Jan::kMensagem : id);
  if (!j) return;
  if (which == 1) j->cor1 = toAttr(attr);
  if (which == 2) j->cor2 = toAttr(attr);
  if (which == 3) j->cor3 = toAttr(attr);
}

void Janelas::salvaTela(Jan id, Rect rect, bool save) {
  auto it = std::find_if(salvas_.begin(), salvas_.end(), [id](const Salva& s) { return s.id == id; });
  if (it != salvas_.end()) {
    screen_.restore(it->contents);
    salvas_.erase(it);
  }
  if (save) salvas_.push_back(Salva{id, screen_.save(rect)});
}

void Janelas::ABREJAN(Jan id) {
  const Janela* j = find(id);
  if (!j) return;
  switch (j->tipo) {
    case 1:
      salvaTela(id, {j->top - 1, j->left - 1, j->bottom, j->right}, true);
      screen_.box({j->top - 1, j->left - 1, j->bottom - 1, j->right - 1}, molduraSimples(), j->cor2);
      break;
    case 2:
      salvaTela(id, {j->top, j->left, j->bottom, j->right}, true);
      screen_.box({j->top, j->left, j->bottom, j->right}, molduraSimples(), j->cor2);
      break;
    case 7:
      salvaTela(id, {j->top, j->left, j->bottom + 2, j->right + 1}, true);
      break;
    default:
      salvaTela(id, {j->top, j->left, j->bottom, j->right}, true);
      break;
  }
}

void Janelas::FECHAJAN(Jan id) {
  if (isOpen(id)) salvaTela(id, {}, false);
}

void Janelas::escreveStatus(int col, std::string_view text) {
  Attr cur = kStatusCor1;
  int c = col;
  for (char ch : text) {
    if (ch == kCor1) cur = kStatusCor1;
    else if (ch == kCor2) cur = kStatusCor2;
    else if (ch == kCor3) cur = kStatusCor3;
    else screen_.put(24, c++, std::string_view(&ch, 1), cur);
  }
  screen_.setCursor(24, std::min(c, Screen::kCols - 1));
}

void Janelas::ESCRJAN(Jan id, std::string_view text) {
  if (id == Jan::kStatus) {
    screen_.setCursor(24, 0);
    if (text.find_first_not_of(' ') == std::string_view::npos) {
      screen_.put(24, 0, text, kStatusCor1);
      return;
    }
    escreveStatus(0, text);
    return;
  }
  Janela* j = findMutable(id);
  if (!j) return;
  const int limite = j->tipo != 0 ? j->right - 2 : j->right;
  std::string expanded = XREP(text);
  j->ultimoTexto.clear();
  for (char ch : expanded)
    if (!isCode(ch)) j->ultimoTexto += ch;

  Attr cur = j->cor1;
  int row = j->top, col = j->left;
  for (char ch : expanded) {
    if (col > limite) {
      if (j->tipo == 7 && row != j->top) screen_.put(row, col, std::string(2, kSombra[0]), j->cor3);
      ++row;
      col = j->left;
    }
    if (ch == kCor1) cur = j->cor1;
    else if (ch == kCor2) cur = j->cor2;
    else if (ch == kCor3) cur = j->cor3;
    else screen_.put(row, col++, std::string_view(&ch, 1), cur);
  }
  if (j->tipo == 7) {
    screen_.put(row, col, std::string(2, kSombra[0]), j->cor3);
    screen_.put(row + 1, j->left + 1, std::string(static_cast<std::size_t>(std::max(limite - j->left + 2, 0)), kSombra[0]),
                j->cor3);
  }
  screen_.setCursor(row, col);
}

void Janelas::ESCRLCOL(Jan id, int row, int col, std::string_view text) {
  if (id == Jan::kStatus) {
    escreveStatus(col, text);
    return;
  }
  const Janela* j = find(id);
  if (!j) return;
  screen_.putChars(j->top + row - 1, j->left + col - 1, text);
}

void Janelas::ESCRATR(Jan id, int row, int col, int attr, int length) {
  const Janela* j = find(id);
  if (!j || length <= 0) return;
  int width = j->right - j->left - 1 + (j->tipo == 0 ? 2 : 0);
  if (length == 1) width = j->right - j->left + 1;
  int start = width * (row - 1) + col;  // 1-based position in the last text
  std::string part;
  if (start >= 1 && static_cast<std::size_t>(start) <= j->ultimoTexto.size())
    part = j->ultimoTexto.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
  part.resize(static_cast<std::size_t>(length), ' ');
  screen_.put(j->top + row - 1, j->left + col - 1, part, toAttr(attr));
}

void Janelas::ENCHETELA(char ch, Attr colour) { screen_.fill({0, 0, Screen::kRows - 1, Screen::kCols - 1}, ch, colour); }

void Janelas::move(Jan id, int dRow, int dCol) {
  Janela* j = findMutable(id);
  if (!j || !isOpen(id)) return;
  // A move stops at the screen's edges (rows 0-24, columns 0-79).
  if (dRow < 0 && j->top <= 0) return;
  if (dRow > 0 && j->bottom >= Screen::kRows - 1) return;
  if (dCol < 0 && j->left <= 0) return;
  if (dCol > 0 && j->right >= Screen::kCols - 1) return;
  std::string texto = j->ultimoTexto;
  FECHAJAN(id);
  j = findMutable(id);
  j->top += dRow;
  j->bottom += dRow;
  j->left += dCol;
  j->right += dCol;
  ABREJAN(id);
  ESCRJAN(id, texto);
}

void Janelas::MOVEVER(Jan id, int direction) { move(id, direction == 129 ? -1 : 1, 0); }
void Janelas::MOVEHOR(Jan id, int direction) { move(id, 0, direction == 129 ? -1 : 1); }

TelaGuardada::TelaGuardada(Screen& screen)
    : screen_(screen), salva_(screen.save({0, 0, Screen::kRows - 1, Screen::kCols - 1})) {}

TelaGuardada::~TelaGuardada() {
  if (restaura_) screen_.restore(salva_);
}

std::string ACHACOR(int attr) { return rt::term::colourText(toAttr(attr)); }

std::string REP(int n) {
  std::string s(1, kRep);
  s += static_cast<char>(n);
  return s;
}

std::string XREP(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t p = 0; p < text.size(); ++p) {
    if (text[p] == kRep && p + 2 < text.size()) {
      out.append(static_cast<unsigned char>(text[p + 1]), text[p + 2]);
      p += 2;
    } else {
      out += text[p];
    }
  }
  return out;
}

}  // namespace console
