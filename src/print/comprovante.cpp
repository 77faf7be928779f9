// Sheet 12: the income statements of the paying sources kept for the taxpayer in FOLHAPG of
// the program folder, one page each.
#include "console/alerta.h"
#include "print/escritorio.h"
#include "print/pagina.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/arquivos.h"

namespace print {

using namespace rt::text::literals;
using rt::text::transform;
using rt::text::trim;

namespace {

// Whether the program folder holds the table, its name matched as the data store matches
// every table's file.
bool temFolhaPg(store::Contexto& ctx) {
  const store::TabelaDef* t = store::tabela(store::Area::FOLHAPG);
  return t != nullptr && store::existe(ctx, store::comExtensao(store::arquivoTabela(ctx, *t), ".DBF"));
}

void comprovante(Pagina& p, Impressao& imp, const rt::db::Table& t, const std::string& cpf, const std::string& nome,
                 const std::string& responsavel, rt::text::Date hoje) {
  auto valor = [&p, &t](std::string_view rotulo, const char* campo, std::string_view texto = {}) {
    p.diz(0, rotulo);
    if (!texto.empty()) p.diz(12, texto);
    p.valor(60, t.getNumber(campo));
    p.avanca();
  };
  auto secao = [&p, &imp](std::string_view titulo) {
    p.linha(0, imp.LIN_DIV1);
    p.linha(0, titulo);
    p.linha(0, imp.LIN_DIV1);
  };
  p.linha(0, "MINISTERIO DA FAZENDA                    COMPROVANTE DE RENDIMENTOS PAGOS E DE");
  p.linha(41, "RETENCAO DE IMPOSTO DE RENDA NA FONTE");
  p.linha(0, "SECRETARIA DA RECEITA FEDERAL                        ANO CALENDARIO 2009        ");
  secao("1. FONTE PAGADORA PESSOA JURIDICA OU PESSOA FISICA");
  p.diz(0, trim(t.getText("NOMEFONTE")));
  p.linha(55, t.getText("CNPJFONTE"));
  secao("2. PESSOA FISICA BENEFICIARIA DOS RENDIMENTOS");
  p.diz(0, transform(cpf, kCpf));
  p.linha(20, nome);
  p.diz(0, "NATUREZA DO RENDIMENTO");
  p.linha(25, "Rendimento do trabalho assalariado");
  secao("3. RENDIMENTO TRIBUTAVEIS, DEDUCOES E IMPOSTO RETIDO NA FONTE         EM REAIS");
  valor("01. Total dos Rendimentos (inclusive Férias)"_cp, "RENDIMENT");
  valor("02. Contribuicao Previdenciaria Oficial", "PREVOFICA");
  valor("03. Contribuicao Previdenciaria privada ou FAPI", "PREVPRIVA");
  valor("04. Pensao Alimenticia -Informar nome beneficiario em (6)", "PENSAOPAG");
  valor("05. Imposto Retido na Fonte", "IRRETIDO");
  secao("4. RENDIMENTO ISENTOS E NAO TRIBUTAVEIS                               EM REAIS");
  valor("01. Parcela isenta de aposentadoria", "ISENTOAPO");
  valor("02. Diarias e ajuda de custo", "DIARIAS");
  valor("03. Pensao e proventos por molestia grave", "PENSAOREC");
  valor("04. Lucros e dividendos", "LUCRODIV");
  valor("05. Valores pagos ao socio ou titular", "SOCIO");
  valor("06. Indenizacoes por rescisao", "IDENIZA");
  valor("07. Outros", "VALOUTRO", trim(t.getText("OUTROS")));
  secao("5. RENDIMENTO SUJEITOS A TRIBUTACAO EXCLUSIVA                         EM REAIS");
  valor("01. Decimo terceiro salario", "DECIMO3RO");
  valor("02. Outros", "VALOUTRE", trim(t.getText("OUTROSEXC")));
  secao("6. INFORMACOES COMPLEMENTARES");
  p.diz(0, "01.");
  p.linha(4, trim(t.getText("COMPLENTA")));
  imp.QLIN += 4;
  secao("7. RESPONSAVEL PELAS INFORMACOES");
  p.linha(0, "Nome                                       Data            Assinatura");
  p.diz(0, trim(responsavel));
  p.diz(43, rt::text::dtoc(hoje));
  p.linha(59, "Dispensa assinatura de");
  p.linha(59, "acordo c/IN/SRF 120/00");
  p.linha(0, imp.LIN_DIV1);
}

}  // namespace

void FAZ_COMPROV(store::Contexto& ctx, Impressao& imp, const std::string& CNOMERES) {
  if (!temFolhaPg(ctx)) {
    console::AVISOSN(
        ctx, {"Nao foi criado ainda o Arquivo nesta Pasta!", "Para criá-lo vá em conversao/comprovante."_cp},
        0);
    return;
  }
  const rt::db::Table* reg = ctx.areas.table(store::Area::IMP0910);
  if (reg == nullptr || !store::ABERTURA(ctx, store::Area::FOLHAPG)) return;
  const std::string cpf = reg->getText("CPF");
  const std::string nome(trim(reg->getText("NOMECONTR")));
  rt::db::Table& t = *ctx.areas.table(store::Area::FOLHAPG);
  Pagina p(imp);
  p.normal();
  bool primeiro = true;
  for (bool ok = t.seek(cpf).isOk() && t.found(); ok && !t.eof() && t.getText("CPF") == cpf; t.skip(1), ok = t.status().isOk()) {
    if (t.isDeleted()) continue;
    if (!primeiro) p.quebra();
    primeiro = false;
    comprovante(p, imp, t, cpf, nome, CNOMERES, ctx.clock.now().date);
  }
  ctx.areas.release(store::Area::FOLHAPG);
  ctx.areas.select(store::Area::IMP0910);
}

}  // namespace print
