#include "converter/receita/ganhos.h"

#include <cctype>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "rt/text/strings.h"

namespace converter {

using rt::Status;
using rt::text::Date;
using rt::text::Decimal;
using rt::text::doisDigitos;

namespace {

class Ganhos {
 public:
  Ganhos(ConversaoDeclaracao& c, Leitura& l, int leiaute)
      : c_(c), l_(l), leiaute_(leiaute), ano_(leiaute == 0 ? unsigned{k2010} : unsigned{kGanhos}) {}
  Status roda();

 private:
  template <typename F>
  Status secao(std::string_view tipo, F faz) {
    while (l_.tipo() == tipo) {
      auto r = leRegistro(l_.linha(), tipo, ano_);
      if (!r) return r.status();
      RT_TRY(faz(*r));
      ++l_.atual;
    }
    return Status::ok();
  }
  // The item's place in the list (its BEM_NRO), 0 when the list has none of that number and
  // kind.
  int lugar(int item, int tipo) const {
    for (std::size_t i = 0; i < itens_.size(); ++i)
      if (itens_[i] == std::pair{item, tipo}) return static_cast<int>(i) + 1;
    return 0;
  }
  // LOCALIZ: the table-7 row of an item; nullptr when there is none.
  rt::Result<Linha*> item7(int bem) {
    auto t = c_.tabelas.linhas(7);
    if (!t) return t.status();
    if (bem == 0) return static_cast<Linha*>(nullptr);
    for (Linha& l : **t)
      if (l.valor("BEM_NRO") == Decimal(bem) && l.valor("TIPO_BEM") != Decimal(4)) return &l;
    return static_cast<Linha*>(nullptr);
  }
  Status vendido(const Campos& r, int tipo);
  Status venda(const Campos& r);
  Status mensal(const Campos& r);
  Status lote(const Campos& r);
  Status fechaLote();
  Status parcela(const Campos& r);

