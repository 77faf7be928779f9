#include "converter/receita/campos.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <vector>

#include "console/documentos.h"
#include "rt/text/strings.h"

namespace converter {

using rt::text::Date;
using rt::text::Decimal;
using rt::text::Value;
using C = Conversao;

namespace {

// The identification record is given by line columns; the table keeps body positions.
constexpr int col(int coluna) { return coluna - 2; }

std::vector<CampoFixo> monta() {
  std::vector<CampoFixo> v = {
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

      {"25", kAmbos, 12, 5, "numero", C::Numero},
      {"25", kAmbos, 17, 2, "CODIDEPEN", C::Numero},
      {"25", kAmbos, 19, 40, "NOMEDEPEN", C::Convertido},
      {"25", kAmbos, 79, 8, "DATADEPEN", C::Data},
      {"25", kAmbos, 87, 11, "CPFDEPEN", C::Texto},

      {"26", kAmbos, 12, 2, "I6_3", C::Numero},
      {"26", kAmbos, 14, 5, "I6_6", C::Numero},
      {"26", kAmbos, 19, 14, "I6_2", C::Pontuado},
      {"26", kAmbos, 33, 50, "I6_1", C::Convertido},
      {"26", k2010, 93, 11, "cpf50", C::Texto},
      {"26", k2010, 104, 13, "I6_4", C::Valor},
      {"26", k2010, 117, 13, "I6_5", C::Valor},

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

      {"34", k2010, 12, 14, "I6_2", C::Pontuado},
      {"34", k2010, 26, 50, "I6_1", C::Convertido},
      {"34", k2010, 86, 13, "I6_4", C::Valor},

      {"35", k2009, 12, 5, "numero", C::Numero},
      {"35", k2009, 17, 40, "NOMEDEPEN", C::Convertido},
      {"35", k2010, 12, 1, "tipo", C::Texto},
      {"35", k2010, 13, 5, "numero", C::Numero},
      {"35", k2010, 18, 40, "NOMEDEPEN", C::Convertido},
      {"35", k2010, 78, 8, "DATADEPEN", C::Data},
      {"35", k2010, 86, 11, "CPFDEPEN", C::Texto},

      {"36", k2010, 12, 11, "CPFDEPEN", C::Texto},

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

      {"40", k2010, 12, 2, "mes", C::Numero},
      {"40", k2010, 352, 13, "dayTrade14", C::Valor},
      {"40", k2010, 365, 13, "comum14", C::Valor},
      {"40", k2010, 378, 13, "retidoFonte", C::Valor},
      {"40", k2010, 391, 13, "perdaComum", C::Valor},
      {"40", k2010, 404, 13, "perdaDayTrade", C::Valor},
      {"40", k2010, 417, 13, "retidoDayTrade", C::Valor},
      {"41", k2009, 51, 13, "REC_MES01", C::Valor},
      {"42", kAmbos, 12, 2, "mes", C::Numero},
      {"42", k2010, 14, 13, "operacoes", C::Valor},
      {"42", kAmbos, 27, 13, "acumulado", C::Valor},
      {"42", k2010, 82, 13, "retido", C::Valor},

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

      {"60", k2010 | kGanhos, 12, 2, "item", C::Numero},
      {"60", kGanhos, 14, 14, "CPFADQ", C::Pontuado},
      {"60", kGanhos, 28, 60, "NOME_ADQ", C::Convertido},
      {"60", k2010, 14, 53, "ESPC_BEM1", C::Convertido},
      {"60", k2010, 67, 53, "ESPC_BEM2", C::Convertido},
      {"60", k2010, 120, 46, "ESPC_BEM3", C::Convertido},
      {"60", k2010, 174, 20, "NATUOPER", C::Texto},
      {"60", k2010, 217, 30, "ENDEIMO", C::Convertido},
      {"60", k2010, 257, 6, "NUMIMO", C::Texto},
      {"60", k2010, 263, 15, "COMPIMO", C::Convertido},
      {"60", k2010, 284, 15, "BAIRIMO", C::Convertido},
      {"60", k2010, 304, 8, "CEPIMO", C::Texto},
      {"60", k2010, 312, 17, "MUNICIMO", C::Convertido},
      {"60", k2010, 352, 2, "UFIMO", C::Texto},
      {"60", k2010, 406, 1, "VEN_PRAZO", C::Texto},
      {"60", k2010, 477, 13, "VAL_PARTE", C::Valor},
      {"60", k2010, 490, 5, "PERART31", C::Valor},
      {"60", kGanhos, 88, 53, "ESPC_BEM1", C::Convertido},
      {"60", kGanhos, 141, 53, "ESPC_BEM2", C::Convertido},
      {"60", kGanhos, 194, 46, "ESPC_BEM3", C::Convertido},
      {"60", kGanhos, 240, 20, "NATUOPER", C::Texto},
      {"60", kGanhos, 283, 30, "ENDEIMO", C::Convertido},
      {"60", kGanhos, 323, 6, "NUMIMO", C::Texto},
      {"60", kGanhos, 329, 15, "COMPIMO", C::Convertido},
      {"60", kGanhos, 350, 15, "BAIRIMO", C::Convertido},
      {"60", kGanhos, 370, 8, "CEPIMO", C::Texto},
      {"60", kGanhos, 378, 17, "MUNICIMO", C::Convertido},
      {"60", kGanhos, 398, 2, "UFIMO", C::Texto},
      {"60", kGanhos, 458, 1, "VEN_PRAZO", C::Texto},
      {"60", kGanhos, 613, 13, "VAL_PARTE", C::Valor},
      {"60", kGanhos, 627, 5, "PERART31", C::Valor},
      {"60", k2010, 407, 1, "PARCOMPRA", C::Texto},
      {"60", k2010, 408, 1, "pequeno", C::Texto},
      {"61", k2010 | kGanhos, 12, 2, "item", C::Numero},
      {"61", k2010, 14, 53, "ESPC_BEM1", C::Texto},
      {"61", k2010, 67, 53, "ESPC_BEM2", C::Texto},
      {"61", k2010, 120, 46, "ESPC_BEM3", C::Texto},
      {"61", k2010, 174, 20, "NATUOPER", C::Texto},
      {"61", kGanhos, 14, 14, "CPFADQ", C::Pontuado},
      {"61", kGanhos, 28, 60, "NOME_ADQ", C::Convertido},
      {"61", kGanhos, 88, 53, "ESPC_BEM1", C::Convertido},
      {"61", kGanhos, 141, 53, "ESPC_BEM2", C::Convertido},
      {"61", kGanhos, 194, 46, "ESPC_BEM3", C::Convertido},
      {"61", kGanhos, 240, 20, "NATUOPER", C::Texto},
      {"61", kGanhos, 286, 1, "VEN_PRAZO", C::Texto},
      {"62", k2010 | kGanhos, 12, 2, "item", C::Numero},
      {"62", k2010, 14, 60, "ESPC_BEM1", C::Convertido},
      {"62", k2010, 74, 14, "CGC_SOCIE", C::Texto},
      {"62", k2010, 88, 20, "CID_SOCIE", C::Convertido},
      {"62", k2010, 108, 2, "EST_SOCIE", C::Texto},
      {"62", k2010, 110, 1, "VEN_PRAZO", C::Texto},
      {"62", k2010, 111, 1, "participacao", C::Texto},
      {"62", kGanhos, 14, 14, "CPFADQ", C::Pontuado},
      {"62", kGanhos, 28, 60, "NOME_ADQ", C::Convertido},
      {"62", kGanhos, 88, 14, "CGC_SOCIE", C::Texto},
      {"62", kGanhos, 102, 53, "ESPC_BEM1", C::Convertido},
      {"62", kGanhos, 162, 20, "CID_SOCIE", C::Convertido},
      {"62", kGanhos, 182, 2, "EST_SOCIE", C::Texto},
      {"62", kGanhos, 192, 13, "VAL_ALI", C::Valor},
      {"62", kGanhos, 244, 1, "VEN_PRAZO", C::Texto},
      {"62", kGanhos, 356, 1, "participacao", C::Texto},
      {"63", k2010 | kGanhos, 12, 1, "tipo", C::Numero},
      {"63", k2010 | kGanhos, 13, 2, "item", C::Numero},
      {"63", k2010, 15, 60, "NOME_ADQ", C::Convertido},
      {"63", k2010, 75, 14, "CPFADQ", C::Pontuado},
      {"63", k2010, 89, 8, "DATA_ALI", C::Data},
      {"63", k2010, 98, 13, "VAL_ALI", C::Valor},
      {"63", k2010, 111, 13, "CUS_ATUAL", C::Valor},
      {"63", k2010, 163, 13, "VAL_PARTE", C::Valor},
      {"63", k2010, 189, 13, "IMPPAGO", C::Valor},
      {"63", k2010, 243, 1, "VEN_PRAZO", C::Texto},
      {"63", k2010, 245, 1, "PARCOMPRA", C::Texto},
      {"63", k2010, 408, 1, "pequeno", C::Texto},
      {"63", kGanhos, 15, 8, "DATA_ADQ", C::Data},
      {"63", kGanhos, 23, 8, "DATA_ALI", C::Data},
      {"63", kGanhos, 31, 13, "VAL_ALI", C::Valor},
      {"63", kGanhos, 44, 13, "CUS_ATUAL", C::Valor},
      {"63", kGanhos, 57, 13, "IMPPAGO", C::Valor},
      {"64", kGanhos, 12, 1, "tipo", C::Numero},
      {"64", kGanhos, 13, 2, "item", C::Numero},
      {"64", kGanhos, 15, 2, "mes", C::Numero},
      {"64", kGanhos, 17, 13, "receita", C::Valor},
      {"64", kGanhos, 30, 5, "PER_TRI", C::DezMilesimos},
      {"64", kGanhos, 35, 13, "tributado", C::Valor},
      {"64", kGanhos, 48, 13, "devido", C::Valor},
      {"64", kGanhos, 61, 13, "lei", C::Valor},
      {"64", kGanhos, 87, 13, "pago", C::Valor},
      {"66", k2010, 12, 1, "tipo", C::Numero},
      {"66", k2010, 13, 2, "item", C::Numero},
      {"66", k2010, 15, 2, "mes", C::Numero},
      {"66", k2010, 17, 13, "receita", C::Valor},
      {"66", k2010, 30, 5, "PER_TRI", C::DezMilesimos},
      {"66", k2010, 35, 13, "tributado", C::Valor},
      {"66", k2010, 48, 13, "devido", C::Valor},
      {"66", k2010, 61, 13, "lei", C::Valor},
      {"66", k2010, 131, 13, "pago", C::Valor},
      {"65", k2010 | kGanhos, 12, 2, "item", C::Numero},
      {"65", k2010 | kGanhos, 14, 1, "TIPO_ACAO", C::Numero},
      {"65", k2010, 15, 17, "LOTE", C::Texto},
      {"65", k2010, 75, 10, "quantidade", C::Numero},
      {"65", k2010, 85, 12, "medio", C::Milesimos},
      {"65", k2010, 97, 13, "custo", C::Valor},
      {"65", kGanhos, 15, 10, "quantidade", C::Numero},
      {"65", kGanhos, 25, 13, "medio", C::DezMilesimos},
      {"65", kGanhos, 38, 13, "custo", C::Valor},
      {"67", k2010 | kGanhos, 12, 1, "tipo", C::Numero},
      {"67", k2010 | kGanhos, 13, 2, "item", C::Numero},
      {"68", k2010 | kGanhos, 12, 2, "item", C::Numero},
      {"68", k2010 | kGanhos, 14, 4, "ano", C::Numero},
      {"68", k2010, 26, 2, "mes", C::Numero},
      {"68", kGanhos, 18, 2, "mes", C::Numero},
      {"68", k2010 | kGanhos, 20, 13, "VALOR_CUST", C::Valor},
      {"68", k2010 | kGanhos, 34, 4, "PER_CUST", C::Valor},

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
  // Record 40: thirteen common and thirteen day-trade values of the month.
  static const std::vector<std::string> nomes40 = [] {
    std::vector<std::string> n;
    for (int i = 1; i <= 13; ++i) {
      n.push_back("comum" + std::to_string(i));
      n.push_back("dayTrade" + std::to_string(i));
    }
    return n;
  }();
  for (int i = 1; i <= 13; ++i) {
    v.push_back({"40", k2010, 14 + (i - 1) * 13, 13, nomes40[static_cast<std::size_t>(2 * (i - 1))], C::Valor});
    v.push_back({"40", k2010, 183 + (i - 1) * 13, 13, nomes40[static_cast<std::size_t>(2 * i - 1)], C::Valor});
  }
  return v;
}

// Digits with blanks before them and an optional leading minus; the value in units of the
// last digit, or nullopt for anything else or a number too long.
std::optional<std::int64_t> digitos(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negativo = false;
  if (i < s.size() && s[i] == '-') {
    negativo = true;
    ++i;
  }
  std::int64_t n = 0;
  int lidos = 0;
  for (; i < s.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return std::nullopt;
    if (++lidos > 18) return std::nullopt;
    n = n * 10 + (s[i] - '0');
  }
  if (negativo && lidos == 0) return std::nullopt;
  return negativo ? -n : n;
}

rt::Result<Value> numero(std::string_view s, int casas, const CampoFixo& c) {
  auto n = digitos(s);
  if (!n) return rt::Status(rt::Error::kCorrupt, std::string(c.registro) + " " + std::string(c.alvo));
  std::int64_t divisor = 1;
  for (int k = 0; k < casas; ++k) divisor *= 10;
  const std::int64_t inteiro = *n / divisor, fracao = *n % divisor;
  // Beyond what an amount holds: no amount of a declaration is so large.
  if (inteiro > std::numeric_limits<std::int64_t>::max() / Decimal::kScale - 1 ||
      inteiro < std::numeric_limits<std::int64_t>::min() / Decimal::kScale + 1)
    return rt::Status(rt::Error::kCorrupt, std::string(c.registro) + " " + std::string(c.alvo));
  return Value(Decimal::fromRaw(inteiro * Decimal::kScale + fracao * (Decimal::kScale / divisor)));
}

Date dataDe(std::string_view s) {
  auto n = digitos(s);
  if (!n || s.size() != 8 || s.find(' ') != std::string_view::npos) return Date();
  const int dia = std::stoi(std::string(s.substr(0, 2)));
  const int mes = std::stoi(std::string(s.substr(2, 2)));
  const int ano = std::stoi(std::string(s.substr(4, 4)));
  return Date::fromYmd(ano, mes, dia);
}

}  // namespace

std::span<const CampoFixo> camposFixos() {
  static const std::vector<CampoFixo> tabela = monta();
  return tabela;
}

namespace {

constexpr bool um = true, varios = false;
constexpr Secao kSecoesGanhos[] = {{"60", varios}, {"61", varios}, {"62", varios}, {"63", varios}, {"64", varios},
                             {"65", varios}, {"66", varios}, {"67", varios}, {"68", varios}};
constexpr Secao kSecoesDeclaracao[] = {
    {"17", um},     {"18", um},     {"19", um},     {"20", um},     {"21", varios}, {"22", varios}, {"23", um},
    {"24", um},     {"25", varios}, {"26", varios}, {"27", varios}, {"28", varios}, {"29", um},     {"30", um},
    {"31", varios}, {"32", varios}, {"33", varios}, {"34", varios}, {"35", varios}, {"36", varios}, {"38", um},
    {"40", varios}, {"41", um},     {"42", varios}, {"43", um},     {"50", varios}, {"51", varios}, {"52", varios},
    {"53", varios}, {"54", varios}, {"55", varios}, {"56", varios}, {"60", varios}, {"61", varios}, {"62", varios},
    {"63", varios}, {"64", varios}, {"65", varios}, {"66", varios}, {"67", varios}, {"68", varios}, {"80", varios},
    {"81", varios}};

}  // namespace

std::span<const Secao> secoesDeclaracao() { return kSecoesDeclaracao; }
std::span<const Secao> secoesGanhos() { return kSecoesGanhos; }

int ultimaColuna(std::string_view registro, unsigned ano) {
  int ultima = 2;
  for (const CampoFixo& c : camposFixos())
    if (c.registro == registro && (c.anos & ano) != 0) ultima = std::max(ultima, c.posicao + c.largura + 1);
  return ultima;
}

std::string colunas(std::string_view linha, int posicao, int largura) {
  std::string s(static_cast<std::size_t>(largura), ' ');
  const long inicio = static_cast<long>(posicao) + 1;  // 0-based line index
  for (int k = 0; k < largura; ++k) {
    const long i = inicio + k;
    if (i >= 0 && static_cast<std::size_t>(i) < linha.size()) s[static_cast<std::size_t>(k)] = linha[static_cast<std::size_t>(i)];
  }
  return s;
}

rt::Result<Value> leCampo(std::string_view linha, const CampoFixo& c) {
  const std::string s = colunas(linha, c.posicao, c.largura);
  switch (c.conversao) {
    case C::Texto:
      return Value(std::string(rt::text::trim(s)));
    case C::Convertido:
      return Value(console::AJUS_CAR(s, 1));
    case C::Pontuado:
      return Value(console::CONTAPONTO(rt::text::alltrim(s)));
    case C::Valor:
      return numero(s, 2, c);
    case C::Numero:
      return numero(s, 0, c);
    case C::Decimos:
      return numero(s, 1, c);
    case C::Milesimos:
      return numero(s, 3, c);
    case C::DezMilesimos:
      return numero(s, 4, c);
    case C::Data:
      return Value(dataDe(s));
    case C::NumeroTexto: {
      if (rt::text::trim(s).empty()) return Value(std::string());
      return Value(rt::text::str(Decimal::val(s), c.largura));
    }
  }
  return Value(std::string());
}

rt::Result<Campos> leRegistro(std::string_view linha, std::string_view registro, unsigned ano) {
  Campos r;
  for (const CampoFixo& c : camposFixos()) {
    if (c.registro != registro || (c.anos & ano) == 0) continue;
    auto v = leCampo(linha, c);
    if (!v) return v.status();
    r.insert_or_assign(std::string(c.alvo), std::move(*v));
  }
  return r;
}

std::string texto(const Campos& c, std::string_view alvo) {
  auto i = c.find(alvo);
  if (i == c.end()) return {};
  if (const auto* s = std::get_if<std::string>(&i->second)) return *s;
  return {};
}

Decimal valor(const Campos& c, std::string_view alvo) {
  auto i = c.find(alvo);
  if (i == c.end()) return Decimal();
  if (const auto* d = std::get_if<Decimal>(&i->second)) return *d;
  return Decimal();
}

Date data(const Campos& c, std::string_view alvo) {
  auto i = c.find(alvo);
  if (i == c.end()) return Date();
  if (const auto* d = std::get_if<Date>(&i->second)) return *d;
  return Date();
}

}  // namespace converter
