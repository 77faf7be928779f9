// Where a print job goes, decided from the terminal's printer record (table 57, CONFIMP) in
// the order the routing has always used:
//   1. model "NAO DOS": the file NAO-DOS.TXT in the work folder, printed afterwards through
//      the print program (print_captured);
//   2. both ports 0: the file <SAIDAPR>.TXT (upper case) or RELATOR.TXT in the work folder;
//   3. LOCIMPR "R": the CUPS queue named in NOMEREDE;
//   4. parallel port n: /dev/lp<n-1> (or the USB printer), serial port n: /dev/ttyS<n-1>.
// Because the file case comes first, a network printer is used only when a port is set.
#pragma once

#include <string>
#include <string_view>

#include "platform/printer.h"
#include "rt/base/result.h"

namespace print {

// The terminal's printer record.
struct ConfImp {
  int NROIMPR = 1;
  int NROLPT = 1;
  int NROCOM = 0;
  std::string LOCIMPR = "L";
  std::string VERMELHO = "N";
  std::string SAIDAPR = std::string(8, ' ');
  std::string NOMEIMP = "Impressora padrao";
  std::string NOMEREDE;
  std::string SEQ0 = "<018>", SEQ1 = "<015>", SEQ2 = "<027>A", SEQ3 = "<014>//<020>";
};

enum class TipoDestino { NaoDos, Arquivo, Fila, Paralela, Serial };

struct Destino {
  TipoDestino tipo = TipoDestino::Arquivo;
  std::string caminho;  // the file or device path, or the queue's name
  int porta = 0;        // the port number of a parallel or serial port
};

// Whether NOMEIMP names the captured-output model "NAO DOS".
bool naoDos(const ConfImp& c);

// Whether SAIDAPR is an acceptable output name: blank, or letters (accented ones too), digits,
// "_" and "-" only, so that the file always stays in the work folder.
bool saidaValida(std::string_view SAIDAPR);

// The destination of the record; `trabalho` is the work folder as a Linux path with its
// separator. The output file's name, typed in the console's code page, is given in UTF-8. kUnsafe for an output name that is not a plain base name; kBadArgument for a
// network printer without a name.
rt::Result<Destino> destinoDe(const ConfImp& c, std::string_view trabalho, const platform::PortMap& portas);

}  // namespace print
