// The matrix grid's key loop: one key read at a time on the browse of a matrix screen, the
// cell edit, and the Alt keys' actions on the current cell. Internal to the matrix grid.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "console/alerta.h"
#include "grid/matriz.h"
#include "grid/matriz_telas.h"
#include "rt/term/keys.h"
#include "rt/term/screen.h"
#include "rt/text/decimal.h"
#include "rt/ui/browse.h"
#include "rt/ui/data_source.h"

namespace grid {

class LacoMatriz {
 public:
  LacoMatriz(AmbienteMatriz& a, const TelaMatriz& t, MatrizRef ref, rt::ui::MatrixSource& fonte, rt::ui::Browse& b,
             rt::term::Rect dentro)
      : a_(a), t_(t), ref_(std::move(ref)), fonte_(fonte), b_(b), dentro_(dentro) {}
  void roda();

 private:
  int linha() const { return static_cast<int>(fonte_.row()) + 1; }
  int coluna() const { return b_.colPos(); }
  CelulaRef celula() const { return ref_.cel(linha(), coluna()); }
  const ColunaMatriz& colunaAtual() const { return t_.colunas[static_cast<std::size_t>(coluna() - 1)]; }
  // An amount into the current cell, then the recomputation. An amount the column's picture
  // cannot show is refused with a message and the cell keeps what it had.
  void escreve(rt::text::Decimal v);
  void depois(rt::text::Decimal anterior);
  // The cell edit; a typed character that started it is its first key.
  void GETMTX(std::optional<rt::term::Key> primeira = std::nullopt);
  void enter();
  void cola();
  void calculadora();
  void mensal();
  void buscaCampo();
  void modoLeao();
  void soRec();
  void soTotal();
  void saiCom(int code) {
    a_.g.ULTTECLA = code;
    a_.g.TECLAMUDA = true;
    sair_ = true;
  }
  // A key other than a character or a page key; the Alt keys' actions (false for another key).
  void trataTecla(const rt::term::Key& k);
  bool atalho(int code);
  void copia();
  bool teclaTela(int code);
  rt::term::Key esperaTecla();
  void redesenha() {
    b_.refreshAll();
    b_.invalidate();
  }
  void avancaAposEdicao(const rt::term::Key& k);
  bool editavel(int l, int c, std::string* motivo = nullptr) const {
    return t_.editavel != nullptr && t_.editavel(a_, l, c, motivo);
  }
  // Whether the current cell takes a value from a paste, the calculator or the monthly window;
  // a refusal with a reason is said.
  bool podeEscrever() {
    std::string motivo;
    const bool pode = editavel(linha(), coluna(), &motivo);
    if (!pode && !motivo.empty()) console::AVISOSN(a_.ctx, motivo, 0);
    return pode;
  }

  AmbienteMatriz& a_;
  const TelaMatriz& t_;
  MatrizRef ref_;
  rt::ui::MatrixSource& fonte_;
  rt::ui::Browse& b_;
  rt::term::Rect dentro_;
  bool sair_ = false;
};

}  // namespace grid
