#include "programa_e2e.h"

#include <stdlib.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace e2e {
namespace {

using namespace std::chrono_literals;

// What `olha` gives once three looks in a row agree (or after a second of changes): what the
// program is still drawing is not taken for a picture that stays.
std::string parado(const std::function<std::string()>& olha) {
  std::string antes = olha();
  for (int iguais = 0, i = 0; iguais < 2 && i < 50; ++i) {
    std::this_thread::sleep_for(20ms);
    std::string agora = olha();
    iguais = agora == antes ? iguais + 1 : 0;
    antes = std::move(agora);
  }
  return antes;
}

// The state before a key: what an earlier key or typed text is still changing is not taken
// for the effect of this one.
std::string estadoParado(TmuxSession& s) {
  return parado([&s] { return s.state(); });
}

}  // namespace

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
    const std::string antes = estadoParado(s);
    s.keys({x});
    if (!s.waitForChange(antes)) std::fprintf(stderr, "e2e: the screen did not change after the key %s\n", x.c_str());
  }
}

void teclasComPausa(TmuxSession& s, const std::vector<std::string>& nomes) {
  for (const std::string& x : nomes) {
    s.keys({x});
    std::this_thread::sleep_for(150ms);
  }
}

bool escAte(TmuxSession& s, const std::string& texto, int maximo) {
  const auto mostra = [&] { return parado([&s] { return s.capture(); }).find(texto) != std::string::npos; };
  for (int i = 0; i < maximo && mostra(); ++i) {
    const std::string antes = estadoParado(s);
    s.keys({"Escape"});
    if (!s.waitForChange(antes)) std::fprintf(stderr, "e2e: the screen did not change after the key Escape\n");
  }
  return !mostra();
}

void digita(TmuxSession& s, const std::string& texto) {
  const std::string antes = estadoParado(s);
  s.text(texto);
  if (!s.waitForChange(antes)) std::fprintf(stderr, "e2e: the screen did not change after typing %s\n", texto.c_str());
}

bool noMenu(TmuxSession& s, std::chrono::milliseconds limite) {
  return s.waitFor([](const std::string& t) { return linha(t, 0).find("Sair") != std::string::npos; }, limite);
}

bool ate(const std::function<bool()>& condicao, std::chrono::milliseconds limite) {
  const auto fim = std::chrono::steady_clock::now() + limite;
  for (;;) {
    if (condicao()) return true;
    if (std::chrono::steady_clock::now() >= fim) return false;
    std::this_thread::sleep_for(20ms);
  }
}

bool sai(TmuxSession& s) {
  teclas(s, {"M-r"});
  if (!s.waitForText("Confirma saída do sistema")) return false;
  teclas(s, {"S"});
  return s.waitForText("tavren-ended 0");
}

bool teclaAteVer(TmuxSession& s, const std::string& tecla, const std::string& texto) {
  for (int vez = 0; vez < 3; ++vez) {
    s.keys({tecla});
    if (s.waitForText(texto, std::chrono::seconds(10))) return true;
  }
  return false;
}

bool configuraEmail(TmuxSession& s, const std::string& servidor, const std::string& conta, const std::string& senha) {
  teclas(s, {"M-p", "e"});
  if (!s.waitForText("Configura Email")) return false;
  teclas(s, {"c"});
  if (!s.waitForText("Servidor de saida (SMTP):")) return false;
  s.text(servidor);
  teclas(s, {"Enter"});
  s.text(conta);
  teclas(s, {"Enter"});
  s.text(conta);
  teclas(s, {"Enter"});
  s.text("N");
  if (!s.waitForText("Informe a sua senha para enviar email")) return false;
  s.text(senha);
  teclas(s, {"Enter"});
  if (!s.waitForText("Confirma os dados ?")) return false;
  teclas(s, {"s"});
  return s.waitForText("Prepara o Email");
}

bool preparaEmailComCarta(TmuxSession& s, const std::string& cpf, const std::string& email) {
  teclas(s, {"p"});
  if (!s.waitForText("Texto Editado")) return false;
  s.text(cpf);
  if (!s.waitForText(email)) return false;
  teclas(s, {"Enter"});
  s.text("Aviso");
  teclas(s, {"Enter", "Enter"});
  s.text("N");
  s.text("S");
  if (!s.waitForText("Confirma os dados ?")) return false;
  teclas(s, {"s"});
  if (!s.waitForText("Envia agora o Email?")) return false;
  teclas(s, {"s"});
  return s.waitForText("Nome da Carta:");
}

bool cadastraContribuinte(TmuxSession& s, const std::string& cpf, std::string& tela) {
  teclas(s, {"M-l", "Enter"});
  bool ok = s.waitForText("Pasta atual");
  if (ok) {
    // The Enter goes with the CPF, as a clerk types it: a full CPF ends the field by itself,
    // and the load drops the Enter typed meanwhile, which would otherwise start an edit.
    s.text(cpf);
    s.keys({"Enter"});
    ok = s.waitForText("10=Balan");
  }
  if (ok) {
    teclas(s, {"Escape"});
    ok = s.waitForText("Termina  a  Declaração ?");
  }
  if (ok) {
    // Saved once the taxpayer prompt is back without the save's notice.
    teclas(s, {"S"});
    ok = s.waitFor([](const std::string& t) {
      return t.find("Pasta atual") != std::string::npos && t.find("Termina  a  Declaração ?") == std::string::npos &&
             t.find("Salvando") == std::string::npos;
    });
  }
  if (ok) {
    teclas(s, {"Escape"});
    ok = s.waitFor([](const std::string& t) { return t.find("Pasta atual") == std::string::npos; });
  }
  if (!ok) {
    tela = s.capture();
    return false;
  }
  return true;
}

bool impressoraEmArquivo(TmuxSession& s, const std::string& nome, std::string& tela) {
  teclas(s, {"M-s", "Down", "Down", "Down", "Down", "Enter"});
  bool ok = s.waitForText("Impressora padr") && s.waitForText("LPT1");
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
  if (ok) {
    teclas(s, {"Escape"});
    ok = s.waitFor([](const std::string& t) { return t.find("Impressora padr") == std::string::npos; });
  }
  if (!ok) {
    tela = s.capture();
    return false;
  }
  return true;
}

bool cursorNaLinhaDe(TmuxSession& s, const std::string& texto, std::chrono::milliseconds limite) {
  return ate(
      [&] {
        // state(): the screen's rows, then "cursor <row>,<column> <shown>".
        const std::string e = s.state();
        const auto c = e.rfind("cursor ");
        if (c == std::string::npos) return false;
        const std::size_t n = static_cast<std::size_t>(std::atoi(e.c_str() + c + 7));
        return linha(e, n).find(texto) != std::string::npos;
      },
      limite);
}

std::string telaParada(TmuxSession& s) {
  return parado([&s] { return s.capture(); });
}

std::string linha(const std::string& tela, std::size_t n) {
  std::istringstream in(tela);
  std::string l;
  for (std::size_t i = 0; std::getline(in, l); ++i)
    if (i == n) return l;
  return {};
}

std::string visivel(const std::string& tela) {
  std::istringstream in(tela);
  std::string r;
  for (std::string l; std::getline(in, l);) {
    while (!l.empty() && l.back() == ' ') l.pop_back();
    r += l + "\n";
  }
  return r;
}

std::string leArquivo(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

}  // namespace e2e
