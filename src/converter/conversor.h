// The converter's program-wide state: the variables its start-up sets and its menu items read
// (the folders of the terminal's settings, the source and target of a conversion, the item being
// run), and the table of menu items, where each import plugs in the function it runs. Made once
// in main beside the data store's context and passed by reference.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "store/contexto.h"

namespace converter {

struct Conversor;

// What a menu item runs.
using ItemMenu = std::function<void(store::Contexto&, Conversor&)>;

// The menu items' numbers (the dispatcher's ids).
enum Item : int {
  kBrantel = 1,
  kKelsvor = 2,
  kLivroCaixa = 3,
  kReceita = 4,
  kGanhoCapital = 5,
  kNroRecibo = 6,
  kComprovante = 7,
  kTerminar = 8,
  kSair = 11,
};

struct Conversor {
  std::string VERSAO = "1.07D";

  // The terminal's folders, copied from its CONFIG record at start-up.
  std::string ROTAANTER, ROTARECEI, ROTAREANT, ROTAMOL, DIRPROV, DIRINST, XDRIVE;
  // The rural previous-year folder: this program's previous-edition folder.
  std::string ROTARURAL;
  std::string ROTA;     // the year's data folder, trimmed
  std::string DIRORIG;  // LOCARQ at start-up
  // Tavren's current data folder when tavren started this run ("" when started by hand): the
  // converter works there, and tavren keeps it (writing it into CONFIG) when it ends.
  std::string pastaDoTavren;

  // Source and target of a conversion, set by its folder dialog.
  std::string ORIGEM, DESTINO, ARQORIG, ARQDEST;
  int QUEOPC = 1, OPCAO_1 = 1, OPCAO_2 = 1, QUEJAN = 1, ULTESC = 1, ULTPOS = 1;
  bool TODESC = false, NOVIN = false;
  std::string CTIPOCONV;  // the rural item's answer: "S", "N" or "I"

  // The dialog field the folder list's Enter fills (ORIGEM or DESTINO, "" none) and the
  // dialog's corner, for the row the chosen folder is shown on.
  std::string campoPendente;
  int linhaDialogo = 0, colunaDialogo = 0;

  // Set when the program is to end.
  bool encerra = false;

  // The menu items' functions by id; an item without one says it is not available.
  std::map<int, ItemMenu> itens;
};

// Fills the item table with the imports this program has.
void registraItens(Conversor& c);

}  // namespace converter
