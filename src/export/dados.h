// What the declaration file is written from: the record mirror of the open declaration and
// the rows of its working copies, read once before writing. The writer itself reads no table,
// so it can be given a declaration built in memory.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"
#include "workareas/areas_trabalho.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/espelho.h"

namespace exporta {

using rt::text::Date;
using rt::text::Decimal;

using Linhas = std::vector<store::RegistroEspelho>;

// One side of the rural activity (Brazil or abroad): its summary row of table 15, when there
// is one, and its properties, assets and debts.
struct LadoRural {
  std::optional<store::RegistroEspelho> resumo;
  Linhas imoveis;  // table 16
  Linhas bens;     // table 17
  Linhas dividas;  // table 18
};

struct DadosDeclaracao {
  explicit DadosDeclaracao(const store::EspelhoDeclaracao& espelho) : d(espelho) {}

  const store::EspelhoDeclaracao& d;
  Linhas rendimentos;   // TMP_02, incomes
  Linhas dependentes;   // TMP_03
  Linhas bens;          // TMP_04, in item order (I7_0)
  Linhas dividas;       // TMP_05, in item order (I8_0)
  Linhas pagamentos;    // TMP_06
  Linhas carneLeao;     // TMP_12, the titular's row and the dependants'
  Linhas aplicacoes;    // TMP_14, savings and profit lines
  Linhas ganhos;        // TMP_07, gain operations (TIPO_BEM 1-3) and variable-income rows (4)
  Linhas custosGanhos;  // TMP_08, the cost rows and share movements of the gain operations
  LadoRural ruralBrasil, ruralExterior;
  std::map<std::string, std::string, std::less<>> NOMPAIS;  // country names by CODPAIS (table 60)
  rt::text::Date hoje;  // HOJE, from the program's clock
  // A warning about what the file leaves out (shown by the export, with the error beep).
  std::function<void(std::string_view)> aviso;
  // NVALDEPEN: the monthly deduction per dependant.
  rt::text::Decimal NVALDEPEN = rt::text::Decimal::fromRaw(14420000000);
};

// The open declaration's CPF, trimmed: the one it was opened with, else the register's.
std::string cpfAberto(const store::EspelhoDeclaracao& d);

// The rows of a working copy in its current order, each as a record of the copy's own fields.
// A copy that is not open has no rows; a read that fails is passed up.
rt::Result<Linhas> leCopia(workareas::AreasTrabalho& areas, store::Area copia);

// Every copy the writer reads, into `dados`.
rt::Status leCopias(workareas::AreasTrabalho& areas, DadosDeclaracao& dados);

// Both sides of the rural activity: the side open in the working copies from copies 35-38 (its
// summary from the record mirror), the other from the data folder's tables 15-18, opened on
// their own and read only, so exporting never saves or switches the open side. Also the names
// of the countries the abroad side names, from the program folder's table 60.
rt::Status leRural(store::Contexto& ctx, DadosDeclaracao& dados);

}  // namespace exporta
