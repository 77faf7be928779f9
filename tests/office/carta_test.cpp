// The letter file by its bytes: the page-format header written only off the defaults, the end
// byte, soft line ends kept, headers that cannot be laid out, and the letters' folder rule. A
// save killed midway or met by a failing disk leaves the old letter whole.
#include "office/carta.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "print_test_util.h"
#include "rt/fs/shared_files.h"
#include "support/disk_faults.h"

namespace {

using office::Carta;
using office::FormatoCarta;
using print_test::le;

TEST(CartaArquivo, HeaderOnlyOffTheDefaultsAndReadBackByValue) {
  const std::string texto =
      "Prezado \xAENome\xAF,\r\nsegue a sua declara\x87\x84o com uma linha que o"
      "\x8D\nquebrou.";
  struct Caso {
    const char* nome;
    FormatoCarta formato;
    std::string bytes;
  };
  const Caso casos[] = {
      // A new letter has width 80: saved, it carries the header.
      {"novo", {0, 0, 80, 66, 0, 0}, "\xB2\xB3  0  0 8066 0 0\xB3\xB2" + texto + "\x1A"},
      {"padrao", {}, texto + "\x1A"},
      {"margens", {5, 10, 121, 60, 3, 12}, "\xB2\xB3  5 1012160 312\xB3\xB2" + texto + "\x1A"},
  };
  for (const Caso& c : casos) {
    const Carta carta{texto, c.formato};
    EXPECT_EQ(office::bytesDaCarta(carta), c.bytes) << c.nome;
    const Carta lida = office::leCarta(c.bytes);
    EXPECT_EQ(lida.texto, texto) << c.nome << ": soft line ends and accents are kept byte for byte";
    EXPECT_EQ(lida.formato, c.formato) << c.nome;
  }
  // A letter written before headers existed, and an empty file.
  EXPECT_EQ(office::leCarta("Carta antiga\r\n\x1A").texto, "Carta antiga\r\n");
  EXPECT_TRUE(office::leCarta("").formato.padrao());
}

TEST(CartaArquivo, AHeaderThatCannotBeLaidOutGivesTheDefaults) {
  const char* ruins[] = {
      "\xB2\xB3  0  0  066 0 0\xB3\xB2",  // width 0 would wrap for ever
      "\xB2\xB3  0  0abc66 0 0\xB3\xB2",  // not a number
      "\xB2\xB3  0  0 801910 9\xB3\xB2",  // a page of 19 with margins 10 and 9 has no line
      "\xB2\xB3 -1  0 8066 0 0\xB3\xB2",  // a negative margin
  };
  for (const char* cab : ruins) {
    const Carta c = office::leCarta(std::string(cab) + "texto\x1A");
    EXPECT_TRUE(c.formato.padrao()) << cab;
    EXPECT_EQ(c.texto, "texto") << cab;
  }
  // Top 10, bottom 9 and a page of 20 leave exactly one line: kept.
  EXPECT_EQ(office::leCarta("\xB2\xB3  0  0 802010 9\xB3\xB2x").formato, (FormatoCarta{0, 0, 80, 20, 10, 9}));
}

TEST(CartaArquivo, WritesEveryByteNeverThroughALinkAndSaysWhy) {
  print_test::Pasta pasta;
  const Carta c{"Texto", {0, 0, 80, 66, 0, 0}};
  ASSERT_TRUE(office::gravaCarta(pasta / "CARTA.TXT", c));
  EXPECT_EQ(le(pasta / "CARTA.TXT"), office::bytesDaCarta(c));
  // Rewritten shorter, nothing of the old letter is left.
  ASSERT_TRUE(office::gravaCarta(pasta / "CARTA.TXT", Carta{"T", {}}));
  EXPECT_EQ(le(pasta / "CARTA.TXT"), "T\x1A");

  print_test::escreve(pasta / "alvo", "intocado");
  ASSERT_EQ(::symlink((pasta / "alvo").c_str(), (pasta / "LINK.TXT").c_str()), 0);
  EXPECT_FALSE(office::gravaCarta(pasta / "LINK.TXT", c));
  EXPECT_EQ(le(pasta / "alvo"), "intocado");
  EXPECT_FALSE(office::gravaCarta(pasta / "nao/existe.txt", c));
  if (::geteuid() != 0) {
    ::chmod(pasta.caminho().c_str(), 0555);
    EXPECT_FALSE(office::gravaCarta(pasta / "NOVA.TXT", c));
    ::chmod(pasta.caminho().c_str(), 0755);
  }
  EXPECT_FALSE(office::leArquivo(pasta / "nenhuma.txt").has_value());
}

// Saves of two letters in turn by a child killed at a random moment, round after round: the
// file is always one of the two whole letters, and what a killed save left beside it is swept.
TEST(CartaArquivo, ASaveKilledAnywhereLeavesAWholeLetter) {
  print_test::Pasta pasta;
  const std::string arquivo = pasta / "CARTA.TXT";
  // Large enough for a kill to fall inside the write.
  const Carta versoes[2] = {{std::string(1 << 20, 'a'), {}}, {std::string(3 << 19, 'b'), {0, 0, 80, 66, 0, 0}}};
  const std::string inteiras[2] = {office::bytesDaCarta(versoes[0]), office::bytesDaCarta(versoes[1])};
  ASSERT_TRUE(office::gravaCarta(arquivo, versoes[0]));
  std::mt19937 sorte(std::random_device{}());
  constexpr int kRodadas = 120;
  int noMeio = 0;  // kills that left a scratch file: the save was under way
  for (int r = 0; r < kRodadas; ++r) {
    int comecou[2];
    ASSERT_EQ(::pipe(comecou), 0);
    const pid_t filho = ::fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
      ::close(comecou[0]);
      for (int i = r;; ++i) {
        (void)!::write(comecou[1], "s", 1);
        (void)office::gravaCarta(arquivo, versoes[i % 2]);
      }
    }
    ::close(comecou[1]);
    char c = 0;
    ASSERT_EQ(::read(comecou[0], &c, 1), 1);  // the child is in its first save
    // The moment of the kill is the test's input, not a wait for anything.
    std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 15000)(sorte)));
    ASSERT_EQ(::kill(filho, SIGKILL), 0);
    int estado = 0;
    ASSERT_EQ(::waitpid(filho, &estado, 0), filho);
    ::close(comecou[0]);
    const std::string agora = le(arquivo);
    ASSERT_TRUE(agora == inteiras[0] || agora == inteiras[1]) << "round " << r << ": " << agora.size() << " bytes";
    if (rt::fs::sweepScratch(pasta.caminho()) > 0) ++noMeio;
    ASSERT_EQ(pasta.arquivos(), std::vector<std::string>{"CARTA.TXT"}) << "round " << r;
  }
  RecordProperty("kills_inside_a_save", noMeio);
  EXPECT_GT(noMeio, 0) << "no kill fell inside a save";
}

