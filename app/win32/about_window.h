#pragma once

#include "app/about_form.h"
#include "app/toolkit/win32/form_window.h"

namespace lumora {

class WindowOps;

// frmAbout on Win32: one instance for the run; each showing creates the
// window and its elements afresh, and unloading destroys them.
class AboutWindow final : public FormWindowOf<AboutForm> {
 public:
  explicit AboutWindow(WindowOps& ui);

 protected:
  void OnLoad() override;
  void OnClose() override;
};

}  // namespace lumora
