#include "platform/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/paths.h"
#include "rt/base/unique_fd.h"

extern char** environ;

namespace platform {

using rt::Error;
using rt::Result;
using rt::Status;
using rt::UniqueFd;

namespace {

class SpawnActions {
 public:
  SpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

class SpawnAttributes {
 public:
  // The child starts with default signal handling and nothing blocked, whatever the parent
  // does with its own signals (the curses layer and the waits below change them).
  SpawnAttributes() {
    posix_spawnattr_init(&attr_);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int sig : {SIGINT, SIGQUIT, SIGPIPE, SIGTSTP, SIGTTIN, SIGTTOU, SIGCHLD, SIGHUP, SIGTERM, SIGWINCH})
      sigaddset(&defaults, sig);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attr_, &defaults);
    posix_spawnattr_setsigmask(&attr_, &none);
    posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  }
  ~SpawnAttributes() { posix_spawnattr_destroy(&attr_); }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  posix_spawnattr_t* get() { return &attr_; }

 private:
  posix_spawnattr_t attr_;
};

// Ignores Ctrl-C and Ctrl-\ in this process while a child owns the terminal, as system() does.
class IgnoreInterrupts {
 public:
  IgnoreInterrupts() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGINT, &ignore, &oldInt_);
    sigaction(SIGQUIT, &ignore, &oldQuit_);
  }
  ~IgnoreInterrupts() {
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGQUIT, &oldQuit_, nullptr);
  }
  IgnoreInterrupts(const IgnoreInterrupts&) = delete;
  IgnoreInterrupts& operator=(const IgnoreInterrupts&) = delete;

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldQuit_ {};
};

class TerminalGuard {
 public:
  explicit TerminalGuard(TerminalHandover* t) : t_(t) {
    if (t_ != nullptr) t_->suspend();
  }
  ~TerminalGuard() {
    if (t_ != nullptr) t_->resume();
  }
  TerminalGuard(const TerminalGuard&) = delete;
  TerminalGuard& operator=(const TerminalGuard&) = delete;

 private:
  TerminalHandover* t_;
};

// Our environment with `extra` entries added or replacing those of the same name.
std::vector<std::string> mergedEnvironment(const std::vector<std::string>& extra) {
  std::vector<std::string> env;
  for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
    std::string_view entry(*e);
    std::string_view name = entry.substr(0, entry.find('='));
    bool replaced = false;
    for (const std::string& x : extra)
      if (std::string_view(x).substr(0, x.find('=')) == name) replaced = true;
    if (!replaced) env.emplace_back(entry);
  }
  for (const std::string& x : extra) env.push_back(x);
  return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (std::string& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

Result<pid_t> spawn(std::string_view program, std::span<const std::string> args, SpawnActions& actions,
                    const std::vector<std::string>& extraEnvironment) {
  std::string path(program);
  if (path.empty()) return Result<pid_t>(Error::kBadArgument, "no program");
  std::vector<std::string> argStrings;
  argStrings.push_back(path);
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv = pointers(argStrings);
  std::vector<std::string> envStrings = mergedEnvironment(extraEnvironment);
  std::vector<char*> envp = pointers(envStrings);
  SpawnAttributes attr;
  pid_t pid = 0;
  // posix_spawnp looks the name up in PATH only when it holds no "/".
  int rc = posix_spawnp(&pid, path.c_str(), actions.get(), attr.get(), argv.data(), envp.data());
  if (rc != 0) return Status::fromErrno(rc, "start " + path);
  return pid;
}

Result<ExitStatus> waitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return Status::fromErrno(errno, "waitpid");
  }
  ExitStatus out;
  if (WIFEXITED(status)) out.code = WEXITSTATUS(status);
  else if (WIFSIGNALED(status)) out.signal = WTERMSIG(status);
  return out;
}

}  // namespace

