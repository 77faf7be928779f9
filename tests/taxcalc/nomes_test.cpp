// The field names the computation writes in its sources, resolved against the record mirror
// and the table catalogue: a name no record has would throw in the middle of a computation
// (the mirror) or read as empty without a word (a work area). Names built at run time
// ("I2_" + column + month) are not literal and come from the same catalogue loops.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "store/catalogo.h"
#include "store/espelho.h"

namespace {

char tipoDoUso(const std::string& uso) {
  if (uso == "num" || uso == "poe" || uso == "getNumber") return 'N';
  if (uso == "txt" || uso == "getText") return 'C';
  if (uso == "logico" || uso == "getLogical") return 'L';
  if (uso == "data" || uso == "getDate") return 'D';
  return 0;  // any type: the name must exist
}

bool tipoServe(char campo, char pedido) { return pedido == 0 || (campo == 'M' ? 'C' : campo) == pedido; }

bool noEspelho(const store::EspelhoDeclaracao& d, const std::string& nome, char tipo) {
  for (const store::RegistroEspelho* r : {&d.registro, &d.tabela01, &d.carneLeao, &d.rural}) {
    const int i = r->indice(nome);
    if (i >= 0 && tipoServe(r->campos()[static_cast<std::size_t>(i)].tipo, tipo)) return true;
  }
  return false;
}

bool noCatalogo(const std::string& nome, char tipo) {
  for (const store::TabelaDef& t : store::catalogo())
    if (const store::CampoDef* c = store::campo(t.campos, nome); c != nullptr && tipoServe(c->tipo, tipo)) return true;
  return false;
}

TEST(NomesDoCalculo, EveryLiteralFieldNameOfTheComputationResolves) {
  const store::EspelhoDeclaracao d;
  // Readers and writers of the record mirror, then of the work areas' tables.
  const std::regex espelho(R"(\b(num|txt|logico|data|poe|tem|campo|indice)\("([A-Za-z0-9_]+)\"\s*[,)])");
  const std::regex tabela(R"(\b(getNumber|getText|getDate|getLogical|fieldIndex|field|put)\("([A-Za-z0-9_]+)\"\s*[,)])");
  int vistos = 0;
  std::string desconhecidos;
  for (const auto& e : std::filesystem::directory_iterator(std::string(TAVREN_SOURCE_DIR) + "/taxcalc")) {
    std::ifstream f(e.path());
    std::stringstream ss;
    ss << f.rdbuf();
    const std::string fonte = ss.str();
    for (std::sregex_iterator it(fonte.begin(), fonte.end(), espelho), fim; it != fim; ++it, ++vistos)
      if (!noEspelho(d, (*it)[2], tipoDoUso((*it)[1])))
        desconhecidos += e.path().filename().string() + ": " + (*it)[1].str() + "(\"" + (*it)[2].str() + "\")\n";
    for (std::sregex_iterator it(fonte.begin(), fonte.end(), tabela), fim; it != fim; ++it, ++vistos)
      if (!noCatalogo((*it)[2], tipoDoUso((*it)[1])))
        desconhecidos += e.path().filename().string() + ": " + (*it)[1].str() + "(\"" + (*it)[2].str() + "\")\n";
  }
  EXPECT_GT(vistos, 200);
  EXPECT_EQ(desconhecidos, "");
}

}  // namespace
