// Backup and restore of a data folder through IMPZIP10.ICE: the round trip, archives that try
// to write outside their place or carry other files, a truncated archive, a table in use.
#include "store/backup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "declaracao_fixture.h"
#include "platform/archive.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/pastas_dados.h"
#include "rt/term/keys.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

namespace fs = std::filesystem;
const std::string kA = "11111111111", kB = "22222222222";

class BackupTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA, kB}, 2);
    // The terminal's settings record, where ULTBACK is kept.
    configDoTerminal("03");
    (void)ctx.areas.closeAll();
  }
  // Every declaration table of the data folder, by name, as bytes.
  std::map<std::string, std::string> tabelas() {
    std::map<std::string, std::string> m;
    for (const std::string& n : dados.arquivos())
      if (n.size() == 11 && n.starts_with("IMP") && n.ends_with("10.DBF")) m[n] = leArquivo(dados / n);
    return m;
  }
  std::string ultback() { return std::string(rt::text::alltrim(leConfig(ctx, "ULTBACK"))); }
  Pasta copias;
};

TEST_F(BackupTest, RoundTripGivesTheSameTablesWithRebuiltIndexes) {
  // A stale archive in the work folder must not pass for a new one.
  escreveArquivo(trabalho / "IMPZIP10.ICE", "velho");
  const auto antes = tabelas();
  ASSERT_FALSE(antes.empty());
  ASSERT_TRUE(BKMANUAL(ctx, 2, copias.caminho(), dados.caminho()));
  EXPECT_FALSE(fs::exists(trabalho / "IMPZIP10.ICE"));
  ASSERT_TRUE(fs::exists(copias / "IMPZIP10.ICE"));
  EXPECT_TRUE(platform::verifyArchive(copias / "IMPZIP10.ICE"));
  EXPECT_EQ(ultback(), "20100430");

  // The folder changes afterwards: one table lost, another one rewritten, indexes gone.
  fs::remove(dados / "IMP0210.DBF");
  escreveArquivo(dados / "IMP0410.DBF", "estragado");
  for (const std::string& n : dados.arquivos())
    if (n.ends_with(".CDX")) fs::remove(dados / n);

  term.press('S');  // "Recupera os dados em"
  ASSERT_TRUE(VOMANUAL(ctx, 2, dados.caminho(), copias.caminho()));
  const auto depois = tabelas();
  for (const auto& [nome, bytes] : antes) {
    ASSERT_TRUE(depois.count(nome)) << nome;
    EXPECT_TRUE(depois.at(nome) == bytes) << nome << " differs after the restore";
  }
  for (const std::string& n : dados.arquivos())
    EXPECT_FALSE(n.starts_with("IMPZIP") || n.starts_with("tmp")) << n;
  // Every table of the folder opens on freshly built indexes that agree with its rows.
  for (Area n : kComCopia) {
    ASSERT_TRUE(ABERTURA(ctx, n)) << numero(n);
    rt::db::Table& t = *area(n);
    for (int o = 1; o <= t.orderCount(); ++o) EXPECT_TRUE(t.checkOrder(o)) << numero(n) << " order " << o;
  }
  EXPECT_TRUE(fs::exists(dados / "IMP0910B.CDX"));
  EXPECT_TRUE(fs::exists(dados / "IMP0910C.CDX"));
}

// The backup folder typed with accents (in the console's code page) is made, written and read
// back under the file system's UTF-8 name, and kept in CONFIG as typed.
TEST_F(BackupTest, AnAccentedBackupFolderTypedInTheDialogs) {
  ctx.definePastaDados(dados.caminho());
  const std::string digitada = copias.caminho() + "/C\x9FPIAS";  // CÓPIAS
  const std::string noDisco = copias.caminho() + "/C\xC3\x93PIAS";
  const auto antes = tabelas();
  term.pause().press(rt::term::key::Enter);  // origin: the year folder
  term.pause().press(rt::term::ctrlKey('y')).type(digitada).press(rt::term::key::Enter);
  term.pause().type("S");  // "Diretório novo para a copia? Cria-o ?"
  ASSERT_TRUE(BKMANUAL(ctx, 1)) << term.dump();
  EXPECT_TRUE(platform::verifyArchive(noDisco + "/IMPZIP10.ICE"));
  EXPECT_EQ(copias.arquivos(), std::vector<std::string>{"C\xC3\x93PIAS"});
  EXPECT_EQ(std::string(rt::text::alltrim(leConfig(ctx, "ROTABACK"))), digitada);

  escreveArquivo(dados / "IMP0410.DBF", "estragado");
  term.pause().press(rt::term::key::Enter);  // origin: ROTABACK, as kept
  term.pause().press(rt::term::key::Enter);  // destination: the year folder
  term.pause().type("S");                    // "Recupera os dados em"
  ASSERT_TRUE(VOMANUAL(ctx, 1)) << term.dump();
  const auto depois = tabelas();
  for (const auto& [nome, bytes] : antes) EXPECT_TRUE(depois.count(nome) && depois.at(nome) == bytes) << nome;
  EXPECT_FALSE(term.exhausted());
}

