#include "export/interacao.h"

#include <algorithm>
#include <string>

#include "console/mensagens.h"
#include "rt/term/keys.h"
#include "rt/text/strings.h"

namespace exporta {

std::string emLinhas(std::initializer_list<std::string_view> linhas) {
  std::size_t largura = 0;
  for (std::string_view l : linhas) largura = std::max(largura, l.size());
  std::string texto;
  for (std::string_view l : linhas) texto += rt::text::padr(l, static_cast<int>(largura));
  return texto;
}

void InteracaoConsole::erro(std::string_view texto, int linhas) {
  console::MENS(ctx_, console::mens::Aviso, texto, {.linhas = linhas});
}

void InteracaoConsole::aviso(std::string_view texto) {
  console::MENS(ctx_, console::mens::Nota, texto);
}

void InteracaoConsole::status(std::string_view texto) {
  console::MENS(ctx_, console::mens::Linha, texto);
}

bool InteracaoConsole::continua(std::string_view texto, int linhas) {
  // Only "S" goes on: "N" and Esc stop, so nothing is sent the user did not let through.
  return console::MENS(ctx_, console::mens::Escolha, texto, {.linhas = linhas, .teclas = "SN"}) == "S";
}

void InteracaoConsole::beep() {
  console::BEEP_ERRO(ctx_);
}

bool InteracaoConsole::aguarda(std::string_view texto) {
  console::MENS(ctx_, console::mens::Linha, texto);
  // The half second is spent waiting for a key: only Esc means anything here.
  return ctx_.console.inkey(std::chrono::milliseconds(500)).code != rt::term::key::Esc;
}

void InteracaoConsole::pasta(std::string_view LOCIRPF) {
  if (ctx_.janelas.find(console::Jan::kTela) != nullptr) ctx_.janelas.ESCRLCOL(console::Jan::kTela, 5, 2, "Pasta " + std::string(LOCIRPF));
}

}  // namespace exporta
