// Routing the printer from the terminal's record in a context: file routes and their locking,
// a parallel port that is not ready, a CUPS queue through a recording lp, and the abandon.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "print/confimp.h"
#include "print/rota.h"
#include "print_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "support/links_plantados.h"

namespace {

using namespace rt::text::literals;
using print_test::le;

class PrepImpTest : public print_test::PrintFixture {};

TEST_F(PrepImpTest, FileRoutesKeepTheJobsFirstPartAndRefuseUnsafeNames) {
  imp.conf.NROLPT = 0;
  imp.conf.SAIDAPR = "lista   ";
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  EXPECT_EQ(imp.ARQ_IMP, trabalhoLinux() + "LISTA.TXT");
  imp.dispositivo.say(0, 0, "mes 1");
  ASSERT_TRUE(print::fechaSaida(ctx, imp));
  // The cash book routes again for the next months: the first ones stay.
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  imp.dispositivo.say(0, 0, "mes 2");
  ASSERT_TRUE(print::fechaSaida(ctx, imp));
  EXPECT_EQ(le(imp.ARQ_IMP), "mes 1mes 2");
  // A new job starts the file again.
  imp.roteadoNoTrabalho = false;
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  imp.dispositivo.say(0, 0, "novo");
  ASSERT_TRUE(print::fechaSaida(ctx, imp));
  EXPECT_EQ(le(imp.ARQ_IMP), "novo");
  // The captured file is emptied each time: its earlier part went to the print program.
  imp.conf.NOMEIMP = "NAO DOS";
  for (const char* parte : {"um", "dois"}) {
    ASSERT_TRUE(print::PREP_IMP(ctx, imp));
    imp.dispositivo.say(0, 0, parte);
    ASSERT_TRUE(print::fechaSaida(ctx, imp));
  }
  EXPECT_EQ(le(trabalhoLinux() + "NAO-DOS.TXT"), "dois");

  imp.conf.NOMEIMP = "Impressora";
  imp.conf.SAIDAPR = "../../x";
  imp.ARQ_IMP = " ";
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(print::PREP_IMP(ctx, imp));
  EXPECT_TRUE(term.contains("Nome do arquivo de saída inválido"_cp));
  EXPECT_EQ(imp.ARQ_IMP, " ");
  EXPECT_FALSE(std::filesystem::exists(trabalho.caminho() + "/../x.TXT"));
}

TEST_F(PrepImpTest, AParallelPrinterNotReadyAsksAndAnUnopenableOneIsNeverASuccess) {
  imp.conf.NROLPT = 1;
  imp.portas = platform::PortMap("/dev", [this](const char* n) -> const char* {
    static std::string dev;
    dev = registro / "nao-ha/lp0";
    return std::string_view(n) == "TAVREN_LPT1" ? dev.c_str() : nullptr;
  });
  int perguntas = 0;
  imp.prontoParalela = [&perguntas](const std::string&) { return ++perguntas > 2; };
  // Abandona: no routing.
  term.type("A");
  EXPECT_FALSE(print::PREP_IMP(ctx, imp));
  EXPECT_TRUE(term.contains("Impressora  desligada ou sem papel"));
  EXPECT_FALSE(imp.dispositivo.routed());
  // Pronto checks again; the printer is ready now, but its device cannot be opened: the
  // system's reason is said and the routing fails.
  term.type("P").press(rt::term::key::Enter);
  EXPECT_FALSE(print::PREP_IMP(ctx, imp));
  EXPECT_TRUE(term.contains("Não foi possível abrir a saída da impressão:"_cp));
  EXPECT_TRUE(term.contains("No such file or directory"));
  // Ignore does not make an unopenable device a success either.
  perguntas = -100;
  term.type("I").press(rt::term::key::Enter);
  EXPECT_FALSE(print::PREP_IMP(ctx, imp));
  EXPECT_FALSE(imp.dispositivo.routed());
}

TEST_F(PrepImpTest, ANetworkPrinterIsARawCupsJobAndAFailingLpIsSaid) {
  imp.conf.LOCIMPR = "R";
  imp.conf.NOMEREDE = "\\\\SERVIDOR\\Laser 1";
  imp.lp = print_test::gravador(registro, "lp", 0);
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  imp.MUDAIMP(2);
  imp.dispositivo.say(1, 2, "Olá"_cp);
  imp.dispositivo.eject();
  ASSERT_TRUE(print::fechaSaida(ctx, imp));
  EXPECT_EQ(chamada(0, "args"), "-d\nLaser_1\n-o\nraw\n");
  EXPECT_EQ(chamada(0, "in"), "\x1b" "A\r\n  Ol\xa0\f\r") << "the model's bytes and CP860 text go untouched";

  imp.lp = print_test::gravador(registro, "lp-falha", 1, "lp: The printer or class does not exist.");
  imp.roteadoNoTrabalho = false;
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  imp.dispositivo.say(0, 0, "x");
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(print::fechaSaida(ctx, imp));
  EXPECT_TRUE(term.contains("The printer or class does not exist."));
}

TEST_F(PrepImpTest, EscAbandonsAndTheRestGoesNowhere) {
  imp.conf.NROLPT = 0;
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  imp.dispositivo.say(0, 0, "pagina 1");
  EXPECT_FALSE(print::PAREIMP(ctx, imp)) << "no key, no question";
  term.type("x").press(27).type("N");
  EXPECT_FALSE(print::PAREIMP(ctx, imp));
  EXPECT_TRUE(term.contains("Abandona a impressão ???"_cp));
  term.press(27).type("S");
  EXPECT_TRUE(print::PAREIMP(ctx, imp));
  imp.dispositivo.say(1, 0, "pagina 2");
  ASSERT_TRUE(print::fechaSaida(ctx, imp));
  EXPECT_EQ(le(trabalhoLinux() + "RELATOR.TXT"), "pagina 1");
}

TEST_F(PrepImpTest, TheAlignmentPauseRepeatsWhileAskedFor) {
  imp.conf.NROLPT = 0;
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  imp.dispositivo.say(0, 3, "DARF");
  print::AJUS_FIN(ctx, imp);  // no test slip: nothing
  imp.FEZ_TES = "S";
  term.type("S");
  print::AJUS_FIN(ctx, imp);
  EXPECT_EQ(imp.FEZ_TES, "S");
  EXPECT_TRUE(term.contains("Tecle Sim para mais pausa"));
  term.type("N");
  print::AJUS_FIN(ctx, imp);
  EXPECT_EQ(imp.FEZ_TES, "N");
  EXPECT_EQ(term.beeps(), 2);
  ASSERT_TRUE(print::fechaSaida(ctx, imp));
  EXPECT_EQ(le(trabalhoLinux() + "RELATOR.TXT"), "   DARF\r \r ");
}

TEST_F(PrepImpTest, TheRecordIsMadeWithTheDefaultsAndTheModelListSeeded) {
  ctx.definePastaPrograma(programa.caminho());
  const char* ambiente[] = {"LPDEST", "fila-do-escritorio"};
  const platform::EnvLookup env = [&](const char* n) -> const char* {
    return std::string_view(n) == ambiente[0] ? ambiente[1] : nullptr;
  };
  ASSERT_TRUE(print::CRIA_SEQ(ctx, imp, env));
  EXPECT_EQ(imp.seq.STRING[2], "\x1b" "A");
  EXPECT_EQ(imp.seq.STRING[4], "\x14");
  EXPECT_EQ(imp.conf.NROLPT, 1);
  EXPECT_EQ(rt::text::alltrim(imp.conf.NOMEREDE), "fila-do-escritorio");
  auto confimp = store::teste::abre(programa / "CONFIMP.DBF");
  ASSERT_EQ(confimp->recordCount(), 1u);
  ASSERT_TRUE(confimp->goTop());
  EXPECT_EQ(confimp->getText("NRO_TERM"), "07");
  EXPECT_EQ(rt::text::alltrim(confimp->getText("SEQ3")), "<014>//<020>");
  auto modelos = store::teste::abre(programa / "PRINTS.DBF");
  ASSERT_EQ(modelos->recordCount(), 2u);
  ASSERT_TRUE(modelos->goTo(2));
  EXPECT_EQ(rt::text::alltrim(modelos->getText("NOMEIMP")), "NAO DOS");

  // Loaded again, the stored row is read, not made anew.
  ASSERT_TRUE(confimp->goTop());
  ASSERT_TRUE(confimp->lockRecord());
  ASSERT_TRUE(confimp->put("NROLPT", rt::text::Decimal::fromInt(0)));
  ASSERT_TRUE(confimp->flush());
  ASSERT_TRUE(confimp->unlock());
  confimp.reset();
  print::Impressao outra;
  outra.lpstat = imp.lpstat;
  ASSERT_TRUE(print::CRIA_SEQ(ctx, outra, env));
  EXPECT_EQ(outra.conf.NROLPT, 0);
  EXPECT_EQ(store::teste::abre(programa / "CONFIMP.DBF")->recordCount(), 1u);
}

}  // namespace

