// Start-up: the program folder and terminal number, the settings records of a first start,
// the backup reminder, the data folder a new terminal gets and its fallback, folder names that
// would not fit their 40-character fields, old tables upgraded and the folder register.
#include "shell/inicio.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "console/pastas.h"
#include "programa_fixture.h"
#include "rt/base/unique_fd.h"
#include "rt/db/file.h"
#include "rt/fs/shared_files.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "shell/config_terminal.h"
#include "shell/erro_execucao.h"
#include "shell/saida.h"
#include "shell/terminal_numero.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/rotas.h"
#include "support/links_plantados.h"

namespace shell::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;
namespace key = rt::term::key;

class Inicio : public ProgramaFixture {
 protected:
  // The folders of a register's chosen rows.
  std::vector<std::string> escolhidas(std::string_view registro) {
    std::vector<std::string> v;
    auto t = abre(registro);
    if (!t) return v;
    for (; !t->eof(); (void)t->skip())
      if (t->getText("SELEC") == "S") v.emplace_back(rt::text::trim(t->getText("DIRETOR")));
    return v;
  }
  int linhasDe(std::string_view tabela) {
    auto t = abre(tabela);
    return t ? static_cast<int>(t->recordCount()) : -1;
  }
};

TEST(NumeroTerminal, OnlyWholeNumbersFrom0To99) {
  EXPECT_EQ(numeroTerminal("7"), "07");
  EXPECT_EQ(numeroTerminal(" 42 "), "42");
  EXPECT_EQ(numeroTerminal(""), "00");
  EXPECT_EQ(numeroTerminal("123"), std::nullopt);
  EXPECT_EQ(numeroTerminal("-5"), std::nullopt);
  EXPECT_EQ(numeroTerminal("x1"), std::nullopt);
  EXPECT_TRUE(terminalNumerico("3"));
  EXPECT_FALSE(terminalNumerico("xterm-256color"));
  EXPECT_FALSE(terminalNumerico(""));
}

TEST_F(Inicio, FirstStartMakesTheTerminalsRecordsAndReachesTheMenu) {
  ASSERT_TRUE(inicia());
  EXPECT_EQ(p->NUSU, "00");
  EXPECT_EQ(p->ROTADEF, programa.caminho());
  ASSERT_NE(p->menu, nullptr);
  EXPECT_EQ(p->menu->pads().size(), 7u);
  EXPECT_EQ(p->NPOSMENU, 1);
  EXPECT_TRUE(p->areas.isOpen(workareas::Area::IMP0910));
  con.refresh();
  EXPECT_TRUE(gravador.viu("Versão Lib D 10/06/10"_cp));

  auto config = abre("CONFIG", "00");
  ASSERT_TRUE(config && !config->eof());
  EXPECT_EQ(rt::text::trim(config->getText("ROTADOANO")), programa / "DADOS2010");
  EXPECT_EQ(rt::text::trim(config->getText("DIRTRAB")), programa.caminho());
  EXPECT_EQ(rt::text::trim(config->getText("DIRPROV")), programa.caminho());
  EXPECT_EQ(rt::text::trim(config->getText("ROTAANTER")), "C:\\BRANTEL");
  EXPECT_EQ(config->getNumber("QUEIMP"), Decimal(1));
  EXPECT_EQ(config->getNumber("SOESTE"), Decimal(9));
  EXPECT_EQ(config->getNumber("OPTTRAN"), Decimal(3));
  EXPECT_EQ(config->getText("OPCIRPF"), "J");
  EXPECT_EQ(config->getText("XDRIVE"), "A");
  EXPECT_EQ(config->getDate("ULTBACK"), Date::fromYmd(2010, 6, 20));
  auto cores = abre("CORES", "00");
  ASSERT_TRUE(cores && !cores->eof());
  EXPECT_EQ(cores->getNumber("COR_TEL1"), Decimal(30));

  // The data folder is the register's only chosen row.
  EXPECT_EQ(escolhidas("DIRET00"), std::vector<std::string>{programa / "DADOS2010"});
}

