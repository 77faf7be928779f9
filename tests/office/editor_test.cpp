// The letter editor driven by keys on the scripted terminal: its menus and hot letters, new,
// save, save as and leave with their questions, field insertion, page format, search, the
// memo's Esc, a failed save, the help screens and the letters' pick list. A pause in the keys
// takes a picture of the screen (the console's idle call), so what the editor said can be
// asserted after it ended.
#include "office/editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "office/carta.h"
#include "office/escol_cart.h"
#include "print_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "support/disk_faults.h"

namespace {

using namespace rt::text::literals;
using print_test::le;
namespace key = rt::term::key;

class EditorCartas : public print_test::PrintFixture {
 protected:
  EditorCartas() {
    s.pastaCartas = cartas.caminho();
    imp.conf.NROLPT = 0;  // RELATOR.TXT in the work folder
    con.setIdle([this] {
      std::vector<std::string> t;
      for (int r = 0; r < 25; ++r) t.push_back(con.screen().rowText(r));
      fotos.push_back(std::move(t));
    });
    con.screen().put(10, 0, "TELA ANTERIOR", 7);
  }
  void roda(const std::string& nome = {}) {
    office::EDITEXT(ctx, imp, s, nome);
    EXPECT_FALSE(term.exhausted()) << "the keys ran out: " << term.dump();
    EXPECT_EQ(linha(10).substr(0, 13), "TELA ANTERIOR") << "the screen is given back";
  }
  void foto() { term.pause(); }
  void menu(int alt, char letra) { term.press(alt).type(std::string(1, letra)); }
  void nome(const char* n) { term.pause().press(25).type(n).press(key::Enter); }
  // "saiR" and the answers to its questions, a picture taken at each.
  void sai(const char* respostas = "S") {
    term.press(key::AltA).type("R");
    for (const char* r = respostas; *r != '\0'; ++r) term.pause().type(std::string(1, *r));
  }
  // Whether some picture held the text (from column c of row r when given).
  bool viu(std::string_view texto, int r = -1, int c = 0) const {
    for (const auto& f : fotos)
      for (int i = 0; i < 25; ++i)
        if ((r < 0 || i == r) &&
            f[static_cast<std::size_t>(i)].find(texto, static_cast<std::size_t>(c)) != std::string::npos &&
            (r < 0 || f[static_cast<std::size_t>(i)].find(texto, static_cast<std::size_t>(c)) ==
                          static_cast<std::size_t>(c)))
          return true;
    return false;
  }
  static std::string todasDe(const std::vector<std::string>& f) {
    std::string t;
    for (const auto& l : f) t += l + "\n";
    return t;
  }
  std::string todas() const {
    std::string t;
    for (const auto& f : fotos) {
      for (const auto& l : f) t += rt::text::cp860ToUtf8(l) + "\n";
      t += "----\n";
    }
    return t;
  }

