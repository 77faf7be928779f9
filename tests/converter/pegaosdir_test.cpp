// The converter's folder dialog, answered as a clerk would: what each item refuses and accepts,
// what the terminal's settings keep, and the installation's folder list on F1.
#include <filesystem>
#include <fstream>
#include <functional>

#include "console/pastas.h"
#include "converter/pegaosdir.h"
#include "fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/pastas_dados.h"
#include "store/travas.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;
using store::Area;
namespace fs = std::filesystem;
namespace key = rt::term::key;

constexpr int kCtrlY = 25;  // clears the field from the cursor on

class Dialogo : public ConversorFixture {
 protected:
  void SetUp() override {
    ConversorFixture::SetUp();
    linha(Area::CONFIG, {{"NRO_TERM", std::string("05")}});
    (void)store::fecha(ctx.areas, Area::CONFIG);
    // Folders are typed as the office types them, on a drive: the scratch folders' parent is
    // drive T:, so the capitals of the fields only meet names found in any case.
    ctx.unidades.setDrive('T', raiz_);
  }
  // How a clerk types a scratch folder: on drive T:, in capitals.
  std::string digitado(const std::string& caminho) const {
    std::string resto = rt::text::upper(caminho.substr(raiz_.size() + 1));
    for (char& ch : resto)
      if (ch == '/') ch = '\\';
    return "T:\\" + resto;
  }
  // Files made empty in `pasta`: only their names are looked for.
  static void arquivos(const std::string& pasta, const std::vector<std::string>& nomes) {
    fs::create_directories(pasta);
    for (const std::string& n : nomes) std::ofstream(pasta + "/" + n).put(' ');
  }
  // A folder field cleared and typed, then Enter.
  void campo(const std::string& texto) { term.press(kCtrlY).type(texto).press(key::Enter); }
  // The settings of terminal 05: ROTAANTER, ROTAMOL, ROTAREANT, ROTADOANO, DIRINST.
  std::string config() {
    const std::vector<std::string> v = le(programa.caminho(), "CONFIG", "ROTAANTER,ROTAMOL,ROTAREANT,ROTADOANO,DIRINST");
    return v.size() == 1 ? v[0] : "?";
  }
  // A folder list of terminal 05 in `pasta` with these folders.
  void listaDePastas(const std::string& pasta, const std::vector<std::string>& pastas) {
    const std::string lista = console::BAR_DIR(pasta) + "DIRET05";
    ASSERT_TRUE(store::ABREARQ(ctx, Area::DIRET, false, lista, "upper(DIRETOR)"));
    for (const std::string& p : pastas) linha(Area::DIRET, {{"DIRETOR", p}});
    store::solta(ctx.areas, Area::DIRET);
  }
  support::Pasta origem{"orig"}, instalacao{"inst"};
  const std::string raiz_ = fs::path(origem.caminho()).parent_path().string();
};

std::vector<std::string> campos(const std::string& linha) {
  std::vector<std::string> v(1);
  for (char ch : linha) {
    if (ch == '|') {
      v.emplace_back();
    } else {
      v.back() += ch;
    }
  }
  return v;
}

