// The journal of a remittance file. Putting the file under its day's name and taking its slips
// out of table 67 must look like one step to a terminal killed between them: the slips are
// billed once, never twice and never not at all, and no file under a day's name is cut short.
//
// The generator, holding table 67 under its file lock from the read of the slips to the end,
// writes the file whole under a scratch name beside its day's name and syncs it, then writes
// this journal (the file's names, its size and hash, and every record of the table that went
// into it) and syncs it, then renames the file to its day's name (never over another file),
// takes the records out of the table, commits it and removes the journal. A journal found
// under the file lock belongs to a generator that died, since a living one holds the lock:
//   - the file under its day's name with the journal's size and hash: completed (its records
//     leave the table, once each, whatever part the dead generator had taken out already);
//   - otherwise (killed before the rename): undone (the scratch file goes, the slips wait).
// This is done at start-up, by the next generation before it reads, and before the slips are
// shown for entry.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"
#include "rt/db/table.h"
#include "store/contexto.h"

namespace office {

// One record of table 67 that went into the file: its number and its bytes as stored,
// without the deletion flag.
struct RegistroRemessa {
  std::uint32_t numero = 0;
  std::string bytes;
};

struct DiarioRemessa {
  std::string arquivo;     // the day's name, a plain name in the program folder
  std::string provisorio;  // the scratch name the file is written under first, beside it
  std::uint64_t tamanho = 0;
  std::uint64_t hash = 0;  // FNV-1a of the file's bytes
  std::vector<RegistroRemessa> registros;
};

// The journal's bytes (text lines ended by a line with the hash of all before it) and back;
// nothing for bytes cut short, damaged or naming anything but plain names.
std::string codificaDiarioRemessa(const DiarioRemessa& d);
std::optional<DiarioRemessa> decodificaDiarioRemessa(std::string_view bytes);

// The Linux paths of the program folder (with its separator) and of the journal in it.
std::string pastaRemessa(const store::Contexto& ctx);
std::string caminhoDiarioRemessa(const store::Contexto& ctx);

// Writes the journal and syncs it and its folder.
rt::Status escreveDiarioRemessa(const std::string& caminho, const DiarioRemessa& d);

// Takes out of `boletos` (held under its file lock) each record of the list: the record at
// its number when its bytes still match (already deleted counts as taken), else another
// record not deleted with the same bytes (the table was packed since), else none. Commits
// the table. `meio`, when given, is called after half of them (tests stop the process there).
rt::Status retiraBoletos(rt::db::Table& boletos, const std::vector<RegistroRemessa>& registros,
                         const std::function<void()>& meio = {});

enum class Desfecho { nenhum, concluida, desfeita };

// With `boletos` held under its file lock: completes or undoes what a dead generator left
// (see above) and removes its journal. An error when the table refused the change; the
// journal then stays for the next try.
rt::Result<Desfecho> completaRemessa(store::Contexto& ctx, rt::db::Table& boletos);

// The same without waiting for anyone, at start-up and before the slips are shown: only when
// a journal is there and table 67 can be had under its file lock at once (otherwise a living
// generator holds it, or the next generation completes it). Nothing is said.
Desfecho recuperaRemessa(store::Contexto& ctx);

}  // namespace office
