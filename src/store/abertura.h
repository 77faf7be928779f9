// The opener: every table is opened by its number in the work area of that number, with its
// index files, creating the table when it is missing and any index file that is missing.
//   - A table that cannot be had (held exclusively elsewhere for 10 seconds, damaged, not
//     creatable) gives false after the alert "<FILE>.DBF não está disponivel "; callers give
//     up the operation.
//   - A missing first index file means the table is packed and then indexed; a missing second
//     or third one is only built. An index file of ours with another key, or damaged, is
//     rebuilt under an exclusive open.
//   - A foreign table (last year's tables, another program's folders) is opened read only and
//     never packed or written: its orderings are temporary index files in the work folder.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/status.h"
#include "store/areas.h"
#include "store/catalogo.h"
#include "store/contexto.h"

namespace store {

// ABERTURA: opens table n (1-20, 40-70) in area n, shared or as the catalogue says; for the
// declaration tables 1-20 and for 66 and 67, `exclusivo` asks an exclusive open. Numbers
// without a table (21-39, 50) open nothing and succeed. Nenhuma is the check pass (see
// verificacao.h). Sets NOMARQ (and NOMARQ1, NOMARQ2 for 9). Leaves area n selected. A
// failure has been told (the opener's alert).
rt::Status ABERTURA(Contexto& ctx, Area n, bool exclusivo = false);

// Opens a table again for whatever comes next (the register back for the menu or the CPF
// prompt, the settings after a folder change): ABERTURA, whose failure the opener says, and
// whoever uses the table next finds its area closed and does without it.
void reabre(Contexto& ctx, Area a);

// The alert of a table of the catalogue that could not be had or searched, named as the
// opener names it ("<FILE>.DBF não está disponivel ").
void avisaIndisponivel(Contexto& ctx, Area a);

// ABREARQ: opens `arquivo` (stored name, ".DBF" when it has no extension) in `area` with up
// to three index files: the first named like the table, the second `arquivo2` (by default
// the table's name + "B"), the third `arquivo3`. A missing table is made by CRIA(area).
// Failed, and told ("não disponível", or CRIA's alert), when it could not be opened.
rt::Status ABREARQ(Contexto& ctx, Area area, bool exclusivo, std::string_view arquivo,
                   std::string_view chave1 = {}, std::string_view chave2 = {}, std::string_view arquivo2 = {},
                   std::string_view chave3 = {}, std::string_view arquivo3 = {});

// Opens a foreign table read only in `area` (alias APELIDO when set) ordered by `chaves`,
// each a temporary index in the work folder; nothing is written into its folder. Failed,
// and told by the opener's alert, when it cannot be opened.
rt::Status ABRE_ALHEIA(Contexto& ctx, Area area, std::string_view arquivo,
                       std::span<const std::string> chaves);

// SAI_ABRE: the end of an open. Closes the message window when MOS_MENS is on and hides
// deleted rows; Nenhuma closes every area first; Nenhuma or DIRET opens the terminal's folder
// register (area 40), which gets the program folder as its chosen row when empty. Failed,
// and told, when the register could not be opened.
rt::Status SAI_ABRE(Contexto& ctx, Area n);

// FECHA_PROV: closes the working copies (areas 21-39).
void FECHA_PROV(Contexto& ctx);
// FECHA_TODO: closes areas 1-19 except the register (9), and 21-39.
void FECHA_TODO(Contexto& ctx);

// The index files and keys the opener uses for table `t`, with their stored names.
std::vector<IndiceDef> indicesDe(const Contexto& ctx, const TabelaDef& t);

}  // namespace store
