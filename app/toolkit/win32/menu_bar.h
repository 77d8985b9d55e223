#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "app/toolkit/form_desc.h"
#include "app/toolkit/win32/unique_handle.h"

namespace lumora {

// A window's menu bar and shortcut keys, built from its description: each
// item in the menu its row names. Menus and items carry their element's
// command, by which they are found wherever they sit.
class MenuBar {
 public:
  explicit MenuBar(const FormDesc& form);

  // The bar with its menus, for a window to take; empty when there is none.
  [[nodiscard]] UniqueMenu Build();
  // The window that took the bar is gone, and the bar with it.
  void Forget() { bar_ = nullptr; }

  // The item's row; nullptr when it is none of this window's.
  [[nodiscard]] const MenuDesc* Describe(Element item) const;
  [[nodiscard]] HACCEL Shortcuts() const { return shortcuts_.get(); }

  // Each throws the run-time error when the bar is not built.
  void SetCaption(HWND window, Element item, std::u16string_view caption) const;
  [[nodiscard]] bool IsChecked(Element item) const;
  void SetChecked(Element item, bool checked) const;

 private:
  // The command of a menu or item of the bar built, or the run-time error.
  [[nodiscard]] UINT Built(Element item, std::u16string_view operation) const;
  // A caption and, after a tab, its shortcut key.
  [[nodiscard]] std::u16string TextOf(const MenuDesc& desc, std::u16string_view caption) const;

  const FormDesc& form_;
  std::array<const MenuDesc*, kElementCount> rows_{};
  HMENU bar_ = nullptr;  // the window's once built
  UniqueAccelerators shortcuts_;
};

}  // namespace lumora
