#include "grid/edita.h"

#include <algorithm>
#include <optional>

#include "console/alerta.h"
#include "console/fonte_tabela.h"
#include "console/mensagens.h"
#include "console/recusa.h"
#include "console/recusas.h"
#include "grid/congela.h"
#include "grid/gravacoes_grade.h"
#include "grid/laco.h"
#include "grid/sessao.h"
#include "rt/db/structure.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/travas.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;
using rt::ui::Value;
namespace key = rt::term::key;

namespace {

void poe(taxcalc::Gravacoes& grava, Table& t, std::string_view campo, const Value& v) {
  if (t.field(campo) != nullptr) grava.put(t, campo, v);
}

}  // namespace

std::string recalculoCalculadora(int opc) { return tracosDaTela(opc).recalculoCalculadora; }

rt::Status F_TROCA(store::Contexto& ctx, Grade& g, const Value& valor) {
  Table* t = ctx.areas.currentTable();
  // No cell of the table under the cursor: the grid leaves it as it is, with nothing to say.
  if (t == nullptr || t->eof() || g.PONTEIRO < 1 || g.PONTEIRO > static_cast<int>(g.TABCPOIN.size()))
    return console::falhaDita(rt::Error::kNoRecord, "F_TROCA: no row under the cursor");
  const std::string& campo = g.TABCPOIN[static_cast<std::size_t>(g.PONTEIRO - 1)];
  if (t->field(campo) == nullptr) return console::falhaDita(rt::Error::kBadField, "F_TROCA: " + campo);
  if (!store::REC_LOCK(ctx, store::kEsperaTrava))
    return console::falhaDita(rt::Error::kLocked, "F_TROCA: " + campo);
  rt::Status s = t->put(campo, valor);
  // The release writes the row before the lock goes, so a refusal there is said too.
  if (const rt::Status liberada = t->unlock(); s.isOk()) s = liberada;
  // The field keeps what it had; the user is told why the value did not go in.
  if (!s.isOk()) console::AVISOSN(ctx, taxcalc::textoRecusa(s, campo), 0);
  return s.markTold();
}

rt::Status ADIC_REG(store::Contexto& ctx, Grade& g) { return ADIC_REG(ctx, g, tracosDaTela(g.OPC)); }

rt::Status ADIC_REG(store::Contexto& ctx, Grade& g, const Tracos& tracos) {
  if (!store::ADD_REC(ctx, store::kEsperaTrava)) return console::falhaDita(rt::Error::kLocked, "ADIC_REG");
  Table& t = *ctx.areas.currentTable();
  GravacoesGrade grava(ctx);
  if (tracos.gravaCpf) poe(grava, t, "CPF", g.CPF);
  if (tracos.gravaAtividade) poe(grava, t, "ATV_BRASIL", g.ATV_BRASIL);
  if (!tracos.tipoRendimento.empty()) poe(grava, t, "I1_1", tracos.tipoRendimento);
  if (tracos.gravaLeao) {
    poe(grava, t, "I1_1", g.I1_1);
    poe(grava, t, "I1_11", g.I1_11);
    if (g.I1_11 == "N") poe(grava, t, "I1_8", g.CPFDEPEN);
  }
  if (tracos.gravaTipoCr) poe(grava, t, "TIPOCR", g.TIPOCR);
  const std::string& linha = tracos.campoNumerado;
  if (!linha.empty() && t.field(linha) != nullptr && t.getNumber(linha).isZero())
    grava.put(t, linha, rt::text::Decimal::fromInt(static_cast<std::int64_t>(t.recNo()) * 10));
  if (tracos.gravaBem) poe(grava, t, "BEM_NRO", g.BEM_NRO);
  if (tracos.gravaTipoOperacao) poe(grava, t, "TIPO", g.pagina().tipoOperacao);
  grava.destrava();
  g.LAPPEND = false;
  return {};
}

void DIGA_QUEM(store::Contexto& ctx, Grade& g, std::string_view nome) {
  const console::Cores& c = ctx.cores;
  ctx.janelas.REDEFJAN(console::Jan::kCabecalho, c.COR_TEL2, c.COR_TEL1, c.COR_TEL3, 0, 0, 0, 80, 0);
  ctx.janelas.ABREJAN(console::Jan::kCabecalho);
  ctx.janelas.ESCRJAN(console::Jan::kCabecalho, rt::text::transform(g.CPF, "@R 999.999.999-99") + "  " + std::string(nome) + std::string(10, ' '));
}

