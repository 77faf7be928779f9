// The backgrounds of the identification (6) and of the summary (7, one for each model).
#include "rt/text/cp860.h"
#include "screens/fundos_desenho.h"

namespace screens {

using namespace rt::text::literals;
using namespace desenho;

Fundo fundoIdentificacao(const EstadoFundo& e) {
  Fundo f = novo(2, 0, 21, 79);
  tituloCentrado(f, 0, " IDENTIFICAÇÃO DO CONTRIBUINTE "_cp);
  int c = rotulo(f, 1, 1, "CPF", "CPF", 14);
  c = rotulo(f, 1, c, "Atividade Rural?", "TEMRURAL", 1);
  rotulo(f, 1, c, "No Brasil?", "ATV_BRASIL", 1);
  rotulo(f, 2, 1, "Nome", "NOMECONTR", 53);
  c = rotulo(f, 3, 1, "Nascimento", "NASCIMENTO", 10);
  c = rotulo(f, 3, c, "Idade", "IDADE", 20);
  // An estate's final declaration names the widow(er) sharing the estate instead.
  rotulo(f, 3, c, e.final ? "Meeiro     " : "Tit.Eleitor", "TITULO", 14);
  c = rotulo(f, 4, 1, e.final ? "Cônjuge       "_cp : "CPF do Cônjuge"_cp, "CPFCONJU", 14);
  c = rotulo(f, 4, c, "Declaração Conjunta?"_cp, "CONJUNTA", 1);
  rotulo(f, 4, c, "Retificadora?", "RETIFICA", 1);
  rotulo(f, 5, 1, "Número do Recibo Anterior"_cp, "NRORECIBO", 15);
  c = rotulo(f, 6, 1, "Ultimo recibo de 2010", "RECIBOATU", 15);
  rotulo(f, 6, c, "Ultimo recibo em 2009", "RECIBOANT", 15);
  c = rotulo(f, 7, 1, "Débito autom.?"_cp, "DEBITAUT", 1);
  c = rotulo(f, 7, c, "Banco", "BANCO", 3);
  c = rotulo(f, 7, c, "Agencia", "AGENCIA", 7);
  rotulo(f, 7, c, "Conta", "CONTACO", 16);
  c = rotulo(f, 8, 1, "Tipo", "TIPOEND", 11);
  c = rotulo(f, 8, c, "Endereço"_cp, "ENDERECO", 37);
  rotulo(f, 8, c, "Novo End.", "NOVOEND", 1);
  c = rotulo(f, 9, 1, "Número"_cp, "NUMERO", 6);
  rotulo(f, 9, c, "Complemento", "COMPLEM", 21);
  c = rotulo(f, 10, 1, "Bairro", "BAIRRO", 20);
  c = rotulo(f, 10, c, "CEP", "CEP", 9);
  rotulo(f, 10, c, "UF", "UF", 2);
  c = rotulo(f, 11, 1, "Município"_cp, "MUNICIPIO", 30);
  c = rotulo(f, 11, c, "Código"_cp, "CODMUNI", 4);
  c = rotulo(f, 11, c, "País"_cp, "CODPAIS", 3);
  rotulo(f, 11, c, "Embaixada", "CODEMB", 3);
  c = rotulo(f, 12, 1, "DDD", "DDDTEL", 4);
  c = rotulo(f, 12, c, "Telefone", "TELEFO", 9);
  rotulo(f, 12, c, "FAX", "NROFAX", 9);
  rotulo(f, 13, 1, "Correio Eletrônico (Email)"_cp, "EMAIL", 40);
  // The nature and occupation lists write the chosen code and name at these places.
  texto(f, 16, 1, "Natureza / Ocupação"_cp);
  campo(f, 17, 6, "CODAT", 2);
  campo(f, 17, 9, "DESCRAT", 58);
  campo(f, 18, 5, "CDPRO", 3);
  campo(f, 18, 9, "OCUPACAO", 62);
  return f;
}

namespace {

struct LinhaResumo {
  std::string_view rotulo;
  std::string_view variavel;
};

Fundo simplificado() {
  Fundo f = novo(2, 12, 21, 55, TerceiraCor::Tel3);
  tituloCentrado(f, 0, " Declaração Simplificada "_cp);
  static const LinhaResumo kLinhas[] = {
      {"Rend.Tributável P.Jurídica do Titular "_cp, "I13_01"},
      {"Rend.Tributável P.Jurídica dependentes "_cp, "I13_02"},
      {"Rend.Tributável P.Física / Exterior "_cp, "I13_0345"},
      {"Rend.Tributável da Atividade Rural "_cp, "I13_06"},
      {"Total dos Rendimentos tributáveis "_cp, "I13_07"},
      {"Desconto Simplificado ", "DESPADRAO"},
      {"Base de Cálculo do Imposto "_cp, "I13_16"},
      {"Imposto devido ", "I13_17"},
      {"Imposto Retido na Fonte do Titular ", "I13_21"},
      {"Imposto Retido na Fonte dependentes ", "I13_22"},
      {"Carnê Leão + Mensalão "_cp, "I13_2324"},
      {"Imposto Lei 11.033/2004 ", "I13_26"},
      {"Saldo do Imposto a pagar ", "I13_28"},
      {"Nro de quotas (até 8) "_cp, "I13_29"},
      {"Valor da quota ", "I13_30"},
      {" Imposto a Restituir ", "I13_31"},
      {"Rendimentos Isentos e Não Tributáveis "_cp, "I13_37"},
      {"Rend. Tributação Exclusiva/Definitiva "_cp, "I13_38"}};
  int r = 1;
  for (const LinhaResumo& l : kLinhas) {
    texto(f, r, 1, l.rotulo);
    campo(f, r, 40, l.variavel, l.variavel == "I13_29" ? 1 : 14);
    ++r;
  }
  divisoria(f, 19);
  int c = rotulo(f, 20, 1, "Simular imposto", "nSImposto", 11);
  rotulo(f, 20, c, "renda", "NSRECEITA", 14);
  return f;
}

Fundo completo(const EstadoFundo& e) {
  Fundo f = novo(1, 0, 22, 79, TerceiraCor::Tel3);
  tituloCentrado(f, 0, e.final ? " Declaração Final de Espólio - Completa "_cp : " Declaração Completa "_cp);
  titulo(f, 1, 8, "RENDIME.TRIBUTAVEIS");
  titulo(f, 1, 52, "IMPOSTO PAGO");
  static const LinhaResumo kEsquerda[] = {
      {"P.Jurídica Titular"_cp, "I13_01"},     {"P.Jurídica Dependentes"_cp, "I13_02"},
      {"P.Física Titular"_cp, "I13_03"},       {"P.Física Dependentes"_cp, "I13_04"},
      {"Do Exterior", "I13_05"},                {"Atividade Rural", "I13_06"},
      {"TOTAL", "I13_07"},                      {"", ""},
      {"Previdência Oficial"_cp, "I13_08"},    {"Previdência Privada"_cp, "I13_09"},
      {"Dependentes", "I13_10"},                {"Instrução"_cp, "I13_11"},
      {"Despesas Médicas"_cp, "I13_12"},       {"Pensão Alimentícia"_cp, "I13_13"},
      {"Livro Caixa", "I13_14"},                {"Total Deduções"_cp, "I13_15"},
      {"BASE DE CALCULO", "I13_16"},            {"IMPOSTO DEVIDO.......", "I13_17"},
      {"Imposto Devido Final", "I13_19"},       {"Saldo a Pagar", "I13_28"}};
  static const LinhaResumo kDireita[] = {
      {"Retido Titular", "I13_21"},        {"Retido Dependentes", "I13_22"},
      {"Carnê-Leão"_cp, "I13_23"},        {"Mensalão"_cp, "I13_24"},
      {"Pago no Exterior", "I13_25"},      {"Imposto Lei 11.033", "I13_26"},
      {"Total Imposto Pago", "I13_27"},    {"", ""},
      {"Bens em 2008", "I13_32"},          {"Bens em 2009", "I13_33"},
      {"Dívidas em 2008"_cp, "I13_34"},   {"Dívidas em 2009"_cp, "I13_35"},
      {"Informação Cônjuge"_cp, "I13_36"}, {"Ganhos de Capital", "I13_39"},
      {"Renda Variável"_cp, "I13_40"},    {"Contrib.Empr.Domést."_cp, "I13_20"},
      {"Incentivos", "I13_18"},            {"", ""},
      {"Imposto a Restituir", "I13_31"},   {"", ""}};
  for (int i = 0; i < 20; ++i) {
    const int r = 2 + i;
    if (!kEsquerda[i].variavel.empty()) {
      texto(f, r, 1, kEsquerda[i].rotulo);
      campo(f, r, 24, kEsquerda[i].variavel, 14);
    }
    if (!kDireita[i].variavel.empty()) {
      texto(f, r, 41, kDireita[i].rotulo);
      campo(f, r, 63, kDireita[i].variavel, 14);
    }
  }
  divisoria(f, 9);
  titulo(f, 9, 8, "DEDUÇÕES"_cp);
  titulo(f, 9, 52, "BENS E DIVIDAS");
  const int q = rotulo(f, 19, 41, "Quotas", "I13_29", 1);
  texto(f, 19, q, "Valor");
  campo(f, 19, 63, "I13_30", 14);
  // The simulation line: the simplified model offered, an extra deduction, the tax to pay.
  int c = rotulo(f, 21, 41, "Simplif.?", "USAPADRAO", 1);
  c = rotulo(f, 22, 1, " Simular: deduções"_cp, "nSDeducao", 10);
  c = rotulo(f, 22, c, "renda", "NSRECEITA", 14);
  rotulo(f, 22, c, "imposto", "nSImposto", 11);
  return f;
}

}  // namespace

Fundo fundoResumo(const EstadoFundo& e) { return e.simplificado ? simplificado() : completo(e); }

}  // namespace screens
