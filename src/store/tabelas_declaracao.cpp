#include "store/tabelas_declaracao.h"

#include <chrono>

#include "rt/db/file.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"

namespace store {

using namespace rt::text::literals;
using namespace std::chrono_literals;
using rt::Error;
using rt::Status;
using rt::db::Table;

std::string_view aguardandoCarregar() { return "Aguardando outro Terminal carregar dados..."_cp; }
std::string_view aguardandoSalvar() { return "Aguardando outro Terminal salvar dados..."_cp; }

void alertaUmSegundo(Contexto& ctx, std::string_view texto) {
  ctx.relato().aguarda(texto);
  ctx.espera.dorme(1000ms);
  ctx.relato().fimEspera();
}

bool alertaUmSegundo(Contexto& ctx, std::string_view texto, const std::function<Status()>& tenta, Status& s) {
  ctx.relato().aguarda(texto);
  const bool veio = ctx.espera.aguarda(1000ms, [&] {
    s = tenta();
    return s.code() != Error::kLocked && s.code() != Error::kInUse;
  });
  ctx.relato().fimEspera();
  return veio;
}

namespace {

// One exclusive try of a table whose files are all there. kInUse: another terminal has it.
Status tentaExclusiva(Contexto& ctx, Area n, const TabelaDef& t) {
  const std::string dbf = caminho(ctx, comExtensao(arquivoTabela(ctx, t), ".DBF"));
  const std::string alias = rt::text::upper(t.arquivo);
  if (Area outra = ctx.areas.areaOf(alias); outra != Area::Nenhuma && outra != n)
    return {Error::kBadField, "alias " + alias + " in area " + std::to_string(numero(outra))};
  rt::db::OpenOptions op;
  op.exclusive = true;
  op.alias = alias;
  RT_TRY(ctx.areas.open(n, dbf, op));
  Table& tab = *ctx.areas.table(n);
  for (const IndiceDef& i : indicesDe(ctx, t)) {
    Status s = tab.openIndex(caminho(ctx, comExtensao(i.arquivo, ".CDX")), i.chave);
    if (!s) {
      ctx.areas.release(n);
      return s;
    }
  }
  Status s = tab.useOrder(1);
  if (!s) ctx.areas.release(n);
  return s;
}

bool arquivosPresentes(const Contexto& ctx, const TabelaDef& t) {
  if (!existe(ctx, comExtensao(arquivoTabela(ctx, t), ".DBF"))) return false;
  for (const IndiceDef& i : indicesDe(ctx, t))
    if (!existe(ctx, comExtensao(i.arquivo, ".CDX"))) return false;
  return true;
}

}  // namespace

Status abreExclusivaAguardando(Contexto& ctx, Area n, std::string_view aguardando) {
  const TabelaDef* t = tabela(n);
  if (t == nullptr) return {Error::kBadArgument, "no table " + std::to_string(numero(n))};
  for (;;) {
    // A missing table or index file is the opener's work (it makes them); so is any failure
    // other than another terminal holding the table.
    if (!arquivosPresentes(ctx, *t)) return ABERTURA(ctx, n, true);
    Status s = tentaExclusiva(ctx, n, *t);
    if (s) {
      ctx.areas.select(n);
      return s;
    }
    if (s.code() != Error::kInUse) return ABERTURA(ctx, n, true);
    // Tried again within the second; anything but a success goes round again.
    if (alertaUmSegundo(ctx, aguardando, [&] { return tentaExclusiva(ctx, n, *t); }, s) && s) {
      ctx.areas.select(n);
      return s;
    }
  }
}

std::string caminhoCopia(const Contexto& ctx, Area area) {
  auto def = copiaDeTrabalho(area);
  if (!def) return {};
  return caminho(ctx, arquivoTabela(ctx, *def));
}

Status criaCopia(Contexto& ctx, Area area) {
  const std::string base = caminhoCopia(ctx, area);
  if (base.empty()) return {Error::kBadField, "working copy " + std::to_string(numero(area))};
  ctx.areas.release(area);
  RT_TRY(Table::create(base + ".DBF", camposDbf(estrutura(area)), rt::db::CreateMode::kReplace));
  // An index of the copy made before would be opened over the new, empty table.
  RT_TRY(rt::db::removeFile(base + ".CDX"));
  return abreCopia(ctx, area);
}

Status abreCopia(Contexto& ctx, Area area) {
  const std::string base = caminhoCopia(ctx, area);
  if (base.empty()) return {Error::kBadField, "working copy " + std::to_string(numero(area))};
  rt::db::OpenOptions op;
  op.exclusive = true;
  for (;;) {
    Status s = ctx.areas.open(area, base + ".DBF", op);
    if (s.code() != Error::kInUse) return s;
    ctx.espera.dorme(1000ms);
  }
}

Status abreCopiaParaCarga(Contexto& ctx, Area area) {
  const std::string base = caminhoCopia(ctx, area);
  if (base.empty()) return {Error::kBadField, "working copy " + std::to_string(numero(area))};
  auto nova = [&] {
    RT_TRY(criaCopia(ctx, area));
    return indexaCopia(ctx, area, TipoCopia::Trabalho);
  };
  if (!rt::db::fileExists(base + ".DBF")) return nova();
  Status s = abreCopia(ctx, area);
  Table* t = s ? ctx.areas.table(area) : nullptr;
  bool igual = t != nullptr;
  if (igual) {
    const std::vector<rt::db::FieldDef> esperado = camposDbf(estrutura(area));
    igual = esperado.size() == t->fields().size();
    for (std::size_t i = 0; igual && i < esperado.size(); ++i) {
      const rt::db::FieldDef& f = t->fields()[i];
      igual = rt::text::upper(esperado[i].name) == f.name && esperado[i].type == f.type &&
              esperado[i].width == f.width && esperado[i].decimals == f.decimals;
    }
  }
  if (igual) {
    const std::string chave = chaveCopia(area, TipoCopia::Trabalho);
    Status si = t->openIndex(base + ".CDX", chave);
    if (si) si = t->useOrder(1);
    if (si) return si;
  }
  // Another structure, a damaged file or an index that cannot be had: made anew.
  return nova();
}

Status EscritaCopia::inicia(std::uint32_t linhas) {
  total_ = t_.recordCount();
  proximo_ = 1;
  if (total_ > linhas) {
    RT_TRY(t_.zap());
    total_ = 0;
  }
  return Status::ok();
}

Status EscritaCopia::escreve(const Table& fonte, const std::vector<int>& mapa) {
  if (proximo_ <= total_) {
    t_.goTo(proximo_);
    RT_TRY(t_.status());
    if (t_.isDeleted()) RT_TRY(t_.recall());
  } else {
    RT_TRY(t_.appendBlank());
  }
  ++proximo_;
  for (std::size_t i = 0; i < mapa.size(); ++i) {
    const int f = static_cast<int>(i);
    RT_TRY(t_.put(f, mapa[i] < 0 ? rt::db::blankValue(t_.fields()[i]) : fonte.get(mapa[i])));
  }
  return Status::ok();
}

Status EscritaCopia::conclui() {
  for (std::uint32_t r = proximo_; r <= total_; ++r) {
    t_.goTo(r);
    RT_TRY(t_.status());
    if (!t_.isDeleted()) RT_TRY(t_.markDeleted());
  }
  return t_.flush();
}

Status copiaRegistros(Table& fonte, Table& para, const std::vector<std::uint32_t>& linhas) {
  const std::vector<int> mapa = mapaCampos(fonte, para);
  EscritaCopia escrita(para);
  RT_TRY(escrita.inicia(static_cast<std::uint32_t>(linhas.size())));
  for (std::uint32_t r : linhas) {
    fonte.goTo(r);
    RT_TRY(fonte.status());
    RT_TRY(escrita.escreve(fonte, mapa));
  }
  return escrita.conclui();
}

Status paraCadaLinha(Table& t, const std::function<Status(Table&)>& f) {
  const std::uint32_t onde = t.eof() ? 0 : t.recNo();
  const std::uint32_t total = t.recordCount();
  for (std::uint32_t r = 1; r <= total; ++r) {
    t.goTo(r);
    RT_TRY(t.status());
    if (!t.isDeleted()) RT_TRY(f(t));
  }
  if (onde != 0) {
    t.goTo(onde);
    return t.status();
  }
  t.goBottom();
  RT_TRY(t.status());
  if (!t.eof()) t.skip(1);
  return t.status();
}

Status indexaCopia(Contexto& ctx, Area area, TipoCopia tipo) {
  Table* t = ctx.areas.table(area);
  if (t == nullptr) return {Error::kNotFound, "working copy " + std::to_string(numero(area)) + " is not open"};
  t->closeIndexes();
  RT_TRY(t->createIndex(caminhoCopia(ctx, area) + ".CDX", chaveCopia(area, tipo)));
  return t->useOrder(1);
}

std::vector<int> mapaCampos(const Table& de, const Table& para) {
  std::vector<int> mapa;
  mapa.reserve(static_cast<std::size_t>(para.fieldCount()));
  for (const rt::db::FieldDef& f : para.fields()) {
    const rt::db::FieldDef* g = de.field(f.name);
    mapa.push_back(g != nullptr && g->type == f.type ? de.fieldIndex(f.name) : -1);
  }
  return mapa;
}

Status copiaCampos(const Table& de, Table& para, const std::vector<int>& mapa) {
  for (std::size_t i = 0; i < mapa.size(); ++i) {
    if (mapa[i] < 0) continue;
    RT_TRY(para.put(static_cast<int>(i), de.get(mapa[i])));
  }
  return Status::ok();
}

std::string chaveCpf(Area n, const Cpf& cpf, std::string_view atvBrasil) {
  std::string k = cpf.chave();
  if (n >= Area::IMP1510 && n <= Area::IMP2010) k += rt::text::padr(atvBrasil, 1);
  return k;
}

}  // namespace store
