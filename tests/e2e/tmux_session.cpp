#include "tmux_session.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace e2e {
namespace {

std::string run(const std::string& commandLine, int* status) {
  std::string out;
  std::FILE* pipe = ::popen(commandLine.c_str(), "r");
  if (pipe == nullptr) {
    if (status) *status = -1;
    return out;
  }
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  int rc = ::pclose(pipe);
  if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return out;
}

std::atomic<int> sessionCount{0};

// Whether a process of session `sid` (the pane's, which tmux makes its leader) still runs: the
// shell, the time limit, the script and the program below them. A zombie holds nothing and
// counts as gone.
bool sessionAlive(int sid) {
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator("/proc", ec)) {
    const std::string name = e.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream in(e.path() / "stat");
    std::string stat;
    if (!std::getline(in, stat)) continue;
    // "pid (comm) state ppid pgrp session ...": the command may hold spaces and parentheses.
    const std::size_t fim = stat.rfind(')');
    if (fim == std::string::npos) continue;
    char state = 0;
    int ppid = 0, pgrp = 0, session = 0;
    if (std::sscanf(stat.c_str() + fim + 1, " %c %d %d %d", &state, &ppid, &pgrp, &session) != 4) continue;
    if (session == sid && state != 'Z') return true;
  }
  return false;
}

}  // namespace

std::string shellQuote(const std::string& word) {
  std::string q = "'";
  for (char c : word) {
    if (c == '\'')
      q += "'\\''";
    else
      q += c;
  }
  return q + "'";
}

bool TmuxSession::available() {
  int status = 0;
  run("tmux -V >/dev/null 2>&1", &status);
  return status == 0;
}

TmuxSession::TmuxSession(const std::string& command, int width, int height) {
  // The socket in a folder of our own (short, as socket paths must be), removed afterwards.
  char folder[] = "/tmp/tavren-e2e-XXXXXX";
  if (::mkdtemp(folder) == nullptr) return;
  folder_ = folder;
  socket_ = folder_ + "/tmux-" + std::to_string(sessionCount++);
  target_ = "e2e";
  int status = 0;
  tmux({"-f", "/dev/null", "new-session", "-d", "-s", target_, "-x", std::to_string(width), "-y",
        std::to_string(height), command},
       &status);
  started_ = status == 0;
  // The window keeps the size given here, whatever clients come and go.
  if (started_) tmux({"set-option", "-t", target_, "window-size", "manual"});
}

TmuxSession::~TmuxSession() {
  if (folder_.empty()) return;
  const int pane = started_ ? std::atoi(format("#{pane_pid}").c_str()) : 0;
  tmux({"kill-server"});
  // The hang-up ends the program, which lets go of its locks only as it exits: a test that
  // goes on from here (another terminal opening what this one held) waits for that, not for
  // tmux to have been told.
  if (pane > 0) {
    const auto limite = std::chrono::steady_clock::now() + kEspera;
    while (sessionAlive(pane) && std::chrono::steady_clock::now() < limite)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::unlink(socket_.c_str());
  ::rmdir(folder_.c_str());
}

std::string TmuxSession::tmux(const std::vector<std::string>& args, int* status) {
  // A UTF-8 locale for tmux itself, so it keeps and captures the characters as they are.
  std::string line = "LC_ALL=C.UTF-8 tmux -S " + shellQuote(socket_);
  for (const auto& a : args) line += " " + shellQuote(a);
  line += " 2>/dev/null";
  return run(line, status);
}

void TmuxSession::keys(const std::vector<std::string>& names) {
  std::vector<std::string> args{"send-keys", "-t", target_};
  args.insert(args.end(), names.begin(), names.end());
  tmux(args);
}

void TmuxSession::text(const std::string& utf8) {
  tmux({"send-keys", "-t", target_, "-l", utf8});
}

void TmuxSession::bytes(std::string_view raw) {
  std::vector<std::string> args{"send-keys", "-t", target_, "-H"};
  for (unsigned char c : raw) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", c);
    args.emplace_back(hex);
  }
  tmux(args);
}

void TmuxSession::resize(int width, int height) {
  tmux({"resize-window", "-t", target_, "-x", std::to_string(width), "-y", std::to_string(height)});
}

std::string TmuxSession::format(const std::string& text) {
  std::string out = tmux({"display-message", "-p", "-t", target_, text});
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

std::string TmuxSession::capture() {
  return tmux({"capture-pane", "-p", "-J", "-t", target_});
}

std::string TmuxSession::captureWithColours() {
  return tmux({"capture-pane", "-p", "-e", "-t", target_});
}

std::string TmuxSession::state() {
  // One tmux call for both, so the cursor belongs to the screen captured.
  return tmux({"capture-pane", "-p", "-J", "-t", target_, ";", "display-message", "-p", "-t", target_,
               "cursor #{cursor_y},#{cursor_x} #{cursor_flag}"});
}

bool TmuxSession::waitFor(const std::function<bool(const std::string&)>& test,
                          std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (test(capture())) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

bool TmuxSession::waitForText(const std::string& utf8, std::chrono::milliseconds limit) {
  return waitFor([&](const std::string& screen) { return screen.find(utf8) != std::string::npos; }, limit);
}

bool TmuxSession::waitForChange(const std::string& before, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (state() != before) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace e2e
