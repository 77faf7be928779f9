#include "shell/menu_principal.h"

#include <algorithm>
#include <array>

#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/ajuda_programa.h"
#include "shell/cores_registro.h"
#include "shell/declara_teclas.h"

namespace shell {

using namespace rt::text::literals;
using rt::ui::MenuItem;

namespace {

constexpr std::string_view kAlistimp[] = {"",
                                          "IRenda modo Receita",
                                          "IRenda modo  VESK  ",
                                          "Atividade Rural    ",
                                          "Livro caixa Rural  ",
                                          "Darfes             ",
                                          "Ganho de capital   ",
                                          "Renda variável     "_cp,
                                          "carta Personalizada",
                                          "Anotações especiais"_cp,
                                          "Livro caixa Normal ",
                                          "Valores a cobrar   ",
                                          "Cadastro           ",
                                          "Comprovante rendime",
                                          "Etiquetas disquete "};
constexpr std::string_view kNomepagr[] = {"",
                                          "Tudo na declaraçao "_cp,
                                          "Tudo menos Balanço "_cp,
                                          "So IR s/Bal/Malha  ",
                                          "So IR Sem a Malha  ",
                                          "Rendimentos        ",
                                          "Pagamentos         ",
                                          "Bens e Dividas     ",
                                          "Resumo c/Balanço   "_cp,
                                          "Resumo s/Balanço   "_cp,
                                          "Só a Malha fina    "_cp,
                                          "pagina 1 do rural  ",
                                          "pagina 2 do rural  "};
constexpr std::string_view kNomeprur[] = {"", "Todas pag. ", "página 1   "_cp, "página 2   "_cp};
constexpr std::string_view kNomecon[] = {"", "Individual  ", "Vários      "_cp, "Todos       ",
                                         "Todos Dir.  "};
constexpr std::string_view kModo1op[] = {"", "Folha branca  ", "Form. do DARF "};
constexpr std::string_view kModoeti[] = {"", "Etiquetas     ", "Folha branca  "};
constexpr std::string_view kModetid[] = {"", "8 Eti. 116x37 ", "12 Eti. 90x24 ", "2*5 Eti.70x50 ",
                                         "Pimaco 8296   "};
constexpr std::string_view kNomcont[] = {"", "Folha branca  "};
constexpr std::string_view kModouni[] = {"", "Folha única"_cp};
constexpr int kAqueit2[] = {0, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 2, 1, 4};
constexpr int kAqueit3[] = {0, 10, 10, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

constexpr std::string_view kPads[] = {" Dec&laracao  ", "O&pcoes", "&Selecao", "&Impressao",
                                      "&Env Receita",   "&Backup", "Sai&r"};

// An entry of a 1-based list; an index outside it reads the first entry.
std::string_view da(std::span<const std::string_view> lista, int i) {
  return (i >= 1 && i < static_cast<int>(lista.size())) ? lista[static_cast<std::size_t>(i)] : lista[1];
}

using rt::ui::menuItem;

}  // namespace

std::span<const std::string_view> ALISTIMP() {
  return kAlistimp;
}
std::span<const std::string_view> NOMEPAGR() {
  return kNomepagr;
}
std::span<const std::string_view> NOMEPRUR() {
  return kNomeprur;
}
std::span<const std::string_view> NOMECON() {
  return kNomecon;
}
std::span<const std::string_view> MODO1OP() {
  return kModo1op;
}
std::span<const std::string_view> MODOETI() {
  return kModoeti;
}
std::span<const std::string_view> MODETID() {
  return kModetid;
}
std::span<const std::string_view> NOMCONT() {
  return kNomcont;
}
std::span<const std::string_view> MODOUNI() {
  return kModouni;
}
int AQUEIT2(int queimp) {
  return kAqueit2[std::clamp(queimp, 1, 14)];
}
int AQUEIT3(int queimp) {
  return kAqueit3[std::clamp(queimp, 1, 14)];
}
std::span<const std::string_view> captionsDosPads() {
  return kPads;
}

void MONTA_ITENS(Program& p) {
  ConfigTerminal& c = p.cfg;
  p.QUEIMP = std::clamp(p.QUEIMP, 1, 14);
  c.QUECON = std::clamp(c.QUECON, 1, 4);
  c.QUEMOD = std::max(c.QUEMOD, 1);
  c.QUEPAG = std::max(c.QUEPAG, 1);
  std::string i1(da(kAlistimp, p.QUEIMP)), i2(kNomcont[1]), i3(kModouni[1]);
  const int k = p.QUEIMP;
  if (k <= 4) {
    c.QUEMOD = 1;
    c.QUEPAG = std::min(c.QUEPAG, 10);
    i3 = da(kNomepagr, c.QUEPAG);
  } else if (k == 5) {
    c.QUEPAG = 1;
    c.QUEMOD = std::min(c.QUEMOD, 2);
    i2 = da(kModo1op, c.QUEMOD);
  } else if (k == 12) {
    c.QUEMOD = std::min(c.QUEMOD, 2);
    c.QUEPAG = 1;
    i2 = da(kModoeti, c.QUEMOD);
  } else if (k == 14) {
    c.QUEPAG = 1;
    c.QUEMOD = std::min(c.QUEMOD, 4);
    i2 = da(kModetid, c.QUEMOD);
  } else {
    c.QUEMOD = c.QUEPAG = 1;
  }
  p.NRO_VIAS = std::clamp(p.NRO_VIAS, 1, 9);
  p.ITEM[1] = "&1-" + i1;
  p.ITEM[2] = "&2-" + i2;
  p.ITEM[3] = "&3-" + i3;
  p.ITEM[4] = "&4-" + std::string(da(kNomecon, c.QUECON));
  p.ITEM[5] = std::string("&5-Seleção Impressora"_cp);
  p.ITEM[6] = "&6-Configura NAO DOS";
  p.ITEM[7] = "&7-Vias " + std::to_string(p.NRO_VIAS);
  if (p.menu)
    for (int i = 1; i <= 7; ++i)
      if (MenuItem* m = p.menu->findItem(40 + i)) m->caption = p.ITEM[static_cast<std::size_t>(i)];
}

void CREATEMAINMENU(Program& p) {
  const auto cores = rt::term::parseColourList(CORMENU(p.cores));
  p.menu = std::make_unique<rt::ui::MenuBar>(p.console, cores, 0, 24);
  rt::ui::MenuBar& m = *p.menu;
  m.addPad(
      std::string(kPads[0]),
      {menuItem("&Declaração"_cp, 11, "Inicia ou modifica uma declaração"_cp),
       menuItem("&Lancamentos", 12, "Prepara todos os lançamentos em um so local."_cp),
       menuItem("&Conferencia", 13, "Confere uma declaração antes de gerar o disquete"_cp),
       menuItem("&Pastas", 14, "Seleciona o Drive e a Pasta onde a declaracao ficara"),
       menuItem("&Exclusão"_cp, 15, "Elimina um contribuinte do banco de dados"),
       menuItem("&Importação"_cp, 16, "Importa os dados de declaracoes do ano anterior "),
       rt::ui::menuSeparator(),
       menuItem("&Terminar", 17, "Sai do programa reorganizando os dados da pasta atual", rt::term::key::AltT)});
  m.addPad(std::string(kPads[1]),
           {menuItem("&Area de Trabalho", 21, "Seleciona drive e a pasta para guardar dados temporarios"),
            menuItem("&Trans.Declaracao", 22, "Transfere a declaracao de uma pasta para outra"),
            menuItem("&Senha", 23, "Retira, coloca ou modifica a senha para entrar no programa"),
            menuItem("Mudar as &Cores", 24, "Seleciona as opcoes de ajustes nas cores e tonalidades do video"),
            menuItem("&Valores a Cobrar", 25, "Cadastra os valores para o calculo do custo da declaracao"),
            menuItem("&Gravar os dados", 26, "Quando e como o programa deve salvar os dados"),
            menuItem("Status &Declaracao", 27, "Cadastra ou altera o status ou o numero dos recibos"),
            menuItem("Cadastro &SELIC", 28, "Cadastra ou altera o valor da SELIC"),
            menuItem("Reindexar &Dados", 29, "Refaz os indices e reinicia o banco de dados"),
            menuItem("Mudar C&PF", 30, "Modifica ou altera o CPF da declaracao inteira"),
            menuItem("C&opia Declaracao", 31, "Copia uma declaracao ou parte dela para outra"),
            menuItem("E&xporta Arquivo", 32, "Exporta arquivos no formato TXT para uso em outros locais"),
            menuItem("&Boletos", 33, "Configura,prepara ou gera um boleto para a cobranca"),
            menuItem("&E-mail", 34, "Configura,prepara ou gera um email"),
            menuItem("&Ver Atualizacao", 35, "Verifica se existe atualizacoes na versao atual")});
  m.addPad(std::string(kPads[2]),
           {menuItem({}, 41, "Selecione O QUE será impresso."_cp),
            menuItem({}, 42, "Selecione o tipo de papel a ser utilizado."),
            menuItem({}, 43, "Selecione a página ou páginas a ser(em) impressa(s)."_cp),
            menuItem({}, 44, "Escolha como selecionar o(s) contribuinte(s) para imprimir."),
            menuItem({}, 45, "Seleciona impressora e redirecionamento de impressão."_cp),
            menuItem({}, 46, "Como usar a impresao com impressora que NAO imprime no MS-DOS"),
            menuItem({}, 47, "Informe o numero de vias a ser impressa.")});
  m.addPad(std::string(kPads[3]),
           {menuItem("&Impressao", 51, "Inicia a Impressao conforme a selecao"),
            menuItem("imp &Nao Dos", 52,
                 "Imprime o arquivo gerado na impressao se impressora selecionada foi a NAO-DOS"),
            menuItem("&Cartas", 53, "Edita cartas ou texto para serem enviadas aos clientes")});
  m.addPad(
      std::string(kPads[4]),
      {menuItem("&Automático ao salvar "_cp, 61, "Transfere para a receita ao terminar a declaracao"),
       menuItem("apenas as com stat&us  " + rt::text::str(rt::text::Decimal(p.cfg.SOESTE), 2), 62,
            "Tranfere p/receita ao terminar so aquelas com o Estatus selecionado"),
       menuItem("&Somente um contribuinte", 63, "Seleciona um CPF para transferir para a receita"),
       menuItem("os &Cpfs selecionados", 64, "Envia para a receita os CPF selecionados"),
       menuItem("&Todos os CPFs da pasta", 65, "Transfere todos os CPF dessa pasta"),
       menuItem("&Local do prog.da Receita", 66, "Seleciona a pasta onde foi instalado o Programa da receita"),
       menuItem("&Recupera Indice do IRPF ", 67, "Recupera o indice do programa da Receita Java")});
  m.addPad(
      std::string(kPads[5]),
      {menuItem("&Fazer a copia    ", 71, "Faz a copia de seguranca dos arquivos em uma determinada pasta"),
       menuItem("&Recuperar a copia", 72, "Recupera a copia de seguranca dos arquivos de uma pasta"),
       menuItem("&Compacta    todos no A:", 73, "Faz a copia do bancos de dados de TODAS AS PASTAS"),
       menuItem("&Descompacta todos do A:", 74, "Recupera a copia do bancos de dados de TODAS AS PASTAS"),
       menuItem("&Compacta uma Pasta", 75, "Faz a copia compactadada apenas de UMA PASTA selecionada"),
       menuItem("&Descompacta uma Pasta", 76, "Recupera a copia dos bancos de dados de UMA PASTA selecionada.")});
  m.addPad(std::string(kPads[6]), {menuItem("Sai&r ", 81, "Sai do programa ", rt::term::key::AltR)});
  MONTA_ITENS(p);
}

}  // namespace shell

namespace shell {

int rodaMenu(Program& p, int pad, bool abre) {
  // Bound only while the menu runs: the screens, grids and lists give F1 meanings of their own.
  TeclasLigadas teclas(p.console);
  teclas.liga(rt::term::key::F1, [&p] { ajudaDoMenu(p); });
  return p.menu->run(pad, abre);
}

}  // namespace shell
