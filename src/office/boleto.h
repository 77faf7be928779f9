// Bank collection slips: the issuer's account kept in DEFINE, one slip per client entered into
// table 67 (BOLETO), and the bank's remittance file written from them (boleto_remessa.h), after
// which the table is emptied. Main menu item 33.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "office/boleto_remessa.h"
#include "rt/base/status.h"
#include "rt/text/date.h"
#include "store/contexto.h"

namespace office {

// A taxpayer found by CPF in the register of the current folder or of another registered one.
struct Localizado {
  std::string cpf, nome, email;  // CPF digits, NOMECONTR and EMAIL as stored
  EnderecoSacado endereco;
};

// BUSCACPF: the register searched by CPF here, then in the other registered folders; the
// current folder is the same afterwards. Not found: the two-line message and nothing.
std::optional<Localizado> BUSCACPF(store::Contexto& ctx, std::string_view cpf);
// As BUSCACPF without a word when nothing is found (the remittance's address lookup).
std::optional<Localizado> procuraCpf(store::Contexto& ctx, std::string_view cpf);
// The two-line message of a client in no folder (BUSCACPF's, and the e-mail's when the letter
// finds no register row to merge).
void avisaNaoLocalizado(store::Contexto& ctx);

// LOCALI_CPF: the check of a CPF field: wrong check digits (said by the CPF check) or a CPF in
// no folder (said) refuse it.
std::optional<Localizado> LOCALI_CPF(store::Contexto& ctx, std::string_view cpf);

// The issuer's account as DEFINE holds it; nothing when DEFINE could not be read (said).
std::optional<ContaBoleto> leContaBoleto(store::Contexto& ctx);

// What one slip's entry offers next: kept between slips of one preparation.
struct EntradaBoleto {
  rt::text::Decimal NRODOCUM, NOSSONRO, VALORDOC;
  rt::text::Date DATADOC;
  std::string NOMESAC = std::string(30, ' ');
  std::string CPFSAC = std::string(11, ' ');
};

// CONF_BOLETO: the issuer's account form; stored in DEFINE on "S" to "Confirma os dados ?".
void CONF_BOLETO(store::Contexto& ctx);
// UNICO_BOL: the entry of slips, one after another while "Outro boleto ? " is answered yes.
void UNICO_BOL(store::Contexto& ctx, EntradaBoleto& e, rt::text::Date hoje);
// FAZ_BOLETO: the slips entered: the grid of those waiting (Ins enters one) or, with none
// waiting, the entry at once.
void FAZ_BOLETO(store::Contexto& ctx, rt::text::Date hoje);
// The slip appended to table 67 under its append lock, as the entry does for each slip typed.
// Failed, and told, when it could not be.
rt::Status acrescentaBoleto(store::Contexto& ctx, const EntradaBoleto& e);

// Steps of the remittance at which GERA_BOLETO calls its hook (tests stop the process there).
enum PassoRemessa : int {
  kRemessaLida = 1,      // table 67 held, the slips read
  kRemessaMeioArquivo,   // half the file written under its scratch name
  kRemessaArquivo,       // the file whole and synced under its scratch name
  kRemessaDiario,        // the journal written and synced
  kRemessaNoLugar,       // the file under its day's name
  kRemessaMeioRetirada,  // half the slips taken out of the table
  kRemessaRetirada,      // every slip taken out, the table committed
  kRemessaConcluida,     // the journal removed
};
using GanchoRemessa = std::function<void(int passo)>;

// GERA_BOLETO: the remittance file of every slip waiting, then those slips leave table 67.
// The table is held under its file lock from the read to the end, so a terminal that cannot
// have it is refused before anything is written, and slips typed meanwhile wait for their
// append; a kill anywhere leaves the file and its slips' removal both done or both undone
// (office/remessa_diario.h). Failed, and told, when no file was written (also when no slip
// was waiting).
rt::Status GERA_BOLETO(store::Contexto& ctx, rt::text::Date hoje, const GanchoRemessa& gancho = {});
// BOLETO: the slip menu (account, slips, file); Esc leaves it. Failed, and told (there is
// nothing to say), only when the menu's frame is missing.
rt::Status BOLETO(store::Contexto& ctx, rt::text::Date hoje);

}  // namespace office
