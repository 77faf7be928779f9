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
#include "rt/text/strings.h"
#include "store/em_uso.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;

const std::string kAna = "11144477735", kBia = "52998224725", kCid = "39053344705";

class RuralTest : public RuralFixture {
 protected:
  // The sibling's previous edition: Ana in every table, Bia in the register only, Cid in a
  // table only. The herd counts are opening, births, purchases, deaths, sales.
  void molAnterior() {
    fonte("mol909", camposMol09(0), {{kAna, "NOMECONTR=ANA"}, {kBia, "NOMECONTR=BIA"}});
    fonte("Mol109", camposMol09(1),
          {{kAna,
            "I5_08=1500.5;I5_09=320;I7_1B=10;I7_2B=5;I7_3B=3;I7_4B=2;I7_5B=6;I7_3S=4;I7_4S=1;I7_1C=7;I7_5C=7;"
            "I7_2A=1;I7_1V1=3;I7_2V1=1;I7_3V1=2;I7_5V1=2;I7_V1=OVELHAS"},
           // Counts of other animals without their name are not carried.
           {kAna, "ATV_EXTER=X;I5_08=10;I7_1V1=3"},
           {kCid, "I5_08=99"}});
    fonte(
        "MOL209", camposMol09(2),
        {{kAna, "ATV_EXTER=X;I2_01=ESTANCIA;I2_07=3"},
         {kAna, "*I2_01=APAGADA"},
         {kAna, "I2_01=FAZENDA BOA VISTA;I2_02=150.25;I2_03=MG;I2_04=50;I2_05=1;I2_06=INCRA 123;I2_07=12"}});
    // In key order the goods abroad come last, and the running number goes on over them.
    fonte("MOL309", camposMol09(3),
          {{kAna, "ATV_EXTER=X;I8_1=GALPAO;CODIGO=13"},
           {kAna, "I8_1=TRATOR;I8R_4=2;CODIGO=11"},
           {kAna, "I8_1=VENDIDO;I8_4=1;CODIGO=11"},
           {kAna, "I8_1=ARADO;I8_4=2;CODIGO=12"}});
    fonte("MOL409", camposMol09(4),
          {{kAna, "I9_1=BANCO X;I9_2=100;I9_3=50;I9_4=30"},
           {kAna, "I9_1=QUITADA;I9_2=100;I9_4=100"},
           {kAna, "I9_1=A MAIS;I9_2=10;I9_4=20"},
           {kAna, "I9_1=COOP;I9_3=5"}});
  }
};

