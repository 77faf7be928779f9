// The grid's cell checks at the edges their rules give: the codes looked up in the reference
// tables, the dependants' ages and numbers, the folder list, the rural property fields, the
// savings totals and the asset-maintenance list, and the dispatcher that names them.
#include <gtest/gtest.h>

#include "fixture.h"
#include "grid/edita.h"
#include "grid/rural_campos.h"
#include "grid/validacao.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/acesso_tabelas.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/catalogo.h"

namespace {

using namespace rt::text::literals;
using grid::teste::C;
using grid::teste::GridFixture;
using grid::teste::N;
using rt::text::Decimal;
using rt::ui::Value;
namespace key = rt::term::key;

class Validacao : public GridFixture {
 protected:
  Validacao() { amb.espelho = &d; }

  // A reference table of the program folder with the given rows.
  void referencia(store::Area numero, const std::string& arquivo, std::vector<std::vector<std::pair<std::string, Value>>> linhas) {
    const std::string p = programa.caminho() + "/" + arquivo + ".DBF";
    rt::db::Table::create(p, store::camposDbf(store::estrutura(numero)), rt::db::CreateMode::kReplace).isOk();
    workareas::AreasTrabalho areas;
    ASSERT_TRUE(areas.open(workareas::Area::IMP0110, p).isOk());
    rt::db::Table& t = *areas.table(store::Area::IMP0110);
    for (const auto& l : linhas) {
      ASSERT_TRUE(t.appendBlank().isOk());
      for (const auto& [campo, valor] : l) ASSERT_TRUE(t.put(campo, valor).isOk()) << campo;
    }
    (void)t.unlock();
    (void)areas.closeAll();
  }
  void fechaAlertas(int n) {
    for (int i = 0; i < n; ++i) teclas().pause().press(key::Enter);
  }

