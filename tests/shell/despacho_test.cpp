// The main menu's dispatcher: every item number reaches its function, the pad remembered for
// the next run, the items built into the shell, and leaving by "Terminar" and "Sair".
#include "shell/despacho.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

#include "console/pastas.h"
#include "fuzz/aborta_no_erro.h"
#include "programa_fixture.h"
#include "rt/term/colour.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "shell/erro_execucao.h"
#include "shell/funcoes.h"
#include "shell/inicio.h"
#include "shell/menu_principal.h"

namespace shell::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;
namespace key = rt::term::key;

class Despacho : public ProgramaFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(inicia()); }

  // Every menu item's number, in menu order.
  std::vector<int> todosOsItens() {
    std::vector<int> ids;
    for (const auto& pad : p->menu->pads())
      for (const auto& it : pad.items)
        if (it.id != 0) ids.push_back(it.id);
    return ids;
  }
  void registraTodos() {
    for (int id : todosOsItens())
      p->funcoes[id] = [this, id](Program&) {
        chamados.push_back(id);
        return retorno ? rt::Status() : console::falhaDita(rt::Error::kFailed, "item");
      };
  }
  std::vector<int> chamados;
  bool retorno = true;
};

TEST_F(Despacho, TheMenuHasEveryPadAndItemWithTheirCaptions) {
  const auto& pads = p->menu->pads();
  ASSERT_EQ(pads.size(), 7u);
  std::vector<std::string> captions;
  for (const auto& pad : pads) captions.push_back(pad.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{" Dec&laracao  ", "O&pcoes", "&Selecao", "&Impressao",
                                                "&Env Receita", "&Backup", "Sai&r"}));
  EXPECT_EQ(todosOsItens(), (std::vector<int>{11, 12, 13, 14, 15, 16, 17, 21, 22, 23, 24, 25, 26, 27, 28, 29,
                                              30, 31, 32, 33, 34, 35, 41, 42, 43, 44, 45, 46, 47, 51, 52, 53,
                                              61, 62, 63, 64, 65, 66, 67, 71, 72, 73, 74, 75, 76, 81}));
  EXPECT_EQ(p->menu->findItem(11)->caption, std::string("&Declaração"_cp));
  EXPECT_EQ(p->menu->findItem(15)->caption, std::string("&Exclusão"_cp));
  EXPECT_EQ(p->menu->findItem(16)->caption, std::string("&Importação"_cp));
  EXPECT_EQ(p->menu->findItem(17)->shortcut, key::AltT);
  EXPECT_EQ(p->menu->findItem(81)->shortcut, key::AltR);
  EXPECT_EQ(p->menu->findItem(81)->caption, "Sai&r ");
  EXPECT_EQ(p->menu->findItem(41)->caption, "&1-IRenda modo Receita");
  EXPECT_EQ(p->menu->findItem(43)->caption, std::string("&3-Tudo na declaraçao "_cp));
  EXPECT_EQ(p->menu->findItem(45)->caption, std::string("&5-Seleção Impressora"_cp));
  EXPECT_EQ(p->menu->findItem(47)->caption, "&7-Vias 1");
  EXPECT_EQ(p->menu->findItem(62)->caption, "apenas as com stat&us   9");
  EXPECT_EQ(p->menu->findItem(73)->help, "Faz a copia do bancos de dados de TODAS AS PASTAS");
}

TEST_F(Despacho, ItemsOfOtherSubsystemsRunWhatIsRegisteredUnderTheirNumber) {
  registraTodos();
  p->LOCIRPF = "/irpf/";
  const std::set<int> proprios{16, 17, 23, 24, 25, 26, 27, 28, 35, 41, 42,
                               43, 44, 46, 47, 52, 61, 62, 73, 74, 81};
  std::vector<int> esperados;
  for (int id : todosOsItens()) {
    if (proprios.count(id)) continue;
    esperados.push_back(id);
    chamados.clear();
    MENUSELECT(*p, id);
    con.clearTypeahead();
    EXPECT_EQ(chamados, std::vector<int>{id}) << id;
    const int dezena = id / 10;
    EXPECT_EQ(p->NPOSMENU, dezena > 2 ? dezena - 1 : dezena) << id;
    EXPECT_EQ(p->OPCAO_1, id);
    EXPECT_FALSE(p->saida);
  }
  EXPECT_EQ(esperados.size(), 25u);
}

