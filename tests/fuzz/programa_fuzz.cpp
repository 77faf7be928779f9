#include "programa_fuzz.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "rt/term/console.h"
#include "rt/text/date.h"
#include "shell/erro_execucao.h"
#include "shell/funcoes.h"
#include "shell/inicio.h"
#include "shell/programa.h"
#include "shell/saida.h"
#include "store/espera.h"
#include "aborta_no_erro.h"
#include "teclado_fuzz.h"

namespace fuzz {

namespace fs = std::filesystem;

namespace {

// Folder names are stored in 40-character fields: the scratch folder's name is kept short.
std::string pastaRaiz() {
  if (const char* t = std::getenv("TAVREN_TEST_TMP"); t != nullptr && t[0] == '/') {
    fs::create_directories(t);
    return t;
  }
  return fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
}

void escreve(const fs::path& arquivo, const std::string& texto, bool executavel = false) {
  std::ofstream(arquivo) << texto;
  if (executavel) fs::permissions(arquivo, fs::perms::owner_all);
}

// The scratch folder of this process: `trabalho` is the program folder every run gets, a
// copy of `modelo`, which a first start made in `trabalho` itself (so the folder names stored
// in its tables stay right). Removed when the process ends normally.
class Pastas {
 public:
  Pastas() {
    std::string nome = pastaRaiz() + "/tfXXXXXX";
    if (mkdtemp(nome.data()) == nullptr) {
      std::perror("tavren-fuzz: mkdtemp");
      std::abort();
    }
    base = nome;
    trabalho = base + "/p";
    modelo = base + "/m";
    // Programs the system may run: a printer queue that takes every job, no printer list, no
    // converter, no browser.
    const std::string bin = base + "/bin";
    fs::create_directories(bin);
    escreve(bin + "/lp", "#!/bin/sh\ncat >/dev/null\necho 'request id is fuzz-1 (1 file(s))'\n", true);
    for (const char* p : {"lpstat", "converte", "xdg-open"}) escreve(bin + "/" + p, "#!/bin/sh\nexit 1\n", true);
    const char* path = std::getenv("PATH");
    ::setenv("PATH", (bin + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
    ::setenv("HOME", (trabalho + "/casa").c_str(), 1);
    ::setenv("TMPDIR", (trabalho + "/tmp").c_str(), 1);
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    for (int n = 1; n <= 9; ++n) {
      ::setenv(("TAVREN_LPT" + std::to_string(n)).c_str(), (trabalho + "/lpt" + std::to_string(n)).c_str(), 1);
      ::setenv(("TAVREN_COM" + std::to_string(n)).c_str(), (trabalho + "/com" + std::to_string(n)).c_str(), 1);
    }
    ambiente["DTAVREN"] = trabalho;
    ambiente["TERMINAL"] = "00";
    for (char l = 'A'; l <= 'Z'; ++l) ambiente[std::string("TAVREN_DRIVE_") + l] = trabalho + "/unidade/" + l;
    ambiente["TAVREN_UNC_ROOT"] = trabalho + "/rede";
    fs::create_directories(trabalho);
    for (const char* p : {"casa", "tmp", "rede", "unidade/A", "unidade/C"}) fs::create_directories(trabalho + "/" + p);
    // Folders typed without a root are made where the process stands: in the scratch folder,
    // never where the fuzzer was started.
    fs::current_path(trabalho);
  }
  ~Pastas() {
    std::error_code ec;
    fs::current_path("/", ec);  // out of the folder about to go
    fs::remove_all(base, ec);
  }

  Pastas(const Pastas&) = delete;
  Pastas& operator=(const Pastas&) = delete;

  std::string base, trabalho, modelo;
  std::map<std::string, std::string> ambiente;
};

// What happens in every run: the program made as main makes it, start-up, the menu loop.
void roda(Pastas& pastas, TecladoFuzz& teclado) {
  rt::term::Console console(teclado);
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 20), 36000, 0}};
  store::EsperaVirtual espera{&relogio};
  shell::Program programa(console, relogio, espera, [&pastas](const char* nome) -> const char* {
    auto it = pastas.ambiente.find(nome);
    return it == pastas.ambiente.end() ? nullptr : it->second.c_str();
  });
  shell::registraFuncoes(programa);
  abortaNoErro(programa);
  try {
    if (!shell::INICIA(programa, std::nullopt)) return;
    (void)shell::LACO(programa);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tavren-fuzz: runtime error outside the menu items: %s\nscreen:\n%s", e.what(),
                 teclado.tela().c_str());
    std::abort();
  }
}

Pastas& pastasProntas() {
  static Pastas pastas;
  static const bool feito = [] {
    // The first start, answered by Esc, makes the program folder's tables.
    TecladoFuzz semTeclas(nullptr, 0);
    try {
      roda(pastas, semTeclas);
    } catch (const FimDasTeclas&) {
    }
    fs::copy(pastas.trabalho, pastas.modelo, fs::copy_options::recursive);
    return true;
  }();
  (void)feito;
  return pastas;
}

}  // namespace

void rodaPrograma(const std::uint8_t* data, std::size_t size) {
  Pastas& pastas = pastasProntas();
  fs::remove_all(pastas.trabalho);
  fs::copy(pastas.modelo, pastas.trabalho, fs::copy_options::recursive);
  TecladoFuzz teclado(data, size);
  try {
    roda(pastas, teclado);
  } catch (const FimDasTeclas&) {
    // The keys ran out: the run ends here, as a clerk walking away would end it.
  }
}

}  // namespace fuzz
