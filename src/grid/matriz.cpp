#include "grid/matriz.h"

#include "console/recusas.h"
#include "grid/congela.h"
#include "grid/matriz_telas.h"
#include "grid/relogio_ocioso.h"
#include "grid/teclas_tela.h"
#include "grid/tracos.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "console/alerta.h"
#include "console/calculadora.h"
#include "console/documentos.h"
#include "console/mensagens.h"
#include "console/recusas.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/browse.h"
#include "rt/ui/data_source.h"
#include "rt/ui/get.h"
#include "rt/ui/read.h"
#include "taxcalc/calc.h"
#include "taxcalc/carne_leao.h"
#include "taxcalc/rural.h"
#include "taxcalc/tax_year.h"

namespace grid {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

namespace {

class LacoMatriz {
 public:
  LacoMatriz(AmbienteMatriz& a, const TelaMatriz& t, MatrizRef ref, rt::ui::MatrixSource& fonte, rt::ui::Browse& b,
             rt::term::Rect dentro)
      : a_(a), t_(t), ref_(std::move(ref)), fonte_(fonte), b_(b), dentro_(dentro) {}
  void roda();

 private:
  int linha() const { return static_cast<int>(fonte_.row()) + 1; }
  int coluna() const { return b_.colPos(); }
  CelulaRef celula() const { return ref_.cel(linha(), coluna()); }
  const ColunaMatriz& colunaAtual() const { return t_.colunas[static_cast<std::size_t>(coluna() - 1)]; }
  // An amount into the current cell, then the recomputation. An amount the column's picture
  // cannot show is refused with a message and the cell keeps what it had.
  void escreve(Decimal v);
  void depois(Decimal anterior);
  // The cell edit; a typed character that started it is its first key.
  void GETMTX(std::optional<rt::term::Key> primeira = std::nullopt);
  void enter();
  void cola();
  void calculadora();
  void mensal();
  void buscaCampo();
  void modoLeao();
  void soRec();
  void soTotal();
  void saiCom(int code) {
    a_.g.ULTTECLA = code;
    a_.g.TECLAMUDA = true;
    sair_ = true;
  }
  bool teclaTela(int code);
  rt::term::Key esperaTecla();
  void redesenha() {
    b_.refreshAll();
    b_.invalidate();
  }
  void avancaAposEdicao(const rt::term::Key& k);
  bool editavel(int l, int c, std::string* motivo = nullptr) const {
    return t_.editavel != nullptr && t_.editavel(a_, l, c, motivo);
  }
  // Whether the current cell takes a value from a paste, the calculator or the monthly window;
  // a refusal with a reason is said.
  bool podeEscrever() {
    std::string motivo;
    const bool pode = editavel(linha(), coluna(), &motivo);
    if (!pode && !motivo.empty()) console::AVISOSN(a_.ctx, motivo, 0);
    return pode;
  }

