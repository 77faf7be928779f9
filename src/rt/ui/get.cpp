#include "rt/ui/get.h"

#include <algorithm>

#include "rt/text/strings.h"

namespace rt::ui {

using rt::text::Picture;

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int decimalsOf(Decimal d) {
  std::string exact = d.toString();
  auto point = exact.find('.');
  return point == std::string::npos ? 0 : static_cast<int>(exact.size() - point - 1);
}
}  // namespace

Get::Get(int row, int col, Binding binding, std::string_view picture)
    : row_(row), col_(col), binding_(std::move(binding)), picture_(picture), pic_(rt::text::parsePicture(picture)) {
  Value v = binding_.get ? binding_.get() : Value{};
  makePictures(v);
}

// The edit picture keeps only what shapes the buffer place by place; the template is filled
// in where the picture gives none, from the value's type and size.
void Get::makePictures(const Value& v) {
  // Kind follows the order of Value's alternatives: text, number, date, logical.
  kind_ = static_cast<Kind>(v.index());
  templ_ = pic_.templ;
  std::string functions;
  for (char f : pic_.functions)
    if (std::string_view("EZR!").find(f) != std::string_view::npos) functions += f;
  switch (kind_) {
    case Kind::Number: {
      bool hasDigitPlace = std::any_of(templ_.begin(), templ_.end(), [](char c) { return rt::text::isTemplateEditChar(c, true); });
      if (!hasDigitPlace) {
        int dec = binding_.shape.decimals >= 0 ? binding_.shape.decimals : decimalsOf(std::get<Decimal>(v));
        int width = binding_.shape.width > 0 ? binding_.shape.width : 10 + (dec > 0 ? dec + 1 : 0);
        templ_ = std::string(static_cast<std::size_t>(std::max(1, width - (dec > 0 ? dec + 1 : 0))), '9');
        if (dec > 0) templ_ += "." + std::string(static_cast<std::size_t>(dec), '9');
      }
      auto point = templ_.find('.');
      decimalPlace_ = point == std::string::npos ? -1 : static_cast<int>(point);
      break;
    }
    case Kind::Date:
      templ_ = "99/99/9999";
      functions.erase(std::remove(functions.begin(), functions.end(), 'R'), functions.end());
      break;
    case Kind::Logical:
      if (templ_.empty()) templ_ = "L";
      break;
    case Kind::Text:
      if (templ_.empty() && pic_.has('D')) templ_ = "99/99/9999";
      if (templ_.empty()) {
        int width = std::max<int>(static_cast<int>(std::get<std::string>(v).size()), binding_.shape.width);
        templ_ = std::string(static_cast<std::size_t>(std::max(width, 1)), pic_.has('!') ? '!' : 'X');
      }
      break;
  }
  editPicture_ = functions.empty() ? templ_ : "@" + functions + " " + templ_;
}

std::string Get::format(const Value& v) const { return formatValue(v, editPicture_); }

void Get::fitBuffer() {
  // One buffer place per template character, whatever the formatter gave.
  buffer_.resize(templ_.size(), ' ');
}

bool Get::editable(int i) const {
  if (i < 0 || i >= static_cast<int>(templ_.size())) return false;
  return rt::text::isTemplateEditChar(templ_[static_cast<std::size_t>(i)], kind_ == Kind::Number);
}
int Get::nextEditable(int from) const {
  for (int i = from + 1; i < static_cast<int>(templ_.size()); ++i)
    if (editable(i)) return i;
  return -1;
}
int Get::prevEditable(int from) const {
  for (int i = from - 1; i >= 0; --i)
    if (editable(i)) return i;
  return -1;
}
int Get::firstEditable() const {
  int i = nextEditable(-1);
  return i < 0 ? 0 : i;
}
int Get::lastEditable() const {
  int i = prevEditable(static_cast<int>(templ_.size()));
  return i < 0 ? 0 : i;
}

void Get::setFocus() {
  start_ = binding_.get ? binding_.get() : Value{};
  makePictures(start_);
  buffer_ = format(start_);
  fitBuffer();
  original_ = buffer_;
  pos_ = firstEditable();
  offset_ = 0;
  focus_ = true;
  typeOut_ = false;
  wholeEntry_ = false;
  clearPending_ = pic_.has('K') || kind_ == Kind::Number;
}

void Get::killFocus() {
  focus_ = false;
  typeOut_ = false;
  clearPending_ = false;
  wholeEntry_ = false;
}

void Get::clearBuffer() {
  for (int i = 0; i < static_cast<int>(buffer_.size()); ++i) {
    char& c = buffer_[static_cast<std::size_t>(i)];
    // A short negative amount shows its sign where the picture has a separator; the sign
    // belongs to the old value and must not turn the newly typed one negative.
    if (editable(i) || (kind_ == Kind::Number && (c == '-' || c == '('))) c = ' ';
  }
}

