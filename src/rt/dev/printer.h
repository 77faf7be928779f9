// The runtime's printer output: positioning by row and column (@ row, col), writing text at the
// print head, eject, PROW()/PCOL() and closing, over one Target.
//
// The byte stream is the one the office's printers have always received:
//   - moving down n rows writes n times CR LF and sets the column to 0;
//   - moving to a column left of the head on the same row writes CR and then blanks;
//   - moving to a row above the head ejects the page first;
//   - eject writes FF CR and puts the head at row 0, column 0.
// Writes are buffered; the first failure is kept and reported again by close(), so a job
// that lost output is never reported as printed.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "rt/dev/target.h"

namespace rt::dev {

class Printer {
 public:
  Printer() = default;
  ~Printer();
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  // Sends the output to `target`, the head at row 0, column 0. A target still open is closed
  // first; a caller that needs its result calls close() before.
  void route(std::unique_ptr<Target> target);
  bool routed() const { return target_ != nullptr; }
  // The file, device or queue routed to ("" when none).
  std::string targetName() const;

  // @ row, col: moves the print head.
  void at(int row, int col);
  // Text at the head; the head moves right by its length.
  void say(std::string_view text);
  void say(int row, int col, std::string_view text) {
    at(row, col);
    say(text);
  }
  // Raw bytes that take no column (control sequences of the printer model).
  void control(std::string_view bytes);
  void eject();
  int prow() const { return row_; }
  int pcol() const { return col_; }
  // SETPRC: the head's position without printing anything.
  void setPrc(int row, int col) {
    row_ = row;
    col_ = col;
  }

  // Flushes and closes the target; the first error of the output since routing.
  Status close();
  // The first error since routing (none while all went well).
  const Status& error() const { return error_; }

 private:
  void put(std::string_view bytes);
  void flush();

  std::unique_ptr<Target> target_;
  std::string buffer_;
  Status error_;
  int row_ = 0;
  int col_ = 0;
};

}  // namespace rt::dev
