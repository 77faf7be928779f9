// The listing of the tax authority's files in a source folder and the conversion of the
// ones the user marks (ABRE_DISCO after its folder dialog): the files of the asked kind are
// listed in LISNOME (table 70) with their taxpayer, the user marks them, and each marked one
// is converted in name order while five counters show how far the run is.
//
// The screens come from the converter's program (its selection grid and counters box); here
// they are given as functions, so the run itself is the same with or without them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "converter/contadores.h"
#include "converter/receita_arquivo.h"
#include "store/contexto.h"

namespace converter {

struct TelaConversao {
  // The marking grid over LISNOME (open in its area on the name order): the user sets IMPRE.
  std::function<void(store::Contexto&)> seleciona;
  // The counters box, drawn again with the counters given; `fecha` closes it.
  std::function<void(const Contadores&)> contadores;
  std::function<void()> fecha;
  MostraContribuinte mostra;
};

// The files of the kind of `modo` in the folder (a Linux path), names matched in any case:
// "*.DBK" then "*.DEC", or "*.GB9" then "*.GE9"; each group in name order.
std::vector<std::string> arquivosDaReceita(const std::string& pasta, Modo modo);

// Lists the files of `pasta` (a Linux path) in LISNOME; failed, and told, when there are none
// to convert or a file could not be read.
rt::Status listaArquivos(store::Contexto& ctx, Modo modo, const std::string& pasta);

// The whole run after the folder dialog: listing, marking, conversion of the marked files.
// The counters at the end (as shown).
Contadores converteArquivos(store::Contexto& ctx, Modo modo, const std::string& pasta, const TelaConversao& tela);

}  // namespace converter
