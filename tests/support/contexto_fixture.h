// The data-store context the unit tests of the store, the grid and the settings screens run in:
// the scripted terminal behind a recorder that keeps every screen presented, the office's
// clock stopped at 30/04/2010 10:00, a virtual wait that moves it on, and scratch program, data
// and work folders. Each folder's fixture (store/store_fixture.h, grid/fixture.h,
// shell/ajustes_fixture.h) is this context plus what its own tests need.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/term/terminal.h"
#include "rt/text/date.h"
#include "store/contexto.h"
#include "store/espera.h"
#include "support/scratch_dir.h"

namespace support {

// Passes everything to a scripted terminal and keeps each screen presented, so a test can ask
// what was shown at any moment, also in windows that closed again.
class TerminalGravado final : public rt::term::Terminal {
 public:
  explicit TerminalGravado(rt::term::ScriptedTerminal& t) : script(t) {}
  TerminalGravado(const TerminalGravado&) = delete;
  TerminalGravado& operator=(const TerminalGravado&) = delete;

  // Where the keys come from.
  rt::term::ScriptedTerminal& script;
  // The text of every screen presented, each row ended by '\n'. A test may clear it to look
  // only at what comes next.
  std::vector<std::string> telas;

  void present(const rt::term::Screen& s) override;
  std::optional<rt::term::Key> readKey(std::chrono::milliseconds t) override { return script.readKey(t); }
  bool keyWaiting() override { return script.keyWaiting(); }
  void beep() override { script.beep(); }
  std::chrono::steady_clock::time_point now() override { return script.now(); }

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
  // Forgets the screens shown so far.
  void esquece();
  // Every screen shown, as text (to see what a failing test met).
  std::string todas() const;

 private:
  // The screens behind `telas`, matched from the end: clearing `telas` forgets the older ones.
  const rt::term::Screen& quadro(std::size_t i) const { return quadros_[quadros_.size() - telas.size() + i]; }
  std::vector<rt::term::Screen> quadros_;
};

// The context: keys go into `term`, what is shown is kept by `gravador`.
class ContextoFixture {
 protected:
  // `prefixo` names the scratch folders (see Pasta).
  explicit ContextoFixture(std::string_view prefixo);

  std::string linha(int r) { return con.screen().rowText(r); }

  rt::term::ScriptedTerminal term;
  TerminalGravado gravador{term};
  rt::term::Console con{gravador};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  store::EsperaVirtual espera{&relogio};
  Pasta programa, dados, trabalho;
  store::Contexto ctx{con, relogio, espera};
};

}  // namespace support
