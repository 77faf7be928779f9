// The export to the tax authority's program as the shell offers it: menu item 63 (the open
// declaration, through the declaration driver), items 64 and 65 (a batch over the register)
// and the export after a final save.
#pragma once

#include "export/prepara.h"
#include "shell/declara.h"
#include "shell/programa.h"
#include "store/transfere.h"

namespace shell {

// What the program's settings ask of an export now.
exporta::PedidoExportacao pedidoExportacao(const Program& p);
// The declaration driver's action for items 63 to 65: the loaded declaration exported.
// Failed, and told by the export, when the file did not reach the program's folder with its
// index, or the clerk declined a warning.
rt::Status exportaDeclaracao(Program& p, Declara& d);
// The driver's services with the export in place.
ServicosDeclara servicosComExportacao();
// Items 64 and 65: the batch over the register; `marca` lets the user mark item 64's taxpayers.
// Each taxpayer's outcome is said as it is exported, and the batch goes on to the next: the
// batch itself does not fail.
rt::Status transfereLote(Program& p, const store::MarcaContribuintes& marca);

}  // namespace shell
