// Taxpayers carried between data folders (copied or moved), and the one way every such
// change reaches the shared tables: the rows of a CPF replaced through the save journal
// (diario_gravacao.h), so a crash midway is completed by the next start.
//
// Every transfer is all-or-nothing per taxpayer: the tables it touches are held first (a
// table another terminal keeps is waited for as the opener does, then the taxpayer is left
// where he was and reported), the destination is written whole, and the origin rows go only
// after that.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"
#include "rt/db/table.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/cpf.h"
#include "store/diario_gravacao.h"

namespace store {

// Which tables a transfer carries: "Tudo" 01-19, "So Ir" 01-14, "So MOL" 15-19; the
// register (09) is carried apart.
enum class Parte { Tudo, SoIr, SoMol };
std::vector<Area> tabelasDaParte(Parte p);

// The rows of `cpf` in the open table `t` (ordered by a key that starts with the CPF, or in
// natural order when it has none), as journal rows in the table's own layout; `filtro`, when
// given, picks rows. Table number `n`.
rt::Result<TabelaDiario> linhasDoCpf(rt::db::Table& t, Area n, const Cpf& cpf,
                                     const std::function<bool(const rt::db::Table&)>& filtro = {});
// A journal table of number n with no rows, in the catalogue's layout.
TabelaDiario tabelaVazia(Area n);
// Puts `cpf` (and keeps everything else) into every row.
void trocaCpfDasLinhas(TabelaDiario& t, std::string_view cpf);

// Replaces in data folder `pasta` the rows of `cpf` of each table given by exactly the rows
// given (none: the CPF's rows go). Rows of tables 15-20 go side by side (ATV_BRASIL): each
// side the rows or the folder have is replaced. The register (09) may be one of the tables:
// its row of the CPF is replaced by the one given (none: the row goes) in the register as it
// is kept open, shared, and written last, after every other table. The whole call is one
// journal: a process killed midway leaves, once the journal is completed, all of it or none.
rt::Status gravaLinhas(Contexto& ctx, std::string_view pasta, const Cpf& cpf,
                       const std::vector<TabelaDiario>& tabelas);
// Where tests stop gravaLinhas: about halfway through writing the journal, before table k is
// opened, when half its rows are written (aplicaDiario's `antes` and `meio`).
struct GanchosGravacao {
  std::function<void()> diarioMeio;
  std::function<void(Area)> antes, meio;
};
rt::Status gravaLinhas(Contexto& ctx, std::string_view pasta, const Cpf& cpf,
                       const std::vector<TabelaDiario>& tabelas, const GanchosGravacao& ganchos);

struct Transferencia {
  std::string origem, destino;  // data folders as stored
  bool mover = false;           // "Mover": the origin rows go afterwards
  Parte parte = Parte::Tudo;
  bool sobrepoe = true;  // a CPF already in the destination: "Sim - Sobrepoe os dados"
};

enum class ResultadoTransf { Feito, Saltado, EmUso, Falhou };

// FAZAPP for every table of the part, and the register row: one taxpayer, all or nothing.
// The origin register is the one open in area 29 when there is one, else it is opened there.
// A taxpayer whose declaration another terminal has open in the destination, or in the
// origin of a move, is left out (EmUso, the refusal's text in `motivo`): that terminal's save
// would bring him back or overwrite what was carried.
ResultadoTransf transfereContribuinte(Contexto& ctx, const Transferencia& t, const Cpf& cpf,
                                      std::string* motivo = nullptr);

// The marking grid of taxpayers (screen 41) over the register open in `area` (9, or 29 for
// the origin of a transfer): the CPFs chosen. `soRural`: only taxpayers with rural activity
// are offered.
using MarcaContribuintes = std::function<std::vector<std::string>(Contexto&, Area area, bool soRural)>;

// TRANOME: the folder-to-folder transfer. Mode 1 from the year folder to a folder the user
// types; modes 2 and 3 only ask and check the folders of a copy to and from ROTABACK (kept in
// the settings) and return. Failed (told: nothing more to say) when the clerk left the folder
// questions with Esc; ok otherwise, also when the origin register could not be had alone (the
// alert said so) or a later question was left. A missing destination is created only when the
// user says so. A transfer that left a taxpayer out, was interrupted or could not rebuild a
// table of the destination ends with a message naming what was and was not done, and asks
// nothing more.
rt::Status TRANOME(Contexto& ctx, int modo, const MarcaContribuintes& marca = {});

// The folders chosen by TRANOME's questions (for FAZ_COPIA and TRAZ_COPIA).
struct PastasTransf {
  std::string origem, destino;
};
// The clerk's answer: true with both folders checked; false when he left with Esc or an empty
// folder.
[[nodiscard]] bool perguntaPastas(Contexto& ctx, int modo, PastasTransf& p);

}  // namespace store
