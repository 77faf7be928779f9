// The output device's byte stream, its targets and the routing of the printer record.
#include <gtest/gtest.h>
#include <sys/file.h>

#include <fcntl.h>

#include "platform/printer.h"
#include "print/destino.h"
#include "print/sequencias.h"
#include "rt/dev/printer.h"
#include "rt/dev/target.h"
#include "support/scratch_dir.h"
#include "print_test_util.h"

namespace {

using print::ConfImp;
using print::TipoDestino;

TEST(Sequencias, ComposeBytesOnceFromLeftToRight) {
  struct Caso {
    const char* texto;
    std::string bytes;
    int laser;
  };
  const Caso casos[] = {
      {"<018>", "\x12", 0},
      {"<015>", "\x0f", 0},
      {"<027>A", "\x1b" "A", 0},
      {"<esc>E<Esc>", "\x1b" "E\x1b", 0},
      {"<060>", "<", 0},            // the "<" a token yields is not read again
      {"<060>018>", "<018>", 0},    // ... not even when it looks like a token
      {"a<b", "a<b", 0},            // a stray "<" stays
      {"<01>x", "<01>x", 0},        // not five characters
      {"<999>", "<999>", 0},        // no such byte
      {"<000>X", std::string("\0X", 2), 0},
      {"<027>&l<###>A   ", "\x1b&l###A", 4},
      {"", "", 0},
  };
  for (const Caso& c : casos) {
    int laser = 0;
    EXPECT_EQ(print::MONTASTRG(c.texto, &laser), c.bytes) << c.texto;
    EXPECT_EQ(laser, c.laser) << c.texto;
  }
  const print::Sequencias padrao = print::montaSequencias("<018>", "<015>", "<027>A", "<014>//<020>");
  EXPECT_EQ(padrao.STRING[0], "\x12");
  EXPECT_EQ(padrao.STRING[1], "\x0f");
  EXPECT_EQ(padrao.STRING[2], "\x1b" "A");
  EXPECT_EQ(padrao.STRING[3], "\x0e");
  EXPECT_EQ(padrao.STRING[4], "\x14");
  EXPECT_EQ(print::montaSequencias("", "", "", "<014>").STRING[4], "");
}

TEST(Destino, EachRecordStateGivesItsTarget) {
  const platform::PortMap portas("/dev", [](const char* n) -> const char* {
    return std::string_view(n) == "TAVREN_LPT2" ? "/tmp/fake-lp" : nullptr;
  });
  auto com = [](auto muda) {
    ConfImp c;
    muda(c);
    return c;
  };
  struct Caso {
    ConfImp conf;
    TipoDestino tipo;
    std::string caminho;
  };
  const Caso casos[] = {
      {com([](ConfImp& c) { c.NOMEIMP = "NAO DOS        "; c.NROLPT = 0; }), TipoDestino::NaoDos, "/w/NAO-DOS.TXT"},
      {com([](ConfImp& c) { c.NROLPT = 0; }), TipoDestino::Arquivo, "/w/RELATOR.TXT"},
      {com([](ConfImp& c) { c.NROLPT = 0; c.SAIDAPR = "lista   "; }), TipoDestino::Arquivo, "/w/LISTA.TXT"},
      // the file case comes before the network one
      {com([](ConfImp& c) { c.NROLPT = 0; c.LOCIMPR = "R"; c.NOMEREDE = "laser"; }), TipoDestino::Arquivo, "/w/RELATOR.TXT"},
      {com([](ConfImp& c) { c.LOCIMPR = "R"; c.NOMEREDE = "\\\\srv\\HP LaserJet  "; }), TipoDestino::Fila, "HP_LaserJet"},
      {com([](ConfImp& c) { c.NROLPT = 2; }), TipoDestino::Paralela, "/tmp/fake-lp"},
      {com([](ConfImp& c) { c.NROLPT = 0; c.NROCOM = 2; }), TipoDestino::Serial, "/dev/ttyS1"},
  };
  for (const Caso& c : casos) {
    auto d = print::destinoDe(c.conf, "/w/", portas);
    ASSERT_TRUE(d) << c.caminho;
    EXPECT_EQ(d->tipo, c.tipo) << c.caminho;
    EXPECT_EQ(d->caminho, c.caminho);
  }
  for (const char* ruim : {"../x", "a/b", "..", "x.y", "a b"}) {
    EXPECT_EQ(print::destinoDe(com([&](ConfImp& c) { c.NROLPT = 0; c.SAIDAPR = ruim; }), "/w/", portas).code(),
              rt::Error::kUnsafe)
        << ruim;
  }
  EXPECT_FALSE(print::destinoDe(com([](ConfImp& c) { c.LOCIMPR = "R"; c.NOMEREDE = "  "; }), "/w/", portas));
}

TEST(Dispositivo, WritesTheOldStreamAndReroutingAppends) {
  print_test::Pasta pasta;
  const std::string arq = pasta / "SAIDA.TXT";
  print_test::escreve(arq, "velho conteudo");
  rt::dev::Printer p;
  {
    auto t = rt::dev::openFile(arq, false);
    ASSERT_TRUE(t);
    p.route(std::move(*t));
  }
  p.say(0, 3, "AB");
  p.say(0, 1, "c");     // left of the head: CR, then blanks
  p.say(2, 0, "L2");    // two rows down
  EXPECT_EQ(p.prow(), 2);
  EXPECT_EQ(p.pcol(), 2);
  p.control("\x12");   // takes no column
  p.say(1, 0, "N");     // a row above: the page is ejected first
  p.eject();
  ASSERT_TRUE(p.close());
  EXPECT_EQ(print_test::le(arq), "   AB\r c\r\n\r\nL2\x12\f\r\r\nN\f\r");

  // A second routing of the same job appends.
  auto t2 = rt::dev::openFile(arq, true);
  ASSERT_TRUE(t2);
  p.route(std::move(*t2));
  p.say(0, 0, "Z");
  ASSERT_TRUE(p.close());
  EXPECT_EQ(print_test::le(arq), "   AB\r c\r\n\r\nL2\x12\f\r\r\nN\f\rZ");

  // Another terminal holding the file keeps this one out until it lets go.
  const int fd = ::open(arq.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  EXPECT_EQ(rt::dev::openFile(arq, false).code(), rt::Error::kNotAvailable);
  ::close(fd);
  EXPECT_EQ(print_test::le(arq).size(), 23u) << "a refused open empties nothing";

  std::string corpo;
  p.route(rt::dev::stringTarget(corpo));
  p.say(1, 2, "x");
  ASSERT_TRUE(p.close());
  EXPECT_EQ(corpo, "\r\n  x");
}

TEST(Dispositivo, AFailedWriteIsReportedOnClose) {
  rt::dev::Printer p;
  auto t = rt::dev::openDevice("/dev/full", false);
  ASSERT_TRUE(t);
  p.route(std::move(*t));
  p.say(0, 0, "texto");
  const rt::Status s = p.close();
  EXPECT_FALSE(s);
  EXPECT_EQ(s.code(), rt::Error::kNoSpace);
  EXPECT_FALSE(rt::dev::openDevice(print_test::Pasta() / "nao-existe", false));
}

}  // namespace
