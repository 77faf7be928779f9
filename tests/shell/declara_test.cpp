// The declaration driver on the scripted terminal: a new taxpayer registered, opened and
// saved; the screen keys and the screen order; the end question; the autosave with a fixed
// clock; the clock and size of use; the register's ORDEM; F4 recovery after a killed process.
#include "shell/declara.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "console/mensagens.h"
#include "grid/edita.h"
#include "programa_fixture.h"
#include "rt/db/table.h"
#include "rt/term/colour.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "shell/declara_registro.h"
#include "shell/declara_teclas.h"
#include "shell/despacho.h"
#include "shell/inicio.h"
#include "shell/telas_declaracao.h"
#include "store/abertura.h"
#include "store/tabelas_declaracao.h"
#include "support/scratch_dir.h"

namespace shell::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

constexpr std::string_view kA = "11144477735";
constexpr std::string_view kB = "52998224725";
constexpr std::string_view kC = "12345678909";  // not registered

// The tests' data and work folders are scratch folders (in memory where the machine allows),
// removed with everything in them.
class Rascunho {
 public:
  Rascunho() : caminho_(support::makeScratchDir("dc")) {}
  ~Rascunho() { support::removeScratchDir(caminho_); }
  Rascunho(const Rascunho&) = delete;
  Rascunho& operator=(const Rascunho&) = delete;
  const std::string& caminho() const { return caminho_; }

 private:
  std::string caminho_;
};

// The data and work folders of a program moved to `pasta`, with its register open there.
bool mudaPastas(Program& q, const std::string& pasta) {
  (void)q.areas.close(store::Area::IMP0910);
  q.definePastaDados(pasta);
  q.definePastaTrabalho(pasta);
  return store::ABERTURA(q, store::Area::IMP0910).isOk();
}

// A stand-in screen for the driver's tests: clears the screen below the index row, shows
// "Tela n", and waits for the key that ends the screen as a screen without fields does.
void telaProvisoria(Program& p, Declara& d, int n) {
  rt::term::Screen& s = p.screen();
  const auto cor = rt::term::makeAttr(15, 1);
  s.fill({2, 0, 23, 79}, ' ', cor);
  s.put(3, 2, "Tela " + std::to_string(n), cor);
  esperaTecla(p, d);
}

class Declaracao : public ProgramaFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(inicia());
    ASSERT_TRUE(mudaPastas(*p, pasta.caminho() + "/"));
    // A ("FULANO") and B ("BELTRANO") are registered.
    rt::db::Table& r = *p->areas.table(store::Area::IMP0910);
    for (auto [c, nome] : {std::pair{kA, "FULANO"}, std::pair{kB, "BELTRANO"}}) {
      ASSERT_TRUE(r.appendBlank());
      ASSERT_TRUE(r.put("CPF", std::string(c)));
      ASSERT_TRUE(r.put("NOMECONTR", std::string(nome)));
    }
    ASSERT_TRUE(r.flush());
    (void)r.unlock();
    (void)r.goTop();
    p->OPCAO_1 = 11;
  }
  ~Declaracao() override { p.reset(); }

  // The driver's services with a screen that records its number, lets the test act on the
  // open declaration and then runs as the provisional screen; a test that ran out of keys
  // ends its declaration without saving rather than asking for ever.
  ServicosDeclara servicos() {
    ServicosDeclara s;
    s.GTELA = [this](Program& q, Declara& d, int n) {
      telas.push_back(n);
      if (aoEntrar) aoEntrar(d, n);
      if (term.exhausted() || telas.size() > 200) {
        d.tela.INI = "I";
        return;
      }
      telaProvisoria(q, d, n);
    };
    return s;
  }
  void roda() { DECLARA(*p, servicos()); }

  // Loading and saving show their progress in message windows, which drop the keys typed
  // ahead; the keys after them are queued behind a pause, as a user types after seeing it.
  // The CPF typed: the prompt ends with the field's last digit.
  void cpf(std::string_view c) {
    term.type(c);
    term.pause();
  }
  // A new taxpayer: the CPF and "Sim" to register him.
  void novo(std::string_view c) {
    term.type(c);
    term.press('S');
    term.pause();
  }
  // Esc on a screen and the answer to the end question.
  void termina(char resposta) {
    term.press(key::Esc);
    term.press(resposta);
    term.pause();
  }

  // A table of the data folder, opened outside the program, on the CPF's row.
  std::unique_ptr<rt::db::Table> dados(std::string_view arquivo, std::string_view c = {}) {
    auto t = rt::db::Table::open(p->LOCARQ + std::string(arquivo) + ".DBF");
    if (!t) return nullptr;
    auto tabela = std::move(*t);
    (void)tabela->goTop();
    while (!c.empty() && !tabela->eof() && tabela->getText("CPF") != c) (void)tabela->skip();
    return tabela;
  }
  std::string nomeNoRegistro(std::string_view c) {
    auto t = dados("IMP0910", c);
    return t && !t->eof() ? std::string(rt::text::trim(t->getText("NOMECONTR"))) : "<none>";
  }

  Rascunho pasta;
  std::vector<int> telas;
  std::function<void(Declara&, int)> aoEntrar;
};

