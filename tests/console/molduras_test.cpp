#include "console/molduras.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "console/menu_impressao.h"
#include "console/menus.h"
#include "fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace {

using namespace rt::text::literals;
using console::ArgsMoldura;
using console::Familia;
using console::TabelaPosicao;
namespace key = rt::term::key;

struct Caso {
  const char* nome;
  Familia familia;
  int n;
  ArgsMoldura args;
  int janela, top, left, altura, largura, tipo;
  TabelaPosicao tabela;
  std::vector<std::string_view> textos;
};

std::vector<Caso> casos() {
  using F = Familia;
  using T = TabelaPosicao;
  ArgsMoldura v2;
  v2.variante = 2;
  ArgsMoldura v3;
  v3.variante = 3;
  ArgsMoldura jud;
  jud.judicial = true;
  ArgsMoldura sobre;
  sobre.versao = "2010.1 de 30/04/2010";
  ArgsMoldura bem;
  bem.nroLin = 6;
  ArgsMoldura acoes;
  acoes.nroLin = 6;
  acoes.variante = 3;
  ArgsMoldura lista;
  lista.linha = 4;
  lista.coluna = 50;
  return {
      {"MTELA1 2",
       F::MTELA1,
       2,
       {},
       3,
       3,
       37,
       16,
       21,
       0,
       T::Dialogo,
       {"CPF  Original", "CPF  Destino", "Copiar", "Toda a declaração"_cp, "Declaração de Bens"_cp,
        "Livro Caixa", "Rendime. PJurídica"_cp, "Pagamentos", "Atividade Rural", "Bens/dividas MOL",
        "livro Caixa rural", "Imoveis Rurais"}},
      {"MTELA1 3", F::MTELA1, 3, {}, 3, 12, 37, 5, 15, 0, T::Dialogo, {"CPF  Original", "Novo  CPF"}},
      {"MTELA1 4/1",
       F::MTELA1,
       4,
       {},
       3,
       11,
       1,
       5,
       77,
       0,
       T::Dialogo,
       {"Drive e a Pasta  Atual  ", "Drive e a Pasta  Novo   "}},
      {"MTELA1 4/2",
       F::MTELA1,
       4,
       v2,
       3,
       6,
       38,
       5,
       41,
       0,
       T::Dialogo,
       {"Drive e a PastaOrigem   ", "Drive e a PastaDestino  "}},
      {"MTELA1 4/3",
       F::MTELA1,
       4,
       v3,
       3,
       6,
       38,
       5,
       41,
       0,
       T::Dialogo,
       {"Drive e a Pasta  Atual  ", "Drive e a Pasta  Novo   "}},
      {"MTELA1 5",
       F::MTELA1,
       5,
       {},
       3,
       14,
       37,
       5,
       19,
       0,
       T::Dialogo,
       {"Config. emitente", "Prepara Boletos", "Gera o Arquivo"}},
      {"MTELA1 6",
       F::MTELA1,
       6,
       {},
       3,
       14,
       37,
       5,
       18,
       0,
       T::Dialogo,
       {"Configura Email", "Prepara o Email", "Envia o Email"}},
      {"MTELA1 7", F::MTELA1, 7, {}, 5, 4, 9, 17, 34, 2, T::Dialogo, {"Alt B=Busca valor"}},
      {"MTELA1 9",
       F::MTELA1,
       9,
       sobre,
       7,
       6,
       20,
       6,
       40,
       0,
       T::Dialogo,
       {"Terminal 07", "Versão 2010.1 de 30/04/2010"_cp}},
      {"MTELA1 10 notarial",
       F::MTELA1,
       10,
       {},
       5,
       12,
       10,
       7,
       57,
       1,
       T::Dialogo,
       {" Informaçoes sobre o Encerramento do Espólio"_cp, "Nome Cartorio", "Municipio", "UF", "Livro",
        "Folhas", "CNPJ", "Data da Lavratura", "Ano do óbito"_cp}},
      {"MTELA1 10 judicial",
       F::MTELA1,
       10,
       jud,
       5,
       12,
       10,
       7,
       57,
       1,
       T::Dialogo,
       {"Nro. do processo judicial", "Vara Cível"_cp, "Comarca", "UF",
        "Data da decisão judicial da partilha"_cp, "Data do trânsito em julgado da decisão"_cp,
        "Ano do óbito"_cp}},
      {"MTELA1 12",
       F::MTELA1,
       12,
       {},
       3,
       13,
       37,
       10,
       19,
       0,
       T::Dialogo,
       {"declaracao Bens", "declar. Dividas", "Pagamentos", "Cadastro", "Bens Rurais", "diVidas Rurais",
        "Imoveis Rurais"}},
      {"MTELA2 2", F::MTELA2, 2, {}, 5, 14, 42, 3, 24, 1, T::Dialogo, {" Mês "_cp, "Selic        %"}},
      {"MTELA2 6",
       F::MTELA2,
       6,
       {},
       3,
       7,
       37,
       8,
       25,
       0,
       T::Dialogo,
       {"Valor a Cobrar", "Por Minuto", "Por KByte", "Mínimo"_cp, "Contador do tempo",
        "Desligar após      min."_cp}},
      {"MTELA2 9",
       F::MTELA2,
       9,
       {},
       5,
       8,
       37,
       5,
       19,
       0,
       T::Forma,
       {"Alterar situação"_cp, "Cadastrar status"}},
      {"MTELA2 10",
       F::MTELA2,
       10,
       {},
       4,
       5,
       13,
       7,
       66,
       0,
       T::Dialogo,
       {"Informado", "Calculado", "Bens de pequeno valor", "Unico imóvel nos últimos 5 anos"_cp,
        "Outros bens imóveis(Valor redução)"_cp, "Moeda extrangeira em espécie"_cp, "Totais....."}},
      {"MTELA2 11", F::MTELA2, 11, {}, 5, 5, 13, 7, 66, 0, T::Dialogo, {"Informado", "Totais....."}},
      {"MTELA3 1",
       F::MTELA3,
       1,
       {},
       4,
       7,
       19,
       3,
       17,
       1,
       T::Dialogo,
       {"Fazer a cópia"_cp, "Recuperar cópia"_cp}},
      {"MTELA3 2",
       F::MTELA3,
       2,
       {},
       4,
       11,
       3,
       6,
       73,
       1,
       T::Forma,
       {"Código"_cp, "Conta", "Desc./Nome", "Valor", "CPF/CNPJ", "do mês"_cp, "até o mês"_cp,
        "CPF Dependente"}},
      {"MTELA3 3", F::MTELA3, 3, {}, 3, 17, 4, 6, 71, 0, T::Forma, {"C P F", "Nome", "Pasta atual  :"}},
      {"MTELA3 4",
       F::MTELA3,
       4,
       {},
       3,
       17,
       32,
       5,
       47,
       1,
       T::Dialogo,
       {"Banco", "Agencia", "Conta Corrente", "Nome Cedente", "CNPJ", "ou CPF", "Carteira"}},
      {"MTELA3 5",
       F::MTELA3,
       5,
       {},
       3,
       17,
       19,
       5,
       49,
       1,
       T::Dialogo,
       {"CPF", "Sacado", "Vencimento", "Valor", "Doc", "Nosso Nro."}},
      {"MTELA3 6",
       F::MTELA3,
       6,
       {},
       4,
       19,
       3,
       4,
       74,
       1,
       T::Dialogo,
       {"Servidor de saida (SMTP):", "Nome  do usuario:", "Senha:", "Email do usuario:", "Memorizar senha"}},
      {"MTELA3 7",
       F::MTELA3,
       7,
       {},
       4,
       19,
       3,
       4,
       68,
       1,
       T::Dialogo,
       {"CPF:", "Para:", "Assunto:", "Anexar :", "Pendencias", "Texto Editado"}},
      {"MTELA3 10",
       F::MTELA3,
       10,
       {},
       3,
       3,
       18,
       7,
       13,
       0,
       T::Forma,
       {"Lançar"_cp, "Transferir", "Visualizar", "Modificar"}},
      {"MTELA4",
       F::MTELA4,
       2,
       {},
       4,
       12,
       42,
       5,
       18,
       0,
       T::FormaAtual,
       {"Automático"_cp, "Manual (Alt W)", "Só no Final"_cp}},
      {"MTELAVER 1",
       F::MTELAVER,
       1,
       {},
       6,
       1,
       0,
       16,
       41,
       7,
       T::Ajuda,
       {"Indice", "Fontes pagadoras", "Apuração do recolhimento mensal"_cp,
        "Tributados na fonte e rend. isento", "Pagamentos efetuados e dependentes",
        "Declaração de bens/ dívida"_cp, "Identificação do contribuinte"_cp, "Cálculo do imposto"_cp,
        "Ganho de capital", "Renda Variável"_cp, "Balanço e resumo"_cp,
        "Notas sobre a declaração (ALT+F1)"_cp, "Rural (se tiver A.Rural) (ALT+F2)", "Sai da declaração"_cp,
        "F12", "ESC"}},
      {"MTELAVER 2",
       F::MTELAVER,
       2,
       {},
       6,
       1,
       10,
       7,
       11,
       7,
       T::Ajuda,
       {"Geral", "Tela", "Campo", "Funçoes"_cp}},
      {"MTELAVER 3",
       F::MTELAVER,
       3,
       {},
       6,
       9,
       40,
       8,
       38,
       0,
       T::Ajuda,
       {"Dados obrigatórios sobre o imóvel"_cp, "Ender.", "Nro.", "Compl.", "Bairro", "CEP", "Município:"_cp,
        "UF"}},
      {"MTELAVER 4",
       F::MTELAVER,
       4,
       {},
       4,
       4,
       0,
       14,
       78,
       0,
       T::Forma,
       {"CPF",
        "DIRPF",
        "Senha",
        "Codigo",
        "Tem Rural",
        "Nome",
        "Idade   anos   meses",
        "Nascimento",
        "Tit.Eleitor",
        "CPF do conjuge",
        "Declaração Conjunta?"_cp,
        "Retificadora?",
        "Número do Recibo Anterior"_cp,
        "Ultimo recibo de 2010",
        "Ultimo recibo em 2009",
        "No caso de Devolução"_cp,
        "Banco",
        "Agencia",
        "Conta",
        "Tipo",
        "Logradouro",
        "Novo End.",
        "Número"_cp,
        "Complemento",
        "Bairro",
        "CEP",
        "UF",
        "Município"_cp,
        "Código"_cp,
        "País"_cp,
        "Embaixada",
        "DDD",
        "Telefone",
        "FAX",
        "Correio Eletrônico (Email)"_cp}},
      {"MTELA5 1", F::MTELA5, 1, {}, 4, 3, 1, 13, 78, 0, T::Dialogo, {}},
      {"MTELA5 3", F::MTELA5, 3, {}, 6, 2, 11, 17, 58, 0, T::Dialogo, {}},
      {"MTELA5 4", F::MTELA5, 4, {}, 3, 6, 5, 15, 44, 1, T::Dialogo, {}},
      {"MTELA5 6",
       F::MTELA5,
       6,
       {},
       4,
       2,
       10,
       19,
       63,
       0,
       T::Dialogo,
       {"Anote o valor MENSAL das despesas que existem normalmente nos",
        "nos bens declarados, mas não obrigatórias serem relacionadas."_cp,
        "O programa irá anualizar e verificar se a receita declarada é"_cp,
        "suficiente para manter esses bens. Tecle ALT B.O TAVREN busca",
        "essas depesas usando 10% do valor do bem. Ajuste-o se errado."}},
      {"MTELA5 7",
       F::MTELA5,
       7,
       {},
       4,
       1,
       18,
       19,
       47,
       0,
       T::Dialogo,
       {"Escreva a lista das Pastas  onde poderá ter"_cp, "informações para o programa procurar. Assinale"_cp,
        "com a letra S na coluna SEL a pasta atual."}},
      {"MTELA5 8", F::MTELA5, 8, {}, 4, 5, 7, 15, 69, 0, T::Dialogo, {}},
      {"MTELA5 9/1",
       F::MTELA5,
       9,
       bem,
       3,
       2,
       0,
       6,
       79,
       0,
       T::Dialogo,
       {"Especificação do Bem"_cp, "Datas", "Aquisicao", "Alienacao", "% de diferimento"}},
      {"MTELA5 9/3",
       F::MTELA5,
       9,
       acoes,
       3,
       2,
       0,
       6,
       79,
       0,
       T::Dialogo,
       {"Especificação"_cp, "Nome da Sociedade", "Data da Alienação"_cp, "CNPJ", "Cidade", "Estado",
        "% de diferimento"}},
      {"MTELA13 3",
       F::MTELA13,
       3,
       {},
       3,
       17,
       4,
       6,
       71,
       0,
       T::Forma,
       {"C P F", "Nome", "Diretório atual:"_cp}},
      {"MTELA13 7",
       F::MTELA13,
       7,
       {},
       5,
       3,
       32,
       9,
       19,
       0,
       T::Forma,
       {"Código do DARF"_cp, "0211  I.Renda", "0190  Carnê Leão"_cp, "4600  G.capital", "6015  R.variável"_cp,
        "5320  Multas", "Darf Qualquer", "Alterar datas"}},
      {"MTELA13 8", F::MTELA13, 8, {}, 5, 3, 34, 5, 11, 0, T::Forma, {"Quotas", "Só uma"_cp, "Várias"_cp}},
      {"MTELA13 9",
       F::MTELA13,
       9,
       {},
       4,
       7,
       18,
       17,
       47,
       0,
       T::Forma,
       {"Escreva a lista dos diretórios onde poderá ter"_cp,
        "informações para o TAVREN procurar.Marque c/ a"_cp,
        "letra S na coluna SEL o diretório atual.      "_cp}},
      {"MTELA21 1",
       F::MTELA21,
       1,
       {},
       4,
       2,
       0,
       19,
       78,
       0,
       T::Forma,
       {"MINISTERIO DA FAZENDA", "SRF", "D A R F", "01-Nome / Telefone", "02-Período de apuração"_cp,
        "03-Número do CPF/CNPJ"_cp, "04-Código da receita"_cp, "05-Nro de referência"_cp,
        "06-Data de Vencimento", "07-Valor do principal", "08-Valor da Multa", "09-Valor dos juros",
        "10-Valor Total", "Quota ou mês Inicial"_cp, "Quota ou mês Final"_cp, "Data Pgto.",
        "Prim. dia útil após Vcto"_cp}},
      {"MTELA21 2", F::MTELA21, 2, lista, 4, 4, 50, 12, 20, 1, T::Dialogo, {}},
      {"MTELA21 3",
       F::MTELA21,
       3,
       {},
       4,
       9,
       18,
       9,
       21,
       1,
       T::Dialogo,
       {"1a quota", "2a quota", "3a quota", "4a quota", "5a quota", "6a quota", "7a quota", "8a quota"}},
      {"MTELA21 5",
       F::MTELA21,
       5,
       {},
       5,
       9,
       20,
       5,
       22,
       7,
       T::Dialogo,
       {"Imprimir", "Todos os status", "do status", "ao"}},
      {"MTELA21 6",
       F::MTELA21,
       6,
       {},
       5,
       9,
       20,
       7,
       24,
       7,
       T::Dialogo,
       {"Imprimir", "Independe o imposto", "Apenas os isentos", "Somente c/devolução"_cp,
        "Somente c/Imposto"}},
      {"MTELA21 7", F::MTELA21, 7, {}, 5, 9, 20, 4, 22, 7, T::Dialogo, {"CPF do Dependente"}},
  };
}

