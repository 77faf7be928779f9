#include "console/ajuda.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "rt/db/memo.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/memoedit.h"
#include "tabelas_fixture.h"

namespace {

using namespace rt::text::literals;
using console::teste::C;
using console::teste::EntradaFalsa;
using console::teste::M;
namespace key = rt::term::key;

std::string linhas(int n) {
  std::string t;
  for (int i = 1; i <= n; ++i) t += "Linha " + std::to_string(i) + "\r\n";
  return t;
}

class AjudaTest : public ::testing::Test, protected console::teste::TabelasFixture {
 protected:
  void SetUp() override {
    cria(workareas::Area::HELPTXT, "HELPTXT", {C("NOME", 10), M("TEXTO")},
         {{"GERAL", "Primeira linha da ajuda\r\nSegunda\r\nTerceira"},
          {"LONGO", linhas(30)},
          {"VAZIO", ""},
          {"TELA07", "Ajuda da tela sete"},
          {"CPF", "Digite o CPF"},
          {"I7_5", "Codigo do bem"},
          {"FUNCOES", "Teclas"},
          {"QUATRO", std::string(40, '.')},
          {"UMFIM", std::string(40, '.')}},
         {{"HELPTXT", "UPPER(NOME)"}}, false);
    cria(workareas::Area::IMP0310, "OUTRA", {C("X", 1)}, {{"a"}});
  }

  console::AcessoAjuda acesso() {
    console::AcessoAjuda a{console::AcessoTabelas{areas, nullptr}, nullptr, nullptr, nullptr, nullptr};
    a.abreAjuda = [this](std::string_view arquivo) {
      const std::string base = dir + "/" + std::string(arquivo);
      if (!std::filesystem::exists(base + ".DBF") || !std::filesystem::exists(base + ".DBT"))
        return rt::Status(rt::Error::kNotFound, base);
      RT_TRY(areas.open(workareas::Area::HELPTXT, base + ".DBF"));
      return areas.table(workareas::Area::HELPTXT)->openIndex(base + ".CDX", "UPPER(NOME)");
    };
    a.campoDaGrade = [this] { return grade; };
    a.tela = [] { return 7; };
    a.aoFechar = [this] { ++fechadas; };
    return a;
  }

