#include "programa_e2e.h"

#include <stdlib.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

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
  return "env -u TERMINAL TERM=xterm-256color LANG=C.UTF-8 LC_ALL=C.UTF-8 TAVREN_NO_BUILD=1 TAVREN_BUILD=" +
         shellQuote(TAVREN_BUILD_DIR) + " TAVREN_HOME=" + shellQuote(home) + " " + ambiente +
         " timeout --foreground " + std::to_string(segundos) + " " + shellQuote(TAVREN_RUN_SCRIPT) +
         (terminal.empty() ? "" : " " + terminal) + "; echo tavren-ended $?; " + (depois.empty() ? "" : depois + "; ") +
         "sleep 30";
}

void teclas(TmuxSession& s, const std::vector<std::string>& nomes) {
  for (const std::string& x : nomes) {
    s.keys({x});
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  }
}

bool cadastraContribuinte(TmuxSession& s, const std::string& cpf, std::string& tela) {
  using namespace std::chrono_literals;
  teclas(s, {"M-l", "Enter"});
  bool ok = s.waitForText("Pasta atual", 10s);
  if (ok) {
    s.text(cpf);
    teclas(s, {"Enter"});
    ok = s.waitForText("10=Balan", 10s);
  }
  if (ok) {
    teclas(s, {"Escape"});
    ok = s.waitForText("Termina  a  Declaração ?", 10s);
  }
  if (!ok) {
    tela = s.capture();
    return false;
  }
  teclas(s, {"S", "Escape"});
  return true;
}

bool impressoraEmArquivo(TmuxSession& s, const std::string& nome, std::string& tela) {
  using namespace std::chrono_literals;
  teclas(s, {"M-s", "Down", "Down", "Down", "Down", "Enter"});
  bool ok = s.waitForText("Impressora padr", 10s) && s.waitForText("LPT1");
  if (ok) {
    teclas(s, {"P"});
    ok = s.waitForText("Porta paralela");
  }
  if (ok) {
    teclas(s, {"Enter", "0", "Enter"});
    s.text(nome);
    teclas(s, {"Enter", "Escape"});
    std::string maiusculo = nome;
    for (char& c : maiusculo) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ok = s.waitForText(maiusculo + ".TXT");
  }
  if (!ok) {
    tela = s.capture();
    return false;
  }
  teclas(s, {"Escape"});
  return true;
}

std::string linha(const std::string& tela, std::size_t n) {
  std::istringstream in(tela);
  std::string l;
  for (std::size_t i = 0; std::getline(in, l); ++i)
    if (i == n) return l;
  return {};
}

}  // namespace e2e
