// Opening tables by number: creation of every table of the catalogue in empty folders, their
// structures and sizes on disk, index files built (and the table packed when its first index
// is missing), shipped tables filled from their seed once, foreign tables left untouched, the
// check pass and the closing helpers.
#include "store/abertura.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>

#include "rt/db/transfer.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/cria.h"
#include "store/fornecidas.h"
#include "store/recusa.h"
#include "store/semente.h"
#include "store/travas.h"
#include "store_fixture.h"

namespace store {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace fs = std::filesystem;

class AberturaTest : public ::testing::Test, protected teste::StoreFixture {
 protected:
  // Header length and record length as the file's first bytes hold them.
  static std::pair<int, int> tamanhos(const std::string& dbf) {
    std::ifstream in(dbf, std::ios::binary);
    unsigned char h[12] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    return {h[8] | h[9] << 8, h[10] | h[11] << 8};
  }
  std::string pastaLinux(const TabelaDef& t) {
    return t.pasta == Pasta::Dados ? dados.caminho() : t.pasta == Pasta::Trabalho ? trabalho.caminho()
                                                                                 : programa.caminho();
  }
  void acrescenta(rt::db::Table& t, std::string_view cpf, bool apaga = false) {
    ASSERT_TRUE(t.appendBlank());
    ASSERT_TRUE(t.put("CPF", std::string(cpf)));
    if (apaga) {
      ASSERT_TRUE(t.markDeleted());
    }
    ASSERT_TRUE(t.commit());
  }
};

TEST_F(AberturaTest, EveryTableIsCreatedInEmptyFoldersWithItsStructureAndIndexesAndReopens) {
  for (const TabelaDef& t : catalogo()) {
    if (t.alternativa) continue;
    SCOPED_TRACE(t.arquivo);
    ASSERT_TRUE(ABERTURA(ctx, t.numero));
    rt::db::Table* tb = area(t.numero);
    ASSERT_NE(tb, nullptr);
    EXPECT_EQ(ctx.areas.current(), t.numero);
    // The file has the upper-case name in its folder.
    const std::string dbf = pastaLinux(t) + "/" + nomeArquivo(t, "00") + ".DBF";
    EXPECT_TRUE(fs::exists(dbf));
    EXPECT_EQ(tb->path(), dbf);
    // Field by field as the catalogue has it.
    ASSERT_EQ(tb->fieldCount(), static_cast<int>(t.campos.size()));
    for (std::size_t i = 0; i < t.campos.size(); ++i) {
      const auto& f = tb->fields()[i];
      EXPECT_EQ(f.name, rt::text::upper(t.campos[i].nome));
      EXPECT_EQ(f.type, t.campos[i].tipo) << f.name;
      EXPECT_EQ(f.width, t.campos[i].largura) << f.name;
      EXPECT_EQ(f.decimals, t.campos[i].decimais) << f.name;
    }
    // Sizes on disk: the billing reads them.
    auto [cabecalho, registro] = tamanhos(dbf);
    EXPECT_EQ(cabecalho, tamanhoCabecalho(t.campos));
    EXPECT_EQ(registro, tamanhoRegistro(t.campos));
    EXPECT_EQ(cabecalho, 32 + 32 * static_cast<int>(t.campos.size()) + 1);
    // One index file per catalogue key, upper case, in the table's folder, in order.
    ASSERT_EQ(tb->orderCount(), static_cast<int>(t.indices.size()));
    for (std::size_t i = 0; i < t.indices.size(); ++i) {
      EXPECT_TRUE(fs::exists(pastaLinux(t) + "/" + nomeIndice(t, t.indices[i], "00") + ".CDX"));
      EXPECT_TRUE(platform::equalsIgnoreCase(tb->orderExpression(static_cast<int>(i) + 1), t.indices[i].chave));
    }
    EXPECT_EQ(tb->order(), t.indices.empty() ? 0 : 1);
    EXPECT_EQ(tb->isExclusive(), t.modo == ModoAbertura::Exclusivo);
    if (t.numero == Area::HELPTXT) {
      EXPECT_TRUE(fs::exists(programa / "HELPTXT.DBT"));
    }
  }
  // Nothing but the tables, their indexes and the help memo file; no scratch left behind.
  for (const std::string& nome : programa.arquivos()) EXPECT_EQ(nome.find("CRIA"), std::string::npos) << nome;

  // Reopened from what is there, nothing created or rebuilt.
  ASSERT_TRUE(ctx.areas.closeAll());
  const auto antes = fs::last_write_time(dados / "IMP0910B.CDX");
  for (const TabelaDef& t : catalogo()) {
    if (t.alternativa) continue;
    SCOPED_TRACE(t.arquivo);
    ASSERT_TRUE(ABERTURA(ctx, t.numero));
    EXPECT_EQ(area(t.numero)->orderCount(), static_cast<int>(t.indices.size()));
  }
  EXPECT_EQ(fs::last_write_time(dados / "IMP0910B.CDX"), antes);
}

TEST_F(AberturaTest, SecondHelpTableOpensByNameWithItsOwnStructureAndIndex) {
  ASSERT_TRUE(ABREARQ(ctx, store::Area::HELPTXT, false, ctx.ARQDEF + "HELPATXT", "UPPER(NOME)"));
  rt::db::Table* t = area(store::Area::HELPTXT);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->alias(), "HELPATXT");
  EXPECT_TRUE(fs::exists(programa / "HELPATXT.DBF"));
  EXPECT_TRUE(fs::exists(programa / "HELPATXT.DBT"));
  EXPECT_TRUE(fs::exists(programa / "HELPATXT.CDX"));
  EXPECT_EQ(t->fieldCount(), 2);
  EXPECT_EQ(ctx.NOMARQ, "");  // ABREARQ leaves the opener's names alone
}

