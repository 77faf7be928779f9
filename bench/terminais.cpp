// Many terminals on one data folder, as an office runs them: N processes, each with its own
// terminal number and work folder, on one program folder and one data folder of 2,000
// taxpayers made once. Each repeats, mostly on taxpayers of its own and every fifth time on
// any taxpayer (which another terminal may hold: refused, "em uso no terminal NN"): open the
// declaration into its working copy, change an amount, compute, final save (with its
// journal); every tenth cycle also print it to a file and export it. Per N it prints the
// p50, p99 and maximum of open, save, print and export, the cycles per second of all
// terminals together, the errors, refusals and waits; then checks that every amount saved is
// in the tables and every index of the folder agrees with its table.
//
// Run: build/bench/bench_terminais [--terminais=1,5,20,50] [--segundos=20]
//          [--contribuintes=2000] [--primeiro=1] [PROGRAM_FOLDER DATA_FOLDER]
//      build/bench/bench_terminais --sonda FOLDER   (the lock probe of scripts/check-share)
// Without folders a scratch pair is made in the temporary folder and removed at the end;
// given folders (an office's share) are filled once and kept. TAVREN_BENCH_SMOKE: a few
// taxpayers, N = 1 and 2, half a second each.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "export/prepara.h"
#include "pasta_bench.h"
#include "print/folhas_declaracao.h"
#include "print/impressao.h"
#include "print/trabalho.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "shell/calculos_declaracao.h"
#include "shell/inicio.h"
#include "shell/programa.h"
#include "smoke.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/copia_trabalho.h"
#include "store/declaracao.h"
#include "store/em_uso.h"
#include "store/espera.h"
#include "store/salva.h"

namespace {

using Relogio = std::chrono::steady_clock;
using rt::text::Decimal;

// Rows per taxpayer and table: about 40, a small office declaration.
constexpr std::pair<store::Area, int> kLinhas[] = {{store::Area::IMP0910, 1},  {store::Area::IMP0110, 1},
                                                   {store::Area::IMP0210, 15}, {store::Area::IMP0310, 3},
                                                   {store::Area::IMP0410, 10}, {store::Area::IMP0610, 10},
                                                   {store::Area::IMP1210, 1}};
constexpr int kLinhasRendimentos = 15;

struct Opcoes {
  std::vector<int> terminais = {1, 5, 20, 50};
  double segundos = 20;
  // The first terminal's number: a second machine running beside this one on the same
  // folders takes other numbers (a terminal number is held by one program at a time).
  int primeiro = 1;
  int contribuintes = 2000;
  std::string programa, dados;  // empty: a scratch pair
};

// The store's retries (an exclusive open, a lock, the journal of a CPF another terminal saves)
// counted and timed, then slept for real.
class EsperaContada final : public store::Espera {
 public:
  void dorme(std::chrono::milliseconds tempo) override {
    ++vezes;
    const auto t0 = Relogio::now();
    real.dorme(tempo);
    total += Relogio::now() - t0;
  }
  bool aguarda(std::chrono::milliseconds tempo, const std::function<bool()>& tenta) override {
    ++vezes;
    const auto t0 = Relogio::now();
    const bool veio = real.aguarda(tempo, tenta);
    total += Relogio::now() - t0;
    return veio;
  }
  store::EsperaReal real;
  long vezes = 0;
  Relogio::duration total{};
};

// The export's questions answered "go on", its waits counted; nothing waits for a key.
class FalaCalada final : public exporta::Interacao {
 public:
  void erro(std::string_view texto, int) override { ultimoErro = std::string(texto); }
  void aviso(std::string_view) override {}
  void status(std::string_view) override {}
  bool continua(std::string_view, int) override { return true; }
  void beep() override {}
  bool aguarda(std::string_view) override {
    ++esperas;
    ::usleep(500000);
    return true;
  }
  void pasta(std::string_view) override {}
  long esperas = 0;
  std::string ultimoErro;
};

platform::EnvLookup ambiente(const std::string& programa) {
  return [programa](const char* nome) -> const char* {
    return std::string_view(nome) == "DTAVREN" ? programa.c_str() : nullptr;
  };
}

std::string doisDigitos(int n) {
  char b[16];
  std::snprintf(b, sizeof b, "%02d", n % 100);
  return b;
}

// A started terminal on the program folder, working in `dados`, with its own work folder.
struct Terminal {
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  EsperaContada espera;
  shell::Program p;
  bool iniciado = false;

