// What every journey on the real program needs: a program folder of its own and the README's
// command that starts a terminal on it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace e2e {

class TmuxSession;

// A short scratch folder under /tmp (folder names are kept in 40-character fields), removed
// with everything in it when the test ends.
class RaizDeTeste {
 public:
  RaizDeTeste();
  ~RaizDeTeste();
  RaizDeTeste(const RaizDeTeste&) = delete;
  RaizDeTeste& operator=(const RaizDeTeste&) = delete;
  const std::string& caminho() const { return caminho_; }

 private:
  std::string caminho_;
};

// The README's run command on the build at hand, for terminal `terminal` (none: the program's
// own choice) on the program folder `home`, with `ambiente` added to the environment (it may
// set TAVREN_BUILD to run another build's program), cut after `segundos`. Afterwards the shell
// prints "tavren-ended <code>", runs `depois` and stays, so the screen can still be read.
std::string comandoTavren(const std::string& home, const std::string& terminal, const std::string& ambiente = {},
                          int segundos = 120, const std::string& depois = {});

// Keys sent one by one with a short pause, as a clerk types them.
void teclas(TmuxSession& s, const std::vector<std::string>& nomes);

// From the main menu: registers taxpayer `cpf` and saves the declaration. False when a step's
// screen did not come; `tela` then holds the screen.
bool cadastraContribuinte(TmuxSession& s, const std::string& cpf, std::string& tela);

// From the main menu: the printer set-up (item 45) sends the output to the file `nome` (typed
// as the clerk does, lower case) of the work folder, with no port. False when a step's screen
// did not come; `tela` then holds the screen.
bool impressoraEmArquivo(TmuxSession& s, const std::string& nome, std::string& tela);

// Row n of a captured screen ("" past its end).
std::string linha(const std::string& tela, std::size_t n);

}  // namespace e2e
