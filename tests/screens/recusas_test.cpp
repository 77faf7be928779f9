// Every checked field of the declaration's screens and grids, given one bad value, says why it
// refuses it: the cursor staying in a field without a word leaves the clerk guessing. One row
// per field: the keys that reach it from a new taxpayer's identification, the bad value, and
// the message that must show.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;

using rt::term::ScriptedTerminal;

// From the identification's first field to the spouse's CPF: no rural activity, a name, a
// birth date, no voter's title.
void ateConjuge(ScriptedTerminal& t) {
  t.press('N');
  t.type("fulano de tal");
  t.press(key::Enter);
  t.type("15031970");
  t.press(key::Enter);
}
// From the spouse's CPF, left empty, to the current receipt number.
void ateRecibo(ScriptedTerminal& t) {
  ateConjuge(t);
  t.press(key::Enter);  // no spouse
  t.press(key::Enter);  // joint: blank
  t.press(key::Enter);  // rectifying: blank, so the receipt being rectified is skipped
}
void ateNascimento(ScriptedTerminal& t) {
  t.press('N');
  t.type("fulano");
  t.press(key::Enter);
}
// A new dependant on screen 4's grid, up to its birth date.
void ateDataDependente(ScriptedTerminal& t) {
  t.press(key::F4);
  t.pause();
  t.type("FILHO UM");
  t.press(key::Enter);
  t.type("21");
  t.pause();  // the code's name, in an alert
  t.press(key::Enter);
}
void ateCpfDependente(ScriptedTerminal& t) {
  ateDataDependente(t);
  t.type("01012005");
}
// Screen 8: a new gain of the kind given, up to its nature.
void ganho(ScriptedTerminal& t, char tipo) {
  t.press(key::F8);
  t.pause();
  t.press(tipo);
  t.pause();
  t.press(key::Ins);
  t.pause();
}
void ateNatureza(ScriptedTerminal& t) { ganho(t, '2'); }
void ateParticipacao(ScriptedTerminal& t) {
  ganho(t, '3');
  t.type("1");
  t.type("ACOES");
  t.press(key::Enter);
}
void ateVendaAPrazo(ScriptedTerminal& t) {
  ganho(t, '2');
  t.type("1");
  t.type("CARRO");
  t.press(key::Enter);
  t.type("01022004");
  t.type("04052009");
  for (const char* v : {"50000", "50000", "20000"}) {
    t.type(v);
    t.press(key::Enter);
  }
}

// Screen 5: an estate's final declaration made by deed, up to its notary office's CNPJ.
void ateCnpjCartorio(ScriptedTerminal& t) {
  ateNascimento(t);
  t.type("15031940");
  t.press(key::F5);
  t.pause();
  t.press(key::Tab);  // past the assets
  t.pause();
  t.press(key::Tab);  // past the debts
  t.pause();
  t.press(key::Enter);      // no spouse
  t.type("11144477735");    // the inventory holder
  t.type("INVENTARIANTE");
  t.press(key::Enter);
  t.type("RUA A");
  t.press(key::Enter);
  t.press(key::Enter);  // not an exit declaration
  t.press('S');         // the estate's final declaration
  t.pause();
  t.press('N');  // by deed
  t.pause();
  t.type("CARTORIO UM");
  t.press(key::Enter);
  t.type("SAO PAULO");
  t.press(key::Enter);
  t.type("SP");
  t.type("12");
  t.press(key::Enter);
  t.type("34");
  t.press(key::Enter);
}

struct Caso {
  const char* campo;
  void (*chega)(ScriptedTerminal&);
  const char* valor;
  std::string_view mensagem;
  // Keys after the notice, where running out of keys would not end the run (a gain's form
  // asks whether to drop an unfinished gain, and Esc there goes back to the form).
  bool ganho = false;
};

