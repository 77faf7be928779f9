#include "grid/gravacoes_grade.h"
#include "grid/mensal.h"

#include <algorithm>

#include "grid/edita.h"
#include "rt/text/strings.h"
#include "store/travas.h"
#include "taxcalc/tax_year.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;
using rt::text::Decimal;

namespace {

std::string mes2(int m) { return (m < 10 ? "0" : "") + std::to_string(m); }

bool umDe(std::string_view campo, const std::vector<std::string>& lista) {
  return std::find(lista.begin(), lista.end(), campo) != lista.end();
}

Decimal soma(const std::array<Decimal, 12>& v) {
  Decimal t;
  for (const Decimal& x : v) t += x;
  return t;
}

// The months of the row read into the two columns of the monthly grid: the dollar value at each
// month's rate or, for a domestic employee's social security, the employer's 12 % of the salary
// the 20 % paid stands for; both cut to cents.
MesesValor leMeses(const Table& t, const std::string& prefixo, bool gps) {
  MesesValor m;
  m.GPS = gps;
  for (int mes = 1; mes <= 12; ++mes) {
    const Decimal v = t.getNumber(prefixo + mes2(mes));
    const auto i = static_cast<std::size_t>(mes - 1);
    m.reais[i] = rt::text::despreza(v);
    m.segunda[i] = gps ? rt::text::despreza(v / 0.2_d * 0.12_d)
                       : rt::text::despreza(v / taxcalc::TAB_DOLAR(mes));
  }
  return m;
}

bool gravaMeses(store::Contexto& ctx, Table& t, const std::string& prefixo, const std::array<Decimal, 12>& v) {
  if (!store::REC_LOCK(ctx, store::kEsperaTrava)) return false;
  GravacoesGrade grava(ctx);
  for (int mes = 1; mes <= 12; ++mes) grava.put(t, prefixo + mes2(mes), v[static_cast<std::size_t>(mes - 1)]);
  grava.destrava();
  return grava.ok();
}

// The monthly window, after which the grid has its own screen number, columns and cursor back.
std::optional<Decimal> mostraMeses(Sessao& s, MesesValor& m, int mes, Decimal valor,
                                   const std::optional<rt::term::Key>& primeira) {
  const GuardaGrade volta(s.g, true);
  if (primeira) s.ctx.console.push(*primeira);
  return s.g.srv().MUDATEL13(s.ctx, s.g, m, mes, valor);
}

}  // namespace

std::string camposMensais(const Tracos& tracos, std::string_view campo) {
  return umDe(campo, tracos.mesAMes) ? std::string(campo) : std::string();
}

bool divideCelula(const Tracos& tracos, std::string_view campo) {
  return umDe(campo, tracos.mesAMes) || umDe(campo, tracos.umMes);
}

bool DIVIDE_MENSAL(Sessao& s, std::optional<rt::term::Key> primeira) {
  Grade& g = s.g;
  store::Contexto& ctx = s.ctx;
  const std::string campo = g.PONTEIRO >= 1 && g.PONTEIRO <= static_cast<int>(g.TABCPOIN.size())
                                ? g.TABCPOIN[static_cast<std::size_t>(g.PONTEIRO - 1)]
                                : std::string();
  const Tracos& tracos = s.tela.tracos;
  if (!divideCelula(tracos, campo)) return false;
  s.seleciona();
  if (s.fonte.fantasma()) {
    if (!ADIC_REG(ctx, g, tracos)) return true;
    s.seleciona();
  }
  Table* t = s.t();
  if (t == nullptr || t->eof()) return true;
  const std::uint32_t registro = t->recNo();
  const int poshormat = g.POSHORMAT;

  if (umDe(campo, tracos.umMes)) {
    MesesValor m;
    const int mes = tracos.mesDaColuna ? g.PONTEIRO : g.ULT_MES;
    const std::optional<Decimal> total = mostraMeses(s, m, mes, t->getNumber(campo), primeira);
    s.seleciona();
    t->goTo(registro);
    if (total && *total > Decimal()) {
      const Coluna& c = s.tela.colunas[static_cast<std::size_t>(g.PONTEIRO - 1)];
      if (F_TROCA(ctx, g, *total) && !c.recalc.empty()) g.srv().recalcula(ctx, g, c.recalc);
    }
    g.POSHORMAT = poshormat;
    s.redesenha();
    return true;
  }

  const std::string prefixo = camposMensais(tracos, campo);
  const bool gps = tracos.pagamentos && t->getNumber("I6_3") == Decimal(50);
  MesesValor m = leMeses(*t, prefixo, gps);
  const Decimal antes = soma(m.reais);
  const std::optional<Decimal> total = mostraMeses(s, m, 0, antes, primeira);
  s.seleciona();
  t->goTo(registro);
  g.POSHORMAT = poshormat;
  if (!total) {
    s.redesenha();
    return true;
  }
  if (tracos.pagamentos) {
    if (*total != antes) {
      g.srv().recalcula(ctx, g, "JA_CALC");
      s.seleciona();
      if (gravaMeses(ctx, *t, prefixo, m.reais)) {
        rt::ui::Value pago = gps ? soma(m.segunda) : soma(m.reais);
        // FDOAPAG checks the total against the payment's code (and may change it).
        if (g.srv().valida(ctx, g, "FDOAPAG", pago)) {
          s.seleciona();
          // A refused total has been said by F_TROCA; the months are written either way.
          F_TROCA(ctx, g, pago).ignoreTold();
        }
      }
    }
  } else {
    if (gravaMeses(ctx, *t, prefixo, m.reais)) {
      const Decimal meses = soma(m.reais);
      if (meses > Decimal()) {
        const Coluna& c = s.tela.colunas[static_cast<std::size_t>(g.PONTEIRO - 1)];
        if (F_TROCA(ctx, g, meses) && !c.recalc.empty()) g.srv().recalcula(ctx, g, c.recalc);
        s.seleciona();
      }
      // Only the self-paid social security rows make the carnê-leão's social-security total:
      // splitting a salary or a tax withheld must not replace an amount the user typed.
      if (rt::text::trim(t->getText("I1_1")) == "P")
        g.srv().CARNE_PREVIDENCIA(ctx, g, rt::text::trim(t->getText("I1_11")) == "N" ? "CARNEDEPEN" : "CARNEINSS", meses);
    }
  }
  s.seleciona();
  t->goTo(registro);
  s.redesenha();
  return true;
}

}  // namespace grid