// The previous edition's copy: last year's closing herd opens this year (births and purchases
// in, deaths and sales out; other animals only when named), deleted rows stay, goods sold are
// left out and the others numbered by tens across both sides, only debts with an open balance
// come along; a taxpayer the register lacks gets nothing even when the tables have his rows.
TEST_F(RuralTest, PreviousEditionCarriesEveryRuralTable) {
  molAnterior();
  auto fontes = converter::RuralAnterior::abre(ctx, origem.caminho());
  ASSERT_NE(fontes, nullptr) << ::testing::PrintToString(fala.ditos);
  for (const std::string& cpf : {kAna, kBia, kCid}) {
    TabelasCpf t(ctx, cpf);
    auto r = fontes->copia(cpf, t);
    ASSERT_TRUE(r) << r.status().message();
    EXPECT_EQ(*r, cpf != kCid) << cpf;
    EXPECT_EQ(t.mudadas().empty(), cpf != kAna) << cpf;
    ASSERT_TRUE(t.grava());
  }
  fontes.reset();
  for (int k = 1; k <= workareas::kFontesRurais.tamanho(); ++k)
    EXPECT_FALSE(ctx.areas.isOpen(workareas::kFontesRurais.area(k))) << k;

  confere("IMP1510", kAna, "S",
          {"I4R_04=1500.50;I5_10=320.00;I7_1B=10;I7_1S=3;I7_1C=0;I7_1A=1;I7_1V1=4;I7_V1=OVELHAS;SO_TOTAL=F"});
  confere("IMP1510", kAna, "N", {"I4R_04=10.00;I7_1V1=0;SO_TOTAL=F"});
  confere(
      "IMP1610", kAna, "S",
      {"I2R_01=FAZENDA BOA VISTA;I2R_02=150.25;I2R_03=MG;I2R_04=50.00;I2R_05=1;I2R_06=INCRA 123;I2R_07=12"});
  confere("IMP1610", kAna, "N", {"I2R_01=ESTANCIA;I2R_07=3"});
  confere(
      "IMP1710", kAna, "S",
      {"I8R_0=10;ITEM=1;I8R_1=TRATOR;I8R_2=0.00;I8R_4=2;CODIGO=11", "I8R_0=20;ITEM=2;I8R_1=ARADO;CODIGO=12"});
  confere("IMP1710", kAna, "N", {"I8R_0=30;ITEM=3;I8R_1=GALPAO;CODIGO=13"});
  confere("IMP1810", kAna, "S",
          {"I9R_0=10;ITEM=1;I9R_1=BANCO X;I9R_2=120.00", "I9R_0=20;ITEM=2;I9R_1=COOP;I9R_2=5.00"});
  confere("IMP1810", kAna, "N", {});
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
  auto fontes = converter::RuralAnterior::abre(ctx, origem.caminho());
  ASSERT_NE(fontes, nullptr);
  EXPECT_TRUE(converter::CONV_VESKAR(ctx, *fontes, kAna)) << ::testing::PrintToString(fala.ditos);
  const Linhas reg = tabela("IMP0910", kAna);
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg[0].at("TEMRURAL"), "S");
  EXPECT_EQ(reg[0].at("ATV_BRASIL"), "S");
  EXPECT_EQ(reg[0].at("NOMECONTR"), "ANA");
  EXPECT_EQ(tabela("IMP1710", kAna).size(), 3u);

  // A declaration open on another terminal would be saved over the rows: left as it is.
  ctx.NUSU = "07";
  store::PosseDeclaracao outro = store::tomaDeclaracao(ctx, ctx.LOCARQ, kBia);
  ctx.NUSU = "05";
  ASSERT_TRUE(outro.livre);
  EXPECT_FALSE(converter::CONV_VESKAR(ctx, *fontes, kBia));
  EXPECT_TRUE(fala.disse(std::string("Declaração em uso no terminal 07"_cp)));
  EXPECT_EQ(tabela("IMP0910", kBia).at(0).at("TEMRURAL"), "N");

  EXPECT_FALSE(converter::CONV_VESKAR(ctx, *fontes, kCid));
  EXPECT_TRUE(fala.disse("O CPF 390.533.447-05 nao foi encontrado na base de dados TAVREN"));
  EXPECT_TRUE(fala.disse("converta na pasta onde foi convertido esse CPF na opcao BRANTEL acima."));
  EXPECT_EQ(foto(kCid), "");
}

