#include "grid/matriz.h"

#include <algorithm>
#include <vector>

#include "grid/congela.h"
#include "grid/laco_matriz.h"
#include "grid/matriz_telas.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/browse.h"
#include "rt/ui/data_source.h"

namespace grid {

using namespace rt::text::literals;

void MBROWSE(AmbienteMatriz& a, int opc) {
  Grade& g = a.g;
  store::Contexto& ctx = a.ctx;
  const TelaMatriz t = telaMatriz(a, opc);
  MatrizRef ref = MATATU(a.m, a.calc.d, t.nome);
  if (!ref || t.colunas.empty()) return;
  const int nlin = a.m.NLIN;
  a.m.NLIN = 1;
  g.OPC = opc;
  g.TABCAMPO.clear();
  g.TABCPOIN.clear();
  g.TABMASC.clear();
  g.TABDESC.clear();
  for (const ColunaMatriz& c : t.colunas) {
    g.TABCAMPO.push_back(t.nome);
    g.TABCPOIN.push_back(t.nome);
    g.TABMASC.push_back(c.masc);
    g.TABDESC.push_back(c.desc);
  }
  g.N_CAM = static_cast<int>(t.colunas.size());
  g.ULT_POS = g.N_CAM;
  if (t.livroRural) {
    (void)FX_RT(a, "REND_RURAL", 1, 1);  // the totals row for display; nothing to refuse
  }

  const console::Cores& cores = ctx.cores;
  if (t.janela6) {
    ctx.janelas.REDEFJAN(console::Jan::kSobreposta, cores.COR_TEL1, cores.COR_TEL2, cores.COR_TEL1, t.ret.top, t.ret.left, t.ret.bottom, t.ret.right, 2);
    ctx.janelas.ABREJAN(console::Jan::kSobreposta);
  }
  const rt::term::Rect dentro = t.janela6 ? rt::term::Rect{t.ret.top + 1, t.ret.left + 1, t.ret.bottom - 1, t.ret.right - 1} : t.ret;
  rt::ui::MatrixSource fonte(std::vector<rt::ui::MatrixSource::Row>(static_cast<std::size_t>(ref.linhas)));
  rt::ui::Browse b(ctx.screen(), dentro, fonte);
  b.setColours(rt::term::parseColourList(cores.COR_1_CLI + "," + cores.COR_GET + "," + cores.COR_2_CLI + "," + cores.COR_SAY));
  b.setHeadSep(std::string("┬─"_cp));
  b.setColSep(std::string("│"_cp));
  if (t.rodape) b.setFootSep(std::string("┴─"_cp));
  for (int i = 0; i < static_cast<int>(t.colunas.size()); ++i) {
    const ColunaMatriz& c = t.colunas[static_cast<std::size_t>(i)];
    const int col = i + 1;
    const bool nomeDoMes = col == 1 && t.colunaDoMes;
    // The month names are 9 wide: the monthly window then shows both value columns.
    const int largura = nomeDoMes ? std::min(larguraMascara(c.masc), 9) : larguraMascara(c.masc);
    // The one place a matrix's amounts become text: the column's picture, when drawn.
    auto bloco = [&ref, &fonte, col, largura, masc = c.masc]() -> rt::ui::Value {
      const CelulaRef cel = ref.cel(static_cast<int>(fonte.row()) + 1, col);
      if (cel.valor != nullptr) return rt::text::padl(rt::text::transform(*cel.valor, masc), largura);
      return rt::text::padr(cel.texto != nullptr ? *cel.texto : cel.rotulo, largura);
    };
    b.addColumn(rt::ui::makeColumn(c.desc, bloco, ""));
  }
  if (t.congela > 0) {
    b.setFreeze(t.congela);
    SAI_CONGELADA(b);
  }
  // The month's name is not typed into: the monthly window starts on the reais.
  if (t.primeiraColuna > 0) b.setColPos(t.primeiraColuna);
  if (t.dica != 0) t.dicaRural ? g.srv().MRODAPER(ctx, g, t.dica) : g.srv().MRODAPE(ctx, g, t.dica);
  if (t.livroRural) MARCA_NEG(a);

  LacoMatriz laco(a, t, ref, fonte, b, dentro);
  laco.roda();

  if (t.janela6) ctx.janelas.FECHAJAN(console::Jan::kSobreposta);
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  ctx.TAM_OLD = 0;
  a.m.NLIN = nlin;
  g.POSHORMAT = 1;
  g.OPC = opc;
}

}  // namespace grid
