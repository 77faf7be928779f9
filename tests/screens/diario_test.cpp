// The entry journal: entries posted by their account's page and line into the summary, the
// payers, the carnê-leão book and the payments, found again when the declaration is opened;
// postings that name no amount (a text field, an undefined line, a month field that does not
// exist), a payer not registered, an account gone or a title: refused with the account's
// alert, nothing written, the entry left for later; a second transfer posts nothing; the
// write-back keeps every entry with its mark; a second terminal in the same taxpayer's journal
// is sent away, so no entry typed is lost. The entry form on the scripted terminal.
#include "screens/diario.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "console/alerta.h"
#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/em_uso.h"
#include "store/relato.h"
#include "store/tabelas_declaracao.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

constexpr std::string_view kDependente = "52998224725";

struct ContaTeste {
  std::string codigo, status = "S";
  int pagina = 0, linha = 0;
  std::string cpf = "N", cgc = "N", livro = "N", descr = "N";
};

class Diario : public DeclaracaoFixture {
 protected:
  void poeConta(const ContaTeste& c) {
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::CONTAS));
    rt::db::Table& t = *p->areas.table(store::Area::CONTAS);
    ASSERT_TRUE(t.appendBlank().isOk());
    for (auto [campo, valor] : std::map<std::string, std::string>{{"CDCONTA", c.codigo}, {"NMDESCRICA", "Conta " + c.codigo},
                                                                   {"CDSTATUS", c.status}, {"TEMCPF", c.cpf},
                                                                   {"TEMCGC", c.cgc}, {"LIVROCX", c.livro},
                                                                   {"TEMDESCR", c.descr}})
      ASSERT_TRUE(t.put(campo, rt::ui::Value(valor)).isOk());
    ASSERT_TRUE(t.put("PAGINA", rt::ui::Value(Decimal::fromInt(c.pagina))).isOk());
    ASSERT_TRUE(t.put("LINHA", rt::ui::Value(Decimal::fromInt(c.linha))).isOk());
    ASSERT_TRUE(t.flush().isOk());
    (void)t.unlock();
  }
  // The live row of a data-folder table of the taxpayer whose trimmed field holds `valor`.
  std::unique_ptr<rt::db::Table> linhaCom(std::string_view arquivo, std::string_view campo, std::string_view valor) {
    for (auto t = dados(arquivo, kNovo); t && !t->eof(); (void)t->skip())
      if (!t->isDeleted() && t->getText("CPF") == kNovo && rt::text::trim(t->getText(campo)) == valor) return t;
    return nullptr;
  }
  void fechaTudo() {
    for (store::Area a : {store::Area::IMP0110, store::Area::IMP0210, store::Area::IMP0610, store::Area::IMP1310,
                          store::Area::TMP_13, store::Area::CONTAS})
      (void)store::fecha(p->areas, a);
  }
};

Decimal d(int v) { return Decimal::fromInt(v); }

