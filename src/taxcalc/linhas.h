// Reading the rows of a working copy. The totals count every row of the open taxpayer, whatever
// filter a screen has set on the copy, and leave the copy on the row it was on, so a grid
// that asks for a recomputation finds its cursor where it left it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rt/db/table.h"
#include "rt/text/decimal.h"
#include "taxcalc/gravacoes.h"

namespace taxcalc {

using rt::text::Decimal;

// The number in field i of the current row (0 for a field that is not numeric).
inline Decimal numero(const rt::db::Table& t, int i) {
  rt::db::Value v = t.get(i);
  const Decimal* d = std::get_if<Decimal>(&v);
  return d != nullptr ? *d : Decimal();
}
// The text in field i of the current row, blanks included.
inline std::string texto(const rt::db::Table& t, int i) {
  rt::db::Value v = t.get(i);
  std::string* s = std::get_if<std::string>(&v);
  return s != nullptr ? std::move(*s) : std::string();
}
// The first character of a one-letter field ("J", "S" ...); blank when empty.
inline char letra(const rt::db::Table& t, int i) {
  std::string_view raw = t.raw(i);
  return raw.empty() ? ' ' : raw.front();
}

// Visits the rows of `t` in record order, deleted rows left out when the copy hides them, and
// puts the copy back on its row afterwards. A visit that writes into its rows passes its
// Gravacoes: a row is written to the file when the visit moves on, so a move that fails is a
// write that failed; the visit then stops there, and its last row is written before it ends.
class Varredura {
 public:
  explicit Varredura(rt::db::Table& t, Gravacoes* grava = nullptr)
      : t_(t), grava_(grava), volta_(t.eof() ? 0 : t.recNo()) {}
  ~Varredura() {
    // Nothing of the visit is left to write (a writing visit wrote its last row), so a move
    // back that fails loses nothing: the copy then stays where the visit ended.
    if (volta_ != 0)
      t_.goTo(volta_);
    else
      t_.goTo(t_.recordCount() + 1);
  }
  Varredura(const Varredura&) = delete;
  Varredura& operator=(const Varredura&) = delete;

  // The row the copy was on (0 at end of file); the validators skip it.
  std::uint32_t linhaAtual() const { return volta_; }

  template <class F>
  void cada(F&& f) {
    const std::uint32_t n = t_.recordCount();
    for (std::uint32_t r = 1; r <= n; ++r) {
      t_.goTo(r);
      if (const rt::Status& s = t_.status(); !s.isOk()) {
        if (grava_ == nullptr) continue;
        grava_->confere(s, t_.alias());
        return;
      }
      if (t_.deletedHidden() && t_.isDeleted()) continue;
      f(t_, r);
    }
    if (grava_ != nullptr) grava_->confere(t_.flush(), t_.alias());
  }

 private:
  rt::db::Table& t_;
  Gravacoes* grava_;
  std::uint32_t volta_;
};

}  // namespace taxcalc
