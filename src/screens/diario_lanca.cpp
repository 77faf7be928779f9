// LANCAVAL: the entries of the working copy posted into the declaration's tables of the data
// folder by their account's page and line: the summary (table 1) for pages 3, 4 and 13, the
// payers (table 2) for pages 1 and 2 and the dependants' incomes of pages 3 and 4, the
// payments (table 6) for page 6.
//
// Every posting is checked before anything is written: a page and line must name an amount
// field of the declaration (the payer's kind, name, document and dependant are texts), and
// every value must fit its field. A refused posting writes nothing and leaves its entry
// unmarked, with an alert naming the account, so it can be mended and transferred later.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "console/alerta.h"
#include "console/documentos.h"
#include "console/recusa.h"
#include "rt/db/structure.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/binding.h"
#include "screens/diario.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/travas.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::alltrim;
using rt::text::Decimal;
using store::Area;

namespace {

std::string dois(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string chave(std::string_view s) {
  return rt::text::upper(alltrim(s));
}

void recusa(store::Contexto& ctx, const std::string& codigo, std::string_view motivo) {
  console::AVISOSN(ctx, {std::string("O Lançamento código "_cp) + codigo, std::string(motivo)}, 0);
}

std::string_view semValor() { return "não aponta para um valor da declaração: não foi transferido."_cp; }

bool ehValor(const rt::db::Table& t, std::string_view campo) {
  const rt::db::FieldDef* f = t.field(campo);
  return f != nullptr && f->type == 'N';
}

// The months an entry spreads over: from its start month to its end month (only the start
// when the end is earlier), never past December; none without a start month. A thirteenth
// month may be stored, but the declaration has no field for it.
std::vector<int> meses(const Lancamento& l) {
  std::vector<int> m;
  if (l.MESINI < 1) return m;
  const int fim = std::min(std::max(l.MESFIM, l.MESINI), 12);
  for (int k = l.MESINI; k <= fim; ++k) m.push_back(k);
  return m;
}

struct Escrita {
  std::string campo;
  rt::ui::Value valor;
};

// Writes `escritas` into the current row of `t`, which this terminal holds (locked, or just
// appended), and lets it go. Every value is checked against its field before the first is
// put, so a refusal writes nothing; a row appended for this entry is then removed again.
bool grava(store::Contexto& ctx, rt::db::Table& t, const Lancamento& l, const std::vector<Escrita>& escritas,
           bool criada) {
  rt::Status s;
  std::string campo;
  for (const Escrita& e : escritas) {
    const rt::db::FieldDef* f = t.field(e.campo);
    s = f == nullptr ? rt::Status(rt::Error::kBadField, e.campo) : rt::db::formatField(*f, e.valor).status();
    if (!s) {
      campo = e.campo;
      break;
    }
  }
  for (std::size_t i = 0; s && i < escritas.size(); ++i) {
    campo = escritas[i].campo;
    s = t.put(escritas[i].campo, escritas[i].valor);
  }
  if (s) {
    s = t.flush();
    campo = t.alias();
  }
  if (!s && criada) (void)t.markDeleted();  // nothing of the entry was put: the blank row goes
  // The row was written (or refused and said below); the release has nothing left to write.
  (void)t.unlockRecord(t.recNo());
  if (!s) recusa(ctx, l.CDCONTA, console::textoRecusa(s, campo));
  return s.isOk();
}

enum class Achado { achou, criou, falta, travado };

// ACHA_ITEM: among the taxpayer's rows of `area`, the one whose fields hold the values given
// (compared trimmed and in upper case on both sides). Found, it is locked; not found, a row
// is appended with the CPF when `cria`. The row found or made is the current one.
Achado ACHA_ITEM(store::Contexto& ctx, Area area, const store::Cpf& cpf,
                 std::span<const std::pair<std::string, std::string>> iguais, bool cria) {
  rt::db::Table& t = *store::tabela(ctx.areas, area);
  store::seleciona(ctx.areas, area);
  t.setOrder(1);
  bool achou = false;
  if (t.seek(cpf.chave()).isOk() && t.found()) {
    for (; t.status() && !t.eof() && t.getText("CPF") == cpf; t.skip(1)) {
      if (t.isDeleted()) continue;
      achou = std::all_of(iguais.begin(), iguais.end(),
                          [&t](const auto& c) { return chave(t.getText(c.first)) == chave(c.second); });
      if (achou) break;
    }
  }
  if (achou) return store::REC_LOCK(ctx, store::kEsperaTrava) ? Achado::achou : Achado::travado;
  if (!cria) return Achado::falta;
  if (!store::ADD_REC(ctx, store::kEsperaTrava)) return Achado::travado;
  if (!t.put("CPF", rt::ui::Value(cpf.chave())).isOk()) {
    // The blank row goes; one that stays holds only the CPF, and the entry is said as not had.
    (void)t.markDeleted();
    (void)t.unlockRecord(t.recNo());  // the blank row is given up at once
    return Achado::travado;
  }
  return Achado::criou;
}

// The twelve monthly fields `prefixo` + month of the current row with `meses` set to `valor`,
// and the field itself as their sum.
void mensais(const rt::db::Table& t, const std::string& prefixo, const std::vector<int>& meses, const Decimal& valor,
             std::vector<Escrita>& escritas) {
  Decimal soma;
  for (int m = 1; m <= 12; ++m) {
    const bool lancado = std::find(meses.begin(), meses.end(), m) != meses.end();
    const Decimal v = lancado ? valor : t.getNumber(prefixo + dois(m));
    if (lancado) escritas.push_back({prefixo + dois(m), v});
    soma += v;
  }
  escritas.push_back({prefixo, soma});
}

// Pages 3, 4 and 13: the summary lines. Lines the computation makes from the income rows
// (I3_04 a sum of its parts, the dependants' and thirteenth-salary lines ...) are not posted:
// a value put there would be replaced by the next computation while its entry stood marked.
std::optional<std::pair<std::string, std::string>> linhaDoResumo(const Conta& c) {
  if (c.PAGINA == 13 && (c.LINHA == 24 || c.LINHA == 25)) return std::pair{"I13_" + dois(c.LINHA), std::string()};
  if (c.PAGINA != 3 && c.PAGINA != 4) return std::nullopt;
  static constexpr int kCalculadas3[] = {4, 5, 6, 7, 9, 11, 13};
  static constexpr int kCalculadas4[] = {1, 6};
  const std::span<const int> calculadas = c.PAGINA == 3 ? std::span<const int>(kCalculadas3) : kCalculadas4;
  if (std::find(calculadas.begin(), calculadas.end(), c.LINHA) != calculadas.end()) return std::nullopt;
  std::string descricao = c.PAGINA == 3 && c.LINHA == 12 ? "I3_12D" : c.PAGINA == 4 && c.LINHA == 5 ? "I4_05D" : "";
  return std::pair{"I" + std::to_string(c.PAGINA) + "_" + dois(c.LINHA), std::move(descricao)};
}

// Page 3 line 13 and page 4 line 6: a dependant's exempt income (I1_9) or income taxed at
// source (I1_10), added to the dependant's row among the payers. The row is looked for and
// made with the dependant's kind "D": the computation sums these fields from such rows only,
// so a row without its kind would be a posting that counts nowhere.
bool postaRendaDependente(store::Contexto& ctx, const store::Cpf& cpf, const Lancamento& l, const Conta& c) {
  if (!store::ABERTURA(ctx, Area::IMP0210)) return false;
  rt::db::Table& t = *store::tabela(ctx.areas, Area::IMP0210);
  const std::string campo = c.PAGINA == 3 ? "I1_9" : "I1_10";
  const std::string dependente(alltrim(l.CPFDEPEN));
  if (dependente.empty()) {
    recusa(ctx, l.CDCONTA, "não tem o CPF do dependente: não foi transferido."_cp);
    return false;
  }
  const std::vector<std::pair<std::string, std::string>> iguais = {{"I1_8", dependente}, {"I1_1", "D"}};
  const Achado a = ACHA_ITEM(ctx, Area::IMP0210, cpf, iguais, true);
  if (a == Achado::travado) return false;
  const std::vector<Escrita> escritas = {
      {"I1_1", std::string("D")}, {"I1_8", dependente}, {campo, t.getNumber(campo) + l.VALODESP}};
  return grava(ctx, t, l, escritas, a == Achado::criou);
}

bool postaResumo(store::Contexto& ctx, const store::Cpf& cpf, const Lancamento& l, const Conta& c) {
  if ((c.PAGINA == 3 && c.LINHA == 13) || (c.PAGINA == 4 && c.LINHA == 6)) return postaRendaDependente(ctx, cpf, l, c);
  if (!store::ABERTURA(ctx, Area::IMP0110)) return false;
  rt::db::Table& t = *store::tabela(ctx.areas, Area::IMP0110);
  const auto linha = linhaDoResumo(c);
  if (!linha || !ehValor(t, linha->first)) {
    recusa(ctx, l.CDCONTA, semValor());
    return false;
  }
  const auto& [campo, descricao] = *linha;
  const Achado a = ACHA_ITEM(ctx, Area::IMP0110, cpf, {}, true);
  if (a == Achado::travado) return false;
  Decimal valor = l.VALODESP;
  std::vector<Escrita> escritas;
  if (!descricao.empty()) {
    escritas.push_back({descricao, l.DESCONTA});
  } else if (c.PAGINA != 13 && !t.getNumber(campo).isZero()) {
    // A value already there: added on "S", otherwise replaced.
    if (console::AVISOSN(ctx, {std::string("No código "_cp) + l.CDCONTA + " já existe valor lançado nesse mês ",
                               " Soma ao valor existente ? (S/N)               "}) == "S")
      valor += t.getNumber(campo);
  }
  escritas.push_back({campo, valor});
  return grava(ctx, t, l, escritas, a == Achado::criou);
}

// Page 1: the incomes from legal persons, by payer. Lines 4 (the income, with the payer's
// name) and 15 find the payer's row or make it; the other lines need it registered already.
bool postaFontes(store::Contexto& ctx, const store::Cpf& cpf, const Lancamento& l, const Conta& c) {
  if (!store::ABERTURA(ctx, Area::IMP0210)) return false;
  rt::db::Table& t = *store::tabela(ctx.areas, Area::IMP0210);
  const int n = c.LINHA;
  const std::string campo = n == 10 ? "I1_10" : n == 15 ? "I1_15" : n >= 1 && n <= 9 ? "I1_" + std::to_string(n) : "";
  if (campo.empty() || !ehValor(t, campo)) {
    recusa(ctx, l.CDCONTA, semValor());
    return false;
  }
  const std::string tipo = c.dependente() ? "D" : "J";
  const std::string documento = console::CONTAPONTO(alltrim(l.NROCGCCPF));
  // A dependant's payer is his own row: two dependants paid by one company keep theirs apart.
  std::vector<std::pair<std::string, std::string>> iguais = {{"I1_3", documento}, {"I1_1", tipo}};
  if (tipo == "D") iguais.emplace_back("I1_8", l.CPFDEPEN);
  const Achado a = ACHA_ITEM(ctx, Area::IMP0210, cpf, iguais, n == 4 || n == 15);
  if (a == Achado::travado) return false;
  if (a == Achado::falta) {
    console::AVISOSN(ctx, std::string("O Lançamento código "_cp) + l.CDCONTA + " precisa ter Fonte Pagadora c/ mesmo CNPJ", 0);
    return false;
  }
  std::vector<Escrita> escritas = {{"I1_1", tipo}, {"I1_3", documento}};
  if (n == 4) escritas.push_back({"I1_2", l.DESCONTA});
  if (tipo == "D") escritas.push_back({"I1_8", l.CPFDEPEN});
  escritas.push_back({campo, l.VALODESP});
  return grava(ctx, t, l, escritas, a == Achado::criou);
}

// Page 2: the monthly self-assessed tax's book (carnê-leão), the taxpayer's or, with a
// dependant's CPF, the dependant's. Each line is a kind of row, found by its name.
bool postaCarneLeao(store::Contexto& ctx, const store::Cpf& cpf, const Lancamento& l, const Conta& c) {
  if (!store::ABERTURA(ctx, Area::IMP0210)) return false;
  rt::db::Table& t = *store::tabela(ctx.areas, Area::IMP0210);
  static constexpr std::string_view kTipos = "FELPI";
  if (c.LINHA < 1 || c.LINHA > static_cast<int>(kTipos.size())) {
    recusa(ctx, l.CDCONTA, semValor());
    return false;
  }
  const std::vector<int> m = meses(l);
  if (m.empty()) {
    recusa(ctx, l.CDCONTA, "não tem o mês de lançamento: não foi transferido."_cp);
    return false;
  }
  const std::string tipo(1, kTipos[static_cast<std::size_t>(c.LINHA - 1)]);
  const std::string nome = c.LINHA == 4   ? std::string("Carne do INSS")
                           : c.LINHA == 5 ? std::string("Receita Federal")
                                          : std::string(alltrim(l.DESCONTA));
  const bool dependente = !alltrim(l.CPFDEPEN).empty();
  const std::string titular = dependente ? "N" : "S";
  const std::string quem = dependente ? l.CPFDEPEN : std::string();
  // The taxpayer's rows and each dependant's are apart, as the book's grid shows them: one
  // "Carne do INSS" of each person.
  const std::vector<std::pair<std::string, std::string>> iguais = {
      {"I1_2", nome}, {"I1_1", tipo}, {"I1_11", titular}, {"I1_8", quem}};
  const Achado a = ACHA_ITEM(ctx, Area::IMP0210, cpf, iguais, true);
  if (a == Achado::travado) return false;
  std::vector<Escrita> escritas = {{"I1_2", nome}, {"I1_8", quem}, {"I1_1", tipo}, {"I1_11", titular}};
  mensais(t, "I1_4", m, l.VALODESP, escritas);
  return grava(ctx, t, l, escritas, a == Achado::criou);
}

// Page 6: the payments, by payee. Lines up to 16 are the payment code and fill the amount
// paid; a line above 16 is the code of its first digit and fills the part not deductible.
bool postaPagamentos(store::Contexto& ctx, const store::Cpf& cpf, const Lancamento& l, const Conta& c) {
  if (!store::ABERTURA(ctx, Area::IMP0610)) return false;
  rt::db::Table& t = *store::tabela(ctx.areas, Area::IMP0610);
  const int n = c.LINHA;
  const std::string campo = n > 16 ? "I6_5" : "I6_4";
  const int codigo = n > 16 ? std::stoi(std::to_string(n).substr(0, 1)) : n;
  const std::vector<int> m = meses(l);
  bool valido = n >= 1 && ehValor(t, campo);
  for (int mes : m) valido = valido && ehValor(t, campo + dois(mes));
  if (!valido) {
    recusa(ctx, l.CDCONTA, semValor());
    return false;
  }
  if (l.MESINI != 0 && m.empty()) {
    recusa(ctx, l.CDCONTA, "não tem o mês de lançamento: não foi transferido."_cp);
    return false;
  }
  const std::string documento = console::CONTAPONTO(alltrim(l.NROCGCCPF));
  const std::vector<std::pair<std::string, std::string>> iguais = {{"I6_2", documento}};
  const Achado a = ACHA_ITEM(ctx, Area::IMP0610, cpf, iguais, true);
  if (a == Achado::travado) return false;
  std::vector<Escrita> escritas = {{"I6_1", l.DESCONTA}, {"I6_2", documento}, {"I6_3", Decimal::fromInt(codigo)}};
  if (m.empty())
    escritas.push_back({campo, l.VALODESP});
  else
    mensais(t, campo, m, l.VALODESP, escritas);
  return grava(ctx, t, l, escritas, a == Achado::criou);
}

bool posta(store::Contexto& ctx, const store::Cpf& cpf, const Lancamento& l, const Conta& c) {
  switch (c.PAGINA) {
    case 1:
      return postaFontes(ctx, cpf, l, c);
    case 2:
      return postaCarneLeao(ctx, cpf, l, c);
    case 6:
      return postaPagamentos(ctx, cpf, l, c);
    case 3:
    case 4:
    case 13:
      return postaResumo(ctx, cpf, l, c);
    default:
      recusa(ctx, l.CDCONTA, semValor());
      return false;
  }
}

}  // namespace

int LANCAVAL(store::Contexto& ctx, const store::Cpf& cpf) {
  const Area copia = Area::TMP_13;
  rt::db::Table* t = ctx.areas.table(copia);
  if (t == nullptr) return 0;
  std::vector<std::uint32_t> linhas;
  t->setOrder(0);
  for (t->goTop(); t->status() && !t->eof(); t->skip(1))
    if (!t->isDeleted() && !t->getLogical("LANCADO")) linhas.push_back(t->recNo());
  int postados = 0;
  for (std::uint32_t r : linhas) {
    t->goTo(r);
    if (!t->status()) continue;
    const Lancamento l = lancamentoDaLinha(*t);
    const std::optional<Conta> c = contaDoPlano(ctx, l.CDCONTA);
    if (!c || c->CDSTATUS == "N") {
      // The account was removed or made a title since: the entry waits for a detail account.
      recusa(ctx, l.CDCONTA, "não tem conta detalhada no plano de contas: não foi transferido."_cp);
      continue;
    }
    if (!posta(ctx, cpf, l, *c)) continue;
    // The copy is this terminal's alone: the mark is written without a lock.
    t->goTo(r);
    rt::Status s = t->status();
    if (s) s = t->put("LANCADO", rt::ui::Value(true));
    if (s) s = t->flush();
    if (!s) {
      console::AVISOSN(ctx, console::textoRecusa(s, "LANCADO"), 0);
      continue;
    }
    ++postados;
  }
  ctx.areas.select(copia);
  return postados;
}

}  // namespace screens
