// A value or the error that kept it from being made. The table engine and the platform layer
// each have their own error codes and Status; both return their values through this one
// template, instantiated with their Status.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace rt {

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
