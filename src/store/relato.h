// What the data store says while it works. The store reads and writes tables; where it has
// something to tell the user (a notice on the status row, an error, an alert, a question, a
// wait, the progress of a save or a load) it says it through this interface, never by drawing.
// The program's context holds the console's implementation (`RelatoConsole`); a caller that
// wants the store quiet, or a test that wants to read what was said, puts its own in place
// with `Contexto::defineRelato`. Every method has a quiet default, and a question then takes
// its default answer.
//
// Texts are CP860, exactly as the user sees them.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// Where a long run shows its progress: inside the open declaration's frame (the save on
// leaving it, the load), or in a notice window of its own (the timed save).
enum class Painel { Declaracao, Aviso };

class Relato {
 public:
  virtual ~Relato() = default;
  // A notice on the status row, from its left end or centred; an empty text clears the row.
  virtual void linha(std::string_view /*texto*/, bool /*centrada*/) {}
  void linha(std::string_view texto) { linha(texto, false); }
  // An error in a window the user closes with a key.
  virtual void erro(std::string_view /*texto*/) {}
  // An alert of one or more lines, closed with "Ok".
  virtual void alerta(std::span<const std::string> /*linhas*/) {}
  void alerta(std::string_view texto) { alerta(std::initializer_list<std::string_view>{texto}); }
  void alerta(std::initializer_list<std::string_view> linhas) {
    alerta(std::span<const std::string>(texto(linhas)));
  }
  // A yes/no question: true when the user said yes; `padrao` is the quiet answer.
  [[nodiscard]] virtual bool pergunta(std::span<const std::string> /*linhas*/, bool padrao) { return padrao; }
  [[nodiscard]] bool pergunta(std::string_view texto, bool padrao) { return pergunta({texto}, padrao); }
  [[nodiscard]] bool pergunta(std::initializer_list<std::string_view> linhas, bool padrao) {
    return pergunta(std::span<const std::string>(texto(linhas)), padrao);
  }
  // A question answered by one of the letters `teclas` (upper case), which is returned;
  // `padrao` is the quiet answer.
  virtual char letra(std::string_view /*texto*/, std::string_view /*teclas*/, char padrao) { return padrao; }
  // A choice among buttons: the number of the one taken (from 1), 0 for Esc, which is also the
  // quiet answer.
  virtual int escolha(std::span<const std::string> /*linhas*/, std::span<const std::string> /*botoes*/) {
    return 0;
  }
  int escolha(std::initializer_list<std::string_view> linhas,
              std::initializer_list<std::string_view> botoes) {
    return escolha(std::span<const std::string>(texto(linhas)), std::span<const std::string>(texto(botoes)));
  }
  // Whether the user gives up a wait: an Esc typed meanwhile, read (and taken) between two tries
  // of a lock. Quiet: never, and the wait lasts its time.
  [[nodiscard]] virtual bool desiste() { return false; }
  // The top row's bar taken off before a run over every folder, which draws the screen again
  // at its end.
  virtual void fechaBarra() {}
  // A notice left open while the store works, until `fimEspera`.
  virtual void espera(std::string_view /*texto*/) {}
  // The same while another terminal is waited for: out at once, as nothing reads the keyboard
  // meanwhile to bring it out.
  virtual void aguarda(std::string_view /*texto*/) {}
  virtual void fimEspera() {}
  // The progress of a long run on `painel`: its heading, the caption of the part being done,
  // and the bar so far (the whole bar each time).
  virtual void titulo(Painel /*painel*/, std::string_view /*texto*/) {}
  virtual void etapa(Painel /*painel*/, std::string_view /*legenda*/) {}
  virtual void barra(Painel /*painel*/, std::string_view /*barra*/) {}
  // What the declaration's frame shows of where the store stands: the taxpayer (CPF as its 11
  // digits, both blank for none) and the current data folder.
  virtual void contribuinte(std::string_view /*cpf*/, std::string_view /*nome*/) {}
  virtual void pasta(std::string_view /*pasta*/) {}

 private:
  static std::vector<std::string> texto(std::initializer_list<std::string_view> linhas) {
    return {linhas.begin(), linhas.end()};
  }
};

}  // namespace store
