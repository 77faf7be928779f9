// Last year's declarations, the receipt numbers alone, and the files that are refused:
// what reaches the folder and what the user is told.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "converter/receita_arquivo.h"
#include "receita_fixture.h"
#include "rt/text/cp860.h"
#include "store/pastas_dados.h"
#include "support/dbfread.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;
namespace fs = std::filesystem;

const std::string kCpf = "11144477735";
const std::string_view kLeiaute = "Leiaute diferente do esperado.Não é possível converter"_cp;

class ReceitaRecusaTest : public ReceitaFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    if (!support::temDbfread()) GTEST_SKIP() << "no dbfread";
  }
  std::string declaracao(std::string_view ano, const std::vector<std::string>& registros, std::string_view nome = "D.DEC",
                         std::string_view recibo = "1234567890", std::string_view cpf = kCpf) {
    std::vector<std::string> linhas = {cabecalho("DECL", ano, recibo), identificacao(cpf, "MARIA")};
    linhas.insert(linhas.end(), registros.begin(), registros.end());
    return arquivo(nome, linhas);
  }
};

// A 2009 declaration: its closing values become the previous year's (bank-type assets start
// the year at 0, a closed asset is dropped, "000" is Brazil), its debts carry their closing
// value, and it never overwrites a taxpayer already registered.
TEST_F(ReceitaRecusaTest, LastYearsDeclarationCarriesClosingValuesAndNeverOverwrites) {
  const std::string caminho = declaracao(
      "2009", {Reg("27").t(12, "11").t(14, "0").t(15, "000").t(18, "APARTAMENTO").v(530, 999).v(543, 300000),
               Reg("27").t(12, "61").t(14, "0").t(15, "000").t(18, "POUPANCA").v(543, 4000),
               Reg("27").t(12, "21").t(14, "1").t(15, "249").t(18, "VENDIDO").v(543, 0),
               Reg("27").t(12, "21").t(14, "1").t(15, "249").t(18, "ACOES NY").v(543, 700),
               Reg("28").t(12, "11").t(14, "FINANCIAMENTO").v(264, 1).v(277, 5000)});
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, caminho)) << ::testing::PrintToString(fala.ditos);
  const Linhas bens = tabela("IMP0410", kCpf);
  ASSERT_EQ(bens.size(), 3u);
  EXPECT_EQ(bens[0].at("I7_3"), "3000.00");
  EXPECT_EQ(bens[0].at("I7_4"), "3000.00");
  EXPECT_EQ(bens[0].at("I7_9"), "3000.00");
  EXPECT_EQ(bens[0].at("I7_8"), "");
  EXPECT_EQ(bens[0].at("I7_7"), "");
  EXPECT_EQ(bens[1].at("I7_3"), "40.00");
  EXPECT_EQ(bens[1].at("I7_4"), "0.00");
  EXPECT_EQ(bens[2].at("I7_2"), "ACOES NY");
  EXPECT_EQ(bens[2].at("I7_8"), "249");
  EXPECT_EQ(bens[2].at("I7_7"), "S");
  EXPECT_EQ(bens[2].at("I7_1"), "3");
  const Linhas dividas = tabela("IMP0510", kCpf);
  ASSERT_EQ(dividas.size(), 1u);
  EXPECT_EQ(dividas[0].at("I8_3"), "50.00");
  EXPECT_EQ(dividas[0].at("I8_6"), "50.00");
  const Linhas reg = tabela("IMP0910", kCpf);
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg[0].at("RECIBOANT").substr(0, 10), "1234567890");
  EXPECT_EQ(reg[0].at("RETIFICA"), "N");

  // Once more: the taxpayer is there, nothing changes.
  const std::string antes = foto(kCpf);
  EXPECT_FALSE(FAZCONV(ctx, Modo::Declaracao, caminho));
  EXPECT_EQ(foto(kCpf), antes);
}

// This year's declaration replaces every section of a taxpayer, also the sections of which it
// brings no record; an amount that is no number, or a second line that is no identification,
// refuses the whole file and leaves the folder as it was.
TEST_F(ReceitaRecusaTest, ReimportReplacesSectionsAndABadFileChangesNothing) {
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao,
                      declaracao("2010", {Reg("21").t(12, "11222333000181").t(26, "ALFA").v(86, 100),
                                          Reg("27").t(12, "11").t(14, "0").t(18, "CASA").v(530, 1).v(543, 2),
                                          Reg("28").t(12, "11").t(14, "DIVIDA").v(264, 1).v(277, 2)})));
  ASSERT_EQ(tabela("IMP0410", kCpf).size(), 1u);
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao,
                      declaracao("2010", {Reg("21").t(12, "11222333000181").t(26, "BETA").v(86, 100)}, "E.DEC")));
  EXPECT_TRUE(tabela("IMP0410", kCpf).empty());
  EXPECT_TRUE(tabela("IMP0510", kCpf).empty());
  ASSERT_EQ(tabela("IMP0210", kCpf).size(), 1u);
  EXPECT_EQ(tabela("IMP0210", kCpf)[0].at("I1_2"), "BETA");

  const std::string antes = foto(kCpf);
  for (const std::string& ruim : {std::string(Reg("21").t(12, "11222333000181").t(26, "GAMA").t(86, "00000001O0,00")),
                                  std::string(Reg("27").t(12, "11").t(18, "X").t(530, "0000000001.00"))}) {
    fala.ditos.clear();
    EXPECT_FALSE(FAZCONV(ctx, Modo::Declaracao, declaracao("2010", {Reg("21").t(26, "DELTA").v(86, 5), ruim}, "F.DEC")));
    EXPECT_TRUE(fala.disse(kLeiaute));
    EXPECT_EQ(foto(kCpf), antes);
  }
  fala.ditos.clear();
  EXPECT_FALSE(FAZCONV(ctx, Modo::Declaracao, arquivo("G.DEC", {cabecalho("DECL", "2010"), Reg("17").t(12, "X")})));
  EXPECT_TRUE(fala.disse(kLeiaute));
  EXPECT_EQ(foto(kCpf), antes);
}

