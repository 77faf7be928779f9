// The lines of a file written by the tax authority's programs (declarations, capital gains).
// They are read through a buffer; a line ends at a line feed, a NUL byte or the end of the
// file, and loses one carriage return before its line feed (files made under Windows), so a
// field at the end of a line never carries it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/status.h"
#include "rt/base/unique_fd.h"

namespace converter {

class LeitorLinhas {
 public:
  // Opens the file read-only; aberto() says whether it could, erro() the system error.
  explicit LeitorLinhas(const std::string& caminho);
  LeitorLinhas(const LeitorLinhas&) = delete;
  LeitorLinhas& operator=(const LeitorLinhas&) = delete;

  bool aberto() const { return fd_.valid(); }
  // The failure of the open or of the last read (ok: none), its system error kept.
  const rt::Status& erro() const { return erro_; }
  // LELINHA: the next line without its terminator; nullopt at the end of the file or after a
  // read error (erro() then says which).
  std::optional<std::string> LELINHA();
  // Whether the file holds no byte at all (known after the first read).
  bool vazio();

 private:
  bool enche();
  rt::UniqueFd fd_;
  rt::Status erro_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool fim_ = false;
  bool leuAlgo_ = false;
};

// The same split over bytes already in memory.
std::vector<std::string> linhasDe(std::string_view bytes);

}  // namespace converter
