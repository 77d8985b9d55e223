#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "registry/registry_api.h"

namespace lumora {

class WindowOps;

// The text "Error" as a read result.
struct ReadErrorText {
  static constexpr std::u16string_view kText = u"Error";
  friend bool operator==(ReadErrorText, ReadErrorText) = default;
};

// Nothing (no root), "Error", or the value as a signed 32-bit number.
using ReadResult = std::variant<std::monostate, ReadErrorText, std::int32_t>;

inline constexpr std::u16string_view kRootNames[] = {
    u"HKEY_CLASSES_ROOT",     u"HKEY_CURRENT_USER",   u"HKEY_LOCAL_MACHINE", u"HKEY_USERS",
    u"HKEY_PERFORMANCE_DATA", u"HKEY_CURRENT_CONFIG", u"HKEY_DYN_DATA",
};

// 0 when the name is none of the seven root names, compared exactly.
[[nodiscard]] RegHandle RootKeyFromName(std::u16string_view name) noexcept;

// The registry module: reads and writes 32-bit values addressed by a key path.
// Its four variables are those of the one instance the program owns.
class General {
 public:
  General(RegistryApi& registry, WindowOps& ui) : registry_(registry), ui_(ui) {}

  // Replaces path by its sub-key and sets root; a malformed path shows the
  // "Incorrect Format:" message and changes neither. Returns whether the path
  // was well formed.
  bool SplitKeyPath(std::u16string& path, RegHandle& root);

  ReadResult ReadDWord(std::u16string& path, std::u16string_view name);

  // True only when the key opened and the value was set.
  bool WriteDWord(std::u16string& path, std::u16string_view name, std::int32_t value);

  RegHandle RootKey = 0;
  RegHandle OpenedKey = 0;
  RegStatus LastStatus = 0;
  std::array<std::uint8_t, 4> ValueBuffer{};

 private:
  RegistryApi& registry_;
  WindowOps& ui_;
};

}  // namespace lumora
