// The office's reports over a register of four taxpayers: the fee list, the register
// listings (short, complete, labels) in two orders with filters, an income statement and
// each model of diskette labels, against the expected pages kept in tests/print/paginas.
#include <gtest/gtest.h>

#include <algorithm>

#include "declaracao_impressa.h"
#include "print/escritorio.h"
#include "rt/term/keys.h"
#include "store/abertura.h"
#include "store/arquivos.h"

namespace {

using print_test::Campos;
using print_test::LinhaDeTabela;
using rt::text::Date;
using rt::text::Decimal;

Decimal v(const char* texto) { return Decimal::val(texto); }
std::string s(const char* t) { return t; }

class Escritorio : public print_test::FolhasFixture {
 protected:
  Escritorio() {
    contribuinte("11144477735", "MARIA DA SILVA", 1200, 50000, "1500", "100", 3, Date::fromYmd(1960, 4, 17),
                 {{"COMPLEM", s("APTO 1203 BLOCO C TORRE NORTE")}, {"SENACESSO", s("SEGREDO")}, {"CODACESSO", Decimal(123456)},
                  {"I13_29", Decimal(3)}, {"ENDERECO", s("DOUTOR CAMPOS SALLES DE MELLO FRANCO")}});
    contribuinte("22233344405", "ANTONIO ALVES", 600, 10000, "-350.5", "80", 2, Date::fromYmd(1971, 9, 2), {});
    contribuinte("33344455566", "CARLA BENTO", 0, 0, "0", "0", 5, Date::fromYmd(1985, 4, 30), {{"IMPRE", s("S")}});
    contribuinte("44455566677", "BRUNO COSTA", 3000, 120000, "-20", "250", 3, Date::fromYmd(1990, 12, 1), {});
  }

  void contribuinte(const char* cpf, const char* nome, int segundos, int bytes, const char* imposto, const char* cobrado,
                    int estatus, Date nascimento, Campos mais) {
    Campos c{{"NOMECONTR", s(nome)}, {"TEM_USO", Decimal(segundos)}, {"TAM_USO", Decimal(bytes)},
             {"IMPPGRE", v(imposto)}, {"VALOREC", v(cobrado)}, {"ESTATUS", Decimal(estatus)},
             {"NASCIMENTO", nascimento}, {"TIPOEND", s("RUA")}, {"ENDERECO", s("DAS FLORES")},
             {"NUMERO", s("120")}, {"BAIRRO", s("CENTRO")}, {"MUNICIPIO", s("CAMPINAS")}, {"UF", s("SP")},
             {"CEP", s("13010000")}, {"TELEFO", s("32345678")}};
    // A field given again replaces the common one.
    for (auto& [campo, valor] : mais) {
      auto it = std::find_if(c.begin(), c.end(), [&](const auto& p) { return p.first == campo; });
      if (it != c.end()) it->second = valor;
      else c.push_back({campo, valor});
    }
    declara(cpf, {{9, c}});
  }

  void numero(const char* n) { term.pause().press(25).type(n).press(rt::term::key::Enter); }

