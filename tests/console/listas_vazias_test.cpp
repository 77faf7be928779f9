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
  console::Listas listas{ctx, console::AcessoTabelas{areas, [this](int n) { return abre(n); }}, vars, serv};
};

TEST_F(ListasVazias, EveryListOpenedEmptyEndsWithEveryKeyAndWritesNothing) {
  struct Contexto {
    const char* qualhlp;
    int area;  // the area the list selects itself; 0: the table the caller selected
  };
  // Every field name of the lists, grouped as the lists are.
  const Contexto contextos[] = {
      {"M->CPF", 0},      {"M->CPF1", 0},     {"M->CPF2", 0},      {"M->NOMECONTR", 0},
      {"M->DIRCONJU", 0}, {"M->CPFEMAIL", 0}, {"M->CPFSAC", 9},    {"M->CGCPAGADOR", 22},
      {"M->CDPRO", 0},    {"M->OCUPACAO", 0}, {"I1_8", 23},        {"M->CPFDEPEN", 23},
      {"M->CODAT", 0},    {"M->DESCRAT", 0},  {"M->BANCO", 0},     {"CODIDEPEN", 0},
      {"I7_5", 0},        {"I8_5", 0},        {"I6_3", 0},         {"CODIGO", 0},
      {"M->ORIGEM", 40},  {"M->DESTINO", 40}, {"M->TIPO_BEM", 27}, {"M->I3_04", 27},
      {"I7_8", 0},        {"CODPAIS", 0},     {"I8R_3", 0},        {"M->CODEMB", 0},
      {"M->ESTATUS", 0},  {"M->TIPOEND", 0},  {"M->MUNICIPIO", 0}, {"M->CDCONTA", 62},
      {"CDCONTA", 62},    {"CODIGOA", 0},
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
        const int area = c.area == 0 ? 50 : c.area;
        cria(1, "OUTRA", {C("X", 1)}, {{"a"}});
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
