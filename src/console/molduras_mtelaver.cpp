// The MTELAVER frames: the declaration's index of pages, the help menu, the property's
// address and the taxpayer's register record.
#include "console/molduras_familias.h"

#include <vector>

#include "rt/text/cp860.h"

namespace console::molduras {

using namespace rt::text::literals;

std::optional<Moldura> molduraMtelaver(const Contexto& ctx, int n) {
  switch (n) {
    case 1: {
      Moldura m = base(ctx, Jan::kSobreposta, 1, 0, 16, 41, 7, Cores::Normal, TabelaPosicao::Ajuda);
      titulo(m, 0, 17, "Indice");
      struct Item {
        std::string_view texto, tecla;
      };
      static constexpr Item itens[13] = {
          {"Fontes pagadoras", "F1"},
          {"Apuração do recolhimento mensal"_cp, "F2"},
          {"Tributados na fonte e rend. isento", "F3"},
          {"Pagamentos efetuados e dependentes", "F4"},
          {"Declaração de bens/ dívida"_cp, "F5"},
          {"Identificação do contribuinte"_cp, "F6"},
          {"Cálculo do imposto"_cp, "F7"},
          {"Ganho de capital", "F8"},
          {"Renda Variável"_cp, "F9"},
          {"Balanço e resumo"_cp, "F10"},
          {"Notas sobre a declaração (ALT+F1)"_cp, "F11"},
          {"Rural (se tiver A.Rural) (ALT+F2)", "F12"},
          {"Sai da declaração"_cp, "ESC"},
      };
      std::vector<std::string_view> textos;
      for (const Item& it : itens) textos.push_back(it.texto);
      opcoes(m, 1, 2, textos);
      for (int i = 0; i < 13; ++i) {
        const std::string_view tecla = itens[i].tecla;
        m.quadro.escreve(1 + i, 39 - static_cast<int>(tecla.size()), tecla);
      }
      for (int i = 0; i < 3; ++i) m.quadro.escreve(1 + i, 2, itens[i].texto.substr(0, 1), 3);
      m.itens->largura = 37;
      return m;
    }
    case 2: {
      Moldura m = base(ctx, Jan::kSobreposta, 1, 10, 7, 11, 7, Cores::Normal, TabelaPosicao::Ajuda);
      m.quadro.escreve(1, 2, "H E L P", 3);
      m.quadro.divisoria(2, 0, 9);
      opcoes(m, 3, 2, {"Geral", "Tela", "Campo", "Funçoes"_cp});
      return m;
    }
    case 3: {
      Moldura m = base(ctx, Jan::kSobreposta, 9, 40, 8, 38, 0, Cores::Normal, TabelaPosicao::Ajuda);
      Quadro& q = m.quadro;
      q.escreve(1, 2, "Dados obrigatórios sobre o imóvel"_cp, 3);
      q.divisoria(2, 0, 38);
      q.rotuloCampo(3, 1, "Ender.", 29);
      const int c = q.rotuloCampo(4, 1, "Nro.", 6);
      q.rotuloCampo(4, c, "Compl.", 13);
      q.rotuloCampo(5, 1, "Bairro", 29);
      const int c2 = q.rotuloCampo(6, 1, "CEP", 9);
      q.rotuloCampo(6, c2, "UF", 2);
      q.rotuloCampo(7, 1, "Município:"_cp, 25);
      return m;
    }
    case 4: {
      Moldura m = base(ctx, Jan::kDialogo, 4, 0, 14, 78, 0, Cores::Enche, TabelaPosicao::Forma);
      Quadro& q = m.quadro;
      int c = q.rotuloCampo(1, 1, "CPF", 14);
      c = q.rotuloCampo(1, c, "DIRPF", 4);
      c = q.rotuloCampo(1, c, "Senha", 8);
      c = q.rotuloCampo(1, c, "Codigo", 8);
      q.rotuloCampo(1, c, "Tem Rural", 1);
      q.rotuloCampo(2, 1, "Nome", 60);
      q.escreve(3, 1, "Idade   anos   meses");
      q.campo(3, 7, 2, "Idade");
      q.campo(3, 13, 2, "meses");
      c = q.rotuloCampo(3, 23, "Nascimento", 10);
      q.rotuloCampo(3, c, "Tit.Eleitor", 14);
      c = q.rotuloCampo(4, 1, "CPF do conjuge", 14);
      c = q.rotuloCampo(4, c, "Declaração Conjunta?"_cp, 1);
      q.rotuloCampo(4, c, "Retificadora?", 1);
      c = q.rotuloCampo(5, 1, "Número do Recibo Anterior"_cp, 12);
      q.rotuloCampo(6, 1, "Ultimo recibo de 2010", 12);
      q.rotuloCampo(6, 38, "Ultimo recibo em 2009", 12);
      q.escreve(7, 1, "No caso de Devolução"_cp, 3);
      c = q.rotuloCampo(7, 23, "Banco", 3);
      c = q.rotuloCampo(7, c, "Agencia", 5);
      c = q.rotuloCampo(7, c, "Conta", 12);
      q.rotuloCampo(7, c, "Tipo", 1);
      c = q.rotuloCampo(8, 1, "Logradouro", 40);
      q.rotuloCampo(8, c, "Novo End.", 1);
      c = q.rotuloCampo(9, 1, "Número"_cp, 6);
      c = q.rotuloCampo(9, c, "Complemento", 21);
      q.rotuloCampo(9, c, "Bairro", 19);
      c = q.rotuloCampo(10, 1, "CEP", 9);
      c = q.rotuloCampo(10, c, "UF", 2);
      q.rotuloCampo(10, c, "Município"_cp, 40);
      c = q.rotuloCampo(11, 1, "Código"_cp, 3);
      c = q.rotuloCampo(11, c, "País"_cp, 30);
      q.rotuloCampo(11, c, "Embaixada", 1);
      c = q.rotuloCampo(12, 1, "DDD", 4);
      c = q.rotuloCampo(12, c, "Telefone", 9);
      q.rotuloCampo(12, c, "FAX", 9);
      q.rotuloCampo(13, 1, "Correio Eletrônico (Email)"_cp, 50);
      return m;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace console::molduras