  print_test::Pasta cartas;
  office::ServicosEditor s;
  std::vector<std::vector<std::string>> fotos;
};

const std::string kNovo = "\xB2\xB3  0  0 8066 0 0\xB3\xB2";

TEST_F(EditorCartas, NewLetterWithAFieldSavedOnceAndLeft) {
  foto();  // the editor's screen
  menu(key::AltA, 'N');
  nome("carta");
  term.type("Ola,");
  menu(key::AltE, 'I');  // the field list
  foto();
  term.pause().type("2").press(key::Enter);
  menu(key::AltA, 'S');
  foto();
  menu(key::AltA, 'S');
  foto();
  sai("N");  // "N" stays, with the bar
  foto();
  term.press(key::F10).pause().press(key::Enter).pause().press(key::Esc);  // the bar previews, Enter opens
  sai("S");
  roda();
  EXPECT_EQ(le(cartas / "CARTA.TXT"), kNovo +
                                          "Ola, \xAE"
                                          "Nome\xAF \x1A");
  EXPECT_TRUE(viu("Arquivos  Edi\x87\x84o    Impress\x84o Help", 0, 0)) << todas();
  EXPECT_TRUE(viu(" F10 Menu ", 22, 5));
  EXPECT_TRUE(viu("Arquivo: semnome.txt", 23, 1));
  EXPECT_TRUE(viu("Linha: 1     Coluna: 0  ", 23, 56));
  EXPECT_TRUE(viu("01 CPF         02 Nome", 2, 32)) << todas();
  EXPECT_TRUE(viu("33 Senha       34 Codigo", 18, 32));
  EXPECT_TRUE(viu("Informe o n\xA3mero", 19, 32));
  EXPECT_TRUE(viu("Grava\x87\x84o OK")) << todas();
  EXPECT_TRUE(viu("O arquivo n\x84o foi modificado. N\x84o gravado."));
  EXPECT_TRUE(viu("Sair do Editor ?"));
  EXPECT_TRUE(viu("Arquivo: CARTA.TXT", 23, 1));
  EXPECT_TRUE(viu("Abrir      ", 2, 1)) << "the bar's preview of Arquivos";
  EXPECT_TRUE(viu("saiR", 6, 1));
  EXPECT_FALSE(imp.dispositivo.routed());
}

TEST_F(EditorCartas, OpenSearchAgainWithoutWrapFormatAndEscAsksFirst) {
  print_test::escreve(cartas / "aviso.txt", "um dois um\r\ntres um\x1A");
  // "Buscar por:" from the cursor, then again: the next match each time, never back to the top.
  menu(key::AltE, 'B');
  nome("um");
  foto();
  menu(key::AltE, 'N');
  foto();
  menu(key::AltE, 'N');
  foto();
  const std::size_t antes = 4;  // pictures taken before the last search
  menu(key::AltE, 'N');
  foto();
  // Esc on a changed text asks before leaving; "N" goes on with what was typed.
  term.type("XYZ").press(key::Esc).pause().type("N");
  // Margins 5 and 10 with the total 151: width 136; the form shows the total again.
  menu(key::AltE, 'F');
  for (const char* v : {"5", "10"}) term.pause().press(25).type(v).press(key::Enter);
  term.press(25).type("151");  // a full field moves on by itself
  term.press(key::Enter).press(key::Enter).press(key::Enter);
  menu(key::AltE, 'F');
  term.pause().press(key::Esc);
  menu(key::AltA, 'S');
  sai();
  roda("AVISO");
  ASSERT_GE(fotos.size(), antes + 1);
  EXPECT_TRUE(viu("Arquivo: aviso.txt", 23, 1));
  EXPECT_EQ(fotos[1][23].substr(56, 22), "Linha: 1     Coluna: 0") << todas();
  EXPECT_EQ(fotos[2][23].substr(56, 22), "Linha: 1     Coluna: 8");
  EXPECT_EQ(fotos[3][23].substr(56, 22), "Linha: 2     Coluna: 5");
  EXPECT_EQ(fotos[3][24].substr(1, 9), "Busca OK.");
  EXPECT_EQ(fotos[4][23].substr(56, 22), "Linha: 2     Coluna: 5");
  EXPECT_EQ(fotos[4][24].substr(1, 21), "Texto n\x84o encontrado.");
  EXPECT_TRUE(viu("Margem Esquerda      5 colunas", 2, 32)) << todas();
  EXPECT_TRUE(viu("Largura Total      151 colunas", 4, 32));
  EXPECT_TRUE(viu("Tamanho da P\xA0gina   66 linhas", 7, 32));
  EXPECT_EQ(le(cartas / "aviso.txt"),
            "\xB2\xB3  5 10136"
            "66 0 0\xB3\xB2"
            "um dois um\r\ntres XYZ\x1A");
}

// Esc on an unchanged text leaves nothing to lose and asks nothing; on a changed one it asks
// the leaving question with the text kept: "N" goes on editing it, "S" asks to save it.
TEST_F(EditorCartas, EscAfterTypingAsksBeforeAnythingIsLost) {
  print_test::escreve(cartas / "aviso.txt", "Prezado,\x1A");
  term.press(key::Esc);  // nothing typed: the memo starts again
  foto();
  term.press(key::Down).press(key::End).press(key::Enter).type("linha um").press(key::Enter).type("linha dois");
  term.press(key::Esc);
  foto();
  term.type("N");  // stays, with both lines
  foto();
  term.type(" e tres").press(key::Esc).pause().type("S").pause().type("S");  // leave, saving
  roda("aviso");
  ASSERT_GE(fotos.size(), 4u) << todas();
  EXPECT_EQ(fotos[0][24].find("Sair do Editor"), std::string::npos) << todas();
  EXPECT_NE(todasDe(fotos[1]).find("Sair do Editor ?"), std::string::npos) << todas();
  EXPECT_NE(todasDe(fotos[2]).find("linha dois"), std::string::npos) << "the typed lines stay on screen";
  EXPECT_TRUE(viu("O arquivo aviso.txt foi modificado. Gravar?"));
  EXPECT_EQ(le(cartas / "aviso.txt"), "Prezado,\r\nlinha um\r\nlinha dois e tres\x1A");

  // "S" to leaving and "N" to saving: the clerk chose to drop the text; the file stays.
  fotos.clear();
  term.type("rascunho").press(key::Esc).pause().type("S").pause().type("N");
  roda("aviso");
  EXPECT_EQ(le(cartas / "aviso.txt"), "Prezado,\r\nlinha um\r\nlinha dois e tres\x1A");
}

// "salvar Como" onto another letter that exists asks first: "N" leaves it and shows the menu
// again, "S" replaces it; onto the letter's own name it is a save and asks nothing.
TEST_F(EditorCartas, SaveAsOntoAnExistingLetterAsksBeforeReplacingIt) {
  const std::string antiga = "\xB2\xB3  5  0 70 60 2 2\xB3\xB2" "Carta de cobran\x87" "a\x1A";
  print_test::escreve(cartas / "aviso.txt", antiga);
  print_test::escreve(cartas / "nova.txt", "Nova carta\x1A");
  term.press(key::End).type(" revista");
  menu(key::AltA, 'C');
  nome("aviso");
  foto();
  term.type("N");  // kept; the menu shows again
  foto();
  term.press(key::Esc);
  menu(key::AltA, 'C');
  nome("NOVA");  // its own name: written without a question
  foto();
  menu(key::AltA, 'C');
  nome("aviso");
  term.pause().type("S");
  sai();
  roda("nova");
  EXPECT_TRUE(viu("O arquivo AVISO.TXT j\xA0 existe. Substituir?")) << todas();
  ASSERT_GE(fotos.size(), 3u);
  EXPECT_NE(todasDe(fotos[1]).find("salvar Como"), std::string::npos) << "the menu again: " << todas();
  EXPECT_EQ(todasDe(fotos[2]).find("Substituir?"), std::string::npos) << todas();
  EXPECT_EQ(le(cartas / "nova.txt"), "Nova carta revista\x1A");
  EXPECT_EQ(le(cartas / "aviso.txt"), "Nova carta revista\x1A") << "replaced once the clerk said so";
}

// A name with accents, typed in the console's code page: the letter is made, listed and opened
// under the file system's (UTF-8) name; a name the console cannot show is not listed.
TEST_F(EditorCartas, AccentedLetterNamesTypedListedAndOpened) {
  print_test::escreve(cartas / "Cobran\xC3\xA7" "a.txt", "Prezado,\x1A");  // Cobrança
  print_test::escreve(cartas / "\xE2\x82\xAC" "uro.txt", "x");          // €uro: no CP860 form
  menu(key::AltA, 'N');
  nome("A\x80\x8EO");  // AÇÃO
  term.type("Segue o relat\xA2rio.");
  menu(key::AltA, 'S');
  menu(key::AltA, 'A');
  term.pause().press(key::Down).press(key::Enter);  // the second of the list: Cobrança
  foto();
  sai();
  roda();
  EXPECT_EQ(le(cartas / "A\xC3\x87\xC3\x83O.TXT"), kNovo + "Segue o relat\xA2rio.\x1A");
  EXPECT_TRUE(viu("A\x80\x8EO.TXT", 2, 15)) << todas();
  EXPECT_TRUE(viu("Cobran\x87" "a.txt", 3, 15)) << todas();
  EXPECT_FALSE(viu("uro.txt")) << todas();
  EXPECT_TRUE(viu("Arquivo: cobran\x87" "a.txt", 23, 1)) << todas();
  EXPECT_TRUE(viu("Prezado,", 2, 0)) << "the letter opened";
}

TEST_F(EditorCartas, FieldZeroMarksTheLetterAndAFailedSaveKeepsTheEditor) {
  // A folder where the letter's file should be: it opens empty and cannot be written (not
  // even by root), until F11 takes the folder away.
  std::filesystem::create_directory(cartas / "CARTA.TXT");
  con.setKey(key::F11, [this] { std::filesystem::remove(cartas / "CARTA.TXT"); });
  menu(key::AltE, 'I');
  term.pause().type("0").press(key::Enter);
  sai("SS");  // the save question: the write fails and the editor stays
  foto();
  term.press(key::F11);
  menu(key::AltE, 'I');
  term.press(key::Esc);
  sai("SS");
  roda("carta");
  EXPECT_TRUE(viu("O arquivo carta.txt foi modificado. Gravar?")) << todas();
  EXPECT_TRUE(viu("Erro na grava\x87\x84o: Is a directory")) << "the system's reason is said";
  EXPECT_TRUE(viu("Arquivos  Edi\x87\x84o", 0, 0));
  EXPECT_EQ(le(cartas / "CARTA.TXT"), "\x1A") << "nothing was inserted";
}

// A save the disk fails at its write, its sync or its rename: the clerk reads the system's
// reason, the letter on disk is the old one and the editor stays with the text, which the
// save on leaving then writes.
TEST_F(EditorCartas, ASaveTheDiskFailsSaysWhyAndKeepsTheOldLetterAndTheText) {
  const support::FaultCase casos[] = {{support::Call::kWrite, support::FaultKind::kNoSpace},
                                      {support::Call::kSync, support::FaultKind::kIoError},
                                      {support::Call::kRename, support::FaultKind::kNoSpace}};
  for (const support::FaultCase& c : casos) {
    SCOPED_TRACE(c.label());
    print_test::escreve(cartas / "carta.txt", "Antiga\x1A");
    fotos.clear();
    std::string entreAsGravacoes;
    con.setKey(key::F11, [&] { entreAsGravacoes = le(cartas / "carta.txt"); });
    term.type("Nova ");
    menu(key::AltA, 'S');
    foto();
    term.press(key::F11);
    sai("SS");
    {
      support::DiskFaults falhas(support::Fault{c.call, c.kind, "carta.txt"});
      roda("carta");
      EXPECT_EQ(falhas.made(), 1);
    }
    EXPECT_EQ(entreAsGravacoes, "Antiga\x1A");
    EXPECT_TRUE(viu("Erro na grava\x87\x84o: " + std::string(support::faultText(c.kind)))) << todas();
    // Typed over the old text (the editor starts in overwrite mode).
    EXPECT_EQ(le(cartas / "carta.txt"), "Nova a\x1A") << "the save on leaving wrote the text";
    EXPECT_EQ(cartas.arquivos(), std::vector<std::string>{"carta.txt"});
  }
}

TEST_F(EditorCartas, OpenAndNewAskToSaveAModifiedLetterAndSaveAsWritesUnchanged) {
  print_test::escreve(cartas / "b.txt", "Carta B");
  term.type("Nova ");
  // "Abrir" on a modified letter: its save question ("S" writes SEMNOME.TXT), then b.txt.
  menu(key::AltA, 'A');
  term.press(key::Enter).type("S");
  foto();
  // Saved as another name, unchanged: written anyway.
  menu(key::AltA, 'C');
  nome("copia");
  // A name with a folder is refused and the menu shows again.
  menu(key::AltA, 'N');
  nome("../X");
  term.pause().press(key::Enter).press(key::Esc);
  sai();
  roda();
  EXPECT_EQ(le(cartas / "SEMNOME.TXT"), "Nova \x1A");
  EXPECT_EQ(le(cartas / "COPIA.TXT"), "Carta B\x1A");
  EXPECT_TRUE(viu("Arquivo: b.txt", 23, 1)) << todas();
  EXPECT_TRUE(viu("Nome de carta inv\xA0lido")) << todas();
  EXPECT_FALSE(std::filesystem::exists(cartas / "../X.TXT"));
}

TEST_F(EditorCartas, HelpScreensAndPrintingThePlainLetterAfterAFailedRouting) {
  print_test::escreve(cartas / "aviso.txt",
                      "\xB2\xB3  3  0 40 6 1 1\xB3\xB2Prezado "
                      "\xAE"
                      "Nome\xAF\x1A");
  menu(key::AltH, 'T');
  term.pause().press(key::Enter);
  menu(key::AltH, 'M');
  term.pause().press(key::Enter);
  // A network printer without a name cannot be routed: said, and the letter stays as it was.
  imp.conf.NROLPT = 1;
  imp.conf.LOCIMPR = "R";
  con.setKey(key::F11, [this] { imp.conf.NROLPT = 0; });
  menu(key::AltI, 'T');
  term.pause().press(key::Enter);
  term.press(key::F11);
  menu(key::AltI, 'T');
  sai();
  roda("aviso");
  EXPECT_TRUE(viu("Informe o nome da impressora da rede")) << todas();
  EXPECT_TRUE(viu("Texto de Help de Teclas do Editor", 0, 1)) << todas();
  EXPECT_TRUE(viu("Seta p/cima      Ctrl-E        Linha p/cima", 2, 2));
  EXPECT_TRUE(viu("Ctrl-T                         Apaga palavra a dir.", 21, 2));
  EXPECT_TRUE(viu("Texto de Help de Modulos do Editor", 0, 1));
  EXPECT_TRUE(viu("    Busca Novamente   Repete a procura anterior"));
  EXPECT_TRUE(viu(" As setas fazem a movimenta\x87\x84o e o Enter seleciona ", 22, 2));
  EXPECT_TRUE(viu("Tecle algo para retornar a edi\x87\x84o...", 24, 1));
  EXPECT_EQ(le(trabalhoLinux() + "RELATOR.TXT"),
            "\r\n   Prezado \xAE"
            "Nome\xAF\f\r");
}

TEST_F(EditorCartas, PickListOfTheFoldersLetters) {
  for (const char* n : {"b.TXT", "a.txt", "D.Txt", "c.doc", "notas"}) print_test::escreve(cartas / n, "x");
  term.pause().press(key::Down).press(key::Enter);
  EXPECT_EQ(office::ESCOL_CART(ctx, cartas.caminho(), 2, 15), "b.TXT");
  ASSERT_FALSE(fotos.empty());
  const auto& f = fotos.back();
  EXPECT_EQ(f[2].substr(15, 13), "a.txt        ");
  EXPECT_EQ(f[3].substr(15, 5), "b.TXT");
  EXPECT_EQ(f[4].substr(15, 5), "D.Txt");
  EXPECT_EQ(f[9].substr(14, 15), "\xB3             \xB3") << "blank rows make eight";
  term.press(key::Esc);
  EXPECT_EQ(office::ESCOL_CART(ctx, cartas.caminho()), "        ");
  term.press(key::End).press(key::Enter);
  EXPECT_EQ(office::ESCOL_CART(ctx, cartas.caminho()), "        ") << "a blank row is no choice";
}

}  // namespace
