#include "platform/printer.h"

#include <fcntl.h>
#include <linux/lp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "platform/child_process.h"
#include "platform/drive.h"
#include "platform/temp_file.h"
#include "rt/base/unique_fd.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace platform {

using rt::Error;
using rt::Result;
using rt::Status;
using rt::UniqueFd;

namespace {

constexpr std::chrono::seconds kSpoolerTimeout{60};
constexpr std::chrono::seconds kQueryTimeout{10};

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// "LPT3:" -> {'L', 3}; {0, 0} when not a port name.
std::pair<char, int> parsePort(std::string_view name) {
  std::string n = rt::text::upper(trimBlanks(name));
  if (!n.empty() && n.back() == ':') n.pop_back();
  if (n == "PRN") return {'L', 1};
  if (n == "AUX") return {'C', 1};
  if (n.size() == 4 && n[3] >= '1' && n[3] <= '9') {
    if (n.starts_with("LPT")) return {'L', n[3] - '0'};
    if (n.starts_with("COM")) return {'C', n[3] - '0'};
  }
  return {0, 0};
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

std::vector<std::string> localeC() { return {"LC_ALL=C", "LANG=C"}; }

}  // namespace

PortMap::PortMap(std::string deviceRoot, const EnvLookup& env)
    : root_(std::move(deviceRoot)), lpt_(10), com_(10) {
  for (int n = 1; n <= 9; ++n) {
    std::string suffix = std::to_string(n);
    if (const char* v = env(("TAVREN_LPT" + suffix).c_str()); v != nullptr && v[0] != '\0') lpt_[static_cast<std::size_t>(n)] = v;
    if (const char* v = env(("TAVREN_COM" + suffix).c_str()); v != nullptr && v[0] != '\0') com_[static_cast<std::size_t>(n)] = v;
  }
}

std::string PortMap::parallel(int n) const {
  if (n < 1 || n > 9) return {};
  if (!lpt_[static_cast<std::size_t>(n)].empty()) return lpt_[static_cast<std::size_t>(n)];
  std::string usb = join(root_, "usb/lp" + std::to_string(n - 1));
  return exists(usb) ? usb : join(root_, "lp" + std::to_string(n - 1));
}

std::string PortMap::serial(int n) const {
  if (n < 1 || n > 9) return {};
  if (!com_[static_cast<std::size_t>(n)].empty()) return com_[static_cast<std::size_t>(n)];
  return join(root_, "ttyS" + std::to_string(n - 1));
}

std::optional<std::string> PortMap::device(std::string_view portName) const {
  auto [kind, n] = parsePort(portName);
  if (kind == 'L') return parallel(n);
  if (kind == 'C') return serial(n);
  return std::nullopt;
}

bool isPortName(std::string_view name) { return parsePort(name).first != 0; }

std::string cupsQueueName(std::string_view windowsName) {
  std::string_view s = trimBlanks(windowsName);
  if (s.size() >= 2 && isSeparator(s[0]) && isSeparator(s[1])) {
    // "\\server\queue": the queue's own name, the last part.
    while (!s.empty() && isSeparator(s.back())) s.remove_suffix(1);
    s = lastComponent(s);
  }
  std::string out;
  for (char c : s) {
    auto u = static_cast<unsigned char>(c);
    bool refused = u <= 0x20 || u >= 0x7F || c == '/' || c == '\\' || c == '#' || c == '\'' || c == '"' || c == ',';
    out += refused ? '_' : c;
  }
  if (out.size() > 127) out.resize(127);
  return out;
}

bool deviceReady(std::string_view devicePath) {
  std::string path(devicePath);
  if (path.empty()) return false;
  if (lastComponent(path).starts_with("tty")) return true;  // ttyS0, ttyUSB0: serial
  UniqueFd fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.valid()) return false;
  int status = 0;
  if (::ioctl(fd.get(), LPGETSTATUS, &status) != 0) return true;  // the driver does not say: assume ready
  bool online = (status & LP_PSELECD) != 0;
  bool paperOut = (status & LP_POUTPA) != 0;
  bool error = (status & LP_PERRORP) == 0;  // the error line is active low
  return online && !paperOut && !error;
}

SystemPrinter::SystemPrinter(std::string lp, std::string lpstat, EnvLookup env)
    : lp_(std::move(lp)), lpstat_(std::move(lpstat)), env_(std::move(env)) {}

bool SystemPrinter::available() const { return !findProgram(lp_).empty(); }

