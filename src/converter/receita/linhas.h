// The lines of a file written by the tax authority's programs (declarations, capital gains).
// They are read through a buffer; a line ends at a line feed, a NUL byte or the end of the
// file, and loses one carriage return before its line feed (files made under Windows), so a
// field at the end of a line never carries it.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/status.h"
#include "rt/base/unique_fd.h"

namespace converter {

// What the layouts can hold. The longest record they describe ends at line column 633
// (record 60 of a capital-gains file) and every record is one fixed-length line, so a line
// of more than 1,024 characters is none of theirs. A declaration as large as the tables take
// (a thousand assets and a thousand debts, the most their four-digit row numbers counting by
// ten allow, at most 1 KiB each, with as many payers, payments and other records again)
// stays well under 8 MiB; a larger file is refused before it fills the memory.
inline constexpr std::size_t kMaiorLinha = 1024;
inline constexpr std::size_t kMaiorArquivo = 8u << 20;

// Whether `caminho` names a regular file of its own folder: a regular file, or a link to one
// that lies in the same folder. Pipes, devices, folders and links out of the folder are no
// files of the tax authority's programs (a pipe would hang the reader, a device never end).
bool arquivoComum(const std::string& caminho);

class LeitorLinhas {
 public:
  struct Limites {
    std::size_t linha = std::numeric_limits<std::size_t>::max();
    std::size_t arquivo = std::numeric_limits<std::size_t>::max();
  };
  // Opens the file read-only when it is a regular file of its folder (arquivoComum);
  // aberto() says whether it could, erro() the system error, naoComum() that it is no file.
  explicit LeitorLinhas(const std::string& caminho) : LeitorLinhas(caminho, Limites{}) {}
  LeitorLinhas(const std::string& caminho, Limites limites);
  LeitorLinhas(const LeitorLinhas&) = delete;
  LeitorLinhas& operator=(const LeitorLinhas&) = delete;

  bool aberto() const { return fd_.valid(); }
  bool naoComum() const { return naoComum_; }
  // The failure of the open or of the last read (ok: none), its system error kept.
  const rt::Status& erro() const { return erro_; }
  // Which limit stopped the reading: a line or the file longer than given.
  enum class Excesso { Nenhum, Linha, Arquivo };
  Excesso excesso() const { return excesso_; }
  // LELINHA: the next line without its terminator; nullopt at the end of the file, after a
  // read error (erro() then says which) or past a limit (excesso()).
  std::optional<std::string> LELINHA();
  // Whether the file holds no byte at all (known after the first read).
  bool vazio();

 private:
  bool enche();
  rt::UniqueFd fd_;
  Limites limites_;
  rt::Status erro_;
  bool naoComum_ = false;
  Excesso excesso_ = Excesso::Nenhum;
  std::string buffer_;
  std::size_t pos_ = 0;
  std::size_t lidos_ = 0;
  bool fim_ = false;
  bool leuAlgo_ = false;
};

// The same split over bytes already in memory.
std::vector<std::string> linhasDe(std::string_view bytes);

}  // namespace converter
