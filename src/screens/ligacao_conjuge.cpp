// The spouse link: the summary values of the spouse's own declaration, found by the spouse's
// CPF in a register (the folder where it was found last, this data folder, the other
// registered folders, or a folder the clerk names), brought into this declaration. The marks
// written back into the spouse's record go through the record lock every writer takes, so a
// terminal that holds the spouse's declaration makes the write wait and, when the wait ends
// without the lock, nothing of it is written and the clerk is told.
//
// The search moves area 9 from folder to folder; whatever happens, it ends on this
// declaration's folder with the register as it found it, since the save and every later
// lookup read LOCARQ and area 9.
#include <functional>
#include <optional>
#include <string>

#include "console/alerta.h"
#include "console/pastas.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/regras.h"
#include "screens/regras_comum.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/busca_outro.h"
#include "store/pastas_dados.h"
#include "store/travas.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::alltrim;
using rt::text::Decimal;
using store::Area;

namespace {

constexpr std::string_view kValoresConjuge[] = {"I13_1C", "I13_2C", "I13_3C", "I13_4C", "I13_5C",
                                                "I9_2",   "I9_3",   "I13_36"};

// One run of the link.
struct Ligacao {
  Ligacao(store::Contexto& c, store::EspelhoDeclaracao& d, bool m) : ctx(c), e(d), mostra(m) {}
  store::Contexto& ctx;
  store::EspelhoDeclaracao& e;
  bool mostra;
  // The folder to search when the spouse is found nowhere; none in the quiet pass.
  std::function<std::optional<std::string>()> pedePasta;
  std::string inicio;         // this declaration's folder
  bool registroAberto = false;  // the register was open when the link started
  bool fora = false;            // area 9 may hold another folder's register
  bool trouxe = false;          // the spouse's values were brought

