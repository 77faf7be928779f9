#include "store/semente.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/csv.h"

using namespace rt::text::literals;

namespace {

const std::filesystem::path kPasta = TAVREN_SEED_DIR;

std::string valor(const store::LinhaSemente& l, std::string_view campo) {
  for (const store::ValorSemente& v : l.valores)
    if (v.campo == campo) return v.valor;
  return "<absent>";
}

const store::TabelaDef& tab(store::Area n) {
  return *store::tabela(n);
}

}  // namespace

TEST(Csv, QuotesCommasAndLineBreaks) {
  store::LeituraCsv r = store::leCsv(
      "\xEF\xBB\xBF"
      "A,B\r\n1,\"x, \"\"y\"\"\"\n\n2,\"linha 1\nlinha 2\"\n3,\n");
  ASSERT_EQ(r.linhaErro, 0) << r.erro;
  ASSERT_EQ(r.registros.size(), 4U);
  EXPECT_EQ(r.registros[0].campos, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(r.registros[1].campos, (std::vector<std::string>{"1", "x, \"y\""}));
  EXPECT_EQ(r.registros[1].linha, 2);
  EXPECT_EQ(r.registros[2].linha, 4);  // a blank line lies between
  EXPECT_EQ(r.registros[2].campos[1], "linha 1\nlinha 2");
  EXPECT_EQ(r.registros[3].linha, 6);  // the quoted break counted
  EXPECT_EQ(r.registros[3].campos, (std::vector<std::string>{"3", ""}));
}

TEST(Csv, UnclosedQuoteNamesTheLineItOpened) {
  store::LeituraCsv r = store::leCsv("A,B\n1,2\n3,\"aberto\n\n");
  EXPECT_EQ(r.linhaErro, 3);
  EXPECT_NE(r.erro.find("never closed"), std::string::npos);
  EXPECT_EQ(store::leCsv("A\n\"x\"y\n").linhaErro, 2);
}

TEST(Semente, EveryShippedTableHasASeedFileThatLoads) {
  int tabelas = 0;
  for (const store::TabelaDef& t : store::catalogo()) {
    if (!store::temSemente(t)) continue;
    ++tabelas;
    std::filesystem::path arquivo = store::arquivoSemente(kPasta, t);
    SCOPED_TRACE(arquivo.string());
    ASSERT_TRUE(std::filesystem::exists(arquivo));
    store::Semente s = store::leArquivoSemente(t, arquivo);
    for (const store::ErroSemente& e : s.erros) ADD_FAILURE() << e.texto();
  }
  // 16 shipped numbers, HELPATXT and LisErro.
  EXPECT_EQ(tabelas, 18);
}

TEST(Semente, EverySeedFileBelongsToATableThatShipsRows) {
  for (const auto& entrada : std::filesystem::directory_iterator(kPasta)) {
    std::string nome = entrada.path().stem().string();
    const store::TabelaDef* t = store::tabelaPorNome(nome);
    ASSERT_NE(t, nullptr) << nome;
    EXPECT_TRUE(store::temSemente(*t)) << nome;
    EXPECT_EQ(entrada.path().filename().string(), rt::text::upper(nome) + ".csv");
  }
}

TEST(Semente, PublishedCodeListsAreFilledAndCodesUnique) {
  struct Lista {
    const char* tabela;
    std::size_t minimo;
    const char* chave;  // "" when rows may share a key
  };
  for (Lista l :
       {Lista{"CODBENS", 40, "CODBEM"}, Lista{"CODDIVI", 6, "CODDIV"}, Lista{"CODEPEN", 11, "CODDEP"},
        Lista{"DESPESA", 10, "CODDES"}, Lista{"TABPAIS", 20, "CODPAIS"}, Lista{"CODNATUR", 5, "CODAT"},
        Lista{"BANCOS", 10, "NUMBAN"}, Lista{"TABMUNI", 28, ""}, Lista{"TABLOGR", 5, "NOMELOGRA"}}) {
    const store::TabelaDef* t = store::tabelaPorNome(l.tabela);
    store::Semente s = store::leArquivoSemente(*t, store::arquivoSemente(kPasta, *t));
    EXPECT_GE(s.linhas.size(), l.minimo) << l.tabela;
    if (*l.chave == 0) continue;
    std::set<std::string> chaves;
    for (const store::LinhaSemente& linha : s.linhas) {
      std::string k = valor(linha, l.chave);
      EXPECT_NE(k, "<absent>") << l.tabela;
      EXPECT_TRUE(chaves.insert(rt::text::upper(k)).second) << l.tabela << " repeats " << k;
    }
  }
}

TEST(Semente, TextBecomesCp860AndNumbersTakeTheFieldsDecimals) {
  store::Semente s = store::leSemente(tab(store::Area::CODEPEN), "CODDEP,DESCRICAO\n11,Cônjuge\n", "CODEPEN.csv");
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.linhas.size(), 1U);
  EXPECT_EQ(s.linhas[0].linha, 2);
  EXPECT_EQ(valor(s.linhas[0], "DESCRICAO"), std::string("Cônjuge"_cp));
  EXPECT_EQ(valor(s.linhas[0], "DESCRICAO")[1], '\x93');
  EXPECT_EQ(valor(s.linhas[0], "CODDEP"), "11");

  store::Semente u =
      store::leSemente(tab(store::Area::UFIRM), "anomes,TJM,Multipl,SIMB_MOED\n201001, 0.66 ,1.5,R$  \n", "UFIRM.csv");
  ASSERT_TRUE(u.ok()) << u.erros[0].texto();
  EXPECT_EQ(valor(u.linhas[0], "TJM"), "0.66");
  EXPECT_EQ(valor(u.linhas[0], "MULTIPL"), "1.500000");
  EXPECT_EQ(valor(u.linhas[0], "ANOMES"), "201001");  // header names are matched without case
  EXPECT_EQ(valor(u.linhas[0], "SIMB_MOED"), "R$  ");
}

