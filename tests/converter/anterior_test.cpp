// Last year's taxpayers carried into this year's folder: source folders made here with last
// year's tables (the catalogue's field types for the names the copy reads), converted by the
// run of items 1 and 3, and this year's tables read back with dbfread.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "converter/anterior_blocos.h"
#include "converter/anterior_menu.h"
#include "anterior_rural_fixture.h"
#include "receita_fixture.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/catalogo.h"
#include "console/pastas.h"
#include "store/diario_gravacao.h"
#include "store/pastas_dados.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;
using converter::Linha;
using converter::teste::Linhas;
using rt::text::Date;
using rt::text::Decimal;
using rt::text::Value;
using Campos = std::vector<std::pair<std::string, Value>>;

Decimal dec(const char* s) { return *Decimal::parse(s); }

// What the run said and the answers it gets.
class Ouvinte final : public store::Relato {
 public:
  std::vector<std::string> ditos;
  std::deque<bool> respostas;
  std::deque<int> escolhas;
  std::deque<bool> escs;  // whether an Esc was typed, at each look between two taxpayers
  bool desiste() override {
    if (escs.empty()) return false;
    const bool e = escs.front();
    escs.pop_front();
    return e;
  }
  void alerta(std::span<const std::string> l) override { ditos.insert(ditos.end(), l.begin(), l.end()); }
  void erro(std::string_view t) override { ditos.emplace_back(t); }
  void linha(std::string_view t, bool) override { ditos.emplace_back(t); }
  void aguarda(std::string_view t) override { ditos.emplace_back(t); }
  bool pergunta(std::span<const std::string> l, bool padrao) override {
    ditos.insert(ditos.end(), l.begin(), l.end());
    if (respostas.empty()) return padrao;
    const bool r = respostas.front();
    respostas.pop_front();
    return r;
  }
  int escolha(std::span<const std::string> l, std::span<const std::string>) override {
    ditos.insert(ditos.end(), l.begin(), l.end());
    if (escolhas.empty()) return 0;
    const int r = escolhas.front();
    escolhas.pop_front();
    return r;
  }
  bool disse(std::string_view t) const {
    for (const std::string& d : ditos)
      if (d.find(t) != std::string::npos) return true;
    return false;
  }
};

constexpr const char* kAna = "11111111111";
constexpr const char* kBruno = "33333333333";
constexpr const char* kCarla = "44444444444";

class AnteriorTest : public converter::teste::ReceitaFixture, public ::testing::Test {
 protected:
  AnteriorTest() {
    ctx.defineRelato(&ouve);
    c.ARQORIG = origem.caminho();
    c.ARQDEST = dados.caminho();
    c.DIRORIG = ctx.LOCARQ;
  }

  // A table of the source folder: the fields of catalogue table n (less `sem`) and `extra`,
  // with the rows given.
  void fonte(const std::string& arquivo, int n, const std::vector<Campos>& linhas,
             const std::vector<rt::db::FieldDef>& extra = {}, const std::string& sem = {}) {
    std::vector<rt::db::FieldDef> f;
    for (const store::CampoDef& cd : store::estrutura(workareas::declaracao(n)))
      if (rt::text::upper(cd.nome) != sem) f.push_back({rt::text::upper(cd.nome), cd.tipo, cd.largura, cd.decimais});
    f.insert(f.end(), extra.begin(), extra.end());
    const std::string caminho = origem / (arquivo + ".DBF");
    ASSERT_TRUE(rt::db::Table::create(caminho, f, rt::db::CreateMode::kReplace));
    rt::db::OpenOptions o;
    o.exclusive = true;
    auto t = rt::db::Table::open(caminho, o);
    ASSERT_TRUE(t);
    for (const Campos& l : linhas) {
      ASSERT_TRUE((*t)->appendBlank());
      for (const auto& [campo, v] : l)
        if ((*t)->field(campo) != nullptr) {
          ASSERT_TRUE((*t)->put(campo, v)) << arquivo << " " << campo;
        }
    }
    ASSERT_TRUE((*t)->commit());
  }

  // A table of the source folder with the fields given.
  void fonte(const std::string& arquivo, std::vector<rt::db::FieldDef> f, const std::vector<Campos>& linhas) {
    const std::string caminho = origem / (arquivo + ".DBF");
    ASSERT_TRUE(rt::db::Table::create(caminho, std::move(f), rt::db::CreateMode::kReplace));
    auto t = rt::db::Table::open(caminho);
    ASSERT_TRUE(t);
    for (const Campos& l : linhas) {
      ASSERT_TRUE((*t)->appendBlank());
      for (const auto& [campo, v] : l) ASSERT_TRUE((*t)->put(campo, v)) << arquivo << " " << campo;
    }
    ASSERT_TRUE((*t)->commit());
  }

  // Last year's edition: every table, those not given empty.
  void brantel(std::map<int, std::vector<Campos>> linhas, int semTabela = 0, const std::string& semCampo = {}) {
    for (int n : {9, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 14})
      fonte("IMP" + rt::text::doisDigitos(n) + "09", n, linhas[n], {}, n == semTabela ? semCampo : "");
  }

  // A row written straight into this year's table n.
  void destino(store::Area n, const Campos& campos) {
    ASSERT_TRUE(store::ABERTURA(ctx, n));
    rt::db::Table& t = *ctx.areas.table(n);
    ASSERT_TRUE(t.appendBlank());
    for (const auto& [campo, v] : campos) ASSERT_TRUE(t.put(campo, v));
    ASSERT_TRUE(t.commit());
    ctx.areas.release(n);
  }

  // The marking grid stood in for: every row marked (or none).
  converter::TelaConversao marca(bool todos = true) {
    converter::TelaConversao tela;
    tela.seleciona = [todos](store::Contexto& x) {
      rt::db::Table& t = *store::tabela(x.areas, store::Area::LISNOME);
      for (t.goTop(); !t.eof(); t.skip(1)) ASSERT_TRUE(t.put("IMPRE", std::string(todos ? "S" : " ")));
      ASSERT_TRUE(t.commit());
    };
    tela.contadores = [this](const converter::Contadores& n) { vistos.push_back(n); };
    return tela;
  }

