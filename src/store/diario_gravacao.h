// The save journal: what makes replacing a taxpayer's rows in the shared tables safe against
// a process that dies halfway (docs/crash-safety.md).
//
// A save first writes every new row of every table it will touch into the journal of that
// CPF in the data folder ("SALVA<cpf>.JNL") and syncs it; only then are the shared tables
// changed, one after the other; at the end the journal is removed. The journal is held by an
// open-file-description lock for the whole save, so a journal found unlocked belongs to a
// save that died. Such a journal is completed (redone) when it is whole, and thrown away when
// it is not (the shared tables were not touched yet). Redoing is idempotent: a table's rows
// of the CPF become exactly the journal's rows whatever state the table was left in.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"
#include "rt/db/file.h"
#include "rt/db/structure.h"
#include "store/areas.h"
#include "store/contexto.h"

namespace store {

// The new rows of one shared table: the fields they were read with (offsets counted from the
// first field) and the records as stored, without the deletion flag.
// In tables 15-20 the rows replaced are those of one side (ATV_BRASIL), so a journal holding
// both sides has such a table twice, once per side.
struct TabelaDiario {
  Area numero = Area::Nenhuma;
  std::vector<rt::db::FieldDef> campos;
  std::vector<std::string> registros;
  std::string lado = {};  // the side of these rows in tables 15-20; empty: the journal's
};

struct Diario {
  std::string cpf;         // 11 characters
  std::string atvBrasil;   // 1 character: the side of the tables that name none
  std::vector<TabelaDiario> tabelas;
};

// The FNV-1a hash that ends the journals (of a save and of a restore): a journal whose hash
// does not match was cut short or damaged.
std::uint64_t hashDiario(std::string_view bytes);

// The journal bytes of a save and back. `decodificaDiario` gives nullopt for a journal that is
// empty, cut short or damaged (its save never reached the shared tables). It also reads the
// journals of one side that earlier versions wrote, each table then on the journal's side.
std::string codificaDiario(const Diario& d);
std::optional<Diario> decodificaDiario(std::string_view bytes);
// Whether the bytes end with a trailer whose length and hash match: a journal that is not
// whole was cut short while its save wrote it.
[[nodiscard]] bool diarioInteiro(std::string_view bytes);
// The side of a journal table's rows (1 character): the table's own, else the journal's.
std::string ladoDaTabela(const TabelaDiario& tab, const Diario& d);

// A journal file (Linux path) opened, made when missing, with its byte 0 locked exclusively
// by an open-file-description lock: one try, nullopt when another process holds it. When the
// holder removed the file meanwhile, the name is tried again.
rt::Result<std::optional<rt::db::File>> travaArquivoDiario(const std::string& caminho);

// The journal of one CPF, held (locked) while the object lives.
class TravaDiario {
 public:
  // Waits (through ctx.espera, half a second a try) until no other save of the CPF holds the
  // journal; a journal a dead save left behind is completed first.
  static rt::Result<TravaDiario> obtem(Contexto& ctx, std::string_view cpf);
  // One try: nullopt when another save holds it.
  static rt::Result<std::optional<TravaDiario>> tenta(const std::string& caminho);

  TravaDiario(TravaDiario&&) noexcept = default;
  TravaDiario& operator=(TravaDiario&&) noexcept = default;
  ~TravaDiario();

  const std::string& caminho() const { return caminho_; }
  // What the journal holds now (nullopt: nothing whole); kCorrupt for a whole journal that
  // cannot be read (bad counts, tables or fields).
  rt::Result<std::optional<Diario>> le() const;
  // Writes and syncs the journal. `meio`, when given, is called after about half the bytes
  // (tests stop the process there).
  rt::Status escreve(const Diario& d, const std::function<void()>& meio = {});
  // Completes what the journal held: whole, it is redone; cut short, it is dropped (true).
  // A journal that cannot be redone is renamed aside (".RECUSADO") with an alert, and the
  // lock then holds nothing (false).
  rt::Result<bool> completa(Contexto& ctx);
  // Empties and removes the journal: the save is complete.
  rt::Status conclui();

 private:
  TravaDiario(rt::db::File f, std::string caminho) : arquivo_(std::move(f)), caminho_(std::move(caminho)) {}
  rt::db::File arquivo_;
  std::string caminho_;
};

// A batch of saves: an import or a conversion of many taxpayers in a row. While the guard
// lives, the tables the journal opens exclusively stay open between gravaLinhas (and
// aplicaDiario) calls, each opened once per run, and are closed when the guard ends. Crash
// safety is unchanged: every taxpayer is still journaled, his records written and flushed to
// disk with his folder and his journal removed before the next one starts (the kept tables'
// index pages wait for the close; killed before it, the next open rebuilds them). Other terminals wait for the
// tables kept (as they wait for a save) until the guard ends. A guard made while another
// lives leaves the work to that one.
//
//   store::LoteGravacao lote(ctx);
//   for (...) gravaLinhas(ctx, pasta, cpf, tabelas);
//   RT_TRY(lote.termina());  // or let the guard end, if a failed close may go unsaid
class LoteGravacao {
 public:
  explicit LoteGravacao(Contexto& ctx);
  ~LoteGravacao();
  LoteGravacao(const LoteGravacao&) = delete;
  LoteGravacao& operator=(const LoteGravacao&) = delete;

  // Closes the tables kept (the first failure); the guard keeps none from then on.
  rt::Status termina();

  // For the journal: whether area n holds table `arquivo` (a path as the opener makes it)
  // kept open by this batch; a table kept and written, to be kept; one to forget.
  [[nodiscard]] bool mantem(Area n, const std::string& arquivo) const;
  void guarda(Area n, const std::string& arquivo);
  void esquece(Area n) { mantidas_.erase(n); }

 private:
  Contexto& ctx_;
  bool ativo_;
  std::map<Area, std::string> mantidas_;  // area -> table path
};

// The Linux path of the journal of `cpf` in the current data folder.
std::string caminhoDiario(const Contexto& ctx, std::string_view cpf);

// Puts the journal's rows into the shared tables: for each table, opened exclusively (waiting
// for other terminals with the one-second alert between tries), the rows of the CPF (with
// the table's side for 15-20) are replaced by the journal's. Two entries of one table in a
// row (its two sides) are written in one open. The register (09) is never had
// exclusively, every terminal keeping it open: the one open in its area (opened there when the
// area is empty) is written shared, its rows under their record locks and a new row under the
// table's lock, waiting with the same alert. `antes(k)` is called before an entry of table k
// is written (and the table opened), `meio(k)` when half its rows are written (tests stop the
// process there), `depois(k)` after it is written.
rt::Status aplicaDiario(Contexto& ctx, const Diario& d, const std::function<void(Area)>& antes = {},
                        const std::function<void(Area)>& depois = {},
                        const std::function<void(Area)>& meio = {});

// Completes what dead saves (and a dead restore, first) left in the data folder (start-up).
// Journals held by a running save are left to it; one that cannot be redone is moved aside
// with an alert. Returns the number of journals completed, dropped or moved aside.
int recuperaDiarios(Contexto& ctx);
// The same for one CPF, before its declaration is loaded; waits for a running save of it.
rt::Status recuperaDiario(Contexto& ctx, std::string_view cpf);

}  // namespace store
