// Seed data of the tables that come with the installation. Each table's rows are kept as
// readable UTF-8 text, one CSV file per table (data/seed/<FILE>.csv) whose first row names
// the fields; loading checks every value against the table's structure in the catalogue and
// turns it into CP860 text ready to be stored. Nothing here writes a table.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/catalogo.h"

namespace store {

// One value: the field as the catalogue spells it, and its text in CP860. Values are
// normalised: C as written; N with exactly the field's decimals ("1.60"); D as "yyyymmdd";
// L as "T" or "F"; M with CR LF line ends. An empty text is the field's blank value.
struct ValorSemente {
  std::string campo;
  std::string valor;
};

struct LinhaSemente {
  int linha = 0;  // line of the seed file where the row starts
  std::vector<ValorSemente> valores;
};

struct ErroSemente {
  std::string arquivo;
  int linha = 0;
  std::string campo;  // as written in the file; empty when the fault is not in one field
  std::string motivo;
  // "CODBENS.csv:12: DESCBENS: value too wide (63 > 60)"
  std::string texto() const;
};

struct Semente {
  std::vector<LinhaSemente> linhas;
  std::vector<ErroSemente> erros;  // every fault found; rows with a fault are left out
  bool ok() const { return erros.empty(); }
};

// Whether the installation brings rows for the table: the shipped reference tables and the
// checker's message list.
[[nodiscard]] bool temSemente(const TabelaDef& t);

// The seed file of a table in `pasta`: the file base name in upper case + ".csv".
std::filesystem::path arquivoSemente(const std::filesystem::path& pasta, const TabelaDef& t);

// Reads seed text (UTF-8) for table `t`; `arquivo` names the file in error reports.
Semente leSemente(const TabelaDef& t, std::string_view textoUtf8, std::string_view arquivo);
// Reads a seed file; a file that cannot be read is reported as an error on line 0.
Semente leArquivoSemente(const TabelaDef& t, const std::filesystem::path& arquivo);

// Checks and normalises one value for a field: true when the value fits the field (`valor` then
// holds it as stored); false with the reason in `motivo`, which the seed's report collects.
[[nodiscard]] bool normalizaValor(const CampoDef& c, std::string_view textoUtf8, std::string& valor, std::string& motivo);

// The single record written into a new DEFINE: the quota due dates of 2010, the billing
// rates, the save mode and the dollar rate; every other field blank.
std::vector<ValorSemente> sementeDEFINE();

}  // namespace store
