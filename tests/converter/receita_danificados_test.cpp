// Damaged and impossible files of the tax authority: each is refused whole, said with its
// line and record, and leaves the data folder byte for byte as an earlier good import left
// it; what is no file is neither listed nor opened; a refusal does not end a run.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "converter/receita_arquivo.h"
#include "converter/receita_listagem.h"
#include "receita_fixture.h"
#include "rt/text/cp860.h"
#include "store/areas.h"
#include "support/dbfread.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;
namespace fs = std::filesystem;

const std::string kCpf = "11144477735";
const std::string kLeiaute(std::string("Leiaute diferente do esperado.Não é possível converter"_cp));

std::string junta(const std::vector<std::string>& linhas) {
  std::string s;
  for (const std::string& l : linhas) s += l + "\r\n";
  return s;
}

class ReceitaDanificadaTest : public ReceitaFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    if (!support::temDbfread()) GTEST_SKIP() << "no dbfread";
  }
  std::string bytesEm(std::string_view nome, const std::string& conteudo) {
    const std::string caminho = origem / nome;
    std::ofstream(caminho, std::ios::binary) << conteudo;
    return caminho;
  }
  // Lines 1 to 8 of a sound declaration of this year.
  const std::string cab = cabecalho("DECL", "2010");
  const std::string id = identificacao(kCpf, "MARIA");
  const std::string alfa = Reg("21").t(12, "11222333000181").t(26, "ALFA").v(86, 100000);
  const std::string beta = Reg("21").t(12, "33000167000101").t(26, "BETA").v(86, 200000);
  const std::string filho = Reg("25").t(12, "00001").t(17, "11").t(19, "FILHO").t(79, "05052000");
  const std::string casa = Reg("27").t(12, "11").t(14, "0").t(18, "CASA").v(530, 10000000).v(543, 12000000);
  const std::string carro = Reg("27").t(12, "21").t(14, "0").t(18, "CARRO").v(530, 3000000).v(543, 2500000);
  const std::string divida = Reg("28").t(12, "11").t(14, "FINANCIAMENTO").v(264, 500000).v(277, 400000);
};

