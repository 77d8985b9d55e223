#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lumora::fuzzing {

// Reads the fuzzer's bytes as pieces of input, in order; runs dry quietly.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // The rest as UTF-16 code units, any of them allowed.
  std::u16string Rest16() {
    std::u16string text;
    while (at_ + 1 < size_) text += static_cast<char16_t>(Byte() | (Byte() << 8));
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace lumora::fuzzing
