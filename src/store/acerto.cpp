#include "store/acerto.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/drive.h"
#include "platform/paths.h"
#include "rt/db/file.h"
#include "rt/db/structure.h"
#include "rt/db/table.h"
#include "rt/db/transfer.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/recusa.h"
#include "store/semente.h"
#include "store/travas.h"

namespace store {
namespace {

using namespace std::chrono_literals;
using rt::Error;
using rt::Status;
using rt::db::Table;
using TabelaAberta = std::unique_ptr<Table>;

std::string dbfDe(const Contexto& ctx, const TabelaDef& t) {
  return caminho(ctx, comExtensao(arquivoTabela(ctx, t), ".DBF"));
}

std::string cdxDe(const Contexto& ctx, const IndiceDef& i) { return caminho(ctx, comExtensao(i.arquivo, ".CDX")); }

// Whether the file lacks the marker field with its type. Only its header is read, without
// any lock, so a table another terminal holds exclusively is still recognised as old (and
// then reported as not available). A file that cannot be read is left for the opener.
bool antigo(const std::string& dbf, const MarcadorDef& m) {
  auto f = rt::db::File::open(dbf, rt::db::File::Mode::kRead);
  if (!f) return false;
  std::string cabecalho(32, '\0');
  auto lidos = f->readAt(0, cabecalho);
  if (!lidos || *lidos < 32) return false;
  const std::size_t tamanho = static_cast<std::uint8_t>(cabecalho[8]) |
                              static_cast<std::size_t>(static_cast<std::uint8_t>(cabecalho[9])) << 8;
  cabecalho.resize(std::clamp<std::size_t>(tamanho, 32, 32 + 32 * 2046 + 1));
  lidos = f->readAt(0, cabecalho);
  if (!lidos) return false;
  cabecalho.resize(*lidos);
  auto h = rt::db::decodeHeader(cabecalho);
  if (!h) return false;
  for (const rt::db::FieldDef& c : h->fields)
    if (platform::equalsIgnoreCase(c.name, m.campo)) return c.type != m.tipo;
  return true;
}

// The exclusive open of the opener, outside the work areas: tried once a second for ten.
rt::Result<TabelaAberta> exclusivo(Contexto& ctx, const std::string& dbf) {
  for (int resta = 10;;) {
    auto r = Table::open(dbf, soParaMim());
    if (r || r.code() != Error::kInUse) return r;
    ctx.ERRO_REDE = true;
    ctx.espera.dorme(1000ms);
    if (--resta <= 0) return r;
  }
}

// DEFINE's one record: old values by field name, the seed in the fields that are new.
Status copiaDefine(Table& novo, Table& velho, const TabelaDef& t) {
  velho.setDeletedHidden(true);
  velho.goTop();
  RT_TRY(velho.status());
  const bool temVelho = !velho.eof();
  const std::vector<ValorSemente> semente = sementeDEFINE();
  RT_TRY(novo.appendBlank());
  for (const CampoDef& c : t.campos) {
    const rt::db::FieldDef* f = temVelho ? velho.field(c.nome) : nullptr;
    if (f != nullptr && f->type == c.tipo) {
      RT_TRY(novo.put(c.nome, velho.get(c.nome)));
      continue;
    }
    for (const ValorSemente& v : semente)
      if (platform::equalsIgnoreCase(v.campo, c.nome) && !v.valor.empty())
        RT_TRY(novo.put(c.nome, valorDeTexto(c.tipo, v.valor)));
  }
  return novo.flush();
}

Status renumeraPagamentos(const Contexto& ctx, Table& pagamentos) {
  const TabelaDef* t6 = tabela(Area::IMP0610);
  // Through its index, so the index stays right as the codes in its key change.
  for (const IndiceDef& i : indicesDe(ctx, *t6)) RT_TRY(pagamentos.openIndex(cdxDe(ctx, i), i.chave));
  RT_TRY(pagamentos.useOrder(0));
  pagamentos.setDeletedHidden(false);
  for (pagamentos.goTop(); pagamentos.status() && !pagamentos.eof(); pagamentos.skip()) {
    RT_TRY(pagamentos.status());
    const rt::text::Decimal codigo = pagamentos.getNumber("I6_3");
    const int novo = codigoPagamentoNovo(static_cast<int>(codigo.toDouble()));
    if (rt::text::Decimal(novo) != codigo) RT_TRY(pagamentos.put("I6_3", rt::text::Decimal(novo)));
  }
  return pagamentos.commit();
}

// Builds the new file beside the old one and moves it into place; the old one is held.
Status troca(const Contexto& ctx, const TabelaDef& t, Table& velho, const std::string& dbf, Table* pagamentos) {
  const std::string pasta = dbf.substr(0, dbf.size() - platform::lastComponent(dbf).size());
  // Sessions off the network all have terminal "00": the process keeps the names apart.
  const std::string provisorio = pasta + "ACERTO" + ctx.NUSU + "_" + std::to_string(::getpid()) + ".DBF";
  RT_TRY(Table::create(provisorio, camposDbf(t.campos), rt::db::CreateMode::kReplace));
  auto aberto = Table::open(provisorio, soParaMim());
  if (!aberto) {
    // The scratch table of an upgrade that failed and is passed up; the next one replaces it.
    rt::db::removeScratch(provisorio);
    return aberto.status();
  }
  Table& novo = **aberto;
  Status s;
  if (t.numero == Area::DEFINE) {
    s = copiaDefine(novo, velho, t);
  } else {
    velho.setDeletedHidden(true);
    s = rt::db::appendFrom(novo, velho);
  }
  if (s) s = novo.commit();
  if (s && pagamentos != nullptr) s = renumeraPagamentos(ctx, *pagamentos);
  // The old index files go before the swap: missing ones are built again by the opener.
  if (s)
    for (const IndiceDef& i : indicesDe(ctx, t))
      if (s) s = rt::db::removeFile(cdxDe(ctx, i));
  if (s && std::rename(novo.path().c_str(), dbf.c_str()) != 0) s = Status(Error::kIo, "rename " + novo.path());
  if (!s) {
    // The scratch table of an upgrade that failed and is passed up; the next one replaces it.
    (void)novo.close();
    rt::db::removeScratch(provisorio);
    return s;
  }
  s = rt::db::syncDirectoryOf(dbf);
  // The new file is still held exclusively under its new name while its indexes are built.
  for (const IndiceDef& i : indicesDe(ctx, t))
    if (s) s = novo.openIndex(cdxDe(ctx, i), i.chave);
  Status fecha = novo.close();
  return s ? fecha : s;
}

}  // namespace

int codigoPagamentoNovo(int codigo) {
  if (codigo < 3 || codigo > 6) return codigo;
  codigo -= 2;
  return codigo > 2 ? codigo - 2 : codigo;
}

bool CORRIGE(Contexto& ctx, Area area) {
  const TabelaDef* t = tabela(area);
  if (t == nullptr || !t->marcador) return false;
  const std::string dbf = dbfDe(ctx, *t);
  if (!platform::fileExists(dbf) || !antigo(dbf, *t->marcador)) return false;
  // Our own opens would keep the exclusive ones out.
  ctx.areas.release(area);
  if (area == Area::IMP0110) solta(ctx.areas, Area::IMP0610);
  auto velho = exclusivo(ctx, dbf);
  if (!velho) {
    avisaIndisponivel(ctx, arquivoTabela(ctx, *t));
    return true;
  }
  // Another terminal may have upgraded it while we waited for it.
  if (const rt::db::FieldDef* f = (*velho)->field(t->marcador->campo); f != nullptr && f->type == t->marcador->tipo)
    return false;
  TabelaAberta pagamentos;
  if (area == Area::IMP0110) {
    const TabelaDef* t6 = tabela(Area::IMP0610);
    const std::string dbf6 = dbfDe(ctx, *t6);
    if (platform::fileExists(dbf6)) {
      auto p = exclusivo(ctx, dbf6);
      if (!p) {
        avisaIndisponivel(ctx, arquivoTabela(ctx, *t6));
        return true;
      }
      pagamentos = std::move(*p);
    }
  }
  if (!t->mensagemCriacao.empty()) ctx.relato().espera(t->mensagemCriacao);
  // A failed upgrade is said; the old table stays in place and the next start tries again.
  gravou(ctx, troca(ctx, *t, **velho, dbf, pagamentos.get()), arquivoTabela(ctx, *t)).ignoreTold();
  ctx.relato().fimEspera();
  ctx.relato().linha({});
  return true;
}

void CORRECAO(Contexto& ctx, int modo) {
  ctx.MOS_MENS = false;
  // CORRIGE's result says whether it upgraded; what it could not do it has said itself.
  if (modo == 1) {
    CORRIGE(ctx, Area::DEFINE);
    return;
  }
  CORRIGE(ctx, Area::IMP0110);
  CORRIGE(ctx, Area::IMP0210);
  CORRIGE(ctx, Area::IMP0910);
}

}  // namespace store