TEST_F(AberturaTest, DeclarationTablesGoToTheDataFolderAndProgramTablesToTheProgramFolder) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  EXPECT_EQ(ctx.NOMARQ, ctx.LOCARQ + "IMP0910");
  EXPECT_EQ(ctx.NOMARQ1, ctx.LOCARQ + "IMP0910B");
  EXPECT_EQ(ctx.NOMARQ2, ctx.LOCARQ + "IMP0910C");
  ASSERT_TRUE(ABERTURA(ctx, store::Area::CONFIG));
  EXPECT_EQ(ctx.NOMARQ, ctx.ARQDEF + "CONFIG");
  EXPECT_TRUE(fs::exists(dados / "IMP0910.DBF"));
  EXPECT_FALSE(fs::exists(programa / "IMP0910.DBF"));
  EXPECT_TRUE(fs::exists(programa / "CONFIG.DBF"));
}

TEST_F(AberturaTest, FoldersKeepTheirStoredFormAndGainTheirSeparator) {
  ctx.definePastaPrograma("C:\\TAVREN\\");
  EXPECT_EQ(ctx.ROTADEF, "C:\\TAVREN");
  EXPECT_EQ(ctx.ARQDEF, "C:\\TAVREN\\");
  ctx.definePastaDados("  C:\\DADOS\\2010  ");
  EXPECT_EQ(ctx.ROTADOANO, "C:\\DADOS\\2010");
  EXPECT_EQ(ctx.LOCARQ, "C:\\DADOS\\2010\\");
  ctx.definePastaTrabalho("/home/ana/trab");
  EXPECT_EQ(ctx.DIRTRAB, "/home/ana/trab");
  EXPECT_EQ(ctx.LOCTRAB, "/home/ana/trab/");
}

TEST_F(AberturaTest, AFolderStoredInTheOldFormIsFoundThroughTheDriveMapInAnyCase) {
  fs::create_directories(dados / "ano2010");
  ctx.unidades.setDrive('X', dados.caminho());
  ctx.definePastaDados("X:\\ANO2010");
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  EXPECT_EQ(ctx.NOMARQ, "X:\\ANO2010\\IMP0910");
  EXPECT_TRUE(fs::exists(dados / "ano2010/IMP0910.DBF"));
  EXPECT_TRUE(fs::exists(dados / "ano2010/IMP0910B.CDX"));
}

