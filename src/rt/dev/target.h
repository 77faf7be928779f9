// Where printed bytes go: a file in the work folder, a printer device file, a string (the body
// of an e-mail) or nowhere (after the user abandoned a job); a CUPS queue is a target the
// platform layer makes (platform/print_queue.h), since it runs the spooler's program. A target
// is written in order and closed once; close() reports what the operating system or the
// spooler said, so a failed job is never taken for a printed one.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "rt/base/result.h"
#include "rt/base/status.h"

namespace rt::dev {

class Target {
 public:
  virtual ~Target() = default;
  virtual Status write(std::string_view bytes) = 0;
  // Flushes and ends the output; a spooler queue is submitted here.
  virtual Status close() = 0;
  // The file, device or queue written to, for messages.
  virtual const std::string& name() const = 0;
};

// A print file. `append` keeps what the file holds (a job routed a second time); otherwise
// it is emptied, but only after the lock is held. The file is locked (flock, exclusive) until
// closed, so two terminals sharing a work folder never interleave their jobs: while another
// holds it the result is kNotAvailable and the caller waits and tries again.
Result<std::unique_ptr<Target>> openFile(const std::string& path, bool append);

// A printer device: `/dev/lp0`, `/dev/usb/lp0` or, with `serial`, a serial port whose output
// processing is turned off so that no LF becomes CR LF (the line speed is left as the
// administrator set it).
Result<std::unique_ptr<Target>> openDevice(const std::string& path, bool serial);

// Appends to `out`, which must outlive the target.
std::unique_ptr<Target> stringTarget(std::string& out);

// Takes everything and keeps nothing.
std::unique_ptr<Target> nullTarget();

}  // namespace rt::dev
