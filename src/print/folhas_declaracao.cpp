#include "print/folhas_declaracao.h"

#include <fstream>
#include <sstream>
#include <utility>

#include "print/destino.h"
#include "print/folha.h"
#include "print/folhas_escritorio.h"
#include "print/ganho_capital.h"
#include "print/renda_variavel.h"
#include "console/alerta.h"
#include "console/mensagens.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "taxcalc/balanco.h"
#include "taxcalc/contexto.h"
#include "taxcalc/pagamentos.h"
#include "taxcalc/patrimonio.h"

namespace print {

using namespace rt::text::literals;

namespace {

constexpr store::Area kRegistro = store::Area::IMP0910;
constexpr store::Area kResumo = store::Area::IMP0110;

// Sheet 8: the job's letter read whole and merged with the taxpayer. A letter that cannot be
// read (removed since the job's question) is said and nothing is printed.
void FOLHA_CARTA(store::Contexto& ctx, Impressao& imp,
                 const decltype(ServicosImpressao::IMPR_MAIL)& IMPR_MAIL) {
  std::ifstream in(imp.job.arquivoCarta, std::ios::binary);
  std::ostringstream carta;
  if (in.is_open()) carta << in.rdbuf();
  if (!in.is_open() || in.bad()) {
    console::AVISOSN(ctx, "Carta nao encontrada!", 0);
    return;
  }
  if (IMPR_MAIL) IMPR_MAIL(ctx, imp, carta.str());
}

// The taxpayer's register row (the job leaves the register on it) and table-01 row.
void carregaMemvars(store::Contexto& ctx, store::EspelhoDeclaracao& d) {
  const rt::db::Table* reg = ctx.areas.table(kRegistro);
  if (reg == nullptr) return;
  d.registro.carrega(*reg);
  d.CPF = reg->getText("CPF");
  const bool aberta = ctx.areas.table(kResumo) != nullptr;
  if (!aberta && !store::ABERTURA(ctx, kResumo)) return;
  rt::db::Table& t = *ctx.areas.table(kResumo);
  if (t.seek(d.CPF) && t.found()) d.tabela01.carrega(t);
  if (!aberta) ctx.areas.release(kResumo);
  ctx.areas.select(kRegistro);
}

}  // namespace

Balanco calculaBalanco(store::Contexto& ctx, store::EspelhoDeclaracao& d) {
  taxcalc::Variaveis v;
  taxcalc::Saida saida;
  taxcalc::Vizinhos vizinhos;
  taxcalc::Contexto c{ctx.areas, d, v, ctx.clock, saida, vizinhos};
  Balanco b;
  paraCadaLinha(ctx, store::Area::TMP_02, [&](rt::db::Table& t) { b.NEXIGI += t.getNumber("I1_19"); });
  v.NEXIGI = b.NEXIGI;
  d.JA_CALC = false;
  taxcalc::FDE_TUDO(c, 2);
  taxcalc::FI7_T(c, 0);
  taxcalc::FI8_T(c, 0);
  taxcalc::FI10_1(c);
  taxcalc::VE_SALDO(c);
  b.RECEITA = v.RECEITA;
  b.DESPESA = v.DESPESA;
  b.I10_1 = v.I10_1;
  b.I10_2 = v.I10_2;
  b.NREC = d.registro.num("I9_3");
  b.DESPSIMP = v.DESPSIMP;
  b.I13_09T = v.I13_09T;
  b.I13_11T = v.I13_11T;
  b.I13_18T = v.I13_18T;
  b.NTOTEMPREG = v.NTOTEMPREG;
  b.NDOABENS = v.NDOABENS;
  b.NPARTIDO = v.NPARTIDO;
  b.NADVOGADO = v.NADVOGADO;
  b.NALUGUEL = v.NALUGUEL;
  b.NOUTROS = v.NOUTROS;
  b.NAJUSTE = v.NAJUSTE;
  return b;
}

void FOLHA(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, int n,
           const decltype(ServicosImpressao::IMPR_MAIL)& IMPR_MAIL) {
  // Sheets print hyphen dividers; a capture for the outside print program gets underscores.
  defineDivisores(imp, '-');
  if (imp.CAN_IMP) return;
  if (esc.QUEMOD == 1 && imp.seq.TEM_LASER != 0) {
    imp.QLIN = 0;
    imp.dispositivo.at(0, 0);
    imp.dispositivo.control("\x1b&l0E\x1b&l74P");
  }
  if (n == 5) console::MENS(ctx, console::mens::Linha, "Imprimindo a malha fina.");
  auto d = std::make_unique<store::EspelhoDeclaracao>();
  carregaMemvars(ctx, *d);
  const Memvars m(*d);
  Folha f(ctx, imp, m, esc.QUEIMP, esc.QUEPAG);
  f.LIMPBAL = !((esc.QUEIMP == 1 || esc.QUEIMP == 2) && (esc.QUEPAG == 2 || esc.QUEPAG == 3 || esc.QUEPAG == 9));
  if (n == 4 || n == 5) f.bal = calculaBalanco(ctx, *d);
  switch (n) {
    case 1: PAGINA1(f); break;
    case 2: PAGINA2(f); break;
    case 3: PAGINA3(f); break;
    case 4: PAGINA4(f); break;
    case 5: PAGINA5(f); break;
    case 6:
      IMPGANHO(ctx, imp, std::string(rt::text::trim(m.txt("NOMECONTR"))), d->CPF, esc.QUECON == 1);
      break;
    case 8:
      console::MENS(ctx, console::mens::Linha, "Imprimindo carta personalizada.");
      FOLHA_CARTA(ctx, imp, IMPR_MAIL);
      break;
    case 9:
      console::MENS(ctx, console::mens::Linha, "Imprimindo as anotações desse contribuinte."_cp);
      ANOTE_ESP(f);
      break;
    case 7: {
      console::MENS(ctx, console::mens::Linha, "Imprimindo o demostrativo do ganho em R.Variável."_cp);
      GRV_IMP(ctx, imp, d->CPF, std::string(rt::text::trim(m.txt("NOMECONTR"))));
      break;
    }
    case 10: case 11: case 12: case 13: case 14: case 15:
      FOLHA_ESCRITORIO(ctx, imp, esc, n);
      break;
    default: break;  // the other sheets come with their own reports
  }
}

ServicosImpressao folhasDaDeclaracao(std::function<Escolhas()> escolhas, ServicosImpressao base) {
  base = servicosDoEscritorio(escolhas, std::move(base));
  auto folha = [escolhas = std::move(escolhas), carta = base.IMPR_MAIL](store::Contexto& ctx, Impressao& imp, int n) {
    FOLHA(ctx, imp, escolhas ? escolhas() : Escolhas{}, n, carta);
  };
  base.FOLHA = folha;
  // After a whole declaration's sheets, its notes.
  base.ANOTACOES = [folha](store::Contexto& ctx, Impressao& imp) { folha(ctx, imp, 9); };
  return base;
}

}  // namespace print