// The cash book: properties, the summary (months and herds as they are), the cash-book
// entries of the rural income sources with a year's amount (none: only the totals), goods and
// debts replacing the taxpayer's own, numbered from 0; without properties nothing is carried.
TEST_F(RuralTest, CashBookCarriesEveryRuralTable) {
  fonte("zuk15", camposZuk(15),
        {{kAna, "I2_01=SITIO;I2_02=80.5;I2_03=SP;I2_04=100;I2_05=2;I2_06=NIRF 9;I2_07=1"},
         {kBia, "I2_01=CHACARA"}});
  fonte("ZUK10", camposZuk(10),
        {{kAna,
          "I4_04=1000;I4_07=200;I5_09=30;I5_10=40;I3_01OR=100;I3_12OD=50;I7_1A=1;I7_2B=2;I7_3C=3;I7_4S=4;I7_"
          "5V1=5;"
          "I7_V1=CABRAS"},
         {kCid, "I4_04=9"}});
  fonte("ZUK2", camposZuk(2),
        {{kAna, "I1_1=R;I1_2=VENDA DE LEITE;I1_413=500;DT_LC=20090310;TIPOCR=R"},
         {kAna, "I1_1=R;I1_2=SEM VALOR"},
         {kAna, "I1_1=J;I1_2=SALARIO;I1_413=999"},
         {kBia, "I1_1=J;I1_413=5"}});
  fonte(
      "ZUK12", camposZuk(12),
      {{kAna, "I8_1=TRATOR;I8_2=5000;ITEM=1;CODIGO=11"}, {kAna, "I8_1=CASA SEDE;I8_2=9000;ITEM=2;CODIGO=1"}});
  fonte("ZUK13", camposZuk(13), {{kAna, "ITEM=1;I9_1=BANCO;I9_2=100;I9_3=50;I9_4=20"}});
  grava(kAna, 17, {"ATV_BRASIL=S;ITEM=9;I8R_1=VELHO"});
  grava(kAna, 18, {"ATV_BRASIL=S;ITEM=9;I9R_1=VELHA"});

  auto caixa = converter::RuralLivroCaixa::abre(ctx, origem.caminho());
  ASSERT_NE(caixa, nullptr) << ::testing::PrintToString(fala.ditos);
  for (const std::string& cpf : {kAna, kBia, kCid}) {
    TabelasCpf t(ctx, cpf);
    auto r = caixa->copia(cpf, t);
    ASSERT_TRUE(r) << r.status().message();
    EXPECT_EQ(*r, cpf != kCid) << cpf;
    ASSERT_TRUE(t.grava());
  }
  confere(
      "IMP1510", kAna, "S",
      {"I4R_04=1000.00;I4R_07=200.00;I5_09=30.00;I5_10=40.00;I3_01OR=100.00;I3_12OD=50.00;I7_1A=1;I7_2B=2;"
       "I7_3C=3;I7_4S=4;I7_5V1=5;I7_V1=CABRAS;SO_TOTAL=F"});
  confere("IMP1610", kAna, "S",
          {"I2R_01=SITIO;I2R_02=80.50;I2R_03=SP;I2R_04=100.00;I2R_05=2;I2R_06=NIRF 9;I2R_07=1"});
  confere("IMP1910", kAna, "S", {"DT_LC=20090310;DESCR=VENDA DE LEITE;VALOR=500.00;TIPOCR=R"});
  confere("IMP1710", kAna, "S",
          {"I8R_0=0;I8R_1=TRATOR;I8R_2=5000.00;ITEM=1;CODIGO=11",
           "I8R_0=10;I8R_1=CASA SEDE;I8R_2=9000.00;ITEM=2;CODIGO=1"});
  confere("IMP1810", kAna, "S", {"I9R_0=0;ITEM=1;I9R_1=BANCO;I9R_2=100.00;I9R_3=50.00;I9R_4=20.00"});
  // Without a summary row nor entries: an empty summary that keeps only totals.
  confere("IMP1510", kBia, "S", {"SO_TOTAL=T"});
  confere("IMP1610", kBia, "S", {"I2R_01=CHACARA"});
  confere("IMP1910", kBia, "S", {});
  EXPECT_EQ(foto(kCid), "");
}

