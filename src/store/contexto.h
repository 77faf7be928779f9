// What the data store adds to the console's state: the work areas, the folders the tables
// live in, the opener's named variables and flags, and how waits are made. The shell's program
// state extends it; one lives for the whole run.
//
// Folders are kept as the office typed and stored them (old form "C:\DADOS\" or a Linux path)
// and become Linux paths only when a file is touched (console::caminhoLinux). The folders
// used to build file names end in a separator (ARQDEF, LOCARQ, LOCTRAB); the others do not.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "console/contexto.h"
#include "workareas/areas_trabalho.h"
#include "store/espera.h"
#include "store/relato.h"
#include "store/relato_console.h"

namespace store {

class LoteGravacao;

class Contexto : public console::Contexto {
 public:
  Contexto(rt::term::Console& console, const rt::text::Clock& clock, Espera& espera);

  // The open tables, by number (the table number is the area).
  workareas::AreasTrabalho areas;
  Espera& espera;
  // The batch of saves alive, if any (LoteGravacao, diario_gravacao.h): the tables it keeps
  // open between saves.
  LoteGravacao* loteGravacao = nullptr;

  // Folders.
  std::string ROTADEF;    // program folder, without a trailing separator
  std::string ARQDEF;     // program folder, with it
  std::string ROTADOANO;  // the year's data folder as stored in the terminal's settings
  std::string LOCARQ;     // current data folder, with a trailing separator
  std::string DIRTRAB;    // the terminal's work folder as stored
  std::string LOCTRAB;    // the work folder, with a trailing separator

  // Sets ROTADEF and ARQDEF from the program folder.
  void definePastaPrograma(std::string_view pasta);
  // Sets ROTADOANO and LOCARQ from the data folder.
  void definePastaDados(std::string_view pasta);
  // Sets DIRTRAB and LOCTRAB from the work folder.
  void definePastaTrabalho(std::string_view pasta);

  // The opener's named variables: the file names it used last (other code reads NOMARQ after
  // an open; NOMARQ1 and NOMARQ2 are the register's second and third index files).
  std::string NOMARQ, NOMARQ1, NOMARQ2;
  // Show the opener's checking and creating messages.
  bool MOS_MENS = false;
  // Rebuild every index on open (the program leaves it off).
  bool REFAZ_IND = false;
  // The alias for the next open of a file that is already open under its own name.
  std::string APELIDO;
  // Set when an open was refused because another terminal holds the file, or an append could
  // not get its lock; cleared by the next successful open or append.
  bool ERRO_REDE = false;

  // What the store says goes through here: the console's implementation unless another was put
  // in place (a quiet one, a test's recorder), which must outlive its use.
  Relato& relato() { return *relato_; }
  void defineRelato(Relato* r) { relato_ = r != nullptr ? r : &relatoConsole_; }

  // Where the seed files of the shipped tables are (one <FILE>.csv a table); empty when the
  // installation brings none, and shipped tables are then created empty.
  std::filesystem::path PASTA_SEMENTE;

 private:
  RelatoConsole relatoConsole_{*this};
  Relato* relato_ = &relatoConsole_;
};

}  // namespace store
