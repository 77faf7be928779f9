#include "programa_e2e.h"

#include <stdlib.h>

#include <filesystem>
#include <sstream>

#include "tmux_session.h"

namespace e2e {

RaizDeTeste::RaizDeTeste() {
  std::string modelo = "/tmp/e2eXXXXXX";
  if (mkdtemp(modelo.data()) != nullptr) caminho_ = modelo;
}

RaizDeTeste::~RaizDeTeste() {
  std::error_code ec;
  if (!caminho_.empty()) std::filesystem::remove_all(caminho_, ec);
}

std::string comandoTavren(const std::string& home, const std::string& terminal, const std::string& ambiente,
                          int segundos, const std::string& depois) {
  return "env -u TERMINAL TERM=xterm-256color LANG=C.UTF-8 LC_ALL=C.UTF-8 TAVREN_NO_BUILD=1 " + ambiente +
         " TAVREN_BUILD=" + shellQuote(TAVREN_BUILD_DIR) + " TAVREN_HOME=" + shellQuote(home) +
         " timeout --foreground " + std::to_string(segundos) + " " + shellQuote(TAVREN_RUN_SCRIPT) +
         (terminal.empty() ? "" : " " + terminal) + "; echo tavren-ended $?; " + (depois.empty() ? "" : depois + "; ") +
         "sleep 30";
}

std::string linha(const std::string& tela, std::size_t n) {
  std::istringstream in(tela);
  std::string l;
  for (std::size_t i = 0; std::getline(in, l); ++i)
    if (i == n) return l;
  return {};
}

}  // namespace e2e