TEST_F(Inicio, FirstStartOnAnEmptyProgramFolderMakesItsOwnDataFolder) {
  std::filesystem::remove_all(programa / "DADOS2010");
  ASSERT_TRUE(inicia());
  EXPECT_EQ(p->ROTADOANO, programa / "DADOS2010");
  EXPECT_EQ(p->LOCARQ, programa / "DADOS2010/");
  p.reset();
  // The taxpayer register was made there (the other tables are made where they are first
  // opened, in the data folder too); the program folder holds none.
  EXPECT_TRUE(std::filesystem::exists(programa / "DADOS2010/IMP0910.DBF"));
  EXPECT_TRUE(std::filesystem::exists(programa / "DADOS2010/IMP0910.CDX"));
  for (const auto& f : std::filesystem::directory_iterator(programa.caminho())) {
    const std::string nome = f.path().filename().string();
    EXPECT_FALSE(nome.size() == 11 && nome.rfind("IMP", 0) == 0 && nome.substr(5) == "10.DBF") << nome;
  }
  // The register lists the program folder too (its first row), but only DADOS2010 is chosen.
  EXPECT_EQ(escolhidas("DIRET00"), std::vector<std::string>{programa / "DADOS2010"});
  // Another terminal's first start shares the folder; the first terminal's choice stands.
  ASSERT_TRUE(inicia("01"));
  EXPECT_EQ(p->ROTADOANO, programa / "DADOS2010");
  p.reset();
  EXPECT_EQ(escolhidas("DIRET01"), std::vector<std::string>{programa / "DADOS2010"});
  ASSERT_TRUE(inicia());
  EXPECT_EQ(p->ROTADOANO, programa / "DADOS2010");
}

TEST_F(Inicio, AProgramFolderHoldingDeclarationsStaysTheDataFolderOfANewTerminal) {
  std::filesystem::remove_all(programa / "DADOS2010");
  ASSERT_TRUE(rt::db::Table::create(programa / "IMP0910.DBF", store::camposDbf(store::estrutura(store::Area::IMP0910))));
  ASSERT_TRUE(inicia("02"));
  EXPECT_EQ(p->ROTADOANO, programa.caminho());
  p.reset();
  EXPECT_FALSE(std::filesystem::exists(programa / "DADOS2010"));
  EXPECT_EQ(rt::text::trim(abre("CONFIG", "02")->getText("ROTADOANO")), programa.caminho());
  EXPECT_EQ(escolhidas("DIRET02"), std::vector<std::string>{programa.caminho()});
}

TEST_F(Inicio, TerminalNumberFromTerminalVariableArgumentOrZero) {
  env["TERMINAL"] = "7";
  ASSERT_TRUE(inicia("03"));
  EXPECT_EQ(p->NUSU, "07");
  p.reset();
  env["TERMINAL"] = "xterm-256color";
  ASSERT_TRUE(inicia("03"));
  EXPECT_EQ(p->NUSU, "03");
  p.reset();
  env.erase("TERMINAL");
  ASSERT_TRUE(inicia());
  EXPECT_EQ(p->NUSU, "00");
  EXPECT_TRUE(abre("CONFIG", "07") && !abre("CONFIG", "07")->eof());
}

TEST_F(Inicio, PromptForTheNumberWhenTheFolderAsksForIt) {
  std::ofstream(programa / "TAVREN.KEY") << "pede_terminal=S\n";
  env["USUAR"] = "ANA";
  term.pause().type("5").press(key::Enter);
  ASSERT_TRUE(inicia());
  EXPECT_TRUE(gravador.viu("ANA Forneça o número do terminal."_cp));
  EXPECT_EQ(p->NUSU, "05");
  p.reset();
  env["EQUIP"] = "12";
  term.pause().press(key::Enter);
  ASSERT_TRUE(inicia());
  EXPECT_TRUE(gravador.viu("ANA Confirme o número do terminal."_cp));
  EXPECT_EQ(p->NUSU, "12");
}

