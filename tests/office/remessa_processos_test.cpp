// The remittance file with other terminals at work and terminals killed: every slip ever typed
// is, afterwards, in exactly one whole file or still waiting in table 67, never both and never
// neither, and no file under a day's name lacks its trailer. The terminals are forked
// processes running the real generation and the real slip append; what they assert is the
// outcome, whatever order the processes happened to run in.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <regex>
#include <set>

#include "office/boleto.h"
#include "office/remessa_diario.h"
#include "rt/db/child_process.h"
#include "rt/fs/shared_files.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/travas.h"
#include "store_fixture.h"

namespace office {
namespace {

using rt::db::testing::Child;
using rt::text::Date;
using rt::text::Decimal;
using store::Area;

const Date kInicio = Date::fromYmd(2010, 6, 1);
const std::vector<std::pair<std::string, std::string>> kSacados = {
    {"11144477735", "ANA AQUI"}, {"52998224725", "BETO DE FORA"}, {"39053344705", "CELIA"}};

// What the folder holds after a round.
struct Contagem {
  int arquivos = 0;   // whole files under a day's name
  int faturados = 0;  // slips in them
  int esperando = 0;  // slips still in table 67
};

class RemessaProcessos : public store::teste::StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "10";
    ASSERT_TRUE(store::ABERTURA(ctx, Area::DEFINE));
    rt::db::Table& d = *store::tabela(ctx.areas, Area::DEFINE);
    d.goTop();
    if (d.eof()) {
      ASSERT_TRUE(d.appendBlank());
    }
    ASSERT_TRUE(d.lockRecord());
    for (const auto& [campo, valor] : std::vector<std::pair<std::string, std::string>>{
             {"BOL_AGENCI", "0123"}, {"BOL_CONTA", "456789"}, {"BOL_NOME", "ESCRITORIO MODELO"},
             {"BOL_CNPJ", "11222333000181"}, {"BOL_CARTEI", "109"}})
      ASSERT_TRUE(d.put(campo, valor));
    ASSERT_TRUE(d.commit());
    ASSERT_TRUE(d.unlock());
    ASSERT_TRUE(store::ABERTURA(ctx, Area::IMP0910));
    rt::db::Table& r = *store::tabela(ctx.areas, Area::IMP0910);
    for (const auto& [cpf, nome] : kSacados) {
      ASSERT_TRUE(r.appendBlank());
      ASSERT_TRUE(r.put("CPF", cpf));
      ASSERT_TRUE(r.put("NOMECONTR", nome));
      ASSERT_TRUE(r.put("ENDERECO", std::string("RUA DAS FLORES")));
    }
    ASSERT_TRUE(r.commit());
    ASSERT_TRUE(r.unlock());
    ASSERT_TRUE(store::ABERTURA(ctx, Area::BOLETO));  // made on its first open
    // A child must not share the parent's opens: their locks would outlive it.
    ASSERT_TRUE(ctx.areas.closeAll());
  }

  // `n` slips typed by this terminal, each with a bank reference of its own.
  void digita(int n) {
    ASSERT_TRUE(store::ABERTURA(ctx, Area::BOLETO));
    for (int i = 0; i < n; ++i) ASSERT_TRUE(acrescentaBoleto(ctx, proximo()));
    ASSERT_TRUE(ctx.areas.closeAll());
  }
  EntradaBoleto proximo() {
    EntradaBoleto e;
    const auto& [cpf, nome] = kSacados[static_cast<std::size_t>(criados_.size() % kSacados.size())];
    ++nosso_;
    e.NOSSONRO = Decimal::fromInt(nosso_);
    e.NRODOCUM = Decimal::fromInt(nosso_ % 100000);
    e.VALORDOC = Decimal::fromInt(10 + nosso_ % 900);
    e.DATADOC = kInicio + 30;
    e.CPFSAC = cpf;
    e.NOMESAC = rt::text::padr(nome, 30);
    criados_.insert(nosso_);
    return e;
  }

  // Whether the day's file holds a header, details numbered on and a trailer, each of 400
  // positions and CR LF; its bank references into `nossos`.
  static bool inteiro(const std::string& f, std::vector<long long>& nossos) {
    if (f.size() < 2 * 402 || f.size() % 402 != 0) return false;
    const std::size_t n = f.size() / 402;
    for (std::size_t i = 0; i < n; ++i) {
      const std::string r = f.substr(i * 402, 402);
      const std::string seq = std::to_string(i + 1);
      if (r.substr(400) != "\r\n" || r.substr(394, 6) != std::string(6 - seq.size(), '0') + seq) return false;
      const char tipo = i == 0 ? '0' : i + 1 == n ? '9' : '1';
      if (r[0] != tipo) return false;
      if (tipo == '1') nossos.push_back(std::stoll(r.substr(62, 8)));
    }
    return true;
  }

