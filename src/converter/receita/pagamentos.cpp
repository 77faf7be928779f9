// The payments (26) and the donations of the statute of the child (34).
#include "converter/receita/secoes.h"

#include "console/documentos.h"
namespace converter {

using rt::text::doisDigitos;

Status Secoes::s26(const Campos& r) {
  auto l = nova(6);
  if (!l) return l.status();
  Linha& p = **l;
  p.poe("I6_1", texto(r, "I6_1"));
  p.poe("I6_2", texto(r, "I6_2"));
  auto codigo = static_cast<int>(valor(r, "I6_3").wholePart());
  const auto numero = static_cast<int>(valor(r, "I6_6").wholePart());
  p.poe("I6_6", Decimal(numero));
  if (de2010()) {
    p.poe("I6_6", Decimal());
    if ((codigo == 1 || codigo == 2) && numero > 0) {
      p.poe("I6_6", Decimal(numero));
      for (int i = 0; i < mantidos_; ++i)
        if (numeros_[static_cast<std::size_t>(i)] == numero) {
          p.poe("I6_6", Decimal(i + 1));
          codigo += 2;
          break;
        }
    }
    if (codigo == 50) {
      p.poe("I6_7", std::string(rt::text::alltrim(colunas(l_.linha(), 19, 14)).substr(0, 11)));
      p.poe("I6_2", console::CONTAPONTO(texto(r, "cpf50")));
    }
    const Decimal pago = valor(r, "I6_4");
    p.poe("I6_4", pago);
    p.poe("I6_5", valor(r, "I6_5"));
    const Decimal limite = Decimal::fromRaw(259229000000);
    if (codigo < 7 && pago > limite) p.poe("I6_5", pago - limite);
    if (codigo == 30 && teve22_ && primeiro30_) {
      primeiro30_ = false;
      for (int mes = 1; mes <= 12; ++mes)
        p.poe("I6_4" + doisDigitos(mes), mensal_[static_cast<std::size_t>(mes - 1)][kPensao]);
    }
  }
  p.poe("I6_3", Decimal(codigo));
  return Status::ok();
}

Status Secoes::s34(const Campos& r) {
  auto l = nova(6);
  if (!l) return l.status();
  copia(r, **l);
  (*l)->poe("I6_3", Decimal(26));
  return Status::ok();
}

std::span<const Tratamento> Secoes::pagamentos() {
  static constexpr Tratamento kTabela[] = {
      {.registro = "26", .trata = &Secoes::s26, .esvazia = 6},
      {.registro = "34", .anos = k2010, .trata = &Secoes::s34},
  };
  return kTabela;
}

}  // namespace converter
