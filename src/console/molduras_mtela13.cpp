// The MTELA13 frames: the print menu of the current step, the DARF codes and quotas, the
// folders to search.
#include "console/molduras_familias.h"

#include <vector>

#include "console/menu_impressao.h"
#include "rt/text/cp860.h"

namespace console::molduras {

using namespace rt::text::literals;

std::optional<Moldura> molduraMtela13(const Contexto& ctx, int n, const ArgsMoldura& a) {
  switch (n) {
    case 2: {
      const PassoImpressao p = passoImpressao(ctx.OPCIMP, ctx.QUEIMP, ctx.NUSU);
      Moldura m = base(ctx, Jan::kDialogo, 2, 49, p.altura, p.largura, 1, Cores::Normal, TabelaPosicao::Forma);
      std::vector<std::string_view> linhas;
      for (int i = 0; i < p.altura - 1; ++i)
        linhas.push_back(i < static_cast<int>(a.linhasMenu.size())
                             ? std::string_view(a.linhasMenu[static_cast<std::size_t>(i)])
                             : std::string_view());
      opcoes(m, 0, 0, linhas);
      m.itens->largura = p.largura - 1;
      // The print menu's letters and help lines are its step's.
      m.itens->opcoes = {p.teclas, p.ajuda};
      return m;
    }
    case 3:
      return molduraMtela3(ctx, 13, a);
    case 7: {
      Moldura m = base(ctx, Jan::kSubdialogo, 3, 32, 9, 19, 0, Cores::Normal, TabelaPosicao::Forma);
      m.quadro.escreve(1, 2, "Código do DARF"_cp, 3);
      opcoes(m, 2, 3,
             {"0211  I.Renda", "0190  Carnê Leão"_cp, "4600  G.capital", "6015  R.variável"_cp,
              "5320  Multas", "Darf Qualquer", "Alterar datas"});
      return m;
    }
    case 8: {
      Moldura m = base(ctx, Jan::kSubdialogo, 3, 34, 5, 11, 0, Cores::Normal, TabelaPosicao::Forma);
      m.quadro.escreve(1, 2, "Quotas", 3);
      opcoes(m, 2, 3, {"Só uma"_cp, "Várias"_cp});
      return m;
    }
    case 9: {
      Moldura m = base(ctx, Jan::kDialogo, 7, 18, 17, 47, 0, Cores::Normal, TabelaPosicao::Forma);
      m.quadro.escreve(1, 1, "Escreva a lista dos diretórios onde poderá ter"_cp);
      m.quadro.escreve(2, 1, "informações para o TAVREN procurar.Marque c/ a"_cp);
      m.quadro.escreve(3, 1, "letra S na coluna SEL o diretório atual.      "_cp);
      // The list box: eight lines inside a box.
      m.quadro.caixa(5, 2, 14, 45);
      m.quadro.campo(6, 3, 42, "lista");
      return m;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace console::molduras