std::optional<console::Jan> ABRE_MOLDURA(store::Contexto& ctx, const TelaGrade& tela) {
  using console::Jan;
  const std::optional<Jan> janela = tela.moldura == 6 ? Jan::kSobreposta : (tela.moldura == 1 || tela.moldura == 2) ? std::optional(Jan::kGrade) : std::nullopt;
  if (janela) {
    const console::Cores& c = ctx.cores;
    const rt::term::Rect& r = tela.ret;
    ctx.janelas.REDEFJAN(*janela, c.COR_TEL1, c.COR_TEL2, c.COR_TEL1, r.top, r.left, r.bottom, r.right, 2);
    ctx.janelas.ABREJAN(*janela);
  }
  return janela;
}

std::string MOSTRA(store::Contexto& ctx, Grade& g, const TelaGrade& tela) {
  const console::Cores& c = ctx.cores;
  const rt::term::Rect& r = tela.ret;
  const std::optional<console::Jan> janela = ABRE_MOLDURA(ctx, tela);
  if (!tela.mensagem.empty()) console::MENS(ctx, console::mens::Linha, tela.mensagem);

  const store::Area area = ctx.areas.current();
  Table* t = ctx.areas.table(area);
  g.LAPPEND = !tela.soLeitura && (t == nullptr || (t->eof() && t->bof()) || t->recordCount() == 0);
  FonteGrade fonte(ctx.areas, area, g.LAPPEND);
  const rt::term::Rect dentro{r.top + 1, r.left + 1, r.bottom - 1, r.right - 1};
  rt::ui::Browse b(ctx.screen(), dentro, fonte);
  b.setColours(rt::term::parseColourList(c.COR_1_CLI + "," + c.COR_GET + "," + c.COR_2_CLI + "," + c.COR_SAY));
  b.setHeadSep(std::string("┬─"_cp));
  b.setColSep(std::string("│"_cp));
  if (tela.rodape || !tela.rodapes.empty()) b.setFootSep(std::string("┴─"_cp));
  for (int i = 0; i < g.N_CAM; ++i) {
    const Coluna& col = tela.colunas[static_cast<std::size_t>(i)];
    auto bloco = [&ctx, area, &col]() -> Value {
      const Table* tab = ctx.areas.table(area);
      if (tab == nullptr) return std::string();
      Value v;
      if (tab->eof()) {
        const rt::db::FieldDef* f = tab->field(col.cpoin);
        v = f != nullptr ? rt::db::blankValue(*f) : Value(std::string());
      } else {
        v = col.exibe ? col.exibe(*tab) : console::valorColuna(tab, col.cpoin, col.masc);
      }
      if (col.mostra > 0)
        if (auto* s = std::get_if<std::string>(&v)) *s = rt::text::substr(*s, 1, col.mostra);
      return v;
    };
    rt::ui::Column coluna = rt::ui::makeColumn(g.TABDESC[static_cast<std::size_t>(i)], bloco, g.TABMASC[static_cast<std::size_t>(i)]);
    if (tela.tracos.poupanca && static_cast<std::size_t>(i) < g.MATAUX.size()) coluna.footing = g.MATAUX[static_cast<std::size_t>(i)];
    if (static_cast<std::size_t>(i) < tela.rodapes.size()) coluna.footing = tela.rodapes[static_cast<std::size_t>(i)];
    b.addColumn(std::move(coluna));
  }
  if (tela.congela > 0) {
    b.setFreeze(tela.congela);
    SAI_CONGELADA(b);
  }
  if (tela.primeiraColuna > 0 && b.columnCount() >= tela.primeiraColuna) b.setColPos(tela.primeiraColuna);

  Sessao s{ctx, g, tela, fonte, b, area, false, {}, {}};
  Laco laco(s, dentro);
  laco.roda();
  LIMPA_ORDENS(s);

  if (janela) {
    // A grid only drawn stays in view behind the form or grid edited next: its window is
    // closed, but what it shows is put back over what the window covered.
    const std::optional<rt::term::Screen::Saved> desenho =
        g.SO_MOS != 0 ? std::optional(ctx.screen().save(r)) : std::nullopt;
    ctx.janelas.FECHAJAN(*janela);
    if (desenho) ctx.screen().restore(*desenho);
  }
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  ctx.TAM_OLD = 0;
  GravacoesGrade grava(ctx);
  for (Table* tab : ctx.areas.abertas()) grava.confere(tab->commit(), tab->alias());
  ctx.areas.select(area);
  return "";
}

