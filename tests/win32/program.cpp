#include "win32/program.h"

#include "i18n/language.h"

namespace lumora::testing {

ProgramTest::ProgramTest() {
  ui_.Attach(main_);
  ui_.Attach(about_);
  registry_.PutDword(kHkcu, kAdvanced, u"Hidden", 2);
  registry_.PutDword(kHkcu, kAdvanced, u"ShowSuperHidden", 1);
}

ProgramTest::~ProgramTest() {
  if (main_.Hwnd() != nullptr) ::DestroyWindow(main_.Hwnd());
  MSG msg{};
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  CurrentLanguage.clear();
}

void ProgramTest::Start(std::optional<std::u16string> language) {
  if (language) store_.entries[u"NorvaleSoft\\Lumora\\Language"] = *language;
  main_.Start(SW_SHOW);
  ::SetForegroundWindow(main_.Hwnd());
  PumpFor(50);
}

void ProgramTest::Choose(int menu, int item) const {
  const UINT id = ::GetMenuItemID(::GetSubMenu(::GetMenu(main_.Hwnd()), menu), item);
  ::SendMessageW(main_.Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

}  // namespace lumora::testing