  ConversaoDeclaracao& c_;
  Leitura& l_;
  int leiaute_;
  unsigned ano_;
  std::vector<std::pair<int, int>> itens_;  // (item number, kind) of records 60, 61, 62
  Date ultimaVenda_;
  // The lot being read (records 65).
  int loteBem_ = 0, loteTipo_ = 0;
  // The sum of a lot's quantities: each fits a quantity field (9 digits, as the check of the
  // file made sure), their sum may not, and is refused then.
  std::int64_t loteQuantidade_ = 0;
  std::size_t loteLinha_ = 0;
  std::string loteNome_;
  Decimal loteMedio_, loteCoeficiente_;
  bool temLote_ = false;
  // The cost row of each item written by its sale (record 63), by place; the first instalment
  // (record 68) rewrites it.
  std::vector<std::pair<int, std::size_t>> custos_;
  std::vector<int> parcelados_;
};

Status Ganhos::vendido(const Campos& r, int tipo) {
  const auto item = static_cast<int>(valor(r, "item").wholePart());
  itens_.emplace_back(item, tipo);
  auto n = c_.tabelas.nova(7);
  if (!n) return n.status();
  Linha& g = **n;
  for (const auto& [alvo, v] : r)
    if (!alvo.empty() && std::isupper(static_cast<unsigned char>(alvo[0]))) g.poe(alvo, v);
  g.poe("TIPO_BEM", Decimal(tipo));
  g.poe("BEM_NRO", Decimal(static_cast<int>(itens_.size())));
  g.poe("NRO_ITEM", Decimal());
  if (r.count("pequeno") != 0) g.poe("PEQ_VALOR", std::string(texto(r, "pequeno") == "N" ? "S" : "N"));
  if (tipo == 3) {
    const std::string p = texto(r, "participacao");
    g.poe("TIPOPART", Decimal(p == "A" ? 1 : p == "Q" ? 2 : p == "F" ? 3 : 0));
  }
  return Status::ok();
}

Status Ganhos::venda(const Campos& r) {
  const int bem = lugar(static_cast<int>(valor(r, "item").wholePart()), static_cast<int>(valor(r, "tipo").wholePart()));
  auto g = item7(bem);
  if (!g) return g.status();
  const Date adquirido = leiaute_ == 0 ? Date::fromYmd(2005, 12, 31) : data(r, "DATA_ADQ");
  ultimaVenda_ = data(r, "DATA_ALI");
  if (*g != nullptr) {
    Linha& l = **g;
    for (const char* f : {"DATA_ALI", "VAL_ALI", "CUS_ATUAL", "IMPPAGO"}) l.poe(f, r.at(f));
    l.poe("DATA_ADQ", adquirido);
    if (leiaute_ == 0) {
      for (const char* f : {"NOME_ADQ", "CPFADQ", "VAL_PARTE", "VEN_PRAZO", "PARCOMPRA"}) l.poe(f, r.at(f));
      l.poe("PEQ_VALOR", std::string(texto(r, "pequeno") == "N" ? "S" : "N"));
    } else {
      l.poe("PARCOMPRA", std::string("N"));
    }
  }
  auto c = c_.tabelas.nova(8);
  if (!c) return c.status();
  (*c)->poe("BEM_NRO", Decimal(bem));
  (*c)->poe("VALOR_CUST", valor(r, "CUS_ATUAL"));
  (*c)->poe("DATA_CUST", adquirido);
  auto t8 = c_.tabelas.linhas(8);
  custos_.emplace_back(bem, (*t8)->size() - 1);
  return Status::ok();
}

Status Ganhos::mensal(const Campos& r) {
  const int bem = lugar(static_cast<int>(valor(r, "item").wholePart()), static_cast<int>(valor(r, "tipo").wholePart()));
  const auto mes = static_cast<int>(valor(r, "mes").wholePart());
  auto g = item7(bem);
  if (!g) return g.status();
  if (*g == nullptr || mes < 1 || mes > 12) return Status::ok();
  Linha& l = **g;
  const std::string mm = doisDigitos(mes);
  l.poe("REC_MES" + mm, valor(r, "receita"));
  l.poe("PER_TRI", valor(r, "PER_TRI"));
  l.poe("VAL_TRI" + mm, valor(r, "tributado"));
  l.poe("IMP_DEV" + mm, valor(r, "devido"));
  l.poe("IMP_LEI" + mm, valor(r, "lei"));
  l.poe("IMP_PAG" + mm, valor(r, "pago"));
  return Status::ok();
}

Status Ganhos::lote(const Campos& r) {
  const std::int64_t quantidade = valor(r, "quantidade").wholePart();
  loteBem_ = lugar(static_cast<int>(valor(r, "item").wholePart()), 3);
  loteTipo_ = static_cast<int>(valor(r, "TIPO_ACAO").wholePart());
  loteNome_ = texto(r, "LOTE");
  loteMedio_ = valor(r, "medio");
  loteCoeficiente_ = valor(r, "custo");
  loteQuantidade_ += quantidade;
  loteLinha_ = l_.atual + 1;
  temLote_ = true;
  auto c = c_.tabelas.nova(8);
  if (!c) return c.status();
  Linha& l = **c;
  l.poe("BEM_NRO", Decimal(loteBem_));
  l.poe("TIPO_ACAO", Decimal(loteTipo_));
  l.poe("MOV_ACAO", Decimal::fromInt(quantidade));
  l.poe("SALDO_ACAO", Decimal::fromInt(quantidade));
  l.poe("CM_PONDER", loteMedio_);
  l.poe("CMED_COEF", valor(r, "custo"));
  l.poe("VALOR_CUST", valor(r, "custo"));
  l.poe("TIPO_OPER", Decimal(1));
  l.poe("DATA_CUST", Date::fromYmd(2008, 12, 31));
  return Status::ok();
}

Status Ganhos::fechaLote() {
  if (!temLote_) return Status::ok();
  if (loteQuantidade_ > kMaiorQuantidade)
    return Status(rt::Error::kCorrupt, "Linha " + std::to_string(loteLinha_) +
                                           ", registro 65: a soma das quantidades do lote, " +
                                           std::to_string(loteQuantidade_) + ", maior do que o campo comporta");
  auto c = c_.tabelas.nova(8);
  if (!c) return c.status();
  Linha& l = **c;
  l.poe("BEM_NRO", Decimal(loteBem_));
  l.poe("TIPO_ACAO", Decimal(loteTipo_));
  l.poe("LOTE", loteNome_);
  l.poe("MOV_ACAO", Decimal::fromInt(loteQuantidade_));
  l.poe("SALDO_ACAO", Decimal::fromInt(loteQuantidade_));
  l.poe("CM_PONDER", loteMedio_);
  l.poe("CMED_COEF", loteCoeficiente_);
  l.poe("TIPO_OPER", Decimal(3));
  l.poe("DATA_CUST", ultimaVenda_);
  return Status::ok();
}

Status Ganhos::parcela(const Campos& r) {
  const int bem = lugar(static_cast<int>(valor(r, "item").wholePart()), 1);
  const auto mes = static_cast<int>(valor(r, "mes").wholePart());
  const auto ano = static_cast<int>(valor(r, "ano").wholePart());
  const Date quando = mes >= 1 && mes <= 12 ? Date::fromYmd(ano, mes, 1) : Date();
  auto t8 = c_.tabelas.linhas(8);
  if (!t8) return t8.status();
  Linha* l = nullptr;
  if (std::find(parcelados_.begin(), parcelados_.end(), bem) == parcelados_.end()) {
    parcelados_.push_back(bem);
    for (const auto& [lugarCusto, linha] : custos_)
      if (lugarCusto == bem && linha < (*t8)->size()) l = &(**t8)[linha];
  }
  if (l == nullptr) {
    auto n = c_.tabelas.nova(8);
    if (!n) return n.status();
    l = *n;
    l->poe("BEM_NRO", Decimal(bem));
  }
  l->poe("VALOR_CUST", valor(r, "VALOR_CUST"));
  l->poe("DATA_CUST", quando);
  l->poe("PER_CUST", valor(r, "PER_CUST"));
  auto g = item7(bem);
  if (!g) return g.status();
  if (*g != nullptr) (*g)->poe("PARCOMPRA", std::string("S"));
  return Status::ok();
}

Status Ganhos::roda() {
  auto t8 = c_.tabelas.linhas(8);
  if (!t8) return t8.status();
  std::erase_if(**t8, [](const Linha& l) { return l.valor("RVAR_NRO").isZero(); });
  auto t7 = c_.tabelas.linhas(7);
  if (!t7) return t7.status();
  std::erase_if(**t7, [](const Linha& l) {
    const Decimal t = l.valor("TIPO_BEM");
    return t == Decimal(1) || t == Decimal(2) || t == Decimal(3);
  });
  RT_TRY(secao("60", [&](const Campos& r) { return vendido(r, 1); }));
  RT_TRY(secao("61", [&](const Campos& r) { return vendido(r, 2); }));
  RT_TRY(secao("62", [&](const Campos& r) { return vendido(r, 3); }));
  RT_TRY(secao("63", [&](const Campos& r) { return venda(r); }));
  RT_TRY(secao("64", [&](const Campos& r) { return leiaute_ == 1 ? mensal(r) : Status::ok(); }));
  RT_TRY(secao("65", [&](const Campos& r) { return lote(r); }));
  RT_TRY(fechaLote());
  RT_TRY(secao("66", [&](const Campos& r) { return leiaute_ == 0 ? mensal(r) : Status::ok(); }));
  RT_TRY(secao("67", [](const Campos&) { return Status::ok(); }));
  RT_TRY(secao("68", [&](const Campos& r) { return parcela(r); }));
  return Status::ok();
}

}  // namespace

Status CONV_GANHO(ConversaoDeclaracao& c, Leitura& l, int leiaute) {
  // A declaration of last year brings no gains: its records are passed over.
  if (leiaute == 0 && c.cab.anos != k2010) {
    for (const Secao& s : secoesGanhos())
      while (l.tipo() == s.registro) ++l.atual;
    return Status::ok();
  }
  Ganhos g(c, l, leiaute);
  return g.roda();
}

}  // namespace converter
