#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/toolkit/runtime_error.h"
#include "i18n/settings_store.h"

namespace lumora::testing {

// Entries by "app\section\key"; logs "Get" and "Save <value>" in order.
class FakeSettingsStore final : public SettingsStore {
 public:
  std::u16string GetSetting(std::u16string_view app, std::u16string_view section,
                            std::u16string_view key) override {
    log.emplace_back(u"Get");
    if (fail_get) throw RuntimeError(5, "store read failed");
    const auto it = entries.find(Address(app, section, key));
    return it == entries.end() ? std::u16string{} : it->second;
  }
  void SaveSetting(std::u16string_view app, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override {
    log.push_back(u"Save " + std::u16string{value});
    if (fail_save) throw RuntimeError(5, "store write failed");
    entries[Address(app, section, key)] = value;
  }

  static std::u16string Address(std::u16string_view app, std::u16string_view section,
                                std::u16string_view key) {
    return std::u16string{app} + u'\\' + std::u16string{section} + u'\\' + std::u16string{key};
  }
  static std::u16string LanguageAddress() {
    return Address(kSettingsApp, kSettingsSection, kLanguageKey);
  }

  std::map<std::u16string, std::u16string> entries;
  std::vector<std::u16string> log;
  bool fail_get = false;
  bool fail_save = false;
};

}  // namespace lumora::testing
