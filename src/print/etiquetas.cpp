// Sheet 13: the diskette labels, one to three a row by model.
#include <functional>
#include <vector>

#include "print/escritorio.h"
#include "print/pagina.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"

namespace print {

using rt::text::transform;
using rt::text::trim;

namespace {

struct Etiqueta {
  std::string cpf, nome;  // both empty: a blank label
};

// GERETI: one row of labels of model `modelo` at the current row; `fileira` counts the rows of
// a sheet of models 3 and 4.
void GERETI(Pagina& p, Impressao& imp, int modelo, const std::vector<Etiqueta>& aeti, int& fileira) {
  auto cpf = [](const Etiqueta& e) { return e.cpf.empty() ? std::string() : transform(e.cpf, kCpf); };
  if (modelo == 1 || modelo == 2) {
    const Etiqueta& e = aeti.front();
    const int inicio = p.QLIN();
    if (modelo == 1) {
      p.normal();
      p.linha(0, "Declaracao de ajuste anual 2010");
      p.linha(0, "          (Ano Base 2009)");
    } else {
      p.condensado();
      p.linha(0, "Declaracao de ajuste anual 2010 - (Ano Base 2009)");
    }
    p.linha(0, "CPF : " + cpf(e));
    p.linha(0, "Nome: " + e.nome);
    if (modelo == 1) p.linha(0, std::string(40, '_'));
    imp.QLIN = inicio + (modelo == 1 ? 10 : 7);
    return;
  }
  p.normal();
  auto fila = [&](const std::function<std::string(std::size_t)>& texto) {
    for (std::size_t i = 0; i < aeti.size(); ++i) p.diz(static_cast<int>(i) * 28, texto(i));
    p.avanca();
  };
  fila([](std::size_t) { return std::string(25, '='); });
  fila([](std::size_t) { return std::string("Declaracao de ajuste 2010"); });
  fila([](std::size_t) { return std::string("          (Ano Base 2009)"); });
  fila([](std::size_t) { return std::string(25, '='); });
  fila([&](std::size_t i) { return "CPF : " + cpf(aeti[i]); });
  fila([&](std::size_t i) { return (modelo == 3 && i == 0 ? "--_Nome" : "--Nome") + std::string(19, '-'); });
  fila([&](std::size_t i) { return aeti[i].nome; });
  fila([](std::size_t) { return std::string(25, '-'); });
  imp.QLIN += 4;
  if (++fileira == (modelo == 3 ? 5 : 3)) {
    fileira = 0;
    p.quebra();
  }
}

}  // namespace

void FAZ_ETI(store::Contexto& ctx, Impressao& imp, const Escolhas& esc) {
  rt::db::Table* reg = ctx.areas.table(store::Area::IMP0910);
  if (reg == nullptr) return;
  const int modelo = esc.QUEMOD >= 1 && esc.QUEMOD <= 4 ? esc.QUEMOD : 1;
  const std::size_t porFileira = modelo == 3 ? 2 : modelo == 4 ? 3 : 1;
  auto etiqueta = [&](const rt::db::Table& t) {
    std::string nome = rt::text::upper(trim(t.getText("NOMECONTR")));
    if (modelo != 2) nome = rt::text::left(nome, 25);
    return Etiqueta{t.getText("CPF"), nome};
  };
  Pagina p(imp);
  int fileira = 0;
  if (esc.QUECON == 1) {
    if (!reg->eof()) GERETI(p, imp, modelo, std::vector<Etiqueta>(porFileira, etiqueta(*reg)), fileira);
    return;
  }
  std::vector<Etiqueta> aeti;
  for (reg->goTop(); reg->status() && !reg->eof() && !imp.CAN_IMP; reg->skip(1)) {
    if (reg->isDeleted() || (esc.QUECON == 2 && reg->getText("IMPRE") != "S")) continue;
    aeti.push_back(etiqueta(*reg));
    if (aeti.size() == porFileira) {
      GERETI(p, imp, modelo, aeti, fileira);
      aeti.clear();
    }
  }
  if (!aeti.empty()) {
    aeti.resize(porFileira);
    GERETI(p, imp, modelo, aeti, fileira);
  }
}

}  // namespace print
