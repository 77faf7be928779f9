#include "platform/dos_error.h"

#include <cerrno>
#include <filesystem>

namespace platform {

int codigoDos(int erro, const std::string& caminho) {
  switch (erro) {
    case 0:
      return 0;
    case ENOENT: {
      const auto pai = std::filesystem::path(caminho).parent_path();
      std::error_code ec;
      return pai.empty() || std::filesystem::is_directory(pai, ec) ? 2 : 3;
    }
    case ENOTDIR:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EROFS:
      return 5;
    case ELOOP:
    case EMLINK:
    case EISDIR:
    case ENXIO:
      return kLink;
    default:
      return -erro;
  }
}

}  // namespace platform