TEST(Semente, DatesLogicalsAndMemos) {
  store::CampoDef data{"D", 'D', 8, 0}, logico{"L", 'L', 1, 0}, memo{"TEXTO", 'M', 10, 0};
  std::string v, motivo;
  EXPECT_TRUE(store::normalizaValor(data, "20100430", v, motivo));
  EXPECT_EQ(v, "20100430");
  EXPECT_TRUE(store::normalizaValor(data, "", v, motivo));
  EXPECT_EQ(v, "");
  EXPECT_FALSE(store::normalizaValor(data, "20100231", v, motivo));
  EXPECT_FALSE(store::normalizaValor(data, "30/04/2010", v, motivo));
  EXPECT_TRUE(store::normalizaValor(logico, "t", v, motivo));
  EXPECT_EQ(v, "T");
  EXPECT_TRUE(store::normalizaValor(logico, "", v, motivo));
  EXPECT_EQ(v, "F");
  EXPECT_FALSE(store::normalizaValor(logico, "talvez", v, motivo));
  EXPECT_TRUE(store::normalizaValor(memo, "Linha um\nLinha dois\r\nfim", v, motivo));
  EXPECT_EQ(v, "Linha um\r\nLinha dois\r\nfim");
}

TEST(Semente, NumbersThatDoNotFitAreRefused) {
  store::CampoDef n52{"VAL_SEG", 'N', 5, 2}, n2{"COD", 'N', 2, 0};
  std::string v, motivo;
  EXPECT_TRUE(store::normalizaValor(n52, "99.99", v, motivo));
  EXPECT_TRUE(store::normalizaValor(n52, "-9.99", v, motivo));
  EXPECT_FALSE(store::normalizaValor(n52, "100.00", v, motivo));
  EXPECT_NE(motivo.find("does not fit"), std::string::npos);
  EXPECT_FALSE(store::normalizaValor(n52, "1.234", v, motivo));
  EXPECT_NE(motivo.find("decimals"), std::string::npos);
  EXPECT_FALSE(store::normalizaValor(n2, "1,5", v, motivo));
  EXPECT_FALSE(store::normalizaValor(n2, "abc", v, motivo));
  EXPECT_TRUE(store::normalizaValor(n2, "  ", v, motivo));
  EXPECT_EQ(v, "");
}

TEST(Semente, MalformedLinesNameFileLineAndField) {
  const std::string texto =
      "CODBEM,DESCBENS\n"
      "11,Prédio residencial\n"
      "1x,Casa\n"
      "13," +
      std::string(61, 'a') +
      "\n"
      "14\n"
      "15,Preço em €\n"
      "16,Terreno\n";
  store::Semente s = store::leSemente(tab(store::Area::CODBENS), texto, "CODBENS.csv");
  ASSERT_EQ(s.erros.size(), 4U);
  EXPECT_EQ(s.erros[0].texto(), "CODBENS.csv:3: CODBEM: not a number: \"1x\"");
  EXPECT_EQ(s.erros[1].texto(), "CODBENS.csv:4: DESCBENS: value too wide (61 > 60)");
  EXPECT_EQ(s.erros[2].linha, 5);
  EXPECT_EQ(s.erros[2].campo, "DESCBENS");
  EXPECT_EQ(s.erros[3].linha, 6);
  EXPECT_EQ(s.erros[3].campo, "DESCBENS");
  EXPECT_NE(s.erros[3].motivo.find("CP860"), std::string::npos);
  // The good rows are still read.
  ASSERT_EQ(s.linhas.size(), 2U);
  EXPECT_EQ(s.linhas[1].linha, 7);
  EXPECT_FALSE(s.ok());
}

