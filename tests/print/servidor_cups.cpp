#include "servidor_cups.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/child_process.h"

namespace print_test {

namespace {

bool roda(const std::string& programa, std::vector<std::string> args, std::string* saida = nullptr) {
  auto r = platform::runAndCapture(programa, args, {.environment = {}, .mergeErrors = true, .maxOutput = 1 << 16,
                                                    .timeout = std::chrono::seconds(20)});
  if (saida != nullptr) *saida = r ? r->output : r.status().detail();
  return r && r->status.succeeded();
}

}  // namespace

ServidorCups::ServidorCups() {
  const std::string cupsd = "/usr/sbin/cupsd";
  if (!std::filesystem::exists(cupsd) || platform::findProgram("lpadmin").empty()) {
    falha_ = "cupsd or lpadmin is not installed (scripts/install-deps installs cups)";
    return;
  }
  const std::string d = pasta_.caminho();
  const bool root = ::getuid() == 0;
  // The scheduler runs its backends as User: as root it must be an unprivileged one (lp),
  // who needs to reach the scratch folder.
  ::chmod(d.c_str(), 0777);
  // The programs' folders must not be writable by others, or the scheduler refuses them.
  for (const char* sub : {"conf", "spool", "cache", "state", "log", "tmp", "bin", "bin/backend"}) {
    std::filesystem::create_directories(pasta_ / sub);
    ::chmod((pasta_ / sub).c_str(), std::string_view(sub).starts_with("bin") ? 0755 : 0777);
  }
  for (const char* sub : {"daemon", "filter", "notifier", "monitor", "cgi-bin"})
    std::filesystem::create_symlink(std::string("/usr/lib/cups/") + sub, pasta_ / ("bin/" + std::string(sub)));
  escreve(pasta_ / "bin/backend/captura",
          "#!/bin/sh\n"
          "[ $# -eq 0 ] && { echo 'direct captura \"Unknown\" \"Captura\"'; exit 0; }\n"
          "alvo=${DEVICE_URI#captura:}\n"
          "if [ -n \"$6\" ]; then cat \"$6\" >> \"$alvo\"; else cat >> \"$alvo\"; fi\n");
  ::chmod((pasta_ / "bin/backend/captura").c_str(), 0755);
  // The scheduler listens on a socket in the scratch folder, never on a port: a port found
  // free and let go before the scheduler binds it could be taken meanwhile by another test,
  // whose server the printing test would then talk to.
  const std::string soquete = d + "/cups.sock";
  escreve(pasta_ / "conf/cupsd.conf", "Listen " + soquete +
                                          "\nLogLevel info\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                                          "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                          "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
  escreve(pasta_ / "conf/cups-files.conf",
          "ServerRoot " + d + "/conf\nRequestRoot " + d + "/spool\nCacheDir " + d + "/cache\nStateDir " + d +
              "/state\nTempDir " + d + "/tmp\nErrorLog " + d + "/log/error_log\nAccessLog " + d +
              "/log/access_log\nPageLog " + d + "/log/page_log\nServerBin " + d + "/bin\n" +
              (root ? "User lp\nGroup lp\nSystemGroup root\n" : "") + "Sandboxing Relaxed\n");

  if (const char* antes = std::getenv("CUPS_SERVER")) {
    tinhaServidor_ = true;
    servidorAntes_ = antes;
  }
  ::setenv("CUPS_SERVER", soquete.c_str(), 1);

  pid_ = ::fork();
  if (pid_ == 0) {
    ::execl(cupsd.c_str(), "cupsd", "-f", "-c", (d + "/conf/cupsd.conf").c_str(), "-s",
            (d + "/conf/cups-files.conf").c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  std::string dito;
  bool pronto = false;
  for (int i = 0; i < 600 && !pronto; ++i) {  // up to a minute on a loaded machine
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      falha_ = "cupsd ended at once: " + le(pasta_ / "log/error_log");
      return;
    }
    pronto = roda("lpstat", {"-r"}, &dito) && dito.find("is running") != std::string::npos;
  }
  if (!pronto) {
    falha_ = "cupsd did not answer: " + dito;
    return;
  }
  if (!roda("lpadmin", {"-p", "teste", "-E", "-v", "captura:" + saida(), "-m", "raw"}, &dito) ||
      !roda("lpadmin", {"-d", "teste"}, &dito))
    falha_ = "lpadmin: " + dito;
}

ServidorCups::~ServidorCups() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  if (tinhaServidor_)
    ::setenv("CUPS_SERVER", servidorAntes_.c_str(), 1);
  else
    ::unsetenv("CUPS_SERVER");
}

bool ServidorCups::espera(const std::string& texto) const {
  for (int i = 0; i < 200; ++i) {
    if (le(saida()).find(texto) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

}  // namespace print_test
