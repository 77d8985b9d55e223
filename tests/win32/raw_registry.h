#pragma once

// The current user's registry as it really is, for presetting and checking.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumora::testing {

inline constexpr wchar_t kStoreKey[] = L"Software\\NorvaleSoft\\Lumora";

struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> data;
  friend bool operator==(const RawValue&, const RawValue&) = default;
};

// A text's bytes with its terminator.
inline std::vector<BYTE> SzBytes(const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)};
}

inline RawValue Text(const wchar_t* text) { return {REG_SZ, SzBytes(text)}; }

// Creates the key when needed.
inline void PutValue(const std::wstring& key, const wchar_t* name, const RawValue& value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, value.type, value.data.data(),
                    static_cast<DWORD>(value.data.size()));
}

// Not RegGetValue: it would mend an unterminated string.
inline std::optional<RawValue> GetValue(const std::wstring& key, const wchar_t* name) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != 0) return {};
  RawValue value{0, std::vector<BYTE>(2 << 20)};
  auto size = static_cast<DWORD>(value.data.size());
  const LONG status =
      ::RegQueryValueExW(handle, name, nullptr, &value.type, value.data.data(), &size);
  ::RegCloseKey(handle);
  value.data.resize(size);
  return status == ERROR_SUCCESS ? std::optional(value) : std::nullopt;
}

// How many values and sub-keys a key holds; nothing when it is missing.
inline std::optional<std::pair<DWORD, DWORD>> Counts(const std::wstring& key) {
  HKEY handle = nullptr;
  DWORD values = 0, keys = 0;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != 0) return {};
  ::RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
  ::RegCloseKey(handle);
  return std::pair{values, keys};
}

inline void DeleteTree(const std::wstring& key) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace lumora::testing
