#include "gains/tela_ganho.h"

#include <algorithm>
#include <string>
#include <vector>

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/listas.h"
#include "console/mensagens.h"
#include "gains/campos.h"
#include "gains/checa_ganho.h"
#include "gains/ganho.h"
#include "gains/parcelas_ganho.h"
#include "gains/servicos_matriz.h"
#include "gains/tabela_ganho.h"
#include "gains/totais_ganho.h"
#include "grid/edita.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/read.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "taxcalc/gravacoes.h"
#include "taxcalc/linhas.h"

namespace gains {

using namespace rt::text::literals;
namespace key = rt::term::key;

namespace {

constexpr const char* kValor = "@E 999,999,999.99";
constexpr const char* kFracao = "@EZ 9.99999";
// The table grid's screen of the cost rows and share movements of one gain.
constexpr int kTelaCustos = grid::Tela::CustosGanho;
const std::array<std::string_view, 9> kNaturezas = {
    "Venda",  "Permuta com torna",   "Desapropriacao",      "Dacao em pagamento",
    "Doacao", "Proc. Causa Propria", "Prom.Compra e Venda", "Cessao de direitos",
    "Outros"};

rt::db::Table* operacoes(taxcalc::Contexto& c) {
  return c.areas.table(store::numero(store::Area::TMP_07));
}
rt::db::Table* custos(taxcalc::Contexto& c) {
  return c.areas.table(store::numero(store::Area::TMP_08));
}

std::string_view nomeTipo(int tipo) {
  switch (tipo) {
    case Imovel:
      return "Imóvel"_cp;
    case OutrosBens:
      return "Outros bens";
    default:
      return "Participação Societária"_cp;
  }
}

// The record of operation `bem` (kind below 4) in the gains copy, or 0.
std::uint32_t registroDe(rt::db::Table& t, int bem) {
  std::uint32_t r = 0;
  taxcalc::Varredura(t).cada([&](rt::db::Table& l, std::uint32_t n) {
    if (r == 0 && inteiro(l, "BEM_NRO") == bem && inteiro(l, "TIPO_BEM") != RendaVariavel) r = n;
  });
  return r;
}

int proximoNumero(rt::db::Table& t) {
  int n = 0;
  taxcalc::Varredura(t).cada(
      [&](rt::db::Table& l, std::uint32_t) { n = std::max(n, inteiro(l, "BEM_NRO")); });
  return n + 1;
}

int imoveisNaLista(taxcalc::Contexto& c) {
  rt::db::Table* bens = c.areas.table(store::numero(store::Area::TMP_04));
  if (bens == nullptr || bens->fieldIndex("I7_5") < 0) return 0;
  int n = 0;
  taxcalc::Varredura(*bens).cada([&](rt::db::Table& l, std::uint32_t) {
    const int codigo = inteiro(l, "I7_5");
    if (codigo >= 11 && codigo <= 19) ++n;
  });
  return n;
}

// What the form edits besides the figures of Ganho.
struct Campos {
  Decimal natureza{1};
  std::string descricao;
  std::string aPrazo = "N";
  Decimal parte, pago, tipoPart{1};
};

std::string letra(bool s) {
  return s ? "S" : "N";
}

void escreveResultado(store::Contexto& ctx, const Ganho& g, rt::term::Attr cor) {
  auto& tela = ctx.console.screen();
  const auto linha = [&](int r, std::string_view rotulo, Decimal v) {
    tela.put(r, 4, rt::text::padr(rotulo, 30) + rt::text::transform(v, kValor), cor);
  };
  linha(17, "Custo considerado", g.custoTotal);
  linha(18, "Ganho tributável"_cp, g.VAL_TRIBU);
  linha(19, "Imposto devido", g.VAL_IMPOS);
  linha(20, "Parcela isenta/não tributável"_cp, g.VAL_NAOTRI);
}

// The form's values into the operation's row, appended when new.
bool gravaFormulario(taxcalc::Contexto& c, std::uint32_t& registro, const Ganho& g, const Campos& f) {
  rt::db::Table& t = *operacoes(c);
  taxcalc::Gravacoes grava(c.saida);
  if (registro == 0) {
    if (!grava.confere(t.appendBlank(), t.alias())) return false;
    registro = t.recNo();
    grava.put(t, "CPF", c.d.CPF.chave());
    grava.put(t, "BEM_NRO", Decimal(g.BEM_NRO));
    grava.put(t, "TIPO_BEM", Decimal(g.TIPO_BEM));
  } else {
    t.goTo(registro);
    if (!grava.confere(t.status(), t.alias())) return false;
  }
  const int nat = std::clamp(static_cast<int>(f.natureza.wholePart()), 1, 9);
  grava.put(t, "NATUOPER", std::string(kNaturezas[static_cast<std::size_t>(nat - 1)]));
  grava.put(t, "ESPC_BEM1", f.descricao);
  if (g.TIPO_BEM == Participacao) grava.put(t, "TIPOPART", f.tipoPart);
  grava.put(t, "DATA_ADQ", g.DATA_ADQ);
  grava.put(t, "DATA_ALI", g.DATA_ALI);
  grava.put(t, "VAL_ALI", g.VAL_ALI);
  grava.put(t, "VAL_RECOL", g.VAL_RECOL);
  grava.put(t, "CUS_ATUAL", g.CUS_ATUAL);
  grava.put(t, "VEN_PRAZO", letra(g.VEN_PRAZO));
  grava.put(t, "VENDAANT", letra(g.VENDAANT));
  grava.put(t, "PARCOMPRA", letra(g.PARCOMPRA));
  grava.put(t, "PEQ_VALOR", letra(g.PEQ_VALOR));
  // A sale of this year has its fraction computed from its gain.
  if (g.VENDAANT) grava.put(t, "PER_TRI", g.PER_TRI);
  grava.put(t, "VAL_PARTE", f.parte);
  grava.put(t, "PERART31", g.PERART31);
  grava.put(t, "IMPPAGO", f.pago);
  grava.confere(t.flush(), t.alias());
  return grava.ok();
}

// The natures of an operation by their numbers, as the refusal of another number lists them.
std::vector<std::string> listaNaturezas() {
  std::vector<std::string> l{std::string("Informe a natureza da operação de 1 a 9:"_cp)};
  for (std::size_t i = 0; i < kNaturezas.size(); ++i)
    l.push_back(rt::text::padr(std::to_string(i + 1) + " - " + std::string(kNaturezas[i]), 23));
  return l;
}

// MOSTR_BEM: the form of operation `bem` (0 a new one of kind `tipo`).
void MOSTR_BEM(store::Contexto& ctx, grid::Grade& grade, taxcalc::Contexto& c, int tipo, int bem) {
  rt::db::Table& t = *operacoes(c);
  std::uint32_t registro = bem == 0 ? 0 : registroDe(t, bem);
  Ganho g;
  Campos f;
  if (registro != 0) {
    t.goTo(registro);
    g = leGanho(t, *custos(c));
    f.descricao = t.getText("ESPC_BEM1");
    for (std::size_t i = 0; i < kNaturezas.size(); ++i)
      if (rt::text::alltrim(g.NATUOPER) == kNaturezas[i]) f.natureza = Decimal(static_cast<int>(i) + 1);
    f.parte = t.getNumber("VAL_PARTE");
    f.pago = t.getNumber("IMPPAGO");
    f.tipoPart = Decimal(g.TIPOPART == 0 ? 1 : g.TIPOPART);
  } else {
    g.BEM_NRO = proximoNumero(t);
    g.TIPO_BEM = tipo;
  }
  f.aPrazo = letra(g.VEN_PRAZO);
  // A text field is as wide as its variable: the description's field width.
  f.descricao = rt::text::padr(f.descricao, 53);

  console::TelaGuardada guarda(ctx.console.screen());
  auto& tela = ctx.console.screen();
  const rt::term::Attr cor = static_cast<rt::term::Attr>(ctx.cores.COR_TEL1);
  // Over the kind's frame and the operations list, from the first column to the last: a
  // narrower form left their corners and sides beside its own.
  tela.fill({2, 0, 22, 79}, ' ', cor);
  tela.box({2, 0, 22, 79}, console::molduraSimples(), cor);
  tela.put(3, 4,
           "Ganho de Capital n" + std::string("º"_cp) + " " + std::to_string(g.BEM_NRO) + " - " +
               std::string(nomeTipo(tipo)),
           cor);
  const std::vector<std::pair<int, std::string>> rotulos = {{5, "Natureza (1 a 9) ......:"},
                                                            {6, std::string("Descrição ..............:"_cp)},
                                                            {7, std::string("Participação 1/2/3 .....:"_cp)},
                                                            {8, std::string("Data de aquisição ......:"_cp)},
                                                            {9, std::string("Data de alienação ......:"_cp)},
                                                            {10, std::string("Valor da alienação .....:"_cp)},
                                                            {11, std::string("Fração tributável ......:"_cp)},
                                                            {12, "Valor recebido no ano ..:"},
                                                            {13, std::string("Custo de aquisição .....:"_cp)},
                                                            {14, "Venda a prazo (S/N) ....:"},
                                                            {15, "Parte reaplicada .......:"},
                                                            {16, "Imposto pago ...........:"}};
  for (const auto& [r, texto] : rotulos)
    if (r != 7 || tipo == Participacao) tela.put(r, 4, texto, cor);
  tela.put(23, 1, rt::text::padr("Ctrl+W Grava e calcula  Esc Sai", 78), cor);

  for (;;) {
    rt::ui::Read read(ctx.console);
    read.get(5, 30, rt::ui::var("NATUOPER", f.natureza, {1, 0}), "9").valid([&] {
      const int n = static_cast<int>(f.natureza.wholePart());
      if (n < 1 || n > 9) {
        console::AVISOSN(ctx, listaNaturezas(), 0);
        return false;
      }
      tela.put(5, 33, rt::text::padr(kNaturezas[static_cast<std::size_t>(n - 1)], 20), cor);
      return true;
    });
    read.get(6, 30, rt::ui::var("ESPC_BEM1", f.descricao), "@S45");
    if (tipo == Participacao)
      read.get(7, 30, rt::ui::var("TIPOPART", f.tipoPart, {1, 0}), "9").valid([&] {
        g.TIPOPART = static_cast<int>(f.tipoPart.wholePart());
        if (g.TIPOPART >= 1 && g.TIPOPART <= 3) return true;
        console::AVISOSN(ctx, {"Informe a participação:"_cp, "1 - Ações                 "_cp,
                               "2 - Quotas ou outras     ", "3 - Quotas de fundos     "},
                         0);
        return false;
      });
    read.get(8, 30, rt::ui::var("DATA_ADQ", g.DATA_ADQ));
    // A sale of an earlier year is one in instalments: the flag the date sets is what the
    // form shows and keeps, and the clerk does not answer it again.
    read.get(9, 30, rt::ui::var("DATA_ALI", g.DATA_ALI)).valid([&] {
      if (!VEIND_VEN(g, c.saida)) return false;
      f.aPrazo = letra(g.VEN_PRAZO);
      tela.put(14, 30, f.aPrazo, cor);
      return true;
    });
    // A sale of this year is given by its value; the instalments of a sale of an earlier year
    // by the taxable fraction of each, as the sale's own statement gave it: its value and
    // cost were declared that year.
    read.get(10, 30, rt::ui::var("VAL_ALI", g.VAL_ALI, {12, 2}), kValor)
        .when([&] { return !g.VENDAANT; })
        .valid([&] {
          CHECK_VAL(g, c.saida, imoveisNaLista(c));
          return true;
        });
    read.get(11, 30, rt::ui::var("PER_TRI", g.PER_TRI, {7, 5}), kFracao)
        .when([&] { return g.VENDAANT; })
        .valid([&] {
          if (g.PER_TRI > Decimal() && g.PER_TRI <= Decimal(1)) return true;
          console::AVISOSN(ctx, {"Informe a fração tributável de cada parcela: a do"_cp,
                                 "demonstrativo da venda, de 0 a 1 (ex.: 0,40000). "_cp},
                           0);
          return false;
        });
    read.get(12, 30, rt::ui::var("VAL_RECOL", g.VAL_RECOL, {12, 2}), kValor);
    read.get(13, 30, rt::ui::var("CUS_ATUAL", g.CUS_ATUAL, {12, 2}), kValor).when([&] {
      return tipo != Participacao && !g.VENDAANT;
    });
    read.get(14, 30, rt::ui::var("VEN_PRAZO", f.aPrazo), "!").when([&] { return !g.VENDAANT; }).valid([&] {
      if (f.aPrazo != "S" && f.aPrazo != "N") {
        console::AVISOSN(ctx, "Digite S de sim ou N de nao", 0);
        return false;
      }
      g.VEN_PRAZO = f.aPrazo == "S";
      return true;
    });
    read.get(15, 30, rt::ui::var("VAL_PARTE", f.parte, {12, 2}), kValor)
        .when([&] { return tipo == Imovel && !g.PEQ_VALOR; })
        .valid([&] { return CHECK_PARTE(g, f.parte, c.saida); });
    read.get(16, 30, rt::ui::var("IMPPAGO", f.pago, {12, 2}), kValor);
    const rt::ui::ReadResult r = read.run();
    // Without its fraction an earlier year's instalment has no taxable gain to compute.
    const bool completo =
        !g.DATA_ALI.isEmpty() && (g.VENDAANT ? g.PER_TRI > Decimal() : !g.VAL_ALI.isZero());
    if (r.escaped || !completo) {
      if (completo && registro != 0 && r.escaped) return;
      if (c.saida.pergunta(std::vector<std::string>{"Termina esse ganho incompleto?"}, false)) return;
      continue;
    }
    if (!gravaFormulario(c, registro, g, f)) return;
    // The share movements, and the cost instalments of an acquisition in instalments, are
    // rows of copy 28 edited in their grid; each change there computes the gain again.
    if (tipo == Participacao || g.PARCOMPRA) {
      grade.TIPO_BEM = tipo;
      grade.BEM_NRO = Decimal(g.BEM_NRO);
      grid::EDITA(ctx, grade, kTelaCustos);
    }
    // A sale in instalments: its months in their matrix.
    if (g.VEN_PRAZO) t.goTo(registro);
    if (g.VEN_PRAZO && t.status()) {
      grid::Matrizes meses;
      ServicosMatrizGanhos servicos;
      grid::AmbienteMatriz a{ctx, grade, c, meses, servicos};
      PARCELAS(a);
    }
    t.goTo(registro);
    if (const std::optional<Ganho> feito = calculaGanho(c)) escreveResultado(ctx, *feito, cor);
    SOMA_NTRIB(c);
    console::MENS(ctx, console::mens::Linha, "Ganho calculado. Tecle algo para voltar a lista.");
    ctx.console.waitKey();
    console::MENS(ctx);
    return;
  }
}

}  // namespace

bool DEL_GP(taxcalc::Contexto& c, int bem) {
  rt::db::Table* t = operacoes(c);
  const std::uint32_t registro = t == nullptr || bem == 0 ? 0 : registroDe(*t, bem);
  if (registro == 0) {
    c.saida.aviso(std::vector<std::string>{std::string("Ganho de Capital não existente"_cp)});
    return false;
  }
  if (!c.saida.pergunta(std::vector<std::string>{"Deseja mesmo eliminar esse Ganho de Capital?"}, false))
    return false;
  {
    taxcalc::Gravacoes grava(c.saida);
    t->goTo(registro);
    if (grava.confere(t->status(), t->alias())) grava.confere(t->markDeleted(), t->alias());
    grava.confere(t->flush(), t->alias());
    if (rt::db::Table* k = custos(c)) {
      taxcalc::Varredura(*k, &grava).cada([&](rt::db::Table& l, std::uint32_t) {
        if (inteiro(l, "BEM_NRO") == bem) grava.confere(l.markDeleted(), l.alias());
      });
    }
  }
  SOMA_NTRIB(c);
  return true;
}

namespace {

// The rows of one kind in the gains copy while the list shows them; the copy is left unfiltered
// and the area that was selected is selected again.
class FiltroDoTipo {
 public:
  FiltroDoTipo(rt::db::WorkAreas& areas, rt::db::Table& t, int tipo)
      : selecao_(areas), t_(t), tipo_(tipo) {}
  ~FiltroDoTipo() { t_.clearFilter(); }
  FiltroDoTipo(const FiltroDoTipo&) = delete;
  FiltroDoTipo& operator=(const FiltroDoTipo&) = delete;
  void poe() const {
    t_.setFilter([tipo = Decimal(tipo_)](const rt::db::Table& l) { return l.getNumber("TIPO_BEM") == tipo; });
  }