class MoldurasTest : public ::testing::Test, protected console::teste::ConsoleFixture {
 protected:
  // Whether the text lies on one row of the frame, between its box columns.
  bool mostra(const Caso& c, std::string_view texto) {
    for (int r = std::max(c.top - 1, 0); r <= std::min(c.top + c.altura + 1, 24); ++r) {
      const std::string l = linha(r);
      const int de = std::max(c.left - 1, 0);
      const std::size_t p = l.find(texto, static_cast<std::size_t>(de));
      if (p != std::string::npos && static_cast<int>(p + texto.size()) <= c.left + c.largura + 1) return true;
    }
    return false;
  }
};

TEST_F(MoldurasTest, EveryFrameHasItsSlotCornerTypeAndTexts) {
  for (const Caso& c : casos()) {
    SCOPED_TRACE(c.nome);
    console::Contexto x{con, clock};
    x.NUSU = "07";
    x.NT = 6;
    tela().clear();
    console::desenhaMoldura(x, c.familia, c.n, c.args);
    const console::Janela* j = x.janelas.find(console::Jan{c.janela});
    ASSERT_NE(j, nullptr);
    EXPECT_TRUE(x.janelas.isOpen(console::Jan{c.janela}));
    EXPECT_EQ(j->top, c.top);
    EXPECT_EQ(j->left, c.left);
    EXPECT_EQ(j->bottom, c.top + c.altura + (c.tipo == 7 ? 2 : 0));  // shadow frames grow on redefinition
    EXPECT_EQ(j->right, c.left + c.largura);
    EXPECT_EQ(j->tipo, c.tipo);
    EXPECT_EQ(x.NTA, c.n);
    switch (c.tabela) {
      case TabelaPosicao::Dialogo:
        EXPECT_EQ(x.ALJA[c.n], c.top);
        EXPECT_EQ(x.ACJA[c.n], c.left);
        break;
      case TabelaPosicao::Forma:
        EXPECT_EQ(x.ALJ[c.n], c.top);
        EXPECT_EQ(x.ACJ[c.n], c.left);
        break;
      case TabelaPosicao::FormaAtual:
        EXPECT_EQ(x.ALJ[6], c.top);
        EXPECT_EQ(x.ACJ[6], c.left);
        break;
      case TabelaPosicao::Ajuda:
        EXPECT_EQ(x.ALJB[c.n], c.top);
        EXPECT_EQ(x.ACJB[c.n], c.left);
        break;
    }
    // The box's top-left corner: drawn by the text (types 0 and 7), by the window one cell out
    // (type 1) or on the corner (type 2).
    const int r = c.tipo == 1 ? c.top - 1 : c.top, col = c.tipo == 1 ? c.left - 1 : c.left;
    // The taxpayer heading draws two boxes side by side, the first one column in.
    const int dentro = (c.familia == Familia::MTELA3 || c.familia == Familia::MTELA13) && c.n == 3 ? 1 : 0;
    EXPECT_EQ(tela().at(r, col + dentro).ch, "┌"_cp[0]);
    for (std::string_view t : c.textos) EXPECT_TRUE(mostra(c, t)) << rt::text::cp860ToUtf8(t);
    // Field places lie inside the frame and on blank cells.
    for (const console::CampoMoldura& f : console::camposMoldura(x, c.familia, c.n, c.args)) {
      if (c.top + f.linha > 24) continue;
      if (f.rotulo == "Terminal") continue;  // shows the terminal number
      EXPECT_EQ(tela().at(c.top + f.linha, c.left + f.coluna).ch, ' ') << f.rotulo;
      EXPECT_LE(f.coluna + f.largura, c.largura + (c.tipo == 0 ? 0 : -1)) << f.rotulo;
    }
  }
}