// Receipt numbers only: this year's file writes both receipts; last year's only an empty
// previous receipt; a taxpayer of another registered folder is found there, one of no folder
// is told and nothing is written. A blank receipt stays blank.
TEST_F(ReceitaRecusaTest, ReceiptNumbersGoWhereverTheTaxpayerIs) {
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, declaracao("2010", {}, "A.DEC", "          ")));
  EXPECT_EQ(tabela("IMP0910", kCpf)[0].at("RECIBOATU"), "");
  ASSERT_TRUE(FAZCONV(ctx, Modo::Recibos, declaracao("2010", {}, "B.DEC", "1111111111")));
  const std::string atu = tabela("IMP0910", kCpf)[0].at("RECIBOATU");
  EXPECT_EQ(atu.substr(0, 10), "1111111111");
  EXPECT_EQ(atu.size(), 12u);
  EXPECT_EQ(tabela("IMP0910", kCpf)[0].at("RECIBOANT").substr(0, 10), "0987654321");
  // Last year's receipt does not replace a previous receipt already there.
  ASSERT_TRUE(FAZCONV(ctx, Modo::Recibos, declaracao("2009", {}, "C.DEC", "2222222222")));
  EXPECT_EQ(tabela("IMP0910", kCpf)[0].at("RECIBOANT").substr(0, 10), "0987654321");

  // Another folder of the terminal's register holds the second taxpayer.
  support::Pasta outra("receita");
  const std::string aqui = ctx.ROTADOANO;
  (void)ctx.areas.closeAll();
  ctx.definePastaDados(outra.caminho());
  const std::string kOutro = "52998224725";
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, declaracao("2010", {}, "D.DEC", "          ", kOutro)));
  (void)ctx.areas.closeAll();
  ctx.definePastaDados(aqui);
  ASSERT_TRUE(store::registraPasta(ctx, aqui));
  ASSERT_TRUE(store::registraPasta(ctx, outra.caminho()));
  (void)ctx.areas.closeAll();
  ASSERT_TRUE(FAZCONV(ctx, Modo::Recibos, declaracao("2010", {}, "E.DEC", "3333333333", kOutro)));
  EXPECT_EQ(ctx.LOCARQ, outra.caminho() + "/");
  (void)ctx.areas.closeAll();
  EXPECT_TRUE(tabela("IMP0910", kOutro).empty());  // not in this folder
  fala.ditos.clear();
  EXPECT_FALSE(FAZCONV(ctx, Modo::Recibos, declaracao("2010", {}, "F.DEC", "4444444444", "86288366757")));
  EXPECT_TRUE(fala.disse("não foi localizado em nenhum dos diretórios"_cp));
  EXPECT_TRUE(fala.disse("Nao sera possivel entao gravar o nro do recibo"));
}

// A file that cannot be opened: "Erro de leitura", and the DOS code but for a missing folder;
// an empty one says there is nothing in it to import.
TEST_F(ReceitaRecusaTest, UnreadableFilesSayTheirDosCode) {
  EXPECT_FALSE(FAZCONV(ctx, Modo::Declaracao, origem / "NAO/EXISTE.DEC"));
  EXPECT_EQ(fala.ditos, (std::vector<std::string>{"Erro de leitura"}));
  fala.ditos.clear();
  EXPECT_FALSE(FAZCONV(ctx, Modo::Declaracao, origem / "FALTA.DEC"));
  EXPECT_EQ(fala.ditos, (std::vector<std::string>{"Erro de leitura", "Erro do Dos 02"}));
  fala.ditos.clear();
  EXPECT_EQ(FAZCONV(ctx, Modo::Declaracao, arquivo("VAZIO.DEC", {}, "")).tipo, Desfecho::Recusado);
  EXPECT_EQ(fala.ditos, (std::vector<std::string>{std::string("VAZIO.DEC está vazio: nada a importar."_cp)}));
}

}  // namespace
}  // namespace converter::teste

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "rt/db/file.h"
#include "rt/db/table.h"
#include "store/diario_gravacao.h"

