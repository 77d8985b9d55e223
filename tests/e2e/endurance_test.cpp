// Many Apply cycles, language switches and about-window openings in one run:
// the process's USER and GDI objects and its handles stay flat.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/lumora_process.h"

namespace lumora::e2e {
namespace {

// GetGuiResources and GetProcessHandleCount report nothing on Wine; the
// driver also counts for itself, so the check means something on both.
struct Counts {
  DWORD user = 0;
  DWORD gdi = 0;
  DWORD handles = 0;
  DWORD gdiObjects = 0;
  DWORD kernelHandles = 0;
  DWORD windows = 0;
};

Counts CountsOf(LumoraProcess& lumora) {
  Counts counts;
  counts.user = ::GetGuiResources(lumora.Process(), GR_USEROBJECTS);
  counts.gdi = ::GetGuiResources(lumora.Process(), GR_GDIOBJECTS);
  ::GetProcessHandleCount(lumora.Process(), &counts.handles);
  counts.gdiObjects = lumora.GdiObjects();
  counts.kernelHandles = lumora.KernelHandles();
  counts.windows = lumora.Windows();
  return counts;
}

void Print(const char* when, const Counts& c) {
  std::printf(
      "%s: GetGuiResources USER %lu GDI %lu, GetProcessHandleCount %lu; counted: GDI "
      "objects %lu, kernel handles %lu, windows %lu\n",
      when, c.user, c.gdi, c.handles, c.gdiObjects, c.kernelHandles, c.windows);
}

// Each cycle is short: poll often.
template <typename Condition>
bool Soon(Condition condition) {
  return WaitUntil(condition, 5000, 1);
}

TEST(Endurance, ThousandAppliesAndTwoHundredSwitchesAndOpeningsLeaveNothingBehind) {
  DeleteTree(L"Software\\NorvaleSoft");
  PutDword(kAdvancedKey, L"Hidden", 2);
  PutDword(kAdvancedKey, L"ShowSuperHidden", 1);
  PutText(kStoreKey, L"Language", L"English");
  LumoraProcess lumora(LumoraExe());

  const auto applyOnce = [&] {
    lumora.Click(Element::cmdApply);
    HWND box = nullptr;
    ASSERT_TRUE(Soon([&] { return (box = lumora.MessageBoxWindow()) != nullptr; }));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Soon([&] { return !::IsWindow(box); }));
  };
  const auto switchTo = [&](Element item, const wchar_t* exitCaption) {
    lumora.Choose(item);
    ASSERT_TRUE(Soon([&] { return lumora.Text(Element::cmdExit) == exitCaption; }));
  };
  const auto openAbout = [&] {
    lumora.Click(Element::cmdAbout);
    HWND about = nullptr;
    ASSERT_TRUE(Soon([&] { return (about = lumora.About()) != nullptr; }));
    lumora.Close(about);
    ASSERT_TRUE(Soon([&] { return lumora.About() == nullptr; }));
  };
  // A few of each first, so that what the platform makes once and caches
  // (message-box resources, font caches) is counted in.
  for (int i = 0; i < 20; ++i) {
    applyOnce();
    switchTo(Element::mnuLangPersian, L"\u062E\u0631\u0648\u062C");
    openAbout();
    switchTo(Element::mnuLangEnglish, L"E&xit");
    openAbout();
  }
  lumora.Settle();
  const Counts start = CountsOf(lumora);
  Print("after warming up", start);
  ASSERT_NE(start.gdiObjects, 0U);
  ASSERT_NE(start.kernelHandles, 0U);
  ASSERT_NE(start.windows, 0U);

  // The work in four rounds, counted after each. A leak of one object per
  // cycle adds 50 to 250 a round, 200 or more in all. Wine's cache of device
  // contexts grows when the machine is busy (a DC, its region and its bitmap
  // each time; up to 18 objects seen), whatever the work.
  constexpr DWORD kSlack = 48;
  for (int round = 1; round <= 4; ++round) {
    for (int i = 0; i < 250; ++i) applyOnce();
    for (int i = 0; i < 25; ++i) {
      switchTo(Element::mnuLangPersian, L"\u062E\u0631\u0648\u062C");
      openAbout();
      switchTo(Element::mnuLangEnglish, L"E&xit");
      openAbout();
    }
    lumora.Settle();
    const Counts now = CountsOf(lumora);
    Print(("after round " + std::to_string(round)).c_str(), now);
    EXPECT_LE(now.user, start.user + kSlack);
    EXPECT_LE(now.gdi, start.gdi + kSlack);
    EXPECT_LE(now.handles, start.handles + kSlack);
    EXPECT_LE(now.gdiObjects, start.gdiObjects + kSlack);
    EXPECT_LE(now.kernelHandles, start.kernelHandles + kSlack);
    EXPECT_EQ(now.windows, start.windows);
  }
  EXPECT_EQ(lumora.CheckState(Element::OptHide), BST_CHECKED);
  DeleteTree(L"Software\\NorvaleSoft");
}

}  // namespace
}  // namespace lumora::e2e
