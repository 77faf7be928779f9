// The folder upkeep as an office meets it, on the real program in tmux with two terminals on
// one program folder: a taxpayer registered, named and saved on terminal 00 is still found by
// terminal 03 after a reindex (which makes no tables outside the data folder); the one-folder
// backup finishes while the other terminal works; "Terminar" reorganises what it can and names
// the table the other terminal keeps; the folder copy asks before it replaces and says what it
// did; and the compressed backup, restored into a fresh program folder, brings the taxpayer
// and his name back there. Every step is checked in the tables themselves.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "rt/db/table.h"
#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

namespace fs = std::filesystem;
using e2e::shellQuote;
using e2e::teclas;
using e2e::TmuxSession;
using namespace std::chrono_literals;

const std::string kCpf = "12345678909";
const std::string kNome = "FULANO DA SILVA";

class Manutencao : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    raiz_ = pasta_.caminho();
  }
  void TearDown() override {
    terminais_.clear();
  }
  // Terminal `nn` of the program folder `home`, started with the README's command.
  TmuxSession& inicia(const std::string& home, const std::string& nn, const std::string& ambiente = {}) {
    const std::string cmd = e2e::comandoTavren(home, nn, ambiente);
    terminais_.push_back(std::make_unique<TmuxSession>(cmd, 80, 25));
    TmuxSession& s = *terminais_.back();
    EXPECT_TRUE(s.started());
    EXPECT_TRUE(s.waitForText("Terminal " + nn, e2e::kPartida)) << s.capture();
    return s;
  }
  static bool espera(TmuxSession& s, const std::string& texto, std::chrono::milliseconds limite = e2e::kEspera) {
    return s.waitForText(texto, limite);
  }
  // Esc until the declaration's end question: a grid screen first closes the cell it opened.
  static bool perguntaFim(TmuxSession& s) {
    for (int i = 0; i < 3; ++i) {
      teclas(s, {"Escape"});
      if (espera(s, "Termina  a  Declaração ?", 3s)) return true;
    }
    return false;
  }
  // The CPF prompt of Declaração, with the folder shown.
  static void abreCpf(TmuxSession& s) {
    teclas(s, {"M-l", "Enter"});
    ASSERT_TRUE(espera(s, "Pasta atual")) << s.capture();
  }
  // A taxpayer registered from the CPF prompt and its declaration saved; back at the menu.
  static void registra(TmuxSession& s, const std::string& cpf) {
    abreCpf(s);
    s.text(cpf);
    s.keys({"Enter"});
    ASSERT_TRUE(espera(s, "10=Balan")) << s.capture();
    ASSERT_TRUE(perguntaFim(s)) << s.capture();
    teclas(s, {"S"});
    ASSERT_TRUE(espera(s, "Pasta atual")) << s.capture();
    ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Salvando") == std::string::npos; })) << s.capture();
    teclas(s, {"Escape"});
    ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Pasta atual") == std::string::npos; }))
        << s.capture();
  }
  // Item 71: the year folder copied whole into `copia`; the closing message is left open.
  static void copiaPasta(TmuxSession& s, const std::string& copia) {
    teclas(s, {"M-b", "Enter"});
    ASSERT_TRUE(espera(s, "Ok")) << s.capture();
    teclas(s, {"Enter"});
    ASSERT_TRUE(espera(s, "PastaDestino")) << s.capture();
    teclas(s, {"Enter"});
    s.text(copia);
    teclas(s, {"Enter"});
    // A destination that does not exist yet is created only when the user says so.
    ASSERT_TRUE(s.waitFor([](const std::string& t) {
      return t.find("Copiados") != std::string::npos || t.find("Cria-o ?") != std::string::npos;
    })) << s.capture();
    if (s.capture().find("Cria-o ?") != std::string::npos) teclas(s, {"S"});
    ASSERT_TRUE(espera(s, "Copiados")) << s.capture();
  }
  // The rows of the register (IMP0910) of a data folder, by CPF.
  static std::vector<std::string> cpfsDoRegistro(const std::string& pasta) {
    std::vector<std::string> v;
    auto t = rt::db::Table::open(pasta + "/IMP0910.DBF", {.exclusive = false, .readOnly = true, .alias = {}});
    if (!t) return v;
    for (std::uint32_t r = 1; r <= (*t)->recordCount(); ++r) {
      (*t)->goTo(r);
      if ((*t)->status() && !(*t)->isDeleted()) v.push_back((*t)->getText("CPF"));
    }
    return v;
  }
  static bool temLinhaDoCpf(const std::string& dbf) {
    auto t = rt::db::Table::open(dbf, {.exclusive = false, .readOnly = true, .alias = {}});
    if (!t) return false;
    for (std::uint32_t r = 1; r <= (*t)->recordCount(); ++r) {
      (*t)->goTo(r);
      if ((*t)->status() && !(*t)->isDeleted() && (*t)->getText("CPF") == kCpf) return true;
    }
    return false;
  }
  // The name in the register of a data folder on the taxpayer's row ("" without one).
  static std::string nomeNoRegistro(const std::string& pasta) {
    auto t = rt::db::Table::open(pasta + "/IMP0910.DBF", {.exclusive = false, .readOnly = true, .alias = {}});
    if (!t) return {};
    for (std::uint32_t r = 1; r <= (*t)->recordCount(); ++r) {
      (*t)->goTo(r);
      if ((*t)->status() && !(*t)->isDeleted() && (*t)->getText("CPF") == kCpf) {
        std::string n = (*t)->getText("NOMECONTR");
        return n.substr(0, n.find_last_not_of(' ') + 1);
      }
    }
    return {};
  }
  static bool nenhumaTabelaEm(const std::string& pasta) {
    for (const auto& e : fs::directory_iterator(pasta))
      if (e.path().filename().string().starts_with("IMP")) return false;
    return true;
  }
  e2e::RaizDeTeste pasta_;
  std::string raiz_;
  std::vector<std::unique_ptr<TmuxSession>> terminais_;
};

