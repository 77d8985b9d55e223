#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "app/toolkit/form_desc.h"
#include "app/toolkit/win32/unique_handle.h"

namespace lumora {

// How a window is framed: its window styles and its icon resource.
struct FrameStyle {
  DWORD style;
  DWORD ex_style;
  int icon_id;
};

// A top-level window built from its description: the window, its menu bar
// and shortcut keys, its elements inside their containers, fonts and pixel
// positions at the window's DPI. Derived windows handle the events; an
// exception that leaves a handler ends at this class's window procedure and
// goes to the default error handler.
class FormWindow {
 public:
  FormWindow(const FormDesc& form, const FrameStyle& frame) : form_(form), frame_(frame) {}
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  // A window still there is destroyed without any message reaching this
  // object: its derived part is gone by then. Owners destroy windows first.
  virtual ~FormWindow();

  [[nodiscard]] const FormDesc& Description() const { return form_; }
  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  // The window itself or one of its elements; nullptr while not loaded.
  [[nodiscard]] HWND Handle(Element element) const;
  // Whether the window, element or menu item belongs to this window.
  [[nodiscard]] bool Owns(Element element) const;
  // Where a menu or menu item sits in the menu bar.
  [[nodiscard]] bool FindMenuItem(Element item, HMENU& menu, UINT& position) const;
  // A menu item's text: its caption and, after a tab, its shortcut key.
  [[nodiscard]] std::u16string MenuText(Element item, std::u16string_view caption) const;
  [[nodiscard]] HACCEL Shortcuts() const { return shortcuts_.get(); }
  // Lays the window or one of its containers out right to left (or back);
  // every element stays where the description puts it.
  void SetMirrored(HWND hwnd, bool mirrored);

  // Loads the window and shows it over its owner, which takes no input
  // meanwhile; returns once the window is unloaded.
  void ShowModal(HWND owner);
  // Closes the window and discards its elements; the object stays for the
  // next loading.
  virtual void Unload();

  // The object behind one of the toolkit's windows; nullptr for any other.
  [[nodiscard]] static FormWindow* FromHwnd(HWND hwnd);

 protected:
  // Creates the window and its elements as described, hidden.
  void Create(HWND owner);
  // Shows the window with the focus on its first element in focus order.
  void Show(int show_command);

  virtual LRESULT HandleMessage(UINT message, WPARAM w_param, LPARAM l_param);
  // The load event: after the elements exist, before the window is shown.
  virtual void OnLoad() {}
  // A command button clicked or a menu item chosen.
  virtual void OnCommand(Element element) = 0;
  virtual void OnClose() = 0;

 private:
  struct Fonts {
    UniqueFont window;
    UniqueFont panel;
  };
  struct Icons {
    UniqueIcon large_icon;
    UniqueIcon small_icon;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param);
  [[nodiscard]] UniqueMenu BuildMenu() const;
  void BuildShortcuts();
  void CreateElements();
  [[nodiscard]] Fonts MakeFonts() const;
  void UseFonts(Fonts fonts, bool redraw);
  void UseIcons();
  void PlaceElement(const ElementDesc& desc) const;
  void PlaceOnScreen();
  void OnDpiChanged(int dpi, const RECT& suggested);
  void ReleaseOwner();

  const FormDesc& form_;
  FrameStyle frame_;
  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;  // disabled while this window is shown modally
  HWND focus_ = nullptr;  // where the focus returns when the window is activated
  std::array<HWND, kElementCount> handles_{};
  UniqueAccelerators shortcuts_;
  Fonts fonts_;
  Icons icons_;
  int dpi_ = 96;
};

}  // namespace lumora
