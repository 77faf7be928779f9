#include "export/dados.h"

#include "rt/db/table.h"
#include "rt/text/strings.h"

namespace exporta {

std::string cpfAberto(const store::EspelhoDeclaracao& d) {
  const std::string_view cpf = rt::text::alltrim(d.CPF);
  return std::string(cpf.empty() ? rt::text::alltrim(d.registro.txt("CPF")) : cpf);
}

rt::db::Result<Linhas> leCopia(rt::db::WorkAreas& areas, store::Area copia) {
  Linhas linhas;
  rt::db::Table* t = areas.table(store::numero(copia));
  if (t == nullptr) return linhas;
  const std::uint32_t onde = t->recNo();
  // One record copied for each row is cheaper than resolving the names again.
  const store::RegistroEspelho modelo(store::numero(store::origem(copia)), "");
  RT_DB_TRY(t->goTop());
  while (!t->eof()) {
    linhas.push_back(modelo);
    linhas.back().carrega(*t);
    RT_DB_TRY(t->skip(1));
  }
  if (onde != 0 && onde <= t->recordCount()) (void)t->goTo(onde);
  return linhas;
}

rt::db::Status leCopias(rt::db::WorkAreas& areas, DadosDeclaracao& dados) {
  using store::Area;
  const std::pair<Area, Linhas*> copias[] = {
      {Area::TMP_02, &dados.rendimentos}, {Area::TMP_03, &dados.dependentes}, {Area::TMP_04, &dados.bens},
      {Area::TMP_05, &dados.dividas},     {Area::TMP_06, &dados.pagamentos},  {Area::TMP_12, &dados.carneLeao},
      {Area::TMP_14, &dados.aplicacoes},  {Area::TMP_07, &dados.ganhos}};
  for (const auto& [area, destino] : copias) {
    auto r = leCopia(areas, area);
    if (!r) return r.status();
    *destino = std::move(*r);
  }
  return rt::db::Status::ok();
}

}  // namespace exporta
