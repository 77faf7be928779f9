// The import of FOLHA.TXT (the income statements menu's "Importar dados"): the folder asked
// in frame 7, the file found in it in any case, read whole and appended to FOLHAPG.
#pragma once

#include <span>
#include <string>

#include "converter/conversor.h"
#include "converter/folha_arquivo.h"
#include "rt/base/status.h"
#include "store/contexto.h"

namespace converter {

// IMPORTA: FOLHAPG open and selected.
void IMPORTA(store::Contexto& ctx, Conversor& c);

// Reads `arquivo` (a Linux path) and appends its statements to FOLHAPG (open) under the
// table's lock: every one or, when the file is refused, none. When statements of the same CPF
// and payer are already waiting, the clerk is asked whether to import the file or skip it.
// The refusal, an empty file, the failed write or the number imported is said. Failed when
// nothing was imported: told (also when the clerk chose to skip the file), but untold and
// silent, as gravaComprovantes gives it, when FOLHAPG is not open.
rt::Status importaArquivo(store::Contexto& ctx, const std::string& arquivo);

// Appends the statements to FOLHAPG under one file lock, all in one step that a kill cannot
// split, and syncs them. Failed and told when the lock was not had or a write failed; failed,
// untold and silent, when FOLHAPG is not open (the caller's own slip, nothing for the clerk).
rt::Status gravaComprovantes(store::Contexto& ctx, std::span<const Comprovante> comprovantes);

// The colours of the converter's inputs (CORNORM).
rt::term::ColourSet coresEntrada(const store::Contexto& ctx);

}  // namespace converter
