// The text export from the main menu: each table of the folder as comma-delimited text in the
// work folder, checked against the table file as another reader (python3-dbfread) sees it and
// read back by Python's csv module.
#include "office/exporta_texto.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "programa_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "shell/despacho.h"
#include "shell/funcoes.h"
#include "store/abertura.h"
#include "support/dbfread.h"
#include "support/saida_de.h"

namespace shell::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;
namespace key = rt::term::key;
namespace fs = std::filesystem;

std::string leTudo(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}


// Builds the expected text of a table from its file (deleted rows left out, the format's own
// rules written once more here, independently), compares it with the exported file byte by
// byte, and parses the export as CSV: prints "ok <rows>" or what differs.
constexpr const char* kConfere = R"(import csv, dbfread, io, sys
from decimal import Decimal
t = dbfread.DBF(sys.argv[1], raw=True)
linhas = []
for r in t:
    vals = []
    for f in t.fields:
        v = r[f.name]
        if f.type == 'C':
            vals.append('"' + v.rstrip(b' ').decode('cp860').replace('"', '""') + '"')
        elif f.type == 'N':
            s = v.strip()
            vals.append(('{:.%df}' % f.decimal_count).format(Decimal(s.decode() or '0')))
        elif f.type == 'D':
            vals.append(v.strip().decode())
        elif f.type == 'L':
            vals.append('T' if v in (b'T', b't', b'Y', b'y') else 'F')
    linhas.append(','.join(vals) + '\r\n')
esperado = ''.join(linhas).encode('cp860')
feito = open(sys.argv[2], 'rb').read()
if esperado != feito:
    print('differs', repr(esperado[:300]), repr(feito[:300]))
    sys.exit(0)
rows = list(csv.reader(io.StringIO(feito.decode('cp860'), newline='')))
assert all(len(row) == len(t.fields) for row in rows)
print('ok', len(rows), '|'.join(row[3] for row in rows))
)";

class ExportaTexto : public ProgramaFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(inicia());
    registraFuncoes(*p);
  }
  std::string trabalho(std::string_view nome) { return fs::path(p->LOCTRAB) / std::string(nome); }
  std::string confere(std::string_view tabela, std::string_view arquivo) {
    const std::string script = trabalho("confere.py");
    std::ofstream(script) << kConfere;
    return ::teste::saidaDe("/usr/bin/python3 " + script + " " + p->LOCARQ + std::string(tabela) + ".DBF " + trabalho(arquivo) +
                " 2>&1");
  }
};

TEST_F(ExportaTexto, EachTableLeavesItsFileAndSaysWhere) {
  if (!support::temDbfread()) GTEST_SKIP() << "no dbfread";
  // Three assets, one deleted; a description with a quote, a comma and an accent.
  ASSERT_TRUE(store::ABERTURA(*p, store::Area::IMP0410));
  rt::db::Table& bens = *p->areas.table(store::Area::IMP0410);
  const struct {
    const char* cpf;
    int nro;
    std::string descricao;
    Decimal valor;
    bool apaga;
  } linhas[] = {{"11144477735", 1, std::string("APTO \"CENTRO\", SÃO PAULO"_cp), Decimal::parse("1234.56").value(), false},
                {"11144477735", 2, "APAGADO", Decimal(5), true},
                {"22233344405", 1, "CARRO", Decimal::parse("-0.29").value(), false}};
  for (const auto& l : linhas) {
    ASSERT_TRUE(bens.appendBlank());
    ASSERT_TRUE(bens.put("CPF", std::string(l.cpf)));
    ASSERT_TRUE(bens.put("I7_0", Decimal(l.nro)));
    ASSERT_TRUE(bens.put("I7_2", l.descricao));
    ASSERT_TRUE(bens.put("I7_3", l.valor));
    if (l.apaga) {
      ASSERT_TRUE(bens.markDeleted());
    }
  }
  ASSERT_TRUE(bens.commit());
  ASSERT_TRUE(bens.unlock());
  ASSERT_TRUE(store::fecha(p->areas, store::Area::IMP0410));
  // One registered taxpayer with a birth date.
  ASSERT_TRUE(store::ABERTURA(*p, store::Area::IMP0910));
  rt::db::Table& reg = *p->areas.table(store::Area::IMP0910);
  ASSERT_TRUE(reg.appendBlank());
  ASSERT_TRUE(reg.put("CPF", std::string("11144477735")));
  ASSERT_TRUE(reg.put("NOMECONTR", std::string("JOSÉ D'ÁVILA"_cp)));
  ASSERT_TRUE(reg.put("NASCIMENTO", Date::fromYmd(1960, 3, 7)));
  ASSERT_TRUE(reg.commit());
  ASSERT_TRUE(reg.unlock());

  // The assets by their hot letter: the file, the message with the folder on its second line.
  term.press('B');
  term.press(key::Enter);
  MENUSELECT(*p, 32);
  EXPECT_TRUE(gravador.viu("declaracao Bens"));
  EXPECT_TRUE(gravador.viu("Exporta a declaração de bens p/arquivo Bens.txt"_cp));
  EXPECT_TRUE(gravador.viu("Criado arquivo Bens.txt na pasta"));
  EXPECT_TRUE(gravador.viu(p->LOCTRAB));
  EXPECT_EQ(confere("IMP0410", "Bens.txt"), "ok 2 APTO \"CENTRO\", SÃO PAULO|CARRO\n");
  EXPECT_NE(leTudo(trabalho("Bens.txt")).find("1234.56,"), std::string::npos);
  EXPECT_NE(leTudo(trabalho("Bens.txt")).find("-0.29,"), std::string::npos);

  // The register, already open, stays open and selected as it was.
  term.press(key::Down);
  term.press(key::Down);
  term.press(key::Down);
  term.press(key::Enter);
  term.press(key::Enter);
  MENUSELECT(*p, 32);
  const std::string cadastro = leTudo(trabalho("Cadastro.txt"));
  EXPECT_EQ(cadastro.rfind("\"11144477735\",\"", 0), 0u) << cadastro;
  EXPECT_NE(cadastro.find(",19600307,"), std::string::npos);
  EXPECT_EQ(confere("IMP0910", "Cadastro.txt").substr(0, 5), "ok 1 ");
  EXPECT_TRUE(p->areas.isOpen(store::Area::IMP0910));

  // Empty tables give empty files under the names other software looks for.
  for (char letra : {'S', 'R'}) {
    gravador.esquece();
    term.press(letra);
    term.press(key::Enter);
    MENUSELECT(*p, 32);
    const std::string nome = letra == 'S' ? "Bensru.txt" : "Dividaru.txt";
    ASSERT_TRUE(fs::is_regular_file(trabalho(nome))) << nome;
    EXPECT_EQ(fs::file_size(trabalho(nome)), 0u);
    EXPECT_TRUE(gravador.viu("Criado arquivo " + nome + " na pasta"));
  }

  // A file that cannot be replaced is said, and nothing claims it was made.
  fs::create_directory(trabalho("Pagos.txt"));
  gravador.esquece();
  term.press('P');
  term.press(key::Enter);
  MENUSELECT(*p, 32);
  EXPECT_FALSE(gravador.viu("Criado arquivo"));
  EXPECT_TRUE(fs::is_directory(trabalho("Pagos.txt")));
  for (const auto& e : fs::directory_iterator(p->LOCTRAB))
    EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();

  // Esc leaves the menu with nothing written.
  term.press(key::Esc);
  MENUSELECT(*p, 32);
  EXPECT_FALSE(fs::exists(trabalho("Imoveis.txt")));
}

}  // namespace
}  // namespace shell::teste
