// One run of the table grid: what CL5BROWSE and its keys share. Internal to the grid.
#pragma once

#include <string>
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
  int area = 0;
  bool sair = false;
  // Temporary indexes made by the secondary sort, removed when the grid closes, and the
  // order they stood on.
  std::vector<std::string> temporarios;
  std::string chaveAntes;

  rt::db::Table* t() const { return ctx.areas.table(area); }
  int opc() const { return tela.opc; }
  void seleciona() const { (void)ctx.areas.select(area); }
  void redesenha() {
    b.refreshAll();
    b.invalidate();
  }
};

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
