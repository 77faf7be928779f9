// The fields of the tax authority's records of one subject, for the table of campos.h.
// The assets (27) and the debts (28).
#include "converter/receita/campos_assuntos.h"

namespace converter {

namespace {

using C = Conversao;

constexpr CampoFixo kCampos[] = {
    {"27", kAmbos, 12, 2, "I7_5", C::Numero},
    {"27", kAmbos, 14, 1, "noBrasil", C::Texto},
    {"27", kAmbos, 15, 3, "I7_8", C::Texto},
    {"27", kAmbos, 18, 512, "I7_2", C::Convertido},
    {"27", k2010, 530, 13, "I7_3", C::Valor},
    {"27", kAmbos, 543, 13, "I7_4", C::Valor},

    {"28", kAmbos, 12, 2, "I8_5", C::Numero},
    {"28", kAmbos, 14, 250, "I8_2", C::Convertido},
    {"28", k2010, 264, 13, "I8_3", C::Valor},
    {"28", kAmbos, 277, 13, "I8_4", C::Valor},
};

}  // namespace

std::span<const CampoFixo> camposBens() { return kCampos; }

}  // namespace converter
