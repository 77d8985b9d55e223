#pragma once

#include <optional>
#include <string_view>

#include "app/toolkit/element.h"

namespace lumora {

// Message box flags the program uses.
inline constexpr int kMsgOkOnly = 0;
inline constexpr int kMsgCritical = 16;
inline constexpr int kMsgInformation = 64;

// Check box values.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrayed = 2;

// The only way the program's procedures touch a window. Every operation that
// fails throws RuntimeError.
class WindowOps {
 public:
  WindowOps() = default;
  WindowOps(const WindowOps&) = delete;
  WindowOps& operator=(const WindowOps&) = delete;
  virtual ~WindowOps() = default;

  virtual void SetCaption(Element element, std::u16string_view caption) = 0;
  virtual void SetText(Element element, std::u16string_view text) = 0;
  [[nodiscard]] virtual bool GetOptionValue(Element element) = 0;
  virtual void SetOptionValue(Element element, bool value) = 0;
  [[nodiscard]] virtual int GetCheckValue(Element element) = 0;
  virtual void SetCheckValue(Element element, int value) = 0;
  virtual void SetRightToLeft(Element element, bool right_to_left) = 0;
  virtual void SetLabelAlignment(Element element, int alignment) = 0;
  [[nodiscard]] virtual bool GetMenuChecked(Element element) = 0;
  virtual void SetMenuChecked(Element element, bool checked) = 0;
  virtual void ShowModal(Element window) = 0;
  virtual void Unload(Element window) = 0;
  // No title shows the application's title.
  virtual void MsgBox(std::u16string_view text, int flags,
                      std::optional<std::u16string_view> title) = 0;
  virtual void EndProgram() = 0;
  virtual void InitCommonControls() = 0;
};

}  // namespace lumora
