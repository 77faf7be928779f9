// What the computation says, on the console: notices and questions in the message window,
// one-line alerts, the hint on the status row in the attention colour, the cash-balance line.
// Redrawing a block of values belongs to the screen on show, which plugs `aoMostrar` in.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "console/contexto.h"
#include "taxcalc/saida.h"

namespace shell {

class SaidaConsole : public taxcalc::Saida {
 public:
  explicit SaidaConsole(console::Contexto& ctx) : ctx_(ctx) {}

  void aviso(std::span<const std::string> linhas) override;
  void alerta(std::string_view texto) override;
  bool pergunta(std::span<const std::string> linhas, bool padrao) override;
  void rodape(std::string_view texto) override;
  void mostra(taxcalc::Quadro quadro) override {
    if (aoMostrar) aoMostrar(quadro);
  }
  void caixa(std::string_view texto, bool atencao) override;
  // The progress line of the consistency check, on the status row in the message colour.
  void progresso(std::string_view texto, int passo, int total) override;

  // The current screen's redraw of a block of values; none outside a screen.
  std::function<void(taxcalc::Quadro)> aoMostrar;
  // Where the summary screen on show keeps its cash-balance line; a negative row: no summary
  // is shown and the line is not written.
  int linhaCaixa = -1, colunaCaixa = 0;

 private:
  console::Contexto& ctx_;
};

}  // namespace shell
