#pragma once

#include <cstdint>
#include <string_view>

namespace lumora {

// Registry handles and statuses as the module keeps them: signed 32-bit.
using RegHandle = std::int32_t;
using RegStatus = std::int32_t;

inline constexpr RegStatus kRegSuccess = 0;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;

// The four advapi32 functions the registry module calls, argument for argument.
// Texts arrive as the program's UTF-16; the Windows side converts them to the
// ANSI code page for each call.
class RegistryApi {
 public:
  RegistryApi() = default;
  RegistryApi(const RegistryApi&) = delete;
  RegistryApi& operator=(const RegistryApi&) = delete;
  virtual ~RegistryApi() = default;

  virtual RegStatus RegOpenKeyExA(RegHandle root, std::u16string_view sub_key,
                                  std::uint32_t options, std::uint32_t access,
                                  RegHandle& opened) = 0;
  virtual RegStatus RegQueryValueExA(RegHandle key, std::u16string_view name,
                                     std::uint32_t reserved, std::uint32_t& type,
                                     std::uint8_t* data, std::uint32_t& size) = 0;
  virtual RegStatus RegSetValueExA(RegHandle key, std::u16string_view name, std::uint32_t reserved,
                                   std::uint32_t type, const std::uint8_t* data,
                                   std::uint32_t size) = 0;
  virtual RegStatus RegCloseKey(RegHandle key) = 0;
};

}  // namespace lumora
