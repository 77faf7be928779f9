#include "shell/calculos_declaracao.h"

#include "gains/renda_variavel.h"
#include "gains/totais_ganho.h"
#include "screens/regras.h"
#include "shell/exportacao.h"
#include "shell/programa.h"
#include "taxcalc/carne_leao.h"

namespace shell {

CalculosDeclaracao::CalculosDeclaracao(Program& p) : saida(p), motor(saida, vizinhos), p_(p) {
  // The correction of the monthly tax is paid, unless the user says otherwise, on the last
  // working day of the month the declaration is made in.
  vizinhos.leao.DF_PAGTO = taxcalc::pagamentoPadrao(p.HOJE);
}

// The office may change the dollar rate in its settings while a declaration is open; the
// rural result abroad always converts at the rate in force.
void CalculosDeclaracao::preparaVariaveis() { vizinhos.rural.NVALDOLAR = p_.glob.NVALDOLAR; }

void CalculosDeclaracao::CALC(store::Contexto& ctx, store::Declaracao& dec, int passo, int modo) {
  preparaVariaveis();
  motor.CALC(ctx, dec, passo, modo);
}

void CalculosDeclaracao::BALANCO(store::Contexto& ctx, store::Declaracao& dec) {
  preparaVariaveis();
  motor.BALANCO(ctx, dec);
}

void CalculosDeclaracao::recalculaGanhos(store::Contexto& ctx, store::Declaracao& dec) {
  preparaVariaveis();
  taxcalc::Contexto c = motor.contexto(ctx, dec);
  gains::SOMA_NTRIB(c);
  gains::CALC_GRV(c);
}

void CalculosDeclaracao::ligaConjuge(store::Contexto& ctx, store::Declaracao& dec) {
  screens::ligaConjugeNaCarga(ctx, dec.espelho);
}

void CalculosDeclaracao::transfere(store::Contexto& ctx, store::Declaracao& dec) {
  // The export says its own outcome to the user; the transfer has nothing left to do with it.
  (void)exporta::PREPARA(ctx, dec, pedidoExportacao(p_));
}

taxcalc::Contexto CalculosDeclaracao::contexto(store::Declaracao& dec) { return motor.contexto(p_, dec); }

}  // namespace shell
