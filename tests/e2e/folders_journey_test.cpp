// Two terminals on one program folder, driven in tmux as the office works: a declaration open
// in terminal 02 cannot be opened, deleted, moved or given another CPF from terminal 00, each
// refusal naming terminal 02; 02's save then leaves the taxpayer exactly once, with his rows
// in every table. A terminal that dies leaves no mark. Transfers, the folder list and the
// copy of a declaration's parts are checked in the tables themselves.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "rt/db/table.h"
#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;

const std::string kCpf = "11144477735";
const std::string kOutro = "12345678909";
const std::string kTerceiro = "39053344705";

std::string rtrim(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

std::string nn(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

rt::db::OpenOptions lendo() {
  rt::db::OpenOptions o;
  o.readOnly = true;
  return o;
}

rt::db::OpenOptions sozinho() {
  rt::db::OpenOptions o;
  o.exclusive = true;
  return o;
}

// Live rows of `cpf` in a table (0 when the table is missing).
int linhasDe(const std::string& arquivo, const std::string& cpf) {
  if (!std::filesystem::exists(arquivo)) return 0;
  auto t = rt::db::Table::open(arquivo, lendo());
  if (!t) return -1;
  int n = 0;
  for (std::uint32_t r = 1; r <= (*t)->recordCount(); ++r) {
    if (!(*t)->goTo(r)) return -1;
    if (!(*t)->isDeleted() && (*t)->getText("CPF") == cpf) ++n;
  }
  return n;
}

class Pastas : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    home_ = pasta_.caminho() + "/tavren";
  }
  std::unique_ptr<TmuxSession> terminal(const std::string& numero) {
    const std::string cmd = e2e::comandoTavren(home_, numero, {}, 300);
    auto s = std::make_unique<TmuxSession>(cmd, 80, 25);
    EXPECT_TRUE(s->started());
    EXPECT_TRUE(s->waitForText("Terminal " + numero, e2e::kPartida)) << s->capture();
    return s;
  }
  std::string dados() const { return home_ + "/DADOS2010"; }
  std::string tabela(int n, const std::string& pasta = {}) const {
    return (pasta.empty() ? dados() : pasta) + "/IMP" + nn(n) + "10.DBF";
  }

  // Declaração → the CPF → "Inclui?" Sim → Esc → Sim: a new taxpayer saved; back at the menu.
  static void registra(TmuxSession& s, const std::string& cpf) {
    s.keys({"M-l", "Enter"});
    ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
    s.text(cpf);
    ASSERT_TRUE(s.waitForText("Inclui?")) << s.capture();
    s.keys({"S"});
    ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE")) << s.capture();
    s.keys({"Escape"});
    ASSERT_TRUE(s.waitForText("Termina")) << s.capture();
    s.keys({"S"});
    ASSERT_TRUE(s.waitForText("F1 Nome F2 CPF")) << s.capture();
    s.keys({"Escape"});
    ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("F1 Nome F2 CPF") == std::string::npos; }))
        << s.capture();
  }

  // One row of the taxpayer in every declaration table, rural side "S", written while no
  // terminal has them open; their index files go, so the program builds them again.
  void preencheTabelas(const std::string& cpf) {
    for (int n = 2; n <= 19; ++n) {
      if (n == 9 || n == 13) continue;
      auto t = rt::db::Table::open(tabela(n), sozinho());
      ASSERT_TRUE(t) << n;
      ASSERT_TRUE((*t)->appendBlank()) << n;
      ASSERT_TRUE((*t)->put("CPF", cpf)) << n;
      if (n >= 15) {
        ASSERT_TRUE((*t)->put("ATV_BRASIL", std::string("S"))) << n;
      }
      ASSERT_TRUE((*t)->close()) << n;
      for (const auto& e : std::filesystem::directory_iterator(dados())) {
        const std::string nome = e.path().filename().string();
        if (nome.starts_with("IMP" + nn(n) + "10") && nome.ends_with(".CDX"))
          std::filesystem::remove(e.path());
      }
    }
    // The register stays open in the terminal: its row is written under its record lock.
    auto r = rt::db::Table::open(tabela(9));
    ASSERT_TRUE(r);
    for (std::uint32_t i = 1; i <= (*r)->recordCount(); ++i) {
      ASSERT_TRUE((*r)->goTo(i));
      if ((*r)->getText("CPF") != cpf) continue;
      ASSERT_TRUE((*r)->lockRecord());
      ASSERT_TRUE((*r)->put("TEMRURAL", std::string("S")));
      ASSERT_TRUE((*r)->put("ATV_BRASIL", std::string("S")));
      ASSERT_TRUE((*r)->commit());
      ASSERT_TRUE((*r)->unlock());
    }
    ASSERT_TRUE((*r)->close());
  }

  // The taxpayer once in the register and once in every other table (13 holds no taxpayer).
  void inteiro(const std::string& cpf) {
    EXPECT_EQ(linhasDe(tabela(9), cpf), 1);
    for (int n = 1; n <= 19; ++n)
      if (n != 9 && n != 13) {
        EXPECT_EQ(linhasDe(tabela(n), cpf), 1) << "IMP" << nn(n) << "10";
      }
  }

  e2e::RaizDeTeste pasta_;
  std::string home_;
};

