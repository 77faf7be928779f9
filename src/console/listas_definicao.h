// Internal to the pick lists: what a context sets up before the list opens.
#pragma once

#include <string>
#include <vector>

#include "console/listas.h"
#include "rt/ui/browse.h"

namespace console {

struct Listas::Definicao {
  int grupo = 0;                          // 1-21, the context groups of the field names
  int area = 0;                           // the list's area, chosen when the context is set up
  int li = 8, ci = 6, lif = 21, cf = 70;  // window corners
  std::vector<rt::ui::Column> colunas;
  bool busca = false;  // typed characters seek
  // Sums of the footers of the capital-gain lists: rows counted when `somaTodos` (kinds 1-3,
  // filtered by the list) or when their kind equals the variable TIPO_BEM.
  bool somaTodos = false;
  int primeiraSoma = 0;  // 0-based column of the first of the three sums
};

// The context group of a field name, 0 when the name has none.
int grupoDe(std::string_view qualhlp);

}  // namespace console
