// The toolkit's window object over a window of its own description.
#include "app/toolkit/win32/form_window.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace lumora::testing {
namespace {

constexpr ElementDesc kProbeElements[] = {
    {Element::cmdOK, ElementKind::kCommandButton, Element::frmAbout, u"OK", {0, 0, 900, 300}, 0}};
constexpr FormDesc kProbeForm = {
    Element::frmAbout,          u"Probe", 1500, 900, 0, 0, kProbeElements, {},
    {u"Tahoma", 825, 400, 178}, {}};

HWND g_probe = nullptr;
bool g_destroying = false;  // the probe's destructor has begun
int g_reached_after_destructor = 0;

class ProbeForm final : public FormWindow {
 public:
  ProbeForm() : FormWindow(kProbeForm, {WS_OVERLAPPEDWINDOW, 0, 1}) {
    Create(nullptr);
    g_probe = Hwnd();
    ::ShowWindow(g_probe, SW_SHOW);
  }
  ProbeForm(const ProbeForm&) = delete;
  ProbeForm& operator=(const ProbeForm&) = delete;
  ~ProbeForm() override { g_destroying = true; }

 protected:
  void OnCommand(Element /*element*/) override {}
  void OnClose() override {}
};

// Sees each message sent to the probe before it is handled: the toolkit must
// no longer route it to the object once the object's destruction began.
LRESULT CALLBACK SeeMessages(int code, WPARAM w_param, LPARAM l_param) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(l_param);
  if (code == HC_ACTION && call->hwnd == g_probe && g_destroying &&
      FormWindow::FromHwnd(call->hwnd) != nullptr) {
    ++g_reached_after_destructor;
  }
  return ::CallNextHookEx(nullptr, code, w_param, l_param);
}

TEST(FormWindow, NoMessageReachesAnObjectWhoseDestructionHasBegun) {
  HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &SeeMessages, nullptr, ::GetCurrentThreadId());
  { const ProbeForm probe; }
  ::UnhookWindowsHookEx(hook);
  EXPECT_TRUE(g_destroying);
  EXPECT_FALSE(::IsWindow(g_probe));
  EXPECT_EQ(g_reached_after_destructor, 0);
}

}  // namespace
}  // namespace lumora::testing