  Terminal(const Opcoes& o, int numero) : p(con, rt::text::systemClock(), espera, ambiente(o.programa)) {
    iniciado = shell::INICIA(p, doisDigitos(numero)).isOk();
    if (!iniciado) return;
    (void)p.areas.closeAll();
    p.definePastaDados(o.dados);
    const std::string trabalho = o.programa + "/TERM" + doisDigitos(numero);
    std::filesystem::create_directories(trabalho);
    p.definePastaTrabalho(trabalho);
    std::filesystem::create_directories(o.programa + "/IRPF");
    p.LOCIRPF = o.programa + "/IRPF/";
  }
};

// The data folder's taxpayers, made once: a folder already holding them is taken as it is.
bool preparaPasta(const Opcoes& o) {
  const std::string pronto = o.dados + "/TERMINAIS.OK";
  if (std::filesystem::exists(pronto)) return true;
  Terminal t(o, 0);
  if (!t.iniciado) {
    std::fprintf(stderr, "the program did not start on %s (a folder of at most 40 characters?)\n", o.programa.c_str());
    return false;
  }
  for (auto [n, porContribuinte] : kLinhas) {
    if (!store::ABERTURA(t.p, n, true)) {
      std::fprintf(stderr, "table %d could not be opened in %s\n", store::numero(n), o.dados.c_str());
      return false;
    }
    rt::db::Table& tab = *t.p.areas.table(n);
    rt::Status s;
    for (int i = 1; i <= o.contribuintes && s; ++i) {
      for (int k = 1; k <= porContribuinte && s; ++k) {
        s = tab.appendBlank();
        if (s) s = tab.put("CPF", bench::cpfDe(i));
        if (s && n == store::Area::IMP0910) s = tab.put("NOMECONTR", "CONTRIBUINTE " + std::to_string(i));
        if (s && n == store::Area::IMP0210) s = tab.put("I1_1", std::string("J"));
        if (s && n == store::Area::IMP0210) s = tab.put("I1_4", Decimal::fromInt(1000 + k));
        if (s && n == store::Area::IMP0410) s = tab.put("I7_0", Decimal::fromInt(k));
        if (s && n == store::Area::IMP0410) s = tab.put("I7_4", Decimal::fromInt(5000 * k));
        if (s && n == store::Area::IMP0610) s = tab.put("I6_3", Decimal::fromInt(k * 9));
        if (s && n == store::Area::IMP0610) s = tab.put("I6_4", Decimal::fromInt(300));
      }
    }
    if (s) s = tab.commit();
    if (!s) {
      std::fprintf(stderr, "table %d: %s\n", store::numero(n), s.message().c_str());
      return false;
    }
  }
  (void)t.p.areas.closeAll();
  std::ofstream(pronto) << o.contribuintes << "\n";
  return true;
}

int contribuintesDaPasta(const Opcoes& o) {
  std::ifstream in(o.dados + "/TERMINAIS.OK");
  int n = 0;
  in >> n;
  return n > 0 ? n : o.contribuintes;
}

// What one terminal did: the time of each operation in microseconds, the amounts it saved
// (CPF, value, when the save ended) and its counts.
struct Registro {
  std::map<std::string, std::vector<double>> tempos;
  std::vector<std::tuple<std::string, long long, long long>> salvos;
  long ciclos = 0, erros = 0, recusas = 0, esperas = 0;
  double esperaMs = 0, cpuMs = 0;  // time in the store's waits; processor time of the cycles
};

// The first failures of a terminal, on the error output: a benchmark that fails says why.
void diz(int numero, const char* oque, const std::string& porque = {}) {
  static int ditos = 0;
  if (++ditos <= 5) std::fprintf(stderr, "terminal %02d: %s failed %s\n", numero % 100, oque, porque.c_str());
}

double micros(Relogio::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

long long agoraNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Relogio::now().time_since_epoch()).count();
}

