// A shell context for the settings screens: the scripted terminal behind a recorder that
// keeps every screen shown (so alerts that close again can be checked), scratch program, data
// and work folders, and a virtual wait.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rt/db/table.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/term/terminal.h"
#include "rt/text/date.h"
#include "shell/ajustes.h"
#include "store/contexto.h"
#include "store/espera.h"

namespace shell::teste {

// A scratch folder, removed with everything in it.
class Pasta {
 public:
  Pasta();
  ~Pasta();
  Pasta(const Pasta&) = delete;
  Pasta& operator=(const Pasta&) = delete;
  const std::string& caminho() const { return caminho_; }
  std::string operator/(std::string_view nome) const { return caminho_ + "/" + std::string(nome); }

 private:
  std::string caminho_;
};

// Passes everything to the scripted terminal and keeps each screen presented as text.
class Gravador final : public rt::term::Terminal {
 public:
  explicit Gravador(rt::term::ScriptedTerminal& t) : t_(t) {}
  void present(const rt::term::Screen& s) override;
  std::optional<rt::term::Key> readKey(std::chrono::milliseconds timeout) override {
    return t_.readKey(timeout);
  }
  bool keyWaiting() override { return t_.keyWaiting(); }
  void beep() override { t_.beep(); }
  std::chrono::steady_clock::time_point now() override { return t_.now(); }

  // Whether some screen shown held the CP860 text (anywhere, or from row r, column c).
  bool viu(std::string_view texto) const;
  bool viuEm(int r, int c, std::string_view texto) const;
  // Whether one screen shown held both texts.
  bool viuJuntos(std::string_view um, std::string_view outro) const;
  // Whether some screen was shown with the cursor at (r, c).
  bool cursorEm(int r, int c) const;
  // The rows of the last screen shown holding the CP860 text (and `outro`, when given); none
  // when no screen held them.
  std::vector<std::string> ultima(std::string_view texto, std::string_view outro = {}) const;
  // Whether some screen shown had the CP860 text at (r, c) in the attribute.
  bool viuComCor(int r, int c, std::string_view texto, rt::term::Attr cor) const;
  void esquece() { telas_.clear(); }
  // Every screen shown, as text (to see what a failing test met).
  std::string todas() const {
    std::string s;
    for (const Tela& t : telas_) s += t.texto + "----\n";
    return s;
  }

 private:
  struct Tela {
    std::string texto;
    int linha, coluna;
    rt::term::Screen tela;
  };
  rt::term::ScriptedTerminal& t_;
  std::vector<Tela> telas_;
};

class AjustesFixture : public ::testing::Test {
 protected:
  AjustesFixture();
  ~AjustesFixture() override;

  // Appends the terminal's CONFIG record, as start-up does.
  void criaConfig(bool quersen = false, int ultSenir = 0);
  // A table of the program folder opened outside the work areas, positioned on its first
  // record (or the terminal's, for tables keyed by NRO_TERM).
  std::unique_ptr<rt::db::Table> abre(std::string_view arquivo, bool doTerminal = false);
  // The settings file of the program folder.
  std::string arquivoChave() const { return programa / "TAVREN.KEY"; }
  void gravaChave(const std::string& conteudo);
  std::string leChave() const;

  std::string linha(int r) { return con.screen().rowText(r); }

  rt::term::ScriptedTerminal term;
  Gravador gravador{term};
  rt::term::Console con{gravador};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  store::EsperaVirtual espera{&relogio};
  Pasta programa, dados, trabalho;
  store::Contexto ctx{con, relogio, espera};
  Ajustes aj;
};

}  // namespace shell::teste
