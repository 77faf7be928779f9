#include "converter/receita_declaracao.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

#include "console/documentos.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "taxcalc/tax_year.h"

namespace converter {

using rt::Status;
using rt::text::Date;
using rt::text::Decimal;
using rt::text::doisDigitos;
using namespace rt::text::literals;

// ---------------------------------------------------------------- header and identification

std::string reciboComDigitos(std::string_view dez) {
  const std::string r(dez);
  if (rt::text::alltrim(r).empty()) return std::string(12, ' ');
  std::string com = r + console::MODULO_11(r);
  return com + console::MODULO_11(com);
}

Cabecalho leCabecalho(std::string_view linha) {
  Cabecalho c;
  c.cdecl = colunas(linha, -1, 4);
  c.programa = colunas(linha, -1, 8);
  c.ano = colunas(linha, 7, 4);
  c.anos = c.ano == "2009" ? unsigned{k2009} : c.ano == "2010" ? unsigned{k2010} : 0u;
  c.reciboAtu = reciboComDigitos(colunas(linha, 163, 10));
  c.reciboAnt = reciboComDigitos(colunas(linha, 202, 10));
  return c;
}

std::string Leitura::tipo() const {
  if (atual >= linhas.size()) return {};
  return colunas(linhas[atual], -1, 2);
}

namespace {

bool espolio(const Cabecalho& cab) { return cab.cdecl == "ESPL"; }
bool saida(const Cabecalho& cab) { return cab.cdecl == "SAID"; }

// Copies the fields of a record that name a field of the row (upper-case targets).
void copia(const Campos& c, Linha& l) {
  for (const auto& [alvo, v] : c)
    if (!alvo.empty() && std::isupper(static_cast<unsigned char>(alvo[0]))) l.poe(alvo, v);
}

}  // namespace

Status leIdentificacao(std::string_view linha, const Cabecalho& cab, Linha& registro, Linha& tabela1) {
  auto base = leRegistro(linha, "16", cab.anos);
  if (!base) return base.status();
  copia(*base, registro);
  if (texto(*base, "exterior") == "1") registro.poe("UF", std::string("EX"));
  registro.poe("CONJUNTA", std::string(" "));
  if (espolio(cab)) {
    auto e = leRegistro(linha, "16E", cab.anos);
    if (!e) return e.status();
    copia(*e, tabela1);
    return Status::ok();
  }
  auto o = leRegistro(linha, "16O", cab.anos);
  if (!o) return o.status();
  copia(*o, registro);
  registro.poe("SO_SIMPLES", std::string(texto(*o, "USAPADRAO") == "S" ? "S" : "N"));
  if (cab.anos == k2009)
    for (const char* marca : {"RETIFICA", "NOVOEND"}) registro.poe(marca, std::string("N"));
  if (saida(cab)) {
    auto s = leRegistro(linha, "16S", cab.anos);
    if (!s) return s.status();
    copia(*s, tabela1);
  }
  return Status::ok();
}

// ---------------------------------------------------------------- age rules

bool VE_IDADE(store::Contexto& ctx, std::string_view nomeDado, int codigo, Date nascimento) {
  // Without a birth date there is no age to hold against the dependant.
  if (nascimento.isEmpty()) return true;
  const int ano = nascimento.year();
  const std::string nome(nomeDado);
  if ((codigo == 21 || codigo == 24) && ano < 1987)
    return !ctx.relato().pergunta({"Dependente:  " + rt::text::substr(nome, 1, 41),
                                   "O dependente completou 22 anos. A menos que ele seja  ",
                                   "incapacitado física ou mentalmente não pode permanecer"_cp,
                                   "mais como dependente. Retira-o da relação?        "_cp},
                                  false);
  if (codigo == 41 && ano < 1987) {
    ctx.relato().alerta({"Dependente:" + rt::text::substr(nome, 1, 37), "O menor pobre completou 22 anos e não pode ficar"_cp,
                         "como dependente. Ele será retirado da relação. "_cp});
    return false;
  }
  if ((codigo == 22 || codigo == 25) && ano < 1984) {
    ctx.relato().alerta({"Dependente:" + rt::text::substr(nome, 1, 36), "O dependente completou 25 anos e não pode ficar"_cp,
                         "como dependente. Ele será retirado da relação."_cp});
    return false;
  }
  return true;
}

// ---------------------------------------------------------------- the sections

namespace {

// The six totals a simplified declaration gives the titular and the dependants.
constexpr std::array<const char*, 6> kTotais = {"I1_7", "I1_9", "I1_10", "I1_12", "I1_13", "I1_14"};
using Totais = std::array<Decimal, 6>;

bool algum(const Totais& t) {
  return std::any_of(t.begin(), t.end(), [](Decimal d) { return d > Decimal(); });
}

// The monthly self-assessed columns of the titular: income, abroad, cash-book, social
// security, tax paid, alimony (the dependants' matrix has the first five).
enum Coluna { kRenda, kExterior, kCaixa, kInss, kImposto, kPensao };
using Matriz = std::array<std::array<Decimal, 6>, 13>;

class Secoes {
 public:
  Secoes(ConversaoDeclaracao& c, Leitura& l) : c_(c), l_(l), ano_(c.cab.anos) {}