  converter::Contadores roda(int item, int vendidos = 2) {
    c.OPCAO_1 = item;
    ouve.escolhas = {vendidos};
    auto n = converteAnteriores(ctx, c, marca());
    (void)ctx.areas.closeAll();
    return n;
  }

  // Whether this year's table has no row of the CPF (or is not there at all).
  bool semLinhas(const std::string& t, std::string_view cpf) {
    return !std::filesystem::exists(dados / (t + ".DBF")) || tabela(t, cpf).empty();
  }
  std::string campo(std::string_view tabela, std::string_view cpf, std::size_t i, const std::string& nome) {
    const Linhas v = this->tabela(tabela, cpf);
    return i < v.size() ? v[i].at(nome) : "<no row " + std::to_string(i) + ">";
  }
  // Given fields of every row of a table of the CPF, "|"-joined, one string a row.
  std::vector<std::string> linhas(std::string_view tabela, std::string_view cpf, const std::vector<std::string>& campos) {
    std::vector<std::string> v;
    for (const auto& l : this->tabela(tabela, cpf)) {
      std::string s;
      for (const std::string& c1 : campos) s += (s.empty() ? "" : "|") + l.at(c1);
      v.push_back(s);
    }
    return v;
  }

  Ouvinte ouve;
  Conversor c;
  std::vector<converter::Contadores> vistos;
};

// Three taxpayers of last year: one with every block, one plain, one already in this year's
// folder.
std::map<int, std::vector<Campos>> tresContribuintes() {
  const Date d2000 = Date::fromYmd(2000, 5, 1), d1980 = Date::fromYmd(1980, 1, 2);
  std::map<int, std::vector<Campos>> m;
  m[9] = {{{"CPF", kAna}, {"NOMECONTR", "ANA ANTERIOR"}, {"ENDERECO", "RUA A"}, {"DDDTEL", "11"},
           {"RECIBOATU", "123456789012"}, {"RECIBOANT", "999999999999"}, {"IMPPGRE", dec("-150.00")},
           {"ESTATUS", Decimal(3)}, {"CONJUNTA", "N"}, {"TELCELU", "99998888"}, {"TEMRURAL", "S"},
           {"VALOREC", dec("80.00")}, {"NASCIMENTO", Date::fromYmd(1970, 3, 15)}, {"NRORECIBO", "555"}},
          {{"CPF", kBruno}, {"NOMECONTR", "BRUNO BASICO"}, {"IMPPGRE", dec("75.25")}, {"DDDFAX", "021"}},
          {{"CPF", kCarla}, {"NOMECONTR", "CARLA CADASTRADA"}},
          {{"CPF", "           "}, {"NOMECONTR", "SEM CPF"}}};
  m[1] = {{{"CPF", kAna}, {"VALFUTUR", dec("2500.00")}, {"DESPALIM", Decimal(1)}, {"DESPNAO", Decimal(999)},
           {"INDALERTA", Decimal(5)}, {"CPFINVENT", "22222222222"}, {"I3_01", Decimal(7)}},
          {{"CPF", kBruno}, {"OUTRDES", dec("10.00")}}};
  m[2] = {{{"CPF", kAna}, {"I1_1", "R"}, {"I1_2", "RURAL"}},
          {{"CPF", kAna}, {"I1_1", "F"}, {"I1_2", "FONTE"}, {"I1_3", "11222333000181"}, {"I1_4", dec("500.00")},
           {"I1_11", "N"}},
          {{"CPF", kAna}, {"I1_1", "J"}, {"I1_2", "JUROS"}, {"I1_11", "X"}}};
  m[3] = {{{"CPF", kAna}, {"NOMEDEPEN", "MENOR POBRE"}, {"CODIDEPEN", Decimal(41)}, {"DATADEPEN", d1980}},
          {{"CPF", kAna}, {"NOMEDEPEN", "FILHO"}, {"CODIDEPEN", Decimal(21)}, {"DATADEPEN", d2000},
           {"CPFDEPEN", "55555555555"}, {"NRODEPEN", Decimal(9)}}};
  m[4] = {{{"CPF", kAna}, {"I7_0", Decimal(1)}, {"I7_1", Decimal(1)}, {"I7_2", "CASA NA RUA"}, {"I7_5", Decimal(11)}},
          {{"CPF", kAna}, {"I7_0", Decimal(2)}, {"I7_2", " DAS FLORES"}, {"I7_3", dec("100000.00")},
           {"I7_4", dec("120000.00")}, {"I7_7", "S"}, {"I7_8", "105"}},
          {{"CPF", kAna}, {"I7_1", Decimal(2)}, {"I7_2", "CARRO VENDIDO"}, {"I7_3", dec("30000.00")}, {"I7_5", Decimal(21)}},
          {{"CPF", kAna}, {"I7_1", Decimal(3)}, {"I7_2", "CONTA CORRENTE"}, {"I7_3", dec("500.00")},
           {"I7_4", dec("800.00")}, {"I7_5", Decimal(61)}}};
  m[5] = {{{"CPF", kAna}, {"I8_1", Decimal(1)}, {"I8_2", "EMPRESTIMO"}, {"I8_3", dec("5000.00")},
           {"I8_4", dec("3000.00")}, {"I8_5", Decimal(11)}}};
  m[6] = {};
  for (int codigo : {3, 4, 5, 6, 50, 0, 10})
    m[6].push_back({{"CPF", kAna}, {"I6_1", "PAGO " + std::to_string(codigo)}, {"I6_3", Decimal(codigo)},
                    {"I6_4", dec("10.00")}, {"I6_6", Decimal(7)}, {"I6_7", "66666666666"}});
  m[7] = {{{"CPF", kAna}, {"BEM_NRO", Decimal(5)}, {"VEN_PRAZO", "S"}, {"VAL_ALI", dec("10000.00")},
           {"VAL_RECOL", dec("4000.00")}, {"PER_TRI", dec("0.5")}, {"PERART31", Decimal(20)}, {"PARCOMPRA", "S"},
           {"NOME_ADQ", "COMPRADOR"}, {"VENDAANT", "N"}, {"VAL_PARTE", dec("3.00")}},
          {{"CPF", kAna}, {"TIPO_BEM", Decimal(4)}, {"RVAR_NRO", Decimal(17)}, {"REC_MES12", dec("-300.00")}},
          {{"CPF", kAna}, {"TIPO_BEM", Decimal(4)}, {"RVAR_NRO", Decimal(23)}, {"REC_MES12", dec("200.00")},
           {"DAY_TRADE", "1"}},
          {{"CPF", kAna}, {"VEN_PRAZO", "S"}, {"VAL_ALI", dec("100.00")}, {"VAL_RECOL", dec("100.00")}}};
  m[8] = {{{"CPF", kAna}, {"BEM_NRO", Decimal(5)}, {"LOTE", "L1"}, {"VALOR_CUST", dec("9.00")}},
          {{"CPF", kAna}, {"BEM_NRO", Decimal(6)}, {"LOTE", "L2"}}};
  m[10] = {{{"CPF", kAna}, {"CODDESP", Decimal(1)}, {"DESCDESP", "ALUGUEL"}, {"VALODESP", dec("100.50")}}};
  m[11] = {{{"CPF", kAna}, {"OBSERV", "NOTA LIVRE"}},
           {{"CPF", kAna}, {"OBSERV", "ERRO DO ANO"}, {"CODERR", Decimal(3)}}};
  m[14] = {{{"CPF", kAna}, {"DESCRICAO", "POUPANCA X"}, {"TIPO", "Z"}}};
  return m;
}

