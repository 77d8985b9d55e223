#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "app/form_layout.h"
#include "app/win32_gdi.h"

namespace lumora {

// A top-level window built from its description table: the window, its
// elements inside their containers, fonts and pixel positions at the window's
// DPI. Derived windows handle the events; an exception that leaves a handler
// ends at this class's window procedure and goes to the default error handler.
class FormWindow {
 public:
  explicit FormWindow(const FormDesc& form) : form_(form) {}
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  virtual ~FormWindow();

  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  // The window itself or one of its elements; nullptr while not loaded.
  [[nodiscard]] HWND Handle(Element element) const;
  [[nodiscard]] const ElementDesc* Describe(Element element) const {
    return FindElement(form_, element);
  }
  // Lays the window out right to left (or back); every element stays where
  // the table puts it.
  void SetMirrored(HWND hwnd, bool mirrored);
  void Destroy();

 protected:
  // Creates the window and its elements as described, hidden. Throws the
  // run-time error when the platform refuses.
  void Create(HWND owner, HMENU menu, DWORD style, DWORD exStyle, int iconId);
  // Puts the window's client area where the description places it on screen.
  void PlaceOnScreen();

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A command button clicked or a menu item chosen.
  virtual void OnCommand(Element element) = 0;
  virtual void OnClose() = 0;
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateElements();
  void MakeFonts();
  void PlaceElement(const ElementDesc& desc);
  void ApplyFonts(bool redraw);

  const FormDesc& form_;
  HWND hwnd_ = nullptr;
  std::array<HWND, kElementCount> handles_{};
  UniqueFont windowFont_;
  UniqueFont panelFont_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  int dpi_ = 96;
};

// The registered class of a window: "Lumora." and the window's name.
[[nodiscard]] std::wstring WindowClassName(Element window);

// The DPI a window is drawn at (the system's before the window exists).
[[nodiscard]] int DpiFor(HWND hwnd);

}  // namespace lumora
