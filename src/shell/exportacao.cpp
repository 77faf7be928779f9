#include "shell/exportacao.h"

#include "console/recusa.h"
#include "export/lote.h"
#include "rt/text/strings.h"

namespace shell {

exporta::PedidoExportacao pedidoExportacao(const Program& p) {
  exporta::PedidoExportacao pedido;
  pedido.LOCIRPF = p.LOCIRPF;
  pedido.OPCAO_1 = p.OPCAO_1;
  return pedido;
}

rt::Status exportaDeclaracao(Program& p, Declara& d) {
  if (exporta::PREPARA(p, d.dec, pedidoExportacao(p)) == exporta::ResultadoExportacao::Transferida) return {};
  return console::falhaDita(rt::Error::kFailed, "export " + d.dec.espelho.CPF.chave());
}

ServicosDeclara servicosComExportacao() {
  ServicosDeclara s;
  // The driver's actions answer whether they went to their end; the export has said why not.
  s.exporta = [](Program& p, Declara& d) { return exportaDeclaracao(p, d).isOk(); };
  return s;
}

rt::Status transfereLote(Program& p, const store::MarcaContribuintes& marca) {
  exporta::TRANSFERE_LOTE(p, p.OPCAO_1, marca, [&p](const std::string& cpf) {
    p.CPF = cpf;
    DECLARA(p, servicosComExportacao());
  });
  return {};
}

}  // namespace shell
