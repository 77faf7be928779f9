#include "shell/exportacao.h"

#include "export/lote.h"
#include "rt/text/strings.h"

namespace shell {

exporta::PedidoExportacao pedidoExportacao(const Program& p) {
  exporta::PedidoExportacao pedido;
  pedido.LOCIRPF = p.LOCIRPF;
  pedido.OPCAO_1 = p.OPCAO_1;
  return pedido;
}

bool exportaDeclaracao(Program& p, Declara& d) {
  return exporta::PREPARA(p, d.dec, pedidoExportacao(p)) == exporta::ResultadoExportacao::Transferida;
}

ServicosDeclara servicosComExportacao() {
  ServicosDeclara s;
  s.exporta = exportaDeclaracao;
  return s;
}

bool transfereLote(Program& p, const store::MarcaContribuintes& marca) {
  exporta::TRANSFERE_LOTE(p, p.OPCAO_1, marca, [&p](const std::string& cpf) {
    p.CPF = cpf;
    DECLARA(p, servicosComExportacao());
  });
  return true;
}

}  // namespace shell