// One terminal's run, in its own process: cycles until `fim`, then its record into `saida`.
int rodaTerminal(const Opcoes& o, int numero, int total, int contribuintes, int pronto, int largada,
                 const std::string& saida) {
  Terminal t(o, numero);
  shell::Program& p = t.p;
  Registro r;
  if (!t.iniciado) {
    r.erros = 1;
    diz(numero, "start-up");
  }
  shell::CalculosDeclaracao calculos(p);
  store::Declaracao dec;
  dec.calculos = &calculos;
  dec.opcoes.ITEM_MENU = 11;
  print::Escolhas esc;
  esc.QUEIMP = 1;
  esc.QUEPAG = 3;
  esc.QUECON = 1;
  const print::ServicosImpressao folhas = print::folhasDaDeclaracao([&esc] { return esc; });
  const platform::EnvLookup semAmbiente = [](const char*) -> const char* { return nullptr; };
  std::vector<int> meus;
  for (int i = (numero - o.primeiro) % total + 1; i <= contribuintes; i += total) meus.push_back(i);
  std::mt19937 sorte(static_cast<unsigned>(numero) * 7919u);

  // A terminal that has worked before has its working copies made: one load, not measured.
  if (t.iniciado && !meus.empty()) {
    dec.espelho.CPF = bench::cpfDe(meus.front());
    p.CPF = dec.espelho.CPF;
    if (!store::INIC_VAR(p, dec, 0, 1)) diz(numero, "first open");
    store::FECHA_PROV(p);
  }
  rusage antes{};
  ::getrusage(RUSAGE_SELF, &antes);
  const double cpuAntes = static_cast<double>(antes.ru_utime.tv_sec + antes.ru_stime.tv_sec) * 1000 +
                          static_cast<double>(antes.ru_utime.tv_usec + antes.ru_stime.tv_usec) / 1000;
  (void)!::write(pronto, "x", 1);
  char c;
  (void)!::read(largada, &c, 1);  // every terminal starts at once (the parent closes the pipe)
  const auto fim = Relogio::now() + std::chrono::duration<double>(o.segundos);
  auto mede = [&r](const char* op, Relogio::time_point t0) { r.tempos[op].push_back(micros(Relogio::now() - t0)); };

  for (long ciclo = 0; t.iniciado && Relogio::now() < fim; ++ciclo) {
    const int quem = ciclo % 5 == 4 || meus.empty() ? static_cast<int>(sorte() % contribuintes) + 1
                                                      : meus[static_cast<std::size_t>(ciclo) % meus.size()];
    const std::string cpf = bench::cpfDe(quem);
    const auto t0 = Relogio::now();
    store::PosseDeclaracao posse = store::tomaDeclaracao(p, p.LOCARQ, cpf);
    if (!posse.livre) {
      ++(posse.terminal.empty() ? r.erros : r.recusas);
      if (posse.terminal.empty()) diz(numero, "the declaration's hold", posse.erro);
      continue;
    }
    dec.espelho.CPF = cpf;
    p.CPF = cpf;
    if (!store::INIC_VAR(p, dec, 0, 1)) {
      ++r.erros;
      diz(numero, "open");
      store::FECHA_PROV(p);
      continue;
    }
    mede("abrir", t0);

    // The first income's amount: the terminal and cycle, so the check can tell whose it is.
    const long long valor = static_cast<long long>(numero) * 1000000 + ciclo;
    rt::db::Table* rend = store::tabela(p.areas, store::Area::TMP_02);
    if (rend == nullptr || (rend->goTop(), rend->eof()) || !rend->put("I1_4", Decimal::fromInt(valor)) ||
        !rend->flush()) {
      ++r.erros;
      diz(numero, "change of an amount");
      store::FECHA_PROV(p);
      continue;
    }
    const auto t1 = Relogio::now();
    store::BALANCO(p, dec);
    mede("calcular", t1);

    const auto t2 = Relogio::now();
    if (!store::SALVATUDO(p, dec, 1)) {
      ++r.erros;
      diz(numero, "save");
      store::FECHA_PROV(p);
      continue;
    }
    r.salvos.emplace_back(cpf, valor, agoraNs());
    mede("salvar", t2);

    if (ciclo % 10 == 0) {
      const auto t3 = Relogio::now();
      print::Impressao imp;
      imp.conf.NROLPT = 0;
      const bool impresso = print::FAZIMP(p, imp, esc, folhas, semAmbiente, cpf).isOk();
      store::FECHA_PROV(p);
      if (impresso) {
        mede("imprimir", t3);
      } else {
        ++r.erros;
        diz(numero, "print");
      }

      const auto t4 = Relogio::now();
      FalaCalada fala;
      exporta::PedidoExportacao pedido;
      pedido.LOCIRPF = p.LOCIRPF;
      pedido.OPCAO_1 = 64;
      const bool carregado = store::INIC_VAR(p, dec, 0, 1).isOk();
      const auto como = carregado ? exporta::PREPARA(p, dec, pedido, fala) : exporta::ResultadoExportacao::NaoGerada;
      store::FECHA_PROV(p);
      r.esperas += fala.esperas;
      if (como == exporta::ResultadoExportacao::Transferida) {
        mede("exportar", t4);
      } else {
        ++r.erros;
        diz(numero, "export", std::to_string(static_cast<int>(como)) + " " + fala.ultimoErro);
      }
    }
    mede("ciclo", t0);
    ++r.ciclos;
  }
  r.esperas += t.espera.vezes;
  rusage uso{};
  ::getrusage(RUSAGE_SELF, &uso);
  r.cpuMs = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1000 +
            static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1000 - cpuAntes;
  r.esperaMs = std::chrono::duration<double, std::milli>(t.espera.total).count();

  std::ofstream out(saida);
  out << "contagens " << r.ciclos << ' ' << r.erros << ' ' << r.recusas << ' ' << r.esperas << ' ' << r.esperaMs
      << ' ' << r.cpuMs << '\n';
  for (const auto& [op, v] : r.tempos) {
    out << "tempos " << op;
    for (double x : v) out << ' ' << x;
    out << '\n';
  }
  for (const auto& [cpf, valor, quando] : r.salvos) out << "salvo " << cpf << ' ' << valor << ' ' << quando << '\n';
  return out ? 0 : 1;
}

