// The capital-gains statements from stored operations, compared with their expected pages: a
// property bought in instalments with its reduction factors and sold on instalments, an
// exchange with a cash balance paid at once, and shares with the weighted cost; the
// variable-income row is not a statement.
#include "print/ganho_capital.h"

#include <gtest/gtest.h>

#include "declaracao_impressa.h"
#include "print/pagina.h"
#include "print/trabalho.h"
#include "rt/term/keys.h"

namespace print_test {

using rt::text::Date;
using rt::text::Decimal;

namespace {
Decimal v(const char* texto) { return Decimal::val(texto); }
const std::string kCpf = "12345678909";
}  // namespace

class GanhoCapitalTest : public FolhasFixture {
 protected:
  void declaraGanhos();
};

void GanhoCapitalTest::declaraGanhos() {
  declara(kCpf, {
      {7, {{"BEM_NRO", Decimal(1)}, {"RVAR_NRO", Decimal(0)}, {"TIPO_BEM", Decimal(1)},
           {"ESPC_BEM1", std::string("APARTAMENTO 101")}, {"ENDEIMO", std::string("RUA DAS FLORES")},
           {"NUMIMO", std::string("12")}, {"COMPIMO", std::string("AP 101")}, {"BAIRIMO", std::string("CENTRO")},
           {"CEPIMO", std::string("30110000")}, {"MUNICIMO", std::string("BELO HORIZONTE")},
           {"UFIMO", std::string("MG")}, {"DATA_ADQ", Date::fromYmd(1986, 3, 10)},
           {"DATA_ALI", Date::fromYmd(2009, 3, 2)}, {"NATUOPER", std::string("VENDA")},
           {"CPFADQ", std::string("98765432100")}, {"NOME_ADQ", std::string("JOSE COMPRADOR")},
           {"PARCOMPRA", std::string("S")}, {"VEN_PRAZO", std::string("S")}, {"VAL_ALI", v("300000")},
           {"CUS_ATUAL", v("150000")}, {"GAN_TRI1", v("20000")}, {"FR1", v("16.5")},
           {"GAN_TRI2", v("10000")}, {"FR2", v("8.25")}, {"VAL_TRIBU", v("110000")},
           {"VAL_NAOTRI", v("40000")}, {"IMPPAGO", v("8250")}, {"PER_TRI", v("0.36666")},
           {"REC_MES03", v("100000")}, {"VAL_TRI03", v("36666")}, {"IMP_DEV03", v("5499.9")},
           {"REC_MES04", v("100000")}, {"VAL_TRI04", v("36666")}, {"IMP_DEV04", v("5499.9")},
           {"REC_MES05", v("100000")}, {"VAL_TRI05", v("36668")}, {"IMP_DEV05", v("5500.2")}}},
      {8, {{"BEM_NRO", Decimal(1)}, {"RVAR_NRO", Decimal(1)}, {"DATA_CUST", Date::fromYmd(1986, 3, 10)},
           {"VALOR_CUST", v("100000")}, {"PER_CUST", v("66.666666")}, {"PER_RED1", v("0.12")},
           {"PER_RED2", v("0.05")}, {"PER_RED", Decimal(20)}, {"VALOR_REDU", v("20000")}}},
      {8, {{"BEM_NRO", Decimal(1)}, {"RVAR_NRO", Decimal(2)}, {"DATA_CUST", Date::fromYmd(1996, 5, 20)},
           {"VALOR_CUST", v("50000")}, {"PER_CUST", v("33.333333")}, {"PER_RED1", v("0.1")},
           {"PER_RED2", v("0.04")}, {"PER_RED", Decimal(0)}}},
      {7, {{"BEM_NRO", Decimal(2)}, {"RVAR_NRO", Decimal(0)}, {"TIPO_BEM", Decimal(2)},
           {"ESPC_BEM1", std::string("TERRENO RURAL")}, {"DATA_ADQ", Date::fromYmd(2001, 2, 1)},
           {"DATA_ALI", Date::fromYmd(2009, 6, 15)}, {"NATUOPER", std::string("Permuta com torna")},
           {"CPFADQ", std::string("98765432100")}, {"NOME_ADQ", std::string("JOSE COMPRADOR")},
           {"PARCOMPRA", std::string("N")}, {"VEN_PRAZO", std::string("N")}, {"VAL_ALI", v("30000")},
           {"CUS_ATUAL", v("70000")}, {"VAL_TRIBU", v("9000")}, {"IMPPAGO", v("1350")},
           {"REC_MES06", v("30000")}, {"VAL_TRI06", v("9000")}, {"IMP_DEV06", v("1350")}}},
      {7, {{"BEM_NRO", Decimal(3)}, {"RVAR_NRO", Decimal(0)}, {"TIPO_BEM", Decimal(3)},
           {"ESPC_BEM1", std::string("INDUSTRIA EXEMPLO LTDA")}, {"CGC_SOCIE", std::string("12345678000195")},
           {"CID_SOCIE", std::string("CONTAGEM")}, {"EST_SOCIE", std::string("MG")},
           {"DATA_ALI", Date::fromYmd(2009, 7, 8)}, {"CPFADQ", std::string("98765432100")},
           {"NOME_ADQ", std::string("JOSE COMPRADOR")}, {"VAL_ALI", v("8000")}, {"CUS_ATUAL", v("5250")},
           {"VAL_TRIBU", v("2750")}, {"REC_MES07", v("8000")}, {"VAL_TRI07", v("2750")},
           {"IMP_DEV07", v("412.5")}}},
      {8, {{"BEM_NRO", Decimal(3)}, {"RVAR_NRO", Decimal(1)}, {"TIPO_OPER", Decimal(2)}, {"TIPO_ACAO", Decimal(2)},
           {"MOV_ACAO", v("1000")}, {"CM_PONDER", v("10.5")}}},
      {8, {{"BEM_NRO", Decimal(3)}, {"RVAR_NRO", Decimal(2)}, {"TIPO_OPER", Decimal(3)}, {"TIPO_ACAO", Decimal(2)},
           {"MOV_ACAO", v("-300")}, {"CM_PONDER", v("10.5")}}},
      {8, {{"BEM_NRO", Decimal(3)}, {"RVAR_NRO", Decimal(3)}, {"TIPO_OPER", Decimal(3)}, {"TIPO_ACAO", Decimal(1)},
           {"MOV_ACAO", v("-200")}, {"CM_PONDER", v("10.5")}}},
      {7, {{"BEM_NRO", Decimal(4)}, {"RVAR_NRO", Decimal(0)}, {"TIPO_BEM", Decimal(4)},
           {"REC_MES01", v("999")}}},
  });
}

TEST_F(GanhoCapitalTest, PropertyExchangeAndSharesStatements) {
  declaraGanhos();
  std::string saida;
  imp.dispositivo.route(rt::dev::stringTarget(saida));
  print::defineDivisores(imp, '-');
  ASSERT_TRUE(print::INIVAR(ctx, kCpf, 7, 8));
  print::IMPGANHO(ctx, imp, "MARIA DA SILVA", kCpf);
  ASSERT_TRUE(imp.dispositivo.close().ok());
  const std::vector<Pagina> ps = paginas(saida);
  EXPECT_EQ(ps.size(), 3u);  // one page each; the variable-income row has none
  confere(ps, "ganho_capital");
}

}  // namespace print_test

