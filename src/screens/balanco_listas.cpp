#include <algorithm>
#include <map>
#include <string>

#include "console/alerta.h"
#include "gains/campos.h"
#include "gains/ganho.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/balanco.h"
#include "screens/grades.h"
#include "store/abertura.h"
#include "taxcalc/balanco.h"
#include "taxcalc/linhas.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::Decimal;

namespace {

// Which balance total a row's share is taken of: the list's own, the receipts, the expenses,
// or none (the asset and debt positions are neither).
enum class Lado { DaLista, Receita, Despesa, Nenhum };

struct Item {
  Item(std::string_view t, Decimal v, Lado l = Lado::DaLista) : texto(t), valor(v), lado(l) {}
  std::string texto;
  Decimal valor;
  Lado lado;
};

// The items of list k and the text of its total (none when empty); `receita` says whether the
// shares are of the receipts. `finais` close a list that has any item, after its total, even
// when zero (a variation of nothing is still the answer).
struct Lista {
  std::vector<Item> itens;
  std::string total;
  bool receita = true;
  std::vector<Item> finais;
};

std::string mes2(int mes) {
  return (mes < 10 ? "0" : "") + std::to_string(mes);
}

// Alt-F4: each month's profit and loss of the variable income (line 14 of every operation
// mode in the gains copy), profit and loss apart as the yearly totals LUCRRVA and PREJRVA add
// them, so that the rows add up to those totals.
void rendaVariavel(taxcalc::Contexto& c, Lista& l) {
  Decimal lucro[13], prejuizo[13];
  if (rt::db::Table* t = c.areas.table(store::Area::TMP_07)) {
    const std::string cpf(c.d.CPF.digitos());
    taxcalc::Varredura(*t).cada([&](rt::db::Table& r, std::uint32_t) {
      if (gains::inteiro(r, "TIPO_BEM") != gains::RendaVariavel || gains::inteiro(r, "RVAR_NRO") != 14 ||
          rt::text::alltrim(r.getText("CPF")) != cpf)
        return;
      for (int mes = 1; mes <= 12; ++mes) {
        const Decimal v = r.getNumber("REC_MES" + mes2(mes));
        (v < Decimal() ? prejuizo[mes] : lucro[mes]) += v;
      }
    });
  }
  Decimal ganhos, perdas;
  for (int mes = 1; mes <= 12; ++mes) {
    l.itens.push_back({"Lucro no mes " + mes2(mes), lucro[mes], Lado::Receita});
    l.itens.push_back({"Prejuizo no mes " + mes2(mes), -prejuizo[mes], Lado::Despesa});
    ganhos += lucro[mes];
    perdas -= prejuizo[mes];
  }
  l.finais = {{"Total Ganho na Renda Variavel", ganhos, Lado::Receita},
              {"Total Prejuizo na Renda Variavel", perdas, Lado::Despesa}};
}

// Alt-F6: the receipts of the year's sales, the costs of the assets sold and written off by the
// year each cost was paid (counted as the gains totals count them: this year's, and earlier
// ones of assets not sold in an earlier year), and the exempt and taxed parts of the gains.
void ganhoCapital(taxcalc::Contexto& c, Lista& l) {
  l.itens.push_back({"Total das entradas no Ganho de Capital", c.num("ENTRADGP"), Lado::Receita});
  std::map<int, bool> anterior;  // operation number -> sold in an earlier year
  if (rt::db::Table* t = c.areas.table(store::Area::TMP_07))
    taxcalc::Varredura(*t).cada([&anterior](rt::db::Table& r, std::uint32_t) {
      if (gains::inteiro(r, "TIPO_BEM") != gains::RendaVariavel)
        anterior[gains::inteiro(r, "BEM_NRO")] = gains::sim(r, "VENDAANT");
    });
  std::map<int, Decimal> custos;  // year -> costs
  if (rt::db::Table* t = c.areas.table(store::Area::TMP_08))
    taxcalc::Varredura(*t).cada([&](rt::db::Table& r, std::uint32_t) {
      const int ano = r.getDate("DATA_CUST").year();
      if (ano == 2009 || !anterior[gains::inteiro(r, "BEM_NRO")]) custos[ano] += r.getNumber("VALOR_CUST");
    });
  for (const auto& [ano, valor] : custos)
    l.itens.push_back({"Custo dos bens alienados Em " + std::to_string(ano), valor, Lado::Despesa});
  const Decimal pequeno = c.num("I3_04GCPVC"), unico = c.num("I3_04UNICC"), reducao = c.num("I3_04REDUC"),
                tributado = c.num("I4_02");
  l.itens.push_back({"Bens de pequeno valor", pequeno, Lado::Receita});
  l.itens.push_back({"Venda do unico imovel nos ultimos 5 anos", unico, Lado::Receita});
  l.itens.push_back({"Valor da reducao na venda de imoveis", reducao, Lado::Receita});
  l.itens.push_back({"Valor tributado na alienacao de Bens", tributado, Lado::Receita});
  l.finais = {
      {"Total Abatimento de Isentos e Tributado", pequeno + unico + reducao + tributado, Lado::Receita}};
}

// The exempt incomes, line 12 named by the declaration's own description.
void isentos(taxcalc::Contexto& c, Lista& l) {
  static const std::string_view kIsentos[] = {"Bolsa de Estudo ",
                                              "Capital ou Prêmio de seguro pago"_cp,
                                              "Indenizações p/rescisão ou acidentes"_cp,
                                              "Valores isentos no ganho de capital",
                                              "Lucros e dividendos recebidos",
                                              "Parcela isenta aposentad. Maior 65 anos",
                                              "Pensão,aposentadoria por molestia grave"_cp,
                                              "Rendimentos de caderneta de poupança"_cp,
                                              "Rendimentos de Sócio de ME ou EPP"_cp,
                                              "Transf. patrimonial, doações, heranças"_cp,
                                              "Parcela isenta da atividade rural",
                                              "",
                                              "Rendimentos isentos dos dependentes",
                                              "IR de anos anteriores compensado"};
  for (int i = 1; i <= 14; ++i) {
    std::string t(kIsentos[i - 1]);
    if (i == 12) t = "Outros " + c.d.tabela01.txt("I3_12D").substr(0, 33);
    l.itens.push_back({t, c.num("I3_" + std::string(i < 10 ? "0" : "") + std::to_string(i))});
  }
  l.total = "Total dos rendimentos isentos";
}

// The spouse's official income by the spouse's model (the self-assessed tax counts only
// under the simplified one), the other income, and the spouse's own balance that enters
// the receipts.
void conjuge(const taxcalc::Contexto& c, Lista& l) {
  const store::RegistroEspelho& r = c.d.registro;
  const Decimal imposto = rt::text::alltrim(r.txt("CONJPAD")) == "S" ? r.num("I13_5C") : Decimal();
  const Decimal oficial = r.num("I13_1C") + r.num("I13_2C") + r.num("I13_3C") - r.num("I13_4C") - imposto;
  l.itens = {{"Rendimentos tributaveis do conjuge", r.num("I13_1C")},
             {"Rendimentos isentos do conjuge", r.num("I13_2C")},
             {"Rend. tributacao exclusiva do conjuge", r.num("I13_3C")},
             {"Imposto retido do conjuge", -r.num("I13_4C")},
             {"Imposto pago pelo conjuge", -imposto}};
  l.finais = {{"Total rendimento oficial do conjuge", oficial},
              {"Outras rendas do conjuge", Decimal()},
              {"Saldo no balanco do conjuge", r.num("I9_3")},
              {"Diferenca entre Rendimento e Saldo", oficial - r.num("I9_3")}};
}

Lista lista(taxcalc::Contexto& c, int k) {
  Lista l;
  switch (k) {
    case 1:
      l.itens = {{"Recebido de P.Jurídica pelo Titular "_cp, c.num("I13_01")},
                 {"Recebido de P.Jurídica pelo Dependente"_cp, c.num("I13_02")},
                 {"Recebido de P.Física pelo Titular "_cp, c.num("I13_03")},
                 {"Recebido de P.Física pelo Dependente"_cp, c.num("I13_04")},
                 {"Recebido do Exterior ", c.num("I13_05")},
                 {"Resultado Tributável da Atividade Rural"_cp, c.num("I13_06")}};
      l.total = "Total dos Rendimentos Tributáveis"_cp;
      break;
    case 2:
      isentos(c, l);
      break;
    case 3:
      l.itens = {{"Decimo terceiro salario (do Titular) ", c.num("I4_01")},
                 {"Ganhos de capital na alienacao de bens", c.num("I4_02")},
                 {"Rendimentos de aplicacoes financeiras ", c.num("I4_03")},
                 {"Outros " + c.d.tabela01.txt("I4_05D"), c.num("I4_05")},
                 {"13ro Salario recebido pelos dependentes", c.v.N13RODEP},
                 {"Outros Rend. trib. fonte dos dependentes", c.v.NTRIFDEP}};
      l.total = "Total do rendimento tributado na fonte";
      break;
    case 4:
      rendaVariavel(c, l);
      break;
    case 5:
      conjuge(c, l);
      break;
    case 6:
      ganhoCapital(c, l);
      break;
    case 7:
      // The positions are shown without a share; the increase of the patrimony is a use of the
      // year's cash, so the variations are shares of the expenses.
      l.receita = false;
      l.itens = {{"Bens e direitos em 31/12/2008", c.num("I13_32"), Lado::Nenhum},
                 {"Bens e direitos em 31/12/2009", c.num("I13_33"), Lado::Nenhum},
                 {"Dividas e onus reais em 31/12/2008", c.num("I13_34"), Lado::Nenhum},
                 {"Dividas e onus reais em 31/12/2009", c.num("I13_35"), Lado::Nenhum}};
      l.finais = {{" Variacao nos Bens ", c.num("I13_33") - c.num("I13_32")},
                  {" Variacao nas Dividas", c.num("I13_35") - c.num("I13_34")},
                  {" Variacao Patrimonial total",
                   c.num("I13_33") - c.num("I13_35") - (c.num("I13_32") - c.num("I13_34"))}};
      break;
    case 8:
      l.receita = false;
      l.itens = {{"Imposto retido do Titular", c.num("I13_21")},
                 {"Imposto retido do Dependente", c.num("I13_22")},
                 {"Carne Leao do Titular ", c.v.I13_23A},
                 {"Carne Leao do Dependente", c.v.I13_23B},
                 {"Imposto complementar (Mensalao)", c.num("I13_24")},
                 {"Imposto Pago no Exterior", c.num("I13_25")},
                 {"Imposto Lei 11.033/2004", c.num("I13_26")},
                 {"Impostos Sobre Ganho de Capital", c.num("I13_39")},
                 {"Impostos Sobre a Renda Variavel", c.num("I13_40")}};
      l.total = "Total dos Impostos pagos no Ano";
      break;
    case 9:
      l.receita = false;
      if (c.simplificado())
        l.itens = {{"Valor do abatimento Padrao", c.num("DESPADRAO")}};
      else
        l.itens = {{"Contribuicao previdenciaria Oficial", c.num("I13_08")},
                   {"Contribuicao previdenciaria Privada", c.v.I13_09T},
                   {"Abatimento com Dependentes", c.num("I13_10")},
                   {"Livro Caixa", c.num("I13_14")}};
      l.total = "Total das despesas declaradas";
      break;
    default:
      break;
  }
  return l;
}

LinhaDetalhe linha(const taxcalc::Contexto& c, std::string texto, Decimal valor, bool receita) {
  LinhaDetalhe d{std::move(texto), valor, {}, {}};
  if (receita)
    d.PERCRECE = percentualBalanco(valor, c.v.RECEITA);
  else
    d.PERCDESP = percentualBalanco(valor, c.v.DESPESA);
  return d;
}

LinhaDetalhe linha(const taxcalc::Contexto& c, const Item& i, const Lista& l) {
  if (i.lado == Lado::Nenhum) return {i.texto, i.valor, {}, {}};
  const bool receita = i.lado == Lado::DaLista ? l.receita : i.lado == Lado::Receita;
  return linha(c, i.texto, i.valor, receita);
}

}  // namespace

