#include "shell/pastas_grade.h"

#include "console/janelas.h"
#include "grid/edita.h"
#include "grid/estado.h"
#include "grid/validacao.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace shell {

namespace {

// The grid's default services accept every cell unchecked; the folder list needs its own
// check, which reads no declaration.
class ServicosPastas final : public grid::ServicosGrade {
 public:
  bool valida(store::Contexto& ctx, grid::Grade& g, std::string_view nome, rt::ui::Value& valor) override {
    return grid::VALIDA_CELULA(ctx, g, nome, valor);
  }
};

}  // namespace

void MOS_DIR(Program& p) {
  const store::SelecaoGuardada selecao(p.areas);
  // A register not opened is said by the opener; the grid below is shown only when it is open.
  if (!store::aberta(p.areas, store::Area::DIRET)) (void)store::SAI_ABRE(p, store::Area::DIRET);
  if (store::aberta(p.areas, store::Area::DIRET)) {
    // The grid has no frame of its own: what it covered comes back when it closes.
    console::TelaGuardada fundo(p.screen());
    store::seleciona(p.areas, store::Area::DIRET);
    ServicosPastas servicos;
    grid::Grade g;
    g.servicos = &servicos;
    grid::EDITA(p, g, grid::Tela::Pastas);
  }
}

}  // namespace shell
