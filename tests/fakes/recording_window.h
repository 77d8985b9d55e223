#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/toolkit/window_ops.h"

namespace lumora::testing {

struct MsgBoxCall {
  std::u16string text;
  int flags = 0;
  std::optional<std::u16string> title;
};

// Keeps the state a real window would and logs every operation in order as
// "Operation element[=value]"; texts are kept apart in the state maps.
class RecordingWindow final : public WindowOps {
 public:
  void SetCaption(Element element, std::u16string_view caption) override;
  void SetText(Element element, std::u16string_view text) override;
  bool GetOptionValue(Element element) override;
  void SetOptionValue(Element element, bool value) override;
  int GetCheckValue(Element element) override;
  void SetCheckValue(Element element, int value) override;
  void SetRightToLeft(Element element, bool value) override;
  void SetLabelAlignment(Element element, int alignment) override;
  bool GetMenuChecked(Element element) override;
  void SetMenuChecked(Element element, bool checked) override;
  void ShowModal(Element window) override;
  void Unload(Element window) override;
  void MsgBox(std::u16string_view text, int flags,
              std::optional<std::u16string_view> title) override;
  void EndProgram() override;
  void InitCommonControls() override;

  // The log entries that change something, without the reads.
  [[nodiscard]] std::vector<std::string> Changes() const;

  std::vector<std::string> log;
  std::map<Element, std::u16string> captions;
  std::map<Element, std::u16string> texts;
  std::map<Element, bool> options;
  std::map<Element, int> checks;
  std::map<Element, bool> right_to_left;
  std::map<Element, int> alignments;
  std::map<Element, bool> menu_checks;
  std::vector<MsgBoxCall> msg_boxes;

  // An operation whose log entry starts with this text throws the run-time error.
  std::optional<std::string> fail_on;

 private:
  void Record(std::string entry);
};

}  // namespace lumora::testing
