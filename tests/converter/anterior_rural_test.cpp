// Last year's rural activity carried into this year's rural tables: the sibling program's
// previous edition, the cash book, and the sibling's re-conversion; every field the copies
// fill, read back as another program reads the tables, and the sources they refuse.
#include "converter/anterior_rural.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "anterior_rural_fixture.h"
#include "converter/receita_tabelas.h"
#include "rt/text/cp860.h"
#include "rt/text/date.h"
#include "store/em_uso.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;
using Campos = std::map<std::string, std::string>;

const std::string kAna = "11144477735", kBia = "52998224725", kCid = "39053344705";

std::string s(std::string_view t) {
  return std::string(t);
}

class RuralTest : public RuralFixture {
 protected:
  // The sibling's previous-edition tables of the first test.
  void molAnterior() {
    fonte("mol909", camposMol09(0),
          {{{"CPF", kAna}, {"NOMECONTR", s("ANA")}}, {{"CPF", kBia}, {"NOMECONTR", s("BIA")}}});
    auto rebanho = [](Valores v, int b[5], int v1[5]) {
      for (int i = 0; i < 5; ++i) {
        v["I7_" + std::to_string(i + 1) + "B"] = Decimal(b[i]);
        v["I7_" + std::to_string(i + 1) + "V1"] = Decimal(v1[i]);
      }
      return v;
    };
    int b[5] = {10, 5, 3, 2, 6}, v1[5] = {3, 1, 2, 0, 2}, nada[5] = {};
    fonte("Mol109", camposMol09(1),
          {rebanho({{"CPF", kAna},
                    {"ATV_EXTER", s(" ")},
                    {"I5_08", 1500.5_d},
                    {"I5_09", 320_d},
                    {"I7_1C", 7_d},
                    {"I7_5C", 7_d},
                    {"I7_2A", 1_d},
                    {"I7_3S", 4_d},
                    {"I7_4S", 1_d},
                    {"I7_V1", s("OVELHAS")}},
                   b, v1),
           // Counts of other animals without their name are not carried.
           rebanho({{"CPF", kAna}, {"ATV_EXTER", s("X")}, {"I5_08", 10_d}}, nada, v1),
           {{"CPF", kCid}, {"I5_08", 99_d}}});
    fonte("MOL209", camposMol09(2),
          {{{"CPF", kAna}, {"ATV_EXTER", s("X")}, {"I2_01", s("ESTANCIA")}, {"I2_07", 3_d}},
           {{"CPF", kAna},
            {"I2_01", s("FAZENDA BOA VISTA")},
            {"I2_02", 150.25_d},
            {"I2_03", s("MG")},
            {"I2_04", 50_d},
            {"I2_05", 1_d},
            {"I2_06", s("INCRA 123")},
            {"I2_07", 12_d}}});
    // In key order the goods abroad come last, and the running number goes on over them.
    fonte("MOL309", camposMol09(3),
          {{{"CPF", kAna}, {"ATV_EXTER", s("X")}, {"I8_1", s("GALPAO")}, {"CODIGO", 13_d}},
           {{"CPF", kAna}, {"I8_1", s("TRATOR")}, {"I8R_4", 2_d}, {"CODIGO", 11_d}},
           {{"CPF", kAna}, {"I8_1", s("VENDIDO")}, {"I8_4", 1_d}, {"CODIGO", 11_d}},
           {{"CPF", kAna}, {"I8_1", s("ARADO")}, {"I8_4", 2_d}, {"CODIGO", 12_d}}});
    fonte("MOL409", camposMol09(4),
          {{{"CPF", kAna}, {"I9_1", s("BANCO X")}, {"I9_2", 100_d}, {"I9_3", 50_d}, {"I9_4", 30_d}},
           {{"CPF", kAna}, {"I9_1", s("QUITADA")}, {"I9_2", 100_d}, {"I9_4", 100_d}},
           {{"CPF", kAna}, {"I9_1", s("A MAIS")}, {"I9_2", 10_d}, {"I9_4", 20_d}},
           {{"CPF", kAna}, {"I9_1", s("COOP")}, {"I9_3", 5_d}}});
  }
};

