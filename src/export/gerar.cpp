#include "export/gerar.h"

#include "export/arquivo.h"
#include "export/totais.h"

namespace exporta {

namespace {

// The sections from `contribuinte` to `doacoes` (MANDA_JAVA), appended after the payments,
// item by item for assets and debts, and at the end.
bool MANDA_JAVA(TextoXml& x, const DadosDeclaracao& dados, const Confirma& confirma, const Anexa& anexa) {
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
  if (!anexa(x.leva()) || !bensEDividas(s, anexa)) return false;
  espolio(s);
  resumo(s);
  comparativo(s);
  doacoes(s);
  return true;
}

void complemento(const std::function<void(TextoXml&, const DadosDeclaracao&)>& secao, TextoXml& x,
                 const DadosDeclaracao& dados) {
  if (secao) secao(x, dados);
}

}  // namespace

bool escreveDeclaracao(const DadosDeclaracao& dados, const Confirma& confirma, const Complementos& complementos,
                       const Anexa& anexa) {
  TextoXml x;
  x.str() = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
  x.abre("classe").a("classeJava", "serpro.ppgd.irpf.DeclaracaoIRPF").a("xmlns", kNamespaceDeclaracao).fim();
  if (!MANDA_JAVA(x, dados, confirma, anexa)) return false;
  complemento(complementos.rendaVariavel, x, dados);
  if (!anexa(x.leva())) return false;
  complemento(complementos.atividadeRural, x, dados);
  if (!anexa(x.leva())) return false;
  complemento(complementos.ganhosDeCapital, x, dados);
  complemento(complementos.moedaEstrangeira, x, dados);
  if (!anexa(x.leva())) return false;
  complemento(complementos.copiaIdentificador, x, dados);
  x.fecha("classe");
  return anexa(x.leva());
}

int GERAR(const std::string& caminho, const DadosDeclaracao& dados, const Confirma& confirma,
          const Complementos& complementos) {
  ArquivoSaida arquivo;
  if (const rt::Status s = arquivo.cria(caminho); !s) return codigoDos(s, caminho);
  rt::Status erro;
  const bool escreveu = escreveDeclaracao(dados, confirma, complementos, [&](std::string_view texto) {
    erro = arquivo.anexa(texto);
    return erro.isOk();
  });
  if (!escreveu) return codigoDos(erro, caminho);
  return codigoDos(arquivo.fecha(), caminho);
}

}  // namespace exporta
