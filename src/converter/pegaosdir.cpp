#include "converter/pegaosdir.h"

#include <algorithm>
#include <string>

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/pastas.h"
#include "converter/folha_importa.h"
#include "converter/grade.h"
#include "converter/moldura_pastas.h"
#include "converter/molduras.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "store/pastas_dados.h"

namespace converter {

using namespace rt::text::literals;

namespace {

// F1 while the dialog is asked: the installation's folder list; the key's other meaning comes
// back when the dialog ends.
class TeclaF1 {
 public:
  TeclaF1(rt::term::Console& con, rt::term::Console::HotKey faz) : con_(con) {
    if (const rt::term::Console::HotKey* h = con_.hotKeyFor(rt::term::Key{rt::term::key::F1})) antes_ = *h;
    con_.setKey(rt::term::key::F1, std::move(faz));
  }
  ~TeclaF1() {
    if (antes_) {
      con_.setKey(rt::term::key::F1, antes_);
    } else {
      con_.clearKey(rt::term::key::F1);
    }
  }
  TeclaF1(const TeclaF1&) = delete;
  TeclaF1& operator=(const TeclaF1&) = delete;

 private:
  rt::term::Console& con_;
  rt::term::Console::HotKey antes_;
};

// The folders as typed, padded to their fields: the source (40 characters; 80 for the tax
// authority's files, as the terminal's ROTAREANT keeps it), the target and the installation.
struct Digitado {
  std::string origem, destino, instalacao;
};

// F1: the list of the installation folder typed so far. Enter there fills the field the cursor
// stands on (the source or the target), which shows it when the list closes.
void listaDaInstalacao(store::Contexto& ctx, Conversor& c, const Digitado& d) {
  rt::term::ActiveInput* campo = ctx.console.activeInput();
  // The field's variable, as a memvar ("M->ORIGEM").
  std::string nome = campo != nullptr ? campo->name() : std::string();
  if (nome.starts_with("M->")) nome.erase(0, 3);
  c.campoPendente = nome == "ORIGEM" || nome == "DESTINO" ? nome : std::string();
  std::string& alvo = nome == "ORIGEM" ? c.ORIGEM : c.DESTINO;
  const std::string antes = alvo;
  const std::size_t largura = campo != nullptr ? campo->text().size() : 0;
  if (!c.campoPendente.empty()) alvo = std::string(rt::text::alltrim(campo->text()));
  const std::string digitado = alvo;
  const std::string instalacao = c.DIRINST;
  c.DIRINST = rt::text::cp860ToUtf8(rt::text::alltrim(d.instalacao));
  // Said after the opener's own refusal too: either way the clerk has no list to pick from.
  if (!EDITOR(ctx, c)) console::AVISOSN(ctx, "Nao encontrado o arquivo com as pastas do ano anterior", 0);
  c.DIRINST = instalacao;
  if (!c.campoPendente.empty()) {
    if (alvo != digitado) {
      // A folder of the list (40 characters) is never longer than the field: it fits.
      (void)campo->setText(rt::text::padr(alvo, static_cast<int>(std::max(largura, alvo.size()))));
      campo->requestRedisplay();
    }
    alvo = antes;  // the field holds the folder until the dialog is accepted
  }
  c.campoPendente.clear();
}

enum class Pedido { Aceito, Esc };

// One pass of the dialog: the frame drawn afresh and the folders asked.
Pedido pede(store::Contexto& ctx, Conversor& c, ModoPastas modo, Digitado& d) {
  MTELA1(ctx, c, moldura::Pastas);
  const console::JanelaAberta quadro = console::JanelaAberta::adota(ctx.janelas, quadroPastas(c).janela);
  c.linhaDialogo = ctx.ALJA[2];
  c.colunaDialogo = ctx.ACJA[2];
  const bool receita = modo == ModoPastas::Receita;
  d.origem = rt::text::padr(d.origem, receita ? 80 : 40);
  d.destino = rt::text::padr(d.destino, 40);
  d.instalacao = rt::text::padr(d.instalacao, 40);
  const TeclaF1 f1(ctx.console, [&ctx, &c, &d] { listaDaInstalacao(ctx, c, d); });
  rt::ui::Read read(ctx.console, coresEntrada(ctx));
  const CampoPasta o = campoPasta(c, 1), t = campoPasta(c, 3), i = campoPasta(c, 5);
  read.get(o.linha, o.coluna, rt::ui::var("ORIGEM", d.origem), receita ? "@S73" : "@!");
  read.get(t.linha, t.coluna, rt::ui::var("DESTINO", d.destino), "@!");
  if (!receita) {
    read.get(i.linha, i.coluna, rt::ui::var("DIRINST", d.instalacao), "@!").valid([&ctx, &d] {
      if (console::VERDIR(ctx, rt::text::cp860ToUtf8(rt::text::alltrim(d.instalacao)))) return true;
      console::AVISOSN(ctx, "Atencao! Pasta nao existente.", 0);
      return false;
    });
  }
  return read.run().escaped ? Pedido::Esc : Pedido::Aceito;
}

// Whether the source holds last year's tables of the item being run: five IMPnn09 (this
// program's previous edition), four MOLk09 (the sibling's; MOLk10 when its current edition
// is converted again), six ZUKn (the cash book). The first one missing is said.
bool temTabelasAnteriores(store::Contexto& ctx, const Conversor& c, std::string_view origem) {
  switch (c.OPCAO_1) {
    case kBrantel: return store::VEJA_ARQ(ctx, 5, origem, "IMP", "09").isOk();
    case kKelsvor: return store::VEJA_ARQ(ctx, 4, origem, "MOL", c.CTIPOCONV == "S" ? "09" : "10").isOk();
    case kLivroCaixa: return store::VEJA_ARQ(ctx, 6, origem, "ZUK", "").isOk();
    default: return true;
  }
}

// The checks of an accepted input; false when it is to be asked again, or given up (`desiste`).
bool confere(store::Contexto& ctx, Conversor& c, ModoPastas modo, const Digitado& d, bool& desiste) {
  const std::string origem(rt::text::alltrim(d.origem));
  const std::string destino(rt::text::alltrim(d.destino));
  if (modo != ModoPastas::Receita && !console::VERDIR(ctx, rt::text::alltrim(d.instalacao))) {
    console::AVISOSN(ctx, "Atencao! Pasta nao existente.", 0);
    return false;
  }
  bool fonte = true;
  if (origem.empty() || !console::VERDIR(ctx, origem)) {
    console::AVISOSN(ctx, "Drive e/ou Diretório de Origem inexistente !!"_cp, 0);
    fonte = false;
  } else if (modo != ModoPastas::Receita) {
    fonte = temTabelasAnteriores(ctx, c, origem);
  }
  if (!fonte) {
    desiste = console::AVISOSN(ctx, "Continua procurando?") == "N";
    return false;
  }
  // A missing target is made with the user's consent; a drive alone (or nothing) is never
  // made, and one that is not there cannot take the tables.
  const std::string_view finalidade = modo == ModoPastas::Rural ? "TAVREN/MOLDRIK" : " TAVREN  ";
  if (destino.size() > 3 && !console::CRI_NDIR(ctx, destino, finalidade)) return false;
  if (!console::VERDIR(ctx, destino)) {
    console::AVISOSN(ctx, "Atencao! Pasta nao existente.", 0);
    return false;
  }
  return true;
}

// The terminal's CONFIG keeps the folders for the next run: the source under the item's own
// field, the target as the year folder, and the installation folder. Each write says its own
// failure; after the first one the others would only say it again.
void guardaPastas(store::Contexto& ctx, Conversor& c, ModoPastas modo) {
  const char* campo = modo == ModoPastas::Anterior ? "ROTAANTER" : modo == ModoPastas::Rural ? "ROTAMOL" : "ROTAREANT";
  if (!store::gravaConfig(ctx, campo, c.ORIGEM)) return;
  (modo == ModoPastas::Anterior ? c.ROTAANTER : modo == ModoPastas::Rural ? c.ROTAMOL : c.ROTAREANT) = c.ORIGEM;
  if (!store::gravaConfig(ctx, "ROTADOANO", c.DESTINO)) return;
  (void)store::gravaConfig(ctx, "DIRINST", c.DIRINST);  // says its own failure
}

}  // namespace

bool PEGAOSDIR(store::Contexto& ctx, Conversor& c, ModoPastas modo) {
  // Last year's items start from the terminal's folders; the tax authority's start from what
  // their menu item set and keep what was accepted from one file run to the next.
  if (modo != ModoPastas::Receita) {
    c.ORIGEM = modo == ModoPastas::Anterior ? c.ROTAANTER : c.ROTARURAL;
    c.DESTINO = ctx.LOCARQ;
  }
  // Folders are kept as the file system names them (UTF-8) and shown and typed in the
  // console's code page.
  using rt::text::cp860ToUtf8, rt::text::utf8ToCp860;
  Digitado d{utf8ToCp860(c.ORIGEM), utf8ToCp860(c.DESTINO), utf8ToCp860(c.DIRINST)};
  for (;;) {
    if (pede(ctx, c, modo, d) == Pedido::Esc) {
      // The tax authority's dialog is asked again after every run and left with Esc: the
      // folders last accepted are then kept.
      if (modo == ModoPastas::Receita) guardaPastas(ctx, c, modo);
      return false;
    }
    const Digitado noDisco{cp860ToUtf8(rt::text::alltrim(d.origem)), cp860ToUtf8(rt::text::alltrim(d.destino)),
                           cp860ToUtf8(rt::text::alltrim(d.instalacao))};
    bool desiste = false;
    if (!confere(ctx, c, modo, noDisco, desiste)) {
      if (desiste) return false;
      continue;
    }
    c.ORIGEM = noDisco.origem;
    c.DESTINO = noDisco.destino;
    if (modo != ModoPastas::Receita) c.DIRINST = noDisco.instalacao;
    c.ARQORIG = console::BAR_DIR(c.ORIGEM);
    c.ARQDEST = console::BAR_DIR(c.DESTINO);
    // The target is the data folder from now on.
    ctx.definePastaDados(c.DESTINO);
    c.ROTA = ctx.ROTADOANO;
    if (modo != ModoPastas::Receita) guardaPastas(ctx, c, modo);
    return true;
  }
}

}  // namespace converter
