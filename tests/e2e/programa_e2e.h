// What every journey on the real program needs: a program folder of its own, the README's
// command that starts a terminal on it, and the steps a clerk repeats in many journeys. Keys
// go in only once the screen shows that the program took the ones before: nothing waits a
// fixed time, so a journey is as fast as the program and as patient as a loaded machine.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "tmux_session.h"

namespace e2e {

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

// How long a start of the program may take on a loaded machine (the first one makes the
// program folder and its tables).
inline constexpr std::chrono::milliseconds kPartida = std::chrono::seconds(60);

// The README's run command on the build at hand, for terminal `terminal` (none: the program's
// own choice) on the program folder `home`, with `ambiente` added to the environment (it may
// set TAVREN_BUILD to run another build's program), cut after `segundos`. Afterwards the shell
// prints "tavren-ended <code>", runs `depois` and stays, so the screen can still be read.
std::string comandoTavren(const std::string& home, const std::string& terminal, const std::string& ambiente = {},
                          int segundos = 300, const std::string& depois = {});

// Keys as a clerk types them, each one once the program has taken the one before: after each
// key, the screen (or the cursor) must change. So a key the program would drop (keys typed
// ahead of a window are dropped) is never sent early, and Esc never runs into the next key,
// which would make Alt plus that key. Only for keys that change what is shown; a key that
// changes nothing is reported on stderr after the wait's limit.
void teclas(TmuxSession& s, const std::vector<std::string>& nomes);

// Keys one by one with a short pause after each: only where the program takes a key without
// showing anything (Up on a grid's first row), so there is no change to wait for.
void teclasComPausa(TmuxSession& s, const std::vector<std::string>& nomes);

// Esc until `texto` has gone from the screen, at most `maximo` times: each Esc once the screen
// holds still, and none once the text is gone, so no Esc waits on a screen it cannot change
// (how many Escs a place takes depends on what the keys before it left open). False when the
// text is still there after the last one.
bool escAte(TmuxSession& s, const std::string& texto, int maximo);

// Text typed as with TmuxSession::text, once the program has taken what came before; the
// screen must change (as with teclas).
void digita(TmuxSession& s, const std::string& texto);

// The main menu is running: its bar is on row 0.
bool noMenu(TmuxSession& s, std::chrono::milliseconds limite = kPartida);

// Until `condicao` holds (polling); false after `limite`. For what the program writes
// besides the screen (files, tables).
bool ate(const std::function<bool()>& condicao, std::chrono::milliseconds limite = kEspera);

// From the main menu: "Sair", confirmed; the program ends with 0.
bool sai(TmuxSession& s);

// From the main menu: registers taxpayer `cpf` and saves the declaration; back at the menu.
// False when a step's screen did not come; `tela` then holds the screen.
bool cadastraContribuinte(TmuxSession& s, const std::string& cpf, std::string& tela);

// From the main menu: the printer set-up (item 45) sends the output to the file `nome` (typed
// as the clerk does, lower case) of the work folder, with no port. False when a step's screen
// did not come; `tela` then holds the screen.
bool impressoraEmArquivo(TmuxSession& s, const std::string& nome, std::string& tela);

// From the main menu: item 34 sets the office's e-mail account (server, sender and login
// `conta`, password `senha` not remembered) and goes on to "Prepara o Email". False when a
// step's screen did not come.
bool configuraEmail(TmuxSession& s, const std::string& servidor, const std::string& conta, const std::string& senha);

// At "Prepara o Email": a message to taxpayer `cpf`, whose address `email` the form brings,
// subject "Aviso", no attachment, with an edited letter as its body, sent now; ends at the
// letter's name ("Nome da Carta:"). False when a step's screen did not come.
bool preparaEmailComCarta(TmuxSession& s, const std::string& cpf, const std::string& email);

// A key typed during the pause that ends a converter's item only cuts the pause short: `tecla`
// again (three tries at the most) until the screen shows `texto`.
bool teclaAteVer(TmuxSession& s, const std::string& tecla, const std::string& texto);

// Until the cursor stands on the row that shows `texto` (a form's field the program has moved
// on to); false after `limite`.
bool cursorNaLinhaDe(TmuxSession& s, const std::string& texto, std::chrono::milliseconds limite = kEspera);

// The screen once it holds still (looks in a row agree): a picture to compare with later.
std::string telaParada(TmuxSession& s);

// Row n of a captured screen ("" past its end).
std::string linha(const std::string& tela, std::size_t n);

// The screen as the user sees it: tmux keeps the blanks a program wrote at the end of a row
// and drops those it cleared, which look the same.
std::string visivel(const std::string& tela);

// A whole file's bytes ("" when it cannot be read).
std::string leArquivo(const std::string& caminho);

}  // namespace e2e
