// Last year's folder carried into this year's by the converter's item BRANTEL on the real
// programs, started from tavren: every taxpayer marked, "Sim" for sold assets, the counters at
// the end and the notice of where the taxpayers went (tavren keeps its own folder); then
// tavren opens a converted taxpayer, whose asset opens the year with last year's closing
// value. And a clerk's day: the conversion ends at once while tavren holds its tables, leaves
// nothing on the screen, and the next converter run works in tavren's folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "rt/text/strings.h"
#include "store/catalogo.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;
using rt::text::Decimal;
using rt::text::Value;

using Campos = std::vector<std::pair<std::string, Value>>;

// Last year's table n in `pasta`, with the fields of this year's table of that number.
void tabelaAnterior(const std::string& pasta, int n, const std::vector<Campos>& linhas) {
  std::vector<rt::db::FieldDef> f;
  for (const store::CampoDef& c : store::estrutura(static_cast<store::Area>(n)))
    f.push_back({rt::text::upper(c.nome), c.tipo, c.largura, c.decimais});
  const std::string caminho = pasta + "/IMP" + rt::text::doisDigitos(n) + "09.DBF";
  ASSERT_TRUE(rt::db::Table::create(caminho, f));
  auto t = rt::db::Table::open(caminho);
  ASSERT_TRUE(t);
  for (const Campos& l : linhas) {
    ASSERT_TRUE((*t)->appendBlank());
    for (const auto& [campo, v] : l) ASSERT_TRUE((*t)->put(campo, v)) << campo;
  }
  ASSERT_TRUE((*t)->commit());
}

class JornadaAnterior : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  std::string home() const { return pasta_.caminho() + "/tavren"; }
  // From tavren's menu: the converter (Declaracao, Importação), its item BRANTEL, the source
  // C:\ANT typed over what the settings held and the target C:\CONV2010, another folder than
  // the year's; then the dialog goes on to the installation folder.
  static bool brantelDeAntParaConv(TmuxSession& s) {
    teclas(s, {"M-l", "I"});
    if (!s.waitForText("Converte Ver.", e2e::kPartida)) return false;
    teclas(s, {"M-c", "B"});
    if (!s.waitForText("pasta de destino")) return false;
    for (const char* pasta : {"C:\\ANT", "C:\\CONV2010"}) {
      s.keys({"C-y"});
      e2e::digita(s, pasta);
      teclas(s, {"Enter"});
    }
    return true;
  }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaAnterior, LastYearsClosingValueOpensTheYearInTavren) {
  // Drive C: is a folder of the test: the dialog's fields keep folders in capitals, as typed
  // on a drive letter.
  const std::string drive = pasta_.caminho() + "/c";
  const std::string anterior = drive + "/ANT";
  for (const char* p : {"/ANT", "/CONV2010", "/INST"}) std::filesystem::create_directories(drive + p);
  TmuxSession s(e2e::comandoTavren(home(), "05", "TAVREN_DRIVE_C=" + e2e::shellQuote(drive), 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 05", e2e::kPartida)) << s.capture();

  tabelaAnterior(anterior, 9,
                 {{{"CPF", "12345678909"}, {"NOMECONTR", "ANA DO ANO PASSADO"}, {"ESTATUS", Decimal(1)}},
                  {{"CPF", "98765432100"}, {"NOMECONTR", "BRUNO DO ANO PASSADO"}, {"ESTATUS", Decimal(1)}}});
  tabelaAnterior(anterior, 4,
                 {{{"CPF", "12345678909"}, {"I7_1", Decimal(1)}, {"I7_2", "APARTAMENTO NA PRAIA"},
                   {"I7_3", Decimal(1000)}, {"I7_4", *Decimal::parse("2345.67")}, {"I7_5", Decimal(11)}},
                  {{"CPF", "98765432100"}, {"I7_1", Decimal(1)}, {"I7_2", "CARRO"}, {"I7_3", Decimal(500)},
                   {"I7_5", Decimal(21)}}});
  for (int n : {1, 2, 3, 5, 6, 7, 8, 10, 11, 14}) tabelaAnterior(anterior, n, {});

  // Declaracao, Importação: the converter; Conversao, BRANTEL.
  ASSERT_TRUE(brantelDeAntParaConv(s)) << s.capture();
  // The installation folder, where the dialog asks it: the program folder.
  if (!s.waitForText("Marque [S] nos nomes", std::chrono::seconds(3))) {
    s.keys({"C-y"});
    e2e::digita(s, "C:\\INST");
    teclas(s, {"Enter"});
  }
  ASSERT_TRUE(s.waitForText("BRUNO DO ANO PASSADO")) << s.capture();
  // Every taxpayer marked (Alt-=), then Esc ends the grid.
  teclas(s, {"M-="});
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("ANA DO ANO PASSADO            │BRANTEL     │S") != std::string::npos;
  })) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("caso encontre um bem vendido qual")) << s.capture();
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("Contribuintes convertidos na pasta")) << s.capture();
  // The counters: two to convert, two converted, none left.
  const std::string fim = s.capture();
  for (const char* linha : {"A converter      2", "Convertidos      2", "Já existente     0", "Faltam ......    0"})
    EXPECT_NE(fim.find(linha), std::string::npos) << linha << "\n" << fim;
  teclas(s, {"Enter"});
  const auto voltou = [](const std::string& t) { return t.find("Converte Ver.") == std::string::npos; };
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("Contribuintes convertidos") == std::string::npos;
  })) << s.capture();
  s.keys({"M-t"});
  if (!s.waitFor(voltou, std::chrono::seconds(4))) s.keys({"M-t"});
  ASSERT_TRUE(s.waitFor(voltou)) << s.capture();
  ASSERT_TRUE(e2e::noMenu(s)) << s.capture();

  // Tavren: Ana's declaration, the assets screen (F5): last year's closing value in the
  // column of the year before.
  teclas(s, {"M-l", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text("12345678909");
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("10=Balan")) << s.capture();
  teclas(s, {"F5"});
  ASSERT_TRUE(s.waitForText("APARTAMENTO NA PRAIA")) << s.capture();
  const std::string bens = s.capture();
  EXPECT_NE(bens.find("2.345,67"), std::string::npos) << bens;
  EXPECT_EQ(bens.find("1.000,00"), std::string::npos) << bens;
}

