// The fields of the tax authority's records of one subject, for the table of campos.h.
// The payments (26) and the donations of the statute of the child (34).
#include "converter/receita/campos_assuntos.h"

namespace converter {

namespace {

using C = Conversao;

constexpr CampoFixo kCampos[] = {
    {"26", kAmbos, 12, 2, "I6_3", C::Numero},
    {"26", kAmbos, 14, 5, "I6_6", C::Numero},
    {"26", kAmbos, 19, 14, "I6_2", C::Pontuado},
    {"26", kAmbos, 33, 50, "I6_1", C::Convertido},
    {"26", k2010, 93, 11, "cpf50", C::Texto},
    {"26", k2010, 104, 13, "I6_4", C::Valor},
    {"26", k2010, 117, 13, "I6_5", C::Valor},

    {"34", k2010, 12, 14, "I6_2", C::Pontuado},
    {"34", k2010, 26, 50, "I6_1", C::Convertido},
    {"34", k2010, 86, 13, "I6_4", C::Valor},
};

}  // namespace

std::span<const CampoFixo> camposPagamentos() { return kCampos; }

}  // namespace converter
