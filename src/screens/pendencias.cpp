#include "screens/pendencias.h"

#include <cstdint>
#include <string>
#include <vector>

#include "console/alerta.h"
#include "console/janelas.h"
#include "grid/edita.h"
#include "rt/db/table.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/catalogo.h"
#include "store/tabelas_declaracao.h"

namespace screens {

namespace {

constexpr store::Area kNotas = store::Area::IMP1110;      // the checker's errors and the notes
constexpr store::Area kCopiaNotas = store::Area::TMP_11;  // the terminal's working copy of them
constexpr store::Area kRegistro = store::Area::IMP0910;

// The taxpayer's rows of table 11 into copy 31, which is left holding exactly them.
bool copiaNotas(store::Contexto& ctx, const std::string& cpf) {
  rt::db::Table& fonte = *ctx.areas.table(kNotas);
  if (!store::abreCopiaParaCarga(ctx, kCopiaNotas)) return false;
  rt::db::Table& copia = *ctx.areas.table(kCopiaNotas);
  const int campoCpf = fonte.fieldIndex("CPF");
  std::vector<std::uint32_t> linhas;
  if (campoCpf >= 0 && !cpf.empty() && fonte.seek(cpf).isOk() && fonte.found()) {
    for (; fonte.status() && !fonte.eof() && fonte.raw(campoCpf) == cpf; fonte.skip(1))
      if (!fonte.isDeleted()) linhas.push_back(fonte.recNo());
  }
  if (!store::copiaRegistros(fonte, copia, linhas)) return false;
  return static_cast<bool>(store::indexaCopia(ctx, kCopiaNotas, store::TipoCopia::Trabalho));
}

}  // namespace

void MOS_PEND(store::Contexto& ctx, grid::Grade& g) {
  // The list is drawn over whatever called it (the taxpayer prompt, a screen) without a frame
  // of its own on some screens: what it covered comes back when it closes.
  console::TelaGuardada tela(ctx.screen());
  rt::db::Table* reg = ctx.areas.table(kRegistro);
  const std::string cpf = reg != nullptr && !reg->eof() ? reg->getText("CPF") : std::string();
  const bool jaAberta = ctx.areas.isOpen(kNotas);
  bool ok = jaAberta || store::ABERTURA(ctx, kNotas);
  if (ok) ok = copiaNotas(ctx, cpf);
  if (!jaAberta) ctx.areas.release(kNotas);
  if (ok) {
    ctx.areas.select(kCopiaNotas);
    ctx.areas.table(kCopiaNotas)->goTop();
    // Only looked through: the copy goes nowhere afterwards, so it takes no typing. The
    // taxpayer prompt has no notes page under it: the list comes in its own frame (mode 1).
    grid::EDITA(ctx, g, grid::Tela::Notas, 1, grid::Uso::Leitura);
  } else {
    // The table or this terminal's copy of it is held elsewhere.
    console::AVISOSN(ctx, "Terminal com esse nro aberto em outro local", 0);
  }
  // The copy is only a view of the notes: nothing in it is written back, and the next
  // declaration opened makes it anew.
  ctx.areas.release(kCopiaNotas);
  ctx.areas.select(kRegistro);
}

}  // namespace screens
