// The assets (27) and the debts (28).
#include "converter/receita/secoes.h"

namespace converter {

Status Secoes::s27(const Campos& r) {
  const auto codigo = static_cast<int>(valor(r, "I7_5").wholePart());
  std::string pais = texto(r, "I7_8");
  // "000" is no country: the asset is in Brazil.
  if (pais == "000") pais.clear();
  Decimal anterior, atual;
  if (de2010()) {
    anterior = valor(r, "I7_3");
    atual = valor(r, "I7_4");
  } else {
    // Last year's closing value is this declaration's previous value.
    anterior = valor(r, "I7_4");
    if (anterior.isZero()) return Status::ok();
    atual = codigo >= 41 && codigo <= 78 ? Decimal() : anterior;
  }
  auto l = nova(4);
  if (!l) return l.status();
  Linha& b = **l;
  const int item = anteriorZero_ ? 0 : item_;
  b.poe("I7_0", Decimal(ordemBem_));
  b.poe("I7_1", Decimal(item));
  b.poe("I7_2", texto(r, "I7_2"));
  b.poe("I7_3", anterior);
  b.poe("I7_4", atual);
  b.poe("I7_7", std::string(pais.empty() ? " " : "S"));
  b.poe("I7_8", pais);
  b.poe("I7_9", anterior);
  if (item != 0) b.poe("I7_5", Decimal(codigo));
  if (anterior > Decimal() || atual > Decimal()) ++item_;
  anteriorZero_ = anterior.isZero() && atual.isZero();
  ordemBem_ += 10;
  return Status::ok();
}

Status Secoes::s28(const Campos& r) {
  auto l = nova(5);
  if (!l) return l.status();
  Linha& d = **l;
  d.poe("I8_5", valor(r, "I8_5"));
  d.poe("I8_2", texto(r, "I8_2"));
  const Decimal fim = valor(r, "I8_4");
  const Decimal inicio = de2010() ? valor(r, "I8_3") : fim;
  d.poe("I8_3", inicio);
  d.poe("I8_4", fim);
  d.poe("I8_6", inicio);
  d.poe("I8_0", Decimal(1 + 10 * dividas_));
  d.poe("I8_1", Decimal(++dividas_));
  return Status::ok();
}

std::span<const Tratamento> Secoes::bens() {
  static constexpr Tratamento kTabela[] = {
      // A declaration of last year adds its assets and debts; this year's replaces them.
      {.registro = "27", .trata = &Secoes::s27, .esvazia = 4, .esvaziaEm = k2010},
      {.registro = "28", .trata = &Secoes::s28, .esvazia = 5, .esvaziaEm = k2010},
  };
  return kTabela;
}

}  // namespace converter
