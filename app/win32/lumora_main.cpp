// lumora.exe: frmMain is the start-up object; the program ends with it.
#include <windows.h>

#include <exception>

#include "app/product.h"
#include "app/toolkit/win32/error_handler.h"
#include "app/toolkit/win32/startup_phase.h"
#include "app/toolkit/win32/win32_window_ops.h"
#include "app/win32/about_window.h"
#include "app/win32/main_window.h"
#include "i18n/win32/registry_settings_store.h"
#include "registry/win32/advapi_registry.h"

// The system's headers declare it with names of their own.
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int show_command) {
  using namespace lumora;
  MarkPhase(StartupPhase::kMain);
  try {
    SetApplicationTitle(std::u16string(kProductTitle));
    AdvapiRegistry registry;
    RegistrySettingsStore store;
    Win32WindowOps ui;
    MainWindow main(ui, registry, store);
    AboutWindow about(ui);
    ui.Attach(main);
    ui.Attach(about);
    main.Start(show_command);
    return main.Run();
  } catch (...) {
    DefaultErrorHandler();
  }
}
