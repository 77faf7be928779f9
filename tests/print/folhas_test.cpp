// The declaration's pages of a simplified and of a complete declaration, page by page against
// the expected pages kept in tests/print/paginas.
#include <gtest/gtest.h>

#include "declaracao_impressa.h"
#include "rt/term/keys.h"
#include "rt/text/strings.h"

namespace {

using Folhas = print_test::FolhasFixture;

using print_test::Campos;
using print_test::LinhaDeTabela;
using rt::text::Date;
using rt::text::Decimal;

const std::string kCpf = "11144477735";

Decimal v(const char* texto) { return Decimal::val(texto); }

Campos cadastro(const char* nome, const char* padrao) {
  return {{"NOMECONTR", std::string(nome)},    {"USAPADRAO", std::string(padrao)}, {"ESTATUS", Decimal(3)},
          {"NASCIMENTO", Date::fromYmd(1960, 5, 17)}, {"TITULO", std::string("0123456789012")},
          {"TIPOEND", std::string("RUA")},      {"ENDERECO", std::string("DAS FLORES")}, {"NUMERO", std::string("120")},
          {"BAIRRO", std::string("CENTRO")},    {"MUNICIPIO", std::string("CAMPINAS")},  {"UF", std::string("SP")},
          {"CEP", std::string("13010000")},     {"DDDTEL", std::string("19")},           {"TELEFO", std::string("32345678")},
          {"CGCPAGADOR", std::string("12.345.678/0001-90")}, {"BANCO", std::string("001")},
          {"AGENCIA", std::string("12345")},    {"CONTACO", std::string("0000012345X")}, {"RETIFICA", std::string("N")}};
}

Campos renda(const char* tipo, const char* fonte, const char* valor, const char* imposto, const char* dependente = "") {
  return {{"I1_1", std::string(tipo)}, {"I1_2", std::string(fonte)}, {"I1_3", std::string("12.345.678/0001-90")},
          {"I1_4", v(valor)},          {"I1_5", v(imposto)},          {"I1_6", v("1100")},
          {"I1_7", v("500")},          {"I1_8", std::string(dependente)}};
}

TEST_F(Folhas, SimplifiedDeclarationPrintsItsFourSheets) {
  std::vector<LinhaDeTabela> d{
      {9, cadastro("MARIA DA SILVA", "S")},
      {1, {{"I3_05", v("1500")}, {"I3_12", v("200")}, {"I3_12D", std::string("RESTITUICAO")}, {"I13_37", v("1700")},
           {"I4_06", v("3000")}, {"I13_38", v("3000")}, {"I13_01", v("36000")}, {"I13_07", v("36000")},
           {"DESPADRAO", v("7200")}, {"I13_16", v("28800")}, {"I13_19", v("1234.56")}, {"I13_21", v("1500")},
           {"I13_31", v("265.44")}, {"INDALERTA", Decimal(10)}}},
      {2, renda("J", "EMPRESA ALFA LTDA", "36000", "1500")},
  };
  declara(kCpf, d);
  const auto ps = imprime(kCpf, 1, 3);
  ASSERT_GE(ps.size(), 4u);
  confere(ps, "simplificada");
}

TEST_F(Folhas, CompleteDeclarationWithDependantsPaymentsAssetsSpouseAndEstate) {
  std::vector<LinhaDeTabela> d{{9, cadastro("JOAO PEREIRA DOS SANTOS", "N")}};
  d[0].campos.push_back({"CONJPAD", std::string("N")});
  d[0].campos.push_back({"I13_1C", v("20000")});
  d[0].campos.push_back({"I9_2", v("18000")});
  d.push_back({1,
               {{"I13_01", v("120000")}, {"I4_01", v("1500")}, {"I4_02", v("86464.49")}, {"I4_06", v("3000")},
                {"I13_38", v("90964.49")}, {"I13_02", v("15000")}, {"I13_07", v("135000")}, {"I13_08", v("4400")},
                {"I13_10", v("3000")}, {"I13_12", v("8000")}, {"I13_15", v("15400")}, {"I13_16", v("119600")},
                {"I13_17", v("25000")}, {"I13_19", v("25000")}, {"I13_21", v("24000")}, {"I13_27", v("24000")},
                {"I13_28", v("1000")}, {"I13_29", Decimal(2)}, {"I13_30", v("500")}, {"I13_32", v("3000000")},
                {"I13_33", v("3150000")}, {"I13_34", v("50000")}, {"I13_35", v("40000")}, {"DecFinal", std::string("S")},
                {"CpfInvent", std::string("22233344405")}, {"NomInvent", std::string("ANA PEREIRA")},
                {"EndInvent", std::string("RUA DO INVENTARIO 10")}, {"INDALERTA", Decimal(10)}}});
  d.push_back({2, renda("J", "EMPRESA ALFA LTDA", "100000", "20000")});
  d.push_back({2, renda("J", "EMPRESA BETA S/A", "0", "0")});
  d.back().campos.push_back({"I1_15", v("120")});
  d.push_back({2, renda("J", "EMPRESA GAMA", "20000", "4000")});
  d.back().campos.push_back({"I1_19", v("7000")});
  d.push_back({2, renda("D", "LOJA DELTA", "10000", "0", "33344455566")});
  d.push_back({2, renda("D", "LOJA EPSILON", "5000", "0", "33344455566")});
  d.push_back({3, {{"NOMEDEPEN", std::string("PEDRO DOS SANTOS")}, {"CODIDEPEN", Decimal(21)},
                   {"DATADEPEN", Date::fromYmd(1995, 2, 3)}, {"CPFDEPEN", std::string("33344455566")}}});
  d.push_back({3, {{"NOMEDEPEN", std::string("LUCIA DOS SANTOS")}, {"CODIDEPEN", Decimal(99)},
                   {"DATADEPEN", Date::fromYmd(1998, 7, 9)}, {"CPFDEPEN", std::string("44455566677")}}});
  d.push_back({3, {{"NOMEDEPEN", std::string("CARLA DOS SANTOS")}, {"CODIDEPEN", Decimal(98)},
                   {"DATADEPEN", Date::fromYmd(2001, 1, 30)}}});
  d.push_back({6, {{"I6_1", std::string("COLEGIO SABER")}, {"I6_2", std::string("98.765.432/0001-10")},
                   {"I6_3", Decimal(1)}, {"I6_4", v("6000")}}});
  d.push_back({6, {{"I6_1", std::string("HOSPITAL VIDA")}, {"I6_2", std::string("11.222.333/0001-44")},
                   {"I6_3", Decimal(2)}, {"I6_4", v("8000")}, {"I6_5", v("500")}, {"I6_6", Decimal(1)}}});
  d.push_back({6, {{"I6_1", std::string("CLINICA SEM DEPENDENTE")}, {"I6_2", std::string("55.666.777/0001-88")},
                   {"I6_3", Decimal(2)}, {"I6_4", v("100")}, {"I6_6", Decimal(7)}}});
  // 30 assets, one of them with a 200-character description over three rows, one abroad.
  for (int i = 1; i <= 30; ++i) {
    Campos bem{{"I7_1", Decimal(i)}, {"I7_5", Decimal(i % 2 == 0 ? 11 : 61)},
               {"I7_2", std::string("BEM NUMERO ") + std::to_string(i)}, {"I7_3", v("100000")},
               {"I7_4", v("105000")}};
    if (i == 5) {
      d.push_back({4, {{"I7_1", Decimal(5)}, {"I7_5", Decimal(11)}, {"I7_2", std::string(70, 'A')}}});
      d.push_back({4, {{"I7_1", Decimal(0)}, {"I7_2", std::string(70, 'B')}}});
      bem[2].second = std::string(60, 'C');
    }
    if (i == 7) bem.push_back({"I7_8", std::string("23")});
    if (i == 8) bem.push_back({"I7_8", std::string("999")});
    d.push_back({4, bem});
  }
  d.push_back({5, {{"I8_1", Decimal(1)}, {"I8_5", Decimal(11)}, {"I8_2", std::string("FINANCIAMENTO IMOBILIARIO")},
                   {"I8_3", v("50000")}, {"I8_4", v("40000")}}});
  declara(kCpf, d);
  auto ps = imprime(kCpf, 1, 3);
  confere(ps, "completa");
  ps = imprime(kCpf, 2, 4);
  confere(ps, "completa_compacta");
}

TEST_F(Folhas, NotesPrintUnderTheirHeaderAndNothingWithoutNotes) {
  std::vector<LinhaDeTabela> d{{9, cadastro("MARIA DA SILVA", "S")}, {1, {}}};
  d[0].campos.push_back({"TELCELU", std::string("99887766")});
  for (const char* nota : {"Falta o informe do banco", "Conferir recibos medicos"})
    d.push_back({11, {{"OBSERV", std::string(nota)}}});
  declara(kCpf, d);
  term.press(rt::term::key::Enter);  // every status
  const auto ps = imprime(kCpf, 9, 1);
  ASSERT_EQ(ps.size(), 1u);
  EXPECT_EQ(ps[0], (print_test::Pagina{
                       std::string(55, '-') + "  30/04/2010 10:00:00",
                       "CPF: 111.444.777-35   Nome: MARIA DA SILVA",
                       "Situacao da declaracao  3" + std::string(35, ' ') + "Term. 07",
                       "DDD     -      Celular 9988-7766  Escritorio     -      Secretaria     -",
                       std::string(79, '-'),
                       "Falta o informe do banco",
                       "Conferir recibos medicos",
                       std::string(79, '-'),
                   }));

  declara("22233344405", {{9, cadastro("SEM NOTAS", "S")}});
  term.press(rt::term::key::Enter);
  EXPECT_TRUE(imprime("22233344405", 9, 1).front().empty());
}

TEST_F(Folhas, IncomeTableCarriesItsPartialValuesOnTheSixtiethLine) {
  // Compact layout: page header rows 0-5, the table's heading rows 6-11, incomes from row 12.
  // After the 46th income (row 57) the row passes 60 - 3 and the partial values take rows
  // 58-60, "VALORES PARCIAIS" on row 59, the page's 60th line.
  std::vector<LinhaDeTabela> d{{9, cadastro("MARIA DA SILVA", "N")}, {1, {}}};
  for (int i = 1; i <= 47; ++i) d.push_back({2, renda("J", ("FONTE " + std::to_string(i)).c_str(), "100", "10")});
  declara(kCpf, d);
  const auto ps = imprime(kCpf, 2, 5);
  ASSERT_GE(ps.size(), 2u);
  EXPECT_TRUE(ps[0][57].starts_with("FONTE 46 ")) << ps[0][57];
  EXPECT_EQ(ps[0][59],
            "VALORES PARCIAIS" + std::string(48, ' ') + "      4.600,00        50.600,00               460,00      23.000,00");
  EXPECT_EQ(ps[1][1].substr(0, 6), "Nome: ");
  EXPECT_EQ(ps[1][7], "RENDIMENTOS TRIBUTAVEIS RECEBIDOS DE PESSOAS JURIDICAS PELO TITULAR");
  EXPECT_TRUE(ps[1][11].starts_with("FONTE 47 ")) << ps[1][11];
  EXPECT_TRUE(ps[1][13].starts_with("TOTAL ")) << ps[1][13];
  EXPECT_NE(ps[1][13].find("4.700,00"), std::string::npos) << ps[1][13];
}

}  // namespace
