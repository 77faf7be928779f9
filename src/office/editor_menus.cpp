// The letter editor's frames, menu bar and menus, and its printing.
#include <filesystem>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/menus.h"
#include "office/editor_estado.h"
#include "office/escol_cart.h"
#include "office/mala.h"
#include "print/destino.h"
#include "print/rota.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace office::editor {

using namespace rt::text::literals;
namespace key = rt::term::key;

namespace {

struct Menu {
  std::string_view titulo;
  int largura;
  std::string_view letras;
  std::vector<std::string_view> linhas;
};

const Menu& menu(int n) {
  static const Menu menus[] = {
      {"Arquivos", 11, "ANSCR", {"Abrir", "Novo", "Salvar", "salvar Como", "saiR"}},
      {"Edição"_cp, 15, "BNIF", {"Busca", "busca Novamente", "Insere campos", "Formata texto"}},
      {"Impressão"_cp, 5, "TM", {"Texto", "Mala"}},
      {"Help", 6, "TM", {"Teclas", "Menu"}},
  };
  return menus[n - 1];
}

// The menu frames' corners (top, left, bottom, right), codes 1-4.
constexpr int kCantos[4][4] = {{2, 1, 8, 13}, {2, 10, 7, 26}, {2, 20, 5, 26}, {2, 30, 5, 37}};

}  // namespace

void Editor::TELA_ED(int codigo, int linha, int coluna) {
  const console::Cores& c = ctx_.cores;
  auto abre = [&](console::Jan janela, int top, int left, int bottom, int right, int tipo, const std::string& texto) {
    ctx_.janelas.REDEFJAN(janela, c.COR_TEL1, c.COR_TEL2, c.COR_TEL1, top, left, bottom, right, tipo);
    ctx_.janelas.ABREJAN(janela);
    if (!texto.empty()) ctx_.janelas.ESCRJAN(janela, texto);
  };
  ctx_.NTA = ctx_.NT;
  if (codigo == 0) {
    std::string barra;
    for (int h = 1; h <= 4; ++h) barra += rt::text::padr(menu(h).titulo, 10);
    abre(console::Jan::kSubdialogo, 0, 0, 1, 79, 0, barra + std::string(40, ' '));
    return;
  }
  int top = linha, left = coluna, bottom = linha + 10, right = coluna + 14;
  console::Jan janela = console::Jan::kLista;
  std::string texto;
  if (codigo >= 1 && codigo <= 4) {
    janela = console::Jan::kSobreposta;
    top = kCantos[codigo - 1][0];
    left = kCantos[codigo - 1][1];
    bottom = kCantos[codigo - 1][2];
    right = kCantos[codigo - 1][3];
    for (std::string_view l : menu(codigo).linhas) texto += rt::text::padr(l, menu(codigo).largura);
  } else if (codigo == 7) {
    top = 2, left = 32, bottom = 9, right = 63;
    const char* rotulos[][2] = {{"Margem Esquerda", "colunas"}, {"Margem Direita", "colunas"},
                                {"Largura Total", "colunas"},   {"Margem Superior", "linhas"},
                                {"Margem Inferior", "linhas"},  {"Tamanho da Página", "linhas"}};
    for (const auto& r : rotulos)
      texto += rt::text::padr(rt::text::padr(rt::text::utf8ToCp860(r[0]), 23) + r[1], 30);
  } else if (codigo == 8) {
    top = 2, left = 32, bottom = 21, right = 62;
    const auto& campos = camposDaCarta();
    for (std::size_t i = 0; i < campos.size(); ++i) {
      const std::string item =
          rt::text::doisDigitos(static_cast<long long>(i + 1)) + " " + std::string(campos[i].legenda);
      texto += rt::text::padr(item, i % 2 == 0 ? 15 : 14);
    }
    texto += rt::text::padr("Informe o número"_cp, 29);
  }
  if (codigo != 5) {
    ctx_.ALJA[ctx_.NT] = top;
    ctx_.ACJA[ctx_.NT] = left;
  }
  abre(janela, top, left, bottom, right, 1, texto);
}

int Editor::ESCOLHE() {
  int h = 1, mostrado = 0;
  rt::term::Screen& tela = ctx_.screen();
  tela.setCursorShape(rt::term::CursorShape::Hidden);
  // The heading's menu, drawn again for each heading shown.
  const auto janela = console::JanelaAberta::adota(ctx_.janelas, console::Jan::kSobreposta);
  int escolha = 0;
  for (bool fim = false; !fim;) {
    if (h != mostrado) {
      TELA_ED(h);
      mostrado = h;
    }
    ctx_.janelas.ESCRATR(console::Jan::kSubdialogo, 1, (h - 1) * 10 + 1, ctx_.cores.COR_ESCOL, 9);
    const rt::term::Key k = ctx_.console.waitKey();
    ctx_.janelas.ESCRATR(console::Jan::kSubdialogo, 1, (h - 1) * 10 + 1, ctx_.cores.COR_TEL2, 9);
    switch (k.code) {
      case key::Enter:
      case key::Down:
        escolha = h;
        fim = true;
        break;
      case key::Esc:
        fim = true;
        break;
      case key::Home:
        h = 1;
        break;
      case key::End:
        h = 4;
        break;
      case key::Right:
        h = std::min(h + 1, 4);
        break;
      case key::Left:
        h = std::max(h - 1, 1);
        break;
      default:
        // A heading's initial opens it.
        for (int i = 1; i <= 4 && k.isChar(); ++i)
          if (rt::text::upperChar(k.ch()) == rt::text::upperChar(menu(i).titulo.front())) {
            escolha = h = i;
            fim = true;
          }
        break;
    }
  }
  cursor(false);
  return escolha;
}

