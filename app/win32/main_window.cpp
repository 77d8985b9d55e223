#include "app/win32/main_window.h"

#include "app/toolkit/win32/message_loop.h"
#include "app/toolkit/win32/startup_phase.h"
#include "app/win32/resources/resource_ids.h"
#include "app/window_descriptions.h"

namespace lumora {

namespace {

// A fixed window with a system menu and a minimise box.
constexpr FrameStyle kMainFrame = {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                                   kIconProgram};

}  // namespace

MainWindow::MainWindow(WindowOps& ui, RegistryApi& registry, SettingsStore& store)
    : FormWindowOf(kMainForm, kMainFrame, ui, registry, store) {}

void MainWindow::Start(int show_command) {
  form_.Form_Initialize();
  Load(nullptr);
  MarkPhase(StartupPhase::kLoaded);
  Show(show_command);
}

int MainWindow::Run() { return RunMessageLoop(*this); }

void MainWindow::OnLoad() { form_.Form_Load(); }

void MainWindow::OnClose() { Unload(); }

void MainWindow::UnloadEvent() {
  if (!unloaded_) {
    unloaded_ = true;
    form_.Form_Unload();
  }
}

void MainWindow::Unload() {
  UnloadEvent();
  FormWindow::Unload();
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM w_param, LPARAM l_param) {
  switch (message) {
    case WM_ENDSESSION:
      // An installer's Restart Manager closes the program as its close box
      // does; at a logoff the system ends it without destroying windows.
      if (w_param == 0) return 0;  // another program refused: the session goes on
      if ((l_param & ENDSESSION_CLOSEAPP) != 0) {
        Unload();
      } else {
        UnloadEvent();
      }
      return 0;
    case WM_DESTROY:
      // With the main window gone the program ends.
      ::PostQuitMessage(0);
      break;
    default:
      break;
  }
  return FormWindow::HandleMessage(message, w_param, l_param);
}

}  // namespace lumora
