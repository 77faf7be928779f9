// The restore journal: what makes replacing a data folder's tables by a backup's all or
// nothing (docs/crash-safety.md).
//
// A restore first prepares every table it brings in a scratch folder inside the data folder
// ("RESTORE_" + six characters), synced. Then it writes the list of moves into the folder's
// journal "RESTAURA.JNL" and syncs it; only then is each table's index files erased and the
// prepared file renamed over the table. At the end the scratch folder and the journal go.
// A process that dies midway leaves the journal: the next start finishes the moves when the
// journal is whole (every prepared file is already on disk) and drops it when it is not (no
// table was touched yet). The journal is held by an open-file-description lock for the whole
// restore, so a journal, scratch folder or archive copy found unlocked belongs to a restore
// that died.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"
#include "rt/db/file.h"

namespace store {

inline constexpr std::string_view kDiarioRestauracao = "RESTAURA.JNL";
inline constexpr std::string_view kPrefixoRestauracao = "RESTORE_";

// One table brought back: names inside the data folder, without folders but the prepared
// file's scratch folder ("RESTORE_ab12cd/IMP0110.DBF").
struct Troca {
  std::string preparado;             // the prepared file, in the scratch folder
  std::string alvo;                  // the table it replaces ("IMP0110.DBF")
  std::vector<std::string> indices;  // its index files, erased before the move
};

// The journal bytes and back; nullopt for a journal that is cut short, damaged or names a
// file outside its place.
std::string codificaRestauracao(const std::vector<Troca>& trocas);
std::optional<std::vector<Troca>> decodificaRestauracao(std::string_view bytes);

// The restore journal of one data folder (a Linux path), held while the object lives.
class TravaRestauracao {
 public:
  // One try: nullopt when another terminal is restoring into the folder. A restore that died
  // there is finished first, and the scratch files it left are removed.
  static rt::Result<std::optional<TravaRestauracao>> tenta(const std::string& pastaLx);

  TravaRestauracao(TravaRestauracao&&) noexcept = default;
  TravaRestauracao& operator=(TravaRestauracao&&) = delete;
  ~TravaRestauracao();

  // Journals the moves, then makes them, then removes the journal. `meio(k)`, when given, is
  // called after the k-th move (tests stop the process there). A failure after the journal
  // was written leaves it for the next start to finish.
  rt::Status troca(const std::vector<Troca>& trocas, const std::function<void(int)>& meio = {});

 private:
  TravaRestauracao(rt::db::File f, std::string pasta) : arquivo_(std::move(f)), pasta_(std::move(pasta)) {}
  rt::Status conclui();
  rt::db::File arquivo_;
  std::string pasta_;
};

// Start-up: finishes or drops what a restore that died left in the data folder (a Linux
// path) and removes its scratch folders and archive copies. Nothing is touched while a
// restore runs there. Whether a restore was finished.
[[nodiscard]] bool recuperaRestauracao(const std::string& pastaLx);

}  // namespace store