TEST_F(Declaracao, ANewTaxpayerIsRegisteredOpenedOnIdentificationAndSaved) {
  std::vector<std::string> rotulos;
  aoEntrar = [&](Declara& d, int n) {
    if (n != 6) return;
    d.dec.espelho.registro.txt("NOMECONTR", "FULANO DE TAL");
    const grid::MatrizRef leao = grid::MATATU(d.matrizes, d.dec.espelho, "REC_MENSAL");
    const grid::MatrizRef ganho = grid::MATATU(d.matrizes, d.dec.espelho, "REC_GANHO");
    rotulos = {leao.cel(1, 1).rotulo, leao.cel(13, 1).rotulo, *ganho.cel(2, 3).texto, *ganho.cel(13, 3).texto};
    EXPECT_EQ(d.matrizes.CALC_MENS[3][2], rt::text::Decimal());
  };
  novo(kC);
  term.press(key::Tab);  // a new taxpayer goes from identification to screen 1
  termina('S');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 1}));
  // The matrices of the grids carry their month labels.
  EXPECT_EQ(rotulos, (std::vector<std::string>{"01-Jan", "Totais", "02-Fevereiro", "<- Totais ->"}));
  EXPECT_TRUE(gravador.viu("Esse Contribuinte n"_cp));
  EXPECT_TRUE(gravador.viu("Tela 6"));
  EXPECT_TRUE(gravador.viu(textoTeclasDoCodigo()));
  // The final save wrote the register and table 01 of the data folder.
  EXPECT_EQ(nomeNoRegistro(kC), "FULANO DE TAL");
  auto t01 = dados("IMP0110", kC);
  ASSERT_TRUE(t01);
  EXPECT_FALSE(t01->eof());
  EXPECT_EQ(p->cfg.ULT_CPF, kC);
  // The index row was shown while the declaration was open.
  EXPECT_TRUE(gravador.viuEm(
      0, 0, "1=PJ 2=PF 3=Ise 4=Pgto 5=Bem 6=Iden 7=Cal 8=GCap 9=RVar 10=Balan 11=notas 12=MOL"));
  // Every key the driver bound is free again.
  for (int k : {key::F1, key::F4, key::F5, key::F8, key::F11, key::Tab, key::ShiftTab, key::AltW, key::AltI})
    EXPECT_EQ(con.hotKeyFor(rt::term::Key{k}), nullptr) << k;
}

TEST_F(Declaracao, DecliningTheNewTaxpayerEndsWithoutRegistering) {
  cpf(kC);
  term.press('N');
  roda();
  EXPECT_TRUE(telas.empty());
  EXPECT_EQ(nomeNoRegistro(kC), "<none>");
}

TEST_F(Declaracao, ScreenKeysAndTabShiftTabPgUpPgDnEnterEscMoveByTheRules) {
  cpf(kA);
  term.press(key::F5);        // 1 -> 5
  term.press(key::PgDn);      // 5 again
  term.press(key::Tab);       // 6
  term.press(key::Tab);       // 7
  term.press(key::Tab);       // 10
  term.press(key::ShiftTab);  // 7
  term.press(key::Enter);     // 8
  term.press(key::Esc);       // 8 -> 7 without asking
  term.press(key::F9);        // 9
  term.press(key::Esc);       // 9 -> 7 without asking
  term.press(key::F11);       // 11
  term.press(key::Tab);       // no rural activity: back to 1
  term.press(key::F12);       // nothing without rural activity; 'x' leaves screen 1 for 2
  term.press('x');
  term.press(key::PgUp);      // 1
  term.press(key::ShiftTab);  // screen 1 stays
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1, 5, 5, 6, 7, 10, 7, 8, 7, 9, 7, 11, 1, 2, 1, 1}));
}