TEST(Semente, UnknownOrRepeatedHeaderFieldsStopTheFile) {
  store::Semente s = store::leSemente(tab(store::Area::CODBENS), "CODBEM,DESCRICAO,codbem\n11,x,11\n", "CODBENS.csv");
  ASSERT_EQ(s.erros.size(), 2U);
  EXPECT_EQ(s.erros[0].texto(), "CODBENS.csv:1: DESCRICAO: no such field in CODBENS");
  EXPECT_EQ(s.erros[1].campo, "codbem");
  EXPECT_TRUE(s.linhas.empty());

  store::Semente vazio = store::leSemente(tab(store::Area::CODBENS), "", "CODBENS.csv");
  ASSERT_EQ(vazio.erros.size(), 1U);
  EXPECT_EQ(vazio.erros[0].linha, 1);

  store::Semente aberto = store::leSemente(tab(store::Area::CODBENS), "CODBEM,DESCBENS\n11,\"Casa\n", "CODBENS.csv");
  ASSERT_EQ(aberto.erros.size(), 1U);
  EXPECT_EQ(aberto.erros[0].linha, 2);
}

TEST(Semente, MissingFileIsReported) {
  store::Semente s = store::leArquivoSemente(tab(store::Area::CODBENS), kPasta / "NAO_EXISTE.csv");
  ASSERT_EQ(s.erros.size(), 1U);
  EXPECT_EQ(s.erros[0].linha, 0);
  EXPECT_NE(s.erros[0].texto().find("NAO_EXISTE.csv"), std::string::npos);
}

TEST(Semente, SeedFileNames) {
  EXPECT_EQ(store::arquivoSemente("/x", tab(store::Area::LISERRO)), std::filesystem::path("/x/LISERRO.csv"));
  EXPECT_TRUE(store::temSemente(tab(store::Area::LISERRO)));
  EXPECT_TRUE(store::temSemente(tab(store::Area::HELPTXT)));
  EXPECT_FALSE(store::temSemente(tab(store::Area::DEFINE)));
  EXPECT_FALSE(store::temSemente(tab(store::Area::AUXBENS)));
}

TEST(SementeDefine, OneRecordOfDueDatesAndRates) {
  std::vector<store::ValorSemente> d = store::sementeDEFINE();
  std::map<std::string, std::string> m;
  for (const store::ValorSemente& v : d) m[v.campo] = v.valor;
  const std::map<std::string, std::string> esperado = {
      {"VCTO1", "20100430"}, {"VCTO2", "20100531"}, {"VCTO3", "20100630"},  {"VCTO4", "20100730"},
      {"VCTO5", "20100831"}, {"VCTO6", "20100930"}, {"VCTO7", "20101029"},  {"VCTO8", "20101130"},
      {"VAL_SEG", "1.60"},   {"VAL_BYTE", "1.00"},  {"VAL_MIN", "60.00"},   {"COMO_SAL", "2"},
      {"TEMP_SAL", "15"},    {"TEMP_DES", "2"},     {"VAL_CPMF", "0.0000"}, {"VAL_DOLAR", "1.7404"},
  };
  EXPECT_EQ(m, esperado);
  EXPECT_EQ(d.size(), esperado.size());  // every other field, the bank-slip counter too, blank
}

// The towns: every state keeps its row, each town its state and the federal revenue's
// four-digit code, spelled as typed (upper case, no accents) and unique within its state.
TEST(Semente, TownsCarryTheirStateAndFederalRevenueCode) {
  const store::TabelaDef* t = store::tabelaPorNome("TABMUNI");
  ASSERT_NE(t, nullptr);
  store::Semente s = store::leArquivoSemente(*t, store::arquivoSemente(kPasta, *t));
  ASSERT_TRUE(s.ok());
  std::map<std::string, std::string> codigo;  // "UF NAME" -> code
  std::set<std::string> estados, codigos;
  for (const store::LinhaSemente& l : s.linhas) {
    const std::string nome = valor(l, "NOMEMUNI"), uf = valor(l, "UNIFED"), numero = valor(l, "NROMUNI");
    if (uf == "<absent>" || uf.empty()) {
      EXPECT_EQ(nome[3], '-') << nome;
      estados.insert(nome.substr(0, 2));
      continue;
    }
    EXPECT_EQ(nome.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ '()-"), std::string::npos) << nome;
    EXPECT_EQ(numero.size(), 4U) << nome;
    EXPECT_EQ(numero.find_first_not_of("0123456789"), std::string::npos) << nome;
    EXPECT_TRUE(codigos.insert(numero).second) << numero;
    EXPECT_TRUE(codigo.emplace(uf + " " + nome, numero).second) << uf << " " << nome;
  }
  EXPECT_EQ(estados.size(), 28U);
  EXPECT_GT(codigo.size(), 5500U);
  EXPECT_EQ(codigo["SP SAO PAULO"], "7107");
  EXPECT_EQ(codigo["DF BRASILIA"], "9701");
  EXPECT_EQ(codigo["RJ RIO DE JANEIRO"], "6001");
  EXPECT_EQ(codigo["MT VILA BELA DA SANTISSIMA TRINDA"], "9109");  // cut to the field
  EXPECT_EQ(codigo.count("PA MOJUI DOS CAMPOS"), 0U);              // installed after 2009
}
