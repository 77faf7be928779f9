#include "grid/laco_matriz.h"

#include <algorithm>

#include "console/documentos.h"
#include "console/recusas.h"
#include "grid/congela.h"
#include "grid/relogio_ocioso.h"
#include "grid/teclas_tela.h"
#include "grid/tracos.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/get.h"
#include "rt/ui/read.h"
#include "taxcalc/calc.h"
#include "taxcalc/rural.h"

namespace grid {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

void LacoMatriz::depois(Decimal anterior) {
  if (t_.recalcula == nullptr) {
    // A screen without a recomputation only redraws.
  } else if (std::optional<std::string> recusa = t_.recalcula(a_, linha(), coluna(), anterior)) {
    console::AVISOSN(a_.ctx, *recusa, 0);
  }
  redesenha();
}

void LacoMatriz::escreve(Decimal v) {
  const CelulaRef c = celula();
  if (c.valor == nullptr) return;
  const std::string& masc = colunaAtual().masc;
  if (!cabeNaMascara(v, masc)) {
    console::AVISOSN(a_.ctx, "O valor não cabe nessa coluna; ela ficou como estava."_cp, 0);
    redesenha();
    return;
  }
  const Decimal anterior = *c.valor;
  *c.valor = rt::text::round(v, decimaisMascara(masc));
  depois(anterior);
}

void LacoMatriz::avancaAposEdicao(const rt::term::Key& k) {
  rt::term::Console& con = a_.ctx.console;
  if (k.code == key::Up || k.code == key::Down) {
    con.push(k);
  } else if (k.code == key::Enter || k.isChar()) {
    if (coluna() >= a_.g.ULT_POS) {
      con.push(key::CtrlHome);
      con.push(key::Down);
    } else {
      con.push(key::Right);
    }
  }
}

void LacoMatriz::GETMTX(std::optional<rt::term::Key> primeira) {
  // The frozen columns name the row (the month, the market line): never typed into.
  if (CONGELADA(b_, coluna())) return;
  std::string motivo;
  const bool pode = editavel(linha(), coluna(), &motivo);
  if (!motivo.empty()) console::AVISOSN(a_.ctx, motivo, 0);
  const CelulaRef c = celula();
  if (!pode || (c.valor == nullptr && c.texto == nullptr)) {
    avancaAposEdicao(primeira ? *primeira : a_.ctx.console.lastKey());
    return;
  }
  if (primeira) a_.ctx.console.push(*primeira);
  const ColunaMatriz& col = colunaAtual();
  const Decimal anterior = c.valor != nullptr ? *c.valor : Decimal();
  rt::term::Console& con = a_.ctx.console;
  const int linhaTela = dentro_.top + 2 + b_.rowPos() - 1;
  const int colunaTela = std::max(b_.screenColOf(coluna()), 0);
  const bool saida = con.readExit();
  con.setReadExit(true);
  rt::ui::ReadResult r;
  bool mudou = false;
  if (c.valor != nullptr) {
    Decimal v = *c.valor;
    // A letter typed into a monthly amount is said, as in the declaration's other fields.
    r = rt::ui::readOne(con,
                        rt::ui::Get(linhaTela, colunaTela,
                                    rt::ui::var("MGETVAR", v, {larguraMascara(col.masc), decimaisMascara(col.masc)}), col.masc),
                        {}, console::avisoDeRecusa(a_.ctx));
    if (r.updated && !r.escaped) {
      mudou = v != anterior;
      *c.valor = v;
    }
  } else {
    std::string v = rt::text::padr(*c.texto, larguraMascara(col.masc));
    r = rt::ui::readOne(con, rt::ui::Get(linhaTela, colunaTela, rt::ui::var("MGETVAR", v), col.masc));
    if (r.updated && !r.escaped) {
      mudou = v != *c.texto;
      *c.texto = v;
    }
  }
  con.setReadExit(saida);
  if (r.updated && !r.escaped) depois(anterior);
  if (!mudou) {
    redesenha();
    avancaAposEdicao(r.lastKey);
  }
}

void LacoMatriz::enter() {
  Grade& g = a_.g;
  const int opc = t_.opc, col = coluna();
  const int modo = a_.calc.calAuto();
  if (const std::optional<LancamentosMes> l = t_.lancamentos != nullptr ? t_.lancamentos(col, modo) : std::nullopt) {
    if (!l->recusa.empty()) console::AVISOSN(a_.ctx, l->recusa, 0);
    if (l->tela == 0) return;
    static const char* const kTipos[] = {"F", "E", "L", "P", "I"};
    const std::string tipoAntes = g.I1_1, crAntes = g.TIPOCR;
    const int posAntes = g.POSHORMAT;
    g.POSHORMAT = col;
    if (!l->tipoCr.empty()) g.TIPOCR = l->tipoCr;
    g.I1_1 = kTipos[col - 2];
    a_.srv.grade(a_.ctx, g, l->tela, 0);
    a_.ctx.janelas.FECHAJAN(console::Jan::kDialogo);
    g.OPC = opc;
    g.I1_1 = tipoAntes;
    g.TIPOCR = crAntes;
    g.POSHORMAT = posAntes;
    b_.setColPos(col);
    redesenha();
    g.srv().MRODAPE(a_.ctx, g, 12);
    return;
  }
  if (t_.livroRural && !a_.calc.d.rural.logico("SO_TOTAL")) {
    if (linha() > 12) return;
    a_.m.MESATI = linha();
    const std::string crAntes = g.TIPOCR;
    g.TIPOCR = col == 1 ? "C" : "D";
    g.MESATI = linha();
    a_.srv.grade(a_.ctx, g, Tela::LivroRural, 0);
    g.MESATI = 0;
    a_.ctx.janelas.FECHAJAN(console::Jan::kDialogo);
    g.OPC = opc;
    g.TIPOCR = crAntes;
    // Mode 2 writes the months into REND_RURAL; the rural totals never refuse a value.
    taxcalc::SOMA_RUR(a_.calc, 2);
    // The rural totals never refuse a value.
    (void)FX_RT(a_, "Rend_Rural", linha(), col);
    b_.setColPos(col);
    redesenha();
    MARCA_NEG(a_);
    return;
  }
  GETMTX();
}

bool LacoMatriz::teclaTela(int code) {
  Grade& g = a_.g;
  if (!g.declaracaoAberta()) return false;
  const bool muda = mudaDePagina(a_.ctx, g, code, tracosDaTela(t_.opc));
  g.OPC = t_.opc;
  if (muda) saiCom(code);
  return muda;
}

// Every matrix screen waits with the idle clock.
rt::term::Key LacoMatriz::esperaTecla() { return esperaTeclaOciosa(a_.ctx, a_.g); }
void LacoMatriz::roda() {
  Grade& g = a_.g;
  rt::term::Console& con = a_.ctx.console;
  while (!sair_) {
    while (!b_.stabilize())
      if (con.keyWaiting()) break;
    SAI_CONGELADA(b_);
    b_.paintCurrentRow({3, 4});
    const rt::term::Key k = esperaTecla();
    if (t_.livroRural) g.TIPOCR = coluna() == 1 ? "C" : "D";
    g.POSHORMAT = g.PONTEIRO = coluna();
    a_.m.POSVERMAT = g.PONTVERT = linha();
    if (k.isChar()) {
      GETMTX(k);
      continue;
    }
    if (teclaDePagina(k.code)) {
      teclaTela(k.code);
      continue;
    }
    trataTecla(k);
  }
  b_.paintCurrentRow({1, 1});
}

void LacoMatriz::trataTecla(const rt::term::Key& k) {
  if (atalho(k.code)) return;
  switch (k.code) {
    case key::Enter:
      enter();
      break;
    case key::Esc:
    case key::Tab:
    case key::ShiftTab:
      saiCom(k.code);
      break;
    case key::Right:
      if (!(t_.livroRural && coluna() >= 2)) b_.right();
      break;
    case key::CtrlEnd:
      if (!t_.livroRural) b_.panEnd();
      break;
    case key::End:
      if (!t_.lancamentosLeao) {
        b_.end();
      } else if (coluna() < 5) {
        b_.setColPos(5);
      }
      break;
    default:
      rt::ui::applyStandardKey(b_, k);
      break;
  }
}

bool LacoMatriz::atalho(int code) {
  Grade& g = a_.g;
  switch (code) {
    case key::AltW:
      if (g.declaracaoAberta() && g.TEMP_SAL < 98) g.srv().SAL_DEC(a_.ctx, g);
      return true;
    case key::AltT:
      g.srv().DESLIG_RELG(a_.ctx, g);
      return true;
    case key::AltA:
      if (g.pagina().modoLeao) {
        modoLeao();
      } else if (t_.livroRural) {
        soTotal();
      }
      return true;
    case key::AltN:
      if (g.pagina().modoLeao) soRec();
      return true;
    case key::AltB:
      if (t_.buscaCampo) buscaCampo();
      return true;
    case key::AltS:
      calculadora();
      return true;
    case key::AltU:
      mensal();
      return true;
    case key::AltM:
      copia();
      return true;
    case key::AltC:
      cola();
      return true;
    default:
      return false;
  }
}

}  // namespace grid
