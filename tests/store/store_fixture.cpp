#include "store_fixture.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>

#include "store/abertura.h"

namespace store::teste {

StoreFixture::StoreFixture() : ContextoFixture("store") { ctx.PASTA_SEMENTE = TAVREN_SEED_DIR; }

std::unique_ptr<rt::db::Table> abre(const std::string& caminho, bool exclusivo) {
  rt::db::OpenOptions o;
  o.exclusive = exclusivo;
  auto t = rt::db::Table::open(caminho, o);
  EXPECT_TRUE(t.isOk()) << caminho << ": " << t.status().message();
  return t ? std::move(*t) : nullptr;
}

OutroTerminal::OutroTerminal(Segura segura, std::chrono::milliseconds por) {
  // A child that already let go has closed its end; telling it again must not kill the test.
  std::signal(SIGPIPE, SIG_IGN);
  int pronto[2], ordem[2];
  if (pipe(pronto) != 0 || pipe(ordem) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    // The parent's open tables must not live on in the child: a lock belongs to the open
    // file, which an inherited descriptor would keep alive after the parent closed it.
    for (int fd = 3; fd < 1024; ++fd)
      if (fd != pronto[1] && fd != ordem[0]) close(fd);
    auto tabelas = segura();
    const bool ok = std::all_of(tabelas.begin(), tabelas.end(), [](const auto& t) { return t != nullptr; });
    const char c = ok ? '1' : '0';
    (void)!write(pronto[1], &c, 1);
    pollfd p{ordem[0], POLLIN, 0};
    (void)poll(&p, 1, por.count() < 0 ? -1 : static_cast<int>(por.count()));
    // Leaving drops every open and lock of the child at once.
    _exit(0);
  }
  close(pronto[1]);
  close(ordem[0]);
  ordem_ = ordem[1];
  char c = '0';
  if (pid_ > 0 && read(pronto[0], &c, 1) == 1) pronto_ = c == '1';
  close(pronto[0]);
}

void OutroTerminal::libera() {
  if (pid_ <= 0) return;
  const char c = 'x';
  (void)!write(ordem_, &c, 1);
  close(ordem_);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
}

OutroTerminal::~OutroTerminal() { libera(); }

void StoreFixture::configDoTerminal(const std::string& nusu, std::vector<std::pair<std::string, std::string>> campos) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::CONFIG));
  rt::db::Table& c = *area(store::Area::CONFIG);
  ASSERT_TRUE(c.appendBlank());
  ASSERT_TRUE(c.put("NRO_TERM", nusu));
  for (auto& [campo, valor] : campos) ASSERT_TRUE(c.put(campo, valor));
  ASSERT_TRUE(c.commit());
  ASSERT_TRUE(c.unlock());
}

std::string leArquivo(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  std::ostringstream o;
  o << f.rdbuf();
  return o.str();
}

void escreveArquivo(const std::string& caminho, std::string_view bytes) {
  std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace store::teste
