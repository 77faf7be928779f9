#include "grid/matriz_telas.h"

#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "taxcalc/carne_leao.h"

namespace grid {

using namespace rt::text::literals;
using rt::text::Decimal;

namespace {

constexpr const char* kMes = "@Ez 9999,999.99";
constexpr const char* kLargo = "@Ez 999,999,999.99";

// The amount of a cell (0 for a text cell).
Decimal valor(const Celula& c) {
  const Decimal* v = std::get_if<Decimal>(&c);
  return v != nullptr ? *v : Decimal();
}

void diz(std::string* motivo, std::string_view t) {
  if (motivo != nullptr) *motivo = std::string(t);
}

// Screen 7: a field's value month by month, in reais and dollars (or, for a domestic
// employee's payment, the employee's and the employer's social security).
namespace mensal {

// Column 1 is the month's name and row 13 the totals.
bool editavel(const AmbienteMatriz&, int linha, int coluna, std::string*) { return linha <= 12 && coluna >= 2; }

std::optional<std::string> recalcula(AmbienteMatriz& a, int linha, int coluna, Decimal anterior) {
  if (std::optional<std::string> recusa = FX_RT(a, "CALC_MENS", linha, coluna)) {
    a.m.CALC_MENS[static_cast<std::size_t>(linha)][static_cast<std::size_t>(coluna)] = anterior;
    return recusa;
  }
  return std::nullopt;
}

TelaMatriz tela(const AmbienteMatriz& a) {
  TelaMatriz t;
  t.nome = "CALC_MENS";
  const bool gps = a.m.GPS;
  t.colunas = {{" Mês "_cp, "@s10"}, {gps ? "   GPS  " : "  REAL  ", kMes}, {gps ? " Patronal" : "  DOLAR  ", kMes}};
  // Inside the monthly window's box: the heading, its rule and the 13 rows.
  t.ret = {5, 10, 19, 42};
  t.calcula = true;
  t.buscaCampo = true;
  t.colunaDoMes = true;
  t.primeiraColuna = 2;
  t.editavel = editavel;
  t.recalcula = recalcula;
  return t;
}

}  // namespace mensal

// Screen 12: a capital gain's receipts by month.
namespace ganho {

bool editavel(const AmbienteMatriz&, int linha, int, std::string*) { return linha <= 12; }

std::optional<std::string> recalcula(AmbienteMatriz& a, int linha, int, Decimal) {
  a.srv.FX_GANHO(a.calc, a.m, linha);
  return std::nullopt;
}

TelaMatriz tela(const AmbienteMatriz& a) {
  TelaMatriz t;
  t.nome = "REC_GANHO";
  if (a.m.REC_GANHO_COLUNAS == 6) {
    t.colunas = {{"Val.Tributável"_cp, kLargo}, {"Imposto devido", kLargo}, {"Mês Recebim"_cp, "@s10"},
                 {"Val. Recebido", kLargo},      {"I.Lei 11.033", kLargo},   {"Imp.Pago", kLargo}};
    t.ret = {2, 2, 18, 78};
  } else {
    t.colunas = {{"Val.Tributável"_cp, kLargo}, {"Imposto devido", kLargo}, {"Mês Recebim."_cp, "@s10"},
                 {"Val. Recebido", kLargo},      {"Imposto Pago", kLargo}};
    t.ret = {2, 2, 18, 75};
  }
  t.congela = 3;
  t.janela6 = true;
  t.calcula = true;
  t.divideMensal = true;
  t.editavel = editavel;
  t.recalcula = recalcula;
  return t;
}

}  // namespace ganho

// Screen 14: the variable income's months, one row a market line.
namespace rendaVariavel {

// The matrix line a row of MRENVAR stands for (the first two characters of its caption).
int linhaMercado(const Matrizes& m, int linha) {
  if (linha < 1 || linha > static_cast<int>(m.MRENVAR.size())) return 0;
  const auto* rotulo = std::get_if<std::string>(&m.MRENVAR[static_cast<std::size_t>(linha - 1)][1]);
  if (rotulo == nullptr) return 0;
  return static_cast<int>(Decimal::val(rt::text::alltrim(rt::text::substr(*rotulo, 1, 2))).wholePart());
}

// The cell of MRENVAR in `coluna` on the row of matrix line `linhaMatriz`, if shown.
const Celula* celulaMercado(const Matrizes& m, int linhaMatriz, int coluna) {
  for (std::size_t i = 0; i < m.MRENVAR.size(); ++i)
    if (linhaMercado(m, static_cast<int>(i) + 1) == linhaMatriz) return &m.MRENVAR[i][static_cast<std::size_t>(coluna)];
  return nullptr;
}

// By the matrix line and the kind of the matrix (DAY_TRADE).
bool editavel(const AmbienteMatriz& a, int linha, int coluna, std::string* motivo) {
  if (coluna < 2) return false;
  const int l = linhaMercado(a.m, linha);
  const int tipo = a.m.DAY_TRADE;
  const std::string_view proibido = "Não é permitido inserir valor nesse campo."_cp;
  if (tipo == 3) {
    if (l == 1 || l == 15 || l == 26) return true;
    diz(motivo, proibido);
    return false;
  }
  if (l >= 1 && l <= 13) return true;
  if (l == 24) {
    if (tipo == 2) {
      diz(motivo, "Lance o valor do imposto pago na operaçao comum"_cp);
      return false;
    }
    const Celula* l20 = celulaMercado(a.m, 20, coluna);
    if (l20 != nullptr && valor(*l20).isNegative()) {
      diz(motivo, "Não há imposto a pagar para lançar valor nesse campo."_cp);
      return false;
    }
    return true;
  }
  if (l == 26 && tipo == 2) {
    // The message is shown and the cell stays editable.
    diz(motivo, "Lance o valor do imposto pago na operaçao comum"_cp);
    return true;
  }
  if (l >= 14 && l <= 26) return true;
  diz(motivo, proibido);
  return false;
}

std::optional<std::string> recalcula(AmbienteMatriz& a, int linha, int coluna, Decimal) {
  if (linha >= 1 && linha <= static_cast<int>(a.m.MRENVAR.size()))
    a.srv.SOMA_RENVAR(a.calc, a.m, coluna, valor(a.m.MRENVAR[static_cast<std::size_t>(linha - 1)][static_cast<std::size_t>(coluna)]));
  return std::nullopt;
}

TelaMatriz tela(const AmbienteMatriz&) {
  TelaMatriz t;
  t.nome = "MRENVAR";
  t.colunas = {{"Tipo de Mercado" + std::string(16, ' '), "@s31"}};
  for (int mes = 1; mes <= 12; ++mes) t.colunas.emplace_back(mes == 1 ? "Janeiro  " : rt::text::trim(nomeMes(mes)), kLargo);
  // Inside the variable-income form's frame (rows 1-23, columns 1-79).
  t.ret = {2, 2, 22, 78};
  t.congela = 1;
  t.calcula = true;
  t.editavel = editavel;
  t.recalcula = recalcula;
  return t;
}

}  // namespace rendaVariavel

// Screen 16: the carnê-leão's months, in the matrix MATATU names.
namespace leao {

bool editavel(const AmbienteMatriz& a, int linha, int coluna, std::string* motivo) {
  if (linha > 12 || coluna < 2 || coluna > 6) return false;
  // In the individual and cash-book modes the months are the sums of their entries, written
  // again over the row when the screen is left: a value typed here would be thrown away.
  const int modo = a.calc.calAuto();
  if (modo == 1 || modo == 3) {
    diz(motivo, "O valor do mês vem dos seus lançamentos: [Enter]=Preenche mensal"_cp);
    return false;
  }
  return true;
}

std::optional<std::string> recalcula(AmbienteMatriz& a, int linha, int coluna, Decimal) {
  // In the reverse mode a value beyond the deductions gives the month's income back.
  const bool inverso = a.calc.calAuto() == 4 && coluna > 3;
  // VE_LEAO has warned by itself when no bracket gives the tax back; only CALC_MENS's
  // totals refuse a value, and MARCA_NEG's answer is on the form.
  (void)taxcalc::VE_LEAO(a.calc, a.m.leao, linha, 1, inverso);
  // The totals row of this matrix: only the monthly matrix's totals refuse, and not here.
  (void)FX_RT(a, a.m.MATATU, linha, coluna);
  return std::nullopt;
}

// In the individual and cash-book modes a month's payers, cash book or total open on Enter;
// the month's name (column 1) opens nothing, and the foreign incomes (column 3) are entered in
// the individual mode only.
std::optional<LancamentosMes> lancamentos(int coluna, int modo) {
  if ((modo != 1 && modo != 3) || coluna >= 7) return std::nullopt;
  LancamentosMes l;
  if (coluna == 1) return l;
  if (modo == 3 && coluna < 5) {
    if (coluna == 3) {
      l.recusa = {"Rendimentos do exterior deve ser preenchido", "no modo individual. Mude com ALT A.       "};
      return l;
    }
    l.tela = Tela::LeaoLivro;
    l.tipoCr = coluna == 2 ? "C" : "D";
    return l;
  }
  l.tela = coluna < 5 ? Tela::LeaoNomes : Tela::LeaoTotal;
  return l;
}

TelaMatriz tela(const AmbienteMatriz& a) {
  TelaMatriz t;
  t.nome = a.m.MATATU;
  const bool soRec = a.calc.d.tabela01.logico("SO_REC");
  const bool titular = a.g.I1_11 != "N";
  t.colunas = {{"Mês "_cp, "@s6"},
               {"Pes.Física"_cp, kMes},
               {"Exterior", kMes},
               {"Livro Caixa", kMes},
               {titular ? "Dep+Pre+Pen" : "Previdência"_cp, kMes},
               {soRec ? "Leão Pago*"_cp : "Leão Pago"_cp, kMes},
               {soRec ? "CL.Devido" : "CL.Devido*", kMes},
               {"CL Corr.", kMes}};
  t.ret = {5, 0, 22, 79};
  t.congela = 1;
  t.rodape = true;
  t.calcula = true;
  t.divideMensal = true;
  t.colunaDoMes = true;
  t.lancamentosLeao = true;
  t.dica = 12;
  t.editavel = editavel;
  t.recalcula = recalcula;
  t.lancamentos = lancamentos;
  return t;
}

}  // namespace leao

// Screen 37: the rural receipts and expenses by month.
namespace rural {

bool editavel(const AmbienteMatriz&, int linha, int coluna, std::string*) { return linha <= 12 && coluna <= 2; }

std::optional<std::string> recalcula(AmbienteMatriz& a, int linha, int coluna, Decimal) {
  // The rural totals never refuse a value.
  (void)FX_RT(a, "REND_RURAL", linha, coluna);
  MARCA_NEG(a);
  return std::nullopt;
}

TelaMatriz tela(const AmbienteMatriz&) {
  TelaMatriz t;
  t.nome = "REND_RURAL";
  t.colunas = {{"Valor Receitas", kLargo}, {"Valor Despesas", kLargo}};
  t.ret = {3, 31, 18, 61};
  t.livroRural = true;
  t.dica = 2;
  t.dicaRural = true;
  t.editavel = editavel;
  t.recalcula = recalcula;
  return t;
}

}  // namespace rural

struct RegistroMatriz {
  int opc;
  TelaMatriz (*monta)(const AmbienteMatriz&);
};

constexpr RegistroMatriz kTelas[] = {
    {Tela::ValoresMensais, mensal::tela}, {Tela::RecebimentosGanho, ganho::tela}, {Tela::RendaVariavel, rendaVariavel::tela},
    {Tela::CarneLeao, leao::tela},        {Tela::RendaRural, rural::tela},
};

}  // namespace

TelaMatriz telaMatriz(const AmbienteMatriz& a, int opc) {
  for (const RegistroMatriz& r : kTelas) {
    if (r.opc != opc) continue;
    TelaMatriz t = r.monta(a);
    t.opc = opc;
    return t;
  }
  TelaMatriz t;
  t.opc = opc;
  return t;
}

int larguraMascara(std::string_view masc) {
  const std::size_t esp = masc.find(' ');
  if (esp != std::string_view::npos) return static_cast<int>(masc.size() - esp - 1);
  if (masc.size() > 2 && (masc[1] == 's' || masc[1] == 'S')) return static_cast<int>(Decimal::val(masc.substr(2)).wholePart());
  return 10;
}

int decimaisMascara(std::string_view masc) {
  const std::size_t ponto = masc.rfind('.');
  if (ponto == std::string_view::npos) return 0;
  int n = 0;
  for (std::size_t i = ponto + 1; i < masc.size() && masc[i] == '9'; ++i) ++n;
  return n;
}

bool cabeNaMascara(Decimal v, std::string_view masc) {
  return rt::text::transform(v, masc).find('*') == std::string::npos;
}

}  // namespace grid
