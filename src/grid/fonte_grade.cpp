#include "grid/fonte_grade.h"

namespace grid {

long FonteGrade::skip(long n) {
  rt::db::Table* t = tabela();
  if (t == nullptr) return 0;
  long moved = 0;
  if (n == 0) {
    if (!t->eof()) t->skip(0);
    return 0;
  }
  while (moved < n) {
    if (t->eof()) break;
    t->skip(1);
    if (!t->status()) break;
    if (t->eof()) {
      // Past the last record only onto the phantom row of append mode.
      if (anexando_) {
        ++moved;
      } else {
        t->skip(-1);
      }
      break;
    }
    ++moved;
  }
  while (moved > n) {
    if (t->eof()) {
      t->goBottom();
      if (t->eof()) break;  // no record at all
      --moved;
      continue;
    }
    t->skip(-1);
    if (!t->status() || t->bof()) break;
    --moved;
  }
  return moved;
}

long FonteGrade::position() const {
  auto* t = tabela();
  return t == nullptr || t->eof() ? 0 : static_cast<long>(t->recNo());
}

}  // namespace grid
