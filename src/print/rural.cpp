#include "print/rural.h"

#include <optional>
#include <vector>

#include "console/documentos.h"
#include "print/folha.h"
#include "print/pais.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/espelho.h"

namespace print {

using namespace rt::text::literals;
using rt::text::transform;
using rt::text::trim;

namespace {

constexpr std::string_view kRebanho = "@EZ 999,999.99";

// One side of the rural activity being printed.
struct Rural {
  Rural(store::Contexto& c, Impressao& i, bool b)
      : ctx(c), imp(i), brasil(b), titular(titularDoRegistro(c)), pag(i, [this](Pagina&) { cabecalho(); }) {}

  store::Contexto& ctx;
  Impressao& imp;
  bool brasil;
  Titular titular;
  Pagina pag;
  store::RegistroEspelho resumo{store::Area::IMP1510, "IMP1510"};  // the side's summary row, field by field

  std::string lado() const { return brasil ? "S" : "N"; }
  Decimal num(std::string_view campo) const { return resumo.num(campo); }

  void cabecalho() {
    pag.normal();
    pag.linha(0, imp.LIN_DIV1);
    pag.diz(0, "Nome: " + titular.nome);
    pag.linha(65, "EXERCICIO 2010");
    pag.diz(0, "CPF: " + transform(titular.cpf, kCpf));
    pag.linha(60, "Ano-Calendario 2009");
    pag.linha(0, std::string("ATIVIDADE RURAL - ") + (brasil ? "BRASIL" : "EXTERIOR"));
    pag.linha(0, "IMPOSTO DE RENDA - PESSOA FISICA");
    pag.linha(0, imp.LIN_DIV1);
  }

