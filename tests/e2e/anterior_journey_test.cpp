// Last year's folder carried into this year's by the converter's item BRANTEL on the real
// programs: every taxpayer marked, "Sim" for sold assets, the counters at the end, "S" to
// stay in the year's folder; then tavren opens a converted taxpayer, whose asset opens the
// year with last year's closing value.
#include <gtest/gtest.h>

#include <filesystem>
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
  for (const store::CampoDef& c : store::estrutura(n))
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
  teclas(s, {"M-l", "I"});
  ASSERT_TRUE(s.waitForText("Converte Ver.", e2e::kPartida)) << s.capture();
  teclas(s, {"M-c", "B"});
  ASSERT_TRUE(s.waitForText("pasta de destino")) << s.capture();
  // The source typed over what the settings held; the target another folder than the year's.
  s.keys({"C-y"});
  e2e::digita(s, "C:\\ANT");
  teclas(s, {"Enter"});
  s.keys({"C-y"});
  e2e::digita(s, "C:\\CONV2010");
  teclas(s, {"Enter"});
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
  ASSERT_TRUE(s.waitForText("Permanece no diret")) << s.capture();
  // The counters: two to convert, two converted, none left.
  const std::string fim = s.capture();
  for (const char* linha : {"A converter      2", "Convertidos      2", "Já existente     0", "Faltam ......    0"})
    EXPECT_NE(fim.find(linha), std::string::npos) << linha << "\n" << fim;
  teclas(s, {"S"});
  const auto voltou = [](const std::string& t) { return t.find("Converte Ver.") == std::string::npos; };
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Permanece no diret") == std::string::npos; }))
      << s.capture();
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

}  // namespace
