#pragma once

#include <string>
#include <string_view>

namespace lumora {

// Where the language preference lives in the per-user settings store.
inline constexpr std::u16string_view kSettingsApp = u"NorvaleSoft";
inline constexpr std::u16string_view kSettingsSection = u"Lumora";
inline constexpr std::u16string_view kLanguageKey = u"Language";

// The per-user settings store. Either operation throws RuntimeError when the
// store fails; a missing entry is not a failure.
class SettingsStore {
 public:
  SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  virtual ~SettingsStore() = default;

  // The stored text, or an empty text when there is no entry.
  [[nodiscard]] virtual std::u16string GetSetting(std::u16string_view app,
                                                  std::u16string_view section,
                                                  std::u16string_view key) = 0;
  // Creates the entry and whatever holds it, replacing an earlier value.
  virtual void SaveSetting(std::u16string_view app, std::u16string_view section,
                           std::u16string_view key, std::u16string_view value) = 0;
};

}  // namespace lumora