namespace {

// What every run of a grid screen does around it: a grid inside another gives the outer one
// back its columns and cursor, rows marked deleted are hidden, the keys of the last grid are
// forgotten, Alt+U means the monthly split (its global meaning comes back afterwards) and the
// screen's number stays in OPC for whoever reads it after the grid.
class Execucao {
 public:
  Execucao(store::Contexto& ctx, Grade& g, int opc) : externa_(g, false), con_(ctx.console), g_(g), opc_(opc) {
    ctx.areas.setDeletedHidden(true);
    cabecalhosAnos(g);
    g.M_CPFDEPEN = std::string(11, ' ');
    g.LASTECLA = 0;
    g.TECLAMUDA = false;
    const rt::term::Console::HotKey* global = con_.hotKeyFor(rt::term::Key{key::AltU});
    antes_ = global != nullptr ? *global : rt::term::Console::HotKey{};
    con_.clearKey(key::AltU);
    g.OPC = opc;
  }
  ~Execucao() {
    g_.OPC = opc_;
    if (antes_) con_.setKey(key::AltU, antes_);
  }
  Execucao(const Execucao&) = delete;
  Execucao& operator=(const Execucao&) = delete;

 private:
  const GuardaGrade externa_;
  rt::term::Console& con_;
  Grade& g_;
  int opc_;
  rt::term::Console::HotKey antes_;
};

// The screen over its area: the totals before, the list rebuilt, the filter, the columns
// loaded, the hint, the grid, and the totals after.
void executa(store::Contexto& ctx, Grade& g, TelaGrade& tela, Uso uso) {
  tela.soLeitura = uso == Uso::Leitura;
  if (!tela.antes.empty()) g.srv().recalcula(ctx, g, tela.antes);
  if (tela.buscaDespesas) {
    // An empty maintenance list is rebuilt from the assets first.
    if (Table* lista = store::tabela(ctx.areas, store::Area::TMP_10); lista != nullptr && lista->recordCount() == 0)
      g.srv().BUSCA_DESP(ctx, g);
  }
  if (tela.area != store::Area::Nenhuma) store::seleciona(ctx.areas, tela.area);
  tela.area = ctx.areas.current();
  Table* t = ctx.areas.currentTable();
  if (t == nullptr) return;
  if (tela.filtro) t->setFilter(tela.filtro);
  if (t->eof() || !t->isVisible()) t->goTop();
  carregaColunas(g, tela);
  ctx.QUALHLP = "MGETVAR";
  if (tela.dica > 0) {
    if (tela.dicaRural) {
      g.srv().MRODAPER(ctx, g, tela.dica);
    } else {
      g.srv().MRODAPE(ctx, g, tela.dica);
    }
    ctx.areas.select(tela.area);
  }
  // The savings grid first takes in the "other" amounts typed on the exempt-income screen
  // as rows of their own, then asks before it replaces values typed there that no row
  // holds.
  if (!tela.tracos.poupanca) {
    MOSTRA(ctx, g, tela);
  } else {
    TOTAIS_POUPANCA(ctx, g);
    ctx.areas.select(tela.area);
    g.poupancaMantida = !g.srv().FCALPOUPA(ctx, g, 0);
    if (!g.poupancaMantida) {
      ctx.areas.select(tela.area);
      MOSTRA(ctx, g, tela);
    }
  }
  if (tela.filtro) {
    if (Table* tab = ctx.areas.table(tela.area)) tab->clearFilter();
  }
  if (tela.dicaDepois != 0) g.srv().MRODAPER(ctx, g, tela.dicaDepois);
  if (!tela.depois.empty()) {
    g.OPC = tela.opc;
    g.srv().recalcula(ctx, g, tela.depois);
    ctx.areas.select(tela.areaDepois != store::Area::Nenhuma ? tela.areaDepois : tela.area);
  }
}

}  // namespace

void EDITA(store::Contexto& ctx, Grade& g, int opc, int modo, Uso uso) {
  const Execucao execucao(ctx, g, opc);
  if (std::find(telasMatriz().begin(), telasMatriz().end(), opc) != telasMatriz().end()) {
    g.srv().matriz(ctx, g, opc, modo);
  } else if (std::optional<TelaGrade> tela = telaGrade(ctx, g, opc, modo); tela && !tela->recusa.empty()) {
    console::MENS(ctx, console::mens::Aviso, tela->recusa, {.linhas = 2});
  } else if (tela) {
    executa(ctx, g, *tela, uso);
  }
}

void EDITA(store::Contexto& ctx, Grade& g, TelaGrade tela, Uso uso) {
  const Execucao execucao(ctx, g, tela.opc);
  executa(ctx, g, tela, uso);
}

}  // namespace grid
