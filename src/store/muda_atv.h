// Switching the open declaration's rural activity between Brazil ("S") and abroad ("N"): the
// working copies of the rural tables 15-19 (areas 35-39) hold one side at a time, so the side
// being left is saved and the other side is loaded in its place.
#pragma once

#include <string_view>

#include "rt/base/status.h"
#include "store/contexto.h"
#include "store/declaracao.h"

namespace store {

// MUDA_ATV(old, new), the check of ATV_BRASIL on the identification screen. Only "S" and "N"
// are sides; any other new value is refused (kBadArgument, nothing done) and the same side
// again changes nothing.
//
// The old side's copies 15-19 are saved (SALVA_PARC, the rural summary variables with them);
// then each shared table 15-19 is opened exclusively, repeating "Aguardando outro Terminal
// carregar dados..." while another terminal has it, and the rows of the CPF on both sides are
// read. Only when every table has been read are the copies emptied and filled with the new
// side, each reopened exclusive with the one order "cpf+ATV_BRASIL"; ATV_BRASIL becomes the
// new side and the side's summary variables are loaded (PRENCHEMOL).
//
// A failure never leaves the copies holding part of each side (a later save would write the
// old side's rows under the new one): when the save or a read fails nothing is switched; when
// filling a copy fails the old side is put back. ATV_BRASIL then stays the old side and the
// result is failed and untold: the caller says that the side stays (what a step said, a save's
// refusal, comes before).
rt::Status MUDA_ATV(Contexto& ctx, Declaracao& dec, std::string_view antigo, std::string_view novo);

}  // namespace store
