#pragma once

// The program's two windows in this process, wired and started as lumora.exe
// does, over a fake registry holding "Hidden" 2 and "ShowSuperHidden" 1 and a
// fake settings store.
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

inline constexpr auto kHkcu = static_cast<RegHandle>(0x80000001U);
inline constexpr char16_t kAdvanced[] =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest();
  // Destroys a main window still open and forgets its quit message.
  ~ProgramTest() override;

  // Starts with this stored language (none: no entry).
  void Start(std::optional<std::u16string> language);
  // An element of either window; nullptr when not there.
  [[nodiscard]] HWND Control(Element element) const {
    return main_.Handle(element) != nullptr ? main_.Handle(element) : about_.Handle(element);
  }
  [[nodiscard]] HWND About() const { return about_.Hwnd(); }
  // Clicks a button as the mouse would.
  void Click(Element button) const { ::SendMessageW(Control(button), BM_CLICK, 0, 0); }
  // Chooses a menu item by its place in the menu bar.
  void Choose(int menu, int item) const;
  [[nodiscard]] LRESULT Checked(Element element) const {
    return ::SendMessageW(Control(element), BM_GETCHECK, 0, 0);
  }

  FakeRegistry registry_;
  FakeSettingsStore store_;
  Win32WindowOps ui_;
  MainWindow main_{ui_, registry_, store_};
  AboutWindow about_{ui_};
  MessageBoxWatcher boxes_;
};

}  // namespace lumora::testing
