// Screen 6 as a clerk fills it: the form's order and pictures, the refusals of each field kind
// (an impossible date, a wrong CPF, a flag other than S/N) keeping the field, the age shown
// from the birth date, the rules of the lookups reached by field name, and what the save
// keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/ui/binding.h"
#include "screens/fundos.h"
#include "screens/telas.h"
#include "shell/telas_declaracao.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;


using Identificacao = DeclaracaoFixture;

// The nature and occupation lists write what was chosen at fixed places of the form (17 and
// 18 rows below its top, the codes at columns 6 and 5, the names at column 9): the fields
// must be there, or the choice shows twice, once beside the labels and once below them.
TEST(FundoIdentificacao, NatureAndOccupationStandWhereTheirListsWriteThem) {
  const std::optional<Fundo> f = fundo(6, EstadoFundo{});
  ASSERT_TRUE(f);
  struct Onde {
    const char* campo;
    int linha, coluna;
  };
  for (const Onde& o : {Onde{"CODAT", 17, 6}, Onde{"DESCRAT", 17, 9}, Onde{"CDPRO", 18, 5}, Onde{"OCUPACAO", 18, 9}}) {
    const std::optional<Lugar> l = lugar(*f, o.campo);
    ASSERT_TRUE(l) << o.campo;
    EXPECT_EQ(l->linha, f->linha + o.linha) << o.campo;
    EXPECT_EQ(l->coluna, o.coluna) << o.campo;
  }
}

TEST_F(Identificacao, ANewTaxpayerIsIdentifiedFieldByFieldAndBadValuesAreRefused) {
  novo(kNovo);
  term.press('x');  // TEMRURAL: not a flag
  term.pause();
  term.press(key::Enter);  // the alert
  term.press('N');  // ATV_BRASIL is skipped without rural activity
  term.type("fulano de tal");
  term.press(key::Enter);
  term.type("31022009");  // no such day: said, and the cursor stays
  term.pause();
  term.press(key::Enter);  // the alert
  term.press(rt::term::ctrlKey('u').code);
  term.type("15031970");  // full: on to the voter's title
  term.press(key::Enter);
  term.type("52998224726");  // wrong check digit
  term.pause();
  term.press(key::Enter);    // the alert
  term.press(rt::term::ctrlKey('u').code);
  term.type("52998224725");
  term.press('N');  // joint declaration
  term.press('N');  // rectifying
  termina('S');
  roda();

  EXPECT_EQ(telas, (std::vector<int>{6}));
  EXPECT_TRUE(gravador.viu("Digite S de sim ou N de nao"));
  EXPECT_TRUE(gravador.viu("ATENCAO!! CPF está incorreto. "_cp));
  EXPECT_TRUE(gravador.viu("Data inválida: informe dia, mês e ano de uma data que exista (dd/mm/aaaa)."_cp));
  EXPECT_TRUE(gravador.viu(" 39 anos  9 meses"));
  EXPECT_TRUE(gravador.viu("IDENTIFICAÇÃO DO CONTRIBUINTE"_cp));
  EXPECT_EQ(texto("IMP0910", kNovo, "NOMECONTR"), "FULANO DE TAL");
  EXPECT_EQ(texto("IMP0910", kNovo, "TEMRURAL"), "N");
  auto registro = dados("IMP0910", kNovo);
  ASSERT_TRUE(registro && !registro->eof());
  EXPECT_EQ(registro->get("NASCIMENTO"), rt::ui::Value(rt::text::Date::fromYmd(1970, 3, 15)));
  EXPECT_EQ(texto("IMP0910", kNovo, "CPFCONJU"), "52998224725");
  EXPECT_EQ(texto("IMP0910", kNovo, "CONJUNTA"), "N");
  EXPECT_EQ(texto("IMP0910", kNovo, "RETIFICA"), "N");
}

