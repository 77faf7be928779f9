// Every amount a field's picture allows goes through the whole road of a declaration: typed on
// its screen, computed into the summary, the balance and its detail lists (Alt-F1 .. Alt-F9),
// exported, saved and printed. The shares of the balance take the product by 100 of such
// amounts, which no Decimal holds: none of it may end in an overflow, and the value stays
// where it was put.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "declaracao_fixture.h"
#include "export/dados.h"
#include "export/gerar.h"
#include "export/secoes_complementos.h"
#include "print/folhas_declaracao.h"
#include "print/impressao.h"
#include "print/trabalho.h"
#include "rt/term/keys.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"

namespace screens::teste {
namespace {

namespace key = rt::term::key;
using namespace rt::text::literals;
using rt::text::Decimal;

// Where a case puts its value: a field of table 01, of the register, or ten income rows.
enum class Onde { Tabela01, Registro, DezRendas };

struct Caso {
  const char* cpf;
  const char* campo;
  Onde onde;
  Decimal valor;  // the picture's largest
};

constexpr Decimal kTela3 = 99'999'999.99_d;  // screen 3: "@Ez 99,999,999.99"
constexpr Decimal kTela = 999'999'999.99_d;  // screens 7 and 10: "@Ez 999,999,999.99"

const std::vector<Caso>& casos() {
  static const std::vector<Caso> v = {
      {"12345600110", "I3_01", Onde::Tabela01, kTela3},  {"12345600896", "I3_02", Onde::Tabela01, kTela3},
      {"12345601515", "I3_03", Onde::Tabela01, kTela3},  {"12345602244", "I3_08", Onde::Tabela01, kTela3},
      {"12345602910", "I3_10", Onde::Tabela01, kTela3},  {"12345603640", "I3_12", Onde::Tabela01, kTela3},
      {"12345604379", "I3_14", Onde::Tabela01, kTela3},  {"12345605006", "I4_04", Onde::Tabela01, kTela3},
      {"12345605774", "I4_05", Onde::Tabela01, kTela3},  {"12345606401", "I3_04GCPV", Onde::Tabela01, kTela3},
      {"12345607122", "I13_24", Onde::Tabela01, kTela},  {"12345607807", "I13_26", Onde::Tabela01, kTela},
      {"12345608528", "OUTREC", Onde::Tabela01, kTela},  {"12345609257", "IMPOANTER", Onde::Tabela01, kTela},
      {"12345609923", "DESPNAO", Onde::Tabela01, kTela}, {"12345610697", "PREJVEN1", Onde::Tabela01, kTela},
      {"12345611316", "OUTRDES", Onde::Tabela01, kTela}, {"12345612045", "VALOREC", Onde::Registro, kTela3},
      {"12345612711", "I1_4", Onde::DezRendas, kTela3},
  };
  return v;
}

const Caso* casoDe(std::string_view cpf) {
  for (const Caso& c : casos())
    if (cpf == c.cpf) return &c;
  return nullptr;
}

std::string le(const std::string& caminho) {
  std::ifstream in(caminho, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class MaioresValores : public DeclaracaoFixture {
 protected:
  void SetUp() override {
    DeclaracaoFixture::SetUp();
    aoEntrar = [this](shell::Declara& d, int n) {
      store::EspelhoDeclaracao& e = d.dec.espelho;
      const Caso* c = casoDe(std::string(e.CPF.digitos()));
      ASSERT_NE(c, nullptr);
      if (n == 6 && c->onde == Onde::DezRendas) {
        rt::db::Table& t = *p->areas.table(store::Area::TMP_02);
        for (int i = 0; i < 10; ++i) {
          ASSERT_TRUE(t.appendBlank().isOk());
          (void)t.put("CPF", rt::ui::Value(std::string(c->cpf)));
          (void)t.put("I1_1", rt::ui::Value(std::string("J")));
          (void)t.put("I1_2", rt::ui::Value("FONTE " + std::to_string(i)));
          (void)t.put(c->campo, rt::ui::Value(c->valor));
        }
        ASSERT_TRUE(t.flush().isOk());
      }
      if (n == 10 && c->onde == Onde::Tabela01) e.tabela01.num(c->campo, c->valor);
      if (n == 10 && c->onde == Onde::Registro) e.registro.num(c->campo, c->valor);
      // The export of what the balance left, before the save.
      if (n == 7) {
        exporta::DadosDeclaracao dados(e);
        ASSERT_TRUE(exporta::leCopias(p->areas, dados).isOk());
        exportou[c->cpf] = exporta::GERAR(
            p->LOCARQ + c->cpf + ".xml", dados, [](std::string_view) { return true; },
            exporta::complementosDaDeclaracao());
      }
    };
  }
  std::map<std::string, int> exportou;
};

TEST_F(MaioresValores, EveryAmountAtItsPicturesLargestComputesExportsSavesAndPrints) {
  for (const Caso& c : casos()) {
    novo(c.cpf);
    term.press(key::F1);
    term.press(key::F10);
    for (int k = 0; k < 9; ++k) {
      term.press(key::AltF1 - k);
      term.pause();
      term.press(key::Esc);  // the list, or the notice that nothing is declared
    }
    term.press(key::F7);
    term.press(key::Esc);
    term.press('S');
    term.pause();
  }
  term.press(key::Esc);
  roda();
  // Each declaration went its way (no notice took a key meant for a screen).
  EXPECT_EQ(telas.size(), casos().size() * 4);

  for (const Caso& c : casos()) {
    SCOPED_TRACE(c.campo);
    // Saved as put; ten incomes make the taxable total.
    if (c.onde == Onde::Registro)
      EXPECT_EQ(dados("IMP0910", c.cpf)->getNumber(c.campo), c.valor);
    else if (c.onde == Onde::Tabela01)
      EXPECT_EQ(dados("IMP0110", c.cpf)->getNumber(c.campo), c.valor);
    else
      EXPECT_EQ(dados("IMP0110", c.cpf)->getNumber("I13_01"), 999'999'999.90_d);
    EXPECT_EQ(exportou[c.cpf], 0);
    EXPECT_NE(le(p->LOCARQ + c.cpf + ".xml").find("</classe>"), std::string::npos);
    // All the declaration's sheets, the summary's balance and the audit report among them.
    print::Impressao imp;
    imp.conf.NROLPT = 0;  // RELATOR.TXT in the work folder
    imp.lpstat = "/nonexistent/lpstat";
    print::Escolhas esc;
    esc.QUEIMP = 1;
    esc.QUEPAG = 1;
    const print::ServicosImpressao srv = print::folhasDaDeclaracao([esc] { return esc; });
    ASSERT_TRUE(print::FAZIMP(
        *p, imp, esc, srv, [](const char*) -> const char* { return nullptr; }, c.cpf));
    const std::string folhas = le(p->LOCTRAB + "RELATOR.TXT");
    // The fee to charge is the office's, not the declaration's: not on these sheets.
    const std::string texto(rt::text::alltrim(rt::text::transform(c.valor, "@E 999,999,999.99")));
    if (c.onde != Onde::Registro) {
      EXPECT_NE(folhas.find(c.onde == Onde::DezRendas ? std::string("999.999.999,90") : texto),
                std::string::npos);
    }
  }
}

}  // namespace
}  // namespace screens::teste