 private:
  store::SelecaoGuardada selecao_;  // given back after the filter is taken off
  rt::db::Table& t_;
  int tipo_;
};

// What the operations list calls on screen 8: the entry form for Ins (a new gain) and Enter
// (the gain under the cursor), the deletion for Del, and the declaration's screen keys.
class ServicosGanhos final : public console::ServicosLista {
 public:
  ServicosGanhos(store::Contexto& ctx, grid::Grade& grade, taxcalc::Contexto& calc)
      : ctx_(ctx), grade_(grade), calc_(calc) {}

  void MOSTR_BEM(int tipo, int modo) override {
    const int bem = modo == 0 ? 0 : atual();
    // Enter on a row that is gone meanwhile opens nothing rather than a new gain.
    if (modo != 0 && bem == 0) return;
    gains::MOSTR_BEM(ctx_, grade_, calc_, tipo, bem);
  }
  void DEL_GP() override {
    if (!gains::DEL_GP(calc_, atual())) return;
    // The deleted row is hidden now: the cursor goes to the next one, or the last.
    rt::db::Table& t = *operacoes(calc_);
    if (t.isVisible()) return;
    t.skip(1);
    if (!t.status() || t.eof()) t.goBottom();
  }
  // The declaration's screen keys stay live in the list; one that leaves the screen (it asks for
  // another screen, or moves on with Tab) ends the list.
  Tecla teclaLivre(const rt::term::Key& k) override {
    const rt::term::Console::HotKey* h = ctx_.console.hotKeyFor(k);
    if (h == nullptr) return Tecla::ignorada;
    const int antes = grade_.ULTTECLA;
    (*h)();
    saiu_ = grade_.TECLAMUDA || grade_.ULTTECLA != antes;
    return saiu_ ? Tecla::sai : Tecla::tratada;
  }
  bool saiu() const { return saiu_; }

