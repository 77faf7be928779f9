// The print job of menu item 51 with a test sheet plugged into FOLHA: which taxpayers, in
// what order, their print copies, one routing per job, copies, ejects and the abandon.
#include <gtest/gtest.h>

#include <filesystem>

#include "declaracao_fixture.h"
#include "print/trabalho.h"
#include "print_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace {

using namespace rt::text::literals;
using print_test::le;

const std::string kA = "11111111111", kB = "22222222222", kC = "33333333333";

class TrabalhoTest : public print_test::PrintFixture {
 protected:
  TrabalhoTest() {
    store::teste::preencheDeclaracoes(ctx, {kA, kB, kC}, 2);
    imp.conf.NROLPT = 0;  // RELATOR.TXT in the work folder
    // The test sheet: its number and the rows of the first print copy (the taxpayer's).
    srv.FOLHA = [this](store::Contexto& c, print::Impressao& i, int folha) {
      rt::db::Table* copia = nullptr;
      for (store::Area a : workareas::kCopias)
        if ((copia = c.areas.table(a)) != nullptr) break;
      std::string linhas;
      if (copia != nullptr) {
        // The sheets read the copy in its print order: the index kept from the last taxpayer
        // must hold exactly this one's rows.
        int naOrdem = 0;
        for (copia->goTop(); copia->status() && !copia->eof(); copia->skip(1)) ++naOrdem;
        EXPECT_EQ(static_cast<std::uint32_t>(naOrdem), copia->recordCount());
        EXPECT_EQ(copia->orderCount(), 1);
        for (const std::string& m : store::teste::marcasNaCopia(*copia)) linhas += " " + m;
      }
      i.dispositivo.say(i.QLIN, 0, "F" + std::to_string(folha) + linhas);
      ++i.QLIN;
      if (aoImprimir) aoImprimir(folha);
    };
    srv.MARCA = [this](store::Contexto& c, int tela) {
      telaMarcada = tela;
      rt::db::Table& reg = *c.areas.table(store::Area::IMP0910);
      for (reg.goTop(); reg.status() && !reg.eof(); reg.skip(1)) {
        ASSERT_TRUE(reg.lockRecord());
        ASSERT_TRUE(reg.put("IMPRE", std::string(reg.getText("CPF") == kB ? " " : "S")));
        ASSERT_TRUE(reg.flush());
      }
      (void)reg.unlock();
    };
  }
  std::string saida() const { return le(trabalhoLinux() + "RELATOR.TXT"); }
  void roda() { print::SELECIONA(ctx, imp, esc, srv, semAmbiente); }

  print::Escolhas esc;
  print::ServicosImpressao srv;
  std::function<void(int)> aoImprimir;
  int telaMarcada = 0;
};

TEST(FaixaTipo, KindsChooseTheirCopiesAndSheets) {
  struct Caso {
    int QUEIMP, QUEPAG, primeira, ultima, PRIF, ULTF;
  };
  const Caso casos[] = {{1, 1, 2, 19, 1, 6}, {1, 3, 2, 19, 1, 4}, {2, 7, 2, 19, 3, 3}, {1, 9, 2, 19, 4, 4},
                        {1, 10, 2, 19, 5, 5}, {3, 1, 2, 19, 14, 15}, {3, 3, 2, 19, 15, 15}, {6, 1, 7, 8, 6, 6},
                        {8, 1, 0, -1, 8, 8}, {9, 1, 11, 11, 9, 9}, {10, 1, 2, 2, 10, 10}, {13, 1, 0, -1, 12, 12},
                        {14, 1, 0, -1, 13, 13}, {5, 1, 2, 19, 0, -1}, {12, 1, 0, -1, 0, -1}};
  for (const Caso& c : casos) {
    const print::FaixaTipo f = print::faixaDoTipo(c.QUEIMP, c.QUEPAG);
    EXPECT_EQ(f.primeira, c.primeira) << c.QUEIMP << "/" << c.QUEPAG;
    EXPECT_EQ(f.ultima, c.ultima) << c.QUEIMP << "/" << c.QUEPAG;
    EXPECT_EQ(f.PRIF, c.PRIF) << c.QUEIMP << "/" << c.QUEPAG;
    EXPECT_EQ(f.ULTF, c.ULTF) << c.QUEIMP << "/" << c.QUEPAG;
  }
}

