// Menu items 1, 2 and 3 of the converter: last year's taxpayers carried into this year's
// folder (CONVIRVESK). The source's taxpayers are listed in LISNOME, the user marks them, and
// each marked one that the target folder does not have yet is converted whole while the
// counters show how far the run is; a taxpayer already there is never touched.
//
// The screens are the converter's own (its selection grid, counters box and taxpayer
// header), given as functions (converter::TelaConversao), so the run is the same with or
// without them.
#pragma once

#include "converter/conversor.h"
#include "converter/receita_listagem.h"
#include "store/contexto.h"

namespace converter {

// CONVIRVESK: the folder dialog, the run and, for items 1 and 3, AJUST_DIR. Item c.OPCAO_1.
void CONVIRVESK(store::Contexto& ctx, Conversor& c);

// The run after the folder dialog (c.ARQORIG the source, the data folder the target): the
// counters at the end. c.NOVIN tells whether a taxpayer was converted.
converter::Contadores converteAnteriores(store::Contexto& ctx, Conversor& c, const converter::TelaConversao& tela);

// CONVAUX: the installation's auxiliary tables (assets for item 1, payments) appended into
// the program folder's AUXBENS and AUXPAG when these are empty.
void CONVAUX(store::Contexto& ctx, const Conversor& c);

// AJUST_DIR: after a run that converted somebody, the target's indexes rebuilt (only its
// declaration tables), the target added to the folder list, and the question whether to stay
// in it; started by tavren, which keeps its own folder, no question: the converter goes back
// to tavren's folder and says where the taxpayers went.
void AJUST_DIR(store::Contexto& ctx, Conversor& c);

}  // namespace converter