  // The folder checked: no file under a day's name is broken; each slip typed is billed at
  // most once and, when `recuperado` (no dead generator's journal is left), in exactly one
  // place; without it (a journal left for the next generation) it is at least somewhere.
  Contagem confere(bool recuperado, const std::string& quando) {
    Contagem c;
    std::map<long long, int> vezes;
    static const std::regex kDia("C[0-9]{6}[A-Z]\\.txt");
    for (const auto& e : std::filesystem::directory_iterator(programa.caminho())) {
      const std::string nome = e.path().filename().string();
      if (!std::regex_match(nome, kDia)) continue;
      // A file once whole is read again only when it changed (the files of a day pile up).
      const auto tamanho = std::filesystem::file_size(e.path());
      auto [lido, novo] = lidos_.try_emplace(nome);
      if (novo || lido->second.first != tamanho) {
        lido->second = {tamanho, {}};
        EXPECT_TRUE(inteiro(store::teste::leArquivo(e.path().string()), lido->second.second))
            << nome << " is cut short, " << quando;
      }
      const std::vector<long long>& nossos = lido->second.second;
      ++c.arquivos;
      c.faturados += static_cast<int>(nossos.size());
      for (long long n : nossos) ++vezes[n];
    }
    for (const auto& [n, k] : vezes) EXPECT_EQ(k, 1) << "slip " << n << " billed " << k << " times, " << quando;
    std::set<long long> esperando;
    {
      auto t = store::teste::abre(programa / "BOLETO.DBF");
      for (std::uint32_t r = 1; t && r <= t->recordCount(); ++r) {
        t->goTo(r);
        if (!t->isDeleted()) esperando.insert(t->getNumber("NOSSONRO").wholePart());
      }
    }
    c.esperando = static_cast<int>(esperando.size());
    for (long long n : criados_) {
      const int onde = (vezes.count(n) ? 1 : 0) + (esperando.count(n) ? 1 : 0);
      if (recuperado)
        EXPECT_EQ(onde, 1) << "slip " << n << (onde ? " billed and still waiting, " : " lost, ") << quando;
      else
        EXPECT_GE(onde, 1) << "slip " << n << " lost, " << quando;
    }
    return c;
  }

  bool haDiario() const { return rt::db::fileExists(caminhoDiarioRemessa(ctx)); }

  std::set<long long> criados_;
  std::map<std::string, std::pair<std::uintmax_t, std::vector<long long>>> lidos_;  // day's file -> size, slips
  long long nosso_ = 1000;
};

// Only a whole journal naming plain names of the program folder is read: cut anywhere, one
// byte changed or a name leading out of the folder, it counts as a generation that never
// reached its rename.
TEST(RemessaDiario, OnlyAWholeJournalOfPlainNamesIsRead) {
  DiarioRemessa d;
  d.arquivo = "C100620A.txt";
  d.provisorio = "C100620A.txt.tmpAb12Cd";
  d.tamanho = 1206;
  d.hash = 0x0123456789abcdefULL;
  d.registros = {{3, std::string("\0\n 1 \xff", 6)}, {17, "ANA"}};
  const std::string b = codificaDiarioRemessa(d);
  const std::optional<DiarioRemessa> lido = decodificaDiarioRemessa(b);
  ASSERT_TRUE(lido);
  EXPECT_EQ(lido->arquivo, d.arquivo);
  EXPECT_EQ(lido->provisorio, d.provisorio);
  EXPECT_EQ(lido->tamanho, d.tamanho);
  EXPECT_EQ(lido->hash, d.hash);
  ASSERT_EQ(lido->registros.size(), 2u);
  EXPECT_EQ(lido->registros[0].numero, 3u);
  EXPECT_EQ(lido->registros[0].bytes, d.registros[0].bytes);
  EXPECT_EQ(lido->registros[1].bytes, "ANA");
  for (std::size_t n = 0; n < b.size(); ++n) EXPECT_FALSE(decodificaDiarioRemessa(b.substr(0, n))) << "cut at " << n;
  for (std::size_t i : {std::size_t{0}, std::size_t{12}, b.size() / 2, b.size() - 3}) {
    std::string mudado = b;
    mudado[i] = static_cast<char>(mudado[i] ^ 1);
    EXPECT_FALSE(decodificaDiarioRemessa(mudado)) << "byte " << i;
  }
  for (const char* nome : {"../C100620A.txt", "/etc/passwd", "a/b", "..", ""}) {
    DiarioRemessa fora = d;
    fora.arquivo = nome;
    EXPECT_FALSE(decodificaDiarioRemessa(codificaDiarioRemessa(fora))) << nome;
    fora = d;
    fora.provisorio = nome;
    EXPECT_FALSE(decodificaDiarioRemessa(codificaDiarioRemessa(fora))) << nome;
  }
}

