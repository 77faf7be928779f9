// What a fatal fault still does before the process ends. SIGSEGV, SIGBUS, SIGFPE, SIGILL and
// SIGABRT run a handler that makes only async-signal-safe calls: it writes the bytes that take
// the terminal out of full-screen mode and puts back the terminal modes saved before the
// program changed them (tcsetattr), appends one line naming the signal to the crash log
// (opened there with O_APPEND and O_NOFOLLOW), and raises the signal again with its default
// action, so the process still ends by it (with a core where the signal makes one).
//
// Whatever the handler needs is copied beforehand into fixed buffers; it runs on a stack of
// its own, so a stack overflow is reported too. The curses terminal installs the handlers and
// arms the terminal part while it holds the terminal; the program sets the log once it knows
// its folder.
#pragma once

#include <termios.h>

#include <string_view>

namespace rt::term::fatal {

// Installs the handlers (once; later calls do nothing). A signal the process ignores stays
// ignored.
void install();

// The log the handler appends to and the text that starts its line (after the date and time),
// e.g. "terminal 03". An empty path writes no line.
void setLog(std::string_view path, std::string_view prefix);

// The terminal to give back: `modes` are put back on `inFd`, `leave` is written to `outFd`.
void armTerminal(int inFd, int outFd, const termios& modes, std::string_view leave);
// The terminal is the shell's again (suspended or closed): the handler leaves it alone.
void disarmTerminal();

// The line the handler writes for `sig` at `seconds` since the epoch, `offset` seconds east of
// UTC: "dd/mm/yyyy hh:mm:ss <prefix>: erro fatal, sinal <NAME>\n". Written into `out` (cut to
// `size`); its length. Safe inside a signal handler.
std::size_t formatLine(char* out, std::size_t size, long long seconds, long offset, std::string_view prefix,
                       int sig);

}  // namespace rt::term::fatal
