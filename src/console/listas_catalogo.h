// Internal to the pick lists: the catalogue of lists, one record each. A record says which
// table the list shows (and how it gets there), its window and columns, its footers, and for
// each field name that opens it what Enter writes back and what Esc leaves behind. The list
// loop (listas.cpp) and the set-up (listas_monta.cpp) read only these records.
#pragma once

#include <string_view>
#include <vector>

#include "console/listas.h"
#include "store/areas.h"

namespace console {

// Where the list's table comes from.
enum class OrigemLista {
  atual,      // the area selected when the list opens (a check opened the code table there)
  seleciona,  // `Lista::area`, already open
  // `Lista::area`, opened first unless the journal (menu item 12) is what has it open; the area
  // current before is the one selected again afterwards.
  abre,
};

// How the list counts as called, whichever way it was: a list of the register or of folders
// never closes its table on Esc; a code list always does and selects nothing again afterwards.
enum class ModoLista { comoChamada, lista, codigo };

enum class RodapesLista {
  nenhum,
  registro,     // counts of the register: declarations, simple and complete, rural
  somaDoTipo,   // sums of the operations whose TIPO_BEM is the variable TIPO_BEM
  somaDosBens,  // sums of the operations of kinds 1 to 3
};

// The texts of the records are literals: views of them live as long as the program.

// A column titled `titulo` that shows field `campo` in `picture`.
struct ColunaLista {
  std::string_view titulo;
  std::string_view campo = {};
  std::string_view picture = {};
  int esquerda = 0;                   // > 0: only the first `esquerda` characters of a text field
  bool nomeDoEstatus = false;         // the status name of the row's ESTATUS instead of a field
  bool soma = false;                  // the footer sums the field over the rows the footers count
  std::string_view rodape = {};       // a fixed footer
  std::string_view outroTitulo = {};  // the title while the list's `Lista::variante` holds
};

// Whose title the columns' `outroTitulo` takes.
enum class VarianteLista {
  nenhuma,
  sociedade,  // the variable TIPO_BEM is 3 (the operations are shares of companies)
  estados,    // the town list opened from the state field M->UF
};

// What Esc on the list leaves behind.
enum class EscLista {
  padrao,     // a code list closes its table (never a working copy) and the caller's area comes back
  mantem,     // the list's table stays selected as it is
  paisDoBem,  // no country: COD empty, and the payers' copy selected
};

// A field name (QUALHLP) that opens the list, with what Enter writes back from the row.
struct EscolhaLista {
  std::string_view nome;
  void (*enter)(Listas::Devolucao& row);
  EscLista esc = EscLista::padrao;
};

struct JanelaLista {
  int li = 8, ci = 6, lif = 21, cf = 70;
};

struct Lista {
  std::vector<EscolhaLista> nomes;
  OrigemLista origem = OrigemLista::atual;
  store::Area area = store::Area::Nenhuma;  // for `seleciona` and `abre`
  bool topo = false;                        // starts from the first row
  std::string_view filtro = {};             // set by the list, removed on every way out
  int ordem = 0;                            // an order to set (record order when the table lacks it)
  ModoLista modo = ModoLista::comoChamada;
  JanelaLista janela = {};
  bool busca = false;  // typed characters seek
  RodapesLista rodapes = RodapesLista::nenhum;
  VarianteLista variante = VarianteLista::nenhuma;
  std::vector<ColunaLista> colunas = {};
  // The capital-gain operations: their own colours, Ins and Del add and delete operations, and
  // the sums are counted again after either.
  bool operacoes = false;
  bool precisaGanhos = false;  // shows nothing while the declaration has no capital gains
};

// Every list of the program.
const std::vector<Lista>& catalogoDeListas();

// The list field name `qualhlp` opens and its entry there; null when no list has that name.
struct ListaEscolhida {
  const Lista* lista = nullptr;
  const EscolhaLista* escolha = nullptr;
};
ListaEscolhida listaDe(std::string_view qualhlp);

}  // namespace console
