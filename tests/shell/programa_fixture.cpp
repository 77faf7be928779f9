#include "programa_fixture.h"

#include "rt/text/decimal.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/travas.h"
#include "shell/inicio.h"

namespace shell::teste {

ProgramaFixture::ProgramaFixture() { env["DTAVREN"] = programa.caminho(); }

ProgramaFixture::~ProgramaFixture() { p.reset(); }

Program& ProgramaFixture::cria(rt::text::Date hoje) {
  relogio.set(rt::text::LocalTime{hoje, 36000, 0});
  p = std::make_unique<Program>(con, relogio, espera, [this](const char* nome) -> const char* {
    auto it = env.find(nome);
    return it == env.end() ? nullptr : it->second.c_str();
  });
  return *p;
}

bool ProgramaFixture::inicia(std::optional<std::string_view> argumento, rt::text::Date hoje) {
  cria(hoje);
  return INICIA(*p, argumento);
}

std::unique_ptr<rt::db::Table> ProgramaFixture::abre(std::string_view arquivo, std::string_view terminal) {
  auto t = rt::db::Table::open(programa / (std::string(arquivo) + ".DBF"));
  if (!t) return nullptr;
  auto tabela = std::move(*t);
  (void)tabela->goTop();
  while (!terminal.empty() && !tabela->eof() && tabela->getText("NRO_TERM") != terminal) (void)tabela->skip();
  return tabela;
}

void ProgramaFixture::criaConfig(std::string_view nusu, const std::function<void(rt::db::Table&)>& ajusta) {
  {
    // A first start of another terminal makes the tables; its record is then changed.
    Program& q = cria();
    q.definePastaPrograma(programa.caminho());
    q.NUSU = std::string(nusu);
    ASSERT_TRUE(CONFIGURA(q));
    rt::db::Table& t = *q.areas.table(42);
    ASSERT_FALSE(t.eof());
    ASSERT_TRUE(t.lockRecord());
    ajusta(t);
    ASSERT_TRUE(t.flush());
    (void)t.unlock();
  }
  p.reset();
}

}  // namespace shell::teste