TEST_F(Declaracao, RuralScreensGoRoundAndF12Reaches12) {
  aoEntrar = [](Declara& d, int) { d.dec.espelho.registro.txt("TEMRURAL", "S"); };
  cpf(kA);
  term.press(key::F12);                              // 12
  term.press(key::Tab);                              // 13
  term.press(key::F1);                               // 1
  term.press(key::F11);                              // 11
  term.press(key::Tab);                              // 12 with rural activity
  for (int i = 0; i < 5; ++i) term.press(key::Tab);  // 13 .. 17
  term.press(key::Tab);                              // 17 -> 12
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1, 12, 13, 1, 11, 12, 13, 14, 15, 16, 17, 12}));
}

TEST_F(Declaracao, EscOnTheEndQuestionGoesOnAndIgnoreKeepsTheTablesAsTheyWere) {
  aoEntrar = [](Declara& d, int) { d.dec.espelho.registro.txt("NOMECONTR", "OUTRO NOME"); };
  cpf(kA);
  term.press(key::Esc);
  term.press(key::Esc);  // Esc on the question: "N", the declaration goes on
  term.press(key::Esc);
  term.press('N');
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1, 1, 1}));
  for (std::string_view l : {" Termina  a  Declaração ?"_cp, "Sim. Salve tudo        "_cp,
                             "Não, volte p/declaração."_cp, "Ignore as alterações    "_cp})
    EXPECT_TRUE(gravador.viu(l)) << l;
  EXPECT_EQ(nomeNoRegistro(kA), "FULANO");
}

TEST_F(Declaracao, AFinalSaveThatFailsKeepsTheDeclarationOpen) {
  aoEntrar = [this](Declara& d, int) {
    d.dec.espelho.registro.txt("NOMECONTR", "SALVO NA SEGUNDA");
    // The first save finds table 01's working copy closed; the second has it again.
    if (telas.size() == 1)
      (void)p->areas.close(store::Area::TMP_01);
    else
      ASSERT_TRUE(store::abreCopia(*p, store::Area::TMP_01));
  };
  cpf(kA);
  termina('S');
  term.press(key::Enter).pause();  // closes the save's message
  termina('S');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1, 1}));
  EXPECT_TRUE(gravador.viu("Salvando IMP01"));
  EXPECT_EQ(nomeNoRegistro(kA), "SALVO NA SEGUNDA");
}

TEST_F(Declaracao, TheIndexListSwitchesScreensAndCanEndTheDeclaration) {
  aoEntrar = [](Declara& d, int) { d.dec.espelho.registro.txt("NOMECONTR", "PELO INDICE"); };
  cpf(kA);
  term.press(key::AltI);
  term.press(key::Enter);  // the list
  term.press('D');         // Declaração de bens: screen 5
  term.press(key::AltI);
  term.press('V');  // the bar's own letter: Renda Variável, screen 9
  term.press(key::AltI);
  term.press(key::Enter);
  term.press(key::End);  // entry 13: the end question
  term.press(key::Enter);
  term.press('S').pause();
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1, 5, 9}));
  EXPECT_EQ(nomeNoRegistro(kA), "PELO INDICE");
}

// A pending item picked on the notes page (Ctrl+Enter in its list) opens the page of the item:
// the list sets the driver's own screen state, which the Enter that leaves then advances.
TEST_F(Declaracao, APendingItemPickedOnTheNotesPageOpensItsPage) {
  bool primeira = true;
  aoEntrar = [&](Declara& d, int n) {
    if (n != 11 || !primeira) return;
    primeira = false;
    rt::db::Table& lista = *store::tabela(d.p.areas, store::Area::TMP_11);
    ASSERT_TRUE(lista.appendBlank());
    ASSERT_TRUE(lista.put("CPF", std::string(kA)));
    ASSERT_TRUE(lista.put("OBSERV", std::string("FALTA O RECIBO")));
    ASSERT_TRUE(lista.put("PAGINA", Decimal::fromInt(7)));
    ASSERT_TRUE(lista.flush());
    (void)store::seleciona(d.p.areas, store::Area::TMP_11);
    (void)grid::EDITA(d.p, d.grade, 11);
  };
  cpf(kA);
  term.press(key::F11);
  term.press(key::CtrlEnter);
  term.press(key::Enter);
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1, 11, 7}));
}

