#pragma once

#include <exception>
#include <string>
#include <utility>

namespace lumora {

// The run-time error numbers, following the classic numbering so that a
// report reads familiar.
inline constexpr int kErrPlatformRefused = 5;  // a window or settings operation failed
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrOutOfMemory = 7;
inline constexpr int kErrSubscriptOutOfRange = 9;
inline constexpr int kErrTypeMismatch = 13;

// The program's run-time error. The two trapping procedures catch it; anything
// that escapes an event handler reaches the default error handler instead.
class RuntimeError : public std::exception {
 public:
  RuntimeError(int number, std::u16string description)
      : description_(std::move(description)), number_(number) {}

  [[nodiscard]] int Number() const noexcept { return number_; }
  [[nodiscard]] const std::u16string& Description() const noexcept { return description_; }
  [[nodiscard]] const char* what() const noexcept override { return "run-time error"; }

 private:
  std::u16string description_;
  int number_;
};

}  // namespace lumora
