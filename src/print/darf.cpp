#include "print/darf.h"

#include <memory>

#include "console/alerta.h"
#include "print/rota.h"
#include "store/areas.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace print {

using rt::text::Decimal;
using rt::text::padr;
using rt::text::transform;

namespace {

constexpr std::string_view kQuantia = "@Ez 99,999,999.99";
constexpr std::string_view kNaoPagarForm = "VALOR INFERIOR A R$ 10,00 - NAO PAGAR";
constexpr std::string_view kNaoPagarFolha = "VALOR INFERIOR R$ 10,00 - NAO PAGAR";
constexpr std::string_view kSomeOutros = " SOME C/OUTROS DARFS DO MESMO CODIGO ";

std::string quantia(Decimal v) { return transform(v, kQuantia); }

void formulario(store::Contexto& ctx, Impressao& imp, const SlipDarf& s) {
  rt::dev::Printer& p = imp.dispositivo;
  const int r = imp.QLIN;
  p.at(r, 0);
  imp.MUDAIMP(0);
  p.say(r, 67, rt::text::dtoc(s.DF_PERIODO));
  AJUS_FIN(ctx, imp);
  p.say(r + 2, 61, transform(s.CPF, "@r 999.999.999-99"));
  AJUS_FIN(ctx, imp);
  p.say(r + 4, 66, s.DF_CODIG);
  AJUS_FIN(ctx, imp);
  p.say(r + 7, 1, padr(s.NOME, 35));
  p.say(r + 8, 1, transform(s.TELEFO, "@R 9999-9999"));
  p.say(r + 8, 65, rt::text::dtoc(s.DF_VCTO));
  AJUS_FIN(ctx, imp);
  p.say(r + 10, 63, quantia(s.valores.IMPO_REAL));
  p.say(r + 12, 1, s.DF_OUTR[4]);
  p.say(r + 12, 63, quantia(s.valores.VAL_MULTA));
  if (!s.semJuros()) {
    p.say(r + 14, 63, quantia(s.valores.VAL_JURO));
    p.say(r + 16, 63, quantia(s.valores.VAL_TOTAL));
  }
  if (s.valores.naoPagar()) {
    p.say(r + 19, 40, kNaoPagarForm);
    p.say(r + 20, 40, kSomeOutros);
  }
  // The continuous form has no page break: the next slip is 24 rows down (26 after the
  // laser's page-length sequence).
  imp.QLIN = r + (imp.seq.TEM_LASER != 0 ? 26 : 24);
  p.say(imp.QLIN, 0, " ");
}

// The drawn slip's rows: a left column of 35 characters, the box captions and values in 40.
class Moldura {
 public:
  Moldura(Impressao& imp, int linha) : imp_(imp), linha_(linha) {}
  // "|" + left + "|" + right + "|"; a right part of "-" draws the box's closing rule.
  void linha(std::string_view esquerda, std::string_view direita) {
    const std::string dir = direita == "-" ? std::string(40, '-') : padr(direita, 40);
    const char lado = direita == "-" ? '+' : '|';
    imp_.dispositivo.say(linha_++, 0, "|" + padr(esquerda, 35) + lado + dir + lado);
  }
  void borda() { imp_.dispositivo.say(linha_++, 0, "+" + std::string(35, '-') + "+" + std::string(40, '-') + "+"); }
  // A value on the row just drawn.
  void valor(int col, std::string_view v) { imp_.dispositivo.say(linha_ - 1, col, v); }
  int atual() const { return linha_; }

