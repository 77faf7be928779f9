// What a recovery opening (F4, LRECUPERA) may trust. The working copies TMP_nn survive a crash
// and are taken up again, but the same files are rebuilt for other taxpayers by printing and
// by the pending-notes view; a recovery that took them as they are would save another
// taxpayer's rows under the recovered CPF. So loading leaves a small manifest naming the CPF
// the copies were made for, and recovery checks it and every row of every copy first.
#pragma once

#include <string>
#include <string_view>

#include "rt/base/status.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace store {

// The Linux path of the terminal's manifest ("TMP_MAN" + NUSU + ".TXT" in the work folder).
std::string caminhoManifesto(const Contexto& ctx);

// Written when a declaration has been copied into the working copies. Failed, untold, when the
// manifest could not be put in place; without it F4 refuses the copies, which is the safe side,
// so the loader lets it go unsaid.
rt::Status gravaManifesto(const Contexto& ctx, const Cpf& cpf);

// Whether the working copies can be taken up again for `cpf`: the manifest names it and every
// copy (TMP_01 .. TMP_19 but 13) exists and holds only rows of that CPF. The copies must not be
// open in this program.
[[nodiscard]] bool podeRecuperar(Contexto& ctx, const Cpf& cpf);

}  // namespace store
