// Printing on Linux in place of the old Windows printing: port names, network printer names,
// the system printer through CUPS, and the readiness questions the print set-up asks.
//
// Port map (old name -> device file):
//   LPTn (n = 1..9, also "LPTn:") -> /dev/usb/lp<n-1> when that exists (a USB printer is
//                                    plugged in), else /dev/lp<n-1> (parallel port)
//   PRN                          -> as LPT1
//   COMn (n = 1..9)              -> /dev/ttyS<n-1>
//   AUX                          -> as COM1
// TAVREN_LPT1..TAVREN_LPT9 and TAVREN_COM1..TAVREN_COM9 name another device for one port.
//
// Network printers: "\\server\queue" is CUPS queue "queue"; a Windows printer name such as
// "HP LaserJet 1020" becomes "HP_LaserJet_1020" (blanks and the characters CUPS refuses in
// queue names become "_"). The office names its CUPS queues to match.
//
// The system printer: a captured file is handed to CUPS's `lp`. `lp` and `lpstat` are looked
// up in PATH when used (tests put fakes first in PATH or pass their paths). Their output is
// read in the C locale, so the parsing does not depend on the user's language.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/paths.h"
#include "rt/base/result.h"

namespace platform {

class PortMap {
 public:
  // deviceRoot is "/dev" except in tests.
  explicit PortMap(std::string deviceRoot = "/dev", const EnvLookup& env = processEnvironment());

  // The device of an old port name (any case, with or without ":"); nullopt when the name is
  // not a port name.
  std::optional<std::string> device(std::string_view portName) const;
  std::string parallel(int n) const;  // n = 1..9
  std::string serial(int n) const;    // n = 1..9

 private:
  std::string root_;
  std::vector<std::string> lpt_;  // overrides, "" when none
  std::vector<std::string> com_;
};

// Whether an old name is a port name ("LPT1", "com2:", "PRN" ...).
bool isPortName(std::string_view name);

// The CUPS queue name of a Windows network or printer name (see above); "" for a blank name.
std::string cupsQueueName(std::string_view windowsName);

// Best-effort readiness of a printer device: a serial port (a "tty" device) is taken as ready,
// as it always was; a parallel or USB port is ready when it can be opened for writing and,
// where the driver reports it, the printer is on line and has paper.
bool deviceReady(std::string_view devicePath);

struct PrintRequest {
  std::string file;                  // the captured text file
  std::string queue;                 // CUPS queue; empty: the default printer
  int copies = 1;
  std::string title;                 // job name shown in the queue; empty: the file name
  std::vector<std::string> options;  // CUPS "-o" options, e.g. "cpi=12"
  bool fromCp860 = true;             // convert the text to UTF-8 for the CUPS text filter
};

class SystemPrinter {
 public:
  explicit SystemPrinter(std::string lp = "lp", std::string lpstat = "lpstat",
                         EnvLookup env = processEnvironment());

  // Whether the `lp` command is present.
  bool available() const;
  // Sends the file to the printer and waits until CUPS has taken it. kNotAvailable when there
  // is no `lp`; kFailed with lp's own message when it refuses.
  rt::Status print(const PrintRequest& request) const;
  // The default printer's name: LPDEST, else PRINTER (as `lp` reads them), else what
  // `lpstat -d` says. kNotAvailable when there is none or no `lpstat`.
  rt::Result<std::string> defaultPrinter() const;
  // The names of the printers CUPS offers (`lpstat -e`), for the user's choice of printer.
  rt::Result<std::vector<std::string>> printerNames() const;
  // Whether a CUPS queue accepts work now (idle or printing, not disabled), from `lpstat -p`.
  // kNotFound for an unknown queue.
  rt::Result<bool> isReady(std::string_view queue) const;

 private:
  std::string lp_;
  std::string lpstat_;
  EnvLookup env_;
};

}  // namespace platform
