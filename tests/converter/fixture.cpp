#include "fixture.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "console/pastas.h"
#include "store/abertura.h"
#include "store/travas.h"

namespace converter::teste {

ConversorFixture::ConversorFixture() : support::ContextoFixture("conv") { ctx.NUSU = "05"; }

void ConversorFixture::linha(store::Area a, const Campos& campos) {
  if (!store::aberta(ctx.areas, a)) {
    ASSERT_TRUE(store::ABERTURA(ctx, a));
  }
  const store::SelecaoGuardada selecao(ctx.areas, a);
  ASSERT_TRUE(store::ADD_REC(ctx, 5));
  rt::db::Table& t = *store::tabela(ctx.areas, a);
  for (const auto& [campo, valor] : campos) ASSERT_TRUE(t.put(campo, valor).isOk()) << campo;
  ASSERT_TRUE(t.flush().isOk());
  ASSERT_TRUE(store::DESTRAVA(ctx));
}

void ConversorFixture::outraPasta(const std::string& cpf, const std::string& nome) {
  const std::string dadosAntes = ctx.LOCARQ;
  (void)store::fecha(ctx.areas, store::Area::IMP0910);
  ctx.definePastaDados(outra.caminho());
  linha(store::Area::IMP0910, {{"CPF", cpf}, {"NOMECONTR", nome}, {"ESTATUS", rt::text::Decimal::fromInt(1)}});
  (void)store::fecha(ctx.areas, store::Area::IMP0910);
  ctx.definePastaDados(dadosAntes);
  linha(store::Area::DIRET, {{"DIRETOR", console::BAR_FORA(dadosAntes)}, {"SELEC", std::string("S")}});
  linha(store::Area::DIRET, {{"DIRETOR", outra.caminho()}, {"SELEC", std::string(" ")}});
}

std::vector<std::string> ConversorFixture::le(const std::string& pasta, const std::string& tabela,
                                              const std::string& campos) {
  const std::string comando =
      "PYTHONIOENCODING=utf-8 /usr/bin/python3 -c \"import dbfread,sys\n"
      "t=dbfread.DBF(sys.argv[1],raw=True)\n"
      "for r in t: print('|'.join(r[f].decode('cp860').strip() for f in sys.argv[2].split(',')))\" '" +
      console::BAR_DIR(pasta) + tabela + ".DBF' " + campos;
  std::vector<std::string> linhas;
  std::unique_ptr<FILE, int (*)(FILE*)> p(popen(comando.c_str(), "r"), pclose);
  if (!p) return linhas;
  std::string atual;
  for (int ch; (ch = std::fgetc(p.get())) != EOF;) {
    if (ch == '\n') {
      linhas.push_back(atual);
      atual.clear();
    } else {
      atual += static_cast<char>(ch);
    }
  }
  return linhas;
}

}  // namespace converter::teste
