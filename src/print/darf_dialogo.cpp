#include "print/darf_dialogo.h"

#include <algorithm>
#include <memory>

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/menus.h"
#include "console/molduras.h"
#include "console/validadores.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/read.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/definicoes.h"
#include "taxcalc/carne_leao.h"

namespace print {

using namespace rt::text::literals;
using console::Familia;
using gains::SlipDarf;
using rt::text::Date;
using rt::text::Decimal;
using rt::text::transform;

namespace {

constexpr workareas::Area kRegistro = store::Area::IMP0910;
// The five text lines of the slip go under the boxes, from this row of the form.
constexpr int kLinhaTextos = 13;

std::string quantia(Decimal v) { return transform(v, "@Ez 99,999,999.99"); }
// A percentage as the form shows it: blank when 0.
std::string porCento(Decimal v) { return v == Decimal() ? std::string(6, ' ') : transform(v, "@EZ 99.99") + "%"; }
int inteiro(Decimal v) { return static_cast<int>(v.wholePart()); }

// The slip form (frame MTELA21 1 in window 4) and its places.
class Formulario {
 public:
  explicit Formulario(store::Contexto& ctx) : ctx_(ctx) {
    console::MTELA21(ctx, console::mtela21::Darf);
    const auto m = console::moldura(ctx, Familia::MTELA21, console::mtela21::Darf);
    topo_ = m ? m->top : 0;
    esquerda_ = m ? m->left : 0;
    campos_ = console::camposMoldura(ctx, Familia::MTELA21, console::mtela21::Darf);
  }
  // The place of a field by its label.
  console::CampoMoldura lugar(std::string_view rotulo) const {
    for (const console::CampoMoldura& c : campos_)
      if (c.rotulo == rotulo) return c;
    return {};
  }
  int linha(std::string_view rotulo) const { return topo_ + lugar(rotulo).linha; }
  int coluna(std::string_view rotulo, int desloc = 0) const { return esquerda_ + lugar(rotulo).coluna + desloc; }
  // A text in the field's place, over the field's whole width.
  void escreve(std::string_view rotulo, std::string_view texto, int desloc = 0) {
    const console::CampoMoldura c = lugar(rotulo);
    poe(c.linha, c.coluna + desloc, rt::text::padr(texto, static_cast<std::size_t>(std::max(c.largura - desloc, 0))));
  }
  void texto(int i, std::string_view t) { poe(kLinhaTextos + i, 2, rt::text::padr(t, 35)); }
  int linhaTexto(int i) const { return topo_ + kLinhaTextos + i; }
  int colunaTexto() const { return esquerda_ + 2; }

 private:
  // At a place counted from the frame's corner (the window's writes count from 1).
  void poe(int linha, int coluna, std::string_view t) { ctx_.janelas.ESCRLCOL(console::Jan::kFormDarf, linha + 1, coluna + 1, t); }

