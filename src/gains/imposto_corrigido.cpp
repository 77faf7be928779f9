#include "gains/imposto_corrigido.h"

#include <filesystem>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "gains/juros.h"
#include "grid/edita.h"
#include "rt/text/cp860.h"
#include "rt/text/muldiv.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/cria.h"
#include "taxcalc/linhas.h"

namespace gains {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;
using rt::text::despreza;

namespace {

// The quotas are due from the end of April of the exercise.
const Date kVencimento = Date::fromYmd(2010, 4, 30);

// A refused write of the list is said in an alert.
class SaidaAlerta : public taxcalc::Saida {
 public:
  explicit SaidaAlerta(console::Contexto& ctx) : ctx_(ctx) {}
  void alerta(std::string_view texto) override { console::AVISOSN(ctx_, texto, 1); }

 private:
  console::Contexto& ctx_;
};

// The text on the status line until a key is typed; the key is handed on.
void dizNoRodape(store::Contexto& ctx, std::string_view texto) {
  console::MENS(ctx, console::mens::Linha, texto);
  const rt::term::Key k = ctx.console.inkey(std::chrono::seconds(3));
  if (!k.isNone()) ctx.console.push(k);
  console::MENS(ctx);
}

rt::db::Table* aberta(store::Contexto& ctx, store::Area a) {
  if (rt::db::Table* t = ctx.areas.table(a)) return t;
  return store::ABERTURA(ctx, a) ? ctx.areas.table(a) : nullptr;
}

}  // namespace

std::optional<std::string> listaAntesDoPrazo(Date hoje) {
  if (hoje.year() < 2010) return std::string("Funçao só utilizavel após mês de Maio de 2010"_cp);
  if (hoje.year() == 2010 && hoje.month() < 5) return std::string("Funçao só utilizavel após mês de Maio"_cp);
  return std::nullopt;
}

void preencheCorrigidos(rt::db::Table& registro, rt::db::Table& lista, Decimal fator,
                        taxcalc::Gravacoes& grava) {
  if (!grava.confere(lista.zap(), lista.alias())) return;
  taxcalc::Varredura(registro).cada([&](rt::db::Table& r, std::uint32_t) {
    const Decimal apagar = r.getNumber("IMPPGRE");
    if (apagar.isZero()) return;
    if (!grava.confere(lista.appendBlank(), lista.alias())) return;
    grava.put(lista, "CPF", r.getText("CPF"));
    grava.put(lista, "NOMECONTR", r.getText("NOMECONTR"));
    grava.put(lista, "IMPPGRE", apagar);
    const Decimal quotas = r.getNumber("I13_29");
    grava.put(lista, "I13_29", quotas);
    Decimal base;
    if (apagar < Decimal()) {
      base = -apagar;
      grava.put(lista, "RESTITU", base);
    } else {
      // A declaration never computed has no quotas: its tax is one quota.
      base = despreza(apagar / (quotas.isZero() ? Decimal(1) : quotas));
      grava.put(lista, "IMPOSTO", base);
    }
    grava.put(lista, "CORRIGI", base + despreza(rt::text::mulDiv(base, fator, Decimal(100))));
  });
  grava.confere(lista.flush(), lista.alias());
}

bool IMPCORRIG(store::Contexto& ctx, grid::Grade& g) {
  const Date hoje = rt::text::today(ctx.clock);
  if (const std::optional<std::string> antes = listaAntesDoPrazo(hoje)) {
    dizNoRodape(ctx, *antes);
    return false;
  }
  rt::db::Table* registro = aberta(ctx, store::Area::IMP0910);
  rt::db::Table* ufirm = aberta(ctx, store::Area::UFIRM);
  if (registro == nullptr || ufirm == nullptr) return false;
  const Juros juros = ACHAJURO(*ufirm, kVencimento, hoje, 2, hoje.month());

  // The list is held exclusive while it is built and shown: another terminal is refused at
  // once rather than kept waiting.
  const store::Area area = store::Area::IMPCORRIG;
  const std::string arquivo = store::arquivoTabela(ctx, *store::tabela(store::numero(area)));
  const std::string dbf = store::caminho(ctx, arquivo + ".DBF");
  if (!std::filesystem::exists(dbf) && !store::CRIA(ctx, store::numero(area), arquivo)) return false;
  rt::db::OpenOptions o;
  o.exclusive = true;
  if (const rt::Status s = ctx.areas.open(area, dbf, o); !s.isOk()) {
    if (s.code() == rt::Error::kInUse || s.code() == rt::Error::kLocked)
      dizNoRodape(ctx, "Opcao sendo usada em outro terminal");
    else
      console::AVISOSN(ctx, taxcalc::textoRecusa(s, "IMPCORRIG"), 1);
    return false;
  }
  {
    SaidaAlerta saida(ctx);
    taxcalc::Gravacoes grava(saida);
    preencheCorrigidos(*registro, *ctx.areas.table(area), juros.DF_JURO, grava);
  }
  if (juros.alemDaTabela)
    console::MENS(ctx, console::mens::Linha, "Atenção! A tabela de juros termina antes do mês atual: juros incompletos."_cp);
  ctx.areas.table(area)->goTop();
  grid::EDITA(ctx, g, grid::Tela::Corrigidos, 0, grid::Uso::Leitura);
  ctx.areas.release(area);
  return true;
}

}  // namespace gains
