// The sheets of the rural activity, the cash books and the office's reports plugged into the
// print job: FOLHA's sheets 10 to 15, the rural sheets after a whole declaration and the
// register report of kind 12.
#pragma once

#include "print/impressao.h"
#include "print/trabalho.h"
#include "store/contexto.h"

namespace print {

// Sheets 10 (cash book), 11 (fees), 12 (income statements), 13 (diskette labels), 14 and 15
// (rural pages 1 and 2, in Brazil and then abroad).
void FOLHA_ESCRITORIO(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, int n);

// The job's RURAL and CADASTRO services; `escolhas` gives the running job's choices.
ServicosImpressao servicosDoEscritorio(std::function<Escolhas()> escolhas, ServicosImpressao base);

}  // namespace print