// The previous edition's copy: last year's closing herd opens this year (births and purchases
// in, deaths and sales out; other animals only when named), goods sold are left out and the
// others numbered by tens across both sides, only debts with an open balance come along; a
// taxpayer the register lacks gets nothing even when the tables have his rows.
TEST_F(RuralTest, PreviousEditionCarriesEveryRuralTable) {
  molAnterior();
  auto fontes = conversor::RuralAnterior::abre(ctx, origem.caminho());
  ASSERT_NE(fontes, nullptr) << ::testing::PrintToString(fala.ditos);
  for (const std::string& cpf : {kAna, kBia, kCid}) {
    TabelasCpf t(ctx, cpf);
    auto r = fontes->copia(cpf, t);
    ASSERT_TRUE(r) << r.status().message();
    EXPECT_EQ(*r, cpf != kCid) << cpf;
    if (cpf != kAna) {
      EXPECT_TRUE(t.mudadas().empty()) << cpf;
    }
    ASSERT_TRUE(t.grava());
  }
  fontes.reset();
  EXPECT_FALSE(ctx.areas.isOpen(90));

  const Campos base{{"CPF", kAna}, {"ATV_BRASIL", "S"}};
  auto com = [&base](Campos c, std::string_view atv = "S") {
    c.insert(base.begin(), base.end());
    c["ATV_BRASIL"] = std::string(atv);
    return c;
  };
  struct Caso {
    const char* tabela;
    const char* lado;
    std::vector<Campos> linhas;
  } casos[] = {
      {"IMP1510",
       "S",
       {com({{"I4R_04", "1500.50"},
             {"I5_10", "320.00"},
             {"I7_1B", "10"},
             {"I7_1S", "3"},
             {"I7_1C", "0"},
             {"I7_1A", "1"},
             {"I7_1V1", "4"},
             {"I7_V1", "OVELHAS"},
             {"SO_TOTAL", "F"}})}},
      {"IMP1510", "N", {com({{"I4R_04", "10.00"}, {"I7_1V1", "0"}, {"SO_TOTAL", "F"}}, "N")}},
      {"IMP1610",
       "S",
       {com({{"I2R_01", "FAZENDA BOA VISTA"},
             {"I2R_02", "150.25"},
             {"I2R_03", "MG"},
             {"I2R_04", "50.00"},
             {"I2R_05", "1"},
             {"I2R_06", "INCRA 123"},
             {"I2R_07", "12"}})}},
      {"IMP1610", "N", {com({{"I2R_01", "ESTANCIA"}, {"I2R_07", "3"}}, "N")}},
      {"IMP1710",
       "S",
       {com({{"I8R_0", "10"},
             {"ITEM", "1"},
             {"I8R_1", "TRATOR"},
             {"I8R_2", "0.00"},
             {"I8R_4", "2"},
             {"CODIGO", "11"}}),
        com({{"I8R_0", "20"}, {"ITEM", "2"}, {"I8R_1", "ARADO"}, {"CODIGO", "12"}})}},
      {"IMP1710", "N", {com({{"I8R_0", "30"}, {"ITEM", "3"}, {"I8R_1", "GALPAO"}, {"CODIGO", "13"}}, "N")}},
      {"IMP1810",
       "S",
       {com({{"I9R_0", "10"}, {"ITEM", "1"}, {"I9R_1", "BANCO X"}, {"I9R_2", "120.00"}}),
        com({{"I9R_0", "20"}, {"ITEM", "2"}, {"I9R_1", "COOP"}, {"I9R_2", "5.00"}})}},
  };
  for (const Caso& c : casos) {
    const Linhas l = lado(c.tabela, kAna, c.lado);
    ASSERT_EQ(l.size(), c.linhas.size()) << c.tabela << " " << c.lado;
    for (std::size_t i = 0; i < l.size(); ++i) {
      SCOPED_TRACE(std::string(c.tabela) + " " + c.lado + " " + std::to_string(i));
      soEsses(l[i], c.linhas[i]);
    }
  }
  EXPECT_TRUE(lado("IMP1810", kAna, "N").empty());
  EXPECT_EQ(foto(kBia), "");
  EXPECT_EQ(foto(kCid), "");
}