TEST_F(Declaracao, IgnoringFromTheIndexDoesNotAutosaveFirst) {
  p->aj.TEMP_SAL = 15;
  aoEntrar = [this](Declara& d, int) {
    relogio.advanceSeconds(20 * 60);
    d.dec.espelho.registro.txt("NOMECONTR", "IGNORADO");
  };
  cpf(kA);
  term.press(key::AltI);
  term.press(key::Enter);
  term.press(key::End);
  term.press(key::Enter);
  term.press('I').pause();
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1}));
  EXPECT_EQ(nomeNoRegistro(kA), "FULANO");
}

TEST_F(Declaracao, ExportItemsOpenTheCallersTaxpayerWithoutAsking) {
  std::vector<std::string> exportados;
  ServicosDeclara s = servicos();
  s.exporta = [&](Program&, Declara& d) {
    exportados.push_back(std::string(rt::text::trim(d.dec.espelho.registro.txt("NOMECONTR"))));
    return true;
  };
  p->cfg.ULT_CPF = std::string(kA);
  p->OPCAO_1 = 64;
  p->CPF = std::string(kB);
  DECLARA(*p, s);
  EXPECT_EQ(exportados, (std::vector<std::string>{"BELTRANO"}));
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_TRUE(telas.empty());
}

TEST_F(Declaracao, F1PicksTheTaxpayerFromTheRegisterInNameOrder) {
  std::vector<std::string> abertos;
  aoEntrar = [&](Declara& d, int) { abertos.push_back(d.dec.espelho.CPF); };
  // The list opens on the register's row (FULANO); the name before it is BELTRANO. The list
  // drops what was typed ahead when it closes.
  term.press(key::F1);
  term.press(key::Up);
  term.press(key::Enter).pause();
  term.press(key::Enter).pause();
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(abertos, (std::vector<std::string>{std::string(kB)}));
}

TEST_F(Declaracao, AnEmptyCpfSearchesTheRegisterByName) {
  std::vector<std::string> abertos;
  aoEntrar = [&](Declara& d, int) { abertos.push_back(d.dec.espelho.CPF); };
  term.press(key::Enter);  // nothing typed: the name is asked instead
  term.type("beltr");      // taken in upper case, sought from its start
  term.press(key::Enter).pause();
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(abertos, (std::vector<std::string>{std::string(kB)}));
}

TEST_F(Declaracao, ATaxpayerFoundNowhereEndsTheActionItemsWithTheAlert) {
  bool chamado = false;
  ServicosDeclara s = servicos();
  s.diario = [&](Program&, Declara&) { return chamado = true; };
  p->OPCAO_1 = 12;
  term.type(kC);
  term.press(key::Enter);
  DECLARA(*p, s);
  EXPECT_FALSE(chamado);
  EXPECT_TRUE(gravador.viu("O contribuinte não foi localizado em nenhum dos diretórios indicado."_cp));
  EXPECT_TRUE(gravador.viu(" Confira o código ou os diretórios digitados"_cp));
  EXPECT_EQ(nomeNoRegistro(kC), "<none>");
}

// After a declaration is saved the prompt offers its CPF beside its name; a CPF typed over it
// that the folder does not hold is asked about beside no name, never the saved taxpayer's.
TEST_F(Declaracao, ACpfTypedAfterASaveIsNeverShownBesideThePreviousName) {
  cpf(kA);
  termina('S');
  novo(kC);
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_TRUE(gravador.viu("Esse Contribuinte n"_cp));
  EXPECT_TRUE(gravador.viu("111.444.777-35││FULANO"_cp));
  // Not while it is typed, nor at the question, nor an empty prompt beside a name.
  for (const std::string& t : gravador.telas) {
    const std::size_t n = t.find("FULANO");
    if (n != std::string::npos) {
      EXPECT_EQ(t.substr(n - 16, 14), "111.444.777-35") << t;
    }
  }
}

