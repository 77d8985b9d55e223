#pragma once

#include "app/main_form.h"
#include "app/win32_form_window.h"

namespace lumora {

// frmMain on Win32: the window from its description, its menu bar and
// shortcut keys, routing every event to MainForm.
class MainWindow final : public FormWindow {
 public:
  MainWindow(WindowOps& ui, RegistryApi& registry, SettingsStore& store)
      : FormWindow(kMainForm), form_(ui, registry, store) {}

  // Start-up: initialise, create, load, show with the focus on Apply.
  void Start(int showCommand);
  // Runs until the window is gone; returns the program's exit code.
  int Run();

  // Where a menu or menu item sits in the menu bar.
  [[nodiscard]] bool FindMenuItem(Element element, HMENU& menu, UINT& position) const;
  // A menu item's text: its caption and, after a tab, its shortcut key.
  [[nodiscard]] static std::wstring MenuText(Element element, std::u16string_view caption);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(Element element) override;
  void OnClose() override;

 private:
  [[nodiscard]] HMENU BuildMenu() const;
  void BuildShortcuts();
  // The unload event, at most once, then the window goes.
  void Unload();

  MainForm form_;
  UniqueAccelerators shortcuts_;
  HWND focusBeforeDeactivation_ = nullptr;
  bool unloaded_ = false;
};

}  // namespace lumora
