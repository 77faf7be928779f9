// Screen 6, the identification of the taxpayer: the register's fields in the form's order,
// with their pictures. The yes/no flags take "S" or "N", the spouse's CPF must be a valid one,
// the birth date shows the age; the rules that look values up elsewhere (receipt numbers,
// banks, street types, towns, nature and occupation) come through the screen's RegrasCampos.
#include <string>

#include "console/alerta.h"

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/campos.h"
#include "screens/formulario.h"
#include "screens/rodape.h"
#include "store/muda_atv.h"
#include "screens/telas.h"
#include "taxcalc/idade.h"

namespace screens {

using namespace rt::text::literals;

namespace {

// The order and pictures of the identification form.
constexpr CampoForm kCampos[] = {
    {"TEMRURAL", "!", CampoForm::SimNao},
    {"ATV_BRASIL", "!", CampoForm::SimNao},
    {"NOMECONTR", "@!"},
    {"NASCIMENTO", "@D"},
    {"TITULO", "@r 99999999999-99"},
    {"CPFCONJU", "@R 999.999.999-99", CampoForm::Cpf},
    {"CONJUNTA", "!", CampoForm::SimNao},
    {"RETIFICA", "!", CampoForm::SimNao},
    {"NRORECIBO", "@r 9999999999-99"},
    {"RECIBOATU", "@r 9999999999-99"},
    {"RECIBOANT", "@r 9999999999-99"},
    {"DEBITAUT", "!", CampoForm::SimNao},
    {"BANCO", "@r ###"},
    {"AGENCIA", "@r !!!!!-!"},
    {"CONTACO", "@r !!!!!!!!!!!!!-!!"},
    {"TIPOEND", "@!"},
    {"ENDERECO", "@!"},
    {"NOVOEND", "!", CampoForm::SimNao},
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

  // The side of the rural activity the working copies hold: switching it reloads them.
  std::string lado = r.txt("ATV_BRASIL");
  editaCampos(a, form, r, kCampos, [&a, &r, &form, &lado](std::string_view nome) {
    if (nome == "ATV_BRASIL") {
      const std::string novo = r.txt("ATV_BRASIL");
      if (!store::MUDA_ATV(a.ctx, a.dec, lado, novo)) {
        // The copies stay on the side they hold, and so does the field.
        console::AVISOSN(a.ctx, "A atividade rural continua no lado anterior: os dados não puderam ser trocados."_cp, 0);
        return false;
      }
      lado = r.txt("ATV_BRASIL");
    }
    if (nome == "NASCIMENTO") form.mostra("IDADE", idade(a), "");
    for (std::string_view n : {"CODMUNI", "CODPAIS", "CODEMB"}) form.mostra(r, n, "");
    return true;
  });
  // The side of the rural activity is asked only when there is one.
  form.read().at(1).when([&a] {
    return a.espelho().registro.txt("TEMRURAL") == "S" && (!a.regras.quando || a.regras.quando(a, "ATV_BRASIL"));
  });
  form.roda();
  // The identification decides the model's limits and the estate's rules the summary uses.
  a.CALC(7, 0);
}

}  // namespace screens
