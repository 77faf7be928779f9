// What the computation shows. The computation is pure logic over the declaration's data; where
// it has something to say (a notice, a question, the row-24 hint that the other model pays
// less, a block of values to redraw) it says it through this interface, which the screens
// implement with the console. Every method has a quiet default, so batch callers (the export's
// loop, the save) can pass a `Saida` as it is; questions then take their default answer.
//
// Texts are CP860, exactly as the user sees them; a notice of several lines comes as its lines.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace taxcalc {

// Blocks of values the computation asks the current screen to redraw.
enum class Quadro {
  ResumoCompleto,      // summary of the complete model (I13_01..I13_25, I13_32..I13_35, I9_2, I13_37..I13_40)
  ResumoSimplificado,  // summary of the simplified model (DESPADRAO, I13_16, I13_17 ...)
  Parcelas,            // quotas I13_29, I13_30 of the simplified summary
  TotaisRendimentos,   // titular and dependants' income totals side by side (income screens)
  LinhasRendimentos,   // I13_08, I13_24, I13_25, I13_40 (income screen of mode 4)
  Pagamentos,          // payment totals of screen 4
  NaoDedutivel,        // I13_12D beside the payments grid
  Bens,                // asset totals I13_32, I13_33, NTOTBANT1
  Dividas,             // debt totals I13_34, I13_35, NTOTDANT1
  GanhosIsentos,       // I3_04D and I3_04C of screen 3
  Isentos,             // exempt and exclusive totals I13_37, I13_38
  Rebanho,             // the herd's five final stocks I7_T1..I7_T5 (rural screen 15, totaisRebanho)
};

class Saida {
 public:
  virtual ~Saida() = default;
  // A notice the user reads and closes.
  virtual void aviso(std::span<const std::string> /*linhas*/) {}
  // A one-line alert.
  virtual void alerta(std::string_view /*texto*/) {}
  // A yes/no question; `padrao` is the answer under the cursor (and the quiet answer).
  virtual bool pergunta(std::span<const std::string> /*linhas*/, bool padrao) { return padrao; }
  // The hint on the status row (24) from column 28, in the attention colour.
  virtual void rodape(std::string_view /*texto*/) {}
  // Redraw a block of values on the current window.
  virtual void mostra(Quadro /*quadro*/) {}
  // The cash-balance line of the summary: the warning in the attention colour, or the rule that
  // takes its place.
  virtual void caixa(std::string_view /*texto*/, bool /*atencao*/) {}
  // The progress line of a long run (the consistency check). Each call gives the whole line as
  // it must now read, from column 0: step 0 is the heading, steps 1 .. total-1 the heading with
  // the caption of the section being walked, step `total` the closing line with the counts
  // under their headings. The steps come in order, each once.
  virtual void progresso(std::string_view /*texto*/, int /*passo*/, int /*total*/) {}
};

}  // namespace taxcalc