// A source lacking a field a copy reads, or holding it with another type, is refused with
// the table and the field named, before anything is written; an unreadable register means no
// rural data; MOL309 without its sold mark carries every good.
TEST_F(RuralTest, ASourceLackingAFieldIsRefusedBeforeAnythingIsWritten) {
  registra(kAna, "ANA");
  auto mol = [this](int mudada, std::vector<rt::db::FieldDef> campos) {
    fonte("MOL909", camposMol09(0), {{kAna, ""}});
    for (int k = 1; k <= 4; ++k)
      fonte("MOL" + std::to_string(k) + "09", k == mudada ? campos : camposMol09(k), {{kAna, ""}});
  };
  auto zuk = [this](int mudada, std::vector<rt::db::FieldDef> campos) {
    for (int n : {15, 10, 2, 12, 13})
      fonte("ZUK" + std::to_string(n), n == mudada ? campos : camposZuk(n), {{kAna, ""}});
  };
  auto recon = [this](int mudada, std::vector<rt::db::FieldDef> campos) {
    fonte("MOL910", camposMol09(0), {{kAna, ""}});
    for (int k = 1; k <= 5; ++k)
      fonte("MOL" + std::to_string(k) + "10", k == mudada ? campos : camposMol09(2), {{kAna, ""}});
  };
  struct Caso {
    std::function<void()> monta;
    int qual;  // 1 previous edition, 2 cash book, 3 re-conversion
    std::string dito;
  } casos[] = {
      {[&] { mol(4, sem(camposMol09(4), "I9_3")); }, 1, "MOL409 da pasta de origem não tem o campo I9_3."},
      {[&] { mol(1, comTipo(camposMol09(1), "I7_V1", 'N')); }, 1,
       "MOL109 da pasta de origem tem o campo I7_V1 de outro tipo."},
      {[&] { mol(3, sem(camposMol09(3), "I8R_4")); }, 1, "MOL309 da pasta de origem não tem o campo I8R_4."},
      {[&] { zuk(10, sem(camposZuk(10), "I3_07OD")); }, 2,
       "ZUK10 da pasta de origem não tem o campo I3_07OD."},
      {[&] { zuk(2, comTipo(camposZuk(2), "DT_LC", 'C')); }, 2,
       "ZUK2 da pasta de origem tem o campo DT_LC de outro tipo."},
      {[&] { recon(3, sem(camposMol09(1), "ATV_EXTER")); }, 3,
       "MOL310 da pasta de origem não tem o campo ATV_EXTER."},
  };
  const std::string antes = foto(kAna);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.dito);
    c.monta();
    fala.ditos.clear();
    if (c.qual == 1) {
      EXPECT_FALSE(converter::RuralAnterior::abreConferida(ctx, origem.caminho()));
      EXPECT_EQ(converter::RuralAnterior::abre(ctx, origem.caminho()), nullptr);
    } else if (c.qual == 2) {
      EXPECT_FALSE(converter::RuralLivroCaixa::abreConferida(ctx, origem.caminho()));
    } else {
      converter::Conversor conv;
      conv.ARQORIG = origem.caminho();
      converter::reconverteRural(ctx, conv);
      EXPECT_FALSE(fala.disse("Re-conversao concluida"));
    }
    EXPECT_TRUE(fala.disse("A tabela " + rt::text::utf8ToCp860(c.dito)))
        << ::testing::PrintToString(fala.ditos);
    EXPECT_TRUE(fala.disse("Nenhum contribuinte foi convertido."));
    for (const workareas::Faixa f : {workareas::kFontesRurais, workareas::kCaixaRural})
      for (int k = 1; k <= f.tamanho(); ++k) EXPECT_FALSE(ctx.areas.isOpen(f.area(k))) << f.primeira + k - 1;
    EXPECT_EQ(foto(kAna), antes);
  }

  // A register that cannot be read: the opener's alert, and no rural data.
  { std::ofstream(origem / "MOL909.DBF", std::ios::binary | std::ios::trunc) << "nao e tabela"; }
  fala.ditos.clear();
  EXPECT_EQ(converter::RuralAnterior::abre(ctx, origem.caminho()), nullptr);
  EXPECT_TRUE(fala.disse("Problema ao abrir arquivo do KELSVOR")) << ::testing::PrintToString(fala.ditos);

  // Without the sold mark every good is carried.
  fonte("MOL909", camposMol09(0), {{kAna, ""}});
  fonte("MOL309", sem(camposMol09(3), "I8_4"), {{kAna, "I8_1=UM"}, {kAna, "I8_1=DOIS"}});
  auto fontes = converter::RuralAnterior::abre(ctx, origem.caminho());
  ASSERT_NE(fontes, nullptr) << ::testing::PrintToString(fala.ditos);
  TabelasCpf t(ctx, kAna);
  ASSERT_TRUE(fontes->copia(kAna, t));
  ASSERT_TRUE(t.grava());
  confere("IMP1710", kAna, "S", {"I8R_0=10;ITEM=1;I8R_1=UM", "I8R_0=20;ITEM=2;I8R_1=DOIS"});
}

