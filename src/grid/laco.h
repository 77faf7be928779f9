// The table grid's key loop (CL5BROWSE's keys): one key read at a time and handed to its
// action through the key table; a character starts the cell's edit. Internal to the grid.
#pragma once

#include <algorithm>
#include <optional>

#include "grid/sessao.h"
#include "rt/term/keys.h"
#include "rt/term/screen.h"

namespace grid {

class Laco {
 public:
  Laco(Sessao& s, rt::term::Rect dentro) : s_(s), dentro_(dentro) {}
  void roda();

 private:
  // What a key does on the grid, found in the key table (acao); the page keys go to the
  // declaration's pages, and a key the table does not name is a move of the browse.
  using Acao = void (Laco::*)(const rt::term::Key&);
  struct AcaoTecla {
    int tecla;
    Acao faz;
  };
  static Acao acao(int code);
  void despacha(const rt::term::Key& k);

  // The keys' actions.
  void divideMensal(const rt::term::Key&);
  void enter(const rt::term::Key&);
  void ctrlEnter(const rt::term::Key&);
  void aninha(const rt::term::Key& k);
  void buscaDespesas(const rt::term::Key&);
  void juntaDescricao(const rt::term::Key&);
  void relogio(const rt::term::Key&);
  void pagina(const rt::term::Key& k);
  void colaAqui(const rt::term::Key&) { cola(false); }
  void colaNova(const rt::term::Key&);
  void copia(const rt::term::Key&);
  void quem(const rt::term::Key&);
  void ordena(const rt::term::Key&);
  void renumera(const rt::term::Key&);
  void calculadora(const rt::term::Key&);
  void salva(const rt::term::Key&);
  void insereVarias(const rt::term::Key&);
  void marca(const rt::term::Key&);
  void desmarca(const rt::term::Key&);
  void subtotal(const rt::term::Key& k);
  void desce(const rt::term::Key& k);
  void sobe(const rt::term::Key& k);
  void apaga(const rt::term::Key&);
  void insere(const rt::term::Key&);
  void esc(const rt::term::Key& k);
  void sai(const rt::term::Key& k) { saiCom(k.code); }

  int DOGET(bool anexa, std::optional<rt::term::Key> primeira);
  void cola(bool novaLinha);
  void escolhe();
  rt::term::Key esperaTecla();
  // A page or order key of the driver's screens; true: the key was taken (every one is).
  bool teclaTela(int code);
  void saiCom(int code) {
    s_.g.ULTTECLA = code;
    s_.g.TECLAMUDA = true;
    s_.sair = true;
  }
  // The character goes after the move the refused cell pushed, to start the next cell's edit,
  // as typing on does. Passed on at most once per column: a row whose every cell refuses drops
  // it instead of passing it round for ever without a key being read.
  void passaAdiante(const std::optional<rt::term::Key>& c) {
    if (!c || passagens_ >= std::max(s_.g.N_CAM, 1)) return;
    ++passagens_;
    s_.ctx.console.push(*c);
    passado_ = true;
  }
  const Tracos& tracos() const { return s_.tela.tracos; }

  Sessao& s_;
  rt::term::Rect dentro_;
  // A cell left because it filled up: the moves it pushed still to come, then whether the
  // clerk's next key is the Enter typed after the cell's last place. That Enter confirms the
  // cell already left; taken as a new Enter it would open the next cell unseen, where Esc
  // only closes that cell and a letter meant for a question is refused.
  int movesDoCheio_ = 0;
  bool enterDoCheio_ = false;
  bool passado_ = false;  // the next character read is one a refused cell passed on
  int passagens_ = 0;     // cells the character has been passed on through
  // The key being handled: a typed character that starts the cell's edit (`inicial_`), and
  // whether it is one tried once more after a move down (`retomada_`).
  std::optional<rt::term::Key> inicial_;
  bool retomada_ = false;
  // The browse keeps its bottom hit until the next move: only the move down that hit it opens
  // the append row, not every key after it (a cell typed on a new row would go to another).
  bool desceu_ = false;
  // A character typed on the phantom row outside append mode: Enter there is a move down,
  // which reopens the append row on a grid that grows, and the character is then tried once
  // more to start the new row. Tried once only: no key is ever taken twice.
  std::optional<rt::term::Key> retoma_;
};

}  // namespace grid
