// The screen index of the declaration driver: the index row, the bar of Alt-I and Alt-H and
// the index list.
#include <string>

#include "console/alerta.h"
#include "console/menus.h"
#include "console/molduras.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/declara.h"

namespace shell {

using namespace rt::text::literals;
namespace key = rt::term::key;

namespace {

constexpr std::string_view kIndice =
    "1=PJ 2=PF 3=Ise 4=Pgto 5=Bem 6=Iden 7=Cal 8=GCap 9=RVar 10=Balan 11=notas 12=MOL";
// The hot letters of the bar's two items and of the index list; a letter leads to the
// entry at its position.
constexpr std::string_view kLetrasTelas = "FATPDICGVBSR";
constexpr std::string_view kLetrasAjuda = "GTCF";
constexpr std::string_view kLetrasIndice = "FATPDICGRBNS";

}  // namespace

void Declara::MOS_IND() {
  const console::Cores& c = p.cores;
  p.janelas.REDEFJAN(console::Jan::kCabecalho, c.COR_TEL2, c.COR_TEL1, c.COR_TEL3, 0, 0, 1, 80, 0);
  p.janelas.ABREJAN(console::Jan::kCabecalho);
  p.janelas.ESCRJAN(console::Jan::kCabecalho, kIndice);
}

bool Declara::ESC_HORIZ(int item) {
  const console::Cores& c = p.cores;
  rt::term::Screen& s = p.screen();
  const rt::term::Screen::Saved salvo = s.save({0, 0, 0, 79});
  const auto normal = static_cast<rt::term::Attr>(c.COR_TEL1);
  const auto escolhido = static_cast<rt::term::Attr>(c.COR_ESCOL);
  // Item 1 is 33 columns wide, item 2 five.
  const std::string textos[2] = {rt::text::padr(" Telas: " + std::string(kLetrasTelas), 33),
                                 rt::text::padr(" Help", 5)};
  const int colunas[2] = {0, 34};
  bool mudou = false;
  int atual = item == 2 ? 2 : 1;
  while (true) {
    s.fill({0, 0, 0, 79}, ' ', normal);
    for (int i = 0; i < 2; ++i) s.put(0, colunas[i], textos[i], i + 1 == atual ? escolhido : normal);
    const rt::term::Key k = p.console.waitKey();
    int escolha = 0;
    if (k.code == key::Esc) break;
    if (k.code == key::Home)
      atual = 1;
    else if (k.code == key::End)
      atual = 2;
    else if (k.code == key::Right || k.code == key::Left)
      atual = atual == 1 ? 2 : 1;
    else if (k.code == key::Enter || k.code == key::Down)
      escolha = -1;
    else if (k.isChar()) {
      const std::string_view letras = atual == 1 ? kLetrasTelas : kLetrasAjuda;
      const std::size_t i = letras.find(static_cast<char>(rt::text::upper(std::string(1, k.ch()))[0]));
      if (i != std::string_view::npos) escolha = static_cast<int>(i) + 1;
    }
    if (escolha == 0) continue;
    s.restore(salvo);
    if (atual == 1) {
      if (escolha == -1)
        mudou = MOSTRA_INDICE();
      else
        mudou = QUETEL(escolha, true);
    } else {
      p.janelas.FECHAJAN(console::Jan::kSobreposta);
      if (escolha == -1) {
        console::MTELAVER(p, console::mtelaver::MenuAjuda);
        const auto menu = console::JanelaAberta::adota(p.janelas, console::Jan::kSobreposta);
        const auto itens = console::itensMoldura(p, console::Familia::MTELAVER, console::mtelaver::MenuAjuda);
        console::OpcoesMenu opcoes;
        opcoes.teclas = std::string(kLetrasAjuda);
        p.POSVER = 1;
        escolha = itens ? console::ESC_OPCAO(p, itens->janela, itens->quantos, itens->coluna, itens->largura, opcoes, itens->deslocamento)
                        : 0;
      }
      if (escolha > 0) srv.ajuda(p, *this, escolha);
    }
    return mudou;
  }
  s.restore(salvo);
  return mudou;
}

bool Declara::MOSTRA_INDICE() {
  int n;
  {
    console::MTELAVER(p, console::mtelaver::Indice);
    const auto indice = console::JanelaAberta::adota(p.janelas, console::Jan::kSobreposta);
    const auto itens = console::itensMoldura(p, console::Familia::MTELAVER, console::mtelaver::Indice);
    console::OpcoesMenu opcoes;
    opcoes.teclas = std::string(kLetrasIndice);
    // The index lists the pages 1 to 12 in their order, so the page's number is its line there.
    p.POSVER = tela.pagina.TELA >= 1 && tela.pagina.TELA <= 12 ? tela.pagina.TELA : 1;
    n = itens ? console::ESC_OPCAO(p, itens->janela, itens->quantos, itens->coluna, itens->largura, opcoes, itens->deslocamento)
              : 0;
  }
  if (n == 0) return false;
  if (n == 13) {
    tela.INI =
        console::AVISOSN(p,
                         {std::string_view(" Termina  a  Declaração ?"_cp), " Sim. Salve tudo         ",
                          std::string_view(" Não. Volte onde estava  "_cp), " Ignore. Nao salva nada  "},
                         3);
    if (tela.INI == "N") return false;
    terminaTela();
    return true;
  }
  return QUETEL(n, true);
}

}  // namespace shell
