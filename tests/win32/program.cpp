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

HWND ProgramWindows::About() { return ::FindWindowW(L"Lumora.frmAbout", nullptr); }

void ProgramWindows::Click(Element button) const {
  ::SendMessageW(Control(button), BM_CLICK, 0, 0);
}

void ProgramWindows::Choose(int menu, int item) const {
  HMENU popup = ::GetSubMenu(::GetMenu(main.Hwnd()), menu);
  const UINT id = ::GetMenuItemID(popup, item);
  ::SendMessageW(main.Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

LRESULT ProgramWindows::Checked(Element element) const {
  return ::SendMessageW(Control(element), BM_GETCHECK, 0, 0);
}

ProgramTest::ProgramTest() {
  registry_.PutDword(kHkcu, kAdvanced, u"Hidden", 2);
  registry_.PutDword(kHkcu, kAdvanced, u"ShowSuperHidden", 1);
}

void ProgramTest::Start(std::optional<std::u16string> language) {
  if (language) store_.entries[kLanguageEntry] = *language;
  windows_.Start();
}

std::optional<std::uint32_t> ProgramTest::StoredDword(const std::u16string& name) const {
  const auto* key = registry_.Key(kHkcu, kAdvanced);
  if (key == nullptr || !key->contains(name)) return std::nullopt;
  const StoredValue& value = key->at(name);
  if (value.type != 4 || value.data.size() != 4) return std::nullopt;
  return value.data[0] | value.data[1] << 8U | value.data[2] << 16U |
         static_cast<std::uint32_t>(value.data[3]) << 24U;
}

}  // namespace lumora::testing
