// The letter editor's main loop, its memo editor runs and user function, the status row,
// saving and leaving.
#include "office/editor.h"

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/mensagens.h"
#include "office/editor_estado.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/memoedit.h"

namespace office {

using namespace rt::text::literals;
namespace key = rt::term::key;

namespace editor {

namespace {

constexpr char kLinhaSimples = '\xC4';
const rt::term::Attr kCorTexto = rt::term::makeAttr(15, 1);  // W+/B

// The keys the editor takes for its menus keep their program-wide handlers from firing while
// it runs, and get them back when it ends.
class TeclasDoEditor {
 public:
  explicit TeclasDoEditor(rt::term::Console& c) : c_(c) {
    for (std::size_t i = 0; i < std::size(kTeclas); ++i) antes_[i] = c_.holdKey(kTeclas[i], true);
  }
  ~TeclasDoEditor() {
    for (std::size_t i = 0; i < std::size(kTeclas); ++i) c_.holdKey(kTeclas[i], antes_[i]);
  }
  TeclasDoEditor(const TeclasDoEditor&) = delete;
  TeclasDoEditor& operator=(const TeclasDoEditor&) = delete;

 private:
  static constexpr int kTeclas[] = {key::F1, key::AltA, key::F10, key::AltE, key::AltI, key::AltH};
  rt::term::Console& c_;
  bool antes_[std::size(kTeclas)] = {};
};

}  // namespace

void Editor::cursor(bool insere) {
  ctx_.screen().setCursorShape(insere ? rt::term::CursorShape::Insert : rt::term::CursorShape::Normal);
}

void Editor::roda(const std::string& nome) {
  TeclasDoEditor teclas(ctx_.console);
  console::TelaGuardada tela(ctx_.screen());
  const auto formaAntes = ctx_.screen().cursorShape();
  ctx_.screen().fill({0, 0, ultimaLinha_, ultimaColuna_}, ' ', kCorTexto);
  ctx_.screen().setCursor(0, 0);
  ABRTXT(nome);
  TELA_ED(0);
  for (;;) {
    DOEDITING();
    if (e_.pendente >= Pendente::Menu && e_.pendente <= Pendente::MenuAjuda) MENUED();
    // Esc after typing: the text was kept, and leaving is asked as "saiR" asks it.
    if (e_.pendente == Pendente::Esc) e_.pendente = ABANDONA() ? Pendente::Sair : Pendente::Nada;
    if (e_.pendente == Pendente::Sair) break;
    // EDITWRITE says a letter it could not write; the editor goes on with the text.
    if (e_.pendente == Pendente::Salvar) (void)EDITWRITE();
    e_.pendente = Pendente::Nada;
  }
  ctx_.janelas.FECHAJAN(console::Jan::kSobreposta);
  ctx_.janelas.FECHAJAN(console::Jan::kSubdialogo);
  ctx_.screen().setCursorShape(formaAntes);
  ctx_.screen().setCursor(ultimaLinha_, ultimaColuna_);
}

void Editor::ABRTXT(std::string nome) {
  if (nome.empty()) nome = "SemNome.txt";
  const std::size_t barra = nome.find_last_of("\\/");
  if (nome.find('.', barra == std::string::npos ? 0 : barra) == std::string::npos) nome += ".txt";
  Estado novo;
  novo.base = ultimaLinha_ - 3;
  novo.direita = ultimaColuna_;
  novo.nome = rt::text::lower(nome);
  novo.insere = ctx_.console.insertMode();
  // A letter that cannot be read opens empty under its name, with the default format.
  if (const auto arquivo = arquivoNaPasta(s_.pastaCartas, nome))
    if (const auto bytes = leArquivo(*arquivo)) novo.carta = leCarta(*bytes);
  e_ = std::move(novo);
  rt::term::Screen& tela = ctx_.screen();
  const std::string linha(static_cast<std::size_t>(ultimaColuna_ + 1), kLinhaSimples);
  tela.put(1, 0, linha, kCorTexto);
  tela.put(ultimaLinha_ - 2, 0, linha, kCorTexto);
  tela.put(ultimaLinha_ - 1, 1, rt::text::padr("Arquivo:", 23), kCorTexto);
  tela.put(ultimaLinha_ - 1, 1, "Arquivo: " + e_.nome, kCorTexto);
}

void Editor::DOEDITING() {
  rt::ui::MemoOptions op;
  op.edit = true;
  op.lineWidth = e_.carta.formato.largura;
  op.tabSize = e_.tabulacao;
  op.wordWrap = true;
  op.startLine = e_.linha;
  op.startCol = e_.coluna;
  op.windowRow = e_.linhaJanela;
  op.windowCol = e_.colunaJanela;
  op.colour = kCorTexto;
  op.keyHook = [this](rt::ui::MemoMode modo, int linha, int coluna) {
    return UFUNC(modo, linha, coluna);
  };
  const rt::ui::MemoResult r =
      rt::ui::memoEdit(ctx_.console, e_.carta.texto, {e_.topo, e_.esquerda, e_.base, e_.direita}, op);
  // An Esc on an unchanged text gives it back as it was; a changed one ends as "Esc" with what
  // was typed (UFUNC).
  e_.carta.texto = r.text;
  e_.linha = r.line;
  e_.coluna = r.col;
}

int Editor::UFUNC(rt::ui::MemoMode modo, int linha, int coluna) {
  const rt::term::Screen& tela = ctx_.screen();
  e_.ultimaTecla = ctx_.console.lastKey().code;
  e_.linha = linha;
  e_.coluna = coluna;
  e_.linhaJanela = tela.cursorRow() - e_.topo;
  e_.colunaJanela = tela.cursorCol() - e_.esquerda;
  switch (modo) {
    case rt::ui::MemoMode::Init:
      cursor(e_.insere);
      return rt::ui::memo::kDefault;
    case rt::ui::MemoMode::Idle:
      STATMSG();
      return rt::ui::memo::kDefault;
    case rt::ui::MemoMode::KeyChanged:
      e_.modificado = true;
      break;
    default:
      break;
  }
  switch (e_.ultimaTecla) {
    case key::F10:
      e_.pendente = Pendente::Menu;
      return rt::ui::memo::kSave;
    case key::AltA:
      e_.pendente = Pendente::MenuArquivo;
      return rt::ui::memo::kSave;
    case key::AltE:
      e_.pendente = Pendente::MenuEdita;
      return rt::ui::memo::kSave;
    case key::AltI:
      e_.pendente = Pendente::MenuImprime;
      return rt::ui::memo::kSave;
    case key::AltH:
      e_.pendente = Pendente::MenuAjuda;
      return rt::ui::memo::kSave;
    case key::Esc:
      // The memo's own Esc would give back the text as this run began, losing what was typed:
      // a changed text ends the run with what was typed, for the leaving question.
      if (modo != rt::ui::MemoMode::KeyChanged) return rt::ui::memo::kDefault;
      e_.pendente = Pendente::Esc;
      return rt::ui::memo::kSave;
    case key::Ins:
      e_.insere = !ctx_.console.insertMode();
      cursor(e_.insere);
      return rt::ui::memo::kToggleInsert;
    default:
      return rt::ui::memo::kDefault;
  }
}

void Editor::STATMSG() {
  rt::term::Screen& tela = ctx_.screen();
  const int r = tela.cursorRow(), c = tela.cursorCol();
  const auto forma = tela.cursorShape();
  tela.setCursorShape(rt::term::CursorShape::Hidden);
  // Padded: a shorter name after "Novo" leaves nothing of the longer one.
  tela.put(ultimaLinha_ - 1, 1, rt::text::padr("Arquivo: " + e_.nome, colunaStatus_ - 2), kCorTexto);
  tela.put(
      ultimaLinha_ - 1, colunaStatus_,
      "Linha: " + rt::text::padr(std::to_string(e_.linha), 6) + "Coluna: " + std::to_string(e_.coluna) + "  ",
      kCorTexto);
  tela.put(ultimaLinha_ - 2, 5, " F10 Menu ", kCorTexto);
  tela.setCursor(r, c);
  tela.setCursorShape(forma);
}

bool Editor::EDITWRITE() {
  if (!e_.modificado) {
    console::MENS(ctx_, console::mens::Linha, "O arquivo não foi modificado. Não gravado."_cp);
    return true;
  }
  console::MENS(ctx_, console::mens::Linha, "Gravando " + e_.nome);
  const auto arquivo = arquivoNaPasta(s_.pastaCartas, e_.nome);
  if (!arquivo) {
    console::MENS(ctx_, console::mens::Linha, "Erro na gravação: nome de carta inválido"_cp);
    return false;
  }
  if (const rt::Status gravou = gravaCarta(*arquivo, e_.carta); !gravou) {
    // The old letter is still whole; the clerk is told the system's reason (the detail's last
    // part, after the step and the file).
    const std::string& d = gravou.detail();
    const std::size_t motivo = d.rfind(": ");
    console::MENS(ctx_, console::mens::Linha,
                  std::string("Erro na gravação"_cp) +
                      (motivo == std::string::npos ? std::string() : ": " + rt::text::utf8ToCp860(d.substr(motivo + 2))));
    return false;
  }
  console::MENS(ctx_, console::mens::Linha, "Gravação OK"_cp);
  e_.modificado = false;
  return true;
}

bool Editor::ABANDONA() {
  if (console::AVISOSN(ctx_, "Sair do Editor ? ", 2) != "S") return false;
  if (e_.modificado &&
      console::AVISOSN(ctx_, "O arquivo " + e_.nome + " foi modificado. Gravar?", 2) == "S" && !EDITWRITE())
    return false;
  ctx_.janelas.FECHAJAN(console::Jan::kSubdialogo);
  return true;
}

bool Editor::podeTrocar() {
  if (!e_.modificado) return true;
  if (console::AVISOSN(ctx_, "O arquivo " + e_.nome + " foi modificado. Gravar?", 2) != "S") return true;
  return EDITWRITE();
}

std::size_t Editor::posicaoDoCursor() const {
  return rt::ui::memoLineColToPos(e_.carta.texto, e_.carta.formato.largura, e_.linha, e_.coluna, e_.tabulacao,
                                  true);
}

}  // namespace editor

void EDITEXT(store::Contexto& ctx, print::Impressao& imp, const ServicosEditor& servicos,
             const std::string& nome) {
  editor::Editor(ctx, imp, servicos).roda(nome);
}

}  // namespace office
