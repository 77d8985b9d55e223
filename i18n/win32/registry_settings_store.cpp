#include "i18n/win32/registry_settings_store.h"

#include <windows.h>

#include <string>

#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/text.h"
#include "app/toolkit/win32/unique_handle.h"

namespace lumora {

namespace {

std::u16string SubKey(std::u16string_view app, std::u16string_view section) {
  return u"Software\\" + std::u16string(app) + u'\\' + std::u16string(section);
}

}  // namespace

std::u16string RegistrySettingsStore::GetSetting(std::u16string_view app,
                                                 std::u16string_view section,
                                                 std::u16string_view key) {
  UniqueKey handle;
  LONG status = ::RegOpenKeyExW(HKEY_CURRENT_USER, WideView(SubKey(app, section)), 0,
                                KEY_QUERY_VALUE, handle.put());
  if (status == ERROR_FILE_NOT_FOUND) return {};
  if (status != ERROR_SUCCESS) ThrowPlatformError(u"Reading the settings", status);

  const std::u16string name(key);
  DWORD type = 0;
  DWORD size = 0;
  status = ::RegQueryValueExW(handle.get(), WideView(name), nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return {};
  if (status != ERROR_SUCCESS) ThrowPlatformError(u"Reading the settings", status);
  if (type != REG_SZ || size > kMaxSettingBytes || size % sizeof(char16_t) != 0) {
    return std::u16string{kUnreadableSetting};
  }

  std::u16string text(size / sizeof(char16_t), u'\0');
  status = ::RegQueryValueExW(handle.get(), WideView(name), nullptr, &type,
                              reinterpret_cast<BYTE*>(text.data()), &size);
  if (status == ERROR_FILE_NOT_FOUND) return {};
  // Changed under our feet: treat it like any other entry we cannot use.
  if (status == ERROR_MORE_DATA || type != REG_SZ) return std::u16string{kUnreadableSetting};
  if (status != ERROR_SUCCESS) ThrowPlatformError(u"Reading the settings", status);
  text.resize(size / sizeof(char16_t));
  if (!text.empty() && text.back() == u'\0') text.pop_back();
  return text;
}

void RegistrySettingsStore::SaveSetting(std::u16string_view app, std::u16string_view section,
                                        std::u16string_view key, std::u16string_view value) {
  const std::u16string text(value);
  if (text.size() >= kMaxSettingBytes / sizeof(char16_t)) {
    ThrowPlatformError(u"Saving the settings", ERROR_INVALID_PARAMETER);
  }
  UniqueKey handle;
  LONG status = ::RegCreateKeyExW(HKEY_CURRENT_USER, WideView(SubKey(app, section)), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, handle.put(), nullptr);
  if (status != ERROR_SUCCESS) ThrowPlatformError(u"Saving the settings", status);
  const DWORD bytes = static_cast<DWORD>(text.size() + 1) * DWORD{sizeof(char16_t)};
  status = ::RegSetValueExW(handle.get(), WideView(std::u16string(key)), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()), bytes);
  if (status != ERROR_SUCCESS) ThrowPlatformError(u"Saving the settings", status);
}

}  // namespace lumora
