// A wait notice shown while a step of a screen runs goes when the step ends, however it ends:
// a computation that fails (an amount out of range) takes the notice down with it, so the
// error's alert and the screens after it never meet a notice the program thinks is still up.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "declaracao_fixture.h"
#include "screens/grades.h"
#include "screens/regras.h"
#include "shell/telas_declaracao.h"

namespace screens::teste {
namespace {

class CalculoQueFalha final : public store::Calculos {
 public:
  void CALC(store::Contexto& ctx, store::Declaracao&, int, int) override {
    aviso = ctx.janelas.isOpen(console::Jan::kMensagem);
    throw std::overflow_error("Decimal out of range");
  }
  bool aviso = false;
};

class Avisos : public DeclaracaoFixture {};

TEST_F(Avisos, TheCalculatingNoticeGoesWhenTheComputationFails) {
  novo(kNovo);
  termina('I');
  bool feito = false;
  shell::ServicosDeclara s;
  s.GTELA = [&](shell::Program& q, shell::Declara& d, int n) {
    if (term.exhausted() || feito) {
      d.tela.INI = "I";
      return;
    }
    RegrasCampos r = regrasDeclaracao();
    const auto quando = r.quando;
    r.quando = [&, quando](AmbienteTela& a, std::string_view campo) {
      if (!feito) {
        feito = true;
        const rt::term::Screen antes = a.ctx.screen();
        CalculoQueFalha falha;
        store::Calculos* proprio = a.dec.calculos;
        a.dec.calculos = &falha;
        EXPECT_THROW(calculando(a, 1, 1), std::overflow_error);
        a.dec.calculos = proprio;
        EXPECT_TRUE(falha.aviso);
        EXPECT_FALSE(a.ctx.janelas.isOpen(console::Jan::kMensagem));
        for (int row = 0; row < rt::term::Screen::kRows; ++row)
          EXPECT_EQ(a.ctx.screen().rowText(row), antes.rowText(row)) << row;
      }
      return quando(a, campo);
    };
    shell::telaDeclaracao(q, d, n, r);
  };
  shell::DECLARA(*p, s);
  EXPECT_TRUE(feito);
}

}  // namespace
}  // namespace screens::teste
