// The program's numbered grid screens by name. The number is the screen's identity in the
// grid's state (OPC, the screen a key nests into, the help and hint numbers that follow it),
// so a name converts to its number; callers name the screen they open.
#pragma once

namespace grid {

enum Tela : int {
  RendimentosTitular = 1,      // the titular's incomes
  RendimentosDependentes = 2,  // the dependants' incomes
  Dependentes = 3,
  Pagamentos = 4,
  BensPagina = 5,     // the assets on their page
  DividasPagina = 6,  // the debts on their page
  ValoresMensais = 7,  // matrix: a field's value month by month (CALC_MENS)
  BensDetalhe = 8,
  DividasDetalhe = 9,
  CustosGanho = 10,  // the costs of a capital gain's asset
  Notas = 11,        // the notes and pending items
  RecebimentosGanho = 12,  // matrix: a capital gain's receipts by month (REC_GANHO)
  Poupanca = 13,           // the savings and other exempt or exclusive incomes by source
  RendaVariavel = 14,      // matrix: the variable income's months (MRENVAR)
  Manutencao = 15,         // the assets' maintenance expenses
  CarneLeao = 16,          // matrix: the carnê-leão's months (REC_MENSAL)
  LeaoNomes = 17,          // a carnê-leão month by payer or payee
  LeaoLivro = 18,          // a carnê-leão month in the cash book
  BensAmpliada = 22,       // the assets widened to the whole page
  DividasAmpliada = 23,    // the debts widened to the whole page
  LeaoTotal = 24,          // a carnê-leão month as one total
  Despesas = 25,           // the expenses by account
  Corrigidos = 26,         // the returns' tax with its correction
  Contas = 28,             // the chart of accounts
  Estatus = 29,            // the statuses of a return
  Beneficiarios = 30,      // the remembered payees
  TextosLembrados = 31,    // the remembered texts of the assets and debts
  DetalhesDocumento = 32,  // a document's details
  Impressoras = 33,
  ImoveisRurais = 34,
  BensRurais = 35,
  DividasRurais = 36,
  RendaRural = 37,  // matrix: the rural receipts and expenses by month (REND_RURAL)
  LivroRural = 38,  // the rural cash book of a month
  Pastas = 40,      // the data folders
  RegistroPorEstatus = 41,
  RegistroCobranca = 42,
  Boletos = 45,  // the bank slips issued
  RegistroMarcados = 46,
  RegistroDevedores = 47,
};

}  // namespace grid
