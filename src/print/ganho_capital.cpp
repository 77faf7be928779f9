#include "print/ganho_capital.h"

#include "gains/campos.h"
#include "gains/ganho.h"
#include "gains/tabela_ganho.h"
#include "console/alerta.h"
#include "console/mensagens.h"
#include "print/pagina.h"
#include "print/perguntas.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"

namespace print {

using gains::inteiro;
using gains::mm;
using rt::text::dtoc;
using rt::text::transform;
using namespace rt::text::literals;

namespace {

constexpr std::string_view kPorCento = "@z 99.99";

class Demonstrativo {
 public:
  Demonstrativo(Impressao& imp, rt::db::Table& op, rt::db::Table& custos, std::string nome, std::string cpf)
      : p_(imp, [this](Pagina&) { titulo(); }), op_(op), custos_(custos), nome_(std::move(nome)),
        cpf_(std::move(cpf)), bem_(inteiro(op, "BEM_NRO")) {}

  void imprime() {
    secao_ = inteiro(op_, "TIPO_BEM") == gains::Participacao ? 2 : 1;
    p_.cabecalho();
    if (secao_ == 1) {
      secaoI();
      TESTA_QUEBRA(5, 8);
    } else {
      secaoII();
      TESTA_QUEBRA(10, 8);
    }
    IMPR_PREST();
  }

 private:
  std::string txt(const char* campo) const { return std::string(rt::text::trim(op_.getText(campo))); }
  Decimal num(const char* campo) const { return op_.getNumber(campo); }
  void div() { p_.linha(0, p_.imp().LIN_DIV1); }

  // IMP_TITULO: the statement header of the section.
  void titulo() {
    p_.diz(0, "Nome: " + nome_);
    p_.linha(60, "GANHOS DE CAPITAL");
    p_.diz(0, "CPF: " + transform(cpf_, kCpf));
    p_.linha(60, "Ano-Calendario 2009");
    p_.linha(0, "DEMONSTRATIVO DA APURACAO DOS GANHOS DE CAPITAL 2010 - nro. " + mm(bem_));
    div();
    p_.linha(0, secao_ == 1 ? "I - ALIENACAO DO BEM OU DIREITO, EXCETO PARTICIPACAO SOCIETARIA"
                            : "II - ALIENACAO DE PARTICIPACAO SOCIETARIA FORA DE BOLSA DE VALORES");
    p_.linha(0, "IDENTIFICACAO DO ALIENANTE E ADQUIRENTE");
    div();
    p_.linha(0, "CPF/CNPJ DO ADQUIRENTE  NOME COMPLETO DO ADQUIRENTE");
    p_.diz(0, transform(op_.getText("CPFADQ"), kCpf));
    p_.linha(24, txt("NOME_ADQ"));
    div();
  }

  // CABEC001: the column headings of a table.
  void CABEC001(int k) {
    switch (k) {
      case 5:
        p_.linha(0, "ALIENACAO A PRAZO                              CALCULO DO IMPOSTO     ");
        p_.linha(0, "Controle do diferimento da tributacao          Codigo de recolhimento 4600");
        div();
        p_.linha(0, " MES Valor Recebido GANHO  GANHO CAPITAL    Ganho capital      Imposto devido  ");
        p_.linha(0, "                      %     resultado 5      resultado 6                       ");
        break;
      case 10:
        p_.linha(0, "     ALIENACAO A PRAZO                             CALCULO DO IMPOSTO");
        p_.linha(0, "CONTROLE DO DIFERIMENTO DA TRIBUTACAO         Codigo de recolhimento 4600");
        div();
        p_.linha(0, " MES Valor Recebido  % Dif.   Resultado 2     Ganho capital     Imposto devido ");
        break;
      case 6:
        if (imovel()) {
          p_.linha(0, " DESDOBRAMENTO DO CUSTO DE AQUISICAO E REDUCAO GANHO DE CAPITAL");
          p_.linha(0, "                          Coeficiente  % Fator % Fator Lei 7.713     Valor da");
          p_.linha(0, "Data Aquis.    Valor Pago custo/total  Redu. 1 Redu. 2 % reducao       Reducao");
        } else {
          p_.linha(0, " DESDOBRAMENTO DO CUSTO DE AQUISICAO");
          p_.linha(0, "Data Aquis.    Valor Pago ");
        }
        break;
      case 8:
        p_.linha(0, "ESPECIFICACAO DA PARTICIPACAO SOCIETARIA");
        p_.linha(0, " NOME DA SOCIEDADE");
        break;
      case 9:
        p_.linha(0, "    APURACAO DO CUSTO AQUISICAO                  APURACAO DO GANHO DE CAPITAL ");
        p_.linha(0, " QUANTIDADE DE  CUSTO MEDIO  CUSTO TOTAL DE       VALOR      GANHO DE CAPITAL  ");
        p_.linha(0, " QUOTAS/ACOES    PONDERADO      AQUISICAO     DA ALIENACAO      RESULTADO 1    ");
        p_.linha(0, "   ALIENADAS");
        break;
      default: break;
    }
  }

