#include "rt/term/console.h"

#include <utility>

namespace rt::term {

void Console::refresh() {
  if (screen_.version() == shownVersion_) return;
  terminal_.present(screen_);
  shownVersion_ = screen_.version();
}

Key Console::inkey(std::chrono::milliseconds timeout) {
  if (!pushed_.empty()) {
    lastKey_ = pushed_.front();
    pushed_.pop_front();
    return lastKey_;
  }
  refresh();
  using namespace std::chrono;
  constexpr milliseconds kSlice(250);
  const bool forever = timeout.count() < 0;
  // Time comes from the terminal, so a scripted terminal's virtual clock drives timeouts.
  auto deadline = terminal_.now() + (forever ? milliseconds(0) : timeout);
  for (;;) {
    milliseconds wait = kSlice;
    if (!forever) {
      auto left = duration_cast<milliseconds>(deadline - terminal_.now());
      if (left.count() <= 0 && timeout.count() > 0) return Key{};
      wait = std::min(left.count() < 0 ? milliseconds(0) : left, kSlice);
    } else if (!idle_) {
      wait = milliseconds(-1);
    }
    if (auto k = terminal_.readKey(wait)) {
      lastKey_ = *k;
      return *k;
    }
    if (!forever && timeout.count() == 0) return Key{};
    if (idle_) {
      idle_();
      refresh();
    }
  }
}

bool Console::keyWaiting() { return !pushed_.empty() || terminal_.keyWaiting(); }

void Console::pushText(std::string_view text) {
  for (char c : text) push(Key{static_cast<unsigned char>(c)});
}

void Console::clearTypeahead() {
  pushed_.clear();
  while (terminal_.keyWaiting())
    if (!terminal_.readKey(std::chrono::milliseconds(0))) break;
}

void Console::setKey(int code, HotKey handler, bool ctrlLetterOnly) {
  hotKeys_[code] = Binding{std::move(handler), ctrlLetterOnly};
}

void Console::clearKey(int code) { hotKeys_.erase(code); }

bool Console::holdKey(int code, bool held) {
  auto it = hotKeys_.find(code);
  if (it == hotKeys_.end()) return false;
  return std::exchange(it->second.held, held);
}

const Console::HotKey* Console::hotKeyFor(const Key& k) const {
  auto it = hotKeys_.find(k.code);
  if (it == hotKeys_.end() || !it->second.handler || it->second.held) return nullptr;
  if (it->second.ctrlLetterOnly && !k.ctrlLetter) return nullptr;
  return &it->second.handler;
}

void Console::bell() {
  if (bellOn_) terminal_.beep();
}

}  // namespace rt::term
