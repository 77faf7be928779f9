// The line reader and the one table of fixed-column fields, walked whole.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <set>

#include "converter/receita/campos.h"
#include "converter/receita/declaracao.h"
#include "converter/receita/linhas.h"
#include "support/scratch_dir.h"

namespace converter::teste {
namespace {

using rt::text::Date;
using rt::text::Decimal;

std::vector<std::string> peloArquivo(const std::string& bytes) {
  support::Pasta p("receita");
  const std::string caminho = p / "L.DEC";
  std::ofstream(caminho, std::ios::binary) << bytes;
  LeitorLinhas l(caminho);
  std::vector<std::string> v;
  while (auto linha = l.LELINHA()) v.push_back(*linha);
  EXPECT_TRUE(l.erro());
  return v;
}

// Line ends of both systems, a NUL that ends a line, a last line without a line feed, a CR
// that is not before a line feed, and a line longer than the reader's buffer: the file and
// the same bytes in memory give the same lines.
TEST(LeitorLinhas, LinesEndAtLineFeedNulOrEndOfFile) {
  const std::string longa(200000, 'x');
  const struct {
    std::string bytes;
    std::vector<std::string> linhas;
  } casos[] = {
      {"", {}},
      {"A\r\nB\nC", {"A", "B", "C"}},
      {"A\r\r\nB\r", {"A\r", "B\r"}},
      {std::string("16ABC\0DEF\n", 10), {"16ABC", "DEF"}},
      {"\n\n", {"", ""}},
      {longa + "\r\n27" + longa, {longa, "27" + longa}},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(linhasDe(c.bytes), c.linhas) << c.bytes.size();
    EXPECT_EQ(peloArquivo(c.bytes), c.linhas) << c.bytes.size();
  }
  LeitorLinhas falta("/nao/existe/L.DEC");
  EXPECT_FALSE(falta.aberto());
  EXPECT_EQ(falta.erro().sysError(), ENOENT);
}

// The limits of a declaration's reader: a line at the limit passes (its carriage return does
// not count), one character more stops the reading, as does a file longer than its limit.
TEST(LeitorLinhas, StopsAtTheLongestLineAndTheLargestFile) {
  support::Pasta p("receita");
  auto le = [&](const std::string& bytes, std::size_t arquivo) {
    const std::string caminho = p / "L.DEC";
    std::ofstream(caminho, std::ios::binary | std::ios::trunc) << bytes;
    LeitorLinhas l(caminho, {.linha = 10, .arquivo = arquivo});
    std::vector<std::string> v;
    while (auto linha = l.LELINHA()) v.push_back(*linha);
    return std::pair{v, l.excesso()};
  };
  using E = LeitorLinhas::Excesso;
  EXPECT_EQ(le("0123456789\r\nABC", 100), (std::pair{std::vector<std::string>{"0123456789", "ABC"}, E::Nenhum}));
  EXPECT_EQ(le("0123456789\r\n01234567890\nX", 100), (std::pair{std::vector<std::string>{"0123456789"}, E::Linha}));
  EXPECT_EQ(le("A\n" + std::string(20, 'B'), 100), (std::pair{std::vector<std::string>{"A"}, E::Linha}));
  EXPECT_EQ(le(std::string(30, '\n'), 29).second, E::Arquivo);
  EXPECT_EQ(le(std::string(30, '\n'), 30).second, E::Nenhum);
}

// Every field of the table is read at its own columns and in its own form: a line holding
// only that field's value gives it back; a line cut before the field reads it blank; the
// fields of one record and year never overlap, but for the few the layouts overlay.
TEST(CamposFixos, EveryFieldReadsAtItsColumns) {
  std::map<std::pair<std::string, unsigned>, std::vector<const CampoFixo*>> porRegistro;
  for (const CampoFixo& c : camposFixos()) {
    ASSERT_GT(c.largura, 0);
    ASSERT_GE(c.posicao, -1) << c.registro << " " << c.alvo;
    std::string linha(static_cast<std::size_t>(c.posicao + 1 + c.largura + 5), ' ');
    linha.replace(0, 2, std::string(c.registro).substr(0, 2));
    std::string dado;
    switch (c.conversao) {
      case Conversao::Data:
        dado = "25122009";
        break;
      case Conversao::Texto:
      case Conversao::Convertido:
      case Conversao::Pontuado:
        dado = std::string(static_cast<std::size_t>(c.largura - 1), '9') + "7";
        break;
      default:
        dado = std::string(static_cast<std::size_t>(c.largura - 1), '0') + "7";
    }
    linha.replace(static_cast<std::size_t>(c.posicao + 1), dado.size(), dado);
    auto v = leCampo(linha, c);
    ASSERT_TRUE(v) << c.registro << " " << c.alvo;
    auto cortado = leCampo(std::string(linha.substr(0, static_cast<std::size_t>(std::max(c.posicao + 1, 0)))), c);
    ASSERT_TRUE(cortado) << c.registro << " " << c.alvo;
    switch (c.conversao) {
      case Conversao::Data:
        EXPECT_EQ(std::get<Date>(*v), Date::fromYmd(2009, 12, 25)) << c.alvo;
        EXPECT_TRUE(std::get<Date>(*cortado).isEmpty());
        break;
      case Conversao::Texto:
      case Conversao::Convertido:
        EXPECT_EQ(std::get<std::string>(*v), dado) << c.alvo;
        EXPECT_EQ(std::get<std::string>(*cortado), "");
        break;
      case Conversao::Pontuado:
        EXPECT_NE(std::get<std::string>(*v).find('7'), std::string::npos) << c.alvo;
        break;
      case Conversao::NumeroTexto:
        EXPECT_EQ(std::get<std::string>(*v), std::string(static_cast<std::size_t>(c.largura - 1), ' ') + "7");
        EXPECT_EQ(std::get<std::string>(*cortado), "");
        break;
      default: {
        const int casas = c.conversao == Conversao::Valor     ? 2
                          : c.conversao == Conversao::Decimos ? 1
                          : c.conversao == Conversao::Milesimos ? 3
                          : c.conversao == Conversao::DezMilesimos ? 4
                                                                   : 0;
        Decimal esperado = 7;
        for (int k = 0; k < casas; ++k) esperado = esperado / Decimal(10);
        EXPECT_EQ(std::get<Decimal>(*v), esperado) << c.registro << " " << c.alvo;
        EXPECT_EQ(std::get<Decimal>(*cortado), Decimal()) << c.alvo;
      }
    }
    for (unsigned ano : {unsigned{k2009}, unsigned{k2010}, unsigned{kGanhos}})
      if ((c.anos & ano) != 0) porRegistro[{std::string(c.registro), ano}].push_back(&c);
  }
  // Overlays the layouts make: the header's kind inside its program id, record 68's month
  // inside its cost (layout 0).
  const std::set<std::string> sobrepostos = {"HD cdecl programa", "HD programa cdecl", "68 mes VALOR_CUST", "68 VALOR_CUST mes"};
  for (const auto& [chave, campos] : porRegistro)
    for (const CampoFixo* a : campos)
      for (const CampoFixo* b : campos) {
        if (a == b || a->alvo == b->alvo) continue;
        const bool cruza = a->posicao < b->posicao + b->largura && b->posicao < a->posicao + a->largura;
        if (cruza) {
          EXPECT_TRUE(sobrepostos.count(chave.first + " " + std::string(a->alvo) + " " + std::string(b->alvo)))
              << chave.first << "/" << chave.second << ": " << a->alvo << " and " << b->alvo;
        }
      }
}

// Amounts that are no numbers are refused; blanks, a sign and leading blanks are not; the
// receipts get their two check digits, a blank receipt stays blank.
TEST(CamposFixos, BadAmountsAndReceipts) {
  const CampoFixo valor{"21", kAmbos, 1, 13, "I1_4", Conversao::Valor};
  for (const char* ruim : {"00000001O0000", "0000000,10000", "000000001.000", "0000000-10000"})
    EXPECT_FALSE(leCampo(std::string("21") + ruim, valor)) << ruim;
  EXPECT_EQ(std::get<Decimal>(*leCampo("21             ", valor)), Decimal());
  EXPECT_EQ(std::get<Decimal>(*leCampo("21       123456", valor)), Decimal::parse("1234.56").value());
  EXPECT_EQ(std::get<Decimal>(*leCampo("21-000000012345", valor)), Decimal::parse("-123.45").value());
  EXPECT_FALSE(leCampo("219999999999999999999", CampoFixo{"21", kAmbos, 1, 19, "x", Conversao::Valor}));

  EXPECT_EQ(reciboComDigitos("          "), std::string(12, ' '));
  const std::string r = reciboComDigitos("1234567890");
  ASSERT_EQ(r.size(), 12u);
  // Each digit over everything before it: weights from the length + 1 down to 2.
  auto digito = [](std::string_view s) {
    int soma = 0, peso = static_cast<int>(s.size()) + 1;
    for (char c : s) soma += (c - '0') * peso--;
    const int d = 11 - soma % 11;
    return static_cast<char>('0' + (d > 9 ? 0 : d));
  };
  EXPECT_EQ(r[10], digito(r.substr(0, 10)));
  EXPECT_EQ(r[11], digito(r.substr(0, 11)));
  const Cabecalho c = leCabecalho(std::string("ESPLIRPF2010") + std::string(200, ' '));
  EXPECT_EQ(c.cdecl, "ESPL");
  EXPECT_EQ(c.anos, unsigned{k2010});
  EXPECT_EQ(c.reciboAtu, std::string(12, ' '));
  EXPECT_EQ(leCabecalho("DECLIRPF2011").anos, 0u);
}

// What the fuzz target does, on a fixed set of damaged files in every build: lines of every
// record type cut anywhere, with NULs, letters and signs where amounts belong. Nothing throws
// or reads out of its line; a refused record is only kCorrupt.
TEST(CamposFixos, DamagedRecordsAreRefusedNeverCrash) {
  std::mt19937 sorte(41);
  std::set<std::string> tipos;
  for (const CampoFixo& c : camposFixos()) tipos.insert(std::string(c.registro).substr(0, 2));
  const char kLixo[] = "0123456789 -+.,AZaz\r\xC7\xE3";
  const std::string lixo = std::string(kLixo, sizeof kLixo - 1) + std::string(1, '\0');
  for (int vez = 0; vez < 3000; ++vez) {
    std::string bytes;
    for (int l = 0; l < 4; ++l) {
      auto t = tipos.begin();
      std::advance(t, static_cast<long>(sorte() % tipos.size()));
      bytes += *t;
      const std::size_t tamanho = sorte() % 700;
      for (std::size_t k = 0; k < tamanho; ++k) bytes += sorte() % 4 == 0 ? lixo[sorte() % lixo.size()] : '0';
      bytes += sorte() % 2 ? "\r\n" : "\n";
    }
    const auto linhas = linhasDe(bytes);
    ASSERT_FALSE(linhas.empty());
    (void)leCabecalho(linhas[0]);
    for (const std::string& l : linhas)
      for (unsigned ano : {unsigned{k2009}, unsigned{k2010}, unsigned{kGanhos}}) {
        auto r = leRegistro(l, colunas(l, -1, 2), ano);
        if (!r) {
          EXPECT_EQ(r.code(), rt::Error::kCorrupt);
        }
      }
  }
}

}  // namespace
}  // namespace converter::teste
