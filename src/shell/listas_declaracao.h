// The pick lists of an open declaration: the lists read and write the declaration's named
// variables (the register's fields, then table 01's, then the program's own names such as
// M_CPFDEPEN), so a code chosen in a grid's check lands where the screens read it.
#pragma once

#include <optional>
#include <string_view>

#include "console/listas.h"
#include "store/declaracao.h"

namespace shell {

class Program;

// The record mirror as the lists' variables; names no record has are kept aside by name.
class VariaveisDeclaracao final : public console::Variaveis {
 public:
  explicit VariaveisDeclaracao(store::Declaracao& dec) : dec_(dec) {}
  std::optional<rt::ui::Value> valor(std::string_view nome) const override;
  bool atribui(std::string_view nome, const rt::ui::Value& v) override;

 private:
  store::RegistroEspelho* registroCom(std::string_view nome) const;
  store::Declaracao& dec_;
  console::VariaveisMapa outras_;
};

// What the lists ask of the program while a declaration is open.
class ServicosListaDeclaracao final : public console::ServicosLista {
 public:
  explicit ServicosListaDeclaracao(Program& p) : p_(p) {}
  std::string VE_STAT(int codigo) override;

 private:
  Program& p_;
};

// The lists of one open declaration, with their variables and services.
class ListasDeclaracao {
 public:
  ListasDeclaracao(Program& p, store::Declaracao& dec);
  console::Listas& listas() { return listas_; }

 private:
  VariaveisDeclaracao vars_;
  ServicosListaDeclaracao servicos_;
  console::Listas listas_;
};

}  // namespace shell
