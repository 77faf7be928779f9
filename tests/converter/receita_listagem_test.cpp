// The listing of a source folder and the run over the files the user marks.
#include "converter/receita_listagem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "converter/receita_arquivo.h"
#include "receita_fixture.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/areas.h"
#include "store/em_uso.h"
#include "support/dbfread.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;
namespace fs = std::filesystem;

class ReceitaListagemTest : public ReceitaFixture, public ::testing::Test {
 protected:
  std::string dec(std::string_view ano, std::string_view cpf, std::string_view nome) {
    return arquivo(nome, {cabecalho("DECL", ano), identificacao(cpf, nome)});
  }
  // The LISNOME rows in name order: file, origin, type, CPF, name.
  std::vector<std::string> lista() {
    std::vector<std::string> v;
    rt::db::Table& t = *store::tabela(ctx.areas, store::Area::LISNOME);
    for (t.goTop(); !t.eof(); t.skip(1))
      v.push_back(std::string(rt::text::trim(t.getText("NOMEARQ"))) + "|" + std::string(rt::text::trim(t.getText("ORIGEM"))) +
                  "|" + std::string(rt::text::trim(t.getText("TIPO"))) + "|" + t.getText("CPF"));
    return v;
  }
  // The marking grid stood in for: every row marked, as Alt-= does.
  TelaConversao marcaTodos() {
    TelaConversao tela;
    tela.seleciona = [](store::Contexto& c) {
      rt::db::Table& t = *store::tabela(c.areas, store::Area::LISNOME);
      for (t.goTop(); !t.eof(); t.skip(1)) ASSERT_TRUE(t.put("IMPRE", std::string("S")));
      ASSERT_TRUE(t.commit());
    };
    tela.contadores = [this](const Contadores& c) { vistos.push_back(c); };
    return tela;
  }
  std::vector<Contadores> vistos;
};

// Files of the kind in any case of their names, of this year and last year, listed with
// their taxpayer; a file of another year and one whose second line is no identification are
// left out; the marked ones are converted, and one already there counts as existing.
TEST_F(ReceitaListagemTest, ListsTheFilesOfTheKindAndConvertsTheMarkedOnes) {
  (void)dec("2010", "11144477735", "b.dec");
  (void)dec("2009", "52998224725", "A.DBK");
  (void)dec("2008", "86288366757", "VELHA.DEC");
  (void)arquivo("SEMID.DEC", {cabecalho("DECL", "2010"), Reg("21")});
  (void)dec("2010", "11144477735", "G.GB9");
  EXPECT_EQ(arquivosDaReceita(origem.caminho(), Modo::Declaracao),
            (std::vector<std::string>{"A.DBK", "SEMID.DEC", "VELHA.DEC", "b.dec"}));
  EXPECT_EQ(arquivosDaReceita(origem.caminho(), Modo::Ganhos), (std::vector<std::string>{"G.GB9"}));
  ASSERT_TRUE(listaArquivos(ctx, Modo::Declaracao, origem.caminho()));
  EXPECT_EQ(lista(), (std::vector<std::string>{"A.DBK|DECL 09|DECLIRPF2009|52998224725",
                                               "b.dec|DECL 10|DECLIRPF2010|11144477735"}));
  EXPECT_EQ(fala.notas.back(), "Verificando 0004 de 0004 declaracoes!");

  const Contadores fim = converteArquivos(ctx, Modo::Declaracao, origem.caminho(), marcaTodos());
  EXPECT_EQ(fim.aConverter, 2);
  EXPECT_EQ(fim.convertidos, 2);
  EXPECT_EQ(fim.restantes, 0);
  EXPECT_EQ(vistos.front().restantes, 2);
  // Again: this year's file overwrites, last year's finds its taxpayer and is left.
  const Contadores outra = converteArquivos(ctx, Modo::Declaracao, origem.caminho(), marcaTodos());
  EXPECT_EQ(outra.convertidos, 1);
  EXPECT_EQ(outra.existentes, 1);
  EXPECT_EQ(outra.naoConvertidos, 0);
}

