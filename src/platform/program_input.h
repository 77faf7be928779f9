// A program fed on its standard input while we write, such as the spooler's `lp -d QUEUE -o
// raw` that takes a print job as it is produced. The program is started with an argument
// vector (never through a shell) and found in PATH; its own output and errors are kept in a
// private scratch file, so a chatty child can never block us, and are given back when it ends.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "platform/child_process.h"
#include "rt/base/unique_fd.h"

namespace platform {

class ProgramInput {
 public:
  // Starts `program` with `args`; kNotFound when it is not installed.
  static rt::Result<ProgramInput> start(std::string_view program, const std::vector<std::string>& args,
                                    const std::vector<std::string>& environment = {});

  ProgramInput(ProgramInput&& other) noexcept;
  ProgramInput& operator=(ProgramInput&& other) noexcept;
  ProgramInput(const ProgramInput&) = delete;
  ProgramInput& operator=(const ProgramInput&) = delete;
  // A program never finished is told its input has ended and waited for.
  ~ProgramInput();

  // Writes all of `bytes` to the program's input; a program that has gone away is kIo.
  rt::Status write(std::string_view bytes);
  // Ends the input, waits for the program and gives its exit status and what it said.
  rt::Result<CapturedRun> finish();

 private:
  ProgramInput() = default;
  pid_t pid_ = -1;
  rt::UniqueFd input_;
  rt::UniqueFd output_;  // the scratch file the child writes to (already unlinked)
};

}  // namespace platform