TEST_F(Diario, EntriesArePostedByPageAndLineOnceAndBadPostingsWriteNothing) {
  novo(kNovo);
  termina('S');
  roda();
  const std::string cnpj = "11222333000181", outro = "99888777000166";
  struct Caso {
    ContaTeste conta;
    Lancamento l;
    bool postado;
    std::string motivo;  // the refusal's second line ("" posted)
  };
  const std::string semValor("não aponta para um valor da declaração: não foi transferido."_cp);
  const std::string semMes("não tem o mês de lançamento: não foi transferido."_cp);
  const std::vector<Caso> casos = {
      // The summary: savings income, another exempt income with its description, line 24.
      {{"3008", "S", 3, 8}, {"3008", "", "", "", d(1500)}, true, ""},
      {{"3012", "S", 3, 12}, {"3012", "Premio de loteria", "", "", d(300)}, true, ""},
      {{"1324", "S", 13, 24}, {"1324", "", "", "", d(45), 13, 13}, true, ""},
      // Page 1: line 4 registers the payer with its name, line 5 needs it, another CNPJ has
      // none; a dependant's payer (both documents) on line 15 is his own row.
      {{"1004", "S", 1, 4, "N", "S"}, {"1004", "Empresa Alfa", cnpj, "", d(5000)}, true, ""},
      {{"1005", "S", 1, 5, "N", "S"}, {"1005", "", cnpj, "", d(700)}, true, ""},
      {{"1006", "S", 1, 6, "N", "S"}, {"1006", "", outro, "", d(80)}, false, "precisa ter Fonte Pagadora c/ mesmo CNPJ"},
      {{"1015", "S", 1, 15, "S", "S"}, {"1015", "", "11.222.333/0001-81", std::string(kDependente), d(100)}, true, ""},
      {{"1002", "S", 1, 2, "N", "S"}, {"1002", "", cnpj, "", d(10)}, false, semValor},
      {{"1008", "S", 1, 8, "N", "S"}, {"1008", "", cnpj, "", d(10)}, false, semValor},
      {{"1012", "S", 1, 12, "N", "S"}, {"1012", "", cnpj, "", d(10)}, false, semValor},
      // Page 2: the taxpayer's INSS from March to a thirteenth month (posted to December),
      // a dependant's INSS whose end is before its start (the start month only), line 6 and a
      // line without a month refused.
      {{"2004", "S", 2, 4, "N", "N", "S"}, {"2004", "", "", "", d(200), 3, 13}, true, ""},
      {{"2104", "S", 2, 4, "S", "S", "S"}, {"2104", "", "", std::string(kDependente), d(50), 5, 2}, true, ""},
      {{"2006", "S", 2, 6, "N", "N", "S"}, {"2006", "", "", "", d(20), 1, 1}, false, semValor},
      {{"2001", "S", 2, 1, "N", "N", "N", "S"}, {"2001", "Aluguel", "", "", d(20)}, false, semMes},
      // Page 6: a doctor (code 10) without months, code 2 from line 21, line 21 with months
      // (no such field), a school by the month up to a thirteenth.
      {{"6010", "S", 6, 10, "S"}, {"6010", "Dr Fulano", "12345678909", "", d(800)}, true, ""},
      {{"6021", "S", 6, 21, "S"}, {"6021", "Clinica", "98765432100", "", d(90)}, true, ""},
      {{"6121", "S", 6, 21, "S", "N", "S"}, {"6121", "Outra", "11144477735", "", d(90), 1, 2}, false, semValor},
      {{"6011", "S", 6, 11, "N", "S", "S"}, {"6011", "Escola", outro, "", d(10), 1, 13}, true, ""},
      // A dependant's exempt income and income taxed at source go to his payer row (the
      // one line 15 made), added; without his CPF there is nothing to post to.
      {{"3013", "S", 3, 13, "S"}, {"3013", "", "", std::string(kDependente), d(60)}, true, ""},
      {{"4006", "S", 4, 6, "S"}, {"4006", "", "", std::string(kDependente), d(25)}, true, ""},
      {{"3113", "S", 3, 13, "S"}, {"3113", "", "", "", d(5)}, false, std::string("não tem o CPF do dependente"_cp)},
      // A title account, an account no longer in the chart.
      {{"3108", "N", 3, 8}, {"3108", "", "", "", d(20)}, false, std::string("não tem conta detalhada no plano de contas"_cp)},
      {{}, {"7777", "", "", "", d(30)}, false, std::string("não tem conta detalhada no plano de contas"_cp)},
  };
  std::vector<Lancamento> entradas;
  for (const Caso& c : casos) {
    if (!c.conta.codigo.empty()) poeConta(c.conta);
    entradas.push_back(c.l);
  }
  ASSERT_TRUE(gravaLancamentos(*p, kNovo, entradas));
  ASSERT_TRUE(abreCopiaLancamentos(*p, kNovo));
  int bons = 0;
  for (const Caso& c : casos) bons += c.postado;
  EXPECT_EQ(LANCAVAL(*p, kNovo), bons);
  for (const Caso& c : casos) {
    const std::string alerta = std::string("O Lançamento código "_cp) + c.l.CDCONTA;
    EXPECT_EQ(gravador.viu(alerta) || gravador.viu(alerta + " " + c.motivo), !c.postado) << c.l.CDCONTA;
    if (!c.motivo.empty()) {
      EXPECT_TRUE(gravador.viu(c.motivo)) << c.l.CDCONTA;
    }
  }
  gravador.esquece();
  EXPECT_EQ(LANCAVAL(*p, kNovo), 0);  // the bad ones are refused again, nothing posted twice
  ASSERT_TRUE(gravaLancamentos(*p, kNovo, lancamentosDaCopia(*p)));
  std::vector<Lancamento> relidos;
  ASSERT_TRUE(leLancamentos(*p, kNovo, relidos));
  ASSERT_EQ(relidos.size(), casos.size());
  for (std::size_t i = 0; i < casos.size(); ++i) EXPECT_EQ(relidos[i].LANCADO, casos[i].postado) << casos[i].l.CDCONTA;
  EXPECT_EQ(rt::text::trim(relidos[3].NROCGCCPF), "11.222.333/0001-81");  // stored punctuated
  EXPECT_EQ(DeclaracaoFixture::conta("IMP1310", kNovo), static_cast<int>(casos.size()));
  fechaTudo();

  // In the data folder: nothing of a refused posting, no row for the unknown payer or the
  // code of line 21 with months.
  {
  EXPECT_EQ(linhaCom("IMP0210", "I1_3", "99.888.777/0001-66"), nullptr);
  EXPECT_EQ(linhaCom("IMP0610", "I6_2", "111.444.777-35"), nullptr);
  EXPECT_EQ(linhaCom("IMP0210", "I1_2", "Aluguel"), nullptr);
  auto alfa = linhaCom("IMP0210", "I1_2", "Empresa Alfa");
  ASSERT_NE(alfa, nullptr);
  EXPECT_EQ(alfa->getText("I1_1"), "J");
  EXPECT_EQ(alfa->getText("I1_3"), "11.222.333/0001-81");
  EXPECT_EQ(alfa->getNumber("I1_4"), d(5000));
  EXPECT_EQ(alfa->getNumber("I1_5"), d(700));
  EXPECT_EQ(alfa->getNumber("I1_6"), d(0));
  auto dep = linhaCom("IMP0210", "I1_1", "D");
  ASSERT_NE(dep, nullptr);
  EXPECT_EQ(dep->getText("I1_8"), kDependente);
  EXPECT_EQ(dep->getNumber("I1_15"), d(100));
  EXPECT_EQ(dep->getNumber("I1_9"), d(60));
  EXPECT_EQ(dep->getNumber("I1_10"), d(25));
  int inss = 0;
  for (auto t = dados("IMP0210", kNovo); t && !t->eof(); (void)t->skip()) {
    if (t->isDeleted() || rt::text::trim(t->getText("I1_2")) != "Carne do INSS") continue;
    ++inss;
    ASSERT_EQ(t->getText("I1_1"), "P");
    const bool titular = t->getText("I1_11") == "S";
    EXPECT_EQ(rt::text::trim(t->getText("I1_8")), titular ? "" : kDependente);
    for (int m = 1; m <= 12; ++m) {
      const bool lancado = titular ? m >= 3 : m == 5;
      EXPECT_EQ(t->getNumber("I1_4" + std::string(m < 10 ? "0" : "") + std::to_string(m)), lancado ? d(titular ? 200 : 50) : d(0))
          << m;
    }
    EXPECT_EQ(t->getNumber("I1_4"), titular ? d(2000) : d(50));
  }
  EXPECT_EQ(inss, 2);
  auto medico = linhaCom("IMP0610", "I6_2", "123.456.789-09");
  ASSERT_NE(medico, nullptr);
  EXPECT_EQ(rt::text::trim(medico->getText("I6_1")), "Dr Fulano");
  EXPECT_EQ(medico->getNumber("I6_3"), d(10));
  EXPECT_EQ(medico->getNumber("I6_4"), d(800));
  auto clinica = linhaCom("IMP0610", "I6_2", "987.654.321-00");
  ASSERT_NE(clinica, nullptr);
  EXPECT_EQ(clinica->getNumber("I6_3"), d(2));
  EXPECT_EQ(clinica->getNumber("I6_5"), d(90));
  EXPECT_EQ(clinica->getNumber("I6_4"), d(0));
  }  // the tables are let go before the declaration is loaded

  // Opened again, the declaration holds them.
  Decimal dividendos, outros, i13_24, rendimento, escola, dezembro;
  std::string descricao;
  aoEntrar = [&](shell::Declara& dc, int) {
    dividendos = dc.dec.espelho.tabela01.num("I3_08");
    outros = dc.dec.espelho.tabela01.num("I3_12");
    descricao = dc.dec.espelho.tabela01.txt("I3_12D");
    i13_24 = dc.dec.espelho.tabela01.num("I13_24");
    const auto procura = [this](store::Area copia, const char* campo, std::string_view valor,
                                const std::function<void(const rt::db::Table&)>& le) {
      rt::db::Table* t = p->areas.table(copia);
      if (t != nullptr) t->goTop();
      for (bool ok = t != nullptr && t->status().isOk(); ok && !t->eof(); t->skip(), ok = t->status().isOk())
        if (rt::text::trim(t->getText(campo)) == valor) le(*t);
    };
    procura(store::Area::TMP_02, "I1_2", "Empresa Alfa", [&](const rt::db::Table& t) { rendimento = t.getNumber("I1_4"); });
    procura(store::Area::TMP_06, "I6_1", "Escola", [&](const rt::db::Table& t) {
      escola = t.getNumber("I6_4");
      dezembro = t.getNumber("I6_412");
    });
  };
  telas.clear();
  abre(kNovo);
  termina('N');
  roda();
  EXPECT_EQ(dividendos, d(1500));
  EXPECT_EQ(outros, d(300));
  EXPECT_EQ(rt::text::trim(descricao), "Premio de loteria");
  EXPECT_EQ(i13_24, d(45));
  EXPECT_EQ(rendimento, d(5000));
  EXPECT_EQ(escola, d(120));
  EXPECT_EQ(dezembro, d(10));
}