TEST_F(Inicio, ATerminalNumberInUseIsRefused) {
  rt::UniqueFd outro(::open((programa / "TERM00.LCK").c_str(), O_RDWR | O_CREAT, 0666));
  struct flock trava {};
  trava.l_type = F_WRLCK;
  ASSERT_EQ(::fcntl(outro.get(), F_OFD_SETLK, &trava), 0);
  term.press(key::Enter).pause().type("3").press(key::Enter);
  ASSERT_TRUE(inicia());
  EXPECT_TRUE(gravador.viu("Terminal com esse nro aberto em outro local"));
  EXPECT_EQ(p->NUSU, "03");
  // While this run holds 03, a second one cannot have it either.
  bool ocupado = false;
  EXPECT_FALSE(travaTerminal(*p, "03", ocupado).valid());
  EXPECT_TRUE(ocupado);
}

TEST_F(Inicio, EscAtTheOtherNumberEndsTheProgram) {
  rt::UniqueFd outro(::open((programa / "TERM04.LCK").c_str(), O_RDWR | O_CREAT, 0666));
  struct flock trava {};
  trava.l_type = F_WRLCK;
  ASSERT_EQ(::fcntl(outro.get(), F_OFD_SETLK, &trava), 0);
  term.press(key::Enter).pause().press(key::Esc);
  EXPECT_FALSE(inicia("4"));
  EXPECT_EQ(p->saida, 1);
  // A converter started by this program for its own number takes it without a lock.
  env[kTerminalCedido] = "04";
  p.reset();
  ASSERT_TRUE(inicia("4"));
  EXPECT_EQ(p->NUSU, "04");
}

TEST_F(Inicio, TheHelpTableIsMadeInTheProgramFolderOnlyWhenNeitherFileIsThere) {
  // Started from another folder: the table is made in the program folder, nowhere else.
  const std::filesystem::path antes = std::filesystem::current_path();
  PastaCurta outra;
  std::filesystem::current_path(outra.caminho());
  for (const char* f : {"HELPTXT.DBF", "HELPTXT.DBT", "HELPTXT.CDX"}) std::filesystem::remove(programa / f);
  const bool iniciou = inicia();
  p.reset();
  std::filesystem::current_path(antes);
  ASSERT_TRUE(iniciou);
  EXPECT_TRUE(std::filesystem::exists(programa / "HELPTXT.DBF"));
  EXPECT_TRUE(std::filesystem::exists(programa / "HELPTXT.DBT"));
  EXPECT_TRUE(std::filesystem::is_empty(outra.caminho()));
  auto ajuda = abre("HELPTXT");
  ASSERT_TRUE(ajuda && !ajuda->eof());
  EXPECT_FALSE(rt::text::trim(ajuda->getText("NOME")).empty());
  ajuda.reset();
  // Its memo file gone: the table is left so, never made again over the remaining file.
  std::filesystem::remove(programa / "HELPTXT.DBT");
  ASSERT_TRUE(inicia());
  EXPECT_FALSE(std::filesystem::exists(programa / "HELPTXT.DBT"));
}