TEST_F(BackupTest, FolderWithoutRegisterMakesNoArchive) {
  Pasta vazia;
  EXPECT_TRUE(BKMANUAL(ctx, 2, copias.caminho(), vazia.caminho()));
  EXPECT_FALSE(fs::exists(copias / "IMPZIP10.ICE"));
  EXPECT_EQ(ultback(), "");
}

TEST_F(BackupTest, BackupOntoTheDataFolderIsRefused) {
  EXPECT_FALSE(BKMANUAL(ctx, 2, dados.caminho(), dados.caminho()));
  EXPECT_FALSE(fs::exists(dados / "IMPZIP10.ICE"));
}

TEST_F(BackupTest, OpenTablesAreArchivedAsTheyAreAndAWriterIsWaitedForUntilEsc) {
  // This terminal sits with its register and a table open, another one has a table open:
  // nothing to wait for, nothing asked.
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0410));
  {
    OutroTerminal leitor([&] {
      std::vector<std::unique_ptr<rt::db::Table>> v;
      v.push_back(abre(dados / "IMP0510.DBF"));
      v.push_back(abre(dados / "IMP0910.DBF"));
      return v;
    });
    ASSERT_TRUE(leitor.pronto());
    ASSERT_TRUE(BKMANUAL(ctx, 2, copias.caminho(), dados.caminho()));
    EXPECT_FALSE(term.exhausted());
    EXPECT_EQ(ultback(), "20100430");
    auto lista = platform::listArchive(copias / "IMPZIP10.ICE");
    ASSERT_TRUE(lista);
    EXPECT_EQ(lista->entries.size(), 18u);
  }
  // Another terminal writing (its file lock held): the wait says so; Esc gives up and keeps
  // the archive there was.
  escreveArquivo(copias / "IMPZIP10.ICE", "backup anterior");
  OutroTerminal escritor([&] {
    std::vector<std::unique_ptr<rt::db::Table>> v;
    v.push_back(abre(dados / "IMP0510.DBF"));
    if (!v.back()->lockFile()) v.back().reset();
    return v;
  });
  ASSERT_TRUE(escritor.pronto());
  term.pause().press(rt::term::key::Esc).press(rt::term::key::Enter);
  EXPECT_FALSE(BKMANUAL(ctx, 2, copias.caminho(), dados.caminho()));
  EXPECT_TRUE(term.contains("Copia encerrada sem terminar.")) << term.dump();
  EXPECT_EQ(leArquivo(copias / "IMPZIP10.ICE"), "backup anterior");
  EXPECT_FALSE(fs::exists(trabalho / "IMPZIP10.ICE"));
}

TEST_F(BackupTest, TruncatedArchiveIsRefusedAndNothingIsOverwritten) {
  ASSERT_TRUE(BKMANUAL(ctx, 2, copias.caminho(), dados.caminho()));
  const std::string zip = leArquivo(copias / "IMPZIP10.ICE");
  escreveArquivo(copias / "IMPZIP10.ICE", zip.substr(0, zip.size() / 2));
  escreveArquivo(dados / "IMP0410.DBF", "mudado depois");
  const auto antes = tabelas();
  const auto arquivos = dados.arquivos();
  term.press('S');
  EXPECT_FALSE(VOMANUAL(ctx, 2, dados.caminho(), copias.caminho()));
  EXPECT_TRUE(tabelas() == antes);
  EXPECT_EQ(dados.arquivos(), arquivos);
}

