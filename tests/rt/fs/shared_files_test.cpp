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
      errno = 0;
      EXPECT_EQ(openForWriting(nome, flags), -1);
      EXPECT_EQ(errno, ELOOP);
      EXPECT_TRUE(isRefusal(errno));
      EXPECT_TRUE(support::intacto(p, alvo));
      EXPECT_EQ(checkReplaceable(nome), ELOOP);
    }
    // A second name of another file, a folder and a pipe at the name.
    sfs::remove_all(nome);
    std::ofstream(fora + "/outro") << "OUTRO";
    ASSERT_EQ(::link((fora + "/outro").c_str(), nome.c_str()), 0);
    EXPECT_EQ(openForWriting(nome, flags), -1);
    EXPECT_EQ(errno, EMLINK);
    EXPECT_EQ(checkReplaceable(nome), EMLINK);
    EXPECT_EQ(le(fora + "/outro"), "OUTRO");
    sfs::remove(nome);
    sfs::create_directory(nome);
    EXPECT_EQ(openForWriting(nome, flags), -1);
    EXPECT_EQ(errno, EISDIR);
    sfs::remove(nome);
    ASSERT_EQ(::mkfifo(nome.c_str(), 0600), 0);
    EXPECT_EQ(openForWriting(nome, flags), -1);  // and no hang waiting for a reader
    EXPECT_EQ(errno, ENXIO);
    EXPECT_TRUE(isRefusal(errno));
    sfs::remove(nome);
  }
  // A plain file is written: emptied, appended to, created; a device node is the office's own.
  std::ofstream(nome) << "ANTIGO";
  int fd = openForWriting(nome, O_WRONLY | O_APPEND);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "+", 1), 1);
  ::close(fd);
  EXPECT_EQ(le(nome), "ANTIGO+");
  fd = openForWriting(nome, O_WRONLY | O_CREAT | O_TRUNC);
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_EQ(le(nome), "");
  EXPECT_EQ(checkReplaceable(nome), 0);
  EXPECT_EQ(checkReplaceable(dir + "/NOVO"), 0);
  fd = openForWriting("/dev/null", O_WRONLY | O_TRUNC);
  EXPECT_GE(fd, 0);
  ::close(fd);
}

TEST_F(Pasta, AScratchFileIsPutInPlaceByARenameAndNeverWrittenThroughTheTarget) {
  const std::string alvo = dir + "/INDICE.XML";
  {
    ScratchFile s = ScratchFile::beside(alvo);
    ASSERT_TRUE(s.ok()) << s.error();
    EXPECT_TRUE(isScratchName(sfs::path(s.path()).filename().string())) << s.path();
    EXPECT_EQ(s.write("NOVO"), 0);
    const int outro = ::open(s.path().c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_TRUE(isHeld(outro));
    ::close(outro);
  }
  EXPECT_TRUE(nomes().empty()) << "a scratch file dropped unrenamed goes";
  const std::string fonte = fora + "/fonte";
  std::ofstream(fonte) << "COPIA";
  for (support::Planta p : support::plantas()) {
    const std::string t = support::planta(p, alvo, fora);
    EXPECT_EQ(replaceWithCopy(fonte, alvo), ELOOP) << support::nomePlanta(p);
    EXPECT_TRUE(support::intacto(p, t));
  }
  sfs::remove(alvo);
  EXPECT_EQ(replaceWithCopy(fonte, alvo), 0);
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
    ScratchFile s = ScratchFile::beside(alvo);
    const std::string n = s.path() + "\n";
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
  ScratchFile meu = ScratchFile::beside(dir + "/TAVREN.KEY");
  std::ofstream(dir + "/IMP0110.DBF") << "TABELA";
  std::ofstream(dir + "/ANTIGO.tmpABCDEF") << "sem dono";  // older versions held nothing
  std::ofstream(dir + "/iddeclaracoes.xml.4242.tmp") << "antigo";
  ASSERT_EQ(::symlink((fora + "/x").c_str(), (dir + "/LINK.tmpABCDEF").c_str()), 0);

  EXPECT_EQ(sweepScratch(dir, [](std::string_view n) { return n == "iddeclaracoes.xml.4242.tmp"; }), 3);
  EXPECT_FALSE(sfs::exists(morto));
  EXPECT_TRUE(sfs::exists(vivo));
  EXPECT_TRUE(sfs::exists(meu.path()));
  EXPECT_TRUE(sfs::exists(dir + "/IMP0110.DBF"));
  EXPECT_TRUE(sfs::is_symlink(dir + "/LINK.tmpABCDEF"));
  ::kill(v, SIGKILL);
  ::waitpid(v, nullptr, 0);
  EXPECT_EQ(sweepScratch(dir), 1);
  EXPECT_FALSE(sfs::exists(vivo));
}

}  // namespace
}  // namespace rt::fs
