#pragma once

// In-memory stand-ins for the registry, the settings store and the window,
// and the procedures' world made of them.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/main_form.h"
#include "app/toolkit/runtime_error.h"
#include "app/toolkit/window_ops.h"
#include "i18n/language.h"
#include "i18n/settings_store.h"
#include "registry/registry_api.h"

namespace lumora::testing {

inline constexpr RegStatus kFileNotFound = 2;
inline constexpr RegStatus kAccessDenied = 5;
inline constexpr RegStatus kInvalidHandle = 6;
inline constexpr RegStatus kMoreData = 234;
inline constexpr auto kHkcu = static_cast<RegHandle>(0x80000001U);
inline constexpr char16_t kAdvanced[] =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
// The language's entry in the settings store, by its address.
inline constexpr char16_t kLanguageEntry[] = u"NorvaleSoft\\Lumora\\Language";
// What the fakes log, one entry a call.
using Log = std::vector<std::string>;

struct StoredValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// An in-memory registry that behaves like advapi32 where the module relies on
// it: missing keys fail to open, missing values fail to query, data longer than
// the buffer give "more data", a set replaces data and type, and a key must be
// open to be used. The calls and their arguments are what the module must get
// right, so each is logged: "open 80000001 Sub\Key access=20019",
// "query Name size=4", "set Name type=4 size=4 fe ff ff ff", "close".
class FakeRegistry final : public RegistryApi {
 public:
  using Values = std::map<std::u16string, StoredValue>;

  void AddKey(RegHandle root, const std::u16string& sub_key) { keys[{root, sub_key}]; }
  // A REG_DWORD among the file manager's settings.
  void PutSetting(const std::u16string& name, std::uint32_t v) {
    keys[{kHkcu, kAdvanced}][name] = {
        4, {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)}};
  }
  [[nodiscard]] std::size_t OpenHandles() const { return open_.size(); }

  RegStatus RegOpenKeyExA(RegHandle root, std::u16string_view sub_key, std::uint32_t /*options*/,
                          std::uint32_t access, RegHandle& opened) override {
    calls.push_back("open " + Hex(static_cast<std::uint32_t>(root)) + ' ' + Narrow(sub_key) +
                    " access=" + Hex(access));
    if (open_status) return *open_status;
    // A root key always exists; any other key only when added.
    if (!sub_key.empty() && !keys.contains({root, std::u16string{sub_key}})) return kFileNotFound;
    opened = next_handle_++;
    open_[opened] = {root, std::u16string{sub_key}};
    return kRegSuccess;
  }
  RegStatus RegQueryValueExA(RegHandle key, std::u16string_view name, std::uint32_t /*reserved*/,
                             std::uint32_t& type, std::uint8_t* data,
                             std::uint32_t& size) override {
    calls.push_back("query " + Narrow(name) + " size=" + std::to_string(size));
    if (!open_.contains(key)) return kInvalidHandle;
    const Values& values = keys[open_[key]];
    const auto value = values.find(std::u16string{name});
    if (value == values.end()) return kFileNotFound;
    type = value->second.type;
    const auto stored = static_cast<std::uint32_t>(value->second.data.size());
    if (stored <= size) std::ranges::copy(value->second.data, data);
    return std::exchange(size, stored) < stored ? kMoreData : kRegSuccess;
  }
  RegStatus RegSetValueExA(RegHandle key, std::u16string_view name, std::uint32_t /*reserved*/,
                           std::uint32_t type, const std::uint8_t* data,
                           std::uint32_t size) override {
    std::string call =
        "set " + Narrow(name) + " type=" + std::to_string(type) + " size=" + std::to_string(size);
    for (std::uint32_t i = 0; i < size; ++i) call += ' ' + Hex(data[i]);
    calls.push_back(call);
    if (!open_.contains(key)) return kInvalidHandle;
    if (name == refused_set) return kAccessDenied;
    keys[open_[key]][std::u16string{name}] = {type, {data, data + size}};
    return kRegSuccess;
  }
  RegStatus RegCloseKey(RegHandle key) override {
    calls.emplace_back("close");
    return open_.erase(key) == 0 ? kInvalidHandle : close_status.value_or(kRegSuccess);
  }

  // The keys by root and path, and every call made.
  std::map<std::pair<RegHandle, std::u16string>, Values> keys;
  std::vector<std::string> calls;
  // Forced failures: an open refused, a set of this value name denied, a
  // close that fails.
  std::optional<RegStatus> open_status;
  std::u16string_view refused_set;
  std::optional<RegStatus> close_status;

