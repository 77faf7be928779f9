// Backup and restore of a data folder's declaration tables through the archive IMPZIP10.ICE
// (a zip written and read in-process, platform/archive.h), for one folder or for every folder
// of the terminal's folder register.
//
// Backup: any archive left in the work folder is removed first; every IMP*.DBF of the folder
// is archived as it is, held under its file lock while the archive is written (other
// terminals' writes are waited for with a message, Esc abandons; tables open in this or other
// terminals are no obstacle); the archive is copied to the backup folder under a scratch
// name, read whole there and checked against the original's size, and only then renamed into
// place; the local archive is erased and ULTBACK set only after that.
//
// Restore: only plain entries named like IMP??10.DBF that are declaration tables are taken,
// extracted into a scratch folder inside the data folder, each entry capped by the largest
// file a table of its kind can be and all of them by the disk's free space; a damaged or
// truncated archive, or one over a cap, is refused and nothing is touched; an archive with no
// usable table says which entries it refused. The tables then go into place all together or
// not at all (store/restaura_pasta.h), and the folder's indexes are rebuilt.
#pragma once

#include <string>
#include <string_view>

#include "rt/base/status.h"
#include "store/contexto.h"
#include "store/dialogos.h"

namespace store {

inline constexpr std::string_view kArquivoBackup = "IMPZIP10.ICE";

// BKMANUAL: backup of `origem` (a data folder) into `destino` (the backup folder). Mode 1 asks
// both folders first (BUSCANOME(1)); mode 2 takes them from the arguments. A folder without
// IMP0910.DBF is reported and gives ok without an archive. Failed and told when the backup
// was not made (the reason has been shown) or the clerk left the folder questions with Esc.
// Mode 1 draws the screen again afterwards (`redesenho`, or the background and the about
// frame).
rt::Status BKMANUAL(Contexto& ctx, int modo, std::string destino = {}, std::string origem = {},
              const Redesenho& redesenho = {});

// VOMANUAL: restore into `destino` (a data folder) of the archive in `origem` (the backup
// folder), after the question "Recupera os dados em" + destination (No: ok, nothing changed).
// Mode 1 asks the folders and draws the screen again afterwards. Failed and told like BKMANUAL.
rt::Status VOMANUAL(Contexto& ctx, int modo, std::string destino = {}, std::string origem = {},
              const Redesenho& redesenho = {});

// BKAUTOMA / VOAUTOMA: the same for every existing folder of the register, the backup folder
// of each being the drive XDRIVE followed by the folder's path without its drive. Esc between
// folders asks whether to abandon (PAREBAK). A backup that fails ends the run (its told
// failure); a restore that fails is reported and the next folder follows (the first told
// failure at the end). The screen is drawn again at the end.
rt::Status BKAUTOMA(Contexto& ctx, const Redesenho& redesenho = {});
rt::Status VOAUTOMA(Contexto& ctx, const Redesenho& redesenho = {});

// BUSCANOME: asks the origin and destination folders of a backup (1) or restore (2) in frame 4
// ("Atual" and "Novo"), preset from the year folder and ROTABACK, checks them (the question
// comes back after a refused answer) and stores ROTABACK and XDRIVE. True with both folders
// checked; false when the clerk left with Esc or an empty folder.
[[nodiscard]] bool BUSCANOME(Contexto& ctx, int modo, std::string& origem, std::string& destino);

// PAREBAK: empties the keyboard buffer up to the first Esc; on Esc asks "Abandona a Cópia  ???".
// The clerk's answer: true to abandon (CAN_IMP); false when no Esc was typed or he said no.
[[nodiscard]] bool PAREBAK(Contexto& ctx);

// The backup folder of a data folder on drive `drive`: the drive followed by the folder's
// path without its own drive ("C:\DADOS\2010" on "E" gives "E:\DADOS\2010").
std::string pastaNoDrive(std::string_view drive, std::string_view pasta);

}  // namespace store