Result<ExitStatus> runProgram(std::string_view program, std::span<const std::string> args, const RunOptions& options) {
  // Checked here so that a missing folder is not reported as a missing program.
  if (!options.workingFolder.empty() && ::access(options.workingFolder.c_str(), X_OK) != 0)
    return Status::fromErrno(errno, "working folder " + options.workingFolder);
  SpawnActions actions;
  if (!options.workingFolder.empty()) posix_spawn_file_actions_addchdir_np(actions.get(), options.workingFolder.c_str());
  if (options.quiet)
    for (int fd : {0, 1, 2}) posix_spawn_file_actions_addopen(actions.get(), fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  TerminalGuard terminal(options.terminal);
  IgnoreInterrupts ignore;
  Result<pid_t> pid = spawn(program, args, actions, options.environment);
  if (!pid) return pid.status();
  return waitFor(*pid);
}

Result<CapturedRun> runAndCapture(std::string_view program, std::span<const std::string> args,
                                  const CaptureOptions& options) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return Status::fromErrno(errno, "pipe");
  UniqueFd readEnd(fds[0]);
  UniqueFd writeEnd(fds[1]);
  SpawnActions actions;
  posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(actions.get(), writeEnd.get(), 1);
  if (options.mergeErrors) posix_spawn_file_actions_adddup2(actions.get(), writeEnd.get(), 2);
  else posix_spawn_file_actions_addopen(actions.get(), 2, "/dev/null", O_WRONLY, 0);
  Result<pid_t> pid = spawn(program, args, actions, options.environment);
  writeEnd.reset();
  if (!pid) return pid.status();

  CapturedRun run;
  auto deadline = std::chrono::steady_clock::now() + options.timeout;
  char buf[4096];
  for (;;) {
    int waitMs = -1;
    if (options.timeout.count() > 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) {
        ::kill(*pid, SIGKILL);
        // Reaped after the kill; the run has failed already and says so.
        (void)waitFor(*pid);
        return Result<CapturedRun>(Error::kFailed, std::string(program) + ": no answer in time");
      }
      waitMs = static_cast<int>(left.count());
    }
    pollfd p{readEnd.get(), POLLIN, 0};
    int r = ::poll(&p, 1, waitMs);
    if (r < 0) {
      if (errno == EINTR) continue;
      ::kill(*pid, SIGKILL);
      // Reaped after the kill; the run has failed already and says so.
      (void)waitFor(*pid);
      return Status::fromErrno(errno, "poll");
    }
    if (r == 0) continue;
    ssize_t n = ::read(readEnd.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (n == 0) break;
    std::size_t room = options.maxOutput > run.output.size() ? options.maxOutput - run.output.size() : 0;
    run.output.append(buf, std::min(room, static_cast<std::size_t>(n)));
  }
  // The output is closed; the program may still be running (or a descendant kept the pipe
  // open until now). Within the time limit, wait; past it, kill.
  if (options.timeout.count() > 0) {
    for (;;) {
      int status = 0;
      pid_t r = ::waitpid(*pid, &status, WNOHANG);
      if (r == *pid) {
        if (WIFEXITED(status)) run.status.code = WEXITSTATUS(status);
        else if (WIFSIGNALED(status)) run.status.signal = WTERMSIG(status);
        return run;
      }
      if (r < 0 && errno != EINTR) return Status::fromErrno(errno, "waitpid");
      if (std::chrono::steady_clock::now() >= deadline) {
        ::kill(*pid, SIGKILL);
        // Reaped after the kill; the run has failed already and says so.
        (void)waitFor(*pid);
        return Result<CapturedRun>(Error::kFailed, std::string(program) + ": no answer in time");
      }
      ::usleep(5000);
    }
  }
  Result<ExitStatus> status = waitFor(*pid);
  if (!status) return status.status();
  run.status = *status;
  return run;
}

Result<std::string> runningProgramFolder() {
  std::vector<char> buf(4096);
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n < 0) return Status::fromErrno(errno, "readlink /proc/self/exe");
  std::string exe(buf.data(), static_cast<std::size_t>(n));
  std::size_t slash = exe.find_last_of('/');
  if (slash == std::string::npos) return Result<std::string>(Error::kNotFound, exe);
  return slash == 0 ? std::string("/") : exe.substr(0, slash);
}

std::string findProgram(std::string_view program) {
  if (program.empty()) return {};
  if (program.find('/') != std::string_view::npos) {
    std::string p(program);
    return ::access(p.c_str(), X_OK) == 0 ? p : std::string();
  }
  const char* path = std::getenv("PATH");
  std::string_view dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    std::size_t colon = dirs.find(':');
    std::string_view dir = dirs.substr(0, colon);
    std::string candidate = join(dir.empty() ? "." : dir, program);
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string_view::npos) break;
    dirs.remove_prefix(colon + 1);
  }
  return {};
}

}  // namespace platform