 private:
  static std::string Narrow(std::u16string_view text) { return {text.begin(), text.end()}; }
  static std::string Hex(std::uint32_t value) {
    char digits[12];
    std::snprintf(digits, sizeof digits, "%02x", value);
    return digits;
  }

  std::map<RegHandle, std::pair<RegHandle, std::u16string>> open_;
  RegHandle next_handle_ = 0x100;
};

// Entries by their address "app\section\key", and every save made, in
// order, as "<address>=<value>".
class FakeSettingsStore final : public SettingsStore {
 public:
  std::u16string GetSetting(std::u16string_view app, std::u16string_view section,
                            std::u16string_view key) override {
    const auto it = entries.find(Address(app, section, key));
    return it == entries.end() ? std::u16string{} : it->second;
  }
  void SaveSetting(std::u16string_view app, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override {
    if (save_error != 0) throw RuntimeError(save_error, u"saving the setting failed");
    saves.push_back(Address(app, section, key) + u'=' + std::u16string{value});
    entries[Address(app, section, key)] = value;
  }

  std::map<std::u16string, std::u16string> entries;
  std::vector<std::u16string> saves;
  int save_error = 0;  // a save that fails with this number

 private:
  static std::u16string Address(std::u16string_view app, std::u16string_view section,
                                std::u16string_view key) {
    return std::u16string{app} + u'\\' + std::u16string{section} + u'\\' + std::u16string{key};
  }
};

// A message box's text, flags and title of its own, if any.
using MsgBoxCall = std::tuple<std::u16string, int, std::optional<std::u16string>>;

// Keeps what each element shows, and logs every operation in order as
// "Operation element[=value]": the order of captions, directions and check
// marks is part of what the procedures must do.
class RecordingWindow final : public WindowOps {
 public:
  // clang-format off
  void SetCaption(Element e, std::u16string_view text) override { Record("SetCaption", e); texts[e] = text; }
  void SetText(Element e, std::u16string_view text) override { Record("SetText", e); texts[e] = text; }
  bool GetOptionValue(Element e) override { Record("GetOptionValue", e); return options[e]; }
  // The two option buttons form one group.
  void SetOptionValue(Element e, bool value) override { Record("SetOptionValue", e, value); if (value) options.clear(); options[e] = value; }
  int GetCheckValue(Element e) override { Record("GetCheckValue", e); return checks[e]; }
  void SetCheckValue(Element e, int value) override { Record("SetCheckValue", e, value); checks[e] = value; }
  void SetRightToLeft(Element e, bool value) override { Record("SetRightToLeft", e, value); }
  void SetLabelAlignment(Element e, int value) override { Record("SetLabelAlignment", e, value); }
  bool GetMenuChecked(Element e) override { Record("GetMenuChecked", e); return menu_checks[e]; }
  void SetMenuChecked(Element e, bool value) override { Record("SetMenuChecked", e, value); menu_checks[e] = value; }
  void ShowModal(Element e) override { Record("ShowModal", e); }
  void Unload(Element e) override { Record("Unload", e); }
  void MsgBox(std::u16string_view text, int flags, std::optional<std::u16string_view> title) override {
    Log("MsgBox " + std::to_string(flags));
    msg_boxes.emplace_back(text, flags, title ? std::optional<std::u16string>(*title) : std::nullopt);
  }
  void EndProgram() override { Log("EndProgram"); }
  void InitCommonControls() override { Log("InitCommonControls"); }
  // clang-format on

  std::vector<std::string> log;
  std::map<Element, std::u16string> texts;  // captions and text
  std::map<Element, bool> options;
  std::map<Element, int> checks;
  std::map<Element, bool> menu_checks;
  std::vector<MsgBoxCall> msg_boxes;
  // An operation whose log entry starts with this text throws the run-time error.
  std::optional<std::string> fail_on;

 private:
  void Record(const char* operation, Element e, std::optional<int> value = std::nullopt) {
    std::string entry = std::string(operation) + ' ' + std::string(ElementName(e));
    if (value) entry += '=' + std::to_string(*value);
    Log(std::move(entry));
  }
  void Log(std::string entry) {
    if (fail_on && entry.starts_with(*fail_on)) throw RuntimeError(5, u"window operation failed");
    log.push_back(std::move(entry));
  }
};

// The procedures' world in memory: a registry, a settings store and a window,
// with the registry module and the main window's handlers over them.
struct Fakes {
  ~Fakes() { CurrentLanguage.clear(); }  // the program's one global, for the next test

  FakeRegistry registry;
  FakeSettingsStore store;
  RecordingWindow ui;
  General general{registry, ui};
  VisibilityState state;
  MainForm form{ui, registry, store};
};

}  // namespace lumora::testing
