#include "export/secoes_complementos.h"

#include "export/indice.h"

namespace exporta {

namespace {

// Gain operations are the rows of copy 27 other than variable income (TIPO_BEM 4).
bool temOperacoesDeGanho(const DadosDeclaracao& dados) {
  for (const store::RegistroEspelho& r : dados.ganhos)
    if (r.num("TIPO_BEM") != Decimal(4)) return true;
  return false;
}

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
  // The gains section of a declaration with gain operations is written from the values the
  // gains computation stores per operation, which it does not store yet: until it does, only a
  // declaration without gain operations gets its (empty) section.
  c.ganhosDeCapital = [](TextoXml& x, const DadosDeclaracao& dados) {
    if (!temOperacoesDeGanho(dados)) semGanhos(x);
  };
  c.moedaEstrangeira = moedaEstrangeira;
  c.copiaIdentificador = copiaIdentificador;
  return c;
}

}  // namespace exporta
