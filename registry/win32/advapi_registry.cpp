#include "registry/win32/advapi_registry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/toolkit/win32/text.h"

namespace lumora {

namespace {

// Handles travel as signed 32-bit numbers; widening by sign keeps the
// predefined roots right on 64-bit builds too.
HKEY ToHkey(RegHandle handle) { return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(handle)); }

RegHandle FromHkey(HKEY key) {
  return static_cast<RegHandle>(reinterpret_cast<std::intptr_t>(key));
}

}  // namespace

RegStatus AdvapiRegistry::RegOpenKeyExA(RegHandle root, std::u16string_view sub_key,
                                        std::uint32_t options, std::uint32_t access,
                                        RegHandle& opened) {
  HKEY key = nullptr;
  const std::string ansi = AnsiFromUtf16(sub_key);
  const LONG status = ::RegOpenKeyExA(ToHkey(root), ansi.c_str(), options, access, &key);
  opened = status == ERROR_SUCCESS ? FromHkey(key) : 0;
  return status;
}

RegStatus AdvapiRegistry::RegQueryValueExA(RegHandle key, std::u16string_view name,
                                           [[maybe_unused]] std::uint32_t reserved,
                                           std::uint32_t& type, std::uint8_t* data,
                                           std::uint32_t& size) {
  const std::string ansi = AnsiFromUtf16(name);
  DWORD stored_type = 0;
  DWORD data_size = size;
  // The reserved argument is 0 by contract, which the API wants as a null pointer.
  const LONG status =
      ::RegQueryValueExA(ToHkey(key), ansi.c_str(), nullptr, &stored_type, data, &data_size);
  type = stored_type;
  size = data_size;
  return status;
}

RegStatus AdvapiRegistry::RegSetValueExA(RegHandle key, std::u16string_view name,
                                         std::uint32_t reserved, std::uint32_t type,
                                         const std::uint8_t* data, std::uint32_t size) {
  const std::string ansi = AnsiFromUtf16(name);
  return ::RegSetValueExA(ToHkey(key), ansi.c_str(), reserved, type, data, size);
}

// The key is General's OpenedKey, which the module closes itself by design.
RegStatus AdvapiRegistry::RegCloseKey(RegHandle key) {
  return ::RegCloseKey(ToHkey(key));  // released for its owner, the module
}

}  // namespace lumora
