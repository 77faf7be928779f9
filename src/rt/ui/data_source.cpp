#include "rt/ui/data_source.h"

#include <algorithm>

namespace rt::ui {

Value MatrixSource::cell(std::size_t col) const {
  if (current_ >= rows_.size() || col >= rows_[current_].size()) return std::string();
  return rows_[current_][col];
}

void MatrixSource::setCell(std::size_t col, Value v) {
  if (current_ >= rows_.size()) return;
  auto& r = rows_[current_];
  if (col >= r.size()) r.resize(col + 1, std::string());
  r[col] = std::move(v);
}

long MatrixSource::skip(long n) {
  if (rows_.empty()) return 0;
  const long last = static_cast<long>(rows_.size()) - 1;
  const long from = static_cast<long>(current_);
  const long to = std::clamp(from + n, 0L, last);
  current_ = static_cast<std::size_t>(to);
  return to - from;
}

}  // namespace rt::ui
