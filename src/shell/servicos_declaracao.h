// What the grids of an open declaration call outside themselves: the cell checks, the totals
// through the computation's form-line functions, the status names, the dependants' count, the
// savings grid's sums, and the driver's screen keys, which the driver plugs in as callables.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "grid/estado.h"
#include "grid/validacao.h"
#include "store/declaracao.h"

namespace shell {

class Program;
class CalculosDeclaracao;

class ServicosDeclaracao : public grid::ServicosGrade, public grid::ComAmbienteValidacao {
 public:
  ServicosDeclaracao(Program& p, store::Declaracao& dec, CalculosDeclaracao& calculos);

  bool valida(store::Contexto& ctx, grid::Grade& g, std::string_view nome, rt::ui::Value& valor) override;
  void recalcula(store::Contexto& ctx, grid::Grade& g, std::string_view nome) override;
  bool QUETEL(store::Contexto& ctx, grid::Grade& g, int n) override;
  bool MUDATEL1(store::Contexto& ctx, grid::Grade& g) override;
  bool MUDATEL12(store::Contexto& ctx, grid::Grade& g) override;
  bool MUDATEL14(store::Contexto& ctx, grid::Grade& g) override;
  bool ESC_HORIZ(store::Contexto& ctx, grid::Grade& g) override;
  void SAL_DEC(store::Contexto& ctx, grid::Grade& g) override;
  std::string VE_STAT(store::Contexto& ctx, int estatus, int pos) override;
  void NRODP(store::Contexto& ctx, grid::Grade& g) override;
  bool FCALPOUPA(store::Contexto& ctx, grid::Grade& g, int modo) override;
  void BUSCA_DESP(store::Contexto& ctx, grid::Grade& g) override;
  std::optional<grid::ListasPoupanca> LISTAS_POUPANCA(store::Contexto& ctx, grid::Grade& g) override;

  grid::AmbienteValidacao& ambienteValidacao() override;

  // The driver's screen keys; an empty one keeps the grid's default.
  std::function<bool(int)> quetel;
  std::function<bool()> mudatel1, mudatel12, mudatel14, escHoriz;
  std::function<void()> salDec;
  // What the cell checks reach besides the declaration: the pick lists (GERAL2) and the
  // monthly matrices, set by whoever has them.
  grid::AmbienteValidacao ambiente;

 private:
  Program& p_;
  store::Declaracao& dec_;
  CalculosDeclaracao& calculos_;
};

}  // namespace shell
