// Dates as the old runtime kept them: day precision, British "dd/mm/yyyy" with four-digit
// years, an empty date that sorts first, and the clock functions SECONDS and TIME.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rt/text/decimal.h"

namespace rt::text {

class Date {
 public:
  constexpr Date() = default;  // the empty date
  // Nothing (empty) when the day does not exist.
  static Date fromYmd(int year, int month, int day);
  static constexpr Date fromJulian(std::int32_t julianDay) {
    Date d;
    d.jd_ = julianDay;
    return d;
  }

  constexpr bool isEmpty() const { return jd_ == 0; }
  constexpr std::int32_t julian() const { return jd_; }
  int year() const;   // 0 for the empty date
  int month() const;  // 0 for the empty date
  int day() const;    // 0 for the empty date

  friend constexpr auto operator<=>(Date, Date) = default;
  friend constexpr bool operator==(Date, Date) = default;
  // Day arithmetic; the empty date stays empty.
  friend Date operator+(Date d, int days) { return d.isEmpty() ? d : fromJulian(d.jd_ + days); }
  friend Date operator-(Date d, int days) { return d + (-days); }
  // Days between two dates; 0 when either is empty.
  friend int operator-(Date a, Date b) { return a.isEmpty() || b.isEmpty() ? 0 : a.jd_ - b.jd_; }

 private:
  std::int32_t jd_ = 0;
};

// "dd/mm/yyyy"; an invalid or blank text gives the empty date.
Date ctod(std::string_view text);
// "dd/mm/yyyy"; the empty date gives "  /  /    ".
std::string dtoc(Date d);
// "yyyymmdd"; the empty date gives eight blanks.
std::string dtos(Date d);
// From "yyyymmdd"; blanks or an invalid text give the empty date.
Date stod(std::string_view text);
// Day of the week, Sunday 1 to Saturday 7; 0 for the empty date.
int dow(Date d);
// The last day of the month of d.
Date endOfMonth(Date d);

// Wall-clock reading, so that tests can set the time.
struct LocalTime {
  Date date;
  int secondsOfDay = 0;  // 0 .. 86399
  int hundredths = 0;    // 0 .. 99
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime now() const = 0;
};

// The machine's local time.
const Clock& systemClock();

// A clock that says what it is told, for tests.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalTime t = {}) : t_(t) {}
  LocalTime now() const override { return t_; }
  void set(LocalTime t) { t_ = t; }
  void advanceSeconds(int s);

 private:
  LocalTime t_;
};

Date today(const Clock& clock);
// Seconds since midnight with hundredths, as the runtime's SECONDS.
Decimal seconds(const Clock& clock);
// "hh:mm:ss", as the runtime's TIME.
std::string timeText(const Clock& clock);

}  // namespace rt::text
