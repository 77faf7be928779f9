#include "grid/tracos.h"

#include <algorithm>
#include <initializer_list>

namespace grid {

namespace {

bool umDe(int opc, std::initializer_list<int> telas) { return std::find(telas.begin(), telas.end(), opc) != telas.end(); }

}  // namespace

// The numbers below 41 are the declaration's and the office's tables, which may grow; 41 and
// above are the register, folder and bank-slip lists; 1-20 are the declaration's own screens.
Tracos tracosDaTela(int opc) {
  Tracos t;
  t.cresce = opc < 41;
  // The office list of taxpayers and their returns (26) takes no pasted row.
  t.colaNova = opc < 41 && opc != 26;
  t.navega = opc < 40;
  t.horizontal = opc < 39;
  t.relogio = opc <= 20;
  t.escolhe = umDe(opc, {11, 30, 31});
  t.lembra = umDe(opc, {4, 5, 6, 8, 9, 22, 23, 35, 36});
  t.insereVarias = umDe(opc, {5, 6, 8, 9, 11, 22, 23, 35, 36});
  // The register lists keep their rows: a taxpayer is deleted through the menu.
  t.apaga = opc < 46 && opc != 41 && opc != 42;
  t.marcaTodos = umDe(opc, {41, 46, 47});
  t.registro = umDe(opc, {41, 42, 46, 47});
  // The lists that mark taxpayers (46, 47) keep only the name and CPF orders.
  t.ordemEstatus = umDe(opc, {41, 42});
  t.marcaDevedores = opc == 47;
  t.notas = opc == 11;
  t.dependentes = opc == 3;
  t.poupanca = opc == 13;
  t.pagamentos = opc == 4;
  t.mesDaColuna = opc == 15;
  if (opc == 38) t.indiceOrdem = "TMP_19";
  // The matrices of one value a month: the capital gains' receipts and the carnê-leão.
  t.dolarDoMes = umDe(opc, {12, 16});
  t.longas = umDe(opc, {8, 9, 22, 23});
  // The declaration's tables (below 28) and the rural ones (34-39) hold the taxpayer's rows.
  t.gravaCpf = opc < 28 || (opc >= 34 && opc <= 39);
  t.gravaAtividade = opc >= 34 && opc <= 39;
  t.ordena = umDe(opc, {18, 38});
  t.subtotais = opc == 38;
  t.insereAntes = umDe(opc, {1, 2, 11});
  t.marcaPasta = opc == 40;
  t.boletoUnico = opc == 45;
  if (opc == 1) t.tipoRendimento = "J";
  if (opc == 2) t.tipoRendimento = "D";
  t.gravaLeao = umDe(opc, {16, 17, 18, 24});
  t.gravaTipoCr = umDe(opc, {18, 38});
  t.gravaBem = opc == 10;
  t.gravaTipoOperacao = opc == 13;
  t.campoNumerado = umDe(opc, {5, 8, 22})   ? "I7_0"
                    : umDe(opc, {6, 9, 23}) ? "I8_0"
                    : opc == 35             ? "I8R_0"
                    : opc == 36             ? "I9R_0"
                                            : "";
  const auto lembrados = [&t](const char* texto, const char* codigo) {
    t.textoLembrado = texto;
    t.codigoLembrado = codigo;
  };
  if (umDe(opc, {5, 8, 22})) lembrados("I7_2", "I7_5");
  if (umDe(opc, {6, 9, 23})) lembrados("I8_2", "I8_5");
  if (opc == 35) lembrados("I8R_1", "CODIGO");
  if (opc == 36) lembrados("I9R_1", "ITEM");
  if (umDe(opc, {1, 2})) t.mesAMes = {"I1_4", "I1_6", "I1_5"};
  if (umDe(opc, {17, 24})) t.mesAMes = {"I1_4"};
  if (opc == 4) t.mesAMes = {"I6_4"};
  if (opc == 15) t.umMes = {"VALODESP"};
  if (umDe(opc, {5, 8, 22})) t.umMes = {"I7_3", "I7_4"};
  if (umDe(opc, {6, 9, 23})) t.umMes = {"I8_3", "I8_4"};
  // The carnê-leão's detail grids: the value column of the incomes, every column of 24.
  t.mensalNoEnter = opc == 24 ? -1 : opc == 17 ? 2 : 0;
  t.aninhaF4 = opc == 4 ? 30 : 0;
  t.aninhaF5 = umDe(opc, {5, 6, 8, 9, 22, 23, 35, 36}) ? 31 : 0;
  t.aninhaF6 = umDe(opc, {5, 8, 22}) ? 13 : 0;
  // Alt+Z on the assets and debts page widens the list in use: the assets (5, or the list 30
  // over them) or the debts (6, or the list 31).
  t.ampliaAltZ = umDe(opc, {5, 30}) ? Ampliacao::bens : umDe(opc, {6, 31}) ? Ampliacao::dividas : Ampliacao::nenhuma;
  t.ampliaAltX = opc == 5 ? Ampliacao::bens : opc == 6 ? Ampliacao::dividas : Ampliacao::nenhuma;
  return t;
}

// Page 1 is the identification, 2 the carnê-leão's, 5 the assets and debts with their enlarged
// lists 22 and 23, 7 the summary, 10 the balance with the asset-maintenance list; a capital-gain operation opened from page 1 is
// kept as kind "E", from any other page as "B".
TracosPagina tracosDaPagina(int tela) {
  TracosPagina t;
  t.modoLeao = tela == 2;
  t.juntaDescricao = umDe(tela, {5, 22, 23});
  t.buscaDespesas = tela == 10;
  if (tela == 1) t.tipoOperacao = "E";
  t.altZ = tela == 5 ? 22 : tela == 22 ? 5 : 0;
  t.altX = tela == 5 ? 23 : tela == 23 ? 5 : 0;
  t.ampliada = umDe(tela, {22, 23});
  t.copiaIdentificacao = umDe(tela, {1, 4});
  t.copiaRegistro = tela == 7;
  t.resumo = tela == 7;
  t.retorno = tela != 10;
  t.valoresConjuge = tela == 5;
  return t;
}

}  // namespace grid