struct Resultado {
  int terminais = 0;
  double segundos = 0;
  Registro soma;
  long parados = 0, perdidos = 0, indicesRuins = 0;
};

void junta(Registro& soma, const std::string& arquivo) {
  std::ifstream in(arquivo);
  std::string linha;
  while (std::getline(in, linha)) {
    std::istringstream s(linha);
    std::string tipo;
    s >> tipo;
    if (tipo == "contagens") {
      long c, e, rec, w;
      double ms, cpu;
      s >> c >> e >> rec >> w >> ms >> cpu;
      soma.cpuMs += cpu;
      soma.ciclos += c;
      soma.erros += e;
      soma.recusas += rec;
      soma.esperas += w;
      soma.esperaMs += ms;
    } else if (tipo == "tempos") {
      std::string op;
      s >> op;
      for (double x; s >> x;) soma.tempos[op].push_back(x);
    } else if (tipo == "salvo") {
      std::string cpf;
      long long v, q;
      s >> cpf >> v >> q;
      soma.salvos.emplace_back(cpf, v, q);
    }
  }
}

// Nothing lost, nothing broken: each CPF's last save (by the time it ended; saves of one CPF
// never overlap, the declaration being held) is the first income's amount in table 02, each
// taxpayer still has all his income rows, and every index of the folder agrees with its table.
void confere(const Opcoes& o, Resultado& res) {
  Terminal t(o, 0);
  if (!t.iniciado) {
    ++res.indicesRuins;
    return;
  }
  std::map<std::string, std::pair<long long, long long>> ultimo;
  for (const auto& [cpf, valor, quando] : res.soma.salvos) {
    auto& u = ultimo[cpf];
    if (quando >= u.second) u = {valor, quando};
  }
  if (!store::ABERTURA(t.p, store::Area::IMP0210)) {
    ++res.indicesRuins;
    return;
  }
  rt::db::Table& rend = *t.p.areas.table(store::Area::IMP0210);
  for (const auto& [cpf, vq] : ultimo) {
    if (!rend.seek(cpf) || !rend.found()) {
      ++res.perdidos;
      continue;
    }
    if (rend.getNumber("I1_4") != Decimal::fromInt(vq.first)) {
      // Saved later by a terminal of another machine on the same folder: not ours to judge.
      const long long deQuem = rend.getNumber("I1_4").wholePart() / 1000000;
      if (deQuem >= o.primeiro && deQuem < o.primeiro + res.terminais) ++res.perdidos;
      continue;
    }
    int linhas = 0;
    for (; !rend.eof() && rend.getText("CPF") == cpf; rend.skip(1)) ++linhas;
    if (linhas != kLinhasRendimentos) ++res.perdidos;
  }
  for (const store::Area n : std::span(workareas::kDeclaracao).first<19>()) {
    if (n == store::Area::IMP1310 || !store::ABERTURA(t.p, n)) continue;
    rt::db::Table& tab = *t.p.areas.table(n);
    for (int k = 1; k <= tab.orderCount(); ++k)
      if (!tab.checkOrder(k)) ++res.indicesRuins;
  }
  (void)t.p.areas.closeAll();
}

