#include "store/travas.h"

#include <chrono>
#include <functional>

#include "platform/paths.h"
#include "rt/db/file.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/arquivos.h"

namespace store {
namespace {

using namespace rt::text::literals;
using namespace std::chrono_literals;
using rt::Error;
using rt::Status;

constexpr std::string_view kNaoFicou = "ATENÇAO! Registro não ficou disponível. Dado não será gravado."_cp;

// What is worth waiting for: another terminal's lock or exclusive open.
bool passa(const Status& s) { return s.code() == Error::kLocked || s.code() == Error::kInUse; }

// The common pattern of the file lock and the append: try once; then, on the message line,
// say what is awaited and try every half second while `segundos` lasts and no Esc is read,
// or for ever when `segundos` is 0. A try that still fails is said on the message line and
// comes back told.
Status espera(Contexto& ctx, int segundos, std::string_view aguardando, const std::function<Status()>& tenta) {
  Status s = tenta();
  if (s) return s;
  if (passa(s)) {
    ctx.relato().linha(aguardando);
    // A wait for ever reads no key, which is what would otherwise send the screen out.
    ctx.console.refresh();
    const bool sempre = segundos == 0;
    int meios = segundos * 2;
    while (sempre || (meios > 0 && !ctx.relato().desiste())) {
      ctx.espera.dorme(500ms);
      if (!sempre) --meios;
      s = tenta();
      if (s) {
        ctx.relato().linha({});
        return s;
      }
      if (!passa(s)) break;
    }
  }
  ctx.relato().linha(kNaoFicou);
  return s.markTold();
}

// No table in the current area: a fault of the caller, which nothing here says.
Status semTabela() { return {Error::kNotAvailable, "no table in the current area"}; }

}  // namespace

Status usa(Contexto& ctx, Area area, const Uso& uso, int segundos) {
  rt::db::Table* atual = ctx.areas.table(area);
  if (atual != nullptr && atual->alias() == uso.alias && atual->isExclusive() == uso.exclusivo &&
      atual->isReadOnly() == uso.somenteLeitura) {
    if (rt::db::resolveCaseInsensitive(uso.caminho) == atual->path()) return {};
  }
  ctx.areas.release(area);
  // An alias taken by another area of ours is a fault of the caller; no wait mends it.
  if (workareas::Area outra = ctx.areas.areaOf(uso.alias); outra != workareas::Area::Nenhuma && outra != area)
    return {Error::kBadField, "alias " + uso.alias + " in area " + std::to_string(workareas::numero(outra))};
  rt::db::OpenOptions op;
  op.exclusive = uso.exclusivo;
  op.readOnly = uso.somenteLeitura;
  op.alias = uso.alias;
  const bool sempre = segundos == 0;
  int resta = segundos;
  for (;;) {
    Status s = ctx.areas.open(area, uso.caminho, op);
    if (s) {
      ctx.ERRO_REDE = false;
      return s;
    }
    if (s.code() != Error::kInUse) return s;
    ctx.ERRO_REDE = true;
    // Tried again within the second, so a table let go after a moment is not waited for longer.
    if (ctx.espera.aguarda(1000ms, [&] { return (s = ctx.areas.open(area, uso.caminho, op)).code() != Error::kInUse; })) {
      if (s) ctx.ERRO_REDE = false;
      return s;
    }
    if (!sempre && --resta <= 0) return s;
  }
}

void avisaIndisponivel(Contexto& ctx, std::string_view arquivo) {
  std::string nome(arquivo);
  const std::string_view base = platform::lastComponent(nome);
  if (const std::size_t ponto = base.find('.'); ponto != std::string_view::npos)
    nome.resize(nome.size() - base.size() + ponto);
  ctx.relato().alerta(nome + std::string(".DBF não está disponivel "_cp));
}

Status NETUSE(Contexto& ctx, std::string_view arquivo, bool exclusivo, int segundos) {
  const std::string nome = comExtensao(arquivo, ".DBF");
  Uso uso;
  uso.caminho = caminho(ctx, nome);
  uso.exclusivo = exclusivo;
  if (!rt::text::isEmptyText(ctx.APELIDO)) {
    uso.alias = rt::text::upper(rt::text::alltrim(ctx.APELIDO));
  } else {
    std::string base(platform::lastComponent(nome));
    uso.alias = rt::text::upper(base.substr(0, base.find('.')));
  }
  return usa(ctx, ctx.areas.current(), uso, segundos);
}

Status REC_LOCK(Contexto& ctx, int segundos) {
  rt::db::Table* t = ctx.areas.currentTable();
  if (t == nullptr) return semTabela();
  Status s = t->lockRecord();
  if (s) return s;
  if (passa(s)) {
    ctx.relato().linha(std::string("Aguardando registro ficar disponível no arquivo "_cp) + t->alias(), true);
    int meios = segundos * 2;
    while (meios > 0 && !ctx.relato().desiste()) {
      s = t->lockRecord();
      if (s) {
        ctx.relato().linha({});
        return s;
      }
      if (!passa(s)) break;
      ctx.espera.dorme(500ms);
      --meios;
    }
  }
  ctx.relato().linha(kNaoFicou);
  return s.markTold();
}

Status FIL_LOCK(Contexto& ctx, int segundos) {
  rt::db::Table* t = ctx.areas.currentTable();
  if (t == nullptr) return semTabela();
  return espera(ctx, segundos, "Aguardando arquivo ficar disponível"_cp, [t] { return t->lockFile(); });
}

Status ADD_REC(Contexto& ctx, int segundos) {
  rt::db::Table* t = ctx.areas.currentTable();
  if (t == nullptr) return semTabela();
  return espera(ctx, segundos, "Aguardando registro ficar disponível"_cp, [&ctx, t] {
    Status s = t->appendBlank();
    ctx.ERRO_REDE = s.code() == Error::kLocked;
    return s;
  });
}

Status DESTRAVA(Contexto& ctx) {
  rt::db::Table* t = ctx.areas.currentTable();
  return t == nullptr ? Status::ok() : t->unlock();
}

}  // namespace store