TEST_F(TrabalhoTest, OneCpfPrintsItsSheetsInCopiesThenEjects) {
  esc.QUEIMP = 6;  // capital gains: sheet 6, copies of tables 07 and 08
  esc.NRO_VIAS = 2;
  srv.PEDE_CPF = [](store::Contexto&, const std::function<bool(const std::string&)>& imprime) {
    EXPECT_TRUE(imprime(kB));
  };
  roda();
  EXPECT_EQ(saida(), "F6 T7C222L0 T7C222L1\r\nF6 T7C222L0 T7C222L1\f\r");
  EXPECT_FALSE(imp.dispositivo.routed()) << "the output is closed after the job";

  // Sheets 1-4 twice, in order; a second job in the same run routes anew.
  esc.QUEIMP = 1;
  esc.QUEPAG = 3;
  std::vector<int> folhas;
  aoImprimir = [&folhas](int f) { folhas.push_back(f); };
  roda();
  EXPECT_EQ(folhas, (std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4}));
  EXPECT_EQ(saida().substr(0, 22), "F1 T2C222L0 T2C222L1\r\n");
}

TEST_F(TrabalhoTest, MarkedTaxpayersAndAFolderShareOneRoutingWithAnEjectEach) {
  esc.QUEIMP = 6;
  esc.QUECON = 2;
  roda();
  EXPECT_EQ(telaMarcada, 46);
  EXPECT_EQ(saida(), "F6 T7C111L0 T7C111L1\f\rF6 T7C333L0 T7C333L1\f\r");

  esc.QUECON = 3;
  roda();
  EXPECT_EQ(saida(), "F6 T7C111L0 T7C111L1\f\rF6 T7C222L0 T7C222L1\f\rF6 T7C333L0 T7C333L1\f\r");
  EXPECT_EQ(std::filesystem::path(imp.ARQ_IMP).filename(), "RELATOR.TXT");
}

TEST_F(TrabalhoTest, EveryFolderSkipsMissingOnesAndGivesBackTheDataFolder) {
  store::teste::Pasta outra;
  const std::string dadosAntes = ctx.ROTADOANO;
  ctx.definePastaDados(outra.caminho());
  store::teste::preencheDeclaracoes(ctx, {"44444444444"}, 1);
  (void)ctx.areas.closeAll();
  ctx.definePastaDados(dadosAntes);
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::DIRET));
  rt::db::Table& d = *ctx.areas.table(store::Area::DIRET);
  for (const std::string& p : {outra.caminho(), std::string("/nao/existe"), dados.caminho()}) {
    ASSERT_TRUE(d.appendBlank());
    ASSERT_TRUE(d.put("DIRETOR", p));
    ASSERT_TRUE(d.flush());
  }
  (void)d.unlock();
  esc.QUEIMP = 6;
  esc.QUECON = 4;
  roda();
  // The folders go in the folder register's order (by name).
  const std::string umaPasta = "F6 T7C444L0\f\r";
  const std::string estaPasta = "F6 T7C111L0 T7C111L1\f\rF6 T7C222L0 T7C222L1\f\rF6 T7C333L0 T7C333L1\f\r";
  EXPECT_EQ(saida(), rt::text::upper(outra.caminho()) < rt::text::upper(dados.caminho()) ? umaPasta + estaPasta
                                                                                          : estaPasta + umaPasta);
  EXPECT_EQ(ctx.ROTADOANO, dadosAntes);
  ASSERT_NE(ctx.areas.table(store::Area::IMP0910), nullptr);
  EXPECT_EQ(ctx.areas.table(store::Area::IMP0910)->recordCount(), 3u) << "the register of the data folder is open again";
}

TEST_F(TrabalhoTest, EscAbandonsTheRestOfTheJobAndSaysSo) {
  esc.QUEIMP = 1;
  esc.QUEPAG = 3;
  esc.QUECON = 3;
  aoImprimir = [this](int folha) {
    if (folha == 2) term.press(27).type("S").press(rt::term::key::Enter);
  };
  roda();
  EXPECT_EQ(saida(), "F1 T2C111L0 T2C111L1\r\nF2 T2C111L0 T2C111L1") << "nothing after the abandon";
  EXPECT_TRUE(term.contains("Impressão abandonada."_cp));
  EXPECT_FALSE(imp.CAN_IMP) << "the next job starts afresh";
}