// The register row of `cpf` in the folder's IMP0910 (field by name, as stored); empty when
// the table or the row is not there.
std::string campoDoRegistro(const std::string& pasta, const std::string& cpf, const std::string& campo) {
  auto t = rt::db::Table::open(pasta + "/IMP0910.DBF", {.exclusive = false, .readOnly = true, .alias = {}});
  if (!t) return "<no table>";
  for ((*t)->goTop(); !(*t)->eof(); (*t)->skip(1))
    if ((*t)->getText("CPF") == cpf) return (*t)->getText(campo);
  return "<no row>";
}

// The payers of `cpf` in the folder's IMP0210, "|"-joined names.
std::string fontes(const std::string& pasta, const std::string& cpf) {
  auto t = rt::db::Table::open(pasta + "/IMP0210.DBF", {.exclusive = false, .readOnly = true, .alias = {}});
  if (!t) return "<no table>";
  std::string v;
  for ((*t)->goTop(); !(*t)->eof(); (*t)->skip(1))
    if ((*t)->getText("CPF") == cpf)
      v += (v.empty() ? "" : "|") + std::string(rt::text::trim((*t)->getText("I1_2")));
  return v;
}

// Terminar, back in tavren. After an item the menu comes back past a pause of up to 2 seconds
// that a key ends, which shows nothing: a Terminar taken by the pause is sent again.
bool terminaConversor(TmuxSession& s) {
  const auto voltou = [](const std::string& t) { return t.find("Converte Ver.") == std::string::npos; };
  s.keys({"M-t"});
  if (!s.waitFor(voltou, std::chrono::seconds(4))) s.keys({"M-t"});
  return s.waitFor(voltou) && e2e::noMenu(s);
}