namespace {

// The work folder is shared: a link planted at a print file's name (to a file, dangling, to a
// folder) is refused and said, the job does not start, and the link's target is as it was.
TEST_F(PrepImpTest, ALinkAtAPrintFileIsRefusedAndItsTargetUntouched) {
  struct Saida {
    const char* modelo;
    const char* SAIDAPR;
    const char* arquivo;
  };
  const Saida saidas[] = {{"Impressora", "        ", "RELATOR.TXT"},
                          {"Impressora", "lista   ", "LISTA.TXT"},
                          {"NAO DOS", "        ", "NAO-DOS.TXT"}};
  print_test::Pasta fora;
  imp.conf.NROLPT = 0;
  for (const Saida& s : saidas) {
    imp.conf.NOMEIMP = s.modelo;
    imp.conf.SAIDAPR = s.SAIDAPR;
    for (support::Planta p : support::plantas()) {
      SCOPED_TRACE(std::string(s.arquivo) + ", " + support::nomePlanta(p));
      for (bool acrescenta : {false, true}) {
        const std::string alvo = support::planta(p, trabalhoLinux() + s.arquivo, fora.caminho());
        imp.roteadoNoTrabalho = acrescenta;
        term.press(rt::term::key::Enter);
        EXPECT_FALSE(print::PREP_IMP(ctx, imp));
        EXPECT_TRUE(term.contains("Recusado: " + trabalhoLinux() + s.arquivo));
        EXPECT_TRUE(support::intacto(p, alvo));
      }
    }
    std::filesystem::remove(trabalhoLinux() + s.arquivo);
  }
}

}  // namespace
