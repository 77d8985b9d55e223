#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "app/toolkit/window_ops.h"

namespace lumora {

class FormWindow;
struct KindTraits;

// The window operations on real Win32 windows and menus. Every call the
// platform refuses, or that addresses an element not loaded, throws.
class Win32WindowOps final : public WindowOps {
 public:
  // Each window the procedures address. The first is the main window: it
  // owns the message boxes and the windows shown modally.
  void Attach(FormWindow& form) { forms_.push_back(&form); }

  void SetCaption(Element element, std::u16string_view caption) override;
  void SetText(Element element, std::u16string_view text) override;
  bool GetOptionValue(Element element) override;
  void SetOptionValue(Element element, bool value) override;
  int GetCheckValue(Element element) override;
  void SetCheckValue(Element element, int value) override;
  void SetRightToLeft(Element element, bool right_to_left) override;
  void SetLabelAlignment(Element element, int alignment) override;
  bool GetMenuChecked(Element element) override;
  void SetMenuChecked(Element element, bool checked) override;
  void ShowModal(Element window) override;
  void Unload(Element window) override;
  void MsgBox(std::u16string_view text, int flags,
              std::optional<std::u16string_view> title) override;
  void EndProgram() override;
  void InitCommonControls() override;

 private:
  [[nodiscard]] FormWindow& FormOf(Element element) const;
  [[nodiscard]] HWND WindowOf(Element element) const;
  // An element's kind; the window itself and menu items have none, and
  // asking for one fails the operation.
  [[nodiscard]] const KindTraits& KindOf(Element element, std::u16string_view operation) const;
  [[nodiscard]] HWND MainHwnd() const;

  std::vector<FormWindow*> forms_;
};

}  // namespace lumora
