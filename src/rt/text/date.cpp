#include "rt/text/date.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace rt::text {
namespace {

// Civil date <-> Julian day number (proleptic Gregorian), after the well-known algorithm
// of Fliegel and Van Flandern.
std::int32_t toJulian(int y, int m, int d) {
  int a = (14 - m) / 12;
  int yy = y + 4800 - a;
  int mm = m + 12 * a - 3;
  return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

struct Ymd {
  int y, m, d;
};

Ymd fromJulian(std::int32_t jd) {
  int a = jd + 32044;
  int b = (4 * a + 3) / 146097;
  int c = a - 146097 * b / 4;
  int d = (4 * c + 3) / 1461;
  int e = c - 1461 * d / 4;
  int m = (5 * e + 2) / 153;
  return {100 * b + d - 4800 + m / 10, m + 3 - 12 * (m / 10), e - (153 * m + 2) / 5 + 1};
}

bool allDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int number(std::string_view s) {
  int n = 0;
  for (char c : s) n = n * 10 + (c - '0');
  return n;
}

class SystemClock final : public Clock {
 public:
  LocalTime now() const override {
    auto tp = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(tp);
    std::tm tm{};
    localtime_r(&t, &tm);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(tp.time_since_epoch()).count() % 1000;
    return {Date::fromYmd(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday),
            tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec, static_cast<int>(ms / 10)};
  }
};

}  // namespace

Date Date::fromYmd(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return {};
  std::int32_t jd = toJulian(year, month, day);
  Ymd back = rt::text::fromJulian(jd);
  if (back.y != year || back.m != month || back.d != day) return {};
  return Date::fromJulian(jd);
}

int Date::year() const { return isEmpty() ? 0 : rt::text::fromJulian(jd_).y; }
int Date::month() const { return isEmpty() ? 0 : rt::text::fromJulian(jd_).m; }
int Date::day() const { return isEmpty() ? 0 : rt::text::fromJulian(jd_).d; }

Date ctod(std::string_view text) {
  // Accept d/m/yyyy with one- or two-digit day and month, as typed.
  auto p1 = text.find('/');
  if (p1 == std::string_view::npos) return {};
  auto p2 = text.find('/', p1 + 1);
  if (p2 == std::string_view::npos) return {};
  auto trim = [](std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
  };
  auto d = trim(text.substr(0, p1)), m = trim(text.substr(p1 + 1, p2 - p1 - 1)), y = trim(text.substr(p2 + 1));
  if (!allDigits(d) || !allDigits(m) || !allDigits(y) || d.size() > 2 || m.size() > 2 || y.size() > 4) return {};
  // Two-digit years follow the program's epoch of 1900, as the runtime was set up.
  int year = number(y);
  if (y.size() <= 2) year += 1900;
  return Date::fromYmd(year, number(m), number(d));
}

std::string dtoc(Date d) {
  if (d.isEmpty()) return "  /  /    ";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day(), d.month(), d.year());
  return buf;
}

std::string dtos(Date d) {
  if (d.isEmpty()) return "        ";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year(), d.month(), d.day());
  return buf;
}

Date stod(std::string_view text) {
  if (text.size() != 8 || !allDigits(text)) return {};
  return Date::fromYmd(number(text.substr(0, 4)), number(text.substr(4, 2)), number(text.substr(6, 2)));
}

int dow(Date d) {
  if (d.isEmpty()) return 0;
  // Julian day 0 mod 7 == Monday; shift so Sunday is 1.
  return (d.julian() + 1) % 7 + 1;
}

Date endOfMonth(Date d) {
  if (d.isEmpty()) return d;
  int y = d.year(), m = d.month();
  return Date::fromYmd(m == 12 ? y + 1 : y, m == 12 ? 1 : m + 1, 1) - 1;
}

const Clock& systemClock() {
  static const SystemClock clock;
  return clock;
}

void FixedClock::advanceSeconds(int s) {
  int total = t_.secondsOfDay + s;
  int days = total >= 0 ? total / 86400 : -((-total + 86399) / 86400);
  t_.secondsOfDay = total - days * 86400;
  t_.date = t_.date + days;
}

Date today(const Clock& clock) { return clock.now().date; }

Decimal seconds(const Clock& clock) {
  LocalTime t = clock.now();
  return Decimal::fromRaw(static_cast<std::int64_t>(t.secondsOfDay) * Decimal::kScale +
                          static_cast<std::int64_t>(t.hundredths) * (Decimal::kScale / 100));
}

std::string timeText(const Clock& clock) {
  int s = clock.now().secondsOfDay;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

}  // namespace rt::text