  // The rows of print copy `area` on this side, in the copy's order.
  template <typename F>
  void linhas(store::Area area, F&& f) {
    paraCadaLinha(ctx, area, [&](rt::db::Table& t) {
      if (t.getText("ATV_BRASIL") == lado()) f(t);
    });
  }
  bool vazia(store::Area area) {
    bool vazia = true;
    linhas(area, [&](rt::db::Table&) { vazia = false; });
    return vazia;
  }
};

void colunasDosImoveis(Rural& r) {
  Pagina& p = r.pag;
  p.condensado();
  p.linha(0, r.imp.LIN_DIV2);
  p.diz(0, "CODIGO  PARTICIPACAO(%) COND. EXPLORACAO         NOME E LOCALIZACAO DO IMOVEL");
  p.linha(108, std::string("AREA(ha)    ") + (r.brasil ? "Nro S.R.F" : ""));
  p.linha(0, r.imp.LIN_DIV2);
}

// The heading of the rural asset or debt table, amounts in reais.
void tituloDaLista(Rural& r, std::string_view titulo, std::string_view primeira, int coluna, std::string_view colunas) {
  Pagina& p = r.pag;
  p.condensado();
  p.diz(0, titulo);
  p.linha(110, "(Valores em Reais)");
  p.linha(0, r.imp.LIN_DIV2);
  p.diz(0, primeira);
  p.linha(coluna, colunas);
  p.linha(0, r.imp.LIN_DIV2);
}

void tituloDosBens(Rural& r) {
  tituloDaLista(r, "BENS DA ATIVIDADE RURAL", "CODIGO", 8,
                "DISCRIMINACAO                                                                                                         VALOR");
}

void tituloDasDividas(Rural& r) {
  tituloDaLista(r, "DIVIDAS VINCULADAS A ATIVIDADE RURAL", "DISCRIMINACAO", 76,
                "Saldo em 31/12/2008   Saldo em 31/12/2009   PAGAS  EM 2009");
}

// CABECPAG(k): k 0 the header on a page already begun at row 0; otherwise a page break, the
// header and, for k 1, 3 and 4, the heading of the table going on.
void CABECPAG(Rural& r, int k) {
  if (k != 0) r.pag.quebra();
  r.pag.cabecalho();
  if (k == 1) colunasDosImoveis(r);
  if (k == 3) tituloDosBens(r);
  if (k == 4) tituloDasDividas(r);
}

// Seeks the side's summary row and begins the sheet; false (nothing printed) without one.
bool inicia(Rural& r) {
  bool achou = false;
  r.linhas(store::Area::TMP_15, [&](rt::db::Table& t) {
    if (achou) return;
    r.resumo.carrega(t);
    achou = true;
  });
  if (!achou) return false;
  if (r.imp.QLIN > 0) r.pag.quebra();
  CABECPAG(r, 0);
  return true;
}

// An amount line of the result blocks: label at column 0, value at column 60.
void valorRotulado(Pagina& p, std::string_view rotulo, Decimal v) {
  p.diz(0, rotulo);
  p.valor(60, v);
  p.avanca();
}

void imoveis(Rural& r) {
  Pagina& p = r.pag;
  p.normal();
  p.linha(0, "DADOS E IDENTIFICACAO DA ATIVIDADE E DO IMOVEL EXPLORADO ");
  colunasDosImoveis(r);
  if (r.vazia(store::Area::TMP_16)) p.linha(0, "Sem informacoes");
  r.linhas(store::Area::TMP_16, [&](rt::db::Table& t) {
    p.valor(2, t.getNumber("I2R_07"), "@z 99");
    p.valor(10, t.getNumber("I2R_04"), "@ZE 999.99");
    p.valor(28, t.getNumber("I2R_05"), "9");
    p.diz(45, trim(t.getText("I2R_01")));
    p.valor(106, t.getNumber("I2R_02"), "@ZE 999,999.9");
    if (r.brasil)
      p.diz(120, transform(t.getText("I2R_03"), "@R 9999999.9"));
    else
      p.diz(120, trim(t.getText("I2R_06")));
    p.avanca();
    if (p.QLIN() > Pagina::NROLINHAS) {
      p.linha(0, r.imp.LIN_DIV2);
      CABECPAG(r, 1);
    }
  });
  p.linha(0, r.imp.LIN_DIV2);
  p.normal();
}

void receitasEDespesas(Rural& r) {
  Pagina& p = r.pag;
  p.PULA_PAG(r.brasil ? 17 : 9);
  p.linha(0, "RECEITAS E DESPESAS");
  if (r.brasil) {
    p.linha(0, " MES       RECEITA BRUTA MENSAL              DESPESAS DE CUSTEIO/INVESTIMENTO");
    for (int mes = 1; mes <= 12; ++mes) {
      const std::string mm = (mes < 10 ? "0" : "") + std::to_string(mes);
      p.diz(1, console::TRAZ_MES(mes));
      p.valor(12, r.num("I3_" + mm + "OR"));
      p.valor(48, r.num("I3_" + mm + "OD"));
      p.avanca();
    }
    p.diz(1, "TOTAL");
    p.valor(12, r.num("I4R_01"));
    p.valor(48, r.num("I4R_02"));
    p.avanca();
    return;
  }
  p.condensado();
  p.linha(0, r.imp.LIN_DIV2);
  p.linha(52, "RECEITA BRUTA          DESPESAS DE");
  p.diz(0, "CODIGO");
  p.linha(53, "ANUAL          CUSTEIO/INVESTIM.      RESULTADO I         RESULTADO I");
  p.diz(0, "DO PAIS      NOME DO PAIS");
  p.linha(50, "MOEDA ORIGINAL        MOEDA ORIGINAL      MOEDA ORIGINAL           US$");
  p.linha(0, r.imp.LIN_DIV2);
  r.linhas(store::Area::TMP_16, [&](rt::db::Table& t) {
    const std::string pais = t.getText("CODPAIS");
    p.diz(0, pais);
    p.diz(13, rt::text::left(nomeDoPais(r.ctx, pais), 40));
    p.valor(46, t.getNumber("RECEXT"));
    p.valor(67, t.getNumber("DESEXT"));
    p.valor(87, t.getNumber("RECEXT") - t.getNumber("DESEXT"));
    p.valor(110, t.getNumber("RESUS"));
    p.avanca();
    if (p.QLIN() > Pagina::NROLINHAS) CABECPAG(r, 2);
  });
  p.diz(0, "TOTAL");
  p.valor(110, r.num("I4R_01"));
  p.avanca();
  p.linha(0, r.imp.LIN_DIV2);
  p.normal();
}

void resultado(Rural& r) {
  Pagina& p = r.pag;
  p.PULA_PAG(10);
  p.linha(0, "APURACAO DO RESULTADO");
  if (r.brasil) {
    valorRotulado(p, "Receita Bruta Total", r.num("I4R_01"));
    valorRotulado(p, "Despesas de custeio e investimentos", r.num("I4R_02"));
    valorRotulado(p, "Resultado I ", r.num("I4R_03"));
  } else {
    valorRotulado(p, "Resultado I em US$", r.num("I4R_01"));
    valorRotulado(p, "Resultado I em R$ ", r.num("I4R_03"));
  }
  p.linha(0, "APURACAO DO RESULTADO TRIBUTAVEL");
  valorRotulado(p, "Prejuizo de Exercicio Anterior", r.num("I4R_04"));
  valorRotulado(p, "Resultado apos a comp. de prejuizo", r.num("I4R_05"));
  valorRotulado(p, "Opcao pelo Arbitramento sobre Receita Bruta ", r.num("I4R_06"));
  valorRotulado(p, "RESULTADO TRIBUTAVEL", r.num("I4R_07"));
  p.PULA_PAG(8);
  p.linha(0, "INFORMACOES PARA O EXERCICIO SEGUINTE ");
  valorRotulado(p, "Prejuizo a compensar", r.num("I5_08"));
  valorRotulado(p, "Receita recebida em 2009 por conta de venda p/entrega futura", r.num("I5_09"));
  p.linha(0, "APURACAO DO RESULTADO NAO-TRIBUTAVEL");
  valorRotulado(p, "Adiantamento em até 2008 ref. a produtos entregue em 2009"_cp, r.num("I5_10"));
  valorRotulado(p, "RESULTADO NAO-TRIBUTAVEL", r.num("I6_10"));
}

// MOSLIN: one herd row; the final stock is worked out from the movement.
void MOSLIN(Rural& r, std::string_view nome, std::string_view letra) {
  Pagina& p = r.pag;
  Decimal final;
  p.diz(5, nome);
  for (int coluna = 1; coluna <= 5; ++coluna) {
    const Decimal n = r.num("I7_" + std::to_string(coluna) + std::string(letra));
    p.valor(28 + 19 * (coluna - 1), n, kRebanho);
    final = coluna <= 3 ? final + n : final - n;
  }
  p.valor(123, final, kRebanho);
  p.avanca();
}

// A trimmed description in slices of `largura` characters, one a line.
std::vector<std::string> fatias(std::string_view texto, std::size_t largura) {
  std::vector<std::string> v;
  texto = rt::text::alltrim(texto);
  for (std::size_t i = 0; i < texto.size(); i += largura) v.emplace_back(texto.substr(i, largura));
  if (v.empty()) v.emplace_back();
  return v;
}

// LIST_BENS and LIST_DIV: the rows of the side with their descriptions in slices; a row
// that passes the page's end goes on under the header and the table's heading.
void lista(Rural& r, store::Area area, int k) {
  Pagina& p = r.pag;
  const bool bens = k == 3;
  std::vector<std::uint32_t> linhas;
  r.linhas(area, [&](rt::db::Table& t) { linhas.push_back(t.recNo()); });
  rt::db::Table& t = *r.ctx.areas.table(area);
  for (std::size_t i = 0; i < linhas.size(); ++i) {
    t.goTo(linhas[i]);
    if (!t.status()) break;
    const std::vector<std::string> texto = fatias(t.getText(bens ? "I8R_1" : "I9R_1"), bens ? 103 : 70);
    if (bens) p.valor(1, t.getNumber("CODIGO"), "@ez 99");
    for (std::size_t f = 0; f < texto.size(); ++f) {
      p.diz(bens ? 8 : 0, texto[f]);
      if (f + 1 < texto.size()) {
        p.avanca();
        if (p.QLIN() > Pagina::NROLINHAS) CABECPAG(r, k);
      }
    }
    if (bens) {
      p.valor(114, t.getNumber("I8R_2"));
    } else {
      p.valor(72, t.getNumber("I9R_2"));
      p.valor(93, t.getNumber("I9R_3"));
      p.valor(114, t.getNumber("I9R_4"));
    }
    p.avanca();
    if (p.QLIN() > Pagina::NROLINHAS && i + 1 < linhas.size()) {
      p.linha(0, r.imp.LIN_DIV2);
      CABECPAG(r, k);
    }
  }
  p.linha(0, r.imp.LIN_DIV2);
}

}  // namespace

Titular titularDoRegistro(store::Contexto& ctx) {
  const rt::db::Table* reg = ctx.areas.table(store::Area::IMP0910);
  if (reg == nullptr) return {};
  return {std::string(trim(reg->getText("NOMECONTR"))), reg->getText("CPF")};
}

void FAZ_RURAL1(store::Contexto& ctx, Impressao& imp, bool brasil) {
  Rural r(ctx, imp, brasil);
  if (!inicia(r)) return;
  imoveis(r);
  receitasEDespesas(r);
  resultado(r);
  r.pag.quebra();
}

void FAZ_RURAL2(store::Contexto& ctx, Impressao& imp, bool brasil) {
  Rural r(ctx, imp, brasil);
  if (!inicia(r)) return;
  Pagina& p = r.pag;
  p.linha(0, "MOVIMENTACAO DO REBANHO (quantidade de animais)");
  p.condensado();
  p.linha(0, imp.LIN_DIV2);
  p.linha(0,
          "     ESPECIE          ESTOQUE INICIAL     COMPRAS NO ANO    NASCIDOS NO ANO   CONSUMO E PERDAS      "
          "VENDAS NO ANO      ESTOQUE FINAL");
  p.linha(0, imp.LIN_DIV2);
  MOSLIN(r, "BOVINOS/BUFALINOS", "B");
  MOSLIN(r, "SUINOS           ", "S");
  MOSLIN(r, "CAPRINOS E OVINOS", "C");
  MOSLIN(r, "ASININOS E MUARES", "A");
  MOSLIN(r, "OUTROS           ", "V1");
  p.linha(0, imp.LIN_DIV2);
  p.normal();

  if (p.passou(5)) {
    p.quebra();
    CABECPAG(r, 0);
  }
  if (r.vazia(store::Area::TMP_17)) {
    p.linha(0, "BENS DA ATIVIDADE RURAL");
    p.linha(0, "Sem informacoes");
  } else {
    tituloDosBens(r);
    lista(r, store::Area::TMP_17, 3);
  }
  p.normal();

  if (p.passou(10)) CABECPAG(r, 4);
  else tituloDasDividas(r);
  if (r.vazia(store::Area::TMP_18))
    p.linha(0, "Sem informacoes");
  else
    lista(r, store::Area::TMP_18, 4);
  p.normal();
  p.quebra();
}

}  // namespace print
