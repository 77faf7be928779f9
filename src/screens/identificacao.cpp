// Screen 6, the identification of the taxpayer: the register's fields in the form's order,
// with their pictures. The yes/no flags take "S" or "N", the spouse's CPF must be a valid one,
// the birth date shows the age; the rules that look values up elsewhere (receipt numbers,
// banks, street types, towns, nature and occupation) come through the screen's RegrasCampos.
#include <string>

#include "console/alerta.h"
#include "console/validadores.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/formulario.h"
#include "screens/rodape.h"
#include "screens/telas.h"
#include "taxcalc/idade.h"

namespace screens {

using namespace rt::text::literals;

namespace {

struct CampoIdent {
  std::string_view nome;
  std::string_view picture;
  enum Tipo { Livre, SimNao, Cpf, Nascimento } tipo = Livre;
};

// The order and pictures of the identification form.
constexpr CampoIdent kCampos[] = {
    {"TEMRURAL", "!", CampoIdent::SimNao},
    {"ATV_BRASIL", "!", CampoIdent::SimNao},
    {"NOMECONTR", "@!"},
    {"NASCIMENTO", "@D", CampoIdent::Nascimento},
    {"TITULO", "@r 99999999999-99"},
    {"CPFCONJU", "@R 999.999.999-99", CampoIdent::Cpf},
    {"CONJUNTA", "!", CampoIdent::SimNao},
    {"RETIFICA", "!", CampoIdent::SimNao},
    {"NRORECIBO", "@r 9999999999-99"},
    {"RECIBOATU", "@r 9999999999-99"},
    {"RECIBOANT", "@r 9999999999-99"},
    {"DEBITAUT", "!", CampoIdent::SimNao},
    {"BANCO", "@r ###"},
    {"AGENCIA", "@r !!!!!-!"},
    {"CONTACO", "@r !!!!!!!!!!!!!-!!"},
    {"TIPOEND", "@!"},
    {"ENDERECO", "@!"},
    {"NOVOEND", "!", CampoIdent::SimNao},
    {"NUMERO", "@!"},
    {"COMPLEM", "@!"},
    {"BAIRRO", "@!"},
    {"CEP", "@r 99999-999"},
    {"UF", "@!"},
    {"MUNICIPIO", "@!"},
    {"DDDTEL", "@R #999"},
    {"TELEFO", "@R ##99-9999"},
    {"NROFAX", "@R ##99-9999"},
    {"EMAIL", "@S40"},
    {"CODAT", "99"},
    {"DESCRAT", "@!S58"},
    {"CDPRO", "999"},
    {"OCUPACAO", "@!S62"},
};

// VE_LETRSN: a flag is empty, "S" or "N".
bool simNao(AmbienteTela& a, const std::string& v) {
  if (v == " " || v.empty() || v == "S" || v == "N") return true;
  console::AVISOSN(a.ctx, "Digite S de sim ou N de nao", 0);
  return false;
}

std::string idade(AmbienteTela& a) {
  const taxcalc::Idade i = taxcalc::DIZANOS(a.espelho().registro.data("NASCIMENTO"), a.calc.hoje());
  if (rt::text::trim(i.anos).empty()) return std::string(20, ' ');
  std::string t = i.anos + " anos " + i.meses + " meses";
  t.resize(20, ' ');
  return t;
}

}  // namespace

void identificacao(AmbienteTela& a, const Fundo& f) {
  store::RegistroEspelho& r = a.espelho().registro;
  MRODAPE(a.ctx, 11);
  Formulario form(a, f);
  form.mostra("CPF", a.espelho().CPF, "@R 999.999.999-99");
  form.mostra("IDADE", idade(a), "");
  for (std::string_view n : {"CODMUNI", "CODPAIS", "CODEMB"}) form.mostra(r, n, "");

  for (const CampoIdent& c : kCampos) {
    rt::ui::Get& g = form.edita(r, c.nome, c.picture);
    const std::string nome(c.nome);
    g.when([&a, nome] {
      if (nome == "ATV_BRASIL" && a.espelho().registro.txt("TEMRURAL") != "S") return false;
      return !a.regras.quando || a.regras.quando(a, nome);
    });
    g.valid([&a, &r, &form, nome, tipo = c.tipo] {
      switch (tipo) {
        case CampoIdent::SimNao:
          if (!simNao(a, r.txt(nome))) return false;
          break;
        case CampoIdent::Cpf:
          if (!console::VAL_CPF(a.ctx, r.txt(nome))) return false;
          break;
        case CampoIdent::Nascimento:
          form.mostra("IDADE", idade(a), "");
          break;
        case CampoIdent::Livre:
          break;
      }
      if (a.regras.valida && !a.regras.valida(a, nome)) return false;
      // A rule may have set other fields (the town's code, a completed receipt number).
      form.read().display();
      for (std::string_view n : {"CODMUNI", "CODPAIS", "CODEMB"}) form.mostra(r, n, "");
      return true;
    });
  }
  form.roda();
  // The identification decides the model's limits and the estate's rules the summary uses.
  a.CALC(7, 0);
}

}  // namespace screens
