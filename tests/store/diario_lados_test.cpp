// The rural tables hold a taxpayer's rows on two sides (ATV_BRASIL "S" and "N"). Replacing
// them is still all or nothing for the taxpayer: both sides, his other tables and his register
// row go through one journal, and a journal of one side that an older save left is completed.
// Whatever rows the tables had, the rows written stand in the order given.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "declaracao_fixture.h"
#include "rt/db/file.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/diario_gravacao.h"
#include "store/transfere.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

const std::string kA = "11111111111", kB = "22222222222";
constexpr int kRegistro = numero(Area::IMP0910);
constexpr int kBens = numero(Area::IMP0410);
// The tables written: assets, the five rural ones and the register, last.
const std::vector<int> kTabelas = {kBens, 15, 16, 17, 18, 19, kRegistro};

class DiarioLadosTest : public StoreFixture {
 protected:
  void preenche() {
    ctx.NUSU = "07";
    preencheDeclaracoes(ctx, {kA, kB}, 2);
    for (int n : kTabelas) antigas[n] = ordenadas(kB, n);
  }
  std::string dbf(int n) { return caminho(ctx, comExtensao(arquivoTabela(ctx, *tabela(static_cast<Area>(n))), ".DBF")); }
  std::vector<std::string> ordenadas(const std::string& cpf, int n) {
    std::vector<std::string> v = marcasNaTabela(ctx, n, cpf);
    std::sort(v.begin(), v.end());
    return v;
  }
  TabelaDiario linhas(int n, const std::string& cpf, const Marcas& marcas) {
    return linhasComMarca(ctx, n, cpf, marcas);
  }
  // The rows of every table's indexes agree with the table.
  void indicesCertos() {
    for (int n : kTabelas) {
      auto t = abre(dbf(n));
      for (const IndiceDef& i : indicesDe(ctx, *tabela(static_cast<Area>(n))))
        ASSERT_TRUE(t->openIndex(caminho(ctx, comExtensao(i.arquivo, ".CDX")), i.chave)) << n;
      for (int o = 1; o <= t->orderCount(); ++o) EXPECT_TRUE(t->checkOrder(o)) << "table " << n << " order " << o;
    }
  }

  std::map<int, std::vector<std::string>> antigas;
};

// Where the child is killed: halfway through writing the journal, or at the k-th call of the
// journal's `antes` (before a table is opened) or `meio` (half its rows written).
struct Morte {
  const char* nome;
  bool diario;
  int antes, meio;
};

void PrintTo(const Morte& m, std::ostream* o) { *o << m.nome; }

class DiarioLadosMorteTest : public DiarioLadosTest, public ::testing::TestWithParam<Morte> {};

// The taxpayer's register row (rural), his assets, and rural rows on both sides where he had
// only "S" rows: killed anywhere, the next start leaves all of it or none of it.
TEST_P(DiarioLadosMorteTest, AKillLeavesBothSidesAndTheRegisterAllOrNothing) {
  preenche();
  const Morte morte = GetParam();
  std::vector<TabelaDiario> tabelas = {linhas(kBens, kB, {{"", "BEM NOVO"}})};
  std::map<int, std::vector<std::string>> novas = {{kBens, {"BEM NOVO"}}, {kRegistro, {"REG NOVO"}}};
  for (int n = 15; n <= 19; ++n) {
    const std::string t = std::to_string(n);
    // The "S" side shrinks (16-19) and the "N" side is new.
    std::vector<std::pair<std::string, std::string>> m = {{"S", "S" + t}, {"N", "N" + t + "A"}};
    if (n > 15) m.emplace_back("N", "N" + t + "B");
    tabelas.push_back(linhas(n, kB, m));
    for (const auto& [lado, marca] : m) novas[n].push_back(marca);
    std::sort(novas[n].begin(), novas[n].end());
  }
  tabelas.push_back(linhas(kRegistro, kB, {{"", "REG NOVO"}}));

  const pid_t filho = fork();
  if (filho == 0) {
    int antes = 0, meio = 0;
    GanchosGravacao g;
    g.diarioMeio = [&] {
      if (morte.diario) ::raise(SIGKILL);
    };
    g.antes = [&](Area) {
      if (++antes == morte.antes) ::raise(SIGKILL);
    };
    g.meio = [&](Area) {
      if (++meio == morte.meio) ::raise(SIGKILL);
    };
    _exit(gravaLinhas(ctx, dados.caminho(), Cpf(kB), tabelas, g) ? 0 : 5);
  }
  int status = 0;
  ASSERT_EQ(waitpid(filho, &status, 0), filho);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "not killed: status " << status;

  EXPECT_EQ(recuperaDiarios(ctx), 1);
  EXPECT_FALSE(rt::db::fileExists(caminhoDiario(ctx, kB)));
  for (int n : kTabelas) {
    EXPECT_EQ(ordenadas(kB, n), morte.diario ? antigas[n] : novas[n]) << "table " << n;
    EXPECT_EQ(marcasNaTabela(ctx, n, kA).size(), n == kRegistro || n == 15 ? 1U : 2U) << "the other taxpayer, table " << n;
  }
  indicesCertos();
}

