// Names between the clerk and the disk: a typed CP860 name is looked up and made as UTF-8, a
// UTF-8 name on disk is shown as CP860, and one the console cannot show is never offered.
#include "rt/fs/names.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/scratch_dir.h"

namespace rt::fs {
namespace {

TEST(Names, TypedNamesFoundAndMadeInTheFileSystemsEncoding) {
  EXPECT_EQ(diskName("RELAT\x9FRIO.TXT"), "RELAT\xC3\x93RIO.TXT");  // Ó
  EXPECT_EQ(shownName("A\xC3\xA7\xC3\xA3o.txt"), "A\x87\x84o.txt");  // Ação
  EXPECT_EQ(shownName("caf\xE9.txt"), "caf?.txt") << "Latin-1 bytes are not UTF-8";
  EXPECT_TRUE(roundTrips("A\xC3\xA7\xC3\xA3o.txt"));
  EXPECT_FALSE(roundTrips("caf\xE9.txt"));
  EXPECT_FALSE(roundTrips("\xE2\x82\xAC.txt")) << "the euro sign has no CP860 form";
  for (const char c : std::string("aZ09_-\x87\x80\x84\x9F\xA2\xA4")) EXPECT_TRUE(isPlainNameChar(c)) << int(c);
  for (const char c : std::string(" ./\\:*?\xB3\xC4\x9B\xF8")) EXPECT_FALSE(isPlainNameChar(c)) << int(c);

  support::Pasta pasta("nomes");
  for (const char* n : {"Relat\xC3\xB3rio.txt", "caf\xE9.txt", "CARTA.TXT", "carta.txt"})
    std::ofstream(pasta / n) << "x";
  struct Caso {
    const char* digitado;
    const char* achado;  // "" none
  };
  const Caso casos[] = {
      {"RELAT\x9FRIO.TXT", "Relat\xC3\xB3rio.txt"},  // Ó typed, ó on disk: one letter
      {"relat\xA2rio.txt", "Relat\xC3\xB3rio.txt"},
      {"Carta.Txt", "CARTA.TXT"},  // of two, the first in byte order
      {"caf?.txt", ""},            // a name the console cannot show is not found by its "?"
      {"RELATORIO.TXT", ""},
  };
  for (const Caso& c : casos) {
    const auto a = findTyped(pasta.caminho(), c.digitado);
    EXPECT_EQ(a.value_or(""), c.achado) << c.digitado;
  }
}

}  // namespace
}  // namespace rt::fs
