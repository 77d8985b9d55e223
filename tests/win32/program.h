#pragma once

// The program's two windows in this process, started as lumora.exe starts
// them, over whichever registry and settings store the test gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "app/toolkit/win32/window_ops.h"
#include "app/win32/about_window.h"
#include "app/win32/main_window.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_settings_store.h"
#include "win32/harness.h"

namespace lumora::testing {

class ProgramWindows {
 public:
  ProgramWindows(RegistryApi& registry, SettingsStore& store);
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;
  // Destroys a main window still open and forgets its quit message.
  ~ProgramWindows();

  void Start();
  // An element of either window; nullptr when not there.
  [[nodiscard]] HWND Control(Element element) const;
  [[nodiscard]] static HWND About() { return ::FindWindowW(L"Lumora.frmAbout", nullptr); }
  // Clicks a button as the mouse would.
  void Click(Element button) const { ::SendMessageW(Control(button), BM_CLICK, 0, 0); }
  // Chooses a menu item by its place in the menu bar.
  void Choose(int menu, int item) const;
  [[nodiscard]] LRESULT Checked(Element element) const {
    return ::SendMessageW(Control(element), BM_GETCHECK, 0, 0);
  }

  Win32WindowOps ui;
  MainWindow main;
  AboutWindow about{ui};
};

struct Fakes {
  FakeRegistry registry;
  FakeSettingsStore store;
};

inline constexpr auto kHkcu = static_cast<RegHandle>(0x80000001U);
inline constexpr char16_t kAdvanced[] =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// The windows over a fake registry holding "Hidden" 2 and "ShowSuperHidden"
// 1, and a fake settings store.
class ProgramTest : public ::testing::Test, protected Fakes, public ProgramWindows {
 protected:
  ProgramTest();
  // Starts with this stored language (none: no entry).
  void Start(std::optional<std::u16string> language);

  MessageBoxWatcher boxes_;
};

}  // namespace lumora::testing
