// Our print program: the stream made plain text, the pitch, the preview, the choice of
// printer, lp's arguments and its failure, and IMP_TXT's hand-over of the captured file.
#include "print/quentra.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "print/imp_txt.h"
#include "print/rota.h"
#include "print_fixture.h"
#include "rt/fs/shared_files.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "support/links_plantados.h"

namespace {

using namespace rt::text::literals;
using print_test::escreve;
using print_test::le;

TEST(TextoLimpo, DropsPrinterControlsAndKeepsLinesAndPages) {
  const print::Sequencias seq = print::montaSequencias("<018>", "<015>", "<027>A", "<014>//<020>");
  struct Caso {
    std::string fluxo, texto;
  };
  const Caso casos[] = {
      {"\x0f" "A\r\nB\f\r\r\nC\f\r", "A\nB\f\nC\f"},
      {"x\x1b" "Ay", "xy"},                          // the model's own string
      {"x\x1b" "Ey\x1b" "&l66P\x1b" "(s3Bz", "xyz"},  // ESC + byte; PCL sequences whole
      {std::string("a\x07\0b\tc", 6), "abc"},
      {"ab\rcd\r", "ab\rcd"},                        // an overprint CR stays, a final one goes
      {"Ol\xa0", "Ol\xa0"},
  };
  for (const Caso& c : casos) EXPECT_EQ(print::textoLimpo(c.fluxo, seq), c.texto) << c.fluxo;

  EXPECT_EQ(print::larguraMaxima("abc\nabcdef\fab"), 6);
  const std::pair<int, int> cpis[] = {{0, 10}, {80, 10}, {81, 12}, {90, 12}, {91, 15}, {112, 15}, {113, 17},
                                      {127, 17}, {128, 20}, {136, 20}, {300, 20}};
  for (auto [largura, cpi] : cpis) EXPECT_EQ(print::cpiPara(largura), cpi) << largura;
}

class QuentraTest : public print_test::PrintFixture {
 protected:
  std::string capturado() const { return trabalhoLinux() + "NAO-DOS.TXT"; }
  // lpstat answering -e with two queues and -d with the second.
  std::string lpstatFalso() {
    const std::string s = registro / "lpstat";
    escreve(s, "#!/bin/sh\ncase \"$1\" in -e) printf 'fila1\\nfila2\\n';; "
               "-d) echo 'system default destination: fila2';; esac\n");
    ::chmod(s.c_str(), 0755);
    return s;
  }
};

TEST_F(QuentraTest, PrintsPlainUtf8WithThePitchOfTheWidestLineOrSaysWhyNot) {
  imp.lp = print_test::gravador(registro, "lp", 0);
  escreve(capturado(), "\x0f" "Ol\xa0\r\n" + std::string(100, 'x') + "\f\r");
  ASSERT_TRUE(print::print_captured(ctx, imp, capturado(), {}, semAmbiente));
  const std::string args = chamada(0, "args");
  EXPECT_EQ(args.substr(0, args.rfind('\n', args.size() - 2) + 1), "-t\nTAVREN NAO-DOS.TXT\n-o\ncpi=15\n-o\nlpi=6\n");
  EXPECT_EQ(chamada(0, "arq"), "Olá\n" + std::string(100, 'x') + "\f");
  EXPECT_FALSE(std::filesystem::exists(args.substr(args.rfind('\n', args.size() - 2) + 1))) << "the UTF-8 copy is gone";

  imp.lp = print_test::gravador(registro, "lp-falha", 1, "lp: Error - No default destination.");
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(print::print_captured(ctx, imp, capturado(), {}, semAmbiente));
  EXPECT_TRUE(term.contains("A impressão falhou:"_cp));
  EXPECT_TRUE(term.contains("No default destination."));
}

TEST_F(QuentraTest, PreviewAndPrinterChoiceCanCancel) {
  imp.lp = print_test::gravador(registro, "lp", 0);
  imp.lpstat = lpstatFalso();
  escreve(capturado(), "pagina um\r\n\f\rpagina dois\f\r");
  print::OpcoesQuentra op;
  op.pre = true;
  // Esc on the preview prints nothing.
  term.press(rt::term::key::PgDn).press(27);
  EXPECT_FALSE(print::print_captured(ctx, imp, capturado(), op, semAmbiente));
  EXPECT_TRUE(term.contains("pagina dois"));
  EXPECT_TRUE(term.contains("Página 2/2"_cp));
  EXPECT_FALSE(std::filesystem::exists(registro / "chamada-0.args"));
  // Enter prints; the printer list offers the default first.
  op.sel = true;
  term.press(rt::term::key::Enter).press(rt::term::key::Enter);
  EXPECT_TRUE(print::print_captured(ctx, imp, capturado(), op, semAmbiente));
  EXPECT_EQ(chamada(0, "args").substr(0, 9), "-d\nfila2\n");
  // Esc on the list cancels.
  term.press(rt::term::key::Enter).press(27);
  EXPECT_FALSE(print::print_captured(ctx, imp, capturado(), op, semAmbiente));
  EXPECT_FALSE(std::filesystem::exists(registro / "chamada-1.args"));
}

TEST_F(QuentraTest, ImpTxtHandsOverOnlyWhatThereIs) {
  imp.lp = print_test::gravador(registro, "lp", 0);
  imp.conf.NOMEIMP = "NAO DOS";
  imp.conf.NROLPT = 0;
  print::PedidoImpTxt pedido;
  pedido.MOSCPF = "S";
  pedido.CPF = "12345678909";
  // A job routed but never written, and one whose file went away: nothing to print.
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(print::IMP_TXT(ctx, imp, pedido, semAmbiente));
  EXPECT_TRUE(term.contains("Nada para imprimir!!"));
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  std::filesystem::remove(capturado());
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(print::IMP_TXT(ctx, imp, pedido, semAmbiente));
  EXPECT_FALSE(std::filesystem::exists(registro / "chamada-0.args"));

  // The job's last eject is not printed as an empty page; the taxpayer's copy is kept.
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  imp.dispositivo.say(0, 0, "folha");
  imp.dispositivo.eject();
  EXPECT_TRUE(print::IMP_TXT(ctx, imp, pedido, semAmbiente));
  EXPECT_EQ(le(capturado()), "folha \r");
  EXPECT_EQ(le(trabalhoLinux() + "12345678909.TXT"), "folha \r");
  EXPECT_EQ(chamada(0, "arq"), "folha ");

  // Another model prints nothing here: its output went to the printer itself.
  imp.conf.NOMEIMP = "Impressora";
  EXPECT_FALSE(print::IMP_TXT(ctx, imp, pedido, semAmbiente));
}

// The captured file's check gives the system's reason in its status, which the hand-over reads
// to tell a refused name from a file that is merely missing or empty.
TEST_F(QuentraTest, TheCapturedFileCheckCarriesTheSystemsReason) {
  print_test::Pasta pasta;
  const std::string arquivo = pasta.caminho() + "/NAO-DOS.TXT", vazio = pasta.caminho() + "/VAZIO.TXT";
  const std::string ligacao = pasta.caminho() + "/LIGACAO.TXT";
  escreve(arquivo, "folha\f\r");
  escreve(vazio, "");
  std::filesystem::create_symlink(arquivo, ligacao);
  EXPECT_TRUE(print::READSTREAM(arquivo));
  EXPECT_EQ(le(arquivo), "folha \r");  // the last eject is no empty page
  const rt::Status faltando = print::READSTREAM(pasta.caminho() + "/NADA.TXT");
  EXPECT_FALSE(faltando);
  EXPECT_EQ(faltando.sysError(), ENOENT);
  EXPECT_FALSE(faltando.told());
  const rt::Status semNada = print::READSTREAM(vazio);
  EXPECT_FALSE(semNada);
  EXPECT_EQ(semNada.sysError(), 0);
  const rt::Status recusado = print::READSTREAM(ligacao);
  EXPECT_FALSE(recusado);
  EXPECT_TRUE(rt::fs::isRefusal(recusado.sysError()));
  EXPECT_EQ(le(arquivo), "folha \r");  // not written through the link
}

// The taxpayer's copy of the captured file is put in place by a rename: a link planted under
// its name (to a file, dangling, to a folder) is refused and said, its target as it was, and
// the job is still printed.
TEST_F(QuentraTest, ALinkAtTheTaxpayersCopyIsRefusedAndTheJobStillPrinted) {
  imp.lp = print_test::gravador(registro, "lp", 0);
  imp.conf.NOMEIMP = "NAO DOS";
  imp.conf.NROLPT = 0;
  print::PedidoImpTxt pedido;
  pedido.MOSCPF = "S";
  pedido.CPF = "12345678909";
  print_test::Pasta fora;
  const std::string copia = trabalhoLinux() + "12345678909.TXT";
  for (support::Planta p : support::plantas()) {
    SCOPED_TRACE(support::nomePlanta(p));
    const std::string alvo = support::planta(p, copia, fora.caminho());
    ASSERT_TRUE(print::PREP_IMP(ctx, imp));
    imp.dispositivo.say(0, 0, "folha");
    term.press(rt::term::key::Enter);
    EXPECT_TRUE(print::IMP_TXT(ctx, imp, pedido, semAmbiente));
    EXPECT_TRUE(term.contains("Recusado: " + copia));
    EXPECT_TRUE(support::intacto(p, alvo));
    EXPECT_TRUE(std::filesystem::is_symlink(copia));
  }
  std::filesystem::remove(copia);
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  imp.dispositivo.say(0, 0, "folha");
  EXPECT_TRUE(print::IMP_TXT(ctx, imp, pedido, semAmbiente));
  EXPECT_EQ(le(copia), "folha");
}

}  // namespace
