// Frozen columns name the row (a taxpayer's CPF and name, a dependant's number, the fixed cost
// lines of a gain): every grid screen that has them keeps the cursor out of them, so nothing
// typed can land there.
#include <gtest/gtest.h>

#include "fixture.h"
#include "grid/telas.h"
#include "rt/term/keys.h"

namespace {

using grid::teste::C;
using grid::teste::GridFixture;
using grid::teste::N;
namespace key = rt::term::key;

class Congela : public GridFixture {};

struct Caso {
  int opc;
  store::Area area;
  int TIPO_BEM;
  int congela;  // how many columns the screen freezes
  std::vector<std::pair<std::string, rt::ui::Value>> linha;
};

TEST_F(Congela, TypingIntoAFrozenColumnLandsInTheFirstFreeOne) {
  const std::vector<std::pair<std::string, rt::ui::Value>> contribuinte = {
      {"CPF", C("12345678909")}, {"NOMECONTR", C("ANA PRIMEIRA")}, {"ESTATUS", N(2)}, {"NRQUOTA", N(3)}};
  const std::vector<Caso> casos = {
      {3,
       store::Area::TMP_03,
       1,
       1,
       {{"CPF", C("12345678909")}, {"NRODEPEN", N(1)}, {"NOMEDEPEN", C("ANA")}}},
      {10,
       store::Area::TMP_08,
       1,
       6,
       {{"PER_CUST", N(50)},
        {"PER_RED", N(10)},
        {"PER_RED1", C("0.5")},
        {"PER_RED2", C("0.2")},
        {"CUST_UNI", N(100)},
        {"VALOR_REDU", N(10)}}},
      {10, store::Area::TMP_08, 3, 2, {{"CM_PONDER", N(2)}, {"LOTE", C("PETR4")}}},
      {41, store::Area::IMP0910, 1, 3, contribuinte},
      {42, store::Area::IMP0910, 1, 3, contribuinte},
      {46, store::Area::IMP0910, 1, 3, contribuinte},
      {47, store::Area::IMP0910, 1, 2, contribuinte},
  };
  for (const Caso& c : casos) {
    const std::string nome = "screen " + std::to_string(c.opc) + " kind " + std::to_string(c.TIPO_BEM);
    tabela(static_cast<store::Area>(c.area));
    auto linha = c.linha;
    for (auto& [campo, valor] : linha)
      if (campo == "PER_RED1" || campo == "PER_RED2") valor = rt::text::Decimal::parse(std::get<std::string>(valor)).value();
    this->linha(c.area, linha);
    this->linha(c.area, linha);
    g.TIPO_BEM = c.TIPO_BEM;
    g.OPCAO_1 = c.area == store::Area::IMP0910 ? 0 : 11;
    const auto tela = grid::telaGrade(ctx, g, c.opc, 0);
    ASSERT_TRUE(tela) << nome;
    ASSERT_EQ(tela->congela, c.congela) << nome;
    // The fields only frozen columns show (screen 42 shows the status by name, frozen, and
    // edits its number in a free column).
    std::vector<std::string> campos;
    for (std::size_t i = 0; i < tela->colunas.size(); ++i) {
      const std::string& f = tela->colunas[i].cpoin;
      if (static_cast<int>(i) < c.congela) {
        campos.push_back(f);
      } else {
        std::erase(campos, f);
      }
    }
    ASSERT_FALSE(campos.empty()) << nome;
    std::vector<std::vector<std::string>> antes;
    for (const std::string& f : campos) antes.push_back(coluna(c.area, f));
    const int livre = c.congela + 1;
    for (int alvo = 0; alvo <= c.congela; ++alvo) {
      // alvo 0: Home; otherwise Left from the first free column onto frozen column `alvo`.
      auto chega = [&] {
        if (alvo == 0) {
          teclas().press(key::Home);
        } else {
          for (int i = alvo; i < livre; ++i) teclas().press(key::Left);
        }
      };
      chega();
      teclas().press(key::Esc);
      (void)ctx.areas.select(c.area);
      grid::EDITA(ctx, g, c.opc);
      EXPECT_EQ(g.PONTEIRO, livre) << nome << " column " << alvo;
      // What is typed there goes to the first free column (the keys run out in Esc).
      chega();
      teclas().type("7").press(key::Enter);
      (void)ctx.areas.select(c.area);
      grid::EDITA(ctx, g, c.opc);
      for (std::size_t i = 0; i < campos.size(); ++i)
        EXPECT_EQ(coluna(c.area, campos[i]), antes[i]) << nome << " " << campos[i] << " typed at column " << alvo;
    }
  }
}

}  // namespace