TEST_F(Despacho, ItemsWithNothingRegisteredSayTheyAreNotAvailable) {
  p->LOCIRPF = "/irpf/";
  for (int id :
       {11, 12, 13, 14, 15, 21, 22, 29, 30, 31, 32, 33, 34, 45, 51, 53, 63, 64, 65, 66, 67, 71, 72, 75, 76}) {
    gravador.esquece();
    term.press(key::Enter);  // closes the alerts of 63 and 71
    MENUSELECT(*p, id);
    con.clearTypeahead();
    EXPECT_TRUE(gravador.viu(textoNaoDisponivel())) << id;
  }
  // The message stays until a key, and the key is left for the menu.
  term.press(key::Down);
  MENUSELECT(*p, 11);
  EXPECT_EQ(con.inkey(std::chrono::milliseconds(0)).code, key::Down);
}

TEST_F(Despacho, ARuntimeErrorAbortsWithItsDescriptionUnderTheFuzzHookElseShowsTheAlert) {
  // Esc on the alert is Quit: the item ends the program and error.log has the error.
  term.press(key::Esc);
  executaItem(*p, 12, [] { throw std::runtime_error("Decimal out of range"); });
  EXPECT_EQ(p->saida, 1);
  std::ifstream log(programa / "error.log");
  std::string linha;
  ASSERT_TRUE(std::getline(log, linha));
  EXPECT_NE(linha.find("Decimal out of range"), std::string::npos);
  p->saida.reset();
  abortaNoErro(*p);
  EXPECT_DEATH(executaItem(*p, 12, [] { throw std::runtime_error("Decimal out of range"); }),
               "runtime error in menu item .*: Decimal out of range");
}

TEST_F(Despacho, TaxProgramItemsNeedItsFolder) {
  registraTodos();
  p->LOCIRPF.clear();
  for (int id : {63, 64, 65}) {
    gravador.esquece();
    term.press(key::Enter);
    MENUSELECT(*p, id);
    EXPECT_TRUE(gravador.viu("Preencha abaixo em Pasta do IRPF a pasta do programa da receita")) << id;
  }
  EXPECT_TRUE(chamados.empty());
  p->cfg.OPTTRAN = 1;
  p->LOCIRPF = "/irpf/";
  term.press(key::Enter);
  MENUSELECT(*p, 63);
  EXPECT_EQ(chamados, std::vector<int>{63});
  EXPECT_EQ(p->cfg.OPTTRAN, 3);
}

TEST_F(Despacho, TransferModeItems) {
  term.press('S');
  MENUSELECT(*p, 61);
  EXPECT_EQ(p->cfg.OPTTRAN, 1);
  term.press('N');
  MENUSELECT(*p, 61);
  EXPECT_EQ(p->cfg.OPTTRAN, 0);
  term.type("4").press(key::Enter).press('S');
  MENUSELECT(*p, 62);
  EXPECT_EQ(p->cfg.SOESTE, 4);
  EXPECT_EQ(p->cfg.OPTTRAN, 2);
  EXPECT_EQ(p->menu->findItem(62)->caption, "apenas as com &Estatus  4");
  EXPECT_TRUE(gravador.viu("Estatus  4"));
}

