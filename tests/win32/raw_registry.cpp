#include "win32/raw_registry.h"

namespace lumora::testing {

std::vector<BYTE> DwordBytes(DWORD value) {
  return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8U), static_cast<BYTE>(value >> 16U),
          static_cast<BYTE>(value >> 24U)};
}

std::vector<BYTE> SzBytes(const std::wstring& text) {
  const auto* first = reinterpret_cast<const BYTE*>(text.c_str());
  return {first, first + (text.size() + 1) * sizeof(wchar_t)};
}

void PutValue(const std::wstring& key, const wchar_t* name, DWORD type,
              const std::vector<BYTE>& data) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS) {
    return;
  }
  ::RegSetValueExW(handle, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
  ::RegCloseKey(handle);
}

std::optional<RawValue> GetValue(const std::wstring& key, const wchar_t* name) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  RawValue value;
  DWORD size = 0;
  LONG status = ::RegQueryValueExW(handle, name, nullptr, &value.type, nullptr, &size);
  value.data.resize(size);
  if (status == ERROR_SUCCESS) {
    status = ::RegQueryValueExW(handle, name, nullptr, &value.type, value.data.data(), &size);
  }
  ::RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

std::map<std::wstring, RawValue> Snapshot(const std::wstring& key) {
  std::map<std::wstring, RawValue> values;
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return values;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (::RegEnumValueW(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    values[name] = GetValue(key, name).value_or(RawValue{});
  }
  ::RegCloseKey(handle);
  return values;
}

bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return false;
  }
  ::RegCloseKey(handle);
  return true;
}

DWORD SubKeyCount(const std::wstring& key) {
  HKEY handle = nullptr;
  DWORD count = 0;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) == ERROR_SUCCESS) {
    ::RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(handle);
  }
  return count;
}

void DeleteTree(const std::wstring& key) { ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }

}  // namespace lumora::testing