// Item 1 end to end: every block of a taxpayer, the refund and the balance, a taxpayer
// already there left byte for byte (also his assets, which the continuation merge must not
// join), the counters, and a second run that adds nothing.
TEST_F(AnteriorTest, Item1CarriesEveryBlockAndNeverTouchesAnExistingTaxpayer) {
  brantel(tresContribuintes());
  destino(store::Area::IMP0910, {{"CPF", kCarla}, {"NOMECONTR", "CARLA DESTE ANO"}});
  destino(store::Area::IMP0410,
          {{"CPF", kCarla}, {"I7_0", Decimal(1)}, {"I7_1", Decimal(1)}, {"I7_2", "PARTE UM"}});
  destino(store::Area::IMP0410, {{"CPF", kCarla},
                                 {"I7_0", Decimal(11)},
                                 {"I7_2", "PARTE DOIS"},
                                 {"I7_3", Decimal(10)},
                                 {"I7_4", Decimal(20)}});
  const std::string carla = foto(kCarla);

  ouve.respostas = {true};  // the over-age dependant removed
  const converter::Contadores n = roda(kBrantel, 1);
  EXPECT_EQ(std::vector<int>({n.aConverter, n.convertidos, n.existentes, n.naoConvertidos, n.restantes}),
            std::vector<int>({3, 2, 1, 0, 0}));
  EXPECT_TRUE(c.NOVIN);
  EXPECT_EQ(foto(kCarla), carla);

  // The register: last year's receipt is the previous one, the phone codes as numbers.
  const auto r = tabela("IMP0910", kAna).at(0);
  EXPECT_EQ(r.at("NOMECONTR"), "ANA ANTERIOR");
  EXPECT_EQ(r.at("RECIBOANT"), "123456789012");
  EXPECT_EQ(r.at("RECIBOATU"), "");
  EXPECT_EQ(r.at("NRORECIBO"), "");
  EXPECT_EQ(r.at("DDDTEL"), "11");
  EXPECT_EQ(r.at("DDDFAX"), "");
  EXPECT_EQ(r.at("ESTATUS"), "1");
  EXPECT_EQ(r.at("TEMRURAL"), "N");
  EXPECT_EQ(r.at("NOVO"), "N");
  EXPECT_EQ(r.at("TELCELU"), "99998888");
  EXPECT_EQ(r.at("VALOREC"), "80.00");
  EXPECT_EQ(r.at("NASCIMENTO"), "19700315");
  EXPECT_EQ(campo("IMP0910", kBruno, 0, "DDDFAX"), "21");
  // No phone area code last year: none this year either (not "   0").
  EXPECT_EQ(campo("IMP0910", kBruno, 0, "DDDTEL"), "");

  // Table 1: the refund is exempt income, a balance to pay is last year's tax; the year's
  // expenses from the monthly ones.
  EXPECT_EQ(linhas("IMP0110", kAna, {"I3_12", "I3_12D", "IMPOANTER", "CAL_AUTO", "DESPNAO", "INDALERTA", "CPFINVENT",
                                     "VALFUTUR", "I3_01"}),
            std::vector<std::string>({"150.00|RESTITUICAO DO BRANTEL|0.00|1|1206.00|5|22222222222|2500.00|0.00"}));
  EXPECT_EQ(linhas("IMP0110", kBruno, {"I3_12", "I3_12D", "IMPOANTER", "OUTRDES"}),
            std::vector<std::string>({"0.00||75.25|10.00"}));

  // Income sources without amounts; rural ones left; only kind F keeps its mark.
  EXPECT_EQ(linhas("IMP0210", kAna, {"I1_1", "I1_2", "I1_3", "I1_4", "I1_11"}),
            std::vector<std::string>({"F|FONTE|11222333000181|0.00|N", "J|JUROS||0.00|"}));
  // The over-age dependant asked about and left out; the others renumbered.
  EXPECT_TRUE(ouve.disse("O menor pobre completou 22 anos"));
  EXPECT_EQ(linhas("IMP0310", kAna, {"NOMEDEPEN", "CODIDEPEN", "DATADEPEN", "CPFDEPEN", "NRODEPEN"}),
            std::vector<std::string>({"FILHO|21|20000501|55555555555|1"}));
  // Payees without amounts, codes 3-6 lowered, code 0 left.
  EXPECT_EQ(linhas("IMP0610", kAna, {"I6_1", "I6_3", "I6_4", "I6_6", "I6_7"}),
            std::vector<std::string>({"PAGO 3|1|0.00|7|", "PAGO 4|2|0.00|7|", "PAGO 5|1|0.00|7|", "PAGO 6|2|0.00|7|",
                                      "PAGO 50|50|0.00|0|66666666666", "PAGO 10|10|0.00|0|"}));
  // Assets: closing values open the year, the sold car left out and the next item renumbered,
  // a code-61 account without this year's value, the description's continuation joined.
  EXPECT_EQ(linhas("IMP0410", kAna, {"I7_0", "I7_1", "I7_2", "I7_3", "I7_4", "I7_5", "I7_7", "I7_8", "I7_9"}),
            std::vector<std::string>({"1|1|CASA NA RUA DAS FLORES|120000.00|120000.00|11|||120000.00",
                                      "21|2|CONTA CORRENTE|800.00|0.00|61|||800.00"}));
  EXPECT_EQ(linhas("IMP0510", kAna, {"I8_0", "I8_1", "I8_2", "I8_3", "I8_4", "I8_5", "I8_6"}),
            std::vector<std::string>({"1|1|EMPRESTIMO|3000.00|3000.00|11|3000.00"}));
  // Gains: the instalment sale with what is left to receive, its purchase rows, December's
  // variable-income figures as January's.
  EXPECT_EQ(linhas("IMP0710", kAna, {"BEM_NRO", "TIPO_BEM", "RVAR_NRO", "VAL_ALI", "PER_TRI", "PERART31", "VAL_PARTE",
                                     "VENDAANT", "NOME_ADQ", "REC_MES01", "DAY_TRADE"}),
            std::vector<std::string>({"1|0|0|6000.00|0.40000|0.00|0.00|S|COMPRADOR|0.00|",
                                      "0|4|15|0.00|0.00000|0.00|0.00|||-300.00|",
                                      "0|4|22|0.00|0.00000|0.00|0.00|||200.00|1"}));
  EXPECT_EQ(linhas("IMP0810", kAna, {"BEM_NRO", "LOTE", "VALOR_CUST"}), std::vector<std::string>({"1|L1|9.00"}));
  EXPECT_EQ(linhas("IMP1110", kAna, {"OBSERV"}),
            std::vector<std::string>({"NOTA LIVRE", "Existe ganho de capital a receber R$       2.500,00"}));
  EXPECT_EQ(linhas("IMP1410", kAna, {"DESCRICAO", "TIPO"}), std::vector<std::string>({"POUPANCA X|B"}));
  EXPECT_EQ(linhas("IMP1010", kAna, {"CODDESP", "DESCDESP", "VALODESP"}), std::vector<std::string>({"1|ALUGUEL|100.50"}));

  // Again: everybody is there now, nothing is added.
  const std::string ana = foto(kAna), bruno = foto(kBruno);
  const converter::Contadores m = roda(kBrantel, 2);
  EXPECT_EQ(std::vector<int>({m.convertidos, m.existentes, m.restantes}), std::vector<int>({0, 3, 0}));
  EXPECT_FALSE(c.NOVIN);
  EXPECT_EQ(foto(kAna), ana);
  EXPECT_EQ(foto(kBruno), bruno);
  EXPECT_EQ(foto(kCarla), carla);
}

