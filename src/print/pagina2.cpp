// Sheet 2: exempt and exclusively taxed incomes, the incomes with suspended tax, tax paid,
// dependants, alimony beneficiaries and payments.
#include "print/folha.h"
#include "print/textos_isentos.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace print {

using rt::text::transform;
using rt::text::trim;

namespace {

constexpr store::Area kRendas = store::Area::TMP_02;
constexpr store::Area kDependentes = store::Area::TMP_03;
constexpr store::Area kPagamentos = store::Area::TMP_06;

// One line of the exempt or exclusive lists in the layout of QUEIMP.
void linhaIsenta(Folha& f, const TextoLinha& texto, Decimal valor, std::string_view descricao = {}) {
  const bool formulario = f.QUEIMP == 1;
  std::string rotulo(formulario ? texto.longo : texto.curto);
  rotulo += trim(descricao);
  f.pag.diz(0, rotulo);
  f.pag.valor(formulario ? 119 : 64, valor);
  f.pag.avanca();
}

// The heading of a list: its title and "(Valores em Reais)", in the pitch of the layout.
void tituloDaLista(Folha& f, std::string_view titulo) {
  f.pag.normal();
  f.pag.diz(0, titulo);
  f.pag.linha(61, "(Valores em Reais)");
  if (f.QUEIMP == 1) f.pag.condensado();
}

void fimDaLista(Folha& f, Decimal total) {
  f.pag.diz(0, "TOTAL");
  f.pag.valor(f.QUEIMP == 1 ? 119 : 64, total);
  f.pag.avanca();
  f.pag.normal();
  f.pag.linha(0, f.imp.LIN_DIV1);
}

void isentos(Folha& f) {
  const Memvars& m = f.m;
  f.pag.PULA_PAG(17);
  tituloDaLista(f, "RENDIMENTOS ISENTOS E NAO-TRIBUTAVEIS");
  for (int i = 0; i < 11; ++i)
    linhaIsenta(f, kIsentos[static_cast<std::size_t>(i)], m.num("I3_" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1)));
  linhaIsenta(f, kIsentoAnosAnteriores, m.num("I3_14"));
  linhaIsenta(f, kIsentoOutros, m.num("I3_12"), m.txt("I3_12D"));
  linhaIsenta(f, kIsentoDependentes, m.num("I3_13"));
  fimDaLista(f, m.num("I13_37"));
}

void exclusivos(Folha& f, Decimal decimoDependentes) {
  const Memvars& m = f.m;
  f.pag.PULA_PAG(16);
  tituloDaLista(f, "RENDIMENTOS SUJEITOS A TRIBUTACAO EXCLUSIVA /DEFINITIVA");
  for (int i = 0; i < 4; ++i)
    linhaIsenta(f, kExclusivos[static_cast<std::size_t>(i)], m.num("I4_0" + std::to_string(i + 1)));
  linhaIsenta(f, kExclusivos[4], m.num("I4_05"), m.txt("I4_05D"));
  linhaIsenta(f, kExclusivos[5], decimoDependentes);
  linhaIsenta(f, kExclusivos[6], m.num("I4_06") - decimoDependentes);
  fimDaLista(f, m.num("I13_38"));
}

// The legal-entity incomes with suspended tax, of the titular ("J") or the dependants ("D").
void suspensas(Folha& f, const std::string& tipo) {
  Pagina& p = f.pag;
  Decimal suspenso, deposito;
  paraCadaLinha(f.ctx, kRendas, [&](rt::db::Table& t) {
    if (t.getText("I1_1") != tipo) return;
    suspenso += t.getNumber("I1_19");
    deposito += t.getNumber("I1_20");
  });
  auto titulo = [&] {
    p.condensado();
    p.linha(0, "RENDIMENTOS TRIBUTAVEIS RECEBIDOS DE PESSOAS JURIDICAS       (valores em Reais)");
    p.linha(0, tipo == "J" ? "PELO TITULAR COM EXIGIBILIDADE SUSPENSA" : "PELOS DEPENDENTES COM EXIGIBILIDADE SUSPENSA");
  };
  titulo();
  if (suspenso.isZero() && deposito.isZero()) {
    p.linha(0, "Sem informacoes");
    p.linha(0, f.imp.LIN_DIV2);
    return;
  }
  auto colunas = [&] {
    p.diz(0, " NOME DA FONTE PAGADORA");
    p.diz(64, "CNPJ/CPF");
    p.diz(98, "RENDIM.SUSPENSO");
    p.linha(119, "DEPOSITO JUDICIAL");
  };
  colunas();
  paraCadaLinha(f.ctx, kRendas, [&](rt::db::Table& t) {
    if (t.getText("I1_1") != tipo) return;
    if (!(t.getNumber("I1_19") > Decimal() || t.getNumber("I1_20") > Decimal())) return;
    if (p.QLIN() > Pagina::NROLINHAS) {
      p.quebra();
      p.cabecalho();
      titulo();
      colunas();
    }
    p.diz(1, trim(t.getText("I1_2")));
    p.diz(64, t.getText("I1_3"));
    p.valor(98, t.getNumber("I1_19"));
    p.valor(123, t.getNumber("I1_20"));
    p.avanca();
    if (tipo == "D") {
      p.diz(1, "CPF do dependente:");
      p.linha(20, transform(t.getText("I1_8"), kCpf));
    }
  });
  p.diz(0, "TOTAL");
  p.valor(98, suspenso);
  p.valor(123, deposito);
  p.avanca();
  p.linha(0, f.imp.LIN_DIV2);
}