// Entry names are patched in a zip made of harmless names of the same length; names are not
// covered by the checksums, so the archive stays whole.
void trocaNome(std::string& zip, std::string_view de, std::string_view para) {
  ASSERT_EQ(de.size(), para.size());
  int vezes = 0;
  for (std::size_t p = zip.find(de); p != std::string::npos; p = zip.find(de, p + 1), ++vezes)
    zip.replace(p, de.size(), para);
  ASSERT_GE(vezes, 2) << de;  // local header and central directory
}

TEST_F(BackupTest, RestoreTakesOnlyDeclarationTables) {
  Pasta fonte;
  fs::copy_file(dados / "IMP0110.DBF", fonte / "IMP0110.DBF");
  escreveArquivo(fonte / "QQQQ", "fora da pasta");
  escreveArquivo(fonte / "QTMPQZZQ", "caminho absoluto");
  escreveArquivo(fonte / "NOTAS.TXT", "outro arquivo");
  escreveArquivo(fonte / "IMPXX10.DBF", "parece tabela");
  const std::vector<std::string> nomes = {"IMP0110.DBF", "QQQQ", "QTMPQZZQ", "NOTAS.TXT", "IMPXX10.DBF"};
  ASSERT_TRUE(platform::writeZip(copias / "IMPZIP10.ICE", fonte.caminho(), nomes));
  std::string zip = leArquivo(copias / "IMPZIP10.ICE");
  trocaNome(zip, "QQQQ", "../x");
  trocaNome(zip, "QTMPQZZQ", "/tmp/zzq");
  escreveArquivo(copias / "IMPZIP10.ICE", zip);
  fs::remove(dados / "IMP0110.DBF");

  term.press('S');
  ASSERT_TRUE(VOMANUAL(ctx, 2, dados.caminho(), copias.caminho())) << term.dump();
  EXPECT_EQ(leArquivo(dados / "IMP0110.DBF"), leArquivo(fonte / "IMP0110.DBF"));
  EXPECT_FALSE(fs::exists(fs::path(dados.caminho()).parent_path() / "x"));
  EXPECT_FALSE(fs::exists("/tmp/zzq"));
  EXPECT_FALSE(fs::exists(dados / "NOTAS.TXT"));
  EXPECT_FALSE(fs::exists(dados / "IMPXX10.DBF"));
  for (const std::string& n : dados.arquivos()) EXPECT_TRUE(n.ends_with(".DBF") || n.ends_with(".CDX")) << n;
}

TEST_F(BackupTest, AnArchiveWithNothingUsableIsNotRestoredAndSaysWhatItRefused) {
  Pasta fonte;
  escreveArquivo(fonte / "NOTAS.TXT", "outro arquivo");
  escreveArquivo(fonte / "IMPXX10.DBF", "parece tabela");
  const std::vector<std::string> nomes = {"NOTAS.TXT", "IMPXX10.DBF"};
  ASSERT_TRUE(platform::writeZip(copias / "IMPZIP10.ICE", fonte.caminho(), nomes));
  const auto antes = tabelas();
  term.press('S').press(rt::term::key::Enter);
  EXPECT_FALSE(VOMANUAL(ctx, 2, dados.caminho(), copias.caminho()));
  EXPECT_TRUE(term.contains("NOTAS.TXT IMPXX10.DBF")) << term.dump();
  EXPECT_TRUE(term.contains("Nenhum dado foi recuperado.")) << term.dump();
  EXPECT_TRUE(tabelas() == antes);
  for (const std::string& n : dados.arquivos()) EXPECT_TRUE(n.ends_with(".DBF") || n.ends_with(".CDX")) << n;
}

TEST_F(BackupTest, NoToTheQuestionRestoresNothing) {
  ASSERT_TRUE(BKMANUAL(ctx, 2, copias.caminho(), dados.caminho()));
  escreveArquivo(dados / "IMP0410.DBF", "mudado depois");
  const auto antes = tabelas();
  term.press('N');
  EXPECT_TRUE(VOMANUAL(ctx, 2, dados.caminho(), copias.caminho()));
  EXPECT_TRUE(tabelas() == antes);
}

TEST(PastaNoDrive, DriveReplacesTheFoldersOwn) {
  EXPECT_EQ(pastaNoDrive("E", "C:\\DADOS\\2010"), "E:\\DADOS\\2010");
  EXPECT_EQ(pastaNoDrive("e", "/home/ana/dados"), "e:/home/ana/dados");
  EXPECT_EQ(pastaNoDrive("F", "DADOS"), "F:\\DADOS");
}

}  // namespace
}  // namespace store::teste
