#include "store/areas.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "rt/text/strings.h"
#include "store/catalogo.h"

using store::Area;

namespace {

// Every name of the enum with its spelling, so the names are compared with the catalogue's.
#define AREA(x) \
  { Area::x, #x }
const std::map<Area, std::string> kNomes = {
    AREA(IMP0110), AREA(IMP0210),   AREA(IMP0310),  AREA(IMP0410),  AREA(IMP0510), AREA(IMP0610),
    AREA(IMP0710), AREA(IMP0810),   AREA(IMP0910),  AREA(IMP1010),  AREA(IMP1110), AREA(IMP1210),
    AREA(IMP1310), AREA(IMP1410),   AREA(IMP1510),  AREA(IMP1610),  AREA(IMP1710), AREA(IMP1810),
    AREA(IMP1910), AREA(IMP2010),   AREA(TMP_01),   AREA(TMP_02),   AREA(TMP_03),  AREA(TMP_04),
    AREA(TMP_05),  AREA(TMP_06),    AREA(TMP_07),   AREA(TMP_08),   AREA(TMP_09),  AREA(TMP_10),
    AREA(TMP_11),  AREA(TMP_12),    AREA(TMP_13),   AREA(TMP_14),   AREA(TMP_15),  AREA(TMP_16),
    AREA(TMP_17),  AREA(TMP_18),    AREA(TMP_19),   AREA(DIRET),    AREA(PRINTS),  AREA(CONFIG),
    AREA(DEFINE),  AREA(IMPCORRIG), AREA(HELPTXT),  AREA(CODBENS),  AREA(CODEPEN), AREA(CODDIVI),
    AREA(DESPESA), AREA(UFIRM),     AREA(AUXBENS),  AREA(AUXPAG),   AREA(LISERRO), AREA(BANCOS),
    AREA(CORES),   AREA(CONFIMP),   AREA(OCUPACAO), AREA(CODNATUR), AREA(TABPAIS), AREA(TABEMBA),
    AREA(CONTAS),  AREA(FOLHAPG),   AREA(TABMUNI),  AREA(TABLOGR),  AREA(STATUS),  AREA(BOLETO),
    AREA(DETALH),  AREA(CODABENS),  AREA(LISNOME),
};
#undef AREA

}  // namespace

// Each table of the catalogue is named by its own file name at its own number, every name
// below the copies is a table of the catalogue, and each copy is its table's number + 20 with
// the copy's file name.
TEST(Areas, NamesAgreeWithTheCatalogue) {
  std::map<int, std::string> doCatalogo;
  for (const store::TabelaDef& t : store::catalogo())
    if (!t.alternativa) doCatalogo[store::numero(t.numero)] = rt::text::upper(t.arquivo);

  std::map<int, std::string> doEnum;
  for (const auto& [a, nome] : kNomes) doEnum[store::numero(a)] = nome;
  for (const auto& [n, nome] : doCatalogo) EXPECT_EQ(doEnum[n], nome) << "table " << n;

  for (const auto& [a, nome] : kNomes) {
    const int n = store::numero(a);
    if (n >= 21 && n <= 39) {
      const Area t = store::origem(a);
      EXPECT_EQ(store::copia(t), a);
      ASSERT_TRUE(doCatalogo.count(store::numero(t))) << nome;
      const auto copia = store::copiaDeTrabalho(a);
      ASSERT_TRUE(copia.has_value()) << nome;
      EXPECT_EQ(copia->arquivo, nome);
      EXPECT_EQ(nome.substr(4), doCatalogo[store::numero(t)].substr(3, 2)) << nome;
    } else {
      EXPECT_TRUE(doCatalogo.count(n)) << nome << " is no table of the catalogue";
    }
  }
}