// The walk over one taxpayer's asset rows, answered "Sim" and "Nao", from either edition.
TEST(AnteriorBlocos, SoldItemsRenumberingValuesAndContinuations) {
  auto bem = [](int item, const char* texto, const char* v3, const char* v4, int codigo = 0) {
    Linha l;
    l.poe("I7_1", Decimal(item));
    l.poe("I7_2", std::string(texto));
    l.poe("I7_3", dec(v3));
    l.poe("I7_4", dec(v4));
    l.poe("I7_5", Decimal(codigo));
    return l;
  };
  const std::vector<Linha> fonte = {bem(1, "TERRENO", "0", "0", 11), bem(0, "LOTE 2", "10", "10"),
                                    bem(2, "CARRO", "30", "0", 21),  bem(3, "ACOES", "0", "0", 31),
                                    bem(0, "CIA X", "5", "7"),       bem(4, "CONTA", "1", "2", 45),
                                    bem(5, "SEM VALOR", "0", "0")};
  auto mostra = [](const std::vector<Linha>& v) {
    std::vector<std::string> s;
    for (const Linha& l : v)
      s.push_back(l.valor("I7_0").toString(0) + "|" + l.valor("I7_1").toString(0) + "|" + l.texto("I7_2") + "|" +
                  l.valor("I7_3").toString(0) + "|" + l.valor("I7_4").toString(0));
    return s;
  };
  struct Caso {
    Blocos b;
    std::vector<std::string> esperado;
  };
  const Caso casos[] = {
      // "Nao": the car goes, the items after it close the gap; the closing value opens the
      // year; code 45 has no value at the end of this year; trailing rows without values stay
      // behind.
      {{'7', true, 1},
       {"1|1|TERRENO|0|0", "11|0|LOTE 2|10|10", "21|2|ACOES|0|0", "31|0|CIA X|7|7", "41|3|CONTA|2|0"}},
      // "Sim": the car is carried with both values 0.
      {{'7', true, 2},
       {"1|1|TERRENO|0|0", "11|0|LOTE 2|10|10", "21|2|CARRO|0|0", "31|3|ACOES|0|0", "41|0|CIA X|7|7",
        "51|4|CONTA|2|0"}},
      // The cash book keeps both values as they are.
      {{'7', false, 2},
       {"1|1|TERRENO|0|0", "11|0|LOTE 2|10|10", "21|2|CARRO|30|0", "31|3|ACOES|0|0", "41|0|CIA X|5|7",
        "51|4|CONTA|1|2"}},
  };
  for (const Caso& k : casos) EXPECT_EQ(mostra(copiaBlocos(fonte, k.b)), k.esperado) << k.b.MOST_VEND;

  std::vector<Linha> bens = copiaBlocos(fonte, {'7', true, 1});
  juntaContinuacoes(bens);
  EXPECT_EQ(mostra(bens), std::vector<std::string>({"1|1|TERRENOLOTE 2|10|10", "21|2|ACOESCIA X|7|7", "41|3|CONTA|2|0"}));
  EXPECT_EQ(bens[0].valor("I7_9"), Decimal(10));

  // Debts: the opening value is also I8_6.
  Linha divida;
  divida.poe("I8_1", Decimal(1));
  divida.poe("I8_3", Decimal(9));
  divida.poe("I8_4", Decimal(4));
  const auto d = copiaBlocos({divida}, {'8', true, 2});
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].valor("I8_3"), Decimal(4));
  EXPECT_EQ(d[0].valor("I8_6"), Decimal(4));
}

