// The print job of menu item 51: the taxpayers chosen (one CPF, the marked ones, the data
// folder or every folder of the terminal), the print copies of each taxpayer's rows, one
// routing of the printer per job, the sheets of the report kind in as many copies as asked,
// and the hand-over of captured output at the end. The sheets themselves are plugged in
// through FOLHA.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/paths.h"
#include "print/imp_txt.h"
#include "print/impressao.h"
#include "rt/base/status.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace print {

// The terminal's print choices (kept in CONFIG by the print menu).
struct Escolhas {
  int QUEIMP = 1;  // report kind 1-14
  int QUEMOD = 1;  // form model
  int QUEPAG = 1;  // page set
  int QUECON = 1;  // 1 one CPF, 2 the marked taxpayers, 3 the data folder, 4 every folder
  int NRO_VIAS = 1;
  std::string MOSIMP = "N", MOSTEL = "N", MOSCPF = " ";
};

// What the job takes from other subsystems. Any of them may be empty.
struct ServicosImpressao {
  // FOLHA(n): prints sheet n of the taxpayer whose rows are in the print copies, at the
  // printer's head, keeping Impressao::QLIN.
  std::function<void(store::Contexto&, Impressao&, int folha)> FOLHA;
  // The rest of a whole declaration after its sheets: each gain operation's statement, the
  // special notes, and the rural sheets (in Brazil or abroad, part 1 or 2).
  std::function<void(store::Contexto&, Impressao&)> GANHOS, ANOTACOES;
  std::function<void(store::Contexto&, Impressao&, bool brasil, int parte)> RURAL;
  // Kind 5, the payment slips, and kind 12, the register report: run instead of sheets.
  std::function<void(store::Contexto&, Impressao&)> DARF, CADASTRO;
  // The marking grid over the register in area 9 (screen 46, or 47 for the payment slips).
  std::function<void(store::Contexto&, int tela)> MARCA;
  // Asks for one CPF, as the declaration driver does, and calls `imprime` for each CPF
  // confirmed (p.CPF then holds it) until the user leaves.
  std::function<void(store::Contexto&, const std::function<bool(const std::string& cpf)>& imprime)> PEDE_CPF;
  // Kind 8: the folder of the letters ("" the current folder), F1's list of letters, and the
  // letter merged with the register's current taxpayer and printed (IMPR_MAIL).
  std::string pastaCartas;
  std::function<void()> CARTAS;
  std::function<void(store::Contexto&, Impressao&, std::string_view carta)> IMPR_MAIL;
  // The e-mail hand-over of IMP_TXT.
  decltype(PedidoImpTxt::enviaEmail) enviaEmail;
};

// The copies and sheets of a report kind.
struct FaixaTipo {
  int primeira = 0, ultima = -1;  // tables whose rows are copied (none when ultima < primeira)
  int PRIF = 0, ULTF = -1;        // sheets (none when ULTF < PRIF)
};
FaixaTipo faixaDoTipo(int QUEIMP, int QUEPAG);

// SELECIONA: chooses the taxpayers and runs the job; afterwards the print copies and the
// output are closed and the register's filter cleared.
void SELECIONA(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, const ServicosImpressao& srv,
               const platform::EnvLookup& env);

// FAZIMP: one print job; `cpf` is the taxpayer of a one-CPF job. Failed when it printed
// nothing: told when the register could not be opened, the routing failed or the output could
// not be closed; untold, with nothing to say, when the clerk left a question with Esc.
rt::Status FAZIMP(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, const ServicosImpressao& srv,
                  const platform::EnvLookup& env, const std::string& cpf = {});

// INIVAR: the print copies of tables primeira..ultima (9 skipped) for `cpf`, rebuilt from
// the shared tables of the current data folder and indexed with the print keys. Failed, and
// told, when a table could not be had or a copy made.
rt::Status INIVAR(store::Contexto& ctx, const store::Cpf& cpf, int primeira, int ultima);

}  // namespace print
