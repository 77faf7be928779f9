#include "export/lote.h"

#include "console/alerta.h"
#include "console/molduras.h"
#include "console/mensagens.h"
#include "rt/db/table.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace exporta {

namespace {

using namespace rt::text::literals;

constexpr store::Area kCadastro = store::Area::IMP0910;

// Esc typed while a batch runs asks whether to stop it.
bool abandona(store::Contexto& ctx) {
  if (!ctx.console.keyWaiting()) return false;
  if (ctx.console.inkey(std::chrono::milliseconds(0)).code != rt::term::key::Esc) return false;
  return console::MENS(ctx, console::mens::Escolha, "Abandona a transferência dos dados? "_cp, {.teclas = "SN"}) == "S";
}

}  // namespace

void TRANSFERE_LOTE(store::Contexto& ctx, int item, const store::MarcaContribuintes& marca,
                    const std::function<void(const std::string& cpf)>& declara) {
  if (!store::ABERTURA(ctx, kCadastro)) return;
  if (item == 64) {
    // The marks of the last batch are cleared; the refusal of one is said by the marker.
    if (marca) (void)marca(ctx, store::numero(kCadastro), false);
    ctx.janelas.FECHAJAN(console::Jan::kGrade);
  }
  console::AVISOSN(ctx, {"Evite enviar declaracoes com o IRPF da Receita aberto",
                         "O programa aceita, mas podem causar problemas"}, 0);
  rt::db::Table* t = ctx.areas.table(kCadastro);
  if (t != nullptr) t->goTop();
  if (t != nullptr && t->status()) {
    while (t != nullptr && t->status() && !t->eof()) {
      if (abandona(ctx)) break;
      if (item != 64 || t->getText("IMPRE") == "S") {
        const std::uint32_t registro = t->recNo();
        console::MTELA3(ctx, console::mtela3::Contribuinte);
        declara(t->getText("CPF"));
        // The driver may have closed the register: back to the same record.
        if (!store::ABERTURA(ctx, kCadastro)) break;
        t = ctx.areas.table(kCadastro);
        if (t == nullptr) break;
        t->goTo(registro);
        if (!t->status()) break;
      }
      t->skip(1);
      if (!t->status()) break;
    }
  }
  if (t != nullptr) t->goTop();
  ctx.janelas.FECHAJAN(console::Jan::kTela);
  ctx.TAM_OLD = 0;
}

}  // namespace exporta