// A save met by a full or failing disk at any of its calls (the write, the sync, the rename)
// fails saying the step and the system's reason, and the old letter stays as it was, with
// nothing left beside it; a write the disk cuts short is completed.
TEST(CartaArquivo, AFaultAnywhereInTheSaveKeepsTheOldLetterAndSaysWhy) {
  const Carta velha{"Prezado cliente,\r\nsegue a carta antiga.", {5, 0, 70, 60, 2, 2}};
  const Carta nova{std::string(32 << 10, 'n'), {}};
  for (const support::FaultCase& c : support::everyFault()) {
    SCOPED_TRACE(c.label());
    print_test::Pasta pasta;
    const std::string arquivo = pasta / "CARTA.TXT";
    ASSERT_TRUE(office::gravaCarta(arquivo, velha));
    support::DiskFaults falhas(support::Fault{c.call, c.kind, "CARTA.TXT"});
    const rt::Status s = office::gravaCarta(arquivo, nova);
    EXPECT_EQ(falhas.made(), 1);
    EXPECT_EQ(pasta.arquivos(), std::vector<std::string>{"CARTA.TXT"});
    if (c.kind == support::FaultKind::kShortWrite) {
      EXPECT_TRUE(s) << s.detail();
      EXPECT_EQ(le(arquivo), office::bytesDaCarta(nova));
      continue;
    }
    const char* passo = c.call == support::Call::kWrite ? "write " : c.call == support::Call::kSync ? "fsync " : "rename over ";
    EXPECT_EQ(s.detail(), passo + arquivo + ": " + std::string(support::faultText(c.kind)));
    EXPECT_EQ(le(arquivo), office::bytesDaCarta(velha));
  }
}

TEST(CartaArquivo, NamesOfTheLettersFolder) {
  print_test::Pasta pasta;
  print_test::escreve(pasta / "carta.txt", "x");
  print_test::escreve(pasta / "Aviso.Txt", "x");
  print_test::escreve(pasta / "Relat\xC3\xB3rio.txt", "x");  // Relatório, as the file system names it
  struct Caso {
    const char* nome;
    std::string arquivo;  // "" refused
  };
  const Caso casos[] = {
      {"CARTA", "carta.txt"},
      {"carta.TXT", "carta.txt"},
      {"aviso.txt", "Aviso.Txt"},
      {"nova", "NOVA.TXT"},
      {"Nova.doc", "NOVA.DOC"},
      {"  CARTA  ", "carta.txt"},
      // Typed in the console's code page, looked up and made in UTF-8.
      {"RELAT\x9FRIO", "Relat\xC3\xB3rio.txt"},
      {"A\x80\x8EO", "A\xC3\x87\xC3\x83O.TXT"},
      {"\xB3x", ""},
      {"../CARTA", ""},
      {"/etc/passwd", ""},
      {"sub/carta", ""},
      {"..", ""},
      {"", ""},
      {"a b", ""},
  };
  for (const Caso& c : casos) {
    const auto a = office::arquivoNaPasta(pasta.caminho(), c.nome);
    if (c.arquivo.empty()) {
      EXPECT_FALSE(a.has_value()) << c.nome;
    } else {
      ASSERT_TRUE(a.has_value()) << c.nome;
      EXPECT_EQ(*a, pasta / c.arquivo) << c.nome;
    }
  }
}

}  // namespace
