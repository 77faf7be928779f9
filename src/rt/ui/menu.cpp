#include "rt/ui/menu.h"

#include <algorithm>

#include "rt/text/strings.h"
#include "rt/ui/frame.h"

namespace rt::ui {

using rt::term::Attr;
using rt::term::Key;
namespace key = rt::term::key;

namespace {
constexpr char kHorizontal = '\xC4';  // ─
constexpr char kTeeLeft = '\xC3';     // ├
constexpr char kTeeRight = '\xB4';    // ┤
}  // namespace

bool MenuItem::isSeparator() const {
  return !caption.empty() && std::all_of(caption.begin(), caption.end(), [](char c) { return c == kHorizontal; });
}

MenuItem menuSeparator() { return MenuItem{std::string(1, kHorizontal), 0, {}, 0, false}; }

MenuItem menuItem(std::string_view caption, int id, std::string_view help, int shortcut) {
  return MenuItem{std::string(caption), id, std::string(help), shortcut, true};
}

Caption parseCaption(std::string_view caption) {
  Caption c;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size() && c.hot < 0) {
      c.hot = static_cast<int>(c.text.size());
      continue;
    }
    c.text += caption[i];
  }
  return c;
}

MenuBar::MenuBar(rt::term::Console& console, rt::term::ColourSet colours, int row, int messageRow)
    : console_(console), colours_(colours), row_(row), messageRow_(messageRow) {}

MenuPad& MenuBar::addPad(std::string caption, std::vector<MenuItem> items) {
  pads_.push_back(MenuPad{std::move(caption), std::move(items)});
  return pads_.back();
}

MenuItem* MenuBar::findItem(int id) {
  for (auto& p : pads_)
    for (auto& i : p.items)
      if (i.id == id && !i.isSeparator()) return &i;
  return nullptr;
}

// Pads sit one after the other, each shown with a blank on either side.
void MenuBar::layout() {
  places_.clear();
  int col = 0;
  for (const auto& p : pads_) {
    int w = static_cast<int>(parseCaption(p.caption).text.size()) + 2;
    places_.push_back({col, w});
    col += w;
  }
}

void MenuBar::draw(int pad) {
  layout();
  auto& s = console_.screen();
  const Attr standard = colours_.entries[0], selected = colours_.entries[1];
  const Attr hot = colours_.entries[2], hotSelected = colours_.entries[3];
  s.put(row_, 0, std::string(rt::term::Screen::kCols, ' '), standard);
  for (std::size_t i = 0; i < pads_.size(); ++i) {
    auto c = parseCaption(pads_[i].caption);
    bool sel = static_cast<int>(i) == pad;
    s.put(row_, places_[i].col, " " + c.text + " ", sel ? selected : standard);
    if (c.hot >= 0)
      s.recolour(row_, places_[i].col + 1 + c.hot, 1, sel ? hotSelected : hot);
  }
}

bool MenuBar::selectable(int item) const {
  const auto& items = pads_[static_cast<std::size_t>(pad_)].items;
  if (item < 0 || item >= static_cast<int>(items.size())) return false;
  const auto& it = items[static_cast<std::size_t>(item)];
  return !it.isSeparator() && it.enabled;
}

int MenuBar::firstItem(int from, int step) const {
  const int n = static_cast<int>(pads_[static_cast<std::size_t>(pad_)].items.size());
  for (int i = from; i >= 0 && i < n; i += step)
    if (selectable(i)) return i;
  return -1;
}

void MenuBar::openPopup() {
  closePopup();
  const auto& items = pads_[static_cast<std::size_t>(pad_)].items;
  if (items.empty()) {
    open_ = true;
    item_ = -1;
    return;
  }
  int inner = 0;
  for (const auto& it : items) inner = std::max(inner, static_cast<int>(parseCaption(it.caption).text.size()));
  inner += 2;
  int left = places_[static_cast<std::size_t>(pad_)].col;
  int right = left + inner + 1;
  if (right >= rt::term::Screen::kCols) {
    left -= right - (rt::term::Screen::kCols - 1);
    right = rt::term::Screen::kCols - 1;
    left = std::max(left, 0);
  }
  popup_ = {row_ + 1, left, row_ + 2 + static_cast<int>(items.size()), right};
  under_ = console_.screen().save(popup_);
  open_ = true;
  item_ = firstItem(0, 1);
  drawPopup();
}

