// How the console's lists and help reach the tables of the catalogue: the terminal's work
// areas and the store's opener, which says its own failure.
#pragma once

#include "console/listas.h"
#include "store/abertura.h"
#include "store/contexto.h"

namespace store {

inline console::AcessoTabelas acessoTabelas(Contexto& ctx) {
  return console::AcessoTabelas{ctx.areas, [&ctx](Area a) { return ABERTURA(ctx, a); }};
}

}  // namespace store
