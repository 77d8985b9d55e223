#include "win32/program.h"

#include "i18n/language.h"

namespace lumora::testing {

namespace {
struct ChildSearch {
  int id;
  HWND found;
};
BOOL CALLBACK FindChild(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (::GetDlgCtrlID(hwnd) != search->id) return TRUE;
  search->found = hwnd;
  return FALSE;
}
}  // namespace

ProgramWindows::ProgramWindows(RegistryApi& registry, SettingsStore& store)
    : main(ui, registry, store) {
  ui.Attach(main);
  ui.Attach(about);
}

ProgramWindows::~ProgramWindows() {
  if (main.Hwnd() != nullptr) ::DestroyWindow(main.Hwnd());
  MSG msg{};
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  CurrentLanguage.clear();
}

void ProgramWindows::Start() {
  main.Start(SW_SHOW);
  ::SetForegroundWindow(main.Hwnd());
  PumpFor(50);
}

HWND ProgramWindows::Control(Element element) const {
  if (element == Element::frmMain) return main.Hwnd();
  if (element == Element::frmAbout) return About();
  ChildSearch search{ControlId(element), nullptr};
  for (HWND top : {main.Hwnd(), About()}) {
    if (top != nullptr && search.found == nullptr) {
      ::EnumChildWindows(top, &FindChild, reinterpret_cast<LPARAM>(&search));
    }
  }
  return search.found;
}

void ProgramWindows::Choose(int menu, int item) const {
  const UINT id = ::GetMenuItemID(::GetSubMenu(::GetMenu(main.Hwnd()), menu), item);
  ::SendMessageW(main.Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

ProgramTest::ProgramTest() : ProgramWindows(registry, store) {
  registry.PutDword(kHkcu, kAdvanced, u"Hidden", 2);
  registry.PutDword(kHkcu, kAdvanced, u"ShowSuperHidden", 1);
}

void ProgramTest::Start(std::optional<std::u16string> language) {
  if (language) store.entries[u"NorvaleSoft\\Lumora\\Language"] = *language;
  ProgramWindows::Start();
}

}  // namespace lumora::testing