TEST_F(Manutencao, RegisterSaveReindexBackUpTerminateAndRestoreIntoAFreshFolder) {
  const std::string home = raiz_ + "/tavren", dados = home + "/DADOS2010", bk = raiz_ + "/BK";
  TmuxSession& t00 = inicia(home, "00");

  // Register a taxpayer, type his name on the identification screen and save.
  abreCpf(t00);
  t00.text(kCpf);
  t00.keys({"Enter"});
  ASSERT_TRUE(espera(t00, "IDENTIFICAÇÃO DO CONTRIBUINTE")) << t00.capture();
  teclas(t00, {"N"});  // no rural activity: on to the name
  t00.text(kNome);
  teclas(t00, {"Enter"});
  ASSERT_TRUE(espera(t00, "Nome " + kNome)) << t00.capture();
  ASSERT_TRUE(perguntaFim(t00)) << t00.capture();
  teclas(t00, {"S"});
  ASSERT_TRUE(espera(t00, "Pasta atual")) << t00.capture();
  ASSERT_TRUE(t00.waitFor([](const std::string& t) { return t.find("Salvando") == std::string::npos; })) << t00.capture();
  teclas(t00, {"Escape"});
  ASSERT_TRUE(t00.waitFor([](const std::string& t) { return t.find("Pasta atual") == std::string::npos; }))
      << t00.capture();
  ASSERT_EQ(cpfsDoRegistro(dados), std::vector<std::string>{kCpf});
  EXPECT_EQ(nomeNoRegistro(dados), kNome);
  ASSERT_TRUE(temLinhaDoCpf(dados + "/IMP0110.DBF"));

  // Reindex: only the data folder is rebuilt, no table appears in the program folder.
  teclas(t00, {"M-p", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Enter"});
  ASSERT_TRUE(espera(t00, "Esta opção refará todos arquivos índices (CDX).")) << t00.capture();
  teclas(t00, {"S"});
  ASSERT_TRUE(t00.waitFor([](const std::string& t) { return t.find("refará") == std::string::npos; }, 60s))
      << t00.capture();
  // The rebuild says that it is done, and that word is read before the menu goes on.
  ASSERT_TRUE(espera(t00, "Índices (CDX) refeitos na pasta")) << t00.capture();
  teclas(t00, {"Enter"});
  ASSERT_TRUE(t00.waitFor([](const std::string& t) { return t.find("refeitos") == std::string::npos; }))
      << t00.capture();
  EXPECT_TRUE(nenhumaTabelaEm(home));

  // The second terminal's first start takes the same data folder and finds the taxpayer.
  TmuxSession& t03 = inicia(home, "03");
  abreCpf(t03);
  EXPECT_NE(t03.capture().find("Pasta atual  :  " + dados + "/"), std::string::npos) << t03.capture();
  t03.text(kCpf);
  t03.keys({"Enter"});
  ASSERT_TRUE(espera(t03, "10=Balan")) << t03.capture();
  EXPECT_EQ(t03.capture().find("não está cadastrado"), std::string::npos);
  ASSERT_TRUE(perguntaFim(t03)) << t03.capture();
  teclas(t03, {"I"});
  ASSERT_TRUE(espera(t03, "123.456.789-09")) << t03.capture();
  teclas(t03, {"Escape"});

  // The one-folder backup finishes while terminal 03 has the register open, asking nothing.
  teclas(t00, {"M-b", "Down", "Down", "Down", "Down", "Enter"});
  ASSERT_TRUE(espera(t00, "Drive e a Pasta  Novo")) << t00.capture();
  // C-y empties the destination (it shows nothing when the field is empty already).
  teclas(t00, {"Enter"});
  t00.keys({"C-y"});
  t00.text(bk);
  teclas(t00, {"Enter"});
  ASSERT_TRUE(espera(t00, "Cria-o ?")) << t00.capture();
  teclas(t00, {"S"});
  ASSERT_TRUE(t00.waitFor([&](const std::string&) { return fs::exists(bk + "/IMPZIP10.ICE"); }, 60s))
      << t00.capture();
  EXPECT_EQ(t00.capture().find("Aguarde?"), std::string::npos) << t00.capture();

  // "Terminar" while terminal 03 keeps the register: the others are reorganised, the busy
  // one is named, and the program ends.
  ASSERT_TRUE(t00.waitFor([](const std::string& t) { return t.find("Drive e a Pasta") == std::string::npos; }))
      << t00.capture();
  teclas(t00, {"M-t"});
  ASSERT_TRUE(espera(t00, "Em uso em outro terminal, não reorganizadas:", 60s)) << t00.capture();
  EXPECT_NE(t00.capture().find("IMP0910.DBF"), std::string::npos) << t00.capture();
  EXPECT_EQ(t00.capture().find("IMP0110.DBF"), std::string::npos) << t00.capture();
  teclas(t00, {"Enter"});
  ASSERT_TRUE(espera(t00, "tavren-ended 0")) << t00.capture();
  EXPECT_TRUE(fs::exists(dados + "/IMP0110.CDX"));

  // A fresh program folder: its terminal restores the archive and finds the taxpayer.
  const std::string home2 = raiz_ + "/novo", dados2 = home2 + "/DADOS2010";
  TmuxSession& n03 = inicia(home2, "03");
  ASSERT_TRUE(cpfsDoRegistro(dados2).empty());
  teclas(n03, {"M-b", "Down", "Down", "Down", "Down", "Down", "Enter"});
  ASSERT_TRUE(espera(n03, "Drive e a Pasta  Novo")) << n03.capture();
  n03.keys({"C-y"});
  n03.text(bk);
  teclas(n03, {"Enter", "Enter"});
  ASSERT_TRUE(espera(n03, "Recupera os dados em")) << n03.capture();
  teclas(n03, {"S"});
  ASSERT_TRUE(n03.waitFor([](const std::string& t) { return t.find("Recupera os dados") == std::string::npos; }, 60s))
      << n03.capture();
  EXPECT_EQ(cpfsDoRegistro(dados2), std::vector<std::string>{kCpf});
  EXPECT_EQ(nomeNoRegistro(dados2), kNome);
  EXPECT_TRUE(temLinhaDoCpf(dados2 + "/IMP0110.DBF"));
  abreCpf(n03);
  n03.text(kCpf);
  n03.keys({"Enter"});
  ASSERT_TRUE(espera(n03, "10=Balan")) << n03.capture();
  // The name typed on terminal 00 is on the identification screen of the restored copy (F6
  // once the first screen has its footer: the declaration has loaded).
  ASSERT_TRUE(espera(n03, "Alt H=Help")) << n03.capture();
  teclas(n03, {"F6"});
  EXPECT_TRUE(espera(n03, "Nome " + kNome)) << n03.capture();
  for (const auto& e : fs::directory_iterator(dados2)) {
    const std::string n = e.path().filename().string();
    EXPECT_FALSE(n.starts_with("RESTORE_") || n.starts_with("IMPZIP") || n == "RESTAURA.JNL") << n;
  }
}

TEST_F(Manutencao, TheFolderCopyAsksBeforeReplacingAndSaysWhatItDid) {
  const std::string home = raiz_ + "/tavren", dados = home + "/DADOS2010", copia = raiz_ + "/COPIA";
  TmuxSession& t00 = inicia(home, "00");
  registra(t00, kCpf);

  // Item 71: the copy says what it copied.
  copiaPasta(t00, copia);
  EXPECT_NE(t00.capture().find("Copiados 18 arquivos, com 1 contribuinte,"), std::string::npos) << t00.capture();
  teclas(t00, {"Enter"});

  // One more taxpayer after the copy.
  registra(t00, "11144477735");
  ASSERT_EQ(cpfsDoRegistro(dados).size(), 2u);

  // Item 72: asked first with what is at stake; No leaves the folder as it was.
  auto traz = [&] {
    teclas(t00, {"M-b", "Down", "Enter"});
    ASSERT_TRUE(espera(t00, "PastaDestino")) << t00.capture();
    teclas(t00, {"Enter", "Enter"});
    ASSERT_TRUE(espera(t00, "Recupera os dados em")) << t00.capture();
    EXPECT_NE(t00.capture().find("A pasta tem hoje 2 contribuintes;"), std::string::npos) << t00.capture();
    EXPECT_NE(t00.capture().find("a cópia traz 1."), std::string::npos) << t00.capture();
  };
  traz();
  teclas(t00, {"N"});
  ASSERT_TRUE(t00.waitFor([](const std::string& t) { return t.find("Recupera os dados em") == std::string::npos; }))
      << t00.capture();
  EXPECT_EQ(cpfsDoRegistro(dados).size(), 2u);
  e2e::teclasComPausa(t00, {"Escape", "Escape"});
  traz();
  teclas(t00, {"S"});
  ASSERT_TRUE(espera(t00, "Recuperados 18 arquivos, com 1 contribuinte,")) << t00.capture();
  EXPECT_EQ(cpfsDoRegistro(dados), std::vector<std::string>{kCpf});
}

// "Compacta todos no A:" with the drive mapped to a folder: every registered folder that
// holds tables is archived there, under its own path, while another terminal works.
TEST_F(Manutencao, CompactaTodosBacksUpEveryRegisteredFolderOnTheMappedDrive) {
  const std::string home = raiz_ + "/tavren", dados = home + "/DADOS2010", drive = raiz_ + "/A";
  fs::create_directory(drive);
  TmuxSession& t00 = inicia(home, "00", "TAVREN_DRIVE_A=" + shellQuote(drive));
  registra(t00, kCpf);
  TmuxSession& t03 = inicia(home, "03");
  (void)t03;
  teclas(t00, {"M-b", "Down", "Down", "Enter"});
  ASSERT_TRUE(espera(t00, "Informe a letra do Drive")) << t00.capture();
  teclas(t00, {"Enter"});
  // The program folder is in the register too, with no tables: said and passed over.
  ASSERT_TRUE(espera(t00, "nao tem dados do TAVREN!")) << t00.capture();
  teclas(t00, {"Enter"});
  const std::string arquivo = drive + dados + "/IMPZIP10.ICE";
  ASSERT_TRUE(t00.waitFor([&](const std::string&) { return fs::exists(arquivo); }, 60s)) << t00.capture();
  EXPECT_EQ(t00.capture().find("Aguarde?"), std::string::npos) << t00.capture();
}

// "Terminar" while another terminal keeps the register open: every other table is rebuilt,
// the busy one is named, and the program ends.
TEST_F(Manutencao, TerminarSkipsTheTableAnotherTerminalHoldsAndNamesIt) {
  const std::string home = raiz_ + "/tavren", dados = home + "/DADOS2010";
  TmuxSession& t00 = inicia(home, "00");
  TmuxSession& t03 = inicia(home, "03");
  (void)t03;
  for (const char* cdx : {"IMP0110.CDX", "IMP1910.CDX"}) fs::remove(dados + "/" + cdx);
  teclas(t00, {"M-t"});
  ASSERT_TRUE(espera(t00, "Em uso em outro terminal, não reorganizadas:", 60s)) << t00.capture();
  EXPECT_NE(t00.capture().find("IMP0910.DBF"), std::string::npos) << t00.capture();
  teclas(t00, {"Enter"});
  ASSERT_TRUE(espera(t00, "tavren-ended 0")) << t00.capture();
  // The tables after the busy one were rebuilt too.
  EXPECT_TRUE(fs::exists(dados + "/IMP0110.CDX"));
  EXPECT_TRUE(fs::exists(dados + "/IMP1910.CDX"));
}

// A terminal waiting for another one says so: terminal 02's restore holds the first tables
// while it asks about the register (which terminal 03, at its menu, keeps open), and
// terminal 00's save waits with its message until 02 gives up; then the save ends.
TEST_F(Manutencao, ASaveWaitingForAnotherTerminalSaysSo) {
  const std::string home = raiz_ + "/tavren", dados = home + "/DADOS2010", copia = raiz_ + "/COPIA";
  TmuxSession& t00 = inicia(home, "00");
  registra(t00, kCpf);
  // A copy of the folder to restore from.
  copiaPasta(t00, copia);
  teclas(t00, {"Enter"});
  // Terminal 00 opens the declaration again (its register stays open).
  abreCpf(t00);
  t00.text(kCpf);
  t00.keys({"Enter"});
  ASSERT_TRUE(espera(t00, "10=Balan")) << t00.capture();

  TmuxSession& t03 = inicia(home, "03");
  (void)t03;
  TmuxSession& t02 = inicia(home, "02");
  teclas(t02, {"M-b", "Down", "Enter"});
  ASSERT_TRUE(espera(t02, "PastaDestino")) << t02.capture();
  t02.keys({"C-y"});
  t02.text(copia);
  teclas(t02, {"Enter", "Enter"});
  ASSERT_TRUE(espera(t02, "Recupera os dados em")) << t02.capture();
  teclas(t02, {"S"});
  ASSERT_TRUE(espera(t02, "esta sendo usado em algum terminal. Aguarde?", 60s)) << t02.capture();

  ASSERT_TRUE(perguntaFim(t00)) << t00.capture();
  teclas(t00, {"S"});
  EXPECT_TRUE(espera(t00, "Aguardando outro Terminal")) << t00.capture();
  teclas(t02, {"N"});
  ASSERT_TRUE(espera(t02, "Copia encerrada sem terminar.")) << t02.capture();
  ASSERT_TRUE(t00.waitFor([](const std::string& t) { return t.find("Aguardando outro Terminal") == std::string::npos &&
                                                             t.find("123.456.789-09") != std::string::npos; }))
      << t00.capture();
}

}  // namespace