void Editor::MENUED() {
  int h = 0;
  if (e_.pendente == Pendente::Menu)
    h = ESCOLHE();
  else if (e_.pendente == Pendente::MenuArquivo)
    h = 1;
  else if (e_.pendente == Pendente::MenuEdita)
    h = 2;
  else if (e_.pendente == Pendente::MenuImprime)
    h = 3;
  else if (e_.pendente == Pendente::MenuAjuda)
    h = 4;
  e_.pendente = Pendente::Nada;
  if (h == 0) return;
  const Menu& m = menu(h);
  for (bool denovo = true; denovo;) {
    denovo = false;
    TELA_ED(h);
    ctx_.POSVER = 1;
    console::OpcoesMenu opcoes;
    opcoes.teclas = std::string(m.letras);
    const int opcao = console::ESC_OPCAO(ctx_, console::Jan::kSobreposta, static_cast<int>(m.linhas.size()), 1, m.largura, opcoes);
    if (opcao == 0) break;
    switch (h) {
      case 1:
        denovo = !arquivos(opcao);
        break;
      case 2:
        ctx_.janelas.FECHAJAN(console::Jan::kSobreposta);
        if (opcao == 1)
          SEARCH();
        else if (opcao == 2)
          SEARCHAGAIN();
        else if (opcao == 3)
          INS_CAMP();
        else
          FORMTXT();
        break;
      case 3:
        ctx_.janelas.FECHAJAN(console::Jan::kSobreposta);
        imprime(opcao == 2);
        break;
      default:
        ctx_.janelas.FECHAJAN(console::Jan::kSobreposta);
        DISPLAYHELP(opcao);
        break;
    }
  }
  ctx_.janelas.FECHAJAN(console::Jan::kSobreposta);
}

std::optional<std::string> Editor::nomeNovo() {
  std::string nome(8, ' ');
  console::OpcoesMens op;
  op.linha = 5;
  op.coluna = 20;
  op.picture = "@!";
  op.valid = [&nome] { return !rt::text::alltrim(nome).empty(); };
  console::MENS(ctx_, console::mens::Campo, "Nome da Carta:", nome, op);
  const std::string limpo(rt::text::alltrim(nome));
  if (limpo.empty()) return std::nullopt;
  // The name stays in the letters' folder: no folder, no "..".
  if (!arquivoNaPasta(s_.pastaCartas, limpo + ".TXT")) {
    console::AVISOSN(ctx_, "Nome de carta inválido: use letras, números, _ ou -"_cp, 0);
    return std::nullopt;
  }
  return limpo + ".TXT";
}

bool Editor::arquivos(int opcao) {
  switch (opcao) {
    case 1: {
      const std::string nome(rt::text::alltrim(ESCOL_CART(ctx_, s_.pastaCartas, 2, 15)));
      if (nome.empty()) return false;
      if (!podeTrocar()) return true;
      ctx_.janelas.FECHAJAN(console::Jan::kSobreposta);
      ABRTXT(nome);
      return true;
    }
    case 2: {
      const auto nome = nomeNovo();
      if (!nome) return false;
      if (!podeTrocar()) return true;
      e_.nome = *nome;
      e_.carta = Carta{"", {0, 0, 80, 66, 0, 0}};
      e_.linha = 1;
      e_.coluna = e_.linhaJanela = e_.colunaJanela = 0;
      return true;
    }
    case 3:
      e_.pendente = Pendente::Salvar;
      return true;
    case 4: {
      const auto nome = nomeNovo();
      if (!nome || !podeSubstituir(*nome)) return false;
      e_.nome = *nome;
      e_.modificado = true;  // written even when unchanged
      e_.pendente = Pendente::Salvar;
      return true;
    }
    default:
      if (ABANDONA()) e_.pendente = Pendente::Sair;
      return true;
  }
}

bool Editor::podeSubstituir(const std::string& nome) {
  const auto alvo = arquivoNaPasta(s_.pastaCartas, nome);
  std::error_code ec;
  if (!alvo || !std::filesystem::exists(std::filesystem::symlink_status(*alvo, ec))) return true;
  // Saving the letter under its own name is a save, not a replacement.
  if (const auto atual = arquivoNaPasta(s_.pastaCartas, e_.nome); atual == alvo) return true;
  return console::AVISOSN(ctx_, "O arquivo " + nome + std::string(" já existe. Substituir?"_cp), 2) == "S";
}

void Editor::imprime(bool mala) {
  const std::string texto = FORMATA(e_.carta);
  imp_.ARQ_IMP.assign(1, ' ');
  imp_.roteadoNoTrabalho = false;
  imp_.CAN_IMP = false;
  imp_.QLIN = 0;
  // A routing that fails was said by PREP_IMP: the letter is left as it is.
  if (!print::PREP_IMP(ctx_, imp_)) return;
  if (!mala) {
    IMPR_EDT(imp_, texto);
  } else if (store::ABERTURA(ctx_, store::Area::IMP0910)) {
    rt::db::Table& reg = *ctx_.areas.table(store::Area::IMP0910);
    reg.goTop();
    IMPR_MAIL(ctx_, imp_, texto);
  }
  if (imp_.QLIN > 0) imp_.dispositivo.eject();
  imp_.QLIN = 0;
  if (print::naoDos(imp_.conf)) {
    print::PedidoImpTxt pedido = s_.pedido;
    pedido.tipo = 2;
    print::IMP_TXT(ctx_, imp_, pedido, s_.env ? s_.env : platform::processEnvironment()).ignoreTold();
  } else {
    print::fechaSaida(ctx_, imp_).ignoreTold();
  }
  imp_.ARQ_IMP.assign(1, ' ');
}

}  // namespace office::editor
