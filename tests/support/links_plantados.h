// Links planted where the program writes a file of its own, as anyone who can write in a
// shared folder could plant them: to a file outside, dangling, to a folder. Tests plant each at
// a name, run the program's writer and check the target is as it was.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace support {

enum class Planta { LinkParaArquivo, LinkPendente, LinkParaPasta };

inline const std::vector<Planta>& plantas() {
  static const std::vector<Planta> v{Planta::LinkParaArquivo, Planta::LinkPendente, Planta::LinkParaPasta};
  return v;
}

inline const char* nomePlanta(Planta p) {
  switch (p) {
    case Planta::LinkParaArquivo:
      return "link to a file";
    case Planta::LinkPendente:
      return "dangling link";
    case Planta::LinkParaPasta:
      return "link to a folder";
  }
  return "";
}

inline constexpr const char* kConteudoAlvo = "CONTEUDO DE OUTRO ARQUIVO\n";

// Replaces whatever is at `nome` by a link of kind `p` to a target made in the folder `fora`
// (a file holding kConteudoAlvo, nothing, an empty folder); returns the target's path.
inline std::string planta(Planta p, const std::string& nome, const std::string& fora) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::remove_all(nome, ec);
  std::string alvo = fora + "/alvo";
  fs::remove_all(alvo, ec);
  if (p == Planta::LinkParaArquivo) std::ofstream(alvo, std::ios::binary) << kConteudoAlvo;
  if (p == Planta::LinkParaPasta) fs::create_directories(alvo);
  if (::symlink(alvo.c_str(), nome.c_str()) != 0) return {};
  return alvo;
}

// Whether the target of a planted link is as it was planted.
inline bool intacto(Planta p, const std::string& alvo) {
  namespace fs = std::filesystem;
  std::error_code ec;
  switch (p) {
    case Planta::LinkParaArquivo: {
      std::ifstream in(alvo, std::ios::binary);
      std::ostringstream lido;
      lido << in.rdbuf();
      return lido.str() == kConteudoAlvo;
    }
    case Planta::LinkPendente:
      return !fs::exists(fs::symlink_status(alvo, ec));
    case Planta::LinkParaPasta:
      return fs::is_directory(alvo, ec) && fs::is_empty(alvo, ec);
  }
  return false;
}

}  // namespace support
