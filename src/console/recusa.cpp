#include "console/recusa.h"

#include "rt/text/cp860.h"

namespace console {

using namespace rt::text::literals;
using rt::Error;

std::string textoRecusa(const rt::Status& s, std::string_view oque) {
  const std::string nome(oque);
  switch (s.code()) {
    case Error::kOverflow:
      return std::string("O valor não cabe no campo "_cp) + nome + "; ele ficou como estava.";
    case Error::kLocked:
    case Error::kNotLocked:
    case Error::kInUse:
      return std::string("Não foi possível gravar "_cp) + nome + ": registro em uso por outro terminal.";
    case Error::kIo:
      return std::string("Não foi possível gravar "_cp) + nome + ": erro de disco (" + s.detail() + ").";
    default:
      return std::string("Não foi possível gravar "_cp) + nome + ": " + s.message() + ".";
  }
}

}  // namespace console
