#pragma once

#include <stdexcept>
#include <string>

namespace lumora {

// The program's run-time error. The two trapping procedures catch it; anything
// that escapes an event handler reaches the default error handler instead.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}

  [[nodiscard]] int Number() const noexcept { return number_; }

 private:
  int number_;
};

// Numbers follow the classic run-time error numbering, so a report reads familiar.
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrTypeMismatch = 13;
inline constexpr int kErrWindowOperation = 5;

}  // namespace lumora
