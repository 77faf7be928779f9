#include "rt/ui/memo_layout.h"

#include "rt/ui/memoedit.h"

namespace rt::ui {

namespace memo {

std::vector<Paragraph> parse(std::string_view text, int tabSize) {
  std::vector<Paragraph> out(1);
  std::size_t end = text.size();
  if (end > 0 && text[end - 1] == '\x1A') --end;  // the end-of-file byte of text files
  for (std::size_t i = 0; i < end; ++i) {
    char c = text[i];
    Paragraph& p = out.back();
    if (c == kSoftReturn && i + 1 < end && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      p.srcEnd = i;
      if (c == '\r' && i + 1 < end && text[i + 1] == '\n') ++i;
      out.emplace_back();
      continue;
    }
    if (c == '\t') {
      int n = tabSize > 0 ? tabSize - static_cast<int>(p.text.size() % static_cast<std::size_t>(tabSize)) : 1;
      for (int k = 0; k < n; ++k) {
        p.text += ' ';
        p.src.push_back(i);
      }
      continue;
    }
    p.text += c;
    p.src.push_back(i);
  }
  out.back().srcEnd = end;
  return out;
}

void wrap(const std::string& t, int para, int width, bool wordWrap, std::vector<Line>& out) {
  const int len = static_cast<int>(t.size());
  int start = 0;
  if (wordWrap && width > 0) {
    while (len - start > width) {
      int k = -1;
      for (int i = std::min(start + width, len - 1); i > start; --i)
        if (t[static_cast<std::size_t>(i)] == ' ') {
          k = i;
          break;
        }
      int next = k >= 0 ? k + 1 : start + width;
      out.push_back({para, start, next});
      start = next;
    }
  }
  out.push_back({para, start, len});
}

}  // namespace memo

using memo::Layout;
using memo::Line;
using memo::Paragraph;
using memo::parse;

LineCol memoPosToLineCol(std::string_view text, int lineWidth, std::size_t pos, int tabSize, bool wordWrap) {
  auto paras = parse(text, tabSize);
  Layout layout;
  layout.build(paras, lineWidth, wordWrap, [](const Paragraph& p) -> const std::string& { return p.text; });
  std::size_t p = 0;
  while (p + 1 < paras.size() && paras[p + 1].srcStart() <= pos && paras[p].srcEnd < pos) ++p;
  const auto& para = paras[p];
  int off = static_cast<int>(std::lower_bound(para.src.begin(), para.src.end(), pos) - para.src.begin());
  int li = layout.lineOf(static_cast<int>(p), off);
  return {li + 1, off - layout.lines[static_cast<std::size_t>(li)].start};
}

std::size_t memoLineColToPos(std::string_view text, int lineWidth, int line, int col, int tabSize, bool wordWrap) {
  auto paras = parse(text, tabSize);
  Layout layout;
  layout.build(paras, lineWidth, wordWrap, [](const Paragraph& p) -> const std::string& { return p.text; });
  int li = std::clamp(line - 1, 0, static_cast<int>(layout.lines.size()) - 1);
  const Line& l = layout.lines[static_cast<std::size_t>(li)];
  const auto& para = paras[static_cast<std::size_t>(l.para)];
  int off = std::clamp(l.start + std::max(col, 0), l.start, l.end);
  return off < static_cast<int>(para.src.size()) ? para.src[static_cast<std::size_t>(off)] : para.srcEnd;
}

std::vector<std::string> memoLines(std::string_view text, int lineWidth, int tabSize, bool wordWrap) {
  auto paras = parse(text, tabSize);
  Layout layout;
  layout.build(paras, lineWidth, wordWrap, [](const Paragraph& p) -> const std::string& { return p.text; });
  std::vector<std::string> out;
  out.reserve(layout.lines.size());
  for (const Line& l : layout.lines)
    out.push_back(paras[static_cast<std::size_t>(l.para)].text.substr(static_cast<std::size_t>(l.start),
                                                                     static_cast<std::size_t>(l.end - l.start)));
  return out;
}

}  // namespace rt::ui
