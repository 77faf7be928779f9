#include "rt/ui/achoice.h"

#include <algorithm>

#include "rt/text/strings.h"

namespace rt::ui {

using rt::term::Key;
namespace key = rt::term::key;

namespace {

class AChoice {
 public:
  AChoice(rt::term::Console& console, rt::term::Rect rect, std::span<const std::string> items,
          const AChoiceOptions& options)
      : console_(console), rect_(rect), items_(items), opt_(options),
        rows_(std::max(1, rect.bottom - rect.top + 1)), width_(std::max(1, rect.right - rect.left + 1)),
        n_(static_cast<int>(items.size())) {}

  int run();

 private:
  bool selectable(int i) const {
    if (i < 0 || i >= n_) return false;
    return static_cast<std::size_t>(i) >= opt_.selectable.size() || opt_.selectable[static_cast<std::size_t>(i)];
  }
  int nextSelectable(int from, int step) const {
    for (int i = from + step; i >= 0 && i < n_; i += step)
      if (selectable(i)) return i;
    return -1;
  }
  void moveTo(int i) {
    cur_ = i;
    if (cur_ < top_) top_ = cur_;
    if (cur_ >= top_ + rows_) top_ = cur_ - rows_ + 1;
  }
  bool letterSearch(char c) {
    c = rt::text::upperChar(c);
    for (int k = 1; k <= n_; ++k) {
      int i = (cur_ + k) % n_;
      auto t = rt::text::ltrim(items_[static_cast<std::size_t>(i)]);
      if (selectable(i) && !t.empty() && rt::text::upperChar(t[0]) == c) {
        moveTo(i);
        return true;
      }
    }
    return false;
  }
  void draw() {
    auto& s = console_.screen();
    for (int r = 0; r < rows_; ++r) {
      int i = top_ + r;
      std::string text = i < n_ ? rt::text::padr(items_[static_cast<std::size_t>(i)], width_) : std::string(static_cast<std::size_t>(width_), ' ');
      auto attr = i == cur_ ? opt_.colours.enhanced() : (i < n_ && !selectable(i) ? opt_.colours.unselected() : opt_.colours.standard());
      s.put(rect_.top + r, rect_.left, text, attr);
    }
    s.setCursor(rect_.top + cur_ - top_, rect_.left);
  }
  AChoiceAction call(AChoiceMode mode) {
    return opt_.userFunction(mode, cur_ + 1, cur_ - top_);
  }
  // True when the list is over; `result` then holds what to return.
  bool act(AChoiceAction a, int& result) {
    switch (a) {
      case AChoiceAction::Abort: result = 0; return true;
      case AChoiceAction::Select: result = cur_ + 1; return true;
      case AChoiceAction::Goto:
        if (console_.lastKey().isChar()) letterSearch(console_.lastKey().ch());
        return false;
      case AChoiceAction::Continue: return false;
    }
    return false;
  }

  // The item the list starts on: the initial one, or the nearest selectable one after it (else
  // before it).
  int startItem() const;
  // Where a cursor key takes the highlight from the current item: an item, kHitEnd when it
  // already is at the end the key moves to (`up` says which end), or kNoMove for any other key.
  static constexpr int kNoMove = -2, kHitEnd = -1;
  int moveTarget(int code, int first, bool& up) const;

  rt::term::Console& console_;
  rt::term::Rect rect_;
  std::span<const std::string> items_;
  const AChoiceOptions& opt_;
  const int rows_, width_, n_;
  int cur_ = 0, top_ = 0;
};

int AChoice::startItem() const {
  int start = std::clamp(opt_.initial - 1, 0, n_ - 1);
  if (!selectable(start)) {
    int f = nextSelectable(start, 1);
    start = f >= 0 ? f : nextSelectable(start, -1);
  }
  return start;
}

int AChoice::moveTarget(int code, int first, bool& up) const {
  up = false;
  switch (code) {
    case key::Up: up = true; return nextSelectable(cur_, -1);
    case key::Down: return nextSelectable(cur_, 1);
    case key::PgUp: {
      up = true;
      if (cur_ == first) return kHitEnd;
      int t = std::max(cur_ - rows_, 0);
      int target = selectable(t) ? t : nextSelectable(t, 1);
      return target >= cur_ ? first : target;
    }
    case key::PgDn: {
      int last = nextSelectable(n_, -1);
      if (cur_ == last) return kHitEnd;
      int t = std::min(cur_ + rows_, n_ - 1);
      int target = selectable(t) ? t : nextSelectable(t, -1);
      return target <= cur_ ? last : target;
    }
    case key::Home:
    case key::CtrlPgUp: up = true; return first;
    case key::End:
    case key::CtrlPgDn: return nextSelectable(n_, -1);
    default: return kNoMove;
  }
}

int AChoice::run() {
  const bool udf = static_cast<bool>(opt_.userFunction);
  int first = nextSelectable(-1, 1);
  if (first < 0) {
    if (udf) call(AChoiceMode::NoItem);
    return 0;
  }
  const int start = startItem();
  top_ = std::max(0, start - rows_ + 1);
  moveTo(start);
  auto shape = console_.screen().cursorShape();
  console_.screen().setCursorShape(rt::term::CursorShape::Hidden);
  int result = 0;
  auto finish = [&](int r) {
    draw();
    console_.screen().setCursorShape(shape);
    return r;
  };
  for (;;) {
    draw();
    if (udf && !console_.keyWaiting() && act(call(AChoiceMode::Idle), result)) return finish(result);
    draw();
    Key k = console_.waitKey();
    if (const auto* hot = console_.hotKeyFor(k)) {
      (*hot)();
      continue;
    }
    bool up = false;
    const int target = moveTarget(k.code, first, up);
    if (target >= 0) {
      moveTo(target);
      continue;
    }
    if (target == kHitEnd) {
      if (udf && act(call(up ? AChoiceMode::HitTop : AChoiceMode::HitBottom), result)) return finish(result);
      continue;
    }
    if (k.code == key::MouseLeft && k.row >= rect_.top && k.row <= rect_.bottom && k.col >= rect_.left &&
        k.col <= rect_.right) {
      int i = top_ + k.row - rect_.top;
      if (selectable(i)) {
        moveTo(i);
        return finish(cur_ + 1);
      }
      continue;
    }
    if (udf) {
      draw();
      if (act(call(AChoiceMode::Exception), result)) return finish(result);
      continue;
    }
    switch (k.code) {
      case key::Enter: return finish(cur_ + 1);
      case key::Esc:
      case key::Left:
      case key::Right: return finish(0);
      default:
        if (k.isChar()) letterSearch(k.ch());
    }
  }
}

}  // namespace

int achoice(rt::term::Console& console, rt::term::Rect rect, std::span<const std::string> items,
            const AChoiceOptions& options) {
  return AChoice(console, rect, items, options).run();
}

}  // namespace rt::ui