  store::RegistroEspelho& r() { return e.registro; }
  rt::db::Table* registro() { return store::tabela(ctx.areas, Area::IMP0910); }
};

bool sim(Ligacao& l, std::initializer_list<std::string_view> linhas) {
  return console::AVISOSN(l.ctx, linhas, 2) == "S";
}

// This declaration's folder current again and its register open in area 9 on this taxpayer.
// A register that cannot be searched is said and closed: where the failed search stopped is another
// taxpayer's row, and what follows would read or write it as this one's.
void emCasa(Ligacao& l) {
  if (l.fora) {
    store::solta(l.ctx.areas, Area::IMP0910);
    l.ctx.LOCARQ = l.inicio;
    l.fora = false;
  }
  if (!store::aberta(l.ctx.areas, Area::IMP0910) && !store::ABERTURA(l.ctx, Area::IMP0910)) return;
  rt::db::Table& t = *l.registro();
  if (!t.useOrder(1) || !t.seek(l.e.CPF.chave())) {
    store::avisaIndisponivel(l.ctx, Area::IMP0910);
    store::solta(l.ctx.areas, Area::IMP0910);
  }
}

// The register of `pasta` in area 9. A folder without a register is not opened: opening would
// make one there. False when it holds none or it cannot be opened (then back home).
bool entraNaPasta(Ligacao& l, std::string_view pasta) {
  if (!store::existe(l.ctx, console::BAR_DIR(pasta) + "IMP0910.DBF")) return false;
  l.fora = true;
  if (store::MUDADIR(l.ctx, pasta)) return true;
  emCasa(l);
  return false;
}

// Writes `escreve`'s fields into the current record of area 9 under its record lock. When the
// lock cannot be had the record keeps every field it had and the clerk is told.
template <typename F>
bool gravaNoConjuge(Ligacao& l, rt::db::Table& t, F escreve) {
  l.ctx.areas.select(Area::IMP0910);
  if (!store::REC_LOCK(l.ctx, store::kEsperaTrava)) {
    console::AVISOSN(l.ctx,
                     {"O registro do cônjuge está em uso em outro terminal."_cp,
                      "A marca na declaração do cônjuge não foi gravada.   "_cp},
                     0);
    return false;
  }
  bool ok = escreve(t);
  ok = t.flush().isOk() && ok;
  // Flushed above, its failure in ok and said below: the release decides nothing.
  (void)t.unlockRecord(t.recNo());
  if (!ok) console::AVISOSN(l.ctx, "Não foi possível gravar no registro do cônjuge."_cp, 0);
  return ok;
}

// TRAZVALCONJ: the register stands on the spouse's record.
bool TRAZVALCONJ(Ligacao& l, rt::db::Table& t) {
  store::RegistroEspelho& r = l.r();
  if (t.getText("I9_4") == "S") {
    // Opening a declaration asks nothing: what was stored stays.
    if (!l.mostra) return true;
    const bool retira = sim(l, {"Na declaração do conjugue já está marcada para buscar"_cp,
                                "essas informaçoes. Somente na declaração daquele que "_cp,
                                "estiver declarado os bens em comum pode estar marcado",
                                "Deseja que TAVREN retire a marca da outra declaração?"_cp});
    const bool gravou = retira && gravaNoConjuge(l, t, [](rt::db::Table& c) {
      bool ok = c.put("I9_4", rt::ui::Value(std::string("N"))).isOk();
      for (std::string_view n : {"I13_1C", "I13_2C", "I13_3C", "I13_4C", "I13_5C", "I9_2", "I9_3"})
        ok = c.put(n, rt::ui::Value(Decimal(0))).isOk() && ok;
      return ok;
    });
    if (!gravou) {
      // Only one of the two declarations may bring the common assets.
      r.txt("I9_5", "N");
      zeraConjuge(l.e);
      return false;
    }
  }
  l.trouxe = true;
  r.txt("CONJPAD", t.getText("USAPADRAO"));
  r.num("I9_3", t.getNumber("SALDO"));
  if (alltrim(r.txt("CONJPAD")).empty()) {
    if (l.mostra)
      console::AVISOSN(l.ctx,
                       {"A declaração do conjuge não foi feita ou ainda "_cp,
                        "não foi definido o tipo do formulário.Verique!"_cp},
                       0);
    for (std::string_view n : {"I13_1C", "I13_2C", "I13_3C", "I13_4C", "I13_5C", "I9_2"}) registroDe(l.e, n).num(n, Decimal(0));
    return true;
  }
  const Decimal c1 = t.getNumber("I13_16"), c2 = t.getNumber("I13_37"), c3 = t.getNumber("I13_38");
  Decimal c4, c5;
  if (r.txt("CONJPAD") == "S") {
    c4 = t.getNumber("I13_21") + t.getNumber("I13_22");
    c5 = t.getNumber("I13_27") - c4;
  } else {
    c4 = t.getNumber("I13_27") - t.getNumber("I13_20");
  }
  r.num("I13_1C", c1);
  r.num("I13_2C", c2);
  r.num("I13_3C", c3);
  r.num("I13_4C", c4);
  r.num("I13_5C", c5);
  r.num("I9_2", c1 + c2 + c3 - (c4 + c5));
  return true;
}

void traz(Ligacao& l, rt::db::Table& t) {
  if (!TRAZVALCONJ(l, t)) l.r().txt("I9_4", "N");
}

// Steps 4 to 7 of INFO_CONJU: the search, repeated in each folder the clerk names. True when
// the spouse was found.
bool busca(Ligacao& l) {
  store::RegistroEspelho& r = l.r();
  for (;;) {
    const store::Cpf cpf(alltrim(r.txt("CPFCONJU")));
    if (cpf == l.e.CPF) {
      // Stored before the CPF was checked, or brought by the converter: the link would copy
      // this declaration's own results as the spouse's.
      if (l.mostra) console::AVISOSN(l.ctx, "O CPF do cônjuge não pode ser o do próprio contribuinte."_cp, 0);
      return false;
    }
    // Where the spouse was found last, else here.
    const std::string dir(alltrim(r.txt("DIRCONJU")));
    if (dir.empty() || store::mesmaPasta(l.ctx, dir, l.inicio) || !entraNaPasta(l, dir)) emCasa(l);
    rt::db::Table* t = l.registro();
    if (t != nullptr && t->useOrder(1).isOk() && t->seek(cpf.chave()).isOk() && t->found()) {
      traz(l, *t);
      return true;
    }
    emCasa(l);
    l.fora = true;
    if (const std::optional<store::Achado> achou = store::BUSCA_OUTRO(l.ctx, cpf, 1, 0, true)) {
      rt::db::Table& c = *l.registro();
      traz(l, c);
      // The spouse's declaration learns where this one is.
      if (l.mostra) {
        // gravaNoConjuge says its own failure; the values brought stay in this declaration.
        (void)gravaNoConjuge(l, c, [&l](rt::db::Table& x) {
          return x.put("DIRCONJU", rt::ui::Value(rt::text::padr(l.inicio, 40))).isOk();
        });
      }
      r.txt("DIRCONJU", rt::text::padr(achou->pasta, 40));
      return true;
    }
    if (!l.pedePasta) return false;
    emCasa(l);
    const std::optional<std::string> pasta = l.pedePasta();
    if (!pasta) {
      r.txt("DIRCONJU", std::string(40, ' '));
      return false;
    }
    if (!console::VERDIR(l.ctx, *pasta))
      console::AVISOSN(l.ctx, std::string("Drive e/ou Diretório "_cp) + *pasta + " inexistente !!", 0);
    r.txt("DIRCONJU", rt::text::padr(*pasta, 40));
  }
}

bool liga(Ligacao& l) {
  store::RegistroEspelho& r = l.r();
  if (alltrim(r.txt("CPFCONJU")).empty() || (r.txt("I9_4") != "S" && r.txt("I9_5") != "S")) {
    if (l.mostra) {
      zeraConjuge(l.e);
      r.txt("I9_4", "N");
    }
    return false;
  }
  // Values typed here and a mark to bring them: the typed ones give way, but the quiet pass
  // drops them only once the spouse's have been brought.
  const bool digitados = r.txt("I9_5") == "S";
  if (digitados) {
    if (r.txt("I9_4") != "S") return true;
    if (l.mostra) {
      r.txt("I9_5", "N");
      zeraConjuge(l.e);
    }
  }
  if (r.txt("CONJUNTA") == "S") {
    if (!l.mostra) return true;
    if (!sim(l, {" Na tela F6 está marcado que a  declaração é conjunta "_cp,
                 "portanto não é permitido adicionar valores como  fosse"_cp,
                 "em separado. Deseja que o programa retire a marca?"_cp})) {
      r.txt("I9_4", "N");
      return true;
    }
    r.txt("CONJUNTA", "N");
  }
  l.inicio = l.ctx.LOCARQ;
  l.registroAberto = store::aberta(l.ctx.areas, Area::IMP0910);
  if (!l.registroAberto && !store::ABERTURA(l.ctx, Area::IMP0910)) return true;
  if (busca(l)) registroDe(l.e, "I13_36").num("I13_36", r.num("I9_2"));
  if (l.trouxe && digitados && r.txt("I9_4") == "S") r.txt("I9_5", "N");
  emCasa(l);
  if (!l.registroAberto) store::solta(l.ctx.areas, Area::IMP0910);
  return true;
}

}  // namespace

void zeraConjuge(store::EspelhoDeclaracao& e) {
  for (std::string_view n : kValoresConjuge) registroDe(e, n).num(n, Decimal(0));
}

bool INFO_CONJU(AmbienteTela& a, bool mostra) {
  Ligacao l(a.ctx, a.espelho(), mostra);
  if (mostra) l.pedePasta = [&a] { return pedePastaConjuge(a); };
  return liga(l);
}

void ligaConjugeNaCarga(store::Contexto& ctx, store::EspelhoDeclaracao& e) {
  Ligacao l(ctx, e, false);
  liga(l);  // what it answers is for the screen that asks
}

}  // namespace screens
