#pragma once

#include "app/toolkit/win32/form_window.h"

namespace lumora {

class WindowOps;

// frmAbout on Win32: one instance for the run; each showing creates the
// window and its elements afresh, and unloading destroys them.
class AboutWindow final : public FormWindow {
 public:
  explicit AboutWindow(WindowOps& ui);

 protected:
  void OnLoad() override;
  void OnCommand(Element element) override;
  void OnClose() override;

 private:
  WindowOps& ui_;
};

}  // namespace lumora
