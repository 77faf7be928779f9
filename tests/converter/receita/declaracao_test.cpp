// The reader of the tax authority's files on its own: a file's bytes checked and mapped into
// rows held in memory, with the rows already there handed in and the clerk's answers given as
// a function. No data folder, no terminal.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "converter/receita/confere.h"
#include "converter/receita/declaracao.h"
#include "converter/receita/linhas.h"
#include "converter/receita/secoes.h"
#include "support/registros_receita.h"

namespace converter::teste {
namespace {

using rt::text::Date;
using rt::text::Decimal;

using namespace rt::text::literals;

const std::string kCpf = "11144477735";
const Decimal kValorDependente = 144.20_d;

// One file read as the converter reads it, into rows in memory.
struct Leitor {
  std::map<int, std::vector<Linha>> antes;  // the rows of each table already there
  rt::Status carrega = rt::Status::ok();    // what loading a table gives instead, when not ok
  std::set<std::string> retirados;          // the dependants the clerk takes off
  std::vector<std::string> perguntados;     // "name:code:birth year" of each dependant asked about
  Cabecalho cab;
  Linha registro;
  Tabelas tabelas{kCpf, [this](int n) -> rt::Result<std::vector<Linha>> {
                    if (!carrega) return carrega;
                    return antes[n];
                  }};

