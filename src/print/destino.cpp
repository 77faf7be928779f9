#include "print/destino.h"

#include <algorithm>

#include "rt/fs/names.h"
#include "rt/text/strings.h"

namespace print {

bool naoDos(const ConfImp& c) { return rt::text::alltrim(c.NOMEIMP) == "NAO DOS"; }

bool saidaValida(std::string_view SAIDAPR) {
  const std::string_view nome = rt::text::alltrim(SAIDAPR);
  return std::all_of(nome.begin(), nome.end(), rt::fs::isPlainNameChar);
}

rt::Result<Destino> destinoDe(const ConfImp& c, std::string_view trabalho, const platform::PortMap& portas) {
  using R = rt::Result<Destino>;
  const std::string pasta(trabalho);
  if (naoDos(c)) return Destino{TipoDestino::NaoDos, pasta + "NAO-DOS.TXT", 0};
  if (c.NROLPT == 0 && c.NROCOM == 0) {
    const std::string nome = rt::text::upper(rt::text::alltrim(c.SAIDAPR));
    if (!saidaValida(nome)) return R(rt::Error::kUnsafe, "output name " + nome);
    // Typed in the console's code page; the file is named in the file system's UTF-8.
    return Destino{TipoDestino::Arquivo, pasta + rt::fs::diskName(nome.empty() ? std::string("RELATOR") : nome) + ".TXT",
                   0};
  }
  if (rt::text::upper(rt::text::alltrim(c.LOCIMPR)) == "R") {
    const std::string fila = platform::cupsQueueName(c.NOMEREDE);
    if (fila.empty()) return R(rt::Error::kBadArgument, "no network printer named");
    return Destino{TipoDestino::Fila, fila, 0};
  }
  if (c.NROLPT > 0) return Destino{TipoDestino::Paralela, portas.parallel(c.NROLPT), c.NROLPT};
  return Destino{TipoDestino::Serial, portas.serial(c.NROCOM), c.NROCOM};
}

}  // namespace print
