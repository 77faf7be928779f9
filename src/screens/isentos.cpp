// Screen 3, the exempt and the exclusively taxed incomes: the lines typed here, those the
// computation carries from other screens shown beside them, and the totals, recomputed as each
// line is left. Alt+F6 opens the savings and investment lines that fill several of them.
#include <optional>
#include <string>

#include "console/mensagens.h"
#include "console/molduras.h"
#include "grid/edita.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "screens/formulario.h"
#include "screens/telas.h"
#include "taxcalc/calc.h"
#include "taxcalc/resumo.h"

namespace screens {

using namespace rt::text::literals;
namespace key = rt::term::key;
using rt::text::Decimal;

namespace {

constexpr std::string_view kValor = "@Ez 99,999,999.99";

// The lines the computation carries from the other screens.
constexpr std::string_view kCalculados[] = {"I3_05", "I3_06", "I3_07", "I3_09", "I3_11",
                                            "I3_13", "I4_01", "I4_02", "I4_03", "I4_06"};

void mostraCalculados(AmbienteTela& a, Formulario& form) {
  for (std::string_view n : kCalculados) form.mostra(n, a.calc.num(n), kValor);
  form.mostra("I13_37", a.calc.num("I13_37"), kValor);
  form.mostra("I13_38", a.calc.num("I13_38"), kValor);
  form.read().display();
}

// I3_04 from its parts: the exempt gains in reais and in foreign currency.
void somaGanhos(AmbienteTela& a) {
  const taxcalc::Contexto& c = a.calc;
  a.calc.v.I3_04D = c.num("I3_04GCPV") + c.num("I3_04UNIC") + c.num("I3_04REDU") + c.num("I3_04EXTR");
  a.calc.v.I3_04C = c.num("I3_04GCPVC") + c.num("I3_04UNICC") + c.num("I3_04REDUC");
  a.calc.poe("I3_04", a.calc.v.I3_04D + a.calc.v.I3_04C);
}

// MOS_CAL for I3_04: its parts typed in dialog frame 10, beside the parts the gains computed.
bool MOS_CAL(AmbienteTela& a) {
  {
    console::MTELA2(a.ctx, console::mtela2::InformadoCalculado);
    const auto moldura = console::JanelaAberta::adota(a.ctx.janelas, console::Jan::kDialogo);
    // Computed without showing: the screen's redraw would paint the form's amounts over the
    // dialog.
    a.CALC(5, 0);
    const auto campos = console::camposMoldura(a.ctx, console::Familia::MTELA2, console::mtela2::InformadoCalculado);
    const int top = a.ctx.ALJA[10], left = a.ctx.ACJA[10];
    static constexpr std::string_view kInformados[4] = {"I3_04GCPV", "I3_04UNIC", "I3_04REDU", "I3_04EXTR"};
    static constexpr std::string_view kCalculadosGanho[3] = {"I3_04GCPVC", "I3_04UNICC", "I3_04REDUC"};
    rt::ui::Read read(a.ctx.console, a.cores);
    for (std::size_t i = 0; i < campos.size(); ++i) {
      const console::CampoMoldura& c = campos[i];
      const std::size_t linha = i / 2;
      if (i % 2 == 1) {
        if (linha < 3)
          a.ctx.screen().put(top + c.linha, left + c.coluna,
                             rt::ui::formatValue(a.calc.num(kCalculadosGanho[linha]), kValor), a.cores.standard());
        continue;
      }
      if (linha >= 4) continue;
      read.get(top + c.linha, left + c.coluna, campoEspelho(a.espelho().tabela01, kInformados[linha]), kValor)
          .valid([&a] {
            a.CALC(5, 0);
            return true;
          });
    }
    read.run();
  }
  somaGanhos(a);
  a.ctx.QUALHLP = std::string(1, ' ');
  return true;
}

// The lines typed here, in order; the amounts recompute the totals as they are left.
struct LinhaIsenta {
  std::string_view nome;
  std::string_view picture;
};
constexpr LinhaIsenta kLinhas[] = {{"I3_01", kValor},  {"I3_02", kValor}, {"I3_03", kValor},  {"I3_04", kValor},
                                   {"I3_08", kValor},  {"I3_10", kValor}, {"I3_14", kValor},  {"I3_12D", "@!S50"},
                                   {"I3_12", kValor},  {"I4_04", kValor}, {"I4_05D", "@!S50"}, {"I4_05", kValor}};

}  // namespace

void isentos(AmbienteTela& a, const Fundo& f) {
  store::RegistroEspelho& t01 = a.espelho().tabela01;
  rt::term::Console& con = a.ctx.console;
  a.CALC(3, 1);
  console::MENS(a.ctx, console::mens::Linha, "Próxima página  ALT F6 Aux. Rend"_cp);
  somaGanhos(a);
  Formulario form(a, f);
  const Redesenho redesenho(a, [&](taxcalc::Quadro) { mostraCalculados(a, form); });
  const rt::term::Console::HotKey* antes = con.hotKeyFor(rt::term::Key{key::AltF6});
  const std::optional<rt::term::Console::HotKey> anterior = antes != nullptr ? std::optional(*antes) : std::nullopt;
  // PEGA_VARIOS: the savings lines fill the savings, applications and "other" lines.
  con.setKey(key::AltF6, [&] {
    const int tecla = a.grade.ULTTECLA;
    const bool muda = a.grade.TECLAMUDA;
    grid::EDITA(a.ctx, a.grade, grid::Tela::Poupanca);
    a.grade.ULTTECLA = tecla;
    a.grade.TECLAMUDA = muda;
    if (!a.grade.poupancaMantida) a.grade.srv().FCALPOUPA(a.ctx, a.grade, 1);
    a.CALC(3, 1);
    mostraCalculados(a, form);
    if (rt::term::ActiveInput* in = con.activeInput()) in->requestRedisplay();
  });
  for (const LinhaIsenta& l : kLinhas) {
    rt::ui::Get& g = form.edita(t01, l.nome, l.picture);
    if (l.nome == "I3_04")
      g.valid([&a, &form] {
        const bool ok = MOS_CAL(a);
        // The line's new parts count in the totals at once, as every other line's do.
        a.CALC(3, 1);
        mostraCalculados(a, form);
        return ok;
      });
    else if (l.picture == kValor)
      g.valid([&a, &form] {
        a.CALC(3, 1);
        mostraCalculados(a, form);
        return true;
      });
  }
  mostraCalculados(a, form);
  form.roda();
  if (anterior)
    con.setKey(key::AltF6, *anterior);
  else
    con.clearKey(key::AltF6);
  a.CALC(7, 0);
}

}  // namespace screens
