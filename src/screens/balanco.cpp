#include "screens/balanco.h"

#include <algorithm>
#include <string>

#include "console/alerta.h"
#include "console/honorarios.h"
#include "console/mensagens.h"
#include "console/molduras.h"
#include "console/tempo.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/formulario.h"
#include "screens/grades.h"
#include "screens/rodape.h"
#include "screens/teclas.h"
#include "screens/telas.h"
#include "store/abertura.h"
#include "store/uso_tabela.h"
#include "taxcalc/balanco.h"
#include "taxcalc/patrimonio.h"
#include "taxcalc/rural.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

Decimal VALCALC(long long segundos, long long bytes, const AmbienteTela::Honorarios& h) {
  return console::calculaHonorarios(Decimal::fromInt(segundos), Decimal::fromInt(bytes),
                                    {h.VAL_SEG, h.VAL_BYTE, h.VAL_MIN}, console::SemTempo::Minimo)
      .declaracao;
}

namespace {

constexpr std::string_view kValor = "@Ez 999,999,999.99";

// The time spent, the data size and the fee they come to.
void mostraHonorarios(AmbienteTela& a, Formulario& form) {
  if (!a.honorarios) return;
  const AmbienteTela::Honorarios& h = *a.honorarios;
  const long long segundos = h.VETEMPO ? h.VETEMPO() : 0, bytes = h.VETAMHO ? h.VETAMHO() : 0;
  form.mostra("TEMPO", console::SEG_HOR_2(segundos), "");
  form.mostra("TAM_USO", Decimal::fromInt(bytes), "@Ez 999,999");
  form.mostra("VALCALC", VALCALC(segundos, bytes, h), "@Ez 99,999,999.99");
}

// FAZCONF: "S" checks the declaration now, "A" from now on at every entry to the screen; any
// other answer is explained. The value typed stays in every case.
bool FAZCONF(AmbienteTela& a) {
  const std::string& c = *a.CCONFERE;
  if (c == "S") {
    if (a.CONFERE) a.CONFERE(2);
  } else if (c == "A") {
    console::AVISOSN(a.ctx, "A declaracao passa ser conferida automaticamente ao passar nessa tela", 0);
  } else if (c != "N") {
    console::AVISOSN(a.ctx,
                     {"Informe com 'S'(Sim) ou 'N'(Nao) ou 'A'(Automatico)",
                      "para verificar pendencias e conferir a declaraçao.   "_cp},
                     0);
  }
  return true;
}

// MOSTEX: the explanation of the field being entered, centred on the message line.
bool MOSTEX(AmbienteTela& a, std::string_view campo) {
  static const std::pair<std::string_view, std::string_view> kTextos[] = {
      {"DESPNAO", "Tecle Ctrl Enter para editar as despesas para a manutençao dos bens."_cp},
      {"IMPOANTER", "Impostos pagos p/ Receita em 2009 como IRPF, G.Capital atrasado, etc"},
      {"OUTREC", "Informe receitas não previstas ou valor p/compensar despesas."_cp},
      {"OUTRDES", "Informe valor de gastos usuais para sua manutençao."_cp},
      {"INDALERTA", "Informe o percentual para o alerta."},
      {"VALOREC", "Informe o valor a ser cobrado por essa declaração."_cp},
      {"PREJVEN1", "Informe os prejuízos na vendas bens de pequeno valor.(sem Ganho de Capital.)"_cp},
      {"cConfere", "Digite S para conferir N para Nao ou A para conferencia automatica"}};
  for (const auto& [nome, texto] : kTextos) {
    if (nome != campo) continue;
    console::OpcoesMens op;
    op.coluna = std::string("C");
    console::MENS(a.ctx, console::mens::Linha, texto, op);
  }
  return true;
}

// A value at its place in one of the program's colours.
void mostraEm(AmbienteTela& a, const Fundo& f, std::string_view nome, const rt::ui::Value& v,
              std::string_view picture, int cor) {
  if (const std::optional<Lugar> l = lugar(f, nome))
    a.ctx.screen().put(l->linha, l->coluna, rt::ui::formatValue(v, picture),
                       static_cast<rt::term::Attr>(cor));
}

// MOS_BALAN: the balance computed again and shown. A surplus whose share of the receipts falls
// below the alert percentage, and any deficit, stand in the attention colour.
void MOS_BALAN(AmbienteTela& a, const Fundo& f, Formulario& form) {
  taxcalc::Contexto& c = a.calc;
  taxcalc::CALC_PREJU(c);
  taxcalc::VE_SALDO(c);
  const Decimal receitas[] = {c.num("I13_07"),
                              c.num("I13_37"),
                              c.num("I13_38") + c.num("I13_39") - c.num("I4_03"),
                              c.num("LUCRRVA"),
                              c.d.registro.num("I9_2"),
                              Decimal(0),
                              c.num("EMPREST"),
                              c.num("EMPRUR"),
                              c.num("ENTRADGP"),
                              -c.num("ISENTNAO"),
                              c.v.I10_2,
                              c.v.NEXIGI};
  const Decimal pagamentos = c.simplificado()
                                 ? c.num("DESPADRAO") + c.v.DESPSIMP
                                 : c.num("DESPDECLA") + c.num("I13_08") + c.num("I13_10") + c.num("I13_14");
  const Decimal despesas[] = {
      c.num("I13_27") - c.num("I13_20") + c.num("I13_39") + c.num("I13_40") + c.num("I13_41"),
      c.num("IMPOANTER"),
      pagamentos,
      c.num("PREJRVA"),
      c.num("DESPNAO"),
      c.num("PREJVEN1"),
      c.num("PREJRUR"),
      c.num("AMORUR"),
      c.num("CUSTOANT"),
      c.num("CUSTOANO"),
      c.v.I10_1};
  for (std::size_t i = 0; i < std::size(receitas); ++i)
    form.mostra("BALREC" + std::to_string(i + 1), receitas[i], kValor);
  for (std::size_t i = 0; i < std::size(despesas); ++i)
    form.mostra("BALDES" + std::to_string(i + 1), despesas[i], kValor);
  const Decimal saldo = c.v.RECEITA - c.v.DESPESA;
  const Decimal indice = percentualBalanco(saldo, c.v.RECEITA);
  c.d.registro.num("INDGAS", indice);
  form.mostra("RECEITA", c.v.RECEITA, kValor);
  form.mostra("DESPESA", c.v.DESPESA, kValor);
  form.mostra("VALFUTUR", c.num("VALFUTUR"), kValor);
  const int atencao = a.ctx.cores.COR_FERID, limpa = a.ctx.cores.COR_TEL1;
  const bool superavit = saldo > Decimal(0);
  const int cor = !superavit || indice < c.num("INDALERTA") ? atencao : limpa;
  mostraEm(a, f, "ROTSALDO", superavit ? std::string("   Saldo de ") : std::string("Deficit de  "), "",
           superavit ? limpa : atencao);
  mostraEm(a, f, "INDGAS", indice, "@Z 999.99", cor);
  mostraEm(a, f, "SALDO", saldo, kValor, cor);
  form.mostra("MEDREC", rt::text::despreza(c.v.RECEITA / 12), kValor);
  form.mostra("MEDSALDO", rt::text::despreza(saldo / 12), kValor);
}

// POEDESP (Ctrl-Enter in DESPNAO): the grid of the assets' monthly upkeep, with the expense
// kinds at hand; DESPNAO becomes twelve times their sum and the balance is computed again.
void POEDESP(AmbienteTela& a) {
  const store::UsoTabela despesas(a.ctx, store::Area::DESPESA);
  if (despesas.ok()) {
    // Leaving the grid ends only the grid: the balance form goes on.
    const bool muda = a.grade.TECLAMUDA;
    // The grid has a frame of its own (window 4) with the note on what to list; closing it
    // gives back the balance it covered.
    {
      console::MTELA5(a.ctx, console::mtela5::NotaDespesas);
      const auto moldura = console::JanelaAberta::adota(a.ctx.janelas, console::Jan::kDialogo);
      editaGrade(a, 15);
    }
    a.grade.TECLAMUDA = muda;
    taxcalc::TOTALDESP(a.calc);
    taxcalc::VE_SALDO(a.calc);
  }
  a.grade.ULTTECLA = 0;
}

}  // namespace

