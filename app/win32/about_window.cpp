#include "app/win32/about_window.h"

#include "app/win32/resources/resource_ids.h"
#include "app/window_descriptions.h"

namespace lumora {

namespace {
constexpr FrameStyle kAboutFrame = {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                                    kIconAbout};
}  // namespace

AboutWindow::AboutWindow(WindowOps& ui) : FormWindowOf(kAboutForm, kAboutFrame, ui) {}

void AboutWindow::OnLoad() { form_.Form_Load(); }

// The close box does what OK does.
void AboutWindow::OnClose() { form_.cmdOK_Click(); }

}  // namespace lumora
