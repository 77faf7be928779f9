// How the memo editor lays a text out (the format is in memoedit.h): the text read into
// paragraphs, soft line ends joined and tabs made blanks, and each paragraph wrapped into lines
// at a width. The editor and the position functions share it, so that a line and a column mean
// the same to the clerk's cursor as to the old MPOSTOLC and MLCTOPOS.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rt::ui::memo {

// The soft line end (8D 0A) a line broken by word wrap is stored with.
inline constexpr char kSoftReturn = '\x8D';

// A paragraph (a line ended by a hard line end) with, for each of its characters, its offset
// in the text it was read from.
struct Paragraph {
  std::string text;
  std::vector<std::size_t> src;
  std::size_t srcEnd = 0;  // where its line end (or the text) begins
  std::size_t srcStart() const { return src.empty() ? srcEnd : src.front(); }
};

// The text's paragraphs, tabs made blanks up to the next stop of `tabSize`.
std::vector<Paragraph> parse(std::string_view text, int tabSize);

struct Line {
  int para = 0, start = 0, end = 0;
};

// Word wrap: a line breaks after the last blank that lets it hold `width` characters (the
// blank stays at its end), or at `width` when a word is longer than the line.
void wrap(const std::string& t, int para, int width, bool wordWrap, std::vector<Line>& out);

struct Layout {
  std::vector<Line> lines;
  std::vector<int> first;  // first line of each paragraph

  template <typename Paras>
  void build(const Paras& paras, int width, bool wordWrap, auto textOf) {
    lines.clear();
    first.clear();
    for (std::size_t p = 0; p < paras.size(); ++p) {
      first.push_back(static_cast<int>(lines.size()));
      wrap(textOf(paras[p]), static_cast<int>(p), width, wordWrap, lines);
    }
  }
  bool lastOfPara(int li) const {
    return li + 1 >= static_cast<int>(lines.size()) || lines[static_cast<std::size_t>(li + 1)].para != lines[static_cast<std::size_t>(li)].para;
  }
  int lineOf(int para, int off) const {
    int li = first[static_cast<std::size_t>(para)];
    while (!lastOfPara(li) && off >= lines[static_cast<std::size_t>(li)].end) ++li;
    return li;
  }
  // The offset in the paragraph for a column of a line: past the end of a wrapped line the
  // cursor stays on its last character.
  int offsetAt(int li, int col) const {
    const Line& l = lines[static_cast<std::size_t>(li)];
    int maxOff = lastOfPara(li) ? l.end : std::max(l.start, l.end - 1);
    return std::clamp(l.start + std::max(col, 0), l.start, maxOff);
  }
};

}  // namespace rt::ui::memo
