#include "converter/receita/tabelas.h"

namespace converter {

using rt::text::Decimal;

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

rt::Result<std::vector<Linha>*> Tabelas::linhas(int n) {
  mudadas_.insert(n);
  if (auto i = tabelas_.find(n); i != tabelas_.end()) return &i->second;
  auto lidas = carrega_(n);
  if (!lidas) return lidas.status();
  std::vector<Linha>& v = tabelas_[n];
  v = std::move(*lidas);
  return &v;
}

void Tabelas::substitui(int n) {
  mudadas_.insert(n);
  tabelas_[n].clear();
}

rt::Result<Linha*> Tabelas::nova(int n) {
  auto v = linhas(n);
  if (!v) return v.status();
  Linha l;
  l.poe("CPF", cpf_);
  (*v)->push_back(std::move(l));
  return &(*v)->back();
}

const std::vector<Linha>& Tabelas::guardadas(int n) const {
  static const std::vector<Linha> kNenhuma;
  auto i = tabelas_.find(n);
  return i == tabelas_.end() ? kNenhuma : i->second;
}

}  // namespace converter
