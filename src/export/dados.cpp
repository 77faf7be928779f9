#include "export/dados.h"

#include <set>

#include "console/pastas.h"
#include "export/formatos.h"
#include "rt/db/file.h"
#include "rt/db/table.h"
#include "rt/text/strings.h"

namespace exporta {

std::string cpfAberto(const store::EspelhoDeclaracao& d) {
  const std::string_view cpf = d.CPF.digitos();
  return std::string(cpf.empty() ? rt::text::alltrim(d.registro.txt("CPF")) : cpf);
}

rt::Result<Linhas> leCopia(workareas::AreasTrabalho& areas, store::Area copia) {
  Linhas linhas;
  rt::db::Table* t = areas.table(copia);
  if (t == nullptr) return linhas;
  const std::uint32_t onde = t->recNo();
  // One record copied for each row is cheaper than resolving the names again.
  const store::RegistroEspelho modelo(store::origem(copia), "");
  t->goTop();
  RT_TRY(t->status());
  while (t->status() && !t->eof()) {
    linhas.push_back(modelo);
    linhas.back().carrega(*t);
    t->skip(1);
    RT_TRY(t->status());
  }
  if (onde != 0 && onde <= t->recordCount()) t->goTo(onde);
  return linhas;
}

rt::Status leCopias(workareas::AreasTrabalho& areas, DadosDeclaracao& dados) {
  using store::Area;
  const std::pair<Area, Linhas*> copias[] = {
      {Area::TMP_02, &dados.rendimentos}, {Area::TMP_03, &dados.dependentes}, {Area::TMP_04, &dados.bens},
      {Area::TMP_05, &dados.dividas},     {Area::TMP_06, &dados.pagamentos},  {Area::TMP_12, &dados.carneLeao},
      {Area::TMP_14, &dados.aplicacoes},  {Area::TMP_07, &dados.ganhos},
      {Area::TMP_08, &dados.custosGanhos}};
  for (const auto& [area, destino] : copias) {
    auto r = leCopia(areas, area);
    if (!r) return r.status();
    *destino = std::move(*r);
  }
  return rt::Status::ok();
}

namespace {

// The rows of a table of the data or program folder that pass `quer`, the table opened on its
// own, shared and read only. A missing table has no rows.
rt::Result<Linhas> leTabela(const std::string& arquivo, store::Area tabela,
                            const std::function<bool(const rt::db::Table&)>& quer) {
  Linhas linhas;
  const std::string real = rt::db::resolveCaseInsensitive(arquivo);
  if (!rt::db::fileExists(real)) return linhas;
  auto aberta = rt::db::Table::open(real, {.readOnly = true, .alias = "EXPORTA"});
  if (!aberta) return aberta.status();
  rt::db::Table& t = **aberta;
  const store::RegistroEspelho modelo(tabela, "");
  t.goTop();
  RT_TRY(t.status());
  while (t.status() && !t.eof()) {
    if (!t.isDeleted() && quer(t)) {
      linhas.push_back(modelo);
      linhas.back().carrega(t);
    }
    t.skip(1);
    RT_TRY(t.status());
  }
  return linhas;
}

}  // namespace

rt::Status leRural(store::Contexto& ctx, DadosDeclaracao& dados) {
  using store::Area;
  const std::string cpf = cpfAberto(dados.d);
  const std::string aberto(rt::text::alltrim(dados.d.registro.txt("ATV_BRASIL")));
  const std::string pasta = console::caminhoLinux(ctx, ctx.LOCARQ) + "/";
  for (const auto& [atv, lado] : {std::pair<const char*, LadoRural*>{"S", &dados.ruralBrasil}, {"N", &dados.ruralExterior}}) {
    if (aberto == atv) {
      // The open side as the working copies hold it now.
      const std::pair<Area, Linhas*> copias[] = {
          {Area::TMP_16, &lado->imoveis}, {Area::TMP_17, &lado->bens}, {Area::TMP_18, &lado->dividas}};
      for (const auto& [area, destino] : copias) {
        auto r = leCopia(ctx.areas, area);
        if (!r) return r.status();
        *destino = std::move(*r);
      }
      auto resumo = leCopia(ctx.areas, Area::TMP_15);
      if (!resumo) return resumo.status();
      if (!resumo->empty()) lado->resumo = dados.d.rural;
      continue;
    }
    auto doLado = [&](const rt::db::Table& t) {
      return rt::text::alltrim(t.getText("CPF")) == cpf && rt::text::alltrim(t.getText("ATV_BRASIL")) == atv;
    };
    const std::pair<Area, Linhas*> tabelas[] = {{Area::IMP1510, nullptr},
                                                {Area::IMP1610, &lado->imoveis},
                                                {Area::IMP1710, &lado->bens},
                                                {Area::IMP1810, &lado->dividas}};
    for (const auto& [tabela, destino] : tabelas) {
      const int n = store::numero(tabela);
      auto r = leTabela(pasta + "IMP" + doisDigitos(n) + "10.DBF", tabela, doLado);
      if (!r) return r.status();
      if (destino != nullptr)
        *destino = std::move(*r);
      else if (!r->empty())
        lado->resumo = std::move(r->front());
    }
  }
  std::set<std::string, std::less<>> codigos;
  for (const auto& r : dados.ruralExterior.imoveis) codigos.emplace(rt::text::alltrim(r.txt("CODPAIS")));
  for (const auto& r : dados.ruralExterior.bens) codigos.emplace(rt::text::alltrim(r.txt("I8R_3")));
  codigos.erase("");
  if (codigos.empty()) return rt::Status::ok();
  auto paises = leTabela(console::caminhoLinux(ctx, ctx.ARQDEF) + "/TABPAIS.DBF", Area::TABPAIS,
                         [&](const rt::db::Table& t) { return codigos.contains(rt::text::alltrim(t.getText("CODPAIS"))); });
  if (!paises) return paises.status();
  for (const auto& p : *paises) dados.NOMPAIS.emplace(rt::text::alltrim(p.txt("CODPAIS")), p.txt("NOMPAIS"));
  return rt::Status::ok();
}

}  // namespace exporta
