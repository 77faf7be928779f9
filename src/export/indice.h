// The tax authority's program lists the declarations it knows in its index file,
// LOCIRPF + "iddeclaracoes.xml", one `item` per CPF. After a declaration file is in place its
// taxpayer's item is replaced there; the same identifier attributes close the declaration file
// itself as `copiaIdentificador`, which is what the rebuild of the index reads back.
//
// Several terminals export into one program folder: the read-modify-write of the index runs
// under a lock on the index file, and the new index is written beside it and renamed over it,
// so a crash or a full disk leaves the previous index whole and no terminal's item is lost.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/status.h"
#include "store/espelho.h"

namespace exporta {

// The identifier attributes (IDENTIF) of one taxpayer, as stored.
struct Identificador {
  std::string CPF;  // eleven digits
  std::string RETIFICA, NOVOEND, NOMECONTR, NRORECIBO, RECIBOANT, USAPADRAO, DECFINAL;
};
Identificador identificadorDe(const store::EspelhoDeclaracao& d);
// " cpf=..." to " transmitida="0"", in the format's order.
std::string IDENTIF(const Identificador& id);

inline constexpr std::string_view kNomeIndice = "iddeclaracoes.xml";
inline constexpr std::string_view kDeclaracaoXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
// The collection's start tag, in one piece.
std::string inicioColecao();

// A chunk without the blanks and line breaks before its tag.
std::string_view semBrancosIniciais(std::string_view s);

// LELINHA: the index cut after every ">" or zero byte; the last piece may lack its stop byte.
std::vector<std::string_view> pedacos(std::string_view texto);

// The index `antigo` with the item of `cpf` (eleven digits) replaced by `item`, placed last.
// An item is known by its `cpf` attribute whatever blanks precede it or whatever attribute
// comes first; an empty, truncated or unreadable index starts a fresh collection.
std::string indiceCom(std::string_view antigo, std::string_view cpf, std::string_view item);

enum class ResultadoIndice {
  Gravado,
  Ocupado,      // the index stayed held by someone else until the wait ended
  ErroLeitura,  // it could not be opened or read
  ErroGravacao  // the new index could not be written; the old one is as it was
};

struct OpcoesIndice {
  // Called between tries while the index is held (half a second each); false ends the wait.
  std::function<bool()> espera;
  // Between writing the new index and putting it in place (for tests of a crash there).
  std::function<void()> antesDeRenomear;
};

// The read-modify-write of the index `caminho` (a Linux path, found in any case) under its
// lock: `novo` makes the new index from the old one. `erro` gets the failure's status (with
// its system error number).
ResultadoIndice alteraIndice(const std::string& caminho,
                             const std::function<std::string(std::string_view)>& novo,
                             const OpcoesIndice& opcoes, rt::Status* erro = nullptr);
// The item of `cpf` replaced in the index (indiceCom) under its lock.
ResultadoIndice gravaIndice(const std::string& caminho, std::string_view cpf, std::string_view item,
                            const OpcoesIndice& opcoes, rt::Status* erro = nullptr);

// Removes from `pasta` the scratch files of exports that no living process holds (killed
// midway): those of rt::fs::ScratchFile and the names older versions used. The number removed.
int limpaProvisorios(const std::string& pasta);
// Whether `nome` is a scratch name older versions of the export used.
bool nomeProvisorioAntigo(std::string_view nome);

// Writes `texto` as the whole file `caminho` through a scratch file beside it and a rename;
// failed with a refusal's error when `caminho` is a link. `antesDeRenomear` as above.
rt::Status substituiArquivo(const std::string& caminho, std::string_view texto,
                            const std::function<void()>& antesDeRenomear = {});

}  // namespace exporta