  std::vector<print_test::Pagina> roda(int QUEIMP, int QUEMOD, int QUECON, const std::string& cpf = {}) {
    print::Escolhas esc;
    esc.QUEIMP = QUEIMP;
    esc.QUEMOD = QUEMOD;
    esc.QUECON = QUECON;
    const print::ServicosImpressao srv = print::folhasDaDeclaracao([esc] { return esc; });
    (void)print::FAZIMP(ctx, imp, esc, srv, semAmbiente, cpf);
    (void)ctx.areas.closeAll();
    // The data folder is a scratch folder: the pages name it "<PASTA>".
    auto ps = print_test::paginas(print_test::le(trabalhoLinux() + "RELATOR.TXT"));
    for (auto& p : ps)
      for (std::string& l : p)
        if (const auto k = l.find(ctx.LOCARQ); k != std::string::npos) l.replace(k, ctx.LOCARQ.size(), "<PASTA>/");
    return ps;
  }
};

TEST_F(Escritorio, FeeListWithTheMinimumFeeAndTotals) {
  const auto ps = roda(11, 1, 3);
  ASSERT_EQ(ps.size(), 1u);
  confere(ps, "precos");
  // Only the marked ones; with no declaration done the averages stay blank.
  const auto marcados = roda(11, 1, 2);
  ASSERT_EQ(marcados.size(), 1u);
  EXPECT_EQ(marcados[0].back(), "MEDIAS.......");
}

TEST_F(Escritorio, RegisterListingsInTwoOrdersWithFilters) {
  // Short listing by name, every status and tax.
  term.type("2").type("T").type("T");
  numero("1");
  confere(roda(12, 2, 3), "cadastro_resumido_nome");
  // Complete listing by the tax, statuses 3 to 5, refunds only.
  term.type("5").type("F");
  numero("3");
  numero("5");
  term.type("R");
  confere(roda(12, 2, 3), "cadastro_completo_imposto");
  // Address labels by birth month, April to December, every status and tax.
  term.type("4").press(rt::term::key::Down).press(rt::term::key::Down).press(rt::term::key::Enter);
  numero("4");
  numero("12");
  term.type("T").type("T");
  confere(roda(12, 1, 3), "cadastro_etiquetas_mes");
  // Nobody left by the filters: said, nothing printed; the cancel choice prints nothing.
  term.type("1").type("F");
  numero("6");
  numero("9");
  term.type("T").press(rt::term::key::Enter);
  EXPECT_TRUE(roda(12, 1, 3).front().empty());
  EXPECT_TRUE(term.contains("Nao houve contribuinte nas condi"));
  term.type("7");
  EXPECT_TRUE(roda(12, 1, 3).front().empty());
}

TEST(SelecionaCadastro, StableOrderOnEqualKeysAndTheTaxFilters) {
  std::vector<print::LinhaCadastro> l(4);
  const char* impostos[] = {"0", "-5", "7", "-5"};
  for (std::uint32_t i = 0; i < 4; ++i) {
    l[i].registro = i + 1;
    l[i].IMPPGRE = Decimal::val(impostos[i]);
  }
  print::EscolhasCadastro e;
  e.OPC_IND = 5;
  auto regs = [](const std::vector<print::LinhaCadastro>& v) {
    std::string r;
    for (const auto& c : v) r += std::to_string(c.registro);
    return r;
  };
  EXPECT_EQ(regs(print::selecionaCadastro(l, e, 3)), "2413");
  for (auto [sep, esperado] : {std::pair{2, "1"}, {3, "24"}, {4, "3"}}) {
    e.SEPIMP = sep;
    EXPECT_EQ(regs(print::selecionaCadastro(l, e, 3)), esperado) << sep;
  }
}

TEST_F(Escritorio, IncomeStatementOfAPayingSource) {
  // Without FOLHAPG in the program folder nothing prints.
  term.pause().press(25).type("ANA CONTADORA").press(rt::term::key::Enter);
  term.press(rt::term::key::Enter);
  EXPECT_TRUE(roda(13, 1, 1, "11144477735").front().empty());
  EXPECT_FALSE(store::existe(ctx, ctx.ARQDEF + "FOLHAPG.DBF")) << "the check makes no table";

  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::FOLHAPG));
  rt::db::Table& t = *ctx.areas.table(store::Area::FOLHAPG);
  for (const char* cpf : {"11144477735", "22233344405"}) {
    ASSERT_TRUE(t.appendBlank());
    for (const auto& [campo, valor] : Campos{{"CPF", s(cpf)}, {"NOMEFONTE", s("EMPRESA ALFA LTDA")},
                                             {"CNPJFONTE", s("12.345.678/0001-90")}, {"RENDIMENT", v("48000")},
                                             {"PREVOFICA", v("4400")}, {"IRRETIDO", v("3100.25")}, {"DECIMO3RO", v("4000")},
                                             {"OUTROS", s("BOLSA ESTUDO")}, {"VALOUTRO", v("1200")},
                                             {"COMPLENTA", s("PLANO DE SAUDE 2.400,00")}})
      ASSERT_TRUE(t.put(campo, valor));
  }
  ASSERT_TRUE(t.flush());
  ASSERT_TRUE(ctx.areas.close(store::Area::FOLHAPG));
  term.pause().press(25).type("ANA CONTADORA").press(rt::term::key::Enter);
  const auto ps = roda(13, 1, 1, "11144477735");
  ASSERT_EQ(ps.size(), 1u);
  confere(ps, "comprovante");
}

TEST_F(Escritorio, EachModelOfDisketteLabels) {
  for (int modelo = 1; modelo <= 4; ++modelo)
    confere(roda(14, modelo, 3), "etiquetas_modelo" + std::to_string(modelo));
  // One taxpayer: every label of the row is hers.
  const auto uma = roda(14, 4, 1, "22233344405");
  EXPECT_EQ(uma[0][6], "ANTONIO ALVES               ANTONIO ALVES               ANTONIO ALVES");
}

}  // namespace