TEST_F(Declaracao, PgDnAndPgUpWalkTheRegisterInThePrompt) {
  std::vector<std::string> abertos;
  aoEntrar = [&](Declara& d, int) { abertos.push_back(d.dec.espelho.CPF); };
  term.press(key::PgDn);  // from A to B
  term.press(key::PgDn);  // B is the last: it stays
  term.press(key::PgUp);  // A
  term.press(key::PgDn);  // B
  term.press(key::Enter).pause();
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(abertos, (std::vector<std::string>{std::string(kB)}));
}

TEST_F(Declaracao, ThePromptComesBackWholeAfterAListANoticeOrADeclaration) {
  // What the prompt shows each time F9 (free here) is pressed in it: the menu's bar and the
  // status line.
  ASSERT_TRUE(p->menu);
  p->menu->draw();
  std::vector<std::pair<std::string, std::string>> vistos;
  con.setKey(key::F9, [&] { vistos.emplace_back(linha(0), linha(24)); });
  ServicosDeclara s = servicos();
  s.corrigidos = [](Program& q, Declara&) {
    console::MENS(q, console::mens::Linha, "Atenção! A tabela de juros termina antes do mês atual: juros incompletos."_cp);
    return true;
  };
  term.press(key::F9);
  term.press(key::F5).press(key::F9);        // the interest table's notice is gone
  cpf(kA);                                   // a declaration opened and ended
  termina('I');
  term.press(key::F9).press(key::Esc);       // the bar is back over the next prompt
  DECLARA(*p, s);
  con.clearKey(key::F9);
  ASSERT_EQ(vistos.size(), 3u);
  EXPECT_NE(vistos[0].first.find("Declaracao"), std::string::npos) << vistos[0].first;
  for (const auto& [barra, rodape] : vistos) {
    EXPECT_EQ(barra, vistos[0].first);
    EXPECT_EQ(rodape, vistos[0].second);
  }
}

TEST_F(Declaracao, F7ShowsTheFolderRegisterGrid) {
  term.press(key::F7);
  term.press(key::Esc);  // leaves the grid
  term.press(key::Esc);  // leaves the prompt
  roda();
  EXPECT_TRUE(gravador.viu("Drive e diretório"_cp));
  EXPECT_TRUE(telas.empty());
}

TEST_F(Declaracao, HelpAndTheClockKeysLeaveTheScreenRunning) {
  bool parado = false;
  aoEntrar = [&](Declara& d, int) { parado = d.dec.opcoes.SEMHORA; };
  cpf(kA);
  // The field's help: this screen reads no field, so the help says it found no topic.
  term.press(key::AltF2).pause().press(key::Enter);
  term.press(key::AltT);           // the clock stops
  term.press(key::Enter);          // screen 2
  term.press(key::AltQ);           // who is open, on the top row
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1, 2}));
  EXPECT_TRUE(parado);
  EXPECT_TRUE(gravador.viuEm(0, 0, "111.444.777-35  FULANO"));
  EXPECT_TRUE(gravador.viu(" Help não encontrado..."_cp));
}

class Autosalva : public Declaracao, public ::testing::WithParamInterface<int> {};

TEST_P(Autosalva, LeavingAScreenAfterTheMinutesSavesOnceAndRestartsTheCount) {
  const int minutos = GetParam();
  p->aj.TEMP_SAL = minutos;
  // Each screen takes the minutes the test gives it and leaves its own name behind.
  const std::vector<int> passa = {5, 10, 1, 14};
  aoEntrar = [&](Declara& d, int) {
    const std::size_t i = telas.size() - 1;
    if (i >= passa.size()) return;
    relogio.advanceSeconds(passa[i] * 60);
    d.dec.espelho.registro.txt("NOMECONTR", "TELA " + std::to_string(i));
  };
  std::vector<std::string> vistos;
  cpf(kA);
  for (int i = 0; i < 3; ++i) term.press(key::PgDn).pause();
  // The autosave after the last screen comes before the end question.
  term.press(key::Esc).pause();
  term.press('I').pause();
  term.press(key::Esc);
  // The register's name after every screen, read by the next screen.
  auto anterior = aoEntrar;
  aoEntrar = [&](Declara& d, int n) {
    vistos.push_back(nomeNoRegistro(kA));
    anterior(d, n);
  };
  roda();
  vistos.push_back(nomeNoRegistro(kA));
  ASSERT_EQ(vistos.size(), 5u);
  if (minutos == 15) {
    // 5 then 10 minutes: the second screen saves; 1 more minute does not; 14 more do.
    EXPECT_EQ(vistos, (std::vector<std::string>{"FULANO", "FULANO", "TELA 1", "TELA 1", "TELA 3"}));
  } else {
    EXPECT_EQ(vistos, (std::vector<std::string>(5, "FULANO")));
  }
}

