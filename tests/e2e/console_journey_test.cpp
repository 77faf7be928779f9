// What a new user meets first, on the real program in tmux through the README's command: the
// check of a declaration from the menu, the help texts of a fresh program folder, a runtime
// error inside a menu item, a process ended by a signal, and converte on its own. Each journey
// ends by checking that the shell's terminal is usable again (a line typed is echoed and read).
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::linha;
using e2e::shellQuote;
using e2e::teclas;
using e2e::telaParada;
using e2e::TmuxSession;
using e2e::visivel;

class PrimeiroUso : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    raiz_ = pasta_.caminho();
    home_ = raiz_ + "/tavren";
  }
  // The README's command on the build that is there, with `extra` environment; after the
  // program, the shell reads one line and echoes it, which only works on a terminal given back.
  std::string comando(const std::string& extra = {}) const {
    return e2e::comandoTavren(home_, {}, extra, 300, "read -r lido; echo \"lido:$lido\"");
  }
  // The menu is running: its bar is drawn (the bar is drawn when the menu waits for a key).
  static bool noMenu(TmuxSession& s) { return e2e::noMenu(s); }
  // After the program ended: the shell echoes what is typed and reads it at Enter.
  static void terminalDevolvido(TmuxSession& s) {
    s.text("ok123");
    s.keys({"Enter"});
    EXPECT_TRUE(s.waitForText("lido:ok123")) << s.capture();
  }
  // The new taxpayer 123.456.789-09 opened: Declaracao, Declaração, the CPF, Sim.
  static void abreNovo(TmuxSession& s) {
    teclas(s, {"M-l"});
    ASSERT_TRUE(s.waitForText("Inicia ou modifica")) << s.capture();
    teclas(s, {"Enter"});
    ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
    s.text("12345678909");
    s.keys({"Enter"});
    ASSERT_TRUE(s.waitForText("Inclui?")) << s.capture();
    teclas(s, {"S"});
    ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE")) << s.capture();
  }
  // That taxpayer registered: opened, then saved.
  static void registra(TmuxSession& s) {
    abreNovo(s);
    teclas(s, {"Escape"});
    ASSERT_TRUE(s.waitForText("Termina")) << s.capture();
    teclas(s, {"S"});
    ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("IDENTIFICAÇÃO DO CONTRIBUINTE") == std::string::npos; })) << s.capture();
    ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
    teclas(s, {"Escape"});
    ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("C P F") == std::string::npos; })) << s.capture();
  }
  e2e::RaizDeTeste pasta_;
  std::string raiz_, home_;
};

