#include "console/ajuda.h"

#include <cstdint>
#include <utility>

#include "console/alerta.h"
#include "console/menus.h"
#include "rt/term/colour.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/memoedit.h"
#include "workareas/areas.h"
#include "workareas/selecao.h"

namespace console {

using namespace rt::text::literals;

namespace {

constexpr workareas::Area kAreaAjuda = workareas::Area::HELPTXT;
constexpr int kLarguraTexto = 52;  // the text is laid out this wide to size the window
constexpr int kLinhasMax = 13;

// Lines of a text laid out `largura` wide, trailing line ends not counted.
int contaLinhas(std::string_view texto, int largura) {
  while (!texto.empty() && (texto.back() == '\n' || texto.back() == '\r' || texto.back() == '\x1A'))
    texto.remove_suffix(1);
  if (texto.empty()) return 0;
  return rt::ui::memoPosToLineCol(texto, largura, texto.size()).line;
}

// The text of a help memo as the shipped memo files hold it: a dBASE IV block begins
// FF FF 08 00 and the length of header and text; otherwise the text ends at the first 1A
// (some files end it with a single one, and what follows in the block is not text).
std::string textoDoMemo(std::string_view memo) {
  if (memo.size() >= 8 && memo.substr(0, 4) == std::string_view("\xFF\xFF\x08\x00", 4)) {
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i)
      n = (n << 8) | static_cast<unsigned char>(memo[static_cast<std::size_t>(4 + i)]);
    const std::size_t texto = n >= 8 ? n - 8 : 0;
    return std::string(memo.substr(8, texto));
  }
  return std::string(memo.substr(0, memo.find('\x1A')));
}

// Whatever way the help ends: the help table closed, the area that was current selected again
// and the guard cleared.
class FimDaAjuda {
 public:
  FimDaAjuda(bool& guarda, workareas::AreasTrabalho& areas)
      : selecao_(areas), guarda_(guarda), areas_(areas) {
    guarda_ = true;
  }
  ~FimDaAjuda() {
    if (abriu_) workareas::solta(areas_, kAreaAjuda);
    guarda_ = false;
  }
  FimDaAjuda(const FimDaAjuda&) = delete;
  FimDaAjuda& operator=(const FimDaAjuda&) = delete;
  void abriu() { abriu_ = true; }

 private:
  workareas::SelecaoGuardada selecao_;  // given back after the table is closed
  bool& guarda_;
  workareas::AreasTrabalho& areas_;
  bool abriu_ = false;
};

}  // namespace

Ajuda::Ajuda(Contexto& ctx, AcessoAjuda acesso) : ctx_(ctx), acesso_(std::move(acesso)) {}

void Ajuda::TXT_HELP(std::string_view topicoDado, int tabela) {
  if (LTOHELP) return;
  workareas::AreasTrabalho& areas = acesso_.tabelas.areas;
  FimDaAjuda fim(LTOHELP, areas);

  if (!acesso_.abreAjuda || !acesso_.abreAjuda(tabela == 1 ? "HELPTXT" : "HELPATXT")) return;
  fim.abriu();
  workareas::seleciona(areas, kAreaAjuda);
  rt::db::Table* t = workareas::tabela(areas, kAreaAjuda);
  if (t == nullptr) return;

  std::string topico(rt::text::trim(topicoDado));
  if (topico.empty() && acesso_.campoDaGrade) topico = acesso_.campoDaGrade();
  if (rt::text::trim(topico).empty()) {
    AVISOSN(ctx_, std::string(" Help não encontrado..."_cp), 0);
    return;
  }
  if (t->orderCount() >= 1) t->setOrder(1);
  if (!t->seek(rt::text::padr(rt::text::upper(topico), 10)).isOk() || !t->found()) return;

  const std::string texto = textoDoMemo(t->getText("TEXTO"));
  int n = contaLinhas(texto, kLarguraTexto);
  if (n < 1 || n > kLinhasMax) n = kLinhasMax;

  const Cores& c = ctx_.cores;
  ctx_.janelas.REDEFJAN(Jan::kAjuda, c.COR_TEL1, c.COR_TEL2, c.COR_TEL2, 1, 0, n + 2, 64, 2);
  {
    const JanelaAberta janela(ctx_.janelas, Jan::kAjuda);
    const auto moldura = static_cast<rt::term::Attr>(c.COR_TEL2);
    // Rows here count from the window's top edge (row 0), columns from its left edge.
    ctx_.screen().put(1, 2, "   H E L P       ", moldura);
    ctx_.screen().put(1 + n + 1, 35, " <ALT P>  Imprime este HELP", moldura);

    rt::ui::MemoOptions op;
    op.edit = false;
    op.colour = rt::term::parseColour(c.COR_2_CLI).value_or(rt::term::makeAttr(15, 1));
    op.keyHook = [this](rt::ui::MemoMode modo, int linha, int coluna) {
      return IMP_TEXTO(static_cast<int>(modo), linha, coluna);
    };
    rt::ui::memoEdit(ctx_.console, texto, {2, 1, n + 1, 63}, op);
  }
  if (acesso_.aoFechar) acesso_.aoFechar();
}

int Ajuda::IMP_TEXTO(int modo, int, int) {
  if (modo == static_cast<int>(rt::ui::MemoMode::Key) && ctx_.console.lastKey().code == rt::term::key::AltP) {
    // Printing a help text has no body yet: the key is swallowed and the viewer goes on.
    return rt::ui::memo::kIgnore;
  }
  return rt::ui::memo::kDefault;
}

std::string Ajuda::campoAtual() const {
  rt::term::ActiveInput* e = ctx_.console.activeInput();
  if (e == nullptr) return {};
  std::string nome = rt::text::upper(e->name());
  if (nome.rfind("M->", 0) == 0) nome.erase(0, 3);
  return nome;
}

void Ajuda::MOSTRA_HELP(int item, int tabela) {
  if (item == 0) {
    ctx_.POSVER = 1;
    OpcoesMenu opcoes;
    opcoes.teclas = "GTCF";
    item = ESC_OPCAO(ctx_, Jan::kSobreposta, 4, 3, 7, opcoes);
  }
  if (item < 1 || item > 4) return;
  rt::term::Screen& tela = ctx_.screen();
  const rt::term::CursorShape cursor = tela.cursorShape();
  tela.setCursorShape(rt::term::CursorShape::Normal);
  switch (item) {
    case 1:
      TXT_HELP("GERAL", tabela);
      break;
    case 2: {
      const int n = acesso_.tela ? acesso_.tela() : 0;
      TXT_HELP("TELA" + rt::text::strzero(rt::text::Decimal(n), 2), tabela);
      break;
    }
    case 3:
      TXT_HELP(campoAtual(), tabela);
      break;
    default:
      TXT_HELP("FUNCOES", tabela);
      break;
  }
  tela.setCursorShape(cursor);
}

void Ajuda::MOS_HELP() {
  TXT_HELP(campoAtual(), 1);
}

std::string OKEI(Contexto& ctx, int tipo) {
  return AVISOSN(ctx, "Confirma os dados ?", tipo);
}

}  // namespace console
