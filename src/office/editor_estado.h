// The letter editor's state and its parts, shared by the editor's source files only.
#pragma once

#include <string>
#include <string_view>

#include "office/carta.h"
#include "office/editor.h"
#include "rt/ui/memoedit.h"

namespace office::editor {

// What the editor does when the memo edit ends: a menu (F10 the menu bar, Alt+A, Alt+E, Alt+I,
// Alt+H the file, edit, print and help menus), save, leave, or ask whether to leave (Esc on a
// changed text).
enum class Pendente { Nada, Menu, MenuArquivo, MenuEdita, MenuImprime, MenuAjuda, Salvar, Sair, Esc };

// One letter in the editor, from opening it to opening another or leaving.
struct Estado {
  int topo = 2, esquerda = 0, base = 21, direita = 79;  // the edit area
  std::string nome;                                     // as shown (an opened name in lower case)
  Carta carta;                                          // the text proper and its page format
  int tabulacao = 4;
  bool insere = false;
  int linha = 1, coluna = 0;              // the cursor in the text (line from 1)
  int linhaJanela = 0, colunaJanela = 0;  // and in the edit area
  bool modificado = false;
  int ultimaTecla = 0;
  std::string busca;
  Pendente pendente = Pendente::Nada;
};

class Editor {
 public:
  Editor(store::Contexto& ctx, print::Impressao& imp, const ServicosEditor& s)
      : ctx_(ctx), imp_(imp), s_(s) {}

  void roda(const std::string& nome);
  const Estado& estado() const { return e_; }

  // The parts, by the names the office knows them by.
  void ABRTXT(std::string nome);
  void DOEDITING();
  int UFUNC(rt::ui::MemoMode modo, int linha, int coluna);
  void MENUED();
  int ESCOLHE();
  void TELA_ED(int codigo, int linha = 0, int coluna = 0);
  bool EDITWRITE();
  bool ABANDONA();
  std::string PROMPT(std::string_view texto, std::string valor);
  void SEARCH();
  void SEARCHAGAIN() { XSEARCH(1); }
  void XSEARCH(int salto);
  void INS_CAMP();
  void FORMTXT();
  void STATMSG();
  void DISPLAYHELP(int qual);

 private:
  // The menus' actions; false: show the menu again.
  bool arquivos(int opcao);
  void imprime(bool mala);
  // Before a letter replaces a modified one: its save question. False: keep the letter.
  bool podeTrocar();
  // "salvar Como" onto a letter that exists (not this one): whether the clerk lets it be replaced.
  bool podeSubstituir(const std::string& nome);
  // "Nome da Carta:"; nothing on Esc or a name that is not a plain file name.
  std::optional<std::string> nomeNovo();
  std::size_t posicaoDoCursor() const;
  void cursor(bool insere);

  store::Contexto& ctx_;
  print::Impressao& imp_;
  const ServicosEditor& s_;
  Estado e_;
  int ultimaLinha_ = 24, ultimaColuna_ = 79, colunaStatus_ = 56;
};

}  // namespace office::editor