// Entries in the order written: assets, then per rural table its "N" and "S" sides, then
// the register (12 in all, each with rows).
INSTANTIATE_TEST_SUITE_P(Pontos, DiarioLadosMorteTest,
                         ::testing::Values(Morte{"journal", true, 0, 0}, Morte{"beforeAssets", false, 1, 0},
                                           Morte{"firstRuralSide", false, 2, 0}, Morte{"betweenSides", false, 3, 0},
                                           Morte{"halfRural", false, 0, 7}, Morte{"lastRuralSide", false, 11, 0},
                                           Morte{"halfRegister", false, 0, 12}),
                         [](const auto& i) { return std::string(i.param.nome); });

void poe(std::string& s, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A journal as saves wrote it when each side of the rural tables had a journal of its own:
// "TVJNL001", the side in the header only.
std::string diarioUmLado(const std::string& cpf, char lado, const std::vector<TabelaDiario>& tabelas) {
  std::string s = "TVJNL001" + cpf + lado;
  poe(s, tabelas.size(), 4);
  for (const TabelaDiario& t : tabelas) {
    poe(s, static_cast<std::uint64_t>(t.numero), 1);
    poe(s, t.campos.size(), 2);
    std::size_t tamanho = 0;
    for (const rt::db::FieldDef& f : t.campos) {
      std::string nome = f.name;
      nome.resize(11, '\0');
      s += nome;
      s.push_back(f.type);
      poe(s, static_cast<std::uint64_t>(f.width), 2);
      poe(s, static_cast<std::uint64_t>(f.decimals), 1);
      tamanho += static_cast<std::size_t>(f.width);
    }
    poe(s, tamanho, 4);
    poe(s, t.registros.size(), 4);
    for (const std::string& r : t.registros) s += r;
  }
  const std::uint64_t n = s.size(), h = hashDiario(s);
  s += "FIM!";
  poe(s, n, 8);
  poe(s, h, 8);
  return s;
}

class DiarioUmLadoTest : public DiarioLadosTest, public ::testing::Test {};

// A dead save of an earlier version left the journal of the "N" side (assets, table 16 and the
// register): the start completes it, leaving his "S" rows alone, and redoing it again changes
// nothing. The sides of a journal of both sides read back as written.
TEST_F(DiarioUmLadoTest, AJournalOfOneSideLeftByAnEarlierVersionIsCompleted) {
  preenche();
  const std::vector<TabelaDiario> tabelas = {linhas(kBens, kB, {{"", "BEM JNL"}}), linhas(16, kB, {{"N", "N16 JNL"}}),
                                             linhas(kRegistro, kB, {{"", "REG JNL"}})};
  const std::string velho = diarioUmLado(kB, 'N', tabelas);
  auto lido = decodificaDiario(velho);
  ASSERT_TRUE(lido.has_value());
  ASSERT_EQ(lido->tabelas.size(), 3U);
  for (const TabelaDiario& t : lido->tabelas) EXPECT_EQ(t.lado, "N") << numero(t.numero);
  EXPECT_EQ(lido->tabelas[1].registros, tabelas[1].registros);

  escreveArquivo(caminhoDiario(ctx, kB), velho);
  EXPECT_EQ(recuperaDiarios(ctx), 1);
  EXPECT_FALSE(rt::db::fileExists(caminhoDiario(ctx, kB)));
  std::vector<std::string> t16 = antigas[16];
  t16.push_back("N16 JNL");
  std::sort(t16.begin(), t16.end());
  const std::map<int, std::vector<std::string>> esperadas = {
      {kBens, {"BEM JNL"}}, {16, t16}, {kRegistro, {"REG JNL"}}, {15, antigas[15]}, {17, antigas[17]}};
  for (const auto& [n, m] : esperadas) EXPECT_EQ(ordenadas(kB, n), m) << "table " << n;
  ASSERT_TRUE(aplicaDiario(ctx, *lido));
  (void)ctx.areas.closeAll();
  for (const auto& [n, m] : esperadas) EXPECT_EQ(ordenadas(kB, n), m) << "redone, table " << n;
  indicesCertos();

  Diario d;
  d.cpf = kB;
  d.atvBrasil = "S";
  d.tabelas = {tabelas[0], linhas(16, kB, {{"N", "N16"}}), linhas(16, kB, {{"S", "S16"}})};
  d.tabelas[1].lado = "N";
  auto novo = decodificaDiario(codificaDiario(d));
  ASSERT_TRUE(novo.has_value());
  ASSERT_EQ(novo->tabelas.size(), 3U);
  EXPECT_EQ(novo->tabelas[0].lado + novo->tabelas[1].lado + novo->tabelas[2].lado, "SNS");
  EXPECT_EQ(novo->tabelas[1].registros, d.tabelas[1].registros);
}

}  // namespace
}  // namespace store::teste

