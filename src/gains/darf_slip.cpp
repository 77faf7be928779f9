#include "gains/darf_slip.h"

#include "console/documentos.h"
#include "gains/campos.h"
#include "gains/juros.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "taxcalc/carne_leao.h"

namespace gains {

using rt::text::Date;
using rt::text::Decimal;
using store::Area;

namespace {

const Date kFimDoAno = Date::fromYmd(2009, 12, 31);

rt::db::Table* area(store::Contexto& ctx, Area a) { return ctx.areas.table(a); }

template <class F>
void paraCada(store::Contexto& ctx, Area a, F&& f) {
  rt::db::Table* t = area(ctx, a);
  if (t == nullptr) return;
  for (t->goTop(); t->status() && !t->eof(); t->skip(1))
    if (!t->isDeleted()) f(*t);
}

// The taxpayer's summary row: I13_19 tax due, I13_29 number of quotas, I13_30 one quota.
struct Resumo {
  Decimal I13_19, I13_30;
  int I13_29 = 0;
};
Resumo resumo(store::Contexto& ctx, const std::string& cpf) {
  Resumo r;
  rt::db::Table* t = area(ctx, Area::TMP_01);
  if (t != nullptr) t->goTop();
  bool achou = t != nullptr && t->status() && !t->eof();
  // Table 01 opened here is closed again at once: left open, it would keep every other
  // terminal's load and save (which open it exclusively) waiting for as long as this one runs.
  const store::SelecaoGuardada selecao(ctx.areas);
  const bool abriu = !achou && !store::aberta(ctx.areas, Area::IMP0110) && store::ABERTURA(ctx, Area::IMP0110);
  if (!achou && store::aberta(ctx.areas, Area::IMP0110)) {
    t = area(ctx, Area::IMP0110);
    achou = t->seek(cpf) && t->found();
  }
  if (achou) {
    r.I13_19 = t->getNumber("I13_19");
    r.I13_29 = inteiro(*t, "I13_29");
    r.I13_30 = t->getNumber("I13_30");
  }
  if (abriu) store::solta(ctx.areas, Area::IMP0110);
  return r;
}

std::string quantia(Decimal v) { return rt::text::transform(v, "@Ez 99,999,999.99"); }

// The interest percentage of the monthly table (none when the table cannot be read).
Decimal juros(store::Contexto& ctx, const SlipDarf& s) {
  rt::db::Table* ufirm = area(ctx, Area::UFIRM);
  if (ufirm == nullptr && store::ABERTURA(ctx, Area::UFIRM)) ufirm = area(ctx, Area::UFIRM);
  if (ufirm == nullptr) return Decimal();
  // Quotas after the first carry the quota interest from April, late or not.
  if (s.QUEDARF == 1 && s.PDARF3 != 1) return ACHAJURO(*ufirm, s.DF_VCTO, s.DF_PGTO, 2, s.DF_PGTO.month()).DF_JURO;
  if (!(s.DF_VCTO < s.DF_PGTO)) return Decimal();
  return ACHAJURO(*ufirm, s.DF_VCTO, s.DF_PGTO, 1).DF_JURO;
}

// The month's tax due and paid of kinds 2-4, and the base shown on the slip.
struct Mes {
  Decimal REND_REAL, LCAX_REAL, DEDU_REAL, IMPDEV_REAL, IMPREC_REAL;
  Decimal IMPAPAG() const { return IMPDEV_REAL > IMPREC_REAL ? IMPDEV_REAL - IMPREC_REAL : Decimal(); }
};

Mes mes(store::Contexto& ctx, int kind, int n, std::string_view cpfDepen) {
  Mes m;
  const std::string k = mm(n);
  if (kind == 2) {
    // The person's carne-leao row: the titular's has an empty CPFdepen. The first one counts.
    bool achou = false;
    paraCada(ctx, Area::TMP_12, [&](rt::db::Table& t) {
      if (achou || rt::text::alltrim(t.getText("CPFdepen")) != rt::text::alltrim(cpfDepen)) return;
      achou = true;
      m.REND_REAL = t.getNumber("I2_1" + k) + t.getNumber("I2_2" + k);
      m.LCAX_REAL = t.getNumber("I2_3" + k);
      m.DEDU_REAL = t.getNumber("I2_4" + k);
      m.IMPREC_REAL = t.getNumber("I2_5" + k);
      m.IMPDEV_REAL = t.getNumber("I2_6" + k);
    });
  } else {
    paraCada(ctx, Area::TMP_07, [&](rt::db::Table& t) {
      const int tipo = inteiro(t, "TIPO_BEM");
      if (kind == 3 && tipo >= 1 && tipo <= 3) {
        m.REND_REAL += t.getNumber("VAL_TRI" + k);
        m.IMPDEV_REAL += t.getNumber("IMP_DEV" + k);
        m.IMPREC_REAL += t.getNumber("IMP_PAG" + k);
      } else if (kind == 4 && tipo == 4) {
        const int nro = inteiro(t, "RVAR_NRO");
        const Decimal v = t.getNumber("REC_MES" + k);
        if (nro == 16) m.REND_REAL += v;
        if (nro == 25 && t.getText("DAY_TRADE") == "1") m.IMPDEV_REAL += v;
        if (nro == 26 && t.getText("DAY_TRADE") == "1") m.IMPREC_REAL += v;
      }
    });
  }
  return m;
}

// PREENCHE for kinds 2-4: the five text lines.
void linhasDoMes(SlipDarf& s, const Mes& m, int n) {
  const std::string nome = console::TRAZ_MES(n);
  const Decimal p = s.valores.IMPO_REAL;
  auto& o = s.DF_OUTR;
  const bool pago = m.IMPREC_REAL != Decimal();
  if (s.QUEDARF == 2) {
    if (!pago) {
      o = {"Rendimentos....... R$ " + quantia(m.REND_REAL), "Livro Caixa....... R$ " + quantia(m.LCAX_REAL),
           "Deducoes.......... R$ " + quantia(m.DEDU_REAL), "Imposto........... R$ " + quantia(p),
           "Carne Leao do mes de " + nome.substr(0, 9) + "/2009"};
    } else {
      o = {"", "Valor Devido...... R$ " + quantia(m.IMPDEV_REAL), "V. Recolhido...... R$ " + quantia(m.IMPREC_REAL),
           "Diferenca......... R$ " + quantia(p), "Diferenca no C.Leao de " + nome.substr(0, 7) + "/2009"};
    }
  } else {
    const bool ganho = s.QUEDARF == 3;
    if (!pago) {
      o = {"", "Base de calculo.....R$" + quantia(m.REND_REAL), "Imposto.............R$" + quantia(p), "",
           (ganho ? "Ganho de capital em " : "Ganho em R. variavel ") + nome.substr(0, 9) + "/2009"};
    } else {
      o = {"Base de calculo.....R$" + quantia(m.REND_REAL), "Imposto.............R$" + quantia(m.IMPDEV_REAL),
           "V. Recolhido........R$" + quantia(m.IMPREC_REAL), "Diferenca ..........R$" + quantia(p),
           (ganho ? "Pago menor G. Capital " : "Pago menor R.Variavel ") + nome.substr(0, 8) + "/2009"};
    }
  }
  for (std::string& l : o) l = rt::text::padr(l, 35);
}

// The late-filing slip: its fine from the payment date, no interest, and its text lines.
void multaDaEntrega(SlipDarf& s, Decimal I13_19) {
  const Atraso a = atraso(s.DF_VCTO, s.DDATAUTIL, s.DF_PGTO);
  const MultaEntrega me = multaEntrega(I13_19, a.DIF_MES);
  s.valores = CALCJU(me.principal, Decimal(), Decimal());
  s.DF_OUTR = {"Multa maxima pelo atraso " + rt::text::transform(me.maxima, "@EZ 999,999.99"),
               "Multa minima pelo atraso     165,74",
               rt::text::strzero(Decimal(a.DIF_MES), 2) + " mes" + (a.DIF_MES == 1 ? "  " : "es") + " de atraso  = " +
                   quantia(me.VAL_TOTMUL),
               "Valor da multa........" + quantia(me.principal), "Multa pelo atraso na entrega       "};
  for (std::string& l : s.DF_OUTR) l = rt::text::padr(l, 35);
}

}  // namespace

bool SlipDarf::semJuros() const {
  return QUEDARF == 1 && PDARF3 != 1 && CDARFUTU == "N" && DF_PGTO < DF_VCTO;
}

int OpcoesDarf::QTD_DARF() const {
  if (QUEDARF == 1) return ULT_QUOTA - QUE_QUOTA + 1;
  if (QUEDARF >= 2 && QUEDARF <= 4) return MES_FINAL - MES_PGTO + 1;
  return 1;
}

std::optional<SlipDarf> BUS_IMPO(store::Contexto& ctx, const OpcoesDarf& o, int n, bool lote) {
  const rt::db::Table* reg = area(ctx, Area::IMP0910);
  if (reg == nullptr) return std::nullopt;
  SlipDarf s;
  s.QUEDARF = o.QUEDARF;
  s.PDARF3 = n;
  s.CDARFUTU = o.CDARFUTU;
  s.DF_PGTO = o.DF_PGTO;
  s.CPF = reg->getText("CPF");
  s.NOME = rt::text::padr(reg->getText("NOMECONTR"), 35);
  s.TELEFO = reg->getText("TELEFO");
  for (std::string& l : s.DF_OUTR) l = std::string(35, ' ');
  const Resumo r = resumo(ctx, s.CPF);
  switch (o.QUEDARF) {
    case 1: {
      // Quotas are 1 to 8; a quota the taxpayer does not have gives no slip.
      if (n < 1 || n > 8 || (n > r.I13_29 && !lote)) return std::nullopt;
      s.DF_CODIG = "0211";
      s.DF_PERIODO = kFimDoAno;
      s.DF_VCTO = o.DAT_VENC[static_cast<std::size_t>(n - 1)];
      s.valores.IMPO_REAL = r.I13_30;
      s.DF_OUTR[2] = rt::text::padr("Imposto devido..... R$" + quantia(r.I13_30), 35);
      s.DF_OUTR[4] = rt::text::padr("Pagto. da quota " + std::to_string(n) + " de " + std::to_string(r.I13_29) +
                                        " do IRPF/2010", 35);
      break;
    }
    case 2: case 3: case 4: {
      static constexpr const char* kCodigo[] = {"0190", "4600", "6015"};
      if (n < 1 || n > 12) return std::nullopt;
      const std::string_view depen = o.QUEDARF == 2 ? std::string_view(o.CPFDEPEN) : std::string_view();
      const Mes m = mes(ctx, o.QUEDARF, n, depen);
      if (!rt::text::alltrim(depen).empty()) {
        s.CPF = o.CPFDEPEN;
        s.NOME = rt::text::padr(o.NOMEDEPEN, 35);
      }
      s.DF_CODIG = kCodigo[o.QUEDARF - 2];
      s.DF_PERIODO = MES_ANTER(n);
      s.DF_VCTO = ULTIMO_DIA(n, 2009);
      s.valores.IMPO_REAL = m.IMPAPAG();
      linhasDoMes(s, m, n);
      break;
    }
    case 5: {
      s.DF_CODIG = "5320";
      s.DF_PERIODO = kFimDoAno;
      s.DF_VCTO = o.DAT_VENC[0];
      s.DDATAUTIL = taxcalc::PROX_DIA(s.DF_VCTO);
      multaDaEntrega(s, r.I13_19);
      return s.valores.IMPO_REAL == Decimal() && !lote ? std::nullopt : std::optional(s);
    }
    case 6: {
      // The free slip as typed, under this taxpayer's name; its amounts follow its dates.
      const SlipDarf livre = s;
      s = o.livre;
      s.QUEDARF = 6;
      s.PDARF3 = n;
      s.CPF = livre.CPF;
      s.NOME = livre.NOME;
      s.TELEFO = livre.TELEFO;
      CALCJU(ctx, s);
      return s;
    }
    default:
      return std::nullopt;
  }
  if (s.valores.IMPO_REAL == Decimal() && !lote) return std::nullopt;
  s.DDATAUTIL = taxcalc::PROX_DIA(s.DF_VCTO);
  CALCJU(ctx, s);
  return s;
}

void CALCJU(store::Contexto& ctx, SlipDarf& s) {
  if (s.QUEDARF == 5) {
    const rt::db::Table* reg = area(ctx, Area::IMP0910);
    multaDaEntrega(s, resumo(ctx, reg != nullptr ? reg->getText("CPF") : s.CPF).I13_19);
    return;
  }
  s.valores = CALCJU(s.valores.IMPO_REAL, multaDoSlip(s.DF_VCTO, s.DDATAUTIL, s.DF_PGTO), juros(ctx, s));
}

bool VEATRASO(const SlipDarf& s) {
  return s.DF_PGTO.year() > s.DF_VCTO.year() || s.DF_PGTO - s.DF_VCTO > 0;
}

LinhasLeao linhasLeao(store::Contexto& ctx) {
  LinhasLeao l;
  paraCada(ctx, Area::TMP_12, [&](rt::db::Table& t) {
    ++(rt::text::alltrim(t.getText("CPFdepen")).empty() ? l.titular : l.dependentes);
  });
  return l;
}

std::optional<std::string> dependenteLeao(store::Contexto& ctx, std::string_view cpf) {
  const std::string_view procura = rt::text::alltrim(cpf);
  bool temLinha = false;
  paraCada(ctx, Area::TMP_12, [&](rt::db::Table& t) { temLinha = temLinha || rt::text::alltrim(t.getText("CPFdepen")) == procura; });
  if (procura.empty() || !temLinha) return std::nullopt;
  std::optional<std::string> nome;
  paraCada(ctx, Area::TMP_03, [&](rt::db::Table& t) {
    if (!nome && rt::text::alltrim(t.getText("CPFDEPEN")) == procura) nome = std::string(rt::text::trim(t.getText("NOMEDEPEN")));
  });
  return nome.value_or(std::string());
}

}  // namespace gains
