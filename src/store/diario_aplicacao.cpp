// A journal's rows put into the shared tables: each table's rows of the CPF replaced by the
// journal's, the register under its locks, the data folder synced once at the end.
#include "store/diario_gravacao.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "console/arquivo_recusado.h"
#include "rt/base/unique_fd.h"
#include "rt/fs/faults.h"
#include "rt/fs/shared_files.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/db/file.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/cpf.h"
#include "store/diario_restauracao.h"
#include "store/tabelas_declaracao.h"
#include "store/travas.h"

namespace store {

using namespace std::chrono_literals;
using namespace rt::text::literals;
using rt::Error;
using rt::Result;
using rt::Status;
using rt::db::File;

namespace {

// Whether the current record of `t` belongs to the CPF (and side) of the journal's table.
bool doCpf(const rt::db::Table& t, Area n, int campoCpf, int campoAtv, const std::string& chave,
           const std::string& lado) {
  if (t.eof() || campoCpf < 0) return false;
  if (t.raw(campoCpf) != chave) return false;
  return !(n >= Area::IMP1510 && n <= Area::IMP2010 && campoAtv >= 0 && t.raw(campoAtv) != lado);
}

// The records the CPF (and side) has now from the current one on, found before any is
// changed (rewriting moves their keys), in record order. A deleted record is no row of the
// CPF: rewritten, it would stay deleted and the row be lost.
//
// Record order, not the index's: the new rows go into these records one after the other, so
// the rows end in the journal's order whatever order the old ones had. Taken in key order,
// rows sharing a CPF but not a key (table 06 is keyed by CPF and code) would be shuffled by
// every rewrite, and a save redone after a crash would leave another order than one that ran
// through, while grids and printed pages show rows of one key in record order.
std::vector<std::uint32_t> registrosDoCpf(rt::db::Table& t, const TabelaDiario& tab, const Diario& d) {
  const int campoCpf = t.fieldIndex("CPF");
  const int campoAtv = t.fieldIndex("ATV_BRASIL");
  const std::string chave = Cpf(d.cpf).chave();
  const std::string lado = ladoDaTabela(tab, d);
  std::vector<std::uint32_t> v;
  while (doCpf(t, tab.numero, campoCpf, campoAtv, chave, lado)) {
    if (!t.isDeleted()) v.push_back(t.recNo());
    t.skip(1);
    if (!t.status()) break;
  }
  std::sort(v.begin(), v.end());
  return v;
}

// For each journal field, the table's field of the same name, type and width (-1: none).
std::vector<int> camposDestino(const rt::db::Table& t, const TabelaDiario& tab) {
  std::vector<int> destino;
  for (const rt::db::FieldDef& f : tab.campos) {
    const rt::db::FieldDef* g = t.field(f.name);
    destino.push_back(g != nullptr && g->type == f.type && g->width == f.width ? t.fieldIndex(f.name) : -1);
  }
  return destino;
}

// One row into the current record. A row shorter than its fields (a caller's, not yet through
// the journal's encoding, which pads it) reads blanks past its end.
Status poeLinha(rt::db::Table& t, const TabelaDiario& tab, const std::vector<int>& destino, const std::string& reg) {
  for (std::size_t i = 0; i < tab.campos.size(); ++i) {
    if (destino[i] < 0) continue;
    const rt::db::FieldDef& f = tab.campos[i];
    const std::string bytes =
        rt::text::padr(std::string_view(reg).substr(std::min(reg.size(), static_cast<std::size_t>(f.offset))), f.width);
    RT_TRY(t.put(destino[i], rt::db::readField(f, std::string_view(bytes).substr(0, static_cast<std::size_t>(f.width)))));
  }
  return Status::ok();
}

Status substitui(rt::db::Table& t, const TabelaDiario& tab, const Diario& d, const std::function<void(Area)>& meio) {
  RT_TRY(t.seek(chaveCpf(tab.numero, d.cpf, ladoDaTabela(tab, d))));
  const std::vector<std::uint32_t> antigos = registrosDoCpf(t, tab, d);
  const std::vector<int> destino = camposDestino(t, tab);
  // Old records are reused in record order, so the table grows only by what the CPF gained,
  // and the rows stand in the journal's order.
  for (std::size_t r = 0; r < tab.registros.size(); ++r) {
    if (r < antigos.size()) {
      t.goTo(antigos[r]);
      RT_TRY(t.status());
    } else {
      RT_TRY(t.appendBlank());
    }
    RT_TRY(poeLinha(t, tab, destino, tab.registros[r]));
    if (meio && r + 1 == (tab.registros.size() + 1) / 2) {
      RT_TRY(t.flush());
      meio(tab.numero);
    }
  }
  for (std::size_t r = tab.registros.size(); r < antigos.size(); ++r) {
    t.goTo(antigos[r]);
    RT_TRY(t.status());
    RT_TRY(t.markDeleted());
  }
  return t.flush();
}

// Tries `tenta` until no other terminal holds what it needs, showing the waiting alert for a
// second between tries, as the exclusive opens of the journal's tables do.
Status aguardaTrava(Contexto& ctx, const std::function<Status()>& tenta) {
  for (;;) {
    Status s = tenta();
    if (s.code() != Error::kLocked && s.code() != Error::kInUse) return s;
    if (alertaUmSegundo(ctx, aguardandoSalvar(), tenta, s)) return s;
  }
}

// The register row of the CPF replaced in the register as every terminal keeps it open:
// shared, the rows rewritten under their record locks, a new row appended under the table's
// lock (sought again under it, so that two terminals registering one CPF make one row). The
// engine keeps the register's three indexes as it writes.
Status substituiRegistro(Contexto& ctx, rt::db::Table& t, const TabelaDiario& tab, const Diario& d,
                         const std::function<void(Area)>& meio) {
  int ordemCpf = 0;
  for (int o = 1; o <= t.orderCount() && ordemCpf == 0; ++o)
    if (rt::text::upper(rt::text::alltrim(t.orderExpression(o))) == "CPF") ordemCpf = o;
  if (ordemCpf == 0) return {Error::kBadField, t.alias() + ": no CPF order"};
  t.setOrder(ordemCpf);
  const std::string chave = Cpf(d.cpf).chave();
  std::vector<std::uint32_t> antigos;
  auto procura = [&]() -> Status {
    RT_TRY(t.seek(chave));
    antigos = registrosDoCpf(t, tab, d);
    return Status::ok();
  };
  RT_TRY(procura());
  const bool acrescenta = tab.registros.size() > antigos.size();
  if (acrescenta) {
    RT_TRY(aguardaTrava(ctx, [&] { return t.lockFile(); }));
    if (Status s = procura(); !s) {
      (void)t.unlock();  // the failed search is what is reported
      return s;
    }
  } else {
    for (std::uint32_t r : antigos) RT_TRY(aguardaTrava(ctx, [&] { return t.lockRecord(r, true); }));
  }
  const std::vector<int> destino = camposDestino(t, tab);
  Status s;
  for (std::size_t r = 0; r < tab.registros.size() && s; ++r) {
    if (r < antigos.size()) {
      t.goTo(antigos[r]);
      s = t.status();
    } else {
      s = t.appendBlank();
    }
    if (s) s = poeLinha(t, tab, destino, tab.registros[r]);
    if (s) s = t.flush();
    if (s && meio && r + 1 == (tab.registros.size() + 1) / 2) meio(tab.numero);
  }
  for (std::size_t r = tab.registros.size(); r < antigos.size() && s; ++r) {
    t.goTo(antigos[r]);
    s = t.status();
    if (s) s = t.markDeleted();
    if (s) s = t.flush();
  }
  // The release writes what is left of the row first.
  const Status solta = t.unlock();
  return s ? solta : s;
}

// Table n as the journal writes it: the register shared (the one already open in its area
// when it is this folder's), the others exclusively, waiting for other terminals. `aberta`:
// the entry before was this table's and left it open; `fica`: the next one is this table's
// too (its other side), so it stays open for it.
Status aplicaTabela(Contexto& ctx, const TabelaDiario& tab, const Diario& d, const std::function<void(Area)>& meio,
                    bool aberta, bool fica) {
  const Area n = tab.numero;
  const TabelaDef& def = *tabela(n);
  if (n != Area::IMP0910) {
    LoteGravacao* lote = ctx.loteGravacao;
    const std::string arquivo = caminho(ctx, comExtensao(arquivoTabela(ctx, def), ".DBF"));
    if (!aberta && (lote == nullptr || !lote->mantem(n, arquivo))) {
      if (lote != nullptr) lote->esquece(n);
      if (!abreExclusivaAguardando(ctx, n, n == Area::IMP0110 ? aguardandoSalvar() : aguardandoCarregar()))
        return {Error::kInUse, "table " + std::to_string(numero(n)) + " could not be opened"};
    }
    rt::db::Table& t = *ctx.areas.table(n);
    Status s = substitui(t, tab, d, meio);
    if (s && fica) return s;
    if (s && lote != nullptr) {
      // Kept for the batch's next taxpayer. Its records and count are in the file already
      // (the folder's flush below makes them durable before the journal goes); its index
      // pages wait for the close, the index marked unfinished meanwhile, so a process killed
      // before it leaves an index the next open rebuilds.
      lote->guarda(n, arquivo);
      return s;
    }
    if (lote != nullptr) lote->esquece(n);
    Status f = ctx.areas.close(n);
    return s ? f : s;
  }
  const std::string dbf = rt::db::resolveCaseInsensitive(caminho(ctx, comExtensao(arquivoTabela(ctx, def), ".DBF")));
  rt::db::Table* t = ctx.areas.table(n);
  if (t != nullptr && !t->isReadOnly() && t->path() == dbf) {
    // Whoever keeps the register open finds it on the order and row it left.
    const int ordem = t->order();
    const std::uint32_t linha = t->eof() ? 0 : t->recNo();
    Status s = substituiRegistro(ctx, *t, tab, d, meio);
    t->setOrder(ordem);
    if (linha != 0) t->goTo(linha);
    return s;
  }
  if (t == nullptr) {
    if (!ABERTURA(ctx, n)) return {Error::kInUse, "table " + std::to_string(numero(n)) + " could not be opened"};
    Status s = substituiRegistro(ctx, *ctx.areas.table(n), tab, d, meio);
    Status f = ctx.areas.close(n);
    return s ? f : s;
  }
  // The area holds another folder's register, which its user keeps: this folder's is opened
  // beside it, shared, with its indexes, for this write only.
  const Area area = Area::Rascunho;
  Uso uso;
  uso.caminho = dbf;
  uso.alias = "DIARIO_REG";
  if (!usa(ctx, area, uso, 10)) return {Error::kInUse, "table " + std::to_string(numero(n)) + " could not be opened"};
  rt::db::Table& r = *ctx.areas.table(area);
  Status s;
  for (const IndiceDef& i : indicesDe(ctx, def))
    if (s) s = r.openIndex(caminho(ctx, comExtensao(i.arquivo, ".CDX")), i.chave);
  if (s) s = substituiRegistro(ctx, r, tab, d, meio);
  Status f = ctx.areas.close(area);
  return s ? f : s;
}

// One flush of the data folder's file system for every table the journal touched: a sync
// per table would cost a disk flush each, and until the journal is emptied a power failure
// only means that the journal is redone.
Status sincronizaPasta(const std::string& pasta) {
  const int fd = ::open(pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return {Error::kIo, pasta + ": " + std::strerror(errno)};
  const int r = rt::fs::syncfs(fd);
  const int erro = errno;
  ::close(fd);
  if (r != 0) return {Error::kIo, pasta + ": " + std::strerror(erro)};
  return Status::ok();
}

}  // namespace

Status aplicaDiario(Contexto& ctx, const Diario& d, const std::function<void(Area)>& antes,
                    const std::function<void(Area)>& depois, const std::function<void(Area)>& meio) {
  const SelecaoGuardada selecao(ctx.areas);
  const std::vector<TabelaDiario>& v = d.tabelas;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (antes) antes(v[i].numero);
    const bool aberta = i > 0 && v[i - 1].numero == v[i].numero;
    const bool fica = i + 1 < v.size() && v[i + 1].numero == v[i].numero;
    RT_TRY(aplicaTabela(ctx, v[i], d, meio, aberta, fica));
    if (depois) depois(v[i].numero);
  }
  return sincronizaPasta(std::filesystem::path(caminhoDiario(ctx, d.cpf)).parent_path().string());
}

}  // namespace store