// Each item's source must hold its own last-year tables, found in any case: the first one
// missing is named and "Continua procurando?" answered "N" gives up with nothing kept. An
// accepted dialog makes the missing target (with the item's purpose), points the conversion
// at both folders with their trailing separator, makes the target the data folder and keeps
// the source under the item's own settings field, with the target and the installation.
TEST_F(Dialogo, EachItemChecksItsSourceAndKeepsItsFolders) {
  struct Caso {
    int item;
    ModoPastas modo;
    std::string tipo;  // the rural item's kind
    std::vector<std::string> tabelas;
    std::string falta;       // the table said missing ("" accepted)
    std::string finalidade;  // the purpose the new target is asked with
    int campoGuardado;       // the settings field of the source: 0 ROTAANTER, 1 ROTAMOL
  };
  const std::vector<std::string> imp = {"imp0109.dbf", "IMP0209.DBF", "Imp0309.dbf", "imp0409.DBF", "IMP0509.dbf"};
  const std::vector<std::string> mol = {"MOL109.DBF", "mol209.dbf", "MOL309.DBF", "MOL409.DBF"};
  const std::vector<std::string> zuk = {"ZUK1.DBF", "ZUK2.DBF", "zuk3.dbf", "ZUK4.DBF", "ZUK5.DBF", "ZUK6.DBF"};
  const std::vector<Caso> casos = {
      {kBrantel, ModoPastas::Anterior, "", {imp.begin(), imp.end() - 1}, "IMP0509.DBF", "", 0},
      {kBrantel, ModoPastas::Anterior, "", imp, "", " TAVREN  ", 0},
      {kKelsvor, ModoPastas::Rural, "N", mol, "MOL110.DBF", "", 1},
      {kKelsvor, ModoPastas::Rural, "S", mol, "", "TAVREN/MOLDRIK", 1},
      {kLivroCaixa, ModoPastas::Anterior, "", {zuk.begin(), zuk.end() - 1}, "ZUK6.DBF", "", 0},
      {kLivroCaixa, ModoPastas::Anterior, "", zuk, "", " TAVREN  ", 0},
  };
  int n = 0;
  for (const Caso& k : casos) {
    SCOPED_TRACE(n);
    const std::string fonte = origem / ("f" + std::to_string(n));
    const std::string alvo = dados / ("NOVO" + std::to_string(n++));
    arquivos(fonte, k.tabelas);
    const std::string antes = config();
    const std::string dadosAntes = ctx.LOCARQ;
    c = Conversor{};
    c.OPCAO_1 = k.item;
    c.CTIPOCONV = k.tipo;
    gravador.esquece();
    campo(digitado(fonte));
    campo(digitado(alvo));
    campo(digitado(instalacao.caminho()));
    if (!k.falta.empty()) {
      term.pause().press(key::Enter).pause().type("N");
      EXPECT_FALSE(PEGAOSDIR(ctx, c, k.modo));
      EXPECT_TRUE(gravador.viu(std::string("Não encontrado o Arquivo "_cp) + console::BAR_DIR(digitado(fonte)) + k.falta));
      EXPECT_TRUE(gravador.viu("Continua procurando?"));
      EXPECT_EQ(config(), antes);
      EXPECT_EQ(ctx.LOCARQ, dadosAntes);
      EXPECT_FALSE(fs::exists(alvo));
      continue;
    }
    term.pause().type("S");  // the new target is made
    ASSERT_TRUE(PEGAOSDIR(ctx, c, k.modo));
    EXPECT_TRUE(gravador.viu(std::string("Diretório novo para "_cp) + k.finalidade + "? Cria-o ?"));
    EXPECT_TRUE(fs::is_directory(alvo));
    EXPECT_EQ(c.ARQORIG, console::BAR_DIR(digitado(fonte)));
    EXPECT_EQ(c.ARQDEST, console::BAR_DIR(digitado(alvo)));
    EXPECT_TRUE(store::mesmaPasta(ctx, c.ARQORIG, fonte));
    EXPECT_EQ(ctx.LOCARQ, c.ARQDEST);
    EXPECT_EQ(c.DIRINST, digitado(instalacao.caminho()));
    const std::vector<std::string> lidos = campos(config());
    ASSERT_EQ(lidos.size(), 5u);
    EXPECT_EQ(lidos[static_cast<std::size_t>(k.campoGuardado)], digitado(fonte));
    EXPECT_EQ(lidos[3], digitado(alvo));
    EXPECT_EQ(lidos[4], digitado(instalacao.caminho()));
  }
}

