// Running another program and waiting for it: the converter, the print spooler's commands.
// Programs are started directly with an argument vector, never through a shell, so a folder
// or file name typed by the user can never become a command.
#pragma once

#include <chrono>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"

namespace platform {

struct ExitStatus {
  int code = 0;    // exit code when the program ended normally
  int signal = 0;  // the signal that ended it, else 0
  bool succeeded() const { return signal == 0 && code == 0; }
};

// Hands the terminal over to a child program and takes it back. The curses terminal
// implements it with endwin() before and a full redraw after; without it the child's output
// and the program's screen would mix.
class TerminalHandover {
 public:
  virtual ~TerminalHandover() = default;
  virtual void suspend() = 0;
  virtual void resume() = 0;
};

struct RunOptions {
  std::string workingFolder;              // empty: the caller's current folder
  std::vector<std::string> environment;   // "NAME=value" entries added to (or replacing) ours
  bool quiet = false;                     // standard input and output to /dev/null
  TerminalHandover* terminal = nullptr;   // suspended while the program runs
};

// Runs `program` (a path, or a name looked up in PATH) with `args` (not including the
// program name) and waits for it. While it runs, Ctrl-C and Ctrl-\ typed at the terminal
// reach only the child, as with system(). A program that cannot be started is an error
// (kNotFound when it does not exist); a program that ran gives its exit status.
rt::Result<ExitStatus> runProgram(std::string_view program, std::span<const std::string> args,
                                  const RunOptions& options = {});

struct CapturedRun {
  ExitStatus status;
  std::string output;  // standard output (and error, when merged), at most maxOutput bytes
};

struct CaptureOptions {
  std::vector<std::string> environment;  // as in RunOptions
  bool mergeErrors = false;              // standard error into `output` too
  std::size_t maxOutput = 1 << 20;       // more is read and dropped
  std::chrono::milliseconds timeout{0};  // 0: wait for ever; else the child is killed (kFailed)
};

// Runs a program with no terminal (input from /dev/null) and collects its output.
rt::Result<CapturedRun> runAndCapture(std::string_view program, std::span<const std::string> args,
                                      const CaptureOptions& options = {});

// The folder of the running program's own binary (from /proc/self/exe): `converte` is looked
// for beside `tavren`.
rt::Result<std::string> runningProgramFolder();

// The full path of `program` found in PATH (or `program` itself when it holds a "/" and is
// executable); "" when there is none.
std::string findProgram(std::string_view program);

}  // namespace platform
