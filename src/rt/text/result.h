// A value or the error that kept it from being made. The table engine and the platform layer
// each have their own error codes; both build their Status on one template and return their
// values through one template, instantiated with that Status.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace rt {

// An error code of one layer and what failed. Each layer names its codes in an enum whose
// value 0 means no error and gives `errorName(code)` in the enum's namespace.
template <typename E>
class [[nodiscard]] BasicStatus {
 public:
  BasicStatus() = default;
  BasicStatus(E code, std::string detail) : code_(code), detail_(std::move(detail)) {}

  bool isOk() const { return code_ == E{}; }
  explicit operator bool() const { return isOk(); }
  E code() const { return code_; }
  // The name of the field, file or call and the OS message that explain the error.
  const std::string& detail() const { return detail_; }
  // The error's name and its detail, in English, for logs and the detail line of an alert.
  std::string message() const {
    std::string m = errorName(code_);
    if (!detail_.empty()) m += ": " + detail_;
    return m;
  }

 private:
  E code_{};
  std::string detail_;
};

template <typename T, typename S>
class [[nodiscard]] BasicResult {
 public:
  using Code = decltype(std::declval<const S&>().code());

  BasicResult(T value) : v_(std::move(value)) {}       // NOLINT: implicit by design
  BasicResult(S error) : v_(std::move(error)) {}       // NOLINT
  BasicResult(Code code, std::string detail) : v_(S(code, std::move(detail))) {}

  bool isOk() const { return std::holds_alternative<T>(v_); }
  explicit operator bool() const { return isOk(); }
  T& value() { return std::get<T>(v_); }
  const T& value() const { return std::get<T>(v_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  // The error; a default Status (no error) when there is a value.
  S status() const { return isOk() ? S() : std::get<S>(v_); }
  Code code() const { return isOk() ? S().code() : std::get<S>(v_).code(); }

 private:
  std::variant<T, S> v_;
};

}  // namespace rt
