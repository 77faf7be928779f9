// The source tables of the rural copies: tables of other programs (the sibling rural program,
// the cash book) in a source folder, opened read only through the foreign-table opener with
// orders in the work folder, and checked for every field a copy reads before a row is read.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "converter/receita_tabelas.h"
#include "rt/base/result.h"
#include "rt/db/table.h"
#include "rt/text/value.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/cpf.h"
#include "workareas/areas.h"

namespace converter::rural {

// The names the three rural copies share (anterior_rural*.cpp say `using namespace rural`).
using converter::Linha;
using converter::TabelasCpf;
using rt::Status;
using rt::text::Decimal;

// A field a copy reads, with the kind of value it must hold: 'C' text, 'N' number, 'D' date.
// The copies list theirs as tables, in the order a missing one is looked for.
struct Lido {
  std::string_view nome;
  char tipo = 'N';
};

// The fields of the sibling's register (MOL909, MOL910): the CPF.
inline constexpr Lido kCamposRegistro[] = {{"CPF", 'C'}};

// The sibling's tables are held in the areas lent to the run (workareas::kFontesRurais): its
// register in the first, its table k in the one after the k-th.
inline store::Area areaDoRegistro(const workareas::Emprestimo& e) { return e.area(1); }
inline store::Area areaDaTabela(const workareas::Emprestimo& e, int k) { return e.area(k + 1); }

// How the opening of a source table went.
enum class Aberta {
  Sim,       // open, every field there
  Ausente,   // no such file in the folder
  Falhou,    // there, but the opener could not have it (its alert was shown)
  Recusada,  // a field a copy reads is missing or of another kind (said, naming both)
};

// Opens table `nome` (base name, found in any case) of folder `pasta` (stored, with or
// without its separator) read only in work area `area` under the alias "RURAL" + the area's
// number, ordered by `chave`, when it has every field of `campos`.
Aberta abreFonte(store::Contexto& ctx, store::Area area, std::string_view pasta, std::string_view nome,
                 std::string_view chave, std::span<const Lido> campos);

// Calls `cada` on each row of `cpf` in `t` (ordered by a key that begins with the CPF), in key
// order; stops at the first failure, of a move or of `cada`.
rt::Status linhasDoCpf(rt::db::Table& t, const store::Cpf& cpf,
                       const std::function<rt::Status(const rt::db::Table&)>& cada);

// Whether `t` has a row of `cpf` (same order).
rt::Result<bool> temCpf(rt::db::Table& t, const store::Cpf& cpf);

// ATV_BRASIL of a row copied from a sibling table: "S" (activity in Brazil) when its
// ATV_EXTER is blank, else "N".
std::string ladoDe(const rt::db::Table& t);

}  // namespace converter::rural