// The rural item writes the taxpayer himself: his register row is marked as having rural
// activity in Brazil together with his rows; one open on another terminal, and one missing
// from this year's register (with the alert), get nothing.
TEST_F(RuralTest, RuralItemMarksTheRegisterAndRefusesATaxpayerNotConverted) {
  molAnterior();
  registra(kAna, "ANA");
  registra(kBia, "BIA");
  auto fontes = conversor::RuralAnterior::abre(ctx, origem.caminho());
  ASSERT_NE(fontes, nullptr);
  EXPECT_TRUE(conversor::CONV_VESKAR(ctx, *fontes, kAna)) << ::testing::PrintToString(fala.ditos);
  const Linhas reg = tabela("IMP0910", kAna);
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg[0].at("TEMRURAL"), "S");
  EXPECT_EQ(reg[0].at("ATV_BRASIL"), "S");
  EXPECT_EQ(reg[0].at("NOMECONTR"), "ANA");
  EXPECT_EQ(tabela("IMP1710", kAna).size(), 3u);
  EXPECT_EQ(tabela("IMP0910", kBia).at(0).at("TEMRURAL"), "N");

  // A declaration open on another terminal would be saved over the rows: left as it is.
  ctx.NUSU = "07";
  store::PosseDeclaracao outro = store::tomaDeclaracao(ctx, ctx.LOCARQ, kBia);
  ctx.NUSU = "05";
  ASSERT_TRUE(outro.livre);
  EXPECT_FALSE(conversor::CONV_VESKAR(ctx, *fontes, kBia));
  EXPECT_TRUE(fala.disse(std::string("Declaração em uso no terminal 07"_cp)));
  EXPECT_EQ(tabela("IMP0910", kBia).at(0).at("TEMRURAL"), "N");

  EXPECT_FALSE(conversor::CONV_VESKAR(ctx, *fontes, kCid));
  EXPECT_TRUE(fala.disse("O CPF 390.533.447-05 nao foi encontrado na base de dados TAVREN"));
  EXPECT_TRUE(fala.disse("converta na pasta onde foi convertido esse CPF na opcao BRANTEL acima."));
  EXPECT_EQ(foto(kCid), "");
}