// A journal completed after the table was packed: its records are found by their bytes where
// the pack moved them, each taken out once, and the slips typed since stay.
TEST_F(RemessaProcessos, ACompletionAfterAPackFindsTheSlipsByTheirBytes) {
  digita(6);
  std::vector<RegistroRemessa> enviados;
  {
    auto t = store::teste::abre(programa / "BOLETO.DBF", true);
    ASSERT_TRUE(t);
    for (std::uint32_t r : {2u, 3u, 5u}) {
      t->goTo(r);
      enviados.push_back({r, std::string(t->record().substr(1))});
    }
    t->goTo(1);
    ASSERT_TRUE(t->markDeleted());
    ASSERT_TRUE(t->pack());  // every record one place up
    ASSERT_TRUE(t->close());
  }
  digita(1);
  ASSERT_TRUE(store::ABERTURA(ctx, Area::BOLETO));
  rt::db::Table& t = *store::tabela(ctx.areas, Area::BOLETO);
  ASSERT_TRUE(t.lockFile());
  ASSERT_TRUE(retiraBoletos(t, enviados));
  ASSERT_TRUE(retiraBoletos(t, enviados));  // again: nothing more goes
  ASSERT_TRUE(t.unlock());
  ASSERT_TRUE(ctx.areas.closeAll());
  std::vector<long long> ficaram;
  auto b = store::teste::abre(programa / "BOLETO.DBF");
  for (std::uint32_t r = 1; r <= b->recordCount(); ++r) {
    b->goTo(r);
    if (!b->isDeleted()) ficaram.push_back(b->getNumber("NOSSONRO").wholePart());
  }
  EXPECT_EQ(ficaram, (std::vector<long long>{1004, 1006, 1007}));
}

// At each step of the remittance the terminal dies; the next generation finishes what it
// left: undone before the file is under its name (the slips go in the next file), completed
// from then on (the slips are in the dead terminal's file and nowhere else).
TEST_F(RemessaProcessos, KilledAtEachStepTheNextGenerationCompletesOrUndoesIt) {
  const int passos[] = {kRemessaLida,         kRemessaMeioArquivo, kRemessaArquivo,  kRemessaDiario,
                        kRemessaNoLugar,      kRemessaMeioRetirada, kRemessaRetirada, kRemessaConcluida};
  int dia = 0, arquivos = 0;
  for (int passo : passos) {
    const std::string quando = "killed at step " + std::to_string(passo);
    digita(7);
    const Date hoje = kInicio + dia++;
    {
      Child morre([&](Child&) {
        (void)GERA_BOLETO(ctx, hoje, [passo](int k) {
          if (k == passo) ::kill(::getpid(), SIGKILL);
        });
        return 0;
      });
      EXPECT_EQ(morre.wait(), 100) << "the generation did not die, " << quando;
    }
    const bool sobrou = haDiario();
    EXPECT_EQ(sobrou, passo >= kRemessaDiario && passo < kRemessaConcluida) << quando;
    const Contagem antes = confere(!sobrou, quando);
    EXPECT_EQ(antes.arquivos, arquivos + (passo >= kRemessaNoLugar ? 1 : 0)) << quando;
    // The next file: the dead one's slips were either sent by it or go now.
    digita(2);
    EXPECT_TRUE(GERA_BOLETO(ctx, hoje)) << quando;
    ASSERT_TRUE(ctx.areas.closeAll());
    EXPECT_FALSE(haDiario()) << quando;
    const Contagem depois = confere(true, quando);
    EXPECT_EQ(depois.esperando, 0) << quando;
    EXPECT_EQ(depois.faturados, static_cast<int>(criados_.size())) << quando;
    EXPECT_EQ(depois.arquivos, antes.arquivos + 1) << quando;
    arquivos = depois.arquivos;
    // No scratch file is left once the start has swept the dead one's.
    rt::fs::sweepScratch(programa.caminho());
    for (const std::string& nome : programa.arquivos()) EXPECT_FALSE(rt::fs::isScratchName(nome)) << nome;
  }
}

