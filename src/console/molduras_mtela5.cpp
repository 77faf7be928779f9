// The MTELA5 frames: the boxes around grids and their notes, and the capital gain's heading.
#include "console/molduras_familias.h"

#include <algorithm>

#include "rt/text/cp860.h"

namespace console::molduras {

using namespace rt::text::literals;

std::optional<Moldura> molduraMtela5(const Contexto& ctx, int n, const ArgsMoldura& a) {
  switch (n) {
    case 1:
      return base(ctx, Jan::kDialogo, 3, 1, 13, 78, 0, Cores::Enche);
    case 3:
      return base(ctx, Jan::kSobreposta, 2, 11, 17, 58, 0);
    case 4:
      return base(ctx, Jan::kTela, 6, 5, 15, 44, 1);
    case 6: {
      // The grid of the expenses lies on rows 8-19 under the note.
      Moldura m = base(ctx, Jan::kDialogo, 2, 10, 19, 63, 0);
      static constexpr std::string_view nota[5] = {
          "Anote o valor MENSAL das despesas que existem normalmente nos",
          "nos bens declarados, mas não obrigatórias serem relacionadas."_cp,
          "O programa irá anualizar e verificar se a receita declarada é"_cp,
          "suficiente para manter esses bens. Tecle ALT B.O TAVREN busca",
          "essas depesas usando 10% do valor do bem. Ajuste-o se errado."};
      for (int i = 0; i < 5; ++i) m.quadro.escreve(1 + i, 1, nota[i]);
      return m;
    }
    case 7: {
      // The folder grid lies on rows 5-16 under the note.
      Moldura m = base(ctx, Jan::kDialogo, 1, 18, 19, 47, 0);
      m.quadro.escreve(1, 2, "Escreva a lista das Pastas  onde poderá ter"_cp);
      m.quadro.escreve(2, 2, "informações para o programa procurar. Assinale"_cp);
      m.quadro.escreve(3, 2, "com a letra S na coluna SEL a pasta atual.");
      return m;
    }
    case 8:
      return base(ctx, Jan::kDialogo, 5, 7, 15, 69, 0);
    case 9: {
      Moldura m = base(ctx, Jan::kTela, 2, 0, std::max(a.nroLin, 1), 79, 0, Cores::Enche);
      Quadro& q = m.quadro;
      if (a.variante == 3) {
        q.rotuloCampo(1, 1, "Especificação"_cp, 60);
        q.rotuloCampo(2, 1, "Nome da Sociedade", 55);
        const int c = q.rotuloCampo(3, 1, "Data da Alienação"_cp, 10);
        q.rotuloCampo(3, c, "CNPJ", 18);
        int c2 = q.rotuloCampo(4, 1, "Cidade", 30);
        c2 = q.rotuloCampo(4, c2, "Estado", 2);
        q.rotuloCampo(4, c2, "% de diferimento", 6);
      } else {
        q.rotuloCampo(1, 1, "Especificação do Bem"_cp, 56);
        q.escreve(2, 1, "Datas", 3);
        int c = q.rotuloCampo(2, 8, "Aquisicao", 10);
        c = q.rotuloCampo(2, c, "Alienacao", 10);
        q.rotuloCampo(2, c, "% de diferimento", 6);
      }
      return m;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace console::molduras
