// The field rules of screens 6 and 5 run inside a real declaration: the receipt numbers and
// their check digits, the lookups in the program folder's tables (towns found in memory, an
// occupation, the nature that has none), the refusal of the taxpayer's own CPF as the spouse's,
// and the spouse link that brings the spouse's values from the same register, another
// registered folder or a folder the clerk names, quietly when a declaration is opened, including
// the case of a second terminal holding the spouse's record.
#include "screens/regras.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/regras_comum.h"
#include "shell/telas_declaracao.h"
#include "store/abertura.h"
#include "store/pastas_dados.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

constexpr std::string_view kConjuge = "52998224725";

TEST(Recibo, TenDigitsAreCompletedRightCheckDigitsKeptAnythingElseRefused) {
  const struct {
    std::string_view digitado;
    std::optional<std::string> esperado;
  } casos[] = {
      {"1234567890", "123456789091"},    // blank check digits: completed
      {"123456789091", "123456789091"},  // right ones
      {"123456789000", std::nullopt},    // wrong ones
      {"12345", std::nullopt},           // fewer than ten digits: no digits over blanks
      {"12345 7890", std::nullopt},
  };
  for (const auto& c : casos) EXPECT_EQ(reciboCompleto(c.digitado), c.esperado) << c.digitado;
}

class Regras : public DeclaracaoFixture {
 protected:
  // Empties the field the cursor is in.
  void limpa() {
    term.press(key::Home);
    term.press(rt::term::ctrlKey('y').code);
  }

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

  // Appends rows to a reference table of the program folder, through the program's own
  // opener (so its index files follow).
  void acrescenta(store::Area tabela, const std::vector<std::vector<std::pair<std::string, std::string>>>& linhas) {
    ASSERT_TRUE(store::ABERTURA(*p, tabela));
    rt::db::Table& t = *p->areas.table(tabela);
    for (const auto& l : linhas) {
      ASSERT_TRUE(t.appendBlank().isOk());
      for (const auto& [campo, valor] : l) ASSERT_TRUE(t.put(campo, rt::ui::Value(valor)).isOk());
    }
    ASSERT_TRUE(t.flush().isOk());
    ASSERT_TRUE(p->areas.close(tabela).isOk());
  }

  Decimal numero(std::string_view cpf, std::string_view campo) {
    auto t = dados("IMP0910", cpf);
    return t && !t->eof() ? t->getNumber(campo) : Decimal::fromInt(-1);
  }

  // The spouse's declaration, registered here beforehand, with the summary values the link
  // reads from the register.
  void registraConjuge(std::string_view usaPadrao, std::string_view marca) {
    novo(kConjuge);
    termina('S');
    roda();
    telas.clear();
    auto t = dados("IMP0910", kConjuge);
    ASSERT_TRUE(t && !t->eof());
    ASSERT_TRUE(t->lockRecord().isOk());
    const std::pair<const char*, std::string> campos[] = {{"USAPADRAO", std::string(usaPadrao)}, {"I9_4", std::string(marca)}};
    for (const auto& [c, v] : campos) ASSERT_TRUE(t->put(c, rt::ui::Value(v)).isOk());
    const std::pair<const char*, int> valores[] = {{"I13_16", 50000}, {"I13_37", 1000}, {"I13_38", 2000}, {"I13_27", 8000},
                                                   {"I13_20", 3000},  {"I13_21", 700},  {"I13_22", 300},  {"SALDO", 7000},
                                                   {"I9_2", 111}};
    for (const auto& [c, v] : valores) ASSERT_TRUE(t->put(c, rt::ui::Value(Decimal::fromInt(v))).isOk());
    ASSERT_TRUE(t->close().isOk());
  }

  // The spouse's declaration moved into folder `nome` of the program folder, which no register
  // of folders names; here the spouse is no more. The folder's path.
  std::string mudaConjuge(std::string_view nome) {
    const std::string outra = programa / nome;
    std::filesystem::create_directories(outra);
    for (const auto& f : std::filesystem::directory_iterator(p->LOCARQ))
      if (f.is_regular_file()) std::filesystem::copy_file(f.path(), std::filesystem::path(outra) / f.path().filename());
    auto t = dados("IMP0910", kConjuge);
    EXPECT_TRUE(t && !t->eof() && t->lockRecord().isOk() && t->markDeleted().isOk() && t->close().isOk());
    return outra;
  }