  rt::Status le(Modo modo, const std::vector<std::string>& arquivo) {
    std::string bytes;
    for (const std::string& l : arquivo) bytes += l + "\r\n";
    ConfereArquivo confere(modo);
    std::vector<std::string> linhas;
    for (std::string& l : linhasDe(bytes)) {
      if (!confere.linha(l).empty()) return rt::Status(rt::Error::kCorrupt, "check");
      if (confere.guarda()) linhas.push_back(std::move(l));
    }
    if (!confere.fim().empty()) return rt::Status(rt::Error::kCorrupt, "check");
    cab = leCabecalho(linhas[0]);
    Linha tabela1;
    if (modo == Modo::Declaracao) RT_TRY(leIdentificacao(linhas[1], cab, registro, tabela1));
    ConversaoDeclaracao c{cab, tabelas, registro, kValorDependente, [this](std::string_view nome, int codigo, Date nascimento) {
                            perguntados.push_back(std::string(nome) + ":" + std::to_string(codigo) + ":" +
                                                  std::to_string(nascimento.isEmpty() ? 0 : nascimento.year()));
                            return !retirados.contains(std::string(nome));
                          }};
    return leRegistros(modo, c, linhas, tabela1);
  }
  std::vector<Linha> tabela(int n) {
    auto t = tabelas.linhas(n);
    return t ? **t : std::vector<Linha>{};
  }
};

std::vector<std::string> declaracao(std::string_view ano, std::vector<std::string> registros) {
  std::vector<std::string> linhas = {cabecalho("DECL", ano), identificacao(kCpf, "ANA")};
  linhas.insert(linhas.end(), registros.begin(), registros.end());
  return linhas;
}

// Every subject's table names sections of the one order (campos.h), before the gains, none
// twice; the order's sections no subject takes are only read and passed over.
TEST(LeitorReceita, SubjectTablesFollowTheSectionOrder) {
  std::set<std::string_view> daOrdem, vistos;
  for (const Secao& s : secoesDeclaracao()) {
    if (s.registro == secoesGanhos().front().registro) break;
    daOrdem.insert(s.registro);
  }
  for (auto tabela : {Secoes::identificacao, Secoes::rendimentos, Secoes::dependentes, Secoes::pagamentos,
                      Secoes::bens, Secoes::rendaVariavel, Secoes::rural})
    for (const Tratamento& t : tabela()) {
      EXPECT_TRUE(daOrdem.contains(t.registro)) << t.registro;
      EXPECT_TRUE(vistos.insert(t.registro).second) << t.registro << " twice";
      EXPECT_NE(t.trata, nullptr) << t.registro;
      EXPECT_NE(t.anos & kAmbos, 0u) << t.registro;
    }
  std::set<std::string_view> soLidos;
  for (std::string_view r : daOrdem)
    if (!vistos.contains(r)) soLidos.insert(r);
  EXPECT_EQ(soLidos, (std::set<std::string_view>{"18", "20", "43"}));
}

// A declaration of this year: payers, dependants under the clerk's age answers and numbered as
// kept, a payment tied to a dependant renumbered with him, assets replacing those there; one of
// last year keeps the assets there, adds its own at last year's closing value, and passes over
// what only this year's files map (the payers' months, record 22).
TEST(LeitorReceita, DeclarationBecomesRowsWithoutAContext) {
  const std::vector<std::string> registros = {
      Reg("21").t(12, "11222333000181").t(26, "EMPRESA ALFA").v(86, 5000000),
      Reg("22").t(12, "N").t(24, "01").v(26, 100000),
      Reg("25").t(12, "00001").t(17, "21").t(19, "FILHO VELHO").t(79, "01011980"),
      Reg("25").t(12, "00002").t(17, "11").t(19, "FILHA").t(79, "05052000"),
      Reg("25").t(12, "00003").t(17, "22").t(19, "SEM DATA"),
      Reg("26").t(12, "01").t(14, "00002").t(19, "12345678901").t(33, "CLINICA").v(104, 300000),
      Reg("27").t(12, "11").t(14, "0").t(15, "000").t(18, "CASA").v(530, 100000).v(543, 200000)};
  Linha velho;
  velho.poe("I7_2", std::string("BEM DE ANTES"));
  for (const char* ano : {"2010", "2009"}) {
    SCOPED_TRACE(ano);
    Leitor l;
    l.antes[4] = {velho};
    l.retirados = {"FILHO VELHO"};
    ASSERT_TRUE(l.le(Modo::Declaracao, declaracao(ano, registros))) << ano;
    const bool de2010 = std::string_view(ano) == "2010";
    EXPECT_EQ(l.registro.texto("CPF"), kCpf);
    EXPECT_EQ(l.registro.texto("TEMRURAL"), "N");
    EXPECT_EQ(l.tabela(1).size(), 1u);

    std::vector<std::string> pagadores;
    for (const Linha& p : l.tabela(2)) pagadores.push_back(p.texto("I1_1") + ":" + p.texto("I1_2"));
    EXPECT_EQ(pagadores, (de2010 ? std::vector<std::string>{"J:EMPRESA ALFA", "F:Diversas fontes pagadoras"}
                                 : std::vector<std::string>{"J:EMPRESA ALFA"}));

    EXPECT_EQ(l.perguntados, (std::vector<std::string>{"FILHO VELHO:21:1980", "FILHA:11:2000", "SEM DATA:22:0"}));
    std::vector<std::string> dependentes;
    for (const Linha& d : l.tabela(3))
      dependentes.push_back(d.texto("NOMEDEPEN") + ":" + std::to_string(d.valor("NRODEPEN").wholePart()) + ":" +
                            d.texto("CPF"));
    EXPECT_EQ(dependentes, (std::vector<std::string>{"FILHA:1:" + kCpf, "SEM DATA:2:" + kCpf}));

    const std::vector<Linha> pagamentos = l.tabela(6);
    ASSERT_EQ(pagamentos.size(), 1u);
    // This year's file ties the payment to the dependant by his number in the file: the
    // second, kept as the first, and the code of a dependant's payment.
    EXPECT_EQ(pagamentos[0].valor("I6_6"), Decimal(de2010 ? 1 : 2));
    EXPECT_EQ(pagamentos[0].valor("I6_3"), Decimal(de2010 ? 3 : 1));

    std::vector<std::string> bens;
    for (const Linha& b : l.tabela(4)) bens.push_back(b.texto("I7_2") + ":" + b.valor("I7_3").toString(2));
    EXPECT_EQ(bens, (de2010 ? std::vector<std::string>{"CASA:1000.00"}
                            : std::vector<std::string>{"BEM DE ANTES:0.00", "CASA:2000.00"}));
    EXPECT_TRUE(l.tabelas.mudadas().contains(4));
  }
}

// What the reader refuses, each with what it said: a record left over after the sections (out
// of the order), and a table whose rows could not be loaded (the error as it came).
TEST(LeitorReceita, RefusesWhatItCannotMap) {
  {
    Leitor l;
    std::vector<std::string> linhas;
    for (const std::string& s : declaracao("2010", {Reg("27").t(12, "11").t(18, "CASA").v(543, 100)}))
      linhas.push_back(s);
    ConfereArquivo confere(Modo::Declaracao);
    for (const std::string& s : linhas) ASSERT_TRUE(confere.linha(s).empty());
    // Past the check, a record before one of an earlier section stays over.
    linhas.push_back(Reg("21").t(12, "11222333000181").t(26, "TARDE"));
    l.cab = leCabecalho(linhas[0]);
    Linha tabela1;
    ASSERT_TRUE(leIdentificacao(linhas[1], l.cab, l.registro, tabela1));
    ConversaoDeclaracao c{l.cab, l.tabelas, l.registro, kValorDependente};
    const rt::Status s = leRegistros(Modo::Declaracao, c, linhas, tabela1);
    EXPECT_EQ(s.code(), rt::Error::kCorrupt);
    EXPECT_EQ(s.detail(), "Linha 4, registro 21: fora da ordem dos registros");
  }
  {
    Leitor l;
    l.carrega = rt::Status(rt::Error::kInUse, "table 1");
    const rt::Status s = l.le(Modo::Declaracao, declaracao("2010", {}));
    EXPECT_EQ(s.code(), rt::Error::kInUse);
    EXPECT_EQ(s.detail(), "table 1");
  }
}

}  // namespace
}  // namespace converter::teste
