// Letters merged with a taxpayer's data and printed with their page format: the print job's
// letter sheet, the editor's "Impressão" menu and the e-mail's message body all come here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console/honorarios.h"
#include "print/impressao.h"
#include "rt/db/table.h"
#include "store/contexto.h"

namespace office {

class DadosDaMala;

// The merge fields, in the order the editor's field list shows them: the name between AE and AF,
// the caption of the list and the text a record gives the field. The one list of them: the
// editor offers these names and the merge knows no other.
struct CampoCarta {
  std::string_view nome, legenda;
  std::string (*valor)(const DadosDaMala&);
};
const std::vector<CampoCarta>& camposDaCarta();

// The text a register record gives each merge field (by its name), with the office's fees
// worked out from its usage time and size. An unknown name gives nothing.
class DadosDaMala {
 public:
  DadosDaMala(const rt::db::Table& registro, const console::PrecosEscritorio& precos);
  std::optional<std::string> valor(std::string_view campo) const;

  const rt::db::Table& registro() const { return reg_; }
  const console::Honorarios& custos() const { return custos_; }

 private:
  const rt::db::Table& reg_;
  console::Honorarios custos_;
};

// The letter `texto` (header included) with every known merge field replaced by the record's
// data; unknown fields stay as written. A soft line end (8D 0A) that word wrap left inside a
// field's name is ignored. The data is put in once: a guillemet in a name is never taken for
// another field.
std::string MESCLA(std::string_view texto, const DadosDaMala& dados);

// IMPR_EDT: prints a letter (header included) on the terminal's output device with its page
// format: each line at the left margin, on the page rows top .. length - bottom - 1, from the
// current row (QLIN) on, a new page when those rows are used up. QLIN is left on the row after
// the last line. An empty text prints nothing.
void IMPR_EDT(print::Impressao& imp, std::string_view texto);

// IMPR_MAIL: the letter merged with the register's current record (area 9) and printed.
void IMPR_MAIL(store::Contexto& ctx, print::Impressao& imp, std::string_view texto);

// The letter merged with the register's current record and laid out as IMPR_EDT prints it,
// into a string: the body of an e-mail (CCORPO).
std::string corpoDaCarta(store::Contexto& ctx, std::string_view texto);

}  // namespace office
