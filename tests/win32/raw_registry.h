#pragma once

// The current user's registry as it really is, for presetting and checking.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lumora::testing {

inline constexpr wchar_t kAdvancedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline constexpr wchar_t kStoreKey[] = L"Software\\NorvaleSoft\\Lumora";

struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> data;
  friend bool operator==(const RawValue&, const RawValue&) = default;
};

[[nodiscard]] std::vector<BYTE> DwordBytes(DWORD value);
[[nodiscard]] std::vector<BYTE> SzBytes(const std::wstring& text);  // with its terminator
// Creates the key when needed.
void PutValue(const std::wstring& key, const wchar_t* name, DWORD type,
              const std::vector<BYTE>& data);
[[nodiscard]] std::optional<RawValue> GetValue(const std::wstring& key, const wchar_t* name);
// Every value under a key by name, and "\" for each sub-key; nothing when
// the key is missing.
[[nodiscard]] std::optional<std::map<std::wstring, RawValue>> Snapshot(const std::wstring& key);
inline void DeleteTree(const std::wstring& key) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace lumora::testing
