// Many Apply cycles, language switches and about openings: the process's
// GDI objects and windows stay flat.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <winternl.h>

#include "win32/program.h"

namespace lumora::testing {
namespace {

// GetGuiResources is a stub on Wine: count the live entries of the
// process's GDI handle table (24 bytes each, the type at byte 14), which a
// 32-bit process environment block points to at offset 0x94.
DWORD GdiObjects() {
  const auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
  const auto* table = *reinterpret_cast<const BYTE* const*>(peb + 0x94);
  DWORD live = 0;
  for (int i = 0; table != nullptr && i < 0x10000; ++i) live += table[i * 24 + 14] != 0 ? 1 : 0;
  return live;
}

BOOL CALLBACK Count(HWND /*hwnd*/, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

using Endurance = ProgramTest;

TEST_F(Endurance, AppliesSwitchesAndAboutOpeningsLeaveNothingBehind) {
  Start(u"English");
  const auto cycle = [this] {
    Click(Element::cmdApply);
    Choose(1, 1);
    RunSoon([this] { ::SendMessageW(About(), WM_CLOSE, 0, 0); });
    Click(Element::cmdAbout);
    Choose(1, 0);
  };
  const auto windows = [this] {
    DWORD count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &Count, reinterpret_cast<LPARAM>(&count));
    ::EnumChildWindows(main_.Hwnd(), &Count, reinterpret_cast<LPARAM>(&count));
    return count;
  };
  // What the platform makes once and keeps (message-box resources, font
  // caches) is made first.
  for (int i = 0; i < 5; ++i) cycle();
  const DWORD gdi = GdiObjects();
  const DWORD windows_before = windows();
  ASSERT_NE(gdi, 0U);
  // One object kept per cycle adds 50; Wine's own caches grow by a few.
  for (int i = 0; i < 50; ++i) cycle();
  EXPECT_LE(GdiObjects(), gdi + 20);
  EXPECT_EQ(windows(), windows_before);
  EXPECT_EQ(boxes_.seen.size(), 55U);
}

}  // namespace
}  // namespace lumora::testing
