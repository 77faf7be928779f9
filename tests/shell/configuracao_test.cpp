#include "shell/configuracao.h"

#include <gtest/gtest.h>

#include <vector>

#include "ajustes_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/registros.h"
#include "store/abertura.h"
#include "store/travas.h"

namespace shell::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

Decimal d(const char* s) {
  return *Decimal::parse(s);
}

class Configuracao : public AjustesFixture {
 protected:
  Ajustes recarregado() {
    Ajustes a;
    carregaDefine(ctx, a);
    return a;
  }
  // UFIRM with the rows given (ANOMES, TJM).
  void ufirm(const std::vector<std::pair<const char*, const char*>>& linhas) {
    ASSERT_TRUE(store::ABERTURA(ctx, store::Area::UFIRM));
    for (const auto& [anoMes, tjm] : linhas) {
      ASSERT_TRUE(store::ADD_REC(ctx, 5));
      rt::db::Table& t = *ctx.areas.table(store::Area::UFIRM);
      ASSERT_TRUE(t.put("ANOMES", std::string(anoMes)));
      ASSERT_TRUE(t.put("TJM", d(tjm)));
      ASSERT_TRUE(t.put("MULTIPL", d("1.5")));
      ASSERT_TRUE(t.flush());
      ASSERT_TRUE(store::DESTRAVA(ctx));
    }
    ASSERT_TRUE(ctx.areas.close(store::Area::UFIRM));
  }
  // The TJM of a month, or "missing".
  std::string tjm(const char* anoMes) {
    auto t = abre("UFIRM");
    for (; !t->eof(); (void)t->skip(1))
      if (t->getText("ANOMES") == anoMes)
        return t->getNumber("TJM").toString(2) + " " + t->getText("SIMB_MOED");
    return "missing";
  }
  int linhasUfirm() { return static_cast<int>(abre("UFIRM")->recordCount()); }
};

TEST_F(Configuracao, BillingRatesAreStoredAndReadBack) {
  term.type("1.5").press(key::Enter);  // per minute
  term.type("0.25");                   // per KByte: its last place typed, the field is left
  term.type("250").press(key::Enter);  // minimum
  term.type("30").press(key::Enter);   // idle minutes
  VAL_DECL(ctx, aj);
  EXPECT_FALSE(term.exhausted());
  EXPECT_TRUE(gravador.viu("Valor a Cobrar"));
  EXPECT_TRUE(gravador.viu("Informe o valor a cobrar por minuto"));
  EXPECT_TRUE(gravador.viu("Informe o valor a cobrar por KByte de memoria usada"));
  EXPECT_TRUE(gravador.viu("Informe o valor minimo a cobrar."));
  EXPECT_TRUE(gravador.viu("Informe o tempo sem teclar para desligar o relógio"_cp));
  // The amounts line up at the right of their places.
  EXPECT_TRUE(gravador.viuEm(9, 56, " 1,50"));
  EXPECT_TRUE(gravador.viuEm(11, 52, "   250,00"));
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kTela));
  EXPECT_EQ(aj.VAL_SEG, d("1.5"));
  const Ajustes a = recarregado();
  EXPECT_EQ(a.VAL_SEG, d("1.5"));
  EXPECT_EQ(a.VAL_BYTE, d("0.25"));
  EXPECT_EQ(a.VAL_MIN, d("250"));
  EXPECT_EQ(a.TEMP_DES, 30);
}

TEST_F(Configuracao, BillingAmountsCannotOutgrowTheirFields) {
  // Every place filled: each field is left by itself, with the largest value its field holds.
  term.type("999999");
  term.type("999999");
  term.type("9999999999");
  term.type("99");
  VAL_DECL(ctx, aj);
  const Ajustes a = recarregado();
  EXPECT_EQ(a.VAL_SEG, d("99.99"));
  EXPECT_EQ(a.VAL_BYTE, d("99.99"));
  EXPECT_EQ(a.VAL_MIN, d("99999.99"));
  EXPECT_EQ(a.TEMP_DES, 99);
}

TEST_F(Configuracao, EscKeepsWhatWasTypedBeforeAndStillStores) {
  aj.VAL_MIN = d("10");
  term.type("2").press(key::Enter).press(key::Esc);
  VAL_DECL(ctx, aj);
  const Ajustes a = recarregado();
  EXPECT_EQ(a.VAL_SEG, d("2"));
  EXPECT_EQ(a.VAL_MIN, d("10"));
}