TEST_F(TrabalhoTest, ARoutingThatFailsEndsTheJobBeforeAnySheet) {
  imp.conf.SAIDAPR = "a/b";
  esc.QUEIMP = 6;
  esc.QUECON = 3;
  int folhas = 0;
  aoImprimir = [&folhas](int) { ++folhas; };
  term.press(rt::term::key::Enter);
  roda();
  EXPECT_EQ(folhas, 0);
  EXPECT_TRUE(term.exhausted() || term.pending() == 0) << "asked once, not once a taxpayer";
}

}  // namespace

namespace {

void estatus(store::Contexto& ctx, const std::string& cpf, int valor) {
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP0910));
  rt::db::Table& reg = *ctx.areas.table(store::Area::IMP0910);
  ASSERT_TRUE(reg.seek(cpf));
  ASSERT_TRUE(reg.lockRecord());
  ASSERT_TRUE(reg.put("ESTATUS", rt::text::Decimal::fromInt(valor)));
  ASSERT_TRUE(reg.flush());
  ASSERT_TRUE(reg.unlock());
}

TEST_F(TrabalhoTest, KindQuestionsFilterOrEndTheJobBeforeAnything) {
  // Kind 9 with the status range 3 to 5: statuses 2 and 6 are left out.
  estatus(ctx, kA, 2);
  estatus(ctx, kB, 4);
  estatus(ctx, kC, 6);
  esc.QUEIMP = 9;
  esc.QUECON = 3;
  // A prompt empties the keys typed ahead of it (a pause keeps these for it); Ctrl+Y empties
  // the field before the number is typed.
  auto numero = [this](const char* n) { term.pause().press(25).type(n).press(rt::term::key::Enter); };
  term.type("F");
  numero("3");
  numero("5");
  roda();
  EXPECT_EQ(saida(), "F9 T11C222L0 T11C222L1") << "no eject for the notes";
  EXPECT_EQ(imp.job.STAT_INIC, 3);
  EXPECT_EQ(imp.job.STAT_FINAL, 5);

  // Kind 8: a letter that is not there, or a name that is a path, ends the job unprinted.
  int folhas = 0;
  aoImprimir = [&folhas](int) { ++folhas; };
  srv.pastaCartas = registro.caminho();
  print_test::escreve(registro / "carta.txt", "Prezado cliente");
  esc.QUEIMP = 8;
  for (const char* nome : {"OUTRA", "../CARTA"}) {
    term.pause().press(25).type(nome).press(rt::term::key::Enter).press(rt::term::key::Enter);
    roda();
    EXPECT_EQ(folhas, 0) << nome;
    EXPECT_TRUE(term.contains("Carta nao encontrada!")) << nome;
  }
  // Typed in upper case, the letter is found in lower case.
  term.pause().press(25).type("carta").press(rt::term::key::Enter);
  roda();
  EXPECT_EQ(folhas, 3);
  EXPECT_EQ(imp.job.NOMCART, "CARTA");
  EXPECT_EQ(imp.job.arquivoCarta, registro / "carta.txt");
  // A name with accents typed in the console's code page finds the file system's UTF-8 name,
  // whatever the case of its accented letters.
  print_test::escreve(registro / "Cobran\xC3\xA7" "a.txt", "Prezado cliente");  // Cobrança
  term.pause().press(25).type("COBRAN\x80" "A").press(rt::term::key::Enter);
  roda();
  EXPECT_EQ(folhas, 6);
  EXPECT_EQ(imp.job.arquivoCarta, registro / "Cobran\xC3\xA7" "a.txt");

  // The cash book: Esc on the month choice ends the job; one month is asked and kept.
  folhas = 0;
  esc.QUEIMP = 10;
  term.press(27);
  roda();
  EXPECT_EQ(folhas, 0);
  term.press(rt::term::key::Down).press(rt::term::key::Enter);
  numero("13");
  numero("4");
  roda();
  EXPECT_EQ(folhas, 3);
  EXPECT_EQ(imp.job.QUEMES, 2);
  EXPECT_EQ(imp.job.MES_INIC, 4) << "month 13 was asked again";
  EXPECT_EQ(imp.job.AVANCA_PAG, "S");
  EXPECT_EQ(imp.job.CALC_SALD, "N");
}

}  // namespace
