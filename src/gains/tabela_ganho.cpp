#include "gains/tabela_ganho.h"

#include <algorithm>
#include <optional>
#include <string>

#include "gains/campos.h"
#include "rt/text/strings.h"
#include "store/areas.h"
#include "taxcalc/linhas.h"

namespace gains {

namespace {

// The month column of an instalment sale's matrix that lands in IMP_LEI (shares) or IMP_PAG.
bool acoesComLei(const Ganho& g) {
  return g.TIPO_BEM == Participacao && g.TIPOPART == Acoes;
}

}  // namespace

Ganho leGanho(rt::db::Table& operacoes, rt::db::Table& custos) {
  Ganho g;
  const rt::db::Table& t = operacoes;
  g.BEM_NRO = inteiro(t, "BEM_NRO");
  g.TIPO_BEM = inteiro(t, "TIPO_BEM");
  g.TIPOPART = inteiro(t, "TIPOPART");
  g.NATUOPER = t.getText("NATUOPER");
  g.DATA_ADQ = t.getDate("DATA_ADQ");
  g.DATA_ALI = t.getDate("DATA_ALI");
  g.VAL_ALI = t.getNumber("VAL_ALI");
  g.VAL_RECOL = t.getNumber("VAL_RECOL");
  g.CUS_ATUAL = t.getNumber("CUS_ATUAL");
  g.PARCOMPRA = sim(t, "PARCOMPRA");
  g.VEN_PRAZO = sim(t, "VEN_PRAZO");
  g.VENDAANT = sim(t, "VENDAANT");
  g.PEQ_VALOR = sim(t, "PEQ_VALOR");
  g.PER_TRI = t.getNumber("PER_TRI");
  g.PERART31 = t.getNumber("PERART31");
  for (int mes = 1; mes <= 12; ++mes) {
    const auto i = static_cast<std::size_t>(mes - 1);
    g.recebido[i] = t.getNumber("REC_MES" + mm(mes));
    if (acoesComLei(g)) {
      g.coluna5[i] = t.getNumber("IMP_LEI" + mm(mes));
      g.coluna6[i] = t.getNumber("IMP_PAG" + mm(mes));
    } else {
      g.coluna5[i] = t.getNumber("IMP_PAG" + mm(mes));
    }
  }

  std::vector<CustoGanho> linhas;
  taxcalc::Varredura(custos).cada([&](rt::db::Table& l, std::uint32_t r) {
    if (inteiro(l, "BEM_NRO") != g.BEM_NRO ||
        rt::text::alltrim(l.getText("CPF")) != rt::text::alltrim(t.getText("CPF")))
      return;
    CustoGanho c;
    c.registro = r;
    c.VALOR_CUST = l.getNumber("VALOR_CUST");
    c.DATA_CUST = l.getDate("DATA_CUST");
    c.TIPO_OPER = inteiro(l, "TIPO_OPER");
    c.MOV_ACAO = l.getNumber("MOV_ACAO");
    c.RVAR_NRO = inteiro(l, "RVAR_NRO");
    linhas.push_back(c);
  });
  // Key order: the sequence, then the order they were entered in.
  std::stable_sort(linhas.begin(), linhas.end(),
                   [](const CustoGanho& a, const CustoGanho& b) { return a.RVAR_NRO < b.RVAR_NRO; });
  g.custos = std::move(linhas);
  return g;
}

void gravaGanho(rt::db::Table& operacoes, rt::db::Table& custos, Ganho& g, taxcalc::Gravacoes& grava) {
  rt::db::Table& t = operacoes;
  const std::string cpf = t.getText("CPF");
  const Decimal cem(100);
  // The old program stored VAL_ALI := VAL_RECOL for an earlier year's sale; the statement
  // prints it from there.
  grava.put(t, "VAL_ALI", g.VAL_ALI);
  grava.put(t, "CUS_ATUAL", g.permutaComTorna() ? g.CUS_ATUAL : g.custoTotal);
  grava.put(t, "VAL_TRIBU", g.VAL_TRIBU);
  grava.put(t, "VAL_IMPOS", g.VAL_IMPOS);
  grava.put(t, "VAL_NAOTRI", g.VAL_NAOTRI);
  grava.put(t, "GAN_TRI1", g.FATOR1);
  grava.put(t, "GAN_TRI2", g.FATOR2);
  grava.put(t, "FR1", rt::text::despreza(g.PER_RED1 * cem));
  grava.put(t, "FR2", rt::text::despreza(g.PER_RED2 * cem));
  grava.put(t, "PER_TRI", g.PER_TRI);
  for (int mes = 1; mes <= 12; ++mes) {
    const auto i = static_cast<std::size_t>(mes - 1);
    if (g.VEN_PRAZO) {
      grava.put(t, "VAL_TRI" + mm(mes), g.ganhoMes[i]);
      grava.put(t, "IMP_DEV" + mm(mes), g.impostoMes[i]);
      grava.put(t, "REC_MES" + mm(mes), g.recebido[i]);
      if (acoesComLei(g)) {
        grava.put(t, "IMP_LEI" + mm(mes), g.coluna5[i]);
        grava.put(t, "IMP_PAG" + mm(mes), g.coluna6[i]);
      } else {
        grava.put(t, "IMP_PAG" + mm(mes), g.coluna5[i]);
      }
    } else {
      // A cash sale is all in the month of the disposal.
      const bool doMes = g.DATA_ALI.year() == 2009 && g.DATA_ALI.month() == mes;
      grava.put(t, "REC_MES" + mm(mes), doMes ? g.VAL_RECOL : Decimal());
      grava.put(t, "VAL_TRI" + mm(mes), doMes ? g.VAL_TRIBU : Decimal());
      grava.put(t, "IMP_DEV" + mm(mes), doMes ? g.VAL_IMPOS : Decimal());
    }
  }
  grava.confere(t.flush(), t.alias());

  int seq = 0;
  for (const CustoGanho& c : g.custos) seq = std::max(seq, c.RVAR_NRO);
  for (CustoGanho& c : g.custos) {
    if (c.registro == 0) {
      c.RVAR_NRO = ++seq;
      if (!grava.confere(custos.appendBlank(), custos.alias())) return;
      c.registro = custos.recNo();
      grava.put(custos, "CPF", cpf);
      grava.put(custos, "BEM_NRO", Decimal(g.BEM_NRO));
      grava.put(custos, "RVAR_NRO", Decimal(c.RVAR_NRO));
    } else {
      custos.goTo(c.registro);
      if (!grava.confere(custos.status(), custos.alias())) continue;
    }
    grava.put(custos, "VALOR_CUST", c.VALOR_CUST);
    grava.put(custos, "DATA_CUST", c.DATA_CUST);
    grava.put(custos, "PER_CUST", c.PER_CUST);
    grava.put(custos, "PER_RED", Decimal(c.PER_RED));
    grava.put(custos, "PER_RED1", c.PER_RED1);
    grava.put(custos, "PER_RED2", c.PER_RED2);
    grava.put(custos, "VALOR_REDU", c.VALOR_REDU);
    grava.put(custos, "RESUL_2", c.RESUL_2);
    grava.put(custos, "RESUL_3", c.RESUL_3);
    if (g.TIPO_BEM == Participacao) {
      grava.put(custos, "SALDO_ACAO", c.SALDO_ACAO);
      grava.put(custos, "CM_PONDER", c.CM_PONDER);
    }
    grava.confere(custos.flush(), custos.alias());
  }
}

std::optional<Ganho> calculaGanho(taxcalc::Contexto& c) {
  rt::db::Table* operacoes = c.areas.table(store::Area::TMP_07);
  rt::db::Table* custos = c.areas.table(store::Area::TMP_08);
  if (operacoes == nullptr || custos == nullptr || operacoes->eof()) return std::nullopt;
  Ganho g = leGanho(*operacoes, *custos);
  FCALGAN(g);
  for (const auto& aviso : g.avisos) c.saida.aviso(aviso);
  // A grid may be editing the cost rows: it finds its row where it left it.
  const std::uint32_t volta = custos->eof() ? 0 : custos->recNo();
  taxcalc::Gravacoes grava(c.saida);
  gravaGanho(*operacoes, *custos, g, grava);
  if (volta != 0) {
    custos->goTo(volta);
    grava.confere(custos->status(), custos->alias());
  }
  return g;
}

}  // namespace gains
