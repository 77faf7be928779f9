#include "platform/program_input.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

extern char** environ;

namespace platform {

using rt::Error;
using rt::Result;
using rt::Status;
using rt::UniqueFd;

namespace {

constexpr std::size_t kMaxOutput = 8192;

// Our environment with `extra` ("NAME=value") added or replacing ours.
std::vector<std::string> mergedEnvironment(const std::vector<std::string>& extra) {
  std::vector<std::string> env;
  for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
    std::string_view entry(*e);
    bool replaced = false;
    for (const std::string& x : extra)
      if (auto eq = x.find('='); eq != std::string::npos && entry.substr(0, eq + 1) == std::string_view(x).substr(0, eq + 1))
        replaced = true;
    if (!replaced) env.emplace_back(entry);
  }
  env.insert(env.end(), extra.begin(), extra.end());
  return env;
}

ExitStatus exitOf(int status) {
  ExitStatus s;
  if (WIFEXITED(status)) s.code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) s.signal = WTERMSIG(status);
  return s;
}

}  // namespace

Result<ProgramInput> ProgramInput::start(std::string_view program, const std::vector<std::string>& args,
                                         const std::vector<std::string>& environment) {
  const std::string path = findProgram(program);
  if (path.empty()) return Result<ProgramInput>(Error::kNotFound, "the program " + std::string(program) + " is not installed");

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return Result<ProgramInput>(Status::fromErrno(errno, "pipe"));
  UniqueFd readEnd(pipeFds[0]);
  UniqueFd writeEnd(pipeFds[1]);
  const char* tmp = std::getenv("TMPDIR");
  UniqueFd out(::open(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
  if (!out.valid()) return Result<ProgramInput>(Status::fromErrno(errno, "scratch file for " + path));

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, readEnd.get(), 0);
  posix_spawn_file_actions_adddup2(&actions, out.get(), 1);
  posix_spawn_file_actions_adddup2(&actions, out.get(), 2);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int sig : {SIGINT, SIGQUIT, SIGPIPE, SIGCHLD, SIGHUP, SIGTERM}) sigaddset(&defaults, sig);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

  std::vector<std::string> env = mergedEnvironment(environment);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid = -1;
  const int rc = posix_spawn(&pid, path.c_str(), &actions, &attr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) return Result<ProgramInput>(Status::fromErrno(rc, "start " + path));

  ProgramInput p;
  p.pid_ = pid;
  p.input_ = std::move(writeEnd);
  p.output_ = std::move(out);
  return p;
}

ProgramInput::ProgramInput(ProgramInput&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), input_(std::move(other.input_)), output_(std::move(other.output_)) {}

ProgramInput& ProgramInput::operator=(ProgramInput&& other) noexcept {
  if (this != &other) {
    // The program replaced is waited for; how it ended was not asked for.
    if (pid_ > 0) (void)finish();
    pid_ = std::exchange(other.pid_, -1);
    input_ = std::move(other.input_);
    output_ = std::move(other.output_);
  }
  return *this;
}

ProgramInput::~ProgramInput() {
  // Waited for, so no zombie stays; how it ended was not asked for.
  if (pid_ > 0) (void)finish();
}

Status ProgramInput::write(std::string_view bytes) {
  if (!input_.valid()) return {Error::kIo, "the program's input is closed"};
  // A program that has gone away must give EPIPE, not end this program with SIGPIPE: the
  // signal is blocked for this thread while writing and a pending one is taken back.
  sigset_t pipeSet, old;
  sigemptyset(&pipeSet);
  sigaddset(&pipeSet, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSet, &old);
  Status result;
  while (!bytes.empty()) {
    const ssize_t n = ::write(input_.get(), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      result = Status::fromErrno(err, "write to print program");
      if (err == EPIPE) {
        const timespec zero{};
        while (sigtimedwait(&pipeSet, nullptr, &zero) > 0) {
        }
      }
      break;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  return result;
}

Result<CapturedRun> ProgramInput::finish() {
  if (pid_ <= 0) return Result<CapturedRun>(Error::kBadArgument, "the program has already ended");
  input_.reset();
  int status = 0;
  pid_t r;
  while ((r = ::waitpid(pid_, &status, 0)) < 0 && errno == EINTR) {
  }
  const int waitErr = errno;
  pid_ = -1;
  if (r < 0) return Result<CapturedRun>(Status::fromErrno(waitErr, "wait for print program"));
  CapturedRun run;
  run.status = exitOf(status);
  char buf[1024];
  for (off_t at = 0; run.output.size() < kMaxOutput;) {
    const ssize_t n = ::pread(output_.get(), buf, sizeof buf, at);
    if (n <= 0) break;
    run.output.append(buf, static_cast<std::size_t>(n));
    at += n;
  }
  output_.reset();
  return run;
}

}  // namespace platform