void MenuBar::closePopup() {
  if (under_) console_.screen().restore(*under_);
  under_.reset();
  open_ = false;
}

void MenuBar::drawPopup() {
  if (!under_) return;
  auto& s = console_.screen();
  const Attr standard = colours_.entries[0], selected = colours_.entries[1];
  const Attr hot = colours_.entries[2], hotSelected = colours_.entries[3];
  const Attr disabled = colours_.entries[4], border = colours_.entries[5];
  s.fill(popup_, ' ', standard);
  s.box(popup_, kSingleFrame, border);
  const int inner = popup_.right - popup_.left - 1;
  const auto& items = pads_[static_cast<std::size_t>(pad_)].items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    int r = popup_.top + 1 + static_cast<int>(i);
    if (items[i].isSeparator()) {
      s.put(r, popup_.left, std::string(1, kTeeLeft) + std::string(static_cast<std::size_t>(inner), kHorizontal) + kTeeRight,
            border);
      continue;
    }
    auto c = parseCaption(items[i].caption);
    bool sel = static_cast<int>(i) == item_;
    Attr a = !items[i].enabled ? disabled : sel ? selected : standard;
    s.put(r, popup_.left + 1, rt::text::padr(" " + c.text, inner), a);
    if (c.hot >= 0 && items[i].enabled) s.recolour(r, popup_.left + 2 + c.hot, 1, sel ? hotSelected : hot);
  }
  showHelp();
}

void MenuBar::showHelp() {
  if (messageRow_ < 0) return;
  std::string text;
  if (open_ && item_ >= 0) text = pads_[static_cast<std::size_t>(pad_)].items[static_cast<std::size_t>(item_)].help;
  std::string line = rt::text::padc(rt::text::trim(text), rt::term::Screen::kCols);
  console_.screen().put(messageRow_, 0, line, colours_.entries[0]);
}

int MenuBar::padForAlt(int code) const {
  for (std::size_t i = 0; i < pads_.size(); ++i) {
    auto c = parseCaption(pads_[i].caption);
    if (c.hot >= 0 && rt::term::key::altOf(c.text[static_cast<std::size_t>(c.hot)]) == code) return static_cast<int>(i);
  }
  return -1;
}

int MenuBar::padAt(int row, int col) const {
  if (row != row_) return -1;
  for (std::size_t i = 0; i < places_.size(); ++i)
    if (col >= places_[i].col && col < places_[i].col + places_[i].width) return static_cast<int>(i);
  return -1;
}

int MenuBar::itemAt(int row, int col) const {
  if (!open_ || !under_ || col <= popup_.left || col >= popup_.right) return -1;
  int i = row - popup_.top - 1;
  return selectable(i) ? i : -1;
}

std::optional<int> MenuBar::shortcutItem(int code, int& pad) const {
  if (code == 0) return std::nullopt;
  for (std::size_t p = 0; p < pads_.size(); ++p)
    for (const auto& it : pads_[p].items)
      if (it.shortcut == code && it.enabled && !it.isSeparator()) {
        pad = static_cast<int>(p);
        return it.id;
      }
  return std::nullopt;
}

std::optional<int> MenuBar::choose(int item) const {
  const auto& it = pads_[static_cast<std::size_t>(pad_)].items[static_cast<std::size_t>(item)];
  if (!it.enabled || it.isSeparator()) return std::nullopt;
  return it.id;
}

void MenuBar::switchPad(int p) {
  const int n = static_cast<int>(pads_.size());
  pad_ = (p + n) % n;
  draw(pad_);
  openPopup();
}

bool MenuBar::menuWideKey(const Key& k, std::optional<int>& chosen) {
  int sp = pad_;
  if (auto id = shortcutItem(k.code, sp)) {
    pad_ = sp;
    chosen = *id;
    return true;
  }
  if (int p = padForAlt(k.code); p >= 0) {
    switchPad(p);
    return true;
  }
  if (k.code != key::MouseLeft) return false;
  if (int p = padAt(k.row, k.col); p >= 0) {
    switchPad(p);
  } else if (int i = itemAt(k.row, k.col); i >= 0) {
    item_ = i;
    chosen = choose(i);
  } else {
    chosen = 0;  // a click outside the menu closes it
  }
  return true;
}