// The cash book: properties, the summary (months and herds as they are), the cash-book
// entries of the rural income sources with a year's amount (none: only the totals), goods and
// debts replacing the taxpayer's own, numbered from 0; without properties nothing is carried.
TEST_F(RuralTest, CashBookCarriesEveryRuralTable) {
  fonte("zuk15", camposZuk(15),
        {{{"CPF", kAna},
          {"I2_01", s("SITIO")},
          {"I2_02", 80.5_d},
          {"I2_03", s("SP")},
          {"I2_04", 100_d},
          {"I2_05", 2_d},
          {"I2_06", s("NIRF 9")},
          {"I2_07", 1_d}},
         {{"CPF", kBia}, {"I2_01", s("CHACARA")}}});
  fonte("ZUK10", camposZuk(10),
        {{{"CPF", kAna},
          {"I4_04", 1000_d},
          {"I4_07", 200_d},
          {"I5_09", 30_d},
          {"I5_10", 40_d},
          {"I3_01OR", 100_d},
          {"I3_12OD", 50_d},
          {"I7_1A", 1_d},
          {"I7_2B", 2_d},
          {"I7_3C", 3_d},
          {"I7_4S", 4_d},
          {"I7_5V1", 5_d},
          {"I7_V1", s("CABRAS")}},
         {{"CPF", kCid}, {"I4_04", 9_d}}});
  fonte("ZUK2", camposZuk(2),
        {{{"CPF", kAna},
          {"I1_1", s("R")},
          {"I1_2", s("VENDA DE LEITE")},
          {"I1_413", 500_d},
          {"DT_LC", Date::fromYmd(2009, 3, 10)},
          {"TIPOCR", s("R")}},
         {{"CPF", kAna}, {"I1_1", s("R")}, {"I1_2", s("SEM VALOR")}},
         {{"CPF", kAna}, {"I1_1", s("J")}, {"I1_2", s("SALARIO")}, {"I1_413", 999_d}},
         {{"CPF", kBia}, {"I1_1", s("J")}, {"I1_413", 5_d}}});
  fonte("ZUK12", camposZuk(12),
        {{{"CPF", kAna}, {"I8_1", s("TRATOR")}, {"I8_2", 5000_d}, {"ITEM", 1_d}, {"CODIGO", 11_d}},
         {{"CPF", kAna}, {"I8_1", s("CASA SEDE")}, {"I8_2", 9000_d}, {"ITEM", 2_d}, {"CODIGO", 1_d}}});
  fonte("ZUK13", camposZuk(13),
        {{{"CPF", kAna},
          {"ITEM", 1_d},
          {"I9_1", s("BANCO")},
          {"I9_2", 100_d},
          {"I9_3", 50_d},
          {"I9_4", 20_d}}});
  grava(kAna, 17, {{{"ATV_BRASIL", s("S")}, {"ITEM", 9_d}, {"I8R_1", s("VELHO")}}});
  grava(kAna, 18, {{{"ATV_BRASIL", s("S")}, {"ITEM", 9_d}, {"I9R_1", s("VELHA")}}});

  auto caixa = conversor::RuralLivroCaixa::abre(ctx, origem.caminho());
  ASSERT_NE(caixa, nullptr) << ::testing::PrintToString(fala.ditos);
  for (const std::string& cpf : {kAna, kBia, kCid}) {
    TabelasCpf t(ctx, cpf);
    auto r = caixa->copia(cpf, t);
    ASSERT_TRUE(r) << r.status().message();
    EXPECT_EQ(*r, cpf != kCid) << cpf;
    ASSERT_TRUE(t.grava());
  }
  Campos resumo{{"CPF", kAna},      {"ATV_BRASIL", "S"}, {"I4R_04", "1000.00"}, {"I4R_07", "200.00"},
                {"I5_09", "30.00"}, {"I5_10", "40.00"},  {"I3_01OR", "100.00"}, {"I3_12OD", "50.00"},
                {"I7_1A", "1"},     {"I7_2B", "2"},      {"I7_3C", "3"},        {"I7_4S", "4"},
                {"I7_5V1", "5"},    {"I7_V1", "CABRAS"}, {"SO_TOTAL", "F"}};
  struct Caso {
    const char* tabela;
    std::string cpf;
    std::vector<Campos> linhas;
  } casos[] = {
      {"IMP1510", kAna, {resumo}},
      {"IMP1610",
       kAna,
       {{{"CPF", kAna},
         {"ATV_BRASIL", "S"},
         {"I2R_01", "SITIO"},
         {"I2R_02", "80.50"},
         {"I2R_03", "SP"},
         {"I2R_04", "100.00"},
         {"I2R_05", "2"},
         {"I2R_06", "NIRF 9"},
         {"I2R_07", "1"}}}},
      {"IMP1910",
       kAna,
       {{{"CPF", kAna},
         {"ATV_BRASIL", "S"},
         {"DT_LC", "20090310"},
         {"DESCR", "VENDA DE LEITE"},
         {"VALOR", "500.00"},
         {"TIPOCR", "R"}}}},
      {"IMP1710",
       kAna,
       {{{"CPF", kAna},
         {"ATV_BRASIL", "S"},
         {"I8R_0", "0"},
         {"I8R_1", "TRATOR"},
         {"I8R_2", "5000.00"},
         {"ITEM", "1"},
         {"CODIGO", "11"}},
        {{"CPF", kAna},
         {"ATV_BRASIL", "S"},
         {"I8R_0", "10"},
         {"I8R_1", "CASA SEDE"},
         {"I8R_2", "9000.00"},
         {"ITEM", "2"},
         {"CODIGO", "1"}}}},
      {"IMP1810",
       kAna,
       {{{"CPF", kAna},
         {"ATV_BRASIL", "S"},
         {"I9R_0", "0"},
         {"ITEM", "1"},
         {"I9R_1", "BANCO"},
         {"I9R_2", "100.00"},
         {"I9R_3", "50.00"},
         {"I9R_4", "20.00"}}}},
      // Without a summary row nor entries: an empty summary that keeps only totals.
      {"IMP1510", kBia, {{{"CPF", kBia}, {"ATV_BRASIL", "S"}, {"SO_TOTAL", "T"}}}},
      {"IMP1610", kBia, {{{"CPF", kBia}, {"ATV_BRASIL", "S"}, {"I2R_01", "CHACARA"}}}},
      {"IMP1910", kBia, {}},
  };
  for (const Caso& c : casos) {
    const Linhas l = tabela(c.tabela, c.cpf);
    ASSERT_EQ(l.size(), c.linhas.size()) << c.tabela << " " << c.cpf;
    for (std::size_t i = 0; i < l.size(); ++i) {
      SCOPED_TRACE(std::string(c.tabela) + " " + c.cpf + " " + std::to_string(i));
      soEsses(l[i], c.linhas[i]);
    }
  }
  EXPECT_EQ(foto(kCid), "");
}