  store::Contexto& ctx_;
  int topo_ = 0, esquerda_ = 0;
  std::vector<console::CampoMoldura> campos_;
};

// The labels of the form's places.
constexpr std::string_view kNome = "01-Nome / Telefone", kTelefone = "Telefone";
constexpr std::string_view kPeriodo = "02-Período de apuração"_cp, kCpf = "03-Número do CPF/CNPJ"_cp,
                           kCodigo = "04-Código da receita"_cp, kVencimento = "06-Data de Vencimento",
                           kPrincipal = "07-Valor do principal", kMulta = "08-Valor da Multa",
                           kJuros = "09-Valor dos juros", kTotal = "10-Valor Total",
                           kInicial = "Quota ou mês Inicial"_cp, kFinal = "Quota ou mês Final"_cp,
                           kPagamento = "Data Pgto.", kUtil = "Prim. dia útil após Vcto"_cp;
// Percentages sit left of their amounts, inside the value column.
constexpr int kDeslocPorCento = -4, kDeslocQuantia = 2;

// CALCJU mode 1: the amounts of the slip on the form.
void mostraValores(Formulario& f, const SlipDarf& s) {
  const gains::ValoresDarf& v = s.valores;
  f.escreve(kPrincipal, quantia(v.IMPO_REAL), 1);
  f.escreve(kMulta, porCento(v.DF_MULTA), kDeslocPorCento);
  f.escreve(kMulta, transform(v.VAL_MULTA, "@Ez 9999,999.99"), kDeslocQuantia);
  f.escreve(kJuros, porCento(v.DF_JURO), kDeslocPorCento);
  f.escreve(kJuros, transform(v.VAL_JURO, "@Ez 9999,999.99"), kDeslocQuantia);
  f.escreve(kTotal, quantia(v.VAL_TOTAL), 1);
  f.escreve(kUtil, rt::text::dtoc(s.DDATAUTIL));
  // The late-filing slip's lines tell the months late, which follow the payment date.
  if (s.QUEDARF == 5)
    for (int i = 0; i < 5; ++i) f.texto(i, s.DF_OUTR[static_cast<std::size_t>(i)]);
}

// The slip on the form: who it is for, its dates, code and text lines, and its amounts.
void mostra(Formulario& f, const Escolhas& esc, const SlipDarf& s) {
  if (esc.QUECON == 1) {
    f.escreve(kCpf, transform(s.CPF, "@R 999.999.999-99"));
    f.escreve(kNome, s.NOME.substr(0, 35));
    f.escreve(kTelefone, transform(s.TELEFO, "@R 9999-9999"));
  } else if (esc.QUECON == 2) {
    f.escreve(kNome, "  Todos Marcados  ");
    f.escreve(kTelefone, "Nomes marcados com S conforme lista");
  } else {
    f.escreve(kNome, "Todos nomes Cadastrados ");
  }
  f.escreve(kPeriodo, rt::text::dtoc(s.DF_PERIODO));
  f.escreve(kPagamento, rt::text::dtoc(s.DF_PGTO));
  f.escreve(kCodigo, s.DF_CODIG);
  f.escreve(kVencimento, rt::text::dtoc(s.DF_VCTO));
  if (s.QUEDARF != 5)
    for (int i = 0; i < 5; ++i) f.texto(i, s.DF_OUTR[static_cast<std::size_t>(i)]);
  mostraValores(f, s);
}

// ESC_ITEM over the items of an MTELA13 menu frame; 0 for Esc. The menu's window closes.
int menu(store::Contexto& ctx, int n, int inicial) {
  console::MTELA13(ctx, n);
  const auto janela = console::JanelaAberta::adota(ctx.janelas, console::Jan::kMenuDarf);
  const auto it = console::itensMoldura(ctx, Familia::MTELA13, n);
  return it ? console::ESC_ITEM(ctx, it->janela, it->quantos, it->coluna - 1, it->deslocamento, inicial) : 0;
}

// Kind 7: the eight quota due dates, for the rest of the run and, under DEFINE's lock, for
// every later start.
void alteraDatas(store::Contexto& ctx, std::array<Date, 8>& DAT_VENC) {
  std::array<Date, 8> VCTO = DAT_VENC;
  {
    console::MTELA21(ctx, console::mtela21::Quotas);
    const auto janela = console::JanelaAberta::adota(ctx.janelas, console::Jan::kFormDarf);
    const auto m = console::moldura(ctx, Familia::MTELA21, console::mtela21::Quotas);
    const std::vector<console::CampoMoldura> campos = console::camposMoldura(ctx, Familia::MTELA21, console::mtela21::Quotas);
    rt::ui::Read read(ctx.console);
    for (std::size_t i = 0; i < VCTO.size() && i < campos.size() && m; ++i)
      read.get(m->top + campos[i].linha, m->left + campos[i].coluna,
               rt::ui::var("VCTO" + std::to_string(i + 1), VCTO[i]), "@d");
    read.run();
  }
  const bool mudou = VCTO != DAT_VENC;
  DAT_VENC = VCTO;
  // A refused write was said; the dates then hold for this run only.
  if (mudou) gravaVencimentos(ctx, DAT_VENC).ignoreTold();
  ctx.areas.select(kRegistro);
}

// Kind 2: the titular's carne-leao or a dependant's. False when the user left or the
// dependant has no carne-leao row (no slip for this choice).
bool escolheDependente(store::Contexto& ctx, gains::OpcoesDarf& o) {
  const gains::LinhasLeao l = gains::linhasLeao(ctx);
  std::string DARFTD;
  if (l.titular > 0 && l.dependentes == 0)
    DARFTD = "S";
  else if (l.dependentes > 0 && l.titular == 0)
    DARFTD = "N";
  else
    DARFTD = console::AVISOSN(ctx, "Responda com Sim Darf do Titular Nao do Dependente.", 2);
  if (DARFTD == "S") return true;
  std::string CPFDEPEN(11, ' ');
  rt::ui::ReadResult r;
  {
    console::MTELA21(ctx, console::mtela21::CpfDependente);
    const auto janela = console::JanelaAberta::adota(ctx.janelas, console::Jan::kMenuDarf);
    const auto m = console::moldura(ctx, Familia::MTELA21, console::mtela21::CpfDependente);
    const std::vector<console::CampoMoldura> campos = console::camposMoldura(ctx, Familia::MTELA21, console::mtela21::CpfDependente);
    if (m && !campos.empty()) {
      rt::ui::Get g(m->top + campos[0].linha, m->left + campos[0].coluna, rt::ui::var("CPFDEPEN", CPFDEPEN),
                    "@r 999.999.999-99");
      g.valid([&ctx, &CPFDEPEN] { return console::VAL_CPF(ctx, CPFDEPEN, true); });
      r = rt::ui::readOne(ctx.console, std::move(g));
    }
  }
  if (r.escaped) return false;
  const std::optional<std::string> nome = gains::dependenteLeao(ctx, CPFDEPEN);
  if (!nome) {
    console::AVISOSN(ctx, "Esse dependente não tem rendimentos!"_cp, 0);
    return false;
  }
  o.CPFDEPEN = CPFDEPEN;
  o.NOMEDEPEN = *nome;
  return true;
}

// A quota 1-8 or a month 1-12, not before `minimo`; a refusal is said.
bool faixaValida(store::Contexto& ctx, bool quota, Decimal v, int minimo) {
  const int n = inteiro(v);
  if (n >= 1 && n <= (quota ? 8 : 12) && n >= minimo) return true;
  if (quota)
    console::AVISOSN(
        ctx,
        n >= 1 && n <= 8 ? "A quota final não pode ser anterior à inicial"_cp : "Essa quota não existe !!"_cp,
        0);
  else
    console::AVISOSN(
        ctx,
        n >= 1 && n <= 12 ? "O mês final não pode ser anterior ao inicial"_cp : "Informe um mês de 1 a 12"_cp,
        0);
  return false;
}

// The quota or month range on the form (none for the free slip); false for Esc.
bool pedeFaixa(store::Contexto& ctx, Formulario& f, EstadoDarf& e) {
  gains::OpcoesDarf& o = e.o;
  if (o.QUEDARF == 6) return true;  // the free slip is one slip of its own
  const bool quota = o.QUEDARF == 1;
  const bool varias = e.QUANTDARF == 2;
  Decimal ini(quota ? o.QUE_QUOTA : o.MES_PGTO), fim(quota ? o.ULT_QUOTA : o.MES_FINAL);
  const std::string pic = quota ? "@z 9" : "@z 99";
  f.escreve(kFinal, "");
  {
    rt::ui::Read read(ctx.console);
    read.get(f.linha(kInicial), f.coluna(kInicial), rt::ui::var(quota ? "QUE_QUOTA" : "MES_PGTO", ini), pic)
        .valid([&] { return faixaValida(ctx, quota, ini, 1); });
    if (varias)
      read.get(f.linha(kFinal), f.coluna(kFinal), rt::ui::var(quota ? "ULT_QUOTA" : "MES_FINAL", fim), pic)
          .valid([&] { return faixaValida(ctx, quota, fim, inteiro(ini)); });
    const rt::ui::ReadResult r = read.run();
    if (r.escaped) return false;
  }
  // A READ left with PgDn keeps what was typed, checked or not.
  if (!faixaValida(ctx, quota, ini, 1) || (varias && !faixaValida(ctx, quota, fim, inteiro(ini)))) return pedeFaixa(ctx, f, e);
  const int primeiro = inteiro(ini), ultimo = varias ? inteiro(fim) : primeiro;
  if (quota) {
    o.QUE_QUOTA = primeiro;
    o.ULT_QUOTA = ultimo;
    o.CDARFUTU = varias ? console::AVISOSN(ctx, "Ao imprimir Darfs com datas futuras imprime a Selic e o Total? (S/N)", 2)
                        : "S";
  } else {
    o.MES_PGTO = primeiro;
    o.MES_FINAL = ultimo;
  }
  return true;
}

// BUS_IMPO from the dialog: the slip of the first quota or month. A run of carne-leao months
// starts at its first month with tax due.
std::optional<SlipDarf> slipDoDialogo(store::Contexto& ctx, const Escolhas& esc, EstadoDarf& e) {
  gains::OpcoesDarf& o = e.o;
  const bool lote = esc.QUECON != 1;
  if (o.QUEDARF == 6) {
    o.livre.DF_PGTO = o.DF_PGTO;
    if (o.livre.DDATAUTIL.isEmpty()) o.livre.DDATAUTIL = taxcalc::PROX_DIA(o.livre.DF_VCTO);
    return gains::BUS_IMPO(ctx, o, 1, lote);
  }
  if (o.QUEDARF == 2 && e.QUANTDARF == 2) {
    for (int m = o.MES_PGTO; m <= o.MES_FINAL; ++m) {
      std::optional<SlipDarf> s = gains::BUS_IMPO(ctx, o, m);
      if (s) {
        o.MES_PGTO = m;
        return s;
      }
    }
  }
  std::optional<SlipDarf> s = gains::BUS_IMPO(ctx, o, o.QUEDARF == 1 ? o.QUE_QUOTA : o.MES_PGTO, lote);
  if (!s && o.QUEDARF == 1) console::AVISOSN(ctx, "Essa quota não existe !!"_cp, 0);
  return s;
}

// VALI_DATA: the due date (qual 1) or payment date (qual 2) typed on the form.
bool VALI_DATA(store::Contexto& ctx, Formulario& f, SlipDarf& s, gains::OpcoesDarf& o,
               std::array<Date, 8>& DAT_VENC, Date& vctoVisto, int qual) {
  if (qual == 1 && s.DF_VCTO != vctoVisto) {
    // A quota's due date typed here holds for the rest of the run (not in DEFINE).
    if (s.QUEDARF == 1 && o.QUE_QUOTA >= 1 && o.QUE_QUOTA <= 8) {
      DAT_VENC[static_cast<std::size_t>(o.QUE_QUOTA - 1)] = s.DF_VCTO;
      o.DAT_VENC = DAT_VENC;
    }
    vctoVisto = s.DF_VCTO;
    s.DDATAUTIL = taxcalc::PROX_DIA(s.DF_VCTO);
    f.escreve(kUtil, rt::text::dtoc(s.DDATAUTIL));
  }
  if (qual == 2 && s.DF_VCTO < s.DF_PGTO && s.DF_PGTO < s.DDATAUTIL) {
    console::AVISOSN(ctx, "O dia p/ pagamento deve ser maior ou igual a " + rt::text::dtoc(s.DDATAUTIL), 0);
    return false;
  }
  const int dia = rt::text::dow(s.DF_PGTO);
  if (dia == 1 || dia == 7) {
    console::AVISOSN(
        ctx,
        dia == 1 ? "Dia lançado para pagamento é um Domingo"_cp : "Dia lançado para pagamento é um Sabado"_cp,
        0);
    return false;
  }
  gains::CALCJU(ctx, s);
  mostraValores(f, s);
  return true;
}

// Step 6 of the dialog: the slip edited on the form until confirmed. Nothing to go back to
// the code menu.
std::optional<SlipDarf> editaSlip(store::Contexto& ctx, Formulario& f, const Escolhas& esc, EstadoDarf& e,
                                  std::array<Date, 8>& DAT_VENC) {
  gains::OpcoesDarf& o = e.o;
  while (true) {
    if (!pedeFaixa(ctx, f, e)) return std::nullopt;
    std::optional<SlipDarf> achado = slipDoDialogo(ctx, esc, e);
    if (!achado) {
      if (ctx.console.lastKey().code == rt::term::key::Esc) return std::nullopt;
      continue;
    }
    SlipDarf s = *achado;
    f.escreve(kInicial, o.QUEDARF == 6 ? std::string() : std::to_string(o.QUEDARF == 1 ? o.QUE_QUOTA : o.MES_PGTO));
    mostra(f, esc, s);
    Date vctoVisto = s.DF_VCTO;
    {
      rt::ui::Read read(ctx.console);
      const auto data = [&](std::string_view rotulo, std::string_view nome, Date& d) -> rt::ui::Get& {
        return read.get(f.linha(rotulo), f.coluna(rotulo), rt::ui::var(nome, d), "@D");
      };
      const auto refaz = [&] {
        gains::CALCJU(ctx, s);
        mostraValores(f, s);
        return true;
      };
      data(kVencimento, "DF_VCTO", s.DF_VCTO).valid([&] { return VALI_DATA(ctx, f, s, o, DAT_VENC, vctoVisto, 1); });
      data(kPagamento, "DF_PGTO", s.DF_PGTO).valid([&] { return VALI_DATA(ctx, f, s, o, DAT_VENC, vctoVisto, 2); });
      data(kUtil, "DDATAUTIL", s.DDATAUTIL).when([&s] { return gains::VEATRASO(s); }).valid(refaz);
      if (s.QUEDARF == 6) {
        data(kPeriodo, "DF_PERIODO", s.DF_PERIODO);
        read.get(f.linha(kCodigo), f.coluna(kCodigo), rt::ui::var("DF_CODIG", s.DF_CODIG), "@r 9999");
        read.get(f.linha(kPrincipal), f.coluna(kPrincipal, 1), rt::ui::var("IMPO_REAL", s.valores.IMPO_REAL),
                 "@Ez 99,999,999.99")
            .valid(refaz);
        for (std::size_t i = 0; i < s.DF_OUTR.size(); ++i)
          read.get(f.linhaTexto(static_cast<int>(i)), f.colunaTexto(),
                   rt::ui::var("DF_OUTR" + std::to_string(i + 1), s.DF_OUTR[i]));
        // SO_JUROS: the typed interest rate; the amount is cut to the cent as every other.
        read.get(f.linha(kJuros), f.coluna(kJuros, kDeslocPorCento), rt::ui::var("DF_JURO", s.valores.DF_JURO),
                 "@ez 999.99")
            .valid([&] {
              s.valores = gains::CALCJU(s.valores.IMPO_REAL, s.valores.DF_MULTA, s.valores.DF_JURO);
              mostraValores(f, s);
              return true;
            });
      }
      read.run();
    }
    const std::string resposta = console::AVISOSN(ctx, "Confirma a alteração ?"_cp, 3);
    if (resposta == "S") {
      o.DF_PGTO = s.DF_PGTO;
      return s;
    }
    if (resposta == "I") return std::nullopt;
  }
}

}  // namespace

std::optional<gains::OpcoesDarf> DARF(store::Contexto& ctx, const Escolhas& esc, EstadoDarf& e,
                                      std::array<Date, 8>& DAT_VENC) {
  gains::OpcoesDarf& o = e.o;
  o.DF_PGTO = gains::pagamentoDarf(ctx.clock.now().date);
  Formulario f(ctx);
  const auto forma = console::JanelaAberta::adota(ctx.janelas, console::Jan::kFormDarf);
  while (true) {
    const int k = menu(ctx, 7, o.QUEDARF);
    if (k == 0) {
      o.QUEDARF = 1;
      return std::nullopt;
    }
    o.QUEDARF = k;
    if (k == 7) {
      // The due dates' frame takes the form's place.
      ctx.janelas.FECHAJAN(console::Jan::kFormDarf);
      alteraDatas(ctx, DAT_VENC);
      return std::nullopt;
    }
    o.DAT_VENC = DAT_VENC;
    e.QUANTDARF = k <= 4 ? std::max(1, menu(ctx, 8, e.QUANTDARF)) : 1;
    o.CPFDEPEN.clear();
    o.NOMEDEPEN.clear();
    if (k == 2 && !escolheDependente(ctx, o)) continue;
    if (std::optional<SlipDarf> s = editaSlip(ctx, f, esc, e, DAT_VENC)) {
      if (k == 6) o.livre = *s;
      gains::OpcoesDarf confirmadas = o;
      confirmadas.confirmada = std::move(s);
      return confirmadas;
    }
  }
}

DialogoDarf dialogoDarf(std::array<Date, 8>& DAT_VENC) {
  auto estado = std::make_shared<EstadoDarf>();
  return [&DAT_VENC, estado](store::Contexto& ctx, const Escolhas& esc, bool novoTrabalho) {
    if (novoTrabalho) *estado = EstadoDarf();
    return DARF(ctx, esc, *estado, DAT_VENC);
  };
}

rt::Status gravaVencimentos(store::Contexto& ctx, const std::array<Date, 8>& datas) {
  return store::gravaDefine(ctx, [&datas](rt::db::Table& t) {
    rt::Status s;
    for (std::size_t i = 0; i < datas.size() && s; ++i)
      s = t.put("VCTO" + std::to_string(i + 1), rt::text::Value(datas[i]));
    return s;
  });
}

}  // namespace print
