#include "console/menu_impressao.h"

#include "rt/text/cp860.h"

namespace console {
namespace {

using namespace rt::text::literals;

std::string s(std::string_view t) {
  return std::string(t);
}

}  // namespace

PassoImpressao passoImpressao(int passo, int tipo, const std::string& nusu) {
  switch (passo) {
    case 2:
      if (tipo == 5)
        return {"FB",
                {s("Imprime no formulário contínuo próprio para DARF"_cp),
                 s("Imprime no formulário branco comum"_cp)},
                3,
                14};
      if (tipo == 12)
        return {"EF",
                {s("Imprime em etiquetas Pimaco modelo 8923MC em formulário contínuo"_cp),
                 s("Imprime em formulário ou folha em branco comum"_cp)},
                3,
                14};
      if (tipo == 14)
        return {"1234",
                {"Etiquetas 116x37mm de 1 coluna e 8 por folha (Pimaco 1023mc)",
                 "Etiquetas 90x24mm de 1 coluna e 12 por folha (Pimaco 8923mc)",
                 "Etiquetas 70x50mm de 2 coluna e 5 por folha", "Etiqueta Pimaco ou similar modelo 8296"},
                5,
                14};
      return {"C", {s("Imprime no formulário branco comum"_cp)}, 2, 14};
    case 3:
      if (tipo < 3)
        return {"TBSA12345M",
                {"Imprime todo IR ,malha fina,ganhos de capital e renda variavel",
                 "Imprime todo o IR ,malha fina,g.capital e renda variavel sem o balanco",
                 "Imprime so IR sem o balanco, a malha fina ,ganho e Renda Variavel",
                 "Imprime so IR com o balanco e sem a malha fina",
                 "Imprime os Rendimentos PJ, PFisica, Isentos e Trib. na Fonte",
                 "Imprime os Dependentes e Pagamentos efetuados",
                 s("Imprime a Declaração de Bens, Dívidas, Rendimento conjuge, espólio"_cp),
                 s("Imprime a Identificação, Cálculo do imposto e Balanço"_cp),
                 s("Imprime a Identificação, Cálculo do imposto "_cp),
                 s("Imprime a MALHA FINA - Relatório com os todas as receitas e despesas"_cp)},
                11,
                19};
      if (tipo == 3)
        return {"T12",
                {"Imprime toda a Atividad Rural", "Imprime a pagina 1 da Atividade RUral",
                 "Imprime a pagina 2 da Atividade Rural"},
                4,
                11};
      return {"F", {"Imprime conforme selecao do item anterior"}, 2, 11};
    case 4:
      return {"IVTD",
              {"Permite a selecionar apenas um contribuinte",
               s("Seleciona vários contribuintes de uma lista apresentada"_cp),
               s("Imprime todo o cadastro do diretório atual"_cp),
               s("Imprime o cadastro de todos os diretórios da lista do terminal "_cp) + nusu},
              5,
              12};
    default:
      // Fourteen options and thirteen letters: the last one (labels) has no hot letter.
      return {
          "IDaxGRPALSCrd",
          {s("Imprime a Declaração no Lay out da Receita"_cp),
           s("Imprime a Declaração no Lay out da VESK"_cp), "Imprime a Atividade Rural",
           "Imprime o Livro caixa Rural", "Imprime DARFs ",
           s("Imprime o Demostrativo da Apuração dos Ganhos de Capital "_cp),
           s("Imprime a Renda Variável "_cp), "Imprime Carta personalizada para os clientes",
           s("Imprime as Anotações especiais "_cp), "Imprime o Livro Caixa",
           s("Imprime o valores a cobrar pelo serviço realizado"_cp), "Imprime o cadastro de contribuintes",
           "Imprime os comprovantes de rendimento", "Imprime etiquetas para identificar o disquete"},
          15,
          19};
  }
}

}  // namespace console
