#include "declaracao_impressa.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>

#include "store/abertura.h"
#include "store/areas.h"

namespace print_test {

FolhasFixture::FolhasFixture() {
  imp.conf.NROLPT = 0;  // RELATOR.TXT in the work folder
}

void FolhasFixture::declara(const std::string& cpf, const std::vector<LinhaDeTabela>& linhas) {
  for (const store::Area a : std::span(workareas::kDeclaracao).first<19>()) {
    if (a == store::Area::IMP1310) continue;
    const int n = store::numero(a);
    ASSERT_TRUE(store::ABERTURA(ctx, a, true)) << n;
    rt::db::Table& t = *ctx.areas.table(a);
    for (const LinhaDeTabela& l : linhas) {
      if (l.tabela != n) continue;
      ASSERT_TRUE(t.appendBlank());
      ASSERT_TRUE(t.put("CPF", cpf));
      for (const auto& [campo, valor] : l.campos) ASSERT_TRUE(t.put(campo, valor)) << n << " " << campo;
      ASSERT_TRUE(t.flush());
    }
    ASSERT_TRUE(ctx.areas.close(a));
  }
}

std::vector<Pagina> FolhasFixture::imprime(const std::string& cpf, int QUEIMP, int QUEPAG) {
  print::Escolhas esc;
  esc.QUEIMP = QUEIMP;
  esc.QUEPAG = QUEPAG;
  const print::ServicosImpressao srv = print::folhasDaDeclaracao([esc] { return esc; });
  EXPECT_TRUE(print::FAZIMP(ctx, imp, esc, srv, semAmbiente, cpf));
  (void)ctx.areas.closeAll();
  return paginas(le(trabalhoLinux() + "RELATOR.TXT"));
}

void FolhasFixture::confere(const std::vector<Pagina>& ps, const std::string& nome) {
  const std::filesystem::path arquivo = std::filesystem::path(TAVREN_PAGINAS_DIR) / (nome + ".txt");
  const std::string atual = texto(ps);
  if (std::getenv("TAVREN_ATUALIZA_ESPERADOS") != nullptr) {
    std::filesystem::create_directories(arquivo.parent_path());
    std::ofstream(arquivo, std::ios::binary) << atual;
    return;
  }
  std::ifstream in(arquivo, std::ios::binary);
  ASSERT_TRUE(in) << arquivo;
  std::stringstream esperado;
  esperado << in.rdbuf();
  EXPECT_EQ(atual, esperado.str()) << nome;
}

}  // namespace print_test