TEST_F(AberturaTest, PerTerminalTablesCarryTheTerminalNumber) {
  ctx.NUSU = "07";
  ASSERT_TRUE(ABERTURA(ctx, store::Area::DIRET));
  ASSERT_TRUE(ABERTURA(ctx, store::Area::DETALH));
  EXPECT_TRUE(fs::exists(programa / "DIRET07.DBF"));
  EXPECT_TRUE(fs::exists(programa / "DIRET07.CDX"));
  EXPECT_TRUE(fs::exists(programa / "DETALH07.DBF"));
  EXPECT_EQ(area(store::Area::DIRET)->alias(), "DIRET07");
}

TEST_F(AberturaTest, ModesFollowTheCatalogueAndTheCaller) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0110));
  EXPECT_FALSE(area(store::Area::IMP0110)->isExclusive());
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0110, true));
  EXPECT_TRUE(area(store::Area::IMP0110)->isExclusive());
  ASSERT_TRUE(ABERTURA(ctx, store::Area::CONFIG, true));  // settings are always shared
  EXPECT_FALSE(area(store::Area::CONFIG)->isExclusive());
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMPCORRIG));  // always exclusive
  EXPECT_TRUE(area(store::Area::IMPCORRIG)->isExclusive());
  ASSERT_TRUE(ABERTURA(ctx, store::Area::BOLETO));
  EXPECT_FALSE(area(store::Area::BOLETO)->isExclusive());
  ASSERT_TRUE(ABERTURA(ctx, store::Area::BOLETO, true));
  EXPECT_TRUE(area(store::Area::BOLETO)->isExclusive());
}

TEST_F(AberturaTest, NumbersWithoutATableOpenNothing) {
  for (Area n : {Area::TMP_01, Area::TMP_10, Area::TMP_19, Area::Rascunho}) {
    EXPECT_TRUE(ABERTURA(ctx, n));
    EXPECT_EQ(area(n), nullptr);
  }
  EXPECT_TRUE(programa.arquivos().empty());
}

TEST_F(AberturaTest, DefineIsCreatedWithItsOneSeededRecord) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::DEFINE));
  rt::db::Table* t = area(store::Area::DEFINE);
  ASSERT_EQ(t->recordCount(), 1u);
  t->goTop();
  ASSERT_TRUE(t->status());
  EXPECT_EQ(t->getDate("VCTO1"), rt::text::Date::fromYmd(2010, 4, 30));
  EXPECT_EQ(t->getDate("VCTO7"), rt::text::Date::fromYmd(2010, 10, 29));
  EXPECT_EQ(t->getDate("VCTO8"), rt::text::Date::fromYmd(2010, 11, 30));
  EXPECT_EQ(t->getNumber("VAL_SEG"), *Decimal::parse("1.6"));
  EXPECT_EQ(t->getNumber("VAL_MIN"), Decimal(60));
  EXPECT_EQ(t->getNumber("TEMP_SAL"), Decimal(15));
  EXPECT_EQ(t->getNumber("VAL_DOLAR"), *Decimal::parse("1.7404"));
  EXPECT_EQ(t->getNumber("BOL_NOSNRO"), Decimal(0));
  EXPECT_EQ(t->getText("SER_SMTP"), rt::text::space(47));
  EXPECT_EQ(t->getText("VER_ATUAL"), " ");
}

