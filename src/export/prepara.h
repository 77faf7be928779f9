// The hand-over of the open declaration to the tax authority's program: the checks that it
// makes sense (PREPARA), the file written in the work folder (GERAR), put in place in the
// program's folder for the CPF (DISQUETE), and only then the program's index brought up to date.
//
// The declaration file replaces the previous one only once it is whole: it is copied under a
// temporary name beside it and renamed over it, so a failed copy leaves the previous file as it
// was. Every failure ends the export with one message and never with the success message.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "export/arquivo.h"
#include "export/gerar.h"
#include "export/interacao.h"
#include "export/secoes_complementos.h"
#include "store/contexto.h"
#include "store/declaracao.h"

namespace exporta {

struct PedidoExportacao {
  std::string LOCIRPF;  // the program's folder as stored (with its separator), or empty
  int OPCAO_1 = 0;      // menu item 63, 64 or 65; any other for the export after a save
  // The program's index, brought up to date for the CPF once its file is in place; false
  // when it could not be (it says why). Without one, the program's own (ATUALIZA_INDICE).
  std::function<bool(store::Contexto&, const std::string& cpf)> atualizaIndice;
  Complementos complementos = complementosDaDeclaracao();
};

enum class ResultadoExportacao {
  Transferida,
  SemPasta,       // no program folder
  Recusada,       // the user declined a warning
  NaoGerada,      // the file could not be written in the work folder
  NaoCopiada,     // it could not be put in the program's folder
  IndiceRecusado  // the file is in place, the index was not updated
};

// PREPARA: the whole export of the open declaration (its working copies open), talking
// through the console, or through `fala`.
ResultadoExportacao PREPARA(store::Contexto& ctx, store::Declaracao& dec, const PedidoExportacao& pedido);
ResultadoExportacao PREPARA(store::Contexto& ctx, store::Declaracao& dec, const PedidoExportacao& pedido,
                            Interacao& fala);

// DISQUETE: the work folder's declaration file into LOCIRPF + CPF + "\" + CPF + ".XML",
// creating the CPF's folder when missing. Failed, and told, when the file is not in place.
rt::Status DISQUETE(store::Contexto& ctx, std::string_view cpf, std::string_view LOCIRPF, Interacao& fala);

// The work folder's declaration file of this terminal: LOCTRAB + "Decla" + NUSU + ".XML".
std::string arquivoTemporario(const store::Contexto& ctx);

// ABRE_DISCO: creates (or empties) the file `nome` (as stored) in `arquivo`; a failure is
// told through VEJAERRO.
rt::Status ABRE_DISCO(console::Contexto& ctx, std::string_view nome, ArquivoSaida& arquivo);

// VEJAERRO: code 0 is done and says nothing; any other code shows its message and has failed
// (told).
rt::Status VEJAERRO(console::Contexto& ctx, int codigo, std::string_view nome);
rt::Status VEJAERRO(Interacao& fala, int codigo, std::string_view nome);
// The message of a code of codigoDos (a negative code is a system error shown by number).
std::string textoErro(int codigo, std::string_view nome);

}  // namespace exporta