// A source that is no folder and an installation folder that is none are said; the dialog is
// asked again. The tax authority's dialog checks no tables, comes back after each run with the
// folders accepted, and keeps them in the settings when it is left with Esc.
TEST_F(Dialogo, MissingFoldersAreSaidAndTheTaxAuthorityDialogKeepsItsFoldersOnEsc) {
  c.OPCAO_1 = kBrantel;
  arquivos(origem.caminho(), {"IMP0109.DBF", "IMP0209.DBF", "IMP0309.DBF", "IMP0409.DBF", "IMP0509.DBF"});
  campo("/NAO/EXISTE");
  campo(digitado(dados.caminho()));
  campo(digitado(instalacao.caminho()));
  term.pause().press(key::Enter).pause().type("S");  // "Continua procurando?" yes: asked again
  campo(digitado(origem.caminho()));
  term.press(key::Enter);
  campo("/NAO/HA");  // the installation folder refused in its field
  term.pause().press(key::Enter);
  campo(digitado(instalacao.caminho()));
  ASSERT_TRUE(PEGAOSDIR(ctx, c, ModoPastas::Anterior));
  EXPECT_TRUE(gravador.viu(std::string("Drive e/ou Diretório de Origem inexistente !!"_cp)));
  EXPECT_TRUE(gravador.viu("Atencao! Pasta nao existente."));
  EXPECT_EQ(c.ORIGEM, digitado(origem.caminho()));

  // The tax authority's: the source is any folder; a target too short to be made and not
  // there is refused (it would name no data folder); accepted, then left with Esc.
  c.OPCAO_1 = kReceita;
  c.ORIGEM = "/ANTES";
  campo(digitado(instalacao.caminho()));
  campo("XY");
  term.pause().press(key::Enter);
  term.press(key::Enter);
  campo(digitado(dados.caminho()));
  ASSERT_TRUE(PEGAOSDIR(ctx, c, ModoPastas::Receita));
  EXPECT_TRUE(store::mesmaPasta(ctx, c.ARQDEST, dados.caminho()));
  EXPECT_EQ(c.ARQORIG, console::BAR_DIR(digitado(instalacao.caminho())));
  const std::string antes = config();
  campo("/OUTRA/DIGITADA");
  term.press(key::Esc);
  EXPECT_FALSE(PEGAOSDIR(ctx, c, ModoPastas::Receita));
  const std::vector<std::string> lidos = campos(config());
  ASSERT_EQ(lidos.size(), 5u);
  EXPECT_EQ(lidos[2], digitado(instalacao.caminho()));  // what was accepted, not what was typed after
  EXPECT_EQ(lidos[3], rt::text::alltrim(c.DESTINO));
  EXPECT_NE(config(), antes);
}

// F1 shows the installation's folder list; Enter on a row puts its folder into the field the
// cursor stood on (source or target), shown on the dialog at once, and the dialog takes it. A
// missing list is said, and not made.
TEST_F(Dialogo, F1ListsTheInstallationFoldersAndEnterFillsTheField) {
  c.OPCAO_1 = kBrantel;
  c.DIRINST = instalacao.caminho();
  arquivos(origem.caminho(), {"IMP0109.DBF", "IMP0209.DBF", "IMP0309.DBF", "IMP0409.DBF", "IMP0509.DBF"});
  listaDePastas(instalacao.caminho(), {origem.caminho(), dados.caminho()});
  ASSERT_TRUE(store::ABERTURA(ctx, Area::DIRET));  // the terminal's own, open from start-up
  const bool origemPrimeiro = rt::text::upper(origem.caminho()) < rt::text::upper(dados.caminho());
  // The list is in name order: the source's row first or second.
  term.press(key::F1);
  if (!origemPrimeiro) term.press(key::Down);
  term.press(key::Enter).press(key::Esc).press(key::Esc);  // the row's cell opened by Enter, left
  term.press(key::Enter).press(key::F1);
  if (origemPrimeiro) term.press(key::Down);
  term.press(key::Enter).press(key::Esc).press(key::Esc);
  term.press(key::Enter).press(key::Enter);
  ASSERT_TRUE(PEGAOSDIR(ctx, c, ModoPastas::Anterior));
  EXPECT_EQ(c.ORIGEM, origem.caminho());
  EXPECT_EQ(c.DESTINO, dados.caminho());
  EXPECT_TRUE(gravador.viuJuntos("Drive e diret"_cp, origem.caminho()));
  // Shown on the dialog while the list was still open: source row +1, target row +3.
  EXPECT_TRUE(gravador.viuEm(ctx.ALJA[2] + 1, ctx.ACJA[2] + 1, origem.caminho()));
  EXPECT_TRUE(gravador.viuEm(ctx.ALJA[2] + 3, ctx.ACJA[2] + 1, dados.caminho()));
  // Area 40 holds the terminal's own list again, not the installation's.
  ASSERT_TRUE(store::aberta(ctx.areas, Area::DIRET));
  EXPECT_TRUE(store::mesmaPasta(ctx, fs::path(store::tabela(ctx.areas, Area::DIRET)->path()).parent_path().string(),
                                programa.caminho()));

  support::Pasta vazia{"vazia"};
  c.DIRINST = vazia.caminho();
  term.press(key::F1).pause().press(key::Enter).press(key::Esc);
  EXPECT_FALSE(PEGAOSDIR(ctx, c, ModoPastas::Anterior));
  EXPECT_TRUE(gravador.viu("Nao encontrado o arquivo com as pastas do ano anterior"));
  EXPECT_TRUE(vazia.arquivos().empty());
}

}  // namespace
}  // namespace converter::teste
