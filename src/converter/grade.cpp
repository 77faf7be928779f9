#include "converter/grade.h"

#include "console/pastas.h"
#include "converter/moldura_pastas.h"
#include "grid/edita.h"
#include "grid/estado.h"
#include "grid/validacao.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace converter {

using namespace rt::text::literals;
using grid::col;
using store::Area;

namespace {

constexpr const char* kValor = "@Ez 999,999,999.99";

// The cells' checks are the grid's own (VAL_CPF, POEPONTO, CPFCGC), which read no declaration.
class ServicosConversor final : public grid::ServicosGrade {
 public:
  bool valida(store::Contexto& ctx, grid::Grade& g, std::string_view nome, rt::ui::Value& valor) override {
    return grid::VALIDA_CELULA(ctx, g, nome, valor);
  }
};

// What the converter's grids share: a new row past the last one, Del asks and removes it.
grid::Tracos tracosConversor() { return {.cresce = true, .apaga = true}; }
// ... with the converter's own question.
constexpr std::string_view kPerguntaApaga = "Confirma a Exclusão dessa linha? "_cp;

// Where the installation's folder list is shown, over the folder dialog.
constexpr rt::term::Rect kListaInstalacao{10, 18, 22, 59};

// The rows of a table that are not marked deleted, wherever it stands and whatever its order.
int linhasVivas(rt::db::Table& t) {
  const std::uint32_t aqui = t.recNo();
  int n = 0;
  for (std::uint32_t r = 1; r <= t.recordCount(); ++r) {
    t.goTo(r);
    if (!t.isDeleted()) ++n;
  }
  t.goTo(aqui);
  return n;
}

grid::TelaGrade selecao(bool marcas) {
  grid::Tracos t = tracosConversor();
  if (marcas) {
    t.marcaTodos = true;
    t.registro = true;
    t.ordemDireta = true;
    t.desmarcaEmBranco = true;
  }
  return {
      .area = Area::LISNOME,
      .colunas = {col("CPF", " CPF ", "@r 999.999.999-99"), col("NOMECONTR", " Nome do Contribuinte ", "@S30", 30),
                  col("ORIGEM", "Origem", "@s12"), col("IMPRE", "Conve", "@!")},
      .ultPos = 4,
      .congela = marcas ? 3 : 0,
      .ret = {10, 4, 22, 70},
      .moldura = 6,
      .mensagem = marcas ? "Marque [S] nos nomes - Esc termina |Alt(+)Marca todos | ALT(-)Desmarca" : "",
      .tracos = t,      .perguntaApaga = std::string(kPerguntaApaga),
  };
}

grid::TelaGrade comprovantes() {
  return {
      .area = Area::FOLHAPG,
      .colunas = {col("CPF", " CPF ", "@r 999.999.999-99", 0, "VAL_CPF"),
                  col("NOMECONTR", " Nome do Contribuinte ", "", 20),
                  col("NOMEFONTE", "Nome Fonte Pagadora", "", 20),
                  col("CNPJFONTE", "CNPJ fonte", "@s18", 0, "POEPONTO(0);CPFCGC"),
                  col("OUTROS", "Descr.Outros Rend. Isentos", "", 20),
                  col("VALOUTRO", "Outros Isentos", kValor),
                  col("DECIMO3RO", "13ro Salário"_cp, kValor),
                  col("OUTROSEXC", "Descr. Outros Trib. Fonte", "", 20),
                  col("VALOUTRE", "Outros Fonte", kValor),
                  col("COMPLENTA", "Complemento", "", 20),
                  col("RENDIMENT", "Rendimento", kValor),
                  col("PREVOFICA", "Previdência"_cp, kValor),
                  col("PREVPRIVA", "FAPI", kValor),
                  col("PENSAOPAG", "Pensao paga", kValor),
                  col("IRRETIDO", "IR Retido", kValor),
                  col("ISENTOAPO", "Isento Apos.", kValor),
                  col("DIARIAS", "Diarias", kValor),
                  col("PENSAOREC", "Aposentadoria", kValor),
                  col("LUCRODIV", "Lucro", kValor),
                  col("SOCIO", "Socio", kValor),
                  col("IDENIZA", "Idenizaçoes"_cp, kValor)},
      .ultPos = 21,
      .ret = {1, 1, 22, 78},
      .moldura = 6,
      .tracos = tracosConversor(),      .perguntaApaga = std::string(kPerguntaApaga),
  };
}

grid::TelaGrade pastas(rt::term::Rect ret) {
  return {
      .area = Area::DIRET,
      .colunas = {col("DIRETOR", "Drive e diretório"_cp, "@!")},
      .ultPos = 1,
      .ret = ret,
      .moldura = 6,
      .tracos = tracosConversor(),      .perguntaApaga = std::string(kPerguntaApaga),
  };
}

void roda(store::Contexto& ctx, grid::TelaGrade tela) {
  ServicosConversor servicos;
  grid::Grade g;
  g.servicos = &servicos;
  grid::EDITA(ctx, g, std::move(tela));
}

}  // namespace

