#include "shell/impressao_registro.h"

#include <memory>

#include "grid/edita.h"
#include "grid/estado.h"
#include "print/confimp.h"
#include "print/configura.h"
#include "print/darf.h"
#include "print/darf_dialogo.h"
#include "print/imp_txt.h"
#include "shell/declara.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/estatus.h"

namespace shell {

namespace {

// The status column of the marking grids 46 and 47.
class StatusDaMarca final : public grid::ServicosGrade {
 public:
  std::string VE_STAT(store::Contexto& ctx, int estatus, int pos) override {
    return store::VE_STAT(ctx, estatus, pos);
  }
};

print::ServicosImpressao servicos(Program& p, print::ServicosImpressao s) {
  // One CPF: the declaration driver asks for it (with its pick lists and folder keys) and
  // prints each taxpayer confirmed.
  s.PEDE_CPF = [&p](store::Contexto&, const std::function<bool(const std::string&)>& imprime) {
    ServicosDeclara d;
    d.impressao = [&imprime](Program& q, Declara&) { return imprime(q.CPF); };
    DECLARA(p, d);
  };
  // Kind 5: the slips, after the dialog of the job's first taxpayer.
  s.DARF = print::servicoDarf([&p] { return escolhasDeImpressao(p); }, print::dialogoDarf(p.glob.DAT_VENC));
  s.MARCA = [](store::Contexto& ctx, int tela) {
    store::seleciona(ctx.areas, store::Area::IMP0910);
    grid::Grade g;
    StatusDaMarca st;
    g.servicos = &st;
    grid::EDITA(ctx, g, tela);
  };
  return s;
}

}  // namespace

print::Escolhas escolhasDeImpressao(const Program& p) {
  print::Escolhas e;
  e.QUEIMP = p.QUEIMP;
  e.QUEMOD = p.cfg.QUEMOD;
  e.QUEPAG = p.cfg.QUEPAG;
  e.QUECON = p.cfg.QUECON;
  e.NRO_VIAS = p.NRO_VIAS;
  e.MOSIMP = p.cfg.MOSIMP;
  e.MOSTEL = p.cfg.MOSTEL;
  e.MOSCPF = p.cfg.MOSCPF;
  return e;
}

std::shared_ptr<print::Impressao> registraImpressao(Program& p, const print::ServicosImpressao& base) {
  auto imp = std::make_shared<print::Impressao>();
  p.CRIA_SEQ = [imp](Program& q) { return print::CRIA_SEQ(q, *imp, q.env); };
  p.funcoes[51] = [imp, base](Program& q) {
    print::SELECIONA(q, *imp, escolhasDeImpressao(q), servicos(q, base), q.env);
    if (!q.CPF.vazio()) q.cfg.ULT_CPF = q.CPF;
    return rt::Status();
  };
  // The printer set-up of the print menu; the model list is grid screen 33.
  p.funcoes[45] = [imp](Program& q) {
    print::CONFIMP(
        q, *imp,
        [](store::Contexto& ctx) {
          grid::Grade g;
          grid::EDITA(ctx, g, grid::Tela::Impressoras);
        },
        q.env);
    return rt::Status();
  };
  p.funcoes[52] = [imp, base](Program& q) {
    print::PedidoImpTxt pedido;
    pedido.MOSTEL = q.cfg.MOSTEL;
    pedido.MOSIMP = q.cfg.MOSIMP;
    // The copy under the taxpayer's CPF, and so the e-mail offer, as the terminal's choices
    // ask; a job of several taxpayers is never sent to one of them.
    pedido.QUECON = q.cfg.QUECON;
    pedido.MOSCPF = q.cfg.MOSCPF;
    pedido.enviaEmail = base.enviaEmail;
    const rt::Status impresso = print::IMP_NAODOS(q, *imp, pedido, q.env);
    store::reabre(q, store::Area::IMP0910);
    return impresso;
  };
  return imp;
}

}  // namespace shell
