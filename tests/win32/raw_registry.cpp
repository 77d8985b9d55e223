#include "win32/raw_registry.h"

namespace lumora::testing {

std::vector<BYTE> DwordBytes(DWORD value) {
  const auto* bytes = reinterpret_cast<const BYTE*>(&value);
  return {bytes, bytes + sizeof value};
}

std::vector<BYTE> SzBytes(const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)};
}

void PutValue(const std::wstring& key, const wchar_t* name, DWORD type,
              const std::vector<BYTE>& data) {
  HKEY handle = nullptr;
  ::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                    nullptr);
  ::RegSetValueExW(handle, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
  ::RegCloseKey(handle);
}

std::optional<RawValue> GetValue(const std::wstring& key, const wchar_t* name) {
  // Not RegGetValue: it would mend an unterminated string.
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

std::optional<std::map<std::wstring, RawValue>> Snapshot(const std::wstring& key) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::map<std::wstring, RawValue> values;
  wchar_t name[256];
  for (DWORD i = 0, length = 256; ::RegEnumValueW(handle, i, name, &length, nullptr, nullptr,
                                                  nullptr, nullptr) == ERROR_SUCCESS;
       ++i, length = 256) {
    values[name] = GetValue(key, name).value_or(RawValue{});
  }
  for (DWORD i = 0, length = 256; ::RegEnumKeyExW(handle, i, name, &length, nullptr, nullptr,
                                                  nullptr, nullptr) == ERROR_SUCCESS;
       ++i, length = 256) {
    values[L"\\" + std::wstring(name)] = {};
  }
  ::RegCloseKey(handle);
  return values;
}

}  // namespace lumora::testing
