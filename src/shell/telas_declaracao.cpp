#include "shell/telas_declaracao.h"

#include <string>

#include "rt/term/colour.h"
#include "rt/text/cp860.h"
#include "screens/telas.h"
#include "shell/calculos_declaracao.h"
#include "shell/cores_registro.h"
#include "shell/servicos_declaracao.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "taxcalc/consistencia.h"

namespace shell {

using namespace rt::text::literals;

std::string_view tituloTela(int n) {
  switch (n) {
    case 1:
      return "RENDIMENTOS RECEBIDOS DE PESSOAS JURIDICAS";
    case 2:
      return "RENDIMENTOS RECEBIDOS DE PESSOAS FISICAS E DO EXTERIOR";
    case 3:
      return "RENDIMENTOS ISENTOS E NAO TRIBUTAVEIS";
    case 4:
      return "(6)DEPENDENTES e ALIMENTANDOS";
    case 5:
      return "(8)DECLARACAO DE BENS";
    case 6:
      return "Identificação do contribuinte"_cp;
    case 7:
      return "Cálculo do imposto"_cp;
    case 8:
      return "Ganho de capital";
    case 9:
      return " RESUMO DE APURAÇAO DE GANHOS OU PERDAS EM RENDA VARIAVEL "_cp;
    case 10:
      return " R E C E I T A S   e   D E S P E S A S";
    case 11:
      return "Situação da Declaração"_cp;
    case 12:
      return " Atividade Rural";
    case 13:
      return " (3) RECEITAS E DESPESAS ";
    case 14:
      return "(4) APURAÇÃO DO RESULTADO TRIBUTAVEL"_cp;
    case 15:
      return " (7) MOVIMENTAÇÃO DO REBANHO"_cp;
    case 16:
      return "(8) BENS DA ATIVIDADE RURAL";
    case 17:
      return "(9) DIVIDAS VINCULADAS A ATIVIDADE RURAL";
    case 22:
      return "(8)DECLARACAO DE BENS";
    case 23:
      return "(9)DIVIDAS E ONUS REAIS";
    default:
      return "";
  }
}

namespace {

// Reads keys until one ends the screen. Hot keys run where they are bound (a screen key that
// switches or ends the screen ends the wait); any other key is the screen's last key, in
// ULTTECLA.
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

}  // namespace

void telaProvisoria(Program& p, Declara& d, int n) {
  rt::term::Screen& s = p.screen();
  const auto cor = rt::term::parseColour(p.cores.COR_ENCH_C).value_or(rt::term::makeAttr(15, 1));
  s.fill({2, 0, 23, 79}, ' ', cor);
  s.put(3, 2, "Tela " + std::to_string(n), cor);
  s.put(4, 2, tituloTela(n), cor);
  esperaTecla(p, d);
}

void telaDeclaracao(Program& p, Declara& d, int n, const screens::RegrasCampos& regras) {
  CalculosDeclaracao* c = d.calculos();
  if (c == nullptr) {
    telaProvisoria(p, d, n);
    return;
  }
  taxcalc::Contexto calc = c->contexto(d.dec);
  screens::AmbienteTela a{p, d.dec, d.grade, calc, rt::term::parseColourList(CORNORM(p.cores)), &c->saida.aoMostrar,
                          d.tela.ZOOM_BEM, d.tela.ZOOM_BEM2, regras, &d.tela.pagina.TELA, &c->vizinhos.leao, &c->vizinhos.rural,
                          {}, {}, nullptr, {}};
  if (ServicosDeclaracao* s = d.servicosDaGrade()) a.rendaVariavel = [&p, &d, s] { s->rendaVariavel(p, d.grade); };
  a.honorarios = screens::AmbienteTela::Honorarios{[&d] { return d.VETEMPO(); }, [&d] { return d.VETAMHO(); },
                                                   p.aj.VAL_SEG, p.aj.VAL_BYTE, p.aj.VAL_MIN};
  a.CCONFERE = &d.tela.CCONFERE;
  a.CONFERE = [&p, &calc](int modo) {
    rt::db::Table* lista = store::tabela(p.areas, store::Area::TMP_11);
    if (lista == nullptr) return;
    // The rules' texts, degrees and screens come from the shipped message list.
    const int antes = p.areas.current();
    const bool mensagensAbertas = store::aberta(p.areas, store::Area::LISERRO);
    if (mensagensAbertas || store::ABERTURA(p, store::Area::LISERRO)) {
      (void)taxcalc::CONFERE(calc, *lista, modo, p.aj.VAL_CPMF);
      if (!mensagensAbertas) (void)store::fecha(p.areas, store::Area::LISERRO);
    }
    (void)p.areas.select(antes);
  };
  const bool rodou = screens::GTELA(a, n);
  // Outside a screen the computation's redraws have nowhere to go.
  c->saida.aoMostrar = nullptr;
  if (!rodou) esperaTecla(p, d);
}

}  // namespace shell