  // Changes fields of a register record in `pasta`.
  static void gravaRegistro(const std::string& pasta, std::string_view cpf,
                            std::initializer_list<std::pair<std::string_view, rt::ui::Value>> campos) {
    auto t = rt::db::Table::open(pasta + "/IMP0910.DBF");
    ASSERT_TRUE(t);
    rt::db::Table& r = **t;
    for ((void)r.goTop(); !r.eof() && (r.isDeleted() || r.getText("CPF") != cpf);) (void)r.skip();
    ASSERT_FALSE(r.eof()) << cpf;
    ASSERT_TRUE(r.lockRecord().isOk());
    for (const auto& [c, v] : campos) ASSERT_TRUE(r.put(c, v).isOk()) << c;
    ASSERT_TRUE(r.close().isOk());
  }

  static std::vector<std::string> arquivosEm(const std::string& pasta) {
    std::vector<std::string> v;
    for (const auto& f : std::filesystem::directory_iterator(pasta)) v.push_back(f.path().filename().string());
    return v;
  }
};

// Screen 6 as typed: the taxpayer's own CPF is no spouse; marking the rectifying flag moves the
// current receipt into the one rectified; a wrong check digit and a short number are refused,
// ten digits are completed.
TEST_F(Regras, ReceiptNumbersAndTheSpouseCpfOnScreenSix) {
  aoEntrar = [](shell::Declara& d, int n) {
    if (n == 6) d.dec.espelho.registro.txt("RECIBOATU", "123456789091");
  };
  novo(kNovo);
  term.press('N');
  term.type("fulano");
  term.press(key::Enter);
  term.press(key::Enter);  // birth date
  term.press(key::Enter);  // voter's title
  term.type(kNovo);        // his own CPF as the spouse's
  term.pause();
  term.press(key::Enter);  // the alert
  limpa();
  term.press(key::Enter);
  term.press(key::Enter);  // joint
  term.press('S');         // rectifying: the current receipt becomes the rectified one
  term.press(key::Enter);  // the rectified receipt, right as it is
  term.type("123456789000");
  term.pause();
  term.press(key::Enter);  // the alert
  limpa();
  term.type("1234567890");
  term.press(key::Enter);  // completed
  term.type("12345");
  term.press(key::Enter);
  term.pause();
  term.press(key::Enter);  // the alert
  limpa();
  term.press(key::Enter);
  termina('S');
  roda();

  EXPECT_TRUE(gravador.viu("O CPF do cônjuge não pode ser o do próprio contribuinte."_cp));
  EXPECT_TRUE(gravador.viu("Numero do recibo invalido"));
  EXPECT_EQ(texto("IMP0910", kNovo, "CPFCONJU"), "");
  EXPECT_EQ(texto("IMP0910", kNovo, "RETIFICA"), "S");
  EXPECT_EQ(texto("IMP0910", kNovo, "NRORECIBO"), "123456789091");
  EXPECT_EQ(texto("IMP0910", kNovo, "RECIBOATU"), "123456789091");
  EXPECT_EQ(texto("IMP0910", kNovo, "RECIBOANT"), "");
}