namespace store::teste {
namespace {

class DiarioOrdemTest : public DiarioLadosTest, public ::testing::Test {
 protected:
  // Payments (table 06, keyed by CPF and code) of kB: one row per (mark, code), in that order.
  TabelaDiario pagamentos(const std::vector<std::pair<std::string, int>>& linhas6) {
    std::vector<std::pair<std::string, std::string>> marcas;
    for (const auto& [m, codigo] : linhas6) marcas.emplace_back("", m);
    TabelaDiario t = linhas(6, kB, marcas);
    for (const rt::db::FieldDef& f : t.campos)
      if (f.name == "I6_3")
        for (std::size_t i = 0; i < linhas6.size(); ++i)
          t.registros[i].replace(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.width),
                                 rt::text::padl(std::to_string(linhas6[i].second), f.width));
    return t;
  }
};

// Rows that share a CPF but not a key stand in the order they were given, whether they are
// written over rows in another order or redone after a kill halfway through the table: a
// crash never changes the order a grid or a printed page shows.
TEST_F(DiarioOrdemTest, RewrittenAndRedoneRowsKeepTheOrderGiven) {
  preenche();
  const std::vector<std::string> primeira = {"R1", "R2", "R3", "R4"};
  const TabelaDiario r = pagamentos({{"R1", 30}, {"R2", 20}, {"R3", 10}, {"R4", 40}});
  for (int vez = 0; vez < 2; ++vez) {  // the second time over rows whose key order is 3, 2, 1, 4
    ASSERT_TRUE(gravaLinhas(ctx, dados.caminho(), Cpf(kB), {r}));
    EXPECT_EQ(marcasNaTabela(ctx, 6, kB), primeira) << "write " << vez + 1;
  }

  const TabelaDiario s = pagamentos({{"S1", 50}, {"S2", 5}, {"S3", 25}, {"S4", 15}, {"S5", 1}});
  const pid_t filho = fork();
  if (filho == 0) {
    GanchosGravacao g;
    g.meio = [](Area) { ::raise(SIGKILL); };
    _exit(gravaLinhas(ctx, dados.caminho(), Cpf(kB), {s}, g) ? 0 : 5);
  }
  int status = 0;
  ASSERT_EQ(waitpid(filho, &status, 0), filho);
  ASSERT_TRUE(WIFSIGNALED(status)) << "not killed: status " << status;
  EXPECT_EQ(recuperaDiarios(ctx), 1);
  EXPECT_EQ(marcasNaTabela(ctx, 6, kB), (std::vector<std::string>{"S1", "S2", "S3", "S4", "S5"}));
  EXPECT_EQ(marcasNaTabela(ctx, 6, kA).size(), 2U) << "the other taxpayer";
  indicesCertos();
}

}  // namespace
}  // namespace store::teste
