#include "print/destino.h"

#include "rt/text/strings.h"

namespace print {

bool naoDos(const ConfImp& c) { return rt::text::alltrim(c.NOMEIMP) == "NAO DOS"; }

bool saidaValida(std::string_view SAIDAPR) {
  for (char ch : rt::text::alltrim(SAIDAPR)) {
    const bool letra = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
    const bool digito = ch >= '0' && ch <= '9';
    if (!letra && !digito && ch != '_' && ch != '-') return false;
  }
  return true;
}

rt::Result<Destino> destinoDe(const ConfImp& c, std::string_view trabalho, const platform::PortMap& portas) {
  using R = rt::Result<Destino>;
  const std::string pasta(trabalho);
  if (naoDos(c)) return Destino{TipoDestino::NaoDos, pasta + "NAO-DOS.TXT", 0};
  if (c.NROLPT == 0 && c.NROCOM == 0) {
    const std::string nome = rt::text::upper(rt::text::alltrim(c.SAIDAPR));
    if (!saidaValida(nome)) return R(rt::Error::kUnsafe, "output name " + nome);
    return Destino{TipoDestino::Arquivo, pasta + (nome.empty() ? std::string("RELATOR") : nome) + ".TXT", 0};
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
