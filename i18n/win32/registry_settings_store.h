#pragma once

#include "i18n/settings_store.h"

namespace lumora {

// What a stored entry reads as when it holds no usable text (another registry
// type, or more than kMaxSettingBytes): a text that is no language.
inline constexpr std::u16string_view kUnreadableSetting = u"\uFFFD";
inline constexpr unsigned long kMaxSettingBytes = 64UL * 1024UL;

// Keeps each entry as a REG_SZ value "key" under
// HKEY_CURRENT_USER\Software\<app>\<section>, read and written as UTF-16.
class RegistrySettingsStore final : public SettingsStore {
 public:
  std::u16string GetSetting(std::u16string_view app, std::u16string_view section,
                            std::u16string_view key) override;
  void SaveSetting(std::u16string_view app, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override;
};

}  // namespace lumora
