#include "store/muda_atv.h"

#include <array>
#include <string>
#include <vector>

#include "rt/text/strings.h"
#include "store/areas.h"
#include "store/copia_trabalho.h"
#include "store/salva.h"
#include "store/tabelas_declaracao.h"

namespace store {

using rt::Status;
using rt::db::Table;
using rt::db::Value;

namespace {

// The rural tables, whose rows go by side.
constexpr auto kRurais = workareas::sequencia<Area::IMP1510, Area::IMP1910>();
constexpr std::string_view kChave = "cpf+ATV_BRASIL";

using Linha = std::vector<Value>;  // one row in the fields of the working copy

// The rows of one rural table for the CPF, on each side.
struct Lados {
  std::vector<Linha> antigo, novo;
};

// The open working copy of `area`, opened when it is not.
Table* copiaAberta(Contexto& ctx, Area area) {
  if (Table* t = ctx.areas.table(area)) return t;
  return abreCopia(ctx, area) ? ctx.areas.table(area) : nullptr;
}

// The rows of key `chave` (CPF + side) in table `fonte`, not deleted, in key order.
Status linhasDoLado(Table& fonte, const Table& copia, const std::string& chave, std::vector<Linha>& linhas) {
  const std::vector<int> mapa = mapaCampos(fonte, copia);
  const int campoCpf = fonte.fieldIndex("CPF"), campoAtv = fonte.fieldIndex("ATV_BRASIL");
  if (campoCpf < 0 || campoAtv < 0) return {rt::Error::kBadField, fonte.alias() + ": CPF/ATV_BRASIL"};
  const std::string_view cpf = std::string_view(chave).substr(0, 11), lado = std::string_view(chave).substr(11, 1);
  RT_TRY(fonte.seek(chave));
  while (fonte.status() && !fonte.eof() && fonte.raw(campoCpf) == cpf && fonte.raw(campoAtv) == lado) {
    if (!fonte.isDeleted()) {
      Linha l;
      l.reserve(mapa.size());
      for (std::size_t i = 0; i < mapa.size(); ++i)
        l.push_back(mapa[i] < 0 ? rt::db::blankValue(copia.fields()[i]) : fonte.get(mapa[i]));
      linhas.push_back(std::move(l));
    }
    fonte.skip(1);
    RT_TRY(fonte.status());
  }
  return Status::ok();
}

// Table n opened exclusively (waiting for other terminals), both sides read, the table closed.
bool leTabela(Contexto& ctx, Area n, const std::string& cpf, std::string_view antigo, std::string_view novo,
              Lados& lados) {
  Table* copia = copiaAberta(ctx, store::copia(n));
  if (copia == nullptr || !abreExclusivaAguardando(ctx, n, aguardandoCarregar())) return false;
  Table& fonte = *ctx.areas.table(n);
  Status s = linhasDoLado(fonte, *copia, chaveCpf(n, cpf, antigo), lados.antigo);
  if (s) s = linhasDoLado(fonte, *copia, chaveCpf(n, cpf, novo), lados.novo);
  ctx.areas.release(n);
  return s.isOk();
}

// The copy of area `area` emptied and given `linhas`, then reopened exclusive with its one
// order on CPF + side, at its first row.
Status preencheCopia(Contexto& ctx, Area area, const std::vector<Linha>& linhas) {
  Table* t = copiaAberta(ctx, area);
  if (t == nullptr) return {rt::Error::kNotFound, "working copy " + std::to_string(numero(area))};
  t->clearFilter();
  RT_TRY(t->zap());
  for (const Linha& l : linhas) {
    RT_TRY(t->appendBlank());
    for (std::size_t i = 0; i < l.size(); ++i) RT_TRY(t->put(static_cast<int>(i), l[i]));
  }
  RT_TRY(t->flush());
  RT_TRY(ctx.areas.close(area));
  RT_TRY(abreCopia(ctx, area));
  Table& c = *ctx.areas.table(area);
  RT_TRY(c.createIndex(caminhoCopia(ctx, area) + ".CDX", kChave));
  RT_TRY(c.useOrder(1));
  c.goTop();
  return c.status();
}

bool lado(std::string_view s) { return s == "S" || s == "N"; }

// The switch's failure as MUDA_ATV gives it: untold, whatever a step said, since the caller
// says that the side stays.
Status naoTrocou(std::string_view oque) { return {rt::Error::kNotAvailable, std::string(oque)}; }

// The rows working copy `area` holds, each as it is and given side `novo`.
bool linhasDaCopia(Contexto& ctx, Area area, std::string_view novo, std::vector<Linha>& comoEstao,
                   std::vector<Linha>& noLado) {
  Table* t = copiaAberta(ctx, area);
  if (t == nullptr) return false;
  t->clearFilter();
  const int campoAtv = t->fieldIndex("ATV_BRASIL");
  for (t->goTop(); t->status() && !t->eof(); t->skip(1)) {
    if (!t->status()) return false;
    if (t->isDeleted()) continue;
    Linha l;
    for (int i = 0; i < static_cast<int>(t->fields().size()); ++i) l.push_back(t->get(i));
    comoEstao.push_back(l);
    if (campoAtv >= 0) l[static_cast<std::size_t>(campoAtv)] = std::string(novo);
    noLado.push_back(std::move(l));
  }
  return true;
}

}  // namespace

Status MUDA_ATV(Contexto& ctx, Declaracao& dec, std::string_view antigo, std::string_view novo) {
  if (!lado(novo)) return {rt::Error::kBadArgument, "ATV_BRASIL " + std::string(novo)};
  EspelhoDeclaracao& e = dec.espelho;
  const std::string velho = rt::text::padr(antigo, 1);
  if (velho == novo) return Status::ok();
  const SelecaoGuardada selecao(ctx.areas);

  // No side yet (a new taxpayer): what the copies hold belongs to no side and is not saved
  // under a blank one, where no side would ever load it again; it becomes the side chosen.
  const bool semLado = rt::text::trim(velho).empty();

  // The save writes the copies under the side in ATV_BRASIL: the side they hold.
  e.registro.txt("ATV_BRASIL", velho);
  for (Area n : kRurais) {
    if (semLado) break;
    if (!SALVA_PARC(ctx, dec, n, 0)) return naoTrocou("save of copy " + std::to_string(numero(copia(n))));
  }

  std::array<Lados, kRurais.size()> lados;
  bool resumoNaTabela = true;
  for (std::size_t i = 0; i < kRurais.size(); ++i) {
    const Area n = kRurais[i];
    Lados& l = lados[i];
    if (!leTabela(ctx, n, e.CPF, velho, novo, l)) return naoTrocou("table " + std::to_string(numero(n)));
    if (!semLado) continue;
    // The copies' rows as they are (put back if the switch fails) and on the new side, after
    // what the tables already hold there; the one rural summary is the table's when it has one.
    std::vector<Linha> noLado;
    l.antigo.clear();
    if (!linhasDaCopia(ctx, copia(n), novo, l.antigo, noLado)) return naoTrocou("copy " + std::to_string(numero(copia(n))));
    if (i == 0) resumoNaTabela = !l.novo.empty();
    if (i != 0 || !resumoNaTabela) l.novo.insert(l.novo.end(), noLado.begin(), noLado.end());
  }

  Status s;
  for (std::size_t i = 0; s && i < kRurais.size(); ++i) s = preencheCopia(ctx, copia(kRurais[i]), lados[i].novo);
  if (!s) {
    // Back to the side just saved, so the copies hold one side only. The switch has failed and
    // is reported so; putting back goes as far as it can, and nothing is reported twice.
    for (std::size_t i = 0; i < kRurais.size(); ++i)
      // As far as it can (see above): the switch's own failure is what is said.
      (void)preencheCopia(ctx, copia(kRurais[i]), lados[i].antigo);
    if (!semLado) PRENCHEMOL(ctx, dec, velho);
    return s;
  }
  e.registro.txt("ATV_BRASIL", std::string(novo));
  if (semLado && !resumoNaTabela) {
    // The summary typed so far is the new side's: only its side changes.
    e.rural.txt("ATV_BRASIL", std::string(novo));
  } else {
    PRENCHEMOL(ctx, dec, novo);
  }
  return Status::ok();
}

}  // namespace store
