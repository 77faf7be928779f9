#include "gains/totais_ganho.h"

#include <map>
#include <string>

#include "gains/campos.h"
#include "gains/ganho.h"
#include "rt/text/strings.h"
#include "store/areas.h"
#include "taxcalc/calc.h"
#include "taxcalc/linhas.h"
#include "taxcalc/patrimonio.h"

namespace gains {

namespace {

// The line of the common operations' variable-income matrix that holds the tax withheld under
// law 11.033.
constexpr int kLinhaLei11033 = 24;

}  // namespace

void SOMA_NTRIB(taxcalc::Contexto& c, int show) {
  rt::db::Table* operacoes = c.areas.table(store::Area::TMP_07);
  rt::db::Table* custos = c.areas.table(store::Area::TMP_08);
  Decimal unico, pequeno, reducao, exclusivo, pago, entradas, isentos, futuro, lei, custoAno, custoAnt;
  if (operacoes != nullptr) {
    std::map<int, bool> anterior;  // operation number -> sold in an earlier year
    int imoveis = 0;
    taxcalc::Varredura(*operacoes).cada([&](rt::db::Table& t, std::uint32_t) {
      if (inteiro(t, "TIPO_BEM") == Imovel) ++imoveis;
    });
    taxcalc::Varredura(*operacoes).cada([&](rt::db::Table& t, std::uint32_t) {
      const int tipo = inteiro(t, "TIPO_BEM");
      if (tipo == RendaVariavel) {
        if (inteiro(t, "RVAR_NRO") == kLinhaLei11033 && rt::text::alltrim(t.getText("DAY_TRADE")) != "2")
          for (int mes = 1; mes <= 12; ++mes) lei += t.getNumber("REC_MES" + mm(mes));
        return;
      }
      anterior[inteiro(t, "BEM_NRO")] = sim(t, "VENDAANT");
      const Decimal naoTributado = t.getNumber("VAL_NAOTRI"), tributado = t.getNumber("VAL_TRIBU");
      const Decimal alienacao = t.getNumber("VAL_ALI"), recebido = t.getNumber("VAL_RECOL");
      const Decimal impPago = t.getNumber("IMPPAGO");
      if (sim(t, "PEQ_VALOR")) {
        if (naoTributado > Decimal()) {
          if (tipo == Imovel && imoveis == 1 && alienacao > Decimal(35000))
            unico += naoTributado;
          else
            pequeno += naoTributado;
        }
      } else if (naoTributado > Decimal()) {
        reducao += naoTributado;
      }
      if (tributado - impPago > Decimal()) exclusivo += tributado - impPago;
      pago += impPago;
      entradas += recebido;
      isentos += naoTributado + tributado;
      if (alienacao > recebido) futuro += alienacao - recebido;
      if (tipo == Participacao && inteiro(t, "TIPOPART") == Acoes)
        for (int mes = 1; mes <= 12; ++mes) lei += t.getNumber("IMP_LEI" + mm(mes));
    });
    if (custos != nullptr) {
      taxcalc::Varredura(*custos).cada([&](rt::db::Table& t, std::uint32_t) {
        const Decimal valor = t.getNumber("VALOR_CUST");
        if (t.getDate("DATA_CUST").year() == 2009)
          custoAno += valor;
        else if (!anterior[inteiro(t, "BEM_NRO")])
          custoAnt += valor;
      });
    }
  }
  c.poe("I3_04UNICC", unico);
  c.poe("I3_04GCPVC", pequeno);
  c.poe("I3_04REDUC", reducao);
  c.poe("I4_02", exclusivo);
  c.poe("I13_39", pago);
  c.poe("ENTRADGP", entradas);
  c.poe("ISENTNAO", isentos);
  c.poe("VALFUTUR", futuro);
  c.poe("I13_41", lei);
  c.poe("CUSTOANO", custoAno);
  c.poe("CUSTOANT", custoAnt);
  taxcalc::FI10_1(c);
  taxcalc::CALC(c, 5, show);
}

}  // namespace gains
