// The register counters every save writes: carnê-leão months, capital gains, variable income
// and quotas, from the working copies.
#include "store/salva.h"

#include <algorithm>
#include <array>

#include "rt/text/strings.h"
#include "store/areas.h"
#include "store/tabelas_declaracao.h"

namespace store {

using rt::Status;
using rt::db::Table;
using rt::text::Decimal;
using rt::text::doisDigitos;

namespace {

// Carnê-leão (copy 32): over every row (the titular's and each dependant's), the months whose
// I2_7 is above zero, and their sum.
void contaCarneLeao(Contexto& ctx, std::int64_t& nrLeao, Decimal& dfLeao) {
  if (Table* t = tabela(ctx.areas, Area::TMP_12)) {
    std::array<int, 13> campos{};
    for (int m = 1; m <= 12; ++m) campos[static_cast<std::size_t>(m)] = t->fieldIndex("I2_7" + doisDigitos(m));
    // The counts of the rows read: a copy that cannot be read fails its own table's save, which says it.
    (void)paraCadaLinha(*t, [&](Table& c) {
      for (int m = 1; m <= 12; ++m) {
        const int f = campos[static_cast<std::size_t>(m)];
        const rt::db::Value valor = f < 0 ? rt::db::Value(Decimal()) : c.get(f);
        const Decimal* v = std::get_if<Decimal>(&valor);
        if (v != nullptr && *v > Decimal()) {
          ++nrLeao;
          dfLeao += *v;
        }
      }
      return Status::ok();
    });
  }

}

// Gains (copy 27), month by month: the tax due less the tax paid of the capital gains, and the
// variable income's tax to pay less what was paid; `g` and `v` count the items met.
void somaGanhos(Contexto& ctx, std::array<Decimal, 13>& ganho, std::array<Decimal, 13>& variavel, int& g, int& v) {
  if (Table* t = tabela(ctx.areas, Area::TMP_07)) {
    // The counts of the rows read: a copy that cannot be read fails its own table's save, which says it.
    (void)paraCadaLinha(*t, [&](Table& c) {
      const Decimal tipo = c.getNumber("TIPO_BEM");
      if (tipo != Decimal::fromInt(4)) {
        const Decimal ali = c.getNumber("VAL_ALI"), custo = c.getNumber("CUS_ATUAL");
        if (ali <= custo || c.getNumber("VAL_TRIBU").isZero()) {
          ++g;
        } else {
          for (int m = 1; m <= 12; ++m) {
            const Decimal devido = c.getNumber("IMP_DEV" + doisDigitos(m));
            ganho[static_cast<std::size_t>(m)] += devido - c.getNumber("IMP_PAG" + doisDigitos(m));
            if (devido > Decimal()) ++g;
          }
        }
      } else if (c.getNumber("RVAR_NRO") > Decimal::fromInt(24) && rt::text::alltrim(c.getText("DAY_TRADE")) == "1") {
        // A month's variable-income tax as its payment slip reads it: line 25 (tax to pay) of
        // the common operations less their line 26 (tax paid).
        const bool soma = c.getNumber("RVAR_NRO") == Decimal::fromInt(25);
        for (int m = 1; m <= 12; ++m) {
          const Decimal rec = c.getNumber("REC_MES" + doisDigitos(m));
          if (soma) {
            variavel[static_cast<std::size_t>(m)] += rec;
            if (rec > Decimal()) ++v;
          } else {
            variavel[static_cast<std::size_t>(m)] -= rec;
          }
        }
      }
      return Status::ok();
    });
  }
}

}  // namespace

void contadores(Contexto& ctx, Declaracao& dec) {
  EspelhoDeclaracao& e = dec.espelho;
  RegistroEspelho& r = e.registro;
  std::int64_t nrLeao = 0;
  Decimal dfLeao;
  contaCarneLeao(ctx, nrLeao, dfLeao);
  // NRCLEAO is N2: with the titular and eight dependants every month would not fit.
  r.num("NRCLEAO", std::min<std::int64_t>(nrLeao, 99));
  r.num("DFCLEAO", dfLeao);

  std::array<Decimal, 13> ganho{}, variavel{};
  int g = 0, v = 0;
  somaGanhos(ctx, ganho, variavel, g, v);
  std::int64_t nrGanho = 0, nrVar = 0;
  Decimal dfGanho, dfVar;
  for (int m = 1; m <= 12; ++m) {
    if (ganho[static_cast<std::size_t>(m)] > Decimal()) {
      dfGanho += ganho[static_cast<std::size_t>(m)];
      ++nrGanho;
    }
    if (variavel[static_cast<std::size_t>(m)] > Decimal()) {
      dfVar += variavel[static_cast<std::size_t>(m)];
      ++nrVar;
    }
  }
  // -1: there are items, but nothing is due.
  if (nrGanho == 0 && g > 0) nrGanho = -1;
  if (nrVar == 0 && v > 0) nrVar = -1;
  r.num("NRGCAPIT", nrGanho);
  r.num("DFGCAPIT", dfGanho);
  r.num("NRRVARIV", nrVar);
  r.num("DFRVARIV", dfVar);
  r.num("NRQUOTA", e.tabela01.num("I13_29"));
  r.num("DFQUOTA", e.tabela01.num("I13_30"));
}

}  // namespace store
