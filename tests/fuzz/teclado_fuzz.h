// The fuzzer's bytes as a clerk's keys, and the terminal that types them into the program.
//
// Printable ASCII is typed as itself (so "11144477735" in an input is a CPF typed), the rest
// of the byte range names the keys a clerk uses: Enter, Esc, Tab and Shift+Tab, arrows,
// Home/End/PgUp/PgDn, Ins/Del, F1-F12 with Shift, Ctrl and Alt, Alt and Ctrl letters, Alt
// digits, accented letters, a mouse press and a pause (one timed read that times out).
//
// The terminal watches the program: a run of screen refreshes and polls without any key read
// is a key loop, reported with the screen and ended by abort(). When the bytes run out it
// answers Esc a number of times, so the screens close the way a clerk closes them, and then
// throws FimDasTeclas, which nothing in the program catches, to end the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "rt/term/terminal.h"

namespace fuzz {

// Thrown by the terminal when the keys have run out and the Escs after them too.
struct FimDasTeclas {};

// One byte's meaning: a key, a pause, or a mouse press whose cell the next two bytes give.
struct Tecla {
  enum class Tipo { Tecla, Pausa, Mouse } tipo = Tipo::Tecla;
  rt::term::Key key;
};

Tecla teclaDoByte(std::uint8_t byte);

class TecladoFuzz final : public rt::term::Terminal {
 public:
  // Escs given after the last key before the run is ended.
  static constexpr int kEscsNoFim = 64;
  // Refreshes, polls and timed-out reads in a row without a key read that make a key loop.
  static constexpr int kLimiteSemTecla = 50000;

  TecladoFuzz(const std::uint8_t* data, std::size_t size);

  void present(const rt::term::Screen& screen) override;
  std::optional<rt::term::Key> readKey(std::chrono::milliseconds timeout) override;
  bool keyWaiting() override;
  void beep() override {}
  std::chrono::steady_clock::time_point now() override { return std::chrono::steady_clock::time_point{} + elapsed_; }

  // The screen as last shown, as UTF-8 lines, for reports.
  std::string tela() const;

 private:
  // One more refresh or poll without a key: aborts with `onde` when there were too many.
  void semTecla(const char* onde);

  std::deque<Tecla> teclas_;
  rt::term::Screen shown_;
  int semTecla_ = 0;
  int escsNoFim_ = 0;
  std::chrono::milliseconds elapsed_{0};
};

}  // namespace fuzz
