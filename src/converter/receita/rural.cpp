// The rural activity: the properties (50), the monthly results (51), the summary (52), the
// herd (53), the assets (54), the debts (55) and the result abroad (56).
#include "converter/receita/secoes.h"

#include <algorithm>
#include <stdexcept>

#include "console/documentos.h"
#include "rt/text/cp860.h"
namespace converter {

using rt::text::doisDigitos;
using namespace rt::text::literals;

namespace {

std::string ladoDe(const Campos& r) { return texto(r, "lugar") == "0" ? "S" : "N"; }

}  // namespace

Status Secoes::s50(const Campos& r) {
  c_.registro.poe("TEMRURAL", std::string("S"));
  c_.registro.poe("ATV_BRASIL", std::string("S"));
  auto l = nova(16);
  if (!l) return l.status();
  copia(r, **l);
  (*l)->poe("I2R_02", std::min(valor(r, "I2R_02"), Decimal(999999)));
  (*l)->poe("ATV_BRASIL", ladoDe(r));
  ++imoveis_;
  return Status::ok();
}

// The rural summary of one side (table 15): its row, added when the side has none.
rt::Result<Linha*> Secoes::linha15(const std::string& lado) {
  auto t = tabela(15);
  if (!t) return t.status();
  for (Linha& l : **t)
    if (l.texto("ATV_BRASIL") == lado) return &l;
  auto l = nova(15);
  if (!l) return l;
  (*l)->poe("ATV_BRASIL", lado);
  return l;
}

Status Secoes::s5x(std::string_view tipo, const Campos& r) {
  auto l = linha15(ladoDe(r));
  if (!l) return l.status();
  Linha& s = **l;
  if (tipo == "51") {
    const auto mes = static_cast<int>(valor(r, "mes").wholePart());
    if (mes >= 1 && mes <= 12) {
      s.poe("I3_" + doisDigitos(mes) + "OD", valor(r, "despesa"));
      s.poe("I3_" + doisDigitos(mes) + "OR", valor(r, "receita"));
    }
  } else if (tipo == "52") {
    copia(r, s);
    if (!de2010()) s.poe("I5_09", Decimal());
  } else {
    static constexpr const char* kLetras[] = {"B", "S", "C", "A", "V1"};
    const auto especie = static_cast<int>(valor(r, "especie").wholePart());
    if (especie < 1 || especie > 5) return Status::ok();
    const std::string x = kLetras[especie - 1];
    const Decimal v[5] = {valor(r, "inicial"), valor(r, "nascimentos"), valor(r, "compras"), valor(r, "vendas"),
                          valor(r, "perdas")};
    if (de2010()) {
      for (int k = 0; k < 5; ++k) s.poe("I7_" + std::to_string(k + 1) + x, v[k]);
    } else {
      s.poe("I7_1" + x, v[0] + v[1] + v[2] - v[3] - v[4]);
    }
    if (x == "V1") s.poe("I7_V1", std::string("OUTROS"));
  }
  return Status::ok();
}

Status Secoes::s54(const Campos& r) {
  auto l = nova(17);
  if (!l) return l.status();
  Linha& b = **l;
  const std::string lado = ladoDe(r);
  b.poe("ATV_BRASIL", lado);
  b.poe("CODIGO", valor(r, "CODIGO"));
  b.poe("I8R_3", lado == "S" ? std::string() : texto(r, "I8R_3"));
  b.poe("I8R_1", texto(r, "I8R_1"));
  if (de2010()) b.poe("I8R_2", valor(r, "I8R_2"));
  b.poe("I8R_0", Decimal(1 + 10 * bensRurais_));
  b.poe("ITEM", Decimal(++bensRurais_));
  return Status::ok();
}

Status Secoes::s55(const Campos& r) {
  const Decimal saldo = std::max(valor(r, "primeiro") + valor(r, "segundo") - valor(r, "terceiro"), Decimal());
  if (!de2010() && saldo <= Decimal()) return Status::ok();
  auto l = nova(18);
  if (!l) return l.status();
  Linha& d = **l;
  d.poe("ATV_BRASIL", ladoDe(r));
  d.poe("I9R_1", texto(r, "I9R_1"));
  d.poe("I9R_2", saldo);
  if (de2010()) {
    d.poe("I9R_3", valor(r, "segundo"));
    d.poe("I9R_4", valor(r, "terceiro"));
  }
  d.poe("I9R_0", Decimal(1 + 10 * dividasRurais_));
  d.poe("ITEM", Decimal(++dividasRurais_));
  return Status::ok();
}

Status Secoes::s56(const Campos& r) {
  // The result abroad goes on the first property abroad without a country yet.
  auto t = tabela(16);
  if (!t) return t.status();
  for (Linha& l : **t) {
    if (!l.texto("CODPAIS").empty()) continue;
    if (l.texto("ATV_BRASIL") != "N") continue;
    const Decimal resultado = valor(r, "resultado"), dolares = valor(r, "RESUS");
    // A rate made of a tiny divisor is beyond any number the program holds: the record is
    // refused rather than the run ended.
    try {
      const Decimal cotacao = dolares.isZero() ? Decimal() : resultado / dolares;
      l.poe("CODPAIS", texto(r, "CODPAIS"));
      l.poe("RECEXT", valor(r, "RECEXT"));
      l.poe("DESEXT", valor(r, "DESEXT"));
      l.poe("VALUSE", console::DESPREZA(cotacao));
      l.poe("RESUS", dolares);
      l.poe("OPC20US", console::DESPREZA(dolares * Decimal::fromRaw(20000000)));
      const Decimal porCotacao = cotacao.isZero() ? Decimal() : valor(r, "RECEXT") / console::DESPREZA(cotacao);
      l.poe("OPC20RS", console::DESPREZA(porCotacao * Decimal::fromRaw(20000000) * Decimal::fromRaw(353250000)));
    } catch (const std::overflow_error&) {
      return Status(rt::Error::kCorrupt, "Linha " + std::to_string(l_.atual + 1) +
                                             std::string(", registro 56: a cotação do resultado maior do que o campo comporta"_cp));
    }
    break;
  }
  return Status::ok();
}

// A 2010 file's monthly results close the summary they were read into.
Status Secoes::depois51() {
  if (!de2010()) return Status::ok();
  auto t = tabela(15);
  if (!t) return t.status();
  if (!(*t)->empty()) (*t)->back().poe("SO_TOTAL", true);
  return Status::ok();
}

std::span<const Tratamento> Secoes::rural() {
  static constexpr Tratamento kTabela[] = {
      {.registro = "50", .trata = &Secoes::s50, .esvazia = 16, .esvaziaEm = k2010},
      {.registro = "51", .anos = k2010, .trata = &Secoes::s51, .esvazia = 15, .esvaziaEm = k2010, .depois = &Secoes::depois51},
      {.registro = "52", .trata = &Secoes::s52},
      {.registro = "53", .trata = &Secoes::s53},
      {.registro = "54", .trata = &Secoes::s54, .esvazia = 17, .esvaziaEm = k2010},
      {.registro = "55", .trata = &Secoes::s55, .esvazia = 18, .esvaziaEm = k2010},
      {.registro = "56", .trata = &Secoes::s56},
  };
  return kTabela;
}

}  // namespace converter