// A clerk's day with tavren at its menu, holding its program folder's tables: last year's
// conversion into a new folder ends at once (no wait on tavren's tables), shows the CPF inside
// its box, carries an empty phone area code empty and leaves no folder name on the screen;
// tavren keeps its folder, and so does the next converter run from its menu: a payroll's
// statements go into the declaration in tavren's folder, not into the conversion's.
TEST_F(JornadaAnterior, FromTavrenTheConversionEndsAtOnceAndTheNextRunWorksInTavrensFolder) {
  const std::string drive = pasta_.caminho() + "/c";
  const std::string anterior = drive + "/ANT";
  for (const char* p : {"/ANT", "/INST"}) std::filesystem::create_directories(drive + p);
  TmuxSession s(e2e::comandoTavren(home(), "05", "TAVREN_DRIVE_C=" + e2e::shellQuote(drive), 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 05", e2e::kPartida)) << s.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;

  // Ana without a phone area code and with a dependant too old to stay (a notice that holds
  // the run while her header is on the screen); Bruno with one.
  tabelaAnterior(anterior, 9,
                 {{{"CPF", "12345678909"}, {"NOMECONTR", "ANA DO ANO PASSADO"}, {"ESTATUS", Decimal(1)}},
                  {{"CPF", "98765432100"},
                   {"NOMECONTR", "BRUNO DO ANO PASSADO"},
                   {"DDDTEL", "21"},
                   {"ESTATUS", Decimal(1)}}});
  tabelaAnterior(anterior, 3,
                 {{{"CPF", "12345678909"},
                   {"NOMEDEPEN", "MENOR POBRE"},
                   {"CODIDEPEN", Decimal(41)},
                   {"DATADEPEN", rt::text::Date::fromYmd(1980, 1, 2)}}});
  for (int n : {1, 2, 4, 5, 6, 7, 8, 10, 11, 14}) tabelaAnterior(anterior, n, {});

  ASSERT_TRUE(brantelDeAntParaConv(s)) << s.capture();
  s.keys({"C-y"});
  e2e::digita(s, "C:\\INST");
  teclas(s, {"Enter"});
  // The new target is made on the clerk's word.
  ASSERT_TRUE(s.waitForText("Cria-o")) << s.capture();
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("BRUNO DO ANO PASSADO")) << s.capture();
  teclas(s, {"M-="});
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("BRUNO DO ANO PASSADO          │BRANTEL     │S") != std::string::npos;
  })) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("caso encontre um bem vendido qual")) << s.capture();
  teclas(s, {"S"});
  // Ana's header while her dependant's notice holds the run: the punctuated CPF fills its box.
  ASSERT_TRUE(s.waitForText("O menor pobre completou 22 anos")) << s.capture();
  const std::string cabecalho = s.capture();
  EXPECT_NE(cabecalho.find("│123.456.789-09││"), std::string::npos) << cabecalho;
  teclas(s, {"Enter"});
  // Past "Faltam 0" at once: the rebuild leaves tavren's tables alone (and so never says one
  // of them was not packed); tavren keeps its folder, which the converter goes back to.
  ASSERT_TRUE(s.waitForText("Contribuintes convertidos na pasta")) << s.capture();
  const std::string fim = s.capture();
  EXPECT_NE(fim.find("Faltam ......    0"), std::string::npos) << fim;
  EXPECT_NE(fim.find("C:\\CONV2010"), std::string::npos) << fim;
  EXPECT_EQ(fim.find("compactado"), std::string::npos) << fim;
  EXPECT_EQ(fim.find("Permanece"), std::string::npos) << fim;
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("Contribuintes convertidos") == std::string::npos;
  })) << s.capture();
  // Nothing of the run stays drawn over the converter's screen.
  const std::string depois = e2e::visivel(e2e::telaParada(s));
  EXPECT_EQ(depois.find("CONV2010"), std::string::npos) << depois;
  EXPECT_EQ(depois.find(pasta_.caminho().substr(0, 4)), std::string::npos) << depois;
  // The tax authority's dialog next: it offers tavren's folder, and the status row no longer
  // holds the run's notice.
  // The menu's pause after an item may take the first Alt-C (see terminaConversor).
  s.keys({"M-c"});
  if (!s.waitForText("KELSVOR", std::chrono::seconds(4))) s.keys({"M-c"});
  ASSERT_TRUE(s.waitForText("KELSVOR")) << s.capture();
  teclas(s, {"R"});
  ASSERT_TRUE(s.waitForText("Drive e pasta de origem (programa")) << s.capture();
  const std::string receita = e2e::visivel(e2e::telaParada(s));
  EXPECT_NE(receita.find("DADOS2010"), std::string::npos) << receita;
  EXPECT_EQ(receita.find("CONV2010"), std::string::npos) << receita;
  EXPECT_EQ(receita.find("Interrompe"), std::string::npos) << receita;
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("Drive e pasta de origem") == std::string::npos;
  })) << s.capture();
  ASSERT_TRUE(terminaConversor(s)) << s.capture();

  // An empty area code stays empty; one given keeps its number.
  const std::string conv = drive + "/CONV2010";
  EXPECT_EQ(rt::text::alltrim(campoDoRegistro(conv, "12345678909", "DDDTEL")), "");
  EXPECT_EQ(rt::text::alltrim(campoDoRegistro(conv, "98765432100", "DDDTEL")), "21");

  // The next converter run from tavren's menu: the payroll's file is looked for in tavren's
  // folder and its statements go into Ana's declaration there.
  const std::string dados = home() + "/DADOS2010";
  {
    std::ofstream f(dados + "/folha.txt", std::ios::binary);
    f << "\"123.456.789-09\",\"ANA\",\"ACME LTDA\",\"11222333000181\",1000.50,110,0,0,15\r\n";
  }
  teclas(s, {"M-l", "I"});
  ASSERT_TRUE(s.waitForText("Converte Ver.", e2e::kPartida)) << s.capture();
  teclas(s, {"M-c", "C"});
  ASSERT_TRUE(s.waitForText("Importar dados")) << s.capture();
  teclas(s, {"I"});
  ASSERT_TRUE(s.waitForText("Drive e pasta do Arquivo FOLHA.TXT")) << s.capture();
  EXPECT_NE(s.capture().find("DADOS2010"), std::string::npos) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("1 declaração de rendimentos importada")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("FOLHA.TXT") == std::string::npos; }))
      << s.capture();
  teclas(s, {"T"});
  ASSERT_TRUE(s.waitForText("Encontrando valores")) << s.capture();
  teclas(s, {"A"});
  ASSERT_TRUE(s.waitForText("Dados Transferidos")) << s.capture();
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("Dados Transferidos") == std::string::npos;
  })) << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Importar dados") == std::string::npos; }))
      << s.capture();
  ASSERT_TRUE(terminaConversor(s)) << s.capture();
  EXPECT_EQ(fontes(dados, "12345678909"), "ACME LTDA");
  EXPECT_EQ(fontes(conv, "12345678909"), "");
}

}  // namespace