// The lookups of screen 6 over the program folder's tables. The towns of a state are found in
// memory: no file is made beside the shared table. Abroad is Brasilia; nature 81 has no
// occupation and closes it; a code found fills its name.
TEST_F(Regras, TownsOccupationsAndNaturesAreLookedUp) {
  acrescenta(store::Area::TABMUNI, {{{"NOMEMUNI", "CAMPINAS"}, {"NROMUNI", "6291"}, {"UNIFED", "SP"}},
                         {{"NOMEMUNI", "AMERICANA"}, {"NROMUNI", "6131"}, {"UNIFED", "SP"}},
                         {{"NOMEMUNI", "CAMPINA GRANDE"}, {"NROMUNI", "1981"}, {"UNIFED", "PB"}}});
  acrescenta(store::Area::OCUPACAO, {{{"CDPRO", "212"}, {"OCUPACAO", "CONTADOR"}}});
  novo(kNovo);
  termina('S');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& r = a.espelho().registro;
    r.txt("UF", "SP");
    r.txt("MUNICIPIO", "campinas");
    EXPECT_TRUE(a.regras.valida(a, "UF"));
    EXPECT_EQ(rt::text::trim(r.txt("MUNICIPIO")), "CAMPINAS");
    EXPECT_EQ(r.txt("CODMUNI"), "6291");
    EXPECT_TRUE(a.regras.quando(a, "MUNICIPIO"));

    r.txt("UF", "EX");
    r.txt("CODPAIS", "023");
    EXPECT_TRUE(a.regras.valida(a, "UF"));
    EXPECT_EQ(rt::text::trim(r.txt("MUNICIPIO")), "Brasilia");
    EXPECT_EQ(r.txt("CODMUNI"), "9701");
    EXPECT_FALSE(a.regras.quando(a, "MUNICIPIO"));
    r.txt("UF", "PB");
    r.txt("MUNICIPIO", "Campina Grande");
    EXPECT_TRUE(a.regras.valida(a, "UF"));
    EXPECT_EQ(r.txt("CODMUNI"), "1981");
    EXPECT_EQ(r.txt("CODPAIS"), "   ");

    r.txt("CODAT", "11");
    EXPECT_TRUE(a.regras.valida(a, "CODAT"));
    EXPECT_EQ(rt::text::trim(r.txt("DESCRAT")), "Empregado do setor privado, exceto instituição financeira"_cp);
    r.txt("CDPRO", "212");
    EXPECT_TRUE(a.regras.quando(a, "CDPRO"));
    EXPECT_TRUE(a.regras.valida(a, "CDPRO"));
    EXPECT_EQ(rt::text::trim(r.txt("OCUPACAO")), "CONTADOR");
    EXPECT_FALSE(a.regras.quando(a, "OCUPACAO"));  // a code: the name is not typed

    r.txt("CODAT", "81");
    EXPECT_TRUE(a.regras.valida(a, "CODAT"));
    EXPECT_EQ(r.txt("CDPRO"), "   ");
    EXPECT_FALSE(a.regras.quando(a, "CDPRO"));
    EXPECT_FALSE(a.regras.valida(a, "CDPRO"));
  });
  // Only the table itself: no index file of the towns, here or in the work folder.
  std::set<std::string> municipios;
  for (const std::string& pasta : {p->ARQDEF, p->LOCTRAB})
    for (const auto& f : std::filesystem::directory_iterator(pasta)) {
      const std::string nome = rt::text::upper(f.path().filename().string());
      if (nome.find("MUNI") != std::string::npos) municipios.insert(nome);
    }
  EXPECT_EQ(municipios, std::set<std::string>{"TABMUNI.DBF"});
  EXPECT_TRUE(gravador.viu("O código 81 não tem a ocupaçao principal"_cp));
}

// The shipped towns on screen 6: a town typed exactly takes its code; one typed in part opens
// the state's list on the nearest town, and the town picked there is stored with its code.
TEST_F(Regras, AShippedTownIsFoundOrPickedWithItsCode) {
  novo(kNovo);
  term.press(key::Enter).pause();  // picks the town the list opens on
  termina('S');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& r = a.espelho().registro;
    for (auto [uf, nome, codigo] :
         {std::tuple{"DF", "Brasilia", "9701"}, std::tuple{"RJ", "rio de janeiro", "6001"}}) {
      r.txt("UF", uf);
      r.txt("MUNICIPIO", nome);
      EXPECT_TRUE(a.regras.valida(a, "UF"));
      EXPECT_EQ(r.txt("CODMUNI"), codigo) << uf;
    }
    r.txt("UF", "SP");
    r.txt("MUNICIPIO", "sao paul");
    EXPECT_TRUE(a.regras.valida(a, "UF"));
  });
  EXPECT_TRUE(gravador.viuJuntos("Nome dos municípios"_cp, "SAO PAULO"));
  EXPECT_FALSE(gravador.viu("SAO PAULO DE OLIVENCA"));  // a town of AM: the list holds SP's only
  EXPECT_EQ(texto("IMP0910", kNovo, "MUNICIPIO"), "SAO PAULO") << term.dump();
  EXPECT_EQ(texto("IMP0910", kNovo, "CODMUNI"), "7107");
}