namespace converter::teste {
namespace {

class ReceitaMorteTest : public ReceitaRecusaTest {
 protected:
  // FAZCONV of `caminho` in a child process that kills itself at its first wait for another
  // terminal (or is killed after `micros`, when given); then the next start's recovery.
  void morre(const std::string& caminho, int micros = -1) {
    (void)ctx.areas.closeAll();
    const pid_t filho = fork();
    ASSERT_GE(filho, 0) << "fork";  // -1 given to kill() below would signal every process
    if (filho == 0) {
      fala.aoAguardar = [] { ::raise(SIGKILL); };
      _exit(FAZCONV(ctx, Modo::Declaracao, caminho) ? 0 : 3);
    }
    if (micros >= 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(micros));
      kill(filho, SIGKILL);
    }
    int status = 0;
    waitpid(filho, &status, 0);
    // A conversion given time may end before its kill; one stopped at its wait may not.
    if (micros < 0) {
      ASSERT_TRUE(WIFSIGNALED(status)) << "the conversion was not stopped";
    } else {
      ASSERT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) == 0);
    }
  }
  void recupera() {
    (void)store::recuperaDiarios(ctx);
    (void)ctx.areas.closeAll();
  }
};

// A conversion killed at any moment leaves the taxpayer's rows, register row included, as
// they were (the folder byte for byte, when the journal was not yet whole) or as the file
// makes them once the next start completes what the journal holds; never a part of each.
TEST_F(ReceitaMorteTest, KilledConversionLeavesTheFolderWholeOneWayOrTheOther) {
  std::vector<std::string> registros;
  for (int k = 0; k < 30; ++k)
    registros.push_back(Reg("21").t(12, "11222333000181").t(26, "PAGADOR " + std::to_string(k)).v(86, k));
  for (int k = 0; k < 30; ++k)
    registros.push_back(Reg("27").t(12, "11").t(14, "0").t(18, "BEM " + std::to_string(k)).v(530, k).v(543, k + 1));
  const std::string velho = declaracao("2010", {Reg("21").t(26, "VELHO").v(86, 1)}, "A.DEC");
  // Another name, so the register row differs too.
  registros.insert(registros.begin(), {cabecalho("DECL", "2010"), identificacao(kCpf, "MARIA NOVA")});
  const std::string novo = arquivo("B.DEC", registros);
  auto volta = [&] {
    ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, velho));
    (void)ctx.areas.closeAll();
  };
  // The two states a kill may leave: the old declaration's and the new one's.
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, novo));
  (void)ctx.areas.closeAll();
  const std::string depois = foto(kCpf);
  volta();
  const std::string antes = foto(kCpf);
  ASSERT_EQ(tabela("IMP0910", kCpf).at(0).at("NOMECONTR"), "MARIA");
  ASSERT_NE(depois.find("IMP0910.DBF"), std::string::npos);
  ASSERT_NE(antes.substr(antes.find("IMP0910.DBF")), depois.substr(depois.find("IMP0910.DBF")));

  {
    // Killed with everything read, before its journal: nothing of the folder changed.
    const auto arquivos = bytes();
    auto trava = store::TravaDiario::tenta(store::caminhoDiario(ctx, kCpf));
    ASSERT_TRUE(trava && trava->has_value());
    morre(novo);
    trava->reset();
    EXPECT_EQ(bytes(), arquivos);
    recupera();
    EXPECT_EQ(foto(kCpf), antes);
  }
  {
    // Killed with the journal whole and every other table written, while another terminal
    // holds the register row: the register is still the old one, and the next start brings
    // it with the rest.
    auto r = rt::db::Table::open(rt::db::resolveCaseInsensitive(dados / "IMP0910.DBF"));
    ASSERT_TRUE(r);
    for ((*r)->goTop(); !(*r)->eof() && (*r)->getText("CPF") != kCpf;) (*r)->skip(1);
    ASSERT_TRUE((*r)->lockRecord());
    morre(novo);
    const std::string meio = foto(kCpf);
    auto sem = [](const std::string& f, bool registro) {
      std::istringstream in(f);
      std::string s;
      for (std::string l; std::getline(in, l);)
        if ((l.rfind("IMP0910", 0) == 0) == registro) s += l + "\n";
      return s;
    };
    EXPECT_EQ(sem(meio, false), sem(depois, false));
    EXPECT_EQ(sem(meio, true), sem(antes, true));
    ASSERT_TRUE((*r)->unlock());
    (void)(*r)->close();
    recupera();
    EXPECT_EQ(foto(kCpf), depois);
    volta();
  }
  std::string visto;
  for (int micros : {0, 2000, 5000, 10000, 20000, 40000}) {
    ASSERT_EQ(foto(kCpf), antes);
    morre(novo, micros);
    recupera();
    const std::string agora = foto(kCpf);
    if (agora != antes) {
      EXPECT_EQ(agora, depois) << "killed after " << micros << " us";
    }
    volta();
  }
}

}  // namespace
}  // namespace converter::teste