// The re-conversion appends the sibling's current tables to what each taxpayer has, fields by
// name (those of tables 1 to 4 renamed, those of another type or unknown here left out), marks
// only the register rows of its own taxpayers, alerts a taxpayer this year's register lacks
// and writes nothing of his; run twice it doubles the rows, as its closing warning says.
TEST_F(RuralTest, ReconversionAppendsByNameAndASecondRunDoubles) {
  registra(kAna, "ANA");
  registra(kCid, "CID", "S");
  grava(kAna, 16, {"ATV_BRASIL=S;I2R_01=ANTIGA"});
  fonte("MOL910", camposMol09(0), {{kAna, ""}, {kAna, ""}, {kBia, ""}});
  // Each table's fields, the sibling's names beside this program's.
  auto campos = [](int n, const Nomes& nomes) { return camposFonte(n, nomes, true); };
  std::vector<rt::db::FieldDef> c1 =
      campos(15, junta({serie("I4R_", "I4_", 1, 7, true), iguais({"I5_08", "I7_1B", "SO_TOTAL"})}));
  c1.push_back({"XTRA", 'C', 5, 0, 0});
  c1.push_back({"I6_10", 'C', 10, 0, 0});
  fonte("mol110", c1,
        {{kAna,
          "I4_01=100;I4_02=200;I4_03=300;I4_04=400;I4_05=500;I4_06=600;I4_07=700;I5_08=8;I7_1B=12;SO_TOTAL=T;"
          "XTRA=XX;I6_10=9"}});
  fonte("MOL210", campos(16, junta({serie("I2R_", "I2_", 1, 7, true), iguais({"VALITR"})})),
        {{kAna, "I2_01=NOVA;I2_05=1;VALITR=33"}, {kAna, "ATV_EXTER=X;I2_01=FORA"}, {kBia, "I2_01=DELA"}});
  fonte("MOL310", campos(17, junta({serie("I8R_", "I8_", 0, 4, false), iguais({"ITEM", "CODIGO"})})),
        {{kAna, "ITEM=1;CODIGO=11;I8_0=10;I8_1=TRATOR;I8_2=100;I8_3=ABC;I8_4=1"}});
  fonte("MOL410", campos(18, junta({serie("I9R_", "I9_", 0, 5, false), iguais({"ITEM"})})),
        {{kAna, "ITEM=2;I9_0=20;I9_1=BANCO;I9_2=1;I9_3=2;I9_4=3;I9_5=4"}});
  fonte("MOL510", campos(19, iguais({"DT_LC", "DESCR", "VALOR", "TIPOCR", "NROIMO"})),
        {{kAna, "DT_LC=20100105;DESCR=BEZERROS;VALOR=750.3;TIPOCR=R;NROIMO=1"}});
  const std::string cid = foto(kCid);

  converter::Conversor conv;
  conv.ARQORIG = origem.caminho();
  converter::reconverteRural(ctx, conv);
  EXPECT_TRUE(fala.disse("CPF 529.982.247-25 nao encontrado nos dados do TAVREN."));
  ASSERT_GE(fala.ditos.size(), 2u);
  EXPECT_EQ(fala.ditos[fala.ditos.size() - 2], "Re-conversao concluida.");
  EXPECT_EQ(fala.ditos.back(), "Nao fazer novamente pois podera dobrar as informacoes");
  for (int k = 1; k <= workareas::kFontesRurais.tamanho(); ++k)
    EXPECT_FALSE(ctx.areas.isOpen(workareas::kFontesRurais.area(k))) << k;

  const Linhas reg = tabela("IMP0910", kAna);
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg[0].at("TEMRURAL"), "S");
  EXPECT_EQ(reg[0].at("ATV_BRASIL"), "S");
  // A taxpayer the source does not hold keeps his register row as it was.
  EXPECT_EQ(foto(kCid), cid);
  EXPECT_EQ(foto(kBia), "");

  confere(
      "IMP1510", kAna, "S",
      {"I4R_01=100.00;I4R_02=200.00;I4R_03=300.00;I4R_04=400.00;I4R_05=500.00;I4R_06=600.00;I4R_07=700.00;"
       "I5_08=8.00;I7_1B=12;SO_TOTAL=T"});
  confere("IMP1610", kAna, "S", {"I2R_01=ANTIGA", "I2R_01=NOVA;I2R_05=1;VALITR=33.00"});
  confere("IMP1610", kAna, "N", {"I2R_01=FORA"});
  confere("IMP1710", kAna, "S", {"ITEM=1;CODIGO=11;I8R_0=10;I8R_1=TRATOR;I8R_2=100.00;I8R_3=ABC;I8R_4=1"});
  confere("IMP1810", kAna, "S", {"ITEM=2;I9R_0=20;I9R_1=BANCO;I9R_2=1.00;I9R_3=2.00;I9R_4=3.00;I9R_5=4.00"});
  confere("IMP1910", kAna, "S", {"DT_LC=20100105;DESCR=BEZERROS;VALOR=750.30;TIPOCR=R;NROIMO=1"});

  // Once more: every row the source brought is there twice; the register is as it was.
  converter::reconverteRural(ctx, conv);
  for (const auto& [nome, linhas] : std::vector<std::pair<const char*, std::size_t>>{
           {"IMP1510", 2}, {"IMP1610", 5}, {"IMP1710", 2}, {"IMP1810", 2}, {"IMP1910", 2}})
    EXPECT_EQ(tabela(nome, kAna).size(), linhas) << nome;
  EXPECT_EQ(tabela("IMP0910", kAna), reg);
  EXPECT_EQ(foto(kCid), cid);
}

}  // namespace
}  // namespace converter::teste