TEST_F(AberturaTest, ShippedTablesAreFilledFromTheirSeedOnlyWhenFirstCreated) {
  const TabelaDef* codbens = tabela(store::Area::CODBENS);
  const Semente semente = leArquivoSemente(*codbens, arquivoSemente(ctx.PASTA_SEMENTE, *codbens));
  ASSERT_TRUE(semente.ok());
  ASSERT_GT(semente.linhas.size(), 10u);
  ASSERT_TRUE(ABERTURA(ctx, store::Area::CODBENS));
  rt::db::Table* t = area(store::Area::CODBENS);
  EXPECT_EQ(t->recordCount(), semente.linhas.size());
  // In key order, each code found with its text.
  for (const LinhaSemente& l : semente.linhas) {
    std::string codigo, texto;
    for (const ValorSemente& v : l.valores) {
      if (v.campo == "CODBEM") codigo = v.valor;
      if (v.campo == "DESCBENS") texto = v.valor;
    }
    ASSERT_TRUE(t->seek(Decimal::val(codigo)));
    ASSERT_TRUE(t->found()) << codigo;
    EXPECT_EQ(rt::text::trim(t->getText("DESCBENS")), texto);
  }
  // The office deletes a row: the seed does not come back.
  t->goTop();
  ASSERT_TRUE(t->status());
  ASSERT_TRUE(REC_LOCK(ctx));
  ASSERT_TRUE(t->markDeleted());
  ASSERT_TRUE(t->commit());
  ASSERT_TRUE(ctx.areas.closeAll());
  ASSERT_TRUE(ABERTURA(ctx, store::Area::CODBENS));
  EXPECT_EQ(area(store::Area::CODBENS)->recordCount(), semente.linhas.size());
  int vivos = 0;
  for (area(store::Area::CODBENS)->goTop(); !area(store::Area::CODBENS)->eof(); area(store::Area::CODBENS)->skip()) ++vivos;
  EXPECT_EQ(vivos, static_cast<int>(semente.linhas.size()) - 1);
}

TEST_F(AberturaTest, ShippedTablesTakeTheBuiltInSeedUnlessASeedFolderIsGiven) {
  const TabelaDef* paises = tabela(store::Area::TABPAIS);
  const Semente semente = leArquivoSemente(*paises, arquivoSemente(TAVREN_SEED_DIR, *paises));
  ASSERT_FALSE(semente.linhas.empty());
  ctx.PASTA_SEMENTE.clear();
  ASSERT_TRUE(ABERTURA(ctx, store::Area::TABPAIS));
  EXPECT_EQ(area(store::Area::TABPAIS)->recordCount(), semente.linhas.size());
  // A seed folder without the table's file gives an empty table.
  ASSERT_TRUE(ctx.areas.closeAll());
  fs::remove(programa / "TABPAIS.DBF");
  ctx.PASTA_SEMENTE = trabalho.caminho();
  ASSERT_TRUE(ABERTURA(ctx, store::Area::TABPAIS));
  EXPECT_EQ(area(store::Area::TABPAIS)->recordCount(), 0u);
}

TEST(PastaSemente, TheEnvironmentNamesAFolderThatReplacesTheBuiltInSeed) {
  const std::string semente = TAVREN_SEED_DIR;
  EXPECT_EQ(pastaSementePadrao([&semente](const char* n) {
              return std::string_view(n) == "TAVREN_SEED_DIR" ? semente.c_str() : nullptr;
            }),
            fs::path(semente));
  EXPECT_EQ(pastaSementePadrao([](const char* n) {
              return std::string_view(n) == "TAVREN_SEED_DIR" ? "/nonexistent/seed" : nullptr;
            }),
            fs::path());
}

TEST_F(AberturaTest, CreationShowsTheTableMessageAndClosesItsWindow) {
  ASSERT_TRUE(CRIA(ctx, store::Area::IMP0110, ctx.LOCARQ + "IMP0110"));
  const console::Janela* j = ctx.janelas.find(console::Jan::kMensagem);
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(j->ultimoTexto, "Criando banco dos rendimentos (IMP01.DBF)");
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kMensagem));
  ASSERT_TRUE(CRIA(ctx, store::Area::DIRET, ctx.ARQDEF + "DIRET00"));
  EXPECT_EQ(ctx.janelas.find(console::Jan::kMensagem)->ultimoTexto, "Criando o banco dos Diretórios (DIRETOR.DBF)"_cp);
}

TEST_F(AberturaTest, WithMessagesOnTheOpenerTellsWhatItBuildsAndTheEndOfTheOpenClosesIt) {
  ctx.MOS_MENS = true;
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0310));
  ASSERT_TRUE(ctx.janelas.isOpen(console::Jan::kMensagem));
  EXPECT_EQ(ctx.janelas.find(console::Jan::kMensagem)->ultimoTexto, "Criando o indice " + ctx.LOCARQ + "IMP0310.cdx");
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  EXPECT_EQ(ctx.janelas.find(console::Jan::kMensagem)->ultimoTexto, "Criando o indice " + ctx.LOCARQ + "IMP0910C.cdx");
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0110));
  EXPECT_TRUE(SAI_ABRE(ctx, store::Area::IMP0110));
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kMensagem));
  ctx.MOS_MENS = false;
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0210));
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kMensagem));
}

