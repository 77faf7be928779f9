#include "store/salva.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "console/arquivo_recusado.h"
#include "rt/fs/shared_files.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/copia_trabalho.h"
#include "store/diario_gravacao.h"
#include "store/recusa.h"
#include "store/relato.h"
#include "store/tabelas_declaracao.h"
#include "store/travas.h"

namespace store {

using namespace rt::text::literals;
using rt::Status;
using rt::db::Table;
using rt::text::Decimal;

namespace {

std::string dois(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

void passo(Declaracao& dec, int k) {
  if (dec.gancho) dec.gancho(k);
}

// The save on leaving the declaration shows its progress in the declaration's frame; the
// timed save in a notice of its own.
Painel painelDe(int modo) {
  return modo == 1 ? Painel::Declaracao : Painel::Aviso;
}

std::string_view legenda(Area tabela) {
  const int n = numero(tabela);
  static constexpr std::array<std::string_view, 20> kLegendas = {
      "",
      "Cálculos da Pag. 4  "_cp,
      "Rendimentos─────────"_cp,
      "Dependentes─────────"_cp,
      "Declaração Bens ────"_cp,
      "Dívidas e Onus  ────"_cp,
      "Doações e Pagamentos"_cp,
      "Ganho de Capital────"_cp,
      "Renda Variável──────"_cp,
      " ",
      "Dados Cadastrais────"_cp,
      "Despesas/Observações"_cp,
      "Rendimentos PFisica ",
      "Lancamentos ────────"_cp,
      "Auxiliar rendimento─"_cp,
      "Atividade Rural 1 ──"_cp,
      "Imoveis Rurais ─────"_cp,
      "Bens Atividade Rural",
      "Div. Atividade Rural",
      "Livro Caixa Rural ──"_cp,
  };
  return n >= 1 && n <= 19 ? kLegendas[static_cast<std::size_t>(n)] : std::string_view();
}

Decimal agora(const Contexto& ctx) { return Decimal::fromInt(rt::text::seconds(ctx.clock).wholePart()); }

// The time of use: what it was plus the seconds since the declaration was opened or last
// saved (a day boundary passed adds 86399), never beyond what the N6 field holds.
Decimal tempoDeUso(const Contexto& ctx, const Declaracao& dec) {
  const EspelhoDeclaracao& e = dec.espelho;
  Decimal gasto;
  if (!dec.opcoes.SEMHORA) {
    gasto = agora(ctx) - Decimal::fromInt(e.INI_DECLA.wholePart());
    if (gasto.isNegative()) gasto += Decimal::fromInt(86399);
  }
  return std::min(Decimal::fromInt(999999), e.registro.num("TEM_USO") + gasto);
}

// The size of use: the bytes of working copies TMP_01 to TMP_14, at most 999999.
Decimal tamanhoDeUso(Contexto& ctx) {
  std::int64_t total = 0;
  for (Area a : workareas::sequencia<Area::TMP_01, Area::TMP_14>())
    if (Table* t = ctx.areas.table(a))
      total += static_cast<std::int64_t>(t->recordSize()) * t->recordCount() + t->headerSize() + 1;
  return Decimal::fromInt(std::min<std::int64_t>(total, 999999));
}

// Copy 35 gets the rural summary of the side being saved.
Status escreveRural(Contexto& ctx, Declaracao& dec) {
  EspelhoDeclaracao& e = dec.espelho;
  Table* t = tabela(ctx.areas, Area::TMP_15);
  if (t == nullptr) return {rt::Error::kNotFound, "working copy 35"};
  seleciona(ctx.areas, Area::TMP_15);
  const std::string atv = rt::text::padr(e.registro.txt("ATV_BRASIL"), 1);
  RT_TRY(PREP_REG(ctx, chaveCpf(Area::IMP1510, e.CPF, atv)));
  e.rural.txt("CPF", e.CPF);
  e.rural.txt("ATV_BRASIL", atv);
  for (int m = 1; m <= 12; ++m) {
    e.rural.num("I3_" + dois(m) + "OR", e.REND_RURAL[static_cast<std::size_t>(m)][1]);
    e.rural.num("I3_" + dois(m) + "OD", e.REND_RURAL[static_cast<std::size_t>(m)][2]);
  }
  RT_TRY(e.rural.grava(*t));
  return t->flush();
}

// The rows of working copy `area` as they are stored, for the journal. A row without CPF is
// the declaration's; a row of another CPF cannot be (a copy rebuilt for another taxpayer) and
// is left out, so it is never saved under this one.
rt::Result<TabelaDiario> linhasDaCopia(Contexto& ctx, Area area, const std::string& cpf) {
  Table* t = ctx.areas.table(area);
  if (t == nullptr) return rt::Status(rt::Error::kNotFound, "working copy " + std::to_string(numero(area)));
  TabelaDiario tab;
  tab.numero = origem(area);
  tab.campos.assign(t->fields().begin(), t->fields().end());
  // The journal's records leave the deletion flag out: offsets count from the first field.
  int offset = 0;
  for (rt::db::FieldDef& f : tab.campos) {
    f.offset = offset;
    offset += f.width;
  }
  RT_TRY(t->flush());
  const int campoCpf = t->fieldIndex("CPF");
  const std::size_t inicioCpf = campoCpf < 0 ? 0 : static_cast<std::size_t>(tab.campos[static_cast<std::size_t>(campoCpf)].offset);
  RT_TRY(paraCadaLinha(*t, [&](Table& c) {
    std::string r(c.record().substr(1));
    if (campoCpf >= 0) {
      const std::string_view deLa = c.raw(campoCpf);
      if (rt::text::isEmptyText(deLa))
        r.replace(inicioCpf, 11, cpf);
      else if (deLa != cpf)
        return Status::ok();
    }
    tab.registros.push_back(std::move(r));
    return Status::ok();
  }));
  return tab;
}

// The register row: written in place under its record lock; when it cannot be held the
// register is not written and the rest of the save goes on.
void gravaRegistro(Contexto& ctx, Declaracao& dec) {
  EspelhoDeclaracao& e = dec.espelho;
  const bool aberto = ABERTURA(ctx, Area::IMP0910).isOk();
  const bool seguro = aberto && PREP_REG(ctx, e.CPF).isOk();
  e.registro.num("TEM_USO", tempoDeUso(ctx, dec));
  e.INI_DECLA = agora(ctx);
  VE_LIM_NEG(dec);
  if (seguro) {
    Table& r = *tabela(ctx.areas, Area::IMP0910);
    e.registro.txt("CPF", e.CPF);
    Status s = e.registro.grava(r);
    // The register keeps I13_21 with I13_22 added, as the office reports read it.
    if (s) s = r.put("I13_21", e.registro.num("I13_21") + e.registro.num("I13_22"));
    // Made durable with the tables, by the one flush that ends them.
    // The release writes the row first.
    if (const rt::Status liberada = r.unlock(); s) s = liberada;
    if (!s) ctx.relato().linha("ATENÇAO! Registro não ficou disponível. Dado não será gravado."_cp);
  }
  e.registro.num("TAM_USO", 0);
}

// Table 01's variables into copy 21, whose single row is then what table 01 receives.
Status escreveTabela01(Contexto& ctx, Declaracao& dec) {
  EspelhoDeclaracao& e = dec.espelho;
  Table* t = tabela(ctx.areas, Area::TMP_01);
  if (t == nullptr) return {rt::Error::kNotFound, "working copy 21"};
  seleciona(ctx.areas, Area::TMP_01);
  RT_TRY(PREP_REG(ctx, e.CPF));
  e.tabela01.txt("CPF", e.CPF);
  RT_TRY(e.tabela01.grava(*t));
  return t->flush();
}

// A declaration opened on a registered taxpayer whose register row has gone since (deleted,
// moved to another folder, or given another CPF by another terminal) is not saved at all:
// writing its rows would bring back a taxpayer the office removed, without his register row
// or with a new one. Said to the user (told); the declaration stays open.
Status naoPerdeuRegistro(Contexto& ctx, Declaracao& dec) {
  if (!dec.cadastrado || estaNoRegistro(ctx, dec.espelho.CPF)) return Status::ok();
  ctx.relato().erro("Contribuinte excluído ou movido em outro terminal. Nada foi gravado."_cp);
  return falhaDita(rt::Error::kNotFound, dec.espelho.CPF);
}

bool transfereDepois(const Declaracao& dec, int modo) {
  const OpcoesDeclaracao& o = dec.opcoes;
  return modo == 1 && (o.OPTTRAN == 1 ||
                       (o.OPTTRAN == 2 && dec.espelho.registro.num("ESTATUS") == Decimal::fromInt(o.SOESTE)));
}

// Copy n before its rows are taken: the rural summary into 35, assets and debts renumbered.
Status preparaCopia(Contexto& ctx, Declaracao& dec, Area n) {
  if (n == Area::IMP1510) RT_TRY(escreveRural(ctx, dec));
  if (n == Area::IMP0410 || n == Area::IMP0510) {
    if (Status s = renumera(ctx, copia(n)); !s) {
      ctx.relato().erro(n == Area::IMP0410
                            ? "Bens demais para numerar: a declaração não foi salva."_cp
                            : "Dívidas demais para numerar: a declaração não foi salva."_cp);
      return s.markTold();
    }
  }
  return Status::ok();
}

// Writes the tables `numeros` (their copies prepared) through the CPF's journal; a failure
// is said here.
Status gravaTabelas(Contexto& ctx, Declaracao& dec, TravaDiario& trava, const std::vector<Area>& numeros, int modo) {
  EspelhoDeclaracao& e = dec.espelho;
  Diario d;
  d.cpf = e.CPF;
  d.atvBrasil = rt::text::padr(e.registro.txt("ATV_BRASIL"), 1);
  for (Area n : numeros) {
    auto tab = linhasDaCopia(ctx, copia(n), e.CPF);
    if (!tab) {
      ctx.relato().erro("Salvando IMP" + dois(numero(n)) + ": " + tab.status().message());
      return tab.status().markTold();
    }
    d.tabelas.push_back(std::move(*tab));
  }
  Status s = trava.escreve(d, [&dec] { passo(dec, kPassoDiarioMeio); });
  if (s) passo(dec, kPassoDiario);
  if (s)
    s = aplicaDiario(
        ctx, d,
        [&](Area n) {
          ctx.relato().etapa(painelDe(modo), legenda(n));
          ctx.relato().linha("Salvando IMP" + dois(numero(n)));
        },
        [&](Area n) {
          passo(dec, kPassoTabela + numero(n));
          MOSTRADOR(ctx, dec, 1, modo == 1 ? 1 : 0);
        },
        [&dec](Area n) { passo(dec, kPassoMeio + numero(n)); });
  if (s) s = trava.conclui();
  if (!s) {
    // The journal stays: the next start or load of this CPF completes the save.
    ctx.relato().erro("Salvando: " + s.message());
    return s.markTold();
  }
  passo(dec, kPassoConcluido);
  ctx.relato().linha({});
  return s;
}

// After the save the copies are taken up again (autosave, or an export follows): their own
// keys, each back on the record it was on.
void retomaCopias(Contexto& ctx, const std::vector<Area>& numeros, const std::vector<std::uint32_t>& posicoes) {
  for (std::size_t i = 0; i < numeros.size(); ++i) {
    const Area area = copia(numeros[i]);
    Table* c = ctx.areas.table(area);
    // The copies stayed open with their index kept up to date; one with another order (or
    // none) is indexed again.
    if (c == nullptr || c->order() == 0 || c->orderExpression(c->order()) != chaveCopia(area, TipoCopia::Trabalho)) {
      if (c == nullptr && !abreCopia(ctx, area)) continue;
      if (!indexaCopia(ctx, area, TipoCopia::Trabalho)) continue;
    }
    Table& t = *ctx.areas.table(area);
    if (posicoes[i] != 0 && posicoes[i] <= t.recordCount())
      t.goTo(posicoes[i]);
    else
      t.goTop();
  }
}

std::vector<std::uint32_t> posicoesDe(Contexto& ctx, const std::vector<Area>& numeros) {
  std::vector<std::uint32_t> v;
  for (Area n : numeros) {
    Table* t = ctx.areas.table(copia(n));
    v.push_back(t != nullptr && !t->eof() ? t->recNo() : 0);
  }
  return v;
}

}  // namespace

void VE_LIM_NEG(Declaracao& dec) {
  RegistroEspelho& r = dec.espelho.registro;
  const Decimal indgas = r.num("INDGAS");
  if (indgas < Decimal::parse("-99.99").value())
    r.num("INDGAS", Decimal::parse("-99.99").value());
  else if (indgas > Decimal::parse("999.99").value())
    r.num("INDGAS", 999);
  if (r.num("SALDO") < Decimal::parse("-99999999.99").value()) r.num("SALDO", Decimal::parse("-99999999.99").value());
  // A refund above what the register's N12.2 holds as a negative (tax paid typed at the
  // largest its picture allows) keeps the field at its floor, as SALDO does; the refund itself
  // is I13_31, which holds it whole.
  if (r.num("IMPPGRE") < Decimal::parse("-99999999.99").value())
    r.num("IMPPGRE", Decimal::parse("-99999999.99").value());
}

Status PREP_REG(Contexto& ctx, std::string_view chave) {
  Table* t = ctx.areas.currentTable();
  if (t == nullptr) return {rt::Error::kNotAvailable, "no table in the current area"};
  if (t->seek(chave) && t->found()) return REC_LOCK(ctx, kEsperaTrava);
  if (!t->isExclusive()) {
    // The key is sought again under the table's lock, which keeps other terminals from
    // appending meanwhile: two terminals registering one new key get one record.
    RT_TRY(FIL_LOCK(ctx, kEsperaTrava));
    if (t->seek(chave) && t->found()) {
      // Nothing was written under the table's lock: its release has nothing to write.
      (void)t->unlock();
      return REC_LOCK(ctx, kEsperaTrava);
    }
  }
  if (Status s = ADD_REC(ctx, kEsperaTrava); !s) {
    // The append failed and said so; the table's lock goes with nothing written under it.
    (void)t->unlock();
    return s;
  }
  const std::uint32_t novo = t->recNo();
  if (t->order() > 0) {
    const std::string campo(rt::text::alltrim(t->orderExpression(t->order())));
    if (const rt::db::FieldDef* f = t->field(campo); f != nullptr && f->type == 'C') {
      if (Status s = gravou(ctx, t->put(campo, std::string(chave)), campo); !s) {
        // Said above; the locks go, leaving the blank row the append made.
        (void)t->unlock();
        return s;
      }
    }
  }
  if (t->isExclusive()) return gravou(ctx, t->flush(), t->alias());
  if (!t->isFileLocked()) return Status::ok();  // the append holds the new record already
  // The release writes the new record with its key.
  RT_TRY(gravou(ctx, t->unlock(), t->alias()));
  t->goTo(novo);
  RT_TRY(gravou(ctx, t->status(), t->alias()));
  return REC_LOCK(ctx, kEsperaTrava);
}

Status renumera(Contexto& ctx, Area area) {
  Table* t = ctx.areas.table(area);
  if (t == nullptr) return Status::ok();
  const char* nome = area == Area::TMP_04 ? "I7_0" : "I8_0";
  const int campo = t->fieldIndex(nome);
  if (campo < 0) return Status::ok();
  const rt::db::FieldDef& f = t->fields()[static_cast<std::size_t>(campo)];
  std::int64_t maximo = 1;
  for (int i = 0; i < f.width - f.decimals - (f.decimals > 0 ? 1 : 0); ++i) maximo *= 10;
  --maximo;
  std::vector<std::pair<Decimal, std::uint32_t>> itens;
  RT_TRY(paraCadaLinha(*t, [&](Table& c) {
    itens.emplace_back(c.getNumber(nome), c.recNo());
    return Status::ok();
  }));
  const auto n = static_cast<std::int64_t>(itens.size());
  if (n > maximo) return {rt::Error::kOverflow, nome};
  const std::int64_t fator = n * 10 <= maximo ? 10 : 1;
  std::stable_sort(itens.begin(), itens.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  const std::uint32_t onde = t->eof() ? 0 : t->recNo();
  for (std::size_t i = 0; i < itens.size(); ++i) {
    t->goTo(itens[i].second);
    RT_TRY(t->status());
    RT_TRY(t->put(campo, Decimal::fromInt(static_cast<std::int64_t>(i + 1) * fator)));
  }
  RT_TRY(t->flush());
  if (onde != 0) t->goTo(onde);
  return Status::ok();
}

namespace {

// Why the save's journal could not be had: a link (or anything but a plain file) at its name is
// named in an alert, whose two lines leave room for a long folder; any other failure is `texto`.
void dizFalhaDoDiario(Contexto& ctx, const Cpf& cpf, const std::string& texto) {
  const std::string diario = caminhoDiario(ctx, cpf);
  if (rt::fs::isRefusal(rt::fs::checkReplaceable(diario)))
    ctx.relato().alerta(console::linhasLink(diario));
  else
    ctx.relato().erro(texto);
}

}  // namespace

Status SALVATUDO(Contexto& ctx, Declaracao& dec, int modo) {
  EspelhoDeclaracao& e = dec.espelho;
  const SelecaoGuardada selecao(ctx.areas);
  VE_LIM_NEG(dec);
  e.registro.num("TAM_USO", tamanhoDeUso(ctx));

  e.TAM_CALC.clear();
  ctx.relato().titulo(painelDe(modo), "Salvando as informações"_cp);

  contadores(ctx, dec);
  dec.calc().CALC(ctx, dec, 7, 0);

  std::vector<Area> numeros;
  const Area ultima = e.registro.txt("TEMRURAL") == "S" ? Area::IMP1910 : Area::IMP1410;
  for (Area n : kComCopia)
    if (n != Area::IMP0110 && n <= ultima && n != Area::IMP0910 && n != Area::IMP1310) numeros.push_back(n);
  const std::vector<std::uint32_t> posicoes = posicoesDe(ctx, numeros);

  // Saves of one CPF take turns: the journal's lock is held from the register to the end.
  auto trava = TravaDiario::obtem(ctx, e.CPF);
  if (!trava) {
    dizFalhaDoDiario(ctx, e.CPF, "Salvando: " + trava.status().message());
    ctx.relato().fimEspera();
    return trava.status().markTold();
  }
  Status s = naoPerdeuRegistro(ctx, dec);
  for (Area n : numeros)
    if (s) s = preparaCopia(ctx, dec, n);
  if (s) {
    gravaRegistro(ctx, dec);
    dec.cadastrado = estaNoRegistro(ctx, e.CPF);
    s = escreveTabela01(ctx, dec);
    if (!s) {
      ctx.relato().erro("Salvando IMP01: a cópia de trabalho não está aberta"_cp);
      s = s.markTold();
    }
  }
  std::vector<Area> todas = {Area::IMP0110};
  todas.insert(todas.end(), numeros.begin(), numeros.end());
  if (s) s = gravaTabelas(ctx, dec, *trava, todas, modo);
  ctx.relato().fimEspera();
  // A failure has been said by the step that met it, but for the rural summary's write into
  // its working copy, which passes up untold.
  if (!s) return s;
  const bool transfere = transfereDepois(dec, modo);
  if (modo == 0 || transfere) retomaCopias(ctx, numeros, posicoes);
  if (modo == 1) {
    if (transfere) {
      ctx.relato().espera("Transferindo os dados para o programa da Receita...."_cp);
      dec.calc().transfere(ctx, dec);
    }
    FECHA_PROV(ctx);
  }
  e.SEM_SALV = agora(ctx);
  return s;
}

Status SALVA_PARC(Contexto& ctx, Declaracao& dec, Area n, int modo) {
  if (n < Area::IMP0210 || n > Area::IMP1910 || n == Area::IMP0910 || n == Area::IMP1310)
    return {rt::Error::kBadArgument, "table " + std::to_string(numero(n))};
  EspelhoDeclaracao& e = dec.espelho;
  const SelecaoGuardada selecao(ctx.areas);
  const std::vector<Area> numeros = {n};
  const std::vector<std::uint32_t> posicoes = posicoesDe(ctx, numeros);
  auto trava = TravaDiario::obtem(ctx, e.CPF);
  if (!trava) {
    dizFalhaDoDiario(ctx, e.CPF, textoRecusa(trava.status(), "o diário de gravação"_cp));
    return trava.status().markTold();
  }
  RT_TRY(naoPerdeuRegistro(ctx, dec));
  RT_TRY(preparaCopia(ctx, dec, n));
  RT_TRY(gravaTabelas(ctx, dec, *trava, numeros, modo));
  if (modo == 0 || transfereDepois(dec, modo)) retomaCopias(ctx, numeros, posicoes);
  if (modo == 1 && !transfereDepois(dec, modo)) solta(ctx.areas, copia(n));
  return Status::ok();
}

void SAL_DEC(Contexto& ctx, Declaracao& dec) {
  const SelecaoGuardada selecao(ctx.areas);
  if (dec.opcoes.TEMP_SAL < 98) {
    // SALVATUDO says why a save failed; the timed save comes again at its next interval.
    SALVATUDO(ctx, dec, 0).ignoreTold();
    dec.espelho.SEM_SALV = agora(ctx);
  }
}

}  // namespace store
