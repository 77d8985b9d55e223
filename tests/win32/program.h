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
  // The window of an element of either window; nullptr when not there.
  [[nodiscard]] HWND Control(Element element) const;
  // The about window while it is open.
  [[nodiscard]] static HWND About();
  // Clicks a button as the mouse would.
  void Click(Element button) const;
  // Chooses a menu item by its place in the menu bar.
  void Choose(int menu, int item) const;
  [[nodiscard]] LRESULT Checked(Element element) const;

  Win32WindowOps ui;
  MainWindow main;
  AboutWindow about{ui};
};

inline constexpr RegHandle kHkcu = static_cast<RegHandle>(0x80000001U);
inline const std::u16string kAdvanced =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline const std::u16string kLanguageEntry = u"NorvaleSoft\\Lumora\\Language";

// Over a fake registry holding "Hidden" 2 and "ShowSuperHidden" 1, and a
// fake settings store.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest();

  // Starts the main window with this stored language (none: no entry).
  void Start(std::optional<std::u16string> language);
  [[nodiscard]] HWND Control(Element element) const { return windows_.Control(element); }
  [[nodiscard]] static HWND About() { return ProgramWindows::About(); }
  void Click(Element button) const { windows_.Click(button); }
  void Choose(int menu, int item) const { windows_.Choose(menu, item); }
  [[nodiscard]] LRESULT Checked(Element element) const { return windows_.Checked(element); }
  [[nodiscard]] std::optional<std::uint32_t> StoredDword(const std::u16string& name) const;

  FakeRegistry registry_;
  FakeSettingsStore store_;
  ProgramWindows windows_{registry_, store_};
  Win32WindowOps& ui_ = windows_.ui;
  MainWindow& main_ = windows_.main;
  MessageBoxWatcher boxes_;
};

}  // namespace lumora::testing
