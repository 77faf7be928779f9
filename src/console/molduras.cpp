#include "console/molduras.h"

#include <algorithm>

#include "console/menu_impressao.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace console {
namespace {

using namespace rt::text::literals;

enum class Cores { Normal, Enche, Sobre, Invertida };

// A frame's window, colours and the grid of its text, sized by its type: type 0 and 7 frames
// draw their own box as text; type 1 text lies inside the box the window draws; type 2 keeps
// a grid of the whole rectangle and draws only its inside.
Moldura base(const Contexto& ctx, Jan janela, int top, int left, int altura, int largura, int tipo,
             Cores cores = Cores::Normal, TabelaPosicao tabela = TabelaPosicao::Dialogo) {
  Moldura m;
  m.janela = janela;
  m.top = top;
  m.left = left;
  m.altura = altura;
  m.largura = largura;
  m.tipo = tipo;
  m.tabela = tabela;
  const auto& c = ctx.cores;
  m.cor1 = c.COR_TEL1;
  m.cor2 = c.COR_TEL2;
  m.cor3 = c.COR_TEL3;
  if (cores == Cores::Enche) m.cor3 = c.COR_ENCHE;
  if (cores == Cores::Sobre) m.cor1 = c.COR_ENCHE, m.cor3 = c.COR_TEL2;
  if (cores == Cores::Invertida) m.cor1 = c.COR_TEL2, m.cor2 = c.COR_TEL1;
  switch (tipo) {
    case 0:
      m.quadro = Quadro(altura + 1, largura + 1);
      m.quadro.caixa(0, 0, altura, largura);
      break;
    case 1:
      m.quadro = Quadro(altura - 1, largura - 1);
      break;
    case 7:
      m.quadro = Quadro(altura + 1, largura - 1);
      m.quadro.caixa(0, 0, altura, largura - 2);
      break;
    default:
      m.quadro = Quadro(altura + 1, largura + 1);
      break;
  }
  return m;
}

// Options one per line from (primeira, coluna) of the grid; the menu's arguments follow.
void opcoes(Moldura& m, int primeira, int coluna, const std::vector<std::string_view>& itens) {
  int largura = 0;
  for (std::size_t i = 0; i < itens.size(); ++i) {
    m.quadro.escreve(primeira + static_cast<int>(i), coluna, itens[i]);
    largura = std::max(largura, static_cast<int>(itens[i].size()));
  }
  // Window rows and columns count from 1 at the corner.
  m.itens = ItensMoldura{m.janela, static_cast<int>(itens.size()), coluna + 1, largura, primeira};
}

// A caption on a box's top edge, in colour 3.
void titulo(Moldura& m, int linha, int coluna, std::string_view t) {
  m.quadro.escreve(linha, coluna, t, 3);
}

// Two boxes one under the other, each with its caption and one field line.
void caixasPasta(Moldura& m, std::string_view cap1, std::string_view cap2) {
  const int w = m.quadro.colunas() - 1;
  m.quadro = Quadro(m.quadro.linhas(), m.quadro.colunas());
  for (int b = 0; b < 2; ++b) {
    const int r = b * 3;
    m.quadro.caixa(r, 0, r + 2, w);
    titulo(m, r, 2, std::string("Drive e a Pasta") + std::string(b == 0 ? cap1 : cap2));
    m.quadro.campo(r + 1, 1, w - 1, b == 0 ? cap1 : cap2);
  }
}

std::optional<Moldura> molduraMtela1(const Contexto& ctx, int n, const ArgsMoldura& a) {
  switch (n) {
    case 2: {
      Moldura m = base(ctx, Jan::kTela, 3, 37, 16, 21, 0);
      m.quadro.escreve(1, 1, "CPF  Original");
      m.quadro.campo(2, 3, 14, "CPF  Original");
      m.quadro.escreve(3, 1, "CPF  Destino");
      m.quadro.campo(4, 3, 14, "CPF  Destino");
      m.quadro.divisoria(5, 0, 21);
      m.quadro.escreve(6, 1, "Copiar", 3);
      opcoes(m, 7, 2,
             {"Toda a declaração"_cp, "Declaração de Bens"_cp, "Livro Caixa", "Rendime. PJurídica"_cp,
              "Pagamentos", "Atividade Rural", "Bens/dividas MOL", "livro Caixa rural", "Imoveis Rurais"});
      return m;
    }
    case 3: {
      Moldura m = base(ctx, Jan::kTela, 12, 37, 5, 15, 0);
      m.quadro.escreve(1, 1, "CPF  Original");
      m.quadro.campo(2, 1, 14, "CPF  Original");
      m.quadro.escreve(3, 1, "Novo  CPF");
      m.quadro.campo(4, 1, 14, "Novo  CPF");
      return m;
    }
    case 4: {
      Moldura m = a.variante == 1 ? base(ctx, Jan::kTela, 11, 1, 5, 77, 0) : base(ctx, Jan::kTela, 6, 38, 5, 41, 0);
      if (a.variante == 2)
        caixasPasta(m, "Origem   ", "Destino  ");
      else
        caixasPasta(m, "  Atual  ", "  Novo   ");
      return m;
    }
    case 5: {
      Moldura m = base(ctx, Jan::kTela, 14, 37, 5, 19, 0);
      opcoes(m, 1, 2, {"Config. emitente", "Prepara Boletos", "Gera o Arquivo"});
      return m;
    }
    case 6: {
      Moldura m = base(ctx, Jan::kTela, 14, 37, 5, 18, 0);
      opcoes(m, 1, 2, {"Configura Email", "Prepara o Email", "Envia o Email"});
      return m;
    }
    case 7: {
      // A box around the month grid (rows 5-19, columns 10-42: the month, the reais and the
      // dollars), with the hint on the row under the grid.
      Moldura m = base(ctx, Jan::kSubdialogo, 4, 9, 17, 34, 2);
      m.quadro.escreve(16, 3, "Alt B=Busca valor");
      return m;
    }
    case 9: {
      Moldura m = base(ctx, Jan::kSobre, 6, 20, 6, 40, 0, Cores::Sobre);
      static constexpr std::string_view arte[3] = {"╔╦╗╔═╗╦  ╦╦═╗╔═╗╔╗╔"_cp, " ║ ╠═╣╚╗╔╝╠╦╝║╣ ║║║"_cp,
                                                   " ╩ ╩ ╩ ╚╝ ╩╚═╚═╝╝╚╝"_cp};
      for (int i = 0; i < 3; ++i)
        m.quadro.escreve(1 + i, (41 - static_cast<int>(arte[i].size())) / 2, arte[i], 2);
      const std::string terminal = "Terminal " + ctx.NUSU;
      const int c = (41 - static_cast<int>(terminal.size())) / 2;
      m.quadro.escreve(4, c, terminal);
      m.quadro.campo(4, c + 9, 2, "Terminal");
      const std::string versao = std::string("Versão "_cp) + a.versao;
      m.quadro.escreve(5, std::max((41 - static_cast<int>(versao.size())) / 2, 1), versao);
      return m;
    }
    case 10: {
      Moldura m = base(ctx, Jan::kSubdialogo, 12, 10, 7, 57, 1);
      Quadro& q = m.quadro;
      q.escreve(0, 0, " Informaçoes sobre o Encerramento do Espólio"_cp, 3);
      if (a.judicial) {
        q.rotuloCampo(1, 0, "Nro. do processo judicial", 25);
        int c = q.rotuloCampo(2, 0, "Vara Cível"_cp, 12);
        c = q.rotuloCampo(2, c, "Comarca", 14);
        q.rotuloCampo(2, c, "UF", 2);
        q.rotuloCampo(3, 0, "Data da decisão judicial da partilha"_cp, 10);
        q.rotuloCampo(4, 0, "Data do trânsito em julgado da decisão"_cp, 10);
      } else {
        q.rotuloCampo(1, 0, "Nome Cartorio", 40);
        int c = q.rotuloCampo(2, 0, "Municipio", 36);
        q.rotuloCampo(2, c, "UF", 2);
        c = q.rotuloCampo(3, 0, "Livro", 7);
        c = q.rotuloCampo(3, c, "Folhas", 7);
        q.rotuloCampo(3, c, "CNPJ", 18);
        q.rotuloCampo(4, 0, "Data da Lavratura", 10);
      }
      q.rotuloCampo(5, 0, "Ano do óbito"_cp, 4);
      return m;
    }
    case 11: {
      // Beside the field being converted: one row below the cursor, or six rows above it
      // when the cursor is on row 18 or below; 20 columns to its left, at most to column 0.
      const rt::term::Screen& tela = ctx.console.screen();
      const int r = tela.cursorRow(), c = tela.cursorCol();
      Moldura m = base(ctx, Jan::kSubdialogo, r >= 18 ? r - 6 : r + 1, std::max(c - 20, 0), 6, 23, 7, Cores::Invertida);
      titulo(m, 0, 9, "$US");
      m.quadro.rotuloCampo(1, 2, "R$ ", 14);
      m.quadro.rotuloCampo(2, 2, "US$", 14);
      m.quadro.rotuloCampo(3, 2, "Mês"_cp, 2);
      return m;
    }
    case 12: {
      Moldura m = base(ctx, Jan::kTela, 13, 37, 10, 19, 0);
      opcoes(m, 1, 2,
             {"declaracao Bens", "declar. Dividas", "Pagamentos", "Cadastro", "Bens Rurais", "diVidas Rurais",
              "Imoveis Rurais"});
      return m;
    }
    default:
      return std::nullopt;
  }
}

std::optional<Moldura> molduraMtela2(const Contexto& ctx, int n, const ArgsMoldura&) {
  switch (n) {
    case 1:
      // An empty box where frame 1 last stood.
      return base(ctx, Jan::kSubdialogo, ctx.ALJA[1], ctx.ACJA[1], 16, 44, 1);
    case 2: {
      Moldura m = base(ctx, Jan::kSubdialogo, 14, 42, 3, 24, 1);
      m.quadro.escreve(0, 0, " Mês "_cp, 3);
      m.quadro.campo(0, 6, 2, "Mês"_cp);
      m.quadro.escreve(0, 8, "/");
      m.quadro.campo(0, 9, 4, "Ano");
      m.quadro.escreve(1, 1, "Selic        %");
      m.quadro.campo(1, 7, 6, "Selic");
      return m;
    }
    case 6: {
      Moldura m = base(ctx, Jan::kTela, 7, 37, 8, 25, 0);
      Quadro& q = m.quadro;
      q.escreve(1, 1, "Valor a Cobrar", 3);
      q.escreve(2, 2, "Por Minuto");
      q.campo(2, 14, 10, "Por Minuto");
      q.escreve(3, 2, "Por KByte");
      q.campo(3, 14, 10, "Por KByte");
      q.escreve(4, 2, "Mínimo"_cp);
      q.campo(4, 14, 10, "Mínimo"_cp);
      q.divisoria(5, 0, 25);
      q.escreve(6, 1, "Contador do tempo", 3);
      q.escreve(7, 1, "Desligar após      min."_cp);
      q.campo(7, 16, 2, "Desligar após"_cp);
      return m;
    }
    case 9: {
      Moldura m = base(ctx, Jan::kSubdialogo, 8, 37, 5, 19, 0, Cores::Normal, TabelaPosicao::Forma);
      opcoes(m, 1, 2, {"Alterar situação"_cp, "Cadastrar status"});
      return m;
    }
    case 10:
    case 11: {
      Moldura m = base(ctx, n == 10 ? Jan::kDialogo : Jan::kSubdialogo, 5, 13, 7, 66, 0);
      Quadro& q = m.quadro;
      q.escreve(1, 38, "Informado", 3);
      q.escreve(1, 53, "Calculado", 3);
      static constexpr std::string_view linhas[4] = {
          "Bens de pequeno valor", "Unico imóvel nos últimos 5 anos"_cp,
          "Outros bens imóveis(Valor redução)"_cp, "Moeda extrangeira em espécie"_cp};
      for (int i = 0; i < 4; ++i) {
        q.escreve(2 + i, 1, linhas[i]);
        q.campo(2 + i, 36, 14, std::string(linhas[i]) + " Informado");
        q.campo(2 + i, 51, 14, std::string(linhas[i]) + " Calculado");
      }
      q.escreve(6, 1, "Totais.....");
      q.campo(6, 36, 14, "Totais Informado");
      q.campo(6, 51, 14, "Totais Calculado");
      return m;
    }
    default:
      return std::nullopt;
  }
}

std::optional<Moldura> molduraMtela3(const Contexto& ctx, int n, const ArgsMoldura&) {
  switch (n) {
    case 1: {
      Moldura m = base(ctx, Jan::kDialogo, 7, 19, 3, 17, 1);
      opcoes(m, 0, 1, {"Fazer a cópia"_cp, "Recuperar cópia"_cp});
      return m;
    }
    case 2: {
      Moldura m = base(ctx, Jan::kDialogo, 11, 3, 6, 73, 1, Cores::Normal, TabelaPosicao::Forma);
      Quadro& q = m.quadro;
      int c = q.rotuloCampo(0, 0, "Código"_cp, 5);
      q.rotuloCampo(0, c, "Conta", 50);
      q.rotuloCampo(1, 0, "Desc./Nome", 60);
      c = q.rotuloCampo(2, 0, "Valor", 13);
      q.rotuloCampo(2, c + 1, "CPF/CNPJ", 18);
      c = q.rotuloCampo(3, 0, "do mês"_cp, 2);
      c = q.rotuloCampo(3, c, "até o mês"_cp, 2);
      q.rotuloCampo(3, c + 1, "CPF Dependente", 14);
      return m;
    }
    case 3:
    case 13: {
      // The taxpayer heading (also frame 3 of MTELA13, which names the folder differently).
      Moldura m = base(ctx, Jan::kTela, 17, 4, 6, 71, 0, Cores::Normal, TabelaPosicao::Forma);
      m.quadro = Quadro(7, 72);
      m.quadro.caixa(0, 1, 2, 16);
      titulo(m, 0, 3, "C P F");
      m.quadro.campo(1, 2, 14, "C P F");
      // The box holds the register's whole name (53 characters), which the declaration writes
      // from its column 19: a narrower box lost its right border to long names.
      m.quadro.caixa(0, 17, 2, 71);
      titulo(m, 0, 19, "Nome");
      m.quadro.campo(1, 18, 53, "Nome");
      const std::string_view rotulo = n == 3 ? std::string_view("Pasta atual  :") : "Diretório atual:"_cp;
      m.quadro.escreve(3, 2, rotulo);
      m.quadro.campo(3, 19, 50, rotulo);
      return m;
    }
    case 4: {
      Moldura m = base(ctx, Jan::kTela, 17, 32, 5, 47, 1);
      Quadro& q = m.quadro;
      int c = q.rotuloCampo(0, 0, "Banco", 3, 1);
      c = q.rotuloCampo(0, c, "Agencia", 4);
      q.rotuloCampo(0, c, "Conta Corrente", 7);
      q.rotuloCampo(1, 0, "Nome Cedente", 32);
      c = q.rotuloCampo(2, 0, "CNPJ", 18);
      q.rotuloCampo(2, c, "ou CPF", 14);
      q.rotuloCampo(3, 0, "Carteira", 3);
      return m;
    }
    case 5: {
      Moldura m = base(ctx, Jan::kTela, 17, 19, 5, 49, 1);
      Quadro& q = m.quadro;
      int c = q.rotuloCampo(0, 0, "CPF", 14);
      q.rotuloCampo(0, c, "Sacado", 21);
      c = q.rotuloCampo(1, 0, "Vencimento", 10);
      q.rotuloCampo(1, c, "Valor", 14);
      c = q.rotuloCampo(2, 0, "Doc", 10);
      q.rotuloCampo(2, c, "Nosso Nro.", 12);
      return m;
    }
    case 6: {
      Moldura m = base(ctx, Jan::kDialogo, 19, 3, 4, 74, 1);
      Quadro& q = m.quadro;
      q.rotuloCampo(0, 0, "Servidor de saida (SMTP):", 40);
      int c = q.rotuloCampo(1, 0, "Nome  do usuario:", 30);
      q.rotuloCampo(1, c, "Senha:", 15);
      c = q.rotuloCampo(2, 0, "Email do usuario:", 35);
      q.rotuloCampo(2, c, "Memorizar senha", 1);
      return m;
    }
    case 7: {
      Moldura m = base(ctx, Jan::kDialogo, 19, 3, 4, 68, 1);
      Quadro& q = m.quadro;
      int c = q.rotuloCampo(0, 0, "CPF:", 14);
      q.rotuloCampo(0, c, "Para:", 40);
      q.rotuloCampo(1, 0, "Assunto:", 50);
      c = q.rotuloCampo(2, 0, "Anexar :", 28, 1);
      c = q.rotuloCampo(2, c, "Pendencias", 1, 1);
      q.rotuloCampo(2, c, "Texto Editado", 1);
      return m;
    }
    case 10: {
      Moldura m = base(ctx, Jan::kTela, 3, 18, 7, 13, 0, Cores::Normal, TabelaPosicao::Forma);
      opcoes(m, 1, 2, {"Lançar"_cp, "Transferir", "Visualizar", "Modificar"});
      return m;
    }
    default:
      return std::nullopt;
  }
}

std::optional<Moldura> molduraMtela4(const Contexto& ctx) {
  Moldura m = base(ctx, Jan::kDialogo, 12, 42, 5, 18, 0, Cores::Normal, TabelaPosicao::FormaAtual);
  // The marker of ESC_ITEM goes in window column 18, just inside the right edge.
  opcoes(m, 1, 2, {"Automático"_cp, "Manual (Alt W)", "Só no Final"_cp});
  return m;
}

std::optional<Moldura> molduraMtela5(const Contexto& ctx, int n, const ArgsMoldura& a) {
  switch (n) {
    case 1:
      return base(ctx, Jan::kDialogo, 3, 1, 13, 78, 0, Cores::Enche);
    case 3:
      return base(ctx, Jan::kSobreposta, 2, 11, 17, 58, 0);
    case 4:
      return base(ctx, Jan::kTela, 6, 5, 15, 44, 1);
    case 6: {
      // The grid of the expenses lies on rows 8-19 under the note.
      Moldura m = base(ctx, Jan::kDialogo, 2, 10, 19, 63, 0);
      static constexpr std::string_view nota[5] = {
          "Anote o valor MENSAL das despesas que existem normalmente nos",
          "nos bens declarados, mas não obrigatórias serem relacionadas."_cp,
          "O programa irá anualizar e verificar se a receita declarada é"_cp,
          "suficiente para manter esses bens. Tecle ALT B.O TAVREN busca",
          "essas depesas usando 10% do valor do bem. Ajuste-o se errado."};
      for (int i = 0; i < 5; ++i) m.quadro.escreve(1 + i, 1, nota[i]);
      return m;
    }
    case 7: {
      // The folder grid lies on rows 5-16 under the note.
      Moldura m = base(ctx, Jan::kDialogo, 1, 18, 19, 47, 0);
      m.quadro.escreve(1, 2, "Escreva a lista das Pastas  onde poderá ter"_cp);
      m.quadro.escreve(2, 2, "informações para o programa procurar. Assinale"_cp);
      m.quadro.escreve(3, 2, "com a letra S na coluna SEL a pasta atual.");
      return m;
    }
    case 8:
      return base(ctx, Jan::kDialogo, 5, 7, 15, 69, 0);
    case 9: {
      Moldura m = base(ctx, Jan::kTela, 2, 0, std::max(a.nroLin, 1), 79, 0, Cores::Enche);
      Quadro& q = m.quadro;
      if (a.variante == 3) {
        q.rotuloCampo(1, 1, "Especificação"_cp, 60);
        q.rotuloCampo(2, 1, "Nome da Sociedade", 55);
        const int c = q.rotuloCampo(3, 1, "Data da Alienação"_cp, 10);
        q.rotuloCampo(3, c, "CNPJ", 18);
        int c2 = q.rotuloCampo(4, 1, "Cidade", 30);
        c2 = q.rotuloCampo(4, c2, "Estado", 2);
        q.rotuloCampo(4, c2, "% de diferimento", 6);
      } else {
        q.rotuloCampo(1, 1, "Especificação do Bem"_cp, 56);
        q.escreve(2, 1, "Datas", 3);
        int c = q.rotuloCampo(2, 8, "Aquisicao", 10);
        c = q.rotuloCampo(2, c, "Alienacao", 10);
        q.rotuloCampo(2, c, "% de diferimento", 6);
      }
      return m;
    }
    default:
      return std::nullopt;
  }
}

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

std::optional<Moldura> molduraMtela13(const Contexto& ctx, int n, const ArgsMoldura& a) {
  switch (n) {
    case 2: {
      const PassoImpressao p = passoImpressao(ctx.OPCIMP, ctx.QUEIMP, ctx.NUSU);
      Moldura m = base(ctx, Jan::kDialogo, 2, 49, p.altura, p.largura, 1, Cores::Normal, TabelaPosicao::Forma);
      std::vector<std::string_view> linhas;
      for (int i = 0; i < p.altura - 1; ++i)
        linhas.push_back(i < static_cast<int>(a.linhasMenu.size())
                             ? std::string_view(a.linhasMenu[static_cast<std::size_t>(i)])
                             : std::string_view());
      opcoes(m, 0, 0, linhas);
      m.itens->largura = p.largura - 1;
      // The print menu's letters and help lines are its step's.
      m.itens->opcoes = {p.teclas, p.ajuda};
      return m;
    }
    case 3:
      return molduraMtela3(ctx, 13, a);
    case 7: {
      Moldura m = base(ctx, Jan::kSubdialogo, 3, 32, 9, 19, 0, Cores::Normal, TabelaPosicao::Forma);
      m.quadro.escreve(1, 2, "Código do DARF"_cp, 3);
      opcoes(m, 2, 3,
             {"0211  I.Renda", "0190  Carnê Leão"_cp, "4600  G.capital", "6015  R.variável"_cp,
              "5320  Multas", "Darf Qualquer", "Alterar datas"});
      return m;
    }
    case 8: {
      Moldura m = base(ctx, Jan::kSubdialogo, 3, 34, 5, 11, 0, Cores::Normal, TabelaPosicao::Forma);
      m.quadro.escreve(1, 2, "Quotas", 3);
      opcoes(m, 2, 3, {"Só uma"_cp, "Várias"_cp});
      return m;
    }
    case 9: {
      Moldura m = base(ctx, Jan::kDialogo, 7, 18, 17, 47, 0, Cores::Normal, TabelaPosicao::Forma);
      m.quadro.escreve(1, 1, "Escreva a lista dos diretórios onde poderá ter"_cp);
      m.quadro.escreve(2, 1, "informações para o TAVREN procurar.Marque c/ a"_cp);
      m.quadro.escreve(3, 1, "letra S na coluna SEL o diretório atual.      "_cp);
      // The list box: eight lines inside a box.
      m.quadro.caixa(5, 2, 14, 45);
      m.quadro.campo(6, 3, 42, "lista");
      return m;
    }
    default:
      return std::nullopt;
  }
}

std::optional<Moldura> molduraMtela21(const Contexto& ctx, int n, const ArgsMoldura& a) {
  switch (n) {
    case 1: {
      Moldura m = base(ctx, Jan::kDialogo, 2, 0, 19, 78, 0, Cores::Normal, TabelaPosicao::Forma);
      Quadro& q = m.quadro;
      // Left: the heading and the taxpayer; right: the numbered boxes with their values.
      for (int r = 1; r < 10; ++r) q.escreve(r, 39, molduraSimples().substr(7, 1), 2);
      q.escreve(1, 2, "MINISTERIO DA FAZENDA", 3);
      q.escreve(2, 2, "SRF", 3);
      q.escreve(3, 2, "D A R F", 3);
      q.escreve(5, 2, "01-Nome / Telefone");
      q.campo(6, 2, 36, "01-Nome / Telefone");
      q.campo(7, 2, 36, "Telefone");
      static constexpr std::string_view direita[9] = {
          "02-Período de apuração"_cp, "03-Número do CPF/CNPJ"_cp, "04-Código da receita"_cp,
          "05-Nro de referência"_cp,   "06-Data de Vencimento",    "07-Valor do principal",
          "08-Valor da Multa",         "09-Valor dos juros",       "10-Valor Total"};
      for (int i = 0; i < 9; ++i) {
        q.escreve(1 + i, 41, direita[i]);
        q.campo(1 + i, 63, 14, direita[i]);
      }
      q.divisoria(10, 0, 78);
      q.escreve(0, 39, "┬"_cp, 2);
      q.escreve(10, 39, "┴"_cp, 2);
      const int c = q.rotuloCampo(11, 2, "Quota ou mês Inicial"_cp, 2, 4);
      q.rotuloCampo(11, c, "Quota ou mês Final"_cp, 2);
      const int c2 = q.rotuloCampo(12, 2, "Data Pgto.", 10, 4);
      q.rotuloCampo(12, c2, "Prim. dia útil após Vcto"_cp, 10);
      return m;
    }
    case 2:
      return base(ctx, Jan::kDialogo, a.linha, a.coluna, 12, 20, 1);
    case 3: {
      Moldura m = base(ctx, Jan::kDialogo, 9, 18, 9, 21, 1);
      for (int i = 0; i < 8; ++i) m.quadro.rotuloCampo(i, 1, std::to_string(i + 1) + "a quota", 10);
      return m;
    }
    case 5: {
      Moldura m = base(ctx, Jan::kSubdialogo, 9, 20, 5, 22, 7);
      titulo(m, 0, 2, "Imprimir");
      m.quadro.escreve(1, 2, "Todos os status");
      const int c = m.quadro.rotuloCampo(2, 2, "do status", 2, 1);
      m.quadro.rotuloCampo(2, c, "ao", 2);
      return m;
    }
    case 6: {
      Moldura m = base(ctx, Jan::kSubdialogo, 9, 20, 7, 24, 7);
      titulo(m, 0, 2, "Imprimir");
      opcoes(m, 1, 2,
             {"Independe o imposto", "Apenas os isentos", "Somente c/devolução"_cp, "Somente c/Imposto"});
      return m;
    }
    case 7: {
      Moldura m = base(ctx, Jan::kSubdialogo, 9, 20, 4, 22, 7);
      m.quadro.escreve(1, 2, "CPF do Dependente");
      m.quadro.campo(2, 2, 14, "CPF do Dependente");
      return m;
    }
    default:
      return std::nullopt;
  }
}

void guardaPosicao(Contexto& ctx, const Moldura& m, int n) {
  switch (m.tabela) {
    case TabelaPosicao::Dialogo:
      ctx.ALJA[n] = m.top;
      ctx.ACJA[n] = m.left;
      break;
    case TabelaPosicao::Forma:
      ctx.ALJ[n] = m.top;
      ctx.ACJ[n] = m.left;
      break;
    case TabelaPosicao::FormaAtual:
      ctx.ALJ[ctx.NT] = m.top;
      ctx.ACJ[ctx.NT] = m.left;
      break;
    case TabelaPosicao::Ajuda:
      ctx.ALJB[n] = m.top;
      ctx.ACJB[n] = m.left;
      ctx.NTB = n;
      break;
  }
  ctx.NTA = n;
}

}  // namespace