TEST_F(AberturaTest, WorkingCopiesGetTheStructureOfTheTableTwentyBelow) {
  for (Area copia : kCopias) {
    const int n = numero(copia);
    SCOPED_TRACE(n);
    const std::string nome = "TMP_" + std::string(n - 20 < 10 ? "0" : "") + std::to_string(n - 20) + "00";
    ASSERT_TRUE(CRIA(ctx, copia, ctx.LOCTRAB + nome));
    auto t = teste::abre(trabalho / (nome + ".DBF"));
    ASSERT_NE(t, nullptr);
    const TabelaDef* fonte = tabela(origem(copia));
    ASSERT_EQ(t->fieldCount(), static_cast<int>(fonte->campos.size()));
    for (std::size_t i = 0; i < fonte->campos.size(); ++i)
      EXPECT_EQ(t->fields()[i].name, rt::text::upper(fonte->campos[i].nome));
    EXPECT_EQ(t->recordSize(), static_cast<std::uint32_t>(tamanhoRegistro(fonte->campos)));
  }
  ASSERT_TRUE(CRIA(ctx, store::Area::IMP2010, ctx.LOCARQ + "IMP2010"));
  EXPECT_EQ(teste::abre(dados / "IMP2010.DBF")->recordSize(), static_cast<std::uint32_t>(tamanhoRegistro(tabela(store::Area::IMP1910)->campos)));
}

TEST_F(AberturaTest, NumberWithoutAStructureIsReportedAndNotCreated) {
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(CRIA(ctx, store::Area::Rascunho, ctx.ARQDEF + "TMP"));
  EXPECT_TRUE(term.contains(std::string("Arquivo ") + ctx.ARQDEF + "TMP" + std::string(" não localizado!"_cp)));
  EXPECT_FALSE(fs::exists(programa / "TMP.DBF"));
}

TEST_F(AberturaTest, AMissingFirstIndexPacksTheTableBeforeItIsBuilt) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0310));
  rt::db::Table* t = area(store::Area::IMP0310);
  acrescenta(*t, "33333333333");
  acrescenta(*t, "11111111111", true);
  acrescenta(*t, "22222222222");
  ASSERT_TRUE(ctx.areas.closeAll());
  // With its index there the deleted row stays in the file.
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0310));
  EXPECT_EQ(area(store::Area::IMP0310)->recordCount(), 3u);
  ASSERT_TRUE(ctx.areas.closeAll());
  fs::remove(dados / "IMP0310.CDX");
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0310));
  t = area(store::Area::IMP0310);
  EXPECT_EQ(t->recordCount(), 2u);
  EXPECT_FALSE(t->isExclusive());
  t->goTop();
  ASSERT_TRUE(t->status());
  EXPECT_EQ(t->getText("CPF"), "22222222222");
  EXPECT_TRUE(t->checkOrder(1));
}

TEST_F(AberturaTest, RegisterGetsItsThreeIndexesAndAMissingSecondOneIsBuiltWithoutPacking) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  for (const char* f : {"IMP0910.CDX", "IMP0910B.CDX", "IMP0910C.CDX"}) EXPECT_TRUE(fs::exists(dados / f)) << f;
  rt::db::Table* t = area(store::Area::IMP0910);
  acrescenta(*t, "11111111111");
  ASSERT_TRUE(REC_LOCK(ctx));
  ASSERT_TRUE(t->put("NOMECONTR", std::string("zeca")));
  ASSERT_TRUE(t->commit());
  acrescenta(*t, "22222222222", true);
  ASSERT_TRUE(ctx.areas.closeAll());
  fs::remove(dados / "IMP0910B.CDX");
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  t = area(store::Area::IMP0910);
  EXPECT_TRUE(fs::exists(dados / "IMP0910B.CDX"));
  EXPECT_EQ(t->recordCount(), 2u);
  ASSERT_TRUE(t->useOrder(2));
  ASSERT_TRUE(t->seek("ZECA"));
  EXPECT_TRUE(t->found());
  EXPECT_TRUE(t->checkOrder(2));
}

