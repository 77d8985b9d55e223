#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/toolkit/runtime_error.h"
#include "app/toolkit/window_ops.h"

namespace lumora::testing {

struct MsgBoxCall {
  std::u16string text;
  int flags = 0;
  std::optional<std::u16string> title;
  friend bool operator==(const MsgBoxCall&, const MsgBoxCall&) = default;
};

// Keeps the state the procedures read back, and logs every operation in
// order as "Operation element[=value]": the order of captions, directions
// and check marks is part of what the procedures must do.
class RecordingWindow final : public WindowOps {
 public:
  // clang-format off
  void SetCaption(Element e, std::u16string_view) override { Record("SetCaption", e); }
  void SetText(Element e, std::u16string_view text) override { Record("SetText", e); texts[e] = text; }
  bool GetOptionValue(Element e) override { Record("GetOptionValue", e); return options[e]; }
  void SetOptionValue(Element e, bool value) override {
    Record("SetOptionValue", e, value);
    if (value) options.clear();  // the two option buttons form one group
    options[e] = value;
  }
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
    msg_boxes.push_back({std::u16string{text}, flags, title ? std::optional<std::u16string>(*title) : std::nullopt});
  }
  void EndProgram() override { Log("EndProgram"); }
  void InitCommonControls() override { Log("InitCommonControls"); }
  // clang-format on

  // An element's text as last set; nothing when never set.
  [[nodiscard]] std::optional<std::u16string> Text(Element e) const {
    const auto it = texts.find(e);
    return it == texts.end() ? std::nullopt : std::optional(it->second);
  }
  std::vector<std::string> log;
  std::map<Element, std::u16string> texts;
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

}  // namespace lumora::testing