std::vector<LinhaDetalhe> linhasDetalhe(taxcalc::Contexto& c, int k) {
  const Lista l = lista(c, k);
  std::vector<LinhaDetalhe> linhas;
  Decimal total;
  for (const Item& i : l.itens) {
    if (i.valor.isZero()) continue;
    total += i.valor;
    linhas.push_back(linha(c, i, l));
  }
  if (linhas.empty()) return linhas;
  if (!l.total.empty()) linhas.push_back(linha(c, l.total, total, l.receita));
  for (const Item& i : l.finais) linhas.push_back(linha(c, i, l));
  return linhas;
}

void B_DETAL(AmbienteTela& a, int k) {
  taxcalc::Contexto& c = a.calc;
  taxcalc::VE_SALDO(c);
  std::vector<LinhaDetalhe> linhas = linhasDetalhe(c, k);
  if (!store::ABERTURA(a.ctx, store::Area::DETALH)) return;
  rt::db::Table& t = *a.ctx.areas.table(store::Area::DETALH);
  bool ok = t.zap().isOk();
  const auto acrescenta = [&t](const LinhaDetalhe& l) {
    return t.appendBlank().isOk() && t.put("DESCRICAO", rt::ui::Value(l.DESCRICAO)).isOk() &&
           t.put("VALORDOC", rt::ui::Value(l.VALORDOC)).isOk() &&
           t.put("PERCRECE", rt::ui::Value(l.PERCRECE)).isOk() &&
           t.put("PERCDESP", rt::ui::Value(l.PERCDESP)).isOk();
  };
  // The expenses list: its items, the remaining deductions, and the total of all of them.
  if (k == 9) {
    Decimal total;
    if (!linhas.empty()) linhas.pop_back();
    for (LinhaDetalhe& l : linhas) {
      total += l.VALORDOC;
      l.PERCRECE = percentualBalanco(l.VALORDOC, c.v.RECEITA);
      ok = ok && acrescenta(l);
    }
    if (ok) total += taxcalc::POERESTO(c, 1);
    linhas.clear();
    if (!total.isZero()) linhas.push_back(linha(c, lista(c, 9).total, total, false));
  }
  for (const LinhaDetalhe& l : linhas) ok = ok && acrescenta(l);
  ok = ok && t.flush().isOk();
  if (!ok) {
    console::AVISOSN(a.ctx, "Não foi possível montar a lista do detalhe do balanço."_cp, 0);
  } else if (t.recordCount() == 0) {
    console::AVISOSN(a.ctx, "Nada declarado", 0);
  } else {
    t.goTop();
    // Leaving the list ends only the list: the balance form goes on.
    const int tecla = a.grade.ULTTECLA;
    const bool muda = a.grade.TECLAMUDA;
    editaGrade(a, 32, k <= 3 || k == 5 ? 1 : 0);
    a.grade.ULTTECLA = tecla;
    a.grade.TECLAMUDA = muda;
  }
  a.ctx.areas.release(store::Area::DETALH);
}

}  // namespace screens
