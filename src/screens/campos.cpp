#include "screens/campos.h"

#include <string>

#include "console/alerta.h"
#include "console/validadores.h"

namespace screens {

bool simNao(AmbienteTela& a, const std::string& v) {
  if (v == " " || v.empty() || v == "S" || v == "N") return true;
  console::AVISOSN(a.ctx, "Digite S de sim ou N de nao", 0);
  return false;
}

void editaCampos(AmbienteTela& a, Formulario& form, store::RegistroEspelho& r, std::span<const CampoForm> campos,
                 const std::function<bool(std::string_view)>& confere) {
  for (const CampoForm& c : campos) {
    rt::ui::Get& g = form.edita(r, c.nome, c.picture);
    const std::string nome(c.nome);
    if (a.regras.quando) g.when([&a, nome] { return a.regras.quando(a, nome); });
    g.valid([&a, &r, &form, nome, tipo = c.tipo, confere] {
      if (tipo == CampoForm::SimNao && !simNao(a, r.txt(nome))) return false;
      if (tipo == CampoForm::Cpf && !console::VAL_CPF(a.ctx, r.txt(nome))) return false;
      if (a.regras.valida && !a.regras.valida(a, nome)) return false;
      const bool aceito = !confere || confere(nome);
      // A rule may have set other fields (the town's code, a completed receipt number).
      form.read().display();
      return aceito;
    });
  }
}

}  // namespace screens
