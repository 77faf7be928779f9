#include "shell/listas_declaracao.h"

#include "shell/programa.h"
#include "store/abertura.h"
#include "store/estatus.h"

namespace shell {

namespace {

// "M->CPFDEPEN" and "CPFDEPEN" name the same variable.
std::string_view semPrefixo(std::string_view nome) {
  if (nome.size() > 3 && (nome.substr(0, 3) == "M->" || nome.substr(0, 3) == "m->")) nome.remove_prefix(3);
  return nome;
}

}  // namespace

store::RegistroEspelho* VariaveisDeclaracao::registroCom(std::string_view nome) const {
  store::EspelhoDeclaracao& e = dec_.espelho;
  for (store::RegistroEspelho* r : {&e.registro, &e.tabela01, &e.carneLeao, &e.rural})
    if (r->tem(nome)) return r;
  return nullptr;
}

std::optional<rt::ui::Value> VariaveisDeclaracao::valor(std::string_view nome) const {
  nome = semPrefixo(nome);
  if (const store::RegistroEspelho* r = registroCom(nome)) return r->valor(nome);
  return outras_.valor(nome);
}

bool VariaveisDeclaracao::atribui(std::string_view nome, const rt::ui::Value& v) {
  nome = semPrefixo(nome);
  if (store::RegistroEspelho* r = registroCom(nome)) {
    // A value of another type than the field's is refused, never stored.
    if (r->valor(nome).index() != v.index()) return false;
    r->valor(nome, v);
    return true;
  }
  return outras_.atribui(nome, v);
}

std::string ServicosListaDeclaracao::VE_STAT(int codigo) { return store::VE_STAT(p_, codigo, 3); }

ListasDeclaracao::ListasDeclaracao(Program& p, store::Declaracao& dec)
    : vars_(dec),
      servicos_(p),
      listas_(p, console::AcessoTabelas{p.areas, [&p](int a) { return store::ABERTURA(p, a); }}, vars_,
              servicos_) {}

}  // namespace shell
