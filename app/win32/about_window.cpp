#include "app/win32/about_window.h"

#include "app/about_form.h"
#include "app/win32/resources/resource_ids.h"
#include "app/window_descriptions.h"

namespace lumora {

namespace {
constexpr FrameStyle kAboutFrame = {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                                    kIconAbout};
}  // namespace

AboutWindow::AboutWindow(WindowOps& ui) : FormWindow(kAboutForm, kAboutFrame), ui_(ui) {}

void AboutWindow::OnLoad() { frmAbout_Load(ui_); }

void AboutWindow::OnCommand(Element element) {
  if (element == Element::cmdOK) frmAbout_cmdOK_Click(ui_);
}

// The close box does what OK does.
void AboutWindow::OnClose() { frmAbout_cmdOK_Click(ui_); }

}  // namespace lumora
