// The numbered dialog frames: each family (MTELA1 ... MTELA21) draws frame n into its window
// slot, stores the frame's top-left corner in a position table (dialogs ALJA/ACJA, forms
// ALJ/ACJ, help windows ALJB/ACJB) and sets NTA; the caller then places its fields and option
// menus relative to that corner and closes the window by its slot.
//
// Frame geometry: a frame of height h and width w at (top, left) is the window (top, left) -
// (top + h, left + w). Frames of type 0 draw their own box as text, so their inside starts one
// row and one column from the corner; type 1 frames get their box from the window, one cell
// above and left of the corner, and their text starts at the corner; type 2 has the box on the
// corners; type 7 adds a shadow right and below.
//
// Where fields go: camposMoldura() lists every field place of a frame (its label, and the row
// and column of the value relative to the corner). Option menus drawn by a frame list their
// items one per line; itensMoldura() gives the ESC_OPCAO / ESC_ITEM arguments that fit them.
// Frames that draw nothing (MTELA1 1 and 8, MTELA2 3 and 8, MTELA5 2, MTELA21 4) leave the
// screen, the tables and NTA alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/contexto.h"
#include "console/menus.h"
#include "console/quadro.h"

namespace console {

enum class Familia { MTELA1, MTELA2, MTELA3, MTELA4, MTELA5, MTELAVER, MTELA13, MTELA21 };

// The frames by name, one list a family; the value is the frame's number in its family.
namespace mtela1 {
enum Numero : int {
  CopiaCpf = 2,        // a taxpayer's declaration copied to another CPF, with the parts to copy
  Pastas = 4,          // the two folder boxes (current and new, or origin and destination)
  MenuBoletos = 5,     // the bank slips' menu
  MenuEmail = 6,       // the e-mail's menu
  ValoresMensais = 7,  // the box around a field's monthly values
  Apresentacao = 9,    // the banner with the terminal and the version
  Espolio = 10,        // the closing of an estate
  Dolar = 11,          // a field's amount in reais, dollars and the month
  MenuExporta = 12,    // the tables the text export offers
};
}  // namespace mtela1
namespace mtela2 {
enum Numero : int {
  IndiceMensal = 2,        // a month's index (the monthly index table)
  Honorarios = 6,          // the fee rates and the idle clock
  MenuEstatus = 9,         // the statuses' menu
  InformadoCalculado = 10, // the exempt incomes, informed beside computed
};
}  // namespace mtela2
namespace mtela3 {
enum Numero : int {
  Lancamento = 2,     // an entry of the journal
  Contribuinte = 3,   // the taxpayer heading
  Cedente = 4,        // the office's bank account for its slips
  Sacado = 5,         // one bank slip
  ServidorEmail = 6,  // the mail server and its user
  Envio = 7,          // one e-mail: the taxpayer, the address, the subject, the attachments
  MenuDiario = 10,    // the journal's menu
};
}  // namespace mtela3
namespace mtela4 {
enum Numero : int { Salvamento = 2 };  // how the declaration is saved
}  // namespace mtela4
namespace mtela5 {
enum Numero : int { NotaDespesas = 6 };  // the note above the expenses' grid
}  // namespace mtela5
namespace mtelaver {
enum Numero : int {
  Indice = 1,     // the declaration's index of pages
  MenuAjuda = 2,  // the help's menu
  Cadastro = 4,   // the taxpayer's register record
};
}  // namespace mtelaver
namespace mtela13 {
enum Numero : int { MenuImpressao = 2 };  // the print menu of the current step
}  // namespace mtela13
namespace mtela21 {
enum Numero : int {
  Darf = 1,           // the payment slip's boxes
  Quotas = 3,         // the quotas to print
  CpfDependente = 7,  // a dependant's CPF
};
}  // namespace mtela21

// What some frames need besides their number.
struct ArgsMoldura {
  int variante = 1;  // MTELA1 4 (1 to 3), MTELA5 9 (1 to 3)
  int linha = 0;     // MTELA21 2: the caller's corner
  int coluna = 0;
  int nroLin = 0;         // MTELA5 9: the form's height (NRO_LIN)
  bool judicial = false;  // MTELA1 10: an estate closed by a judicial division (DECJUDI "S")
  std::string versao{};   // MTELA1 9: the version with its date
  // MTELA13 2: the lines the print menu shows for the current step (one fewer than the box
  // height); the step is ctx.OPCIMP and the report kind ctx.QUEIMP.
  std::vector<std::string> linhasMenu{};
};

// The option menu a frame draws: items on window rows deslocamento + 1 .. + quantos, the text
// from window column `coluna`, `largura` characters lit.
struct ItensMoldura {
  Jan janela = Jan::kStatus;
  int quantos = 0, coluna = 0, largura = 0, deslocamento = 0;
  OpcoesMenu opcoes{};  // the letters and texts of the options, where the frame gives them
};

enum class TabelaPosicao { Dialogo, Forma, FormaAtual, Ajuda };

// Everything about one frame, for drawing and for the code placing fields.
struct Moldura {
  Jan janela = Jan::kStatus;
  int top = 0, left = 0, altura = 0, largura = 0;
  int tipo = 0;
  int cor1 = 0, cor2 = 0, cor3 = 0;
  TabelaPosicao tabela = TabelaPosicao::Dialogo;
  Quadro quadro{0, 0};
  std::optional<ItensMoldura> itens;
};

// The frame n of a family, or nothing for the frames that draw nothing.
std::optional<Moldura> moldura(const Contexto& ctx, Familia familia, int n, const ArgsMoldura& args = {});
// Draws it: stores its corner, sets NTA, defines and opens its window and writes its text.
void desenhaMoldura(Contexto& ctx, Familia familia, int n, const ArgsMoldura& args = {});
// Field places and menu items of a frame (see above).
std::vector<CampoMoldura> camposMoldura(const Contexto& ctx, Familia familia, int n,
                                        const ArgsMoldura& args = {});
std::optional<ItensMoldura> itensMoldura(const Contexto& ctx, Familia familia, int n,
                                         const ArgsMoldura& args = {});

inline void MTELA1(Contexto& ctx, int n, const ArgsMoldura& a = {}) {
  desenhaMoldura(ctx, Familia::MTELA1, n, a);
}
inline void MTELA2(Contexto& ctx, int n, const ArgsMoldura& a = {}) {
  desenhaMoldura(ctx, Familia::MTELA2, n, a);
}
inline void MTELA3(Contexto& ctx, int n, const ArgsMoldura& a = {}) {
  desenhaMoldura(ctx, Familia::MTELA3, n, a);
}
// The save-mode menu; it has one frame, whatever the number.
inline void MTELA4(Contexto& ctx, int n = 2, const ArgsMoldura& a = {}) {
  desenhaMoldura(ctx, Familia::MTELA4, n, a);
}
inline void MTELA5(Contexto& ctx, int n, const ArgsMoldura& a = {}) {
  desenhaMoldura(ctx, Familia::MTELA5, n, a);
}
inline void MTELAVER(Contexto& ctx, int n, const ArgsMoldura& a = {}) {
  desenhaMoldura(ctx, Familia::MTELAVER, n, a);
}
inline void MTELA13(Contexto& ctx, int n, const ArgsMoldura& a = {}) {
  desenhaMoldura(ctx, Familia::MTELA13, n, a);
}
inline void MTELA21(Contexto& ctx, int n, const ArgsMoldura& a = {}) {
  desenhaMoldura(ctx, Familia::MTELA21, n, a);
}

}  // namespace console
