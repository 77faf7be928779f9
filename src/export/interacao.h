// What the export says and asks, as an interface: the console's own in the program, a
// recording one in the tests.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "console/contexto.h"

namespace exporta {

// The lines of a message window as one text: the window breaks its text at equal widths, so
// every line is padded to the longest.
std::string emLinhas(std::initializer_list<std::string_view> linhas);

class Interacao {
 public:
  virtual ~Interacao() = default;
  // An error in a message window, with the error beep; waits for a key.
  virtual void erro(std::string_view texto, int linhas = 1) = 0;
  // A notice in a message window; waits for a key.
  virtual void aviso(std::string_view texto) = 0;
  // A notice on the status line that does not wait, so a batch runs on.
  virtual void status(std::string_view texto) = 0;
  // A question answered "S" or "N": true to go on.
  virtual bool continua(std::string_view texto, int linhas) = 0;
  // The error beep alone.
  virtual void beep() = 0;
  // A notice on the status line while waiting half a second for something held by another
  // program; false when Esc was typed, which ends the wait.
  virtual bool aguarda(std::string_view texto) = 0;
  // "Pasta " + the program's folder in the export's window.
  virtual void pasta(std::string_view LOCIRPF) = 0;
};

class InteracaoConsole final : public Interacao {
 public:
  explicit InteracaoConsole(console::Contexto& ctx) : ctx_(ctx) {}
  void erro(std::string_view texto, int linhas = 1) override;
  void aviso(std::string_view texto) override;
  void status(std::string_view texto) override;
  bool continua(std::string_view texto, int linhas) override;
  void beep() override;
  bool aguarda(std::string_view texto) override;
  void pasta(std::string_view LOCIRPF) override;

 private:
  console::Contexto& ctx_;
};

}  // namespace exporta
