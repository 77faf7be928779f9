// Handing the captured "NAO DOS" output to the print program at the end of a job (IMP_TXT),
// and menu item 52, which prints the last captured file again.
#pragma once

#include <functional>
#include <string>

#include "platform/paths.h"
#include "rt/base/status.h"
#include "print/impressao.h"
#include "store/contexto.h"

namespace print {

// READSTREAM: a form feed just before the last byte (the job's final eject) becomes a blank in
// the file, so the printer gives no empty last page. Failed, untold, when the file cannot be
// opened for reading and writing (its sysError() says why, a refused name among them), cannot
// be rewritten, or is empty (sysError() 0): the caller words it.
rt::Status READSTREAM(const std::string& caminho);

// What IMP_TXT needs of the job: the terminal's choices and the taxpayer printed.
struct PedidoImpTxt {
  int tipo = 1;              // 1 the print job, others the callers' own (DARF, letters)
  int QUECON = 1;
  std::string MOSTEL = "N";  // preview first
  std::string MOSIMP = "N";  // choose the printer
  std::string MOSCPF = " ";  // keep a copy under the taxpayer's CPF
  std::string CPF;
  std::string EMAIL;         // the taxpayer's e-mail address
  // Sends the copy by e-mail (CPFEMAIL, address, subject, attachment); none: not offered.
  std::function<void(const std::string& cpf, const std::string& email, const std::string& assunto,
                     const std::string& anexo)>
      enviaEmail;
};

// IMP_TXT: only for the "NAO DOS" model. Closes the output device, then prints the captured
// file through print_captured ("Nada para imprimir!!" for a missing or empty one). Failed when
// nothing was printed: told when something was said (the file, the closing, the print program,
// a cancel), untold and silent for another model or a job never routed to a file.
rt::Status IMP_TXT(store::Contexto& ctx, Impressao& imp, const PedidoImpTxt& pedido, const platform::EnvLookup& env);

// Menu item 52: prints the captured file of the work folder again, the e-mail offered to the
// register's current taxpayer; "Selecione a impressora Nao DOS antes" when there is none.
// Failed, and told, when nothing was printed.
rt::Status IMP_NAODOS(store::Contexto& ctx, Impressao& imp, PedidoImpTxt pedido, const platform::EnvLookup& env);

}  // namespace print