  AmbienteMatriz& a_;
  const TelaMatriz& t_;
  MatrizRef ref_;
  rt::ui::MatrixSource& fonte_;
  rt::ui::Browse& b_;
  rt::term::Rect dentro_;
  bool sair_ = false;
};

void LacoMatriz::depois(Decimal anterior) {
  if (t_.recalcula == nullptr) {
    // A screen without a recomputation only redraws.
  } else if (std::optional<std::string> recusa = t_.recalcula(a_, linha(), coluna(), anterior)) {
    console::AVISOSN(a_.ctx, *recusa, 0);
  }
  redesenha();
}

void LacoMatriz::escreve(Decimal v) {
  const CelulaRef c = celula();
  if (c.valor == nullptr) return;
  const std::string& masc = colunaAtual().masc;
  if (!cabeNaMascara(v, masc)) {
    console::AVISOSN(a_.ctx, "O valor não cabe nessa coluna; ela ficou como estava."_cp, 0);
    redesenha();
    return;
  }
  const Decimal anterior = *c.valor;
  *c.valor = rt::text::round(v, decimaisMascara(masc));
  depois(anterior);
}

void LacoMatriz::avancaAposEdicao(const rt::term::Key& k) {
  rt::term::Console& con = a_.ctx.console;
  if (k.code == key::Up || k.code == key::Down) {
    con.push(k);
  } else if (k.code == key::Enter || k.isChar()) {
    if (coluna() >= a_.g.ULT_POS) {
      con.push(key::CtrlHome);
      con.push(key::Down);
    } else {
      con.push(key::Right);
    }
  }
}

void LacoMatriz::GETMTX(std::optional<rt::term::Key> primeira) {
  // The frozen columns name the row (the month, the market line): never typed into.
  if (CONGELADA(b_, coluna())) return;
  std::string motivo;
  const bool pode = editavel(linha(), coluna(), &motivo);
  if (!motivo.empty()) console::AVISOSN(a_.ctx, motivo, 0);
  const CelulaRef c = celula();
  if (!pode || (c.valor == nullptr && c.texto == nullptr)) {
    avancaAposEdicao(primeira ? *primeira : a_.ctx.console.lastKey());
    return;
  }
  if (primeira) a_.ctx.console.push(*primeira);
  const ColunaMatriz& col = colunaAtual();
  const Decimal anterior = c.valor != nullptr ? *c.valor : Decimal();
  rt::term::Console& con = a_.ctx.console;
  const int linhaTela = dentro_.top + 2 + b_.rowPos() - 1;
  const int colunaTela = std::max(b_.screenColOf(coluna()), 0);
  const bool saida = con.readExit();
  con.setReadExit(true);
  rt::ui::ReadResult r;
  bool mudou = false;
  if (c.valor != nullptr) {
    Decimal v = *c.valor;
    // A letter typed into a monthly amount is said, as in the declaration's other fields.
    r = rt::ui::readOne(con,
                        rt::ui::Get(linhaTela, colunaTela,
                                    rt::ui::var("MGETVAR", v, {larguraMascara(col.masc), decimaisMascara(col.masc)}), col.masc),
                        {}, console::avisoDeRecusa(a_.ctx));
    if (r.updated && !r.escaped) {
      mudou = v != anterior;
      *c.valor = v;
    }
  } else {
    std::string v = rt::text::padr(*c.texto, larguraMascara(col.masc));
    r = rt::ui::readOne(con, rt::ui::Get(linhaTela, colunaTela, rt::ui::var("MGETVAR", v), col.masc));
    if (r.updated && !r.escaped) {
      mudou = v != *c.texto;
      *c.texto = v;
    }
  }
  con.setReadExit(saida);
  if (r.updated && !r.escaped) depois(anterior);
  if (!mudou) {
    redesenha();
    avancaAposEdicao(r.lastKey);
  }
}

void LacoMatriz::enter() {
  Grade& g = a_.g;
  const int opc = t_.opc, col = coluna();
  const int modo = a_.calc.calAuto();
  if (const std::optional<LancamentosMes> l = t_.lancamentos != nullptr ? t_.lancamentos(col, modo) : std::nullopt) {
    if (!l->recusa.empty()) console::AVISOSN(a_.ctx, l->recusa, 0);
    if (l->tela == 0) return;
    static const char* const kTipos[] = {"F", "E", "L", "P", "I"};
    const std::string tipoAntes = g.I1_1, crAntes = g.TIPOCR;
    const int posAntes = g.POSHORMAT;
    g.POSHORMAT = col;
    if (!l->tipoCr.empty()) g.TIPOCR = l->tipoCr;
    g.I1_1 = kTipos[col - 2];
    a_.srv.grade(a_.ctx, g, l->tela, 0);
    a_.ctx.janelas.FECHAJAN(console::Jan::kDialogo);
    g.OPC = opc;
    g.I1_1 = tipoAntes;
    g.TIPOCR = crAntes;
    g.POSHORMAT = posAntes;
    b_.setColPos(col);
    redesenha();
    g.srv().MRODAPE(a_.ctx, g, 12);
    return;
  }
  if (t_.livroRural && !a_.calc.d.rural.logico("SO_TOTAL")) {
    if (linha() > 12) return;
    a_.m.MESATI = linha();
    const std::string crAntes = g.TIPOCR;
    g.TIPOCR = col == 1 ? "C" : "D";
    g.MESATI = linha();
    a_.srv.grade(a_.ctx, g, Tela::LivroRural, 0);
    g.MESATI = 0;
    a_.ctx.janelas.FECHAJAN(console::Jan::kDialogo);
    g.OPC = opc;
    g.TIPOCR = crAntes;
    // Mode 2 writes the months into REND_RURAL; the rural totals never refuse a value.
    taxcalc::SOMA_RUR(a_.calc, 2);
    // The rural totals never refuse a value.
    (void)FX_RT(a_, "Rend_Rural", linha(), col);
    b_.setColPos(col);
    redesenha();
    MARCA_NEG(a_);
    return;
  }
  GETMTX();
}

void LacoMatriz::cola() {
  Grade& g = a_.g;
  if (!g.CLIPTEX) return;
  const auto* texto = std::get_if<std::string>(&*g.CLIPTEX);
  const auto* numero = std::get_if<Decimal>(&*g.CLIPTEX);
  // Matrix cells are copied as what they hold (an amount stays a number), so every matrix
  // takes a number as well as a text.
  if (texto == nullptr && numero == nullptr) return;
  // A cell that may not be typed into takes no paste either (the totals row, the names).
  if (!podeEscrever()) return;
  const CelulaRef c = celula();
  if (c.texto != nullptr) {
    if (texto == nullptr) return;
    *c.texto = rt::text::padr(rt::text::trim(*texto), larguraMascara(colunaAtual().masc));
    // A pasted value counts at once, as a typed one does.
    depois(Decimal());
  } else if (c.valor != nullptr && (numero != nullptr || texto != nullptr)) {
    escreve(numero != nullptr ? *numero : console::CAR_TO_VAL(rt::text::alltrim(*texto)));
  }
}

void LacoMatriz::calculadora() {
  Grade& g = a_.g;
  if (!t_.calcula) return;
  if (!console::CALCULADORA(a_.ctx, g.calculadora, console::Jan::kCalculadora, g.calculadora.LCAL, g.calculadora.CCAL)) return;
  if (!podeEscrever()) return;
  escreve(g.calculadora.RESULT);
}

void LacoMatriz::mensal() {
  const int opc = t_.opc;
  if (!t_.divideMensal) return;
  const CelulaRef c = celula();
  if (c.valor == nullptr || !podeEscrever()) return;
  MesesValor meses;
  const std::optional<Decimal> total = a_.g.srv().MUDATEL13(a_.ctx, a_.g, meses, linha(), *c.valor);
  a_.g.OPC = opc;
  if (total && *total > Decimal()) escreve(*total);
  redesenha();
}

void LacoMatriz::buscaCampo() {
  const std::optional<Decimal> valor = a_.srv.campoChamador();
  const int col = coluna(), mes = linha();
  if (!valor || !editavel(mes, col)) return;
  escreve(col == 3 ? rt::text::despreza(*valor / taxcalc::TAB_DOLAR(mes)) : *valor);
}

void LacoMatriz::modoLeao() {
  store::RegistroEspelho& t01 = a_.calc.d.tabela01;
  const int modo = a_.calc.calAuto() % 4 + 1;
  t01.num("CAL_AUTO", modo);
  // The re-colour writes the form's own stored text again, so it goes first and the title is
  // written over it, keeping the colour.
  const auto cor = rt::term::parseColour(a_.ctx.cores.COR_1_CLI);
  if (cor) a_.ctx.janelas.ESCRATR(console::Jan::kTela, 4, 66, static_cast<int>(*cor), 14);
  a_.ctx.janelas.ESCRLCOL(console::Jan::kTela, 4, 66, tituloModo(modo));
  console::AVISOSN(a_.ctx, explicacaoModo(modo), 0);
  if (modo == 4) taxcalc::CALC(a_.calc, 1, 1);
  redesenha();
}

void LacoMatriz::soRec() {
  store::RegistroEspelho& t01 = a_.calc.d.tabela01;
  const bool agora = !t01.logico("SO_REC");
  t01.logico("SO_REC", agora);
  if (agora) {
    console::AVISOSN(a_.ctx,
                     {"  ATENÇAO! O valor total do carnê Leão a ser transportado "_cp, "para a tela 7 será apenas o VALOR INFORMADO COMO PAGO.    "_cp,
                      "Um valor para menor será detectado pela Receita que poderá"_cp, "emitir a cobrança posterior dessa diferença c/correções. "_cp},
                     0);
  } else {
    console::AVISOSN(a_.ctx,
                     {" ATENÇAO! O valor total do carnê Leão a ser transportado   "_cp, "para a tela 7 será a SOMA DOS MAIORES VALORES encontrados  "_cp,
                      "entre o valor informado como pago e o valor devido.        ", "Uma diferença para menor deve ser emitido DARF desse valor"_cp},
                     0);
  }
  taxcalc::CALC(a_.calc, 1, 1);
  a_.ctx.janelas.ESCRLCOL(console::Jan::kTela, 6, 66, agora ? "*" : " ");
  a_.ctx.janelas.ESCRLCOL(console::Jan::kTela, 6, 78, agora ? " " : "*");
  // The headings mark the value that goes to the summary; redrawn, they follow the choice.
  if (b_.columnCount() >= 7) {
    b_.column(6).heading = agora ? std::string("Leão Pago*"_cp) : std::string("Leão Pago"_cp);
    b_.column(7).heading = agora ? "CL.Devido" : "CL.Devido*";
  }
  redesenha();
}

void LacoMatriz::soTotal() {
  store::RegistroEspelho& r = a_.calc.d.rural;
  const bool agora = !r.logico("SO_TOTAL");
  r.logico("SO_TOTAL", agora);
  a_.ctx.janelas.ESCRLCOL(console::Jan::kTela, 2, 2, agora ? "Só Totais "_cp : " L. Caixa ");
  a_.g.srv().MRODAPER(a_.ctx, a_.g, 2);
}

bool LacoMatriz::teclaTela(int code) {
  Grade& g = a_.g;
  if (!g.declaracaoAberta()) return false;
  const bool muda = mudaDePagina(a_.ctx, g, code, tracosDaTela(t_.opc));
  g.OPC = t_.opc;
  if (muda) saiCom(code);
  return muda;
}

// Every matrix screen waits with the idle clock.
rt::term::Key LacoMatriz::esperaTecla() { return esperaTeclaOciosa(a_.ctx, a_.g); }

void LacoMatriz::roda() {
  Grade& g = a_.g;
  rt::term::Console& con = a_.ctx.console;
  while (!sair_) {
    while (!b_.stabilize())
      if (con.keyWaiting()) break;
    SAI_CONGELADA(b_);
    b_.paintCurrentRow({3, 4});
    const rt::term::Key k = esperaTecla();
    if (t_.livroRural) g.TIPOCR = coluna() == 1 ? "C" : "D";
    g.POSHORMAT = g.PONTEIRO = coluna();
    a_.m.POSVERMAT = g.PONTVERT = linha();
    if (k.isChar()) {
      GETMTX(k);
      continue;
    }
    if (teclaDePagina(k.code)) {
      teclaTela(k.code);
      continue;
    }
    switch (k.code) {
      case key::Enter:
        enter();
        break;
      case key::AltW:
        if (g.declaracaoAberta() && g.TEMP_SAL < 98) g.srv().SAL_DEC(a_.ctx, g);
        break;
      case key::AltT:
        g.srv().DESLIG_RELG(a_.ctx, g);
        break;
      case key::AltA:
        if (g.pagina().modoLeao) {
          modoLeao();
        } else if (t_.livroRural) {
          soTotal();
        }
        break;
      case key::AltN:
        if (g.pagina().modoLeao) soRec();
        break;
      case key::AltB:
        if (t_.buscaCampo) buscaCampo();
        break;
      case key::AltS:
        calculadora();
        break;
      case key::AltU:
        mensal();
        break;
      case key::AltM:
        // The clipboard takes the cell as it holds it: an amount stays a number.
        if (const CelulaRef c = celula(); c.valor != nullptr) {
          g.CLIPTEX = *c.valor;
        } else if (c.texto != nullptr) {
          g.CLIPTEX = *c.texto;
        } else if (c.dentro()) {
          g.CLIPTEX = c.rotulo;
        }
        break;
      case key::AltC:
        cola();
        break;
      case key::Esc:
      case key::Tab:
      case key::ShiftTab:
        saiCom(k.code);
        break;
      case key::Right:
        if (!(t_.livroRural && coluna() >= 2)) b_.right();
        break;
      case key::CtrlEnd:
        if (!t_.livroRural) b_.panEnd();
        break;
      case key::End:
        if (!t_.lancamentosLeao) {
          b_.end();
        } else if (coluna() < 5) {
          b_.setColPos(5);
        }
        break;
      default:
        rt::ui::applyStandardKey(b_, k);
        break;
    }
  }
  b_.paintCurrentRow({1, 1});
}

}  // namespace

void MBROWSE(AmbienteMatriz& a, int opc) {
  Grade& g = a.g;
  store::Contexto& ctx = a.ctx;
  const TelaMatriz t = telaMatriz(a, opc);
  MatrizRef ref = MATATU(a.m, a.calc.d, t.nome);
  if (!ref || t.colunas.empty()) return;
  const int nlin = a.m.NLIN;
  a.m.NLIN = 1;
  g.OPC = opc;
  g.TABCAMPO.clear();
  g.TABCPOIN.clear();
  g.TABMASC.clear();
  g.TABDESC.clear();
  for (const ColunaMatriz& c : t.colunas) {
    g.TABCAMPO.push_back(t.nome);
    g.TABCPOIN.push_back(t.nome);
    g.TABMASC.push_back(c.masc);
    g.TABDESC.push_back(c.desc);
  }
  g.N_CAM = static_cast<int>(t.colunas.size());
  g.ULT_POS = g.N_CAM;
  if (t.livroRural) {
    (void)FX_RT(a, "REND_RURAL", 1, 1);  // the totals row for display; nothing to refuse
  }

  const console::Cores& cores = ctx.cores;
  if (t.janela6) {
    ctx.janelas.REDEFJAN(console::Jan::kSobreposta, cores.COR_TEL1, cores.COR_TEL2, cores.COR_TEL1, t.ret.top, t.ret.left, t.ret.bottom, t.ret.right, 2);
    ctx.janelas.ABREJAN(console::Jan::kSobreposta);
  }
  const rt::term::Rect dentro = t.janela6 ? rt::term::Rect{t.ret.top + 1, t.ret.left + 1, t.ret.bottom - 1, t.ret.right - 1} : t.ret;
  rt::ui::MatrixSource fonte(std::vector<rt::ui::MatrixSource::Row>(static_cast<std::size_t>(ref.linhas)));
  rt::ui::Browse b(ctx.screen(), dentro, fonte);
  b.setColours(rt::term::parseColourList(cores.COR_1_CLI + "," + cores.COR_GET + "," + cores.COR_2_CLI + "," + cores.COR_SAY));
  b.setHeadSep(std::string("┬─"_cp));
  b.setColSep(std::string("│"_cp));
  if (t.rodape) b.setFootSep(std::string("┴─"_cp));
  for (int i = 0; i < static_cast<int>(t.colunas.size()); ++i) {
    const ColunaMatriz& c = t.colunas[static_cast<std::size_t>(i)];
    const int col = i + 1;
    const bool nomeDoMes = col == 1 && t.colunaDoMes;
    // The month names are 9 wide: the monthly window then shows both value columns.
    const int largura = nomeDoMes ? std::min(larguraMascara(c.masc), 9) : larguraMascara(c.masc);
    // The one place a matrix's amounts become text: the column's picture, when drawn.
    auto bloco = [&ref, &fonte, col, largura, masc = c.masc]() -> rt::ui::Value {
      const CelulaRef cel = ref.cel(static_cast<int>(fonte.row()) + 1, col);
      if (cel.valor != nullptr) return rt::text::padl(rt::text::transform(*cel.valor, masc), largura);
      return rt::text::padr(cel.texto != nullptr ? *cel.texto : cel.rotulo, largura);
    };
    b.addColumn(rt::ui::makeColumn(c.desc, bloco, ""));
  }
  if (t.congela > 0) {
    b.setFreeze(t.congela);
    SAI_CONGELADA(b);
  }
  // The month's name is not typed into: the monthly window starts on the reais.
  if (t.primeiraColuna > 0) b.setColPos(t.primeiraColuna);
  if (t.dica != 0) t.dicaRural ? g.srv().MRODAPER(ctx, g, t.dica) : g.srv().MRODAPE(ctx, g, t.dica);
  if (t.livroRural) MARCA_NEG(a);

  LacoMatriz laco(a, t, ref, fonte, b, dentro);
  laco.roda();

  if (t.janela6) ctx.janelas.FECHAJAN(console::Jan::kSobreposta);
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  ctx.TAM_OLD = 0;
  a.m.NLIN = nlin;
  g.POSHORMAT = 1;
  g.OPC = opc;
}

}  // namespace grid
