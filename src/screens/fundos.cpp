#include "screens/fundos.h"

#include "console/janelas.h"

namespace screens {

int modoCalculo(const store::EspelhoDeclaracao& e) {
  const store::RegistroEspelho& t = e.tabela01;
  const int i = t.indice("CAL_AUTO");
  if (i < 0) return 1;
  const auto* n = std::get_if<rt::text::Decimal>(&t.valor(i));
  const long long m = n != nullptr ? n->wholePart() : 1;
  return m >= 1 && m <= 4 ? static_cast<int>(m) : 1;
}

EstadoFundo estadoFundo(const store::EspelhoDeclaracao& e, int N_DEPEN, bool zoomBem, bool zoomBem2) {
  EstadoFundo s;
  s.simplificado = e.registro.txt("USAPADRAO") == "S";
  s.final = e.tabela01.txt("DECFINAL") == "S";
  s.brasil = e.registro.txt("ATV_BRASIL") != "N";
  s.N_DEPEN = N_DEPEN;
  s.CAL_AUTO = modoCalculo(e);
  s.soTotal = e.rural.tem("SO_TOTAL") && e.rural.logico("SO_TOTAL");
  s.zoomBem = zoomBem;
  s.zoomBem2 = zoomBem2;
  return s;
}

std::optional<Fundo> fundo(int n, const EstadoFundo& estado) {
  switch (n) {
    case 1:
      return JANPJUR(estado);
    case 2:
      return JANPFIS(estado);
    case 3:
    case 4:
    case 5:
      return fundoFormulario(n, estado);
    default:
      return MOSTEL(n, estado);
  }
}

std::optional<Lugar> lugar(const Fundo& f, std::string_view variavel) {
  for (const console::CampoMoldura& c : f.quadro.campos())
    if (c.rotulo == variavel) return Lugar{f.linha + c.linha, f.coluna + c.coluna, c.largura};
  return std::nullopt;
}

std::optional<Fundo> MTELA(console::Contexto& ctx, int n, const EstadoFundo& estado) {
  std::optional<Fundo> f = fundo(n, estado);
  if (!f) return std::nullopt;
  ctx.ALJ[n] = f->linha;
  ctx.ACJ[n] = f->coluna;
  ctx.NT = n;
  const console::Cores& c = ctx.cores;
  console::Janelas& j = ctx.janelas;
  j.REDEFJAN(console::Jan::kTela, c.COR_TEL1, c.COR_TEL2, f->cor3 == TerceiraCor::Tel3 ? c.COR_TEL3 : c.COR_ENCHE, f->linha, f->coluna,
             f->linha + f->altura, f->coluna + f->largura, 0);
  j.ABREJAN(console::Jan::kTela);
  j.ESCRJAN(console::Jan::kTela, f->quadro.texto());
  return f;
}

}  // namespace screens