Status SystemPrinter::print(const PrintRequest& request) const {
  std::string lp = findProgram(lp_);
  if (lp.empty()) return {Error::kNotAvailable, "the print command " + lp_ + " is not installed"};
  if (!fileExists(request.file)) return {Error::kNotFound, request.file};
  if (request.copies < 1 || request.copies > 999) return {Error::kBadArgument, "copies " + std::to_string(request.copies)};

  std::string file = request.file;
  if (file.front() != '/') {  // an absolute name can never be taken for an lp option
    Result<std::string> cwd = currentFolder();
    if (!cwd) return cwd.status();
    file = join(*cwd, file);
  }
  TempFile converted;
  if (request.fromCp860) {
    // The captured file is the console's code page; CUPS's text filter reads UTF-8. The copy
    // is private (taxpayers' data) and goes away when the job is handed over.
    UniqueFd in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) return Status::fromErrno(errno, "open " + file);
    std::string text;
    char buf[8192];
    for (ssize_t n; (n = ::read(in.get(), buf, sizeof buf)) != 0;) {
      if (n < 0) {
        if (errno == EINTR) continue;
        return Status::fromErrno(errno, "read " + file);
      }
      text.append(buf, static_cast<std::size_t>(n));
    }
    const char* tmp = env_("TMPDIR");
    Result<TempFile> temp = createTempFile(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp", "TAVPRN", ".TXT", 0600);
    if (!temp) return temp.status();
    if (Status s = temp->write(rt::text::cp860ToUtf8(text)); !s) return s;
    if (Status s = temp->syncAndClose(); !s) return s;
    converted = std::move(*temp);
    file = converted.path();
  }

  std::vector<std::string> args;
  if (!request.queue.empty()) args.insert(args.end(), {"-d", request.queue});
  if (request.copies > 1) args.insert(args.end(), {"-n", std::to_string(request.copies)});
  args.insert(args.end(), {"-t", request.title.empty() ? std::string(lastComponent(request.file)) : request.title});
  for (const std::string& o : request.options) args.insert(args.end(), {"-o", o});
  args.push_back(file);

  CaptureOptions options;
  options.environment = localeC();
  options.mergeErrors = true;
  options.maxOutput = 4096;
  options.timeout = kSpoolerTimeout;
  Result<CapturedRun> run = runAndCapture(lp, args, options);
  if (!run) return run.status();
  if (!run->status.succeeded())
    return {Error::kFailed, std::string(trimBlanks(run->output.empty() ? lp + " failed" : run->output))};
  return {};
}

Result<std::string> SystemPrinter::defaultPrinter() const {
  for (const char* name : {"LPDEST", "PRINTER"}) {
    const char* v = env_(name);
    if (v != nullptr && !trimBlanks(v).empty()) return std::string(trimBlanks(v));
  }
  std::string lpstat = findProgram(lpstat_);
  if (lpstat.empty()) return Result<std::string>(Error::kNotAvailable, "the command " + lpstat_ + " is not installed");
  CaptureOptions options;
  options.environment = localeC();
  options.timeout = kQueryTimeout;
  const std::vector<std::string> args{"-d"};
  Result<CapturedRun> run = runAndCapture(lpstat, args, options);
  if (!run) return run.status();
  // "system default destination: NAME" or "no system default destination".
  constexpr std::string_view kPrefix = "system default destination:";
  std::string_view out = run->output;
  std::size_t pos = out.find(kPrefix);
  if (pos != std::string_view::npos) {
    std::string_view rest = out.substr(pos + kPrefix.size());
    rest = trimBlanks(rest.substr(0, rest.find('\n')));
    if (!rest.empty()) return std::string(rest);
  }
  return Result<std::string>(Error::kNotAvailable, "no default printer");
}

Result<std::vector<std::string>> SystemPrinter::printerNames() const {
  std::string lpstat = findProgram(lpstat_);
  if (lpstat.empty())
    return Result<std::vector<std::string>>(Error::kNotAvailable, "the command " + lpstat_ + " is not installed");
  CaptureOptions options;
  options.environment = localeC();
  options.timeout = kQueryTimeout;
  const std::vector<std::string> args{"-e"};
  Result<CapturedRun> run = runAndCapture(lpstat, args, options);
  if (!run) return run.status();
  std::vector<std::string> names;
  std::string_view out = run->output;
  while (!out.empty()) {
    std::size_t nl = out.find('\n');
    std::string_view line = trimBlanks(out.substr(0, nl));
    if (!line.empty()) names.emplace_back(line);
    if (nl == std::string_view::npos) break;
    out.remove_prefix(nl + 1);
  }
  return names;
}

Result<bool> SystemPrinter::isReady(std::string_view queue) const {
  std::string lpstat = findProgram(lpstat_);
  if (lpstat.empty()) return Result<bool>(Error::kNotAvailable, "the command " + lpstat_ + " is not installed");
  if (queue.empty()) return Result<bool>(Error::kBadArgument, "no printer name");
  CaptureOptions options;
  options.environment = localeC();
  options.timeout = kQueryTimeout;
  const std::vector<std::string> args{"-p", std::string(queue)};
  Result<CapturedRun> run = runAndCapture(lpstat, args, options);
  if (!run) return run.status();
  // "printer NAME is idle.  enabled since ...", "printer NAME now printing NAME-12.  enabled
  // since ...", "printer NAME disabled since ...".
  std::string_view out = run->output;
  std::string head = "printer " + std::string(queue) + " ";
  std::size_t pos = out.find(head);
  if (!run->status.succeeded() || pos == std::string_view::npos) return Result<bool>(Error::kNotFound, std::string(queue));
  std::string_view line = out.substr(pos + head.size());
  line = line.substr(0, line.find('\n'));
  bool working = line.starts_with("is idle") || line.starts_with("now printing");
  return working && line.find("disabled") == std::string_view::npos;
}

}  // namespace platform
