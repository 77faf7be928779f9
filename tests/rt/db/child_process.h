// A forked child process standing for another terminal, with two pipes so that parent and
// child can wait for each other.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>

namespace rt::db::testing {

// A child process running `body`; the two pipes let parent and child wait for each other.
class Child {
 public:
  explicit Child(const std::function<int(Child&)>& body) {
    if (pipe(toChild_) != 0 || pipe(toParent_) != 0) std::abort();
    pid_ = fork();
    // A failed fork must end the test here: its -1 given to kill() later would signal every
    // process of the user, the other tests running beside this one among them.
    if (pid_ < 0) std::abort();
    if (pid_ == 0) {
      ::close(toChild_[1]);
      ::close(toParent_[0]);
      int rc = body(*this);
      _exit(rc);
    }
    ::close(toChild_[0]);
    ::close(toParent_[1]);
  }
  ~Child() {
    if (pid_ > 0) wait();
    ::close(toChild_[1]);
    ::close(toParent_[0]);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  // In the child: tell the parent / wait for the parent.
  void signalParent() { (void)!write(toParent_[1], "x", 1); }
  void awaitParent() {
    char c;
    (void)!read(toChild_[0], &c, 1);
  }
  // In the parent.
  void signalChild() { (void)!write(toChild_[1], "x", 1); }
  void awaitChild() {
    char c;
    (void)!read(toParent_[0], &c, 1);
  }
  pid_t pid() const { return pid_; }
  int wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
  }

 private:
  pid_t pid_ = -1;
  int toChild_[2]{};
  int toParent_[2]{};
};

}  // namespace rt::db::testing