int Get::lastWholePlace() const {
  const int p = decimalPlace_ >= 0 ? prevEditable(decimalPlace_) : lastEditable();
  return p < 0 ? firstEditable() : p;
}

int Get::wholePlaces() const {
  int n = 0;
  const int end = decimalPlace_ >= 0 ? decimalPlace_ : static_cast<int>(templ_.size());
  for (int i = 0; i < end; ++i)
    if (editable(i)) ++n;
  return n;
}

// The entry goes on only while nothing else has touched the buffer or moved the cursor.
bool Get::inWholeEntry() const { return wholeEntry_ && buffer_ == wholeBuffer_ && pos_ == lastWholePlace(); }

void Get::showWhole() {
  Decimal v = Decimal::val(wholeDigits_.empty() ? "0" : wholeDigits_);
  if (wholeNegative_) v = -v;
  buffer_ = format(v);
  fitBuffer();
  const int last = lastWholePlace();
  // A zero the picture blanks is still shown while typed, and so is a sign with no digit yet.
  if (v.isZero()) {
    char& unidade = buffer_[static_cast<std::size_t>(last)];
    if (unidade == ' ' && !wholeDigits_.empty()) unidade = '0';
    if (wholeNegative_) {
      const int at = unidade == ' ' ? last : prevEditable(last);
      if (at >= 0) buffer_[static_cast<std::size_t>(at)] = '-';
    }
  }
  pos_ = last;
  wholeBuffer_ = buffer_;
}

bool Get::typeWhole(char c) {
  char out = c;
  if (!rt::text::acceptsChar(templ_[static_cast<std::size_t>(firstEditable())], c, out, true)) return false;
  if (!inWholeEntry()) {
    wholeEntry_ = true;
    wholeDigits_.clear();
    wholeNegative_ = false;
  }
  clearPending_ = false;
  if (c == '-') {
    wholeNegative_ = !wholeNegative_;
  } else {
    const std::size_t room = static_cast<std::size_t>(std::max(wholePlaces() - (wholeNegative_ ? 1 : 0), 0));
    if (wholeDigits_.size() >= room) {
      // The whole part is full: the digit goes on into the decimals, as typing on would.
      wholeEntry_ = false;
      const int n = decimalPlace_ >= 0 ? nextEditable(decimalPlace_) : -1;
      if (n < 0) return false;
      pos_ = n;
      return type(c, false);
    }
    wholeDigits_ += c;
  }
  showWhole();
  // A number with no decimals is full when its places are: the field is typed out.
  if (decimalPlace_ < 0 && wholeDigits_.size() + (wholeNegative_ ? 1 : 0) >= static_cast<std::size_t>(wholePlaces()))
    typeOut_ = true;
  return true;
}

bool Get::type(char c, bool insert) {
  if (!focus_) return false;
  typeOut_ = false;
  if (kind_ == Kind::Number && (isDigit(c) || c == '-') &&
      (inWholeEntry() || (clearPending_ && pos_ == firstEditable()))) {
    if (!inWholeEntry()) clearBuffer();
    return typeWhole(c);
  }
  if (!editable(pos_)) return false;
  char out = c;
  // A refused character leaves an amount being typed as it was.
  if (!rt::text::acceptsChar(templ_[static_cast<std::size_t>(pos_)], c, out, kind_ == Kind::Number)) return false;
  wholeEntry_ = false;
  if (pic_.has('!')) out = rt::text::upperChar(out);
  if (clearPending_ && pos_ == firstEditable()) clearBuffer();
  clearPending_ = false;
  if (insert) {
    // Every later edit place takes the character before it; the last one falls off.
    for (int i = lastEditable(); i > pos_; i = prevEditable(i)) {
      int from = prevEditable(i);
      if (from < pos_) break;
      buffer_[static_cast<std::size_t>(i)] = buffer_[static_cast<std::size_t>(from)];
    }
  }
  buffer_[static_cast<std::size_t>(pos_)] = out;
  int next = nextEditable(pos_);
  if (next < 0)
    typeOut_ = true;
  else
    pos_ = next;
  return true;
}

