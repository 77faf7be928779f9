#include "console/fonte_tabela.h"

#include "rt/text/strings.h"

namespace console {

// The moves of a browse: a failed one leaves the table where it stood, which the browse reads
// back through eof, bof and the current row.
void FonteArea::goTop() {
  if (auto* t = tabela()) t->goTop();
}

void FonteArea::goBottom() {
  if (auto* t = tabela()) t->goBottom();
}

bool FonteArea::eof() const {
  auto* t = tabela();
  return t == nullptr || t->eof();
}

bool FonteArea::bof() const {
  auto* t = tabela();
  return t == nullptr || t->bof();
}

long FonteTabela::skip(long n) {
  rt::db::Table* t = tabela();
  if (t == nullptr) return 0;
  long moved = 0;
  if (n == 0) {
    t->skip(0);
    return 0;
  }
  if (n > 0) {
    while (moved < n) {
      t->skip(1);
      if (!t->status()) break;
      if (t->eof()) {
        t->skip(-1);
        break;
      }
      ++moved;
    }
  } else {
    while (moved > n) {
      t->skip(-1);
      if (!t->status() || t->bof()) break;
      --moved;
    }
  }
  return moved;
}

long FonteTabela::position() const {
  auto* t = tabela();
  return t == nullptr ? 0 : static_cast<long>(t->recNo());
}

namespace {

// Whether a picture has a template after its function part.
bool temMolde(std::string_view picture) {
  if (picture.empty()) return false;
  if (picture.front() != '@') return true;
  auto blank = picture.find(' ');
  return blank != std::string_view::npos && blank + 1 < picture.size();
}

bool temFuncao(std::string_view picture, char f) {
  if (picture.empty() || picture.front() != '@') return false;
  auto fim = picture.find(' ');
  std::string_view funcoes = picture.substr(1, fim == std::string_view::npos ? picture.size() - 1 : fim - 1);
  for (char c : funcoes)
    if (rt::text::upperChar(c) == f) return true;
  return false;
}

}  // namespace

rt::ui::Value valorColuna(const rt::db::Table* t, std::string_view campo, std::string_view picture) {
  if (t == nullptr) return std::string();
  const rt::db::FieldDef* f = t->field(campo);
  if (f == nullptr) return std::string();
  rt::ui::Value v = t->get(campo);
  if (f->type == 'N' && !temMolde(picture)) {
    rt::text::Decimal n = t->getNumber(campo);
    if (n.isZero() && temFuncao(picture, 'Z')) return std::string(static_cast<std::size_t>(f->width), ' ');
    return rt::text::str(n, f->width, f->decimals);
  }
  return v;
}

}  // namespace console