// The journal as the clerk meets it: the menu, a title account refused, an entry whose month
// runs to 13 (a month 14 refused), an entry confirmed without its amount and mended, both
// transferred, the entries grid, and the entries written back marked.
TEST_F(Diario, TheMenuAndTheEntryFormTypeConfirmAndTransfer) {
  poeConta({"2004", "S", 2, 4, "N", "N", "S"});
  poeConta({"3108", "N", 3, 8});
  poeConta({"6010", "S", 6, 10, "S", "N", "N", "S"});
  poeConta({"1015", "S", 1, 15, "S", "S"});
  // The tables made beforehand: the notice of a table being made drops the keys typed ahead.
  for (store::Area a : {store::Area::IMP0210, store::Area::IMP0610, store::Area::IMP1310})
    ASSERT_TRUE(store::ABERTURA(*p, a));
  term.press('L');
  term.type("3108");                                 // a title
  term.pause().press(key::Enter);                        // its alert
  term.type("2004");
  term.type("150").press(key::Enter);               // the amount
  term.type("3").press(key::Enter);                 // from March
  term.type("14");                                  // refused
  term.pause().type("13");                                // to the thirteenth month
  term.press('S');                                  // " Confirma ? "
  term.type("6010");
  term.type("Dr Fulano").press(key::Enter);         // the payee's name
  term.press(key::Enter);                           // no amount
  term.type("12345678909");                         // his CPF ends the form
  term.press('S').press(key::Enter);                // confirmed: the amount is missing
  term.press(key::Enter).type("800").press(key::Enter).press(key::Enter);
  term.press('S');
  term.type("1015");                                // a dependant's payer: both documents
  term.type("100").press(key::Enter);
  term.type("11.222.333/0001-81").press(key::Enter);  // a CNPJ typed with its separators
  term.type(kDependente);                           // the dependant's CPF ends the form
  term.press('S');
  term.press(key::Esc);                             // no further account
  term.press('T').press(key::Enter);                // transferred, its count
  term.press('V').pause().press(key::Esc);          // the entries grid
  term.press(key::Esc);
  ASSERT_TRUE(LANCAMEN(*p, kNovo)) << term.dump();
  EXPECT_FALSE(term.exhausted()) << term.dump();
  EXPECT_TRUE(gravador.viuJuntos("Transferir", "Faz os lançamentos dos dados"_cp));
  EXPECT_TRUE(gravador.viu("Atençao! Essa conta é só Título. Use uma conta detalhada"_cp));
  EXPECT_TRUE(gravador.viu("Mês inválido"_cp));
  EXPECT_TRUE(gravador.viu("Falta preencher o valor"));
  EXPECT_TRUE(gravador.viu("3 lançamento(s) transferido(s)."_cp));
  EXPECT_TRUE(gravador.viuJuntos("Mês I"_cp, "Dr Fulano"));
  EXPECT_FALSE(term.exhausted());

  std::vector<Lancamento> l;
  ASSERT_TRUE(leLancamentos(*p, kNovo, l));
  ASSERT_EQ(l.size(), 3U);
  EXPECT_EQ(l[0].CDCONTA, "2004");
  EXPECT_EQ(l[0].VALODESP, d(150));
  EXPECT_EQ(l[0].MESINI, 3);
  EXPECT_EQ(l[0].MESFIM, 13);
  EXPECT_EQ(rt::text::trim(l[1].DESCONTA), "Dr Fulano");
  EXPECT_EQ(rt::text::trim(l[1].NROCGCCPF), "123.456.789-09");
  EXPECT_EQ(l[1].VALODESP, d(800));
  EXPECT_EQ(rt::text::trim(l[2].NROCGCCPF), "11.222.333/0001-81");
  EXPECT_EQ(l[2].CPFDEPEN, kDependente);
  EXPECT_TRUE(l[0].LANCADO && l[1].LANCADO && l[2].LANCADO);
  auto inss = linhaCom("IMP0210", "I1_2", "Carne do INSS");
  ASSERT_NE(inss, nullptr);
  EXPECT_EQ(inss->getNumber("I1_412"), d(150));
  EXPECT_EQ(inss->getNumber("I1_4"), d(1500));
  auto medico = linhaCom("IMP0610", "I6_2", "123.456.789-09");
  ASSERT_NE(medico, nullptr);
  EXPECT_EQ(medico->getNumber("I6_4"), d(800));
  auto dependente = linhaCom("IMP0210", "I1_8", kDependente);
  ASSERT_NE(dependente, nullptr);
  EXPECT_EQ(dependente->getText("I1_1"), "D");
  EXPECT_EQ(dependente->getNumber("I1_15"), d(100));
}