// A source lacking a field a copy reads, or holding it with another type, is refused with
// the table and the field named, before anything is written; an unreadable register means no
// rural data; MOL309 without its sold mark carries every good.
TEST_F(RuralTest, ASourceLackingAFieldIsRefusedBeforeAnythingIsWritten) {
  registra(kAna, "ANA");
  auto mol = [this](int mudada, std::vector<rt::db::FieldDef> campos) {
    fonte("MOL909", camposMol09(0), {{{"CPF", kAna}}});
    for (int k = 1; k <= 4; ++k)
      fonte("MOL" + std::to_string(k) + "09", k == mudada ? campos : camposMol09(k), {{{"CPF", kAna}}});
  };
  auto zuk = [this](int mudada, std::vector<rt::db::FieldDef> campos) {
    for (int n : {15, 10, 2, 12, 13})
      fonte("ZUK" + std::to_string(n), n == mudada ? campos : camposZuk(n), {{{"CPF", kAna}}});
  };
  auto recon = [this](int mudada, std::vector<rt::db::FieldDef> campos) {
    fonte("MOL910", camposMol09(0), {{{"CPF", kAna}}});
    for (int k = 1; k <= 5; ++k)
      fonte("MOL" + std::to_string(k) + "10", k == mudada ? campos : camposMol09(2), {{{"CPF", kAna}}});
  };
  struct Caso {
    std::function<void()> monta;
    int qual;  // 1 previous edition, 2 cash book, 3 re-conversion
    std::string dito;
  } casos[] = {
      {[&] { mol(4, sem(camposMol09(4), "I9_3")); }, 1,
       "A tabela MOL409 da pasta de origem não tem o campo I9_3."},
      {[&] { mol(1, comTipo(camposMol09(1), "I7_V1", 'N')); }, 1,
       "A tabela MOL109 da pasta de origem tem o campo I7_V1 de outro tipo."},
      {[&] { mol(3, sem(camposMol09(3), "I8R_4")); }, 1,
       "A tabela MOL309 da pasta de origem não tem o campo I8R_4."},
      {[&] { zuk(10, sem(camposZuk(10), "I3_07OD")); }, 2,
       "A tabela ZUK10 da pasta de origem não tem o campo I3_07OD."},
      {[&] { zuk(2, comTipo(camposZuk(2), "DT_LC", 'C')); }, 2,
       "A tabela ZUK2 da pasta de origem tem o campo DT_LC de outro tipo."},
      {[&] { recon(3, sem(camposMol09(1), "ATV_EXTER")); }, 3,
       "A tabela MOL310 da pasta de origem não tem o campo ATV_EXTER."},
  };
  const std::string antes = foto(kAna);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.dito);
    c.monta();
    fala.ditos.clear();
    if (c.qual == 1) {
      EXPECT_FALSE(conversor::RuralAnterior::abreConferida(ctx, origem.caminho()));
      EXPECT_EQ(conversor::RuralAnterior::abre(ctx, origem.caminho()), nullptr);
    } else if (c.qual == 2) {
      EXPECT_FALSE(conversor::RuralLivroCaixa::abreConferida(ctx, origem.caminho()));
    } else {
      conversor::Conversor conv;
      conv.ARQORIG = origem.caminho();
      conversor::reconverteRural(ctx, conv);
      EXPECT_FALSE(fala.disse("Re-conversao concluida"));
    }
    EXPECT_TRUE(fala.disse(rt::text::utf8ToCp860(c.dito))) << ::testing::PrintToString(fala.ditos);
    EXPECT_TRUE(fala.disse("Nenhum contribuinte foi convertido."));
    for (int a = 90; a <= 99; ++a) EXPECT_FALSE(ctx.areas.isOpen(a)) << a;
    EXPECT_EQ(foto(kAna), antes);
  }

  // A register that cannot be read: the opener's alert, and no rural data.
  { std::ofstream(origem / "MOL909.DBF", std::ios::binary | std::ios::trunc) << "nao e tabela"; }
  fala.ditos.clear();
  EXPECT_EQ(conversor::RuralAnterior::abre(ctx, origem.caminho()), nullptr);
  EXPECT_TRUE(fala.disse("Problema ao abrir arquivo do KELSVOR")) << ::testing::PrintToString(fala.ditos);
  fonte("MOL909", camposMol09(0), {{{"CPF", kAna}}});

  // Without the sold mark every good is carried.
  fonte("MOL309", sem(camposMol09(3), "I8_4"),
        {{{"CPF", kAna}, {"I8_1", s("UM")}}, {{"CPF", kAna}, {"I8_1", s("DOIS")}}});
  auto fontes = conversor::RuralAnterior::abre(ctx, origem.caminho());
  ASSERT_NE(fontes, nullptr) << ::testing::PrintToString(fala.ditos);
  TabelasCpf t(ctx, kAna);
  ASSERT_TRUE(fontes->copia(kAna, t));
  ASSERT_TRUE(t.grava());
  const Linhas bens = tabela("IMP1710", kAna);
  ASSERT_EQ(bens.size(), 2u);
  EXPECT_EQ(bens[1].at("I8R_1"), "DOIS");
  EXPECT_EQ(bens[1].at("ITEM"), "2");
}

