#include "converter/moldura_contadores.h"

#include <array>
#include <string>

#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "rt/text/transform.h"

namespace converter {

using namespace rt::text::literals;

namespace {

constexpr int kQuadro = 4;

constexpr std::array<std::string_view, 5> kLinhas = {"A converter", "Convertidos", "Já existente"_cp, "Não converter"_cp,
                                                     "Faltam ......"};

}  // namespace

void desenhaContadores(store::Contexto& ctx, rt::term::Rect r) {
  auto& s = ctx.screen();
  s.put(r.top, r.left + 2, " CPF's ", static_cast<rt::term::Attr>(ctx.cores.COR_TEL2));
  for (std::size_t i = 0; i < kLinhas.size(); ++i)
    s.put(r.top + 1 + static_cast<int>(i), r.left + 2, kLinhas[i], static_cast<rt::term::Attr>(ctx.cores.COR_TEL1));
}

void mostraContadores(store::Contexto& ctx, const Contadores& n) {
  const int topo = ctx.ALJA[kQuadro], esquerda = ctx.ACJA[kQuadro];
  const std::array<int, 5> valores = {n.aConverter, n.convertidos, n.existentes, n.naoConvertidos, n.restantes};
  for (std::size_t i = 0; i < valores.size(); ++i)
    ctx.screen().put(topo + 1 + static_cast<int>(i), esquerda + 17,
                     rt::text::transform(rt::text::Decimal::fromInt(valores[i]), "@ 999"),
                     static_cast<rt::term::Attr>(ctx.cores.COR_TEL1));
  ctx.console.refresh();
}

}  // namespace converter
