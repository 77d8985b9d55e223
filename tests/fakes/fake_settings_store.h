#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/toolkit/runtime_error.h"
#include "i18n/settings_store.h"

namespace lumora::testing {

// Entries by their address "app\section\key". The log keeps each call in
// order with its address: "get <address>", "save <address>=<value>".
class FakeSettingsStore final : public SettingsStore {
 public:
  std::u16string GetSetting(std::u16string_view app, std::u16string_view section,
                            std::u16string_view key) override {
    const std::u16string address = Address(app, section, key);
    log.push_back(u"get " + address);
    if (fail_get) throw RuntimeError(5, u"store read failed");
    const auto it = entries.find(address);
    return it == entries.end() ? std::u16string{} : it->second;
  }
  void SaveSetting(std::u16string_view app, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override {
    const std::u16string address = Address(app, section, key);
    log.push_back(u"save " + address + u'=' + std::u16string{value});
    entries[address] = value;
  }

  std::map<std::u16string, std::u16string> entries;
  std::vector<std::u16string> log;
  bool fail_get = false;

 private:
  static std::u16string Address(std::u16string_view app, std::u16string_view section,
                                std::u16string_view key) {
    return std::u16string{app} + u'\\' + std::u16string{section} + u'\\' + std::u16string{key};
  }
};

}  // namespace lumora::testing