std::optional<Moldura> moldura(const Contexto& ctx, Familia familia, int n, const ArgsMoldura& args) {
  switch (familia) {
    case Familia::MTELA1:
      return molduraMtela1(ctx, n, args);
    case Familia::MTELA2:
      return molduraMtela2(ctx, n, args);
    case Familia::MTELA3:
      return n == 13 ? std::nullopt : molduraMtela3(ctx, n, args);
    case Familia::MTELA4:
      return molduraMtela4(ctx);
    case Familia::MTELA5:
      return molduraMtela5(ctx, n, args);
    case Familia::MTELAVER:
      return molduraMtelaver(ctx, n);
    case Familia::MTELA13:
      return molduraMtela13(ctx, n, args);
    case Familia::MTELA21:
      return molduraMtela21(ctx, n, args);
  }
  return std::nullopt;
}

void desenhaMoldura(Contexto& ctx, Familia familia, int n, const ArgsMoldura& args) {
  std::optional<Moldura> m = moldura(ctx, familia, n, args);
  if (!m) return;
  guardaPosicao(ctx, *m, n);
  Janelas& j = ctx.janelas;
  j.REDEFJAN(m->janela, m->cor1, m->cor2, m->cor3, m->top, m->left, m->top + m->altura, m->left + m->largura,
             m->tipo);
  j.ABREJAN(m->janela);
  if (m->tipo != 2) {
    j.ESCRJAN(m->janela, m->quadro.texto());
    return;
  }
  // The box lies on the corners: only the inside is written, so the text cannot cover it.
  const Attr cores[4] = {0, static_cast<Attr>(m->cor1), static_cast<Attr>(m->cor2),
                         static_cast<Attr>(m->cor3)};
  rt::term::Screen& tela = ctx.screen();
  const Quadro& q = m->quadro;
  const std::string texto = q.texto();
  int cor = 1, i = 0;
  for (char ch : texto) {
    if (ch >= 1 && ch <= 3) {
      cor = ch;
      continue;
    }
    const int r = i / q.colunas(), c = i % q.colunas();
    ++i;
    if (r > 0 && r < m->altura && c > 0 && c < m->largura)
      tela.put(m->top + r, m->left + c, std::string_view(&ch, 1), cores[cor]);
  }
}

std::vector<CampoMoldura> camposMoldura(const Contexto& ctx, Familia familia, int n,
                                        const ArgsMoldura& args) {
  std::optional<Moldura> m = moldura(ctx, familia, n, args);
  return m ? m->quadro.campos() : std::vector<CampoMoldura>{};
}

std::optional<ItensMoldura> itensMoldura(const Contexto& ctx, Familia familia, int n,
                                         const ArgsMoldura& args) {
  std::optional<Moldura> m = moldura(ctx, familia, n, args);
  return m ? m->itens : std::nullopt;
}

}  // namespace console