INSTANTIATE_TEST_SUITE_P(Minutos, Autosalva, ::testing::Values(15, 0, 99));

TEST_F(Declaracao, AltWSavesAtOnceUnlessSavingIsOnlyAtTheEnd) {
  for (int temp : {0, 99}) {
    p->aj.TEMP_SAL = temp;
    aoEntrar = [](Declara& d, int) { d.dec.espelho.registro.txt("NOMECONTR", "DEPOIS"); };
    cpf(temp == 0 ? kA : kB);
    term.press(key::AltW).pause();
    termina('I');
    term.press(key::Esc);
    roda();
    EXPECT_EQ(nomeNoRegistro(temp == 0 ? kA : kB), temp == 0 ? "DEPOIS" : "BELTRANO") << temp;
    telas.clear();
  }
}

TEST_F(Declaracao, TheClockAddsOneDayLessASecondAtMidnightAndBothUsesStopAtSixDigits) {
  Declara d(*p, servicos());
  d.dec.espelho.registro.num("TEM_USO", 100);
  d.dec.espelho.INI_DECLA = Decimal::fromInt(86000);
  relogio.set(rt::text::LocalTime{rt::text::Date::fromYmd(2010, 6, 21), 100, 0});
  EXPECT_EQ(d.VETEMPO(), 100 + 100 + 86399 - 86000);
  d.dec.espelho.registro.num("TEM_USO", 999990);
  EXPECT_EQ(d.VETEMPO(), 999999);
  // A paused clock counts nothing and starts again from the reading.
  d.dec.opcoes.SEMHORA = true;
  d.dec.espelho.registro.num("TEM_USO", 50);
  EXPECT_EQ(d.VETEMPO(), 50);
  // Pausing adds the time up to the pause, never past the field.
  d.dec.opcoes.SEMHORA = false;
  p->OPCAO_1 = 11;
  d.dec.espelho.INI_DECLA = Decimal::fromInt(40);
  d.DESLIG_RELG();
  EXPECT_TRUE(d.dec.opcoes.SEMHORA);
  EXPECT_EQ(d.dec.espelho.registro.num("TEM_USO"), Decimal::fromInt(110));
  d.dec.espelho.registro.num("TEM_USO", 999999);
  d.DESLIG_RELG();
  relogio.advanceSeconds(500);
  d.DESLIG_RELG();
  EXPECT_EQ(d.dec.espelho.registro.num("TEM_USO"), Decimal::fromInt(999999));
}

TEST_F(Declaracao, TheSizeOfUseCountsTheCopiesAndStopsAtSixDigits) {
  long long tamanho = -1;
  aoEntrar = [&](Declara& d, int) {
    tamanho = d.VETAMHO();
    // Copy 22 made to look huge: the size stops at what the field holds.
    rt::db::Table& c = *p->areas.table(store::Area::TMP_02);
    const int linhas = 1000000 / c.recordSize() + 1;
    for (int i = 0; i < linhas; ++i) ASSERT_TRUE(c.appendBlank());
    ASSERT_TRUE(c.flush());
    EXPECT_EQ(d.VETAMHO(), 999999);
    EXPECT_EQ(d.dec.espelho.registro.num("TAM_USO"), Decimal::fromInt(999999));
    d.tela.INI = "I";
  };
  cpf(kA);
  term.press(key::Esc);
  roda();
  EXPECT_GT(tamanho, 0);
  EXPECT_LT(tamanho, 999999);
}

