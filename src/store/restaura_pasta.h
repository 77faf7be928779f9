// The common end of both restores of a data folder (the archive of items 75/76 and the folder
// copy of item 72): the tables brought are prepared in a scratch folder inside the data folder
// first; then every table they replace is held exclusively, and they all go into place through
// the restore journal (store/diario_restauracao.h), so the folder ends with all of them or none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/catalogo.h"
#include "store/contexto.h"
#include "store/diario_restauracao.h"

namespace store {

// A table brought back, ready in the scratch folder.
struct Preparada {
  const TabelaDef* tabela = nullptr;
  std::string arquivo;  // Linux path of the prepared file, in a scratch folder of `destinoLx`
};

// Replaces the declaration tables of the data folder `destinoLx` (a Linux path) by the
// prepared files: each existing table held exclusively first (the user is
// asked whether to wait for one another terminal uses; "N" ends it with "Copia encerrada sem
// terminar." and nothing changed), the dead save journals dropped (their rows are older than
// the backup's), and the files moved under the journal. Failed when nothing was replaced now,
// told: the alert has said whether the journal finishes it at the next start.
rt::Status substituiTabelas(Contexto& ctx, TravaRestauracao& trava, const std::string& destinoLx,
                            const std::vector<Preparada>& tabelas);

// The restore journal of a folder, taken for a restore; nullopt, after an alert, when another
// terminal is restoring into it or it cannot be had.
std::optional<TravaRestauracao> travaParaRestaurar(Contexto& ctx, const std::string& destinoLx);

// The number of taxpayers in the register file IMP0910.DBF of a folder (a Linux path): its
// rows not deleted; 0 when there is none.
std::uint64_t contaContribuintes(const std::string& pastaLx);

// Names laid out under a title in lines of at most 60 characters, for an alert.
std::vector<std::string> linhasDeNomes(std::string_view titulo, const std::vector<std::string>& nomes);

}  // namespace store