TEST_F(AberturaTest, AnIndexFileOnAnotherKeyIsRebuiltOnTheCatalogueKey) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0710, true));
  acrescenta(*area(store::Area::IMP0710), "22222222222");
  acrescenta(*area(store::Area::IMP0710), "11111111111");
  // Another program built the file under the same name on its own key.
  area(store::Area::IMP0710)->closeIndexes();
  fs::remove(dados / "IMP0710.CDX");
  ASSERT_TRUE(area(store::Area::IMP0710)->openIndex(dados / "IMP0710.CDX", "CPF+STRZERO(BEM_NRO,2)"));
  ASSERT_TRUE(ctx.areas.closeAll());
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0710));
  EXPECT_EQ(area(store::Area::IMP0710)->orderExpression(1), "CPF");
  ASSERT_TRUE(area(store::Area::IMP0710)->seek("11111111111"));
  EXPECT_TRUE(area(store::Area::IMP0710)->found());
  EXPECT_EQ(area(store::Area::IMP0710)->recordCount(), 2u);
}

TEST_F(AberturaTest, ExistingFilesAreFoundInAnyCase) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0310));
  acrescenta(*area(store::Area::IMP0310), "11111111111");
  ASSERT_TRUE(ctx.areas.closeAll());
  fs::rename(dados / "IMP0310.DBF", dados / "imp0310.dbf");
  fs::rename(dados / "IMP0310.CDX", dados / "Imp0310.cdx");
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0310));
  EXPECT_EQ(area(store::Area::IMP0310)->recordCount(), 1u);
  EXPECT_FALSE(fs::exists(dados / "IMP0310.DBF"));
  EXPECT_FALSE(fs::exists(dados / "IMP0310.CDX"));
}

TEST_F(AberturaTest, NetuseReopensWhenTheModeDiffersAndKeepsTheSameOpenOtherwise) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0110));
  rt::db::Table* antes = area(store::Area::IMP0110);
  EXPECT_TRUE(NETUSE(ctx, ctx.LOCARQ + "IMP0110", false, 1));
  EXPECT_EQ(area(store::Area::IMP0110), antes);
  EXPECT_TRUE(NETUSE(ctx, ctx.LOCARQ + "IMP0110", true, 1));
  ASSERT_NE(area(store::Area::IMP0110), nullptr);
  EXPECT_TRUE(area(store::Area::IMP0110)->isExclusive());
  EXPECT_EQ(area(store::Area::IMP0110)->alias(), "IMP0110");
  EXPECT_EQ(espera.vezes(), 0);
}

TEST_F(AberturaTest, NetuseUnderAnAliasOpensTheSameFileTwice) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  ctx.areas.select(store::Area::IMP1910);
  ctx.APELIDO = "ORIGEM";
  EXPECT_TRUE(NETUSE(ctx, ctx.LOCARQ + "IMP0910", false, 1));
  ctx.APELIDO.clear();
  EXPECT_EQ(area(store::Area::IMP1910)->alias(), "ORIGEM");
  // The alias of another area is not waited for.
  ctx.areas.select(store::Area::IMP1810);
  EXPECT_FALSE(NETUSE(ctx, ctx.LOCARQ + "IMP0910", false, 10));
  EXPECT_EQ(espera.vezes(), 0);
}

