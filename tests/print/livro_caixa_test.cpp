// The cash books: a rural book of a whole year (a property at half, a page broken by the
// entries, a full page that needs no filler, a month in deficit, the terms), and an income
// book printed one month at a time in one job, the later month carrying the earlier balance.
#include <gtest/gtest.h>

#include <filesystem>

#include "declaracao_impressa.h"
#include "print/livro_caixa.h"
#include "rt/term/keys.h"

namespace {

using print_test::Campos;
using print_test::LinhaDeTabela;
using rt::text::Date;
using rt::text::Decimal;

const std::string kCpf = "11144477735";

Decimal v(const char* texto) { return Decimal::val(texto); }
std::string s(const char* t) { return t; }

class LivroCaixa : public print_test::FolhasFixture {
 protected:
  void numero(const char* n) { term.pause().press(25).type(n).press(rt::term::key::Enter); }
  std::vector<LinhaDeTabela> cadastro() {
    return {{9, {{"NOMECONTR", s("JOSE DA ROCA")}, {"TIPOEND", s("RUA")}, {"ENDERECO", s("DAS PALMEIRAS")},
                 {"NUMERO", s("45")}, {"BAIRRO", s("CENTRO")}, {"CEP", s("13300000")}, {"MUNICIPIO", s("ITU")},
                 {"UF", s("SP")}, {"DDDTEL", s("11")}, {"TELEFO", s("40221234")}, {"EMAIL", s("jose@roca.com.br")}}}};
  }
};

TEST_F(LivroCaixa, RuralBookOfAYearWithPageBreaksDeficitAndTerms) {
  auto d = cadastro();
  d.push_back({16, {{"ATV_BRASIL", s("N")}, {"I2R_04", v("10")}, {"I2R_01", s("ESTANCIA")}}});
  d.push_back({16, {{"ATV_BRASIL", s("S")}, {"I2R_04", v("50")}, {"I2R_01", s("FAZENDA BOA VISTA")}}});
  // 88 entries in January: two full pages, the second with no line left for the filler.
  for (int i = 0; i < 88; ++i)
    d.push_back({19, {{"ATV_BRASIL", s("S")}, {"DT_LC", Date::fromYmd(2009, 1, 1 + i % 28)}, {"DESCR", s("VENDA DE LEITE")},
                      {"VALOR", v("100")}, {"TIPOCR", s("C")}}});
  // February: 1,000.00 on property 1 of its side counts 500.00; the expense makes a deficit.
  d.push_back({19, {{"ATV_BRASIL", s("S")}, {"DT_LC", Date::fromYmd(2009, 2, 3)}, {"DESCR", s("VENDA DE BEZERROS")},
                    {"VALOR", v("1000")}, {"NROIMO", Decimal(1)}, {"TIPOCR", s("C")}}});
  d.push_back({19, {{"ATV_BRASIL", s("S")}, {"DT_LC", Date::fromYmd(2009, 2, 9)}, {"DESCR", s("RACAO")},
                    {"VALOR", v("800")}, {"NROIMO", Decimal(7)}, {"TIPOCR", s("D")}}});
  d.push_back({19, {{"ATV_BRASIL", s("S")}, {"DESCR", s("SEM DATA")}, {"VALOR", v("5")}, {"TIPOCR", s("C")}}});
  declara(kCpf, d);
  term.press(rt::term::key::Enter).type("S");  // the whole year, a page a month
  const auto ps = imprime(kCpf, 4, 1);
  ASSERT_EQ(ps.size(), 5u);
  confere(ps, "livro_caixa_rural");
}

TEST_F(LivroCaixa, MonthsPrintedOneAfterTheOtherInOneJobKeepTheEarlierOnes) {
  auto d = cadastro();
  auto renda = [](const char* tipo, int mes, const char* texto, const char* valor, const char* cr) {
    return LinhaDeTabela{2, {{"I1_1", s(tipo)}, {"DT_LC", Date::fromYmd(2009, mes, 10)}, {"I1_2", s(texto)},
                             {"I1_4", v(valor)}, {"TIPOCR", s(cr)}}};
  };
  d.push_back(renda("F", 1, "CONSULTA PACIENTE A", "1500", "C"));
  d.push_back(renda("L", 1, "ALUGUEL DO CONSULTORIO", "700", "D"));
  d.push_back(renda("J", 1, "SALARIO (NAO ENTRA NO LIVRO)", "9000", "C"));
  d.push_back(renda("F", 2, "CONSULTA PACIENTE B", "400", "C"));
  d.push_back(renda("L", 2, "ALUGUEL DO CONSULTORIO", "700", "D"));
  declara(kCpf, d);
  // February with the balance of January, then January in the same job.
  term.press(rt::term::key::Down).press(rt::term::key::Enter);
  numero("2");
  term.type("S");   // the earlier balance
  term.type("S");   // other months
  term.press(rt::term::key::Down).press(rt::term::key::Enter);
  numero("1");
  term.type("N");
  const auto ps = imprime(kCpf, 10, 1);
  ASSERT_EQ(ps.size(), 2u);
  confere(ps, "livro_caixa_meses");
}

TEST_F(LivroCaixa, OtherMonthsForThePrintProgramGoEachInItsOwnHandOver) {
  imp.conf.NOMEIMP = "NAO DOS";
  imp.lp = print_test::gravador(registro, "lp", 0);
  auto d = cadastro();
  for (int mes : {1, 2})
    d.push_back({2, {{"I1_1", s("F")}, {"DT_LC", Date::fromYmd(2009, mes, 10)}, {"I1_2", "CONSULTA MES " + std::to_string(mes)},
                     {"I1_4", v("100")}, {"TIPOCR", s("C")}}});
  declara(kCpf, d);
  term.press(rt::term::key::Down).press(rt::term::key::Enter);
  numero("1");
  term.type("S");
  // The hand-over to the print program empties the keys typed ahead of it.
  term.pause().press(rt::term::key::Down).press(rt::term::key::Enter);
  numero("2");
  term.type("S");  // the earlier balance
  term.type("N");
  print::Escolhas esc;
  esc.QUEIMP = 10;
  (void)print::FAZIMP(ctx, imp, esc, print::folhasDaDeclaracao([esc] { return esc; }), semAmbiente, kCpf);
  // The recording lp numbers its calls by the files it has left: three a call.
  const std::string janeiro = chamada(0, "arq"), fevereiro = chamada(3, "arq");

  EXPECT_NE(janeiro.find("CONSULTA MES 1"), std::string::npos);
  EXPECT_EQ(janeiro.find("CONSULTA MES 2"), std::string::npos);
  EXPECT_NE(fevereiro.find("CONSULTA MES 2"), std::string::npos);
  EXPECT_NE(fevereiro.find("Saldo Anterior"), std::string::npos);

  // Other months asked for and the choice left with Esc: what was handed over is not handed
  // over a second time at the end of the job.
  std::filesystem::remove_all(registro.caminho());
  std::filesystem::create_directories(registro.caminho());
  imp.lp = print_test::gravador(registro, "lp", 0);
  term.press(rt::term::key::Down).press(rt::term::key::Enter);
  numero("1");
  term.type("S");
  term.pause().press(27);
  (void)print::FAZIMP(ctx, imp, esc, print::folhasDaDeclaracao([esc] { return esc; }), semAmbiente, kCpf);
  EXPECT_NE(chamada(0, "arq").find("CONSULTA MES 1"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(registro / "chamada-3.args"));
}

TEST(DataDoLivro, TwoDigitYearsOnlyInTheBook) {
  EXPECT_EQ(print::dataDoLivro(Date::fromYmd(2009, 3, 7)), "07/03/09");
  EXPECT_EQ(print::dataDoLivro(Date()), "  /  /  ");
  EXPECT_EQ(rt::text::dtoc(Date::fromYmd(2009, 3, 7)), "07/03/2009");
}

}  // namespace
