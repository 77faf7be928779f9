#include "shell/saida_console.h"

#include <vector>

#include "console/alerta.h"
#include "rt/text/strings.h"

namespace shell {

namespace {

// The old alert box took its lines in one text separated by ";".
std::vector<std::string> linhasDe(std::string_view texto) {
  std::vector<std::string> linhas;
  std::size_t inicio = 0;
  for (;;) {
    const std::size_t fim = texto.find(';', inicio);
    linhas.emplace_back(texto.substr(inicio, fim == std::string_view::npos ? std::string_view::npos : fim - inicio));
    if (fim == std::string_view::npos) break;
    inicio = fim + 1;
  }
  return linhas;
}

}  // namespace

void SaidaConsole::aviso(std::span<const std::string> linhas) {
  console::AVISOSN(ctx_, std::vector<std::string>(linhas.begin(), linhas.end()), 0);
}

void SaidaConsole::alerta(std::string_view texto) {
  console::AVISOSN(ctx_, linhasDe(texto), 0);
}

bool SaidaConsole::pergunta(std::span<const std::string> linhas, bool /*padrao*/) {
  // Esc answers "Nao", as every yes/no question of the program does.
  return console::AVISOSN(ctx_, std::vector<std::string>(linhas.begin(), linhas.end()), 2) == "S";
}

void SaidaConsole::rodape(std::string_view texto) {
  // The hint sits after the key prompts on the status row, which the rest of the row keeps.
  constexpr int kLinha = 24, kColuna = 28;
  const auto attr = static_cast<rt::term::Attr>(ctx_.cores.COR_FERID);
  ctx_.screen().put(kLinha, kColuna, texto.substr(0, 80 - kColuna), attr);
}

void SaidaConsole::caixa(std::string_view texto, bool atencao) {
  if (linhaCaixa < 0) return;
  const auto attr = static_cast<rt::term::Attr>(atencao ? ctx_.cores.COR_FERID : ctx_.cores.COR_TEL1);
  ctx_.screen().put(linhaCaixa, colunaCaixa, texto, attr);
}

void SaidaConsole::progresso(std::string_view texto, int, int) {
  // Each call carries the whole line, so the row is written over from its start.
  ctx_.screen().put(24, 0, rt::text::padr(texto, 80), static_cast<rt::term::Attr>(ctx_.cores.COR_MENS));
  ctx_.console.refresh();
}

}  // namespace shell
