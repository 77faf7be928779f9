// Structure upgrade: old files (without their marker field) rebuilt with the catalogue's
// structure and their rows kept by field name; DEFINE keeping every old value; the payment
// codes renumbered together with table 01 or not at all; indexes rebuilt; a failed copy
// leaving the old table as it was.
#include "store/acerto.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store_fixture.h"

namespace store {
namespace {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;
namespace fs = std::filesystem;

std::string bytes(const std::string& caminho) {
  std::ifstream in(caminho, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class AcertoTest : public ::testing::Test, protected teste::StoreFixture {
 protected:
  // The catalogue's structure of table n without the fields named (and with `extras`).
  static std::vector<rt::db::FieldDef> velha(Area n, std::initializer_list<const char*> sem,
                                             std::vector<rt::db::FieldDef> extras = {}) {
    std::vector<CampoDef> campos;
    for (const CampoDef& c : tabela(n)->campos) {
      bool fora = false;
      for (const char* s : sem) fora = fora || platform::equalsIgnoreCase(c.nome, s);
      if (!fora) campos.push_back(c);
    }
    auto v = camposDbf(campos);
    v.insert(v.end(), extras.begin(), extras.end());
    return v;
  }
  void confereEstrutura(rt::db::Table& t, Area n) {
    const TabelaDef* d = tabela(n);
    ASSERT_EQ(t.fieldCount(), static_cast<int>(d->campos.size()));
    for (std::size_t i = 0; i < d->campos.size(); ++i) EXPECT_EQ(t.fields()[i].name, rt::text::upper(d->campos[i].nome));
    EXPECT_EQ(t.recordSize(), static_cast<std::uint32_t>(tamanhoRegistro(d->campos)));
  }
  // An old table 01 with three rows (the second deleted) and its old index.
  void imp01Velha() {
    ASSERT_TRUE(rt::db::Table::create(dados / "IMP0110", velha(Area::IMP0110, {"I3_14"})));
    auto t = teste::abre(dados / "IMP0110.DBF", true);
    ASSERT_TRUE(t->openIndex(dados / "IMP0110.CDX", "CPF"));
    ASSERT_TRUE(t->appendBlank());
    ASSERT_TRUE(t->put("CPF", std::string("33333333333")));
    ASSERT_TRUE(t->put("I3_01", *Decimal::parse("10.50")));
    ASSERT_TRUE(t->put("NomInvent", std::string("ANA")));
    ASSERT_TRUE(t->put("DataParti", Date::fromYmd(2009, 3, 2)));
    ASSERT_TRUE(t->put("SO_REC", true));
    ASSERT_TRUE(t->appendBlank());
    ASSERT_TRUE(t->put("CPF", std::string("22222222222")));
    ASSERT_TRUE(t->markDeleted());
    ASSERT_TRUE(t->appendBlank());
    ASSERT_TRUE(t->put("CPF", std::string("11111111111")));
    ASSERT_TRUE(t->put("I13_29", Decimal(1)));
    ASSERT_TRUE(t->commit());
  }
  // Table 06 with one row of each code 1-7, all of one taxpayer.
  void imp06() {
    ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0610, true));
    rt::db::Table* t = area(store::Area::IMP0610);
    for (int c = 1; c <= 7; ++c) {
      ASSERT_TRUE(t->appendBlank());
      ASSERT_TRUE(t->put("CPF", std::string("11111111111")));
      ASSERT_TRUE(t->put("I6_3", Decimal(c)));
      ASSERT_TRUE(t->put("I6_1", std::string(1, static_cast<char>('0' + c))));
    }
    ASSERT_TRUE(t->commit());
    ASSERT_TRUE(ctx.areas.closeAll());
  }
  std::vector<int> codigos() {
    auto t = teste::abre(dados / "IMP0610.DBF");
    std::vector<int> v;
    for (t->goTop(); !t->eof(); t->skip()) v.push_back(static_cast<int>(t->getNumber("I6_3").toDouble()));
    return v;
  }
  bool semMarcador(const std::string& dbf, const char* campo) {
    auto t = teste::abre(dbf);
    return t->field(campo) == nullptr;
  }
};

TEST(CodigoPagamento, OldCodesThreeToSixBecomeOneAndTwo) {
  const int esperado[] = {0, 1, 2, 1, 2, 1, 2, 7, 10, 99};
  const int codigos[] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 99};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(codigoPagamentoNovo(codigos[i]), esperado[i]) << codigos[i];
}

TEST_F(AcertoTest, OldTableOneIsRebuiltWithItsRowsKeptByNameAndThePaymentCodesRenumbered) {
  imp01Velha();
  imp06();
  CORRECAO(ctx, 0);
  auto t = teste::abre(dados / "IMP0110.DBF");
  confereEstrutura(*t, Area::IMP0110);
  EXPECT_EQ(t->recordCount(), 2u);  // the deleted row is not carried
  t->goTop();
  ASSERT_TRUE(t->status());
  EXPECT_EQ(t->getText("CPF"), "33333333333");
  EXPECT_EQ(t->getNumber("I3_01"), *Decimal::parse("10.50"));
  EXPECT_EQ(rt::text::trim(t->getText("NOMINVENT")), "ANA");
  EXPECT_EQ(t->getDate("DATAPARTI"), Date::fromYmd(2009, 3, 2));
  EXPECT_TRUE(t->getLogical("SO_REC"));
  EXPECT_EQ(t->getNumber("I3_14"), Decimal(0));
  t->skip();
  ASSERT_TRUE(t->status());
  EXPECT_EQ(t->getText("CPF"), "11111111111");
  EXPECT_EQ(t->getNumber("I13_29"), Decimal(1));
  // The index was built again on the new file.
  ASSERT_TRUE(t->openIndex(dados / "IMP0110.CDX", "CPF"));
  EXPECT_TRUE(t->checkOrder(1));
  ASSERT_TRUE(t->seek("11111111111"));
  EXPECT_TRUE(t->found());

  EXPECT_EQ(codigos(), (std::vector<int>{1, 2, 1, 2, 1, 2, 7}));
  auto p = teste::abre(dados / "IMP0610.DBF");
  ASSERT_TRUE(p->openIndex(dados / "IMP0610.CDX", "CPF+str(I6_3,2)"));
  EXPECT_TRUE(p->checkOrder(1));
  ASSERT_TRUE(p->seek("11111111111 2"));
  EXPECT_TRUE(p->found());

  for (const std::string& f : dados.arquivos()) EXPECT_EQ(f.find("ACERTO"), std::string::npos) << f;
  EXPECT_FALSE(CORRIGE(ctx, store::Area::IMP0110));  // done once
  EXPECT_EQ(codigos(), (std::vector<int>{1, 2, 1, 2, 1, 2, 7}));
}

TEST_F(AcertoTest, TableOneAndThePaymentCodesStayAsTheyWereWhenThePaymentsCannotBeHad) {
  imp01Velha();
  imp06();
  teste::OutroTerminal outro([caminho = dados / "IMP0610.DBF"] {
    std::vector<std::unique_ptr<rt::db::Table>> v;
    v.push_back(teste::abre(caminho));
    return v;
  });
  ASSERT_TRUE(outro.pronto());
  term.press(rt::term::key::Enter);
  EXPECT_TRUE(CORRIGE(ctx, store::Area::IMP0110));
  EXPECT_EQ(espera.vezes(), 10);
  EXPECT_TRUE(term.contains(ctx.LOCARQ + std::string("IMP0610.DBF não está disponivel "_cp)));
  outro.libera();
  EXPECT_TRUE(semMarcador(dados / "IMP0110.DBF", "I3_14"));
  EXPECT_EQ(codigos(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
  // Next time both go.
  EXPECT_TRUE(CORRIGE(ctx, store::Area::IMP0110));
  EXPECT_FALSE(semMarcador(dados / "IMP0110.DBF", "I3_14"));
  EXPECT_EQ(codigos(), (std::vector<int>{1, 2, 1, 2, 1, 2, 7}));
}

TEST_F(AcertoTest, NothingIsTouchedWhenTheOldTableItselfCannotBeHad) {
  imp01Velha();
  imp06();
  const std::string antes = bytes(dados / "IMP0110.DBF");
  // Held exclusively elsewhere: still seen as old, and reported.
  teste::OutroTerminal outro([caminho = dados / "IMP0110.DBF"] {
    std::vector<std::unique_ptr<rt::db::Table>> v;
    v.push_back(teste::abre(caminho, true));
    return v;
  });
  ASSERT_TRUE(outro.pronto());
  term.press(rt::term::key::Enter);
  EXPECT_TRUE(CORRIGE(ctx, store::Area::IMP0110));
  EXPECT_TRUE(term.contains(ctx.LOCARQ + std::string("IMP0110.DBF não está disponivel "_cp)));
  outro.libera();
  EXPECT_EQ(bytes(dados / "IMP0110.DBF"), antes);
  EXPECT_EQ(codigos(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(AcertoTest, DefineKeepsEveryOldValueAndTakesTheSeedOnlyInNewFields) {
  ASSERT_TRUE(rt::db::Table::create(programa / "DEFINE",
                                    velha(Area::DEFINE, {"VER_ATUAL", "VAL_DOLAR"}, {{"OBSOLETO", 'C', 5, 0, 0}})));
  {
    auto t = teste::abre(programa / "DEFINE.DBF", true);
    ASSERT_TRUE(t->appendBlank());
    ASSERT_TRUE(t->put("BOL_NOSNRO", Decimal(4321)));
    ASSERT_TRUE(t->put("SER_SMTP", std::string("smtp.escritorio.com.br")));
    ASSERT_TRUE(t->put("NOM_USUA", std::string("Escritorio Silva")));
    ASSERT_TRUE(t->put("VCTO1", Date::fromYmd(2010, 5, 14)));
    ASSERT_TRUE(t->put("VAL_SEG", *Decimal::parse("2.50")));
    ASSERT_TRUE(t->put("OBSOLETO", std::string("x")));
    ASSERT_TRUE(t->commit());
  }
  CORRECAO(ctx, 1);
  EXPECT_FALSE(ctx.MOS_MENS);
  auto t = teste::abre(programa / "DEFINE.DBF");
  confereEstrutura(*t, Area::DEFINE);
  ASSERT_EQ(t->recordCount(), 1u);
  t->goTop();
  ASSERT_TRUE(t->status());
  EXPECT_EQ(t->getNumber("BOL_NOSNRO"), Decimal(4321));
  EXPECT_EQ(rt::text::trim(t->getText("SER_SMTP")), "smtp.escritorio.com.br");
  EXPECT_EQ(rt::text::trim(t->getText("NOM_USUA")), "Escritorio Silva");
  EXPECT_EQ(t->getDate("VCTO1"), Date::fromYmd(2010, 5, 14));
  EXPECT_EQ(t->getNumber("VAL_SEG"), *Decimal::parse("2.5"));
  // A field the old file had, even blank, keeps its old value; only new fields are seeded.
  EXPECT_EQ(t->getDate("VCTO2"), Date());
  EXPECT_EQ(t->getNumber("VAL_DOLAR"), *Decimal::parse("1.7404"));
  EXPECT_EQ(t->getText("VER_ATUAL"), " ");
  EXPECT_FALSE(CORRIGE(ctx, store::Area::DEFINE));
}

TEST_F(AcertoTest, AnEmptyOldDefineGetsTheSeedRecord) {
  ASSERT_TRUE(rt::db::Table::create(programa / "DEFINE", velha(Area::DEFINE, {"VER_ATUAL"})));
  CORRECAO(ctx, 1);
  auto t = teste::abre(programa / "DEFINE.DBF");
  ASSERT_EQ(t->recordCount(), 1u);
  t->goTop();
  ASSERT_TRUE(t->status());
  EXPECT_EQ(t->getDate("VCTO8"), Date::fromYmd(2010, 11, 30));
}

TEST_F(AcertoTest, OldRegisterGetsItsNewFieldAndAllThreeIndexesRebuilt) {
  ASSERT_TRUE(rt::db::Table::create(dados / "IMP0910", velha(Area::IMP0910, {"TEMRURAL"})));
  {
    auto t = teste::abre(dados / "IMP0910.DBF", true);
    for (auto [cpf, nome, estatus] : {std::tuple{"22222222222", "bia", 3}, std::tuple{"11111111111", "caio", 1}}) {
      ASSERT_TRUE(t->appendBlank());
      ASSERT_TRUE(t->put("CPF", std::string(cpf)));
      ASSERT_TRUE(t->put("NOMECONTR", std::string(nome)));
      ASSERT_TRUE(t->put("ESTATUS", Decimal(estatus)));
    }
    ASSERT_TRUE(t->commit());
  }
  CORRECAO(ctx, 0);
  EXPECT_FALSE(semMarcador(dados / "IMP0910.DBF", "TEMRURAL"));
  for (const char* f : {"IMP0910.CDX", "IMP0910B.CDX", "IMP0910C.CDX"}) EXPECT_TRUE(fs::exists(dados / f)) << f;
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  rt::db::Table* t = area(store::Area::IMP0910);
  confereEstrutura(*t, Area::IMP0910);
  EXPECT_EQ(t->recordCount(), 2u);
  ASSERT_TRUE(t->useOrder(2));
  ASSERT_TRUE(t->seek("CAIO"));
  ASSERT_TRUE(t->found());
  EXPECT_EQ(t->getText("CPF"), "11111111111");
  for (int o = 1; o <= 3; ++o) EXPECT_TRUE(t->checkOrder(o)) << o;
}

TEST_F(AcertoTest, ACurrentTableIsLeftUntouchedAndAMissingOneIsNotMade) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0210));
  ASSERT_TRUE(ctx.areas.closeAll());
  const std::string antes = bytes(dados / "IMP0210.DBF");
  EXPECT_FALSE(CORRIGE(ctx, store::Area::IMP0210));
  EXPECT_EQ(bytes(dados / "IMP0210.DBF"), antes);
  EXPECT_FALSE(CORRIGE(ctx, store::Area::IMP0910));
  EXPECT_FALSE(fs::exists(dados / "IMP0910.DBF"));
  EXPECT_FALSE(CORRIGE(ctx, store::Area::IMP0310));  // no marker: never upgraded
}

TEST_F(AcertoTest, AValueThatDoesNotFitTheNewStructureLeavesTheOldTableAsItWas) {
  std::vector<rt::db::FieldDef> campos = velha(Area::IMP0210, {"I1_20", "I1_4"}, {{"I1_4", 'N', 16, 2, 0}});
  ASSERT_TRUE(rt::db::Table::create(dados / "IMP0210", campos));
  {
    auto t = teste::abre(dados / "IMP0210.DBF", true);
    ASSERT_TRUE(t->appendBlank());
    ASSERT_TRUE(t->put("CPF", std::string("11111111111")));
    ASSERT_TRUE(t->put("I1_4", *Decimal::parse("9999999999.99")));
    ASSERT_TRUE(t->commit());
  }
  const std::string antes = bytes(dados / "IMP0210.DBF");
  EXPECT_TRUE(CORRIGE(ctx, store::Area::IMP0210));
  EXPECT_EQ(bytes(dados / "IMP0210.DBF"), antes);
  for (const std::string& f : dados.arquivos()) EXPECT_EQ(f.find("ACERTO"), std::string::npos) << f;
}

}  // namespace
}  // namespace store