// The estate and exit flags: an exit declaration is no final one; a final declaration needs
// the complete model and one quota at most and closes the voter's title; a final flag other
// than S or N is said and kept as N.
TEST_F(Regras, EstateAndExitFlags) {
  novo(kNovo);
  term.press(key::Enter);  // an exit flag X
  term.press('N');         // judicial decision? no: notarial
  term.type("cartorio do centro");
  term.press(key::Enter);
  term.press(key::Esc);    // leaves the estate's data
  term.press(key::Enter);  // a final flag X
  termina('S');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& r = a.espelho().registro;
    store::RegistroEspelho& t1 = a.espelho().tabela01;
    EXPECT_FALSE(a.regras.quando(a, "DECSAIDA"));  // no inventory holder
    t1.txt("CPFINVENT", std::string(kConjuge));
    EXPECT_TRUE(a.regras.quando(a, "DECSAIDA"));
    t1.txt("DECSAIDA", "X");
    EXPECT_FALSE(a.regras.valida(a, "DECSAIDA"));
    t1.txt("DECSAIDA", "S");
    EXPECT_TRUE(a.regras.valida(a, "DECSAIDA"));
    EXPECT_EQ(t1.txt("DECFINAL"), "N");
    EXPECT_FALSE(a.regras.quando(a, "DECFINAL"));
    EXPECT_TRUE(a.regras.quando(a, "DATASAIDA"));
    t1.txt("DECSAIDA", "N");
    r.txt("TITULO", "1234567890123");
    registroDe(a, "I13_29").num("I13_29", Decimal::fromInt(4));
    t1.txt("DECFINAL", "S");
    EXPECT_TRUE(a.regras.valida(a, "DECFINAL"));
    EXPECT_EQ(rt::text::trim(r.txt("TITULO")), "");
    EXPECT_EQ(registroDe(a, "USAPADRAO").txt("USAPADRAO"), "N");
    EXPECT_EQ(registroDe(a, "I13_29").num("I13_29"), Decimal::fromInt(1));
    EXPECT_EQ(t1.txt("DECJUDI"), "N");
    EXPECT_EQ(rt::text::trim(t1.txt("NOMECARTO")), "CARTORIO DO CENTRO");
    EXPECT_FALSE(a.regras.quando(a, "TITULO"));
    EXPECT_FALSE(a.regras.quando(a, "DECSAIDA"));
    t1.txt("DECFINAL", "X");
    EXPECT_TRUE(a.regras.valida(a, "DECFINAL"));
    EXPECT_EQ(t1.txt("DECFINAL"), "N");
    t1.txt("CPFINVENT", std::string(11, ' '));
    t1.txt("DECFINAL", " ");
  });
  EXPECT_TRUE(gravador.viu(" Informaçoes sobre o Encerramento do Espólio"_cp));
  EXPECT_TRUE(gravador.viu("Informe com Sim ou Nao se é uma declaraçao saida."_cp));
  EXPECT_TRUE(gravador.viu("Informe com 'S'(Sim) ou 'N'(Nao) se é uma declaracao final."));
}

// The court's district is longer than its place in the estate's dialog: it scrolls there
// and is kept whole, and the UF beside it and the frame stay as drawn.
TEST_F(Regras, EstateDistrictScrollsInItsPlace) {
  novo(kNovo);
  term.press('S');  // judicial decision
  term.type("123").press(key::Enter).type("2A").press(key::Enter);
  term.type("SAO JOSE DOS CAMPOS SUL").press(key::Enter).type("SP");
  term.press(key::Esc);
  termina('I');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& t1 = a.espelho().tabela01;
    t1.txt("CPFINVENT", std::string(kConjuge));
    t1.txt("DECFINAL", "S");
    EXPECT_TRUE(a.regras.valida(a, "DECFINAL"));
    EXPECT_EQ(rt::text::trim(t1.txt("COMARCA")), "SAO JOSE DOS CAMPOS SUL");
    EXPECT_EQ(t1.txt("UFPROCES"), "SP");
  });
  EXPECT_TRUE(gravador.viu("Comarca SAO JOSE DOS C"));
  EXPECT_FALSE(gravador.viu("SAO JOSE DOS CAMPOS"));
}

