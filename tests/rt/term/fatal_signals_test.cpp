// A crash on the curses terminal: a child process holds a session on a pseudo-terminal and
// faults on purpose (a null write, a stack overflow, a division by zero, a mapped file gone,
// abort). It must end by its own signal with the terminal back in the modes it had before the
// session and out of full-screen mode, and leave one line naming the signal in the log, which
// is never written through a link.
#include "rt/term/fatal_signals.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "rt/term/colour.h"
#include "rt/term/curses_terminal.h"
#include "support/scratch_dir.h"

namespace rt::term {
namespace {

// Kept from being optimised away: each fault must really happen.
volatile int* volatile nulo = nullptr;
volatile int zero = 0, um = 1;

volatile int semFim = INT_MAX;

int transborda(int n) {
  if (n >= semFim) return n;  // never: the stack runs out first
  volatile char bloco[1024];
  bloco[0] = static_cast<char>(n);
  return transborda(n + 1) + bloco[0];
}

void arquivoSumido(const std::string& pasta) {
  const std::string caminho = pasta + "/mapeado";
  const int fd = ::open(caminho.c_str(), O_RDWR | O_CREAT, 0600);
  if (fd < 0 || ::ftruncate(fd, 4096) != 0) return;
  auto* p = static_cast<volatile char*>(::mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0));
  if (::ftruncate(fd, 0) != 0) return;
  (void)p[0];
}

class Queda : public testing::Test {
 protected:
  void SetUp() override { pasta_ = support::makeScratchDir("tavren-queda-"); }
  void TearDown() override { support::removeScratchDir(pasta_); }

  struct Fim {
    int sinal = 0;      // the signal that ended the child, 0 when it did not end by one
    bool eco = false;   // the terminal echoes and reads lines again afterwards
    std::string saida;  // what the child wrote to the terminal
  };

  // Runs `falha` in a child holding a curses session on a new pseudo-terminal.
  Fim roda(const std::function<void()>& falha, const std::string& log) {
    Fim fim;
    winsize tamanho{};
    tamanho.ws_row = 25;
    tamanho.ws_col = 80;
    int mestre = -1, escravo = -1;
    if (::openpty(&mestre, &escravo, nullptr, nullptr, &tamanho) != 0) return fim;
    termios modos{};
    ::tcgetattr(escravo, &modos);
    modos.c_lflag |= ECHO | ICANON;
    ::tcsetattr(escravo, TCSANOW, &modos);
    const pid_t filho = ::fork();
    if (filho == 0) {
      ::close(mestre);
      std::FILE* in = ::fdopen(::dup(escravo), "r");
      std::FILE* out = ::fdopen(::dup(escravo), "w");
      CursesTerminal::Options o;
      o.input = in;
      o.output = out;
      o.type = "xterm-256color";
      auto aberto = CursesTerminal::open(o);
      if (!aberto.terminal) ::_exit(3);
      fatal::setLog(log, "terminal 07");
      Screen tela;
      tela.put(0, 0, "TELA DO PROGRAMA", makeAttr(7, 0));
      aberto.terminal->present(tela);
      falha();
      ::_exit(4);
    }
    // The child's output is read as it comes: curses blocks when nobody reads.
    int estado = 0;
    for (;;) {
      pollfd p{mestre, POLLIN, 0};
      if (::poll(&p, 1, 20) > 0) {
        char buffer[4096];
        const ssize_t n = ::read(mestre, buffer, sizeof buffer);
        if (n > 0) fim.saida.append(buffer, static_cast<std::size_t>(n));
        continue;
      }
      if (::waitpid(filho, &estado, WNOHANG) == filho) break;
    }
    if (WIFSIGNALED(estado)) fim.sinal = WTERMSIG(estado);
    ::tcgetattr(escravo, &modos);
    fim.eco = (modos.c_lflag & ECHO) != 0 && (modos.c_lflag & ICANON) != 0;
    ::close(escravo);
    ::close(mestre);
    return fim;
  }

  std::string pasta_;
};

TEST_F(Queda, EveryFaultGivesTheTerminalBackLeavesItsLineAndEndsByItsSignal) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizers stop these faults before the program's own handlers see them";
#endif
  const std::string log = pasta_ + "/error.log";
  struct Caso {
    const char* nome;
    int sinal;
    std::function<void()> falha;
  };
  const std::vector<Caso> casos = {
      {"SIGSEGV", SIGSEGV, [] { *nulo = 1; }},      {"SIGSEGV", SIGSEGV, [] { (void)transborda(0); }},
      {"SIGFPE", SIGFPE, [] { zero = um / zero; }}, {"SIGBUS", SIGBUS, [this] { arquivoSumido(pasta_); }},
      {"SIGABRT", SIGABRT, [] { std::abort(); }},
  };
  for (std::size_t i = 0; i < casos.size(); ++i) {
    SCOPED_TRACE(i);
    const Fim fim = roda(casos[i].falha, log);
    EXPECT_EQ(fim.sinal, casos[i].sinal);
    EXPECT_TRUE(fim.eco);
    EXPECT_NE(fim.saida.find("TELA DO PROGRAMA"), std::string::npos);
    // Out of the alternate screen, after the program's screen.
    EXPECT_GT(fim.saida.rfind("\x1b[?1049l"), fim.saida.find("TELA DO PROGRAMA"));
  }
  std::ifstream arquivo(log);
  std::vector<std::string> linhas;
  for (std::string l; std::getline(arquivo, l);) linhas.push_back(l);
  ASSERT_EQ(linhas.size(), casos.size());
  for (std::size_t i = 0; i < casos.size(); ++i) {
    EXPECT_NE(linhas[i].find(" terminal 07: erro fatal, sinal " + std::string(casos[i].nome)),
              std::string::npos)
        << linhas[i];
    EXPECT_EQ(linhas[i][2], '/') << linhas[i];
  }

  // error.log planted as a link: the crash writes nothing through it.
  const std::string alvo = pasta_ + "/alvo";
  std::ofstream(alvo) << "intacto\n";
  std::filesystem::remove(log);
  std::filesystem::create_symlink(alvo, log);
  EXPECT_EQ(roda(casos[0].falha, log).sinal, SIGSEGV);
  std::stringstream conteudo;
  conteudo << std::ifstream(alvo).rdbuf();
  EXPECT_EQ(conteudo.str(), "intacto\n");
}

TEST(LinhaDeQueda, DateTimeAndSignalAtTheLocalOffset) {
  char linha[128];
  // 2010-04-30 23:59:58 UTC, three hours west: 20:59:58 the same day.
  const std::size_t n = fatal::formatLine(linha, sizeof linha, 1272671998, -3 * 3600, "terminal 03", SIGABRT);
  EXPECT_EQ(std::string(linha, n), "30/04/2010 20:59:58 terminal 03: erro fatal, sinal SIGABRT\n");
  // 1 March of a leap year, just after midnight local time; a short buffer cuts the line.
  EXPECT_EQ(std::string(linha, fatal::formatLine(linha, sizeof linha, 951868800 + 60, 0, "t", SIGSEGV)),
            "01/03/2000 00:01:00 t: erro fatal, sinal SIGSEGV\n");
  EXPECT_EQ(fatal::formatLine(linha, 11, 0, 0, "t", SIGFPE), 10U);
  EXPECT_EQ(std::string(linha), "01/01/1970");
}

}  // namespace
}  // namespace rt::term
