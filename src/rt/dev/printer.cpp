#include "rt/dev/printer.h"

namespace rt::dev {

namespace {
constexpr std::size_t kFlushAt = 64 * 1024;
}

// Quiet, as a table's destructor: whoever must know how the output ended calls close() first.
Printer::~Printer() { (void)close(); }

void Printer::route(std::unique_ptr<Target> target) {
  // A new target replaces one its caller chose not to close: what the old one held is given up.
  if (target_) (void)close();
  error_ = {};
  target_ = std::move(target);
  row_ = 0;
  col_ = 0;
}

std::string Printer::targetName() const { return target_ ? target_->name() : std::string(); }

void Printer::put(std::string_view bytes) {
  if (!target_) return;
  buffer_.append(bytes);
  if (buffer_.size() >= kFlushAt) flush();
}

void Printer::flush() {
  if (!target_ || buffer_.empty()) return;
  if (error_) {
    if (Status s = target_->write(buffer_); !s) error_ = s;
  }
  buffer_.clear();
}

void Printer::at(int row, int col) {
  if (row < 0) row = 0;
  if (col < 0) col = 0;
  if (row < row_) eject();
  if (row > row_) {
    std::string down;
    for (int i = row_; i < row; ++i) down += "\r\n";
    put(down);
    row_ = row;
    col_ = 0;
  }
  if (col < col_) {
    put("\r");
    col_ = 0;
  }
  if (col > col_) {
    put(std::string(static_cast<std::size_t>(col - col_), ' '));
    col_ = col;
  }
}

void Printer::say(std::string_view text) {
  put(text);
  col_ += static_cast<int>(text.size());
}

void Printer::control(std::string_view bytes) { put(bytes); }

void Printer::eject() {
  put("\f\r");
  row_ = 0;
  col_ = 0;
}

Status Printer::close() {
  if (!target_) return error_;
  flush();
  Status closed = target_->close();
  if (error_ && !closed) error_ = closed;
  target_.reset();
  return error_;
}

}  // namespace rt::dev
