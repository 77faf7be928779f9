// Keys bound while a screen runs, put back as they were when it ends.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "rt/term/console.h"

namespace screens {

class TeclasLigadas {
 public:
  explicit TeclasLigadas(rt::term::Console& c) : con_(c) {}
  ~TeclasLigadas() {
    for (auto it = antes_.rbegin(); it != antes_.rend(); ++it) {
      if (it->second)
        con_.setKey(it->first, *it->second);
      else
        con_.clearKey(it->first);
    }
  }
  TeclasLigadas(const TeclasLigadas&) = delete;
  TeclasLigadas& operator=(const TeclasLigadas&) = delete;
  void liga(int codigo, rt::term::Console::HotKey acao, bool soCtrlLetra = false) {
    const rt::term::Console::HotKey* h = con_.hotKeyFor(rt::term::Key{codigo, soCtrlLetra});
    antes_.emplace_back(codigo, h != nullptr ? std::optional(*h) : std::nullopt);
    con_.setKey(codigo, std::move(acao), soCtrlLetra);
  }

 private:
  rt::term::Console& con_;
  std::vector<std::pair<int, std::optional<rt::term::Console::HotKey>>> antes_;
};

}  // namespace screens
