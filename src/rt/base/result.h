// A value or the Status that kept it from being made.
#pragma once

#include <string>
#include <utility>
#include <variant>

#include "rt/base/status.h"

namespace rt {

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}       // NOLINT: implicit by design
  Result(Status error) : v_(std::move(error)) {}  // NOLINT
  Result(Error code, std::string detail) : v_(Status(code, std::move(detail))) {}

  bool isOk() const { return std::holds_alternative<T>(v_); }
  explicit operator bool() const { return isOk(); }
  T& value() { return std::get<T>(v_); }
  const T& value() const { return std::get<T>(v_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  // The error; a default Status (no error) when there is a value.
  Status status() const { return isOk() ? Status() : std::get<Status>(v_); }
  Error code() const { return isOk() ? Error::kNone : std::get<Status>(v_).code(); }

 private:
  std::variant<T, Status> v_;
};

}  // namespace rt
