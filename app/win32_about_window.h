#pragma once

#include "app/win32_form_window.h"

namespace lumora {

class WindowOps;

// frmAbout on Win32: one instance for the run; each showing creates the
// window and its elements afresh, and unloading destroys them.
class AboutWindow final : public FormWindow {
 public:
  explicit AboutWindow(WindowOps& ui) : FormWindow(kAboutForm), ui_(ui) {}

  // Loads and shows the window, the owner taking no input, and returns when
  // it has been unloaded.
  void ShowModal(HWND owner);
  void Unload();

 protected:
  void OnCommand(Element element) override;
  void OnClose() override;
  void OnDestroyed() override;

 private:
  void ReleaseOwner();

  WindowOps& ui_;
  HWND owner_ = nullptr;
};

}  // namespace lumora