// Two terminals in one taxpayer's journal. Terminal 00 types an entry; while its form is open,
// terminal 01 (another process) asks for the same journal and is sent away naming 00; once 00
// has left, 01 types its own. Every entry typed, by either, is in table 13.
TEST_F(Diario, ASecondTerminalIsSentAwayAndEveryEntryTypedIsKept) {
  poeConta({"2004", "S", 2, 4, "N", "N", "S"});
  ASSERT_TRUE(store::ABERTURA(*p, store::Area::IMP1310));
  const auto digita = [&](std::string_view valor) {
    term.press('L').type("2004").type(valor).press(key::Enter);
    term.type("3").press(key::Enter).type("12").press('S');  // March to December, confirmed
  };
  std::set<Decimal> digitados{d(150)};
  int saida = -1;
  p->console.setKey(key::F12, [&] {
    const pid_t filho = fork();
    if (filho == 0) {
      p->NUSU = "01";
      digita("275");
      term.press(key::Esc).press(key::Esc);
      const bool entrou = LANCAMEN(*p, kNovo).isOk();
      _exit(entrou ? 1 : gravador.viu("Lançamentos em uso no terminal 00"_cp) ? 0 : 2);
    }
    int estado = 0;
    ASSERT_EQ(waitpid(filho, &estado, 0), filho);
    saida = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    if (saida == 1) digitados.insert(d(275));  // it got in, and typed its entry
    term.press(key::Esc).press(key::Esc);      // 00 leaves the form and the journal
  });
  digita("150");
  term.press(key::F12);  // at the next account, 01 comes in
  EXPECT_TRUE(LANCAMEN(*p, kNovo)) << term.dump();
  p->console.clearKey(key::F12);
  EXPECT_EQ(saida, 0);

  p->NUSU = "01";
  digita("300");
  term.press(key::Esc).press(key::Esc);
  EXPECT_TRUE(LANCAMEN(*p, kNovo)) << term.dump();
  digitados.insert(d(300));
  std::vector<Lancamento> l;
  ASSERT_TRUE(leLancamentos(*p, kNovo, l));
  std::set<Decimal> gravados;
  for (const Lancamento& x : l) gravados.insert(x.VALODESP);
  EXPECT_EQ(gravados, digitados);
  EXPECT_EQ(l.size(), digitados.size());
}

