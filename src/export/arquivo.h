// Files of the export, written through checked system calls: every failure comes back as a
// Status (its system error number kept for the DOS-style codes the messages name), so a full
// disk or a vanished folder is an error, never a file cut short that is then reported as sent.
#pragma once

#include <string>
#include <string_view>

#include "platform/dos_error.h"
#include "rt/base/status.h"
#include "rt/base/unique_fd.h"
#include "rt/fs/shared_files.h"

namespace exporta {

// The export's folders are shared (the work folder, the tax program's folder), so a name there
// may be a planted link: a named file is never opened through one, and the files put in place
// are written beside their name first and renamed over it.
class ArquivoSaida {
 public:
  // Creates (or empties) the named file, never through a link.
  rt::Status cria(const std::string& caminho);
  // Creates the file only when no file (nor link) of that name is there (kExists when one is).
  // Two terminals never take one name.
  rt::Status criaNovo(const std::string& caminho);
  // A scratch file beside `alvo` (rt::fs::ScratchFile), for poeNoLugar; a refusal's error
  // (rt::fs::isRefusal) when `alvo` is a link or no plain file.
  rt::Status criaAoLado(const std::string& alvo);
  // Appends the whole text.
  rt::Status anexa(std::string_view texto);
  // Makes the contents durable and closes.
  rt::Status fecha();
  // The scratch file made durable, renamed over `alvo` and closed (on a failure the scratch
  // file is removed and `alvo` is as it was).
  rt::Status poeNoLugar(const std::string& alvo);

 private:
  int descritor() const { return provisorio_.ok() ? provisorio_.fd() : fd_.get(); }
  rt::UniqueFd fd_;
  rt::fs::ScratchFile provisorio_;
  std::string caminho_;  // named in a failure's detail
};

// The DOS-style code of a system error (platform/dos_error.h), as the export names it; of a
// failed Status, from the system error it came from (0 for an ok one).
using platform::codigoDos;
using platform::kLink;
int codigoDos(const rt::Status& s, const std::string& caminho);

// Copies `origem` in blocks of 1024 bytes into `para` (made by cria or criaAoLado); 0, or the
// code of codigoDos for a file that cannot be opened or read; kGravacaoCurta when a block
// could not be written whole.
inline constexpr int kGravacaoCurta = 1000;
struct ResultadoCopia {
  int codigo = 0;
  bool naOrigem = false;  // the error was on the file copied from
};
ResultadoCopia copiaArquivo(const std::string& origem, ArquivoSaida& para);
// The same into the named file `destino`, created or emptied (never through a link).
ResultadoCopia copiaArquivo(const std::string& origem, const std::string& destino);

}  // namespace exporta