TEST_F(PrimeiroUso, ConferenciaShowsTheProgressAndTheErrorListThenLeavesTheMenuAsItWas) {
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(noMenu(s)) << s.capture();
  const std::string antes = visivel(telaParada(s));
  registra(s);
  teclas(s, {"M-l"});
  ASSERT_TRUE(s.waitForText("Inicia ou modifica")) << s.capture();
  teclas(s, {"Down", "Down"});
  ASSERT_TRUE(s.waitForText("Confere uma declara")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
  s.text("12345678909");
  s.keys({"Enter"});
  // An almost empty declaration: the list of its findings, with the counts of the check.
  ASSERT_TRUE(s.waitForText("Notas e observa")) << s.capture();
  ASSERT_TRUE(s.waitForText("Título de eleitor não informado")) << s.capture();
  const std::string lista = s.capture();
  EXPECT_NE(lista.find("Endereço, CEP, município ou UF do contribuinte em branco"), std::string::npos) << lista;
  EXPECT_NE(linha(lista, 24).find("Conferido.  Resultado =======>"), std::string::npos) << lista;
  // One Esc leaves it: the Enter typed after the full CPF was not taken by the list.
  const auto semLista = [](const std::string& t) { return t.find("Notas e observa") == std::string::npos; };
  teclas(s, {"Escape"});
  (void)s.waitFor(semLista);
  ASSERT_TRUE(semLista(s.capture())) << s.capture();
  // Back at the menu, the screen is the one the check started from.
  EXPECT_TRUE(s.waitFor([&](const std::string& t) { return visivel(t) == antes; })) << s.capture() << "\n--- before:\n" << antes;
}

TEST_F(PrimeiroUso, EveryDialogLeavesTheScreenAsItFoundIt) {
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(noMenu(s)) << s.capture();
  const std::string menu = visivel(telaParada(s));
  const auto volta = [&](const std::string& antes, const char* onde) {
    EXPECT_TRUE(s.waitFor([&](const std::string& t) { return visivel(t) == antes; }))
        << onde << "\n" << s.capture() << "\n--- before:\n" << antes;
  };
  // The taxpayer prompt: its name box keeps its right border; F11 (the notes) and F7 (the
  // folders) give it back as it was.
  teclas(s, {"M-l"});
  ASSERT_TRUE(s.waitForText("Inicia ou modifica")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
  const std::string prompt = visivel(telaParada(s));
  // Both boxes whole on the row being typed: four vertical lines.
  int verticais = 0;
  for (std::size_t i = linha(prompt, 18).find("│"); i != std::string::npos; i = linha(prompt, 18).find("│", i + 1))
    ++verticais;
  EXPECT_EQ(verticais, 4) << prompt;
  for (const auto& [tecla, janela] : {std::pair{"F11", "Notas e observa"}, std::pair{"F7", "Drive e diret"}}) {
    s.keys({tecla});
    ASSERT_TRUE(s.waitFor([&](const std::string& t) { return visivel(t) != prompt; })) << tecla;
    ASSERT_TRUE(s.waitForText(janela)) << tecla << "\n" << s.capture();
    teclas(s, {"Escape"});
    volta(prompt, tecla);
  }
  teclas(s, {"Escape"});
  volta(menu, "the prompt left");

  // Pastas (item 14): the folder list without a frame of its own.
  teclas(s, {"M-l"});
  ASSERT_TRUE(s.waitForText("Inicia ou modifica")) << s.capture();
  teclas(s, {"Down", "Down", "Down"});
  ASSERT_TRUE(s.waitForText("Seleciona o Drive e a Pasta")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Drive e diret")) << s.capture();
  teclas(s, {"Escape"});
  volta(menu, "Pastas");

  // Env Receita, "apenas as com status": the status number is typed on the menu's row, then
  // the question is asked.
  teclas(s, {"M-e"});
  ASSERT_TRUE(s.waitForText("Transfere para a receita ao terminar")) << s.capture();
  teclas(s, {"Down"});
  ASSERT_TRUE(s.waitForText("Tranfere p/receita ao terminar so")) << s.capture();
  teclas(s, {"Enter", "Enter"});
  ASSERT_TRUE(s.waitForText("A partir de agora somente")) << s.capture();
  teclas(s, {"N"});
  volta(menu, "apenas as com status");

  // Backup, "Compacta uma Pasta": an alert inside the folder dialog, then Esc.
  teclas(s, {"M-b"});
  ASSERT_TRUE(s.waitForText("Faz a copia de seguranca")) << s.capture();
  teclas(s, {"Down", "Down", "Down", "Down"});
  ASSERT_TRUE(s.waitForText("apenas de UMA PASTA")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Drive e a Pasta  Novo")) << s.capture();
  // Enter keeps the current folder as the origin; the destination typed is the same folder.
  teclas(s, {"Enter"});
  s.text(home_ + "/DADOS2010");
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("não podem ser iguais")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("não podem ser iguais") == std::string::npos; }));
  const std::string depois = visivel(s.capture());
  EXPECT_NE(depois.find("Drive e a Pasta  Atual"), std::string::npos) << depois;
  teclas(s, {"Escape"});
  volta(menu, "Compacta uma Pasta");
}

TEST_F(PrimeiroUso, AFreshProgramFolderHasItsHelpTextsAndAHelpWithoutItsMemoFileShowsNothing) {
  {
    TmuxSession s(comando(), 80, 25);
    ASSERT_TRUE(s.started());
    ASSERT_TRUE(noMenu(s)) << s.capture();
    const std::string antes = visivel(telaParada(s));
    teclas(s, {"F1"});
    ASSERT_TRUE(s.waitForText("H E L P")) << s.capture();
    EXPECT_TRUE(s.waitForText("AJUDA GERAL")) << s.capture();
    teclas(s, {"Escape"});
    EXPECT_TRUE(s.waitFor([&](const std::string& t) { return visivel(t) == antes; })) << s.capture();
    // Inside a declaration: Alt-H, the help bar's item, and each topic by its letter.
    abreNovo(s);
    for (const auto& [letra, texto] : std::vector<std::pair<std::string, std::string>>{
             {"g", "AJUDA GERAL"}, {"f", "TECLAS DO PROGRAMA"}}) {
      teclas(s, {"M-h"});
      ASSERT_TRUE(s.waitForText("Help")) << s.capture();
      teclas(s, {"Enter"});
      ASSERT_TRUE(s.waitForText("Funçoes")) << s.capture();
      teclas(s, {letra});
      EXPECT_TRUE(s.waitForText(texto)) << letra << "\n" << s.capture();
      teclas(s, {"Escape"});
      ASSERT_TRUE(s.waitFor([&](const std::string& t) { return t.find(texto) == std::string::npos; }))
          << s.capture();
    }
    teclas(s, {"Escape"});
    ASSERT_TRUE(s.waitForText("Termina")) << s.capture();
    teclas(s, {"I"});
    ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
    teclas(s, {"Escape"});
    ASSERT_TRUE(noMenu(s));
    teclas(s, {"M-r"});
    ASSERT_TRUE(s.waitForText("Confirma saída do sistema")) << s.capture();
    s.keys({"S"});
    ASSERT_TRUE(s.waitForText("tavren-ended 0")) << s.capture();
  }
  ASSERT_TRUE(std::filesystem::exists(home_ + "/HELPTXT.DBF"));
  // The memo file gone: F1 shows nothing at all, no window and no message, and the table is
  // not made again over it.
  std::filesystem::remove(home_ + "/HELPTXT.DBT");
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(noMenu(s)) << s.capture();
  const std::string antes = visivel(telaParada(s));
  // F1, then a pad opened and closed: keys are taken in turn, so once the pad has come and
  // gone F1 has been dealt with; a window or message of its own would still be there, or would
  // have taken the keys meant for the pad.
  s.keys({"F1"});
  teclas(s, {"M-l"});
  ASSERT_TRUE(s.waitForText("Inicia ou modifica")) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Inicia ou modifica") == std::string::npos; }))
      << s.capture();
  EXPECT_EQ(visivel(telaParada(s)), antes);
  EXPECT_FALSE(std::filesystem::exists(home_ + "/HELPTXT.DBT"));
}

TEST_F(PrimeiroUso, ARuntimeErrorInsideAnItemShowsTheErrorAlertAndQuitWritesErrorLog) {
  // The office program with a runtime error planted in item 24 (tests/e2e/demos).
  const std::string planta = "TAVREN_TESTE_ERRO_ITEM=24 TAVREN_BUILD=" + shellQuote(TAVREN_ERRO_ITEM_BUILD);
  TmuxSession s(comando(planta), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(noMenu(s)) << s.capture();
  // Opções, "Mudar as Cores" (item 24) by its hot letter.
  const auto cores = [&] {
    teclas(s, {"M-p"});
    ASSERT_TRUE(s.waitForText("Seleciona drive e a pasta")) << s.capture();
    s.keys({"c"});
    ASSERT_TRUE(s.waitForText("Erro de execução")) << s.capture();
    const std::string tela = s.capture();
    for (const char* botao : {"Quit", "Retry", "Default"}) EXPECT_NE(tela.find(botao), std::string::npos) << tela;
    EXPECT_NE(tela.find("erro provocado pelo teste no item 24"), std::string::npos) << tela;
  };
  cores();
  // Retry runs the item again; Default gives it up and the menu goes on. The alert comes back
  // the same, and reads the key typed after Retry (an alert drops no key typed ahead).
  s.keys({"R"});
  ASSERT_TRUE(s.waitForText("Erro de execução")) << s.capture();
  s.keys({"D"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Erro de execução") == std::string::npos; }))
      << s.capture();
  EXPECT_FALSE(std::filesystem::exists(home_ + "/error.log"));
  cores();
  s.keys({"Q"});
  ASSERT_TRUE(s.waitForText("tavren-ended 1")) << s.capture();
  terminalDevolvido(s);
  std::ifstream log(home_ + "/error.log");
  ASSERT_TRUE(log) << "error.log in the program folder";
  std::string texto;
  for (std::string l; std::getline(log, l);) texto += l + "\n";
  EXPECT_NE(texto.find("erro provocado pelo teste no item 24"), std::string::npos) << texto;
  EXPECT_NE(texto.find("terminal 00"), std::string::npos) << texto;
}

// The process ids below the pane's shell.
std::vector<int> descendentes(int pid) {
  std::vector<int> r;
  std::ifstream filhos("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  for (int f; filhos >> f;) {
    r.push_back(f);
    for (int n : descendentes(f)) r.push_back(n);
  }
  return r;
}

// The process of the program `programa` below the pane's shell (0 when there is none).
int processo(TmuxSession& s, const std::string& programa = "tavren") {
  const int shell = std::atoi(s.format("#{pane_pid}").c_str());
  for (int pid : descendentes(shell)) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string nome;
    if (comm >> nome && nome == programa) return pid;
  }
  return 0;
}

// Whether the process sleeps (waits for something, here its terminal).
bool dorme(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string linha;
  std::getline(stat, linha);
  // The state follows the command's name, which is in parentheses.
  const auto fim = linha.rfind(") ");
  return fim != std::string::npos && fim + 2 < linha.size() && linha[fim + 2] == 'S';
}

TEST_F(PrimeiroUso, ASignalEndsTheProgramWithTheTerminalGivenBackAndTheTerminalNumberFree) {
  for (int sinal : {SIGTERM, SIGHUP}) {
    TmuxSession s(comando(), 80, 25);
    ASSERT_TRUE(s.started());
    ASSERT_TRUE(noMenu(s)) << s.capture();
    const int pid = processo(s);
    ASSERT_GT(pid, 0);
    ASSERT_EQ(kill(pid, sinal), 0);
    ASSERT_TRUE(s.waitForText("tavren-ended")) << s.capture();
    terminalDevolvido(s);
  }
  // Terminal 00 is free again: a new start reaches the menu.
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  EXPECT_TRUE(noMenu(s)) << s.capture();
}

// converte on its own, on terminal 05 of a new program folder (TERMINAL naming the desktop's
// terminal emulator, which is no terminal number): its banner and menu; a second
// converte on the same number is refused while the first runs; "Terminar" ends it with 0 and
// gives the terminal back.
TEST_F(PrimeiroUso, ConverteOnItsOwnShowsItsMenuAndHoldsItsTerminalNumber) {
  const std::string converte = std::string(TAVREN_BUILD_DIR) + "/src/app/converte";
  const std::string inicio = "mkdir -p " + shellQuote(home_) + "; env TERMINAL=gnome-terminal TERM=xterm-256color LANG=C.UTF-8 DTAVREN=" +
                             shellQuote(home_) + " " + shellQuote(converte) + " 05; echo converte-ended $?; ";
  TmuxSession s(inicio + "read -r lido; echo \"lido:$lido\"; sleep 30", 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Term. 05 Converte Ver.1.07D", e2e::kPartida)) << s.capture();
  EXPECT_TRUE(s.waitForText("Conversao")) << s.capture();
  // The menu waits for a key, asleep on the terminal.
  const int pid = processo(s, "converte");
  ASSERT_GT(pid, 0) << s.capture();
  EXPECT_TRUE(e2e::ate([pid] { return dorme(pid); }));
  // The same number again: refused, and the prompt for another number left with Esc.
  TmuxSession outra(inicio + "sleep 30", 80, 25);
  ASSERT_TRUE(outra.started());
  ASSERT_TRUE(outra.waitForText("Terminal com esse nro aberto em outro local", e2e::kPartida)) << outra.capture();
  teclas(outra, {"Enter"});
  outra.keys({"Escape"});
  EXPECT_TRUE(outra.waitForText("converte-ended")) << outra.capture();
  // Terminar, from the Conversao pad.
  teclas(s, {"M-c"});
  ASSERT_TRUE(s.waitForText("Livro Caixa")) << s.capture();
  s.keys({"M-t"});
  ASSERT_TRUE(s.waitForText("converte-ended 0")) << s.capture();
  terminalDevolvido(s);
}

}  // namespace
