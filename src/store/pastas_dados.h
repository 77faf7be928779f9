// The data folders of a terminal: the folder register DIRET + terminal (table 40), which of its
// folders is current, the terminal's settings fields that name folders, and the checks made
// on a folder before its tables are read or written.
//
// Folders are kept as the office typed them (case kept, "\" or "/") and compared by the Linux
// folder they name, so "C:\DADOS" and "c:/dados/" are one folder only when the disk says so.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rt/db/structure.h"
#include "store/contexto.h"
#include "store/cpf.h"
#include "store/recusa.h"

namespace store {

// While it lives, LOCARQ names another data folder, so that the opener and the save journal
// work on that folder's tables; the folder that was current comes back at its end.
class UsaPasta {
 public:
  UsaPasta(Contexto& ctx, std::string_view pasta);
  ~UsaPasta();
  UsaPasta(const UsaPasta&) = delete;
  UsaPasta& operator=(const UsaPasta&) = delete;

 private:
  Contexto& ctx_;
  std::string anterior_;
};

// The Linux folder of a stored folder name (existing levels found in any case).
std::string pastaLinux(const Contexto& ctx, std::string_view pasta);
// Whether two stored folder names name the same folder on disk.
[[nodiscard]] bool mesmaPasta(const Contexto& ctx, std::string_view a, std::string_view b);

// The folders of the terminal's register, in its order, trimmed; the register is left open.
std::vector<std::string> pastasDoRegistro(Contexto& ctx);
// Adds a folder to the register when it is not there yet (unmarked). Failed when the register
// is not open (nothing to write into, not told), or when the row could not be written (told).
rt::Status registraPasta(Contexto& ctx, std::string_view pasta);

// MUDADIR: opens the register IMP0910 of `pasta` in area 9, in name order, positioned on
// `cpf` (when found, `nome` gets its NOMECONTR) or on its first row. kNotFound, untold, when
// the folder does not exist; the opener's told failure when the register cannot be opened.
// LOCARQ is left on `pasta` once the folder exists.
rt::Status MUDADIR(Contexto& ctx, std::string_view pasta, const Cpf& cpf = {}, std::string* nome = nullptr);
// MUDADIR for a caller that goes on whether the register opened or not (back to the data
// folder after a transfer or a reorganisation, into a folder chosen or found): a register that
// could not be opened is left closed, and its users check that its area is open.
void passaParaPasta(Contexto& ctx, std::string_view pasta, const Cpf& cpf = {});

// TROCASIM: on the folder register (area 40) positioned on a row, every other row is
// unmarked; mode 1 marks this row (a first row appended to an empty register; an empty
// DIRETOR is the program folder; a missing folder is created) and makes it the current data
// folder: ROTADOANO and LOCARQ, the upgrade check of its tables, its register opened (MUDADIR)
// and CONFIG.ROTADOANO written. Mode 0 only changes the marks. Failed and told when the folder
// cannot be made (the user refused it) or, off the end of a register that has rows, there is
// no row to take (said to the user; nothing changes), or a mark could not be written (said).
// Without the folder register, or a register that cannot be read, the failure comes back
// untold.
rt::Status TROCASIM(Contexto& ctx, int modo, std::string_view cpf = {});

// The current data folder (LOCARQ) on the taxpayer page ("Pasta atual", window 3 row 4
// column 19) when that page is open, over the field's whole width; every switch of folder
// shows it at once.
void mostraPastaAtual(Contexto& ctx);

// VEJA_ARQ: ok when every file pasta + prefixo + k + sufixo + ".DBF" for k = 1..quantos (one
// digit for the prefixes "MOL" and "ZUK", else two) exists; the first missing one is told in an
// alert ("Não encontrado o Arquivo " + name) and gives kNotFound, told.
rt::Status VEJA_ARQ(Contexto& ctx, int quantos, std::string_view pasta, std::string_view prefixo,
                    std::string_view sufixo);

// Whether a typed folder name fits the `largura` characters of the fields it is stored in
// (CONFIG's folders, the register's DIRETOR: 40): ok when it fits. A longer one, which would be
// stored cut and name another folder, is told in an alert and gives kBadArgument, told.
rt::Status pastaCabe(Contexto& ctx, std::string_view pasta, int largura = 40);

// TA_NA_REDE: whether the current data folder lies on a network file system (false when that
// cannot be told).
[[nodiscard]] bool TA_NA_REDE(const Contexto& ctx);

// The terminal's settings record (CONFIG, NRO_TERM = NUSU): reads one text or date field as
// text (a date as "yyyymmdd"; "" when there is no record), and writes one under a 5-second record
// lock (failed when not written: told, except for a terminal without its record).
std::string leConfig(Contexto& ctx, std::string_view campo);
rt::Status gravaConfig(Contexto& ctx, std::string_view campo, const rt::db::Value& valor);

}  // namespace store
