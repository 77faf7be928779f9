#include "shell/ajuda_programa.h"

#include "console/pastas.h"
#include "console/recusa.h"
#include "store/abertura.h"
#include "store/acesso_tabelas.h"
#include "store/areas.h"
#include "store/cria.h"

namespace shell {

namespace {

constexpr store::Area kAreaAjuda = store::Area::HELPTXT;

bool existe(Program& p, std::string_view extensao) {
  return console::LF_ISFILE(p, p.ARQDEF + "HELPTXT" + std::string(extensao));
}

}  // namespace

rt::Status criaAjuda(Program& p) {
  if (existe(p, ".DBF") || existe(p, ".DBT")) return {};
  return store::CRIA(p, kAreaAjuda, p.ARQDEF + "HELPTXT");
}

console::AcessoTabelas tabelasAjuda(Program& p) {
  return store::acessoTabelas(p);
}

rt::Status abreAjuda(Program& p, std::string_view arquivo) {
  // A folder without the help files shows no help, and nothing is said of it.
  if (arquivo != "HELPTXT" || !existe(p, ".DBF") || !existe(p, ".DBT"))
    return console::falhaDita(rt::Error::kNotFound, std::string(arquivo));
  return store::ABERTURA(p, kAreaAjuda);
}

void ajudaDoMenu(Program& p) {
  console::AcessoAjuda acesso{tabelasAjuda(p), [&p](std::string_view arquivo) { return abreAjuda(p, arquivo); },
                              {}, {}, {}};
  console::Ajuda(p, std::move(acesso)).MOSTRA_HELP(1);
}

}  // namespace shell
