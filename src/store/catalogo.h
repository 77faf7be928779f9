// The table catalogue: every table of the system as data. Number, file, folder, fields in
// order, index files with their keys, open mode, origin and upgrade marker all live here, so
// creation, the working copies, the structure checks and the tests derive from one place.
//
// The types are plain and independent of the table engine; the opener maps them onto the
// engine's own structure type.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/areas.h"

namespace store {

// One field: name as the catalogue writes it (case kept; DBF stores it upper-cased), type
// C, N, D, L or M, width and decimals. D is always 8 wide, L 1, M 10 (a DBT block pointer).
struct CampoDef {
  std::string nome;
  char tipo = 'C';
  int largura = 1;
  int decimais = 0;
};

// One index file holding one key: `arquivo` is the file's base name without ".CDX".
struct IndiceDef {
  std::string arquivo;
  std::string chave;
};

// Which folder a table lives in: the data folder (LOCARQ), the program folder (ARQDEF) or
// the terminal's work folder (LOCTRAB).
enum class Pasta { Dados, Programa, Trabalho };

// How the opener opens the table when the caller does not say.
enum class ModoAbertura {
  Compartilhado,  // shared; declaration tables may be asked exclusive by the caller
  Exclusivo,
  Chamador,  // as the caller asks, shared by default
};

// How a table comes to exist.
enum class Origem {
  Criada,         // made from the catalogue when missing
  CriadaSemeada,  // made, and its single record written from the seed (DEFINE)
  CriadaLinhas,   // made empty; its rows come with the installation (LisErro)
  Fornecida,      // comes with the installation and is never made by the opener
};

// The field whose absence (or another type) marks an old structure to be upgraded.
struct MarcadorDef {
  std::string campo;
  char tipo = 'C';
};

struct TabelaDef {
  Area numero = Area::Nenhuma;
  // Base name as the catalogue writes it; it is also the alias. For per-terminal tables
  // (`porTerminal`) it is the prefix that the terminal number completes ("DIRET" + "07").
  std::string arquivo;
  bool porTerminal = false;
  Pasta pasta = Pasta::Programa;
  ModoAbertura modo = ModoAbertura::Compartilhado;
  Origem origem = Origem::Criada;
  std::vector<CampoDef> campos;
  // Index files in the opener's order; the first is the controlling order. For per-terminal
  // tables an index named like the table is completed by the terminal number too.
  std::vector<IndiceDef> indices;
  std::optional<MarcadorDef> marcador;
  // The message shown while the table is created (CP860), empty when none is shown.
  std::string mensagemCriacao;
  // A second table sharing this number's area (HELPATXT beside HELPTXT): found by name,
  // never by number.
  bool alternativa = false;
};

// Every table of the catalogue (01-20, 40-70 and HELPATXT), in number order. Built once.
std::span<const TabelaDef> catalogo();

// The table of number n (01-20, 40-49, 51-70); nullptr for numbers without a table of their
// own (0, 21-39, 50, beyond 70). 45 gives HELPTXT.
const TabelaDef* tabela(Area numero);

// The table whose file base name is `nome`, compared without regard to case; the name may
// carry a folder and the ".DBF" extension. Per-terminal tables match their prefix followed
// by two digits ("diret07.dbf"). Working copies are not found by name.
const TabelaDef* tabelaPorNome(std::string_view nome);

// The fields that CRIA gives number n: 01-20 and 40-70 their own; 21-39 those of n - 20,
// with 39 (and 20) those of 19. Empty for numbers without a structure.
std::span<const CampoDef> estrutura(Area numero);

// Record length of a structure: 1 (deletion flag) + the sum of the widths.
int tamanhoRegistro(std::span<const CampoDef> campos);
// Header length of the DBF file: 32 + 32 x fields + 1.
int tamanhoCabecalho(std::span<const CampoDef> campos);

// The field of a structure by name, compared without regard to case; nullptr when absent.
const CampoDef* campo(std::span<const CampoDef> campos, std::string_view nome);

// The file base name of a table on a terminal, in upper case as files are created:
// "IMP0910", "DIRET07", "LISERRO".
std::string nomeArquivo(const TabelaDef& t, std::string_view terminal);
// The same for an index file of that table ("DIRET07" for DIRET's own index).
std::string nomeIndice(const TabelaDef& t, const IndiceDef& i, std::string_view terminal);

// The per-terminal working files TMP_nn in the work folder (areas 21-39): the declaration
// copy while a declaration is open, the same copy rebuilt after a save, and the print copy.
enum class TipoCopia { Trabalho, AposGravar, Impressao };

// The copy of table `area` - 20 as a table of its own: number `area`, file "TMP_" + nn
// (completed by the terminal number), work folder, exclusive, the structure of the source
// table and one index file of the copy's own name with the key of that kind of copy.
// nullopt outside 21-39.
std::optional<TabelaDef> copiaDeTrabalho(Area area, TipoCopia tipo = TipoCopia::Trabalho);

// The index key of copy `area` of that kind ("" outside 21-39).
std::string chaveCopia(Area area, TipoCopia tipo);

}  // namespace store
