#include "gains/parcelas_ganho.h"

#include <string>

#include "gains/campos.h"
#include "gains/ganho.h"
#include "gains/tabela_ganho.h"
#include "grid/tela.h"
#include "store/areas.h"

namespace gains {

namespace {

// The matrix grid's screen of an instalment sale.
constexpr int kTelaParcelas = grid::Tela::RecebimentosGanho;

// The fields behind the matrix columns the user gives, by column (1-based, 0 none).
struct Colunas {
  const char* c5;
  const char* c6;
};

Colunas colunasDe(const rt::db::Table& t) {
  const bool acoes = inteiro(t, "TIPO_BEM") == Participacao && inteiro(t, "TIPOPART") == Acoes;
  return acoes ? Colunas{"IMP_LEI", "IMP_PAG"} : Colunas{"IMP_PAG", nullptr};
}

Decimal valor(const grid::Celula& c) {
  const Decimal* v = std::get_if<Decimal>(&c);
  return v != nullptr ? *v : Decimal();
}

}  // namespace

void carregaParcelas(const rt::db::Table& t, grid::Matrizes& m) {
  const Colunas col = colunasDe(t);
  m.REC_GANHO_COLUNAS = col.c6 != nullptr ? 6 : 5;
  std::array<Decimal, 7> soma{};
  for (int mes = 1; mes <= 12; ++mes) {
    auto& linha = m.REC_GANHO[static_cast<std::size_t>(mes)];
    const auto poe = [&](std::size_t c, const char* campo) {
      const Decimal v = campo != nullptr ? t.getNumber(campo + mm(mes)) : Decimal();
      linha[c] = v;
      soma[c] += v;
    };
    poe(1, "VAL_TRI");
    poe(2, "IMP_DEV");
    poe(4, "REC_MES");
    poe(5, col.c5);
    poe(6, col.c6);
  }
  for (std::size_t c : {1u, 2u, 4u, 5u, 6u}) m.REC_GANHO[13][c] = soma[c];
}

void gravaParcelas(rt::db::Table& t, const grid::Matrizes& m, taxcalc::Gravacoes& grava) {
  const Colunas col = colunasDe(t);
  for (int mes = 1; mes <= 12; ++mes) {
    const auto& linha = m.REC_GANHO[static_cast<std::size_t>(mes)];
    grava.put(t, "REC_MES" + mm(mes), valor(linha[4]));
    grava.put(t, col.c5 + mm(mes), valor(linha[5]));
    if (col.c6 != nullptr) grava.put(t, col.c6 + mm(mes), valor(linha[6]));
  }
  grava.confere(t.flush(), t.alias());
}

void PARCELAS(grid::AmbienteMatriz& a) {
  rt::db::Table* t = a.calc.areas.table(store::Area::TMP_07);
  if (t == nullptr || t->eof()) return;
  const std::uint32_t registro = t->recNo();
  // Each month the grid recomputes takes the taxable share stored by the last computation.
  calculaGanho(a.calc);
  t->goTo(registro);
  if (!t->status()) return;
  carregaParcelas(*t, a.m);
  grid::MBROWSE(a, kTelaParcelas);
  {
    taxcalc::Gravacoes grava(a.calc.saida);
    t->goTo(registro);
    if (!grava.confere(t->status(), t->alias())) return;
    gravaParcelas(*t, a.m, grava);
    if (!grava.ok()) return;
  }
  calculaGanho(a.calc);
}

}  // namespace gains
