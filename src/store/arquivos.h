// Where a catalogue table lies and what the table engine needs to make it: the catalogue's
// field lists mapped onto the engine's, the stored file names of tables and index files in the
// context's folders, and their Linux paths.
//
// File names are made in upper case ("IMP0110.DBF", "LISERRO.CDX"); existing files are found in
// any case. Only the base name is upper-cased: the folder is kept as typed, since Linux folder
// names are case-sensitive.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rt/db/structure.h"
#include "rt/db/table.h"
#include "store/catalogo.h"
#include "store/contexto.h"

namespace store {

// The engine's structure for a catalogue field list.
std::vector<rt::db::FieldDef> camposDbf(std::span<const CampoDef> campos);

// The folder variable of a kind of folder: LOCARQ, ARQDEF or LOCTRAB (with its separator).
const std::string& pastaDe(const Contexto& ctx, Pasta pasta);

// The stored name of a table's file without extension: folder + upper-case base name,
// completed by the terminal number for per-terminal tables ("C:\DADOS\IMP0110").
std::string arquivoTabela(const Contexto& ctx, const TabelaDef& t);
// The same for one of its index files.
std::string arquivoIndice(const Contexto& ctx, const TabelaDef& t, const IndiceDef& i);

// `arquivo` with its last component in upper case and `extensao` added when that component
// has no dot ("c:\dados\imp0110" -> "c:\dados\IMP0110.DBF").
std::string comExtensao(std::string_view arquivo, std::string_view extensao);
// The Linux path of a stored file name (drive letters mapped; existing levels and the file
// itself found in any case).
std::string caminho(const Contexto& ctx, std::string_view arquivo);
// Whether the file exists, its name compared without regard to case.
[[nodiscard]] bool existe(const Contexto& ctx, std::string_view arquivo);

// Open options of a table held exclusively, and of one only read.
rt::db::OpenOptions soParaMim();
rt::db::OpenOptions soLeitura();

// A value of seed or stored text for a field of a catalogue structure: C and M as they are,
// N read as a number, D as "yyyymmdd", L "T" (or "Y") for true.
rt::db::Value valorDeTexto(char tipo, std::string_view texto);

}  // namespace store
