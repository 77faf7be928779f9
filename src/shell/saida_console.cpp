#include "shell/saida_console.h"

namespace shell {

void SaidaConsole::aviso(std::span<const std::string>) {}
void SaidaConsole::alerta(std::string_view) {}
bool SaidaConsole::pergunta(std::span<const std::string>, bool padrao) { return padrao; }
void SaidaConsole::rodape(std::string_view) {}
void SaidaConsole::caixa(std::string_view, bool) {}

}  // namespace shell
