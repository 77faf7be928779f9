// The top-bar menu with pop-ups, as the old program's main menu used it.
//
// A bar of pads on one row; each pad opens a pop-up of items below it. A caption marks its hot
// letter with "&". At the bar: Left/Right move between pads, Enter or Down opens the pad, Alt
// and the pad's hot letter (or the letter alone) opens it, Esc leaves with 0. In a pop-up:
// Up/Down/Home/End move, Enter or an item's hot letter chooses it, Left/Right open the
// neighbouring pad, Alt+letter another pad, Esc goes back to the bar. An item's shortcut key
// chooses it from anywhere in the menu. A left mouse click on a pad opens it and on an item
// chooses it; a click elsewhere closes the menu. While an item is highlighted its help text
// shows on the message row.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/term/colour.h"
#include "rt/term/console.h"

namespace rt::ui {

struct MenuItem {
  std::string caption;   // "&" before the hot letter; a caption of "─" bytes is a separator
  int id = 0;            // what run() returns when the item is chosen
  std::string help;      // the message row text while the item is highlighted
  int shortcut = 0;      // a key code that chooses the item from anywhere in the menu
  bool enabled = true;   // a disabled item shows dimmed; the cursor passes over it
  bool isSeparator() const;
};

// A separator line in a pop-up.
MenuItem menuSeparator();
// An enabled item.
MenuItem menuItem(std::string_view caption, int id, std::string_view help, int shortcut = 0);

struct MenuPad {
  std::string caption;
  std::vector<MenuItem> items;
};

// The caption as shown (without "&") and the index of its hot letter in it (-1: none).
struct Caption {
  std::string text;
  int hot = -1;
};
Caption parseCaption(std::string_view caption);

class MenuBar {
 public:
  // Colours as the old menus took them: standard, selected, hot letter, hot letter selected,
  // disabled, border. `row` is the bar's row; `messageRow` the row of the help texts (-1: none).
  MenuBar(rt::term::Console& console, rt::term::ColourSet colours, int row = 0, int messageRow = 24);

  MenuPad& addPad(std::string caption, std::vector<MenuItem> items = {});
  std::vector<MenuPad>& pads() { return pads_; }
  // The item with this id, to change its caption or switch it off; nullptr when absent.
  MenuItem* findItem(int id);

  // Draws the bar with `pad` highlighted (-1: none).
  void draw(int pad = -1);
  // Runs the menu until an item is chosen (its id) or Esc at the bar (0). The bar starts on pad
  // `startPad` (0-based) and, with `open`, with its pop-up open.
  int run(int startPad = 0, bool open = false);
  // The pad the last run ended on.
  int currentPad() const { return pad_; }

 private:
  struct PadPlace {
    int col = 0, width = 0;
  };
  void layout();
  void openPopup();
  void closePopup();
  void drawPopup();
  void showHelp();
  int padForAlt(int code) const;
  int padAt(int row, int col) const;
  int itemAt(int row, int col) const;
  int firstItem(int from, int step) const;
  std::optional<int> shortcutItem(int code, int& pad) const;
  bool selectable(int item) const;
  // The keys of run(): each gives the id the menu ends with (0: none chosen), or nothing while
  // it goes on. The menu-wide ones (an item's shortcut, Alt and a pad's letter, a mouse click)
  // come first; menuWideKey is false for any other key.
  bool menuWideKey(const rt::term::Key& k, std::optional<int>& chosen);
  std::optional<int> keyAtBar(const rt::term::Key& k);
  std::optional<int> keyInPopup(const rt::term::Key& k);
  // The id of the current pad's item `item`, unless it is disabled or a separator.
  std::optional<int> choose(int item) const;
  // Pad `p` (counted round the bar) highlighted with its pop-up open.
  void switchPad(int p);

  rt::term::Console& console_;
  rt::term::ColourSet colours_;
  int row_, messageRow_;
  std::vector<MenuPad> pads_;
  std::vector<PadPlace> places_;
  int pad_ = 0;
  int item_ = -1;
  bool open_ = false;
  rt::term::Rect popup_{};
  std::optional<rt::term::Screen::Saved> under_;
};

}  // namespace rt::ui
