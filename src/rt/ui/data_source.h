// What a browse moves over: rows reached one after the other from a current one, as a table
// in some order or an in-memory matrix. The browse only ever moves relative to the current
// row and touches the rows on screen, so a source of any size stays fast.
#pragma once

#include <cstddef>
#include <vector>

#include "rt/ui/binding.h"

namespace rt::ui {

class DataSource {
 public:
  virtual ~DataSource() = default;
  virtual void goTop() = 0;
  virtual void goBottom() = 0;
  // Moves n rows forward (negative: back) and returns how many it moved, with the sign; it
  // stops on the first and the last row (the grids' skip rule).
  virtual long skip(long n) = 0;
  // The current row's place (a row number or a record number), for the caller.
  virtual long position() const = 0;
  // Past the last row (an empty source is both at EOF and at BOF).
  virtual bool eof() const = 0;
  virtual bool bof() const = 0;
};

// A matrix of values held in memory (the monthly matrices); the columns read the current row.
class MatrixSource final : public DataSource {
 public:
  using Row = std::vector<Value>;
  explicit MatrixSource(std::vector<Row> rows = {}) : rows_(std::move(rows)) {}

  std::vector<Row>& rows() { return rows_; }
  const std::vector<Row>& rows() const { return rows_; }
  std::size_t size() const { return rows_.size(); }
  // The current row, 0-based.
  std::size_t row() const { return current_; }
  void goTo(std::size_t row) { current_ = rows_.empty() ? 0 : std::min(row, rows_.size() - 1); }
  // A cell of the current row (an empty text when the matrix is empty or the row short).
  Value cell(std::size_t col) const;
  void setCell(std::size_t col, Value v);

  void goTop() override { current_ = 0; }
  void goBottom() override { current_ = rows_.empty() ? 0 : rows_.size() - 1; }
  long skip(long n) override;
  long position() const override { return static_cast<long>(current_) + 1; }
  bool eof() const override { return rows_.empty(); }
  bool bof() const override { return rows_.empty(); }

 private:
  std::vector<Row> rows_;
  std::size_t current_ = 0;
};

}  // namespace rt::ui
