// A program running in a detached tmux session of its own, for the end-to-end tests: keys go
// in with send-keys, the screen comes back with capture-pane. Each session lives on a private
// tmux server (its own socket in a temporary folder), which is killed and removed when the
// object goes away, so no test leaves sessions behind or touches the user's own tmux.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// How long a wait for the screen gives the program by default: long enough for a machine
// loaded by other builds; a wait that holds returns as soon as it does.
inline constexpr std::chrono::milliseconds kEspera = std::chrono::seconds(30);

class TmuxSession {
 public:
  // Whether tmux can be run here.
  static bool available();

  // Starts `command` (a shell command line) in a window of the given size.
  TmuxSession(const std::string& command, int width, int height);
  ~TmuxSession();
  TmuxSession(const TmuxSession&) = delete;
  TmuxSession& operator=(const TmuxSession&) = delete;

  bool started() const { return started_; }

  // send-keys with tmux key names ("M-a", "F11", "C-j", "Enter").
  void keys(const std::vector<std::string>& names);
  // send-keys -l: the text as typed (UTF-8).
  void text(const std::string& utf8);
  // send-keys -H: raw bytes, for sequences tmux has no name for.
  void bytes(std::string_view raw);
  void resize(int width, int height);

  // A tmux format expanded for the pane ("#{window_bell_flag}").
  std::string format(const std::string& text);
  // The visible screen, one line per row, wrapped lines joined.
  std::string capture();
  // The screen with its colours as escape sequences.
  std::string captureWithColours();
  // The screen and where its cursor stands: what a key the program has taken changes. The
  // program shows its screen only when it waits for the next key (or while it reports
  // progress), so a change also says that keys sent from now on are read by that wait.
  std::string state();
  // Waits until `test` holds for the screen (polling); false after `limit`.
  bool waitFor(const std::function<bool(const std::string&)>& test, std::chrono::milliseconds limit = kEspera);
  bool waitForText(const std::string& utf8, std::chrono::milliseconds limit = kEspera);
  // Waits until state() differs from `before`; false after `limit`.
  bool waitForChange(const std::string& before, std::chrono::milliseconds limit = kEspera);

 private:
  std::string tmux(const std::vector<std::string>& args, int* status = nullptr);

  std::string folder_;
  std::string socket_;
  std::string target_;
  bool started_ = false;
};

// Single-quotes a word for the shell.
std::string shellQuote(const std::string& word);

}  // namespace e2e
