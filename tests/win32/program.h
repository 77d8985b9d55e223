#pragma once

// The program's two windows in this process, over a fake registry and a fake
// settings store, started as lumora.exe starts them.
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

inline constexpr RegHandle kHkcu = static_cast<RegHandle>(0x80000001U);
inline const std::u16string kAdvanced =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline const std::u16string kLanguageEntry = u"NorvaleSoft\\Lumora\\Language";

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest();
  void TearDown() override;

  // Starts the main window with this stored language (none: no entry).
  void Start(std::optional<std::u16string> language);
  // The window of an element of either window; nullptr when not there.
  [[nodiscard]] HWND Control(Element element) const;
  // The about window while it is open.
  [[nodiscard]] static HWND About();
  // Clicks a button as the mouse would.
  void Click(Element button) const;
  // Chooses a menu item by its place in the menu bar.
  void Choose(int menu, int item) const;
  [[nodiscard]] LRESULT Checked(Element element) const;
  [[nodiscard]] std::optional<std::uint32_t> StoredDword(const std::u16string& name) const;

  FakeRegistry registry;
  FakeSettingsStore store;
  Win32WindowOps ui;
  MainWindow main{ui, registry, store};
  AboutWindow about{ui};
  MessageBoxWatcher boxes;
};

}  // namespace lumora::testing