  Status roda();

 private:
  bool de2010() const { return ano_ == k2010; }
  // Reads the current record of type `tipo`, refusing a bad amount.
  rt::Result<Campos> registro(std::string_view tipo) { return leRegistro(l_.linha(), tipo, ano_); }
  // Runs `faz` for each record of the section (one when `um`).
  template <typename F>
  Status secao(std::string_view tipo, bool um, F faz) {
    while (l_.tipo() == tipo) {
      auto r = registro(tipo);
      if (!r) return r.status();
      RT_TRY(faz(*r));
      ++l_.atual;
      if (um) break;
    }
    return Status::ok();
  }
  rt::Result<std::vector<Linha>*> tabela(int n) { return c_.tabelas.linhas(n); }
  rt::Result<Linha*> nova(int n) { return c_.tabelas.nova(n); }
  // Deletes the CPF's rows of table n that `tira` picks (all when none is given).
  template <typename F>
  Status apaga(int n, F tira) {
    auto t = tabela(n);
    if (!t) return t.status();
    std::erase_if(**t, tira);
    return Status::ok();
  }
  Status apagaTudo(int n) {
    c_.tabelas.substitui(n);
    return Status::ok();
  }

  Status identificacaoNoRegistro();
  Status s17(const Campos& r);
  Status s19(const Campos& r);
  Status s21(const Campos& r);
  Status s22(const Campos& r);
  Status depois22();
  Status s23(const Campos& r);
  Status s24(const Campos& r);
  Status s25(const Campos& r);
  Status depois25();
  Status s26(const Campos& r);
  Status s27(const Campos& r);
  Status s28(const Campos& r);
  Status s29(const Campos& r);
  Status s30(const Campos& r);
  Status s31(const Campos& r);
  Status s32(const Campos& r);
  Status depois32();
  Status s33(const Campos& r);
  Status s34(const Campos& r);
  Status s35(const Campos& r);
  Status depois35();
  Status s36(const Campos& r);
  Status s38(const Campos& r);
  Status s40(const Campos& r);
  Status depois40();
  Status s41(const Campos& r);
  Status s42(const Campos& r);
  Status s50(const Campos& r);
  Status s5x(std::string_view tipo, const Campos& r);
  Status s54(const Campos& r);
  Status s55(const Campos& r);
  Status s56(const Campos& r);
  rt::Result<Linha*> linha15(const std::string& lado);

  ConversaoDeclaracao& c_;
  Leitura& l_;
  unsigned ano_;

