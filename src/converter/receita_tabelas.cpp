#include "converter/receita_tabelas.h"

#include "rt/db/structure.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/transfere.h"

namespace converter {

using rt::text::Decimal;
using rt::text::Value;

std::string Linha::texto(std::string_view campo) const {
  auto i = campos.find(campo);
  if (i == campos.end()) return {};
  if (const auto* s = std::get_if<std::string>(&i->second)) return *s;
  return {};
}

Decimal Linha::valor(std::string_view campo) const {
  auto i = campos.find(campo);
  if (i == campos.end()) return Decimal();
  if (const auto* d = std::get_if<Decimal>(&i->second)) return *d;
  return Decimal();
}

rt::Result<std::vector<Linha>*> TabelasCpf::linhas(int n) {
  mudadas_.insert(n);
  if (auto i = tabelas_.find(n); i != tabelas_.end()) return &i->second;
  const bool aberta = ctx_.areas.isOpen(n);
  if (!aberta && !store::ABERTURA(ctx_, n))
    return rt::Status(rt::Error::kInUse, "table " + std::to_string(n));
  rt::db::Table& t = *ctx_.areas.table(n);
  auto lidas = [&]() -> rt::Result<store::TabelaDiario> {
    if (n != store::numero(store::Area::IMP0910)) {
      auto v = store::linhasDoCpf(t, n, cpf_);
      // The journal opens every other table it writes exclusively: none opened here stays
      // open (one open already, as a batch of saves keeps it, is left so).
      if (!aberta) ctx_.areas.release(n);
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
  std::vector<Linha>& v = tabelas_[n];
  for (const std::string& r : lidas->registros) {
    Linha l;
    for (const rt::db::FieldDef& f : lidas->campos)
      l.poe(rt::text::upper(f.name), rt::db::readField(f, std::string_view(r).substr(static_cast<std::size_t>(f.offset),
                                                                                       static_cast<std::size_t>(f.width))));
    v.push_back(std::move(l));
  }
  return &v;
}

void TabelasCpf::substitui(int n) {
  mudadas_.insert(n);
  tabelas_[n].clear();
}

rt::Result<Linha*> TabelasCpf::nova(int n) {
  auto v = linhas(n);
  if (!v) return v.status();
  Linha l;
  l.poe("CPF", cpf_.chave());
  (*v)->push_back(std::move(l));
  return &(*v)->back();
}

rt::Status TabelasCpf::grava() {
  std::vector<store::TabelaDiario> todas;
  for (int n : mudadas_) {
    store::TabelaDiario t = store::tabelaVazia(n);
    for (const Linha& l : tabelas_[n]) {
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
