// A grid in the tests' data-store context (support/contexto_fixture.h, in "grid" folders, every
// screen presented kept so a test can ask what was shown at any moment), with the working
// copies and program tables made from the catalogue.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/edita.h"
#include "grid/estado.h"
#include "rt/db/table.h"
#include "store/areas.h"
#include "support/contexto_fixture.h"

namespace grid::teste {

using Pasta = support::Pasta;
using TerminalGravado = support::TerminalGravado;

// Services that record what the grid asked of them.
class ServicosGravados final : public ServicosGrade {
 public:
  std::vector<std::string> chamadas;
  // A check as the test plays it (one that opens another grid, one that refuses).
  std::function<bool(std::string_view, rt::ui::Value&)> gancho;
  bool valida(store::Contexto&, Grade&, std::string_view nome, rt::ui::Value& v) override {
    chamadas.push_back("valida " + std::string(nome));
    return gancho ? gancho(nome, v) : true;
  }
  void recalcula(store::Contexto&, Grade&, std::string_view nome) override { chamadas.push_back(std::string(nome)); }
  void NRODP(store::Contexto&, Grade&) override { chamadas.push_back("NRODP"); }
  std::string VE_STAT(store::Contexto&, int, int) override { return "EM ANDAMENTO"; }
  // The monthly grid as the test plays it: it may change the months and gives the total.
  std::function<std::optional<rt::text::Decimal>(MesesValor&, int mes, rt::text::Decimal valor)> mensal;
  std::optional<rt::text::Decimal> MUDATEL13(store::Contexto&, Grade&, MesesValor& m, int mes,
                                             rt::text::Decimal valor) override {
    chamadas.push_back("MUDATEL13");
    return mensal ? mensal(m, mes, valor) : std::nullopt;
  }
  void CARNE_PREVIDENCIA(store::Contexto&, Grade&, std::string_view variavel, rt::text::Decimal total) override {
    chamadas.push_back(std::string(variavel) + "=" + total.toString(2));
  }
  // The clock as the driver keeps it.
  bool pausado = false;
  void VETEMPO(store::Contexto&, Grade&) override { chamadas.push_back("VETEMPO"); }
  void PARA_REL(store::Contexto&, Grade&) override { chamadas.push_back("PARA_REL"); }
  void DESLIG_RELG(store::Contexto&, Grade&) override {
    pausado = !pausado;
    chamadas.push_back("DESLIG_RELG");
  }
  bool SEMHORA(store::Contexto&, Grade&) override { return pausado; }
  void INI_DECLA(store::Contexto&, Grade&) override { chamadas.push_back("INI_DECLA"); }
  void BUSCA_DESP(store::Contexto&, Grade&) override { chamadas.push_back("BUSCA_DESP"); }
  void UNICO_BOL(store::Contexto&, Grade&) override { chamadas.push_back("UNICO_BOL"); }
  bool FCALPOUPA(store::Contexto&, Grade&, int modo) override {
    chamadas.push_back("FCALPOUPA(" + std::to_string(modo) + ")");
    return true;
  }
  void MRODAPE(store::Contexto&, Grade&, int k) override { chamadas.push_back("MRODAPE(" + std::to_string(k) + ")"); }
  void MRODAPER(store::Contexto&, Grade&, int k) override { chamadas.push_back("MRODAPER(" + std::to_string(k) + ")"); }
  std::optional<ListasPoupanca> listas;
  std::optional<ListasPoupanca> LISTAS_POUPANCA(store::Contexto&, Grade&) override { return listas; }
  // How many times a call was asked for.
  long conta(std::string_view nome) const { return std::count(chamadas.begin(), chamadas.end(), nome); }
  bool chamou(std::string_view nome) const { return conta(nome) > 0; }
};

class GridFixture : public ::testing::Test, public support::ContextoFixture {
 protected:
  GridFixture();

  // Makes the table of `area` empty and opens it there: a working copy (held exclusively),
  // else the catalogue's table, shared, in the data folder.
  rt::db::Table& tabela(store::Area area);
  // Appends a row with the given fields to the table of `area`.
  void linha(store::Area area, std::vector<std::pair<std::string, rt::ui::Value>> campos);
  // The visible rows' values of a field, in the table's current order.
  std::vector<std::string> coluna(store::Area area, const std::string& campo);
  std::string caminhoTabela(store::Area area) const;

  // The grid's tests call the recorder `term` (its keys are `term.script`, or teclas()).
  TerminalGravado& term = gravador;
  ServicosGravados servicos;
  Grade g;
  // The declaration's screen state the grid points to (no screen until a test sets one).
  TelaAberta pagina{.TELA = 0};
  rt::term::ScriptedTerminal& teclas() { return term.script; }
};

rt::ui::Value N(long v);
rt::ui::Value C(std::string s);

}  // namespace grid::teste