// What the listing says: no file of the kind, none of the two years; and Esc between two
// files, confirmed, stops the run.
TEST_F(ReceitaListagemTest, SaysWhyNothingIsListedAndStopsOnEsc) {
  EXPECT_FALSE(listaArquivos(ctx, Modo::Ganhos, origem.caminho()));
  EXPECT_TRUE(fala.disse("O local escolhido não contém a informação pedida da Receita"_cp));
  (void)dec("2008", "86288366757", "VELHA.DEC");
  EXPECT_FALSE(listaArquivos(ctx, Modo::Declaracao, origem.caminho()));
  EXPECT_TRUE(fala.disse("Na pasta existem 0001 declaracoes, mas nao de 2009 ou 2010"));
  // A link to nothing is no file: not listed, not counted.
  fs::create_symlink(origem / "SUMIU", origem / "PERDIDO.DEC");
  fala.ditos.clear();
  EXPECT_FALSE(listaArquivos(ctx, Modo::Declaracao, origem.caminho()));
  EXPECT_EQ(fala.ditos, (std::vector<std::string>{"Na pasta existem 0001 declaracoes, mas nao de 2009 ou 2010"}));
  fs::remove(origem / "PERDIDO.DEC");

  (void)dec("2010", "11144477735", "A.DEC");
  (void)dec("2010", "52998224725", "B.DEC");
  fala.escs = {false, true};
  fala.respostas = {true};
  const Contadores c = converteArquivos(ctx, Modo::Declaracao, origem.caminho(), marcaTodos());
  EXPECT_TRUE(fala.disse("Abandona a conversão dos dados? S/N"_cp));
  EXPECT_EQ(c.convertidos, 1);
  EXPECT_EQ(c.restantes, 1);
}

// A declaration open in another terminal would be saved over what the file brings: its file
// is refused with the terminal that holds it, counted as not converted, and nothing of it
// reaches the folder, for a registered taxpayer as for a new one; the others are converted.
TEST_F(ReceitaListagemTest, DeclarationOpenInAnotherTerminalIsLeftAlone) {
  if (!support::temDbfread()) GTEST_SKIP() << "no dbfread";
  const std::string kAberta = "11144477735", kNova = "86288366757";
  const std::string a = dec("2010", kAberta, "A.DEC");
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, a));
  (void)arquivo("A.DEC", {cabecalho("DECL", "2010"), identificacao(kAberta, "OUTRO NOME"),
                          Reg("21").t(12, "11222333000181").t(26, "NOVO PAGADOR").v(86, 100)});
  (void)dec("2010", "52998224725", "B.DEC");
  (void)dec("2010", kNova, "C.DEC");
  const std::string antes = foto(kAberta);
  ASSERT_NE(antes, "");

  ctx.NUSU = "07";
  store::PosseDeclaracao aberta = store::tomaDeclaracao(ctx, ctx.LOCARQ, kAberta);
  store::PosseDeclaracao nova = store::tomaDeclaracao(ctx, ctx.LOCARQ, kNova);
  ctx.NUSU = "05";
  ASSERT_TRUE(aberta.livre && nova.livre);
  const Contadores c = converteArquivos(ctx, Modo::Declaracao, origem.caminho(), marcaTodos());
  EXPECT_EQ(c.convertidos, 1);
  EXPECT_EQ(c.existentes, 0);
  EXPECT_EQ(c.naoConvertidos, 2);
  EXPECT_EQ(c.restantes, 0);
  const std::string emUso(std::string("Declaração em uso no terminal 07"_cp));
  EXPECT_EQ(fala.ditos, (std::vector<std::string>{emUso, emUso, std::string("1 declaração importada"_cp),
                                                  "2 arquivos recusados"}));
  fala.ditos.clear();
  (void)ctx.areas.closeAll();
  EXPECT_EQ(foto(kAberta), antes);
  EXPECT_EQ(foto(kNova), "");
  EXPECT_EQ(tabela("IMP0910", "52998224725").size(), 1u);

  // Nor do its receipts go into the register row that terminal will save whole.
  EXPECT_FALSE(FAZCONV(ctx, Modo::Recibos, a));
  EXPECT_EQ(fala.ditos, (std::vector<std::string>{emUso}));

  // Once the other terminal lets it go, the same file goes in.
  aberta.uso.libera();
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, a));
  EXPECT_EQ(tabela("IMP0910", kAberta).at(0).at("NOMECONTR"), "OUTRO NOME");
  EXPECT_EQ(tabela("IMP0210", kAberta).at(0).at("I1_2"), "NOVO PAGADOR");
}

}  // namespace
}  // namespace converter::teste