TEST_F(AberturaTest, ForeignTablesAreReadOnlyNeverPackedAndIndexedInTheWorkFolder) {
  teste::Pasta ano;
  std::vector<rt::db::FieldDef> campos{{"CPF", 'C', 11, 0, 0}, {"NOMECONTR", 'C', 53, 0, 0}, {"ATV_EXTER", 'C', 1, 0, 0}};
  ASSERT_TRUE(rt::db::Table::create(ano / "IMP0909", campos));
  {
    auto t = teste::abre(ano / "IMP0909.DBF", true);
    for (auto [cpf, nome, apaga] : {std::tuple{"22222222222", "bia", false}, std::tuple{"11111111111", "ana", true},
                                    std::tuple{"33333333333", "caio", false}}) {
      ASSERT_TRUE(t->appendBlank());
      ASSERT_TRUE(t->put("CPF", std::string(cpf)));
      ASSERT_TRUE(t->put("NOMECONTR", std::string(nome)));
      if (apaga) {
      ASSERT_TRUE(t->markDeleted());
    }
    }
    ASSERT_TRUE(t->commit());
  }
  const auto antes = ano.arquivos();
  const auto data = fs::last_write_time(ano / "IMP0909.DBF");
  ctx.APELIDO = "origem";
  const std::vector<std::string> chaves{"CPF", "UPPER(NOMECONTR)"};
  ASSERT_TRUE(ABRE_ALHEIA(ctx, store::Area::IMP1910, ano.caminho() + "/imp0909", chaves));
  ctx.APELIDO.clear();
  rt::db::Table* t = area(store::Area::IMP1910);
  EXPECT_TRUE(t->isReadOnly());
  EXPECT_EQ(t->alias(), "ORIGEM");
  EXPECT_EQ(t->recordCount(), 3u);
  EXPECT_EQ(t->orderCount(), 2);
  t->goTop();
  ASSERT_TRUE(t->status());
  EXPECT_EQ(t->getText("CPF"), "22222222222");
  ASSERT_TRUE(t->useOrder(2));
  ASSERT_TRUE(t->seek("CAIO"));
  EXPECT_TRUE(t->found());
  EXPECT_EQ(t->put("NOMECONTR", std::string("x")).code(), rt::Error::kReadOnly);
  EXPECT_EQ(ano.arquivos(), antes);
  EXPECT_EQ(fs::last_write_time(ano / "IMP0909.DBF"), data);
  EXPECT_TRUE(fs::exists(trabalho / "ALH1900A.CDX"));
  EXPECT_TRUE(fs::exists(trabalho / "ALH1900B.CDX"));
}

TEST_F(AberturaTest, AMissingForeignTableIsReportedNotCreated) {
  teste::Pasta ano;
  term.press(rt::term::key::Enter);
  const std::vector<std::string> chaves{"CPF"};
  EXPECT_FALSE(ABRE_ALHEIA(ctx, store::Area::IMP1910, ano.caminho() + "/IMP0909", chaves));
  EXPECT_TRUE(ano.arquivos().empty());
  EXPECT_TRUE(term.contains(ano.caminho() + std::string("/IMP0909.DBF não está disponivel "_cp)));
}

TEST_F(AberturaTest, CheckPassCreatesTheProgramTablesAndLeavesOnlyTheFolderRegisterOpen) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::Nenhuma));
  ASSERT_EQ(ctx.areas.abertas().size(), 1u);
  EXPECT_TRUE(ctx.areas.isOpen(Area::DIRET));
  EXPECT_EQ(ctx.areas.current(), store::Area::DIRET);
  for (const char* f : {"PRINTS.DBF", "CODBENS.DBF", "CODEPEN.DBF", "CODDIVI.DBF", "DESPESA.DBF", "UFIRM.DBF",
                        "AUXBENS.DBF", "AUXPAG.DBF", "LISERRO.DBF", "LISERRO.CDX", "OCUPACAO.DBF", "OCUPACAB.CDX",
                        "STATUS.DBF", "DIRET00.DBF"})
    EXPECT_TRUE(fs::exists(programa / f)) << f;
  // The help texts only when they came with the installation.
  EXPECT_FALSE(fs::exists(programa / "HELPTXT.DBF"));
  rt::db::Table* t = area(store::Area::DIRET);
  ASSERT_EQ(t->recordCount(), 1u);
  t->goTop();
  ASSERT_TRUE(t->status());
  EXPECT_EQ(rt::text::trim(t->getText("DIRETOR")), ctx.ROTADEF);
  EXPECT_EQ(t->getText("SELEC"), "S");
  EXPECT_TRUE(ctx.areas.deletedHidden());
  // Again: still one row.
  ASSERT_TRUE(ABERTURA(ctx, store::Area::Nenhuma));
  EXPECT_EQ(area(store::Area::DIRET)->recordCount(), 1u);
}

