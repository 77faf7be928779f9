// Every pick list of the program opened over an empty table and left with each key a clerk
// may press there: none may crash or hang, none writes anything back, and each leaves the
// list's state ready for the next one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/listas.h"
#include "rt/term/keys.h"
#include "support/termina_em_tempo.h"
#include "tabelas_fixture.h"

namespace {

using console::teste::C;
using console::teste::EntradaFalsa;
using console::teste::N;
using rt::text::Decimal;
namespace key = rt::term::key;

class ListasVazias : public ::testing::Test, protected console::teste::TabelasFixture {
 protected:
  console::VariaveisMapa vars;
  console::ServicosLista serv;
  console::Listas listas{ctx, console::AcessoTabelas{areas, [this](workareas::Area n) { return abre(n); }}, vars, serv};
};

TEST_F(ListasVazias, EveryListOpenedEmptyEndsWithEveryKeyAndWritesNothing) {
  struct Contexto {
    const char* qualhlp;
    workareas::Area area;  // the area the list selects itself; Nenhuma: the table the caller selected
  };
  // Every field name of the lists, grouped as the lists are.
  using A = workareas::Area;
  const Contexto contextos[] = {
      {"M->CPF", A::Nenhuma},      {"M->CPF1", A::Nenhuma},     {"M->CPF2", A::Nenhuma},      {"M->NOMECONTR", A::Nenhuma},
      {"M->DIRCONJU", A::Nenhuma}, {"M->CPFEMAIL", A::Nenhuma}, {"M->CPFSAC", A::IMP0910},    {"M->CGCPAGADOR", A::TMP_02},
      {"M->CDPRO", A::Nenhuma},    {"M->OCUPACAO", A::Nenhuma}, {"I1_8", A::TMP_03},        {"M->CPFDEPEN", A::TMP_03},
      {"M->CODAT", A::Nenhuma},    {"M->DESCRAT", A::Nenhuma},  {"M->BANCO", A::Nenhuma},     {"CODIDEPEN", A::Nenhuma},
      {"I7_5", A::Nenhuma},        {"I8_5", A::Nenhuma},        {"I6_3", A::Nenhuma},         {"CODIGO", A::Nenhuma},
      {"M->ORIGEM", A::DIRET},  {"M->DESTINO", A::DIRET}, {"M->TIPO_BEM", A::TMP_07}, {"M->I3_04", A::TMP_07},
      {"I7_8", A::Nenhuma},        {"CODPAIS", A::Nenhuma},     {"I8R_3", A::Nenhuma},        {"M->CODEMB", A::Nenhuma},
      {"M->ESTATUS", A::Nenhuma},  {"M->TIPOEND", A::Nenhuma},  {"M->MUNICIPIO", A::Nenhuma}, {"M->CDCONTA", A::CONTAS},
      {"CDCONTA", A::CONTAS},    {"CODIGOA", A::Nenhuma},
  };
  // The keys, each followed by Esc in case the first one leaves the list open.
  const std::vector<int> teclas = {key::Esc,  key::Enter,    key::CtrlEnter, key::Up,   key::Down,  key::PgUp,
                                   key::PgDn, key::CtrlPgUp, key::CtrlPgDn,  key::Left, key::Right, key::Home,
                                   key::End,  key::F1,       key::F2,        key::F3,   'a',        '5'};
  vars.atribui("I3_04UNICC", Decimal(1));  // the gains summary opens only with gains
  vars.atribui("TIPO_BEM", Decimal(1));
  for (const Contexto& c : contextos) {
    SCOPED_TRACE(c.qualhlp);
    // Opened by a field check (the code table selected first) and by a key during a form.
    for (const bool porChecagem : {true, false}) {
      EXPECT_TRUE(support::terminaEmTempo([&] {
        const workareas::Area area = c.area == workareas::Area::Nenhuma ? workareas::Area::Rascunho : c.area;
        cria(workareas::Area::IMP0110, "OUTRA", {C("X", 1)}, {{"a"}});
        cria(area, "VAZIA", {N("TIPO_BEM", 1), C("CPF", 11), C("I1_1", 1), N("CODBEM", 2)}, {});
        for (int tecla : teclas) {
          SCOPED_TRACE(tecla);
          // Esc in a code list closes its table: open again for the next key.
          if (!areas.isOpen(area)) {
            ASSERT_TRUE(abre(area));
          }
          (void)areas.select(area);
          vars.atribui("OPCAO_1", Decimal(tecla % 2 == 0 ? 12 : 11));
          term.press(tecla).press(key::Esc);
          EntradaFalsa campo(c.qualhlp);
          if (porChecagem) {
            ctx.QUALHLP = c.qualhlp;
            (void)listas.GERAL2();
          } else {
            rt::term::ActiveInputScope escopo(con, campo);
            listas.GERAL();
          }
          EXPECT_EQ(listas.PROG, 0);
          EXPECT_FALSE(listas.TEMHLP);
          EXPECT_FALSE(listas.escolheu());
          EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kLista));
          EXPECT_EQ(campo.redesenhos, 0);
          // Nothing chosen: no variable of a field is written (only the three the test set).
          EXPECT_FALSE(vars.tem("CPF") || vars.tem("CODMUNI") || vars.tem("BANCO") || vars.tem("ESTATUS") ||
                       vars.tem("CDCONTA") || vars.tem("CODPAIS") || vars.tem("ORIGEM"));
          if (auto* t = areas.table(area)) {
            EXPECT_FALSE(t->hasFilter());
          }
          // The next list opens: the keys were all read.
          EXPECT_EQ(term.pending(), 0U);
        }
      }));
    }
  }
}

}  // namespace
