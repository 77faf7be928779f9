// The consistency check: every rule on both sides of its boundary, and the error list it keeps
// (the open taxpayer's findings replaced, notes and other taxpayers' rows kept, each code once,
// every finding counted by its degree, the verdicts).
#include "taxcalc/consistencia.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "copias_extras.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace taxcalc::teste {
namespace {

using rt::text::Date;

class Confere : public DeclaracaoCompleta {
 protected:
  // A declaration that no rule finds fault with.
  Confere() {
    d.registro.txt("ENDERECO", "RUA DAS FLORES");
    d.registro.txt("CEP", "01001000");
    d.registro.txt("MUNICIPIO", "SAO PAULO");
    d.registro.txt("UF", "SP");
    d.registro.txt("TITULO", "1234567890123");
    d.registro.txt("CODMUNI", "7107");
    d.registro.txt("RECIBOANT", "123456789012");
    d.registro.txt("SO_SIMPLES", "S");
    d.tabela01.num("DESPADRAO", 1000.00_d);
  }
  int vezes(int codigo) {
    const std::vector<int> r = regrasConferencia(c, valCpmf);
    return static_cast<int>(std::count(r.begin(), r.end(), codigo));
  }
  bool dispara(int codigo) { return vezes(codigo) > 0; }
  void t1(const char* campo, Decimal valor) { d.tabela01.num(campo, valor); }
  void t1(const char* campo, const char* valor) { d.tabela01.txt(campo, valor); }
  void ultima(store::Area area, const char* campo, rt::db::Value valor) {
    ASSERT_TRUE(tabela(area).put(campo, valor));
  }
  Decimal valCpmf;
};

TEST_F(Confere, CleanDeclarationFiresNothing) {
  EXPECT_TRUE(regrasConferencia(c, valCpmf).empty());
}

TEST_F(Confere, NegativeExemptAndExclusiveLines) {
  t1("I4_03", -0.01_d);
  t1("I4_05", -1.00_d);
  EXPECT_EQ(vezes(1), 2);  // once per line
  t1("I4_03", Decimal());
  t1("I4_05", Decimal());
  EXPECT_FALSE(dispara(1));
  t1("I3_13", -0.01_d);
  EXPECT_TRUE(dispara(2));
  t1("I3_13", Decimal());
  t1("I3_14", -5.00_d);  // line 14 is not tested
  EXPECT_FALSE(dispara(2));
}

TEST_F(Confere, OtherLinesNeedTheirDescription) {
  t1("I3_12", 10.00_d);
  EXPECT_TRUE(dispara(3));
  t1("I3_12D", "HERANCA");
  EXPECT_FALSE(dispara(3));
  t1("I4_05", 10.00_d);
  EXPECT_TRUE(dispara(4));
  t1("I4_05D", "JUROS");
  EXPECT_FALSE(dispara(4));
}

TEST_F(Confere, MonthlyTaxDueAndNotPaid) {
  linhaLeao();
  celula32(3, 7, 10.00_d);  // March: 10.00 due, nothing paid
  d.tabela01.logico("SO_REC", true);
  EXPECT_TRUE(dispara(9));
  d.tabela01.logico("SO_REC", false);
  EXPECT_FALSE(dispara(9));
  d.tabela01.logico("SO_REC", true);
  celula32(3, 6, 0.01_d);
  EXPECT_FALSE(dispara(9));
}

TEST_F(Confere, MonthFarAboveTheAverage) {
  linhaLeao();
  for (int m = 1; m <= 3; ++m) {
    celula32(m, 2, 1000.00_d);
    celula32(m, 3, 1000.00_d);
  }
  celula32(4, 2, 9001.00_d);
  celula32(4, 3, 9000.00_d);
  // Individuals: 12,001.00 over 4 months = 3,000.25; 9,001.00 is above 9,000.75.
  t1("I13_03", 12001.00_d);
  // Abroad: 12,000.00 over 4 months = 3,000.00; 9,000.00 is not above 9,000.00.
  t1("I13_05", 12000.00_d);
  EXPECT_TRUE(dispara(10));
  EXPECT_FALSE(dispara(11));
  celula32(4, 3, 9000.01_d);
  t1("I13_05", 12000.01_d);
  EXPECT_TRUE(dispara(11));
  // Three months with income are too few for an average.
  celula32(1, 2, Decimal());
  t1("I13_03", 11001.00_d);
  EXPECT_FALSE(dispara(10));
}

TEST_F(Confere, CashBookAboveTheIncome) {
  t1("I13_03", 60.00_d);
  t1("I13_05", 40.00_d);
  t1("I13_14", 100.00_d);
  EXPECT_FALSE(dispara(73));
  t1("I13_14", 100.01_d);
  EXPECT_TRUE(dispara(73));
}

TEST_F(Confere, EstateData) {
  t1("CPFINVENT", "12345678909");
  EXPECT_TRUE(dispara(28));
  t1("NOMINVENT", "JOSE");
  t1("ENDINVENT", "RUA A");
  EXPECT_FALSE(dispara(28));

  t1("DECFINAL", "S");
  t1("DECJUDI", "S");
  d.tabela01.data("DATAPARTI", Date::fromYmd(2009, 6, 1));
  d.tabela01.data("DATADECIS", Date::fromYmd(2009, 5, 1));
  t1("NROPROCES", "123");
  t1("VARACIVIL", "1");
  t1("UFPROCES", "SP");
  EXPECT_TRUE(dispara(32));  // the district is missing
  t1("COMARCA", "SAO PAULO");
  EXPECT_FALSE(dispara(32));
  // By deed: the registry's book number is missing.
  t1("DECJUDI", "N");
  d.tabela01.data("DATALAVRA", Date::fromYmd(2009, 6, 1));
  t1("NOMECARTO", "CARTORIO");
  t1("CNPJCARTO", "12345678000190");
  t1("MUNICARTO", "SAO PAULO");
  t1("FOLHCARTO", Decimal(12));
  EXPECT_TRUE(dispara(32));
  t1("LIVRCARTO", Decimal(3));
  EXPECT_FALSE(dispara(32));
  // A final declaration needs no voter's title.
  d.registro.txt("TITULO", "");
  EXPECT_FALSE(dispara(8));
  t1("DECFINAL", "N");
  EXPECT_TRUE(dispara(8));
}

TEST_F(Confere, IncomeRows) {
  const std::string cnpj = "12.345.678/0001-90";
  renda("J", 100.00_d, {}, {}, {{"I1_3", cnpj}});
  EXPECT_TRUE(dispara(12));
  ultima(store::Area::TMP_02, "I1_2", std::string("EMPRESA"));
  EXPECT_FALSE(dispara(12));
  EXPECT_FALSE(dispara(26));
  ultima(store::Area::TMP_02, "I1_4", Decimal());
  EXPECT_TRUE(dispara(26));  // a payer with nothing received
  ultima(store::Area::TMP_02, "I1_20", 1.00_d);
  EXPECT_FALSE(dispara(26));
  ultima(store::Area::TMP_02, "I1_4", 100.00_d);
  ultima(store::Area::TMP_02, "I1_5", 100.01_d);
  EXPECT_TRUE(dispara(14));
  ultima(store::Area::TMP_02, "I1_5", 100.00_d);
  EXPECT_FALSE(dispara(14));
  ultima(store::Area::TMP_02, "I1_3", std::string());
  EXPECT_TRUE(dispara(13));
  ultima(store::Area::TMP_02, "I1_4", Decimal());
  ultima(store::Area::TMP_02, "I1_15", 5.00_d);
  EXPECT_TRUE(dispara(13));  // exempt income also needs the payer
  EXPECT_TRUE(dispara(74));
  ultima(store::Area::TMP_02, "I1_3", std::string("12.345.678/0001-9"));  // 17 characters
  EXPECT_TRUE(dispara(74));
  ultima(store::Area::TMP_02, "I1_3", cnpj);
  EXPECT_FALSE(dispara(74));
  EXPECT_FALSE(dispara(13));
}

TEST_F(Confere, DependantsIncomeRows) {
  renda("D", 100.00_d, 100.01_d);
  EXPECT_TRUE(dispara(42));
  EXPECT_TRUE(dispara(43));
  EXPECT_TRUE(dispara(44));
  EXPECT_TRUE(dispara(45));
  EXPECT_FALSE(dispara(12));
  ultima(store::Area::TMP_02, "I1_2", std::string("EMPRESA"));
  ultima(store::Area::TMP_02, "I1_3", std::string("12.345.678/0001-90"));
  ultima(store::Area::TMP_02, "I1_5", 10.00_d);
  ultima(store::Area::TMP_02, "I1_8", std::string("11111111111"));
  EXPECT_FALSE(dispara(42));
  EXPECT_FALSE(dispara(43));
  EXPECT_FALSE(dispara(44));
  EXPECT_FALSE(dispara(45));
}

TEST_F(Confere, DependantRows) {
  linha(store::Area::TMP_03, {});
  EXPECT_TRUE(dispara(15));
  EXPECT_TRUE(dispara(16));
  EXPECT_TRUE(dispara(17));
  EXPECT_TRUE(dispara(46));  // no date: 2009 - 0 is of age
  ultima(store::Area::TMP_03, "NOMEDEPEN", std::string("FILHO"));
  ultima(store::Area::TMP_03, "CODIDEPEN", Decimal(22));
  ultima(store::Area::TMP_03, "DATADEPEN", Date::fromYmd(1989, 12, 31));  // 20
  EXPECT_FALSE(dispara(15));
  EXPECT_FALSE(dispara(16));
  EXPECT_FALSE(dispara(17));
  EXPECT_TRUE(dispara(55));
  ultima(store::Area::TMP_03, "DATADEPEN", Date::fromYmd(1988, 1, 1));  // 21
  EXPECT_FALSE(dispara(55));
  EXPECT_FALSE(dispara(56));
  ultima(store::Area::TMP_03, "DATADEPEN", Date::fromYmd(1983, 1, 1));  // 26
  EXPECT_TRUE(dispara(56));
  ultima(store::Area::TMP_03, "DATADEPEN", Date::fromYmd(1984, 1, 1));  // 25
  EXPECT_FALSE(dispara(56));
  // Code 21 from 21 to 25; at 26 no age rule fires (the rules as they stand leave that gap).
  ultima(store::Area::TMP_03, "CODIDEPEN", Decimal(21));
  EXPECT_TRUE(dispara(57));
  ultima(store::Area::TMP_03, "DATADEPEN", Date::fromYmd(1983, 1, 1));
  EXPECT_FALSE(dispara(57));
  ultima(store::Area::TMP_03, "DATADEPEN", Date::fromYmd(1989, 1, 1));  // 20
  EXPECT_FALSE(dispara(57));
  // Code 41 above 20.
  ultima(store::Area::TMP_03, "CODIDEPEN", Decimal(41));
  EXPECT_FALSE(dispara(56));
  ultima(store::Area::TMP_03, "DATADEPEN", Date::fromYmd(1988, 1, 1));
  EXPECT_TRUE(dispara(56));
  // A CPF from 18 on, for dependants only.
  ultima(store::Area::TMP_03, "DATADEPEN", Date::fromYmd(1992, 1, 1));  // 17
  EXPECT_FALSE(dispara(46));
  ultima(store::Area::TMP_03, "DATADEPEN", Date::fromYmd(1991, 1, 1));  // 18
  EXPECT_TRUE(dispara(46));
  ultima(store::Area::TMP_03, "CODIDEPEN", Decimal(98));
  EXPECT_FALSE(dispara(46));
  ultima(store::Area::TMP_03, "CODIDEPEN", Decimal(21));
  ultima(store::Area::TMP_03, "CPFDEPEN", std::string("11111111111"));
  EXPECT_FALSE(dispara(46));
}

TEST_F(Confere, LivingExpensesAndAssetsAbroad) {
  linha(store::Area::TMP_04, {{"I7_5", Decimal(28)}});
  EXPECT_TRUE(dispara(24));
  t1("DESPNAO", 1.00_d);
  EXPECT_FALSE(dispara(24));
  t1("DESPNAO", Decimal());
  ultima(store::Area::TMP_04, "I7_5", Decimal(29));
  EXPECT_FALSE(dispara(24));
  // 174,098.00 / 1.741 = 99,998.85; 174,100.00 / 1.741 = 100,000.00.
  ultima(store::Area::TMP_04, "I7_7", std::string("S"));
  ultima(store::Area::TMP_04, "I7_4", 174098.00_d);
  EXPECT_FALSE(dispara(50));
  ultima(store::Area::TMP_04, "I7_4", 174100.00_d);
  EXPECT_TRUE(dispara(50));
}

TEST_F(Confere, EstateAndOtherUses) {
  d.registro.txt("CODAT", "81");
  EXPECT_TRUE(dispara(58));
  t1("CPFINVENT", "12345678909");
  t1("NOMINVENT", "JOSE");
  t1("ENDINVENT", "RUA A");
  EXPECT_FALSE(dispara(58));
  // No other uses and the simplified discount not chosen: 51 for an estate, 25 otherwise.
  d.registro.txt("SO_SIMPLES", "N");
  EXPECT_TRUE(dispara(51));
  EXPECT_FALSE(dispara(25));
  d.registro.txt("CODAT", "11");
  EXPECT_TRUE(dispara(25));
  t1("OUTRDES", 0.01_d);
  EXPECT_FALSE(dispara(25));
  t1("OUTRDES", Decimal());
  d.registro.txt("SO_SIMPLES", "S");
  EXPECT_FALSE(dispara(25));
  t1("DESPADRAO", Decimal());
  EXPECT_TRUE(dispara(25));
}

TEST_F(Confere, PaymentRows) {
  linha(store::Area::TMP_06, {{"I6_3", Decimal(1)}, {"I6_4", 100.00_d}});
  EXPECT_TRUE(dispara(18));
  EXPECT_TRUE(dispara(19));
  ultima(store::Area::TMP_06, "I6_1", std::string("ESCOLA"));
  ultima(store::Area::TMP_06, "I6_2", std::string("12.345.678/0001-9"));
  EXPECT_FALSE(dispara(18));
  EXPECT_FALSE(dispara(19));
  EXPECT_TRUE(dispara(61));
  ultima(store::Area::TMP_06, "I6_2", std::string("12.345.678/0001-90"));
  EXPECT_FALSE(dispara(61));
  // Code 2 needs no document.
  ultima(store::Area::TMP_06, "I6_3", Decimal(2));
  ultima(store::Area::TMP_06, "I6_2", std::string());
  EXPECT_FALSE(dispara(19));
  // A doctor: a CPF of 14 characters.
  ultima(store::Area::TMP_06, "I6_3", Decimal(10));
  ultima(store::Area::TMP_06, "I6_2", std::string("123.456.789-0"));
  EXPECT_TRUE(dispara(62));
  ultima(store::Area::TMP_06, "I6_2", std::string("123.456.789-09"));
  EXPECT_FALSE(dispara(62));
  ultima(store::Area::TMP_06, "I6_3", Decimal());
  EXPECT_TRUE(dispara(31));
  ultima(store::Area::TMP_06, "I6_3", Decimal(50));
  EXPECT_TRUE(dispara(59));
  ultima(store::Area::TMP_06, "I6_7", std::string("12345678901"));
  EXPECT_FALSE(dispara(59));
  ultima(store::Area::TMP_06, "I6_4", Decimal());
  EXPECT_TRUE(dispara(27));
  ultima(store::Area::TMP_06, "I6_5", 1.00_d);
  EXPECT_FALSE(dispara(27));
}

TEST_F(Confere, PaymentsForPeopleNotListed) {
  dependente(21);
  dependente(98, "BENEFICIARIO");
  linha(store::Area::TMP_06, {{"I6_3", Decimal(30)}, {"I6_4", 100.00_d}});
  EXPECT_TRUE(dispara(35));
  ultima(store::Area::TMP_06, "I6_6", Decimal(1));
  EXPECT_FALSE(dispara(35));
  EXPECT_FALSE(dispara(48));
  ultima(store::Area::TMP_06, "I6_6", Decimal(2));
  EXPECT_TRUE(dispara(48));
  ultima(store::Area::TMP_06, "I6_3", Decimal(10));
  EXPECT_TRUE(dispara(47));
  ultima(store::Area::TMP_06, "I6_6", Decimal(1));
  EXPECT_FALSE(dispara(47));
}

TEST_F(Confere, LargeMedicalExpenses) {
  // Medical codes 10-26 sum 14,000.00 (health plan included) and the plan 4,000.00 again.
  linha(store::Area::TMP_06, {{"I6_3", Decimal(10)}, {"I6_4", 10000.00_d}});
  linha(store::Area::TMP_06, {{"I6_3", Decimal(26)}, {"I6_4", 4000.00_d}});
  EXPECT_FALSE(dispara(49));
  EXPECT_FALSE(dispara(52));
  ultima(store::Area::TMP_06, "I6_4", 4000.01_d);
  EXPECT_TRUE(dispara(49));
  ultima(store::Area::TMP_06, "I6_4", 5000.00_d);
  EXPECT_FALSE(dispara(52));
  ultima(store::Area::TMP_06, "I6_4", 5000.01_d);
  EXPECT_TRUE(dispara(52));
}

TEST_F(Confere, LastYearsTotalsAndReceipt) {
  linha(store::Area::TMP_04, {{"I7_3", 1000.00_d}, {"I7_9", 1000.00_d}});
  linha(store::Area::TMP_05, {{"I8_3", 500.00_d}, {"I8_6", 500.00_d}});
  EXPECT_FALSE(dispara(40));
  EXPECT_FALSE(dispara(41));
  ultima(store::Area::TMP_04, "I7_9", 999.99_d);
  ultima(store::Area::TMP_05, "I8_6", 500.01_d);
  EXPECT_TRUE(dispara(40));
  EXPECT_TRUE(dispara(41));
  // A rectifying declaration is not compared, but needs the receipt it rectifies.
  d.registro.txt("RETIFICA", "S");
  EXPECT_FALSE(dispara(40));
  EXPECT_TRUE(dispara(53));
  d.registro.txt("NRORECIBO", "123456789012");
  EXPECT_FALSE(dispara(53));
}

TEST_F(Confere, GainRows) {
  t1("I4_02", 10.00_d);
  EXPECT_TRUE(dispara(6));
  linha(store::Area::TMP_07, {{"TIPO_BEM", Decimal(1)}});
  EXPECT_FALSE(dispara(6));
  EXPECT_TRUE(dispara(60));
  EXPECT_TRUE(dispara(20));
  ultima(store::Area::TMP_07, "ESPC_BEM1", std::string("CASA"));
  ultima(store::Area::TMP_07, "ENDEIMO", std::string("RUA B"));
  ultima(store::Area::TMP_07, "CEPIMO", std::string("01001000"));
  EXPECT_TRUE(dispara(20));
  ultima(store::Area::TMP_07, "MUNICIMO", std::string("SAO PAULO"));
  EXPECT_FALSE(dispara(20));
  EXPECT_FALSE(dispara(60));
  linha(store::Area::TMP_07, {{"TIPO_BEM", Decimal(2)}});
  EXPECT_TRUE(dispara(63));
  ultima(store::Area::TMP_07, "TIPO_BEM", Decimal(3));
  EXPECT_TRUE(dispara(64));
  EXPECT_TRUE(dispara(23));
  ultima(store::Area::TMP_07, "VENDAANT", std::string("S"));
  EXPECT_FALSE(dispara(23));
  ultima(store::Area::TMP_07, "VENDAANT", std::string("N"));
  ultima(store::Area::TMP_07, "CUS_ATUAL", 1.00_d);
  EXPECT_FALSE(dispara(23));
}

TEST_F(Confere, RegisterRules) {
  d.registro.txt("CEP", "");
  EXPECT_TRUE(dispara(21));
  d.registro.txt("CODMUNI", "");
  EXPECT_TRUE(dispara(34));
  d.registro.txt("RECIBOANT", "");
  EXPECT_TRUE(dispara(54));
  d.registro.num("SALDO", -0.01_d);
  EXPECT_TRUE(dispara(22));
  d.registro.num("SALDO", Decimal());
  EXPECT_FALSE(dispara(22));
  // CPMF 100.00 at 0.38% moved 26,315.79; ten times resources of 2,631.57 is less.
  t1("CPMF", 100.00_d);
  EXPECT_FALSE(dispara(30));  // no rate: the quotient is 0
  valCpmf = 0.0038_d;
  v.RECEITA = 2631.57_d;
  EXPECT_TRUE(dispara(30));
  v.RECEITA = 2631.58_d;
  EXPECT_FALSE(dispara(30));
}

TEST_F(Confere, RuralProperties) {
  d.registro.txt("TEMRURAL", "S");
  EXPECT_EQ(regrasConferencia(c, valCpmf), std::vector<int>{65});
  linha(store::Area::TMP_16, {{"I2R_01", std::string("FAZENDA")}, {"I2R_03", std::string("12345678")}});
  // Area, share, condition, location and employees missing: 67, 69, 70, 71, 72.
  EXPECT_EQ(regrasConferencia(c, valCpmf), (std::vector<int>{67, 69, 70, 71, 72}));
  d.registro.txt("TEMRURAL", "N");
  EXPECT_TRUE(regrasConferencia(c, valCpmf).empty());
}

class ListaDeErros : public Confere {
 protected:
  void nota(const char* cpf, int codigo, const char* texto) {
    rt::db::Table& t = tabela(store::Area::TMP_11);
    ASSERT_TRUE(t.appendBlank());
    ASSERT_TRUE(t.put("CPF", std::string(cpf)));
    ASSERT_TRUE(t.put("CODERR", Decimal(codigo)));
    ASSERT_TRUE(t.put("OBSERV", std::string(texto)));
    ASSERT_TRUE(t.flush());
  }
  // The list's rows as "CPF/CODERR/OBSERV".
  std::vector<std::string> lista() {
    std::vector<std::string> r;
    rt::db::Table& t = tabela(store::Area::TMP_11);
    for (std::uint32_t i = 1; i <= t.recordCount(); ++i) {
      t.goTo(i);
      EXPECT_TRUE(t.status());
      if (t.isDeleted()) continue;
      r.push_back(std::string(rt::text::alltrim(t.getText("CPF"))) + "/" +
                  std::to_string(t.getNumber("CODERR").wholePart()) + "/" +
                  std::string(rt::text::alltrim(t.getText("OBSERV"))));
    }
    return r;
  }
};

TEST_F(ListaDeErros, CleanDeclarationIsReadyToSend) {
  for (int modo : {1, 2}) {
    saida.eventos.clear();
    const ResultadoConferencia r = CONFERE(c, tabela(store::Area::TMP_11), modo);
    EXPECT_FALSE(r.LTEMERR);
    EXPECT_EQ(saida.eventos,
              std::vector<std::string>{"aviso:" + std::string("Declaração OK e pronta para transferir"_cp)});
  }
  saida.eventos.clear();
  CONFERE(c, tabela(store::Area::TMP_11), 3);
  EXPECT_TRUE(saida.eventos.empty());
}

TEST_F(ListaDeErros, EachCodeListedOnceAndCountedPerRow) {
  for (int i = 0; i < 3; ++i) renda("J", 100.00_d, {}, {}, {{"I1_3", std::string("12.345.678/0001-90")}});
  const ResultadoConferencia r = CONFERE(c, tabela(store::Area::TMP_11), 2);
  EXPECT_EQ(r.codigos, (std::vector<int>{12, 12, 12}));
  EXPECT_EQ(r.NQTDERR, 3);
  EXPECT_EQ(lista(), std::vector<std::string>{"12345678909/12/" +
                                              std::string("Fonte pagadora do titular sem o nome")});
  tabela(store::Area::TMP_11).goTo(1);
  ASSERT_TRUE(tabela(store::Area::TMP_11).status());
  EXPECT_EQ(tabela(store::Area::TMP_11).getNumber("PAGINA"), Decimal(1));
  EXPECT_EQ(
      saida.com("aviso:"),
      std::vector<std::string>{
          "aviso:" + std::string("Atenção! Essa declaração tem erro que não irá passar no programa da"_cp) +
          "|" + std::string("Receita. Corrija-o antes de enviar. Veja a relação na tela 11(F11)"_cp)});
}

TEST_F(ListaDeErros, AnotherRunKeepsNotesAndOtherTaxpayers) {
  nota("12345678909", 0, "LEMBRAR DO RECIBO");
  nota("12345678909", 54, "ACHADO ANTIGO");
  nota("99999999999", 21, "OUTRO CONTRIBUINTE");
  d.registro.txt("RECIBOANT", "");  // 54, an attention
  const ResultadoConferencia r = CONFERE(c, tabela(store::Area::TMP_11), 1);
  EXPECT_EQ(r.NQTDATEN, 1);
  // The old finding of this taxpayer went; the note stays and the separator comes before the
  // new finding; the other taxpayer's row is untouched.
  EXPECT_EQ(lista(),
            (std::vector<std::string>{
                "12345678909/0/LEMBRAR DO RECIBO", "99999999999/21/OUTRO CONTRIBUINTE",
                "12345678909/99/+" + std::string(58, '-') + "+",
                "12345678909/54/" + std::string("Número do recibo da declaração anterior em branco"_cp)}));
  // A second run replaces the findings again.
  CONFERE(c, tabela(store::Area::TMP_11), 3);
  EXPECT_EQ(lista().size(), 4u);
}

TEST_F(ListaDeErros, VerdictByDegrees) {
  d.registro.txt("RECIBOANT", "");  // attention
  CONFERE(c, tabela(store::Area::TMP_11), 2);
  EXPECT_EQ(saida.com("aviso:").back(),
            "aviso:" + std::string("Atenção! Há algum item que pode ser erro de digitação. Ela passará"_cp) +
                "|" + std::string("no programa da Receita, mas convém ver a relação na tela 11 (F11)"_cp));
  d.registro.num("SALDO", -1.00_d);  // danger as well
  CONFERE(c, tabela(store::Area::TMP_11), 2);
  EXPECT_EQ(saida.com("aviso:").back(),
            "aviso:" + std::string("Atenção! O programa localizou alguns erros que devem"_cp) + "|" +
                std::string("ser conferidos. Veja a relação na tela 11(F11)     "_cp));
  d.registro.txt("RECIBOANT", "123");
  CONFERE(c, tabela(store::Area::TMP_11), 2);
  EXPECT_EQ(saida.com("aviso:").back(),
            "aviso:" + std::string("Atenção! Declaração com problemas embora passe no programa da"_cp) + "|" +
                std::string("Receita. Confira a relação na tela 11 (F11) antes de enviar."_cp));
}

TEST_F(ListaDeErros, ProgressLineWalksTheSectionsInOrderAndEndsWithTheCounts) {
  d.registro.txt("RECIBOANT", "");  // an attention
  d.registro.num("SALDO", -1.00_d);  // a danger
  for (int i = 0; i < 3; ++i) renda("J", 100.00_d, {}, {}, {{"I1_3", std::string("12.345.678/0001-90")}});
  const ResultadoConferencia r = CONFERE(c, tabela(store::Area::TMP_11), 3);
  ASSERT_EQ(r.NQTDERR, 3);
  ASSERT_EQ(r.NQTDPERI, 1);
  ASSERT_EQ(r.NQTDATEN, 1);
  const std::string cab = std::string("Conferindo !!                       Erro     Perigo     Atenção"_cp);
  auto com = [&](std::string_view legenda) {
    return "Conferindo !! " + std::string(legenda) + "  Erro     Perigo     " + std::string("Atenção"_cp);
  };
  EXPECT_EQ(saida.progressos,
            (std::vector<std::string>{
                "0/7:" + cab,
                "1/7:" + com("Cálculos da Pag. 4  "_cp),
                "2/7:" + com("Rendimentos         "),
                "3/7:" + com("Dependentes         "),
                "4/7:" + com("Doações e Pagamentos"_cp),
                "5/7:" + com("Ganho de Capital    "),
                "6/7:" + com("Dados Cadastrais    "),
                // Each count sits under its heading.
                "7/7:Conferido.  Resultado =======>        3         1          1   ",
            }));
  const std::string& fim = saida.progressos.back();
  EXPECT_EQ(fim.size() - 4, cab.size());
  EXPECT_EQ(fim.substr(4 + cab.find("Erro") + 1, 2), " 3");
  EXPECT_EQ(fim.substr(4 + cab.find("Perigo") + 2, 2), " 1");
}

TEST_F(ListaDeErros, ProgressShownInEveryModeWithZeroCountsWhenClean) {
  for (int modo : {1, 2, 3}) {
    saida.progressos.clear();
    CONFERE(c, tabela(store::Area::TMP_11), modo);
    ASSERT_EQ(saida.progressos.size(), 8u) << modo;
    EXPECT_EQ(saida.progressos.back(), "7/7:Conferido.  Resultado =======>        0         0          0   ");
  }
}

}  // namespace
}  // namespace taxcalc::teste