TEST_F(MoldurasTest, SilentFramesDrawNothing) {
  ctx.NTA = 5;
  const rt::term::Screen antes = tela();
  console::MTELA1(ctx, 1);
  console::MTELA1(ctx, 8);
  console::MTELA2(ctx, 3);
  console::MTELA2(ctx, 8);
  console::MTELA5(ctx, 2);
  console::MTELA21(ctx, 4);
  EXPECT_EQ(ctx.NTA, 5);
  for (int r = 0; r < 25; ++r) EXPECT_EQ(linha(r), antes.rowText(r));
}

TEST_F(MoldurasTest, FrameTwoOfTheSecondFamilyStandsWhereFrameOneWas) {
  ctx.ALJA[1] = 4;
  ctx.ACJA[1] = 9;
  console::MTELA2(ctx, 1);
  EXPECT_EQ(ctx.janelas.find(console::Jan::kSubdialogo)->top, 4);
  EXPECT_EQ(ctx.janelas.find(console::Jan::kSubdialogo)->left, 9);
  EXPECT_EQ(ctx.janelas.find(console::Jan::kSubdialogo)->bottom, 20);
  EXPECT_EQ(tela().at(3, 8).ch, "┌"_cp[0]);
}

TEST_F(MoldurasTest, TheTaxpayerHeadingHoldsAWholeNameInsideItsBox) {
  // The declaration writes the register's name (53 characters) at the frame's row 2, column
  // 19: the box's right border is right after it and stays.
  console::MTELA3(ctx, 3);
  ctx.janelas.ESCRLCOL(console::Jan::kTela, 2, 19, std::string(53, 'N'));
  EXPECT_EQ(tela().rowText(18).substr(22, 54), std::string(53, 'N') + std::string("│"_cp));
  EXPECT_EQ(tela().at(17, 75).ch, "┐"_cp[0]);
  EXPECT_EQ(tela().at(19, 75).ch, "┘"_cp[0]);
}