// The re-conversion appends the sibling's current tables to what each taxpayer has, fields by
// name (those of tables 1 to 4 renamed, those of another type or unknown here left out), marks
// only the register rows of its own taxpayers, alerts a taxpayer this year's register lacks
// and writes nothing of his; run twice it doubles the rows, as its closing warning says.
TEST_F(RuralTest, ReconversionAppendsByNameAndASecondRunDoubles) {
  registra(kAna, "ANA");
  registra(kCid, "CID", "S");
  grava(kAna, 16, {{{"ATV_BRASIL", s("S")}, {"I2R_01", s("ANTIGA")}}});
  fonte("MOL910", camposMol09(0), {{{"CPF", kAna}}, {{"CPF", kAna}}, {{"CPF", kBia}}});
  std::vector<rt::db::FieldDef> c1{doCatalogo(9, "CPF"), doCatalogo(15, "ATV_BRASIL", "ATV_EXTER")};
  for (int i = 1; i <= 7; ++i)
    c1.push_back(doCatalogo(15, "I4R_0" + std::to_string(i), "I4_0" + std::to_string(i)));
  for (const char* f : {"I5_08", "I7_1B", "SO_TOTAL"}) c1.push_back(doCatalogo(15, f));
  c1.push_back({"XTRA", 'C', 5, 0, 0});
  c1.push_back({"I6_10", 'C', 10, 0, 0});
  Valores l1{{"CPF", kAna},      {"I5_08", 8_d},    {"I7_1B", 12_d},
             {"SO_TOTAL", true}, {"XTRA", s("XX")}, {"I6_10", s("9")}};
  for (int i = 1; i <= 7; ++i) l1["I4_0" + std::to_string(i)] = Decimal(i * 100);
  fonte("mol110", c1, {l1});
  std::vector<rt::db::FieldDef> c2 = camposMol09(2);
  c2.push_back(doCatalogo(16, "VALITR"));
  fonte("MOL210", c2,
        {{{"CPF", kAna}, {"I2_01", s("NOVA")}, {"I2_05", 1_d}, {"VALITR", 33_d}},
         {{"CPF", kAna}, {"ATV_EXTER", s("X")}, {"I2_01", s("FORA")}},
         {{"CPF", kBia}, {"I2_01", s("DELA")}}});
  std::vector<rt::db::FieldDef> c3{doCatalogo(9, "CPF"), doCatalogo(15, "ATV_BRASIL", "ATV_EXTER"),
                                   doCatalogo(17, "ITEM"), doCatalogo(17, "CODIGO")};
  for (int i = 0; i <= 4; ++i)
    c3.push_back(doCatalogo(17, "I8R_" + std::to_string(i), "I8_" + std::to_string(i)));
  fonte("MOL310", c3,
        {{{"CPF", kAna},
          {"ITEM", 1_d},
          {"CODIGO", 11_d},
          {"I8_0", 10_d},
          {"I8_1", s("TRATOR")},
          {"I8_2", 100_d},
          {"I8_3", s("ABC")},
          {"I8_4", 1_d}}});
  std::vector<rt::db::FieldDef> c4{doCatalogo(9, "CPF"), doCatalogo(15, "ATV_BRASIL", "ATV_EXTER"),
                                   doCatalogo(18, "ITEM")};
  for (int i = 0; i <= 5; ++i)
    c4.push_back(doCatalogo(18, "I9R_" + std::to_string(i), "I9_" + std::to_string(i)));
  fonte("MOL410", c4,
        {{{"CPF", kAna},
          {"ITEM", 2_d},
          {"I9_0", 20_d},
          {"I9_1", s("BANCO")},
          {"I9_2", 1_d},
          {"I9_3", 2_d},
          {"I9_4", 3_d},
          {"I9_5", 4_d}}});
  std::vector<rt::db::FieldDef> c5{doCatalogo(9, "CPF"), doCatalogo(15, "ATV_BRASIL", "ATV_EXTER")};
  for (const char* f : {"DT_LC", "DESCR", "VALOR", "TIPOCR", "NROIMO"}) c5.push_back(doCatalogo(19, f));
  fonte("MOL510", c5,
        {{{"CPF", kAna},
          {"DT_LC", Date::fromYmd(2010, 1, 5)},
          {"DESCR", s("BEZERROS")},
          {"VALOR", 750.3_d},
          {"TIPOCR", s("R")},
          {"NROIMO", 1_d}}});
  const std::string cid = foto(kCid);

  conversor::Conversor conv;
  conv.ARQORIG = origem.caminho();
  conversor::reconverteRural(ctx, conv);
  EXPECT_TRUE(fala.disse("CPF 529.982.247-25 nao encontrado nos dados do TAVREN."));
  ASSERT_GE(fala.ditos.size(), 2u);
  EXPECT_EQ(fala.ditos[fala.ditos.size() - 2], "Re-conversao concluida.");
  EXPECT_EQ(fala.ditos.back(), "Nao fazer novamente pois podera dobrar as informacoes");
  for (int a = 90; a <= 95; ++a) EXPECT_FALSE(ctx.areas.isOpen(a)) << a;

  const Linhas reg = tabela("IMP0910", kAna);
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg[0].at("TEMRURAL"), "S");
  EXPECT_EQ(reg[0].at("ATV_BRASIL"), "S");
  // A taxpayer the source does not hold keeps his register row as it was.
  EXPECT_EQ(foto(kCid), cid);
  EXPECT_EQ(foto(kBia), "");

  const Campos a{{"CPF", kAna}, {"ATV_BRASIL", "S"}};
  auto com = [&a](Campos c, std::string_view atv = "S") {
    c.insert(a.begin(), a.end());
    c["ATV_BRASIL"] = std::string(atv);
    return c;
  };
  Campos resumo = com({{"I5_08", "8.00"}, {"I7_1B", "12"}, {"SO_TOTAL", "T"}});
  for (int i = 1; i <= 7; ++i) resumo["I4R_0" + std::to_string(i)] = std::to_string(i * 100) + ".00";
  struct Caso {
    const char* tabela;
    std::vector<Campos> linhas;
  } casos[] = {
      {"IMP1510", {resumo}},
      {"IMP1610",
       {com({{"I2R_01", "ANTIGA"}}), com({{"I2R_01", "NOVA"}, {"I2R_05", "1"}, {"VALITR", "33.00"}}),
        com({{"I2R_01", "FORA"}}, "N")}},
      {"IMP1710",
       {com({{"ITEM", "1"},
             {"CODIGO", "11"},
             {"I8R_0", "10"},
             {"I8R_1", "TRATOR"},
             {"I8R_2", "100.00"},
             {"I8R_3", "ABC"},
             {"I8R_4", "1"}})}},
      {"IMP1810",
       {com({{"ITEM", "2"},
             {"I9R_0", "20"},
             {"I9R_1", "BANCO"},
             {"I9R_2", "1.00"},
             {"I9R_3", "2.00"},
             {"I9R_4", "3.00"},
             {"I9R_5", "4.00"}})}},
      {"IMP1910",
       {com({{"DT_LC", "20100105"},
             {"DESCR", "BEZERROS"},
             {"VALOR", "750.30"},
             {"TIPOCR", "R"},
             {"NROIMO", "1"}})}},
  };
  for (const Caso& c : casos) {
    Linhas l = lado(c.tabela, kAna, "S");
    for (auto& n : lado(c.tabela, kAna, "N")) l.push_back(std::move(n));
    ASSERT_EQ(l.size(), c.linhas.size()) << c.tabela;
    for (std::size_t i = 0; i < l.size(); ++i) {
      SCOPED_TRACE(std::string(c.tabela) + " " + std::to_string(i));
      soEsses(l[i], c.linhas[i]);
    }
  }

  // Once more: every row the source brought is there twice; the register is as it was.
  const std::string registro = foto(kCid);
  conversor::reconverteRural(ctx, conv);
  for (const auto& [nome, linhas] : std::vector<std::pair<const char*, std::size_t>>{
           {"IMP1510", 2}, {"IMP1610", 5}, {"IMP1710", 2}, {"IMP1810", 2}, {"IMP1910", 2}})
    EXPECT_EQ(tabela(nome, kAna).size(), linhas) << nome;
  EXPECT_EQ(tabela("IMP0910", kAna), reg);
  EXPECT_EQ(foto(kCid), registro);
}

}  // namespace
}  // namespace converter::teste
