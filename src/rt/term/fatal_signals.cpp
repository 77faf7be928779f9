#include "rt/term/fatal_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>

namespace rt::term::fatal {
namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// What the handler reads: plain fixed buffers filled beforehand, so it neither allocates nor
// locks. A signal handler can reach no object of the program, hence this one record of the
// process (each flag is set only after what it guards is in place).
struct State {
  bool installed = false;
  std::atomic<bool> terminalArmed{false};
  int inFd = -1, outFd = -1;
  termios modes{};
  char leave[256]{};
  std::size_t leaveSize = 0;
  std::atomic<bool> logSet{false};
  char logPath[PATH_MAX]{};
  char prefix[128]{};
  std::size_t prefixSize = 0;
  long utcOffset = 0;
  std::atomic<bool> handling{false};
};

State& state() {
  static State s;
  return s;
}

// The handler's own stack, for a fault that is a stack overflow.
alignas(16) char altStack[64 * 1024];

std::size_t copyInto(char* out, std::size_t size, std::string_view text) {
  const std::size_t n = std::min(text.size(), size - 1);
  std::copy_n(text.data(), n, out);
  out[n] = 0;
  return n;
}

std::string_view signalName(int sig) {
  switch (sig) {
    case SIGSEGV:
      return "SIGSEGV";
    case SIGBUS:
      return "SIGBUS";
    case SIGFPE:
      return "SIGFPE";
    case SIGILL:
      return "SIGILL";
    case SIGABRT:
      return "SIGABRT";
    default:
      return "?";
  }
}

// Appends to a fixed buffer, cutting what does not fit.
struct Line {
  char* out;
  std::size_t size, used = 0;
  void text(std::string_view t) {
    for (char c : t)
      if (used + 1 < size) out[used++] = c;
  }
  void number(long long v, int digits) {
    char d[20];
    for (int i = digits - 1; i >= 0; --i, v /= 10) d[i] = static_cast<char>('0' + v % 10);
    text({d, static_cast<std::size_t>(digits)});
  }
};

void writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

extern "C" void onFatalSignal(int sig) {
  State& s = state();
  const int savedErrno = errno;
  // A fault inside the handler itself goes straight to the default action (SA_RESETHAND).
  if (!s.handling.exchange(true)) {
    if (s.terminalArmed.load()) {
      writeAll(s.outFd, s.leave, s.leaveSize);
      // In the handler of a fatal signal nothing can be done about a call that fails: each is tried.
      (void)::tcsetattr(s.inFd, TCSANOW, &s.modes);
    }
    if (s.logSet.load()) {
      const int fd = ::open(s.logPath, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
      if (fd >= 0) {
        timespec now{};
        // Tried, as every call of the handler: a failed clock leaves the time zeroed in the line.
        (void)::clock_gettime(CLOCK_REALTIME, &now);
        char line[512];
        const std::size_t n =
            formatLine(line, sizeof line, now.tv_sec, s.utcOffset, {s.prefix, s.prefixSize}, sig);
        writeAll(fd, line, n);
        // The line was written or not; the process is ending either way.
        (void)::close(fd);
      }
    }
  }
  errno = savedErrno;
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  // Back to the default action; should it fail, SA_RESETHAND has already put it back.
  (void)::sigaction(sig, &dfl, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, sig);
  // Tried, as every call of the handler: the raise below ends the process on return at worst.
  (void)::sigprocmask(SIG_UNBLOCK, &only, nullptr);
  // With the default action restored the raise does not return; nothing is left to do if it does.
  (void)::raise(sig);
}

}  // namespace

void install() {
  State& s = state();
  if (s.installed) return;
  s.installed = true;
  stack_t stack{};
  stack.ss_sp = altStack;
  stack.ss_size = sizeof altStack;
  // Without its own stack the handler still runs, only not on a stack overflow.
  (void)::sigaltstack(&stack, nullptr);
  for (int sig : kFatalSignals) {
    struct sigaction old {};
    if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    struct sigaction act {};
    act.sa_handler = onFatalSignal;
    sigemptyset(&act.sa_mask);
    act.sa_flags = SA_RESETHAND | SA_ONSTACK;
    // A signal left to its default action still ends the process, only without the clean-up.
    (void)::sigaction(sig, &act, nullptr);
  }
}

void setLog(std::string_view path, std::string_view prefix) {
  State& s = state();
  s.logSet = false;
  if (path.empty() || path.size() >= sizeof s.logPath) return;
  copyInto(s.logPath, sizeof s.logPath, path);
  s.prefixSize = copyInto(s.prefix, sizeof s.prefix, prefix);
  // The local time's offset as it is now: localtime_r cannot be called in the handler.
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  s.utcOffset = ::localtime_r(&now, &local) != nullptr ? local.tm_gmtoff : 0;
  s.logSet = true;
}

void armTerminal(int inFd, int outFd, const termios& modes, std::string_view leave) {
  State& s = state();
  s.terminalArmed = false;
  s.inFd = inFd;
  s.outFd = outFd;
  s.modes = modes;
  s.leaveSize = copyInto(s.leave, sizeof s.leave, leave);
  s.terminalArmed = true;
}

void disarmTerminal() {
  state().terminalArmed = false;
}

std::size_t formatLine(char* out, std::size_t size, long long seconds, long offset, std::string_view prefix,
                       int sig) {
  if (size == 0) return 0;
  const long long local = seconds + offset;
  long long days = local / 86400, secs = local % 86400;
  if (secs < 0) {
    secs += 86400;
    --days;
  }
  // Civil date from days since 1970-01-01 (proleptic Gregorian).
  const long long z = days + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long day = doy - (153 * mp + 2) / 5 + 1;
  const long long month = mp < 10 ? mp + 3 : mp - 9;
  const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  Line l{out, size};
  l.number(day, 2);
  l.text("/");
  l.number(month, 2);
  l.text("/");
  l.number(year, 4);
  l.text(" ");
  l.number(secs / 3600, 2);
  l.text(":");
  l.number(secs / 60 % 60, 2);
  l.text(":");
  l.number(secs % 60, 2);
  l.text(" ");
  l.text(prefix);
  l.text(": erro fatal, sinal ");
  l.text(signalName(sig));
  l.text("\n");
  out[l.used] = 0;
  return l.used;
}

}  // namespace rt::term::fatal
