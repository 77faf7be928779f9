// The rural re-conversion: the sibling program's current-edition tables appended to this
// year's rural tables, taxpayer by taxpayer.
#include <string>
#include <vector>

#include "converter/anterior_rural.h"
#include "converter/anterior_rural_fontes.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"
#include "store/catalogo.h"
#include "store/em_uso.h"
#include "store/recusa.h"

namespace converter {

using namespace rural;

namespace {

// The register MOL910 and its tables MOL<k>10 (k = 1 to 5), table k appended to table 14 + k.
std::string nomeMol(int k) {
  return "MOL" + std::to_string(k) + "10";
}

// The target field of a source field: the sibling names some fields of tables 1 to 4 without
// the "R" that this program's rural tables carry.
std::string nomeDestino(int k, const std::string& campo) {
  static constexpr struct {
    const char* de;
    const char* para;
    int primeiro, ultimo;
    bool doisDigitos;
  } kTrocas[] = {{"I4_", "I4R_", 1, 7, true},
                 {"I2_", "I2R_", 1, 7, true},
                 {"I8_", "I8R_", 0, 4, false},
                 {"I9_", "I9R_", 0, 5, false}};
  if (k < 1 || k > 4) return campo;
  const auto& t = kTrocas[k - 1];
  for (int i = t.primeiro; i <= t.ultimo; ++i) {
    const std::string n = t.doisDigitos ? rt::text::doisDigitos(i) : std::to_string(i);
    if (campo == t.de + n) return t.para + n;
  }
  return campo;
}

bool mesmoTipo(char de, char para) {
  auto numero = [](char t) { return t == 'N' || t == 'F'; };
  return de == para || (numero(de) && numero(para));
}

// For each field of source table k, the target field it is copied into ("" for none).
std::vector<std::string> mapa(const rt::db::Table& fonte, int k) {
  const auto destino = store::estrutura(workareas::declaracao(14 + k));
  std::vector<std::string> v;
  for (const rt::db::FieldDef& f : fonte.fields()) {
    const std::string nome = nomeDestino(k, rt::text::upper(f.name));
    const store::CampoDef* c = store::campo(destino, nome);
    v.push_back(c != nullptr && nome != "CPF" && nome != "ATV_BRASIL" && mesmoTipo(f.type, c->tipo)
                    ? rt::text::upper(c->nome)
                    : std::string());
  }
  return v;
}

std::string cpfMostrado(const store::Cpf& cpf) {
  return rt::text::transform(cpf.chave(), "@R 999.999.999-99");
}

// One taxpayer: his register row marked, the source's rows appended to his, all written
// together.
void reconverte(store::Contexto& ctx, const workareas::Emprestimo& fontes, const store::Cpf& cpf,
                const std::vector<std::vector<std::string>>& mapas) {
  const std::string oque = "CPF " + cpfMostrado(cpf);
  store::UsoDeclaracao uso;
  std::string motivo;
  if (!store::reservaDeclaracao(ctx, ctx.LOCARQ, cpf.chave(), uso, &motivo)) {
    ctx.relato().alerta({oque, motivo});
    return;
  }
  TabelasCpf tabelas(ctx, cpf);
  auto registro = tabelas.linhas(store::numero(store::Area::IMP0910));
  if (!registro) {
    store::gravou(ctx, registro.status(), oque).ignoreTold();
    return;
  }
  if ((*registro)->empty()) {
    ctx.relato().alerta(oque + " nao encontrado nos dados do TAVREN.");
    return;
  }
  Linha& r = (*registro)->front();
  r.poe("TEMRURAL", std::string("S"));
  r.poe("ATV_BRASIL", std::string("S"));
  Status s;
  for (int k = 1; k <= 5 && s; ++k) {
    rt::db::Table* t = ctx.areas.table(areaDaTabela(fontes, k));
    if (t == nullptr) continue;
    const std::vector<std::string>& m = mapas[static_cast<std::size_t>(k)];
    s = rural::linhasDoCpf(*t, cpf, [&](const rt::db::Table& f) {
      auto l = tabelas.nova(14 + k);
      if (!l) return l.status();
      for (std::size_t i = 0; i < m.size(); ++i)
        if (!m[i].empty()) (*l)->poe(m[i], f.get(static_cast<int>(i)));
      (*l)->poe("ATV_BRASIL", rural::ladoDe(f));
      return Status::ok();
    });
  }
  if (s) s = tabelas.grava();
  store::gravou(ctx, s, oque).ignoreTold();
}

}  // namespace

void reconverteRural(store::Contexto& ctx, Conversor& c) {
  const workareas::Emprestimo fontes(ctx.areas, workareas::kFontesRurais);
  switch (rural::abreFonte(ctx, areaDoRegistro(fontes), c.ARQORIG, "MOL910", "CPF", kCamposRegistro)) {
    case Aberta::Sim:
      break;
    case Aberta::Recusada:
      return;
    case Aberta::Ausente:
    case Aberta::Falhou:
      ctx.relato().alerta("Problema ao abrir arquivo Origem");
      return;
  }
  // Every table is checked before the first taxpayer is written; one that cannot be had is
  // left out.
  constexpr Lido kChave[] = {{"CPF", 'C'}, {"ATV_EXTER", 'C'}};
  std::vector<std::vector<std::string>> mapas(6);
  for (int k = 1; k <= 5; ++k) {
    const Aberta a = rural::abreFonte(ctx, areaDaTabela(fontes, k), c.ARQORIG, nomeMol(k), "CPF+ATV_EXTER", kChave);
    if (a == Aberta::Recusada) return;
    if (a == Aberta::Sim) mapas[static_cast<std::size_t>(k)] = mapa(*ctx.areas.table(areaDaTabela(fontes, k)), k);
  }
  rt::db::Table& fonte = *ctx.areas.table(areaDoRegistro(fontes));
  fonte.goTop();
  std::string anterior;
  while (fonte.status() && !fonte.eof()) {
    const std::string cpf = fonte.getText("CPF");
    // A taxpayer listed twice is carried once.
    if (!rt::text::isEmptyText(cpf) && cpf != anterior) reconverte(ctx, fontes, store::Cpf(cpf), mapas);
    anterior = cpf;
    fonte.skip(1);
  }
  if (!fonte.status()) store::gravou(ctx, fonte.status(), "MOL910").ignoreTold();
  // Two lines: as one it is wider than an alert box.
  ctx.relato().alerta({"Re-conversao concluida.", "Nao fazer novamente pois podera dobrar as informacoes"});
}

}  // namespace converter
