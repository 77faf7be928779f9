// The five counters of a conversion run, as its counters box shows them: taxpayers (or files)
// to convert, converted, already there, not converted, and left.
#pragma once

namespace converter {

struct Contadores {
  int aConverter = 0, convertidos = 0, existentes = 0, naoConvertidos = 0, restantes = 0;
};

}  // namespace converter
