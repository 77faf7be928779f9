#include "export/secoes_complementos.h"

#include "export/indice.h"

namespace exporta {

namespace {

}  // namespace

void moedaEstrangeira(TextoXml& x, const DadosDeclaracao&) {
  x.abre("moedaEstrangeira").a("totalImpostoPagoSobreGanhosCapital", "0,00").fim();
  x.str() +=
      "<rendAuferidosReais tipoItens=\"serpro.ppgd.irpf.moedaestrangeira.rendreais.ItemDadosRendReais\"/>"
      "<rendAuferidosMoedaEstrangeira tipoItens=\"serpro.ppgd.irpf.moedaestrangeira.rendme.ItemDadosRendME\"/>"
      "<rendAuferidosReaisMoedaEstrangeira "
      "tipoItens=\"serpro.ppgd.irpf.moedaestrangeira.rendreaisme.ItemDadosRendReaisME\"/>"
      "<especie tipoItens=\"serpro.ppgd.irpf.moedaestrangeira.especie.ItemDadosEspecie\"/>"
      "<colecaoDadoConsolidadoGeral tipoItens=\"serpro.ppgd.irpf.moedaestrangeira.DadoConsolidadoGeral\"/>";
  x.fecha("moedaEstrangeira");
}

void semGanhos(TextoXml& x) {
  x.str() +=
      "<ganhosDeCapital totalImpostoPagoSobreGanhosCapital=\"0,00\" totalImpostoRetidoFonteSobreGanhosCapital=\"0,00\">"
      "<bensImoveis tipoItens=\"serpro.ppgd.irpf.ganhosdecapital.bensimoveis.ItemDadosBemImovel\"/>"
      "<bensMoveis tipoItens=\"serpro.ppgd.irpf.ganhosdecapital.bensmoveis.ItemDadosBemMovel\"/>"
      "<participacoesSocietarias tipoItens=\"serpro.ppgd.irpf.ganhosdecapital.psocietarias.ItemDadosPSocietarias\"/>"
      "<declarantes tipoItens=\"serpro.ppgd.irpf.ganhosdecapital.IdentificacaoDeclaranteGCAP\"/>"
      "</ganhosDeCapital>";
}

void copiaIdentificador(TextoXml& x, const DadosDeclaracao& dados) {
  x.str() += "<copiaIdentificador" + IDENTIF(identificadorDe(dados.d)) + "/>";
}

Complementos complementosDaDeclaracao() {
  Complementos c;
  c.rendaVariavel = rendaVariavel;
  c.atividadeRural = atividadeRural;
  c.ganhosDeCapital = ganhosDeCapital;
  c.moedaEstrangeira = moedaEstrangeira;
  c.copiaIdentificador = copiaIdentificador;
  return c;
}

}  // namespace exporta
