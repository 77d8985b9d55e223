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
// process's GDI handle table instead.
#pragma pack(push, 8)
struct GdiHandleEntry {
  unsigned long long object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  unsigned long long user;
};
#pragma pack(pop)

DWORD GdiObjects() {
  PROCESS_BASIC_INFORMATION basic{};
  if (::NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation, &basic,
                                  sizeof basic, nullptr) != 0) {
    return 0;
  }
  constexpr int kPebGdiTableOffset = 0x94;  // GdiSharedHandleTable in a 32-bit PEB
  const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiTableOffset);
  DWORD live = 0;
  for (int i = 0; table != nullptr && i < 0x10000; ++i) live += table[i].type != 0 ? 1 : 0;
  return live;
}

BOOL CALLBACK Count(HWND hwnd, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  ::EnumChildWindows(hwnd, &Count, count);
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
  // What the platform makes once and keeps (message-box resources, font
  // caches) is made first.
  for (int i = 0; i < 5; ++i) cycle();
  const auto windows = [] {
    DWORD count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &Count, reinterpret_cast<LPARAM>(&count));
    return count;
  };
  const DWORD gdi = GdiObjects();
  const DWORD windows_before = windows();
  ASSERT_NE(gdi, 0U);

  // One object kept per cycle adds 50; Wine's own caches grow by a few.
  for (int i = 0; i < 50; ++i) cycle();
  EXPECT_LE(GdiObjects(), gdi + 20);
  EXPECT_EQ(windows(), windows_before);
  EXPECT_EQ(boxes_.seen.size(), 55U);
  EXPECT_EQ(About(), nullptr);
}

}  // namespace
}  // namespace lumora::testing