TEST_F(Despacho, BackupItemsPutTheReminderOffOnlyWhenTheyCopied) {
  registraTodos();
  const Date antes = p->cfg.ULTBACK;
  // An empty drive letter puts back "A" and does nothing else.
  p->cfg.XDRIVE = "B";
  term.pause().press(key::Del).press(key::Enter);
  MENUSELECT(*p, 73);
  EXPECT_EQ(p->cfg.XDRIVE, "A");
  EXPECT_TRUE(chamados.empty());
  EXPECT_EQ(p->cfg.ULTBACK, antes);

  term.pause().type("b").press(key::Enter);
  MENUSELECT(*p, 73);
  EXPECT_EQ(chamados, std::vector<int>{73});
  EXPECT_EQ(p->menu->findItem(73)->caption, "&Compacta    todos no B:");
  EXPECT_EQ(p->cfg.ULTBACK, p->HOJE + 4);
  auto config = abre("CONFIG", "00");
  EXPECT_EQ(config->getDate("ULTBACK"), p->HOJE + 4);
  EXPECT_EQ(config->getText("XDRIVE"), "B");

  // A backup that ended early leaves the date.
  p->cfg.ULTBACK = antes;
  retorno = false;
  MENUSELECT(*p, 75);
  EXPECT_EQ(p->cfg.ULTBACK, antes);
  // Restoring never counts as a backup.
  retorno = true;
  term.pause().type("c").press(key::Enter);
  MENUSELECT(*p, 74);
  EXPECT_EQ(p->cfg.ULTBACK, antes);
  EXPECT_EQ(p->menu->findItem(74)->caption, "&Descompacta todos do C:");
}

TEST_F(Despacho, NewColoursReachTheMenuKeepingItsCaptions) {
  p->menu->findItem(73)->caption = "&Compacta    todos no E:";
  p->cores.COR_1_CLI = "R/W";
  term.press(key::Esc);
  MENUSELECT(*p, 24);
  // The editor stores what it shows; the menu is made again in the record's colours.
  EXPECT_EQ(p->menu->findItem(73)->caption, "&Compacta    todos no E:");
  p->menu->draw();
  EXPECT_EQ(con.screen().at(0, 1).attr, *rt::term::parseColour(p->cores.COR_1_CLI));
}

TEST_F(Despacho, PrintChoicesFollowTheReportKind) {
  p->cfg.QUEPAG = 7;
  // Kind 5 (DARF): pages 1 and a model of at most 2.
  term.press(key::Down).press(key::Down).press(key::Down).press(key::Down).press(key::Enter);
  MENUSELECT(*p, 41);
  EXPECT_EQ(p->QUEIMP, 5);
  EXPECT_EQ(p->cfg.QUEPAG, 1);
  EXPECT_EQ(p->menu->findItem(41)->caption, "&1-Darfes             ");
  EXPECT_EQ(p->menu->findItem(42)->caption, "&2-Folha branca  ");
  EXPECT_EQ(p->menu->findItem(43)->caption, std::string("&3-Folha única"_cp));
  EXPECT_EQ(p->NPOSMENU, 3);
  auto config = abre("CONFIG", "00");
  EXPECT_EQ(config->getNumber("QUEIMP"), Decimal(5));

  term.press(key::Down).press(key::Enter);
  MENUSELECT(*p, 42);
  EXPECT_EQ(p->cfg.QUEMOD, 2);
  EXPECT_EQ(p->menu->findItem(42)->caption, "&2-Form. do DARF ");

  // Esc keeps the choice.
  term.press(key::Esc);
  MENUSELECT(*p, 44);
  EXPECT_EQ(p->cfg.QUECON, 1);

  // The one-digit field ends when it is full.
  term.pause().type("3");
  MENUSELECT(*p, 47);
  EXPECT_EQ(p->NRO_VIAS, 3);
  EXPECT_EQ(p->menu->findItem(47)->caption, "&7-Vias 3");

  term.press('N').press('S').press('S');
  MENUSELECT(*p, 46);
  EXPECT_EQ(p->cfg.MOSIMP, "N");
  EXPECT_EQ(abre("CONFIG", "00")->getText("MOSIMP"), "N");
}

