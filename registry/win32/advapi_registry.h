#pragma once

#include "registry/registry_api.h"

namespace lumora {

// The registry module's calls, passed straight to advapi32.
class AdvapiRegistry final : public RegistryApi {
 public:
  RegStatus RegOpenKeyExA(RegHandle root, std::u16string_view sub_key, std::uint32_t options,
                          std::uint32_t access, RegHandle& opened) override;
  RegStatus RegQueryValueExA(RegHandle key, std::u16string_view name, std::uint32_t reserved,
                             std::uint32_t& type, std::uint8_t* data, std::uint32_t& size) override;
  RegStatus RegSetValueExA(RegHandle key, std::u16string_view name, std::uint32_t reserved,
                           std::uint32_t type, const std::uint8_t* data,
                           std::uint32_t size) override;
  RegStatus RegCloseKey(RegHandle key) override;
};

}  // namespace lumora
