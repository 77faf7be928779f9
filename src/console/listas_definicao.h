// Internal to the pick lists: the list being shown, and what Enter has at hand to write the
// chosen row back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console/listas.h"
#include "console/listas_catalogo.h"
#include "rt/db/table.h"
#include "rt/ui/browse.h"
#include "workareas/areas.h"

namespace console {

// The list opened for one field name: its record, and what the set-up made of it.
struct Listas::Definicao {
  const Lista& lista;
  const EscolhaLista& escolha;
  workareas::Area area = workareas::Area::Nenhuma;  // the list's area, chosen when the list is set up
  std::vector<rt::ui::Column> colunas = {};
};

// The row under the cursor when Enter was pressed, and the ways an Enter writes it back.
class Listas::Devolucao {
 public:
  Devolucao(Listas& listas, rt::db::Table& linha) : l_(listas), t_(linha) {}

  // A field of the chosen row.
  rt::ui::Value campo(std::string_view nome) const { return t_.get(nome); }
  std::string texto(std::string_view nome) const { return t_.getText(nome); }
  // Writes a variable of the program.
  void poe(std::string_view variavel, const rt::ui::Value& v);
  // COD takes a field of the row; its value.
  rt::ui::Value codigo(std::string_view campo);
  // Closes the table of the current area.
  void fechaTabela();
  // Closes the list's window before the list ends (for a routine that draws under it).
  void fechaJanela();
  // A value at a row and column of the current form, in the form's colours.
  void mostra(int linha, int coluna, const std::string& texto, std::string_view picture);
  void seleciona(workareas::Area area);
  // Writes a field of the current row of a working copy (see Listas::gravaCampo).
  void grava(workareas::Area area, std::string_view campo, const rt::ui::Value& v);
  // A variable's number (0 when absent or not a number).
  rt::text::Decimal numero(std::string_view variavel) const;
  ServicosLista& servicos() { return l_.serv_; }
  // The list was opened from the state field (the town list shows the states then).
  bool editandoUf() const { return l_.campoEditado_ == "M->UF"; }
  // The folder list was opened by the spouse search.
  bool buscaDoConjuge() const { return l_.viaGERAL3_; }

 private:
  Listas& l_;
  rt::db::Table& t_;
};

}  // namespace console
