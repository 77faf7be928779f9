#include "print/livro_caixa.h"

#include "console/alerta.h"
#include "console/documentos.h"
#include "print/destino.h"
#include "print/folha.h"
#include "print/imp_txt.h"
#include "print/perguntas.h"
#include "print/rota.h"
#include "print/rural.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"

namespace print {

using rt::text::alltrim;
using rt::text::transform;
using rt::text::trim;

namespace {

constexpr std::string_view kLivro = "@Ez 99,999,999.99";
constexpr int kLinhasDoLivro = 50;  // entry lines of a page, the header included

std::string tresDigitos(int n) { return rt::text::strzero(Decimal(n), 3); }
std::string doisDigitos(int n) { return rt::text::strzero(Decimal(n), 2); }

struct Livro {
  Livro(store::Contexto& c, Impressao& i, const Escolhas& e)
      : ctx(c), imp(i), esc(e), job(i.job), titular(titularDoRegistro(c)), pag(i, [this](Pagina&) { CABECLCX(); }) {}

  store::Contexto& ctx;
  Impressao& imp;
  const Escolhas& esc;
  const VariaveisTrabalho& job;
  Titular titular;
  Pagina pag;
  int PAGINA = 1;
  int MES_ATUAL = 1;
  Decimal LSALDO, LSALDOM, LSALDOR, LSALDOD;

  bool rural() const { return esc.QUEIMP == 4; }
  bool avanca() const { return job.AVANCA_PAG == "S"; }

  // CABECLCX: the page header (six rows).
  void CABECLCX() {
    pag.normal();
    pag.linha(0, imp.LIN_DIV1);
    pag.diz(0, "Livro Caixa de " + rt::text::left(titular.nome, 38));
    if (avanca())
      pag.linha(54, "Ref. " + rt::text::left(console::TRAZ_MES(MES_ATUAL), 3) + "/2009 Pag. " + tresDigitos(PAGINA));
    else
      pag.linha(63, " Pag. " + std::to_string(PAGINA));
    pag.linha(0, imp.LIN_DIV1);
    pag.linha(0, imp.LIN_DIV1);
    pag.linha(0, "Data       Descricao                                 Receitas      Despesas");
    pag.linha(0, imp.LIN_DIV1);
  }

  // The balance carried into the page.
  void saldoAnterior() {
    if (job.CALC_SALD != "S") return;
    pag.linha(0, imp.LIN_DIV1);
    pag.diz(0, "01/" + doisDigitos(MES_ATUAL) + "/2009");
    pag.diz(11, "Saldo Anterior");
    pag.valor(52, rt::text::abs(LSALDO), kLivro);
    pag.avanca();
  }

  void novaPagina() {
    pag.quebra();
    ++PAGINA;
    pag.cabecalho();
    saldoAnterior();
  }

  // TRAC_SEP: the staircase of hyphens over the page's empty entry lines. A full page has
  // none to fill.
  void TRAC_SEP() {
    const int NLINFAL = kLinhasDoLivro - pag.QLIN();
    if (NLINFAL <= 0) return;
    const int NTRACO = 45 / NLINFAL;
    const std::string degrau = "-" + std::string(static_cast<std::size_t>(NTRACO), '-');
    pag.diz(0, "--------");
    int coluna = 10;
    while (pag.QLIN() <= 46) {
      pag.linha(coluna, degrau);
      coluna += static_cast<int>(degrau.size());
    }
    while (pag.QLIN() < 51) pag.linha(coluna, "--");
  }

  // SALDOS(month, mode): the month's totals and balances; mode 1 closes a page after the
  // filler, mode 2 goes on in the flow.
  void SALDOS(int modo) {
    if (modo == 1) TRAC_SEP();
    pag.linha(0, imp.LIN_DIV1);
    pag.diz(11, "Totais do Mes");
    pag.valor(52, LSALDOR, kLivro);
    pag.valor(66, LSALDOD, kLivro);
    pag.avanca();
    pag.diz(11, LSALDOM.isNegative() ? "Deficit do Mes" : "Saldo do Mes");
    pag.valor(52, rt::text::abs(LSALDOM), kLivro);
    pag.avanca();
    pag.diz(11, LSALDO.isNegative() ? "Deficit Acumulado" : "Saldo Acumulado");
    pag.valor(52, rt::text::abs(LSALDO), kLivro);
    pag.avanca();
    if (modo == 2) pag.linha(0, imp.LIN_DIV1);
    LSALDOM = LSALDOR = LSALDOD = Decimal();
  }

