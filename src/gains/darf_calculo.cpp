#include "gains/darf_calculo.h"

#include "console/documentos.h"
#include "rt/text/muldiv.h"
#include "taxcalc/carne_leao.h"

namespace gains {

using rt::text::Date;
using rt::text::Decimal;
using namespace rt::text::literals;

namespace {
Date semFimDeSemana(Date d) {
  if (rt::text::dow(d) == 1) d = d - 2;
  if (rt::text::dow(d) == 7) d = d - 1;
  return d;
}
}  // namespace

Date ULTIMO_DIA(int mes, int ano) { return taxcalc::ULT_DIA(mes, ano, 2); }

Date MES_ANTER(int mes) { return taxcalc::ULT_DIA(mes, 2009, 1); }

Date pagamentoDarf(Date hoje) {
  if (hoje.isEmpty()) return hoje;
  return semFimDeSemana(taxcalc::ULT_DIA(hoje.month(), hoje.year(), 1));
}

Atraso atraso(Date vencimento, Date util, Date pagamento) {
  Atraso a;
  a.DIF_DIAS = pagamento - util;
  if (pagamento.year() == vencimento.year())
    a.DIF_MES = pagamento.month() - vencimento.month();
  else if (pagamento.year() > vencimento.year())
    a.DIF_MES = a.DIF_DIAS / 30;
  return a;
}

Decimal DF_MULTA(const Atraso& a) {
  if (a.DIF_MES > 2) return Decimal(20);
  if (a.DIF_DIAS <= 0) return Decimal();
  const Decimal m = Decimal(a.DIF_DIAS) * 0.33_d;
  return m > Decimal(20) ? Decimal(20) : m;
}

MultaEntrega multaEntrega(Decimal I13_19, int DIF_MES) {
  MultaEntrega r;
  r.maxima = I13_19 * 0.2_d;
  if (DIF_MES <= 0) return r;
  r.VAL_TOTMUL = console::DESPREZA(rt::text::mulDiv(I13_19, Decimal(DIF_MES), Decimal(100)));
  // The minimum is tested first: 165.74 stands even above a smaller maximum.
  if (r.VAL_TOTMUL < 165.74_d)
    r.principal = 165.74_d;
  else
    r.principal = r.VAL_TOTMUL < r.maxima ? r.VAL_TOTMUL : r.maxima;
  return r;
}

bool ValoresDarf::naoPagar() const { return VAL_TOTAL < Decimal(10); }

ValoresDarf CALCJU(Decimal IMPO_REAL, Decimal multa, Decimal juro) {
  ValoresDarf v;
  v.IMPO_REAL = IMPO_REAL;
  v.DF_MULTA = multa;
  v.DF_JURO = juro;
  v.VAL_MULTA = console::DESPREZA(rt::text::mulDiv(multa, IMPO_REAL, Decimal(100)), 15);
  v.VAL_JURO = console::DESPREZA(rt::text::mulDiv(juro, IMPO_REAL, Decimal(100)), 15);
  v.VAL_TOTAL = IMPO_REAL + v.VAL_MULTA + v.VAL_JURO;
  return v;
}

Decimal multaDoSlip(Date vencimento, Date util, Date pagamento) {
  if (!(vencimento < pagamento)) return Decimal();
  return DF_MULTA(atraso(vencimento, util, pagamento));
}

}  // namespace gains