TEST_F(MoldurasTest, ConverterBoxFollowsTheCursor) {
  tela().setCursor(10, 40);
  console::MTELA1(ctx, 11);
  EXPECT_EQ(ctx.janelas.find(console::Jan::kSubdialogo)->top, 11);
  EXPECT_EQ(ctx.janelas.find(console::Jan::kSubdialogo)->left, 20);
  ctx.janelas.FECHAJAN(console::Jan::kSubdialogo);
  tela().setCursor(20, 5);
  console::MTELA1(ctx, 11);
  EXPECT_EQ(ctx.janelas.find(console::Jan::kSubdialogo)->top, 14);
  EXPECT_EQ(ctx.janelas.find(console::Jan::kSubdialogo)->left, 0);
  // Colours reversed: the text in the frame colour.
  EXPECT_EQ(tela().at(15, 2).attr, 31);
}

TEST_F(MoldurasTest, MenusOfTheFramesLightTheirOwnLines) {
  console::MTELA2(ctx, 9);
  auto it = console::itensMoldura(ctx, Familia::MTELA2, 9);
  ASSERT_TRUE(it);
  EXPECT_EQ(it->coluna, 3);
  EXPECT_EQ(it->largura, 16);  // as the status menu asks: column 3, width 16
  ctx.POSVER = 1;
  term.press(key::Down);
  term.press(key::Esc);
  console::ESC_OPCAO(ctx, it->janela, it->quantos, it->coluna, it->largura, {"AC", {}}, it->deslocamento);
  EXPECT_EQ(linha(10).substr(39, 16), "Cadastrar status");
  EXPECT_EQ(tela().at(10, 39).attr, 79);
  EXPECT_EQ(tela().at(9, 39).attr, 30);

  // The save-mode menu takes the marker in window column 18, inside its right edge.
  console::MTELA4(ctx);
  auto m4 = console::itensMoldura(ctx, Familia::MTELA4, 2);
  term.press(key::Down).press(key::Enter);
  EXPECT_EQ(console::ESC_ITEM(ctx, console::Jan::kDialogo, m4->quantos, 18, m4->deslocamento, 1), 2);
  EXPECT_EQ(tela().at(14, 59).ch, '*');
  EXPECT_EQ(linha(14).substr(44, 14), "Manual (Alt W)");
}

