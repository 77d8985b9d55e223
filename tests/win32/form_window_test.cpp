// The toolkit's window object over a window of its own description.
#include "app/toolkit/win32/form_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace lumora::testing {
namespace {

constexpr ElementDesc kProbeElements[] = {
    {Element::cmdOK, ElementKind::kCommandButton, Element::frmAbout, u"OK", {0, 0, 900, 300}, 0}};
constexpr FormDesc kProbeForm = {
    Element::frmAbout,          u"Probe", 1500, 900, 0, 0, kProbeElements, {},
    {u"Tahoma", 825, 400, 178}, {}};

std::vector<std::string> g_log;  // what reached the probe, and when its destruction began
HWND g_probe = nullptr;
int g_reached_after_destructor = 0;

class ProbeForm final : public FormWindow {
 public:
  ProbeForm() : FormWindow(kProbeForm, {WS_OVERLAPPEDWINDOW, 0, 1}) {
    Create(nullptr);
    g_probe = Hwnd();
  }
  ProbeForm(const ProbeForm&) = delete;
  ProbeForm& operator=(const ProbeForm&) = delete;
  ~ProbeForm() override { g_log.emplace_back("destructor"); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM w_param, LPARAM l_param) override {
    if (message == WM_DESTROY) g_log.emplace_back("WM_DESTROY");
    return FormWindow::HandleMessage(message, w_param, l_param);
  }
  void OnCommand(Element /*element*/) override {}
  void OnClose() override {}
};

// Sees each message sent to the probe before it is handled: the toolkit must
// no longer route it to the object once the object's destruction began.
LRESULT CALLBACK SeeMessages(int code, WPARAM w_param, LPARAM l_param) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(l_param);
  if (code == HC_ACTION && call->hwnd == g_probe && !g_log.empty() &&
      g_log.back() == "destructor" && FormWindow::FromHwnd(call->hwnd) != nullptr) {
    ++g_reached_after_destructor;
  }
  return ::CallNextHookEx(nullptr, code, w_param, l_param);
}

TEST(FormWindow, AnUnloadedWindowRanItsDestructionHandlersWhileWhole) {
  g_log.clear();
  {
    ProbeForm probe;
    probe.Unload();
    EXPECT_EQ(probe.Hwnd(), nullptr);
  }
  EXPECT_EQ(g_log, (std::vector<std::string>{"WM_DESTROY", "destructor"}));
}

TEST(FormWindow, NoMessageReachesAnObjectWhoseDestructionHasBegun) {
  g_log.clear();
  g_reached_after_destructor = 0;
  HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &SeeMessages, nullptr, ::GetCurrentThreadId());
  {
    const ProbeForm probe;
    ::ShowWindow(g_probe, SW_SHOW);
  }
  ::UnhookWindowsHookEx(hook);
  EXPECT_FALSE(::IsWindow(g_probe));
  EXPECT_EQ(g_reached_after_destructor, 0);
  EXPECT_EQ(g_log, std::vector<std::string>{"destructor"});
}

}  // namespace
}  // namespace lumora::testing