TEST_F(Despacho, NaoDosPrintsTheFileLeftByTheLastRun) {
  registraTodos();
  term.press(key::Enter);
  MENUSELECT(*p, 52);
  EXPECT_TRUE(gravador.viu("Selecione a impressora Nao DOS antes"));
  EXPECT_TRUE(chamados.empty());
  std::ofstream(programa / "NAO-DOS.TXT") << "texto\n";
  MENUSELECT(*p, 52);
  EXPECT_EQ(chamados, std::vector<int>{52});
  EXPECT_EQ(p->ARQ_IMP, p->LOCTRAB + "NAO-DOS.TXT");
}

// ... and in this terminal's current data folder, whatever its settings record names.
TEST_F(Despacho, TheConverterRunsOnThisTerminalsNumber) {
  const std::string script = programa / "conv.sh";
  std::ofstream(script) << "#!/bin/sh\necho \"$1 $TAVREN_TERMINAL_CEDIDO\" > \"$DTAVREN/saida.txt\"\n"
                        << "echo \"$TAVREN_PASTA_CEDIDA\" >> \"$DTAVREN/saida.txt\"\n";
  ::chmod(script.c_str(), 0755);
  p->conversor = script;
  MENUSELECT(*p, 16);
  std::ifstream saida(programa / "saida.txt");
  std::string linha, pasta;
  std::getline(saida, linha);
  std::getline(saida, pasta);
  EXPECT_EQ(linha, "00 00");
  EXPECT_EQ(pasta, console::BAR_FORA(p->LOCARQ));
  EXPECT_FALSE(pasta.empty());
  EXPECT_TRUE(p->areas.isOpen(workareas::Area::IMP0910));
}

TEST_F(Despacho, SairAnsweredNoStoresNothing) {
  p->cfg.OPTTRAN = 1;
  term.press('N');
  MENUSELECT(*p, 81);
  EXPECT_FALSE(p->saida);
  EXPECT_TRUE(gravador.viu("Confirma saída do sistema"_cp));
  EXPECT_EQ(abre("CONFIG", "00")->getNumber("OPTTRAN"), Decimal(3));
  EXPECT_EQ(p->NPOSMENU, 7);
}

TEST_F(Despacho, TerminarStoresReorganisesAndReportsBusyTables) {
  std::string pasta;
  int modo = 0;
  p->reorganiza = [&](Program&, const std::string& d, int m) {
    pasta = d;
    modo = m;
    return Reorganizacao{{"IMP0110", "IMP0210"}};
  };
  p->cfg.SOESTE = 33;
  term.press(key::Enter);
  MENUSELECT(*p, 17);
  EXPECT_EQ(p->saida, 0);
  EXPECT_EQ(pasta, programa / "DADOS2010");
  EXPECT_EQ(modo, 3);
  EXPECT_TRUE(gravador.viu("Encerrando..."));
  EXPECT_TRUE(gravador.viu("IMP0110 IMP0210"));
  EXPECT_FALSE(p->areas.isOpen(workareas::Area::IMP0910));
  EXPECT_EQ(abre("CONFIG", "00")->getNumber("SOESTE"), Decimal(33));
}

TEST_F(Despacho, TerminarWithTheStoresReorganisation) {
  registraFuncoes(*p);
  ASSERT_TRUE(p->reorganiza);
  MENUSELECT(*p, 17);
  EXPECT_EQ(p->saida, 0);
  EXPECT_FALSE(p->areas.isOpen(workareas::Area::IMP0910));
  // The register's indexes are there again, and the next start finds everything.
  p.reset();
  EXPECT_TRUE(std::filesystem::exists(programa / "DADOS2010/IMP0910.CDX"));
  ASSERT_TRUE(inicia());
}

}  // namespace
}  // namespace shell::teste