TEST_F(Inicio, MissingProgramFolderTakesTheCurrentFolder) {
  // The current folder becomes the program folder: a short one, whatever the test run's is.
  const std::filesystem::path antes = std::filesystem::current_path();
  std::filesystem::current_path(programa.caminho());
  const std::string longa = programa / "nao-existe-e-tem-nome-maior-que-o-campo";
  env["DTAVREN"] = longa;
  const bool iniciou = inicia();
  std::filesystem::current_path(antes);
  ASSERT_TRUE(iniciou);
  EXPECT_EQ(p->ROTADEF, programa.caminho());
  EXPECT_EQ(p->DIRDEF, longa);
  p.reset();
  // DIRPROV keeps DTAVREN as given, but not cut: too long for its field, nothing is kept.
  EXPECT_EQ(rt::text::trim(abre("CONFIG", "00")->getText("DIRPROV")), "");
  env["DTAVREN"] = programa / "nao-existe";
  cria();
  std::filesystem::current_path(programa.caminho());
  const auto nusu = INICIOSIS(*p, std::nullopt);
  std::filesystem::current_path(antes);
  ASSERT_TRUE(nusu);
  EXPECT_EQ(p->ROTADEF, programa.caminho());
  EXPECT_EQ(p->DIRDEF, programa / "nao-existe");
}

TEST_F(Inicio, BackupReminderCountsTheDaysAndPutsItOff) {
  criaConfig("00", [](rt::db::Table& t) { ASSERT_TRUE(t.put("ULTBACK", Date::fromYmd(2010, 4, 10))); });
  term.press('N');
  ASSERT_TRUE(inicia(std::nullopt, Date::fromYmd(2010, 4, 15)));
  EXPECT_TRUE(gravador.viu(" Atencao   5 dias sem fazer o backup compactado."));
  EXPECT_EQ(p->NPOSMENU, 1);
  p.reset();
  EXPECT_EQ(abre("CONFIG", "00")->getDate("ULTBACK"), Date::fromYmd(2010, 4, 19));
}

TEST_F(Inicio, BackupReminderAnsweredYesOpensTheBackupPad) {
  criaConfig("00", [](rt::db::Table& t) { ASSERT_TRUE(t.put("ULTBACK", Date::fromYmd(2010, 1, 10))); });
  term.press('S');
  ASSERT_TRUE(inicia(std::nullopt, Date::fromYmd(2010, 1, 14)));
  EXPECT_TRUE(gravador.viu(" Atencao   4 dias sem"));
  EXPECT_EQ(p->NPOSMENU, 6);
  EXPECT_EQ(p->cfg.ULTBACK, Date::fromYmd(2010, 1, 10));
}

TEST_F(Inicio, NoBackupReminderFromMayOrInOtherYearsOrWithin3Days) {
  criaConfig("00", [](rt::db::Table& t) { ASSERT_TRUE(t.put("ULTBACK", Date::fromYmd(2010, 4, 10))); });
  for (Date hoje : {Date::fromYmd(2010, 5, 1), Date::fromYmd(2011, 2, 1), Date::fromYmd(2010, 4, 13)}) {
    gravador.esquece();
    ASSERT_TRUE(inicia(std::nullopt, hoje));
    EXPECT_FALSE(gravador.viu("sem fazer o backup")) << rt::text::dtoc(hoje);
    p.reset();
  }
}

TEST_F(Inicio, MissingDataFolderFallsBackToTheProgramFolderOrLeaves) {
  const std::string sumiu = programa / "sumiu";
  criaConfig("00", [&](rt::db::Table& t) { ASSERT_TRUE(t.put("ROTADOANO", sumiu)); });
  term.press('N');
  EXPECT_FALSE(inicia());
  EXPECT_TRUE(gravador.viu("A Pasta " + sumiu + std::string(" não foi encontrada!"_cp)));
  EXPECT_EQ(p->saida, 0);
  p.reset();
  term.press('S');
  ASSERT_TRUE(inicia());
  EXPECT_EQ(p->ROTADOANO, programa.caminho());
  p.reset();
  EXPECT_EQ(rt::text::trim(abre("CONFIG", "00")->getText("ROTADOANO")), programa.caminho());
}

