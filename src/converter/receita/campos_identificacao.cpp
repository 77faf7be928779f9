// The fields of the tax authority's records of one subject, for the table of campos.h.
// The header (line 1), the taxpayer (record 16 and its parts by kind of declaration), the
// spouse (29), the estate or departure (30, 30E) and the final declaration of an estate (38).
#include "converter/receita/campos_assuntos.h"

namespace converter {

namespace {

using C = Conversao;

// The identification record is given by line columns; the table keeps body positions.
constexpr int col(int coluna) { return coluna - 2; }

constexpr CampoFixo kCampos[] = {
    // Header: the kind, the program, the year, the two receipts.
    {"HD", kAmbos, col(1), 4, "cdecl", C::Texto},
    {"HD", kAmbos, col(1), 8, "programa", C::Texto},
    {"HD", kAmbos, col(9), 4, "ano", C::Texto},
    {"HD", kAmbos, col(165), 10, "reciboAtu", C::Texto},
    {"HD", kAmbos, col(204), 10, "reciboAnt", C::Texto},
    // Identification: what every kind of declaration carries.
    {"16", kAmbos, col(3), 11, "CPF", C::Texto},
    {"16", kAmbos, col(14), 53, "NOMECONTR", C::Convertido},
    {"16", kAmbos, col(74), 15, "TIPOEND", C::Convertido},
    {"16", kAmbos, col(89), 37, "ENDERECO", C::Convertido},
    {"16", kAmbos, col(129), 6, "NUMERO", C::Texto},
    {"16", kAmbos, col(135), 21, "COMPLEM", C::Convertido},
    {"16", kAmbos, col(156), 19, "BAIRRO", C::Convertido},
    {"16", kAmbos, col(175), 8, "CEP", C::Texto},
    {"16", kAmbos, col(183), 1, "exterior", C::Texto},
    {"16", kAmbos, col(184), 4, "CODMUNI", C::Texto},
    {"16", kAmbos, col(188), 30, "MUNICIPIO", C::Convertido},
    {"16", kAmbos, col(228), 2, "UF", C::Texto},
    {"16", kAmbos, col(230), 3, "CODEMB", C::Texto},
    {"16", kAmbos, col(233), 3, "CODPAIS", C::Texto},
    // ... ordinary and departure declarations.
    {"16O", kAmbos, col(236), 40, "EMAIL", C::Convertido},
    {"16O", kAmbos, col(336), 4, "DDDFAX", C::NumeroTexto},
    {"16O", kAmbos, col(340), 8, "NROFAX", C::NumeroTexto},
    {"16O", kAmbos, col(348), 4, "DDDTEL", C::NumeroTexto},
    {"16O", kAmbos, col(352), 8, "TELEFO", C::NumeroTexto},
    {"16O", kAmbos, col(360), 8, "NASCIMENTO", C::Data},
    {"16O", kAmbos, col(368), 13, "TITULO", C::Texto},
    {"16O", kAmbos, col(381), 3, "CDPRO", C::Texto},
    {"16O", kAmbos, col(384), 2, "CODAT", C::Texto},
    {"16O", kAmbos, col(387), 1, "USAPADRAO", C::Texto},
    {"16O", k2010, col(388), 1, "RETIFICA", C::Texto},
    {"16O", k2010, col(390), 1, "NOVOEND", C::Texto},
    {"16O", k2010, col(391), 12, "NRORECIBO", C::Texto},
    {"16O", kAmbos, col(403), 3, "BANCO", C::Texto},
    {"16O", kAmbos, col(406), 5, "AGENCIA", C::Texto},
    {"16O", kAmbos, col(412), 15, "CONTACO", C::Texto},
    // ... an estate's final declaration, and a departure.
    {"16E", kAmbos, col(242), 4, "ANOOBITO", C::Numero},
    {"16E", kAmbos, col(281), 8, "DATADECIS", C::Data},
    {"16S", kAmbos, col(333), 8, "DATAPARTI", C::Data},

    {"29", kAmbos, 12, 11, "CPFCONJU", C::Texto},
    {"29", k2010, 23, 13, "I13_1C", C::Valor},
    {"29", k2010, 36, 13, "I13_4C", C::Valor},
    {"29", k2010, 49, 13, "I13_2C", C::Valor},
    {"29", k2010, 62, 13, "I13_3C", C::Valor},
    {"29", k2010, 75, 13, "I9_2", C::Valor},
    {"29", k2010, 88, 1, "conjunta", C::Texto},

    {"30", kAmbos, 12, 11, "CPFINVENT", C::Texto},
    {"30", kAmbos, 23, 40, "NOMINVENT", C::Convertido},
    {"30", kAmbos, 83, 70, "ENDINVENT", C::Convertido},
    {"30E", kAmbos, 163, 25, "NROPROCES", C::Texto},
    {"30E", kAmbos, 188, 4, "VARACIVIL", C::Texto},
    {"30E", kAmbos, 192, 8, "DATAPARTI", C::Data},
    {"30E", kAmbos, 200, 30, "COMARCA", C::Texto},
    {"30E", kAmbos, 230, 2, "UFPROCES", C::Texto},

    {"38", kAmbos, 12, 4, "ANOOBITO", C::Numero},
    {"38", kAmbos, 27, 11, "CPFINVENT", C::Texto},
    {"38", kAmbos, 38, 40, "NOMINVENT", C::Convertido},
    {"38", kAmbos, 98, 70, "ENDINVENT", C::Convertido},
    {"38", kAmbos, 168, 1, "judicial", C::Texto},
    {"38", kAmbos, 169, 25, "NROPROCES", C::Texto},
    {"38", kAmbos, 194, 4, "VARACIVIL", C::Texto},
    {"38", kAmbos, 198, 30, "COMARCA", C::Texto},
    {"38", kAmbos, 228, 8, "DATAPARTI", C::Data},
    {"38", kAmbos, 236, 8, "DATADECIS", C::Data},
    {"38", kAmbos, 246, 14, "CNPJCARTO", C::Texto},
    {"38", kAmbos, 260, 60, "NOMECARTO", C::Texto},
    {"38", kAmbos, 320, 7, "LIVRCARTO", C::Numero},
    {"38", kAmbos, 327, 7, "FOLHCARTO", C::Numero},
    {"38", kAmbos, 334, 40, "MUNICARTO", C::Texto},
    {"38", kAmbos, 374, 2, "UFPROCES", C::Texto},
    {"38", kAmbos, 376, 8, "DATALAVRA", C::Data},
};

}  // namespace

std::span<const CampoFixo> camposIdentificacao() { return kCampos; }

}  // namespace converter