void Get::left() {
  clearPending_ = false;
  typeOut_ = false;
  int p = prevEditable(pos_);
  if (p >= 0) pos_ = p;
}
void Get::right() {
  clearPending_ = false;
  typeOut_ = false;
  int n = nextEditable(pos_);
  if (n >= 0) pos_ = n;
}
void Get::home() {
  clearPending_ = false;
  typeOut_ = false;
  pos_ = firstEditable();
}
void Get::end() {
  // After the last character that is not blank, as the runtime did.
  clearPending_ = false;
  typeOut_ = false;
  int last = -1;
  for (int i = 0; i < static_cast<int>(buffer_.size()); ++i)
    if (editable(i) && buffer_[static_cast<std::size_t>(i)] != ' ') last = i;
  if (last < 0) {
    pos_ = firstEditable();
    return;
  }
  int n = nextEditable(last);
  pos_ = n >= 0 ? n : last;
}
void Get::wordLeft() {
  clearPending_ = false;
  int p = pos_;
  auto at = [&](int i) { return buffer_[static_cast<std::size_t>(i)]; };
  int q = prevEditable(p);
  while (q >= 0 && at(q) == ' ') q = prevEditable(q);
  while (q >= 0) {
    int r = prevEditable(q);
    if (r < 0 || at(r) == ' ') break;
    q = r;
  }
  pos_ = q >= 0 ? q : firstEditable();
}
void Get::wordRight() {
  clearPending_ = false;
  auto at = [&](int i) { return buffer_[static_cast<std::size_t>(i)]; };
  int q = pos_;
  while (q >= 0 && at(q) != ' ') q = nextEditable(q);
  while (q >= 0 && at(q) == ' ') q = nextEditable(q);
  pos_ = q >= 0 ? q : lastEditable();
}

void Get::shiftLeftFrom(int i) {
  for (int at = i; at >= 0; at = nextEditable(at)) {
    int n = nextEditable(at);
    buffer_[static_cast<std::size_t>(at)] = n >= 0 ? buffer_[static_cast<std::size_t>(n)] : ' ';
  }
}

void Get::backspace() {
  clearPending_ = false;
  typeOut_ = false;
  if (inWholeEntry()) {
    // The last digit typed goes, then the sign.
    if (!wholeDigits_.empty())
      wholeDigits_.pop_back();
    else
      wholeNegative_ = false;
    showWhole();
    return;
  }
  int p = prevEditable(pos_);
  if (p < 0) return;
  pos_ = p;
  shiftLeftFrom(p);
}
void Get::del() {
  clearPending_ = false;
  typeOut_ = false;
  if (editable(pos_)) shiftLeftFrom(pos_);
}
void Get::delEnd() {
  clearPending_ = false;
  for (int i = pos_; i >= 0; i = nextEditable(i)) buffer_[static_cast<std::size_t>(i)] = ' ';
}
bool Get::blankFrom(int from) const {
  for (int i = editable(from) ? from : nextEditable(from); i >= 0; i = nextEditable(i))
    if (buffer_[static_cast<std::size_t>(i)] != ' ') return false;
  return true;
}

// The rest of the word under the cursor goes, then the blanks up to the next word, whose text
// comes to the cursor. Only the places typed into count: the picture's literals ("." "-" "/"
// of a CPF, a date or a CNPJ) never move and are never blank. Each shift takes one place's
// character out, so the places from the cursor on bound the work.
void Get::delWordRight() {
  clearPending_ = false;
  if (!editable(pos_)) return;
  auto at = [&](int i) { return buffer_[static_cast<std::size_t>(i)]; };
  int passos = 0;
  for (int i = pos_; i >= 0; i = nextEditable(i)) ++passos;
  const bool wasSpace = at(pos_) == ' ';
  while (passos > 0 && (at(pos_) != ' ') != wasSpace && !blankFrom(pos_)) {
    shiftLeftFrom(pos_);
    --passos;
  }
  while (passos > 0 && at(pos_) == ' ' && !blankFrom(pos_)) {
    shiftLeftFrom(pos_);
    --passos;
  }
}
void Get::undo() {
  buffer_ = original_;
  pos_ = firstEditable();
  typeOut_ = false;
}

void Get::restart() {
  pos_ = firstEditable();
  offset_ = 0;
  typeOut_ = false;
  wholeEntry_ = false;
  clearPending_ = pic_.has('K') || kind_ == Kind::Number;
}

void Get::toDecimalPoint() {
  if (kind_ != Kind::Number || decimalPlace_ < 0) return;
  clearPending_ = false;
  typeOut_ = false;
  Value v = valueFromBuffer();
  buffer_ = format(v);
  fitBuffer();
  int n = nextEditable(decimalPlace_);
  if (n >= 0) pos_ = n;
}

bool Get::badDate() const {
  if (kind_ != Kind::Date || !focus_) return false;
  bool anyDigit = std::any_of(buffer_.begin(), buffer_.end(), isDigit);
  return anyDigit && rt::text::ctod(buffer_).isEmpty();
}

