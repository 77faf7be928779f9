// What the grids of an open declaration call outside themselves: the cell checks, the totals
// through the computation's form-line functions, the status names, the dependants' count, the
// savings grid's sums, and the driver's screen keys, which the driver plugs in as callables.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "gains/servicos_matriz.h"
#include "grid/estado.h"
#include "grid/matriz.h"
#include "grid/matriz_dados.h"
#include "grid/validacao.h"
#include "shell/conversores.h"
#include "shell/listas_declaracao.h"
#include "store/declaracao.h"

namespace shell {

class Program;
class CalculosDeclaracao;

// Whether `nome` ("FI7_T(5)", "FDE_LEAO(1)"; "" for none) is a recomputation the grids may
// ask for; the grid catalogue's names are all checked against it when the program starts.
[[nodiscard]] bool recalculoConhecido(std::string_view nome);

// Every name the grid screens' catalogue uses resolved (grid::nomesDesconhecidos): true when all
// are known; otherwise they are shown in an alert (told) and the program is not to go on.
rt::Status confereCatalogo(Program& p);

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
  void CARNE_PREVIDENCIA(store::Contexto& ctx, grid::Grade& g, std::string_view variavel, rt::text::Decimal total) override;
  void MRODAPE(store::Contexto& ctx, grid::Grade& g, int k) override;
  void MRODAPER(store::Contexto& ctx, grid::Grade& g, int k) override;
  void VETEMPO(store::Contexto& ctx, grid::Grade& g) override;
  void PARA_REL(store::Contexto& ctx, grid::Grade& g) override;
  void DESLIG_RELG(store::Contexto& ctx, grid::Grade& g) override;
  bool SEMHORA(store::Contexto& ctx, grid::Grade& g) override;
  void INI_DECLA(store::Contexto& ctx, grid::Grade& g) override;
  // The matrix screens (7, 12, 14, 16, 37) in the matrix grid, over the declaration's matrices.
  void matriz(store::Contexto& ctx, grid::Grade& g, int opc, int modo) override;
  // Screen 9: the variable income's mode asked, then its matrix in the matrix grid.
  void rendaVariavel(store::Contexto& ctx, grid::Grade& g, int modo);
  void fimRendaVariavel();
  // The monthly dollar grid (screen 7) in dialog frame 7 over `meses`; with `mes` above 0 it
  // starts from that month holding `valor`. The total in reais the user left there.
  std::optional<rt::text::Decimal> MUDATEL13(store::Contexto& ctx, grid::Grade& g, grid::MesesValor& meses, int mes,
                                             rt::text::Decimal valor) override;
  // The same grid for the dollar converter of a form's field (Alt+U, CALC_UFIR).
  GradeDolar gradeDolar(grid::Grade& g);

  grid::AmbienteValidacao& ambienteValidacao() override;

  // The driver's screen keys; an empty one keeps the grid's default.
  std::function<bool(int)> quetel;
  std::function<bool()> mudatel1, mudatel12, mudatel14, escHoriz;
  std::function<void()> salDec;
  // The driver's time-of-use clock; an empty one does nothing (a clock that never pauses).
  std::function<void()> vetempo, paraRel, desligRelg, iniDecla;
  std::function<bool()> semHora;
  // What the cell checks reach besides the declaration: the pick lists (GERAL2) and the
  // monthly matrices, set by whoever has them.
  grid::AmbienteValidacao ambiente;
  // The matrices the matrix grid edits; the declaration's own unless the driver gives others.
  grid::Matrizes* matrizes = nullptr;
  gains::ServicosMatrizGanhos servicosMatriz;

 private:
  Program& p_;
  store::Declaracao& dec_;
  CalculosDeclaracao& calculos_;
  grid::Matrizes proprias_;
  // The pick lists the cell checks open (GERAL2) and the dependants' list of VE_RELDEP.
  ListasDeclaracao listas_;
  // VE_RELDEP(field) at the end of a chain of checks: the dependant's CPF of an income row.
  bool dependente(store::Contexto& ctx, grid::Grade& g, std::string_view nome, rt::ui::Value& valor);
  grid::Matrizes& mats() { return matrizes != nullptr ? *matrizes : proprias_; }
};

}  // namespace shell
