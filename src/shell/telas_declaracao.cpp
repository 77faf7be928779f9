#include "shell/telas_declaracao.h"

#include <string>

#include "screens/telas.h"
#include "shell/calculos_declaracao.h"
#include "shell/cores_registro.h"
#include "shell/servicos_declaracao.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/uso_tabela.h"
#include "taxcalc/consistencia.h"

namespace shell {

// Hot keys run where they are bound (a screen key that switches or ends the screen ends the
// wait); any other key is the screen's last key, in ULTTECLA.
void esperaTecla(Program& p, Declara& d) {
  while (true) {
    const rt::term::Key k = p.console.waitKey();
    if (const auto* h = p.console.hotKeyFor(k)) {
      (*h)();
      if (d.tela.fimDaTela || d.grade.TECLAMUDA || d.tela.INI != "N") return;
      continue;
    }
    d.grade.ULTTECLA = k.code;
    return;
  }
}

void telaDeclaracao(Program& p, Declara& d, int n, const screens::RegrasCampos& regras) {
  CalculosDeclaracao* c = d.calculos();
  // Every load makes the computation: without one there is no declaration to show.
  if (c == nullptr) return;
  taxcalc::Contexto calc = c->contexto(d.dec);
  screens::AmbienteTela a{p, d.dec, d.grade, calc, rt::term::parseColourList(CORNORM(p.cores)), &c->saida.aoMostrar,
                          d.tela.ZOOM_BEM, d.tela.ZOOM_BEM2, regras, &d.tela.pagina.TELA, &c->vizinhos.leao, &c->vizinhos.rural,
                          {}, {}, {}, nullptr, {}};
  if (ServicosDeclaracao* s = d.servicosDaGrade()) {
    a.rendaVariavel = [&p, &d, s](int modo) { s->rendaVariavel(p, d.grade, modo); };
    a.fimRendaVariavel = [s] { s->fimRendaVariavel(); };
  }
  a.honorarios = screens::AmbienteTela::Honorarios{[&d] { return d.VETEMPO(); }, [&d] { return d.VETAMHO(); },
                                                   p.aj.VAL_SEG, p.aj.VAL_BYTE, p.aj.VAL_MIN};
  a.CCONFERE = &d.tela.CCONFERE;
  a.CONFERE = [&p, &calc](int modo) {
    rt::db::Table* lista = store::tabela(p.areas, store::Area::TMP_11);
    if (lista == nullptr) return;
    // The rules' texts, degrees and screens come from the shipped message list.
    const store::UsoTabela mensagens(p, store::Area::LISERRO);
    if (mensagens.ok()) taxcalc::CONFERE(calc, *lista, modo, p.aj.VAL_CPMF);
  };
  const bool rodou = screens::GTELA(a, n);
  // Outside a screen the computation's redraws have nowhere to go.
  c->saida.aoMostrar = nullptr;
  if (!rodou) esperaTecla(p, d);
}

}  // namespace shell