// The cash book (item 3): its year totals and monthly figures, its expenses table, its
// gains, payments of code 69 as income; but only from the version whose register has TITULO.
TEST_F(AnteriorTest, Item3CarriesTheCashBookFromTheVersionThatHasTitulo) {
  constexpr const char* kDora = "77777777777";
  auto n122 = [](const char* nome) { return rt::db::FieldDef{nome, 'N', 12, 2}; };
  auto livro = [&](const std::string& semTitulo) {
    fonte("ZUK9", 9, {{{"CPF", kDora}, {"NOMECONTR", "DORA DO LIVRO"}, {"CONJUNTA", "S"}, {"ESTATUS", Decimal(1)},
                       {"I9_5", "S"}, {"USAPADRAO", "S"}, {"DDDTEL", "61"}}},
          {}, semTitulo);
    std::vector<rt::db::FieldDef> t1 = {n122("VALOR_FUT")};
    for (int k = 1; k <= 12; ++k) t1.push_back(n122(("I3_" + rt::text::doisDigitos(k) + "T").c_str()));
    for (int k = 1; k <= 5; ++k) t1.push_back(n122(("I4_" + rt::text::doisDigitos(k) + "T").c_str()));
    fonte("ZUK1", 1,
          {{{"CPF", kDora}, {"I3_01T", Decimal(1)}, {"I3_06T", Decimal(6)}, {"I3_07T", Decimal(7)},
            {"I3_11T", Decimal(11)}, {"I3_12T", Decimal(12)}, {"I4_01T", Decimal(41)}, {"I3_12D", "ISENTO"},
            {"VALOR_FUT", Decimal(99)}, {"DESPNAO", Decimal(5)}, {"PREJVEN", Decimal(3)}}},
          t1);
    fonte("ZUK2", 2,
          {{{"CPF", kDora}, {"I1_1", "J"}, {"I1_2", "JUROS"}, {"I1_413", Decimal(1000)}, {"I1_513", Decimal(100)},
            {"I1_613", Decimal(10)}, {"I1_713", Decimal(1)}, {"I1_4", Decimal(8)}},
           {{"CPF", kDora}, {"I1_1", "F"}, {"I1_2", "FILHO"}, {"I1_413", Decimal(5)}, {"TIPOCR", "X"},
            {"DT_LC", Date::fromYmd(2009, 5, 1)}},
           {{"CPF", kDora}, {"I1_1", "T"}, {"I1_2", "SALARIO"}, {"I1_401", Decimal(10)}, {"I1_412", Decimal(20)},
            {"I1_501", Decimal(1)}},
           {{"CPF", kDora}, {"I1_1", "R"}, {"I1_2", "RURAL"}}},
          {n122("I1_413"), n122("I1_513"), n122("I1_613"), n122("I1_713")});
    fonte("ZUK3", 3, {});
    fonte("ZUK4", 4,
          {{{"CPF", kDora}, {"I7_1", Decimal(1)}, {"I7_2", "APTO"}, {"I7_3", Decimal(100)}, {"I7_4", Decimal(200)},
            {"I7_5", Decimal(61)}}});
    fonte("ZUK5", 5, {});
    fonte("ZUK6", 6,
          {{{"CPF", kDora}, {"I6_1", "ALUGUEL RECEBIDO"}, {"I6_3", Decimal(69)}, {"I6_401", Decimal(100)},
            {"I6_402", Decimal(50)}},
           {{"CPF", kDora}, {"I6_1", "MEDICO"}, {"I6_3", Decimal(5)}, {"I6_401", Decimal(7)}, {"I6_403", Decimal(3)}}});
    fonte("ZUK7", 7,
          {{{"CPF", kDora}, {"BEM_NRO", Decimal(3)}, {"NOME_ADQ", "X"}, {"IMP_PAG01", Decimal(50)},
            {"VAL_ALI", Decimal(10)}, {"PREJU_ANT", Decimal(4)}}},
          {n122("PREJU_ANT")});
    fonte("ZUK8", 8, {{{"CPF", kDora}, {"BEM_NRO", Decimal(3)}, {"LOTE", "Z"}}});
    fonte("ZUK11", 10, {{{"CPF", kDora}, {"CODDESP", "12"}, {"DESCDESP", "LUZ"}, {"VALODESP", Decimal(10)}}},
          {{"CODDESP", 'C', 3, 0}}, "CODDESP");
  };
  livro("TITULO");
  roda(kLivroCaixa);
  EXPECT_TRUE(ouve.disse("com a versão 9.02 ou posterior."_cp));
  EXPECT_TRUE(semLinhas("IMP0910", kDora));
  EXPECT_TRUE(vistos.empty());

  livro("");
  const converter::Contadores n = roda(kLivroCaixa);
  EXPECT_EQ(n.convertidos, 1);
  EXPECT_EQ(linhas("IMP0910", kDora, {"ESTATUS", "CONJUNTA", "I9_5", "USAPADRAO", "SO_SIMPLES", "DDDTEL"}),
            std::vector<std::string>({"4||N|N|N|61"}));
  EXPECT_EQ(linhas("IMP0110", kDora, {"I3_01", "I3_06", "I3_10", "I3_11", "I3_12", "I3_12D", "I4_01", "INDALERTA",
                                      "VALFUTUR", "PREJVEN", "DESPNAO", "I13_24", "CAL_AUTO"}),
            std::vector<std::string>({"1.00|7.00|11.00|6.00|12.00|ISENTO|41.00|10|99.00|3.00|120.00|150.00|3"}));
  EXPECT_EQ(linhas("IMP0210", kDora, {"I1_1", "I1_2", "I1_4", "I1_5", "I1_6", "I1_7", "I1_11", "TIPOCR", "DT_LC",
                                      "I1_401", "I1_412"}),
            std::vector<std::string>({"J|JUROS|1000.00|100.00|10.00|1.00|S|||0.00|0.00",
                                      "F|FILHO|5.00|0.00|0.00|0.00|S|X|20090501|0.00|0.00",
                                      "T|SALARIO|30.00|1.00|0.00|0.00|S|||10.00|20.00",
                                      "M|ALUGUEL RECEBIDO|150.00|0.00|0.00|0.00||||100.00|0.00"}));
  EXPECT_EQ(linhas("IMP0610", kDora, {"I6_1", "I6_3", "I6_4", "I6_401", "I6_403"}),
            std::vector<std::string>({"MEDICO|1|10.00|7.00|3.00"}));
  EXPECT_EQ(linhas("IMP0410", kDora, {"I7_1", "I7_3", "I7_4", "I7_9"}), std::vector<std::string>({"1|100.00|200.00|100.00"}));
  EXPECT_EQ(linhas("IMP0710", kDora, {"BEM_NRO", "NOME_ADQ", "VAL_ALI", "IMP_PAG01"}),
            std::vector<std::string>({"3|X|10.00|0.00"}));
  EXPECT_EQ(linhas("IMP0810", kDora, {"BEM_NRO", "LOTE"}), std::vector<std::string>({"3|Z"}));
  EXPECT_EQ(linhas("IMP1010", kDora, {"CODDESP", "DESCDESP", "VALODESP"}), std::vector<std::string>({"12|LUZ|10.00"}));
}

