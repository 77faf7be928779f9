#include "store/sementes_embutidas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// The program carries every seed file of the source tree, byte for byte.
TEST(SementesEmbutidas, MatchTheFilesOfTheSourceTree) {
  namespace fs = std::filesystem;
  std::size_t onDisk = 0;
  for (const auto& entry : fs::directory_iterator(TAVREN_SEED_DIR)) {
    if (entry.path().extension() != ".csv") continue;
    ++onDisk;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    bool found = false;
    for (const auto& f : store::sementesEmbutidas())
      if (f.nome == entry.path().filename().string()) {
        found = true;
        EXPECT_EQ(f.texto, bytes.str()) << f.nome;
      }
    EXPECT_TRUE(found) << entry.path();
  }
  EXPECT_EQ(store::sementesEmbutidas().size(), onDisk);
  EXPECT_GT(onDisk, 10u);
}

}  // namespace