TEST_F(Configuracao, AutomaticSaveProposesFifteenAndRefusesZeroAndNinetyEight) {
  aj.COMO_SAL = 3;
  aj.TEMP_SAL = 99;
  term.press(key::Home).press(key::Enter);
  term.pause().type("0").press(key::Enter).type("98").type("97");
  TIP_GRAV(ctx, aj);
  EXPECT_FALSE(term.exhausted());
  EXPECT_TRUE(gravador.viuEm(12, 42, "┌"_cp));
  EXPECT_TRUE(gravador.viuEm(15, 59, "*"));  // the current mode, 3
  EXPECT_TRUE(gravador.viuEm(13, 59, "*"));
  EXPECT_TRUE(gravador.viu("Gravar a cada    minutos"));
  EXPECT_TRUE(gravador.viuEm(18, 57, "15"));
  EXPECT_EQ(aj.COMO_SAL, 1);
  EXPECT_EQ(aj.TEMP_SAL, 97);
  const Ajustes a = recarregado();
  EXPECT_EQ(a.COMO_SAL, 1);
  EXPECT_EQ(a.TEMP_SAL, 97);
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kDialogo));
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kMensagem));
}

TEST_F(Configuracao, ManualAndEndOnlyModes) {
  term.press(key::Down).press(key::Enter);  // from the seed's mode 2 to 3
  TIP_GRAV(ctx, aj);
  EXPECT_EQ(recarregado().TEMP_SAL, 99);
  EXPECT_EQ(recarregado().COMO_SAL, 3);
  term.press(key::Up).press(key::Enter);
  TIP_GRAV(ctx, aj);
  EXPECT_EQ(recarregado().TEMP_SAL, 0);
  EXPECT_EQ(recarregado().COMO_SAL, 2);
  EXPECT_FALSE(VAL_TEMP(aj));
}

TEST_F(Configuracao, EscKeepsTheModeAndStillWritesTheThreeValues) {
  // A fresh DEFINE says manual but autosaves every 15 minutes: kept as it is.
  Ajustes semente = recarregado();
  EXPECT_EQ(semente.COMO_SAL, 2);
  EXPECT_EQ(semente.TEMP_SAL, 15);
  aj = semente;
  aj.TEMP_DES = 7;
  term.press(key::Up).press(key::Esc);
  TIP_GRAV(ctx, aj);
  const Ajustes a = recarregado();
  EXPECT_EQ(a.COMO_SAL, 2);
  EXPECT_EQ(a.TEMP_SAL, 15);
  EXPECT_EQ(a.TEMP_DES, 7);
}

TEST_F(Configuracao, EscOnARefusedIntervalKeepsTheOldModeAndInterval) {
  // Automatic, the interval emptied (Ctrl+Y) to 0, refused, then Esc: nothing of it is kept.
  Ajustes semente = recarregado();
  aj = semente;
  term.press(key::Home).press(key::Enter);
  term.pause().press(rt::term::ctrlKey('y')).type("0").press(key::Enter).press(key::Esc);
  TIP_GRAV(ctx, aj);
  EXPECT_FALSE(term.exhausted());
  for (const Ajustes& a : {aj, recarregado()}) {
    EXPECT_EQ(a.COMO_SAL, semente.COMO_SAL);
    EXPECT_EQ(a.TEMP_SAL, 15);
  }
}

TEST_F(Configuracao, StatusMenuOpensItsGridsUntilEsc) {
  std::vector<int> grades;
  term.type("c").press(key::Home).press(key::Enter).press(key::Esc);
  MUDA_ESTATUS(ctx, [&](store::Contexto& c, int tela) {
    EXPECT_TRUE(c.areas.isOpen(store::Area::STATUS));
    grades.push_back(tela);
  });
  EXPECT_FALSE(term.exhausted());
  EXPECT_EQ(grades, (std::vector<int>{29, 42}));
  EXPECT_TRUE(gravador.viu("Alterar situação"_cp));
  EXPECT_TRUE(gravador.viu("Cadastra ou altera a descrição do status"_cp));
  EXPECT_TRUE(gravador.viu("Modifica na declaração o status e/ou nro dos Recibos"_cp));
  EXPECT_FALSE(ctx.areas.isOpen(store::Area::STATUS));
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kSubdialogo));
}