 private:
  // The operation under the list's cursor, 0 at end of file.
  int atual() {
    rt::db::Table* t = operacoes(calc_);
    return t == nullptr || t->eof() ? 0 : inteiro(*t, "BEM_NRO");
  }
  store::Contexto& ctx_;
  grid::Grade& grade_;
  taxcalc::Contexto& calc_;
  bool saiu_ = false;
};

}  // namespace

void GANHO3(store::Contexto& ctx, grid::Grade& grade, taxcalc::Contexto& calc) {
  rt::db::Table* t = operacoes(calc);
  if (t == nullptr || custos(calc) == nullptr) return;
  Decimal tipo;
  console::OpcoesMens op;
  op.valid = [&tipo] { return tipo >= Decimal(1) && tipo <= Decimal(3); };
  op.picture = "9";
  // The summary's hint is no hint for the kind's question.
  grade.srv().MRODAPE(ctx, grade, 0);
  console::MENS(ctx, console::mens::CampoSemMoldura, "DIGITE (1) p/ Imovel,(2) Outros bens e (3) Participação Societária"_cp, tipo, op);
  // Esc goes back to the summary this screen was reached from, as it does from screen 9.
  if (ctx.console.lastKey().code == key::Esc || tipo < Decimal(1) || tipo > Decimal(3)) {
    grade.ULTTECLA = key::Esc;
    return;
  }
  const int k = static_cast<int>(tipo.wholePart());

  ServicosGanhos servicos(ctx, grade, calc);
  console::VariaveisMapa vars;
  // A map variable of our own, made here: it takes any value.
  (void)vars.atribui("TIPO_BEM", Decimal(k));
  console::Listas listas(ctx, {ctx.areas, [&ctx](int n) { return store::ABERTURA(ctx, n); }}, vars,
                         servicos);
  const FiltroDoTipo filtro(ctx.areas, *t, k);
  grade.srv().MRODAPE(ctx, grade, 13);
  for (;;) {
    // The list clears the filter of the area it leaves selected; each opening sets it again.
    filtro.poe();
    ctx.QUALHLP = "M->TIPO_BEM";
    listas.TEMHLP = true;
    listas.GERAL();
    // Esc leaves the screen, and so does a screen key in the list or in the form; after a
    // form opened with Enter (or Enter on an empty list) the list comes back.
    if (servicos.saiu() || grade.TECLAMUDA) return;
    if (!listas.escolheu() && ctx.console.lastKey().code == key::Esc) {
      grade.ULTTECLA = key::Esc;
      return;
    }
  }
}

}  // namespace gains
