// Runs a piece of a test in a forked child that has a few seconds to finish, so a key loop
// that spins without reading a key, or a crash, fails the test instead of hanging or ending
// the whole test program. Expectations that fail in the child fail the test too (the child
// prints them as it meets them).
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>

namespace support {

inline ::testing::AssertionResult terminaEmTempo(const std::function<void()>& corpo, unsigned segundos = 20) {
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t pid = fork();
  if (pid < 0) return ::testing::AssertionFailure() << "fork: " << std::strerror(errno);
  if (pid == 0) {
    alarm(segundos);
    corpo();
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int estado = 0;
  while (waitpid(pid, &estado, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(estado)) {
    if (WTERMSIG(estado) == SIGALRM)
      return ::testing::AssertionFailure() << "still running after " << segundos << " s: a loop reads no key";
    return ::testing::AssertionFailure()
           << "died of signal " << WTERMSIG(estado) << " (" << strsignal(WTERMSIG(estado)) << ")";
  }
  if (WEXITSTATUS(estado) != 0) return ::testing::AssertionFailure() << "expectations failed in the child";
  return ::testing::AssertionSuccess();
}

}  // namespace support
