// Menu item 51 for kind 5, the DARF slips, of two taxpayers marked in grid 47, onto the DARF
// form in the work folder's RELATOR.TXT: the dialog runs once for the job, and the file keeps
// both taxpayers' slips (it is opened once for the job, never emptied by a later routing).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "console/pastas.h"
#include "platform/paths.h"
#include "programa_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/strings.h"
#include "shell/despacho.h"
#include "shell/funcoes.h"
#include "store/abertura.h"
#include "store/travas.h"

namespace shell::teste {
namespace {

namespace key = rt::term::key;
using rt::text::Decimal;

const std::string kA = "11111111111", kB = "22222222222", kC = "33333333333";

class DarfItem : public ProgramaFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(inicia());
    registraFuncoes(*p);
    for (store::Area n : store::kComCopia) ASSERT_TRUE(store::ABERTURA(*p, n)) << store::numero(n);
    const std::pair<std::string, Decimal> quotas[] = {{kA, Decimal(1000)}, {kB, Decimal(2000)}, {kC, Decimal(3000)}};
    for (const auto& [cpf, quota] : quotas) {
      store::seleciona(p->areas, store::Area::IMP0910);
      ASSERT_TRUE(store::ADD_REC(*p, 5));
      rt::db::Table& r = *p->areas.table(store::Area::IMP0910);
      ASSERT_TRUE(r.put("CPF", cpf));
      ASSERT_TRUE(r.put("NOMECONTR", "CONTRIBUINTE " + cpf));
      // Only A and C are marked.
      ASSERT_TRUE(r.put("IMPRE", std::string(cpf == kB ? " " : "S")));
      ASSERT_TRUE(r.commit());
      ASSERT_TRUE(r.unlock());
      store::seleciona(p->areas, store::Area::IMP0110);
      ASSERT_TRUE(store::ADD_REC(*p, 5));
      rt::db::Table& t = *p->areas.table(store::Area::IMP0110);
      ASSERT_TRUE(t.put("CPF", cpf));
      ASSERT_TRUE(t.put("I13_29", Decimal(3)));
      ASSERT_TRUE(t.put("I13_30", quota));
      ASSERT_TRUE(t.commit());
      ASSERT_TRUE(t.unlock());
    }
    (void)p->areas.closeAll();
    // The printer's output goes to a file of the work folder.
    ASSERT_TRUE(p->CRIA_SEQ(*p));
    {
      auto conf = abre("CONFIMP", p->NUSU);
      ASSERT_TRUE(conf && !conf->eof());
      ASSERT_TRUE(conf->lockRecord());
      ASSERT_TRUE(conf->put("NROLPT", Decimal(0)));
      ASSERT_TRUE(conf->put("NROCOM", Decimal(0)));
      ASSERT_TRUE(conf->flush());
      (void)conf->unlock();
    }
    ASSERT_TRUE(p->CRIA_SEQ(*p));
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::IMP0910));
    p->QUEIMP = 5;
    p->cfg.QUEMOD = 2;
    p->cfg.QUECON = 2;
  }
};

// A form slip's amounts, 24 rows apart: CPF, principal, fine, interest and total.
struct Slip {
  std::string cpf;
  Decimal principal, multa, juros, total;
};
Decimal quantia(std::string_view campo) {
  std::string s;
  for (char c : rt::text::alltrim(campo))
    if (c != '.') s += c == ',' ? '.' : c;
  return Decimal::val(s);
}
std::vector<Slip> slips(const std::string& texto) {
  std::vector<std::string> ls;
  std::string l;
  for (char c : texto) {
    if (c == '\n') {
      ls.push_back(l);
      l.clear();
    } else if (c != '\r' && c != '\f') {
      l += c;
    }
  }
  ls.push_back(l);
  const auto campo = [&ls](std::size_t r, std::size_t c, std::size_t n) {
    return r < ls.size() && c < ls[r].size() ? ls[r].substr(c, n) : std::string();
  };
  std::vector<Slip> v;
  for (std::size_t r = 0; r + 16 < ls.size() && !rt::text::alltrim(campo(r + 4, 66, 4)).empty(); r += 24)
    v.push_back({std::string(rt::text::alltrim(campo(r + 2, 61, 14))), quantia(campo(r + 10, 63, 17)),
                 quantia(campo(r + 12, 63, 17)), quantia(campo(r + 14, 63, 17)), quantia(campo(r + 16, 63, 17))});
  return v;
}

TEST_F(DarfItem, TwoMarkedTaxpayersGetTheirSlipsInTheFile) {
  term.pause();
  term.press(key::Esc);    // the marking grid 47, A and C marked
  term.pause();            // the print copies are made
  term.press(key::Enter);  // code 0211
  term.press(key::Enter);  // "Só uma"
  term.type("1");          // the first quota
  term.press(key::Enter).press(key::Enter).press(key::Enter);  // due, payment, first business day kept
  term.press('S');         // "Confirma a alteração ?"
  MENUSELECT(*p, 51);
  EXPECT_TRUE(gravador.viu("Nomes marcados com S conforme lista"));

  const std::string arquivo = platform::withSeparator(console::caminhoLinux(*p, p->LOCTRAB)) + "RELATOR.TXT";
  std::ifstream f(arquivo, std::ios::binary);
  std::stringstream texto;
  texto << f.rdbuf();
  const std::vector<Slip> v = slips(texto.str());
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0].cpf, "111.111.111-11");
  EXPECT_EQ(v[1].cpf, "333.333.333-33");
  EXPECT_EQ(v[0].principal, Decimal(1000));
  EXPECT_EQ(v[1].principal, Decimal(3000));
  // Paid on 30/06/2010, the first business day after the due date 03/05: 58 days, 19.14%.
  EXPECT_EQ(v[0].multa, Decimal::val("191.40"));
  EXPECT_EQ(v[1].multa, Decimal::val("574.20"));
  for (const Slip& s : v) EXPECT_EQ(s.total, s.principal + s.multa + s.juros) << s.cpf;
  EXPECT_GT(v[0].juros, Decimal());
}

}  // namespace
}  // namespace shell::teste
