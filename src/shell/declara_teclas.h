// The keys the declaration driver binds: the chooser keys while the CPF is asked and the
// screen keys while a declaration is open. A binding lasts as long as its guard; whatever
// the key did before is put back when the guard goes.
#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "rt/term/console.h"
#include "shell/declara.h"

namespace shell {

class TeclasLigadas {
 public:
  explicit TeclasLigadas(rt::term::Console& console) : console_(console) {}
  ~TeclasLigadas();
  TeclasLigadas(const TeclasLigadas&) = delete;
  TeclasLigadas& operator=(const TeclasLigadas&) = delete;

  void liga(int codigo, rt::term::Console::HotKey acao);

 private:
  rt::term::Console& console_;
  std::vector<std::pair<int, std::optional<rt::term::Console::HotKey>>> antes_;
};

// The status line while the CPF is asked.
std::string_view textoTeclasDoCodigo();

// F1 to F8 and F11 of the taxpayer prompt.
void ligaTeclasDoCodigo(Declara& d, TeclasLigadas& t);
// The screen keys of an open declaration (Alt-W only when TEMP_SAL is below 98; F12 acts
// only with rural activity).
void ligaTeclasDaTela(Declara& d, TeclasLigadas& t);

}  // namespace shell
