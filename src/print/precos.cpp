// Sheet 11: the fees to charge for the declarations of the register, by the time spent on
// each and its size, with the office's minimum fee.
#include "console/tempo.h"
#include "print/escritorio.h"
#include "print/pagina.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace print {

using rt::text::transform;

namespace {

constexpr std::string_view kTaxa = "@Ez 9999,999.99";
constexpr std::string_view kTotal = "@Ez 99,999,999.99";

struct Totais {
  Decimal tempo, tamanho, calculado, cobrado;
  int feitas = 0, naoFeitas = 0;
};

std::string horas(Decimal segundos) { return console::SEG_HOR_2(static_cast<long long>(segundos.wholePart())); }

// The running totals.
void linhaTotais(Pagina& p, const Totais& t) {
  p.diz(0, "TOTAIS...");
  p.diz(57, horas(t.tempo));
  p.valor(78, t.tamanho, "@ez 9999.999");
  p.valor(100, t.calculado, kTotal);
  p.valor(115, t.cobrado, kTotal);
  p.avanca();
}

// TOTALDEC: the counts, the totals and the averages over the declarations done (blank when
// none is done).
void TOTALDEC(Pagina& p, const Totais& t) {
  p.linha(0, "Declaracoes:Feitas     Nao     Total");
  p.diz(14, transform(Decimal(t.feitas), "@Z 999"));
  p.diz(22, transform(Decimal(t.naoFeitas), "@Z 999"));
  p.linha(31, transform(Decimal(t.feitas + t.naoFeitas), "@Z 999"));
  linhaTotais(p, t);
  p.diz(0, "MEDIAS.......");
  if (t.feitas > 0) {
    const Decimal n(t.feitas);
    p.diz(57, horas(t.tempo / n));
    p.valor(78, t.tamanho / n, "@ez 9999.999");
    p.valor(100, t.calculado / n, kTotal);
    p.valor(115, t.cobrado / n, kTotal);
  }
  p.avanca();
}

}  // namespace

console::PrecosEscritorio precosDoEscritorio(store::Contexto& ctx) {
  console::PrecosEscritorio p{Decimal::val("1.6"), Decimal(1), Decimal(60)};
  if (store::ABERTURA(ctx, store::Area::DEFINE)) {
    rt::db::Table& d = *ctx.areas.table(store::Area::DEFINE);
    d.goTop();
    if (d.status() && !d.eof()) {
      p.VAL_BYTE = d.getNumber("VAL_BYTE");
      p.VAL_SEG = d.getNumber("VAL_SEG");
      p.VAL_MIN = d.getNumber("VAL_MIN");
    }
  }
  return p;
}

void FAZ_PRECO(store::Contexto& ctx, Impressao& imp, const Escolhas& esc) {
  const console::PrecosEscritorio precos = precosDoEscritorio(ctx);
  rt::db::Table* reg = ctx.areas.table(store::Area::IMP0910);
  if (reg == nullptr) return;
  Pagina p(imp, [&](Pagina& q) {
    q.linha(0, "Relacao dos contribuintes, das declaracoes feitas e valores a cobrar no diretorio: " + ctx.LOCARQ);
    q.linha(0, imp.LIN_DIV2);
    q.linha(0,
            "    CPF                NOME                               TEMPO      Valor tempo  Tamanho   Valor Tam.    "
            "Valor Calc.   Valor Defin  ");
    q.linha(0, imp.LIN_DIV2);
  });
  p.condensado();
  Totais t;
  for (reg->goTop(); reg->status() && !reg->eof() && !imp.CAN_IMP; reg->skip(1)) {
    if (reg->isDeleted()) continue;
    const LinhaCadastro c = daLinha(*reg);
    if (esc.QUECON == 2 && c.IMPRE != "S") continue;
    if (p.QLIN() == 0) p.cabecalho();
    const console::Honorarios h = console::calculaHonorarios(c.TEM_USO, c.TAM_USO, precos, console::SemTempo::Nada);
    const Decimal taxaTamanho = h.tamanho, taxaTempo = h.tempo, calculado = h.declaracao;
    p.diz(0, transform(c.CPF, kCpf));
    p.diz(16, rt::text::left(c.NOMECONTR, 40));
    p.diz(57, horas(c.TEM_USO));
    p.valor(67, taxaTempo, kTaxa);
    p.valor(80, c.TAM_USO, "@Ez 999,999");
    p.valor(88, taxaTamanho, kTaxa);
    p.valor(100, calculado, kTotal);
    p.valor(115, c.VALOREC, kTotal);
    p.avanca();
    t.tempo += c.TEM_USO;
    t.tamanho += c.TAM_USO / Decimal(1000);
    t.calculado += calculado;
    t.cobrado += c.VALOREC;
    (c.TEM_USO.isZero() ? t.naoFeitas : t.feitas) += 1;
    if (p.passou(3)) {
      linhaTotais(p, t);
      p.quebra();
    }
  }
  if (p.QLIN() == 0) p.cabecalho();
  p.linha(0, imp.LIN_DIV2);
  TOTALDEC(p, t);
  p.quebra();
}

}  // namespace print
