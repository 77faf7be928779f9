// The spouse link of screens 6 and 5 and the estate and exit fields of screen 5. The spouse's
// values come from the spouse's own record in a register (this data folder's or another
// registered one's); the marks written back into that record go through the record lock every
// writer takes, so a terminal that holds the spouse's declaration makes the write wait and,
// when the wait ends without the lock, nothing of it is written and the clerk is told.
#include <string>

#include "console/alerta.h"
#include "console/validadores.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/regras.h"
#include "screens/regras_comum.h"
#include "store/abertura.h"
#include "store/busca_outro.h"
#include "store/pastas_dados.h"
#include "store/travas.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::alltrim;
using rt::text::Decimal;

namespace {

constexpr std::string_view kValoresConjuge[] = {"I13_1C", "I13_2C", "I13_3C", "I13_4C", "I13_5C",
                                                "I9_2",   "I9_3",   "I13_36"};

void zeraConjuge(AmbienteTela& a) {
  for (std::string_view n : kValoresConjuge) registroDe(a, n).num(n, Decimal(0));
}

bool sim(AmbienteTela& a, std::initializer_list<std::string_view> linhas) {
  return console::AVISOSN(a.ctx, linhas, 2) == "S";
}

// Writes `escreve`'s fields into the current record of area 9 under its record lock. When the
// lock cannot be had the record keeps every field it had and the clerk is told.
template <typename F>
bool gravaNoConjuge(AmbienteTela& a, rt::db::Table& t, F escreve) {
  (void)a.ctx.areas.select(store::numero(store::Area::IMP0910));
  if (!store::REC_LOCK(a.ctx, 5)) {
    console::AVISOSN(a.ctx,
                     {"O registro do cônjuge está em uso em outro terminal."_cp,
                      "A marca na declaração do cônjuge não foi gravada.   "_cp},
                     0);
    return false;
  }
  bool ok = escreve(t);
  ok = t.flush().isOk() && ok;
  (void)t.unlockRecord(t.recNo());
  if (!ok) console::AVISOSN(a.ctx, "Não foi possível gravar no registro do cônjuge."_cp, 0);
  return ok;
}

// TRAZVALCONJ: the register stands on the spouse's record.
bool TRAZVALCONJ(AmbienteTela& a, rt::db::Table& t, bool mostra) {
  store::RegistroEspelho& r = a.espelho().registro;
  if (t.getText("I9_4") == "S") {
    // Opening a declaration asks nothing: what was stored stays.
    if (!mostra) return true;
    const bool retira = sim(a, {"Na declaração do conjugue já está marcada para buscar"_cp,
                                "essas informaçoes. Somente na declaração daquele que "_cp,
                                "estiver declarado os bens em comum pode estar marcado",
                                "Deseja que TAVREN retire a marca da outra declaração?"_cp});
    const bool gravou = retira && gravaNoConjuge(a, t, [](rt::db::Table& c) {
      bool ok = c.put("I9_4", rt::ui::Value(std::string("N"))).isOk();
      for (std::string_view n : {"I13_1C", "I13_2C", "I13_3C", "I13_4C", "I13_5C", "I9_2", "I9_3"})
        ok = c.put(n, rt::ui::Value(Decimal(0))).isOk() && ok;
      return ok;
    });
    if (!gravou) {
      // Only one of the two declarations may bring the common assets.
      r.txt("I9_5", "N");
      zeraConjuge(a);
      return false;
    }
  }
  r.txt("CONJPAD", t.getText("USAPADRAO"));
  r.num("I9_3", t.getNumber("SALDO"));
  if (alltrim(r.txt("CONJPAD")).empty()) {
    if (mostra)
      console::AVISOSN(a.ctx,
                       {"A declaração do conjuge não foi feita ou ainda "_cp,
                        "não foi definido o tipo do formulário.Verique!"_cp},
                       0);
    for (std::string_view n : {"I13_1C", "I13_2C", "I13_3C", "I13_4C", "I13_5C", "I9_2"}) registroDe(a, n).num(n, Decimal(0));
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

// Back on this declaration's folder and its own record of the register.
void volta(AmbienteTela& a, const std::string& pasta, bool trocou) {
  if (trocou) (void)store::MUDADIR(a.ctx, pasta, a.espelho().CPF);
  if (rt::db::Table* t = a.ctx.areas.table(store::numero(store::Area::IMP0910))) {
    (void)t->setOrder(1);
    (void)t->seek(rt::text::padr(a.espelho().CPF, 11));
  }
}

}  // namespace

bool INFO_CONJU(AmbienteTela& a, bool mostra) {
  store::RegistroEspelho& r = a.espelho().registro;
  const std::string cpf(alltrim(r.txt("CPFCONJU")));
  if (cpf.empty() || (r.txt("I9_4") != "S" && r.txt("I9_5") != "S")) {
    if (mostra) {
      zeraConjuge(a);
      r.txt("I9_4", "N");
    }
    return false;
  }
  if (r.txt("I9_5") == "S") {
    if (r.txt("I9_4") != "S") return true;
    r.txt("I9_5", "N");
    zeraConjuge(a);
  }
  if (r.txt("CONJUNTA") == "S") {
    if (!mostra) return true;
    if (!sim(a, {" Na tela F6 está marcado que a  declaração é conjunta "_cp,
                 "portanto não é permitido adicionar valores como  fosse"_cp,
                 "em separado. Deseja que o programa retire a marca?"_cp})) {
      r.txt("I9_4", "N");
      return true;
    }
    r.txt("CONJUNTA", "N");
  }
  const std::string inicio = a.ctx.LOCARQ;
  if (!a.ctx.areas.isOpen(store::numero(store::Area::IMP0910)) && !store::ABERTURA(a.ctx, store::Area::IMP0910))
    return true;
  // Where the spouse was found last, else here.
  const std::string dir(alltrim(r.txt("DIRCONJU")));
  const bool trocou = !dir.empty() && !store::mesmaPasta(a.ctx, dir, inicio) && store::MUDADIR(a.ctx, dir);
  rt::db::Table* t = a.ctx.areas.table(store::numero(store::Area::IMP0910));
  if (t != nullptr && t->setOrder(1).isOk() && t->seek(rt::text::padr(cpf, 11)).isOk() && t->found()) {
    if (!TRAZVALCONJ(a, *t, mostra)) r.txt("I9_4", "N");
    volta(a, inicio, trocou);
    registroDe(a, "I13_36").num("I13_36", r.num("I9_2"));
    return true;
  }
  if (trocou) volta(a, inicio, true);
  if (const std::optional<store::Achado> achou = store::BUSCA_OUTRO(a.ctx, cpf, 1, 0, true)) {
    rt::db::Table& c = *a.ctx.areas.table(store::numero(store::Area::IMP0910));
    if (!TRAZVALCONJ(a, c, mostra)) r.txt("I9_4", "N");
    // The spouse's declaration learns where this one is.
    if (mostra)
      (void)gravaNoConjuge(a, c, [&inicio](rt::db::Table& x) {
        return x.put("DIRCONJU", rt::ui::Value(rt::text::padr(inicio, 40))).isOk();
      });
    volta(a, inicio, true);
    r.txt("DIRCONJU", rt::text::padr(achou->pasta, 40));
    registroDe(a, "I13_36").num("I13_36", r.num("I9_2"));
    return true;
  }
  volta(a, inicio, true);
  if (mostra) console::AVISOSN(a.ctx, "ATENÇAO!CPF do conjuge não localizado nenhum diretório."_cp, 0);
  return true;
}

bool quandoConjuge(AmbienteTela& a, std::string_view campo, bool& tratado) {
  store::RegistroEspelho& r = a.espelho().registro;
  store::RegistroEspelho& t1 = a.espelho().tabela01;
  const bool semCpf = alltrim(r.txt("CPFCONJU")).empty();
  const bool semInventariante = alltrim(t1.txt("CPFINVENT")).empty();
  tratado = true;
  if (campo == "I9_4") return !semCpf;
  if (campo == "I9_5") return !semCpf && r.txt("I9_4") != "S";
  if (campo == "I13_1C" || campo == "I13_4C" || campo == "I13_2C" || campo == "I13_3C") return r.txt("I9_5") == "S";
  if (campo == "NOMINVENT" || campo == "ENDINVENT") return !semInventariante;
  if (campo == "DATASAIDA") return !semInventariante && t1.txt("DECSAIDA") == "S";
  if (campo == "DECFINAL") return !semInventariante && t1.txt("DECSAIDA") != "S";
  if (campo == "DECSAIDA") return !semInventariante && t1.txt("DECFINAL") != "S";
  tratado = false;
  return true;
}

bool validaConjuge(AmbienteTela& a, std::string_view campo, bool& tratado) {
  store::RegistroEspelho& r = a.espelho().registro;
  store::RegistroEspelho& t1 = a.espelho().tabela01;
  tratado = true;
  if (campo == "CPFCONJU") {
    const std::string cpf(alltrim(r.txt("CPFCONJU")));
    if (!cpf.empty() && cpf == alltrim(a.espelho().CPF)) {
      // The link would copy this declaration's own results as the spouse's.
      console::AVISOSN(a.ctx, "O CPF do cônjuge não pode ser o do próprio contribuinte."_cp, 0);
      return false;
    }
    if (cpf.empty() && a.TELA != nullptr && *a.TELA == 5) {
      r.txt("I9_4", "N");
      (void)INFO_CONJU(a, true);
    }
    return true;
  }
  if (campo == "I9_4") {
    const std::string v = r.txt("I9_4");
    if (v != "S" && v != "N") {
      console::AVISOSN(a.ctx,
                       {"Digite (S)im ou (N)ão caso deseje transportar automáticamente os"_cp,
                        "valores da declaração do Conjuge. Lembre-se que só deve ser res-"_cp,
                        "pondido com S na declaração do conjuge contiver bens em comum. "_cp},
                       0);
      return false;
    }
    (void)INFO_CONJU(a, true);
    return true;
  }
  if (campo == "I9_5") {
    if (r.txt("I9_5") == "S") {
      if (r.txt("CONJUNTA") == "S") {
        if (!sim(a, {"Na tela 6 está marcado que a declaração é conjunta "_cp,
                     "portanto não é permitido adicionar valores como fosse"_cp,
                     "em separado. Deseja que o programa retire a marca? "_cp})) {
          r.txt("I9_5", "N");
          return true;
        }
        r.txt("CONJUNTA", "N");
      }
      console::AVISOSN(a.ctx,
                       {"Atenção! Somente deve-se marcar valores aqui se essa  "_cp,
                        "declaração for a que tiver os bens em comuns do casal."_cp,
                        "Isso feito errado é motivo para glosar declaração!    "_cp},
                       0);
      r.txt("CONJPAD", "S");
    } else if (r.txt("I9_5") == "N") {
      zeraConjuge(a);
    }
    return true;
  }
  if (campo == "I13_1C" || campo == "I13_4C" || campo == "I13_2C" || campo == "I13_3C") {
    const Decimal v = r.num("I13_1C") + r.num("I13_2C") + r.num("I13_3C") - r.num("I13_4C");
    r.num("I9_2", v);
    r.num("I9_3", v);
    registroDe(a, "I13_36").num("I13_36", v);
    return true;
  }
  if (campo == "DECSAIDA") {
    const std::string v = t1.txt("DECSAIDA");
    if (v == "S") {
      t1.txt("DECFINAL", "N");
      registroDe(a, "DATAPARTI").data("DATAPARTI", rt::text::Date());
      registroDe(a, "USAPADRAO").txt("USAPADRAO", "N");
    } else if (v == "N") {
      t1.data("DATASAIDA", rt::text::Date());
    } else if (!alltrim(v).empty()) {
      console::AVISOSN(a.ctx, "Informe com Sim ou Nao se é uma declaraçao saida."_cp, 0);
      return false;
    }
    return true;
  }
  if (campo == "DECFINAL") {
    const std::string v = t1.txt("DECFINAL");
    if (v == "S") {
      const bool judicial = console::AVISOSN(a.ctx, "Informe com Sim se Decisao Judicial ou Nao se Cartorial", 2) == "S";
      registroDe(a, "DECJUDI").txt("DECJUDI", judicial ? "S" : "N");
      dialogoEspolio(a, judicial);
      // An estate's final declaration: no occupation, e-mail or voter's title, the complete
      // model and at most one quota.
      r.txt("OCUPACAO", std::string(69, ' '));
      registroDe(a, "USAPADRAO").txt("USAPADRAO", "N");
      r.txt("EMAIL", std::string(40, ' '));
      r.txt("TITULO", std::string(13, ' '));
      t1.data("DATASAIDA", rt::text::Date());
      t1.txt("DECSAIDA", "N");
      store::RegistroEspelho& q = registroDe(a, "I13_29");
      if (q.num("I13_29") > Decimal::fromInt(1)) q.num("I13_29", Decimal::fromInt(1));
    } else if (v != "N" && !alltrim(v).empty()) {
      console::AVISOSN(a.ctx, "Informe com 'S'(Sim) ou 'N'(Nao) se é uma declaracao final.", 0);
      t1.txt("DECFINAL", "N");
    }
    return true;
  }
  tratado = false;
  return true;
}

RegrasCampos regrasDeclaracao() {
  RegrasCampos r;
  r.quando = [](AmbienteTela& a, std::string_view campo) {
    bool tratado = false;
    const bool ok = quandoConjuge(a, campo, tratado);
    return tratado ? ok : quandoIdentificacao(a, campo, tratado);
  };
  r.valida = [](AmbienteTela& a, std::string_view campo) {
    bool tratado = false;
    const bool ok = validaConjuge(a, campo, tratado);
    return tratado ? ok : validaIdentificacao(a, campo, tratado);
  };
  return r;
}

}  // namespace screens
