#include "converter/grade.h"

#include "console/pastas.h"
#include "grid/edita.h"
#include "grid/estado.h"
#include "grid/validacao.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace conversor {

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
      .tracos = t,
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
      .tracos = tracosConversor(),
  };
}

grid::TelaGrade pastas(rt::term::Rect ret) {
  return {
      .area = Area::DIRET,
      .colunas = {col("DIRETOR", "Drive e diretório"_cp, "@!")},
      .ultPos = 1,
      .ret = ret,
      .moldura = 6,
      .tracos = tracosConversor(),
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

void EDITA(store::Contexto& ctx, int modo) { roda(ctx, telaConversor(modo)); }

bool EDITOR(store::Contexto& ctx, const Conversor& c) {
  const std::string lista = console::BAR_DIR(rt::text::alltrim(c.DIRINST)) + "DIRET" + ctx.NUSU;
  // The grid wrote each row it changed as it left it: the list closes with nothing to write.
  store::solta(ctx.areas, Area::DIRET);
  if (!store::ABREARQ(ctx, store::numero(Area::DIRET), false, lista, "upper(DIRETOR)")) return false;
  roda(ctx, pastas({10, 18, 22, 59}));
  return true;
}

}  // namespace conversor
