#include "programa_fixture.h"

#include <stdlib.h>

#include <filesystem>

#include "rt/text/decimal.h"
#include "shell/inicio.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/travas.h"

namespace shell::teste {

namespace {

std::unique_ptr<PastaCurta> modelo;

// The terminal's own records and the office's DEFINE are what the tests look at: those are
// made by each test's start.
bool doTerminal(const std::string& nome) {
  for (const char* prefixo : {"CONFIG", "CORES", "DEFINE", "DIRET", "TERM", "CONFIMP"})
    if (nome.rfind(prefixo, 0) == 0) return true;
  return false;
}

}  // namespace

void ProgramaFixture::SetUpTestSuite() {
  if (modelo) return;
  modelo = std::make_unique<PastaCurta>();
  rt::term::ScriptedTerminal t;
  rt::term::Console c{t};
  rt::text::FixedClock r{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 6, 20), 36000, 0}};
  store::EsperaVirtual e{&r};
  const std::string pasta = modelo->caminho();
  Program q(c, r, e, [&pasta](const char* nome) -> const char* {
    return std::string_view(nome) == "DTAVREN" ? pasta.c_str() : nullptr;
  });
  INICIA(q, std::nullopt).ignoreTold();
}

void ProgramaFixture::TearDownTestSuite() {
  modelo.reset();
}

PastaCurta::PastaCurta() {
  std::string modelo = "/tmp/tvXXXXXX";
  caminho_ = mkdtemp(modelo.data());
}

PastaCurta::~PastaCurta() {
  std::error_code ec;
  std::filesystem::remove_all(caminho_, ec);
}

ProgramaFixture::ProgramaFixture() {
  env["DTAVREN"] = programa.caminho();
  if (!modelo) return;
  for (const auto& f : std::filesystem::directory_iterator(modelo->caminho())) {
    const std::string nome = f.path().filename().string();
    // The data folder the first start made comes along with its tables.
    if (!doTerminal(nome)) std::filesystem::copy(f.path(), programa / nome, std::filesystem::copy_options::recursive);
  }
}

ProgramaFixture::~ProgramaFixture() {
  p.reset();
}

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
  return INICIA(*p, argumento).isOk();
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
    rt::db::Table& t = *q.areas.table(store::Area::CONFIG);
    ASSERT_FALSE(t.eof());
    ASSERT_TRUE(t.lockRecord());
    ajusta(t);
    ASSERT_TRUE(t.flush());
    (void)t.unlock();
  }
  p.reset();
}

}  // namespace shell::teste
