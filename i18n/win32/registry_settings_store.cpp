#include "i18n/win32/registry_settings_store.h"

#include <windows.h>

#include <string>

#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/text.h"
#include "app/toolkit/win32/unique_handle.h"

namespace lumora {

namespace {

std::wstring SubKey(std::u16string_view app, std::u16string_view section) {
  std::u16string path = u"Software\\";
  path += app;
  path += u'\\';
  path += section;
  return ToWide(path);
}

}  // namespace

std::u16string RegistrySettingsStore::GetSetting(std::u16string_view app,
                                                 std::u16string_view section,
                                                 std::u16string_view key) {
  UniqueKey handle;
  LONG status = ::RegOpenKeyExW(HKEY_CURRENT_USER, SubKey(app, section).c_str(), 0, KEY_QUERY_VALUE,
                                handle.put());
  if (status == ERROR_FILE_NOT_FOUND) return {};
  if (status != ERROR_SUCCESS) ThrowPlatformError("Reading the settings", status);

  const std::wstring name = ToWide(key);
  DWORD type = 0;
  DWORD size = 0;
  status = ::RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return {};
  if (status != ERROR_SUCCESS) ThrowPlatformError("Reading the settings", status);
  if (type != REG_SZ || size > kMaxSettingBytes || size % sizeof(wchar_t) != 0) {
    return std::u16string{kUnreadableSetting};
  }

  std::wstring text(size / sizeof(wchar_t), L'\0');
  status = ::RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(text.data()), &size);
  if (status == ERROR_FILE_NOT_FOUND) return {};
  // Changed under our feet: treat it like any other entry we cannot use.
  if (status == ERROR_MORE_DATA || type != REG_SZ) return std::u16string{kUnreadableSetting};
  if (status != ERROR_SUCCESS) ThrowPlatformError("Reading the settings", status);
  text.resize(size / sizeof(wchar_t));
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  return FromWide(text);
}

void RegistrySettingsStore::SaveSetting(std::u16string_view app, std::u16string_view section,
                                        std::u16string_view key, std::u16string_view value) {
  const std::wstring text = ToWide(value);
  if (text.size() >= kMaxSettingBytes / sizeof(wchar_t)) {
    ThrowPlatformError("Saving the settings", ERROR_INVALID_PARAMETER);
  }
  UniqueKey handle;
  LONG status = ::RegCreateKeyExW(HKEY_CURRENT_USER, SubKey(app, section).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, handle.put(), nullptr);
  if (status != ERROR_SUCCESS) ThrowPlatformError("Saving the settings", status);
  const DWORD bytes = static_cast<DWORD>(text.size() + 1) * static_cast<DWORD>(sizeof(wchar_t));
  status = ::RegSetValueExW(handle.get(), ToWide(key).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()), bytes);
  if (status != ERROR_SUCCESS) ThrowPlatformError("Saving the settings", status);
}

}  // namespace lumora
