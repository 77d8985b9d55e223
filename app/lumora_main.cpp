// lumora.exe: frmMain is the start-up object; the program ends with it.
#include <windows.h>

#include <exception>

#include "app/win32_about_window.h"
#include "app/win32_error_handler.h"
#include "app/win32_main_window.h"
#include "app/win32_window_ops.h"
#include "i18n/registry_settings_store.h"
#include "registry/advapi_registry.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
  using namespace lumora;
  try {
    AdvapiRegistry registry;
    RegistrySettingsStore store;
    Win32WindowOps ui;
    MainWindow main(ui, registry, store);
    AboutWindow about(ui);
    ui.Attach(main, about);
    main.Start(showCommand);
    return main.Run();
  } catch (...) {
    DefaultErrorHandler(std::current_exception());
  }
}
