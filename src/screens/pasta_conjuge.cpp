// The folder asked when the spouse's declaration is in none of the folders searched. The
// clerk types a folder (a drive letter with ":" as stored under Windows, mapped through the
// terminal's drive map, or a Linux folder from "/"); F1 lists the names of this folder's
// register to pick the spouse by name, F2 the registered folders. The keys the screen had
// come back when the question ends.
#include <optional>
#include <string>

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/listas.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "screens/regras_comum.h"
#include "screens/teclas.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::alltrim;
namespace key = rt::term::key;

namespace {

// F1: the spouse picked by name in this folder's register (open in area 9); the list writes
// the CPF chosen into CPFCONJU. The taxpayer himself is no spouse.
void nomesDaPasta(AmbienteTela& a) {
  console::Listas* l = listas(a);
  rt::db::Table* t = store::tabela(a.ctx.areas, store::Area::IMP0910);
  if (l == nullptr || t == nullptr) return;
  store::RegistroEspelho& r = a.espelho().registro;
  const std::string antes = r.txt("CPFCONJU");
  store::seleciona(a.ctx.areas, store::Area::IMP0910);
  if (t->orderCount() >= 2) t->setOrder(2);
  a.ctx.QUALHLP = "M->DIRCONJU";
  l->TEMHLP = true;
  l->GERAL();
  if (store::Cpf(alltrim(r.txt("CPFCONJU"))) == a.espelho().CPF) {
    console::AVISOSN(a.ctx, "O CPF do cônjuge não pode ser o do próprio contribuinte."_cp, 0);
    r.txt("CPFCONJU", antes);
  }
}

}  // namespace

std::optional<std::string> pedePastaConjuge(AmbienteTela& a) {
  store::RegistroEspelho& r = a.espelho().registro;
  std::string pasta = rt::text::padr(r.txt("DIRCONJU"), 40);
  TeclasLigadas teclas(a.ctx.console);
  teclas.liga(key::F1, [&a] { nomesDaPasta(a); });
  teclas.liga(key::F2, [&a, &r, &pasta] {
    console::Listas* l = listas(a);
    if (l == nullptr) return;
    l->GERAL3();
    // The list writes the folder chosen into DIRCONJU; the field shows it.
    if (l->escolheu()) pasta = rt::text::padr(r.txt("DIRCONJU"), 40);
  });
  // The message fills five rows of a window whose sixth holds the field: a prompt's own
  // layout would put the folder's 40 columns after the text, across the window's border.
  console::OpcoesMens op;
  op.linha = 12;
  op.coluna = std::string("C");
  op.linhas = 6;
  const std::string texto =
      std::string("ATENÇAO!CPF do conjuge não localizado nenhum diretório.Informe um novo drive e diretório "
                  "para a busca. Tecle  ESC para desistir, F1 p/ ver os nomes  nesse diretório ou F2 para ver "
                  "os diretórios pesquisados"_cp) +
      std::string(pasta.size(), ' ');
  const rt::term::CursorShape cursor = a.ctx.screen().cursorShape();
  rt::ui::ReadResult lido;
  {
    console::MENS(a.ctx, console::mens::Espera, texto, op);
    const auto janela = console::JanelaAberta::adota(a.ctx.janelas, op.janela);
    a.ctx.screen().setCursorShape(cursor);
    const console::LayoutMens l = console::layoutMens(13, texto, op);
    rt::ui::Get campo(l.linha + l.linhas - 1, l.coluna + 1, rt::ui::var("DIRCONJU", pasta), "@K");
    campo.valid([&a, &pasta] { return console::ESPCIF(a.ctx, pasta); });
    lido = rt::ui::readOne(a.ctx.console, std::move(campo), a.cores);
  }
  if (lido.escaped && lido.lastKey.code == key::Esc) return std::nullopt;
  return std::string(alltrim(pasta));
}

}  // namespace screens
