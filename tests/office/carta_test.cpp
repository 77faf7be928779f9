// The letter file by its bytes: the page-format header written only off the defaults, the end
// byte, soft line ends kept, headers that cannot be laid out, and the letters' folder rule.
#include "office/carta.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "print_test_util.h"

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

TEST(CartaArquivo, NamesOfTheLettersFolder) {
  print_test::Pasta pasta;
  print_test::escreve(pasta / "carta.txt", "x");
  print_test::escreve(pasta / "Aviso.Txt", "x");
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
