#include "converter/receita_tabelas.h"

#include "rt/db/structure.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/transfere.h"

namespace converter {

using rt::text::Decimal;
using rt::text::Value;

rt::Result<std::vector<Linha>> TabelasCpf::carrega(int n) {
  // The file's reader numbers the declaration tables as their files are numbered, which is
  // also their work area.
  const store::Area area = static_cast<store::Area>(n);
  const bool aberta = ctx_.areas.isOpen(area);
  if (!aberta && !store::ABERTURA(ctx_, area))
    return rt::Status(rt::Error::kInUse, "table " + std::to_string(n));
  rt::db::Table& t = *ctx_.areas.table(area);
  auto lidas = [&]() -> rt::Result<store::TabelaDiario> {
    if (area != store::Area::IMP0910) {
      auto v = store::linhasDoCpf(t, n, cpf_);
      // The journal opens every other table it writes exclusively: none opened here stays
      // open (one open already, as a batch of saves keeps it, is left so).
      if (!aberta) ctx_.areas.release(area);
      return v;
    }
    // The register stays open (shared, as the journal writes it), read on its CPF order and
    // left on the order and row it was on.
    const int ordem = t.order();
    const std::uint32_t linha = t.eof() ? 0 : t.recNo();
    t.setOrder(1);
    auto v = store::linhasDoCpf(t, n, cpf_);
    t.setOrder(ordem);
    if (linha != 0) t.goTo(linha);
    return v;
  }();
  if (!lidas) return lidas.status();
  std::vector<Linha> v;
  for (const std::string& r : lidas->registros) {
    Linha l;
    for (const rt::db::FieldDef& f : lidas->campos)
      l.poe(rt::text::upper(f.name), rt::db::readField(f, std::string_view(r).substr(static_cast<std::size_t>(f.offset),
                                                                                       static_cast<std::size_t>(f.width))));
    v.push_back(std::move(l));
  }
  return v;
}

rt::Status TabelasCpf::grava() {
  std::vector<store::TabelaDiario> todas;
  for (int n : mudadas()) {
    store::TabelaDiario t = store::tabelaVazia(n);
    for (const Linha& l : guardadas(n)) {
      std::string reg;
      std::size_t usados = 0;
      for (const rt::db::FieldDef& f : t.campos) {
        auto i = l.campos.find(rt::text::upper(f.name));
        Value v = rt::db::blankValue(f);
        if (i != l.campos.end()) {
          v = i->second;
          ++usados;
        }
        auto bytes = rt::db::formatField(f, v);
        // Named as the user knows the field: its table's file and its own name.
        if (!bytes) return rt::Status(bytes.code(), "IMP" + rt::text::doisDigitos(n) + "10." + f.name);
        reg += *bytes;
      }
      if (usados != l.campos.size()) return rt::Status(rt::Error::kBadField, "table " + std::to_string(n));
      t.registros.push_back(std::move(reg));
    }
    todas.push_back(std::move(t));
  }
  if (todas.empty()) return rt::Status();
  return store::gravaLinhas(ctx_, ctx_.LOCARQ, cpf_, todas);
}

}  // namespace converter