// Every kind of damage the layouts let one see, in a file of this year (and one of last
// year): the sound declaration imported first stays as it was, to the byte.
TEST_F(ReceitaDanificadaTest, DamagedFilesAreRefusedWholeAndLeaveTheFolderByteForByte) {
  const std::vector<std::string> bom = {cab, id, alfa, beta, filho, casa, carro, divida};
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, bytesEm("BOM.DEC", junta(bom)))) << ::testing::PrintToString(fala.ditos);
  (void)ctx.areas.closeAll();
  ASSERT_EQ(tabela("IMP0210", kCpf).size(), 2u);
  ASSERT_EQ(tabela("IMP0410", kCpf).size(), 2u);
  const auto antes = bytes();

  std::string comNul = casa;
  comNul[100] = '\0';
  std::string longa = alfa;
  longa.resize(2000, ' ');
  const struct {
    const char* caso;
    std::string conteudo;
    std::string dito;  // the line of the alert that says what is wrong
  } casos[] = {
      {"cut to its first 300 bytes", junta(bom).substr(0, 300), "Linha 2, registro 16: cortado com 57 de 426 colunas"},
      {"garbage after the identification", junta({cab, id, "GA#%&RBAGE" + std::string(300, 'x'), alfa}),
       "Linha 3, registro GA: tipo de registro desconhecido"},
      {"payers after the assets", junta({cab, id, filho, casa, alfa}), "Linha 5, registro 21: fora da ordem dos registros"},
      {"an unknown type 99", junta({cab, id, alfa, Reg("99").t(12, "FIM"), casa}),
       "Linha 4, registro 99: tipo de registro desconhecido"},
      {"cut inside an asset record", junta({cab, id, alfa, beta, filho}) + casa.substr(0, 540),
       "Linha 6, registro 27: cortado com 540 de 557 colunas"},
      {"a letter inside an amount", junta({cab, id, alfa, Reg("27").t(12, "11").t(18, "X").t(530, "00000001O0000")}),
       std::string("Linha 4, registro 27: valor I7_3 não é número"_cp)},
      {"a second identification", junta({cab, id, alfa, id}), "Linha 4, registro 16: tipo de registro desconhecido"},
      {"a one-record section twice", junta({cab, id, Reg("19"), Reg("19"), alfa}),
       "Linha 4, registro 19: fora da ordem dos registros"},
      {"an empty line between records", junta({cab, id, alfa, "", casa}), "Linha 4: linha vazia antes de outros registros"},
      {"a NUL byte inside a record", junta({cab, id, alfa, beta, filho, comNul, carro}),
       "Linha 6, registro 27: cortado com 100 de 557 colunas"},
      {"a line longer than any record", junta({cab, id, longa}), "Linha 3 com mais de 1024 caracteres"},
      {"two amounts of 60 billion", junta({cab, id, Reg("17").v(25, 6'000'000'000'000).v(38, 6'000'000'000'000), alfa}),
       std::string("Linha 3, registro 17: valor da posição 25 maior do que o campo comporta"_cp)},
      {"the header alone", junta({cab}), std::string("O arquivo termina antes da identificação do contribuinte."_cp)},
      {"a negative lot quantity",
       junta({cab, id, alfa, Reg("62").t(12, "01"), Reg("65").t(12, "01").t(14, "1").t(15, "LOTE").t(75, "-000000100")}),
       std::string("Linha 5, registro 65: valor da posição 75 negativo"_cp)},
      {"a lot whose sum no field holds",
       junta({cab, id, alfa, Reg("62").t(12, "01"), Reg("65").t(12, "01").t(14, "1").t(75, "0999999999"),
              Reg("65").t(12, "01").t(14, "1").t(75, "0999999999"), Reg("65").t(12, "01").t(14, "1").t(75, "0999999999")}),
       "Linha 7, registro 65: a soma das quantidades do lote, 2999999997, maior do que o campo comporta"},
      {"a rate abroad no number holds",
       junta({cab, id, alfa, Reg("50").t(12, "1").t(21, "FAZENDA"), Reg("56").t(12, "249").v(41, 99'999'999'999).v(54, 1)}),
       std::string("Linha 5, registro 56: a cotação do resultado maior do que o campo comporta"_cp)},
      {"last year's, cut inside an asset record", junta({cabecalho("DECL", "2009"), id}) + casa.substr(0, 400),
       "Linha 3, registro 27: cortado com 400 de 557 colunas"},
      {"a blank CPF", junta({cab, identificacao("           ", "MARIA"), alfa}),
       std::string("ATENCAO!! CPF está incompleto."_cp)},
      {"a CPF of letters", junta({cab, identificacao("ABCDEFGHIJK", "MARIA"), alfa}),
       std::string("ATENCAO!! CPF está incompleto."_cp)},
      {"a CPF of wrong check digits", junta({cab, identificacao("11144477700", "MARIA"), alfa}),
       std::string("O dígito correto deve ser:35"_cp)},
  };
  int n = 0;
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    fala.ditos.clear();
    const std::string caminho = bytesEm("D" + std::to_string(++n) + ".DEC", c.conteudo);
    EXPECT_EQ(FAZCONV(ctx, Modo::Declaracao, caminho).tipo, Desfecho::Recusado);
    EXPECT_TRUE(fala.disse(c.dito)) << ::testing::PrintToString(fala.ditos);
    // The CPF alert stands alone; every other refusal opens with the layout's.
    if (std::string_view(c.caso).find("CPF") == std::string_view::npos) {
      EXPECT_FALSE(fala.ditos.empty() || fala.ditos[0] != kLeiaute) << ::testing::PrintToString(fala.ditos);
    }
    (void)ctx.areas.closeAll();
    EXPECT_EQ(bytes(), antes);
  }
  // The same sound file once more goes in: the refusals left nothing behind.
  EXPECT_TRUE(FAZCONV(ctx, Modo::Declaracao, origem / "BOM.DEC"));
}

// Pipes, devices and links out of the folder are neither listed nor opened (a pipe would hang
// the converter, a device read for ever); a link to a file of the folder is a file. A file
// larger than a declaration can be is refused before it is read.
TEST_F(ReceitaDanificadaTest, OnlyRegularFilesOfTheFolderAreListedAndOpened) {
  const std::string bom = junta({cab, id, alfa});
  (void)bytesEm("BOM.DEC", bom);
  fs::create_symlink("BOM.DEC", origem / "DENTRO.DEC");
  ASSERT_EQ(::mkfifo((origem / "CANO.DEC").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", origem / "ZERO.DEC");
  support::Pasta fora{"fora"};
  std::ofstream(fora / "FORA.DEC", std::ios::binary) << bom;
  fs::create_symlink(fora / "FORA.DEC", origem / "FORA.DEC");
  fs::create_directory(origem / "PASTA.DEC");
  EXPECT_EQ(arquivosDaReceita(origem.caminho(), Modo::Declaracao), (std::vector<std::string>{"BOM.DEC", "DENTRO.DEC"}));
  for (const char* nome : {"CANO.DEC", "ZERO.DEC", "FORA.DEC", "PASTA.DEC"}) {
    SCOPED_TRACE(nome);
    fala.ditos.clear();
    EXPECT_EQ(FAZCONV(ctx, Modo::Declaracao, origem / nome).tipo, Desfecho::Recusado);
    EXPECT_EQ(fala.ditos, (std::vector<std::string>{"Erro de leitura", nome + std::string(" não é um arquivo comum."_cp)}));
  }
  EXPECT_TRUE(FAZCONV(ctx, Modo::Declaracao, origem / "DENTRO.DEC"));

  // A sound declaration with a zeroed tail of 64 MiB (made sparse, so the test writes little).
  const std::string grande = bytesEm("GRANDE.DEC", bom);
  ASSERT_EQ(::truncate(grande.c_str(), 64 << 20), 0);
  fala.ditos.clear();
  EXPECT_EQ(FAZCONV(ctx, Modo::Declaracao, grande).tipo, Desfecho::Recusado);
  EXPECT_EQ(fala.ditos, (std::vector<std::string>{kLeiaute, "Arquivo com mais de 8 MB"}));
  // The listing reads only its first lines: it is listed, and the conversion refuses it.
  ASSERT_TRUE(listaArquivos(ctx, Modo::Declaracao, origem.caminho()));
}

// A run over a folder: the refused files are counted apart from the taxpayers already there,
// the others converted, and the end says what was done; an empty file is said to hold
// nothing to import.
TEST_F(ReceitaDanificadaTest, RefusedFilesAreCountedApartAndTheRunGoesOn) {
  (void)bytesEm("A.DEC", junta({cab, id, Reg("17").v(25, 6'000'000'000'000).v(38, 6'000'000'000'000)}));
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, bytesEm("B.DEC", junta({cab, identificacao("52998224725", "JOAO"), alfa}))));
  (void)ctx.areas.closeAll();
  (void)bytesEm("C.DBK", junta({cabecalho("DECL", "2009"), identificacao("52998224725", "JOAO")}));
  (void)bytesEm("D.DEC", junta({cab, id, alfa}).substr(0, 300));
  (void)bytesEm("VAZIO.DEC", "");
  TelaConversao tela;
  tela.seleciona = [](store::Contexto& c) {
    rt::db::Table& t = *store::tabela(c.areas, store::Area::LISNOME);
    for (t.goTop(); !t.eof(); t.skip(1)) ASSERT_TRUE(t.put("IMPRE", std::string("S")));
    ASSERT_TRUE(t.commit());
  };
  const Contadores c = converteArquivos(ctx, Modo::Declaracao, origem.caminho(), tela);
  EXPECT_EQ(c.aConverter, 4);
  EXPECT_EQ(c.convertidos, 1);
  EXPECT_EQ(c.existentes, 1);  // last year's file of a taxpayer already there
  EXPECT_EQ(c.naoConvertidos, 2);
  EXPECT_EQ(c.restantes, 0);
  EXPECT_TRUE(fala.disse("Arquivos vazios, nada a importar deles:"));
  EXPECT_TRUE(fala.disse("VAZIO.DEC"));
  const std::vector<std::string> fim(fala.ditos.end() - 3, fala.ditos.end());
  EXPECT_EQ(fim, (std::vector<std::string>{std::string("1 declaração importada"_cp),
                                           std::string("1 já existente ou não confirmada"_cp), "2 arquivos recusados"}));
  EXPECT_EQ(tabela("IMP0910", kCpf).size(), 0u);
  EXPECT_EQ(tabela("IMP0910", "52998224725").size(), 1u);

  // A folder of empty files only has nothing to import.
  support::Pasta vazia{"vazia"};
  std::ofstream(vazia / "X.DEC");
  fala.ditos.clear();
  EXPECT_FALSE(listaArquivos(ctx, Modo::Declaracao, vazia.caminho()));
  EXPECT_EQ(fala.ditos, (std::vector<std::string>{std::string("Nada a importar: os arquivos estão vazios:"_cp), "X.DEC"}));
}

}  // namespace
}  // namespace converter::teste