namespace print_test {

// One taxpayer printed: the gain number is asked. A number prints its statement and asks
// again; a number without an operation is said and ends the sheet; 0 prints them all; Esc
// prints nothing.
TEST_F(GanhoCapitalTest, GainNumberAskedForOneTaxpayer) {
  declaraGanhos();
  struct Caso {
    std::vector<std::string> numeros;  // typed, each followed by Enter; then Esc
    std::vector<std::string> impressos;
    bool naoExiste;
  };
  const Caso casos[] = {
      {{"2", "3", "7"}, {"02", "03"}, true},
      {{"0"}, {"01", "02", "03"}, false},
      {{}, {}, false},
  };
  for (const Caso& c : casos) {
    std::string saida;
    imp.dispositivo.route(rt::dev::stringTarget(saida));
    print::defineDivisores(imp, '-');
    ASSERT_TRUE(print::INIVAR(ctx, kCpf, 7, 8));
    // Each question throws away what was typed before it shows.
    for (const std::string& n : c.numeros) term.pause().type(n).press(rt::term::key::Enter);
    // The message of a number without an operation is closed and ends the sheet; 0 asks no
    // more; else Esc.
    if (c.naoExiste)
      term.press(rt::term::key::Enter);
    else if (c.numeros.empty() || c.numeros.back() != "0")
      term.pause().press(rt::term::key::Esc);
    print::IMPGANHO(ctx, imp, "MARIA DA SILVA", kCpf, true);
    ASSERT_TRUE(imp.dispositivo.close().ok());
    std::vector<std::string> impressos;
    for (const Pagina& p : paginas(saida))
      for (const std::string& l : p)
        if (const auto i = l.find("GANHOS DE CAPITAL 2010 - nro. "); i != std::string::npos)
          impressos.push_back(l.substr(i + 30, 2));
    EXPECT_EQ(impressos, c.impressos) << c.numeros.size();
    EXPECT_EQ(term.pending(), 0u);
  }
}

}  // namespace print_test