  // NOME_IDEN: who keeps the book, and the signature line.
  void NOME_IDEN() {
    const rt::db::Table* reg = ctx.areas.table(store::Area::IMP0910);
    auto campo = [&](const char* nome) { return reg != nullptr ? std::string(alltrim(reg->getText(nome))) : std::string(); };
    pag.diz(5, titular.nome);
    pag.diz(55, "CPF nro");
    pag.linha(63, transform(titular.cpf, kCpf));
    std::string endereco = campo("TIPOEND") + " " + campo("ENDERECO") + "," + campo("NUMERO");
    for (const char* c : {"COMPLEM", "BAIRRO"})
      if (!campo(c).empty()) endereco += " " + campo(c);
    pag.linha(5, endereco);
    pag.linha(5, transform(campo("CEP"), "@r 99999-999") + " - " + campo("MUNICIPIO") + " " + campo("UF"));
    std::string telefones = "TEL: (" + campo("DDDTEL") + ") " + campo("TELEFO");
    if (!campo("NROFAX").empty()) telefones += "  FAX: (" + campo("DDDFAX") + ") " + campo("NROFAX");
    pag.linha(5, telefones);
    pag.linha(5, "Email " + campo("EMAIL"));
    imp.QLIN += 13;
    pag.linha(5, std::string(50, '_'));
    pag.linha(5, titular.nome);
  }

