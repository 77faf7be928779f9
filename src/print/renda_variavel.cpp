#include "print/renda_variavel.h"

#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"

namespace print {

using rt::text::Decimal;

namespace {

constexpr workareas::Area kCopia = store::Area::TMP_07;
constexpr std::string_view kValor = "@Ez 999,999,999.99";

constexpr std::array<std::string_view, 26> kRotulos{
    "01.Mercado a Vista - Acoes",
    "02.Mercado a Vista - Ouro",
    "03.M.Vista Ouro,Ativo Fin. fora de bolsa",
    "04.Mercado de Opcoes - Acoes",
    "05.Mercado de Opcoes - Ouro",
    "06.Mercado de Opcoes, fora de bolsa",
    "07.Mercado de Opcoes - Outros",
    "08.Mercado Futuro - Dolar do EUA",
    "09.Mercado Futuro - Indices",
    "10.Mercado Futuro - Juros",
    "11.Mercado Futuro - Outros",
    "12.Mercado a Termo - Acoes/Ouro",
    "13.Mercado a Termo - Outros",
    "14.Resultado Liquido no Mes",
    "15.Resultado negativo ate o mes anterior",
    "16.Base de calculo do imposto",
    "17.Prejuizo a compensar",
    "18.Aliquota do imposto",
    "19.Imposto devido",
    "20.Total do Imposto devido",
    "21.IR fonte de day trade do mes",
    "22.IR fonte de day trade mes anterior",
    "23.IR fonte de day trade a compensar",
    "24.IR retido na fonte Lei 11.033/2004",
    "25.Imposto a pagar",
    "26.Imposto pago",
};

std::string mes(int m) { return (m < 10 ? "0" : "") + std::to_string(m); }

bool temRendaVariavel(rt::db::Table& t) {
  for (t.goTop(); t.status() && !t.eof(); t.skip(1))
    if (!t.isDeleted() && t.getNumber("TIPO_BEM").wholePart() == 4) return true;
  return false;
}

// The head of a new page.
void cabecalho(Impressao& imp, const std::string& cpf, const std::string& nome) {
  rt::dev::Printer& d = imp.dispositivo;
  d.at(imp.QLIN, 0);
  d.control(imp.seq.STRING[1]);
  d.say("CPF:");
  d.say(imp.QLIN, 5, rt::text::transform(std::string_view(cpf), "@r 999.999.999-99"));
  d.say(imp.QLIN, 20, "Nome: " + nome);
  d.say(++imp.QLIN, 0, "APURACAO DE GANHOS OU PERDAS E DO IMPOSTO NA RENDA VARIAVEL");
  d.say(++imp.QLIN, 0, imp.LIN_DIV2);
  d.say(++imp.QLIN, 0, "         DISCRIMINACAO                                             GANHOS LIQUIDOS OU PERDAS");
  d.say(++imp.QLIN, 0, imp.LIN_DIV2);
  ++imp.QLIN;
}

}  // namespace

QuadroTrimestre quadroDoTrimestre(store::Contexto& ctx, int trimestre) {
  QuadroTrimestre q{};
  rt::db::Table* t = ctx.areas.table(kCopia);
  if (t == nullptr) return q;
  for (t->goTop(); t->status() && !t->eof(); t->skip(1)) {
    if (t->isDeleted() || t->getNumber("TIPO_BEM").wholePart() != 4) continue;
    const auto linha = t->getNumber("RVAR_NRO").wholePart();
    if (linha < 1 || linha > 26) continue;
    const bool dayTrade = t->getText("DAY_TRADE") == "2";
    auto& l = q[static_cast<std::size_t>(linha - 1)];
    for (int i = 0; i < 3; ++i) {
      const int m = (trimestre - 1) * 3 + i + 1;
      l[static_cast<std::size_t>(i * 2 + (dayTrade ? 1 : 0))] = t->getNumber("REC_MES" + mes(m));
    }
  }
  return q;
}

void GRV_IMP(store::Contexto& ctx, Impressao& imp, const std::string& cpf, const std::string& nome) {
  rt::db::Table* t = ctx.areas.table(kCopia);
  if (t == nullptr || !temRendaVariavel(*t)) return;
  rt::dev::Printer& d = imp.dispositivo;
  for (int trimestre = 1; trimestre <= 4; ++trimestre) {
    const QuadroTrimestre q = quadroDoTrimestre(ctx, trimestre);
    if (imp.QLIN == 0) cabecalho(imp, cpf, nome);
    std::string meses;
    for (int i = 0; i < 3; ++i) {
      const std::string m = mes((trimestre - 1) * 3 + i + 1);
      meses += (i == 0 ? "Comuns mes " : " Comuns mes ") + m + (i == 0 ? "  D.trade mes " : "  D.Trade mes ") + m;
    }
    d.say(imp.QLIN, 43, meses);
    for (int l = 0; l < 26; ++l) {
      ++imp.QLIN;
      d.say(imp.QLIN, 1, rt::text::padr(kRotulos[static_cast<std::size_t>(l)], 40));
      const auto& v = q[static_cast<std::size_t>(l)];
      if (l < 18) {
        for (int c = 0; c < 6; ++c) d.say(imp.QLIN, 42 + c * 15, rt::text::transform(v[static_cast<std::size_t>(c)], kValor));
      } else {
        for (int c = 0; c < 3; ++c) d.say(imp.QLIN, 50 + c * 30, rt::text::transform(v[static_cast<std::size_t>(c * 2)], kValor));
      }
    }
    d.say(++imp.QLIN, 0, imp.LIN_DIV2);
    ++imp.QLIN;
    if (imp.QLIN > 50) {
      d.eject();
      imp.QLIN = 0;
    }
  }
  t->goTop();
  imp.QLIN = 0;
}

}  // namespace print