TEST_F(Inicio, StoredChoicesOutsideTheirListsAreBroughtIn) {
  criaConfig("00", [](rt::db::Table& t) {
    ASSERT_TRUE(t.put("QUEIMP", Decimal(0)));
    ASSERT_TRUE(t.put("QUECON", Decimal(9)));
    ASSERT_TRUE(t.put("QUEPAG", Decimal(77)));
    ASSERT_TRUE(t.put("ULTBACK", Date()));
  });
  ASSERT_TRUE(inicia());
  EXPECT_EQ(p->QUEIMP, 1);
  EXPECT_EQ(p->cfg.QUECON, 1);
  EXPECT_EQ(p->cfg.QUEPAG, 1);
  EXPECT_EQ(p->cfg.ULTBACK, p->HOJE);
  EXPECT_EQ(p->ITEM[4], "&4-Individual  ");
}

TEST_F(Inicio, OldDefineIsUpgradedKeepingItsValues) {
  // DEFINE as an older version left it: no VER_ATUAL, a bank-slip counter in use.
  std::vector<store::CampoDef> antigos;
  for (const store::CampoDef& c : store::estrutura(store::Area::DEFINE))
    if (c.nome != "VER_ATUAL") antigos.push_back(c);
  const std::string arquivo = programa / "DEFINE.DBF";
  ASSERT_TRUE(rt::db::Table::create(arquivo, store::camposDbf(antigos)));
  {
    auto t = std::move(*rt::db::Table::open(arquivo));
    ASSERT_TRUE(t->appendBlank());
    ASSERT_TRUE(t->put("BOL_NOSNRO", Decimal(4711)));
    ASSERT_TRUE(t->put("TEMP_SAL", Decimal(20)));
    ASSERT_TRUE(t->close());
  }
  ASSERT_TRUE(inicia());
  EXPECT_EQ(p->glob.BOL_NOSNRO, Decimal(4711));
  EXPECT_EQ(p->aj.TEMP_SAL, 20);
  auto define = abre("DEFINE");
  ASSERT_TRUE(define);
  EXPECT_GE(define->fieldIndex("VER_ATUAL"), 0);
  EXPECT_EQ(define->getNumber("BOL_NOSNRO"), Decimal(4711));
}

TEST_F(Inicio, EmptyDefineGetsItsFirstRecord) {
  const std::string arquivo = programa / "DEFINE.DBF";
  ASSERT_TRUE(rt::db::Table::create(arquivo, store::camposDbf(store::estrutura(store::Area::DEFINE))));
  ASSERT_TRUE(inicia());
  auto define = abre("DEFINE");
  ASSERT_TRUE(define);
  EXPECT_EQ(define->recordCount(), 1u);
}

TEST_F(Inicio, ANewDataFolderBecomesTheOnlyChosenRow) {
  std::filesystem::create_directory(programa / "2010");
  criaConfig("00", [&](rt::db::Table& t) { ASSERT_TRUE(t.put("ROTADOANO", programa / "2010")); });
  ASSERT_TRUE(inicia());
  p.reset();
  // The row of the folder made by the first start (criaConfig) and this one.
  EXPECT_EQ(linhasDe("DIRET00"), 2);
  EXPECT_EQ(escolhidas("DIRET00"), std::vector<std::string>{programa / "2010"});
  // Starting again finds the row and adds nothing.
  ASSERT_TRUE(inicia());
  p.reset();
  EXPECT_EQ(linhasDe("DIRET00"), 2);
}

TEST_F(Inicio, AProgramFolderLongerThanItsFieldsIsRefusedBeforeAnythingIsStored) {
  const std::string longa = programa / "uma-pasta-de-nome-bem-mais-longo-que-o-campo";
  ASSERT_GT(longa.size(), 40u);
  std::filesystem::create_directory(longa);
  env["DTAVREN"] = longa;
  term.press(key::Enter);
  EXPECT_FALSE(inicia());
  EXPECT_EQ(p->saida, 1);
  EXPECT_TRUE(gravador.viu("A pasta do programa tem mais de 40 caracteres:"));
  EXPECT_TRUE(gravador.viu(longa));
  EXPECT_TRUE(gravador.viu("Os nomes de pasta são guardados com até 40 caracteres."_cp));
  EXPECT_TRUE(gravador.viu("(variável DTAVREN)."_cp));
  p.reset();
  EXPECT_TRUE(std::filesystem::is_empty(longa));
  // Started by the run script, the program folder came from TAVREN_HOME: that is the name said.
  env["TAVREN_HOME"] = longa;
  term.press(key::Enter);
  EXPECT_FALSE(inicia());
  EXPECT_TRUE(gravador.viu("(variável TAVREN_HOME)."_cp));
}

