// The lookups of the declaration's fields whose pick list opens over an empty table: the town
// list of a state with no towns, the states, banks, street types, countries and embassies,
// natures, occupations, statuses, and the grid cells' code lists. Each is left with Esc, with
// Enter and with the arrows: nothing may crash, and the field keeps what the clerk typed.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/regras.h"
#include "screens/regras_comum.h"
#include "shell/telas_declaracao.h"
#include "store/abertura.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

class ListasVazias : public DeclaracaoFixture {
 protected:
  // Runs the declaration driver with the real rules; `passo` runs once, with the screen's
  // environment, when screen `tela` asks whether its first field may be entered.
  void rodaCom(int tela, std::function<void(AmbienteTela&)> passo) {
    shell::ServicosDeclara s;
    bool feito = false;
    s.GTELA = [&](shell::Program& q, shell::Declara& d, int n) {
      telas.push_back(n);
      if (term.exhausted() || telas.size() > 50) {
        d.tela.INI = "I";
        return;
      }
      RegrasCampos r = regrasDeclaracao();
      const auto quando = r.quando;
      r.quando = [&, quando, n](AmbienteTela& a, std::string_view campo) {
        if (n == tela && !feito) {
          feito = true;
          passo(a);
        }
        return quando(a, campo);
      };
      shell::telaDeclaracao(q, d, n, r);
    };
    shell::DECLARA(*p, s);
  }

  // Deletes every row of a reference table of the program folder.
  void esvazia(store::Area area) {
    ASSERT_TRUE(store::ABERTURA(*p, area)) << store::numero(area);
    rt::db::Table& t = *p->areas.table(area);
    ASSERT_TRUE(t.lockFile().isOk()) << store::numero(area);
    (void)t.setOrder(0);
    for ((void)t.goTop(); !t.eof(); (void)t.skip())
      ASSERT_TRUE(t.markDeleted().isOk()) << store::numero(area);
    ASSERT_TRUE(t.flush().isOk());
    ASSERT_TRUE(p->areas.close(area).isOk());
  }
};

TEST_F(ListasVazias, EveryLookupLeftFromItsEmptyListKeepsWhatWasTyped) {
  using Campos = std::vector<std::pair<const char*, std::string>>;
  struct Caso {
    const char* nome;
    Campos digitados;  // typed into the mirror before the check; they must stay
    int listas;        // pick lists the check opens
    bool aviso;        // a notice, answered with a key, comes before the list
    std::function<void(AmbienteTela&)> checa;
  };
  auto valida = [](const char* campo) {
    return [campo](AmbienteTela& a) { EXPECT_TRUE(a.regras.valida(a, campo)); };
  };
  auto celula = [](const char* checagem, rt::ui::Value v) {
    return [checagem, v](AmbienteTela& a) mutable {
      const store::Area antes = a.ctx.areas.current();
      (void)a.grade.srv().valida(a.ctx, a.grade, checagem, v);
      EXPECT_EQ(a.ctx.areas.current(), antes);
    };
  };
  const std::vector<Caso> casos = {
      {"towns", {{"UF", "SP"}, {"MUNICIPIO", "SAO PAULO"}, {"CODMUNI", "1234"}}, 1, false, valida("UF")},
      {"states", {{"UF", "ZZ"}}, 1, false, valida("UF")},
      {"banks", {{"BANCO", "999"}}, 1, true, valida("BANCO")},
      {"street types", {{"TIPOEND", "BECO"}}, 1, false, valida("TIPOEND")},
      {"countries and embassies",
       {{"UF", "EX"}, {"CODPAIS", "999"}, {"CODEMB", "999"}},
       2,
       false,
       valida("UF")},
      {"natures", {{"CODAT", "99"}}, 1, false, valida("CODAT")},
      {"occupations", {{"CDPRO", "999"}}, 1, false, valida("CDPRO")},
      {"statuses",
       {},
       1,
       false,
       [](AmbienteTela& a) {
         ASSERT_TRUE(store::ABERTURA(a.ctx, store::Area::STATUS));
         EXPECT_FALSE(escolheNaLista(a, store::Area::STATUS, "M->ESTATUS"));
       }},
      {"dependant relations", {}, 1, false, celula("TES_COD(3)", Decimal(99))},
      {"payment codes", {}, 1, false, celula("TES_COD(4)", Decimal(99))},
      {"asset codes", {}, 1, false, celula("TES_COD(5)", Decimal(99))},
      {"debt codes", {}, 1, false, celula("TES_COD(6)", Decimal(99))},
      {"rural asset codes", {}, 1, false, celula("TES_COD(35)", Decimal(99))},
      {"countries of an asset", {}, 1, false, celula("TES_PAIS(2)", std::string("999"))},
  };
  for (store::Area area :
       {store::Area::CODBENS, store::Area::CODEPEN, store::Area::CODDIVI, store::Area::DESPESA,
        store::Area::BANCOS, store::Area::OCUPACAO, store::Area::CODNATUR, store::Area::TABPAIS,
        store::Area::TABEMBA, store::Area::TABMUNI, store::Area::TABLOGR, store::Area::STATUS,
        store::Area::CODABENS})
    esvazia(area);
  // Each list is left with each of these.
  const std::vector<std::vector<int>> saidas = {{key::Esc},
                                                {key::Enter},
                                                {key::Up, key::Esc},
                                                {key::Down, key::Enter},
                                                {key::PgDn, key::CtrlPgUp, key::Esc}};
  novo(kNovo);
  // Lists and notices drop the keys typed ahead when they end: each one's keys come after a
  // pause (the first after the one that ends the CPF), which its own wait sits out.
  bool primeiro = true;
  auto grupo = [&](const std::vector<int>& teclas) {
    if (!primeiro) term.pause();
    primeiro = false;
    for (int k : teclas) term.press(k);
  };
  for (const Caso& c : casos)
    for (const auto& teclas : saidas) {
      if (c.aviso) grupo({key::Enter});
      for (int i = 0; i < c.listas; ++i) grupo(teclas);
    }
  term.pause();
  termina('S');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& r = a.espelho().registro;
    for (const Caso& c : casos)
      for (const auto& teclas : saidas) {
        SCOPED_TRACE(std::string(c.nome) + " left with key " + std::to_string(teclas.front()));
        for (const auto& [campo, valor] : c.digitados) r.txt(campo, valor);
        const std::size_t antes = term.pending();
        c.checa(a);
        // Every notice and list came, sat out its pause and took its keys.
        EXPECT_EQ(antes - term.pending(),
                  (teclas.size() + 1) * static_cast<std::size_t>(c.listas) + (c.aviso ? 2 : 0));
        for (const auto& [campo, valor] : c.digitados)
          EXPECT_EQ(rt::text::trim(r.txt(campo)), rt::text::trim(valor)) << campo;
        EXPECT_FALSE(a.ctx.janelas.isOpen(console::Jan::kLista));
      }
  });
  EXPECT_FALSE(term.exhausted());
  EXPECT_TRUE(gravador.viu("Nome dos municípios"_cp));
}

}  // namespace
}  // namespace screens::teste
