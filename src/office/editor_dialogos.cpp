// The letter editor's dialogs: the search prompt and search, the merge-field list, the page
// format form and the two help screens.
#include <optional>

#include "console/janelas.h"
#include "console/mensagens.h"
#include "office/editor_estado.h"
#include "office/mala.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/binding.h"
#include "rt/ui/memoedit.h"
#include "rt/ui/read.h"

namespace office::editor {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

namespace {

rt::term::ColourSet coresDoDialogo(const console::Cores& c) {
  const auto cor = [](int a) { return static_cast<rt::term::Attr>(a & 0xFF); };
  rt::term::ColourSet s;
  s.entries = {cor(c.COR_TEL1), cor(c.COR_ESCOL), cor(c.COR_TEL2),
               cor(c.COR_TEL1), cor(c.COR_TEL1),  cor(c.COR_TEL1)};
  return s;
}

int inteiro(Decimal d) {
  return static_cast<int>(d.wholePart());
}

}  // namespace

std::string Editor::PROMPT(std::string_view texto, std::string valor) {
  rt::term::Console& c = ctx_.console;
  const auto alterna = [this, &c] {
    c.setInsertMode(!c.insertMode());
    cursor(c.insertMode());
  };
  // Alt-I's own handler (held while the editor runs) comes back after the prompt.
  const bool presa = c.holdKey(key::AltI, false);
  const rt::term::Console::HotKey* antes = c.hotKeyFor(rt::term::Key{key::AltI});
  const std::optional<rt::term::Console::HotKey> anterior =
      antes != nullptr ? std::optional(*antes) : std::nullopt;
  c.setKey(key::AltI, alterna);
  rt::term::Screen& tela = ctx_.screen();
  tela.put(ultimaLinha_, 0, std::string(static_cast<std::size_t>(colunaStatus_), ' '),
           tela.at(ultimaLinha_, 0).attr);
  tela.put(ultimaLinha_, 0, std::string(texto) + " ", tela.at(ultimaLinha_, 0).attr);
  const int n = colunaStatus_ - (static_cast<int>(texto.size()) + 2);
  {
    rt::ui::Read read(c);
    read.get(ultimaLinha_, static_cast<int>(texto.size()) + 1, rt::ui::var("cGet", valor),
             "@KS" + std::to_string(n));
    read.run();
  }
  if (anterior) {
    c.setKey(key::AltI, *anterior);
    c.holdKey(key::AltI, presa);
  } else {
    c.clearKey(key::AltI);
  }
  e_.insere = c.insertMode();
  return valor;
}

void Editor::SEARCH() {
  const std::string busca(rt::text::alltrim(PROMPT("Buscar por:", rt::text::padr(e_.busca, 64))));
  if (busca.empty()) {
    console::MENS(ctx_);
    return;
  }
  e_.busca = busca;
  XSEARCH(0);
}

void Editor::XSEARCH(int salto) {
  if (e_.busca.empty()) {
    console::MENS(ctx_);
    return;
  }
  const std::string& t = e_.carta.texto;
  const std::size_t p = static_cast<std::size_t>(salto) + posicaoDoCursor();
  const std::size_t q = p <= t.size() ? t.find(e_.busca, p) : std::string::npos;
  if (q == std::string::npos) {
    console::MENS(ctx_, console::mens::Linha, "Texto não encontrado."_cp);
    return;
  }
  const rt::ui::LineCol lc = rt::ui::memoPosToLineCol(t, e_.carta.formato.largura, q, e_.tabulacao, true);
  e_.colunaJanela += lc.col - e_.coluna;
  e_.coluna = lc.col;
  // A match within the window moves the cursor down to it; further on, the text scrolls.
  if (lc.line - e_.linha <= (e_.base - e_.topo) - e_.linhaJanela) e_.linhaJanela += lc.line - e_.linha;
  e_.linha = lc.line;
  console::MENS(ctx_, console::mens::Linha, "Busca OK.");
}

void Editor::INS_CAMP() {
  Decimal escolha;
  {
    TELA_ED(8);
    const auto dialogo = console::JanelaAberta::adota(ctx_.janelas, console::Jan::kLista);
    rt::ui::Read read(ctx_.console, coresDoDialogo(ctx_.cores));
    read.get(ctx_.ALJA[ctx_.NT] + 17, ctx_.ACJA[ctx_.NT] + 20, rt::ui::var("nEscolha", escolha), "99")
        .valid([&escolha] { return !escolha.isNegative() && escolha < Decimal(35); });
    if (read.run().escaped) escolha = Decimal(0);
  }
  const int n = inteiro(escolha);
  if (n >= 1 && n <= static_cast<int>(camposDaCarta().size())) {
    const std::string campo = std::string(" ") + kCampoAbre +
                              std::string(camposDaCarta()[static_cast<std::size_t>(n - 1)].nome) +
                              kCampoFecha + " ";
    e_.carta.texto.insert(std::min(posicaoDoCursor(), e_.carta.texto.size()), campo);
  }
  e_.modificado = true;
}

void Editor::FORMTXT() {
  FormatoCarta& f = e_.carta.formato;
  Decimal esq(f.margemEsquerda), dir(f.margemDireita), total(f.largura + f.margemEsquerda + f.margemDireita);
  Decimal sup(f.margemSuperior), inf(f.margemInferior), linhas(f.linhas);
  {
    TELA_ED(7);
    const auto dialogo = console::JanelaAberta::adota(ctx_.janelas, console::Jan::kLista);
    const int l = ctx_.ALJA[ctx_.NT], c = ctx_.ACJA[ctx_.NT];
    rt::ui::Read read(ctx_.console, coresDoDialogo(ctx_.cores));
    read.get(l, c + 19, rt::ui::var("nMargemE", esq), "999").valid([&] { return !esq.isNegative(); });
    read.get(l + 1, c + 19, rt::ui::var("nMargemD", dir), "999").valid([&] { return !dir.isNegative(); });
    read.get(l + 2, c + 19, rt::ui::var("nTamanho", total), "999").valid([&] {
      return total >= esq + dir + Decimal(1);
    });
    read.get(l + 3, c + 20, rt::ui::var("nMargemS", sup), "99").valid([&] { return !sup.isNegative(); });
    read.get(l + 4, c + 20, rt::ui::var("nMargemI", inf), "99").valid([&] { return !inf.isNegative(); });
    read.get(l + 5, c + 20, rt::ui::var("nNroLin", linhas), "99").valid([&] {
      return linhas >= sup + inf + Decimal(1);
    });
    read.run();
  }
  // The values stand even when the form was left with Esc, unless they leave no room for text
  // (a field left with Esc is not checked).
  const FormatoCarta novo{inteiro(esq),    inteiro(dir), inteiro(total) - inteiro(esq) - inteiro(dir),
                          inteiro(linhas), inteiro(sup), inteiro(inf)};
  if (!novo.utilizavel()) {
    console::MENS(ctx_, console::mens::Linha, "Formato sem espaço para o texto: mantido o anterior."_cp);
    return;
  }
  f = novo;
  e_.modificado = true;
}

void Editor::DISPLAYHELP(int qual) {
  rt::term::Screen& tela = ctx_.screen();
  const rt::term::Screen::Saved salva = tela.save({0, 0, ultimaLinha_, ultimaColuna_});
  const auto forma = tela.cursorShape();
  const rt::term::Attr cor = rt::term::makeAttr(15, 1);
  tela.fill({0, 0, ultimaLinha_, ultimaColuna_}, ' ', cor);
  std::vector<std::string> linhas;
  if (qual == 1) {
    tela.put(0, 1, "Texto de Help de Teclas do Editor", cor);
    const char* teclas[][3] = {
        {"Seta p/cima", "Ctrl-E", "Linha p/cima"},
        {"Seta p/baixou", "Ctrl-X", "Linha p/baixo"},
        {"Seta p/esquerda", "Ctrl-S", "Caracter p/esq"},
        {"Seta p/direita", "Ctrl-D", "Caracter p/dir"},
        {"Ctrl+Seta p/esq", "Ctrl-A", "Palavra p/esq"},
        {"Ctrl+Seta p/dir", "Ctrl-F", "Palavra p/dir"},
        {"Home", "", "Inicio da Linha"},
        {"End", "", "Fim da Linha"},
        {"Ctrl-Home", "", "Topo da Janela"},
        {"Ctrl-End", "", "Fim da Janela"},
        {"PgUp", "", "Pagina Anterior"},
        {"PgDn", "", "Pagina Posterior"},
        {"Ctrl-PgUp", "", "Começo do Arquivo"},
        {"Ctrl-PgDn", "", "Fim do Arquivo"},
        {"Return", "", "Começo da prox linha"},
        {"Delete", "", "Apaga caracter"},
        {"Backspace", "", "Apaga caracter a esq."},
        {"Tab", "", "Insere tabulação"},
        {"Ctrl-Y", "", "Apaga Linha"},
        {"Ctrl-T", "", "Apaga palavra a dir."},
    };
    for (const auto& t : teclas)
      linhas.push_back(rt::text::padr(t[0], 17) + rt::text::padr(t[1], 14) + rt::text::utf8ToCp860(t[2]));
  } else {
    tela.put(0, 1, "Texto de Help de Modulos do Editor", cor);
    const auto item = [&linhas](const char* nome, const char* desc) {
      linhas.push_back(rt::text::padr("    " + rt::text::utf8ToCp860(nome), 22) +
                       rt::text::utf8ToCp860(desc));
    };
    const auto titulo = [&linhas](const char* nome, const char* desc) {
      if (!linhas.empty()) linhas.emplace_back();
      linhas.push_back(rt::text::padr(rt::text::utf8ToCp860(nome), 22) + rt::text::utf8ToCp860(desc));
    };
    titulo("Arquivos", "Seleciona o menu de arquivos.");
    item("Abrir", "Abre um arquivo já existente.");
    item("Novo", "Abre um novo arquivo.");
    item("Salvar", "Salva o arquivo corrente.");
    item("Salvar Como", "Salva o texto corrente com outro nome");
    item("Sair", "Sai do Editor de Texto.");
    titulo("Edição", "Seleciona o Menu de Edição");
    item("Busca", "Procura um determinado trecho de texto");
    item("Busca Novamente", "Repete a procura anterior");
    item("Insere Campos", "Insere campos para mala direta");
    titulo("Impressão", "");
    item("Texto", "Imprime o Texto sem mesclar com a mala");
    item("Mala", "Imprime o Texto mesclando com os dados");
    titulo("Help", "");
    item("Teclas", "Mostra descrição das teclas do Editor");
    item("Menus", "Mostra descrição dos Menus do Editor");
    tela.put(22, 2, " As setas fazem a movimentação e o Enter seleciona "_cp, cor);
  }
  tela.box({1, 0, ultimaLinha_ - 1, ultimaColuna_}, console::molduraSimples(), cor);
  for (std::size_t i = 0; i < linhas.size() && static_cast<int>(i) + 2 < ultimaLinha_ - 1; ++i)
    tela.put(2 + static_cast<int>(i), 2, linhas[i], cor);
  tela.put(ultimaLinha_, 1, "Tecle algo para retornar a edição..."_cp, cor);
  tela.setCursorShape(rt::term::CursorShape::Normal);
  ctx_.console.waitKey();
  tela.setCursorShape(forma);
  tela.restore(salva);
}

}  // namespace office::editor
