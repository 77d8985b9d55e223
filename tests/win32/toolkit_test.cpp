// The Win32 toolkit's own guarantees, in this process against the real API:
// failure reports, a window whose load fails, captions, option values, a
// window another program subclasses, and commands posted under a box.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <new>
#include <string>

#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/platform_error.h"
#include "win32/harness.h"

// Allocations until one fails, for a report that cannot be built; -1: none fails.
namespace {
int g_allocations_until_failure = -1;
}  // namespace

void* operator new(std::size_t size) {
  if (g_allocations_until_failure == 0) {
    g_allocations_until_failure = -1;
    throw std::bad_alloc();
  }
  if (g_allocations_until_failure > 0) --g_allocations_until_failure;
  if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t /*size*/) noexcept { std::free(memory); }

namespace lumora::testing {
namespace {

std::u16string ReportOf(std::u16string_view operation, unsigned long status) {
  try {
    ThrowPlatformError(operation, status);
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), 5);
    return error.Description();
  }
  return u"(no report)";
}

TEST(PlatformError, NamesTheOperationTheSystemsReasonAndTheStatusUnsigned) {
  wchar_t* reason = nullptr;
  ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, ERROR_ACCESS_DENIED, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr);
  ASSERT_NE(reason, nullptr);
  std::u16string system(reinterpret_cast<const char16_t*>(reason));
  ::LocalFree(reason);
  while (!system.empty() && (system.back() == u'\n' || system.back() == u'\r')) system.pop_back();
  EXPECT_EQ(ReportOf(u"Opening the key", ERROR_ACCESS_DENIED),
            u"Opening the key failed: " + system + u" (error 5)");
  const std::u16string report = ReportOf(u"Opening the key", 0x80070005UL);
  EXPECT_TRUE(report.ends_with(u" (error 2147942405)"))
      << std::string(report.begin(), report.end());
}

// Live blocks of the process heap, where the system's texts are allocated.
std::size_t HeapBlocks() {
  HANDLE heap = ::GetProcessHeap();
  std::size_t busy = 0;
  PROCESS_HEAP_ENTRY entry{};
  ::HeapLock(heap);
  while (::HeapWalk(heap, &entry)) busy += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0 ? 1 : 0;
  ::HeapUnlock(heap);
  return busy;
}

TEST(PlatformError, TheSystemsTextIsFreedWhenTheReportCannotBeBuilt) {
  const std::size_t before = HeapBlocks();
  for (int round = 0; round < 20; ++round) {
    for (int failing = 0; failing < 8; ++failing) {
      g_allocations_until_failure = failing;
      try {
        ThrowPlatformError(u"Opening a key whose name is long enough to be allocated", 5);
      } catch (...) {  // the report, or out of memory while building it
      }
      g_allocations_until_failure = -1;
    }
  }
  // One text kept per failed report would be 60 or more.
  EXPECT_LE(HeapBlocks(), before + 10);
}

// A window of its own over the main window's place, with one button.
class NoEvents final : public FormEvents {};
constexpr ElementDesc kProbeElements[] = {
    {Element::cmdOK, ElementKind::kCommandButton, Element::frmAbout, u"OK", {0, 0, 900, 300}, 0}};
constexpr FormDesc kProbeForm = {
    Element::frmAbout,          u"Probe", 1500, 900, 0, 0, kProbeElements, {},
    {u"Tahoma", 825, 400, 178}, {}};

class ProbeWindow final : public FormWindow {
 public:
  ProbeWindow() : FormWindow(kProbeForm, {WS_POPUP | WS_CAPTION, 0, 0}, events_) {}
  int failing_loads = 1;

 protected:
  void OnLoad() override {
    if (failing_loads-- > 0) throw RuntimeError(5, u"the load failed");
  }
  void OnClose() override { Unload(); }

 private:
  NoEvents events_;
};

TEST(FormWindow, AWindowWhoseLoadFailsIsGoneAndLoadsAfreshTheNextTime) {
  HWND owner = ::CreateWindowExW(0, L"Static", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
  ProbeWindow probe;
  EXPECT_THROW(probe.ShowOver(owner), RuntimeError);
  EXPECT_EQ(probe.Hwnd(), nullptr);
  EXPECT_EQ(::FindWindowW(L"Lumora.frmAbout", L"Probe"), nullptr);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  ASSERT_NO_THROW(probe.ShowOver(owner));
  EXPECT_TRUE(::IsWindowVisible(probe.Hwnd()));
  EXPECT_FALSE(::IsWindowEnabled(owner));
  probe.Unload();
  EXPECT_EQ(probe.Hwnd(), nullptr);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  ::DestroyWindow(owner);
}

using Toolkit = ProgramTest;

TEST_F(Toolkit, ACaptionThatOnlyStartsLikeTheNewOneIsReplaced) {
  Start(u"English");
  ui_.SetCaption(Element::frmMain, u"Lumora! Lumora!");
  ui_.SetCaption(Element::frmMain, u"Lumora!");
  EXPECT_EQ(TextOf(main_.Hwnd()), L"Lumora!");
  ui_.SetCaption(Element::mnuFile, u"&File and more");
  ui_.SetCaption(Element::mnuFile, u"&File");
  wchar_t text[32] = {};
  ::GetMenuStringW(::GetMenu(main_.Hwnd()), 0, text, 32, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&File");
}

TEST_F(Toolkit, AnOperationOnTheWrongKindRaisesTheRunTimeError) {
  Start(u"English");
  for (const Element wrong : {Element::frmMain, Element::chkSuper, Element::mnuFile}) {
    SCOPED_TRACE(ElementName(wrong));
    EXPECT_THROW(ui_.SetOptionValue(wrong, true), RuntimeError);
  }
  EXPECT_THROW(ui_.SetLabelAlignment(Element::txtCur, 1), RuntimeError);
  EXPECT_THROW(ui_.SetRightToLeft(Element::cmdApply, true), RuntimeError);
  EXPECT_THROW(ui_.ShowModal(Element::cmdOK), RuntimeError);
}

WNDPROC g_subclassed = nullptr;
LRESULT CALLBACK PassOn(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  return ::CallWindowProcW(g_subclassed, hwnd, message, w_param, l_param);
}

TEST_F(Toolkit, AWindowAnotherProgramSubclassesKeepsItsShortcutAndDialogKeys) {
  Start(u"English");
  g_subclassed = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(main_.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PassOn)));
  Keys({'P'}, VK_CONTROL);
  EXPECT_EQ(boxes_.seen.size(), 1U);
  Keys({VK_TAB});
  EXPECT_EQ(::GetFocus(), Control(Element::cmdAbout));
  ::SetWindowLongPtrW(main_.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_subclassed));
}

TEST_F(Toolkit, TwentyApplyClicksPostedAtOnceShowOneBox) {
  Start(u"English");
  HWND apply = Control(Element::cmdApply);
  for (int i = 0; i < 20; ++i) {
    ::PostMessageW(main_.Hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(apply), BN_CLICKED),
                   reinterpret_cast<LPARAM>(apply));
  }
  PumpFor(200);
  EXPECT_EQ(boxes_.seen.size(), 1U);
  EXPECT_TRUE(::IsWindowEnabled(main_.Hwnd()));
}

}  // namespace
}  // namespace lumora::testing
