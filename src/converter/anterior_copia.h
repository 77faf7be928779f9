// One taxpayer of last year carried into this year's tables (CONV_VESKIR, items 1 and 3):
// the register row, the identification, income sources, dependants, payments, assets and
// debts, gains in instalments, notes, the expenses and, through the rural copies, the rural
// activity. Everything is built in memory (converter::TabelasCpf and the register row); the
// caller writes it in one go, so a taxpayer is carried whole or not at all.
#pragma once

#include "converter/anterior_fontes.h"
#include "converter/anterior_rural.h"
#include "converter/receita_tabelas.h"
#include "rt/base/status.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace converter {

struct CopiaAnterior {
  store::Contexto& ctx;
  FontesAnteriores& fontes;
  int MOST_VEND = 2;  // the sold-item answer: 1 leave them out, 2 carry everything
  RuralAnterior* rural = nullptr;     // item 1: the sibling's previous edition, when there
  RuralLivroCaixa* livro = nullptr;   // item 3: the cash book's rural tables, when there
};

// CONV_VESKIR: `registro` gets the register row, `tabelas` the rows of tables 1-8, 10, 11,
// 14 (and 15-19 from the rural copies). The source register must have the CPF.
rt::Status CONV_VESKIR(CopiaAnterior& c, const store::Cpf& cpf, converter::Linha& registro,
                       converter::TabelasCpf& tabelas);

// A row made to the catalogue's layout of table n: fields the table lacks dropped, every
// value turned into its field's type (a number read from a text, a text cut to its width).
void ajustaLinha(int n, converter::Linha& l);

}  // namespace converter