TEST_F(Configuracao, StatusGridsNameAStatusAndGiveItToATaxpayer) {
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP0910));
  {
    rt::db::Table& t = *ctx.areas.table(store::Area::IMP0910);
    ASSERT_TRUE(t.appendBlank().isOk());
    ASSERT_TRUE(t.put("CPF", std::string("12345678909")).isOk());
    ASSERT_TRUE(t.put("NOMECONTR", std::string("ANA PRIMEIRA")).isOk());
    (void)t.unlock();
  }
  // "Cadastrar status": a new row at the end, code 77 named PRONTA.
  term.type("c").press(key::CtrlPgDn).press(key::Down).type("77").type("PRONTA").press(key::Enter).press(key::Esc);
  // "Alterar situação": the cursor starts on the status number, after the frozen CPF, name
  // and status name; then again, to see the new name beside the taxpayer.
  term.type("a").type("77").press(key::Esc);
  term.type("a").press(key::Esc).press(key::Esc);
  MUDA_ESTATUS(ctx, GRADE_ESTATUS);
  EXPECT_FALSE(term.exhausted());
  auto status = abre("STATUS");
  bool achou = false;
  for (; !status->eof(); (void)status->skip(1))
    if (status->getNumber("COD") == Decimal(77)) achou = rt::text::trim(status->getText("DESCRICAO")) == "PRONTA";
  EXPECT_TRUE(achou);
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP0910));
  ctx.areas.table(store::Area::IMP0910)->goTop();
  ASSERT_TRUE(ctx.areas.table(store::Area::IMP0910)->status());
  EXPECT_EQ(ctx.areas.table(store::Area::IMP0910)->getNumber("ESTATUS"), Decimal(77));
  EXPECT_EQ(ctx.areas.table(store::Area::IMP0910)->getText("CPF"), "12345678909");
  EXPECT_TRUE(gravador.viu("ANA PRIMEIRA           │PRONTA"_cp)) << term.dump();
}

TEST_F(Configuracao, SelicProposesTheMonthAfterTheLastFilledOne) {
  ufirm({{"201001", "0.66"}, {"201002", "0.59"}, {"201003", "0.76"}, {"201004", "0"}});
  aj.VAL_CPMF = d("0.38");
  term.press(key::Enter).press(key::Enter).type("0.67").press(key::Enter).type("S");
  CAD_UFIR(ctx, aj);
  EXPECT_FALSE(term.exhausted());
  EXPECT_TRUE(gravador.viu("Abril"));
  EXPECT_TRUE(gravador.viuEm(14, 48, " 4/2010"));
  EXPECT_TRUE(gravador.viu("Confirma a alteração ?"_cp));
  EXPECT_EQ(tjm("201004"), "0.67 R$  ");
  EXPECT_EQ(linhasUfirm(), 4);
  EXPECT_EQ(recarregado().VAL_CPMF, d("0.38"));
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kSubdialogo));
  EXPECT_FALSE(ctx.areas.isOpen(store::Area::UFIRM));
}

TEST_F(Configuracao, SelicWithoutAnEmptyMonthAfterProposesTheLastOne) {
  ufirm({{"201001", "0.66"}, {"201002", "0.59"}, {"201003", "0.76"}});
  term.press(key::Enter).press(key::Enter).press(key::Enter).type("I");
  CAD_UFIR(ctx, aj);
  EXPECT_TRUE(gravador.viuEm(14, 48, " 3/2010"));
  EXPECT_TRUE(gravador.viu("Marco"));
  EXPECT_TRUE(gravador.viuEm(15, 49, "  0,76"));
  // "Ignore" stores nothing.
  EXPECT_EQ(tjm("201003"), "0.76     ");
}

TEST_F(Configuracao, SelicRefusesAMonthOutsideTheYearAndAppendsANewMonth) {
  ufirm({{"201001", "0.66"}});
  // Month 13 is refused; May 2010 has no row: rate 0 proposed; "N" edits again.
  term.type("13").type("05").press(key::Enter).type("0.5").press(key::Enter).type("N");
  term.press(key::Enter).press(key::Enter).type("0.75").press(key::Enter).type("S");
  CAD_UFIR(ctx, aj);
  EXPECT_FALSE(term.exhausted());
  EXPECT_TRUE(gravador.viu("Maio"));
  EXPECT_EQ(tjm("201005"), "0.75 R$  ");
  EXPECT_EQ(linhasUfirm(), 2);
}

}  // namespace
}  // namespace shell::teste
