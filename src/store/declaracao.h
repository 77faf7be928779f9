// The open declaration of a terminal: its record mirror, the settings that loading and saving
// read, and the computation they call. The computation, the spouse link and the export belong
// to later subsystems; they reach the working copy through `Calculos`, whose default does
// nothing, so the working copy loads and saves what it holds until they are plugged in.
#pragma once

#include <functional>

#include "rt/text/decimal.h"
#include "store/contexto.h"
#include "store/espelho.h"

namespace store {

struct Declaracao;

// What loading and saving call outside the data store. Every function has an empty default.
class Calculos {
 public:
  virtual ~Calculos() = default;
  // The full computation CALC(step, mode) (the save calls CALC(7, 0)).
  virtual void CALC(Contexto&, Declaracao&, int /*passo*/, int /*modo*/) {}
  // BALANCO: the whole declaration recomputed after loading.
  virtual void BALANCO(Contexto&, Declaracao&) {}
  // Recomputes carnê-leão column `coluna` (2..6) when CAL_AUTO is 2 or 4.
  virtual void recalculaColunaLeao(Contexto&, Declaracao&, int /*coluna*/) {}
  // Links the spouse's declaration (I9_4 "S").
  virtual void ligaConjuge(Contexto&, Declaracao&) {}
  // Gains and the exclusive-taxation totals, after loading.
  virtual void recalculaGanhos(Contexto&, Declaracao&) {}
  // Sums the rural figures (SO_TOTAL false).
  virtual void somaRural(Contexto&, Declaracao&) {}
  // The export to the tax authority's program after a final save.
  virtual void transfere(Contexto&, Declaracao&) {}
};

// Settings that decide how a save ends (from the terminal's settings and DEFINE).
struct OpcoesDeclaracao {
  int TEMP_SAL = 15;  // autosave interval in minutes; 98 and above: no autosave
  int OPTTRAN = 0;    // 1: export after every final save; 2: when ESTATUS equals SOESTE
  int SOESTE = 0;
  // The menu item the opening comes from (the export's loop, items 61 and above, neither
  // links the spouse nor closes the register).
  int ITEM_MENU = 0;
  // Clock paused: the time since INI_DECLA is not added to the time of use.
  bool SEMHORA = false;
};

struct Declaracao {
  EspelhoDeclaracao espelho;
  OpcoesDeclaracao opcoes;
  // Not owned; the default computation does nothing.
  Calculos* calculos = nullptr;
  // The register held the taxpayer's row when the declaration was opened (or a save has
  // written it since). A save then finds it or writes nothing: a row removed meanwhile (the
  // taxpayer deleted or moved elsewhere) is never appended again.
  bool cadastrado = false;
  // Called at the steps of a save (see salva.h); tests stop the process there.
  std::function<void(int passo)> gancho;

  Calculos& calc() {
    static Calculos nada;
    return calculos != nullptr ? *calculos : nada;
  }
};

}  // namespace store
