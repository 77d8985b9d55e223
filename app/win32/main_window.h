#pragma once

#include "app/main_form.h"
#include "app/toolkit/win32/form_window.h"

namespace lumora {

// frmMain on Win32: the window from its description, routing every event to
// MainForm.
class MainWindow final : public FormWindowOf<MainForm> {
 public:
  MainWindow(WindowOps& ui, RegistryApi& registry, SettingsStore& store);

  // Start-up: initialise, create, load, show with the focus on Apply.
  void Start(int show_command);
  // Runs until the window is gone; returns the program's exit code.
  int Run();
  // The unload event, then the window goes.
  void Unload() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM w_param, LPARAM l_param) override;
  void OnLoad() override;
  void OnClose() override;

 private:
  // The unload event, at most once.
  void UnloadEvent();

  bool unloaded_ = false;
};

}  // namespace lumora
