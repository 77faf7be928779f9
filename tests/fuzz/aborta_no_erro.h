// The key fuzzer's way of seeing a runtime error: the process ends at once by abort(), the
// description on stderr, instead of the alert, so the fuzzer reports it as a fault and keeps
// the keys that led to it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "rt/text/cp860.h"
#include "shell/programa.h"

inline void abortaNoErro(shell::Program& p) {
  p.aoErroDeExecucao = [](int item, std::string_view descricao) {
    std::fprintf(stderr, "tavren: runtime error in menu item %d: %s\n", item,
                 rt::text::cp860ToUtf8(descricao).c_str());
    std::abort();
  };
}
