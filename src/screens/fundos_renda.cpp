// The backgrounds of the income screens: 1 (JANPJUR, incomes from legal entities of the
// taxpayer and the dependants, over two grids, with the totals panel) and 2 (JANPFIS, incomes
// from natural persons and abroad over the monthly grid).
#include "grid/matriz.h"
#include "rt/text/cp860.h"
#include "screens/fundos_desenho.h"

namespace screens {

using namespace rt::text::literals;
using namespace desenho;

Fundo JANPJUR(const EstadoFundo& e) {
  Fundo f = novo(1, 1, 22, 78);
  titulo(f, 0, 2, "(1)RENDIMENTOS TRIBUTAVEIS E ISENTOS RECEBIDOS DE PESSOAS JURIDICAS");
  if (e.N_DEPEN > 0) {
    // The taxpayer's grid ends on row 10 and the dependants' begins there.
    divisoria(f, 9);
    titulo(f, 9, 2, "(2) TODOS OS RENDIMENTOS RECEBIDOS E IMPOSTOS PAGOS PELOS DEPENDENTES");
  }
  // The totals panel under the grids: incomes and taxes, the taxpayer's beside the dependants'.
  divisoria(f, 17);
  titulo(f, 17, 22, "RENDIMENTOS");
  titulo(f, 17, 58, "IMPOSTOS");
  texto(f, 18, 20, "Titular");
  texto(f, 18, 30, "Dependente");
  texto(f, 18, 56, "Titular");
  texto(f, 18, 66, "Dependente");
  struct Linha {
    std::string_view renda, rendaT, rendaD, imposto, impostoT, impostoD;
  };
  static const Linha kLinhas[] = {
      {"Pessoa Jurídica "_cp, "I13_01", "I13_02", "Rec. Fonte", "I13_21", "I13_22"},
      {"13ro Salário"_cp, "N13ROTIT", "N13RODEP", "Prev./INSS", "NPREVTIT", "NPREVDEP"},
      {"P.Físi/Exterior"_cp, "I13_03", "I13_04", "Carnê Leão"_cp, "I13_23A", "I13_23B"}};
  for (int i = 0; i < 3; ++i) {
    const Linha& l = kLinhas[i];
    const int r = 19 + i;
    texto(f, r, 1, l.renda);
    campo(f, r, 17, l.rendaT, 11);
    campo(f, r, 29, l.rendaD, 11);
    texto(f, r, 42, l.imposto);
    campo(f, r, 53, l.impostoT, 11);
    campo(f, r, 65, l.impostoD, 11);
  }
  return f;
}

Fundo JANPFIS(const EstadoFundo& e) {
  Fundo f = novo(1, 0, 22, 79);
  titulo(f, 0, 2, "(3)Rend. Tribut.Recebido de P.Físicas e apuração do recolhimento mensal"_cp);
  int c = rotulo(f, 1, 1, "Renda do Titular", "I1_11", 1);
  rotulo(f, 1, c, "ou do Dependente CPF", "CPFDEPEN", 14);
  rotulo(f, 1, 56, "Contrib.", "CARNE", 11);
  texto(f, 2, 1, "ALT A Troca (1)Fonte INDIVIDUAL (2)Só TOTAIS (3)Livro Caixa (4)Cálculo Inverso"_cp);
  texto(f, 3, 1, "Seta -> Veja Imposto Corrigido.");
  rotulo(f, 3, 40, "Pagto", "DF_PAGTO", 10);
  // The matrix grid writes the mode's title here itself when Alt+A changes it.
  campo(f, 3, 65, "CAL_AUTO", 14);
  f.quadro.escreve(3, 65, grid::tituloModo(e.CAL_AUTO), 3);
  // The totals sit on the frame's bottom line, under the monthly grid.
  texto(f, 22, 1, "Totais: INSS");
  campo(f, 22, 14, "TOT_INSS", 11);
  texto(f, 22, 27, "Pensão"_cp);
  campo(f, 22, 34, "PENSAOM", 11);
  texto(f, 22, 47, "Dependentes");
  campo(f, 22, 59, "NTOTDEP", 11);
  return f;
}

}  // namespace screens