std::optional<int> MenuBar::keyAtBar(const Key& k) {
  const int n = static_cast<int>(pads_.size());
  switch (k.code) {
    case key::Left: pad_ = (pad_ + n - 1) % n; draw(pad_); return std::nullopt;
    case key::Right: pad_ = (pad_ + 1) % n; draw(pad_); return std::nullopt;
    case key::Home: pad_ = 0; draw(pad_); return std::nullopt;
    case key::End: pad_ = n - 1; draw(pad_); return std::nullopt;
    case key::Enter:
    case key::Down: openPopup(); return std::nullopt;
    case key::Esc: return 0;
    default: break;
  }
  if (!k.isChar()) return std::nullopt;
  const char c = rt::text::upperChar(k.ch());
  for (int p = 0; p < n; ++p) {
    auto cap = parseCaption(pads_[static_cast<std::size_t>(p)].caption);
    if (cap.hot >= 0 && rt::text::upperChar(cap.text[static_cast<std::size_t>(cap.hot)]) == c) {
      switchPad(p);
      break;
    }
  }
  return std::nullopt;
}

std::optional<int> MenuBar::keyInPopup(const Key& k) {
  const auto& items = pads_[static_cast<std::size_t>(pad_)].items;
  const int count = static_cast<int>(items.size());
  switch (k.code) {
    case key::Esc: closePopup(); draw(pad_); return std::nullopt;
    case key::Left: switchPad(pad_ - 1); return std::nullopt;
    case key::Right: switchPad(pad_ + 1); return std::nullopt;
    case key::Up: {
      int i = firstItem(item_ - 1, -1);
      if (i < 0) i = firstItem(count - 1, -1);
      item_ = i;
      return std::nullopt;
    }
    case key::Down: {
      int i = firstItem(item_ + 1, 1);
      if (i < 0) i = firstItem(0, 1);
      item_ = i;
      return std::nullopt;
    }
    case key::Home: item_ = firstItem(0, 1); return std::nullopt;
    case key::End: item_ = firstItem(count - 1, -1); return std::nullopt;
    case key::Enter: return item_ >= 0 ? choose(item_) : std::nullopt;
    default: break;
  }
  if (!k.isChar()) return std::nullopt;
  const char c = rt::text::upperChar(k.ch());
  for (int i = 0; i < count; ++i) {
    auto cap = parseCaption(items[static_cast<std::size_t>(i)].caption);
    if (selectable(i) && cap.hot >= 0 && rt::text::upperChar(cap.text[static_cast<std::size_t>(cap.hot)]) == c) {
      item_ = i;
      return choose(i);
    }
  }
  return std::nullopt;
}

int MenuBar::run(int startPad, bool open) {
  if (pads_.empty()) return 0;
  auto& s = console_.screen();
  auto shape = s.cursorShape();
  s.setCursorShape(rt::term::CursorShape::Hidden);
  std::optional<rt::term::Screen::Saved> messageUnder;
  if (messageRow_ >= 0) messageUnder = s.save({messageRow_, 0, messageRow_, rt::term::Screen::kCols - 1});
  pad_ = std::clamp(startPad, 0, static_cast<int>(pads_.size()) - 1);
  layout();
  draw(pad_);
  if (open) openPopup();
  std::optional<int> chosen;
  while (!chosen) {
    if (open_) {
      drawPopup();
    } else {
      showHelp();
    }
    Key k = console_.waitKey();
    if (const auto* hot = console_.hotKeyFor(k)) {
      (*hot)();
      continue;
    }
    if (!menuWideKey(k, chosen)) chosen = open_ ? keyInPopup(k) : keyAtBar(k);
  }
  closePopup();
  draw(-1);
  if (messageUnder) s.restore(*messageUnder);
  s.setCursorShape(shape);
  return *chosen;
}

}  // namespace rt::ui
