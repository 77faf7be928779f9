// Printing through a real CUPS scheduler of the test's own: the print program's plain text
// and a raw job of a network printer both reach the queue's device.
#include <gtest/gtest.h>

#include "print/quentra.h"
#include "print/rota.h"
#include "print_fixture.h"
#include "servidor_cups.h"

namespace {

class CupsTest : public print_test::PrintFixture {};

TEST_F(CupsTest, CapturedTextAndRawJobsReachTheQueue) {
  print_test::ServidorCups cups;
  if (!cups.falha().empty()) GTEST_SKIP() << cups.falha();
  imp.lp = "lp";
  imp.lpstat = "lpstat";
  const std::string arquivo = trabalhoLinux() + "NAO-DOS.TXT";
  print_test::escreve(arquivo, "\x0f" "Declara\x87\x84o de teste\r\n\f\r");
  ASSERT_TRUE(print::print_captured(ctx, imp, arquivo, {}, platform::processEnvironment())) << term.dump();
  EXPECT_TRUE(cups.espera("Declaração de teste\n\f")) << print_test::le(cups.saida()) << cups.registro();

  imp.conf.LOCIMPR = "R";
  imp.conf.NOMEREDE = "teste";
  ASSERT_TRUE(print::PREP_IMP(ctx, imp));
  imp.MUDAIMP(1);
  imp.dispositivo.say(0, 0, "bruto");
  ASSERT_TRUE(print::fechaSaida(ctx, imp)) << term.dump();
  EXPECT_TRUE(cups.espera("\x0f" "bruto")) << print_test::le(cups.saida()) << cups.registro();
}

}  // namespace