TEST_F(Declaracao, TheRegisterOrderIsResetOnlyOnTheTaxpayersRow) {
  for (std::string_view c : {kA, kB}) {
    auto t = dados("IMP0910", c);
    ASSERT_TRUE(t->lockRecord());
    ASSERT_TRUE(t->put("ORDEM", Decimal::fromInt(7)));
    ASSERT_TRUE(t->flush());
  }
  cpf(kA);
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(dados("IMP0910", kA)->getNumber("ORDEM"), Decimal());
  EXPECT_EQ(dados("IMP0910", kB)->getNumber("ORDEM"), Decimal::fromInt(7));
}

TEST_F(Declaracao, F4WithoutCopiesSaysSoAndThePromptGoesOn) {
  term.press(key::F4);
  term.press(key::Esc);
  roda();
  EXPECT_TRUE(gravador.viu("Imposs"_cp));
  EXPECT_TRUE(telas.empty());
}

TEST_F(Declaracao, F4RecoversTheDeclarationOfAKilledProcessAndOnlyForThatLoad) {
  const pid_t pid = fork();
  if (pid == 0) {
    // The other run: taxpayer A opened, his name changed on screen 7 (written into the
    // register's working copy when the screen is drawn) and the process killed on the next.
    aoEntrar = [](Declara& d, int n) {
      if (n == 1) d.dec.espelho.registro.txt("NOMECONTR", "ALTERADO ANTES DA QUEDA");
      if (n == 1) return;
      ::kill(::getpid(), SIGKILL);
    };
    cpf(kA);
    term.press(key::F7);
    term.press(key::Tab);
    roda();
    _exit(3);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;

  std::vector<std::string> nomes;
  aoEntrar = [&](Declara& d, int) {
    nomes.push_back(std::string(rt::text::trim(d.dec.espelho.registro.txt("NOMECONTR"))));
  };
  term.press(key::F4);
  term.pause();
  termina('S');
  cpf(kB);
  termina('I');
  term.press(key::Esc);
  roda();
  EXPECT_EQ(nomes, (std::vector<std::string>{"ALTERADO ANTES DA QUEDA", "BELTRANO"}));
  EXPECT_EQ(nomeNoRegistro(kA), "ALTERADO ANTES DA QUEDA");
  EXPECT_EQ(nomeNoRegistro(kB), "BELTRANO");
}

TEST_F(Declaracao, F8ShowsOnlyRuralTaxpayersInTheLists) {
  aoEntrar = [](Declara& d, int) { d.dec.espelho.registro.txt("TEMRURAL", "S"); };
  novo(kC);
  termina('S');
  term.press(key::Esc);
  roda();
  aoEntrar = nullptr;
  telas.clear();
  // F8 puts the prompt on the first rural taxpayer, whoever it showed; Enter opens him.
  p->cfg.ULT_CPF = std::string(kA);
  term.press(key::F8);
  term.press(key::Enter);
  term.pause();
  termina('I');
  term.press(key::Esc);
  std::vector<std::string> abertos;
  aoEntrar = [&](Declara& d, int) { abertos.push_back(d.dec.espelho.CPF); };
  roda();
  EXPECT_EQ(abertos, (std::vector<std::string>{std::string(kC)}));
}

TEST_F(Declaracao, MenuItemsRunTheDriverAndActionsNotInThisVersionSaySo) {
  registraDeclaracao(*p);
  for (int item : {11, 12, 13, 51, 63, 64, 65}) EXPECT_TRUE(p->funcoes.count(item)) << item;
  p->OPCAO_1 = 51;
  cpf(kA);
  EXPECT_TRUE(chamaFuncao(*p, 51));
  EXPECT_TRUE(gravador.viu(textoNaoDisponivel()));
  EXPECT_TRUE(telas.empty());
}

TEST_F(Declaracao, Item13ChecksTheDeclarationAndKeepsItsFindingsInTheErrorList) {
  p->OPCAO_1 = 13;
  cpf(kA);
  roda();
  EXPECT_TRUE(telas.empty());
  auto lista = dados("IMP1110", kA);
  ASSERT_TRUE(lista);
  EXPECT_FALSE(lista->eof()) << "an almost empty declaration has findings";
  // The progress ends with the counts, and the findings are shown in the error list with the
  // texts of the message list.
  EXPECT_TRUE(gravador.viu("Conferido.  Resultado =======>"));
  EXPECT_TRUE(gravador.viu("Notas e observaçoes"_cp));
  EXPECT_TRUE(gravador.viu("Título de eleitor não informado"_cp));
}

}  // namespace
}  // namespace shell::teste