void balanco(AmbienteTela& a, const Fundo& f) {
  store::EspelhoDeclaracao& e = a.espelho();
  recalculaResumo(a);
  Formulario form(a, f);
  TeclasLigadas teclas(a.ctx.console);
  for (int k = 1; k <= 9; ++k) teclas.liga(key::AltF1 - (k - 1), [&a, k] { B_DETAL(a, k); });
  // The upkeep grid belongs to the living expenses' field only.
  int campoDespesas = -1;
  teclas.liga(key::CtrlEnter, [&a, &f, &form, &campoDespesas] {
    rt::ui::Read& r = form.read();
    if (r.current() < 0 || r.current() != campoDespesas) return;
    POEDESP(a);
    MOS_BALAN(a, f, form);
    r.requestRedisplay();
  });
  MOS_BALAN(a, f, form);
  if (a.CCONFERE != nullptr && *a.CCONFERE == "A" && a.CONFERE) a.CONFERE(3);
  mostraHonorarios(a, form);
  const auto mostra = [&a, &f, &form] {
    MOS_BALAN(a, f, form);
    return true;
  };
  for (std::string_view n : {"OUTREC", "IMPOANTER", "DESPNAO", "PREJVEN1", "OUTRDES"}) {
    if (n == "DESPNAO") campoDespesas = static_cast<int>(form.read().size());
    form.edita(e.tabela01, n, kValor).when([&a, n] { return MOSTEX(a, n); }).valid(mostra);
  }
  form.edita(e.tabela01, "INDALERTA", "@z 99").when([&a] { return MOSTEX(a, "INDALERTA"); }).valid(mostra);
  form.edita(e.registro, "VALOREC", "@Ez 99,999,999.99").when([&a] { return MOSTEX(a, "VALOREC"); });
  if (a.CCONFERE != nullptr)
    form.edita("cConfere", rt::ui::var("cConfere", *a.CCONFERE), "@!")
        .when([&a] { return MOSTEX(a, "cConfere"); })
        .valid([&a] { return FAZCONF(a); });
  // The form comes round again until a key leaves the screen.
  do {
    form.roda();
  } while (a.grade.ULTTECLA == 0 && !a.grade.TECLAMUDA && !a.saiuDa(10));
}

}  // namespace screens