// The working copy held by another process with this terminal's number: the journal says so
// and leaves, writing nothing back. A declaration open elsewhere is not posted into. F1 lists
// the chart. The
// write-back waits for the entries' table with its
// message while another terminal locks it.
TEST_F(Diario, ACopyOrADeclarationHeldElsewhereAndTheWriteBackWaitingForTheTable) {
  {
    ASSERT_TRUE(gravaLancamentos(*p, kNovo, {{"3008", "", "", "", d(5)}}));
    ASSERT_TRUE(abreCopiaLancamentos(*p, kNovo));
    (void)store::fecha(p->areas, store::Area::TMP_13);
    rt::db::OpenOptions op;
    op.exclusive = true;
    auto outra = rt::db::Table::open(store::caminhoCopia(*p, store::Area::TMP_13) + ".DBF", op);
    ASSERT_TRUE(outra);
    term.press(key::Enter);
    EXPECT_FALSE(LANCAMEN(*p, kNovo));
    EXPECT_TRUE(gravador.viu("Terminal com esse nro aberto em outro local"));
  }
  // The declaration open on another terminal: the transfer waits for it to be let go,
  // posting nothing meanwhile.
  {
    const std::string eu = p->NUSU;
    p->NUSU = "07";
    store::UsoDeclaracao outro;
    ASSERT_TRUE(store::reservaDeclaracao(*p, p->LOCARQ, kNovo, outro, nullptr));
    p->NUSU = eu;
    poeConta({"3008", "S", 3, 8});
    term.press('T').press(key::Enter).press(key::Esc);
    EXPECT_TRUE(LANCAMEN(*p, kNovo));
    EXPECT_TRUE(gravador.viuJuntos("Declaração em uso no terminal 07"_cp, "Os lançamentos não foram transferidos."_cp));
    std::vector<Lancamento> l;
    ASSERT_TRUE(leLancamentos(*p, kNovo, l));
    ASSERT_EQ(l.size(), 1U);
    EXPECT_FALSE(l[0].LANCADO);
  }
  // F1 on the account lists the chart from the account last sought (3.008); the account
  // picked lands in the field and is checked.
  {
    poeConta({"2004", "S", 2, 4, "N", "N", "S"});
    gravador.esquece();
    term.press('L').press(key::F1).press(key::Enter).pause().press(key::Enter);
    EXPECT_TRUE(LANCAMEN(*p, kNovo));
    EXPECT_TRUE(gravador.viuJuntos("Descriçao"_cp, "Conta 2004"));
    EXPECT_TRUE(gravador.viu("3.008  Conta Conta 3008"));
  }
  class Libera final : public store::Relato {
   public:
    std::unique_ptr<rt::db::Table> outra;
    bool viu = false;
    void linha(std::string_view t, bool) override {
      if (t == "Aguardando arquivo ficar disponível"_cp) {
        viu = true;
        outra.reset();  // the other terminal lets the table go
      }
    }
  } relato;
  auto t = rt::db::Table::open(p->LOCARQ + "IMP1310.DBF");
  ASSERT_TRUE(t);
  relato.outra = std::move(*t);
  ASSERT_TRUE(relato.outra->lockFile().isOk());
  p->defineRelato(&relato);
  EXPECT_TRUE(gravaLancamentos(*p, kNovo, {{"3012", "", "", "", d(7)}}));
  p->defineRelato(nullptr);
  EXPECT_TRUE(relato.viu);
  std::vector<Lancamento> l;
  ASSERT_TRUE(leLancamentos(*p, kNovo, l));
  ASSERT_EQ(l.size(), 1U);
  EXPECT_EQ(l[0].CDCONTA, "3012");
}

}  // namespace
}  // namespace screens::teste
