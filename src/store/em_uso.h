// Which terminal has a declaration open. While a terminal edits a taxpayer's declaration it
// holds an open-file-description lock in the file DECLARA.LCK of that data folder, on the one
// byte that stands for the pair (CPF, terminal): CPF c and terminal t lock the byte
// kBase + c * 100 + t. Another terminal that wants the same CPF asks for the whole range of the
// CPF (c * 100 .. c * 100 + 99); the conflicting lock's offset tells it which terminal holds it.
// Nothing is written into any table: a terminal that dies loses its locks with its process, so
// it leaves no mark behind. The deletion, the move, the change of CPF and the copy into a
// taxpayer hold the same lock while they change his rows, so a declaration cannot be opened
// meanwhile, and they leave out a taxpayer another terminal holds.
#pragma once

#include <string>
#include <string_view>

#include "rt/base/status.h"
#include "rt/base/unique_fd.h"
#include "store/contexto.h"

namespace store {

// This terminal's hold on one declaration, kept while the object lives.
class UsoDeclaracao {
 public:
  UsoDeclaracao() = default;
  UsoDeclaracao(UsoDeclaracao&&) noexcept = default;
  UsoDeclaracao& operator=(UsoDeclaracao&&) noexcept = default;
  UsoDeclaracao(const UsoDeclaracao&) = delete;
  UsoDeclaracao& operator=(const UsoDeclaracao&) = delete;
  ~UsoDeclaracao() = default;

  // The lock file, its lock on this terminal's byte already taken.
  explicit UsoDeclaracao(rt::UniqueFd fd) : fd_(std::move(fd)) {}

  bool held() const { return fd_.valid(); }
  // Lets the declaration go (closing the file drops the lock).
  void libera() { fd_.reset(); }

 private:
  rt::UniqueFd fd_;
};

// The result of asking for a declaration: held, or the terminal that holds it ("??" when it
// cannot be told), or the system's reason when the lock file could not be used at all.
struct PosseDeclaracao {
  bool livre = false;    // this terminal may go on with the declaration
  UsoDeclaracao uso;     // held until the declaration is let go
  std::string terminal;  // the other terminal, when it holds the declaration
  std::string erro;      // the lock file could not be opened or locked
};

// Takes the declaration of `cpf` in data folder `pasta` for this terminal (ctx.NUSU), without
// waiting. A CPF that is not 11 digits stands for nobody and is always free (held on nothing).
PosseDeclaracao tomaDeclaracao(Contexto& ctx, std::string_view pasta, std::string_view cpf);

// The same hold on the taxpayer's entry journal (item 12), on bytes of its own in the same file:
// the journal copies the taxpayer's entries and writes them all back when it ends, so a second
// terminal in it would write its copy over the first one's entries. The journal does not hold
// the declaration (entries may be typed while the declaration is open elsewhere); its transfer
// takes the declaration for the time it posts.
PosseDeclaracao tomaLancamentos(Contexto& ctx, std::string_view pasta, std::string_view cpf);
// Its refusal: "Lançamentos em uso no terminal NN", or why the lock could not be had.
std::string textoLancamentosEmUso(const PosseDeclaracao& p);

// The message for a declaration held elsewhere: "Declaração em uso no terminal NN".
std::string textoEmUso(std::string_view terminal);

// The message of a refused taking: the terminal that holds it, or why the lock could not be had.
std::string textoRecusa(const PosseDeclaracao& p);

// tomaDeclaracao for a change made on the taxpayer's rows outside the driver: ok with the hold
// in `uso`; refused with kInUse, untold, the refusal's text as its detail and in `motivo`
// (when given), for the caller to say or gather.
rt::Status reservaDeclaracao(Contexto& ctx, std::string_view pasta, std::string_view cpf, UsoDeclaracao& uso,
                             std::string* motivo);

}  // namespace store
