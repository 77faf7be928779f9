// The fields of the tax authority's records of one subject, for the table of campos.h.
// The incomes: the simplified totals (17), the self-assessed months (22), the main payer (19),
// the payers of the titular and of the dependants (21, 31, 32), the exempt and exclusive
// incomes (23, 24), the dividends (33) and the suspended incomes (80, 81).
#include "converter/receita/campos_assuntos.h"

namespace converter {

namespace {

using C = Conversao;

constexpr CampoFixo kCampos[] = {
    {"17", k2010, 25, 13, "titDividendos", C::Valor},
    {"17", k2010, 38, 13, "titI1_9", C::Valor},
    {"17", k2010, 51, 13, "titI1_10", C::Valor},
    {"17", k2010, 64, 13, "titI1_7", C::Valor},
    {"17", k2010, 77, 13, "titI1_14", C::Valor},
    {"17", k2010, 90, 13, "depI1_7", C::Valor},
    {"17", k2010, 103, 13, "depDividendos", C::Valor},
    {"17", k2010, 116, 13, "depI1_9", C::Valor},
    {"17", k2010, 129, 13, "depI1_10", C::Valor},
    {"17", k2010, 142, 13, "depI1_13", C::Valor},
    {"17", k2010, 155, 13, "depI1_14", C::Valor},
    {"17", k2010, 168, 13, "titI1_12", C::Valor},
    {"17", k2010, 181, 13, "depI1_12", C::Valor},
    {"17", k2010, 220, 13, "titI1_13", C::Valor},

    {"22", k2010, 12, 1, "dependente", C::Texto},
    {"22", k2010, 24, 2, "mes", C::Numero},
    {"22", k2010, 26, 13, "renda", C::Valor},
    {"22", k2010, 39, 13, "exterior", C::Valor},
    {"22", k2010, 52, 13, "caixa", C::Valor},
    {"22", k2010, 65, 13, "pensao", C::Valor},
    {"22", k2010, 91, 13, "inss", C::Valor},
    {"22", k2010, 117, 13, "imposto", C::Valor},

    {"19", k2010, 12, 14, "CGCPAGADOR", C::Pontuado},
    {"19", k2010, 26, 13, "I13_25", C::Valor},
    {"19", k2010, 39, 13, "I13_24", C::Valor},
    {"19", k2010, 52, 13, "I13_26", C::Valor},

    {"21", kAmbos, 12, 14, "I1_3", C::Pontuado},
    {"21", kAmbos, 26, 40, "I1_2", C::Convertido},
    {"21", k2010, 86, 13, "I1_4", C::Valor},
    {"21", k2010, 99, 13, "I1_6", C::Valor},
    {"21", k2010, 112, 13, "I1_7", C::Valor},
    {"21", k2010, 125, 13, "I1_5", C::Valor},

    {"23", k2010, 12, 13, "I3_01", C::Valor},
    {"23", k2010, 25, 13, "I3_02", C::Valor},
    {"23", k2010, 38, 13, "I3_03", C::Valor},
    {"23", k2010, 51, 13, "I3_04", C::Valor},
    {"23", k2010, 64, 13, "I3_05", C::Valor},
    {"23", k2010, 77, 13, "I3_11", C::Valor},
    {"23", k2010, 90, 13, "isento17", C::Valor},
    {"23", k2010, 103, 13, "isento18", C::Valor},
    {"23", k2010, 116, 13, "I3_08", C::Valor},
    {"23", k2010, 129, 13, "I3_09", C::Valor},
    {"23", k2010, 142, 13, "I3_10", C::Valor},
    {"23", k2010, 155, 13, "I3_12", C::Valor},
    {"23", k2010, 168, 40, "I3_12D", C::Convertido},
    {"23", k2010, 228, 13, "isentoDep", C::Valor},
    {"23", k2010, 241, 13, "I3_04GCPV", C::Valor},
    {"23", k2010, 254, 13, "I3_04UNIC", C::Valor},
    {"23", k2010, 267, 13, "I3_04REDU", C::Valor},
    {"23", k2010, 319, 13, "I3_04EXTR", C::Valor},
    {"23", k2010, 371, 13, "I3_14", C::Valor},

    {"24", k2010, 12, 13, "I4_01", C::Valor},
    {"24", k2010, 25, 13, "I4_02", C::Valor},
    {"24", k2010, 38, 13, "I4_03", C::Valor},
    {"24", k2010, 51, 13, "I4_04", C::Valor},
    {"24", k2010, 64, 13, "I4_05", C::Valor},
    {"24", k2010, 77, 40, "I4_05D", C::Convertido},
    {"24", k2010, 176, 13, "exclusivoDep", C::Valor},

    {"31", kAmbos, 12, 14, "I1_3", C::Pontuado},
    {"31", kAmbos, 26, 40, "I1_2", C::Convertido},
    {"31", k2010, 86, 13, "I1_4", C::Valor},
    {"31", k2010, 99, 13, "I1_5", C::Valor},

    {"32", kAmbos, 12, 11, "I1_8", C::Texto},
    {"32", kAmbos, 23, 14, "I1_3", C::Pontuado},
    {"32", kAmbos, 37, 40, "I1_2", C::Convertido},
    {"32", k2010, 97, 13, "I1_4", C::Valor},
    {"32", k2010, 110, 13, "I1_6", C::Valor},
    {"32", k2010, 123, 13, "I1_7", C::Valor},
    {"32", k2010, 136, 13, "I1_5", C::Valor},

    {"33", k2010, 17, 1, "titular", C::Texto},
    {"33", k2010, 18, 14, "I1_3", C::Pontuado},
    {"33", k2010, 32, 40, "I1_2", C::Convertido},
    {"33", k2010, 92, 13, "I1_15", C::Valor},

    {"80", k2010, 12, 14, "I1_3", C::Pontuado},
    {"80", k2010, 26, 40, "I1_2", C::Convertido},
    {"80", k2010, 86, 13, "I1_19", C::Valor},
    {"80", k2010, 99, 13, "I1_20", C::Valor},
    {"81", k2010, 12, 11, "I1_8", C::Texto},
    {"81", k2010, 23, 14, "I1_3", C::Pontuado},
    {"81", k2010, 37, 40, "I1_2", C::Convertido},
    {"81", k2010, 97, 13, "I1_19", C::Valor},
    {"81", k2010, 110, 13, "I1_20", C::Valor},
};

}  // namespace

std::span<const CampoFixo> camposRendimentos() { return kCampos; }

}  // namespace converter
