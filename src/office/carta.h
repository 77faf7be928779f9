// The letter file: the office's letters to its clients, kept as CP860 text in the letters'
// folder. Its layout is shared by the editor, the print job's letter sheet and the e-mail:
//
//   [header, 19 bytes] text 1A
//
// The header, present when the file starts with B2 B3, is B2 B3, the left margin (3 bytes),
// the right margin (3), the line width (3), the page length (2), the top margin (2) and the
// bottom margin (2), each right-aligned with blanks, then B3 B2. Without it the letter has the
// defaults 0/0/136/66/0/0, and a letter with the defaults is written without it. Lines end in
// CR LF; a line the editor broke by word wrap ends in the soft line end 8D 0A. A merge field
// is AE, its name, AF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rt/base/status.h"

namespace office {

inline constexpr char kCampoAbre = '\xAE', kCampoFecha = '\xAF';
inline constexpr std::size_t kTamanhoCabecalho = 19;

struct FormatoCarta {
  int margemEsquerda = 0, margemDireita = 0;
  int largura = 136;  // columns of text per line: the editor's wrap and the printed width
  int linhas = 66;    // page length
  int margemSuperior = 0, margemInferior = 0;

  bool padrao() const { return *this == FormatoCarta{}; }
  // A format that can be laid out: a line of at least one column and a page with room for one
  // line between its margins, no negative value.
  bool utilizavel() const;
  bool operator==(const FormatoCarta&) const = default;
};

struct Carta {
  std::string texto;  // the text proper, without header and end byte
  FormatoCarta formato;
};

// MEMORDOC's reading of a file's bytes: the header (a header that cannot be laid out gives
// the defaults), the text from byte 20, a final 1A dropped.
Carta leCarta(std::string_view bytes);

// FORMATA: the header when the format is not the defaults, then the text (no end byte).
std::string FORMATA(const Carta& c);

// The letter as stored: FORMATA and the end byte 1A.
std::string bytesDaCarta(const Carta& c);

// The file's bytes; nothing when it cannot be read.
std::optional<std::string> leArquivo(const std::string& caminho);

// Puts the letter at `caminho`: written whole into a scratch file beside it, synced and renamed
// over it, so a kill or a failed write (a full disk) leaves the old letter whole. A name that
// is a link or no plain file is refused. The error says the step and the system's reason.
rt::Status gravaCarta(const std::string& caminho, const Carta& c);

// The letters' folder rule. `nome` is a plain file name as typed (CP860: "CARTA", "carta.txt",
// "RELATÓRIO"); a name without extension gets ".txt". An existing file of the folder is found
// whatever its case (accented letters too); a new one is made in upper case. The path is the
// file system's (UTF-8). A name with a folder, "..", or characters other than letters (accented
// ones too), digits, "_", "-" and one "." gives nothing.
std::optional<std::string> arquivoNaPasta(const std::string& pasta, std::string_view nome);

}  // namespace office
