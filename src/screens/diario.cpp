#include "screens/diario.h"

#include <algorithm>
#include <optional>
#include <span>

#include "console/alerta.h"
#include "console/documentos.h"
#include "rt/db/table.h"
#include "rt/ui/binding.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/travas.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::alltrim;
using rt::text::Decimal;

namespace {

struct Conta {
  std::string CDSTATUS, TEMCPF, TEMCGC, TEMDESCR;
  int PAGINA = 0, LINHA = 0;
};

std::optional<Conta> conta(store::Contexto& ctx, const std::string& codigo) {
  if (!store::ABERTURA(ctx, store::Area::CONTAS)) return std::nullopt;
  rt::db::Table& t = *ctx.areas.table(store::numero(store::Area::CONTAS));
  (void)t.setOrder(1);
  if (!t.seek(rt::text::padr(codigo, 4)).isOk() || !t.found()) return std::nullopt;
  return Conta{t.getText("CDSTATUS"), t.getText("TEMCPF"), t.getText("TEMCGC"), t.getText("TEMDESCR"),
               static_cast<int>(t.getNumber("PAGINA").wholePart()), static_cast<int>(t.getNumber("LINHA").wholePart())};
}

std::string dois(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

// Where an entry of the summary pages goes: the table and its amount field, and the field of
// its description when the line carries one.
struct Destino {
  store::Area tabela = store::Area::IMP0110;
  std::string campo, descricao;
};

// Pages 3 and 4 (exempt and exclusively taxed incomes) and 13 (lines 24 and 25) post into the
// summary, table 1. The other pages feed tables of rows (payers, payments) and are not posted
// by this version: the entry stays for a later transfer.
std::optional<Destino> destino(const Conta& c) {
  if (c.PAGINA == 13 && (c.LINHA == 24 || c.LINHA == 25)) return Destino{store::Area::IMP0110, "I13_" + dois(c.LINHA), {}};
  if (c.PAGINA == 3 || c.PAGINA == 4) {
    // Lines the computation makes from the income rows (I3_04 a sum of its parts, the
    // dependants' and thirteenth-salary lines ...): a value posted there would be replaced by
    // the next computation while its entry stood marked as transferred.
    static constexpr int kCalculadas3[] = {4, 5, 6, 7, 9, 11, 13};
    static constexpr int kCalculadas4[] = {1, 6};
    const auto calculada = [&c](std::span<const int> linhas) {
      return std::find(linhas.begin(), linhas.end(), c.LINHA) != linhas.end();
    };
    if (c.PAGINA == 3 ? calculada(kCalculadas3) : calculada(kCalculadas4)) return std::nullopt;
    Destino d{store::Area::IMP0110, "I" + std::to_string(c.PAGINA) + "_" + dois(c.LINHA), {}};
    if (c.PAGINA == 3 && c.LINHA == 12) d.descricao = "I3_12D";
    if (c.PAGINA == 4 && c.LINHA == 5) d.descricao = "I4_05D";
    return d;
  }
  return std::nullopt;
}

void recusa(store::Contexto& ctx, const std::string& codigo, std::string_view motivo) {
  console::AVISOSN(ctx, {std::string("O Lançamento código "_cp) + codigo, std::string(motivo)}, 0);
}

// Posts one entry into the taxpayer's summary row under its record lock.
bool posta(store::Contexto& ctx, std::string_view cpf, const Lancamento& l, const Destino& d) {
  if (!store::ABERTURA(ctx, d.tabela)) return false;
  rt::db::Table& t = *ctx.areas.table(store::numero(d.tabela));
  const rt::db::FieldDef* f = t.field(d.campo);
  if (f == nullptr || f->type != 'N') {
    recusa(ctx, l.CDCONTA, "não aponta para um valor da declaração: não foi transferido."_cp);
    return false;
  }
  (void)t.setOrder(1);
  const bool achou = t.seek(rt::text::padr(cpf, 11)).isOk() && t.found();
  if (achou ? !store::REC_LOCK(ctx, 5) : !store::ADD_REC(ctx, 5)) return false;
  bool ok = achou || t.put("CPF", rt::ui::Value(std::string(cpf))).isOk();
  Decimal valor = l.VALODESP;
  if (!d.descricao.empty()) {
    ok = ok && t.put(d.descricao, rt::ui::Value(l.DESCONTA)).isOk();
  } else if (d.tabela == store::Area::IMP0110 && d.campo[1] != '1' && !t.getNumber(d.campo).isZero()) {
    // A value already there: added on "S", otherwise replaced.
    if (console::AVISOSN(ctx, {std::string("No código "_cp) + l.CDCONTA + " já existe valor lançado nesse mês ",
                               " Soma ao valor existente ? (S/N)               "}) == "S")
      valor += t.getNumber(d.campo);
  }
  ok = ok && t.put(d.campo, rt::ui::Value(valor)).isOk() && t.flush().isOk();
  (void)t.unlockRecord(t.recNo());
  if (!ok) console::AVISOSN(ctx, std::string("Não foi possível gravar o lançamento "_cp) + l.CDCONTA, 0);
  return ok;
}

}  // namespace

bool leLancamentos(store::Contexto& ctx, std::string_view cpf, std::vector<Lancamento>& saida) {
  if (!store::ABERTURA(ctx, store::Area::IMP1310)) return false;
  rt::db::Table& t = *ctx.areas.table(store::numero(store::Area::IMP1310));
  (void)t.setOrder(0);
  for (bool ok = t.goTop().isOk(); ok && !t.eof(); ok = t.skip(1).isOk()) {
    if (t.isDeleted() || t.getText("CPF") != cpf) continue;
    saida.push_back({std::string(alltrim(t.getText("CDCONTA"))),
                     t.getText("DESCONTA"), t.getText("NROCGCCPF"), t.getText("CPFDEPEN"), t.getNumber("VALODESP"),
                     static_cast<int>(t.getNumber("MESINI").wholePart()),
                     static_cast<int>(t.getNumber("MESFIM").wholePart()), t.getLogical("LANCADO")});
  }
  return true;
}

bool gravaLancamentos(store::Contexto& ctx, std::string_view cpf, const std::vector<Lancamento>& lancamentos) {
  if (!store::ABERTURA(ctx, store::Area::IMP1310)) return false;
  rt::db::Table& t = *ctx.areas.table(store::numero(store::Area::IMP1310));
  (void)ctx.areas.select(store::numero(store::Area::IMP1310));
  if (!store::FIL_LOCK(ctx, 0)) return false;
  std::vector<std::uint32_t> antigos;
  (void)t.setOrder(0);
  for (bool ok = t.goTop().isOk(); ok && !t.eof(); ok = t.skip(1).isOk())
    if (!t.isDeleted() && t.getText("CPF") == cpf) antigos.push_back(t.recNo());
  bool ok = true;
  for (const Lancamento& l : lancamentos) {
    ok = ok && t.appendBlank().isOk() && t.put("CPF", rt::ui::Value(std::string(cpf))).isOk() &&
         t.put("CDCONTA", rt::ui::Value(l.CDCONTA)).isOk() && t.put("DESCONTA", rt::ui::Value(l.DESCONTA)).isOk() &&
         t.put("VALODESP", rt::ui::Value(l.VALODESP)).isOk() &&
         t.put("NROCGCCPF", rt::ui::Value(console::CONTAPONTO(l.NROCGCCPF))).isOk() &&
         t.put("LANCADO", rt::ui::Value(l.LANCADO)).isOk() &&
         t.put("MESINI", rt::ui::Value(Decimal::fromInt(l.MESINI))).isOk() &&
         t.put("MESFIM", rt::ui::Value(Decimal::fromInt(l.MESFIM))).isOk() &&
         t.put("CPFDEPEN", rt::ui::Value(l.CPFDEPEN)).isOk();
  }
  ok = ok && t.flush().isOk();
  // Only once every new row is written do the old ones go.
  for (std::uint32_t r : antigos) ok = ok && t.goTo(r).isOk() && t.markDeleted().isOk();
  ok = ok && t.flush().isOk();
  store::DESTRAVA(ctx);
  if (!ok) console::AVISOSN(ctx, "Não foi possível gravar os lançamentos do contribuinte."_cp, 0);
  return ok;
}

int LANCAVAL(store::Contexto& ctx, std::string_view cpf, std::vector<Lancamento>& lancamentos) {
  int postados = 0;
  for (Lancamento& l : lancamentos) {
    if (l.LANCADO) continue;
    const std::optional<Conta> c = conta(ctx, l.CDCONTA);
    if (!c || c->CDSTATUS == "N") {
      // The account was removed or made a title since: the entry waits for a detail account.
      recusa(ctx, l.CDCONTA, "não tem conta detalhada no plano de contas: não foi transferido."_cp);
      continue;
    }
    const std::optional<Destino> d = destino(*c);
    if (!d) {
      recusa(ctx, l.CDCONTA, "não aponta para um valor da declaração: não foi transferido."_cp);
      continue;
    }
    if (!posta(ctx, cpf, l, *d)) continue;
    l.LANCADO = true;
    ++postados;
  }
  return postados;
}

bool LANCAMEN(store::Contexto& ctx, std::string_view cpf) {
  std::vector<Lancamento> lancamentos;
  if (!leLancamentos(ctx, cpf, lancamentos)) return false;
  if (console::AVISOSN(ctx, "Transfere os novos lançamentos para o IR"_cp, 2) != "S") return true;
  const int postados = LANCAVAL(ctx, cpf, lancamentos);
  const bool ok = postados == 0 || gravaLancamentos(ctx, cpf, lancamentos);
  console::AVISOSN(ctx, std::to_string(postados) + std::string(" lançamento(s) transferido(s)."_cp), 0);
  return ok;
}

}  // namespace screens
