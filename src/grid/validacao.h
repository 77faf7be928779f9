// The checks of the grid's cells, named as the screen catalogue names them ("TES_COD(3)",
// "CONF_DEP", "CALUCRO" ...). The cell editor calls them after a value was typed (a few also
// before the cell is entered); a check may replace the value to be stored (a code picked from a
// list) and returns its verdict: false keeps the cursor in the cell. Messages are alerts with
// "Ok" only unless a question is asked.
//
// The checks read the open declaration and call the pick lists. Those belong to the program,
// not to the grid, so they come in an `AmbienteValidacao`; the shell's grid services object
// (Grade::servicos) hands it over by also deriving from `ComAmbienteValidacao`. Without it the
// checks that need the declaration accept the value as it stands.
#pragma once

#include <string>
#include <string_view>

#include "console/listas.h"
#include "grid/estado.h"
#include "grid/matriz_dados.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "rt/ui/binding.h"
#include "store/contexto.h"
#include "store/espelho.h"

namespace grid {

struct AmbienteValidacao {
  store::EspelhoDeclaracao* espelho = nullptr;  // the open declaration
  console::Listas* listas = nullptr;            // GERAL2
  Matrizes* matrizes = nullptr;                 // MESATI for the rural cash book
  rt::text::Decimal NVALDOLAR;                  // the dollar rate kept in DEFINE
};

class ComAmbienteValidacao {
 public:
  virtual ~ComAmbienteValidacao() = default;
  virtual AmbienteValidacao& ambienteValidacao() = 0;
};

// The one entry of the grid's checks. Names may be chained with ";" (each must accept, in
// order); "A|B" runs A for a payment of code 50 and B otherwise. The document checks
// (POEPONTO, VAL_CPF, VAL_NIT, CPFCGC) are the console's. Names that belong to other screens'
// rules (the payments' totals MENSAL, FDOAPAG, FCONFNDEDU, the limits LIMIT2 and LIMIT3, the
// long descriptions, the dependant link VE_RELDEP) accept here: the shell's services run them
// before forwarding. Any other name refuses the value with a message (the catalogue's names
// are all checked when the program starts, see validacaoConhecida). True when the value is
// accepted; a refusal has been said.
[[nodiscard]] bool VALIDA_CELULA(store::Contexto& ctx, Grade& g, std::string_view nome, rt::ui::Value& valor);

// Whether every name of a chain of checks ("POEPONTO(1);VAL_NIT|CPFCGC") is a check the grid
// or the program knows; the first one that is not in `desconhecido`.
[[nodiscard]] bool validacaoConhecida(std::string_view cadeia, std::string* desconhecido = nullptr);
[[nodiscard]] bool VALIDA_CELULA(store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, std::string_view nome,
                   rt::ui::Value& valor);

// TES_COD(value, screen): the code looked up in the screen's code table (3 dependants, 4 and 30
// payments, 5/8/22 assets, 6/9/23 debts, 35 rural assets). Found: its description in an alert
// and the code itself; not found: the code picked from the list (0 after Esc). Screen 4 also
// marks the computation stale.
rt::text::Decimal TES_COD(store::Contexto& ctx, AmbienteValidacao& amb, rt::text::Decimal valor, int tela);
// TES_PAIS(value, mode): mode 1 the asset's abroad flag (" " or "S"), modes 2-4 a country code
// looked up in TABPAIS.
std::string TES_PAIS(store::Contexto& ctx, AmbienteValidacao& amb, std::string_view valor, int modo);

// TES_MES: the dependant's age warnings for the code of the row; always accepts (true).
[[nodiscard]] bool TES_MES(store::Contexto& ctx, int codigo, rt::text::Date nascimento);
// VEJA_ANO: the warnings of one limit year.
void VEJA_ANO(store::Contexto& ctx, int codigo, rt::text::Date nascimento, int anoLimite);

// CONF_DEP(number, mode): the dependant number of the current payment row (area 26). Mode 1 is
// the check before the cell is entered (only whether a number may be given at all), mode 2 the
// check of the number typed. True when the number is accepted (a refusal is said).
[[nodiscard]] bool CONF_DEP(store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, rt::text::Decimal numero, int modo);

// TROCA_NAO: the folder list's cells (screen 40): column 1 "S" takes the folder, column 2 the
// folder's name (made when missing). True when the value is accepted (a refusal is said).
[[nodiscard]] bool TROCA_NAO(store::Contexto& ctx, Grade& g, std::string_view valor);

// FCALPOUPA(mode): the savings grid's five sums (area 34) into the declaration (I3_08, I4_04,
// PREJVEN1, I3_12, I4_05) and the description lists I3_12D and I4_05D. Mode 0 asks before a sum
// of 0 replaces a value typed elsewhere; any answer but "S" changes nothing and gives false.
bool FCALPOUPA(store::Contexto& ctx, AmbienteValidacao& amb, int modo);

// BUSCA_DESP: the asset-maintenance list (area 30) rebuilt from the assets (area 24).
void BUSCA_DESP(store::Contexto& ctx, Grade& g);

}  // namespace grid