const Caso kCasos[] = {
    {"BirthDate", ateNascimento, "31021970",
     "Data inválida: informe dia, mês e ano de uma data que exista (dd/mm/aaaa)."_cp},
    {"SpouseCpfDigits", ateConjuge, "12345678900", "ATENCAO!! CPF está incorreto. "_cp},
    {"SpouseCpfOwn", ateConjuge, "12345678909", "O CPF do cônjuge não pode ser o do próprio contribuinte."_cp},
    {"ReceiptNumber", ateRecibo, "123456789000", "Numero do recibo invalido"},
    {"DependantBirthDate", ateDataDependente, "31022000",
     "Data inválida: informe dia, mês e ano de uma data que exista (dd/mm/aaaa)."_cp},
    {"DependantCpf", ateCpfDependente, "12345678900", "ATENCAO!! CPF está incorreto. "_cp},
    {"DependantCpfOwn", ateCpfDependente, "12345678909", "O CPF do dependente não pode ser o do próprio contribuinte."_cp},
    {"GainNature", ateNatureza, "0", "Informe a natureza da operação de 1 a 9:"_cp, true},
    {"ShareholdingKind", ateParticipacao, "0", "Informe a participação:"_cp, true},
    {"SaleInInstalments", ateVendaAPrazo, "0", "Digite S de sim ou N de nao", true},
    {"EstateNotaryCnpjEmpty", ateCnpjCartorio, "", "Informe o CNPJ do cartório da escritura."_cp},
};

class Recusas : public DeclaracaoFixture, public ::testing::WithParamInterface<Caso> {};

// The keys end after the bad value: the program is then told Esc until it gives up the new
// taxpayer, so whatever the field does with the value, the run ends.
TEST_P(Recusas, ABadValueIsRefusedWithAWord) {
  const Caso& c = GetParam();
  novo(kNovo);
  c.chega(term);
  term.type(c.valor);
  term.press(key::Enter);
  if (c.ganho) {
    term.pause();
    term.press(key::Enter);  // the notice read
    term.press(key::Esc);
    term.pause();
    term.press('S');  // the unfinished gain dropped
  }
  roda();
  EXPECT_TRUE(gravador.viu(c.mensagem)) << c.mensagem;
}

INSTANTIATE_TEST_SUITE_P(CamposConferidos, Recusas, ::testing::ValuesIn(kCasos),
                         [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.campo); });

}  // namespace
}  // namespace screens::teste

namespace screens::teste {
namespace {

using Desvios = DeclaracaoFixture;

// A new taxpayer with rural activity walked as a clerk walks it: the rural screens carry their
// own key hints, Alt+Q in a grid names the taxpayer beside the CPF, Esc on the gains screen
// goes back to the summary, and the exit and estate flags are stored as "N".
TEST_F(Desvios, RuralHintsTheTaxpayerNamedGainsEscAndTheFlagsStored) {
  novo(kNovo);
  term.press('S');  // rural activity
  term.press('S');  // in Brazil
  term.type("fulano de tal");
  term.press(key::Enter);
  term.press(key::F1);  // screen 1: its grid
  term.pause();
  term.press(key::AltQ);
  term.pause();
  term.press(key::F12);  // the rural properties
  term.pause();
  term.press(key::F8);  // the gains: Esc at the kind's question
  term.pause();
  term.press(key::Esc);
  term.pause();
  termina('S');
  roda();

  EXPECT_EQ(telas, (std::vector<int>{6, 1, 12, 8, 7}));
  EXPECT_TRUE(gravador.viu("123.456.789-09  FULANO DE TAL"));
  EXPECT_TRUE(gravador.viu("<Esc> Fim <Tab> Faturamento | Alt I=Indice | Alt H= Help"));
  EXPECT_EQ(texto("IMP0110", kNovo, "DECSAIDA"), "N");
  EXPECT_EQ(texto("IMP0110", kNovo, "DECFINAL"), "N");
}

}  // namespace
}  // namespace screens::teste
