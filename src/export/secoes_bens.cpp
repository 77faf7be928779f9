// Assets and debts, each item appended to the file on its own, so a long list never builds
// one large text.
#include "export/secoes.h"
#include "rt/text/strings.h"

namespace exporta {

namespace {

struct Tipo {
  const char* elemento;
  const char* tipoItens;
  const char* anterior;  // the summary lines of the two years
  const char* atual;
  const char* prefixo;   // "I7_" assets, "I8_" debts
  int padrao;            // the code of an item without one
  bool bem;
};

constexpr Tipo kBens{"bens", "serpro.ppgd.irpf.bens.Bem", "I13_32", "I13_33", "I7_", 99, true};
constexpr Tipo kDividas{"dividas", "serpro.ppgd.irpf.dividas.Divida", "I13_34", "I13_35", "I8_", 16, false};

std::string campo(const Tipo& t, const char* sufixo) {
  return std::string(t.prefixo) + sufixo;
}

bool semValores(const Tipo& t, const store::RegistroEspelho& r) {
  return r.num(campo(t, "3")).isZero() && r.num(campo(t, "4")).isZero();
}

void item(TextoXml& x, const Tipo& t, const store::RegistroEspelho& r, bool ultimoDaSerie) {
  // A row without description is not an item.
  if (rt::text::alltrim(r.txt(campo(t, "2"))).empty()) return;
  auto codigo = static_cast<int>(r.num(campo(t, "5")).wholePart());
  if (codigo == 0 && ultimoDaSerie) codigo = t.padrao;
  x.abre("item")
      .a("codigo", (codigo < 10 ? "0" : "") + std::to_string(codigo))
      .mapeado("discriminacao", r.txt(campo(t, "2")));
  if (t.bem) {
    const bool fora = rt::text::alltrim(r.txt("I7_7")) == "S";
    x.a("nomePais", fora ? "" : "Brasil").a("pais", fora ? texto(r.txt("I7_8")) : "105");
  }
  x.dinheiro("valorExercicioAnterior", r.num(campo(t, "3")))
      .dinheiro("valorExercicioAtual", r.num(campo(t, "4")))
      .vazio();
}

rt::Status lista(const Secao& s, const Tipo& t, const Linhas& linhas, const Anexa& anexa) {
  TextoXml& x = s.x;
  x.abre(t.elemento)
      .texto("tipoItens", t.tipoItens)
      .dinheiro("totalExercicioAnterior", s.n(t.anterior))
      .dinheiro("totalExercicioAtual", s.n(t.atual))
      .fim();
  const std::string numero = campo(t, "1");
  for (std::size_t i = 0; i < linhas.size();) {
    // A row without values opens a run: the rows after it without an item number belong to
    // it while they have no values, and the first of them with values closes it.
    std::size_t fim = i + 1;
    if (semValores(t, linhas[i])) {
      while (fim < linhas.size() && linhas[fim].num(numero).isZero()) {
        const bool fecha = !semValores(t, linhas[fim]);
        ++fim;
        if (fecha) break;
      }
    }
    for (std::size_t k = i; k < fim; ++k) {
      item(x, t, linhas[k], k + 1 == fim);
      RT_TRY(anexa(x.leva()));
    }
    i = fim;
  }
  x.fecha(t.elemento);
  return anexa(x.leva());
}

}  // namespace

rt::Status bensEDividas(const Secao& s, const Anexa& anexa) {
  RT_TRY(lista(s, kBens, s.dados.bens, anexa));
  return lista(s, kDividas, s.dados.dividas, anexa);
}

}  // namespace exporta