// What stops a run before anything is written: a source table lacking a field the copy reads
// or damaged, Esc on the sold-item question, Esc between taxpayers, nobody marked (the auxiliary tables are still
// filled from the installation folder).
TEST_F(AnteriorTest, BadSourcesAndUnansweredQuestionsWriteNothing) {
  auto nada = [this](const char* caso) {
    for (const char* t : {"IMP0910", "IMP0410"}) EXPECT_TRUE(semLinhas(t, kAna)) << caso;
    EXPECT_FALSE(c.NOVIN) << caso;
  };
  brantel(tresContribuintes(), 4, "I7_3");
  roda(kBrantel);
  EXPECT_TRUE(ouve.disse("A tabela IMP0409 da pasta de origem não tem o campo I7_3."_cp));
  EXPECT_TRUE(vistos.empty());
  nada("lacking field");

  brantel(tresContribuintes());
  std::ofstream(origem / "IMP0509.DBF", std::ios::binary | std::ios::trunc) << "\x03 nothing of a table";
  ouve.ditos.clear();
  roda(kBrantel);
  EXPECT_TRUE(ouve.disse("IMP0509")) << ::testing::PrintToString(ouve.ditos);
  nada("damaged");

  brantel(tresContribuintes());
  ouve.ditos.clear();
  roda(kBrantel, 0);
  EXPECT_TRUE(ouve.disse(" Nao transporte esse bem p/TAVREN"));
  EXPECT_TRUE(vistos.empty());
  nada("Esc on the sold-item question");

  // Esc before the first taxpayer, and "S" to stop.
  ouve.ditos.clear();
  ouve.escs = {true};
  ouve.respostas = {true};
  EXPECT_EQ(roda(kBrantel).convertidos, 0);
  EXPECT_TRUE(ouve.disse("Abandona a conversão dos dados?"_cp));
  EXPECT_TRUE(semLinhas("IMP0410", kAna));

  support::Pasta instalacao{"inst"};
  for (auto [n, nome] : {std::pair{store::Area::AUXBENS, "auxbens.dbf"}, std::pair{store::Area::AUXPAG, "AUXPAG.DBF"}}) {
    std::vector<rt::db::FieldDef> f;
    for (const store::CampoDef& cd : store::estrutura(n))
      f.push_back({rt::text::upper(cd.nome), cd.tipo, cd.largura, cd.decimais});
    ASSERT_TRUE(rt::db::Table::create(instalacao / nome, f));
    auto t = rt::db::Table::open(instalacao / nome);
    ASSERT_TRUE(t);
    ASSERT_TRUE((*t)->appendBlank());
    ASSERT_TRUE((*t)->put(f[0].name, std::string("AUXILIAR")));
    ASSERT_TRUE((*t)->commit());
  }
  c.DIRINST = instalacao.caminho();
  c.OPCAO_1 = kBrantel;
  ouve.ditos.clear();
  converteAnteriores(ctx, c, marca(false));
  EXPECT_TRUE(ouve.disse("Nenhum contribuinte foi marcado para a conversao."));
  nada("nobody marked");
  for (store::Area a : {store::Area::AUXBENS, store::Area::AUXPAG}) {
    rt::db::Table* t = store::tabela(ctx.areas, a);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->recordCount(), 1u);
    t->goTop();
    EXPECT_EQ(rt::text::trim(t->getText(t->fields()[0].name)), "AUXILIAR");
  }
}

