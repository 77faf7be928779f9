// One sheet of a declaration's print job: the taxpayer's register and table-01 values (read as
// the old program's memvars, table 01 over the register where both have a name), the print
// copies in their areas, the job's choices, the page mechanics and the running values the
// sheets share (carried subtotals, the dependants' names, the asset year captions).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "print/balanco_folha.h"
#include "print/impressao.h"
#include "print/pagina.h"
#include "rt/text/date.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/espelho.h"

namespace print {

// The taxpayer's values by name: table 01 first, then the register; a name neither has is
// empty (0, "", the empty date, false).
class Memvars {
 public:
  explicit Memvars(const store::EspelhoDeclaracao& d) : d_(d) {}
  Decimal num(std::string_view nome) const;
  std::string txt(std::string_view nome) const;
  rt::text::Date data(std::string_view nome) const;
  bool logico(std::string_view nome) const;
  // USAPADRAO "S": the simplified discount is used.
  bool simplificada() const { return txt("USAPADRAO") == "S"; }

 private:
  const store::RegistroEspelho* dono(std::string_view nome) const;
  const store::EspelhoDeclaracao& d_;
};

struct Folha {
  Folha(store::Contexto& c, Impressao& i, const Memvars& mv, int queimp, int quepag);

  store::Contexto& ctx;
  Impressao& imp;
  const Memvars& m;
  int QUEIMP, QUEPAG;
  Pagina pag;
  Balanco bal;  // sheets 4 and 5

  bool LDUPLACOL = false;
  bool LIMPBAL = true;
  std::vector<std::string> ARELDEP;
  std::string CANOAN = "2008 ", CANOBA = "2009 ";
  // Carried subtotals of the income, asset and debt tables.
  Decimal I1_4, I1_5, I1_6, I1_7, I1_9, I1_10, I1_12, I1_13, I1_15;
  Decimal I7_3, I7_4, I8_3, I8_4;
  std::string tipoRenda = "J";  // I1_1 of the income row being printed
};

// CABEC_PAG(k): 0 the page header alone on a page already broken; 1-7 a table going on over
// the page: its carried lines, the break, the header and the table's heading again.
void CABEC_PAG(Folha& f, int k);
// The heading of table k (1-4, 6, 7) in condensed pitch between LIN_DIV2 lines.
void tituloDaSecao(Folha& f, int k);
// IDENTIFICA: the identification block.
void IDENTIFICA(Folha& f);

// The sheets of the declaration.
void PAGINA1(Folha& f);
void PAGINA2(Folha& f);
void PAGINA3(Folha& f);
void PAGINA4(Folha& f);
void PAGINA5(Folha& f);
// MOSBALAN: the balance block that ends sheet 4.
void MOSBALAN(Folha& f);
// ANOTE_ESP: sheet 9, the taxpayer's notes (nothing without notes).
void ANOTE_ESP(Folha& f);
// REL_PAGAMENTO: the payments with codes primeiro..ultimo.
void REL_PAGAMENTO(Folha& f, int primeiro, int ultimo);

// Walks a print copy in its order, skipping deleted rows.
template <typename F>
void paraCadaLinha(store::Contexto& ctx, store::Area area, F&& f) {
  rt::db::Table* t = ctx.areas.table(area);
  if (t == nullptr) return;
  for (t->goTop(); t->status() && !t->eof(); t->skip(1))
    if (!t->isDeleted()) f(*t);
}

}  // namespace print
