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

inline std::vector<BYTE> DwordBytes(DWORD value) {
  const auto* bytes = reinterpret_cast<const BYTE*>(&value);
  return {bytes, bytes + sizeof value};
}

// With its terminator.
inline std::vector<BYTE> SzBytes(const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)};
}

// Creates the key when needed.
inline void PutValue(const std::wstring& key, const wchar_t* name, DWORD type,
                     const std::vector<BYTE>& data) {
  HKEY handle = nullptr;
  ::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                    nullptr);
  ::RegSetValueExW(handle, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
  ::RegCloseKey(handle);
}

// Not RegGetValue: it would mend an unterminated string.
inline std::optional<RawValue> GetValue(const std::wstring& key, const wchar_t* name) {
  HKEY handle = nullptr;
  RawValue value;
  DWORD size = 0;
  LONG status = ::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle);
  if (status == ERROR_SUCCESS) {
    status = ::RegQueryValueExW(handle, name, nullptr, &value.type, nullptr, &size);
    value.data.resize(size);
    if (status == ERROR_SUCCESS) {
      status = ::RegQueryValueExW(handle, name, nullptr, nullptr, value.data.data(), &size);
    }
    ::RegCloseKey(handle);
  }
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

// How many values and sub-keys a key holds; nothing when it is missing.
inline std::optional<std::pair<DWORD, DWORD>> Counts(const std::wstring& key) {
  HKEY handle = nullptr;
  DWORD values = 0;
  DWORD keys = 0;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  ::RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
  ::RegCloseKey(handle);
  return std::pair{values, keys};
}

inline void DeleteTree(const std::wstring& key) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace lumora::testing
