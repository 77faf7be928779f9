// The help viewer: the text of a topic, read from the help tables of the program folder
// (HELPTXT, or HELPATXT for the letter editor's help) and shown read-only in a window; and OKEI,
// the standard question that confirms a form's data.
//
// Topics: "GERAL" (general help), "TELA" + the screen number in two digits, "FUNCOES" (keys),
// and the name of a field (a memory variable without its "M->"). Names are kept upper case and
// blank-padded to 10 characters in the table's NOME, with the text in the memo TEXTO.
//
// Every way out (missing files, empty or unknown topic, Esc) clears the re-entry guard
// LTOHELP, closes the help table and selects the area that was current, so help keeps working
// after a topic that was not found.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "console/contexto.h"
#include "console/listas.h"

namespace console {

// What the help viewer needs of the program beyond the console.
struct AcessoAjuda {
  AcessoTabelas tabelas;
  // Opens the help table of that file name ("HELPTXT" or "HELPATXT") in area 45 with its
  // index on UPPER(NOME). Failed when its .DBF or .DBT is missing in the program folder
  // (nothing is said: a folder without help shows none) or it cannot be opened (told by the
  // opener).
  std::function<rt::Status(std::string_view arquivo)> abreAjuda;
  // The field name under the cursor on grid and matrix screens (the column's field), empty
  // elsewhere: the topic of an empty topic.
  std::function<std::string()> campoDaGrade;
  // The screen being shown (TELA), for the screen's topic.
  std::function<int()> tela;
  // Called when a help text was shown (the grids' TECLAMUDA is cleared).
  std::function<void()> aoFechar;
};

class Ajuda {
 public:
  Ajuda(Contexto& ctx, AcessoAjuda acesso);

  // TXT_HELP: shows a topic; tabela 1 is HELPTXT, any other HELPATXT.
  void TXT_HELP(std::string_view topico, int tabela = 1);
  // MOSTRA_HELP: item 0 asks in an option menu over window 6 (drawn by the caller: "GTCF");
  // 1 general help, 2 the current screen's, 3 the current field's, 4 the keys.
  void MOSTRA_HELP(int item, int tabela = 1);
  // MOS_HELP: the help of the input being edited (Alt+F2 on the screens).
  void MOS_HELP();
  // The viewer's key hook: Alt+P (print this help) is swallowed; nothing else is its business.
  int IMP_TEXTO(int modo, int linha, int coluna);

  bool LTOHELP = false;  // a help text is showing

 private:
  std::string campoAtual() const;

  Contexto& ctx_;
  AcessoAjuda acesso_;
};

// OKEI: "Confirma os dados ?" as a yes/no alert of the given kind; its answer.
std::string OKEI(Contexto& ctx, int tipo = 2);

}  // namespace console
