// The instalment matrix's months as the stored fields hold them: shares (TIPOPART 1) keep the
// tax withheld under law 11.033 and the tax paid in two columns, every other kind the tax paid
// in one.
#include "gains/parcelas_ganho.h"

#include <gtest/gtest.h>

#include "gains/ganho.h"
#include "ganhos_fixture.h"

namespace gains::teste {

using rt::text::Decimal;

class ParcelasGanho : public DeclaracaoGanhos {};

TEST_F(ParcelasGanho, MonthsLoadedAndStoredByTheKindsColumns) {
  struct Caso {
    int tipoBem, tipoPart, colunas;
    const char* coluna5;  // the field behind column 5
  };
  for (const Caso& k : {Caso{Participacao, Acoes, 6, "IMP_LEI03"}, Caso{Participacao, Quotas, 5, "IMP_PAG03"},
                        Caso{OutrosBens, 0, 5, "IMP_PAG03"}}) {
    SCOPED_TRACE(k.tipoBem * 10 + k.tipoPart);
    operacao(k.tipoBem * 10 + k.tipoPart, {{"TIPO_BEM", Decimal(k.tipoBem)},
                                           {"TIPOPART", Decimal(k.tipoPart)},
                                           {"REC_MES03", Decimal(100)},
                                           {"REC_MES07", Decimal(50)},
                                           {"VAL_TRI03", Decimal(40)},
                                           {"IMP_DEV03", Decimal(6)},
                                           {"IMP_LEI03", Decimal(5)},
                                           {"IMP_PAG03", Decimal(7)}});
    grid::Matrizes m;
    carregaParcelas(tabela(store::Area::TMP_07), m);
    EXPECT_EQ(m.REC_GANHO_COLUNAS, k.colunas);
    EXPECT_EQ(m.REC_GANHO[3][1], grid::Celula(Decimal(40)));
    EXPECT_EQ(m.REC_GANHO[3][2], grid::Celula(Decimal(6)));
    EXPECT_EQ(m.REC_GANHO[13][4], grid::Celula(Decimal(150)));
    EXPECT_EQ(m.REC_GANHO[3][5], grid::Celula(campo(k.coluna5)));
    EXPECT_EQ(m.REC_GANHO[3][6], grid::Celula(Decimal(k.colunas == 6 ? 7 : 0)));
    // The month captions stay.
    EXPECT_EQ(m.REC_GANHO[13][3], grid::Celula(std::string("<- Totais ->")));

    m.REC_GANHO[7][4] = Decimal(80);
    m.REC_GANHO[3][5] = Decimal(9);
    m.REC_GANHO[3][6] = Decimal(11);
    taxcalc::Gravacoes grava(saida);
    gravaParcelas(tabela(store::Area::TMP_07), m, grava);
    EXPECT_TRUE(grava.ok());
    EXPECT_EQ(campo("REC_MES07"), Decimal(80));
    EXPECT_EQ(campo("REC_MES03"), Decimal(100));
    EXPECT_EQ(campo(k.coluna5), Decimal(9));
    EXPECT_EQ(campo("IMP_PAG03"), Decimal(k.colunas == 6 ? 11 : 9));
    EXPECT_EQ(campo("IMP_LEI03"), Decimal(k.colunas == 6 ? 9 : 5));
  }
}

}  // namespace gains::teste
