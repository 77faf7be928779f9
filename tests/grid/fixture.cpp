#include "fixture.h"

#include <algorithm>
#include <cstdlib>

#include "rt/text/strings.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/tabelas_declaracao.h"

namespace grid::teste {

GridFixture::GridFixture() : ContextoFixture("grid") {
  g.servicos = &servicos;
  g.tela = &pagina;
  g.CPF = "12345678909";
  g.OPCAO_1 = 11;
}

// A working copy is one of TMP_01 .. TMP_19.
bool ehCopia(store::Area area) {
  return std::find(workareas::kCopias.begin(), workareas::kCopias.end(), area) != workareas::kCopias.end();
}

std::string GridFixture::caminhoTabela(store::Area area) const {
  if (ehCopia(area)) return store::caminhoCopia(ctx, area) + ".DBF";
  return dados.caminho() + "/T" + std::to_string(store::numero(area)) + ".DBF";
}

rt::db::Table& GridFixture::tabela(store::Area area) {
  if (ehCopia(area)) {
    EXPECT_TRUE(store::criaCopia(ctx, area).isOk()) << store::numero(area);
  } else {
    const std::string p = caminhoTabela(area);
    (void)ctx.areas.close(area);
    EXPECT_TRUE(rt::db::Table::create(p, store::camposDbf(store::estrutura(area)),
                                      rt::db::CreateMode::kReplace)
                    .isOk())
        << store::numero(area);
    EXPECT_TRUE(ctx.areas.open(area, p).isOk()) << store::numero(area);
  }
  return *ctx.areas.table(area);
}

void GridFixture::linha(store::Area area, std::vector<std::pair<std::string, rt::ui::Value>> campos) {
  rt::db::Table& t = *ctx.areas.table(area);
  ASSERT_TRUE(t.appendBlank().isOk());
  for (const auto& [nome, valor] : campos) ASSERT_TRUE(t.put(nome, valor).isOk()) << nome;
  (void)t.unlock();
  // The grids open on the row the table stands on: the tests start on the first.
  (void)t.goTop();
}

std::vector<std::string> GridFixture::coluna(store::Area area, const std::string& campo) {
  rt::db::Table& t = *ctx.areas.table(area);
  std::vector<std::string> v;
  for ((void)t.goTop(); !t.eof(); (void)t.skip(1)) {
    const rt::ui::Value x = t.get(campo);
    if (auto* s = std::get_if<std::string>(&x)) {
      v.emplace_back(rt::text::trim(*s));
    } else if (auto* d = std::get_if<rt::text::Decimal>(&x)) {
      v.push_back(d->toString(0));
    } else {
      v.emplace_back("?");
    }
  }
  return v;
}

rt::ui::Value N(long v) { return rt::text::Decimal::fromInt(v); }
rt::ui::Value C(std::string s) { return s; }

}  // namespace grid::teste
