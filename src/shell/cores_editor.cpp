#include "shell/cores_editor.h"

#include <algorithm>

#include "console/janelas.h"
#include "console/menus.h"
#include "console/molduras.h"
#include "rt/term/colour.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/cores_registro.h"

namespace shell {
namespace {

using namespace rt::text::literals;
using console::kCor1;
using console::kCor2;
namespace key = rt::term::key;

constexpr std::string_view kItens[8] = {
    " Texto           ", " Contorno        ", " Item Escolhido  ", " Sombra 3D       ",
    " Entr. de dados  ", " Mensagens       ", " Help e Avisos   ", " Fundo Geral     ",
};

struct Posicoes {
  int menuLinha, menuColuna, coluna;
};

Posicoes posicoes(bool padrao) {
  return padrao ? Posicoes{9, 40, 62} : Posicoes{8, 38, 61};
}

rt::term::Attr atributo(const std::string& texto) {
  return rt::term::parseColour(texto).value_or(rt::term::makeAttr(7, 0));
}

std::string linhaBox(std::string_view esq, std::string_view meio, std::string_view dir) {
  return std::string(1, kCor2) + std::string(esq) + std::string(meio) + std::string(dir);
}

// The frame characters: "┌─┐│┘─└│".
struct Box {
  std::string tl, h, tr, v, br, bl;
};
Box box() {
  const std::string_view f = console::molduraSimples();
  return {std::string(f.substr(0, 1)), std::string(f.substr(1, 1)), std::string(f.substr(2, 1)),
          std::string(f.substr(3, 1)), std::string(f.substr(4, 1)), std::string(f.substr(6, 1))};
}

// DESTELA: the menu window with the eight texts in a box.
void DESTELA(store::Contexto& ctx, const Posicoes& p) {
  const auto& c = ctx.cores;
  const Box b = box();
  ctx.janelas.REDEFJAN(console::Jan::kMenuCores, c.COR_TEL1, c.COR_TEL2, c.COR_TEL3, p.menuLinha, p.menuColuna, p.menuLinha + 10,
                       p.menuColuna + 20, 7);
  ctx.janelas.ABREJAN(console::Jan::kMenuCores);
  std::string texto = linhaBox(b.tl, rt::text::replicate(b.h, 17), b.tr);
  for (std::string_view item : kItens)
    texto += linhaBox(b.v, std::string(1, kCor1) + std::string(item) + kCor2, b.v);
  texto += linhaBox(b.bl, rt::text::replicate(b.h, 17), b.br);
  ctx.janelas.ESCRJAN(console::Jan::kMenuCores, texto);
}

// The palette: 8 rows (backgrounds) of 16 cells (foregrounds), each cell in its attribute.
void desenhaPaleta(store::Contexto& ctx, const Posicoes& p) {
  const auto& c = ctx.cores;
  const Box b = box();
  ctx.janelas.REDEFJAN(console::Jan::kPaleta, c.COR_TEL1, c.COR_TEL2, c.COR_TEL3, 4, p.coluna, 14, p.coluna + 17, 0);
  ctx.janelas.ABREJAN(console::Jan::kPaleta);
  std::string texto = linhaBox(b.tl, rt::text::replicate(b.h, 16), b.tr);
  for (int i = 0; i < 8; ++i) texto += linhaBox(b.v, std::string(16, ' '), b.v);
  texto += linhaBox(b.bl, rt::text::replicate(b.h, 16), b.br);
  ctx.janelas.ESCRJAN(console::Jan::kPaleta, texto);
  for (int fundo = 0; fundo < 8; ++fundo)
    for (int frente = 0; frente < 16; ++frente)
      ctx.screen().put(5 + fundo, p.coluna + 1 + frente, "■"_cp, rt::term::makeAttr(frente, fundo));
}

// The samples of the colour texts, in a box titled "Cor do texto".
void desenhaAmostra(store::Contexto& ctx, const Posicoes& p) {
  const auto& c = ctx.cores;
  const Box b = box();
  ctx.janelas.REDEFJAN(console::Jan::kAmostra, c.COR_TEL1, c.COR_TEL2, c.COR_TEL3, 15, p.coluna, 22, p.coluna + 17, 0);
  ctx.janelas.ABREJAN(console::Jan::kAmostra);
  std::string texto = linhaBox(b.tl, b.h + "Cor do texto" + rt::text::replicate(b.h, 3), b.tr);
  for (int i = 0; i < 5; ++i) texto += linhaBox(b.v, std::string(16, ' '), b.v);
  texto += linhaBox(b.bl, rt::text::replicate(b.h, 16), b.br);
  ctx.janelas.ESCRJAN(console::Jan::kAmostra, texto);
  const std::pair<std::string_view, const std::string*> amostras[4] = {
      {"Item Escolhido", &c.COR_ESC_CL},
      {"Entrada Dados ", &c.COR_GET},
      {"Mensagens     ", &c.COR_SAY},
      {"Telas de Help ", &c.COR_CLI_HE},
  };
  for (int i = 0; i < 4; ++i)
    ctx.screen().put(16 + i, p.coluna + 2, amostras[i].first, atributo(*amostras[i].second));
}

// The mark of the current colour: "*" in the cell's own attribute, or the cell back.
void marca(store::Contexto& ctx, const Posicoes& p, int attr, bool ligada) {
  const int frente = attr & 15, fundo = (attr >> 4) & 7;
  ctx.screen().put(5 + fundo, p.coluna + 1 + frente, ligada ? std::string_view("*") : "■"_cp,
                   rt::term::makeAttr(frente, fundo));
}

void fundo(store::Contexto& ctx, const std::string& versao) {
  ctx.janelas.ENCHETELA(' ', atributo(ctx.cores.COR_ENCH_C));
  console::MTELA1(ctx, console::mtela1::Apresentacao, {.versao = versao});
}

// Every window of the editor drawn again in the current colours, the element's menu line lit
// (the RE_FAZ of each move; the background too when it changed).
void redesenha(store::Contexto& ctx, const Posicoes& p, int elemento, int attr, const std::string& versao) {
  for (console::Jan j : {console::Jan::kAmostra, console::Jan::kPaleta, console::Jan::kMenuCores}) ctx.janelas.FECHAJAN(j);
  if (elemento == 8) {
    // A new background: windows 1 to 8 (the top line to the pick lists) closed before it is filled.
    for (int j = 1; j <= 8; ++j) ctx.janelas.FECHAJAN(console::Jan{j});
    fundo(ctx, versao);
  }
  DESTELA(ctx, p);
  ctx.janelas.ESCRATR(console::Jan::kMenuCores, elemento + 1, 2, ctx.cores.COR_ESCOL, 17);
  desenhaPaleta(ctx, p);
  desenhaAmostra(ctx, p);
  marca(ctx, p, attr, true);
}

void aplica(store::Contexto& ctx, int elemento, int attr, int anterior) {
  auto& c = ctx.cores;
  const std::string texto = console::ACHACOR(attr);
  switch (elemento) {
    case 1:
      c.COR_TEL1 = attr, c.COR_1_CLI = texto;
      break;
    case 2:
      c.COR_TEL2 = attr, c.COR_2_CLI = texto;
      break;
    case 3:
      // Kept as the program always set it; nothing on the screen shows it.
      c.COR_FERID = 12 + ((anterior >> 4) & 15);
      c.COR_ESCOL = attr, c.COR_ESC_CL = texto;
      break;
    case 4:
      c.COR_TEL3 = attr;
      break;
    case 5:
      c.COR_PEGA = attr, c.COR_GET = texto;
      break;
    case 6:
      c.COR_MENS = attr, c.COR_SAY = texto;
      ctx.janelas.REDFATR(console::Jan::kStatus, 1, attr);
      break;
    case 7:
      c.COR_HELP = attr, c.COR_CLI_HE = texto;
      break;
    case 8:
      c.COR_ENCHE = attr, c.COR_ENCH_C = texto;
      break;
    default:
      break;
  }
}

}  // namespace

int corDoElemento(const console::Cores& c, int elemento) {
  switch (elemento) {
    case 1:
      return c.COR_TEL1;
    case 2:
      return c.COR_TEL2;
    case 3:
      return c.COR_ESCOL;
    case 4:
      return c.COR_TEL3;
    case 5:
      return c.COR_PEGA;
    case 6:
      return c.COR_MENS;
    case 7:
      return c.COR_HELP;
    case 8:
      return c.COR_ENCHE;
    default:
      return 0;
  }
}

std::string ESCOL_COR(store::Contexto& ctx, int elemento, bool padrao, const std::string& versao) {
  const Posicoes p = posicoes(padrao);
  // The palette has backgrounds 0-7 only: a bright background stored elsewhere starts on its
  // dark row.
  int attr = corDoElemento(ctx.cores, elemento) & 0x7F;
  desenhaPaleta(ctx, p);
  desenhaAmostra(ctx, p);
  marca(ctx, p, attr, true);
  for (;;) {
    const rt::term::Key k = ctx.console.waitKey();
    if (k.code == key::Enter || k.code == key::Esc) break;
    int frente = attr & 15, fundoAtual = attr >> 4;
    if (k.code == key::Right)
      frente = std::min(frente + 1, 15);
    else if (k.code == key::Left)
      frente = std::max(frente - 1, 0);
    else if (k.code == key::Up)
      fundoAtual = std::max(fundoAtual - 1, 0);
    else if (k.code == key::Down)
      fundoAtual = std::min(fundoAtual + 1, 7);
    const int novo = frente + 16 * fundoAtual;
    if (novo == attr) continue;
    marca(ctx, p, attr, false);
    aplica(ctx, elemento, novo, attr);
    attr = novo;
    redesenha(ctx, p, elemento, attr, versao);
  }
  const auto& c = ctx.cores;
  ctx.janelas.REDFATR(console::Jan::kStatus, 1, c.COR_MENS);
  ctx.janelas.REDFATR(console::Jan::kStatus, 2, c.COR_TEL2);
  ctx.janelas.REDFATR(console::Jan::kStatus, 3, c.COR_TEL3);
  GRAVACOR(ctx).ignoreTold();  // the colours stay for this run
  for (console::Jan j : {console::Jan::kAmostra, console::Jan::kPaleta, console::Jan::kMensagem}) ctx.janelas.FECHAJAN(j);
  ctx.POSVER = 1;
  return "";
}

void MODCOR(store::Contexto& ctx, bool padrao, const std::string& versao) {
  const Posicoes p = posicoes(padrao);
  fundo(ctx, versao);
  DESTELA(ctx, p);
  int ultimo = 1;
  for (;;) {
    console::OpcoesMenu opcoes;
    opcoes.teclas = "TCISEMHF";
    ctx.POSVER = ultimo;
    const int e = console::ESC_OPCAO(ctx, console::Jan::kMenuCores, 8, 2, 17, opcoes, 1);
    if (e == 0) break;
    ultimo = e;
    ESCOL_COR(ctx, e, padrao, versao);
  }
  for (console::Jan j : {console::Jan::kAmostra, console::Jan::kPaleta, console::Jan::kMenuCores}) ctx.janelas.FECHAJAN(j);
}

}  // namespace shell