bool Get::freeText() const {
  // One or two places hold a code typed whole (a flag, a state's letters): typing on still
  // moves to the next field there.
  if (kind_ != Kind::Text || templ_.size() < 3) return false;
  return std::all_of(templ_.begin(), templ_.end(), [](char t) { return t == 'X' || t == '!'; });
}

int Get::places() const {
  int n = 0;
  for (int i = 0; i < static_cast<int>(templ_.size()); ++i)
    if (editable(i)) ++n;
  return n;
}

Value Get::valueFromBuffer() const {
  switch (kind_) {
    case Kind::Number: {
      std::string digits;
      bool negative = false;
      for (int i = 0; i < static_cast<int>(buffer_.size()); ++i) {
        char c = buffer_[static_cast<std::size_t>(i)];
        if (i == decimalPlace_) {
          digits += '.';
        } else if (editable(i)) {
          if (c == '*') return start_;  // an overflow shown in asterisks was not edited
          if (isDigit(c)) digits += c;
          if (c == '-') negative = true;
        } else if (c == '(' || c == '-') {
          negative = true;
        }
      }
      Decimal d = Decimal::val(digits);
      return negative ? -d : d;
    }
    case Kind::Date:
      return rt::text::ctod(buffer_);
    case Kind::Logical: {
      for (int i = 0; i < static_cast<int>(buffer_.size()); ++i)
        if (editable(i)) {
          char c = rt::text::upperChar(buffer_[static_cast<std::size_t>(i)]);
          return c == 'T' || c == 'Y';
        }
      return false;
    }
    case Kind::Text: {
      std::string out;
      if (pic_.has('R')) {
        for (int i = 0; i < static_cast<int>(buffer_.size()); ++i)
          if (editable(i)) out += buffer_[static_cast<std::size_t>(i)];
      } else {
        out = buffer_;
      }
      // A template shorter than the variable edits its head; the tail is kept.
      const auto* old = std::get_if<std::string>(&start_);
      if (old && old->size() > out.size()) out += old->substr(out.size());
      return out;
    }
  }
  return start_;
}

void Get::assign() {
  if (!focus_) return;
  Value v = valueFromBuffer();
  if (binding_.set) binding_.set(v);
  start_ = v;
  original_ = buffer_;
}

void Get::updateBuffer() {
  if (!focus_) return;
  start_ = binding_.get ? binding_.get() : Value{};
  buffer_ = format(start_);
  fitBuffer();
  original_ = buffer_;
  if (!editable(pos_)) pos_ = firstEditable();
}

bool Get::setText(std::string_view text) {
  Value v;
  std::string_view t = rt::text::alltrim(text);
  switch (kind_) {
    case Kind::Text:
      v = std::string(text);
      break;
    case Kind::Number: {
      std::string s(t);
      if (s.find(',') != std::string::npos) {  // "1.234,56" as the screens show amounts
        s.erase(std::remove(s.begin(), s.end(), '.'), s.end());
        std::replace(s.begin(), s.end(), ',', '.');
      }
      auto d = Decimal::parse(s.empty() ? "0" : s);
      if (!d) return false;
      v = *d;
      break;
    }
    case Kind::Date: {
      Date d = rt::text::ctod(t);
      if (d.isEmpty() && !t.empty() && t.find_first_of("0123456789") != std::string_view::npos) return false;
      v = d;
      break;
    }
    case Kind::Logical: {
      char c = t.empty() ? 'F' : rt::text::upperChar(t[0]);
      v = c == 'T' || c == 'Y' || c == 'S';
      break;
    }
  }
  if (binding_.set) binding_.set(v);
  if (focus_) updateBuffer();
  return true;
}

void Get::display(rt::term::Screen& screen, const rt::term::ColourSet& fallback) const {
  const rt::term::ColourSet& set = colours_ ? *colours_ : fallback;
  const int width = pic_.scrollWidth > 0 ? pic_.scrollWidth : static_cast<int>(templ_.size());
  if (!focus_) {
    Value v = binding_.get ? binding_.get() : Value{};
    std::string shown = formatValue(v, picture_.empty() ? editPicture_ : picture_);
    if (static_cast<int>(shown.size()) < width) shown = rt::text::padr(shown, width);
    screen.put(row_, col_, shown, set.unselected());
    return;
  }
  if (pos_ < offset_) offset_ = pos_;
  if (pos_ >= offset_ + width) offset_ = pos_ - width + 1;
  std::string shown = buffer_.substr(static_cast<std::size_t>(std::min<int>(offset_, static_cast<int>(buffer_.size()))),
                                     static_cast<std::size_t>(width));
  screen.put(row_, col_, rt::text::padr(shown, width), set.enhanced());
  screen.setCursor(row_, col_ + pos_ - offset_);
}

}  // namespace rt::ui