TEST_F(Inicio, ADataFolderNameThatWouldNotFitLeavesTheDataInTheProgramFolder) {
  // 40 characters exactly: the program folder fits, its DADOS2010 would not.
  const std::string pasta = programa.caminho() + "/" + std::string(39 - programa.caminho().size(), 'p');
  ASSERT_EQ(pasta.size(), 40u);
  std::filesystem::create_directory(pasta);
  for (const auto& f : std::filesystem::directory_iterator(programa.caminho()))
    if (f.is_regular_file()) std::filesystem::copy_file(f.path(), pasta + "/" + f.path().filename().string());
  env["DTAVREN"] = pasta;
  ASSERT_TRUE(inicia());
  EXPECT_EQ(p->ROTADEF, pasta);
  EXPECT_EQ(p->ROTADOANO, pasta);
  p.reset();
  EXPECT_FALSE(std::filesystem::exists(pasta + "/DADOS2010"));
  auto config = rt::db::Table::open(pasta + "/CONFIG.DBF");
  ASSERT_TRUE(config);
  (*config)->goTop();
  ASSERT_TRUE((*config)->status());
  EXPECT_EQ(rt::text::trim((*config)->getText("ROTADOANO")), pasta);
  EXPECT_EQ(rt::text::trim((*config)->getText("DIRPROV")), pasta);
}

TEST_F(Inicio, AFolderTypedLongerThanItsFieldIsAskedAgain) {
  ASSERT_TRUE(inicia());
  // Alt-P puts the tax program's folder under HOME into the work folder's question.
  const char* casa = std::getenv("HOME");
  const std::string antiga = casa ? casa : "";
  const std::string casaTeste = programa / "casa";
  ASSERT_EQ(::setenv("HOME", casaTeste.c_str(), 1), 0);
  ASSERT_GT(store::pastaPadraoReceita().size(), 40u);
  gravador.esquece();
  term.pause().press(key::AltP).press(key::Enter).pause().press(key::Enter).pause().press(key::Esc);
  const std::string escolhida = store::SELAREA(*p, 1);
  if (casa)
    ::setenv("HOME", antiga.c_str(), 1);
  else
    ::unsetenv("HOME");
  EXPECT_TRUE(gravador.viu("O nome da pasta tem mais de 40 caracteres."));
  EXPECT_EQ(escolhida, programa.caminho());
  EXPECT_EQ(p->DIRTRAB, programa.caminho());
  EXPECT_FALSE(std::filesystem::exists(casaTeste));
  p.reset();
  EXPECT_EQ(rt::text::trim(abre("CONFIG", "00")->getText("DIRTRAB")), programa.caminho());
}

TEST_F(Inicio, SairAnsweredYesEndsTheLoopAndStoresTheSettings) {
  ASSERT_TRUE(inicia());
  p->cfg.OPTTRAN = 1;
  p->cfg.SOESTE = 12;
  term.press(key::AltR).press('S');
  EXPECT_EQ(LACO(*p), 0);
  p.reset();
  auto config = abre("CONFIG", "00");
  EXPECT_EQ(config->getNumber("OPTTRAN"), Decimal(1));
  EXPECT_EQ(config->getNumber("SOESTE"), Decimal(12));
}