// Generations of 1 to 20 new slips each until 300 of them were killed, each at a random
// moment: a random time (up to 0.1 ms) after it reached a random step, or after its start
// (a generation that finished first counts as no kill). After each, either the next start
// (every other round, at random) or the next generation finishes what it left.
TEST_F(RemessaProcessos, KilledAtRandomEverySlipIsInOneWholeFileOrStillWaiting) {
  std::mt19937 rng(20100620);
  int rodada = 0, mortas = 0, terminaram = 0, concluidas = 0, desfeitas = 0, aProxima = 0;
  for (; mortas < 300 && rodada < 1000; ++rodada) {
    digita(1 + static_cast<int>(rng() % 20));
    const Date hoje = kInicio + rodada / 20;  // at most 20 files a day: letters A to T
    const int depoisDe = static_cast<int>(rng() % (kRemessaConcluida + 1));  // 0: from the start
    const unsigned atraso = rng() % 100;
    {
      Child gera([&](Child& c) {
        if (depoisDe == 0) c.signalParent();
        return GERA_BOLETO(ctx, hoje, [&c, depoisDe](int k) {
                 if (k == depoisDe) c.signalParent();
               })
                   ? 0
                   : 1;
      });
      gera.awaitChild();  // the step reached, or the generation over
      if (atraso > 0) usleep(atraso);
      ::kill(gera.pid(), SIGKILL);
      (gera.wait() == 100 ? mortas : terminaram)++;
    }
    const std::string quando = "round " + std::to_string(rodada) + ", killed " + std::to_string(atraso) +
                               " us after step " + std::to_string(depoisDe);
    if (rng() % 2 == 0) {
      // The next start: the journal first, then the scratch files of dead writers.
      const Desfecho d = recuperaRemessa(ctx);
      rt::fs::sweepScratch(programa.caminho());
      concluidas += d == Desfecho::concluida;
      desfeitas += d == Desfecho::desfeita;
      confere(true, quando);
    } else {
      aProxima += haDiario();
      confere(!haDiario(), quando);
    }
    if (HasFailure()) break;
  }
  (void)recuperaRemessa(ctx);
  const Contagem fim = confere(true, "at the end");
  EXPECT_EQ(fim.faturados + fim.esperando, static_cast<int>(criados_.size()));
  EXPECT_EQ(mortas, 300);
  std::printf("%d rounds: %d killed, %d finished first; journals completed at start %d, undone at start %d, "
              "left to the next generation %d; %zu slips, %d billed in %d files, %d waiting\n",
              rodada, mortas, terminaram, concluidas, desfeitas, aProxima, criados_.size(), fim.faturados, fim.arquivos,
              fim.esperando);
}

// Two terminals generating at once while a third types slips, 100 rounds of 50 slips waiting
// each: one terminal's file takes the slips, the other finds none left, waits and sends the
// slips typed meanwhile, or is refused before writing anything; the typed slips are never
// taken out of the table unless they are in a file.
TEST_F(RemessaProcessos, TwoTerminalsGeneratingWhileAThirdTypesBillEachSlipOnce) {
  int arquivos = 0, semBoletos = 0, recusados = 0, digitados = 0;
  for (int rodada = 0; rodada < 100; ++rodada) {
    digita(50);
    const Date hoje = kInicio + rodada / 10;
    // The typist's slips get their numbers here, before the fork.
    std::vector<EntradaBoleto> doTerceiro;
    for (int i = 0; i < 3; ++i) doTerceiro.push_back(proximo());
    digitados += 3;
    auto gerador = [&](Child& c) {
      // The other terminal is waited for in real time, a little, as a terminal would.
      espera = store::EsperaVirtual(&relogio, std::chrono::milliseconds(1));
      c.awaitParent();
      if (GERA_BOLETO(ctx, hoje)) return 0;
      if (gravador.viu("em uso em outro terminal")) return 2;
      return gravador.viu("Nao existe boleto cadastrado") ? 1 : 3;
    };
    Child a(gerador), b(gerador);
    Child terceiro([&](Child& c) {
      espera = store::EsperaVirtual(&relogio, std::chrono::milliseconds(1));
      if (!store::ABERTURA(ctx, Area::BOLETO)) return 4;
      c.awaitParent();
      for (const EntradaBoleto& e : doTerceiro)
        if (!acrescentaBoleto(ctx, e)) return 5;
      return 0;
    });
    for (Child* c : {&a, &b, &terceiro}) c->signalChild();
    for (Child* c : {&a, &b}) {
      const int r = c->wait();
      ASSERT_TRUE(r >= 0 && r <= 2) << "round " << rodada << ": a generator ended with " << r;
      (r == 0 ? arquivos : r == 1 ? semBoletos : recusados)++;
    }
    ASSERT_EQ(terceiro.wait(), 0) << "round " << rodada;
    confere(true, "round " + std::to_string(rodada));
    if (HasFailure()) break;
  }
  const Contagem fim = confere(true, "at the end");
  EXPECT_EQ(fim.arquivos, arquivos);
  EXPECT_GE(arquivos, 100);  // every round's 50 slips went into some file
  std::printf("100 rounds, 2 generators and a typist each: %d files, %d found nothing left, %d refused; "
              "%zu slips (%d typed meanwhile), %d billed once each, %d waiting\n",
              arquivos, semBoletos, recusados, criados_.size(), digitados, fim.faturados, fim.esperando);
}

}  // namespace
}  // namespace office
