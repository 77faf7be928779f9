// The table writes of one step (a computation, a grid's action) and what is said when the table
// refuses one. A refused write is never dropped: the step goes on with its other writes, and
// the first refusal is said once, through `Saida::alerta`, when the step ends (or at once with
// `diz`). A number too wide for its field names the field and says that it kept its value.
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "console/recusa.h"
#include "rt/base/status.h"
#include "rt/db/table.h"
#include "taxcalc/saida.h"

namespace taxcalc {

// Refusals are worded as every layer words them.
using console::textoRecusa;

class Gravacoes {
 public:
  explicit Gravacoes(Saida& saida) : saida_(saida), excecoes_(std::uncaught_exceptions()) {}
  // Said at the end of the step; not while an error unwinds it, which the program reports.
  ~Gravacoes() {
    if (std::uncaught_exceptions() == excecoes_) diz();
  }
  Gravacoes(const Gravacoes&) = delete;
  Gravacoes& operator=(const Gravacoes&) = delete;

  // Writes a field of the current record; false (and kept to be said) when refused.
  bool put(rt::db::Table& t, std::string_view campo, const rt::db::Value& v);
  bool put(rt::db::Table& t, int campo, const rt::db::Value& v);
  // Any other write (flush, delete, lock, pack ...), named by what it did.
  bool confere(const rt::Status& s, std::string_view oque);
  bool ok() const { return primeira_.isOk(); }
  // Says the first refusal now, if any and not said yet.
  void diz();

 private:
  Saida& saida_;
  int excecoes_;
  rt::Status primeira_;  // the first refusal, told once said
  std::string texto_;    // its words
};

}  // namespace taxcalc