double percentil(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const auto i = static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

// N terminals for o.segundos; a terminal still running long after its time is stopped and
// counted (a wait that never ends).
Resultado corre(const Opcoes& o, int n) {
  Resultado res;
  res.terminais = n;
  const int contribuintes = contribuintesDaPasta(o);
  std::string modelo = (std::filesystem::temp_directory_path() / "tavren-terminais-XXXXXX").string();
  const std::string saidas = mkdtemp(modelo.data());
  int pronto[2], largada[2];
  if (::pipe(pronto) != 0 || ::pipe(largada) != 0) std::abort();
  std::vector<pid_t> filhos;
  for (int k = 1; k <= n; ++k) {
    const pid_t pid = ::fork();
    if (pid < 0) std::abort();
    if (pid == 0) {
      ::close(pronto[0]);
      ::close(largada[1]);
      _exit(rodaTerminal(o, o.primeiro + k - 1, n, contribuintes, pronto[1], largada[0], saidas + "/" + doisDigitos(k)));
    }
    filhos.push_back(pid);
  }
  ::close(pronto[1]);
  ::close(largada[0]);
  char c;
  for (int k = 0; k < n; ++k) (void)!::read(pronto[0], &c, 1);
  const auto t0 = Relogio::now();
  ::close(largada[1]);
  const auto limite = t0 + std::chrono::duration<double>(o.segundos + 120);
  std::size_t vivos = filhos.size();
  while (vivos > 0) {
    int st = 0;
    const pid_t pid = ::waitpid(-1, &st, WNOHANG);
    if (pid > 0) {
      --vivos;
      if (!WIFEXITED(st) || WEXITSTATUS(st) != 0) ++res.soma.erros;
      std::replace(filhos.begin(), filhos.end(), pid, pid_t{0});
      continue;
    }
    if (Relogio::now() > limite) {
      for (pid_t f : filhos)
        if (f > 0) {
          ::kill(f, SIGKILL);
          ::waitpid(f, nullptr, 0);
          ++res.parados;
        }
      break;
    }
    ::usleep(20000);
  }
  res.segundos = std::chrono::duration<double>(Relogio::now() - t0).count();
  ::close(pronto[0]);
  for (int k = 1; k <= n; ++k) junta(res.soma, saidas + "/" + doisDigitos(k));
  std::error_code ec;
  std::filesystem::remove_all(saidas, ec);
  confere(o, res);
  return res;
}

void imprimeTabela(const std::vector<Resultado>& rs) {
  std::printf("\n%-9s", "terminais");
  for (const char* op : {"abrir", "salvar", "imprimir", "exportar"}) std::printf(" | %-8s p50/p99/max ms    ", op);
  std::printf(" | ciclos/s cpu-ms/ciclo | erros recusas esperas(s) parados perdidos indices\n");
  for (const Resultado& r : rs) {
    std::printf("%-9d", r.terminais);
    for (const char* op : {"abrir", "salvar", "imprimir", "exportar"}) {
      auto it = r.soma.tempos.find(op);
      const std::vector<double> v = it == r.soma.tempos.end() ? std::vector<double>{} : it->second;
      std::printf(" | %7.1f %7.1f %7.1f     ", percentil(v, 0.5) / 1000, percentil(v, 0.99) / 1000,
                  v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()) / 1000);
    }
    std::printf(" | %8.1f %12.1f | %5ld %7ld %5ld(%.1f) %7ld %8ld %7ld\n",
                static_cast<double>(r.soma.ciclos) / r.segundos,
                r.soma.ciclos > 0 ? r.soma.cpuMs / static_cast<double>(r.soma.ciclos) : 0.0, r.soma.erros, r.soma.recusas, r.soma.esperas, r.soma.esperaMs / 1000, r.parados, r.perdidos,
                r.indicesRuins);
  }
  std::fflush(stdout);
}

// The engine's lock probe on a folder (scripts/check-share): what sharing a data folder relies
// on, checked between processes of this machine. Another machine's terminals are checked by
// running the probe there at the same time. Says what failed and answers false.
class Sonda {
 public:
  explicit Sonda(std::string pasta) : dbf_(std::move(pasta) + "/SONDA.DBF"), cdx_(dbf_.substr(0, dbf_.size() - 4)) {}

