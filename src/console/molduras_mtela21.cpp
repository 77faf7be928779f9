// The MTELA21 frames: the DARF's boxes, its quotas, and the print filters.
#include "console/molduras_familias.h"

#include <string>

#include "rt/text/cp860.h"

namespace console::molduras {

using namespace rt::text::literals;

std::optional<Moldura> molduraMtela21(const Contexto& ctx, int n, const ArgsMoldura& a) {
  switch (n) {
    case 1: {
      Moldura m = base(ctx, Jan::kDialogo, 2, 0, 19, 78, 0, Cores::Normal, TabelaPosicao::Forma);
      Quadro& q = m.quadro;
      // Left: the heading and the taxpayer; right: the numbered boxes with their values.
      for (int r = 1; r < 10; ++r) q.escreve(r, 39, molduraSimples().substr(7, 1), 2);
      q.escreve(1, 2, "MINISTERIO DA FAZENDA", 3);
      q.escreve(2, 2, "SRF", 3);
      q.escreve(3, 2, "D A R F", 3);
      q.escreve(5, 2, "01-Nome / Telefone");
      q.campo(6, 2, 36, "01-Nome / Telefone");
      q.campo(7, 2, 36, "Telefone");
      static constexpr std::string_view direita[9] = {
          "02-Período de apuração"_cp, "03-Número do CPF/CNPJ"_cp, "04-Código da receita"_cp,
          "05-Nro de referência"_cp,   "06-Data de Vencimento",    "07-Valor do principal",
          "08-Valor da Multa",         "09-Valor dos juros",       "10-Valor Total"};
      for (int i = 0; i < 9; ++i) {
        q.escreve(1 + i, 41, direita[i]);
        q.campo(1 + i, 63, 14, direita[i]);
      }
      q.divisoria(10, 0, 78);
      q.escreve(0, 39, "┬"_cp, 2);
      q.escreve(10, 39, "┴"_cp, 2);
      const int c = q.rotuloCampo(11, 2, "Quota ou mês Inicial"_cp, 2, 4);
      q.rotuloCampo(11, c, "Quota ou mês Final"_cp, 2);
      const int c2 = q.rotuloCampo(12, 2, "Data Pgto.", 10, 4);
      q.rotuloCampo(12, c2, "Prim. dia útil após Vcto"_cp, 10);
      return m;
    }
    case 2:
      return base(ctx, Jan::kDialogo, a.linha, a.coluna, 12, 20, 1);
    case 3: {
      Moldura m = base(ctx, Jan::kDialogo, 9, 18, 9, 21, 1);
      for (int i = 0; i < 8; ++i) m.quadro.rotuloCampo(i, 1, std::to_string(i + 1) + "a quota", 10);
      return m;
    }
    case 5: {
      Moldura m = base(ctx, Jan::kSubdialogo, 9, 20, 5, 22, 7);
      titulo(m, 0, 2, "Imprimir");
      m.quadro.escreve(1, 2, "Todos os status");
      const int c = m.quadro.rotuloCampo(2, 2, "do status", 2, 1);
      m.quadro.rotuloCampo(2, c, "ao", 2);
      return m;
    }
    case 6: {
      Moldura m = base(ctx, Jan::kSubdialogo, 9, 20, 7, 24, 7);
      titulo(m, 0, 2, "Imprimir");
      opcoes(m, 1, 2,
             {"Independe o imposto", "Apenas os isentos", "Somente c/devolução"_cp, "Somente c/Imposto"});
      return m;
    }
    case 7: {
      Moldura m = base(ctx, Jan::kSubdialogo, 9, 20, 4, 22, 7);
      m.quadro.escreve(1, 2, "CPF do Dependente");
      m.quadro.campo(2, 2, 14, "CPF do Dependente");
      return m;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace console::molduras