grid::TelaGrade telaConversor(int modo) {
  switch (modo) {
    case 1: return selecao(true);
    case 2: return selecao(false);
    case 3: return comprovantes();
    default: return pastas({10, 4, 22, 70});
  }
}

void EDITA(store::Contexto& ctx, int modo) {
  grid::TelaGrade tela = telaConversor(modo);
  // The taxpayers found are counted under the list as it opens.
  if (rt::db::Table* t = store::tabela(ctx.areas, Area::LISNOME); modo == 1 && t != nullptr)
    tela.rodapes = {"", std::string("Nro. de Declarações."_cp), "............",
                    rt::text::transform(rt::text::Decimal::fromInt(linhasVivas(*t)), "@e 9999")};
  roda(ctx, std::move(tela));
}

rt::Status EDITOR(store::Contexto& ctx, Conversor& c) {
  const std::string lista = console::BAR_DIR(rt::text::alltrim(c.DIRINST)) + "DIRET" + ctx.NUSU;
  // The list is the previous installation's: a missing one is not made here, empty, in its
  // folder.
  if (!console::LF_ISFILE(ctx, lista + ".DBF")) return rt::Status(rt::Error::kNotFound, lista + ".DBF");
  // The grid wrote each row it changed as it left it: the lists close with nothing to write.
  const bool propria = store::aberta(ctx.areas, Area::DIRET);
  store::solta(ctx.areas, Area::DIRET);
  RT_TRY(store::ABREARQ(ctx, Area::DIRET, false, lista, "upper(DIRETOR)"));  // told by the opener
  // The list starts on its first folder by name.
  store::tabela(ctx.areas, Area::DIRET)->goTop();
  grid::TelaGrade tela = pastas(kListaInstalacao);
  // Enter copies the row's folder into the dialog's field waiting for it, shown there at once
  // when the list does not cover it (else the field shows it when the list closes).
  tela.aoEnter = [&ctx, &c](const rt::db::Table& t) {
    const int deslocamento = c.campoPendente == "ORIGEM" ? 1 : c.campoPendente == "DESTINO" ? 3 : 0;
    if (deslocamento == 0) return;
    const std::string pasta(rt::text::alltrim(t.getText("DIRETOR")));
    (deslocamento == 1 ? c.ORIGEM : c.DESTINO) = pasta;
    const CampoPasta f = campoPasta(c, deslocamento);
    if (f.linha < kListaInstalacao.top || f.linha > kListaInstalacao.bottom) mostraPasta(ctx, c, deslocamento, pasta);
  };
  roda(ctx, std::move(tela));
  // Area 40 is the terminal's own list for everyone else (the search in the other folders).
  store::solta(ctx.areas, Area::DIRET);
  if (propria) (void)store::ABERTURA(ctx, Area::DIRET);  // a failure is said by the opener
  return {};
}

}  // namespace converter
