// Replays the key fuzzer's corpus through the same harness in the ordinary build, which
// cannot link libFuzzer: every file of the folders (or the files) given is run as keys, so a
// fault once found and fixed stays fixed. A fault aborts as under the fuzzer; a run that does
// not end within its time is reported by name and aborted too.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "programa_fuzz.h"

namespace {

constexpr unsigned kSegundosPorArquivo = 60;
char emCurso[512];

void tempoEsgotado(int) {
  const char prefixo[] = "replay_tavren: no end after 60 s (a loop that reads no key?): ";
  (void)!::write(2, prefixo, sizeof prefixo - 1);
  (void)!::write(2, emCurso, std::strlen(emCurso));
  (void)!::write(2, "\n", 1);
  std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> arquivos;
  for (int i = 1; i < argc; ++i) {
    if (fs::is_directory(argv[i])) {
      for (const auto& e : fs::directory_iterator(argv[i]))
        if (e.is_regular_file()) arquivos.push_back(e.path());
    } else {
      arquivos.emplace_back(argv[i]);
    }
  }
  std::sort(arquivos.begin(), arquivos.end());
  if (arquivos.empty()) {
    std::fprintf(stderr, "replay_tavren: no inputs given\n");
    return 1;
  }
  ::signal(SIGALRM, tempoEsgotado);
  for (const fs::path& a : arquivos) {
    std::ifstream in(a, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "replay_tavren: cannot read %s\n", a.c_str());
      return 1;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::snprintf(emCurso, sizeof emCurso, "%s", a.c_str());
    std::fprintf(stderr, "%s\n", a.c_str());
    ::alarm(kSegundosPorArquivo);
    fuzz::rodaPrograma(bytes.data(), bytes.size());
    ::alarm(0);
  }
  std::printf("replay_tavren: %zu inputs ran to their end\n", arquivos.size());
  return 0;
}
