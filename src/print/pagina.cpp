#include "print/pagina.h"

#include <utility>

#include "print/destino.h"
#include "rt/text/muldiv.h"
#include "rt/text/transform.h"

namespace print {

void defineDivisores(Impressao& imp, char traco) {
  const bool naoDosAtivo = naoDos(imp.conf);
  const char c = naoDosAtivo ? '_' : traco;
  imp.LIN_DIV1 = std::string(naoDosAtivo ? 80 : 79, c);
  imp.LIN_DIV2 = std::string(naoDosAtivo ? 135 : 132, c);
  imp.LIN_DIV3 = std::string(105, c);
}

Decimal percentual(Decimal valor, Decimal base) {
  // Far beyond any picture of a share, which then shows its asterisks.
  constexpr Decimal kLimite = 999'999'999;
  return rt::text::mulDiv(valor, Decimal(100), base, -kLimite, kLimite);
}

Pagina::Pagina(Impressao& imp, std::function<void(Pagina&)> cabecalho)
    : imp_(imp), cabecalho_(std::move(cabecalho)) {}

void Pagina::diz(int col, std::string_view texto) { imp_.dispositivo.say(imp_.QLIN, col, texto); }

void Pagina::valor(int col, Decimal v, std::string_view picture) {
  diz(col, rt::text::transform(v, picture));
}

void Pagina::controle(int n) {
  // On a new row the switch goes at its start; on the current row, where the head stands.
  rt::dev::Printer& d = imp_.dispositivo;
  if (imp_.QLIN != d.prow()) d.at(imp_.QLIN, 0);
  imp_.MUDAIMP(n);
}

void Pagina::quebra() {
  linha(0, " ");
  imp_.QLIN = 0;
  // Row 0 lies above the head: the device ejects the sheet.
  imp_.dispositivo.say(0, 0, "");
}

void Pagina::cabecalho() {
  imp_.QLIN = 0;
  if (cabecalho_) cabecalho_(*this);
}

void Pagina::PULA_PAG(int k) {
  if (imp_.QLIN + k <= NROLINHAS) return;
  quebra();
  cabecalho();
}

void Pagina::continua(const std::function<void()>& transporte, const std::function<void()>& titulo) {
  if (transporte) transporte();
  quebra();
  cabecalho();
  if (titulo) titulo();
}

}  // namespace print
