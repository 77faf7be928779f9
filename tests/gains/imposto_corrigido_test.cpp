// The corrected refund and quota list: the interest walk, the rows built, and the list shown.
#include "gains/imposto_corrigido.h"

#include <gtest/gtest.h>

#include "../grid/fixture.h"
#include "gains/juros.h"
#include "ganhos_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace gains::teste {

using rt::text::Date;
using rt::text::Decimal;
using namespace rt::text::literals;

class JurosCorrigidos : public DeclaracaoGanhos {
 protected:
  JurosCorrigidos() {
    taxa("201004", 0.7_d);
    taxa("201005", 0.75_d);
    taxa("201006", 0.7_d);
    taxa("201007", 0.8_d);
  }
  Juros quota(Date pagamento) {
    return ACHAJURO(tabela(store::Area::UFIRM), Date::fromYmd(2010, 4, 30), pagamento, 2, pagamento.month());
  }
};

TEST_F(JurosCorrigidos, InterestWalkStopsAtThePaymentMonth) {
  struct Caso {
    Date pagamento;
    Decimal fator;
    bool alem;
  } casos[] = {
      {Date::fromYmd(2010, 5, 10), 1_d, false},     // the first month after the due date
      {Date::fromYmd(2010, 6, 10), 1.75_d, false},  // 1% + May's rate
      {Date::fromYmd(2010, 8, 2), 3.25_d, false},   // May, June and July
      {Date::fromYmd(2010, 10, 1), 3.25_d, true},   // September is not in the table yet
      {Date::fromYmd(2010, 3, 1), 0_d, false},      // before the due date
  };
  for (const Caso& k : casos) {
    SCOPED_TRACE(rt::text::dtoc(k.pagamento));
    const Juros j = quota(k.pagamento);
    EXPECT_EQ(j.DF_JURO, k.fator);
    EXPECT_EQ(j.alemDaTabela, k.alem);
  }
  // A payment in the due month: factor 1, not a walk to the table's end.
  const Juros mesmoMes =
      ACHAJURO(tabela(store::Area::UFIRM), Date::fromYmd(2010, 4, 30), Date::fromYmd(2010, 4, 30), 1);
  EXPECT_EQ(mesmoMes.DF_JURO, 1_d);
  EXPECT_FALSE(mesmoMes.alemDaTabela);
  // Before May 2010 the list is not there yet.
  EXPECT_EQ(listaAntesDoPrazo(Date::fromYmd(2009, 12, 1)).value_or(""),
            "Funçao só utilizavel após mês de Maio de 2010"_cp);
  EXPECT_EQ(listaAntesDoPrazo(Date::fromYmd(2010, 4, 30)).value_or(""),
            "Funçao só utilizavel após mês de Maio"_cp);
  EXPECT_FALSE(listaAntesDoPrazo(Date::fromYmd(2010, 5, 1)).has_value());
}

// The list over the scripted terminal, on 10/06/2010 (factor 1.75).
class ListaCorrigidaTela : public grid::teste::GridFixture {
 protected:
  ListaCorrigidaTela() {
    relogio.set(rt::text::LocalTime{Date::fromYmd(2010, 6, 10), 36000, 0});
    tabela(store::Area::IMP0910);
    tabela(store::Area::UFIRM);
    for (const char* am : {"201005", "201006"})
      linha(store::Area::UFIRM,
            {{"ANOMES", grid::teste::C(am)}, {"TJM", Decimal(am[5] == '5' ? 0.75_d : 0.7_d)}});
    pessoa("11111111111", "ANA", 900_d, 3);
    pessoa("22222222222", "BRUNO", 2000_d, 3);
    pessoa("33333333333", "CARLA", -1000_d, 0);
    pessoa("44444444444", "DANIEL", 0_d, 1);  // nothing to pay: not listed
    pessoa("55555555555", "EVA", 500_d, 0);   // never computed: one quota
  }
  void pessoa(const char* cpf, const char* nome, Decimal apagar, int quotas) {
    linha(store::Area::IMP0910, {{"CPF", grid::teste::C(cpf)},
                                 {"NOMECONTR", grid::teste::C(nome)},
                                 {"IMPPGRE", apagar},
                                 {"I13_29", Decimal(quotas)}});
  }
  // The last screen's row that shows `nome`.
  std::string linhaDe(std::string_view nome) {
    const std::string& tela = term.telas.back();
    const auto p = tela.find(nome);
    if (p == std::string::npos) return {};
    const auto ini = tela.rfind('\n', p) + 1;
    return tela.substr(ini, tela.find('\n', p) - ini);
  }
};

TEST_F(ListaCorrigidaTela, QuotasAndRefundsCorrectedAndShown) {
  teclas().press(rt::term::key::Esc);
  ASSERT_TRUE(IMPCORRIG(ctx, g));
  // One quota of 900.00 / 3, the quota of 2,000.00 / 3 cut like the payment slip's, a refund,
  // and a tax never split in quotas, each with 1.75%.
  EXPECT_NE(linhaDe("ANA").find("300,00"), std::string::npos) << linhaDe("ANA");
  EXPECT_NE(linhaDe("ANA").find("305,25"), std::string::npos) << linhaDe("ANA");
  EXPECT_NE(linhaDe("BRUNO").find("666,66"), std::string::npos) << linhaDe("BRUNO");
  EXPECT_NE(linhaDe("BRUNO").find("678,32"), std::string::npos) << linhaDe("BRUNO");
  EXPECT_NE(linhaDe("CARLA").find("1.017,50"), std::string::npos) << linhaDe("CARLA");
  EXPECT_NE(linhaDe("EVA").find("508,75"), std::string::npos) << linhaDe("EVA");
  EXPECT_FALSE(term.viu("DANIEL"));
  EXPECT_FALSE(term.viu("Atenção! A tabela de juros"_cp));
  // The list is let go: another terminal may build it now.
  EXPECT_EQ(ctx.areas.table(store::Area::IMPCORRIG), nullptr);
}

TEST_F(ListaCorrigidaTela, WalkPastTheTablesEndWarnsOnTheStatusLine) {
  relogio.set(rt::text::LocalTime{Date::fromYmd(2010, 9, 10), 36000, 0});
  teclas().press(rt::term::key::Esc);
  ASSERT_TRUE(IMPCORRIG(ctx, g));
  EXPECT_TRUE(term.viu("Atenção! A tabela de juros termina antes do mês atual: juros incompletos."_cp));
  // The value is kept: 1% + May + June.
  EXPECT_NE(linhaDe("ANA").find("307,35"), std::string::npos) << linhaDe("ANA");
}

TEST_F(ListaCorrigidaTela, NotBeforeMay2010) {
  relogio.set(rt::text::LocalTime{Date::fromYmd(2010, 4, 12), 36000, 0});
  EXPECT_FALSE(IMPCORRIG(ctx, g));
  EXPECT_TRUE(term.viu("Funçao só utilizavel após mês de Maio"_cp));
}

}  // namespace gains::teste
