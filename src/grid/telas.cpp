#include "grid/telas.h"

#include <algorithm>
#include <map>

#include "grid/telas_catalogo.h"
#include "rt/text/strings.h"

namespace grid {

Coluna col(std::string cpoin, std::string_view desc, std::string masc, int mostra, std::string valida, std::string recalc) {
  Coluna c;
  c.campo = mostra > 0 ? "substr(" + cpoin + ",1," + std::to_string(mostra) + ")" : cpoin;
  c.cpoin = std::move(cpoin);
  c.desc = std::string(desc);
  c.masc = std::move(masc);
  c.mostra = mostra;
  c.valida = std::move(valida);
  c.recalc = std::move(recalc);
  return c;
}

bool campoIgual(const rt::db::Table& t, std::string_view campo, std::string_view valor) {
  return rt::text::trim(t.getText(campo)) == rt::text::trim(valor);
}

Tracos daDeclaracao(Tracos t) {
  t = daCopia(std::move(t));
  t.relogio = true;
  return t;
}

Tracos daCopia(Tracos t) {
  t = doEscritorio(std::move(t));
  t.gravaCpf = true;
  return t;
}

Tracos doEscritorio(Tracos t) {
  t.cresce = t.colaNova = t.navega = t.horizontal = t.apaga = true;
  return t;
}

Tracos doRural(Tracos t) {
  t = daCopia(std::move(t));
  t.gravaAtividade = true;
  return t;
}

namespace {

// Every numbered screen by its number.
const std::map<int, const RegistroTela*>& catalogo() {
  static const std::map<int, const RegistroTela*> m = [] {
    std::map<int, const RegistroTela*> r;
    for (auto grupo : {telasRendimentos, telasPatrimonio, telasDeclaracao, telasEscritorio, telasRurais, telasRegistro})
      for (const RegistroTela& t : grupo()) r.emplace(t.opc, &t);
    return r;
  }();
  return m;
}

const RegistroTela* registro(int opc) {
  const auto& m = catalogo();
  const auto i = m.find(opc);
  return i != m.end() ? i->second : nullptr;
}

std::vector<int> numeros(bool matriz) {
  std::vector<int> v;
  for (const auto& [opc, r] : catalogo())
    if ((r->monta == nullptr) == matriz) v.push_back(opc);
  return v;
}

}  // namespace

void cabecalhosAnos(Grade& g) {
  if (g.DECFINAL == "S") {
    g.CANOAN = g.CDIVBA = " Data Partilha";
    g.CANOBA = " Val. Transf. ";
  } else {
    g.CANOAN = " Ano de 2008  ";
    g.CANOBA = g.CDIVBA = " Ano de 2009  ";
  }
}

const std::vector<int>& telasTabela() {
  static const std::vector<int> v = numeros(false);
  return v;
}

const std::vector<int>& telasMatriz() {
  static const std::vector<int> v = numeros(true);
  return v;
}

Tracos tracosDaTela(int opc) {
  const RegistroTela* r = registro(opc);
  return r != nullptr ? r->tracos : Tracos{};
}

std::optional<TelaGrade> telaGrade(store::Contexto& ctx, Grade& g, int opc, int modo) {
  const RegistroTela* r = registro(opc);
  if (r == nullptr || r->monta == nullptr) return std::nullopt;
  TelaGrade t = r->monta(Montagem{ctx, g, modo});
  t.opc = opc;
  t.tracos = r->tracos;
  return t;
}

void carregaColunas(Grade& g, const TelaGrade& tela) {
  g.TABCAMPO.clear();
  g.TABCPOIN.clear();
  g.TABMASC.clear();
  g.TABDESC.clear();
  for (const Coluna& c : tela.colunas) {
    g.TABCAMPO.push_back(c.campo);
    g.TABCPOIN.push_back(c.cpoin);
    g.TABMASC.push_back(c.masc);
    g.TABDESC.push_back(c.desc);
  }
  g.N_CAM = static_cast<int>(tela.colunas.size());
  g.ULT_POS = tela.ultPos;
}

}  // namespace grid