// The program folder is shared: a link planted at the terminal's lock file or at error.log (to a
// file, dangling, to a folder) is refused and named, and its target is as it was.
TEST_F(Inicio, ALinkAtTheTerminalLockOrTheErrorLogIsRefusedAndNamed) {
  PastaCurta fora;
  for (support::Planta planta : support::plantas()) {
    SCOPED_TRACE(support::nomePlanta(planta));
    const std::string lck = programa / "TERM00.LCK";
    const std::string alvo = support::planta(planta, lck, fora.caminho());
    p.reset();
    gravador.esquece();
    term.press(key::Enter).pause();
    ASSERT_TRUE(inicia());
    EXPECT_TRUE(gravador.viu("Recusado: " + lck));
    EXPECT_TRUE(support::intacto(planta, alvo));
    EXPECT_FALSE(p->travaTerminal.valid());

    const std::string log = programa / "error.log";
    const std::string alvoLog = support::planta(planta, log, fora.caminho());
    // Refused and not said: the caller says it, as a planted link when the system's error is.
    const rt::Status recusado = gravaErrorLog(*p, "falha");
    EXPECT_FALSE(recusado);
    EXPECT_FALSE(recusado.told());
    EXPECT_TRUE(rt::fs::isRefusal(recusado.sysError())) << recusado.message();
    term.press(key::Enter).pause().press(key::Enter);
    EXPECT_EQ(erroFatal(*p, "falha"), 1);
    EXPECT_TRUE(gravador.viu("Recusado: " + p->ARQDEF + "error.log"));
    EXPECT_TRUE(support::intacto(planta, alvoLog));
    std::filesystem::remove(lck);
    std::filesystem::remove(log);
  }
  // Plain files again: the lock is taken and the log written.
  p.reset();
  ASSERT_TRUE(inicia());
  EXPECT_TRUE(p->travaTerminal.valid());
  EXPECT_TRUE(gravaErrorLog(*p, "falha"));
  std::ifstream log(programa / "error.log");
  std::ostringstream lido;
  lido << log.rdbuf();
  EXPECT_NE(lido.str().find("falha"), std::string::npos);
}

// A child process that builds a scratch file beside `alvo` as the table engine does (an index
// being built), says its name and waits to be killed.
pid_t escritor(const std::string& alvo, std::string& nome) {
  int tubo[2];
  if (::pipe(tubo) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(tubo[0]);
    auto s = rt::db::ScratchFile::beside(alvo);
    const std::string n = (s ? s->path() : std::string()) + "\n";
    if (::write(tubo[1], n.data(), n.size()) < 0) ::_exit(1);
    for (;;) ::pause();
  }
  ::close(tubo[1]);
  char c = 0;
  while (::read(tubo[0], &c, 1) == 1 && c != '\n') nome += c;
  ::close(tubo[0]);
  return pid;
}

// Work killed midway (an index being built, a settings file written) leaves its scratch files:
// the next start removes those whose writer is gone and leaves a living writer's.
TEST_F(Inicio, StartUpRemovesTheScratchFilesOfKilledWritersOnly) {
  std::string morto, outroMorto, vivo;
  const pid_t m1 = escritor(programa / "TABMUNI.CDX", morto);
  const pid_t m2 = escritor(programa / "TAVREN.KEY", outroMorto);
  const pid_t v = escritor(programa / "BANCOS.CDX", vivo);
  ASSERT_TRUE(m1 > 0 && m2 > 0 && v > 0 && !morto.empty() && !vivo.empty());
  for (pid_t m : {m1, m2}) {
    ::kill(m, SIGKILL);
    ::waitpid(m, nullptr, 0);
  }
  ASSERT_TRUE(std::filesystem::exists(morto));
  ASSERT_TRUE(inicia());
  EXPECT_FALSE(std::filesystem::exists(morto));
  EXPECT_FALSE(std::filesystem::exists(outroMorto));
  EXPECT_TRUE(std::filesystem::exists(vivo));
  ::kill(v, SIGKILL);
  ::waitpid(v, nullptr, 0);
}

}  // namespace
}  // namespace shell::teste