  bool simplificada_ = false;
  Totais titular_{}, dependentes_{};
  Decimal isento17_, isento18_, isentoDep_, exclusivoDep_;
  bool teve22_ = false;
  Matriz mensal_{}, mensalDep_{};
  int mantidos_ = 0;
  std::vector<int> numeros_;  // the file numbers of the kept dependants, then of the beneficiaries
  int alimentandos_ = 0;
  bool primeiro30_ = true;
  bool primeiro31_ = true, primeiro32_ = true, primeiro36_ = true;
  int item_ = 1, ordemBem_ = 1;
  bool anteriorZero_ = false;
  int dividas_ = 0;
  std::array<std::array<Decimal, 12>, 14> comum_{}, dayTrade_{};
  std::array<bool, 12> mesComum_{}, mesDayTrade_{};
  Decimal retidoFonte_, perdaComum_, perdaDayTrade_, retidoDayTrade_;
  int imoveis_ = 0, bensRurais_ = 0, dividasRurais_ = 0;
};

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

Status Secoes::s25(const Campos& r) {
  const std::string nome = texto(r, "NOMEDEPEN");
  const auto codigo = static_cast<int>(valor(r, "CODIDEPEN").wholePart());
  if (!VE_IDADE(c_.ctx, nome, codigo, data(r, "DATADEPEN"))) return Status::ok();
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
      l.poe("I2_4" + doisDigitos(mes), m[kInss] + m[kPensao] + taxcalc::NVALDEPEN * Decimal(mantidos_));
  }
  return Status::ok();
}

Status Secoes::s26(const Campos& r) {
  auto l = nova(6);
  if (!l) return l.status();
  Linha& p = **l;
  p.poe("I6_1", texto(r, "I6_1"));
  p.poe("I6_2", texto(r, "I6_2"));
  auto codigo = static_cast<int>(valor(r, "I6_3").wholePart());
  const auto numero = static_cast<int>(valor(r, "I6_6").wholePart());
  p.poe("I6_6", Decimal(numero));
  if (de2010()) {
    p.poe("I6_6", Decimal());
    if ((codigo == 1 || codigo == 2) && numero > 0) {
      p.poe("I6_6", Decimal(numero));
      for (int i = 0; i < mantidos_; ++i)
        if (numeros_[static_cast<std::size_t>(i)] == numero) {
          p.poe("I6_6", Decimal(i + 1));
          codigo += 2;
          break;
        }
    }
    if (codigo == 50) {
      p.poe("I6_7", std::string(rt::text::alltrim(colunas(l_.linha(), 19, 14)).substr(0, 11)));
      p.poe("I6_2", console::CONTAPONTO(texto(r, "cpf50")));
    }
    const Decimal pago = valor(r, "I6_4");
    p.poe("I6_4", pago);
    p.poe("I6_5", valor(r, "I6_5"));
    const Decimal limite = Decimal::fromRaw(259229000000);
    if (codigo < 7 && pago > limite) p.poe("I6_5", pago - limite);
    if (codigo == 30 && teve22_ && primeiro30_) {
      primeiro30_ = false;
      for (int mes = 1; mes <= 12; ++mes)
        p.poe("I6_4" + doisDigitos(mes), mensal_[static_cast<std::size_t>(mes - 1)][kPensao]);
    }
  }
  p.poe("I6_3", Decimal(codigo));
  return Status::ok();
}

Status Secoes::s27(const Campos& r) {
  const auto codigo = static_cast<int>(valor(r, "I7_5").wholePart());
  std::string pais = texto(r, "I7_8");
  // "000" is no country: the asset is in Brazil.
  if (pais == "000") pais.clear();
  Decimal anterior, atual;
  if (de2010()) {
    anterior = valor(r, "I7_3");
    atual = valor(r, "I7_4");
  } else {
    // Last year's closing value is this declaration's previous value.
    anterior = valor(r, "I7_4");
    if (anterior.isZero()) return Status::ok();
    atual = codigo >= 41 && codigo <= 78 ? Decimal() : anterior;
  }
  auto l = nova(4);
  if (!l) return l.status();
  Linha& b = **l;
  const int item = anteriorZero_ ? 0 : item_;
  b.poe("I7_0", Decimal(ordemBem_));
  b.poe("I7_1", Decimal(item));
  b.poe("I7_2", texto(r, "I7_2"));
  b.poe("I7_3", anterior);
  b.poe("I7_4", atual);
  b.poe("I7_7", std::string(pais.empty() ? " " : "S"));
  b.poe("I7_8", pais);
  b.poe("I7_9", anterior);
  if (item != 0) b.poe("I7_5", Decimal(codigo));
  if (anterior > Decimal() || atual > Decimal()) ++item_;
  anteriorZero_ = anterior.isZero() && atual.isZero();
  ordemBem_ += 10;
  return Status::ok();
}

Status Secoes::s28(const Campos& r) {
  auto l = nova(5);
  if (!l) return l.status();
  Linha& d = **l;
  d.poe("I8_5", valor(r, "I8_5"));
  d.poe("I8_2", texto(r, "I8_2"));
  const Decimal fim = valor(r, "I8_4");
  const Decimal inicio = de2010() ? valor(r, "I8_3") : fim;
  d.poe("I8_3", inicio);
  d.poe("I8_4", fim);
  d.poe("I8_6", inicio);
  d.poe("I8_0", Decimal(1 + 10 * dividas_));
  d.poe("I8_1", Decimal(++dividas_));
  return Status::ok();
}

Status Secoes::s29(const Campos& r) {
  Linha& g = c_.registro;
  g.poe("CPFCONJU", texto(r, "CPFCONJU"));
  if (!de2010()) return Status::ok();
  for (const char* f : {"I13_1C", "I13_4C", "I13_2C", "I13_3C", "I9_2"}) g.poe(f, valor(r, f));
  g.poe("I9_3", valor(r, "I9_2"));
  g.poe("I9_4", std::string("N"));
  g.poe("I9_5", std::string("S"));
  g.poe("CONJUNTA", std::string(texto(r, "conjunta") == "S" ? "S" : "N"));
  return Status::ok();
}

Status Secoes::s30(const Campos& r) {
  auto t1 = tabela(1);
  if (!t1) return t1.status();
  Linha& l = (*t1)->front();
  copia(r, l);
  l.poe("DECFINAL", std::string("N"));
  l.poe("DECSAIDA", std::string("N"));
  if (espolio(c_.cab)) {
    auto e = registro("30E");
    if (!e) return e.status();
    copia(*e, l);
    l.poe("DECFINAL", std::string("S"));
  }
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

Status Secoes::s34(const Campos& r) {
  auto l = nova(6);
  if (!l) return l.status();
  copia(r, **l);
  (*l)->poe("I6_3", Decimal(26));
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

Status Secoes::s38(const Campos& r) {
  auto t1 = tabela(1);
  if (!t1) return t1.status();
  Linha& l = (*t1)->front();
  copia(r, l);
  l.poe("DECJUDI", std::string(texto(r, "judicial") == "J" ? "S" : "N"));
  l.poe("DECFINAL", std::string("S"));
  l.poe("DECSAIDA", std::string("N"));
  return Status::ok();
}

Status Secoes::s40(const Campos& r) {
  const auto mes = static_cast<int>(valor(r, "mes").wholePart());
  if (mes < 1 || mes > 12) return Status::ok();
  const auto m = static_cast<std::size_t>(mes - 1);
  mesComum_[m] = mesDayTrade_[m] = true;
  for (int i = 1; i <= 13; ++i) {
    comum_[static_cast<std::size_t>(i - 1)][m] = valor(r, "comum" + std::to_string(i));
    dayTrade_[static_cast<std::size_t>(i - 1)][m] = valor(r, "dayTrade" + std::to_string(i));
  }
  comum_[13][m] = valor(r, "comum14");
  dayTrade_[13][m] = valor(r, "dayTrade14");
  if (mes == 1) {
    retidoFonte_ = valor(r, "retidoFonte");
    perdaComum_ = valor(r, "perdaComum");
    perdaDayTrade_ = valor(r, "perdaDayTrade");
    retidoDayTrade_ = valor(r, "retidoDayTrade");
  }
  return Status::ok();
}

Status Secoes::depois40() {
  RT_TRY(apaga(7, [](const Linha& l) { return l.valor("TIPO_BEM") == Decimal(4); }));
  if (!de2010()) return Status::ok();
  auto linhaRv = [&](const char* dayTrade, int nro) -> rt::Result<Linha*> {
    auto l = nova(7);
    if (!l) return l;
    (*l)->poe("TIPO_BEM", Decimal(4));
    (*l)->poe("DAY_TRADE", std::string(dayTrade));
    (*l)->poe("RVAR_NRO", Decimal(nro));
    return l;
  };
  for (const auto& [m, meses, marca, ultimo] :
       {std::tuple{&comum_, &mesComum_, "1", 26}, std::tuple{&dayTrade_, &mesDayTrade_, "2", 21}}) {
    if (std::none_of(meses->begin(), meses->end(), [](bool b) { return b; })) continue;
    for (int i = 1; i <= 14; ++i) {
      auto l = linhaRv(marca, i == 14 ? ultimo : i);
      if (!l) return l.status();
      for (int mes = 1; mes <= 12; ++mes)
        (*l)->poe("REC_MES" + doisDigitos(mes), (*m)[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(mes - 1)]);
    }
  }
  for (const auto& [v, marca, nro] : {std::tuple{perdaComum_, "1", 15}, std::tuple{perdaDayTrade_, "2", 15},
                                       std::tuple{retidoDayTrade_, "2", 22}, std::tuple{retidoFonte_, "2", 24}}) {
    if (v <= Decimal()) continue;
    auto l = linhaRv(marca, nro);
    if (!l) return l.status();
    (*l)->poe("REC_MES01", v);
  }
  return Status::ok();
}

Status Secoes::s41(const Campos& r) {
  auto l = nova(7);
  if (!l) return l.status();
  (*l)->poe("REC_MES01", valor(r, "REC_MES01"));
  (*l)->poe("TIPO_BEM", Decimal(4));
  (*l)->poe("DAY_TRADE", std::string("1"));
  (*l)->poe("RVAR_NRO", Decimal(15));
  return Status::ok();
}

Status Secoes::s42(const Campos& r) {
  const auto mes = static_cast<int>(valor(r, "mes").wholePart());
  if (mes < 1 || mes > 12) return Status::ok();
  auto linha = [&](int nro, int noMes, Decimal v) -> Status {
    auto l = nova(7);
    if (!l) return l.status();
    (*l)->poe("TIPO_BEM", Decimal(4));
    (*l)->poe("DAY_TRADE", std::string("3"));
    (*l)->poe("RVAR_NRO", Decimal(nro));
    (*l)->poe("REC_MES" + doisDigitos(noMes), v);
    return Status::ok();
  };
  if (!de2010()) {
    if (mes == 12 && valor(r, "acumulado") > Decimal()) return linha(15, 1, valor(r, "acumulado"));
    return Status::ok();
  }
  if (!valor(r, "operacoes").isZero()) RT_TRY(linha(1, mes, valor(r, "operacoes")));
  if (mes == 1 && valor(r, "acumulado") > Decimal()) RT_TRY(linha(15, 1, valor(r, "acumulado")));
  if (valor(r, "retido") > Decimal()) RT_TRY(linha(26, mes, valor(r, "retido")));
  return Status::ok();
}

std::string ladoDe(const Campos& r) { return texto(r, "lugar") == "0" ? "S" : "N"; }

Status Secoes::s50(const Campos& r) {
  c_.registro.poe("TEMRURAL", std::string("S"));
  c_.registro.poe("ATV_BRASIL", std::string("S"));
  auto l = nova(16);
  if (!l) return l.status();
  copia(r, **l);
  (*l)->poe("I2R_02", std::min(valor(r, "I2R_02"), Decimal(999999)));
  (*l)->poe("ATV_BRASIL", ladoDe(r));
  ++imoveis_;
  return Status::ok();
}

// The rural summary of one side (table 15): its row, added when the side has none.
rt::Result<Linha*> Secoes::linha15(const std::string& lado) {
  auto t = tabela(15);
  if (!t) return t.status();
  for (Linha& l : **t)
    if (l.texto("ATV_BRASIL") == lado) return &l;
  auto l = nova(15);
  if (!l) return l;
  (*l)->poe("ATV_BRASIL", lado);
  return l;
}

Status Secoes::s5x(std::string_view tipo, const Campos& r) {
  auto l = linha15(ladoDe(r));
  if (!l) return l.status();
  Linha& s = **l;
  if (tipo == "51") {
    const auto mes = static_cast<int>(valor(r, "mes").wholePart());
    if (mes >= 1 && mes <= 12) {
      s.poe("I3_" + doisDigitos(mes) + "OD", valor(r, "despesa"));
      s.poe("I3_" + doisDigitos(mes) + "OR", valor(r, "receita"));
    }
  } else if (tipo == "52") {
    copia(r, s);
    if (!de2010()) s.poe("I5_09", Decimal());
  } else {
    static constexpr const char* kLetras[] = {"B", "S", "C", "A", "V1"};
    const auto especie = static_cast<int>(valor(r, "especie").wholePart());
    if (especie < 1 || especie > 5) return Status::ok();
    const std::string x = kLetras[especie - 1];
    const Decimal v[5] = {valor(r, "inicial"), valor(r, "nascimentos"), valor(r, "compras"), valor(r, "vendas"),
                          valor(r, "perdas")};
    if (de2010()) {
      for (int k = 0; k < 5; ++k) s.poe("I7_" + std::to_string(k + 1) + x, v[k]);
    } else {
      s.poe("I7_1" + x, v[0] + v[1] + v[2] - v[3] - v[4]);
    }
    if (x == "V1") s.poe("I7_V1", std::string("OUTROS"));
  }
  return Status::ok();
}

Status Secoes::s54(const Campos& r) {
  auto l = nova(17);
  if (!l) return l.status();
  Linha& b = **l;
  const std::string lado = ladoDe(r);
  b.poe("ATV_BRASIL", lado);
  b.poe("CODIGO", valor(r, "CODIGO"));
  b.poe("I8R_3", lado == "S" ? std::string() : texto(r, "I8R_3"));
  b.poe("I8R_1", texto(r, "I8R_1"));
  if (de2010()) b.poe("I8R_2", valor(r, "I8R_2"));
  b.poe("I8R_0", Decimal(1 + 10 * bensRurais_));
  b.poe("ITEM", Decimal(++bensRurais_));
  return Status::ok();
}

Status Secoes::s55(const Campos& r) {
  const Decimal saldo = std::max(valor(r, "primeiro") + valor(r, "segundo") - valor(r, "terceiro"), Decimal());
  if (!de2010() && saldo <= Decimal()) return Status::ok();
  auto l = nova(18);
  if (!l) return l.status();
  Linha& d = **l;
  d.poe("ATV_BRASIL", ladoDe(r));
  d.poe("I9R_1", texto(r, "I9R_1"));
  d.poe("I9R_2", saldo);
  if (de2010()) {
    d.poe("I9R_3", valor(r, "segundo"));
    d.poe("I9R_4", valor(r, "terceiro"));
  }
  d.poe("I9R_0", Decimal(1 + 10 * dividasRurais_));
  d.poe("ITEM", Decimal(++dividasRurais_));
  return Status::ok();
}

Status Secoes::s56(const Campos& r) {
  // The result abroad goes on the first property abroad without a country yet.
  auto t = tabela(16);
  if (!t) return t.status();
  for (Linha& l : **t) {
    if (!l.texto("CODPAIS").empty()) continue;
    if (l.texto("ATV_BRASIL") != "N") continue;
    const Decimal resultado = valor(r, "resultado"), dolares = valor(r, "RESUS");
    // A rate made of a tiny divisor is beyond any number the program holds: the record is
    // refused rather than the run ended.
    try {
      const Decimal cotacao = dolares.isZero() ? Decimal() : resultado / dolares;
      l.poe("CODPAIS", texto(r, "CODPAIS"));
      l.poe("RECEXT", valor(r, "RECEXT"));
      l.poe("DESEXT", valor(r, "DESEXT"));
      l.poe("VALUSE", console::DESPREZA(cotacao));
      l.poe("RESUS", dolares);
      l.poe("OPC20US", console::DESPREZA(dolares * Decimal::fromRaw(20000000)));
      const Decimal porCotacao = cotacao.isZero() ? Decimal() : valor(r, "RECEXT") / console::DESPREZA(cotacao);
      l.poe("OPC20RS", console::DESPREZA(porCotacao * Decimal::fromRaw(20000000) * Decimal::fromRaw(353250000)));
    } catch (const std::overflow_error&) {
      return Status(rt::Error::kCorrupt, "Linha " + std::to_string(l_.atual + 1) +
                                             std::string(", registro 56: a cotação do resultado maior do que o campo comporta"_cp));
    }
    break;
  }
  return Status::ok();
}

Status Secoes::roda() {
  auto t1 = tabela(1);
  if (!t1) return t1.status();
  if ((*t1)->empty()) {
    auto l = nova(1);
    if (!l) return l.status();
    (*l)->poe("INDALERTA", Decimal(10));
    (*l)->poe("SO_REC", false);
  }
  RT_TRY(apagaTudo(2));
  const bool um = true, varios = false;
  RT_TRY(secao("17", um, [&](const Campos& r) { return de2010() ? s17(r) : Status::ok(); }));
  RT_TRY(secao("18", um, [](const Campos&) { return Status::ok(); }));
  RT_TRY(secao("19", um, [&](const Campos& r) { return de2010() ? s19(r) : Status::ok(); }));
  RT_TRY(secao("20", um, [](const Campos&) { return Status::ok(); }));
  RT_TRY(secao("21", varios, [&](const Campos& r) { return s21(r); }));
  RT_TRY(secao("22", varios, [&](const Campos& r) { return de2010() ? s22(r) : Status::ok(); }));
  RT_TRY(depois22());
  RT_TRY(secao("23", um, [&](const Campos& r) { return de2010() ? s23(r) : Status::ok(); }));
  RT_TRY(secao("24", um, [&](const Campos& r) { return de2010() ? s24(r) : Status::ok(); }));
  RT_TRY(apagaTudo(3));
  RT_TRY(secao("25", varios, [&](const Campos& r) { return s25(r); }));
  RT_TRY(depois25());
  RT_TRY(apagaTudo(6));
  RT_TRY(secao("26", varios, [&](const Campos& r) { return s26(r); }));
  // A declaration of last year adds its assets and debts; this year's replaces them.
  if (de2010()) RT_TRY(apagaTudo(4));
  RT_TRY(secao("27", varios, [&](const Campos& r) { return s27(r); }));
  if (de2010()) RT_TRY(apagaTudo(5));
  RT_TRY(secao("28", varios, [&](const Campos& r) { return s28(r); }));
  RT_TRY(secao("29", um, [&](const Campos& r) { return s29(r); }));
  RT_TRY(secao("30", um, [&](const Campos& r) { return s30(r); }));
  RT_TRY(secao("31", varios, [&](const Campos& r) { return s31(r); }));
  RT_TRY(secao("32", varios, [&](const Campos& r) { return s32(r); }));
  RT_TRY(depois32());
  RT_TRY(secao("33", varios, [&](const Campos& r) { return de2010() ? s33(r) : Status::ok(); }));
  RT_TRY(secao("34", varios, [&](const Campos& r) { return de2010() ? s34(r) : Status::ok(); }));
  RT_TRY(secao("35", varios, [&](const Campos& r) { return s35(r); }));
  RT_TRY(depois35());
  RT_TRY(secao("36", varios, [&](const Campos& r) { return de2010() ? s36(r) : Status::ok(); }));
  RT_TRY(secao("38", um, [&](const Campos& r) { return s38(r); }));
  RT_TRY(secao("40", varios, [&](const Campos& r) { return de2010() ? s40(r) : Status::ok(); }));
  RT_TRY(depois40());
  RT_TRY(secao("41", um, [&](const Campos& r) { return de2010() ? Status::ok() : s41(r); }));
  RT_TRY(secao("42", varios, [&](const Campos& r) { return s42(r); }));
  RT_TRY(secao("43", um, [](const Campos&) { return Status::ok(); }));
  if (de2010()) RT_TRY(apagaTudo(16));
  RT_TRY(secao("50", varios, [&](const Campos& r) { return s50(r); }));
  if (de2010()) RT_TRY(apagaTudo(15));
  for (const char* tipo : {"51", "52", "53"}) {
    if (std::string_view(tipo) == "51" && !de2010()) {
      RT_TRY(secao(tipo, varios, [](const Campos&) { return Status::ok(); }));
      continue;
    }
    RT_TRY(secao(tipo, varios, [&](const Campos& r) { return s5x(tipo, r); }));
    if (std::string_view(tipo) == "51" && !(*tabela(15))->empty()) (*tabela(15))->back().poe("SO_TOTAL", true);
  }
  if (de2010()) RT_TRY(apagaTudo(17));
  RT_TRY(secao("54", varios, [&](const Campos& r) { return s54(r); }));
  if (de2010()) RT_TRY(apagaTudo(18));
  RT_TRY(secao("55", varios, [&](const Campos& r) { return s55(r); }));
  RT_TRY(secao("56", varios, [&](const Campos& r) { return s56(r); }));
  return Status::ok();
}

}  // namespace

Status CONV_DECL(ConversaoDeclaracao& c, Leitura& l) {
  Linha& g = c.registro;
  if (c.cab.anos == k2009) {
    g.poe("ESTATUS", Decimal(1));
    g.poe("TEM_USO", Decimal());
    g.poe("TAM_USO", Decimal());
    g.poe("I9_2", Decimal());
    g.poe("I9_3", Decimal());
    g.poe("I9_4", std::string("N"));
    g.poe("I9_5", std::string("N"));
    g.poe("RECIBOANT", c.cab.reciboAtu);
  } else {
    g.poe("RECIBOATU", c.cab.reciboAtu);
    g.poe("RECIBOANT", c.cab.reciboAnt);
  }
  g.poe("TEMRURAL", std::string("N"));
  g.poe("IMPRE", std::string(" "));
  g.poe("ORDEM", Decimal());
  if (g.valor("ESTATUS").isZero()) g.poe("ESTATUS", Decimal(1));
  Secoes s(c, l);
  return s.roda();
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
