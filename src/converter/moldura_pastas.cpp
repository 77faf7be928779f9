#include "converter/moldura_pastas.h"

#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace converter {

using namespace rt::text::literals;

namespace {

bool daReceita(int opcao) { return opcao == kReceita || opcao == kGanhoCapital || opcao == kNroRecibo; }

}  // namespace

Quadro quadroPastas(const Conversor& c) {
  if (daReceita(c.OPCAO_1)) return {console::Jan::kTela, {11, 0, 18, 76}};
  const int topo = c.OPCAO_1 == kBrantel ? 2 : c.OPCAO_1 == kKelsvor ? 3 : 4;
  return {console::Jan::kTela, {topo, 18, topo + 7, 59}};
}

LegendasPastas legendasPastas(int opcao) {
  // The narrow box of last year's editions holds 38 characters of caption: the programs go
  // by their short names there.
  std::string origem;
  switch (opcao) {
    case kBrantel: origem = "BRANTEL"; break;
    case kKelsvor: origem = "KELSVOR"; break;
    case kLivroCaixa: origem = "QRB"; break;
    case kGanhoCapital: origem = "Ganhos de Capital da Receita"; break;
    default: origem = "programa da Receita Federal"; break;
  }
  const std::string destino = opcao == kKelsvor ? "MOLDRIK" : "TAVREN";
  return {" Drive e pasta de origem (" + origem + ") ", " Drive e pasta de destino (" + destino + ") ",
          daReceita(opcao) ? std::string(" Pasta onde foi instalado o programa anterior "_cp)
                           : std::string(" Pasta do programa anterior ")};
}

void desenhaPastas(store::Contexto& ctx, const Conversor& c, const Quadro& q) {
  const console::Cores& cor = ctx.cores;
  abreCaixa(ctx, q.janela, q.ret, cor.COR_TEL2, cor.COR_TEL1);
  const LegendasPastas l = legendasPastas(c.OPCAO_1);
  auto& s = ctx.screen();
  const int largura = q.ret.right - q.ret.left - 3;
  const auto legenda = [&](int linha, const std::string& t) {
    s.put(q.ret.top + linha, q.ret.left + 2, rt::text::substr(t, 1, largura), static_cast<rt::term::Attr>(cor.COR_TEL2));
  };
  legenda(0, l.origem);
  legenda(2, l.destino);
  legenda(4, l.instalacao);
}

CampoPasta campoPasta(const Conversor& c, int deslocamento) {
  // The narrow box holds a 40-character folder between its borders; the wide one leaves a
  // margin and shows 73 characters of the source.
  if (!daReceita(c.OPCAO_1)) return {c.linhaDialogo + deslocamento, c.colunaDialogo + 1, 40};
  return {c.linhaDialogo + deslocamento, c.colunaDialogo + 2, deslocamento == 1 ? 73 : 40};
}

void mostraPasta(store::Contexto& ctx, const Conversor& c, int deslocamento, std::string_view pasta) {
  const CampoPasta f = campoPasta(c, deslocamento);
  ctx.screen().put(f.linha, f.coluna, rt::text::padr(rt::text::substr(pasta, 1, f.largura), f.largura),
                   static_cast<rt::term::Attr>(ctx.cores.COR_TEL1));
}

}  // namespace converter
