// The matrix grid's Alt keys on the current cell and the matrix: copy and paste, the
// calculator, the monthly split, the calling field's amount, and the carnê-leão's and the rural
// cash book's modes.
#include "grid/laco_matriz.h"

#include "console/calculadora.h"
#include "console/documentos.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "taxcalc/calc.h"
#include "taxcalc/carne_leao.h"
#include "taxcalc/tax_year.h"

namespace grid {

using namespace rt::text::literals;
using rt::text::Decimal;

// The clipboard takes the cell as it holds it: an amount stays a number.
void LacoMatriz::copia() {
  Grade& g = a_.g;
  if (const CelulaRef c = celula(); c.valor != nullptr) {
    g.CLIPTEX = *c.valor;
  } else if (c.texto != nullptr) {
    g.CLIPTEX = *c.texto;
  } else if (c.dentro()) {
    g.CLIPTEX = c.rotulo;
  }
}

void LacoMatriz::cola() {
  Grade& g = a_.g;
  if (!g.CLIPTEX) return;
  const auto* texto = std::get_if<std::string>(&*g.CLIPTEX);
  const auto* numero = std::get_if<Decimal>(&*g.CLIPTEX);
  // Matrix cells are copied as what they hold (an amount stays a number), so every matrix
  // takes a number as well as a text.
  if (texto == nullptr && numero == nullptr) return;
  // A cell that may not be typed into takes no paste either (the totals row, the names).
  if (!podeEscrever()) return;
  const CelulaRef c = celula();
  if (c.texto != nullptr) {
    if (texto == nullptr) return;
    *c.texto = rt::text::padr(rt::text::trim(*texto), larguraMascara(colunaAtual().masc));
    // A pasted value counts at once, as a typed one does.
    depois(Decimal());
  } else if (c.valor != nullptr && (numero != nullptr || texto != nullptr)) {
    escreve(numero != nullptr ? *numero : console::CAR_TO_VAL(rt::text::alltrim(*texto)));
  }
}

void LacoMatriz::calculadora() {
  Grade& g = a_.g;
  if (!t_.calcula) return;
  if (!console::CALCULADORA(a_.ctx, g.calculadora, console::Jan::kCalculadora, g.calculadora.LCAL, g.calculadora.CCAL)) return;
  if (!podeEscrever()) return;
  escreve(g.calculadora.RESULT);
}

void LacoMatriz::mensal() {
  const int opc = t_.opc;
  if (!t_.divideMensal) return;
  const CelulaRef c = celula();
  if (c.valor == nullptr || !podeEscrever()) return;
  MesesValor meses;
  const std::optional<Decimal> total = a_.g.srv().MUDATEL13(a_.ctx, a_.g, meses, linha(), *c.valor);
  a_.g.OPC = opc;
  if (total && *total > Decimal()) escreve(*total);
  redesenha();
}

void LacoMatriz::buscaCampo() {
  const std::optional<Decimal> valor = a_.srv.campoChamador();
  const int col = coluna(), mes = linha();
  if (!valor || !editavel(mes, col)) return;
  escreve(col == 3 ? rt::text::despreza(*valor / taxcalc::TAB_DOLAR(mes)) : *valor);
}

void LacoMatriz::modoLeao() {
  store::RegistroEspelho& t01 = a_.calc.d.tabela01;
  const int modo = a_.calc.calAuto() % 4 + 1;
  t01.num("CAL_AUTO", modo);
  // The re-colour writes the form's own stored text again, so it goes first and the title is
  // written over it, keeping the colour.
  const auto cor = rt::term::parseColour(a_.ctx.cores.COR_1_CLI);
  if (cor) a_.ctx.janelas.ESCRATR(console::Jan::kTela, 4, 66, static_cast<int>(*cor), 14);
  a_.ctx.janelas.ESCRLCOL(console::Jan::kTela, 4, 66, tituloModo(modo));
  console::AVISOSN(a_.ctx, explicacaoModo(modo), 0);
  if (modo == 4) taxcalc::CALC(a_.calc, 1, 1);
  redesenha();
}

void LacoMatriz::soRec() {
  store::RegistroEspelho& t01 = a_.calc.d.tabela01;
  const bool agora = !t01.logico("SO_REC");
  t01.logico("SO_REC", agora);
  if (agora) {
    console::AVISOSN(a_.ctx,
                     {"  ATENÇAO! O valor total do carnê Leão a ser transportado "_cp, "para a tela 7 será apenas o VALOR INFORMADO COMO PAGO.    "_cp,
                      "Um valor para menor será detectado pela Receita que poderá"_cp, "emitir a cobrança posterior dessa diferença c/correções. "_cp},
                     0);
  } else {
    console::AVISOSN(a_.ctx,
                     {" ATENÇAO! O valor total do carnê Leão a ser transportado   "_cp, "para a tela 7 será a SOMA DOS MAIORES VALORES encontrados  "_cp,
                      "entre o valor informado como pago e o valor devido.        ", "Uma diferença para menor deve ser emitido DARF desse valor"_cp},
                     0);
  }
  taxcalc::CALC(a_.calc, 1, 1);
  a_.ctx.janelas.ESCRLCOL(console::Jan::kTela, 6, 66, agora ? "*" : " ");
  a_.ctx.janelas.ESCRLCOL(console::Jan::kTela, 6, 78, agora ? " " : "*");
  // The headings mark the value that goes to the summary; redrawn, they follow the choice.
  if (b_.columnCount() >= 7) {
    b_.column(6).heading = agora ? std::string("Leão Pago*"_cp) : std::string("Leão Pago"_cp);
    b_.column(7).heading = agora ? "CL.Devido" : "CL.Devido*";
  }
  redesenha();
}

void LacoMatriz::soTotal() {
  store::RegistroEspelho& r = a_.calc.d.rural;
  const bool agora = !r.logico("SO_TOTAL");
  r.logico("SO_TOTAL", agora);
  a_.ctx.janelas.ESCRLCOL(console::Jan::kTela, 2, 2, agora ? "Só Totais "_cp : " L. Caixa ");
  a_.g.srv().MRODAPER(a_.ctx, a_.g, 2);
}

}  // namespace grid
