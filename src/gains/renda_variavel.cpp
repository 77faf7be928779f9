#include "gains/renda_variavel.h"

#include <array>
#include <map>
#include <string_view>

#include "gains/campos.h"
#include "gains/ganho.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/areas.h"
#include "taxcalc/gravacoes.h"
#include "taxcalc/linhas.h"

namespace gains {

using namespace rt::text::literals;
using rt::text::despreza;

namespace {

int modoDe(const rt::db::Table& t) {
  return static_cast<int>(Decimal::val(rt::text::alltrim(t.getText("DAY_TRADE"))).wholePart());
}

const Decimal kQuinze = Decimal::fromRaw(Decimal::kScale * 15 / 100);
const Decimal kVinte = Decimal::fromRaw(Decimal::kScale / 5);

std::string_view rotulo(int linha, int modo) {
  static constexpr std::array<std::string_view, kLinhasRV> kComum = {
      "01.Mercado à Vista - Açoes     "_cp, "02.Mercado à Vista - Ouro      "_cp,
      "03.Mer.Vista Ouro fora de bolsa"_cp, "04.Mercado de Opções - Açoes   "_cp,
      "05.Mercado de Opções - Ouro    "_cp, "06.Merc.de Opções fora de bolsa"_cp,
      "07.Mercado de Opções - Outros  "_cp, "08.Mercado Futuro Dolar do EUA "_cp,
      "09.Mercado Futuro - Indices    "_cp, "10.Mercado Futuro - Juros      "_cp,
      "11.Mercado Futuro - Outros     "_cp, "12.Mercado a Termo - Ações/Ouro"_cp,
      "13.Mercado a Termo - Outros    "_cp, "14.RESUL.LIQUIDO DO MES        "_cp,
      "15.RESUL.NEGAT. MES ANTERIOR   "_cp, "16.BASE DE CALCULO             "_cp,
      "17.PREJUIZO A COMPENSAR        "_cp, "18.Imposto Operação comum (15%)"_cp,
      "19.Imposto no Day Trade   (20%)"_cp, "20.Total do Imposto devido     "_cp,
      "21.IR fonte Day Trade no mês   "_cp, "22.IR fonte D.Trade anteriores "_cp,
      "23.IR fonte D.Trade a compensar"_cp, "24.IR fonte (Lei 11.033/2004)  "_cp,
      "25.Imposto a Pagar             "_cp, "26.Imposto Pago                "_cp};
  if (modo != Fundos) return kComum[static_cast<std::size_t>(linha - 1)];
  switch (linha) {
    case 1:
      return "01.Valor do Investimento       "_cp;
    case 18:
      return "18.Imposto                (20%)"_cp;
    case 14:
    case 15:
    case 16:
    case 17:
    case 20:
    case 25:
    case 26:
      return kComum[static_cast<std::size_t>(linha - 1)];
    default:
      return " ----------------------------- ";
  }
}

// The lines every mode loads whatever mode stored them, and the mode that enters each.
bool compartilhada(int linha) {
  return (linha >= 18 && linha <= 23) || linha == 25;
}
int dono(int linha) {
  return linha == 18 ? Comum : DayTrade;
}

// The row of line `linha`, mode `modo` in the gains copy, or 0.
std::uint32_t registroRV(rt::db::Table& t, const std::string& cpf, int linha, int modo) {
  std::uint32_t achado = 0;
  taxcalc::Varredura(t).cada([&](rt::db::Table& l, std::uint32_t r) {
    if (achado == 0 && inteiro(l, "TIPO_BEM") == RendaVariavel && inteiro(l, "BEM_NRO") == 0 &&
        inteiro(l, "RVAR_NRO") == linha && modoDe(l) == modo && rt::text::alltrim(l.getText("CPF")) == cpf)
      achado = r;
  });
  return achado;
}

void gravaModo(taxcalc::Contexto& c, grid::Matrizes& m, int modo, taxcalc::Gravacoes& grava) {
  rt::db::Table* t = c.areas.table(store::Area::TMP_07);
  if (t == nullptr) return;
  const std::string cpf(c.d.CPF.digitos());
  const int ultima = modo == DayTrade ? 24 : kLinhasRV;
  for (int linha = 1; linha <= ultima; ++linha) {
    bool vazia = true;
    for (int mes = 1; mes <= 12; ++mes) vazia = vazia && celulaRV(m, linha, mes).isZero();
    const bool guarda = !vazia || (linha == 19 && modo != Fundos);
    const std::uint32_t r = registroRV(*t, cpf, linha, modo);
    if (!guarda) {
      if (r != 0) t->goTo(r);
      if (r != 0 && grava.confere(t->status(), t->alias())) grava.confere(t->markDeleted(), t->alias());
      continue;
    }
    if (r != 0) {
      t->goTo(r);
      if (!grava.confere(t->status(), t->alias())) continue;
    } else {
      if (!grava.confere(t->appendBlank(), t->alias())) return;
      grava.put(*t, "CPF", cpf);
      grava.put(*t, "TIPO_BEM", Decimal(RendaVariavel));
      grava.put(*t, "BEM_NRO", Decimal());
      grava.put(*t, "RVAR_NRO", Decimal(linha));
      grava.put(*t, "DAY_TRADE", std::to_string(modo));
    }
    for (int mes = 1; mes <= 12; ++mes) grava.put(*t, "REC_MES" + mm(mes), celulaRV(m, linha, mes));
  }
  grava.confere(t->flush(), t->alias());
}

}  // namespace

Decimal& celulaRV(grid::Matrizes& m, int linha, int mes) {
  grid::Celula& cel = m.MRENVAR[static_cast<std::size_t>(linha - 1)][static_cast<std::size_t>(mes + 1)];
  if (!std::holds_alternative<Decimal>(cel)) cel = Decimal();
  return std::get<Decimal>(cel);
}

void ZER_RENVAR(grid::Matrizes& m, int modo) {
  m.DAY_TRADE = modo;
  m.MRENVAR.assign(kLinhasRV, {});
  for (int linha = 1; linha <= kLinhasRV; ++linha) {
    auto& l = m.MRENVAR[static_cast<std::size_t>(linha - 1)];
    l[1] = std::string(rotulo(linha, modo));
    for (std::size_t col = 2; col <= 13; ++col) l[col] = Decimal();
  }
}

void PRENCHE_MAT(taxcalc::Contexto& c, grid::Matrizes& m, int modo) {
  ZER_RENVAR(m, modo);
  rt::db::Table* t = c.areas.table(store::Area::TMP_07);
  if (t != nullptr) {
    const std::string cpf(c.d.CPF.digitos());
    // Two passes: a shared line's own mode comes last and wins.
    for (int passo = 0; passo < 2; ++passo) {
      taxcalc::Varredura(*t).cada([&](rt::db::Table& l, std::uint32_t) {
        if (inteiro(l, "TIPO_BEM") != RendaVariavel || rt::text::alltrim(l.getText("CPF")) != cpf) return;
        const int linha = inteiro(l, "RVAR_NRO"), deModo = modoDe(l);
        if (linha < 1 || linha > kLinhasRV) return;
        bool carrega;
        if (compartilhada(linha) && modo != Fundos && deModo != Fundos)
          carrega = passo == (deModo == dono(linha) ? 1 : 0);
        else if (linha == 24 || linha == 26)
          carrega = passo == 1 && deModo == modo && modo != DayTrade;
        else
          carrega = passo == 1 && deModo == modo;
        if (!carrega) return;
        for (int mes = 1; mes <= 12; ++mes) celulaRV(m, linha, mes) = l.getNumber("REC_MES" + mm(mes));
      });
    }
  }
  // Loading the stored months: a cut withholding is the one the user typed and was told of then.
  (void)SOMA_RENVAR(m);
}

std::optional<std::string> SOMA_RENVAR(grid::Matrizes& m) {
  if (m.MRENVAR.size() != kLinhasRV) return std::nullopt;
  const int modo = m.DAY_TRADE;
  std::optional<std::string> recusa;
  // A loss carried from the previous year is typed as a positive amount.
  if (celulaRV(m, 15, 1) > Decimal()) celulaRV(m, 15, 1) = -celulaRV(m, 15, 1);
  for (int mes = 1; mes <= 12; ++mes) {
    const auto l = [&](int linha) -> Decimal& { return celulaRV(m, linha, mes); };
    Decimal resultado;
    for (int linha = 1; linha <= 13; ++linha) resultado += l(linha);
    l(14) = resultado;
    const Decimal r = l(14) + l(15);
    if (mes < 12) celulaRV(m, 15, mes + 1) = r < Decimal() ? r : Decimal();
    l(16) = r > Decimal() ? r : Decimal();
    l(17) = r < Decimal() ? r : Decimal();
    if (modo == Comum) l(18) = despreza(l(16) * kQuinze);
    if (modo == DayTrade) l(19) = despreza(l(16) * kVinte);
    if (modo == Fundos) l(18) = despreza(l(16) * kVinte);
    l(20) = modo == Fundos ? l(18) : l(18) + l(19);
    Decimal p = l(20);
    if (modo != Fundos) {
      Decimal teto = l(20) - l(21) - l(22) - l(23);
      if (teto < Decimal()) teto = Decimal();
      if (l(24) > teto) {
        recusa = "O valor nao pode ser maior que o imposto devido";
        l(24) = teto;
      }
      p = l(20) - l(21) - l(22) - l(23) - l(24);
      if (mes < 12) celulaRV(m, 23, mes + 1) = p < Decimal() ? -p : Decimal();
    }
    l(25) = p > Decimal() ? p : Decimal();
  }
  return recusa;
}

void GRAVA_RV(taxcalc::Contexto& c, grid::Matrizes& m) {
  taxcalc::Gravacoes grava(c.saida);
  gravaModo(c, m, m.DAY_TRADE, grava);
  if (m.DAY_TRADE == DayTrade) {
    grid::Matrizes comum;
    PRENCHE_MAT(c, comum, Comum);
    gravaModo(c, comum, Comum, grava);
  }
}

void CALC_GRV(taxcalc::Contexto& c) {
  Decimal perdas, lucros, exclusivo, pagos;
  if (rt::db::Table* t = c.areas.table(store::Area::TMP_07)) {
    const std::string cpf(c.d.CPF.digitos());
    taxcalc::Varredura(*t).cada([&](rt::db::Table& l, std::uint32_t) {
      if (inteiro(l, "TIPO_BEM") != RendaVariavel || rt::text::alltrim(l.getText("CPF")) != cpf) return;
      const int linha = inteiro(l, "RVAR_NRO"), modo = modoDe(l);
      for (int mes = 1; mes <= 12; ++mes) {
        const Decimal v = l.getNumber("REC_MES" + mm(mes));
        if (linha == 14) (v < Decimal() ? perdas : lucros) += v;
        if (linha == 16) exclusivo += v;
        if (linha == 21 && modo == DayTrade) exclusivo -= v;
        if ((linha == 24 && modo == Comum) || (linha == 26 && (modo == Comum || modo == Fundos))) pagos += v;
      }
    });
  }
  exclusivo -= pagos;
  c.poe("I4_03", exclusivo > Decimal() ? exclusivo : Decimal());
  c.poe("I13_40", pagos);
  c.poe("PREJRVA", -perdas);
  c.poe("LUCRRVA", lucros);
}

}  // namespace gains
