// The table engine on a declaration-like table of 1,000,000 records: seeks, appends with two
// indexes kept, an index rebuild and a full scan. Each runs exclusive and shared; shared, another
// process holds the table open all along, as another terminal of the office does.
// Run: build/bench/bench_db
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "rt/db/table.h"
#include "rt/text/strings.h"
#include "smoke.h"

using namespace rt::db;
using rt::text::Decimal;

namespace {

constexpr std::uint32_t kRecords = 1000000;

std::string cpfOf(std::uint32_t i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%011llu", static_cast<unsigned long long>(i) * 99991ULL % 99999999999ULL);
  return buf;
}

// The benchmark's folder, removed when the process that made it ends (not by the processes
// standing for other terminals, which are killed).
struct BenchFolder {
  std::string path;
  pid_t owner = getpid();
  ~BenchFolder() {
    if (getpid() == owner) std::filesystem::remove_all(path);
  }
};

// A folder holding IMP.DBF with kRecords rows and its two indexes, made once.
const std::string& folder() {
  static BenchFolder dir{[] {
    std::string d = (std::filesystem::temp_directory_path() / ("tavren-bench-db-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(d);
    std::vector<FieldDef> fields = {{"CPF", 'C', 11, 0},      {"NOMECONTR", 'C', 53, 0}, {"I7_0", 'N', 4, 0},
                                    {"VALOR", 'N', 12, 2},    {"DT_LC", 'D', 8, 0},      {"ESTATUS", 'N', 2, 0}};
    if (!Table::create(d + "/IMP", fields)) std::abort();
    std::string bytes;
    {
      std::ifstream in(d + "/IMP.DBF", std::ios::binary);
      std::ostringstream all;
      all << in.rdbuf();
      bytes = all.str();
    }
    bytes.pop_back();
    std::mt19937 rng(1);
    for (std::uint32_t i = 1; i <= kRecords; ++i) {
      bytes += ' ';
      bytes += cpfOf(i);
      bytes += rt::text::padr("CONTRIBUINTE " + std::to_string(rng() % 100000), 53);
      bytes += rt::text::padl(std::to_string(i % 9999), 4);
      bytes += rt::text::padl(Decimal::fromInt(static_cast<int>(rng() % 1000000)).toString(2), 12);
      bytes += "20090315";
      bytes += " 1";
    }
    bytes += '\x1A';
    for (int b = 0; b < 4; ++b) bytes[4 + static_cast<std::size_t>(b)] = static_cast<char>((kRecords >> (8 * b)) & 0xFF);
    std::ofstream(d + "/IMP.DBF", std::ios::binary) << bytes;
    auto t = Table::open(d + "/IMP", OpenOptions{true, false, ""});
    if (!t || !(*t)->openIndex(d + "/IMP", "CPF") || !(*t)->openIndex(d + "/IMPB", "UPPER(NOMECONTR)")) std::abort();
    return d;
  }()};
  return dir.path;
}

std::unique_ptr<Table> openImp(bool exclusive) {
  OpenOptions o;
  o.exclusive = exclusive;
  auto t = Table::open(folder() + "/IMP", o);
  if (!t || !(*t)->openIndex(folder() + "/IMP", "CPF") || !(*t)->openIndex(folder() + "/IMPB", "UPPER(NOMECONTR)"))
    std::abort();
  return std::move(*t);
}

// Another terminal: a child process holding the table open shared, with both indexes, until
// this goes out of scope. Shared benchmarks run with one, so no lock or cache is ours alone.
class OtherTerminal {
 public:
  explicit OtherTerminal(bool wanted) {
    if (!wanted) return;
    (void)folder();  // made here, so that both processes use the same table
    int ready[2];
    if (pipe(ready) != 0) std::abort();
    pid_ = fork();
    if (pid_ == 0) {
      auto t = openImp(false);
      char c = 'x';
      if (write(ready[1], &c, 1) != 1) _exit(1);
      pause();
      _exit(0);
    }
    char c;
    if (read(ready[0], &c, 1) != 1) std::abort();
    close(ready[0]);
    close(ready[1]);
  }
  ~OtherTerminal() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  OtherTerminal(const OtherTerminal&) = delete;
  OtherTerminal& operator=(const OtherTerminal&) = delete;

 private:
  pid_t pid_ = -1;
};

void BM_Seek(benchmark::State& state) {
  OtherTerminal other(state.range(0) == 0);
  auto t = openImp(state.range(0) != 0);
  std::mt19937 rng(2);
  for (auto _ : state) {
    std::string key = cpfOf(1 + rng() % kRecords);
    if (!t->seek(key) || !t->found()) state.SkipWithError("not found");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Seek)->Arg(1)->Arg(0)->ArgName("exclusive");

void BM_AppendTwoIndexes(benchmark::State& state) {
  OtherTerminal other(state.range(0) == 0);
  auto t = openImp(state.range(0) != 0);
  std::uint32_t i = 0;
  for (auto _ : state) {
    ++i;
    if (!t->appendBlank() || !t->put("CPF", "9" + cpfOf(i).substr(1)) ||
        !t->put("NOMECONTR", "NOVO " + std::to_string(i)))
      state.SkipWithError("append failed");
  }
  if (!t->commit()) state.SkipWithError("commit failed");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AppendTwoIndexes)->Arg(1)->Arg(0)->ArgName("exclusive")->MinTime(bench::minTime(2.0));

void BM_Rebuild(benchmark::State& state) {
  auto t = openImp(true);
  for (auto _ : state) {
    if (!t->createIndex(folder() + "/IMPR", "CPF")) state.SkipWithError("rebuild failed");
    state.PauseTiming();
    t->closeIndexes();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * t->recordCount());
}
BENCHMARK(BM_Rebuild)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(3));

void BM_Scan(benchmark::State& state) {
  OtherTerminal other(state.range(0) == 0);
  auto t = openImp(state.range(0) != 0);
  t->setOrder(0);
  std::uint64_t n = 0;
  for (auto _ : state) {
    (void)t->goTop();
    while (!t->eof()) {
      benchmark::DoNotOptimize(t->raw(3));
      ++n;
      (void)t->skip();
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(n));
}
BENCHMARK(BM_Scan)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("exclusive")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(bench::iterations(3));

}  // namespace