  bool roda() {
    if (!rt::db::Table::create(dbf_, {{"CPF", 'C', 11, 0}, {"VALOR", 'N', 12, 2}}, rt::db::CreateMode::kReplace))
      return falha("the probe's table could not be made");
    {
      auto t = abre();
      if (!t || !(*t)->appendBlank() || !(*t)->put("CPF", std::string("00000000001")) || !(*t)->unlock())
        return falha("the probe's table could not be written");
    }
    const bool ok = registroPreso() && anexosAlternados() && morteSoltaTravas();
    std::error_code ec;
    std::filesystem::remove(dbf_, ec);
    std::filesystem::remove(cdx_ + ".CDX", ec);
    return ok;
  }

 private:
  rt::Result<std::unique_ptr<rt::db::Table>> abre() {
    auto t = rt::db::Table::open(dbf_, {});
    if (t) {
      if (rt::Status s = (*t)->openIndex(cdx_, "CPF"); !s) return s;
    }
    return t;
  }

  bool falha(const std::string& porque) {
    std::printf("lock probe: %s\n", porque.c_str());
    return false;
  }

  // A child that takes `pega` (record 1's lock, or the file's) and holds it until told, or is
  // killed holding it.
  static pid_t segura(const std::string& dbf, bool arquivo, int aviso[2], int ordem[2]) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    ::close(aviso[0]);
    ::close(ordem[1]);
    auto t = rt::db::Table::open(dbf, {});
    const bool ok = t && (arquivo ? (*t)->lockFile() : (*t)->lockRecord(1)).isOk();
    (void)!::write(aviso[1], ok ? "1" : "0", 1);
    char c;
    (void)!::read(ordem[0], &c, 1);
    _exit(ok ? 0 : 1);
  }

  // While another process holds record 1 (or the whole file), neither record 1 nor the file
  // can be had here; once it lets go (or is killed), both can.
  bool presoPorOutro(bool arquivo, bool mata) {
    int aviso[2], ordem[2];
    if (::pipe(aviso) != 0 || ::pipe(ordem) != 0) return falha("no pipe");
    const pid_t pid = segura(dbf_, arquivo, aviso, ordem);
    ::close(aviso[1]);
    ::close(ordem[0]);
    char c = '0';
    (void)!::read(aviso[0], &c, 1);
    auto t = abre();
    bool ok = c == '1' && t.isOk();
    if (!ok) falha("another process could not take a lock");
    if (ok && (*t)->lockRecord(1).code() != rt::Error::kLocked)
      ok = falha(std::string("record 1 was given while another process held ") + (arquivo ? "the file" : "it"));
    if (ok && (*t)->lockFile().code() != rt::Error::kLocked)
      ok = falha("the file lock was given while another process held a lock in it");
    if (mata)
      ::kill(pid, SIGKILL);
    else
      (void)!::write(ordem[1], "x", 1);
    ::waitpid(pid, nullptr, 0);
    ::close(aviso[0]);
    ::close(ordem[1]);
    if (ok && !(*t)->lockRecord(1))
      ok = falha(mata ? "a killed process's lock stayed" : "a lock let go stayed");
    if (ok && !(*t)->unlock()) ok = falha("a lock could not be let go");
    return ok;
  }

  bool registroPreso() { return presoPorOutro(false, false) && presoPorOutro(true, false); }
  bool morteSoltaTravas() { return presoPorOutro(false, true) && presoPorOutro(true, true); }

  // Two processes appending at once never get one record number (the append lock), and the
  // index holds every record once.
  bool anexosAlternados() {
    constexpr int kCada = 300;
    pid_t filhos[2];
    for (int k = 0; k < 2; ++k) {
      filhos[k] = ::fork();
      if (filhos[k] == 0) {
        auto t = abre();
        bool ok = t.isOk();
        for (int i = 0; ok && i < kCada; ++i)
          ok = (*t)->appendBlank() && (*t)->put("CPF", std::to_string(10000000000LL + k * 100000 + i)) &&
               (*t)->put("VALOR", Decimal::fromInt((*t)->recNo()));
        ok = ok && (*t)->unlock();
        _exit(ok ? 0 : 1);
      }
    }
    bool ok = true;
    for (pid_t f : filhos) {
      int st = 0;
      ::waitpid(f, &st, 0);
      ok = ok && WIFEXITED(st) && WEXITSTATUS(st) == 0;
    }
    if (!ok) return falha("a process appending beside another failed");
    auto t = abre();
    if (!t || (*t)->recordCount() != 1 + 2 * kCada) return falha("appends made at once were lost");
    for (std::uint32_t r = 2; r <= (*t)->recordCount(); ++r) {
      (*t)->goTo(r);
      if ((*t)->getNumber("VALOR") != Decimal::fromInt(r)) return falha("two appends got one record");
    }
    if (!(*t)->checkOrder(1)) return falha("the index lost an append made beside another");
    return true;
  }

  std::string dbf_, cdx_;
};

