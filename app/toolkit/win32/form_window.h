#pragma once

#include <windows.h>

#include <array>

#include "app/toolkit/form_rules.h"
#include "app/toolkit/win32/menu_bar.h"
#include "app/toolkit/win32/unique_handle.h"

namespace lumora {

// How a window is framed: its window styles and its icon resource.
struct FrameStyle {
  DWORD style;
  DWORD ex_style;
  int icon_id;
};

// A top-level window built from its description: the window, its menu bar,
// its elements inside their containers, fonts and pixel positions at the
// window's DPI. Clicks run the handlers the description names, on the
// window's events object; an exception that leaves a handler ends at this
// class's window procedure and goes to the default error handler.
class FormWindow {
 public:
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  // A window still there is destroyed without any message reaching this
  // object: its derived part is gone by then. Owners destroy windows first.
  virtual ~FormWindow();

  [[nodiscard]] const FormDesc& Description() const { return desc_; }
  [[nodiscard]] HWND Hwnd() const { return window_.get(); }
  // The window itself or one of its elements; nullptr while not loaded.
  [[nodiscard]] HWND Handle(Element element) const;
  // An element's row, or nullptr for the window itself and anything not its own.
  [[nodiscard]] const ElementDesc* Describe(Element element) const;
  [[nodiscard]] MenuBar& Menu() { return menu_; }
  [[nodiscard]] const MenuBar& Menu() const { return menu_; }
  // Whether the window, element or menu item belongs to this window.
  [[nodiscard]] bool Owns(Element element) const;
  // Lays the window or one of its containers out right to left (or back);
  // every element stays where the description puts it.
  void SetMirrored(HWND hwnd, bool mirrored);

  // Loads the window and shows it over its owner, which takes no input
  // meanwhile; the caller runs the messages until it is unloaded.
  void ShowOver(HWND owner);
  // Closes the window and discards its elements; the object stays for the
  // next loading.
  virtual void Unload();

  // The object behind one of the toolkit's windows; nullptr for any other.
  [[nodiscard]] static FormWindow* FromHwnd(HWND hwnd);

 protected:
  // The object that handles the window's events.
  virtual FormEvents& Events() = 0;
  // Creates the window and its elements as described, hidden, then runs the
  // load event. A window whose creation or load fails is destroyed again.
  void Load(HWND owner);
  // Shows the window with the focus on its first element in focus order.
  void Show(int show_command);

  virtual LRESULT HandleMessage(UINT message, WPARAM w_param, LPARAM l_param);
  // The load event: after the elements exist, before the window is shown.
  virtual void OnLoad() {}
  virtual void OnClose() = 0;

 private:
  template <typename Form>
  friend class FormWindowOf;
  // Made only as a window of one form, whose description it is.
  FormWindow(const FormDesc& desc, const FrameStyle& frame);

  struct Fonts {
    UniqueFont window;
    UniqueFont panel;
  };
  struct Icons {
    UniqueIcon large_icon;
    UniqueIcon small_icon;
  };
  // An element's row beside its window, kept from its creation.
  struct Slot {
    const ElementDesc* desc = nullptr;
    HWND hwnd = nullptr;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param);
  void Create(HWND owner);
  void CreateElements(const ElementDesc* first_focus);
  void OnCommand(WPARAM w_param, LPARAM l_param);
  // Gives the focus back to the element that had it last.
  void GiveFocusBack() const;
  [[nodiscard]] Fonts MakeFonts() const;
  void UseFonts(Fonts fonts, bool redraw);
  void UseIcons();
  void PlaceElement(const ElementDesc& desc) const;
  void PlaceOnScreen();
  // The window's outer corner at (left, top), sized round the client area
  // the description gives at the window's DPI.
  void PlaceFrame(int left, int top) const;
  // The frame fitted round the described client area again where it stands,
  // or where a minimised window is restored: the system changed its bars.
  void FitFrame() const;
  // The window's rectangle round the described client area at a DPI.
  [[nodiscard]] RECT FrameAt(int dpi) const;
  void OnDpiChanged(int dpi, const RECT& suggested);
  // The push button with the focus is the default one, as in a dialog;
  // none is while the focus is elsewhere.
  [[nodiscard]] HWND DefaultButton() const;
  // Whether they are so; when asked to, styles each that is not.
  [[nodiscard]] bool MarkDefaultButton(bool restyle) const;
  // Out of the minimised state: the described size and the focus again.
  void OnRestored();
  void ReleaseOwner();

  const FormDesc& desc_;
  FrameStyle frame_;
  MenuBar menu_;
  HWND owner_ = nullptr;  // disabled while this window is shown over it
  HWND focus_ = nullptr;  // the element that had the focus last
  bool minimised_ = false;
  std::array<Slot, kElementCount> slots_{};
  Fonts fonts_;
  Icons icons_;
  int dpi_ = 96;
  // Last: destroyed before the fonts and icons it draws with.
  UniqueWindow window_;
};

// A window of one form: its description and its form object are of one
// type, or it does not compile. The form is built after the window's base,
// which reaches it only once running, through Events().
template <typename Form>
class FormWindowOf : public FormWindow {
 protected:
  template <typename... Args>
  FormWindowOf(const FormDescFor<Form>& desc, const FrameStyle& frame, Args&... args)
      : FormWindow(desc.Desc(), frame), form_(args...) {}

  FormEvents& Events() final { return form_; }

  Form form_;
};

}  // namespace lumora