  // TESTA_QUEBRA: a table that would not fit in what is left of the page starts on the next.
  void TESTA_QUEBRA(int k, int linhas) {
    if (Pagina::NROLINHAS - p_.QLIN() < linhas) {
      p_.quebra();
      p_.cabecalho();
    }
    CABEC001(k);
  }

  bool imovel() const { return inteiro(op_, "TIPO_BEM") == gains::Imovel; }

  // The cost rows or share movements of this operation, in key order.
  template <class F>
  void paraCadaCusto(F&& f) {
    for (custos_.goTop(); custos_.status() && !custos_.eof(); custos_.skip(1))
      if (!custos_.isDeleted() && inteiro(custos_, "BEM_NRO") == bem_) f(custos_);
  }

  void secaoI() {
    p_.linha(0, "ESPECIFICACAO DO BEM OU DIREITO");
    p_.linha(0, "ESPECIFICACAO DO BEM OU DIREITO E CONDICOES DE ALIENACAO.");
    for (const char* c : {"ESPC_BEM1", "ESPC_BEM2", "ESPC_BEM3", "ESPC_BEM4"})
      if (!txt(c).empty()) p_.linha(0, txt(c));
    if (imovel()) {
      p_.linha(0, txt("ENDEIMO") + ", " + txt("NUMIMO") + " " + txt("COMPIMO"));
      p_.linha(0, txt("BAIRIMO") + "  " + transform(op_.getText("CEPIMO"), "@R 99999-999") + "  " +
                      txt("MUNICIMO") + " " + txt("UFIMO"));
    }
    p_.linha(0, "   Data de aquisicao     Data de alienacao        Natureza da Operacao         ");
    p_.diz(6, dtoc(op_.getDate("DATA_ADQ")));
    p_.diz(28, dtoc(op_.getDate("DATA_ALI")));
    p_.linha(48, txt("NATUOPER"));
    div();
    // The cost and result 1 by the screen's own computation over the stored rows.
    gains::Ganho g = gains::leGanho(op_, custos_);
    gains::FCUS_TOT(g);
    CABEC001(6);
    Decimal reducao;
    if (op_.getText("PARCOMPRA") == "S") {
      paraCadaCusto([&](rt::db::Table& c) {
        p_.diz(0, dtoc(c.getDate("DATA_CUST")));
        p_.valor(11, c.getNumber("VALOR_CUST"), "@Ez 99,999,999.99");
        if (imovel()) {
          p_.valor(28, c.getNumber("PER_CUST"), "@Z 999.99");
          p_.valor(38, c.getNumber("PER_RED1") * Decimal(100), "@Z 99.99");
          p_.valor(46, c.getNumber("PER_RED2") * Decimal(100), "@Z 99.99");
          if (c.getNumber("PER_RED") > Decimal()) {
            p_.valor(55, c.getNumber("PER_RED"), "@Z 999");
            p_.valor(62, c.getNumber("VALOR_REDU"), "@Ez 99,999,999.99");
          }
        }
        reducao += c.getNumber("VALOR_REDU");
        p_.avanca();
        if (p_.QLIN() > 57) {
          div();
          p_.quebra();
          p_.cabecalho();
          CABEC001(6);
        }
      });
    } else {
      p_.diz(0, dtoc(op_.getDate("DATA_ADQ")));
      p_.valor(11, num("CUS_ATUAL"), "@Ez 99,999,999.99");
      p_.avanca();
      // The screen keeps the reduction of a purchase at once on the operation's one cost row.
      paraCadaCusto([&](rt::db::Table& c) { reducao += c.getNumber("VALOR_REDU"); });
    }
    div();
    p_.diz(0, " Totais......");
    // The whole cost; with a cash balance only its share is set against the sale, below.
    p_.valor(11, g.permutaComTorna() ? num("CUS_ATUAL") : g.custoTotal, "@Ez 99,999,999.99");
    if (reducao > Decimal()) p_.valor(62, reducao, "@Ez 99,999,999.99");
    p_.avanca();

    p_.PULA_PAG(6);
    p_.linha(0, "APURACAO DO GANHO DE CAPITAL  ");
    p_.linha(0, " Valor da Alienacao       Custo de aquisicao    Ganho de capital - Resultado 1");
    p_.valor(0, g.VAL_ALI);
    p_.valor(25, g.custoTotal);
    p_.valor(50, g.RESUL_I);
    p_.avanca();
    div();

    p_.PULA_PAG(15);
    const Decimal r2 = g.RESUL_I - reducao, r3 = r2 - num("GAN_TRI1"), r4 = r3 - num("GAN_TRI2");
    p_.diz(0, "REDUCAO DO GANHO DE CAPITAL Lei nro. 11.196 DE 2009");
    p_.linha(70, "Percentuais");
    auto reducaoLinha = [&](std::string_view texto, Decimal v, bool temPct, Decimal pct,
                            std::string_view picture) {
      p_.diz(0, texto);
      p_.valor(45, v);
      if (temPct) p_.diz(70, transform(pct, picture) + "%");
      p_.avanca();
    };
    reducaoLinha("Ganho Capital Resultado 1", g.RESUL_I, false, {}, kPorCento);
    reducaoLinha("Fator de Reducao lei 7.713", reducao, op_.getText("PARCOMPRA") != "S", Decimal(g.PER_RED), "@Z 999");
    reducaoLinha("Ganho Capital Resultado 2", r2, false, {}, kPorCento);
    reducaoLinha("Fator de Reducao 1   (FR1)", num("GAN_TRI1"), true, num("FR1"), kPorCento);
    reducaoLinha("Ganho de Capital Resultado 3", r3, false, {}, kPorCento);
    reducaoLinha("Fator de Reducao 2   (FR2)", num("GAN_TRI2"), true, num("FR2"), kPorCento);
    reducaoLinha("Ganho de Capital Resultado 4", r4, false, {}, kPorCento);
    if (num("VAL_PARTE") > Decimal())
      reducaoLinha("Valor Aplicado na aquisicao imovel residencial", num("VAL_PARTE"), true, num("PERART31"),
                   kPorCento);
    reducaoLinha("Rendimento tributado exclusivo/definitivo ", num("VAL_TRIBU"), false, {}, kPorCento);
    reducaoLinha("Rendimento isento e nao-tributavel", num("VAL_NAOTRI"), false, {}, kPorCento);
    reducaoLinha("Total do imposto pago", num("IMPPAGO"), false, {}, kPorCento);
    div();
  }