std::vector<int> listaDe(std::string_view s) {
  std::vector<int> v;
  std::string item;
  std::istringstream in{std::string(s)};
  while (std::getline(in, item, ','))
    if (!item.empty()) v.push_back(std::atoi(item.c_str()));
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Opcoes o;
  if (bench::smoke()) {
    o.terminais = {1, 2};
    o.segundos = 0.5;
    o.contribuintes = 40;
  }
  std::vector<std::string> pastas;
  bool sonda = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--sonda")
      sonda = true;
    else if (a.starts_with("--terminais="))
      o.terminais = listaDe(a.substr(12));
    else if (a.starts_with("--primeiro="))
      o.primeiro = std::atoi(argv[i] + 11);
    else if (a.starts_with("--segundos="))
      o.segundos = std::atof(argv[i] + 11);
    else if (a.starts_with("--contribuintes="))
      o.contribuintes = std::atoi(argv[i] + 16);
    else if (a.starts_with("--")) {
      std::fprintf(stderr, "unknown option %s\n", argv[i]);
      return 2;
    } else
      pastas.emplace_back(a);
  }
  if (sonda) {
    if (pastas.size() != 1) {
      std::fprintf(stderr, "usage: %s --sonda FOLDER\n", argv[0]);
      return 2;
    }
    const bool ok = Sonda(pastas[0]).roda();
    std::printf("lock probe: %s\n", ok ? "ok" : "FAILED");
    return ok ? 0 : 1;
  }
  std::optional<std::string> rascunho;
  if (pastas.size() == 2) {
    o.programa = std::filesystem::absolute(pastas[0]).lexically_normal().string();
    o.dados = std::filesystem::absolute(pastas[1]).lexically_normal().string();
  } else if (pastas.empty()) {
    std::string modelo = (std::filesystem::temp_directory_path() / "tavren-bench-terminais-XXXXXX").string();
    rascunho = mkdtemp(modelo.data());
    o.programa = *rascunho + "/prog";
    o.dados = *rascunho + "/dados";
  } else {
    std::fprintf(stderr, "usage: %s [--terminais=1,5,20,50] [--segundos=S] [--contribuintes=K] [PROGRAM DATA]\n",
                 argv[0]);
    return 2;
  }
  std::filesystem::create_directories(o.programa);
  std::filesystem::create_directories(o.dados);
  if (!preparaPasta(o)) {
    std::fprintf(stderr, "ERROR OCCURRED: the folders could not be prepared\n");
    return 1;
  }

  std::vector<Resultado> resultados;
  for (int n : o.terminais) {
    benchmark::RegisterBenchmark(("Terminais/" + std::to_string(n)).c_str(), [&o, &resultados, n](benchmark::State& st) {
      for (auto _ : st) {
        Resultado r = corre(o, n);
        st.SetIterationTime(r.segundos);
        st.counters["ciclos_s"] = static_cast<double>(r.soma.ciclos) / r.segundos;
        st.counters["erros"] = static_cast<double>(r.soma.erros);
        st.counters["recusas"] = static_cast<double>(r.soma.recusas);
        st.counters["esperas"] = static_cast<double>(r.soma.esperas);
        st.counters["perdidos"] = static_cast<double>(r.perdidos);
        const bool ruim = r.soma.erros > 0 || r.parados > 0 || r.perdidos > 0 || r.indicesRuins > 0;
        resultados.push_back(std::move(r));
        if (ruim) st.SkipWithError("errors, stopped terminals, lost saves or broken indexes");
      }
    })->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  imprimeTabela(resultados);
  if (rascunho) {
    std::error_code ec;
    std::filesystem::remove_all(*rascunho, ec);
  }
  bool ok = !resultados.empty();
  for (const Resultado& r : resultados)
    ok = ok && r.soma.erros == 0 && r.parados == 0 && r.perdidos == 0 && r.indicesRuins == 0;
  return ok ? 0 : 1;
}
