// The program's state: what the data store keeps (store::Contexto) and what the shell adds,
// the terminal's settings read from CONFIG, the office's settings read from DEFINE, the print
// choices, the main menu and the functions of the other subsystems the menu calls. Made once
// in main and passed by reference everywhere.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/recusa.h"
#include "office/email.h"
#include "platform/child_process.h"
#include "platform/paths.h"
#include "rt/base/status.h"
#include "rt/base/unique_fd.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "rt/ui/menu.h"
#include "shell/ajustes.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace shell {

// The terminal's own settings (table 42, CONFIG, key NRO_TERM). The initial values are those a
// new terminal's record is made with; the folders that depend on the program folder are
// filled in when the record is made.
struct ConfigTerminal {
  std::string ROTAANTER = "C:\\BRANTEL";
  std::string ROTATIVID;
  std::string ROTARECEI = "C:\\ARQUIVOS DE PROGRAMAS RFB\\IRPF2010\\APLICACAO\\DADOS";
  std::string ROTAREANT = "C:\\ARQUIVOS DE PROGRAMAS RFB\\IRPF2009\\GRAVADAS";
  std::string ROTAJAVA = "C:\\ARQUIVOS DE PROGRAMAS RFB\\IRPF2010\\APLICACAO\\DADOS";
  std::string ROTAMOL = "C:\\BRANTEL";
  std::string ROTABACK;
  std::string DIRPROV;
  std::string DIRINST = "C:\\BRANTEL";
  int QUEMOD = 1, QUEPAG = 1, QUECON = 1;  // QUEIMP lives in the console's context
  int COMPAGA = 1;
  std::string IMPBEM = "1", IMPBAL = "1";
  std::string MOSIMP = "S", MOSTEL = "S", MOSCPF = " ";
  std::string ULT_CPF = std::string(11, ' ');
  std::string XDRIVE = "A";
  int SOESTE = 9;
  // 0 never, 1 every declaration when saved, 2 only those of status SOESTE, 3 as chosen last.
  int OPTTRAN = 3;
  rt::text::Date ULTBACK;
  std::string OPCIRPF = "J";
};

// The office's settings of DEFINE (table 43) that the shell's own settings screens do not
// keep in Ajustes.
struct Globais {
  std::array<rt::text::Date, 8> DAT_VENC{};  // the quota due dates VCTO1..VCTO8
  rt::text::Decimal NVALDOLAR;
  std::string CVALDOLAR;  // NVALDOLAR as text, width 6 with 4 decimals
  rt::text::Decimal BOL_NOSNRO;
  int BOL_BANCO = 341;
};

// What a reorganisation of a data folder did: the tables another terminal had open are left
// as they were and named here.
struct Reorganizacao {
  std::vector<std::string> ocupadas;
};

class Program;

// A function of another subsystem that a menu item runs. Failed, and told, when it ended early
// (for the backups: nothing was copied, so the reminder date stays): each function says why.
using FuncaoMenu = std::function<rt::Status(Program&)>;
// REORG(folder, mode) of the folder upkeep.
using Reorganiza = std::function<Reorganizacao(Program&, const std::string& pasta, int modo)>;

class Program : public store::Contexto {
 public:
  Program(rt::term::Console& console, const rt::text::Clock& clock, store::Espera& espera,
          platform::EnvLookup env = platform::processEnvironment());
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The environment the program was started with (tests give their own).
  platform::EnvLookup env;

  std::string VERSAO = "Lib D";
  rt::text::Date HOJE;  // today, fixed for the whole run
  std::string DIRDEF;   // DTAVREN as it was given
  std::string ROTA;     // the data folder, trimmed
  std::string DIRORIG;
  std::string LOCIRPF;  // the tax authority's program folder with a separator, or empty
  store::Cpf CPF;

  ConfigTerminal cfg;
  Ajustes aj;  // DEFINE's billing and saving values and CONFIG's password fields
  Globais glob;

  // The e-mail account (from DEFINE, the password typed kept for the run) and the message last
  // prepared.
  office::Correio correio;

  // Printing.
  int NRO_VIAS = 1;
  std::string ARQ_IMP = " ";
  std::string EMAIL;
  bool PRIM_ETI = true, PRIM_DARF = true;

  // The main menu, its pad-3 captions ITEM1..ITEM7 (index 1..7), the item last chosen and the
  // pad (1-7) the menu opens on next.
  std::unique_ptr<rt::ui::MenuBar> menu;
  std::array<std::string, 8> ITEM{};
  int OPCAO_1 = 1;
  int NPOSMENU = 1;
  std::string CRESBAK = "N";  // the backup reminder's answer

  // Set when the program is to end, with the exit code.
  std::optional<int> saida;

  // Held for the whole run: no other tavren or converte takes this terminal number on this
  // program folder while it is held.
  rt::UniqueFd travaTerminal;

  // Functions of other subsystems by menu item, which the menu's item table runs; an item
  // without one says it is not available in this version. Registered in main as the
  // subsystems provide them.
  std::map<int, FuncaoMenu> funcoes;
  // CRIA_SEQ of the printing subsystem: loads (and first makes) the terminal's printer record.
  FuncaoMenu CRIA_SEQ;
  // The reorganisation "Terminar" runs; none: the tables are left as they are.
  Reorganiza reorganiza;
  // Hands the terminal to a child program (the converter) and takes it back; none in tests.
  platform::TerminalHandover* terminal = nullptr;
  // The converter program; empty: "converte" beside this program's binary, else in PATH.
  std::string conversor;
  // Runs with the item's number before a menu item, under the item's runtime-error handling;
  // never set by the program itself: a test sets it to raise an error inside an item.
  std::function<void(int item)> antesDoItem;
  // Handed a runtime error (the menu item's number and the description) before its alert
  // shows; never set by the program itself: the key fuzzer sets it to end the process, so
  // the error is a fault it reports.
  std::function<void(int item, std::string_view descricao)> aoErroDeExecucao;
};

}  // namespace shell
