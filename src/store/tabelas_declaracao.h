// What loading and saving a declaration do with tables: the shared declaration tables opened
// exclusively, waiting for other terminals as long as it takes; the terminal's working copies
// TMP_nn made, opened and indexed; rows moved between tables of the same fields.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/status.h"
#include "rt/db/table.h"
#include "store/areas.h"
#include "store/catalogo.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace store {

// "Aguardando outro Terminal carregar dados..." and its saving twin.
std::string_view aguardandoCarregar();
std::string_view aguardandoSalvar();

// The alert that closes by itself after a second, shown between tries of an exclusive open.
void alertaUmSegundo(Contexto& ctx, std::string_view texto);
// The same alert between tries of `tenta`, closed as soon as a try within the second
// succeeds (true; the wait's tries end at the first result that is not kLocked or kInUse, which
// `s` then holds); false after the whole second.
bool alertaUmSegundo(Contexto& ctx, std::string_view texto, const std::function<rt::Status()>& tenta, rt::Status& s);

// Opens declaration table n (1-20) exclusively in area n with its index files, creating what
// is missing; while another terminal holds it, shows `aguardando` for a second and tries
// again, for ever. Failed only when the table cannot be had for another reason (damaged,
// not creatable), told by the opener's alert.
rt::Status abreExclusivaAguardando(Contexto& ctx, Area n, std::string_view aguardando);

// The Linux path of the working copy of area `area` (21-39) without extension.
std::string caminhoCopia(const Contexto& ctx, Area area);
// Makes the working copy of `area` anew, empty, and opens it exclusively in its area.
rt::Status criaCopia(Contexto& ctx, Area area);
// Opens the existing working copy of `area` exclusively in its area (waiting for ever while
// another handle has it), without index.
rt::Status abreCopia(Contexto& ctx, Area area);
// Opens the working copy of `area` for loading, with the index of a working copy: the file
// is kept from the last declaration and its records are reused (see EscritaCopia), so loading
// makes no file anew; a missing copy or one of another structure is made anew.
rt::Status abreCopiaParaCarga(Contexto& ctx, Area area);

// Fills an open table (a working copy, held exclusively) with `linhas` new rows, reusing its
// records in order: record 1 gets the first row, and so on. A copy with more records than
// rows is emptied first (which syncs it), so the copy always holds exactly the rows written,
// in record order, and LASTREC is their number; reloading a declaration of the same size or a
// larger one makes and syncs nothing.
class EscritaCopia {
 public:
  explicit EscritaCopia(rt::db::Table& t) : t_(t) {}
  rt::Status inicia(std::uint32_t linhas);
  // The current record of `fonte` as the next row (fields matched through `mapa`, others empty).
  rt::Status escreve(const rt::db::Table& fonte, const std::vector<int>& mapa);
  rt::Status conclui();

 private:
  rt::db::Table& t_;
  std::uint32_t total_ = 0;
  std::uint32_t proximo_ = 1;
};

// The records `linhas` of `fonte`, in that order, as the rows of the copy `para` (an
// EscritaCopia from start to end, fields matched by name).
rt::Status copiaRegistros(rt::db::Table& fonte, rt::db::Table& para,
                          const std::vector<std::uint32_t>& linhas);

// Every row of `t` that is not deleted, in record order, whatever its filter and order; the
// position is kept. Stops at the first failure, of `f` or of the table.
rt::Status paraCadaLinha(rt::db::Table& t, const std::function<rt::Status(rt::db::Table&)>& f);

// Builds the copy's single index file with the key of that kind of copy and makes it the order.
rt::Status indexaCopia(Contexto& ctx, Area area, TipoCopia tipo);

// For each field of `para`, the field of `de` of the same name and type (-1 when none).
std::vector<int> mapaCampos(const rt::db::Table& de, const rt::db::Table& para);
// Writes the current record of `de` into the current record of `para` through `mapa`.
rt::Status copiaCampos(const rt::db::Table& de, rt::db::Table& para, const std::vector<int>& mapa);

// The key prefix of a CPF's rows in table n: the CPF, followed by ATV_BRASIL for 15-20.
std::string chaveCpf(Area n, const Cpf& cpf, std::string_view atvBrasil);

}  // namespace store
