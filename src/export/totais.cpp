#include "export/totais.h"

#include "rt/text/strings.h"

namespace exporta {

namespace {

bool temTexto(const store::RegistroEspelho& r, std::string_view campo) {
  return !rt::text::alltrim(r.txt(campo)).empty();
}

}  // namespace

bool ehDependente(const store::RegistroEspelho& linha) {
  return linha.num("CODIDEPEN") < Decimal(98);
}

Totais calculaTotais(const DadosDeclaracao& dados) {
  Totais t;
  t.exterior = rt::text::alltrim(dados.d.registro.txt("UF")) == "EX";

  // An empty row of the grid is nobody: only named dependants reduce the monthly base.
  for (const auto& r : dados.dependentes)
    if (ehDependente(r) && temTexto(r, "NOMEDEPEN")) ++t.NQT_DEPEND;

  Decimal maiorTit, maiorDep;
  bool primeiraTit = true, primeiraDep = true;
  for (const auto& r : dados.rendimentos) {
    const std::string tipo(rt::text::alltrim(r.txt("I1_1")));
    const bool tit = tipo == "J";
    if (!tit && tipo != "D") {
      if (!rt::text::alltrim(r.txt("I1_8")).empty()) {
        const Decimal v = r.num("I1_4");
        if (tipo == "F") t.NTOTPFD += v;
        if (tipo == "E") t.NTOTEXD += v;
        if (tipo == "L") t.NTOTLCD += v;
        if (tipo == "P") t.NTOTPRD += v;
        if (tipo == "I") t.NTOTIMD += v;
      }
      continue;
    }
    TotaisRendaPJ& s = tit ? t.titular : t.dependente;
    Decimal& maior = tit ? maiorTit : maiorDep;
    bool& primeira = tit ? primeiraTit : primeiraDep;
    const Decimal renda = r.num("I1_4");
    if (primeira || renda > maior) {
      maior = renda;
      s.maiorFonte = std::string(rt::text::alltrim(r.txt("I1_3")));
    }
    primeira = false;
    s.rendimento += renda;
    s.retido += r.num("I1_5");
    s.previdencia += r.num("I1_6");
    s.decimoTerceiro += r.num("I1_7");
    s.lucros += r.num("I1_15");
    s.exigSuspensa += r.num("I1_19");
    s.depositoJudicial += r.num("I1_20");
    if (!tit) {
      s.isentos += r.num("I1_9");
      s.exclusivos += r.num("I1_10");
      s.outros += r.num("I1_13");
    }
  }
  t.NTOTJUR = t.titular.rendimento + t.dependente.rendimento;

  for (const auto& r : dados.pagamentos) {
    const int codigo = static_cast<int>(r.num("I6_3").wholePart());
    const Decimal v = r.num("I6_4");
    if (codigo == 98) t.NELEICAO += v;
    if (!temTexto(r, "I6_1") || codigo == 90 || codigo == 98) continue;
    if (codigo == 1 || codigo == 2) t.I13_11T += v;
    if (codigo == 33 || codigo == 34) t.NPENCART += v;
    if (codigo == 36 || codigo == 38) t.I13_09T += v;
    if (codigo >= 40 && codigo <= 43) t.I13_18T += v;
    if (codigo == 50) t.I13_20T += v;
  }

  for (const auto& r : dados.aplicacoes) {
    t.NPOUP += r.num("POUPANCA");
    t.NAPLIC += r.num("APLICACAO");
    t.NOUTNT += r.num("LUCROEPP");
    t.NLUCROREAL += r.num("LUCROREAL");
  }
  return t;
}

}  // namespace exporta