void LISTA_DEPEN(Folha& f) {
  Pagina& p = f.pag;
  p.PULA_PAG(6);
  p.condensado();
  bool algum = false;
  int alimentandos = 0;
  paraCadaLinha(f.ctx, kDependentes, [&](rt::db::Table&) { algum = true; });
  if (!algum) {
    p.linha(0, "DEPENDENTES ");
    p.linha(0, "Sem informacoes");
    p.linha(0, "ALIMENTANDOS");
    p.linha(0, "Sem informacoes");
    return;
  }
  tituloDaSecao(f, 2);
  paraCadaLinha(f.ctx, kDependentes, [&](rt::db::Table& t) {
    f.ARELDEP.push_back(t.getText("NOMEDEPEN"));
    if (t.getNumber("CODIDEPEN") > Decimal(97)) {
      ++alimentandos;
      return;
    }
    p.valor(0, t.getNumber("CODIDEPEN"), "@z 99");
    p.diz(30, trim(t.getText("NOMEDEPEN")));
    p.diz(85, transform(t.getDate("DATADEPEN"), ""));
    p.linha(119, transform(t.getText("CPFDEPEN"), kCpf));
    if (p.passou(1)) CABEC_PAG(f, 2);
  });
  p.PULA_PAG(5);
  if (alimentandos == 0) {
    p.linha(0, "ALIMENTANDOS");
    p.linha(0, "Sem informacoes");
    return;
  }
  tituloDaSecao(f, 7);
  paraCadaLinha(f.ctx, kDependentes, [&](rt::db::Table& t) {
    const Decimal codigo = t.getNumber("CODIDEPEN");
    if (!(codigo > Decimal(97))) return;
    p.diz(0, trim(t.getText("NOMEDEPEN")));
    p.diz(50, codigo == Decimal(98) ? "No Exterior" : "No Brasil");
    p.diz(85, transform(t.getDate("DATADEPEN"), ""));
    p.linha(119, transform(t.getText("CPFDEPEN"), kCpf));
    if (p.passou(1)) CABEC_PAG(f, 7);
  });
}

}  // namespace

void REL_PAGAMENTO(Folha& f, int primeiro, int ultimo) {
  Pagina& p = f.pag;
  const bool soPagamentos = f.imp.job.CSOPAG == "S";
  f.ARELDEP.clear();
  paraCadaLinha(f.ctx, kDependentes, [&](rt::db::Table& t) { f.ARELDEP.push_back(t.getText("NOMEDEPEN")); });
  auto naFaixa = [&](const rt::db::Table& t) {
    const auto codigo = t.getNumber("I6_3").wholePart();
    return codigo >= primeiro && codigo <= ultimo;
  };
  int quantos = 0;
  paraCadaLinha(f.ctx, kPagamentos, [&](rt::db::Table& t) { quantos += naFaixa(t) ? 1 : 0; });
  if (quantos == 0) {
    if (soPagamentos) return;
    CABEC_PAG(f, 0);
    p.condensado();
    p.linha(0, "PAGAMENTOS E DOACOES EFETUADOS ");
    p.linha(0, "Sem informacoes");
    return;
  }
  if (soPagamentos) CABEC_PAG(f, 0);
  // The heading stays with its first payments.
  p.PULA_PAG(5);
  tituloDaSecao(f, 6);
  paraCadaLinha(f.ctx, kPagamentos, [&](rt::db::Table& t) {
    if (!naFaixa(t)) return;
    p.valor(0, t.getNumber("I6_3"), "@ 99");
    p.diz(8, trim(t.getText("I6_1")));
    p.diz(65, t.getText("I6_2"));
    p.valor(88, t.getNumber("I6_4"));
    p.valor(117, t.getNumber("I6_5"));
    p.avanca();
    // A dependant number outside the dependants has no name to print.
    const auto dependente = t.getNumber("I6_6").wholePart();
    if (t.getNumber("I6_3").wholePart() == 2 && dependente > 0 &&
        dependente <= static_cast<std::int64_t>(f.ARELDEP.size())) {
      p.diz(8, "Nome do dependente/alimentando:");
      p.linha(40, trim(f.ARELDEP[static_cast<std::size_t>(dependente - 1)]));
    }
    if (p.passou(1)) CABEC_PAG(f, 6);
  });
}

void PAGINA2(Folha& f) {
  Pagina& p = f.pag;
  if (f.QUEPAG == 6 && f.imp.job.CSOPAG == "S") {
    REL_PAGAMENTO(f, f.imp.job.NDESINI, f.imp.job.NDESFIM);
    p.quebra();
    return;
  }
  if (f.QUEPAG == 6 || p.QLIN() == 0) {
    CABEC_PAG(f, 0);
  } else if (p.QLIN() >= 50) {
    p.avanca();
  }
  Decimal decimoDependentes;
  paraCadaLinha(f.ctx, kRendas, [&](rt::db::Table& t) {
    if (t.getText("I1_1") == "D") decimoDependentes += t.getNumber("I1_7");
  });
  isentos(f);
  exclusivos(f, decimoDependentes);
  p.PULA_PAG(10);
  suspensas(f, "J");
  suspensas(f, "D");
  if (f.QUEIMP == 1) {
    p.normal();
    p.linha(0, "IMPOSTO PAGO");
    p.diz(0, "Imposto Complementar:");
    p.valor(64, f.m.num("I13_24"));
    p.avanca();
    p.diz(0, "Imposto Pago no Exterior:");
    p.valor(64, f.m.num("I13_25"));
    p.avanca();
  }
  p.PULA_PAG(5);
  LISTA_DEPEN(f);
  REL_PAGAMENTO(f, 1, 99);
  p.normal();
  p.linha(0, f.imp.LIN_DIV1);
  if (f.QUEPAG > 4) p.quebra();
}

}  // namespace print
