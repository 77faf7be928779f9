#include "export/interacao.h"

#include <string>

#include "console/mensagens.h"
#include "rt/text/strings.h"

namespace exporta {

void InteracaoConsole::erro(std::string_view texto, int linhas) {
  console::MENS(ctx_, 11, texto, {.linhas = linhas});
}

void InteracaoConsole::aviso(std::string_view texto) {
  console::MENS(ctx_, 15, texto);
}

void InteracaoConsole::status(std::string_view texto) {
  console::MENS(ctx_, 0, texto);
}

bool InteracaoConsole::continua(std::string_view texto, int linhas) {
  std::string resposta = "N";
  console::MENS(ctx_, 14, texto, resposta, {.linhas = linhas, .picture = "@!"});
  // Esc empties the answer: it stops as "N" does, so nothing is sent the user did not let
  // through.
  const std::string_view r = rt::text::alltrim(resposta);
  return !r.empty() && r != "N";
}

void InteracaoConsole::beep() {
  console::BEEP_ERRO(ctx_);
}

void InteracaoConsole::pasta(std::string_view LOCIRPF) {
  if (ctx_.janelas.find(3) != nullptr) ctx_.janelas.ESCRLCOL(3, 5, 2, "Pasta " + std::string(LOCIRPF));
}

}  // namespace exporta
