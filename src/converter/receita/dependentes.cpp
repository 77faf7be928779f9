// The dependants (25), the alimony beneficiaries (35) and the dependants' self-assessed
// months (36).
#include "converter/receita/secoes.h"

namespace converter {

using rt::text::doisDigitos;

Status Secoes::s25(const Campos& r) {
  const std::string nome = texto(r, "NOMEDEPEN");
  const auto codigo = static_cast<int>(valor(r, "CODIDEPEN").wholePart());
  if (c_.ficaDependente && !c_.ficaDependente(nome, codigo, data(r, "DATADEPEN"))) return Status::ok();
  auto l = nova(3);
  if (!l) return l.status();
  copia(r, **l);
  (*l)->poe("NRODEPEN", Decimal(++mantidos_));
  numeros_.push_back(static_cast<int>(valor(r, "numero").wholePart()));
  return Status::ok();
}

Status Secoes::depois25() {
  // The deduction for dependants in the self-assessed months: the kept dependants at the
  // monthly amount the computation grants each.
  if (!de2010() || !teve22_) return Status::ok();
  auto t = tabela(12);
  if (!t) return t.status();
  if ((*t)->empty()) return Status::ok();
  Linha& l = (*t)->front();
  for (int mes = 1; mes <= 12; ++mes) {
    const auto& m = mensal_[static_cast<std::size_t>(mes - 1)];
    if (m[kRenda] + m[kExterior] > Decimal())
      l.poe("I2_4" + doisDigitos(mes), m[kInss] + m[kPensao] + c_.valorDependente * Decimal(mantidos_));
  }
  return Status::ok();
}

Status Secoes::s35(const Campos& r) {
  auto l = nova(3);
  if (!l) return l.status();
  Linha& d = **l;
  d.poe("NOMEDEPEN", texto(r, "NOMEDEPEN"));
  d.poe("NRODEPEN", Decimal(mantidos_ + ++alimentandos_));
  if (de2010()) {
    d.poe("CODIDEPEN", Decimal(texto(r, "tipo") == "0" ? 99 : 98));
    d.poe("DATADEPEN", data(r, "DATADEPEN"));
    d.poe("CPFDEPEN", texto(r, "CPFDEPEN"));
  } else {
    d.poe("CODIDEPEN", Decimal(99));
  }
  numeros_.resize(static_cast<std::size_t>(mantidos_ + alimentandos_ - 1));
  numeros_.push_back(static_cast<int>(valor(r, "numero").wholePart()));
  return Status::ok();
}

Status Secoes::depois35() {
  if (alimentandos_ == 0) return Status::ok();
  auto t = tabela(6);
  if (!t) return t.status();
  for (Linha& p : **t) {
    const auto codigo = static_cast<int>(p.valor("I6_3").wholePart());
    if (codigo != 3 && codigo != 4) continue;
    const auto numero = static_cast<int>(p.valor("I6_6").wholePart());
    for (int i = 0; i < alimentandos_; ++i)
      if (numeros_[static_cast<std::size_t>(mantidos_ + i)] == numero) {
        p.poe("I6_6", Decimal(i + 1 + mantidos_));
        p.poe("I6_3", Decimal(codigo + 2));
        break;
      }
  }
  return Status::ok();
}

Status Secoes::s36(const Campos& r) {
  auto l = nova(12);
  if (!l) return l.status();
  const std::string cpf = texto(r, "CPFDEPEN");
  (*l)->poe("CPFDEPEN", cpf);
  if (!primeiro36_) return Status::ok();
  primeiro36_ = false;
  for (int mes = 1; mes <= 12; ++mes) {
    const auto& m = mensalDep_[static_cast<std::size_t>(mes - 1)];
    (*l)->poe("I2_1" + doisDigitos(mes), m[kRenda]);
    (*l)->poe("I2_2" + doisDigitos(mes), m[kExterior]);
    (*l)->poe("I2_3" + doisDigitos(mes), m[kCaixa]);
    (*l)->poe("I2_5" + doisDigitos(mes), m[kImposto]);
  }
  auto t = tabela(2);
  if (!t) return t.status();
  for (Linha& p : **t) {
    const std::string tipo = p.texto("I1_1");
    if (p.texto("I1_11") == "N" && tipo.size() == 1 && std::string_view("FELPI").find(tipo[0]) != std::string_view::npos)
      p.poe("I1_8", cpf);
  }
  return Status::ok();
}

std::span<const Tratamento> Secoes::dependentes() {
  static constexpr Tratamento kTabela[] = {
      {.registro = "25", .trata = &Secoes::s25, .esvazia = 3, .depois = &Secoes::depois25},
      {.registro = "35", .trata = &Secoes::s35, .depois = &Secoes::depois35},
      {.registro = "36", .anos = k2010, .trata = &Secoes::s36},
  };
  return kTabela;
}

}  // namespace converter