// Last year's tables holding what no taxpayer of this year can be: a CPF that is none is said
// with the CPF alert and its row left out; a field of another type than this year's (a text
// where an amount goes, an amount of more digits) refuses the run, naming table and field.
TEST_F(AnteriorTest, ImpossibleCpfsAndFieldsOfAnotherTypeAreRefused) {
  auto m = tresContribuintes();
  m[9].push_back({{"CPF", "ABC"}, {"NOMECONTR", "LETRAS"}});
  m[9].push_back({{"CPF", "11144477700"}, {"NOMECONTR", "DIGITOS ERRADOS"}});
  m[4].push_back({{"CPF", "11144477700"}, {"I7_1", Decimal(1)}, {"I7_2", "BEM ERRADO"}, {"I7_3", Decimal(5)}});
  brantel(m);
  const converter::Contadores n = roda(kBrantel);
  EXPECT_TRUE(ouve.disse("ATENCAO!! CPF está incompleto."_cp));
  EXPECT_TRUE(ouve.disse("CPF ABC de LETRAS na tabela IMP0909: não convertido."_cp));
  EXPECT_TRUE(ouve.disse("O dígito correto deve ser:35"_cp));
  EXPECT_EQ(n.aConverter, 3);  // Ana, Bruno, Carla
  EXPECT_EQ(n.convertidos, 3);
  for (const char* cpf : {"ABC", "11144477700"}) {
    EXPECT_TRUE(semLinhas("IMP0910", cpf)) << cpf;
    EXPECT_TRUE(semLinhas("IMP0410", cpf)) << cpf;
  }

  for (const rt::db::FieldDef& outro : {rt::db::FieldDef{"I7_3", 'C', 12, 0}, rt::db::FieldDef{"I7_3", 'N', 17, 2}}) {
    SCOPED_TRACE(std::string(1, outro.type) + std::to_string(outro.width));
    for (const std::string& f : dados.arquivos()) {
      (void)ctx.areas.closeAll();
      std::filesystem::remove_all(dados / f);
    }
    auto bens = tresContribuintes();
    for (Campos& l : bens[4])
      for (auto& [campo, v] : l)
        if (campo == "I7_3" && outro.type == 'C') v = std::string("100000.00");
    brantel(tresContribuintes());
    fonte("IMP0409", 4, bens[4], {outro}, "I7_3");
    ouve.ditos.clear();
    vistos.clear();
    roda(kBrantel);
    EXPECT_TRUE(ouve.disse("A tabela IMP0409 da pasta de origem tem o campo I7_3 de outro tipo."))
        << ::testing::PrintToString(ouve.ditos);
    EXPECT_TRUE(vistos.empty());
    EXPECT_TRUE(semLinhas("IMP0910", kAna));
  }
}