TEST_F(AberturaTest, CheckPassOpensTheHelpTextsWhenBothFilesAreThere) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::HELPTXT));
  ASSERT_TRUE(ctx.areas.closeAll());
  fs::remove(programa / "HELPTXT.CDX");
  ASSERT_TRUE(ABERTURA(ctx, store::Area::Nenhuma));
  EXPECT_TRUE(fs::exists(programa / "HELPTXT.CDX"));
  fs::remove(programa / "HELPTXT.CDX");
  fs::remove(programa / "HELPTXT.DBT");
  ASSERT_TRUE(ABERTURA(ctx, store::Area::Nenhuma));
  EXPECT_FALSE(fs::exists(programa / "HELPTXT.CDX"));
}

TEST_F(AberturaTest, CheckPassGoesOnPastATableItCannotOpen) {
  // A damaged table of the program folder.
  { std::ofstream(programa / "CODEPEN.DBF") << "not a table"; }
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(ABERTURA(ctx, store::Area::Nenhuma));
  EXPECT_TRUE(term.contains(ctx.ARQDEF + std::string("CODEPEN.DBF não está disponivel "_cp)));
  EXPECT_TRUE(fs::exists(programa / "OCUPACAO.DBF"));  // opened after it
  EXPECT_TRUE(ctx.areas.isOpen(store::Area::DIRET));
}

// A table that cannot be opened is said once, by the opener: its status comes back told, and
// passed through the store's refusal check it is not said again (each alert takes one key);
// a refusal not said yet is said there and comes back told.
TEST_F(AberturaTest, AFailedOpenIsToldOnceAndPassesUpUnsaid) {
  { std::ofstream(programa / "CODEPEN.DBF") << "not a table"; }
  term.press(rt::term::key::Enter).press(rt::term::key::Enter).press(rt::term::key::Enter);
  const rt::Status aberta = ABERTURA(ctx, Area::CODEPEN);
  EXPECT_FALSE(aberta);
  EXPECT_TRUE(aberta.told());
  EXPECT_EQ(term.pending(), 2u);
  const rt::Status passada = gravou(ctx, aberta, "CODEPEN");
  EXPECT_TRUE(passada.told());
  EXPECT_EQ(passada.message(), aberta.message());
  EXPECT_EQ(term.pending(), 2u);
  const rt::Status recusa = gravou(ctx, rt::Status(rt::Error::kNoSpace, "CODEPEN.DBF"), "CODEPEN");
  EXPECT_TRUE(recusa.told());
  EXPECT_EQ(term.pending(), 1u);
  EXPECT_FALSE(gravou(ctx, rt::Status(), "CODEPEN").told());
  EXPECT_EQ(term.pending(), 1u);
}

TEST_F(AberturaTest, ClosingHelpersCloseTheWorkingCopiesAndTheDeclarationTablesButNotTheRegister) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0110));
  ASSERT_TRUE(ABERTURA(ctx, store::Area::CONFIG));
  ASSERT_TRUE(CRIA(ctx, store::Area::TMP_01, ctx.LOCTRAB + "TMP_0100"));
  ASSERT_TRUE(ctx.areas.open(store::Area::TMP_01, trabalho / "TMP_0100.DBF"));
  FECHA_PROV(ctx);
  EXPECT_FALSE(ctx.areas.isOpen(store::Area::TMP_01));
  EXPECT_TRUE(ctx.areas.isOpen(store::Area::IMP0110));
  FECHA_TODO(ctx);
  EXPECT_FALSE(ctx.areas.isOpen(store::Area::IMP0110));
  EXPECT_TRUE(ctx.areas.isOpen(store::Area::IMP0910));
  EXPECT_TRUE(ctx.areas.isOpen(store::Area::CONFIG));
}

}  // namespace
}  // namespace store