  store::EspelhoDeclaracao d;
  grid::AmbienteValidacao amb;
};

TEST_F(Validacao, KnownCodeShowsItsDescriptionAndIsKept) {
  referencia(store::Area::CODBENS, "CODBENS", {{{"CODBEM", N(11)}, {"DESCBENS", C("APARTAMENTO")}}, {{"CODBEM", N(12)}, {"DESCBENS", C("CASA")}}});
  tabela(store::Area::TMP_04);
  (void)ctx.areas.select(store::Area::TMP_04);
  ctx.QUALHLP = "MGETVAR";
  fechaAlertas(1);
  EXPECT_EQ(grid::TES_COD(ctx, amb, Decimal(12), 5), Decimal(12));
  EXPECT_TRUE(term.viu("CASA"));
  // The grid's area and help key come back; the code table is closed again.
  EXPECT_EQ(ctx.areas.current(), store::Area::TMP_04);
  EXPECT_EQ(ctx.QUALHLP, "MGETVAR");
  EXPECT_FALSE(ctx.areas.isOpen(store::Area::CODBENS));
}

TEST_F(Validacao, UnknownCodeIsPickedFromTheList) {
  referencia(store::Area::CODBENS, "CODBENS", {{{"CODBEM", N(11)}, {"DESCBENS", C("APARTAMENTO")}}, {{"CODBEM", N(12)}, {"DESCBENS", C("CASA")}}});
  tabela(store::Area::TMP_04);
  linha(store::Area::TMP_04, {{"I7_2", C("IMOVEL")}});
  (void)ctx.areas.select(store::Area::TMP_04);
  console::VariaveisMapa vars;
  console::ServicosLista servLista;
  console::Listas listas{
      ctx, store::acessoTabelas(ctx), vars,
      servLista};
  amb.listas = &listas;
  teclas().press(key::Down).press(key::Enter);
  EXPECT_EQ(grid::TES_COD(ctx, amb, Decimal(99), 5), Decimal(12));
  EXPECT_TRUE(term.viu("APARTAMENTO"));
  EXPECT_EQ(ctx.areas.current(), store::Area::TMP_04);
  // Esc in the list stores 0.
  teclas().press(key::Esc);
  EXPECT_EQ(grid::TES_COD(ctx, amb, Decimal(98), 5), Decimal());
}

TEST_F(Validacao, UnknownCodeWithoutAChoiceStoresZero) {
  referencia(store::Area::DESPESA, "DESPESA", {{{"CODDES", N(10)}, {"DESCDOA", C("MEDICOS NO BRASIL")}}});
  d.JA_CALC = true;
  EXPECT_EQ(grid::TES_COD(ctx, amb, Decimal(77), 4), Decimal());
  // A payment code marks the computation stale.
  EXPECT_FALSE(d.JA_CALC);
}

TEST_F(Validacao, AbroadFlagOfAnAsset) {
  EXPECT_EQ(grid::TES_PAIS(ctx, amb, " ", 1), " ");
  fechaAlertas(1);
  EXPECT_EQ(grid::TES_PAIS(ctx, amb, "S", 1), "S");
  EXPECT_TRUE(term.viu("Informe no Campo ao lado o Código do País"_cp));
  fechaAlertas(1);
  EXPECT_EQ(grid::TES_PAIS(ctx, amb, "X", 1), " ");
  EXPECT_TRUE(term.viu("Marque com a letra S(sim) se o bem está no exterior"_cp));
}

TEST_F(Validacao, CountryCodeIsLookedUp) {
  referencia(store::Area::TABPAIS, "TABPAIS", {{{"CODPAIS", C("105")}, {"NOMPAIS", C("BRASIL")}}, {{"CODPAIS", C("249")}, {"NOMPAIS", C("ESTADOS UNIDOS")}}});
  fechaAlertas(1);
  EXPECT_EQ(grid::TES_PAIS(ctx, amb, "249", 2), "249");
  EXPECT_TRUE(term.viu("ESTADOS UNIDOS"));
}

TEST_F(Validacao, DependantAgeWarnings) {
  using rt::text::Date;
  // Code 21 born before 1987: too old to be a dependant.
  fechaAlertas(1);
  EXPECT_TRUE(grid::TES_MES(ctx, 21, Date::fromYmd(1986, 12, 31)));
  EXPECT_TRUE(term.viu("não pode mais ser dependente. Se for estudante  "_cp));
  term.telas.clear();
  // Born in the limit year: nothing to say.
  EXPECT_TRUE(grid::TES_MES(ctx, 24, Date::fromYmd(1987, 1, 1)));
  EXPECT_TRUE(grid::TES_MES(ctx, 22, Date::fromYmd(1984, 3, 3)));
  EXPECT_TRUE(grid::TES_MES(ctx, 41, Date::fromYmd(1950, 3, 3)));
  EXPECT_TRUE(grid::TES_MES(ctx, 21, Date()));
  EXPECT_FALSE(term.viu("ATEN"));
  // A student's code under 21 years old.
  fechaAlertas(1);
  EXPECT_TRUE(grid::TES_MES(ctx, 25, Date::fromYmd(1995, 6, 1)));
  EXPECT_TRUE(term.viu("universitario ou escola tecnica deve ser  21"));
  fechaAlertas(1);
  EXPECT_TRUE(grid::TES_MES(ctx, 22, Date::fromYmd(1983, 6, 1)));
  EXPECT_TRUE(term.viu("ATENÇAO! Utrapassou a idade de ser dependente."_cp));
}

class NumeroDependente : public Validacao {
 protected:
  NumeroDependente() {
    tabela(store::Area::TMP_03);
    tabela(store::Area::TMP_06);
    linha(store::Area::TMP_03, {{"NRODEPEN", N(1)}, {"NOMEDEPEN", C("ANA")}});
    linha(store::Area::TMP_03, {{"NRODEPEN", N(2)}, {"NOMEDEPEN", C("PEDRO")}});
    g.N_DEPEN = 2;
  }
  void pagamento(int codigo) {
    tabela(store::Area::TMP_06);
    linha(store::Area::TMP_06, {{"I6_1", C("BENEFICIARIO")}, {"I6_3", N(codigo)}});
  }
};

TEST_F(NumeroDependente, NoDependantsNoAlimonyNoNumber) {
  pagamento(10);
  g.N_DEPEN = 0;
  EXPECT_FALSE(grid::CONF_DEP(ctx, g, amb, Decimal(), 1));
  EXPECT_FALSE(grid::CONF_DEP(ctx, g, amb, Decimal(1), 2));
  d.tabela01.num("DESPALIM", 1);
  EXPECT_TRUE(grid::CONF_DEP(ctx, g, amb, Decimal(), 1));
}

TEST_F(NumeroDependente, AlimonyCodeWithNumberZeroIsHintedAndAccepted) {
  pagamento(31);
  fechaAlertas(1);
  EXPECT_TRUE(grid::CONF_DEP(ctx, g, amb, Decimal(), 2));
  EXPECT_TRUE(term.viu("Obrigatorio informar o Nro do Alimentando conforme a relação acima."_cp));
  pagamento(10);
  fechaAlertas(1);
  EXPECT_TRUE(grid::CONF_DEP(ctx, g, amb, Decimal(), 2));
  EXPECT_TRUE(term.viu("ou deixe com 0 se a despesa foi do titular"));
}

TEST_F(NumeroDependente, NumberMustBeADependants) {
  pagamento(1);
  EXPECT_TRUE(grid::CONF_DEP(ctx, g, amb, Decimal(2), 2));
  fechaAlertas(1);
  EXPECT_FALSE(grid::CONF_DEP(ctx, g, amb, Decimal(3), 2));
  EXPECT_TRUE(term.viu("Não existe dependente ou alimentando com esse Nro."_cp));
  // Codes above 35 name no dependant.
  pagamento(36);
  EXPECT_FALSE(grid::CONF_DEP(ctx, g, amb, Decimal(1), 2));
}

TEST_F(Validacao, ShareAboveAHundredIsRefused) {
  EXPECT_TRUE(grid::VAL_PART(ctx, Decimal(100)));
  fechaAlertas(1);
  EXPECT_FALSE(grid::VAL_PART(ctx, Decimal::fromRaw(10'001'000'000)));
  EXPECT_TRUE(term.viu("Confira a participação digitada. Essa não pode!"_cp));
}

TEST_F(Validacao, ConditionMenuUntilOneToSix) {
  EXPECT_EQ(grid::VAL_COD(ctx, Decimal(3), 3), Decimal(3));
  // Keys outside the menu's are not taken.
  teclas().pause().type("9").type("7").type("5");
  EXPECT_EQ(grid::VAL_COD(ctx, Decimal(8), 3), Decimal(5));
  EXPECT_TRUE(term.viu("DIGITE UM DOS NROS."));
  EXPECT_TRUE(term.viu("4 - Arrendatário"_cp));
}

TEST_F(Validacao, ActivityCodeMenuGivesTenPlusTheDigit) {
  EXPECT_EQ(grid::VAL_COD(ctx, Decimal(19), 1), Decimal(19));
  EXPECT_EQ(grid::VAL_COD(ctx, Decimal(10), 1), Decimal(10));
  teclas().pause().type("8").type("3");
  EXPECT_EQ(grid::VAL_COD(ctx, Decimal(18), 1), Decimal(13));
  EXPECT_TRUE(term.viu("DIGITE UM DOS NUMEROS ACIMA"));
}

class Propriedades : public Validacao {
 protected:
  Propriedades() {
    tabela(store::Area::TMP_16);
    linha(store::Area::TMP_16, {{"I2R_01", C("FAZENDA FORA")}, {"RECEXT", N(1000)}, {"DESEXT", N(400)}});
    linha(store::Area::TMP_16,
          {{"I2R_01", C("OUTRA")}, {"RESUS", N(50)}, {"OPC20US", N(10)}, {"OPC20RS", N(17)}});
    (void)ctx.areas.select(store::Area::TMP_16);
    (void)ctx.areas.table(store::Area::TMP_16)->goTop();
  }
  Decimal campo(const char* nome) { return ctx.areas.table(store::Area::TMP_16)->getNumber(nome); }
};

TEST_F(Propriedades, ResultAbroadFromReceiptsExpensesAndRate) {
  const Decimal dolar = Decimal::fromRaw(174'040'000);  // 1.7404
  ASSERT_TRUE(grid::CALUCRO(ctx, "VALUSE", Decimal(2), dolar));
  EXPECT_EQ(campo("VALUSE"), Decimal(2));
  EXPECT_EQ(campo("RESUS"), Decimal(300));
  EXPECT_EQ(campo("OPC20US"), Decimal(100));
  EXPECT_EQ(campo("OPC20RS"), Decimal::fromRaw(17'404'000'000));
  const grid::SomasRurais s = grid::SOMAREC(ctx, 0);
  EXPECT_EQ(s.RESUS, Decimal(350));
  EXPECT_EQ(s.OPC20US, Decimal(110));
  // The typed receipts count before they are stored by the grid.
  ASSERT_TRUE(grid::CALUCRO(ctx, "RECEXT", Decimal(700), dolar));
  EXPECT_EQ(campo("RESUS"), Decimal(150));
  EXPECT_EQ(campo("OPC20US"), Decimal(70));
}

TEST_F(Propriedades, ZeroRateGivesZeroResults) {
  ASSERT_TRUE(grid::CALUCRO(ctx, "VALUSE", Decimal(), Decimal(2)));
  EXPECT_EQ(campo("RESUS"), Decimal());
  EXPECT_EQ(campo("OPC20US"), Decimal());
  EXPECT_EQ(campo("OPC20RS"), Decimal());
}

TEST_F(Propriedades, ThroughTheDispatcherOnTheRateColumn) {
  amb.NVALDOLAR = Decimal(2);
  g.TABCPOIN = {"I2R_07", "I2R_04", "I2R_05", "I2R_01", "I2R_06", "I2R_02", "CODPAIS", "RECEXT", "DESEXT", "VALUSE"};
  g.PONTEIRO = 10;
  Value v = Decimal(3);
  EXPECT_TRUE(grid::VALIDA_CELULA(ctx, g, amb, "CALUCRO", v));
  EXPECT_EQ(campo("RESUS"), Decimal(200));
  // 1000 / 3 x 0.2 is cut to 66.66 before it is converted.
  EXPECT_EQ(campo("OPC20US"), Decimal::fromRaw(6'666'000'000));
  EXPECT_EQ(campo("OPC20RS"), Decimal::fromRaw(13'332'000'000));
}

// A cell write says a value its field refuses and comes back told, the field as it was; with
// no field of the table under the cursor nothing is written or said, and it comes back told
// too, so no caller words either again.
TEST_F(Propriedades, ACellWriteComesBackToldAndKeepsTheField) {
  g.TABCPOIN = {"I2R_01", "NAOHA", "VALUSE"};
  g.PONTEIRO = 3;
  fechaAlertas(1);
  const rt::Status largo = grid::F_TROCA(ctx, g, Value(Decimal(100000)));
  EXPECT_FALSE(largo);
  EXPECT_TRUE(largo.told());
  EXPECT_TRUE(term.viu("O valor não cabe no campo VALUSE"_cp));
  EXPECT_EQ(campo("VALUSE"), Decimal());
  g.PONTEIRO = 2;
  const rt::Status semCampo = grid::F_TROCA(ctx, g, Value(Decimal(1)));
  EXPECT_FALSE(semCampo);
  EXPECT_TRUE(semCampo.told());
  g.PONTEIRO = 3;
  EXPECT_TRUE(grid::F_TROCA(ctx, g, Value(Decimal(5))));
  EXPECT_EQ(campo("VALUSE"), Decimal(5));
}

TEST_F(Validacao, AssetSituationAboveFourShowsTheCodes) {
  fechaAlertas(1);
  EXPECT_EQ(grid::TES_SIT(ctx, g, amb, Decimal(7)), Decimal());
  EXPECT_TRUE(term.viu("4 - Aquisicao a prazo"));
  // In the totals mode no question is asked.
  d.rural.logico("SO_TOTAL", true);
  EXPECT_EQ(grid::TES_SIT(ctx, g, amb, Decimal(2)), Decimal(2));
  EXPECT_FALSE(term.viu("no livro caixa?"));
}

TEST_F(Validacao, AssetSaleGoesToTheCashBookOfItsRow) {
  grid::Matrizes m;
  amb.matrizes = &m;
  tabela(store::Area::TMP_17);
  tabela(store::Area::TMP_19);
  d.rural.logico("SO_TOTAL", false);
  g.OPC = 35;
  g.PONTEIRO = 5;
  g.PONTVERT = 4;
  teclas().pause().type("S").press(key::Esc);
  EXPECT_EQ(grid::TES_SIT(ctx, g, amb, Decimal(3)), Decimal(3));
  EXPECT_TRUE(term.viu("Lanca essa Alienacao a prazo no livro caixa?"));
  EXPECT_EQ(m.MESATI, 4);
  EXPECT_TRUE(term.viu("Descrição do Rendimento"_cp));
  // The asset grid's columns are back.
  EXPECT_EQ(g.OPC, 35);
  EXPECT_EQ(g.PONTEIRO, 5);
  EXPECT_EQ(g.TABCPOIN.at(4), "I8R_4");
  EXPECT_EQ(ctx.areas.current(), store::Area::TMP_17);
}

TEST_F(Validacao, FolderList) {
  g.PONTEIRO = 2;
  fechaAlertas(1);
  EXPECT_FALSE(grid::TROCA_NAO(ctx, g, "   "));
  EXPECT_TRUE(term.viu("E necessário preencher o nome do diretório"_cp));
  g.PONTEIRO = 1;
  EXPECT_TRUE(grid::TROCA_NAO(ctx, g, "N"));
  EXPECT_TRUE(grid::TROCA_NAO(ctx, g, " "));
  fechaAlertas(1);
  EXPECT_TRUE(grid::TROCA_NAO(ctx, g, "X"));
  EXPECT_TRUE(term.viu("Digite (S)im ou (N)ão "_cp));
}

class Poupanca : public Validacao {
 protected:
  Poupanca() {
    tabela(store::Area::TMP_14);
    linha(store::Area::TMP_14, {{"DESCRICAO", C("BANCO A")}, {"POUPANCA", N(100)}});
    linha(store::Area::TMP_14, {{"DESCRICAO", C("FUNDO X")}, {"LUCROEPP", N(50)}});
    linha(store::Area::TMP_14, {{"DESCRICAO", C("CDB Y")}, {"LUCROREAL", N(30)}});
    linha(store::Area::TMP_14, {{"DESCRICAO", C("MISTO")}, {"LUCROEPP", N(10)}, {"LUCROREAL", N(5)}});
  }
};

TEST_F(Poupanca, SumsAndDescriptionListsGoToTheDeclaration) {
  ASSERT_TRUE(grid::FCALPOUPA(ctx, amb, 1));
  EXPECT_EQ(d.tabela01.num("I3_08"), Decimal(100));
  EXPECT_EQ(d.tabela01.num("I3_12"), Decimal(60));
  EXPECT_EQ(d.tabela01.num("I4_05"), Decimal(35));
  EXPECT_EQ(d.tabela01.txt("I3_12D"), rt::text::padr("FUNDO X,MISTO", 50));
  EXPECT_EQ(d.tabela01.txt("I4_05D"), rt::text::padr("CDB Y", 50));
}

TEST_F(Poupanca, AskingModeKeepsTypedValuesUnlessTheUserAgrees) {
  d.tabela01.num("I4_04", 500);
  teclas().pause().type("N");
  EXPECT_FALSE(grid::FCALPOUPA(ctx, amb, 0));
  EXPECT_TRUE(term.viu("Já existe valor lançado na Aplicação! Zera o valor?"_cp));
  EXPECT_EQ(d.tabela01.num("I4_04"), Decimal(500));
  EXPECT_EQ(d.tabela01.num("I3_08"), Decimal());
  teclas().pause().type("S");
  EXPECT_TRUE(grid::FCALPOUPA(ctx, amb, 0));
  EXPECT_EQ(d.tabela01.num("I4_04"), Decimal());
  EXPECT_EQ(d.tabela01.num("I3_08"), Decimal(100));
}

TEST_F(Validacao, MaintenanceListFromTheAssets) {
  referencia(store::Area::CODBENS, "CODBENS",
             {{{"CODBEM", N(11)}, {"DESCBENS", C("APARTAMENTO")}, {"DESPBEM", C("CONDOMINIO")}},
              {{"CODBEM", N(21)}, {"DESCBENS", C("VEICULO")}, {"DESPBEM", C("")}}});
  tabela(store::Area::TMP_04);
  tabela(store::Area::TMP_10);
  // The value on the continuation line counts; a group whose last line has none gets no row.
  linha(store::Area::TMP_04,
        {{"I7_1", N(1)}, {"I7_2", C("APARTAMENTO NO CENTRO DA CIDADE DE SAO PAULO")}, {"I7_5", N(11)}});
  linha(store::Area::TMP_04, {{"I7_1", N(0)}, {"I7_2", C("CONTINUACAO")}, {"I7_4", N(120000)}});
  linha(store::Area::TMP_04, {{"I7_1", N(2)}, {"I7_2", C("CASA")}, {"I7_5", N(11)}, {"I7_4", N(50000)}});
  linha(store::Area::TMP_04, {{"I7_1", N(0)}, {"I7_2", C("SEM VALOR")}});
  linha(store::Area::TMP_04, {{"I7_1", N(3)}, {"I7_2", C("CARRO")}, {"I7_5", N(21)}, {"I7_4", N(30000)}});
  linha(store::Area::TMP_04, {{"I7_1", N(4)}, {"I7_2", C("SALA")}, {"I7_5", N(11)}, {"I7_4", N(1000)}});
  (void)ctx.areas.select(store::Area::TMP_04);
  grid::BUSCA_DESP(ctx, g);
  EXPECT_EQ(coluna(store::Area::TMP_10, "DESCRITEM"),
            (std::vector<std::string>{"APARTAMENTO NO CENTRO DA", "SALA"}));
  EXPECT_EQ(coluna(store::Area::TMP_10, "DESCDESP"), (std::vector<std::string>{"CONDOMINIO", "CONDOMINIO"}));
  // A twelfth of a tenth, in cents: 1000 and 8.33.
  rt::db::Table& lista = *ctx.areas.table(store::Area::TMP_10);
  (void)lista.goTop();
  EXPECT_EQ(lista.getNumber("VALODESP"), Decimal(1000));
  (void)lista.skip(1);
  EXPECT_EQ(lista.getNumber("VALODESP"), Decimal::fromRaw(833'000'000));
  EXPECT_EQ(coluna(store::Area::TMP_10, "CPF"), (std::vector<std::string>{"12345678909", "12345678909"}));
  EXPECT_EQ(ctx.areas.current(), store::Area::TMP_04);
  // Rebuilding replaces the list.
  grid::BUSCA_DESP(ctx, g);
  EXPECT_EQ(ctx.areas.table(store::Area::TMP_10)->recordCount(), 2u);
}

class ServicosComAmbiente : public grid::ServicosGrade, public grid::ComAmbienteValidacao {
 public:
  grid::AmbienteValidacao a;
  grid::AmbienteValidacao& ambienteValidacao() override { return a; }
};

TEST_F(Validacao, DispatcherNamesChainsAndTheShellsEnvironment) {
  Value v = std::string("X");
  fechaAlertas(1);
  EXPECT_TRUE(grid::VALIDA_CELULA(ctx, g, amb, "TES_PAIS(1)", v));
  EXPECT_EQ(std::get<std::string>(v), " ");
  // Checks of other screens' rules accept here; a chain stops at the first refusal.
  Value limite = Decimal(5);
  EXPECT_TRUE(grid::VALIDA_CELULA(ctx, g, amb, "LIMIT3", limite));
  // The document cells: a CNPJ punctuated and checked.
  Value doc = std::string("11222333000181    ");
  EXPECT_TRUE(grid::VALIDA_CELULA(ctx, g, amb, "POEPONTO(0);CPFCGC", doc));
  EXPECT_EQ(rt::text::alltrim(std::get<std::string>(doc)), "11.222.333/0001-81");
  Value ruim = std::string("11222333000182    ");
  fechaAlertas(1);
  EXPECT_FALSE(grid::VALIDA_CELULA(ctx, g, amb, "POEPONTO(0);CPFCGC", ruim));
  Value parte = Decimal(150);
  fechaAlertas(1);
  EXPECT_FALSE(grid::VALIDA_CELULA(ctx, g, amb, "VAL_PART;TES_PAIS(1)", parte));
  // The environment comes from the grid's services object.
  ServicosComAmbiente srv;
  srv.a.espelho = &d;
  g.servicos = &srv;
  tabela(store::Area::TMP_06);
  linha(store::Area::TMP_06, {{"I6_3", N(10)}});
  g.N_DEPEN = 0;
  d.tabela01.num("DESPALIM", 1);
  tabela(store::Area::TMP_03);
  linha(store::Area::TMP_03, {{"NRODEPEN", N(1)}});
  Value n = Decimal(1);
  EXPECT_TRUE(grid::VALIDA_CELULA(ctx, g, "CONF_DEP", n));
  d.tabela01.num("DESPALIM", 0);
  EXPECT_FALSE(grid::VALIDA_CELULA(ctx, g, "CONF_DEP(1)", n));
}

}  // namespace
