// Switching screens from the keys of an open declaration.
#include "grid/tracos.h"
#include "rt/term/keys.h"
#include "shell/declara.h"
#include "store/areas.h"
#include "store/recusa.h"
#include "store/salva.h"

namespace shell {

namespace key = rt::term::key;

void Declara::terminaTela() {
  tela.fimDaTela = true;
  if (rt::term::ActiveInput* in = p.console.activeInput()) in->endRead();
}

bool Declara::QUETEL(int n, bool comPgDn) {
  if (tela.pagina.TELA == n) return false;
  grade.ULTTECLA = comPgDn ? key::PgDn : p.console.lastKey().code;
  tela.pagina.TELANT = tela.pagina.TELA;
  tela.pagina.TELVEL = tela.pagina.TELA;
  tela.pagina.TELA = n;
  terminaTela();
  grade.TECLAMUDA = true;
  return true;
}

void Declara::MUDATAB(int tecla) {
  grade.ULTTECLA = tecla;
  terminaTela();
}

bool Declara::MUDATEL1() {
  copiaIdentificacao();
  return QUETEL(1);
}

bool Declara::MUDATEL12() {
  const grid::TracosPagina pagina = grid::tracosDaPagina(tela.pagina.TELA);
  if (pagina.altZ == 0) return false;
  if (pagina.ampliada) return QUETEL(pagina.altZ, true);
  const grid::Ampliacao amplia = grid::tracosDaTela(grade.OPC).ampliaAltZ;
  if (amplia == grid::Ampliacao::bens) {
    tela.ZOOM_BEM = true;
    tela.ZOOM_DIV = false;
  } else if (amplia == grid::Ampliacao::dividas) {
    tela.ZOOM_DIV = true;
    tela.ZOOM_BEM = false;
  } else {
    return false;
  }
  return QUETEL(pagina.altZ, true);
}

bool Declara::MUDATEL14() {
  const grid::TracosPagina pagina = grid::tracosDaPagina(tela.pagina.TELA);
  if (pagina.altX == 0) return false;
  if (pagina.ampliada) return QUETEL(pagina.altX, true);
  const grid::Ampliacao amplia = grid::tracosDaTela(grade.OPC).ampliaAltX;
  if (amplia == grid::Ampliacao::bens) {
    tela.ZOOM_BEM2 = true;
    tela.ZOOM_DIV2 = false;
  } else if (amplia == grid::Ampliacao::dividas) {
    tela.ZOOM_DIV2 = true;
    tela.ZOOM_BEM2 = false;
  } else {
    return false;
  }
  return QUETEL(pagina.altX, true);
}

namespace {

// Writes a mirrored record into the single row of its working copy.
void gravaNaCopia(Program& p, store::Area area, const store::RegistroEspelho& r, const std::string& cpf) {
  if (store::tabela(p.areas, area) == nullptr) return;
  store::seleciona(p.areas, area);
  if (!store::PREP_REG(p, cpf)) return;
  rt::db::Table& t = *store::tabela(p.areas, area);
  rt::Status s = r.grava(t);
  // Said; the screen goes on with the mirror as it is.
  store::liberaGravacao(p, t, s, t.alias()).ignoreTold();
}

}  // namespace

void Declara::copiaIdentificacao() {
  const store::SelecaoGuardada selecao(p.areas);
  gravaNaCopia(p, store::Area::TMP_01, dec.espelho.tabela01, dec.espelho.CPF);
}

void Declara::copiaRegistro() {
  const store::SelecaoGuardada selecao(p.areas);
  gravaNaCopia(p, store::Area::TMP_09, dec.espelho.registro, dec.espelho.CPF);
}

}  // namespace shell