  std::string grade;
  int fechadas = 0;
  console::Ajuda ajuda{ctx, acesso()};
};

TEST_F(AjudaTest, ShowsATopicInAWindowSizedToItsText) {
  term.press(key::Esc);
  ajuda.TXT_HELP("geral");
  // Window 8 on rows 1 to 3 + 2, framed on its corners, the titles on its edges.
  EXPECT_EQ(term.row(1).substr(0, 2), std::string("┌─"_cp)) << term.dump();
  EXPECT_EQ(term.row(1).substr(2, 17), "   H E L P       ");
  EXPECT_EQ(term.row(5).substr(35, 27), " <ALT P>  Imprime este HELP");
  EXPECT_EQ(term.row(5).substr(64, 1), std::string("┘"_cp));
  EXPECT_EQ(term.row(2).substr(1, 23), "Primeira linha da ajuda");
  EXPECT_EQ(term.row(4).substr(1, 8), "Terceira");
  // Everything is given back.
  EXPECT_FALSE(ajuda.LTOHELP);
  EXPECT_FALSE(areas.isOpen(workareas::Area::HELPTXT));
  EXPECT_EQ(areas.current(), workareas::Area::IMP0310);
  EXPECT_EQ(fechadas, 1);
  EXPECT_EQ(linha(1).substr(0, 2), "  ");
}

TEST_F(AjudaTest, LongAndEmptyTextsOpenThirteenLines) {
  term.press(key::PgDn).press(key::Esc);
  ajuda.TXT_HELP("LONGO");
  EXPECT_EQ(term.row(15).substr(35, 27), " <ALT P>  Imprime este HELP") << term.dump();
  EXPECT_NE(term.row(2).substr(1, 8), "Linha 1 ");  // scrolled a page
  term.press(key::Esc);
  ajuda.TXT_HELP("VAZIO");
  EXPECT_EQ(term.row(15).substr(35, 27), " <ALT P>  Imprime este HELP") << term.dump();
}

TEST_F(AjudaTest, MissingTopicOrTableShowsNothingAndHelpStillWorks) {
  ajuda.TXT_HELP("NAOEXISTE");
  EXPECT_EQ(term.presents(), 0);
  EXPECT_FALSE(ajuda.LTOHELP);
  EXPECT_FALSE(areas.isOpen(workareas::Area::HELPTXT));
  EXPECT_EQ(areas.current(), workareas::Area::IMP0310);
  EXPECT_EQ(fechadas, 0);

  // The second help table is not installed.
  ajuda.TXT_HELP("GERAL", 2);
  EXPECT_EQ(term.presents(), 0);
  EXPECT_FALSE(ajuda.LTOHELP);

  term.press(key::Esc);
  ajuda.TXT_HELP("GERAL");
  EXPECT_TRUE(term.contains("Primeira linha da ajuda"));
  EXPECT_EQ(term.pending(), 0u);
}

TEST_F(AjudaTest, EmptyTopicTakesTheGridColumnOrSaysHelpNotFound) {
  term.press(key::Enter);
  ajuda.TXT_HELP("");
  EXPECT_TRUE(term.contains(" Help não encontrado..."_cp)) << term.dump();
  EXPECT_FALSE(ajuda.LTOHELP);
  EXPECT_FALSE(areas.isOpen(workareas::Area::HELPTXT));

  grade = "I7_5";
  term.press(key::Esc);
  ajuda.TXT_HELP("");
  EXPECT_TRUE(term.contains("Codigo do bem"));
}

TEST_F(AjudaTest, AltPIsSwallowedAndTheViewerIsNotOpenedTwice) {
  con.setKey(key::AltF2, [this] { ajuda.MOS_HELP(); });
  term.press(key::AltP).press(key::AltF2).press(key::Esc);
  ajuda.TXT_HELP("GERAL");
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_EQ(fechadas, 1);
  EXPECT_FALSE(ajuda.LTOHELP);
  EXPECT_EQ(ajuda.IMP_TEXTO(static_cast<int>(rt::ui::MemoMode::Idle), 1, 0), 0);
}

TEST_F(AjudaTest, HelpMenuTopics) {
  term.press(key::Esc);
  ajuda.MOSTRA_HELP(2);
  EXPECT_TRUE(term.contains("Ajuda da tela sete"));

  EntradaFalsa cpf("M->CPF");
  rt::term::ActiveInputScope escopo(con, cpf);
  term.press(key::Esc);
  ajuda.MOSTRA_HELP(3);
  EXPECT_TRUE(term.contains("Digite o CPF"));
  term.press(key::Esc);
  ajuda.MOS_HELP();
  EXPECT_TRUE(term.contains("Digite o CPF"));

  // The menu over window 6, drawn by the caller: "F" chooses the keys at once.
  ctx.janelas.REDEFJAN(console::Jan::kSobreposta, 30, 31, 63, 5, 10, 8, 20, 0);
  ctx.janelas.ABREJAN(console::Jan::kSobreposta);
  ctx.janelas.ESCRJAN(console::Jan::kSobreposta, "  Geral      Tela       Campo      Funcoes  ");
  term.press('f').press(key::Esc);
  ajuda.MOSTRA_HELP(0);
  EXPECT_TRUE(term.contains("Teclas"));
  EXPECT_EQ(ctx.screen().cursorShape(), rt::term::CursorShape::Normal);
  EXPECT_EQ(fechadas, 4);
}

// Writes `bytes` over the memo of topic `nome`, where the engine put it.
void sobrepoeMemo(const std::string& dir, const std::string& nome, const std::string& bytes) {
  std::uint32_t bloco = 0;
  {
    auto t = rt::db::Table::open(dir + "/HELPTXT.DBF");
    ASSERT_TRUE(t.isOk());
    for ((*t)->goTop(); (*t)->status() && !(*t)->eof(); (*t)->skip(1))
      if (rt::text::trim((*t)->getText("NOME")) == nome) bloco = rt::db::memoBlockFromField((*t)->raw(1));
  }
  ASSERT_GT(bloco, 0u);
  std::fstream f(dir + "/HELPTXT.DBT", std::ios::in | std::ios::out | std::ios::binary);
  f.seekp(static_cast<std::streamoff>(bloco) * 512);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST_F(AjudaTest, MemoTextsOfOtherWritersAreReadToTheirEnd) {
  // dBASE IV: FF FF 08 00, the length of header and text, the text with no end mark.
  std::string quatro("\xFF\xFF\x08\x00", 4);
  quatro += std::string("\x12\x00\x00\x00", 4);
  quatro += "Texto IV..LIXO LIXO";
  sobrepoeMemo(dir, "QUATRO", quatro);
  // A text ended by a single 1A, with something else after it in the block.
  sobrepoeMemo(dir, "UMFIM", std::string("Fim simples\x1AOUTRA COISA"));

  term.press(key::Esc);
  ajuda.TXT_HELP("QUATRO");
  EXPECT_EQ(term.row(2).substr(1, 12), "Texto IV..  ") << term.dump();
  EXPECT_FALSE(term.contains("LIXO"));
  term.press(key::Esc);
  ajuda.TXT_HELP("UMFIM");
  EXPECT_EQ(term.row(2).substr(1, 13), "Fim simples  ") << term.dump();
  EXPECT_FALSE(term.contains("OUTRA"));
}

TEST_F(AjudaTest, OkeiAsksToConfirm) {
  term.press(key::Enter);
  EXPECT_EQ(console::OKEI(ctx), "S");
  EXPECT_TRUE(term.contains("Confirma os dados ?"));
}

}  // namespace
