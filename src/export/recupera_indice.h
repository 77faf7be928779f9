// The program's index as the export keeps it: the taxpayer's item replaced after each
// declaration file is in place, and the whole index rebuilt from the CPF folders when the tax
// authority's program has lost its list (menu item 67).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "export/indice.h"
#include "export/interacao.h"
#include "rt/base/status.h"
#include "store/contexto.h"

namespace exporta {

// The index item of the open declaration replaced in LOCIRPF + "iddeclaracoes.xml". While the
// index is held it waits up to ten seconds (Esc ends the wait); every failure is said, and
// the status told.
rt::Status ATUALIZA_INDICE(console::Contexto& ctx, const store::EspelhoDeclaracao& d, std::string_view LOCIRPF,
                     Interacao& fala);

// Where the rebuild finds a taxpayer whose declaration file carries no identifier copy.
using ProcuraContribuinte = std::function<std::optional<Identificador>(std::string_view cpf)>;

// The registers of the current data folder and then of the terminal's other folders, each read
// on its own and left as it was: the current folder and taxpayer never change.
ProcuraContribuinte procuraNosRegistros(store::Contexto& ctx);

// The rebuild of the index of the program folder `pasta` (a Linux path): only folders named
// with eleven digits are read; one without its declaration file is removed when it is empty.
// A declaration file without its identifier copy gets it, from the register. Failed, and
// told, when the new index was not written.
rt::Status recuperaIndice(const std::string& pasta, const ProcuraContribuinte& procura, Interacao& fala,
                    const OpcoesIndice& opcoes = {});

// RECUP_INDICE: menu item 67, after the user confirms. Failed, and told, when no index was
// written (also when the user did not confirm).
rt::Status RECUP_INDICE(store::Contexto& ctx, std::string_view LOCIRPF);
rt::Status RECUP_INDICE(store::Contexto& ctx, std::string_view LOCIRPF, Interacao& fala);

}  // namespace exporta