// Automatic debit: none without quotas; before April with any quota; in April only with more
// than one; afterwards never, and a flag already there is cleared.
TEST_F(Regras, AutomaticDebitDependsOnTheDateAndTheQuotas) {
  novo(kNovo);
  termina('S');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& r = a.espelho().registro;
    store::RegistroEspelho& q = registroDe(a, "I13_29");
    const auto em = [this](int mes, int dia) {
      relogio.set(rt::text::LocalTime{rt::text::Date::fromYmd(2010, mes, dia), 36000, 0});
    };
    const struct {
      int mes, dia, quotas;
      bool entra;
    } casos[] = {{3, 31, 0, false}, {3, 31, 1, true}, {4, 1, 1, false}, {4, 1, 2, true}, {4, 30, 2, true},
                 {5, 1, 2, false}};
    for (const auto& c : casos) {
      em(c.mes, c.dia);
      q.num("I13_29", Decimal::fromInt(c.quotas));
      r.txt("DEBITAUT", "S");
      EXPECT_EQ(a.regras.quando(a, "DEBITAUT"), c.entra) << c.mes << "/" << c.dia << " " << c.quotas;
    }
    EXPECT_EQ(r.txt("DEBITAUT"), " ");
    em(6, 20);
  });
}

// The spouse registered in the same folder: marking I9_4 brings the spouse's values (a
// complete model here), kept by the save.
TEST_F(Regras, TheSpouseValuesComeFromTheSpousesOwnDeclaration) {
  registraConjuge("N", "N");
  novo(kNovo);
  termina('S');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& r = a.espelho().registro;
    r.txt("CPFCONJU", std::string(kConjuge));
    EXPECT_TRUE(a.regras.quando(a, "I9_4"));
    r.txt("I9_4", "S");
    EXPECT_TRUE(a.regras.valida(a, "I9_4"));
    EXPECT_EQ(r.txt("CONJPAD"), "N");
    EXPECT_FALSE(a.regras.quando(a, "I9_5"));
  });
  EXPECT_EQ(numero(kNovo, "I13_1C"), Decimal::fromInt(50000));
  EXPECT_EQ(numero(kNovo, "I13_2C"), Decimal::fromInt(1000));
  EXPECT_EQ(numero(kNovo, "I13_3C"), Decimal::fromInt(2000));
  EXPECT_EQ(numero(kNovo, "I13_4C"), Decimal::fromInt(5000));  // 8000 - 3000
  EXPECT_EQ(numero(kNovo, "I9_2"), Decimal::fromInt(48000));
  EXPECT_EQ(numero(kNovo, "I9_3"), Decimal::fromInt(7000));
  EXPECT_EQ(texto("IMP0910", kNovo, "I9_4"), "S");
}

