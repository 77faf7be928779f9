// The fields of the tax authority's records of one subject, for the table of campos.h.
// The dependants (25), the alimony beneficiaries (35) and the dependants' self-assessed
// months (36).
#include "converter/receita/campos_assuntos.h"

namespace converter {

namespace {

using C = Conversao;

constexpr CampoFixo kCampos[] = {
    {"25", kAmbos, 12, 5, "numero", C::Numero},
    {"25", kAmbos, 17, 2, "CODIDEPEN", C::Numero},
    {"25", kAmbos, 19, 40, "NOMEDEPEN", C::Convertido},
    {"25", kAmbos, 79, 8, "DATADEPEN", C::Data},
    {"25", kAmbos, 87, 11, "CPFDEPEN", C::Texto},

    {"35", k2009, 12, 5, "numero", C::Numero},
    {"35", k2009, 17, 40, "NOMEDEPEN", C::Convertido},
    {"35", k2010, 12, 1, "tipo", C::Texto},
    {"35", k2010, 13, 5, "numero", C::Numero},
    {"35", k2010, 18, 40, "NOMEDEPEN", C::Convertido},
    {"35", k2010, 78, 8, "DATADEPEN", C::Data},
    {"35", k2010, 86, 11, "CPFDEPEN", C::Texto},

    {"36", k2010, 12, 11, "CPFDEPEN", C::Texto},
};

}  // namespace

std::span<const CampoFixo> camposDependentes() { return kCampos; }

}  // namespace converter