// A run killed in the middle of a taxpayer, then run again, leaves the tables one clean run
// leaves.
TEST_F(AnteriorTest, KilledRunThenANewRunGivesTheTablesOfOneCleanRun) {
  auto m = tresContribuintes();
  for (int k = 0; k < 300; ++k)
    m[4].push_back({{"CPF", kAna}, {"I7_1", Decimal(10 + k)}, {"I7_2", "BEM " + std::to_string(k)},
                    {"I7_3", Decimal(k)}, {"I7_4", Decimal(k + 1)}});
  brantel(m);
  auto limpa = [this] {
    (void)ctx.areas.closeAll();
    for (const std::string& f : dados.arquivos()) std::filesystem::remove_all(dados / f);
  };
  auto foto2 = [this] { return foto(kAna) + foto(kBruno) + foto(kCarla); };
  roda(kBrantel);
  const std::string limpo = foto2();
  ASSERT_NE(limpo.find("BEM 299"), std::string::npos);
  for (int micros : {0, 3000, 10000, 30000, 60000}) {
    limpa();
    const pid_t filho = fork();
    ASSERT_GE(filho, 0) << "fork";  // -1 given to kill() below would signal every process
    if (filho == 0) {
      (void)roda(kBrantel);
      _exit(0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
    kill(filho, SIGKILL);
    int status = 0;
    waitpid(filho, &status, 0);
    (void)store::recuperaDiarios(ctx);
    roda(kBrantel);
    EXPECT_EQ(foto2(), limpo) << "killed after " << micros << " us";
  }
}

// After a run: the target's indexes rebuilt, the target in the folder list, and the question
// whether to stay there.
TEST_F(AnteriorTest, AfterTheRunTheTargetJoinsTheFolderListAndTheUserChoosesWhereToStay) {
  brantel(tresContribuintes());
  support::Pasta inicio{"inicio"};
  for (bool fica : {false, true}) {
    ctx.definePastaDados(dados.caminho());
    c.DIRORIG = console::BAR_DIR(inicio.caminho());
    roda(kBrantel);
    ASSERT_TRUE(c.NOVIN || !fica);
    c.NOVIN = true;
    ouve.respostas = {fica};
    ouve.ditos.clear();
    AJUST_DIR(ctx, c);
    EXPECT_TRUE(ouve.disse(std::string("Permanece no diretório "_cp) + console::BAR_FORA(dados.caminho())));
    EXPECT_TRUE(store::mesmaPasta(ctx, ctx.LOCARQ, fica ? dados.caminho() : inicio.caminho())) << ctx.LOCARQ;
    std::vector<std::string> lista = store::pastasDoRegistro(ctx);
    EXPECT_EQ(std::count_if(lista.begin(), lista.end(),
                            [&](const std::string& p) { return store::mesmaPasta(ctx, p, dados.caminho()); }),
              1);
  }
  // The rebuilt indexes find the converted taxpayer.
  ASSERT_TRUE(store::MUDADIR(ctx, dados.caminho(), store::Cpf(kAna)));
  EXPECT_EQ(store::tabela(ctx.areas, store::Area::IMP0910)->getText("CPF"), kAna);
}

// Started by tavren, which keeps its own folder at its exit: no offer to stay in the target;
// the converter goes back to tavren's folder and says where the taxpayers went. The rebuild
// after the run touches only the target's declaration tables, never the program folder's that
// tavren holds open, and a target table in use is waited for with its name on the screen.
TEST_F(AnteriorTest, StartedByTavrenTheRunGoesBackToItsFolderAndRebuildsOnlyTheTarget) {
  brantel(tresContribuintes());
  support::Pasta tavren{"tavren"};
  ctx.definePastaDados(dados.caminho());
  c.DIRORIG = console::BAR_DIR(tavren.caminho());
  c.pastaDoTavren = tavren.caminho();
  roda(kBrantel);
  ASSERT_TRUE(c.NOVIN);
  // The program folder's tables tavren keeps open, and one it does not.
  for (store::Area a : {store::Area::TABLOGR, store::Area::CONFIMP, store::Area::CODBENS})
    ASSERT_TRUE(store::ABERTURA(ctx, a));
  (void)ctx.areas.closeAll();
  const auto cdx = [&](const char* nome) { return std::filesystem::last_write_time(programa / nome); };
  const auto codbens = cdx("CODBENS.CDX");
  rt::db::OpenOptions partilhada;
  auto tablogr = rt::db::Table::open(programa / "TABLOGR.DBF", partilhada);
  auto confimp = rt::db::Table::open(programa / "CONFIMP.DBF", partilhada);
  auto dividas = rt::db::Table::open(dados / "IMP0510.DBF", partilhada);
  ASSERT_TRUE(tablogr && confimp && dividas);
  ouve.ditos.clear();
  AJUST_DIR(ctx, c);
  EXPECT_FALSE(ouve.disse("Permanece"));
  EXPECT_TRUE(ouve.disse("Contribuintes convertidos na pasta"));
  EXPECT_TRUE(ouve.disse(console::BAR_FORA(dados.caminho())));
  EXPECT_TRUE(store::mesmaPasta(ctx, ctx.LOCARQ, tavren.caminho())) << ctx.LOCARQ;
  EXPECT_TRUE(store::mesmaPasta(ctx, ctx.ROTADOANO, tavren.caminho())) << ctx.ROTADOANO;
  // Only the target's tables: the busy one waited for by name, then named as left alone.
  EXPECT_FALSE(ouve.disse("compactado"));
  EXPECT_EQ(cdx("CODBENS.CDX"), codbens);
  EXPECT_TRUE(ouve.disse("IMP0510.DBF em uso. Aguardando..."));
  EXPECT_TRUE(ouve.disse("IMP0510.DBF"));
  EXPECT_TRUE(ouve.disse("Em uso em outro terminal"));
  // The target is in the folder list, where tavren's Pastas finds it.
  std::vector<std::string> lista = store::pastasDoRegistro(ctx);
  EXPECT_EQ(std::count_if(lista.begin(), lista.end(),
                          [&](const std::string& p) { return store::mesmaPasta(ctx, p, dados.caminho()); }),
            1);
}

// The sibling's rural data: carried with item 1 for the taxpayers it has; item 2 then finds
// them there, converts the others of the register, and counts one the folder lacks as not
// converted.
TEST_F(AnteriorTest, RuralDataComeWithItem1AndItem2CountsARefusalAsNotConverted) {
  constexpr const char* kEdu = "88888888888";
  brantel(tresContribuintes());
  auto mol909 = [this](const std::vector<const char*>& quem) {
    std::vector<Campos> v;
    for (const char* cpf : quem) v.push_back({{"CPF", cpf}, {"NOMECONTR", "NOME " + std::string(cpf)}});
    fonte("MOL909", converter::teste::camposMol09(0), v);
  };
  mol909({kAna});
  fonte("MOL109", converter::teste::camposMol09(1), {{{"CPF", kAna}, {"I5_08", Decimal(1000)}}});
  for (int k = 2; k <= 4; ++k) fonte("MOL" + std::to_string(k) + "09", converter::teste::camposMol09(k), {});
  roda(kBrantel);
  EXPECT_EQ(linhas("IMP0910", kAna, {"TEMRURAL", "ATV_BRASIL"}), std::vector<std::string>({"S|S"}));
  EXPECT_EQ(linhas("IMP1510", kAna, {"I4R_04"}), std::vector<std::string>({"1000.00"}));
  EXPECT_EQ(linhas("IMP0910", kBruno, {"TEMRURAL"}), std::vector<std::string>({"N"}));

  // Edu is not in this year's folder.
  mol909({kAna, kBruno, kEdu});
  c.CTIPOCONV = "S";
  const converter::Contadores n = roda(kKelsvor);
  EXPECT_EQ(std::vector<int>({n.aConverter, n.convertidos, n.existentes, n.naoConvertidos, n.restantes}),
            std::vector<int>({3, 1, 1, 1, 0}));
  EXPECT_TRUE(ouve.disse("nao foi encontrado na base de dados TAVREN"));
  EXPECT_EQ(linhas("IMP0910", kBruno, {"TEMRURAL", "ATV_BRASIL"}), std::vector<std::string>({"S|S"}));
  EXPECT_EQ(foto(kEdu), "");

  // Kind "N" is the re-conversion of this year's sibling tables, without the listing: here
  // the folder has none.
  c.CTIPOCONV = "N";
  vistos.clear();
  ouve.ditos.clear();
  roda(kKelsvor);
  EXPECT_TRUE(ouve.disse("Problema ao abrir arquivo Origem"));
  EXPECT_TRUE(vistos.empty());
}

}  // namespace
}  // namespace converter::teste