// The spouse's declaration kept in another registered folder: the link finds it there, brings
// its values (a simplified model here), remembers that folder, and the spouse's record learns
// this one's folder; while a second terminal holds that record, the values still come, the
// failed write is said and the record keeps what it had.
TEST_F(Regras, TheSpouseIsFoundInAnotherRegisteredFolder) {
  registraConjuge("S", "N");
  const std::string aqui = p->LOCARQ;
  const std::string outra = programa / "OUTRA";
  std::filesystem::create_directories(outra);
  for (const auto& f : std::filesystem::directory_iterator(aqui))
    if (f.is_regular_file()) std::filesystem::copy_file(f.path(), std::filesystem::path(outra) / f.path().filename());
  {
    // Here the spouse is no more.
    auto t = dados("IMP0910", kConjuge);
    ASSERT_TRUE(t && !t->eof() && t->lockRecord().isOk() && t->markDeleted().isOk() && t->close().isOk());
  }
  ASSERT_TRUE(store::registraPasta(*p, outra));
  const auto registroDoConjuge = [&] {
    auto t = rt::db::Table::open(outra + "/IMP0910.DBF");
    EXPECT_TRUE(t);
    for ((void)(*t)->goTop(); !(*t)->eof() && (*t)->getText("CPF") != kConjuge;) (void)(*t)->skip();
    EXPECT_FALSE((*t)->eof());
    return std::move(*t);
  };
  novo(kNovo);
  term.pause(std::chrono::milliseconds(1));
  term.press(key::Enter);  // the failed write
  termina('S');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& r = a.espelho().registro;
    r.txt("CPFCONJU", std::string(kConjuge));
    r.txt("I9_4", "S");
    {
      auto outro = registroDoConjuge();  // the second terminal
      ASSERT_TRUE(outro->lockRecord().isOk());
      EXPECT_TRUE(a.regras.valida(a, "I9_4"));
      EXPECT_EQ(r.num("I13_1C"), Decimal::fromInt(50000));
      EXPECT_EQ(rt::text::trim(registroDoConjuge()->getText("DIRCONJU")), "");
    }
    EXPECT_TRUE(gravador.viu("Aguardando registro ficar disponível no arquivo"_cp));
    EXPECT_TRUE(gravador.viu("A marca na declaração do cônjuge não foi gravada."_cp));
    r.txt("DIRCONJU", std::string(40, ' '));  // searched again through the registered folders
    EXPECT_TRUE(a.regras.valida(a, "I9_4"));
    EXPECT_EQ(r.num("I13_1C"), Decimal::fromInt(50000));
    EXPECT_EQ(r.num("I13_4C"), Decimal::fromInt(1000));
    EXPECT_EQ(r.num("I9_3"), Decimal::fromInt(7000));
    EXPECT_TRUE(store::mesmaPasta(a.ctx, std::string(rt::text::trim(r.txt("DIRCONJU"))), outra));
    EXPECT_EQ(a.ctx.LOCARQ, aqui);
  });
  EXPECT_EQ(numero(kNovo, "I13_1C"), Decimal::fromInt(50000));
  EXPECT_TRUE(store::mesmaPasta(*p, rt::text::trim(registroDoConjuge()->getText("DIRCONJU")), aqui));
}

// Both declarations may not bring the common assets. Removing the spouse's mark writes its
// record under the record lock: while a second terminal holds that record the link waits with
// the common message, then says the write failed; the spouse's record is untouched and this
// declaration keeps no half-brought values. Once free, the mark is removed.
TEST_F(Regras, TheSpousesMarkIsRemovedUnderItsRecordLock) {
  registraConjuge("S", "S");
  novo(kNovo);
  term.press('S');  // remove the other declaration's mark
  term.pause(std::chrono::milliseconds(1));
  term.press(key::Enter);  // the failure
  term.press('S');         // again, the record free
  termina('S');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& r = a.espelho().registro;
    r.txt("CPFCONJU", std::string(kConjuge));
    r.txt("I9_4", "S");
    {
      auto outro = dados("IMP0910", kConjuge);  // the second terminal
      ASSERT_TRUE(outro && outro->lockRecord().isOk());
      EXPECT_TRUE(a.regras.valida(a, "I9_4"));
      EXPECT_EQ(r.txt("I9_4"), "N");
      EXPECT_EQ(r.num("I9_2"), Decimal(0));
      auto visto = dados("IMP0910", kConjuge);
      EXPECT_EQ(visto->getText("I9_4"), "S");
      EXPECT_EQ(visto->getNumber("I9_2"), Decimal::fromInt(111));
    }
    EXPECT_TRUE(gravador.viu("Aguardando registro ficar disponível no arquivo"_cp));
    EXPECT_TRUE(gravador.viu("A marca na declaração do cônjuge não foi gravada."_cp));
    r.txt("I9_4", "S");
    EXPECT_TRUE(a.regras.valida(a, "I9_4"));
    EXPECT_EQ(r.num("I13_4C"), Decimal::fromInt(1000));  // simplified: 700 + 300
    EXPECT_EQ(r.num("I13_5C"), Decimal::fromInt(7000));  // 8000 - 1000
  });
  EXPECT_EQ(texto("IMP0910", kConjuge, "I9_4"), "N");
  EXPECT_EQ(numero(kConjuge, "I9_2"), Decimal(0));
  EXPECT_EQ(texto("IMP0910", kNovo, "I9_4"), "S");
}