 private:
  Impressao& imp_;
  int linha_;
};

void folha(Impressao& imp, const SlipDarf& s) {
  rt::dev::Printer& p = imp.dispositivo;
  const int r = imp.QLIN;
  p.at(r + 4, 0);
  imp.MUDAIMP(0);
  Moldura m(imp, r + 4);
  m.borda();
  m.linha("    MINISTERIO DA FAZENDA", "02-Periodo de apuracao");
  m.valor(67, rt::text::dtoc(s.DF_PERIODO));
  m.linha("    Secretaria da Receita Federal", "-");
  m.linha("Doc. Arrecada. de Receitas Federais", "03-Numero do CPF/CGC  ");
  m.valor(61, transform(s.CPF, "@r 999.999.999-99"));
  m.linha("", "-");
  m.linha("           D  A  R  F", "04-Codigo da receita  ");
  m.valor(66, s.DF_CODIG);
  m.borda();
  m.linha("01-Nome / Telefone", "05-Nro de referencia  ");
  m.linha(s.NOME, "-");
  m.linha(transform(s.TELEFO, "@R 9999-9999"), "06-Data de Vencimento ");
  m.valor(65, rt::text::dtoc(s.DF_VCTO));
  m.borda();
  m.linha(s.DF_OUTR[4], "07-Valor do principal ");
  m.valor(63, quantia(s.valores.IMPO_REAL));
  m.borda();
  m.linha(s.DF_OUTR[0], "08-Valor da Multa     ");
  m.valor(63, quantia(s.valores.VAL_MULTA));
  m.linha(s.DF_OUTR[1], "-");
  m.linha(s.DF_OUTR[2], "09-Valor dos juros    ");
  if (!s.semJuros()) m.valor(63, quantia(s.valores.VAL_JURO));
  m.linha(s.DF_OUTR[3], "-");
  const rt::text::Date valido = s.DF_PGTO < s.DF_VCTO ? s.DF_VCTO : s.DF_PGTO;
  m.linha("Valido p/ pagamento ate " + rt::text::dtoc(valido), "10-Valor Total        ");
  if (!s.semJuros()) m.valor(63, quantia(s.valores.VAL_TOTAL));
  m.linha("", "-");
  if (s.valores.naoPagar()) {
    m.linha(kNaoPagarFolha, "11-Autenticacao bancaria");
    m.linha("SOME C/OUTROS DARFS DO MESMO CODIGO ", "");
  } else {
    m.linha(s.semJuros() ? "NOS JUROS POR A CORRECAO DA SELIC  " : "", "11-Autenticacao bancaria");
    m.linha("", "");
  }
  m.linha("", "");
  m.linha("Modelo Aprovado pela IN/SRF 81/96  ", "");
  m.borda();
  // Two slips to a page: after the second the row is past 50 and the page is broken.
  imp.QLIN = m.atual() - 1;
  if (imp.QLIN > 50) {
    p.say(++imp.QLIN, 0, " ");
    p.eject();
    p.setPrc(0, 0);
    imp.QLIN = 0;
  } else {
    p.say(++imp.QLIN, 0, " ");
  }
}

}  // namespace

void IMPRDARF(store::Contexto& ctx, Impressao& imp, int QUEMOD, const SlipDarf& s) {
  if (s.valores.IMPO_REAL == Decimal()) return;
  if (QUEMOD == 2)
    formulario(ctx, imp, s);
  else
    folha(imp, s);
}

namespace {

// FAZ_DARF: the slips of the taxpayer on the register. The confirmed slip stands for the
// first taxpayer; every other slip is computed from the print copies.
void FAZ_DARF(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, gains::OpcoesDarf& o) {
  ctx.areas.select(store::Area::IMP0910);
  if (imp.seq.TEM_LASER != 0) {
    imp.dispositivo.at(imp.QLIN, 0);
    imp.dispositivo.control("\x1b&l0E\x1b&l74P");
  } else {
    imp.QLIN = 0;
  }
  imp.dispositivo.setPrc(0, 0);
  const int primeiro = o.QUEDARF == 1 ? o.QUE_QUOTA : o.MES_PGTO;
  const int vias = esc.QUEMOD == 1 ? std::max(esc.NRO_VIAS, 2) : std::max(esc.NRO_VIAS, 1);
  for (int k = 0; k < o.QTD_DARF() && !imp.CAN_IMP; ++k) {
    std::optional<gains::SlipDarf> s = gains::BUS_IMPO(ctx, o, primeiro + k);
    if (k == 0 && o.confirmada) {
      // The slip as confirmed, where this taxpayer has it at all (in a batch the dialog shows
      // a quota the first taxpayer may lack).
      if (s) s = std::move(o.confirmada);
      o.confirmada.reset();
    }
    if (!s) continue;
    for (int v = 0; v < vias; ++v) IMPRDARF(ctx, imp, esc.QUEMOD, *s);
    if (PAREIMP(ctx, imp)) return;
  }
}

}  // namespace

std::function<void(store::Contexto&, Impressao&)> servicoDarf(std::function<Escolhas()> escolhas,
                                                               DialogoDarf dialogo) {
  auto opcoes = std::make_shared<std::optional<gains::OpcoesDarf>>();
  return [escolhas = std::move(escolhas), dialogo = std::move(dialogo), opcoes](store::Contexto& ctx,
                                                                                  Impressao& imp) {
    const Escolhas esc = escolhas ? escolhas() : Escolhas{};
    // A job that has not routed its output yet is at its first taxpayer: the dialog runs.
    const bool primeiro = !imp.roteadoNoTrabalho;
    for (bool outro = primeiro, novo = primeiro; !imp.CAN_IMP; novo = false) {
      if (outro) {
        *opcoes = dialogo ? dialogo(ctx, esc, novo) : std::nullopt;
        if (!*opcoes) {
          imp.CAN_IMP = true;
          return;
        }
      } else if (*opcoes) {
        // The dialog's dependant is its taxpayer's: the others get their titular's slips.
        (*opcoes)->CPFDEPEN.clear();
        (*opcoes)->NOMEDEPEN.clear();
      }
      if (!*opcoes) return;
      if (!imp.roteadoNoTrabalho && !PREP_IMP(ctx, imp)) return;
      FAZ_DARF(ctx, imp, esc, **opcoes);
      if (esc.QUECON != 1) return;
      if (console::AVISOSN(ctx, "Outro tipo de DARF? (S/N)") != "S") return;
      outro = true;
    }
  };
}

}  // namespace print
