// Files in shared folders: a name the program writes is never followed when it is a link (or
// no plain file), and the scratch files of a killed writer are swept while a living writer's
// stay.
#include "rt/fs/shared_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/links_plantados.h"
#include "support/scratch_dir.h"

namespace rt::fs {
namespace {

namespace sfs = std::filesystem;

std::string le(const std::string& c) {
  std::ifstream in(c, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class Pasta : public ::testing::Test {
 protected:
  Pasta() : dir(support::makeScratchDir("fs")), fora(support::makeScratchDir("fsfora")) {}
  ~Pasta() override {
    support::removeScratchDir(dir);
    support::removeScratchDir(fora);
  }
  std::vector<std::string> nomes() const {
    std::vector<std::string> v;
    for (const auto& e : sfs::directory_iterator(dir)) v.push_back(e.path().filename().string());
    std::sort(v.begin(), v.end());
    return v;
  }
  std::string dir, fora;
};

TEST_F(Pasta, AnyLinkOrOtherThanAPlainFileIsRefusedBeforeAnythingIsWritten) {
  const std::string nome = dir + "/SAIDA.TXT";
  for (int flags : {O_WRONLY | O_CREAT | O_TRUNC, O_RDWR | O_CREAT, O_WRONLY | O_CREAT | O_APPEND, O_RDWR}) {
    for (support::Planta p : support::plantas()) {
      SCOPED_TRACE(std::string(support::nomePlanta(p)) + " flags " + std::to_string(flags));
      const std::string alvo = support::planta(p, nome, fora);
      const Result<UniqueFd> aberto = openForWriting(nome, flags);
      EXPECT_EQ(aberto.status().sysError(), ELOOP);
      EXPECT_EQ(aberto.status().detail(), "open " + nome + ": " + std::strerror(ELOOP));
      EXPECT_TRUE(isRefusal(aberto.status()));
      EXPECT_TRUE(support::intacto(p, alvo));
      EXPECT_EQ(checkReplaceable(nome).sysError(), ELOOP);
    }
    // A second name of another file, a folder and a pipe at the name.
    sfs::remove_all(nome);
    std::ofstream(fora + "/outro") << "OUTRO";
    ASSERT_EQ(::link((fora + "/outro").c_str(), nome.c_str()), 0);
    EXPECT_EQ(openForWriting(nome, flags).status().sysError(), EMLINK);
    EXPECT_EQ(checkReplaceable(nome).sysError(), EMLINK);
    EXPECT_EQ(le(fora + "/outro"), "OUTRO");
    sfs::remove(nome);
    sfs::create_directory(nome);
    EXPECT_EQ(openForWriting(nome, flags).status().sysError(), EISDIR);
    sfs::remove(nome);
    ASSERT_EQ(::mkfifo(nome.c_str(), 0600), 0);
    // And no hang waiting for a reader.
    const Result<UniqueFd> tubo = openForWriting(nome, flags);
    EXPECT_EQ(tubo.status().sysError(), ENXIO);
    EXPECT_TRUE(isRefusal(tubo.status()));
    sfs::remove(nome);
  }
  // A plain file is written: emptied, appended to, created; a device node is the office's own.
  std::ofstream(nome) << "ANTIGO";
  {
    Result<UniqueFd> fd = openForWriting(nome, O_WRONLY | O_APPEND);
    ASSERT_TRUE(fd) << fd.status().message();
    ASSERT_EQ(::write(fd->get(), "+", 1), 1);
  }
  EXPECT_EQ(le(nome), "ANTIGO+");
  EXPECT_TRUE(openForWriting(nome, O_WRONLY | O_CREAT | O_TRUNC));
  EXPECT_EQ(le(nome), "");
  EXPECT_TRUE(checkReplaceable(nome));
  EXPECT_TRUE(checkReplaceable(dir + "/NOVO"));
  EXPECT_TRUE(openForWriting("/dev/null", O_WRONLY | O_TRUNC));
  // A name already there is no scratch file's to take.
  const Result<UniqueFd> tomado = createHeld(nome);
  EXPECT_EQ(tomado.status().sysError(), EEXIST);
  EXPECT_EQ(tomado.status().code(), Error::kExists);
}

TEST_F(Pasta, AScratchFileIsPutInPlaceByARenameAndNeverWrittenThroughTheTarget) {
  const std::string alvo = dir + "/INDICE.XML";
  {
    Result<ScratchFile> s = ScratchFile::beside(alvo);
    ASSERT_TRUE(s) << s.status().message();
    EXPECT_TRUE(isScratchName(sfs::path(s->path()).filename().string())) << s->path();
    EXPECT_TRUE(s->write("NOVO"));
    const int outro = ::open(s->path().c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_TRUE(isHeld(outro));
    ::close(outro);
  }
  EXPECT_TRUE(nomes().empty()) << "a scratch file dropped unrenamed goes";
  const std::string fonte = fora + "/fonte";
  std::ofstream(fonte) << "COPIA";
  for (support::Planta p : support::plantas()) {
    const std::string t = support::planta(p, alvo, fora);
    EXPECT_EQ(replaceWithCopy(fonte, alvo).sysError(), ELOOP) << support::nomePlanta(p);
    EXPECT_TRUE(support::intacto(p, t));
  }
  sfs::remove(alvo);
  EXPECT_TRUE(replaceWithCopy(fonte, alvo));
  EXPECT_EQ(le(alvo), "COPIA");
  EXPECT_EQ(nomes(), std::vector<std::string>{"INDICE.XML"});
  EXPECT_FALSE(isScratchName("INDICE.XML.tmp12345"));
  EXPECT_FALSE(isScratchName("INDICE.XML.tmp12345!"));
  EXPECT_FALSE(isScratchName(".tmpABCDEF"));
}

// A child process makes a scratch file beside `alvo`, says its name and waits to be killed.
pid_t escritor(const std::string& alvo, std::string& nome) {
  int tubo[2];
  if (::pipe(tubo) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(tubo[0]);
    Result<ScratchFile> s = ScratchFile::beside(alvo);
    const std::string n = (s ? s->path() : std::string()) + "\n";
    if (::write(tubo[1], n.data(), n.size()) < 0) ::_exit(1);
    for (;;) ::pause();
  }
  ::close(tubo[1]);
  char c = 0;
  nome.clear();
  while (::read(tubo[0], &c, 1) == 1 && c != '\n') nome += c;
  ::close(tubo[0]);
  return pid;
}

TEST_F(Pasta, TheSweepRemovesAKilledWritersScratchFilesAndLeavesALivingOnesAndOthers) {
  std::string morto, vivo;
  const pid_t m = escritor(dir + "/IMP0110.CDX", morto);
  const pid_t v = escritor(dir + "/iddeclaracoes.xml", vivo);
  ASSERT_GT(m, 0);
  ASSERT_GT(v, 0);
  ::kill(m, SIGKILL);
  ::waitpid(m, nullptr, 0);
  Result<ScratchFile> meu = ScratchFile::beside(dir + "/TAVREN.KEY");
  ASSERT_TRUE(meu);
  std::ofstream(dir + "/IMP0110.DBF") << "TABELA";
  std::ofstream(dir + "/ANTIGO.tmpABCDEF") << "sem dono";  // older versions held nothing
  std::ofstream(dir + "/iddeclaracoes.xml.4242.tmp") << "antigo";
  ASSERT_EQ(::symlink((fora + "/x").c_str(), (dir + "/LINK.tmpABCDEF").c_str()), 0);

  EXPECT_EQ(sweepScratch(dir, [](std::string_view n) { return n == "iddeclaracoes.xml.4242.tmp"; }), 3);
  EXPECT_FALSE(sfs::exists(morto));
  EXPECT_TRUE(sfs::exists(vivo));
  EXPECT_TRUE(sfs::exists(meu->path()));
  EXPECT_TRUE(sfs::exists(dir + "/IMP0110.DBF"));
  EXPECT_TRUE(sfs::is_symlink(dir + "/LINK.tmpABCDEF"));
  ::kill(v, SIGKILL);
  ::waitpid(v, nullptr, 0);
  EXPECT_EQ(sweepScratch(dir), 1);
  EXPECT_FALSE(sfs::exists(vivo));
}

}  // namespace
}  // namespace rt::fs