  void secaoII() {
    CABEC001(8);
    p_.linha(1, txt("ESPC_BEM1"));
    p_.linha(0, "   CNPJ                        CIDADE               UF   Data da alienacao     ");
    p_.diz(1, transform(op_.getText("CGC_SOCIE"), "@R 99.999.999/9999-99"));
    p_.diz(31, txt("CID_SOCIE"));
    p_.diz(52, txt("EST_SOCIE"));
    p_.linha(58, dtoc(op_.getDate("DATA_ALI")));
    p_.linha(0, " ESPECIE DE PARTICIPACAO                                  QUANTIDADE ALIENADA  ");
    paraCadaCusto([&](rt::db::Table& c) {
      if (inteiro(c, "TIPO_OPER") != gains::Alienacao) return;
      static constexpr const char* kEspecie[] = {"Acao Preferencial Nominativa", "Acao Ordinaria Nominativa",
                                                  "Quotas"};
      const int tipo = inteiro(c, "TIPO_ACAO");
      p_.diz(1, tipo >= 1 && tipo <= 3 ? kEspecie[tipo - 1] : "Outras");
      p_.valor(60, -c.getNumber("MOV_ACAO"), "@Ez 9,999,999");
      p_.avanca();
      if (p_.QLIN() > Pagina::NROLINHAS) {
        p_.quebra();
        p_.cabecalho();
        CABEC001(8);
      }
    });
    div();
    CABEC001(9);
    Decimal quantidade, ultimoCusto;
    int vendas = 0;
    paraCadaCusto([&](rt::db::Table& c) {
      if (inteiro(c, "TIPO_OPER") != gains::Alienacao) return;
      const Decimal q = -c.getNumber("MOV_ACAO");
      ultimoCusto = c.getNumber("CM_PONDER");
      quantidade += q;
      ++vendas;
      p_.valor(0, q, "@Ez 9,999,999");
      p_.valor(14, ultimoCusto, "@EZ 999,999.9999");
      p_.valor(30, rt::text::despreza(q * ultimoCusto), "@Ez 99,999,999.99");
      p_.avanca();
    });
    // The sale value and the taxable gain close the table, on the total line when there is
    // one.
    if (vendas > 1) {
      p_.valor(0, quantidade, "@Ez 9,999,999");
      p_.valor(14, ultimoCusto, "@EZ 999,999.9999");
      p_.valor(30, num("CUS_ATUAL"), "@Ez 99,999,999.99");
    } else if (vendas == 1) {
      --imp().QLIN;
    }
    p_.valor(47, num("VAL_ALI"), "@Ez 99,999,999.99");
    p_.valor(64, num("VAL_TRIBU"), "@Ez 99,999,999.99");
    p_.avanca();
    div();
  }

