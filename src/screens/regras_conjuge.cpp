// The spouse fields of screens 6 and 5 and the estate and exit fields of screen 5: whether each
// may be entered and what a typed value does. The link itself (the spouse's values brought
// from the spouse's own declaration) is in ligacao_conjuge.cpp.
#include <string>

#include "console/alerta.h"
#include "grid/tracos.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/regras.h"
#include "screens/regras_comum.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::alltrim;
using rt::text::Decimal;

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

namespace {

// The spouse's CPF: never the taxpayer's own; an empty one ends the link on the screen that
// shows the spouse's values.
bool cpfConjuge(AmbienteTela& a) {
  store::RegistroEspelho& r = a.espelho().registro;
  const store::Cpf cpf(alltrim(r.txt("CPFCONJU")));
  if (!cpf.vazio() && cpf == a.espelho().CPF) {
    // The link would copy this declaration's own results as the spouse's.
    console::AVISOSN(a.ctx, "O CPF do cônjuge não pode ser o do próprio contribuinte."_cp, 0);
    return false;
  }
  if (cpf.vazio() && a.TELA != nullptr && grid::tracosDaPagina(*a.TELA).valoresConjuge) {
    r.txt("I9_4", "N");
    INFO_CONJU(a, true);
  }
  return true;
}

// Whether the spouse's values are brought from the spouse's own declaration.
bool transportaConjuge(AmbienteTela& a) {
  store::RegistroEspelho& r = a.espelho().registro;
  const std::string v = r.txt("I9_4");
  if (v != "S" && v != "N") {
    console::AVISOSN(a.ctx,
                     {"Digite (S)im ou (N)ão caso deseje transportar automáticamente os"_cp,
                      "valores da declaração do Conjuge. Lembre-se que só deve ser res-"_cp,
                      "pondido com S na declaração do conjuge contiver bens em comum. "_cp},
                     0);
    return false;
  }
  INFO_CONJU(a, true);
  return true;
}

// Whether this declaration holds the couple's common values (never in a joint declaration).
bool valoresEmComum(AmbienteTela& a) {
  store::RegistroEspelho& r = a.espelho().registro;
  if (r.txt("I9_5") == "S") {
    if (r.txt("CONJUNTA") == "S") {
      if (console::AVISOSN(a.ctx,
                           {"Na tela 6 está marcado que a declaração é conjunta "_cp,
                            "portanto não é permitido adicionar valores como fosse"_cp,
                            "em separado. Deseja que o programa retire a marca? "_cp},
                           2) != "S") {
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
    zeraConjuge(a.espelho());
  }
  return true;
}

// A declaration of leaving the country: never also an estate's final one.
bool declaracaoSaida(AmbienteTela& a) {
  store::RegistroEspelho& t1 = a.espelho().tabela01;
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

// An estate's final declaration, by a judicial or a notarial division.
bool declaracaoFinal(AmbienteTela& a) {
  store::RegistroEspelho& r = a.espelho().registro;
  store::RegistroEspelho& t1 = a.espelho().tabela01;
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

}  // namespace

bool validaConjuge(AmbienteTela& a, std::string_view campo, bool& tratado) {
  store::RegistroEspelho& r = a.espelho().registro;
  tratado = true;
  if (campo == "CPFCONJU") return cpfConjuge(a);
  if (campo == "I9_4") return transportaConjuge(a);
  if (campo == "I9_5") return valoresEmComum(a);
  if (campo == "I13_1C" || campo == "I13_4C" || campo == "I13_2C" || campo == "I13_3C") {
    const Decimal v = r.num("I13_1C") + r.num("I13_2C") + r.num("I13_3C") - r.num("I13_4C");
    r.num("I9_2", v);
    r.num("I9_3", v);
    registroDe(a, "I13_36").num("I13_36", v);
    return true;
  }
  if (campo == "DECSAIDA") return declaracaoSaida(a);
  if (campo == "DECFINAL") return declaracaoFinal(a);
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