TEST_F(MoldurasTest, PrintMenuTakesItsStepsLettersHelpAndSize) {
  ctx.NUSU = "03";
  ArgsMoldura a;
  a.linhasMenu = {"Declaracao", "Vesk"};
  ctx.OPCIMP = 1;
  console::MTELA13(ctx, 2, a);
  const auto menu1 = console::itensMoldura(ctx, Familia::MTELA13, 2, a);
  ASSERT_TRUE(menu1);
  EXPECT_EQ(menu1->opcoes.teclas, "IDaxGRPALSCrd");
  ASSERT_EQ(menu1->opcoes.mensagens.size(), 14u);
  EXPECT_EQ(menu1->opcoes.mensagens[13], "Imprime etiquetas para identificar o disquete");
  const console::Janela* j = ctx.janelas.find(console::Jan::kDialogo);
  EXPECT_EQ(j->bottom - j->top, 15);
  EXPECT_EQ(j->right - j->left, 19);
  EXPECT_EQ(ctx.ALJ[2], 2);
  EXPECT_EQ(ctx.ACJ[2], 49);
  EXPECT_EQ(linha(2).substr(49, 10), "Declaracao");
  EXPECT_EQ(linha(3).substr(49, 4), "Vesk");
  ctx.janelas.FECHAJAN(console::Jan::kDialogo);

  ctx.OPCIMP = 4;
  console::MTELA13(ctx, 2, a);
  const auto menu4 = console::itensMoldura(ctx, Familia::MTELA13, 2, a);
  ASSERT_TRUE(menu4);
  EXPECT_EQ(menu4->opcoes.teclas, "IVTD");
  EXPECT_EQ(menu4->opcoes.mensagens[3], "Imprime o cadastro de todos os diretórios da lista do terminal 03"_cp);

  using console::passoImpressao;
  EXPECT_EQ(passoImpressao(2, 5, "").teclas, "FB");
  EXPECT_EQ(passoImpressao(2, 12, "").teclas, "EF");
  EXPECT_EQ(passoImpressao(2, 14, "").altura, 5);
  EXPECT_EQ(passoImpressao(2, 7, "").teclas, "C");
  EXPECT_EQ(passoImpressao(2, 7, "").largura, 14);
  EXPECT_EQ(passoImpressao(3, 1, "").teclas, "TBSA12345M");
  EXPECT_EQ(passoImpressao(3, 1, "").ajuda.size(), 10u);
  EXPECT_EQ(passoImpressao(3, 3, "").altura, 4);
  EXPECT_EQ(passoImpressao(3, 9, "").teclas, "F");
  EXPECT_EQ(passoImpressao(3, 9, "").largura, 11);
}

TEST_F(MoldurasTest, FramesNearTheBottomAreClipped) {
  tela().setCursor(24, 79);
  console::MTELA1(ctx, 11);  // a shadowed box below row 18 would run off the screen
  ArgsMoldura alto;
  alto.nroLin = 40;
  console::MTELA5(ctx, 9, alto);
  EXPECT_EQ(tela().at(2, 0).ch, "┌"_cp[0]);
}

}  // namespace
