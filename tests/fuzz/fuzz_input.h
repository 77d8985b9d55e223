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
  std::uint32_t Word() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return value;
  }
  // A length byte, then that many UTF-16 code units, any of them allowed.
  std::u16string Text() {
    std::u16string text(Byte(), u'\0');
    for (char16_t& unit : text) unit = static_cast<char16_t>(Byte() | (Byte() << 8));
    return text;
  }
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
