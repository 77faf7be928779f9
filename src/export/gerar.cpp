#include "export/gerar.h"

#include "export/arquivo.h"
#include "export/totais.h"

namespace exporta {

namespace {

// The sections from `contribuinte` to `doacoes` (MANDA_JAVA), appended after the payments,
// item by item for assets and debts, and at the end.
rt::Status MANDA_JAVA(TextoXml& x, const DadosDeclaracao& dados, const Confirma& confirma, const Anexa& anexa) {
  const Totais t = calculaTotais(dados);
  const Secao s{x, dados, t};
  contribuinte(s);
  conjuge(s);
  rendPJ(s, confirma);
  rendPJComExigibilidade(s);
  rendPF(s);
  rendIsentos(s);
  rendTributacaoExclusiva(s);
  impostoPago(s);
  dependentesEAlimentandos(s);
  pagamentos(s);
  RT_TRY(anexa(x.leva()));
  RT_TRY(bensEDividas(s, anexa));
  espolio(s);
  resumo(s);
  comparativo(s);
  doacoes(s);
  return {};
}

void complemento(const std::function<void(TextoXml&, const DadosDeclaracao&)>& secao, TextoXml& x,
                 const DadosDeclaracao& dados) {
  if (secao) secao(x, dados);
}

}  // namespace

rt::Status escreveDeclaracao(const DadosDeclaracao& dados, const Confirma& confirma, const Complementos& complementos,
                             const Anexa& anexa) {
  TextoXml x;
  x.str() = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
  x.abre("classe").a("classeJava", "serpro.ppgd.irpf.DeclaracaoIRPF").a("xmlns", kNamespaceDeclaracao).fim();
  RT_TRY(MANDA_JAVA(x, dados, confirma, anexa));
  complemento(complementos.rendaVariavel, x, dados);
  RT_TRY(anexa(x.leva()));
  complemento(complementos.atividadeRural, x, dados);
  RT_TRY(anexa(x.leva()));
  complemento(complementos.ganhosDeCapital, x, dados);
  complemento(complementos.moedaEstrangeira, x, dados);
  RT_TRY(anexa(x.leva()));
  complemento(complementos.copiaIdentificador, x, dados);
  x.fecha("classe");
  return anexa(x.leva());
}

int GERAR(const std::string& caminho, const DadosDeclaracao& dados, const Confirma& confirma,
          const Complementos& complementos) {
  ArquivoSaida arquivo;
  if (const rt::Status s = arquivo.cria(caminho); !s) return codigoDos(s, caminho);
  if (const rt::Status s = escreveDeclaracao(dados, confirma, complementos,
                                             [&](std::string_view texto) { return arquivo.anexa(texto); });
      !s)
    return codigoDos(s, caminho);
  return codigoDos(arquivo.fecha(), caminho);
}

}  // namespace exporta
