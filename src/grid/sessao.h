// One run of the table grid: what CL5BROWSE and its keys share. Internal to the grid.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

#include "grid/estado.h"
#include "grid/fonte_grade.h"
#include "grid/telas.h"
#include "rt/ui/browse.h"
#include "store/contexto.h"

namespace grid {

struct Sessao {
  store::Contexto& ctx;
  Grade& g;
  const TelaGrade& tela;
  FonteGrade& fonte;
  rt::ui::Browse& b;
  store::Area area = store::Area::Nenhuma;
  bool sair = false;
  // Temporary indexes made by the secondary sort, removed when the grid closes, and the
  // order they stood on.
  std::vector<std::string> temporarios;
  std::string chaveAntes;

  rt::db::Table* t() const { return ctx.areas.table(area); }
  int opc() const { return tela.opc; }
  void seleciona() const { ctx.areas.select(area); }
  void redesenha() {
    b.refreshAll();
    b.invalidate();
  }
};

// What a grid or window opened from inside a grid takes from the outer grid and gives back when
// it ends: the screen number, the column arrays, the cursor and append mode, through which the
// outer grid goes on writing its cells. EDITA keeps them only when it runs inside another grid
// (`sempre` false); the monthly window keeps them always, since the matrix grid loads its own
// columns without EDITA.
class GuardaGrade {
 public:
  GuardaGrade(Grade& g, bool sempre) : g_(g) {
    if (sempre || g.nivel > 0) guardada_.emplace(static_cast<const ColunasGrade&>(g), static_cast<const CursorGrade&>(g));
    ++g_.nivel;
  }
  ~GuardaGrade() {
    --g_.nivel;
    if (!guardada_) return;
    static_cast<ColunasGrade&>(g_) = std::move(guardada_->first);
    static_cast<CursorGrade&>(g_) = std::move(guardada_->second);
  }
  GuardaGrade(const GuardaGrade&) = delete;
  GuardaGrade& operator=(const GuardaGrade&) = delete;

 private:
  Grade& g_;
  std::optional<std::pair<ColunasGrade, CursorGrade>> guardada_;
};

// The text of a two-line question in a framed message window: the window takes its width from
// the text, so the second line is padded to the first's width less two to break where the
// first line ends.
inline std::string duasLinhas(std::string_view primeira, std::string_view segunda) {
  std::string texto(primeira);
  texto += segunda;
  if (segunda.size() + 2 < primeira.size()) texto.append(primeira.size() - 2 - segunda.size(), ' ');
  return texto;
}

// Keys of the table grid that change rows (operacoes.cpp).
void EXCLUI_LINHA(Sessao& s);
void MARCA_TODOS(Sessao& s, bool marca);
void ORDENA(Sessao& s, bool secundaria);
void SUBTOTAL(Sessao& s, bool fim);
void RENUMERA(Sessao& s);
void INSERE_APOS(Sessao& s, int quantos);
void INSERE_ANTES(Sessao& s);
// Temporary sort indexes removed and the working copy's own order taken up again.
void LIMPA_ORDENS(Sessao& s);

}  // namespace grid
