// The keys that move to another page: one dispatch for the table grid and the matrix grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixture.h"
#include "grid/teclas_tela.h"
#include "grid/tracos.h"
#include "rt/term/keys.h"

namespace {

namespace key = rt::term::key;

// The driver's answers, recorded: every page it is asked for is granted.
class Paginas final : public grid::ServicosGrade {
 public:
  std::vector<std::string> pedidos;
  bool QUETEL(store::Contexto&, grid::Grade&, int n) override {
    pedidos.push_back("QUETEL " + std::to_string(n));
    return true;
  }
  bool MUDATEL1(store::Contexto&, grid::Grade&) override { return registra("MUDATEL1"); }
  bool MUDATEL12(store::Contexto&, grid::Grade&) override { return registra("MUDATEL12"); }
  bool MUDATEL14(store::Contexto&, grid::Grade&) override { return registra("MUDATEL14"); }
  bool ESC_HORIZ(store::Contexto&, grid::Grade&) override { return registra("ESC_HORIZ"); }

 private:
  bool registra(const char* nome) {
    pedidos.emplace_back(nome);
    return true;
  }
};

class TeclasTela : public grid::teste::GridFixture {};

TEST_F(TeclasTela, EachKeyAsksForItsPageWhereTheScreenAllowsIt) {
  Paginas paginas;
  g.servicos = &paginas;
  g.OPCAO_1 = 11;  // a declaration is open
  g.TEMRURAL = "S";
  struct Caso {
    int tela;
    int tecla;
    std::string pedido;  // "" nothing asked, nothing moves
  };
  const Caso casos[] = {
      {5, key::F1, "MUDATEL1"},      {5, key::F2, "QUETEL 2"},     {45, key::F3, "QUETEL 3"},
      {5, key::F4, "QUETEL 4"},      {5, key::F10, "QUETEL 10"},   {40, key::F4, ""},
      {5, key::AltF1, "QUETEL 11"},  {5, key::F12, "QUETEL 12"},   {40, key::F11, ""},
      {38, key::AltI, "ESC_HORIZ"},  {39, key::AltH, ""},          {7, key::AltH, "ESC_HORIZ"},
      {41, key::AltZ, "MUDATEL12"},  {41, key::AltX, "MUDATEL14"}, {5, key::Esc, ""},
  };
  for (const Caso& c : casos) {
    paginas.pedidos.clear();
    const bool muda = grid::mudaDePagina(ctx, g, c.tecla, grid::tracosDaTela(c.tela));
    EXPECT_EQ(muda, !c.pedido.empty()) << c.tela << " " << c.tecla;
    EXPECT_EQ(paginas.pedidos, c.pedido.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.pedido})
        << c.tela << " " << c.tecla;
  }
  // Without a rural side Alt+F2 asks for nothing; without an open declaration no key does.
  paginas.pedidos.clear();
  g.TEMRURAL = "N";
  EXPECT_FALSE(grid::mudaDePagina(ctx, g, key::AltF2, grid::tracosDaTela(5)));
  g.OPCAO_1 = 0;
  EXPECT_FALSE(grid::mudaDePagina(ctx, g, key::F2, grid::tracosDaTela(5)));
  EXPECT_TRUE(paginas.pedidos.empty());
}

}  // namespace