  Impressao& imp() { return p_.imp(); }

  // IMPR_PREST: the months with a receipt; a cash sale shows its month's gain and tax once.
  void IMPR_PREST() {
    const bool prazo = op_.getText("VEN_PRAZO") == "S";
    for (int m = 1; m <= 12; ++m) {
      const Decimal recebido = num(("REC_MES" + mm(m)).c_str());
      if (recebido <= Decimal()) continue;
      if (p_.QLIN() > 58) {
        p_.quebra();
        p_.cabecalho();
        CABEC001(secao_ == 1 ? 5 : 10);
      }
      if (prazo) {
        p_.diz(1, mm(m));
        p_.valor(4, recebido, "@Ez 99,999,999.99");
        p_.valor(21, num("PER_TRI") * Decimal(100), "@ez 999.99");
        p_.valor(28, rt::text::despreza(recebido * num("PER_TRI")), "@Ez 99,999,999.99");
      }
      p_.valor(45, num(("VAL_TRI" + mm(m)).c_str()), "@Ez 99,999,999.99");
      p_.valor(62, num(("IMP_DEV" + mm(m)).c_str()), "@Ez 99,999,999.99");
      p_.avanca();
      if (!prazo) break;
    }
    div();
  }

  Pagina p_;
  rt::db::Table& op_;
  rt::db::Table& custos_;
  std::string nome_, cpf_;
  int bem_;
  int secao_ = 1;
};

}  // namespace

void IMPRGAN(store::Contexto& ctx, Impressao& imp, const std::string& nome, const std::string& cpf, bool mostra) {
  rt::db::Table* op = ctx.areas.table(store::Area::TMP_07);
  rt::db::Table* custos = ctx.areas.table(store::Area::TMP_08);
  if (op == nullptr || custos == nullptr) return;
  if (mostra) console::MENS(ctx, console::mens::Linha, "Imprimindo o Ganho de Capital nro " + rt::text::doisDigitos(inteiro(*op, "BEM_NRO")));
  const std::uint32_t registro = op->recNo();
  Demonstrativo(imp, *op, *custos, nome, cpf).imprime();
  op->goTo(registro);
}

namespace {

bool ehGanho(const rt::db::Table& op) {
  const int tipo = inteiro(op, "TIPO_BEM");
  return !op.isDeleted() && tipo >= 1 && tipo <= 3 && inteiro(op, "RVAR_NRO") == 0;
}

// The statement of the operation on the row, and the page break after it.
void imprimeComQuebra(store::Contexto& ctx, Impressao& imp, const std::string& nome, const std::string& cpf) {
  IMPRGAN(ctx, imp, nome, cpf, true);
  imp.dispositivo.say(imp.QLIN, 0, " ");
  imp.dispositivo.eject();
  imp.dispositivo.setPrc(0, 0);
  imp.QLIN = 0;
}

}  // namespace

void IMPGANHO(store::Contexto& ctx, Impressao& imp, const std::string& nome, const std::string& cpf,
              bool pergunta) {
  rt::db::Table* op = ctx.areas.table(store::Area::TMP_07);
  if (op == nullptr) return;
  bool temGanho = false;
  for (op->goTop(); op->status() && !op->eof() && !temGanho; op->skip(1)) temGanho = ehGanho(*op);
  if (!temGanho) return;
  while (pergunta) {
    const std::optional<int> nro = perguntaNumero(ctx, "Nro. do ganho de capital a ser impresso (0 todos)", 0, 0, 99);
    if (!nro) return;
    if (*nro == 0) break;
    bool achou = false;
    for (op->goTop(); op->status() && !op->eof(); op->skip(1)) {
      achou = !op->isDeleted() && inteiro(*op, "BEM_NRO") == *nro && inteiro(*op, "RVAR_NRO") == 0;
      if (achou) break;
    }
    if (!achou) {
      console::AVISOSN(ctx, "Ganho de capital com esse número não existente"_cp, 0);
      return;
    }
    imprimeComQuebra(ctx, imp, nome, cpf);
  }
  for (op->goTop(); op->status() && !op->eof(); op->skip(1))
    if (ehGanho(*op)) imprimeComQuebra(ctx, imp, nome, cpf);
}

}  // namespace print
