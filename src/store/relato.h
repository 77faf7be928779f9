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

#include <span>
#include <string>
#include <string_view>

namespace store {

// Where a long run shows its progress: inside the open declaration's frame (the save on
// leaving it, the load), or in a notice window of its own (the timed save).
enum class Painel { Declaracao, Aviso };

class Relato {
 public:
  virtual ~Relato() = default;
  // A notice on the status row; an empty text clears the row.
  virtual void linha(std::string_view /*texto*/) {}
  // An error in a window the user closes with a key.
  virtual void erro(std::string_view /*texto*/) {}
  // An alert of one or more lines, closed with "Ok".
  virtual void alerta(std::span<const std::string> /*linhas*/) {}
  void alerta(std::string_view texto) {
    const std::string linhas[] = {std::string(texto)};
    alerta(linhas);
  }
  // A yes/no question; `padrao` is the quiet answer.
  virtual bool pergunta(std::span<const std::string> /*linhas*/, bool padrao) { return padrao; }
  // A notice left open while the store works, until `fimEspera`.
  virtual void espera(std::string_view /*texto*/) {}
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
};

}  // namespace store
