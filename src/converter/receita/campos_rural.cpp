// The fields of the tax authority's records of one subject, for the table of campos.h.
// The rural activity: the properties (50), the monthly results (51), the summary (52), the
// herd (53), the assets (54), the debts (55) and the result abroad (56).
#include "converter/receita/campos_assuntos.h"

namespace converter {

namespace {

using C = Conversao;

constexpr CampoFixo kCampos[] = {
    {"50", kAmbos, 12, 1, "lugar", C::Texto},
    {"50", kAmbos, 13, 8, "I2R_03", C::Texto},
    {"50", kAmbos, 21, 60, "I2R_01", C::Convertido},
    {"50", kAmbos, 81, 55, "I2R_06", C::Convertido},
    {"50", kAmbos, 136, 10, "I2R_02", C::Decimos},
    {"50", kAmbos, 146, 5, "I2R_04", C::Valor},
    {"50", kAmbos, 151, 1, "I2R_05", C::Numero},
    {"50", kAmbos, 152, 2, "I2R_07", C::Numero},
    {"51", k2010, 12, 1, "lugar", C::Texto},
    {"51", k2010, 13, 2, "mes", C::Numero},
    {"51", k2010, 15, 13, "despesa", C::Valor},
    {"51", k2010, 28, 13, "receita", C::Valor},
    {"52", kAmbos, 12, 1, "lugar", C::Texto},
    {"52", k2009, 104, 13, "I4R_04", C::Valor},
    {"52", k2009, 117, 13, "I5_10", C::Valor},
    {"52", k2010, 52, 13, "I4R_04", C::Valor},
    {"52", k2010, 117, 13, "I5_09", C::Valor},
    {"52", k2010, 130, 13, "I5_10", C::Valor},
    {"53", kAmbos, 12, 1, "lugar", C::Texto},
    {"53", kAmbos, 13, 1, "especie", C::Numero},
    {"53", kAmbos, 14, 10, "inicial", C::Valor},
    {"53", kAmbos, 24, 10, "nascimentos", C::Valor},
    {"53", kAmbos, 34, 10, "compras", C::Valor},
    {"53", kAmbos, 44, 10, "vendas", C::Valor},
    {"53", kAmbos, 54, 10, "perdas", C::Valor},
    {"54", kAmbos, 12, 1, "lugar", C::Texto},
    {"54", kAmbos, 13, 3, "I8R_3", C::Texto},
    {"54", kAmbos, 16, 2, "CODIGO", C::Numero},
    {"54", kAmbos, 18, 512, "I8R_1", C::Convertido},
    {"54", k2010, 530, 13, "I8R_2", C::Valor},
    {"55", kAmbos, 12, 1, "lugar", C::Texto},
    {"55", kAmbos, 13, 250, "I9R_1", C::Convertido},
    {"55", kAmbos, 263, 13, "primeiro", C::Valor},
    {"55", kAmbos, 276, 13, "segundo", C::Valor},
    {"55", kAmbos, 289, 13, "terceiro", C::Valor},
    {"56", kAmbos, 12, 3, "CODPAIS", C::Texto},
    {"56", kAmbos, 15, 13, "RECEXT", C::Valor},
    {"56", kAmbos, 28, 13, "DESEXT", C::Valor},
    {"56", kAmbos, 41, 13, "resultado", C::Valor},
    {"56", kAmbos, 54, 13, "RESUS", C::Valor},
};

}  // namespace

std::span<const CampoFixo> camposRural() { return kCampos; }

}  // namespace converter
