// The MTELA2 frames (a month's index, the fees, the statuses' menu, the exempt incomes) and
// the one MTELA4 frame, the save-mode menu.
#include "console/molduras_familias.h"

#include <string>

#include "rt/text/cp860.h"

namespace console::molduras {

using namespace rt::text::literals;

std::optional<Moldura> molduraMtela2(const Contexto& ctx, int n, const ArgsMoldura&) {
  switch (n) {
    case 1:
      // An empty box where frame 1 last stood.
      return base(ctx, Jan::kSubdialogo, ctx.ALJA[1], ctx.ACJA[1], 16, 44, 1);
    case 2: {
      Moldura m = base(ctx, Jan::kSubdialogo, 14, 42, 3, 24, 1);
      m.quadro.escreve(0, 0, " Mês "_cp, 3);
      m.quadro.campo(0, 6, 2, "Mês"_cp);
      m.quadro.escreve(0, 8, "/");
      m.quadro.campo(0, 9, 4, "Ano");
      m.quadro.escreve(1, 1, "Selic        %");
      m.quadro.campo(1, 7, 6, "Selic");
      return m;
    }
    case 6: {
      Moldura m = base(ctx, Jan::kTela, 7, 37, 8, 25, 0);
      Quadro& q = m.quadro;
      q.escreve(1, 1, "Valor a Cobrar", 3);
      q.escreve(2, 2, "Por Minuto");
      q.campo(2, 14, 10, "Por Minuto");
      q.escreve(3, 2, "Por KByte");
      q.campo(3, 14, 10, "Por KByte");
      q.escreve(4, 2, "Mínimo"_cp);
      q.campo(4, 14, 10, "Mínimo"_cp);
      q.divisoria(5, 0, 25);
      q.escreve(6, 1, "Contador do tempo", 3);
      q.escreve(7, 1, "Desligar após      min."_cp);
      q.campo(7, 16, 2, "Desligar após"_cp);
      return m;
    }
    case 9: {
      Moldura m = base(ctx, Jan::kSubdialogo, 8, 37, 5, 19, 0, Cores::Normal, TabelaPosicao::Forma);
      opcoes(m, 1, 2, {"Alterar situação"_cp, "Cadastrar status"});
      return m;
    }
    case 10:
    case 11: {
      Moldura m = base(ctx, n == 10 ? Jan::kDialogo : Jan::kSubdialogo, 5, 13, 7, 66, 0);
      Quadro& q = m.quadro;
      q.escreve(1, 38, "Informado", 3);
      q.escreve(1, 53, "Calculado", 3);
      static constexpr std::string_view linhas[4] = {
          "Bens de pequeno valor", "Unico imóvel nos últimos 5 anos"_cp,
          "Outros bens imóveis(Valor redução)"_cp, "Moeda extrangeira em espécie"_cp};
      for (int i = 0; i < 4; ++i) {
        q.escreve(2 + i, 1, linhas[i]);
        q.campo(2 + i, 36, 14, std::string(linhas[i]) + " Informado");
        q.campo(2 + i, 51, 14, std::string(linhas[i]) + " Calculado");
      }
      q.escreve(6, 1, "Totais.....");
      q.campo(6, 36, 14, "Totais Informado");
      q.campo(6, 51, 14, "Totais Calculado");
      return m;
    }
    default:
      return std::nullopt;
  }
}

std::optional<Moldura> molduraMtela4(const Contexto& ctx) {
  Moldura m = base(ctx, Jan::kDialogo, 12, 42, 5, 18, 0, Cores::Normal, TabelaPosicao::FormaAtual);
  // The marker of ESC_ITEM goes in window column 18, just inside the right edge.
  opcoes(m, 1, 2, {"Automático"_cp, "Manual (Alt W)", "Só no Final"_cp});
  return m;
}

}  // namespace console::molduras
