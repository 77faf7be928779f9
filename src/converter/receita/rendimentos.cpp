// The incomes: the simplified totals (17), the main payer (19), the payers of the titular and
// of the dependants (21, 31, 32), the self-assessed months (22), the exempt and exclusive
// incomes (23, 24), the dividends (33) and the suspended incomes (80, 81).
#include "converter/receita/secoes.h"

#include <algorithm>

namespace converter {

using rt::text::doisDigitos;

Status Secoes::s17(const Campos& r) {
  simplificada_ = true;
  titular_ = {valor(r, "titI1_7"), valor(r, "titI1_9") + valor(r, "titDividendos"), valor(r, "titI1_10"),
              valor(r, "titI1_12"), valor(r, "titI1_13"), valor(r, "titI1_14")};
  dependentes_ = {valor(r, "depI1_7"), valor(r, "depI1_9") + valor(r, "depDividendos"), valor(r, "depI1_10"),
                  valor(r, "depI1_12"), valor(r, "depI1_13"), valor(r, "depI1_14")};
  return Status::ok();
}

Status Secoes::s19(const Campos& r) {
  c_.registro.poe("CGCPAGADOR", texto(r, "CGCPAGADOR"));
  auto t1 = tabela(1);
  if (!t1) return t1.status();
  for (const char* f : {"I13_24", "I13_25", "I13_26"}) (*t1)->front().poe(f, valor(r, f));
  return Status::ok();
}

Status Secoes::s21(const Campos& r) {
  auto l = nova(2);
  if (!l) return l.status();
  copia(r, **l);
  (*l)->poe("I1_1", std::string("J"));
  return Status::ok();
}

Status Secoes::s22(const Campos& r) {
  teve22_ = true;
  const auto mes = static_cast<int>(valor(r, "mes").wholePart());
  if (mes < 1 || mes > 12) return Status::ok();
  auto& linha = texto(r, "dependente") == "S" ? mensalDep_ : mensal_;
  auto& m = linha[static_cast<std::size_t>(mes - 1)];
  m[kRenda] = valor(r, "renda");
  m[kExterior] = valor(r, "exterior");
  m[kCaixa] = valor(r, "caixa");
  m[kInss] = valor(r, "inss");
  m[kImposto] = valor(r, "imposto");
  if (&linha == &mensal_) m[kPensao] = valor(r, "pensao");
  return Status::ok();
}

Status Secoes::depois22() {
  if (!de2010()) return Status::ok();
  for (auto* m : {&mensal_, &mensalDep_}) {
    auto& soma = (*m)[12];
    soma = {};
    for (int mes = 0; mes < 12; ++mes)
      for (std::size_t k = 0; k < 6; ++k) soma[k] = soma[k] + (*m)[static_cast<std::size_t>(mes)][k];
  }
  static constexpr struct {
    const char* texto;
    const char* tipo;
    Coluna coluna;
  } kTipos[] = {{"Diversas fontes pagadoras", "F", kRenda},
                {"Rendimentos do Exterior", "E", kExterior},
                {"Despesas livro caixa", "L", kCaixa},
                {"INSS", "P", kInss},
                {"Receita Federal", "I", kImposto}};
  for (const auto& [m, marca] : {std::pair{&mensal_, "S"}, std::pair{&mensalDep_, "N"}})
    for (const auto& t : kTipos) {
      bool tem = false;
      for (int mes = 0; mes < 12; ++mes) tem = tem || (*m)[static_cast<std::size_t>(mes)][t.coluna] > Decimal();
      if (!tem) continue;
      auto l = nova(2);
      if (!l) return l.status();
      (*l)->poe("I1_2", std::string(t.texto));
      (*l)->poe("I1_4", (*m)[12][t.coluna]);
      (*l)->poe("I1_11", std::string(marca));
      (*l)->poe("I1_1", std::string(t.tipo));
      for (int mes = 1; mes <= 12; ++mes) (*l)->poe("I1_4" + doisDigitos(mes), (*m)[static_cast<std::size_t>(mes - 1)][t.coluna]);
    }
  // The self-assessed months: replaced by what the file brings.
  RT_TRY(apagaTudo(12));
  if (!teve22_) return Status::ok();
  auto l = nova(12);
  if (!l) return l.status();
  for (int mes = 1; mes <= 12; ++mes) {
    const auto& m = mensal_[static_cast<std::size_t>(mes - 1)];
    (*l)->poe("I2_1" + doisDigitos(mes), m[kRenda]);
    (*l)->poe("I2_2" + doisDigitos(mes), m[kExterior]);
    (*l)->poe("I2_3" + doisDigitos(mes), m[kCaixa]);
    (*l)->poe("I2_5" + doisDigitos(mes), m[kImposto]);
  }
  return Status::ok();
}

Status Secoes::s23(const Campos& r) {
  auto t1 = tabela(1);
  if (!t1) return t1.status();
  copia(r, (*t1)->front());
  isento17_ = valor(r, "isento17");
  isento18_ = valor(r, "isento18");
  isentoDep_ = valor(r, "isentoDep");
  return Status::ok();
}

Status Secoes::s24(const Campos& r) {
  auto t1 = tabela(1);
  if (!t1) return t1.status();
  copia(r, (*t1)->front());
  exclusivoDep_ = valor(r, "exclusivoDep");
  return Status::ok();
}

Status Secoes::s31(const Campos& r) {
  auto l = nova(2);
  if (!l) return l.status();
  copia(r, **l);
  (*l)->poe("I1_1", std::string("J"));
  if (!de2010() || !primeiro31_) return Status::ok();
  primeiro31_ = false;
  // The exempt amounts of the titular go once, on his first payer.
  (*l)->poe("I1_17", isento17_);
  (*l)->poe("I1_18", isento18_);
  isento17_ = isento18_ = Decimal();
  if (simplificada_) {
    for (std::size_t k = 0; k < kTotais.size(); ++k) (*l)->poe(kTotais[k], titular_[k]);
    titular_ = {};
  }
  return Status::ok();
}

Status Secoes::s32(const Campos& r) {
  auto l = nova(2);
  if (!l) return l.status();
  Linha& d = **l;
  d.poe("I1_1", std::string("D"));
  d.poe("I1_8", texto(r, "I1_8"));
  d.poe("I1_3", texto(r, "I1_3"));
  d.poe("I1_2", texto(r, "I1_2"));
  if (!de2010()) return Status::ok();
  d.poe("I1_4", valor(r, "I1_4"));
  d.poe("I1_5", valor(r, "I1_5"));
  const bool primeiro = primeiro32_;
  primeiro32_ = false;
  if (simplificada_) {
    if (primeiro) {
      for (std::size_t k = 0; k < kTotais.size(); ++k) d.poe(kTotais[k], dependentes_[k]);
      dependentes_ = {};
    }
    return Status::ok();
  }
  d.poe("I1_6", valor(r, "I1_6"));
  d.poe("I1_7", valor(r, "I1_7"));
  if (primeiro) {
    d.poe("I1_9", isentoDep_);
    d.poe("I1_10", exclusivoDep_);
    isentoDep_ = exclusivoDep_ = Decimal();
  }
  return Status::ok();
}

Status Secoes::depois32() {
  if (!de2010()) return Status::ok();
  if (simplificada_) {
    if (algum(titular_) || isento17_ + isento18_ > Decimal()) {
      auto l = nova(2);
      if (!l) return l.status();
      (*l)->poe("I1_1", std::string("J"));
      for (std::size_t k = 0; k < kTotais.size(); ++k) (*l)->poe(kTotais[k], titular_[k]);
      (*l)->poe("I1_17", isento17_);
      (*l)->poe("I1_18", isento18_);
    }
    if (algum(dependentes_)) {
      auto l = nova(2);
      if (!l) return l.status();
      (*l)->poe("I1_1", std::string("D"));
      for (std::size_t k = 0; k < kTotais.size(); ++k) (*l)->poe(kTotais[k], dependentes_[k]);
    }
    return Status::ok();
  }
  if (isento17_ + isento18_ > Decimal()) {
    auto t = tabela(2);
    if (!t) return t.status();
    Linha* l = (*t)->empty() ? nullptr : &(*t)->front();
    if (l == nullptr) {
      auto n = nova(2);
      if (!n) return n.status();
      l = *n;
    }
    l->poe("I1_17", isento17_);
    l->poe("I1_18", isento18_);
    l->poe("I1_1", std::string("J"));
  }
  if (isentoDep_ + exclusivoDep_ > Decimal()) {
    auto l = nova(2);
    if (!l) return l.status();
    (*l)->poe("I1_1", std::string("D"));
    (*l)->poe("I1_9", isentoDep_);
    (*l)->poe("I1_10", exclusivoDep_);
  }
  return Status::ok();
}

// The dividends of a payer. The simplified totals put every payer's dividends into the
// exempt amount of the first payer of each kind, so the dividends also come off the rows of
// their kind that carry an exempt amount. The rows are walked in order: the payer's own row
// of the kind takes the dividends and ends the walk; a row of the kind met before it loses
// them from its exempt amount, but only while no row with dividends (of either kind) has
// been passed yet. No row of the payer and kind: one is added.
Status Secoes::s33(const Campos& r) {
  const std::string tipo = texto(r, "titular") == "T" ? "J" : "D";
  const std::string pagador = texto(r, "I1_3");
  const Decimal quantia = valor(r, "I1_15");
  auto t = tabela(2);
  if (!t) return t.status();
  auto semDividendos = [&](Linha& l) { l.poe("I1_9", std::max(l.valor("I1_9") - quantia, Decimal())); };
  bool passouDividendos = false;
  for (Linha& l : **t) {
    const bool mesmoTipo = l.texto("I1_1") == tipo;
    if (mesmoTipo && l.texto("I1_3") == pagador) {
      l.poe("I1_15", quantia);
      semDividendos(l);
      return Status::ok();
    }
    if (mesmoTipo && !passouDividendos && l.valor("I1_9") > Decimal()) semDividendos(l);
    if (!l.valor("I1_15").isZero()) passouDividendos = true;
  }
  auto l = nova(2);
  if (!l) return l.status();
  (*l)->poe("I1_1", tipo);
  (*l)->poe("I1_3", pagador);
  (*l)->poe("I1_2", texto(r, "I1_2"));
  (*l)->poe("I1_15", quantia);
  return Status::ok();
}

std::span<const Tratamento> Secoes::rendimentos() {
  static constexpr Tratamento kTabela[] = {
      {.registro = "17", .anos = k2010, .trata = &Secoes::s17, .esvazia = 2},
      {.registro = "19", .anos = k2010, .trata = &Secoes::s19},
      {.registro = "21", .trata = &Secoes::s21},
      {.registro = "22", .anos = k2010, .trata = &Secoes::s22, .depois = &Secoes::depois22},
      {.registro = "23", .anos = k2010, .trata = &Secoes::s23},
      {.registro = "24", .anos = k2010, .trata = &Secoes::s24},
      {.registro = "31", .trata = &Secoes::s31},
      {.registro = "32", .trata = &Secoes::s32, .depois = &Secoes::depois32},
      {.registro = "33", .anos = k2010, .trata = &Secoes::s33},
  };
  return kTabela;
}

Status CONV_EXIG(ConversaoDeclaracao& c, Leitura& l) {
  for (const char* tipo : {"80", "81"}) {
    while (l.tipo() == tipo) {
      // Last year's declaration: read and passed over.
      if (c.cab.anos != k2010) {
        ++l.atual;
        continue;
      }
      auto r = leRegistro(l.linha(), tipo, k2010);
      if (!r) return r.status();
      auto n = c.tabelas.nova(2);
      if (!n) return n.status();
      copia(*r, **n);
      (*n)->poe("I1_1", std::string(std::string_view(tipo) == "80" ? "J" : "D"));
      ++l.atual;
    }
  }
  return Status::ok();
}

}  // namespace converter