  // ENCERRAMENTO: the opening and the closing term, each on its own page.
  void ENCERRAMENTO() {
    const std::string n = std::to_string(PAGINA);
    const std::string atividade = esc.QUEIMP == 10 ? "das receitas e despesas de trabalho nao assalariado,"
                                                    : "das receitas e despesas na atividade rural,";
    const std::string ano = "no ano calendario 2009, de que trata o artigo 18 da Lei numero 9.250/95,";
    for (bool abertura : {true, false}) {
      pag.quebra();
      imp.QLIN = 1;
      pag.linha(5, "LIVRO CAIXA (Lei Numero 9.250/95 , art. 18)         Pag. " + (abertura ? std::string("001") : tresDigitos(PAGINA)));
      pag.linha(5, std::string(42, '_'));
      imp.QLIN += 2;
      const std::string titulo = abertura ? "T E R M O   D E   A B E R T U R A " : "T E R M O   D E   E N C E R R A M E N T O";
      pag.linha(20, titulo);
      pag.linha(20, std::string(titulo.size(), '_'));
      imp.QLIN = 15;
      pag.linha(5, "Este livro contem " + n + " folhas numeradas sequencialmente de 1 a " + n + " e");
      if (abertura) {
        pag.linha(5, "servira para o lancamento " + atividade);
        pag.linha(5, ano);
      } else {
        pag.linha(5, ano);
        pag.linha(5, "serviu para o lancamento " + atividade);
      }
      pag.linha(5, "do contribuinte abaixo identificado:");
      imp.QLIN += 2;
      NOME_IDEN();
    }
  }
};

// The months the job chose.
int primeiroMes(const VariaveisTrabalho& j) { return j.QUEMES == 1 ? 1 : j.MES_INIC; }
int ultimoMes(const VariaveisTrabalho& j) { return j.QUEMES == 1 ? 12 : j.QUEMES == 2 ? j.MES_INIC : j.MES_FINAL; }

Decimal comSinal(const Lancamento& l) { return l.despesa ? -l.valor : l.valor; }

// LIVRO_CX: the entries of the chosen months.
void LIVRO_CX(Livro& l, const std::vector<Lancamento>& todos) {
  const VariaveisTrabalho& j = l.job;
  const int de = primeiroMes(j), ate = ultimoMes(j);
  std::vector<const Lancamento*> doLivro;
  for (const Lancamento& x : todos)
    if (x.data.month() >= de && x.data.month() <= ate) doLivro.push_back(&x);
  if (doLivro.empty()) return;
  l.PAGINA = j.QUEMES == 1 ? 2 : 1;
  l.LSALDO = l.LSALDOM = l.LSALDOR = l.LSALDOD = Decimal();
  // The balance of the earlier months is that of their own entries.
  if (j.CALC_SALD == "S" && de > 1)
    for (const Lancamento& x : todos)
      if (x.data.month() < de) l.LSALDO += comSinal(x);
  Pagina& p = l.pag;
  l.MES_ATUAL = doLivro.front()->data.month();
  if (l.imp.QLIN > 0) p.quebra();
  p.cabecalho();
  l.saldoAnterior();
  for (const Lancamento* x : doLivro) {
    if (x->data.month() != l.MES_ATUAL) {
      if (l.avanca()) {
        l.SALDOS(1);
        p.linha(0, l.imp.LIN_DIV1);
        l.MES_ATUAL = x->data.month();
        l.novaPagina();
      } else {
        l.SALDOS(2);
        l.MES_ATUAL = x->data.month();
      }
    }
    if (p.QLIN() > kLinhasDoLivro - 1) {
      p.linha(0, l.imp.LIN_DIV1);
      l.novaPagina();
    }
    p.diz(0, dataDoLivro(x->data));
    p.diz(11, x->descricao);
    p.valor(x->despesa ? 66 : 52, x->valor, kLivro);
    p.avanca();
    (x->despesa ? l.LSALDOD : l.LSALDOR) += x->valor;
    l.LSALDOM += comSinal(*x);
    l.LSALDO += comSinal(*x);
  }
  if (l.avanca()) {
    l.SALDOS(1);
    p.linha(0, l.imp.LIN_DIV1);
  } else {
    l.SALDOS(2);
  }
  if (j.QUEMES == 1) {
    ++l.PAGINA;
    l.ENCERRAMENTO();
  }
}

}  // namespace

std::string dataDoLivro(rt::text::Date d) {
  if (d.isEmpty()) return "  /  /  ";
  return doisDigitos(d.day()) + "/" + doisDigitos(d.month()) + "/" + doisDigitos(d.year() % 100);
}

std::vector<Lancamento> lancamentosDoLivro(store::Contexto& ctx, bool rural) {
  std::vector<Lancamento> v;
  if (!rural) {
    paraCadaLinha(ctx, store::Area::TMP_02, [&](rt::db::Table& t) {
      const std::string tipo = t.getText("I1_1");
      if ((tipo != "F" && tipo != "L") || t.getDate("DT_LC").isEmpty()) return;
      v.push_back({t.getDate("DT_LC"), rt::text::left(t.getText("I1_2"), 40), t.getNumber("I1_4"),
                   t.getText("TIPOCR") == "D"});
    });
    return v;
  }
  // The properties are numbered in table order within their side.
  std::vector<Decimal> brasil, exterior;
  paraCadaLinha(ctx, store::Area::TMP_16, [&](rt::db::Table& t) {
    (t.getText("ATV_BRASIL") == "N" ? exterior : brasil).push_back(t.getNumber("I2R_04"));
  });
  paraCadaLinha(ctx, store::Area::TMP_19, [&](rt::db::Table& t) {
    if (t.getDate("DT_LC").isEmpty()) return;
    const std::vector<Decimal>& imoveis = t.getText("ATV_BRASIL") == "N" ? exterior : brasil;
    const long n = static_cast<long>(t.getNumber("NROIMO").wholePart());
    const Decimal parte = n >= 1 && n <= static_cast<long>(imoveis.size())
                              ? imoveis[static_cast<std::size_t>(n - 1)] / Decimal(100)
                              : Decimal(1);
    v.push_back({t.getDate("DT_LC"), std::string(trim(t.getText("DESCR"))),
                 rt::text::despreza(t.getNumber("VALOR") * parte, 2), t.getText("TIPOCR") == "D"});
  });
  return v;
}

void LIVRO_CAIXA(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, const platform::EnvLookup& env) {
  // A further copy after months already handed over to the print program routes anew.
  if (!imp.dispositivo.routed() && !PREP_IMP(ctx, imp)) return;
  Livro l(ctx, imp, esc);
  const std::vector<Lancamento> todos = lancamentosDoLivro(ctx, l.rural());
  LIVRO_CX(l, todos);
  if (esc.QUECON != 1) return;
  while (imp.job.QUEMES != 1 && !imp.CAN_IMP &&
         console::AVISOSN(ctx, "Deseja imprimir Outro(s) Mes(es) ? (S/N)", 2) == "S") {
    // The months printed so far end their sheet.
    if (imp.QLIN > 0 || imp.dispositivo.prow() > 0) imp.dispositivo.eject();
    imp.QLIN = 0;
    if (naoDos(imp.conf)) {
      // The print program gets them before the next choice; once handed over they are not
      // handed over again at the end of the job, whatever the user chooses next.
      PedidoImpTxt pedido;
      pedido.QUECON = esc.QUECON;
      pedido.MOSTEL = esc.MOSTEL;
      pedido.MOSIMP = esc.MOSIMP;
      pedido.MOSCPF = esc.MOSCPF;
      pedido.CPF = l.titular.cpf;
      IMP_TXT(ctx, imp, pedido, env).ignoreTold();  // said by it, or nothing to hand over
      imp.ARQ_IMP.assign(1, ' ');
      if (!ESCOLHE_COMO(ctx, imp, 1, esc.QUECON) || !PREP_IMP(ctx, imp)) return;
    } else {
      // A file keeps them and receives the next months after them; a printer goes on.
      if (!ESCOLHE_COMO(ctx, imp, 1, esc.QUECON)) return;
      if (!fechaSaida(ctx, imp) || !PREP_IMP(ctx, imp)) return;
    }
    LIVRO_CX(l, todos);
  }
}

}  // namespace print
