#include "rt/text/strings.h"

#include <algorithm>

namespace rt::text {
namespace {

std::size_t clampSize(int n) { return n < 0 ? 0 : static_cast<std::size_t>(n); }

// The digits of |n| rounded at `decimals`, with the sign and point, unpadded.
std::string plainNumber(Decimal n, int decimals) { return n.toString(decimals); }

}  // namespace

std::string padr(std::string_view s, int width, char fill) {
  std::size_t w = clampSize(width);
  std::string out(s.substr(0, std::min(s.size(), w)));
  out.append(w - out.size(), fill);
  return out;
}

std::string padl(std::string_view s, int width, char fill) {
  std::size_t w = clampSize(width);
  if (s.size() >= w) return std::string(s.substr(0, w));
  return std::string(w - s.size(), fill) + std::string(s);
}

std::string padc(std::string_view s, int width, char fill) {
  std::size_t w = clampSize(width);
  if (s.size() >= w) return std::string(s.substr(0, w));
  std::size_t before = (w - s.size()) / 2;
  return std::string(before, fill) + std::string(s) + std::string(w - s.size() - before, fill);
}

std::string space(int n) { return std::string(clampSize(n), ' '); }

std::string replicate(std::string_view s, int times) {
  std::string out;
  out.reserve(s.size() * clampSize(times));
  for (int i = 0; i < times; ++i) out += s;
  return out;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string_view ltrim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

std::string_view alltrim(std::string_view s) { return ltrim(trim(s)); }

bool isEmptyText(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

char upperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = upperChar(c);
  return out;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

int at(std::string_view needle, std::string_view haystack) {
  if (needle.empty()) return 0;
  auto p = haystack.find(needle);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

int rat(std::string_view needle, std::string_view haystack) {
  if (needle.empty()) return 0;
  auto p = haystack.rfind(needle);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

std::string substr(std::string_view s, int start, int len) {
  int size = static_cast<int>(s.size());
  if (start < 0) start = std::max(size + start + 1, 1);
  if (start == 0) start = 1;
  if (start > size) return {};
  std::size_t from = static_cast<std::size_t>(start - 1);
  if (len < 0) return std::string(s.substr(from));
  return std::string(s.substr(from, static_cast<std::size_t>(len)));
}

std::string left(std::string_view s, int n) { return std::string(s.substr(0, clampSize(n))); }

std::string right(std::string_view s, int n) {
  std::size_t k = std::min(clampSize(n), s.size());
  return std::string(s.substr(s.size() - k));
}

std::string strtran(std::string_view s, std::string_view search, std::string_view replace, int start, int count) {
  if (search.empty()) return std::string(s);
  std::string out;
  int seen = 0, done = 0;
  std::size_t pos = 0;
  while (pos < s.size()) {
    auto hit = s.find(search, pos);
    if (hit == std::string_view::npos) break;
    out.append(s.substr(pos, hit - pos));
    ++seen;
    if (seen >= start && (count < 0 || done < count)) {
      out += replace;
      ++done;
    } else {
      out += search;
    }
    pos = hit + search.size();
  }
  out.append(s.substr(std::min(pos, s.size())));
  return out;
}

std::string stuff(std::string_view s, int start, int del, std::string_view insert) {
  std::size_t from = std::min(start < 1 ? 0 : static_cast<std::size_t>(start - 1), s.size());
  std::size_t cut = std::min(clampSize(del), s.size() - from);
  return std::string(s.substr(0, from)) + std::string(insert) + std::string(s.substr(from + cut));
}

std::string str(Decimal n, int width, int decimals) {
  std::string text = plainNumber(n, decimals);
  if (static_cast<int>(text.size()) > width) return std::string(clampSize(width), '*');
  return padl(text, width);
}

std::string strzero(Decimal n, int width, int decimals) {
  std::string text = str(n, width, decimals);
  if (!text.empty() && text[0] == '*') return text;
  bool negative = text.find('-') != std::string::npos;
  for (char& c : text)
    if (c == ' ' || c == '-') c = '0';
  if (negative) text[0] = '-';
  return text;
}

}  // namespace rt::text