// What the input refuses before a field's check is said on the forms and in the grids alike:
// a name longer than its field stays in the field with what fits, a letter in an income's
// amount leaves the digits typed before it.
TEST_F(Identificacao, AnOverLongNameAndALetterInAnAmountAreSaidAndTheFieldKept) {
  const int largura = dados("IMP0910", kNovo)->field("NOMECONTR")->width;
  const std::string nome(static_cast<std::size_t>(largura), 'A');
  novo(kNovo);
  term.press('N');
  term.type(nome + "BC");  // the B is refused and said; the C closes the alert
  term.press(key::Enter);  // leaves the name, as it was
  term.press(key::F1);
  term.type("EMPRESA X");
  term.press(key::Enter);
  term.type("5x");         // in the income's cell
  term.pause();
  term.press(key::Enter);  // the alert
  term.type("000");
  term.press(key::Enter);
  termina('S');
  roda();

  EXPECT_EQ(telas, (std::vector<int>{6, 1}));
  EXPECT_TRUE(gravador.viu(std::string("Texto maior que o campo: no máximo "_cp) + std::to_string(largura) + " caracteres."));
  EXPECT_TRUE(gravador.viu("Valor inválido: digite só algarismos, com vírgula para os centavos."_cp));
  EXPECT_EQ(texto("IMP0910", kNovo, "NOMECONTR"), nome);
  auto rendas = dados("IMP0210", kNovo);
  ASSERT_TRUE(rendas && !rendas->eof());
  EXPECT_EQ(rendas->getNumber("I1_4"), rt::text::Decimal::fromInt(5000));
}

// The side of the rural activity is the working copies' side. A new taxpayer's first side is
// switched like any other; the save writes the rural summary under it, once.
TEST_F(Identificacao, TheFirstRuralSideOfANewTaxpayerIsTaken) {
  std::vector<std::string> lados;
  aoEntrar = [&](shell::Declara& d, int) { lados.push_back(d.dec.espelho.rural.txt("ATV_BRASIL")); };
  novo(kNovo);
  term.press('S');  // rural activity: now its side may be given
  term.press('N');  // abroad
  term.press(key::F1);
  termina('S');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 1}));
  EXPECT_EQ(lados, (std::vector<std::string>{" ", "N"}));
  EXPECT_EQ(texto("IMP0910", kNovo, "TEMRURAL"), "S");
  EXPECT_EQ(texto("IMP0910", kNovo, "ATV_BRASIL"), "N");
  EXPECT_EQ(texto("IMP1510", kNovo, "ATV_BRASIL"), "N");
  EXPECT_EQ(conta("IMP1510", kNovo), 1);
}

// The lookups of the reference tables and of other declarations are reached by the field's
// name: a refusal keeps the cursor in the field, a field they close is skipped, and what a
// rule sets elsewhere is shown.
TEST_F(Identificacao, TheLookupRulesDecideEntryAndAcceptanceByFieldName) {
  std::vector<std::string> pedidos;
  novo(kNovo);
  term.press('N');
  term.type("beltrano");
  term.press(key::Enter);
  term.press(key::Enter);  // birth date
  term.press(key::Enter);  // voter's title
  term.press(key::Enter);  // spouse
  term.press(key::Enter);  // joint
  term.press(key::Enter);  // rectifying: the receipt is closed, on to the current receipt
  term.type("1234567890");
  term.press(key::Enter);  // refused once by the rule
  term.press(key::Enter);  // accepted the second time, completed by the rule
  termina('S');

  int recusas = 1;
  shell::ServicosDeclara s;
  s.GTELA = [&](shell::Program& q, shell::Declara& d, int n) {
    telas.push_back(n);
    if (term.exhausted()) {
      d.tela.INI = "I";
      return;
    }
    RegrasCampos regras;
    regras.quando = [&](AmbienteTela&, std::string_view campo) { return campo != "NRORECIBO"; };
    regras.valida = [&](AmbienteTela& amb, std::string_view campo) {
      pedidos.emplace_back(campo);
      if (campo != "RECIBOATU") return true;
      if (recusas-- > 0) return false;
      amb.espelho().registro.txt("RECIBOATU", "123456789009");
      return true;
    };
    shell::telaDeclaracao(q, d, n, regras);
  };
  shell::DECLARA(*p, s);

  EXPECT_EQ(std::count(pedidos.begin(), pedidos.end(), "RECIBOATU"), 2);
  EXPECT_EQ(std::count(pedidos.begin(), pedidos.end(), "NRORECIBO"), 0);
  EXPECT_TRUE(gravador.viu("1234567890-09"));
  EXPECT_EQ(texto("IMP0910", kNovo, "RECIBOATU"), "123456789009");
  EXPECT_EQ(texto("IMP0910", kNovo, "NOMECONTR"), "BELTRANO");
}

}  // namespace
}  // namespace screens::teste