// Opções → Copia Declaração: the whole declaration of `origem` into `destino`, the destination's
// rows replaced ("Nao - Retire os dados anteriores").
void copiaDeclaracao(TmuxSession& s, const std::string& origem, const std::string& destino) {
  s.keys({"M-p", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Enter"});
  ASSERT_TRUE(s.waitForText("CPF  Destino")) << s.capture();
  s.text(origem);
  s.text(destino);
  ASSERT_TRUE(s.waitForText("Copia todos itens")) << s.capture();
  s.keys({"T"});
  ASSERT_TRUE(s.waitForText("Encontrando Dados")) << s.capture();
  s.keys({"N"});
}

// A question with `texto` is shown and answered with `tecla`. The alert drops keys typed
// before it reads, so the answer goes once it is up (it is shown as it starts to read).
void responde(TmuxSession& s, const std::string& texto, const std::string& tecla) {
  ASSERT_TRUE(s.waitForText(texto)) << s.capture();
  teclas(s, {tecla});
  if (!s.waitFor([&](const std::string& t) { return t.find(texto) == std::string::npos; })) FAIL() << s.capture();
}

// An alert with `texto` is shown; Enter closes it.
void confirmaAviso(TmuxSession& s, const std::string& texto) {
  ASSERT_TRUE(s.waitForText(texto)) << s.capture();
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitFor([&](const std::string& t) { return t.find(texto) == std::string::npos; }))
      << s.capture();
}

TEST_F(Pastas, ADeclarationOpenInAnotherTerminalIsNeitherOpenedNorDeletedMovedOrRenumbered) {
  auto t00 = terminal("00");
  registra(*t00, kCpf);
  preencheTabelas(kCpf);

  auto t02 = terminal("02");
  t02->keys({"M-l", "Enter"});
  ASSERT_TRUE(t02->waitForText("Pasta atual")) << t02->capture();
  t02->text(kCpf);
  ASSERT_TRUE(t02->waitForText("PESSOAS JURIDICAS")) << t02->capture();

  // Opening it in 00: refused, back at the CPF prompt.
  t00->keys({"M-l", "Enter"});
  ASSERT_TRUE(t00->waitForText("Pasta atual")) << t00->capture();
  t00->text(kCpf);
  confirmaAviso(*t00, "Declaração em uso no terminal 02");
  EXPECT_NE(t00->capture().find("F1 Nome F2 CPF"), std::string::npos) << t00->capture();
  EXPECT_EQ(t00->capture().find("10=Balan"), std::string::npos) << t00->capture();
  t00->keys({"Escape"});

  // Exclusão: marked, confirmed, refused.
  t00->keys({"M-l", "Down", "Down", "Down", "Down", "Enter"});
  ASSERT_TRUE(t00->waitForText("SIM - Exclui toda a declaracao")) << t00->capture();
  t00->keys({"S"});
  ASSERT_TRUE(t00->waitForText("Elim.")) << t00->capture();
  t00->keys({"Right", "Right", "Right"});
  t00->text("S");
  t00->keys({"Escape"});
  responde(*t00, "Confirma a Exclusão de 1 contribuinte?", "S");
  ASSERT_TRUE(t00->waitForText("nao foi excluido")) << t00->capture();
  confirmaAviso(*t00, "Declaração em uso no terminal 02");

  // Transfer, Total and Mover, into a new folder: the folder is asked for, the taxpayer stays.
  const std::string p2 = home_ + "/P2";
  t00->keys({"M-p", "Down", "Enter"});
  ASSERT_TRUE(t00->waitForText("PastaDestino")) << t00->capture();
  t00->keys({"Enter"});
  t00->text(p2);
  t00->keys({"Enter"});
  ASSERT_TRUE(t00->waitForText("Diretório novo para")) << t00->capture();
  EXPECT_FALSE(std::filesystem::exists(p2));
  t00->keys({"S"});
  ASSERT_TRUE(t00->waitForText("PARCIAL")) << t00->capture();
  t00->keys({"T"});
  ASSERT_TRUE(t00->waitForText("MOVER")) << t00->capture();
  t00->keys({"M"});
  ASSERT_TRUE(t00->waitForText("SO MOL")) << t00->capture();
  t00->keys({"T"});
  ASSERT_TRUE(t00->waitForText("Encontrando CPF iguais")) << t00->capture();
  t00->keys({"S"});
  ASSERT_TRUE(t00->waitForText("Transferência incompleta")) << t00->capture();
  EXPECT_NE(t00->capture().find("0 contribuinte(s) movido(s)"), std::string::npos) << t00->capture();
  confirmaAviso(*t00, "Declaração em uso no terminal 02");
  EXPECT_EQ(t00->capture().find("Muda para a nova Pasta?"), std::string::npos) << t00->capture();
  EXPECT_EQ(linhasDe(tabela(9, p2), kCpf), 0);

  // Mudar CPF: refused.
  t00->keys({"M-p", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Enter"});
  ASSERT_TRUE(t00->waitForText("Novo  CPF")) << t00->capture();
  t00->text(kCpf);
  t00->text("52998224725");
  ASSERT_TRUE(t00->waitForText("O CPF nao foi trocado.")) << t00->capture();
  confirmaAviso(*t00, "Declaração em uso no terminal 02");
  t00->keys({"Escape"});

  // Copia Declaração into the held declaration: refused, nothing copied.
  registra(*t00, kTerceiro);
  copiaDeclaracao(*t00, kTerceiro, kCpf);
  ASSERT_TRUE(t00->waitForText("A copia nao foi feita: Declaração em uso no terminal 02")) << t00->capture();
  t00->keys({"Enter"});

  // 02 saves: the taxpayer once, whole.
  t02->keys({"Escape"});
  ASSERT_TRUE(t02->waitForText("Termina")) << t02->capture();
  t02->keys({"S"});
  ASSERT_TRUE(t02->waitForText("F1 Nome F2 CPF")) << t02->capture();
  inteiro(kCpf);
  EXPECT_EQ(linhasDe(tabela(9), "52998224725"), 0);
  t02->keys({"Escape"});

  // Now free, the whole declaration is copied into the other taxpayer; the origin stays whole.
  // The copy has ended when its dialog has gone (a refusal would be said over it).
  copiaDeclaracao(*t00, kCpf, kTerceiro);
  ASSERT_TRUE(t00->waitFor([](const std::string& t) {
    return t.find("A copia nao foi feita") != std::string::npos || t.find("CPF  Destino") == std::string::npos;
  })) << t00->capture();
  EXPECT_EQ(t00->capture().find("A copia nao foi feita"), std::string::npos) << t00->capture();
  inteiro(kCpf);
  inteiro(kTerceiro);
  t02->keys({"M-l", "Enter"});
  ASSERT_TRUE(t02->waitForText("Pasta atual")) << t02->capture();

  // 02 dies with the declaration open: nothing stays behind, 00 opens it.
  t02->text(kCpf);
  ASSERT_TRUE(t02->waitForText("PESSOAS JURIDICAS")) << t02->capture();
  t02.reset();
  t00->keys({"M-l", "Enter"});
  ASSERT_TRUE(t00->waitForText("Pasta atual")) << t00->capture();
  t00->text(kCpf);
  EXPECT_TRUE(t00->waitForText("PESSOAS JURIDICAS")) << t00->capture();
}

TEST_F(Pastas, ThePromptNeverShowsTheNameOfATaxpayerDeletedMeanwhile) {
  auto t00 = terminal("00");
  registra(*t00, kCpf);
  registra(*t00, kOutro);
  // Names given beside the terminal, under the rows' locks (no name is looked up here).
  {
    auto r = rt::db::Table::open(tabela(9));
    ASSERT_TRUE(r);
    for (std::uint32_t i = 1; i <= (*r)->recordCount(); ++i) {
      ASSERT_TRUE((*r)->goTo(i));
      ASSERT_TRUE((*r)->lockRecord());
      ASSERT_TRUE((*r)->put("NOMECONTR", std::string((*r)->getText("CPF") == kCpf ? "ANA PRIMEIRA" : "BRUNO")));
      ASSERT_TRUE((*r)->commit());
    }
  }
  t00->keys({"M-l", "Enter"});
  ASSERT_TRUE(t00->waitForText("Pasta atual")) << t00->capture();
  t00->keys({"PgUp"});
  ASSERT_TRUE(t00->waitForText("ANA PRIMEIRA")) << t00->capture();

  auto t02 = terminal("02");
  t02->keys({"M-l", "Down", "Down", "Down", "Down", "Enter"});
  ASSERT_TRUE(t02->waitForText("Elim.")) << t02->capture();
  t02->keys({"Right", "Right", "Right"});
  t02->text("S");
  t02->keys({"Escape"});
  responde(*t02, "Confirma a Exclusão de 1 contribuinte?", "S");
  // The register stays open in 00: it is not packed now, which is told.
  confirmaAviso(*t02, "IMP0910.DBF");
  ASSERT_EQ(linhasDe(tabela(9), kCpf), 0);

  // 00 clears the CPF: the name search leaves the page on the register's row, deleted now.
  teclas(*t00, {"C-y", "Enter", "Escape"});
  e2e::telaParada(*t00);
  EXPECT_EQ(t00->capture().find("ANA PRIMEIRA"), std::string::npos) << t00->capture();
  EXPECT_EQ(t00->capture().find("111.444.777-35"), std::string::npos) << t00->capture();
}

// The settings' folder and the folder register's rows (marked ones first-class), as stored.
std::string pastaDoConfig(const std::string& home) {
  auto t = rt::db::Table::open(home + "/CONFIG.DBF", lendo());
  if (!t || !(*t)->goTop()) return "(none)";
  return rtrim((*t)->getText("ROTADOANO"));
}

std::vector<std::string> registroDePastas(const std::string& home) {
  std::vector<std::string> v;
  auto t = rt::db::Table::open(home + "/DIRET00.DBF", lendo());
  if (!t) return v;
  for (std::uint32_t r = 1; r <= (*t)->recordCount(); ++r) {
    if (!(*t)->goTo(r) || (*t)->isDeleted()) continue;
    v.push_back((*t)->getText("SELEC") + "|" + rtrim((*t)->getText("DIRETOR")));
  }
  return v;
}

// Opções → Transfere: Total, Copiar, Tudo, overwriting, from the data folder to `destino`
// (made when missing).
void transfereTudo(TmuxSession& s, const std::string& destino, bool nova) {
  s.keys({"M-p", "Down", "Enter"});
  ASSERT_TRUE(s.waitForText("PastaDestino")) << s.capture();
  s.keys({"Enter"});
  s.text(destino);
  s.keys({"Enter"});
  if (nova) {
    ASSERT_TRUE(s.waitForText("Diretório novo para")) << s.capture();
    s.keys({"S"});
  }
  ASSERT_TRUE(s.waitForText("PARCIAL")) << s.capture();
  s.keys({"T"});
  ASSERT_TRUE(s.waitForText("MOVER")) << s.capture();
  s.keys({"C"});
  ASSERT_TRUE(s.waitForText("SO MOL")) << s.capture();
  s.keys({"T"});
  ASSERT_TRUE(s.waitForText("Encontrando CPF iguais")) << s.capture();
  s.keys({"S"});
}

TEST_F(Pastas, ATransferWhoseDestinationCannotBeRebuiltSaysSoAndAsksNothingMore) {
  auto t00 = terminal("00");
  registra(*t00, kCpf);
  preencheTabelas(kCpf);
  const std::string p2 = home_ + "/P2";
  // A first copy makes the folder; all went well, so the question comes.
  transfereTudo(*t00, p2, true);
  ASSERT_TRUE(t00->waitForText("Muda para a nova Pasta?", std::chrono::seconds(60))) << t00->capture();
  t00->keys({"N"});
  registra(*t00, kOutro);

  // Another terminal keeps the destination's register open: its rebuild cannot be done.
  auto registro = rt::db::Table::open(tabela(9, p2));
  ASSERT_TRUE(registro);
  transfereTudo(*t00, p2, false);
  // The busy table is left out after its wait; the closing message names it.
  ASSERT_TRUE(t00->waitForText("Transferência para " + p2, std::chrono::seconds(60))) << t00->capture();
  const std::string tela = t00->capture();
  EXPECT_NE(tela.find("2 contribuinte(s) copiado(s)."), std::string::npos) << tela;
  EXPECT_NE(tela.find("IMP0910"), std::string::npos) << tela;
  // The message closed, nothing more is asked: the menu is back.
  teclas(*t00, {"Enter"});
  ASSERT_TRUE(t00->waitFor([&](const std::string& t) { return t.find("Transferência para " + p2) == std::string::npos; }))
      << t00->capture();
  e2e::telaParada(*t00);
  EXPECT_EQ(t00->capture().find("Muda para a nova Pasta?"), std::string::npos) << t00->capture();
  (*registro).reset();
  // Both folders whole: the copies in P2, the originals where they were.
  for (const std::string& cpf : {kCpf, kOutro}) {
    EXPECT_EQ(linhasDe(tabela(9, p2), cpf), 1) << cpf;
    EXPECT_EQ(linhasDe(tabela(9), cpf), 1) << cpf;
  }
  for (int n = 1; n <= 19; ++n) {
    if (n == 9 || n == 13) continue;
    EXPECT_EQ(linhasDe(tabela(n, p2), kCpf), 1) << n;
    EXPECT_EQ(linhasDe(tabela(n), kCpf), 1) << n;
  }
  EXPECT_EQ(pastaDoConfig(home_), dados());
}

TEST_F(Pastas, FolderListMarksOneRowKeepsTheCaseTypedAndShowsTheFolderAtOnce) {
  auto t00 = terminal("00");
  registra(*t00, kOutro);
  const std::string novo = home_ + "/Novo";
  t00->keys({"M-l", "Enter"});
  ASSERT_TRUE(t00->waitForText("Pasta atual")) << t00->capture();
  t00->keys({"F7"});
  ASSERT_TRUE(t00->waitForText("Drive e diret")) << t00->capture();
  // A new row: the folder typed in mixed case is offered for creation and kept as typed.
  // Typed as a clerk types, after the cell has opened.
  teclas(*t00, {"Down", "Down", "Right"});
  e2e::digita(*t00, novo.substr(0, 1));
  t00->text(novo.substr(1));
  ASSERT_TRUE(t00->waitForText(novo)) << t00->capture();
  t00->keys({"Enter"});
  ASSERT_TRUE(t00->waitForText("Diretório novo para")) << t00->capture();
  EXPECT_FALSE(std::filesystem::exists(novo));
  t00->keys({"S"});
  ASSERT_TRUE(t00->waitFor([](const std::string& t) { return t.find("Cria-o") == std::string::npos; }))
      << t00->capture();
  EXPECT_TRUE(std::filesystem::is_directory(novo));
  // "S" typed with the cursor in the folder's name marks the row; the name stays.
  t00->keys({"Up", "Right"});
  t00->text("S");
  ASSERT_TRUE(t00->waitForText("Pasta atual  :  " + novo + "/")) << t00->capture();
  EXPECT_NE(t00->capture().find("Drive e diret"), std::string::npos) << "shown while the list is open";
  EXPECT_EQ(registroDePastas(home_), (std::vector<std::string>{" |" + home_, " |" + dados(), "S|" + novo}));
  EXPECT_EQ(pastaDoConfig(home_), novo);
  // (The list's picture may stay behind on the screen: the windows' restore is not this test's.)
  teclas(*t00, {"Escape"});
  t00->keys({"Escape"});
  ASSERT_TRUE(t00->waitFor([](const std::string& t) {
    return t.find("F1 Nome F2 CPF") == std::string::npos;
  })) << t00->capture();

  // Printing a taxpayer found only in the other folder switches to it, and the page says so.
  t00->keys({"M-i", "Enter"});
  ASSERT_TRUE(t00->waitForText("Pasta atual")) << t00->capture();
  t00->text(kOutro);
  ASSERT_TRUE(t00->waitForText("Pasta atual  :  " + dados() + "/")) << t00->capture();
  EXPECT_EQ(pastaDoConfig(home_), dados());
  EXPECT_EQ(registroDePastas(home_), (std::vector<std::string>{" |" + home_, "S|" + dados(), " |" + novo}));

  // The job goes on to the printer, which this machine does not have: abandoned there.
  ASSERT_TRUE(t00->waitForText("Abandona")) << t00->capture();
  t00->keys({"A"});
  ASSERT_TRUE(t00->waitFor([](const std::string& t) { return t.find("Pasta atual") == std::string::npos; }))
      << t00->capture();

  // The main menu's Pastas checks its cells too: one row marked, the folder switched.
  teclas(*t00, {"M-l", "Down", "Down", "Down"});
  ASSERT_TRUE(t00->waitForText("Seleciona o Drive e a Pasta")) << t00->capture();
  // (The earlier list may still be painted: the new one is open once the pad has gone.)
  teclas(*t00, {"Enter"});
  ASSERT_TRUE(t00->waitFor([](const std::string& t) { return t.find("Seleciona o Drive e a Pasta") == std::string::npos; }))
      << t00->capture();
  ASSERT_TRUE(t00->waitForText("Drive e diret")) << t00->capture();
  // The new, empty row has no folder to take: refused, nothing marked or added. (Up on the
  // first row shows nothing, so the keys up go together.)
  t00->keys({"Up", "Up", "Up"});
  teclas(*t00, {"Down", "Down", "Down"});
  t00->text("S");
  confirmaAviso(*t00, "Escreva antes o nome da pasta na coluna ao lado.");
  teclas(*t00, {"Escape"});
  EXPECT_EQ(registroDePastas(home_), (std::vector<std::string>{" |" + home_, "S|" + dados(), " |" + novo}));
  teclas(*t00, {"Up"});
  t00->text("S");
  ASSERT_TRUE(t00->waitFor([&](const std::string&) { return pastaDoConfig(home_) == novo; })) << t00->capture();
  EXPECT_EQ(registroDePastas(home_), (std::vector<std::string>{" |" + home_, " |" + dados(), "S|" + novo}));
}

}  // namespace