// The spouse kept in a folder no register names: the search asks for it. Esc gives up and
// forgets the folder; a folder that does not exist is said, a relative name refused, a folder
// without the spouse (and without any register, where none is made) asked again; the folder
// typed with its drive letter, as stored under Windows, is found through the drive map.
TEST_F(Regras, TheSpousesFolderIsAskedWhenTheSpouseIsFoundNowhere) {
  registraConjuge("S", "N");
  const std::string aqui = p->LOCARQ;
  mudaConjuge("CONJ");
  const std::string vazia = programa / "VAZIA", nada = programa / "NADA";
  std::filesystem::create_directories(vazia);
  p->unidades.setDrive('F', programa.caminho());
  novo(kNovo);
  term.pause();
  term.press(key::F1);  // this folder's names, left alone
  term.pause();
  term.press(key::Esc);
  term.pause();
  term.press(key::F2);  // the registered folders, the same
  term.pause();
  term.press(key::Esc);
  term.pause();
  term.press(key::Esc);  // gives up
  term.pause();
  term.type(nada);
  term.press(key::Enter);
  term.pause();
  term.press(key::Enter);  // "inexistente"
  term.pause();
  term.type("dados");
  term.press(key::Enter);
  term.pause();
  term.press(key::Enter);  // no drive
  term.type(vazia);
  term.press(key::Enter);
  term.pause();
  term.type("F:\\CONJ");
  term.press(key::Enter);
  termina('S');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& r = a.espelho().registro;
    r.txt("CPFCONJU", std::string(kConjuge));
    r.txt("DIRCONJU", std::string("F:\\VELHA"));
    r.txt("I9_4", "S");
    gravador.esquece();
    EXPECT_TRUE(a.regras.valida(a, "I9_4"));
    EXPECT_FALSE(gravador.viu(aqui));  // the taxpayer page's folder is not drawn over the screen
    EXPECT_EQ(r.txt("DIRCONJU"), std::string(40, ' '));
    EXPECT_EQ(r.num("I13_1C"), Decimal(0));
    EXPECT_TRUE(gravador.viu("ATENÇAO!CPF do conjuge não localizado"_cp));
    EXPECT_TRUE(gravador.viu("Nome do Contribuinte"));
    EXPECT_TRUE(gravador.viu("Nome dos diretórios"_cp));
    EXPECT_EQ(r.txt("CPFCONJU"), kConjuge);

    EXPECT_TRUE(a.regras.valida(a, "I9_4"));
    EXPECT_EQ(rt::text::trim(r.txt("DIRCONJU")), "F:\\CONJ");
    EXPECT_EQ(r.num("I13_1C"), Decimal::fromInt(50000));
    EXPECT_EQ(r.num("I13_4C"), Decimal::fromInt(1000));
    EXPECT_EQ(r.num("I9_3"), Decimal::fromInt(7000));
    EXPECT_EQ(a.ctx.LOCARQ, aqui);
    EXPECT_FALSE(store::aberta(a.ctx.areas, store::Area::IMP0910));
  });
  EXPECT_TRUE(gravador.viu(std::string("Drive e/ou Diretório "_cp) + nada + " inexistente !!"));
  EXPECT_TRUE(gravador.viu("Especifique o drive com ':' após a letra"_cp));
  EXPECT_TRUE(arquivosEm(vazia).empty());
  EXPECT_FALSE(std::filesystem::exists(nada));
  EXPECT_EQ(numero(kNovo, "I13_1C"), Decimal::fromInt(50000));
  EXPECT_EQ(texto("IMP0910", kNovo, "DIRCONJU"), "F:\\CONJ");
}

// Opening a declaration marked to bring the spouse's values looks the spouse up again without a
// word: found through the folder stored (a drive letter), the values come; with the spouse's
// own declaration marked too, the taxpayer's own CPF as the spouse's, the spouse gone, or the
// folder stored holding no register, the values stored stay, nothing is asked and no file is
// made.
TEST_F(Regras, OpeningTheDeclarationBringsTheSpousesValuesQuietly) {
  registraConjuge("N", "N");
  novo(kNovo);
  termina('S');
  roda();
  const std::string aqui = p->LOCARQ;
  const std::string conj = mudaConjuge("CONJ");
  const std::string vazia = programa / "VAZIA";
  std::filesystem::create_directories(vazia);
  p->unidades.setDrive('F', programa.caminho());
  const struct {
    std::string_view caso, conjuge, pasta, marcaDoConjuge;
    bool apaga;
    int esperado;
  } casos[] = {
      {"found", kConjuge, "F:\\CONJ", "N", false, 48000},
      {"spouse marked too", kConjuge, "F:\\CONJ", "S", false, 123},
      {"folder without a register", kConjuge, "F:\\VAZIA", "N", false, 123},
      {"his own CPF, stored by an older version", kNovo, "", "N", false, 123},
      {"spouse gone", kConjuge, "F:\\CONJ", "N", true, 123},
  };
  for (const auto& c : casos) {
    gravaRegistro(aqui, kNovo, {{"CPFCONJU", std::string(c.conjuge)}, {"I9_4", std::string("S")},
                                {"DIRCONJU", std::string(c.pasta)}, {"I9_2", Decimal::fromInt(123)}});
    gravaRegistro(conj, kConjuge, {{"I9_4", std::string(c.marcaDoConjuge)}});
    if (c.apaga) {
      auto t = rt::db::Table::open(conj + "/IMP0910.DBF");
      ASSERT_TRUE(t);
      for ((void)(*t)->goTop(); !(*t)->eof() && (*t)->getText("CPF") != kConjuge;) (void)(*t)->skip();
      ASSERT_TRUE((*t)->lockRecord().isOk() && (*t)->markDeleted().isOk() && (*t)->close().isOk());
    }
    gravador.esquece();
    telas.clear();
    Decimal carregado = Decimal::fromInt(-1);
    std::string pasta;
    aoEntrar = [&](shell::Declara& d, int n) {
      if (telas.size() != 1) return;
      EXPECT_EQ(n, 1) << c.caso;
      carregado = d.dec.espelho.registro.num("I9_2");
      pasta = d.dec.espelho.registro.txt("DIRCONJU");
      EXPECT_EQ(p->LOCARQ, aqui) << c.caso;
    };
    abre(kNovo);
    termina('I');
    roda();
    EXPECT_EQ(carregado, Decimal::fromInt(c.esperado)) << c.caso;
    EXPECT_EQ(rt::text::trim(pasta), c.pasta) << c.caso;
    EXPECT_FALSE(gravador.viu("ATENÇAO!CPF"_cp)) << c.caso;
    EXPECT_FALSE(gravador.viu("Na declaração do conjugue"_cp)) << c.caso;
    EXPECT_EQ(numero(kNovo, "I9_2"), Decimal::fromInt(123)) << c.caso;  // ignored: nothing saved
  }
  EXPECT_TRUE(arquivosEm(vazia).empty());

  // On the screen that CPF is said, never taken for the spouse's record: its mark would be
  // offered for removal, and this declaration's own record written.
  aoEntrar = nullptr;
  abre(kNovo);
  term.press(key::F6);
  term.pause();
  term.press(key::Enter);
  termina('I');
  rodaCom(6, [&](AmbienteTela& a) {
    store::RegistroEspelho& r = a.espelho().registro;
    r.txt("CPFCONJU", std::string(kNovo));
    r.txt("I9_4", "S");
    EXPECT_TRUE(a.regras.valida(a, "I9_4"));
    EXPECT_EQ(r.num("I9_2"), Decimal::fromInt(123));
  });
  EXPECT_TRUE(gravador.viu("O CPF do cônjuge não pode ser o do próprio contribuinte."_cp));
  EXPECT_FALSE(gravador.viu("Na declaração do conjugue"_cp));
  EXPECT_EQ(texto("IMP0910", kNovo, "I9_4"), "S");
}

}  // namespace
}  // namespace screens::teste
